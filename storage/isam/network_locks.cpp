// The write lock, the read lock and the record locks of a shared fileblock, and the slot bits
// through which the processes learn which headers another one changed.

#include <algorithm>
#include <new>

#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

LockTable& Locks() { return Engine().locks; }

// Re-reads the headers marked in `slot`, or every header; a key's cached pages go with its header.
bool ReReadMarked(Fileblock& fb, const std::uint8_t* slot, bool all) {
  for (int k = 0; k <= fb.key_count; ++k) {
    if (!all && !SlotBit(slot, k)) continue;
    if (k > 0) Engine().pool.DiscardKey(fb, k);
    if (!ReReadHeader(fb, k)) return false;
  }
  return true;
}

// A set modified marker under a lock means a process stopped in the middle of a change that no
// journal can undo: the index cannot be trusted until it is rebuilt.
bool CheckMarker(Fileblock& fb) {
  std::uint8_t marker = 0;
  if (!fb.data.Read(20, &marker, 1)) return false;
  if (marker != 0) return Fail(kIsamIndexUnusable);
  return true;
}

// Reads the own slot and re-reads what it marks (step 3 of both locks). A dialog file without
// a slot area holds a journal: `*journal_found` is set and nothing else happens. The word 2001
// tells of a writer without journal that stopped before its release: with the marker set its
// changes are unfinished (10010, and the slot stays as it is, so every later lock says so too);
// without, it had written everything back but told nobody which headers changed, so every
// header is re-read and the next release of a write lock tells everybody everything.
bool Refresh(Fileblock& fb, bool* journal_found) {
  NetworkState& n = *fb.net;
  DialogWord word = DialogWord::kJournal;
  if (!ReadDialogWord(fb.dialog, &word)) return false;
  if (word == DialogWord::kJournal) {
    *journal_found = true;
    ++n.foreign_changes;
    return true;
  }
  bool all = n.reread_all;
  if (word == DialogWord::kChanging) {
    if (!CheckMarker(fb)) return false;
    all = true;
    n.force_full_refresh = true;
  }
  std::vector<std::uint8_t> slot(n.slot_size, 0);
  const std::int64_t own = n.SlotOffset(n.own_slot);
  if (!fb.dialog.Read(own, slot.data(), n.slot_size)) {
    n.reread_all = true;
    return false;
  }
  if (!all && !SlotBit(slot.data(), fb.key_count + 1)) return true;
  ++n.foreign_changes;
  n.reread_all = false;
  // The slot is cleared first: a change marked after this point is seen next time. A read-only
  // user cannot clear it and re-reads the marked headers at every lock.
  if (!fb.read_only) {
    const std::vector<std::uint8_t> zeros(n.slot_size, 0);
    if (!fb.dialog.Write(own, zeros.data(), n.slot_size)) {
      n.reread_all = true;
      return false;
    }
  }
  if (!ReReadMarked(fb, slot.data(), all)) {
    n.reread_all = true;
    return false;
  }
  return true;
}

// The slot area with every bit of every other slot set and the own slot clear.
std::vector<std::uint8_t> AreaMarkingOthers(const NetworkState& n) {
  std::vector<std::uint8_t> area(static_cast<std::size_t>(n.slot_area_length), 0xFF);
  std::fill_n(area.begin() + n.own_slot * n.slot_size, n.slot_size, 0);
  return area;
}

// A process stopped inside a journalled change and left its journal: replay it and make every
// process re-read every header.
bool RecoverForWriter(Fileblock& fb) {
  if (!ReplayJournal(fb)) return false;
  NetworkState& n = *fb.net;
  n.reread_all = false;
  if (fb.journal) {
    // The release rewrites the slot area anyway (taking the lock empties the dialog file).
    n.force_full_refresh = true;
    return true;
  }
  return WriteSlotArea(fb.dialog, AreaMarkingOthers(n), true);
}

// As RecoverForWriter for a reader, which must first keep the other slots' owners away.
bool RecoverForReader(Fileblock& fb) {
  if (fb.read_only) return Fail(kIsamJournalReadOnly);
  NetworkState& n = *fb.net;
  platform::File& file = fb.dialog.OsFile();
  const std::int64_t own = n.SlotOffset(n.own_slot);
  const std::int64_t after = own + n.slot_size;
  const std::int64_t end = kSlotAreaStart + n.slot_area_length;
  const bool lock_before = own > kSlotAreaStart;
  const bool lock_after = after < end;
  if (lock_before && !Locks().LockRegion(file, kSlotAreaStart, own - kSlotAreaStart, 0, 0)) {
    return Fail(kIsamWriteLockRefused);
  }
  if (lock_after && !Locks().LockRegion(file, after, end - after, 0, 0)) {
    if (lock_before) Locks().UnlockRegion(file, kSlotAreaStart, own - kSlotAreaStart);
    return Fail(kIsamWriteLockRefused);
  }
  const bool ok = ReplayJournal(fb) && WriteSlotArea(fb.dialog, AreaMarkingOthers(n), true);
  if (ok) n.reread_all = false;
  bool released = !lock_after || Locks().UnlockRegion(file, after, end - after);
  released = (!lock_before || Locks().UnlockRegion(file, kSlotAreaStart, own - kSlotAreaStart)) &&
             released;
  if (!released) return Fail(kIsamUnlockFileFailed);
  return ok;
}

// Tells every other slot which headers changed (every header when `all`), clears the own slot
// and writes the word 2000.
bool PublishChanges(Fileblock& fb, bool all) {
  NetworkState& n = *fb.net;
  const auto length = static_cast<std::uint32_t>(n.slot_area_length);
  std::vector<std::uint8_t> area(length, 0);
  if (!all) {
    std::uint32_t got = 0;
    if (!fb.dialog.ReadSome(kSlotAreaStart, area.data(), length, &got)) return false;
    if (got < length) all = true;  // no valid slot area to add to: everything is news
  }
  std::vector<std::uint8_t> bits = n.changed;
  if (std::any_of(bits.begin(), bits.end(), [](std::uint8_t b) { return b != 0; })) {
    SetSlotBit(bits.data(), fb.key_count + 1);
  }
  for (int slot = 0; slot <= n.user_slots; ++slot) {
    std::uint8_t* p = area.data() + static_cast<std::size_t>(slot) * n.slot_size;
    for (int i = 0; i < n.slot_size; ++i) {
      if (slot == n.own_slot) {
        p[i] = 0;
      } else {
        p[i] = all ? 0xFF : static_cast<std::uint8_t>(p[i] | bits[i]);
      }
    }
  }
  // A damaged index stays announced: the other processes learn of it at their next lock.
  return WriteSlotArea(fb.dialog, area, false, fb.index_state != IndexState::kSound);
}

bool AnyChange(const Fileblock& fb) {
  const NetworkState& n = *fb.net;
  return std::any_of(n.changed.begin(), n.changed.end(), [](std::uint8_t b) { return b != 0; }) ||
         Unwritten(fb);
}

// Releases the write lock. Everything changed goes to disk first; when that fails the lock is
// kept, so no other process sees a half-written index, and the error stands.
bool ReleaseWriteLock(Fileblock& fb) {
  NetworkState& n = *fb.net;
  if (fb.journal || n.force_full_refresh || n.change_announced || AnyChange(fb)) {
    if (!Engine().pool.WriteFileblock(fb, false) || !WriteModifiedKeyHeaders(fb)) return false;
    if (fb.keys[0].header_modified) {
      if (!WriteDataHeader(fb, false)) return false;
    } else if (fb.modified && fb.index_state == IndexState::kSound) {
      const std::uint8_t marker = 0;
      if (!fb.data.Write(20, &marker, 1)) return false;
    }
    fb.modified = false;
    if (!PublishChanges(fb, fb.journal || n.force_full_refresh)) return false;
    n.force_full_refresh = false;
    n.change_announced = false;
  }
  std::fill(n.changed.begin(), n.changed.end(), 0);
  n.write_locked = false;
  if (!Locks().UnlockRegion(fb.dialog.OsFile(), kSlotAreaStart, n.slot_area_length)) {
    return Fail(kIsamUnlockFileFailed);
  }
  return true;
}

bool ReleaseReadLock(Fileblock& fb) {
  NetworkState& n = *fb.net;
  n.read_locked = false;
  if (!Locks().UnlockRegion(fb.dialog.OsFile(), n.SlotOffset(n.own_slot), n.slot_size)) {
    return Fail(kIsamUnlockFileFailed);
  }
  return true;
}

}  // namespace

bool NewsWaiting(Fileblock& fb) {
  if (!SharedInNetwork(fb)) return false;
  const NetworkState& n = *fb.net;
  if (n.write_locked || n.read_locked) return false;
  if (n.read_only_sharing || !n.owner_mark || n.reread_all) return true;
  const IsamState before = Isam();
  DialogWord word = DialogWord::kJournal;
  std::vector<std::uint8_t> slot(n.slot_size, 0);
  const bool news = !ReadDialogWord(fb.dialog, &word) || word != DialogWord::kSlotArea ||
                    !fb.dialog.Read(n.SlotOffset(n.own_slot), slot.data(), n.slot_size) ||
                    SlotBit(slot.data(), fb.key_count + 1);
  Isam() = before;
  return news;
}

void NoteHeaderChanged(Fileblock& fb, int key) {
  if (fb.net == nullptr || !fb.net->write_locked) return;
  SetSlotBit(fb.net->changed.data(), key);
}

bool AnnounceChange(Fileblock& fb) {
  NetworkState* n = fb.net.get();
  if (n == nullptr || !n->write_locked || n->change_announced || !fb.dialog.IsOpen() ||
      fb.data.InMemory()) {
    return true;
  }
  if (!WriteChangingWord(fb.dialog)) return false;
  n->change_announced = true;
  return true;
}

bool ReReadAllHeaders(Fileblock& fb) {
  Engine().pool.DropFileblock(fb);
  for (int k = 0; k <= fb.key_count; ++k) {
    if (!ReReadHeader(fb, k)) return false;
  }
  return true;
}

namespace {

// Whether the files are left unfinished: the data file's marker set (a writer stopped in the
// middle of a change) or this process's index damaged.
bool ReadUnfinished(Fileblock& fb, bool* unfinished) {
  std::uint8_t marker = 0;
  if (!fb.data.Read(20, &marker, 1)) return false;
  *unfinished = marker != 0 || fb.index_state != IndexState::kSound;
  return true;
}

// Steps 3 and 4 of the write lock, with the header region held: what other processes changed is
// re-read, a journal replayed, and the marker checked.
bool SettleWriteLock(Fileblock& fb) {
  bool journal_found = false;
  bool ok = Refresh(fb, &journal_found);
  if (ok && journal_found) ok = RecoverForWriter(fb);
  // A writer checks the marker whatever the word says: it is about to build on the files.
  ok = ok && CheckMarker(fb);
  // The journal starts empty; the release writes the word 2000 and the slot area again.
  return ok && (!fb.journal || EmptyJournal(fb));
}

// The write lock in two kinds: the ordinary one (without `unfinished`) refuses files a stopped
// writer left unfinished (10010); the repair's takes them, says so in `*unfinished` and reads
// nothing of them.
bool TakeWriteLock(Fileblock& fb, bool* unfinished) {
  NetworkState& n = *fb.net;
  if (n.read_locked && !ReleaseReadLock(fb)) return false;
  platform::File& file = fb.dialog.OsFile();
  // Every reader holds its own slot, so this waits until no other process holds either lock.
  if (!Locks().LockRegion(file, kSlotAreaStart, n.slot_area_length, kLockStep, kHeaderLockLimit)) {
    return Fail(kIsamWriteLockRefused);
  }
  bool ok = true;
  if (unfinished != nullptr) {
    // A journal left behind is replayed by the ordinary lock: that puts the files right.
    DialogWord word = DialogWord::kJournal;
    ok = ReadDialogWord(fb.dialog, &word) && ReadUnfinished(fb, unfinished);
    *unfinished = ok && word != DialogWord::kJournal && *unfinished;
  }
  if (ok && unfinished != nullptr && *unfinished) {
    // Whatever the others hold of the files is replaced: they re-read everything afterwards.
    n.force_full_refresh = true;
    n.reread_all = false;
  } else {
    ok = ok && SettleWriteLock(fb);
  }
  if (!ok) {
    Locks().UnlockRegion(file, kSlotAreaStart, n.slot_area_length);
    return false;
  }
  std::fill(n.changed.begin(), n.changed.end(), 0);
  n.write_locked = true;
  return true;
}

}  // namespace

bool NetWriteLock(Fileblock& fb) {
  if (fb.net->write_locked) return true;
  return TakeWriteLock(fb, nullptr);
}

bool NetWriteLockToRepair(Fileblock& fb, bool* unfinished) {
  if (!fb.net->write_locked) return TakeWriteLock(fb, unfinished);
  if (!ReadUnfinished(fb, unfinished)) return false;
  if (*unfinished) fb.net->force_full_refresh = true;
  return true;
}

bool NetReadLock(Fileblock& fb, int refused_error) {
  NetworkState& n = *fb.net;
  if (n.read_locked) return true;
  if (n.write_locked && !ReleaseWriteLock(fb)) return false;
  platform::File& file = fb.dialog.OsFile();
  const std::int64_t own = n.SlotOffset(n.own_slot);
  if (!Locks().LockRegion(file, own, n.slot_size, kLockStep, kLockLimit)) {
    return Fail(refused_error);
  }
  bool journal_found = false;
  bool ok = Refresh(fb, &journal_found);
  if (ok && journal_found) ok = RecoverForReader(fb);
  if (!ok) {
    Locks().UnlockRegion(file, own, n.slot_size);
    if (Isam().IsamError == kIsamOsFailure && FailureIsLockConflict()) {
      RecastFailure(refused_error);
    }
    return false;
  }
  n.read_locked = true;
  return true;
}

bool NetUnlock(Fileblock& fb) {
  NetworkState& n = *fb.net;
  if (n.write_locked) return ReleaseWriteLock(fb);
  if (n.read_locked) return ReleaseReadLock(fb);
  return true;
}

bool NetLockRecord(Fileblock& fb, RecRef ref) {
  if (ref == 0) return Fail(kIsamRefZero);
  if (ref < 0) return Fail(kIsamRefRange);
  std::vector<RecRef>& list = fb.net->locked_records;
  if (std::find(list.begin(), list.end(), ref) != list.end()) return true;
  try {
    list.push_back(ref);
  } catch (const std::bad_alloc&) {
    return Fail(kIsamNoMemoryLockList);
  }
  if (!Locks().LockRegion(fb.data.OsFile(), fb.RecordOffset(ref), 4, kLockStep, kLockLimit)) {
    list.pop_back();
    return Fail(kIsamRecordLockRefused);
  }
  return true;
}

bool NetUnlockRecord(Fileblock& fb, RecRef ref) {
  std::vector<RecRef>& list = fb.net->locked_records;
  const auto it = std::find(list.begin(), list.end(), ref);
  if (it == list.end()) return Fail(kIsamRecordNotLocked);
  list.erase(it);
  if (!Locks().UnlockRegion(fb.data.OsFile(), fb.RecordOffset(ref), 4)) {
    return Fail(kIsamUnlockRecordFailed);
  }
  return true;
}

bool NetUnlockAllRecords(Fileblock& fb) {
  std::vector<RecRef>& list = fb.net->locked_records;
  bool ok = true;
  while (!list.empty()) {
    const RecRef ref = list.back();
    list.pop_back();
    if (!Locks().UnlockRegion(fb.data.OsFile(), fb.RecordOffset(ref), 4)) ok = false;
  }
  return ok || Fail(kIsamUnlockRecordFailed);
}

}  // namespace storage
