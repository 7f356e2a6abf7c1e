// The driver of a station that survives another station's crash: when an operation on its open
// files finds the index unusable because another station stopped in the middle of a change
// (10010), the user is told once (a station that has just opened the files is asked as any open
// that finds them unusable), the files are repaired (or found repaired by another station),
// the current record is found again in the repaired file, and the operation runs once more.
// Damage that an operation finds inside the index (10120) is mended the same way, once the data
// file is marked for the repair. A user who declines the repair is told once what that leaves,
// and is not asked again until the program's next save, change, delete or opening says so: the
// questions would otherwise come at every read, from every clock tick and key.
//
// A shared file is repaired in place under its write lock: the other stations keep it open, even
// idle ones, and take up the repaired files at their next lock. A file of this station alone is
// closed and rebuilt, which renumbers the records, so the current record is found by its keys,
// and so is the record of the entry a walk goes on from.

#include <optional>
#include <span>

#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_low.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

// Entries of one key text walked to find a record among duplicates: a cursor's record is found
// again among that many records of the same text, else it counts as gone.
constexpr int kMaxDuplicatesWalked = 10000;

bool StackHolds(const DebugStack& stack, int error) {
  for (int i = 1; i <= stack.EntryCount(); ++i) {
    if (stack.GetEntry(i).error_number == error) return true;
  }
  return false;
}

}  // namespace

bool IFDriverLow::RepairAfterCrash(std::int32_t current) {
  if (fileblock_ == nullptr || locks_at_start_) return false;
  const bool crashed = StackHolds(Stack(), kIsamIndexUnusable);
  // The error of a walk that ended over files repaired already asks for no repair.
  if (!crashed && (walk_.ToldEnd() || !StackHolds(Stack(), kIsamKeyHeaderBad))) return false;
  Stack().Clear();
  Stack().NoteInitialDriver(this);
  Engine().ResetError();
  if (!crashed) {
    // Nothing in the files tells the next open of damage inside the index: the mark does, and
    // the open asks for the rebuild.
    TakenLocks taken;
    if (!TakeFileLock(taken)) return false;
    Engine().MarkForRebuild(fileblock_);
    if (!Engine().Ok()) RecordEngineError(11);
    ReleaseLocks(taken);
    if (Stack().ErrorClass() != 0) return false;
  } else {
    // A decline holds for the stop it was about. Once this station read the files again since
    // (another station repaired them), a new stop is asked about and its decline told anew.
    const std::uint64_t stamp = ForeignChangeStamp();
    if (stamp != declined_stamp_) repair_declined_ = repair_decline_told_ = false;
    if ((repair_declined_ && !opened_now_) || !Ask(opened_now_ ? kReasonRebuild : kReasonRepair)) {
      // Not now: the file is not to be had for the moment, as when another user locks it.
      if (!repair_decline_told_) Ask(kReasonRepairDeclined);
      repair_declined_ = repair_decline_told_ = true;
      declined_stamp_ = stamp;
      RecordError(kIsamIndexUnusable, 9, 0, 0, kClassLock);
      return false;
    }
  }
  repair_declined_ = repair_decline_told_ = false;
  if (shared_) {
    if (WRepairInPlace() != 0) {
      RecordEngineError(12);
      return false;
    }
    RefindCurrent(current, false);
    return true;
  }
  // This station's hold on the files would keep the repair waiting.
  if (CloseFiles() != 0) {
    RecordEngineError(10);
    return false;
  }
  if (!OpenOnDemand()) return false;
  RefindCurrent(current, true);
  return true;
}

void IFDriverLow::RefindCurrent(std::int32_t current, bool renumbered) {
  read_ref_ = -1;
  const bool walk_on_current = walk_.OnCurrent(current_ref_);
  current_ref_ = image_ref_ = current < 0 ? -1 : FindByImage(before_image_.data(), image_length_);
  std::optional<std::int32_t> walk_ref;
  if (renumbered && walk_.GoesOn()) {
    const std::span<const std::uint8_t> image = walk_.Image();
    walk_ref = walk_on_current ? current_ref_
                               : FindByImage(image.data(), static_cast<int>(image.size()));
  }
  walk_.Repaired(walk_ref);
  Engine().ResetError();
}

std::int32_t IFDriverLow::FindByImage(const std::uint8_t* image, int length) {
  // A key without duplicates names the record (another station may have changed the rest of it
  // meanwhile, which the next update tells); among duplicates the record itself must match.
  for (const bool duplicates : {false, true}) {
    for (int k = 1; k <= key_count_; ++k) {
      if (keys_[k].duplicates != duplicates) continue;
      const std::string text = BuildKeyText(image, static_cast<std::uint16_t>(k));
      std::string found = text;
      std::int32_t ref = 0;
      if (WSearchKey(k, found, ref) != 0) continue;
      for (int walked = 0; found == text && walked < kMaxDuplicatesWalked; ++walked) {
        if (!duplicates) return ref;
        if (WGetRecord(ref) == 0 && SameRecord(read_buffer_.data(), read_length_, image, length)) {
          return ref;
        }
        if (WNextKey(k, found, ref) != 0) break;
      }
    }
  }
  return -1;
}

}  // namespace storage
