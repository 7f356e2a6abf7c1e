// Record and key maintenance of the driver: add, update and delete keep every key of a file
// consistent with its record, number the AUTOKEY keys, notice changes by other users and undo
// their own partial key changes; navigation positions on records by key or in record order.
#include <algorithm>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "common/key_text.h"
#include "common/le_int.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_low.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

constexpr std::int32_t kHighestRef = 0x7FFFFFFF;
// Entries whose records other stations delete under a walk or search before it finds a record.
constexpr int kMaxStepsPastGone = 1000;

bool LinkIsZero(const std::uint8_t* record) {
  return record[0] == 0 && record[1] == 0 && record[2] == 0 && record[3] == 0;
}

bool BeginsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

}  // namespace

int IFDriverLow::RecordLengthToWrite() const {
  if (!variable_) return record_length_;
  return next_length_ > 0 ? next_length_ : image_length_;
}

bool IFDriverLow::ChangedByAnother(std::uint32_t argument, std::int32_t ref) {
  if (SameAsImage(read_buffer_.data(), read_length_)) return false;
  if (take_reread_) TakeReadRecord(ForeignChangeStamp());
  RecordError(kDrvRecordChanged, argument, 0, ref);
  return true;
}

void IFDriverLow::TakeReadRecord(std::uint64_t stamp) {
  std::memcpy(record_buffer_, read_buffer_.data(), static_cast<std::size_t>(read_length_));
  SetImage(read_buffer_.data(), read_length_, stamp);
}

void IFDriverLow::SetImage(const std::uint8_t* record, int length, std::uint64_t stamp) {
  std::memcpy(before_image_.data(), record, static_cast<std::size_t>(length));
  image_length_ = length;
  image_stamp_ = stamp;
}

void IFDriverLow::ClearCurrent() {
  current_ref_ = -1;
  image_ref_ = -1;
  walk_.Reset();
}

// --- add ---

void IFDriverLow::DoAddRecord() {
  const Step step(Stack(), kStepAdd);
  if (!LinkIsZero(record_buffer_) || (variable_ && next_length_ == 0)) {
    // A failed add leaves no current record.
    ClearCurrent();
    return RecordError(LinkIsZero(record_buffer_) ? kDrvVarNoLength : kDrvAddLinkNotZero, 1);
  }
  // Every change of a shared file runs under its write lock, so that another process never
  // works on index pages it has not re-read, and two adds never draw the same AUTOKEY number.
  TakenLocks taken;
  if (!TakeFileLock(taken)) {
    ClearCurrent();
    return;
  }
  if (AddRecordAndKeys(true)) FlushIfWanted();
  ReleaseLocks(taken);
}

bool IFDriverLow::AddRecordAndKeys(bool assign_autokeys) {
  if (assign_autokeys && !AssignAutoKeys()) {
    ClearCurrent();
    return false;
  }
  const int length = variable_ ? next_length_ : record_length_;
  std::int32_t ref = 0;
  if (WAddRecord(record_buffer_, length, ref) != 0) {
    RecordEngineError(2);
    ClearCurrent();
    return false;
  }
  if (!AddAllKeys(ref)) {
    ClearCurrent();
    return false;
  }
  SetImage(record_buffer_, length, ForeignChangeStamp());
  current_ref_ = image_ref_ = ref;
  walk_.Reset();
  return true;
}

bool IFDriverLow::AssignAutoKeys() {
  const Step step(Stack(), kStepAutoKey);
  for (int k = 1; k <= key_count_; ++k) {
    KeyDescriptor& key = keys_[k];
    if (key.autokey_offset < 0) continue;
    const std::string text = BuildKeyText(record_buffer_, static_cast<std::uint16_t>(k));
    if (text.size() < kAutoKeyChars) return RecordError(kDrvAutoKeyNotNumber, 1, k), false;
    const std::string prefix = text.substr(0, text.size() - kAutoKeyChars);
    // The highest entry under the prefix: search backwards from the prefix padded with the
    // highest character to the key's full length.
    std::string probe = prefix;
    if (probe.size() < key.length) probe.resize(key.length, '\xFF');
    std::int32_t ref = kHighestRef;
    const int cls = WFindKeyAndRef(k, probe, ref, -1);
    std::int64_t number = key.autokey_lowest;
    if (cls == 0 && BeginsWith(probe, prefix)) {
      if (probe.size() - prefix.size() != kAutoKeyChars) {
        return RecordError(kDrvAutoKeyNotNumber, 2, k, ref), false;
      }
      number = std::max<std::int64_t>(static_cast<std::int64_t>(common::KeyToLongInt(
                                          std::string_view(probe).substr(prefix.size()))) +
                                          key.autokey_step,
                                      key.autokey_lowest);
      if (number > std::numeric_limits<std::int32_t>::max()) {
        return RecordError(kDrvAutoKeyNotNumber, 3, k, ref), false;
      }
    } else if (cls > kClassNotFound) {
      RecordEngineError(4, k);
      return false;
    }
    Engine().ResetError();
    common::WriteLeInt32(record_buffer_ + key.autokey_offset, static_cast<std::int32_t>(number));
  }
  return true;
}

bool IFDriverLow::AddAllKeys(std::int32_t ref) {
  const Step step(Stack(), kStepAddKeys);
  std::vector<std::string> texts;
  for (int k = 1; k <= key_count_; ++k) {
    texts.push_back(BuildKeyText(record_buffer_, static_cast<std::uint16_t>(k)));
    if (WAddKey(k, ref, texts.back()) == 0) continue;
    RecordEngineError(3, k, ref);
    const int error = Engine().Error();
    for (int j = 1; j < k; ++j) {
      if (WDeleteKey(j, ref, texts[j - 1]) != 0) RecordEngineError(4, j, ref, kClassSevere);
    }
    if (WDeleteRecord(ref) != 0) RecordEngineError(5, 0, ref, kClassSevere);
    Engine().SetError(error);
    return false;
  }
  return true;
}

// --- update ---

void IFDriverLow::DoUpdateRecord() {
  const Step step(Stack(), kStepUpdate);
  if (current_ref_ < 0) return RecordError(kDrvUpdateNoCurrent, 1);
  if (!LinkIsZero(record_buffer_)) return RecordError(kDrvUpdateLinkNotZero, 1);
  const int length = RecordLengthToWrite();
  if (variable_ && (length < 5 || length > buffer_length_)) {
    return RecordError(length < 5 ? kDrvVarNoLength : kDrvVarLenTooLong, 1);
  }
  if (SameAsImage(record_buffer_, length)) return;  // nothing changed: nothing is written

  TakenLocks taken;
  if (!TakeFileLock(taken) || !TakeRecordLock(taken, current_ref_)) {
    ReleaseLocks(taken);
    return;
  }
  if (WGetRecord(current_ref_) != 0) {
    const bool gone = Engine().Error() == kDrvRecordGone;
    if (gone && !note_record_lock_ && !note_file_lock_) {
      // Deleted by another user. The question is asked without any lock of ours held, so no
      // other user waits for our user's answer.
      ReleaseLocks(taken);
      const bool add_anew = retry_proc_ && !system_->ProgramHoldsLock() &&
                            CallOut([&] { return retry_proc_(name_, kReasonRecordDeleted); });
      if (!add_anew) return RecordError(kDrvRecordGone, 2, 0, current_ref_);
      Engine().ResetError();
      TakenLocks add_locks;
      if (!TakeFileLock(add_locks)) return;
      if (AddRecordAndKeys(true)) FlushIfWanted();
      ReleaseLocks(add_locks);
      return;
    }
    RecordEngineError(3, 0, current_ref_);
    ReleaseLocks(taken);
    return;
  }
  if (ChangedByAnother(4, current_ref_)) {  // never overwritten
    ReleaseLocks(taken);
    return;
  }
  // The record goes on from where the update puts it.
  walk_.Reset();
  std::vector<int> changed;
  if (!ChangeKeys(before_image_.data(), current_ref_, changed)) {
    ReleaseLocks(taken);
    return;
  }
  if (WPutRecord(current_ref_, record_buffer_, length) != 0) {
    // The keys already name the new texts: change them back so they match the stored record.
    RecordEngineError(5, 0, current_ref_);
    const int error = Engine().Error();
    ChangeKeysBack(before_image_.data(), current_ref_, changed);
    Engine().SetError(error);
    ReleaseLocks(taken);
    return;
  }
  SetImage(record_buffer_, length, ForeignChangeStamp());
  FlushIfWanted();
  ReleaseLocks(taken);
}

bool IFDriverLow::ChangeKeys(const std::uint8_t* old_image, std::int32_t ref,
                             std::vector<int>& changed) {
  const Step step(Stack(), kStepChangeKeys);
  for (int k = 1; k <= key_count_; ++k) {
    const auto key = static_cast<std::uint16_t>(k);
    const std::string old_text = BuildKeyText(old_image, key);
    const std::string new_text = BuildKeyText(record_buffer_, key);
    if (old_text == new_text) continue;
    bool ok = WAddKey(k, ref, new_text) == 0;
    if (ok && WDeleteKey(k, ref, old_text) != 0) {
      if (Engine().Error() == kIsamDeleteKeyMissing) {
        Stack().SetMissingKeyMark();
        Engine().ResetError();
      } else {
        ok = false;
        RecordEngineError(1, k, ref);
        const int error = Engine().Error();
        if (WDeleteKey(k, ref, new_text) != 0) {
          RecordError(kDrvKeyUndoFailed, 2, k, ref);
        }
        ChangeKeysBack(old_image, ref, changed);
        Engine().SetError(error);
        return false;
      }
    }
    if (!ok) {
      RecordEngineError(3, k, ref);
      const int error = Engine().Error();
      ChangeKeysBack(old_image, ref, changed);
      Engine().SetError(error);
      return false;
    }
    changed.push_back(k);
  }
  return true;
}

void IFDriverLow::ChangeKeysBack(const std::uint8_t* old_image, std::int32_t ref,
                                 const std::vector<int>& changed) {
  const Step step(Stack(), kStepChangeKeysBack);
  int found = 0;
  for (int k : changed) {
    const auto key = static_cast<std::uint16_t>(k);
    const std::string old_text = BuildKeyText(old_image, key);
    const std::string new_text = BuildKeyText(record_buffer_, key);
    if (old_text == new_text) continue;
    ++found;
    if (WAddKey(k, ref, old_text) != 0 || WDeleteKey(k, ref, new_text) != 0) {
      RecordError(kDrvKeyUndoFailed, 4, k, ref);
    }
  }
  if (found < static_cast<int>(changed.size())) RecordError(kDrvUndoCountMismatch, 5);
}

// --- delete ---

void IFDriverLow::DoDeleteRecord(int mode) {
  const Step step(Stack(), kStepDelete);
  if (mode < 0 || mode > 4) mode = 0;
  if (mode != 0 && current_key_ > key_count_) return RecordError(kDrvDeleteKeyRange, 1);
  if (current_ref_ < 0) return RecordError(kDrvRecordGone, 1);
  const std::int32_t ref = current_ref_;
  TakenLocks taken;
  if (!TakeFileLock(taken) || !TakeRecordLock(taken, ref)) {
    ReleaseLocks(taken);
    ClearCurrent();
    return;
  }
  if (WGetRecord(ref) != 0) {
    RecordEngineError(2, 0, ref);
    ReleaseLocks(taken);
    ClearCurrent();
    return;
  }
  if (ChangedByAnother(3, ref)) {
    ReleaseLocks(taken);
    ClearCurrent();
    return;
  }
  // The entries are built from the record as stored (the verified re-read), not from the
  // caller's buffer, which may have been changed since: a key built from changed data would
  // miss its entry and leave it pointing at a freed slot.
  std::vector<std::string> texts;
  for (int k = 1; k <= key_count_; ++k) {
    texts.push_back(BuildKeyText(read_buffer_.data(), static_cast<std::uint16_t>(k)));
  }
  std::vector<int> deleted;
  const auto put_back = [&] {
    const int error = Engine().Error();
    for (int k : deleted) {
      if (WAddKey(k, ref, texts[k - 1]) != 0) RecordEngineError(5, k, ref, kClassSevere);
    }
    Engine().SetError(error);
  };
  for (int k = 1; k <= key_count_; ++k) {
    if (WDeleteKey(k, ref, texts[k - 1]) == 0) {
      deleted.push_back(k);
    } else if (Engine().Error() == kIsamDeleteKeyMissing) {
      Stack().SetMissingKeyMark();
      Engine().ResetError();
    } else {
      // The record stays; so do its keys.
      RecordEngineError(4, k, ref);
      put_back();
      ReleaseLocks(taken);
      ClearCurrent();
      return;
    }
  }
  if (WDeleteRecord(ref) != 0) {
    RecordEngineError(6, 0, ref);
    put_back();
    ReleaseLocks(taken);
    ClearCurrent();
    return;
  }
  read_ref_ = -1;
  ClearCurrent();
  FlushIfWanted();
  ReleaseLocks(taken);
  if (Stack().ErrorClass() != 0) return;

  // Repositioning.
  const Step reposition(Stack(), kStepReposition);
  const int key = current_key_;
  if (mode == 0) return;
  if (key == 0) {
    switch (mode) {
      case 1:
        return DoPhysicalStep(1, 0);
      case 2:
        return DoPhysicalStep(0, 0);
      case 3:
        return DoPhysicalStep(2, ref);
      default:
        return DoPhysicalStep(3, ref);
    }
  }
  if (mode == 1) return DoKeyStep(key, 1);
  if (mode == 2) return DoKeyStep(key, 0);
  std::string text = texts[key - 1];
  std::int32_t at = ref;
  if (WFindKeyAndRef(key, text, at, mode == 3 ? 1 : -1) != 0) {
    RecordEngineError(7, key, ref);
    return;
  }
  if (ReadAsCurrent(at, 7)) walk_.PositionedThrough(key);
}

// --- navigation ---

bool IFDriverLow::ReadAsCurrent(std::int32_t ref, std::uint32_t argument) {
  if (WGetRecord(ref) != 0) {
    RecordEngineError(argument, 0, ref);
    return false;
  }
  TakeReadRecord(ForeignChangeStamp());
  current_ref_ = image_ref_ = ref;
  walk_.Reset();
  return true;
}

bool IFDriverLow::KeyInRange(int key, bool allow_zero) {
  if ((key == 0 && allow_zero) || (key >= 1 && key <= key_count_)) return true;
  RecordError(kDrvKeyNumberRange, 1, key);
  return false;
}

bool IFDriverLow::Beyond(int key, const KeyEntry& from, const std::string& text, std::int32_t ref,
                         bool forward) const {
  const KeyDescriptor& k = keys_[static_cast<std::size_t>(key)];
  int order = std::string_view(text)
                  .substr(0, k.length)
                  .compare(std::string_view(from.text).substr(0, k.length));
  if (order == 0 && k.duplicates) order = ref < from.ref ? -1 : (ref > from.ref ? 1 : 0);
  return forward ? order > 0 : order < 0;
}

bool IFDriverLow::StepOn(int key, const KeyEntry& from, bool positioned, bool forward,
                         std::string& text, std::int32_t& ref) {
  // `from` is not found again though nobody else changed the file since it was read: a descent
  // cannot find an entry whose text is out of place, and without duplicates it may find another
  // entry of that text instead. That is damage. After another station's change (its record
  // changed, deleted or renumbered, or a repair that listed it elsewhere) the neighbour is the
  // step.
  bool lost = false;
  const auto step = [&](bool from_position) {
    text = from.text;
    ref = from.ref;
    if (!from_position) {
      const int cls = WFindKeyAndRef(key, text, ref, 0);
      const bool absent = cls != 0 && Engine().Error() == kIsamKeyRefAbsent;
      lost = (absent || (cls == 0 && ref != from.ref)) && !ChangedSince(from.stamp);
      if (lost) return cls;
      if (absent) {
        text = from.text;
        ref = from.ref;
        return WFindKeyAndRef(key, text, ref, forward ? 1 : -1);
      }
      if (cls != 0) return cls;
    }
    return forward ? WNextKey(key, text, ref) : WPrevKey(key, text, ref);
  };
  int cls = step(positioned);
  if (!lost && cls == 0 && !Beyond(key, from, text, ref, forward)) {
    // A step over a sound index nobody else changes always goes beyond its entry. Taken again
    // under the write lock, from the entry found anew: a step that still does not go beyond comes
    // round over a damaged index. One that goes on now, while nobody changed the file, shows that
    // the first strayed from the tree's order: the walk may have passed entries behind its own,
    // which it cannot come back to, so that the walk ends with an error once the files are
    // repaired.
    const bool unchanged = !ChangedSince(from.stamp);
    TakenLocks taken;
    if (!TakeFileLock(taken)) return false;
    cls = step(false);
    ReleaseLocks(taken);
    if (Stack().ErrorClass() != 0) return false;
    const bool round = lost || (cls == 0 && !Beyond(key, from, text, ref, forward));
    if (unchanged && !round) walk_.Pass(key, -1, RepairMark());
    lost = round || unchanged;
  }
  if (lost) {
    Engine().ResetError();
    RecordError(kIsamKeyHeaderBad, 2, key, from.ref);
    return false;
  }
  if (cls != 0) {
    FoundNothing(key, forward, cls);
    return false;
  }
  return true;
}

void IFDriverLow::FoundNothing(int key, bool forward, int cls) {
  if (cls == kClassNotFound && EndsOffCount(key, forward)) return;
  RecordEngineError(2, key);
  if (cls == kClassNotFound) walk_.AtEnd(key);
}

void IFDriverLow::DoKeyStep(int key, int how) {
  // The key becomes the current key before it is checked, as it always has: a delete that
  // repositions on it afterwards is refused (28714).
  current_key_ = static_cast<std::uint16_t>(key);
  if (!KeyInRange(key, true)) return;
  if (key == 0) {
    if ((how == 2 || how == 3) && current_ref_ < 0) return RecordError(kDrvNoCurrentPhysical, 1);
    return DoPhysicalStep(how, current_ref_);
  }
  const bool forward = how == 0 || how == 2;
  // Beyond the ends of the key the step begins anew at an end, as the engine's step from there.
  if (walk_.BeyondEnd(key)) how = forward ? 0 : 1;
  std::string text;
  std::int32_t ref = 0;
  if (how == 0 || how == 1) {
    // One engine call from beyond either end: a position cleared by a first call would be lost
    // when another station changed the key before a second one.
    if (!forward) text.assign(keys_[static_cast<std::size_t>(key)].length, '\xFF');
    ref = forward ? 0 : kHighestRef;
    // Taken before the first entry is read: a repair from then on may have come too late for it.
    const int repairs = RepairMark();
    const int cls = WFindKeyAndRef(key, text, ref, forward ? 1 : -1);
    walk_.BeginFromEnd(key, forward, ForeignChangeStamp(), repairs);
    if (cls != 0) return FoundNothing(key, forward, cls);
    ReadEntryAsCurrent(key, text, ref, forward, nullptr);
    return CountStep(key);
  }
  if (walk_.Ended(key)) {
    // Its files were repaired when it ended: the step tells its end again and repairs nothing.
    walk_.End(key);
    return RecordError(kIsamKeyHeaderBad, 6, key);
  }
  if (walk_.Passed(key) && !PassedNothing(key)) return;
  walk_.StepBegins(key, forward);
  const KeyEntry* walk_entry = walk_.EntryOf(key);
  if (current_ref_ < 0 && walk_entry == nullptr) {
    // No current record: the key goes on from wherever its position stands.
    if ((forward ? WNextKey(key, text, ref) : WPrevKey(key, text, ref)) != 0) {
      return RecordEngineError(2, key);
    }
    return ReadEntryAsCurrent(key, text, ref, forward, nullptr);
  }
  // The walk's entry, else the current record's. The walk's stays as it is until a record is
  // delivered, which ends the step.
  KeyEntry current;
  if (walk_entry == nullptr) {
    current = {BuildKeyText(before_image_.data(), static_cast<std::uint16_t>(key)), current_ref_,
               image_stamp_};
  }
  const KeyEntry& from = walk_entry != nullptr ? *walk_entry : current;
  if (StepOn(key, from, walk_.Positioned(key), forward, text, ref)) {
    ReadEntryAsCurrent(key, text, ref, forward, &from);
    CountStep(key);
  }
}

void IFDriverLow::ReadEntryAsCurrent(int key, std::string text, std::int32_t ref, bool forward,
                                     const KeyEntry* from) {
  for (int tries = 0;; ++tries) {
    KeyEntry entry{std::move(text), ref, ForeignChangeStamp()};
    const EntryRead read = ReadThroughKey(key, entry, 3, true);
    if (read == EntryRead::kUnlisted && from != nullptr &&
        !Beyond(key, *from, BuildKeyText(read_buffer_.data(), static_cast<std::uint16_t>(key)),
                entry.ref, forward)) {
      // The repair lists the record where the walk has passed: it comes here, where its entry
      // stood, and the walk goes on from its own entry once the files are repaired.
      walk_.DeliverDamaged(key, *from,
                           std::span(before_image_).first(static_cast<std::size_t>(image_length_)));
      TakeReadRecord(entry.stamp);
      current_ref_ = image_ref_ = entry.ref;
      return;
    }
    if (read != EntryRead::kGone) return;
    if (tries == kMaxStepsPastGone) return RecordError(kDrvRecordGone, 3, key, entry.ref);
    if (!StepOn(key, entry, false, forward, text, ref)) return;
  }
}

bool IFDriverLow::Carries(int key, const std::string& text) {
  return BuildKeyText(read_buffer_.data(), static_cast<std::uint16_t>(key)) == text;
}

void IFDriverLow::Deliver(int key, const KeyEntry& entry) {
  TakeReadRecord(entry.stamp);
  current_ref_ = image_ref_ = entry.ref;
  walk_.Deliver(key, entry);
}

IFDriverLow::EntryRead IFDriverLow::ReadThroughKey(int key, KeyEntry& entry, std::uint32_t argument,
                                                   bool walking) {
  // Unless another station changed the file since the key was read, the slot holds the record
  // the entry names; a walk looks all the same, for damage.
  const std::string& text = entry.text;
  std::int32_t& ref = entry.ref;
  if (WGetRecord(ref) == 0 && ((!walking && !ChangedSince(entry.stamp)) || Carries(key, text))) {
    Deliver(key, entry);
    return EntryRead::kDelivered;
  }
  if (!Engine().Ok() && Engine().Error() != kDrvRecordGone) {
    RecordEngineError(argument, 0, ref);
    return EntryRead::kFailed;
  }
  // The slot is free or its record carries another text: another station deleted, replaced or
  // moved the record since the index was read, or the index is damaged.
  const bool slot_free = !Engine().Ok();
  const Step step(Stack(), kStepEntryCheck);
  TakenLocks taken;
  if (!TakeFileLock(taken)) return EntryRead::kFailed;
  EntryRead read = EntryRead::kGone;
  std::int32_t at = ref;
  if (!ChangedSince(entry.stamp)) {
    // Nobody else changed the file since, nor can under the lock: the entry still names the slot,
    // found again by a descent of the tree or not (a text out of place).
    read = slot_free ? EntryRead::kDamaged : MisnamedRecord(key, ref);
  } else if (std::string found = text; WFindKeyAndRef(key, found, at, 0) == 0) {
    ref = at;
    if (WGetRecord(ref) == 0 && Carries(key, text)) {
      read = EntryRead::kDelivered;
    } else if (Engine().Ok()) {
      read = MisnamedRecord(key, ref);
    } else {
      read = Engine().Error() == kDrvRecordGone ? EntryRead::kDamaged : EntryRead::kFailed;
    }
  } else if (Engine().Error() != kIsamKeyRefAbsent) {
    read = EntryRead::kFailed;
  }
  if (read == EntryRead::kFailed) RecordEngineError(argument, key, ref);
  if (read != EntryRead::kFailed) Engine().ResetError();
  ReleaseLocks(taken);
  if (Stack().ErrorClass() != 0) return EntryRead::kFailed;
  if (read == EntryRead::kDelivered) Deliver(key, entry);
  // The index names a free slot or a record of another text under the lock: it is damaged and
  // must be repaired.
  if (read == EntryRead::kDamaged || read == EntryRead::kUnlisted) {
    RecordError(kIsamKeyHeaderBad, argument, key, ref);
  }
  return read;
}

IFDriverLow::EntryRead IFDriverLow::MisnamedRecord(int key, std::int32_t ref) {
  std::string own = BuildKeyText(read_buffer_.data(), static_cast<std::uint16_t>(key));
  std::int32_t own_ref = ref;
  const bool listed = WFindKeyAndRef(key, own, own_ref, 0) == 0 && own_ref == ref;
  Engine().ResetError();
  return listed ? EntryRead::kDamaged : EntryRead::kUnlisted;
}

void IFDriverLow::DoPhysicalStep(int how, std::int32_t from) {
  walk_.PositionsLost();
  DriverEngine& e = Engine();
  std::int32_t slots = 0;
  Retried(RetryKind::kRecord, [&] { slots = e.RecordSlots(fileblock_); });
  if (!e.Ok()) return RecordEngineError(4);
  const std::int32_t highest = slots - 1;
  std::int32_t ref = 0;
  std::int32_t step = 1;
  switch (how) {
    case 0:
      ref = 1;
      break;
    case 1:
      ref = highest, step = -1;
      break;
    case 2:
      ref = from + 1;
      break;
    default:
      ref = from - 1, step = -1;
      break;
  }
  for (; ref >= 1 && ref <= highest; ref += step) {
    // Free slots (and continuation sections) have a non-zero head. A head that cannot be read
    // is taken as a record to read: another user's record lock covers exactly those bytes.
    std::uint8_t head[4] = {1, 0, 0, 0};
    e.RecordHead(fileblock_, ref, head);
    if (e.Ok() && !LinkIsZero(head)) continue;
    e.ResetError();
    if (WGetRecord(ref) != 0) {
      if (e.Error() == kDrvRecordGone) continue;
      return RecordEngineError(5, 0, ref);
    }
    ReadAsCurrent(ref, 6);
    return;
  }
  RecordError(kDrvNoPhysicalRecord, 7);
}

void IFDriverLow::DoSearch(int key, const std::string& wanted, bool exact) {
  current_key_ = static_cast<std::uint16_t>(key);
  if (!KeyInRange(key, false)) return;
  walk_.Search();
  std::string text = wanted.substr(0, kMaxKeyLength);
  const std::string cut = text;
  std::int32_t ref = 0;
  for (int tries = 0;; ++tries) {
    const int cls = WSearchKey(key, text, ref);
    if (exact && cls <= kClassNotFound && (cls != 0 || !BeginsWith(text, cut))) {
      return RecordError(kDrvFindNoMatch, 1, key);
    }
    if (cls != 0) return RecordEngineError(2, key);
    // Taken away by another station between the two reads: the search is made again.
    KeyEntry entry{text, ref, ForeignChangeStamp()};
    if (ReadThroughKey(key, entry, 3, false) != EntryRead::kGone) return;
    if (tries == kMaxStepsPastGone) return RecordError(kDrvRecordGone, 4, key, ref);
    text = cut;
  }
}

void IFDriverLow::DoGetRecord(std::int32_t ref) { ReadAsCurrent(ref, 1); }

DriverPosition IFDriverLow::DoSavePosition(int key) {
  DriverPosition pos;
  if (key < 0 || key > key_count_) {
    RecordError(kDrvKeyNumberRange, 1, key);
    return pos;
  }
  pos.key = static_cast<std::uint16_t>(key);
  pos.ref = image_ref_;
  if (key != 0 && image_ref_ >= 0) {
    pos.key_text = BuildKeyText(before_image_.data(), static_cast<std::uint16_t>(key));
  }
  pos.driver = this;
  return pos;
}

void IFDriverLow::DoRestorePosition(const DriverPosition& pos) {
  if (pos.key > key_count_) return RecordError(kDrvKeyNumberRange, 1, pos.key);
  if (pos.ref < 0) return RecordError(kDrvRecordGone, 2);
  current_key_ = pos.key;
  if (pos.key == 0) {
    ReadAsCurrent(pos.ref, 3);
    return;
  }
  std::string text = pos.key_text;
  std::int32_t ref = pos.ref;
  if (WFindKeyAndRef(pos.key, text, ref, 0) != 0) return RecordEngineError(4, pos.key, pos.ref);
  if (ReadAsCurrent(ref, 5)) walk_.PositionedThrough(pos.key);
}

}  // namespace storage
