// Opening and closing a fileblock around its dialog file: creation, the open-time lock, the
// check of the dialog file, the owner marks and user slots, and the replay of a journal that a
// stopped process left behind.

#include <algorithm>
#include <new>

#include "platform/environment.h"
#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

LockTable& Locks() { return Engine().locks; }

// The dialog file is needed for shared use with a slot and for the journal; read-only sharing
// reads an existing one.
bool DialogWanted(const Fileblock& fb, const OpenOptions& options) {
  return (options.shared && !options.read_only_sharing) || fb.journal;
}

// Takes a free owner mark: the own user slot. Starts at a random slot and goes down, so that
// processes opening together do not all try the same one first.
bool TakeUserSlot(Fileblock& fb) {
  NetworkState& n = *fb.net;
  const int slots = n.user_slots;
  const int start = 1 + static_cast<int>(platform::CurrentRandom().Below(slots));
  for (int i = 0; i < slots; ++i) {
    int slot = start - i;
    if (slot < 1) slot += slots;
    if (Locks().LockRegion(fb.dialog.OsFile(), kOwnerMarkTop - slot, 1, 0, 0)) {
      n.own_slot = static_cast<std::uint16_t>(slot);
      n.owner_mark = true;
      return true;
    }
  }
  return Fail(kIsamNoUserSlot);
}

// Setting up the dialog file is only safe while no other process has the fileblock open: all
// owner marks at once, without waiting.
bool NoOtherOpener(Fileblock& fb) {
  platform::File& file = fb.dialog.OsFile();
  if (!Locks().LockRegion(file, kOwnerMarksStart, kOwnerMarksLength, 0, 0)) {
    return Fail(kIsamDialogBusy);
  }
  if (!Locks().UnlockRegion(file, kOwnerMarksStart, kOwnerMarksLength)) {
    return Fail(kIsamOpenUnlockFailed);
  }
  return true;
}

// The own slot cleared: what it marks from before this open, the open read already. So the first
// lock counts no change of another user that came before the open.
bool ClearOwnSlot(Fileblock& fb) {
  const NetworkState& n = *fb.net;
  const std::int64_t own = n.SlotOffset(n.own_slot);
  std::vector<std::uint8_t> slot(n.slot_size, 0);
  if (!fb.dialog.Read(own, slot.data(), n.slot_size)) return false;
  if (std::all_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b == 0; })) return true;
  std::fill(slot.begin(), slot.end(), 0);
  return fb.dialog.Write(own, slot.data(), n.slot_size);
}

// Every bit of every slot: every process re-reads every header at its next lock.
bool MarkEverything(Fileblock& fb) {
  const std::vector<std::uint8_t> area(static_cast<std::size_t>(fb.net->slot_area_length), 0xFF);
  return WriteSlotArea(fb.dialog, area, true);
}

}  // namespace

std::int64_t NetworkState::SlotOffset(int slot) const {
  return kSlotAreaStart + static_cast<std::int64_t>(slot) * slot_size;
}

bool SharedInNetwork(const Fileblock& fb) {
  return fb.net != nullptr && Engine().network_mode == kNetworkShared;
}

bool JoinUnfinished(Fileblock& fb) {
  // The open-time lock keeps every writer away: a marked data file is no change under way.
  if (fb.net == nullptr || !fb.net->open_lock) return false;
  DialogWord word = DialogWord::kJournal;
  const IsamState before = Isam();
  // A dialog file without a slot area was made fresh by a rebuild, which must be finished alone.
  bool joined = ReadDialogWord(fb.dialog, &word) && word != DialogWord::kJournal &&
                (word == DialogWord::kChanging || WriteChangingWord(fb.dialog));
  Isam() = before;
  return joined;
}

bool OpenDialogWithLock(Fileblock& fb, const std::string& name) {
  const bool network = Engine().network_mode == kNetworkShared;
  EngineOpenMode mode;
  mode.read_write = !fb.read_only;
  // In network mode the dialog file is where every user of the fileblock meets, shared or not.
  mode.shared = fb.shared || fb.read_only || network;
  mode.open_always = !fb.read_only;
  mode.never_locked = kSlotAreaStart;  // every lock lies in or behind the slot area
  if (!OpenDialogFile(fb.dialog, name, mode)) return false;
  // In network mode every open holds the rebuild lock while its dialog file is open, unless this
  // process rebuilds the fileblock itself (rebuild_lock.h).
  const bool rebuild_lock = network && !fb.read_only && ExclusiveDialog(name) == nullptr;
  return !rebuild_lock || TakeRebuildLockShared(fb.dialog);
}

bool DialogOpenDeferred(Fileblock& fb, const FileblockNames& names) {
  if (fb.dialog.IsOpen() || fb.read_only || Engine().network_mode != kNetworkShared ||
      ExclusiveDialog(names.dialog) != nullptr) {
    return true;
  }
  return OpenDialogWithLock(fb, names.dialog);
}

bool DialogOpenBegin(Fileblock& fb, const FileblockNames& names, const OpenOptions& options) {
  if (fb.shared) {
    fb.net.reset(new (std::nothrow) NetworkState);
    if (fb.net == nullptr) return Fail(kIsamNoMemoryNetState);
    fb.net->read_only_sharing = options.read_only_sharing;
  }
  if (fb.journal) {
    fb.jour.reset(new (std::nothrow) JournalState);
    if (fb.jour == nullptr) return Fail(kIsamNoMemoryFileblock);
  }
  const bool wanted = DialogWanted(fb, options);
  const bool network = Engine().network_mode == kNetworkShared;
  if (platform::FileExists(names.dialog) != platform::kErrorSuccess) {
    // Without it an unshared open takes the rebuild lock once its data file is open, so that
    // looking for a log that is not there leaves no dialog file behind.
    if (!wanted && !options.read_only_sharing) return true;
    if (fb.read_only) return Fail(kIsamDialogReadOnly);
  }
  if (!OpenDialogWithLock(fb, names.dialog)) return false;
  // While this open runs, no other process may take the write lock (which covers this byte),
  // and it waits while another process holds it.
  if (options.shared && !options.read_only_sharing && network) {
    if (!Locks().LockRegion(fb.dialog.OsFile(), kSlotAreaStart, 1, kLockStep, kHeaderLockLimit)) {
      return Fail(kIsamOpenLockRefused);
    }
    fb.net->open_lock = true;
  }
  return true;
}

bool DialogOpenFinish(Fileblock& fb, const OpenOptions& options) {
  NetworkState* n = fb.net.get();
  if (n != nullptr) {
    n->slot_size = static_cast<std::uint16_t>(DialogSlotSize(fb.key_count));
    n->user_slots = static_cast<std::uint16_t>(Engine().routines->user_slots);
    n->slot_area_length = n->slot_size * (n->user_slots + 1);
    n->changed.assign(n->slot_size, 0);
  }
  if (!fb.dialog.IsOpen()) return true;
  const int slot_size = DialogSlotSize(fb.key_count);
  const int slots = n != nullptr ? n->user_slots + 1 : 1;
  DialogCondition condition = DialogCondition::kClean;
  if (!ExamineDialog(fb.dialog, slot_size, slots, &condition)) return false;
  if (fb.read_only) {
    // A read-only user can neither replay a journal nor set a slot area up.
    if (condition == DialogCondition::kJournal ||
        (n != nullptr && condition != DialogCondition::kClean)) {
      return Fail(kIsamDialogReadOnly);
    }
  }
  const bool set_up = condition != DialogCondition::kClean;
  if (set_up && n != nullptr && n->open_lock && !NoOtherOpener(fb)) return false;
  if (n != nullptr && !n->read_only_sharing && n->user_slots > 0 && !TakeUserSlot(fb)) {
    return false;
  }
  if (!fb.read_only &&
      (condition == DialogCondition::kJournal || condition == DialogCondition::kOtherLayout)) {
    // A slot area of another size holds no journal: the replay only empties the file.
    if (!ReplayJournal(fb)) return false;
  }
  if (n != nullptr && set_up && !fb.read_only && !MarkEverything(fb)) return false;
  // Under the open-time lock no writer came between the headers read and the slot taken.
  if (n != nullptr && n->open_lock && n->owner_mark && !set_up && !fb.read_only &&
      !ClearOwnSlot(fb)) {
    return false;
  }
  if (n != nullptr && n->open_lock) {
    if (!Locks().UnlockRegion(fb.dialog.OsFile(), kSlotAreaStart, 1)) {
      return Fail(kIsamOpenUnlockFailed);
    }
    n->open_lock = false;
  }
  if (!DialogWanted(fb, options) && !options.read_only_sharing) {
    const std::string name = fb.dialog.Name();
    Locks().ReleaseAll(fb.dialog.OsFile());
    if (!fb.dialog.Close()) return false;  // gives the rebuild lock back
    // In network mode the file carries the rebuild lock of every user and stays in place:
    // deleting it under another process that has it open would split the lock in two.
    const bool stays = Engine().network_mode == kNetworkShared;
    if (!fb.read_only && !stays && !EngineDeleteFile(name)) return false;
  }
  return true;
}

void DialogOpenAbandon(Fileblock& fb) {
  // Closing the handle releases its locks; the lock table must forget them first.
  if (fb.dialog.IsOpen()) Locks().ReleaseAll(fb.dialog.OsFile());
  if (fb.data.IsOpen()) Locks().ReleaseAll(fb.data.OsFile());
}

bool NetworkCloseLocks(Fileblock& fb) {
  NetworkState& n = *fb.net;
  bool ok = true;
  if (!n.locked_records.empty()) {
    const bool was_ok = Isam().IsamOK;
    if (!NetUnlockAllRecords(fb)) {
      if (was_ok) RecastFailure(kIsamCloseUnlockRecords);
      ok = false;
    }
  }
  if (n.write_locked || n.read_locked) {
    const bool was_ok = Isam().IsamOK;
    if (!NetUnlock(fb)) {
      if (was_ok) RecastFailure(kIsamCloseUnlockFile);
      ok = false;
    }
  }
  return ok;
}

bool NetworkReleaseOwnerMark(Fileblock& fb) {
  if (fb.net == nullptr || !fb.net->owner_mark) return true;
  fb.net->owner_mark = false;
  if (!Locks().UnlockRegion(fb.dialog.OsFile(), kOwnerMarkTop - fb.net->own_slot, 1)) {
    return Fail(kIsamUnlockTempFailed);
  }
  return true;
}

}  // namespace storage
