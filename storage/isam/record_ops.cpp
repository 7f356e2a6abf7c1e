// Record operations: the data file's slots and its free chain.

#include <cstring>
#include <limits>

#include "common/le_int.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/record_steps.h"

namespace storage {
namespace {

// A reference that get and put may touch: 1..slots. A stale reference can never read the header
// or write past the end of the file.
bool CheckRef(const Fileblock& fb, RecRef ref) {
  if (ref == 0) return Fail(kIsamRefZero);
  if (ref < 0 || ref > fb.keys[0].allocated) return Fail(kIsamRefRange);
  return true;
}

bool ValidLink(const KeyDesc& d, std::int32_t link) {
  return link == -1 || (link >= 1 && link <= d.allocated);
}

// Takes a slot for a new record: the head of the free chain, else a new one at the end.
bool TakeSlot(Fileblock& fb, RecRef* ref) {
  KeyDesc& d = fb.keys[0];
  if (d.first_free != -1) {
    if (!ValidLink(d, d.first_free) || d.free_count <= 0) return Fail(kIsamFreeChainBad);
    std::uint8_t link_bytes[4];
    if (!fb.data.Read(fb.RecordOffset(d.first_free), link_bytes, 4)) return false;
    const std::int32_t link = common::ReadLeInt32(link_bytes);
    if (!ValidLink(d, link) || link == d.first_free) return Fail(kIsamFreeChainBad);
    if (!JournalBeforeFreeTake(fb, 0, link)) return false;
    *ref = d.first_free;
    d.first_free = link;
    --d.free_count;
    d.taken_from_free = true;
  } else {
    if (d.free_count != 0) return Fail(kIsamFreeChainBad);
    if (d.allocated == std::numeric_limits<std::int32_t>::max()) return Fail(kIsamShortWrite);
    *ref = ++d.allocated;
    d.taken_from_free = false;
  }
  d.header_modified = true;
  return true;
}

// Gives a slot taken by TakeSlot back (its record could not be written).
void GiveSlotBack(Fileblock& fb, RecRef ref) {
  KeyDesc& d = fb.keys[0];
  if (d.taken_from_free) {
    // A partial write may have reached the slot's link: put it back (best effort; the error of
    // the failed write stands).
    std::uint8_t link[4];
    common::WriteLeInt32(link, d.first_free);
    fb.data.Write(fb.RecordOffset(ref), link, 4);
    d.first_free = ref;
    ++d.free_count;
  } else {
    --d.allocated;
  }
}

// A record on the free chain must not be freed again: its link would close the chain into a
// cycle (10135, as for any reference that names no record). A used record begins with four zero
// bytes, and so does never a free one (its link is -1 or a slot); a slot that does not is looked
// for on the chain, a walk the free count bounds.
bool RefuseFreeSlot(Fileblock& fb, RecRef ref) {
  const KeyDesc& d = fb.keys[0];
  std::uint8_t head[4];
  if (!fb.data.Read(fb.RecordOffset(ref), head, 4)) return false;
  const std::int32_t own_link = common::ReadLeInt32(head);
  if (own_link == 0 || !ValidLink(d, own_link)) return true;
  std::int32_t link = d.first_free;
  for (std::int32_t walked = 0; link != -1; ++walked) {
    if (link == ref) return Fail(kIsamRefRange);
    if (!ValidLink(d, link) || walked >= d.free_count) return Fail(kIsamFreeChainBad);
    if (!fb.data.Read(fb.RecordOffset(link), head, 4)) return false;
    link = common::ReadLeInt32(head);
  }
  return true;
}

bool ReadRecord(Fileblock& fb, RecRef ref, void* record) {
  return fb.data.Read(fb.RecordOffset(ref), record, static_cast<std::uint32_t>(fb.RecordLength()));
}

}  // namespace

RecRef AddRecordStep(Fileblock& fb, const void* record) {
  if (!MarkModified(fb)) return 0;
  RecRef ref = 0;
  if (!TakeSlot(fb, &ref)) return 0;
  if (!fb.data.Write(fb.RecordOffset(ref), record, static_cast<std::uint32_t>(fb.RecordLength()))) {
    GiveSlotBack(fb, ref);
    return 0;
  }
  return ref;
}

bool GetRecordStep(Fileblock& fb, RecRef ref, void* record) {
  return CheckRef(fb, ref) && ReadRecord(fb, ref, record);
}

bool GetLockedRecordStep(Fileblock& fb, RecRef ref, void* record) {
  if (!CheckRef(fb, ref)) return false;
  if (ReadRecord(fb, ref, record)) return true;
  if (Isam().IsamError != kIsamOsFailure || !FailureIsLockConflict()) return false;
  // Another user's record lock covers the first 4 bytes only: the rest can still be read.
  IsamReset();
  const std::uint32_t rest = static_cast<std::uint32_t>(fb.RecordLength() - 4);
  if (fb.data.Read(fb.RecordOffset(ref) + 4, static_cast<std::uint8_t*>(record) + 4, rest)) {
    Fail(kIsamRecordLockedRead);
  }
  return false;
}

bool PutRecordStep(Fileblock& fb, RecRef ref, const void* record) {
  if (!CheckRef(fb, ref) || !MarkModified(fb)) return false;
  return fb.data.Write(fb.RecordOffset(ref), record, static_cast<std::uint32_t>(fb.RecordLength()));
}

bool DeleteRecordStep(Fileblock& fb, RecRef ref) {
  const KeyDesc& d = fb.keys[0];
  if (ref < 1 || ref > d.allocated) return Fail(kIsamRefRange);
  return RefuseFreeSlot(fb, ref) && FreeSlotStep(fb, ref);
}

bool FreeSlotStep(Fileblock& fb, RecRef ref) {
  KeyDesc& d = fb.keys[0];
  if (ref < 1 || ref > d.allocated) return Fail(kIsamRefRange);
  // More free records than slots can only come from a damaged chain.
  if (d.free_count < 0 || d.free_count >= d.allocated || !ValidLink(d, d.first_free)) {
    return Fail(kIsamFreeChainBad);
  }
  if (!MarkModified(fb) || !JournalBeforeRecordFree(fb, ref)) return false;
  std::uint8_t link[4];
  common::WriteLeInt32(link, d.first_free);
  if (!fb.data.Write(fb.RecordOffset(ref), link, 4)) return false;
  d.first_free = ref;
  ++d.free_count;
  d.header_modified = true;
  return true;
}

RecRef FileblockAddRecord(FileblockHandle handle, const void* record) {
  EngineCall call(handle, kNeedWrite | kNeedLock);
  if (!call.ok()) return 0;
  JournalUnit unit(call.fb(), kIsamAddRecordRolledBack);
  if (!unit.Begin()) return 0;
  const RecRef ref = AddRecordStep(call.fb(), record);
  return unit.End(ref != 0) ? ref : 0;
}

void FileblockGetRecord(FileblockHandle handle, RecRef ref, void* record, bool waive_read_lock) {
  EngineCall call(handle, waive_read_lock ? 0 : kTempReadLock);
  if (!call.ok()) return;
  GetRecordStep(call.fb(), ref, record);
}

void FileblockGetLockedRecord(FileblockHandle handle, RecRef ref, void* record) {
  EngineCall call(handle, kTempReadLock);
  if (!call.ok()) return;
  GetLockedRecordStep(call.fb(), ref, record);
}

void FileblockPutRecord(FileblockHandle handle, RecRef ref, const void* record, bool waive_lock) {
  EngineCall call(handle, kNeedWrite | (waive_lock ? 0 : kNeedLock));
  if (!call.ok()) return;
  PutRecordStep(call.fb(), ref, record);
}

void FileblockDeleteRecord(FileblockHandle handle, RecRef ref) {
  EngineCall call(handle, kNeedWrite | kNeedLock);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), kIsamDeleteRecordRolledBack);
  if (!unit.Begin()) return;
  unit.End(DeleteRecordStep(call.fb(), ref));
}

void FileblockRecordHead(FileblockHandle handle, RecRef ref, std::uint8_t head[4]) {
  EngineCall call(handle, 0);
  if (!call.ok() || !CheckRef(call.fb(), ref)) return;
  call.fb().data.Read(call.fb().RecordOffset(ref), head, 4);
}

std::int32_t FileblockUsedRecs(FileblockHandle handle) {
  EngineCall call(handle, kTempReadLock);
  if (!call.ok()) return -1;
  const KeyDesc& d = call.fb().keys[0];
  return d.allocated - d.free_count;
}

std::int32_t FileblockRecordSlots(FileblockHandle handle) {
  EngineCall call(handle, kTempReadLock);
  if (!call.ok()) return -1;
  return call.fb().keys[0].allocated + 1;
}

std::int32_t FileblockRecordLength(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (!call.ok()) return -1;
  return call.fb().RecordLength();
}

}  // namespace storage
