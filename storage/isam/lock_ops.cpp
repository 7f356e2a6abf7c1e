// Record and file locks of the engine. They act on shared fileblocks under network use; on any
// other fileblock they succeed and do nothing, and the state queries answer false.

#include <algorithm>
#include <type_traits>

#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

// Runs a state query so that it keeps an error the caller has still to read: the state before
// the query comes back unless the query itself failed.
template <typename Query>
auto KeepingState(FileblockHandle handle, Query query) {
  const IsamState saved = Isam();
  std::invoke_result_t<Query, Fileblock&> answer{};
  {
    EngineCall call(handle, 0);
    if (!call.ok()) return answer;
    answer = query(call.fb());
  }
  if (Isam().IsamOK) Isam() = saved;
  return answer;
}

}  // namespace

void FileblockLockRecord(FileblockHandle handle, RecRef ref) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetLockRecord(call.fb(), ref);
}

void FileblockUnlockRecord(FileblockHandle handle, RecRef ref) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetUnlockRecord(call.fb(), ref);
}

void FileblockUnlockAllRecords(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetUnlockAllRecords(call.fb());
}

bool FileblockRecordLocked(FileblockHandle handle, RecRef ref) {
  return KeepingState(handle, [ref](Fileblock& fb) {
    if (fb.net == nullptr) return false;
    const std::vector<RecRef>& list = fb.net->locked_records;
    return std::find(list.begin(), list.end(), ref) != list.end();
  });
}

void FileblockLockFile(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetWriteLock(call.fb());
}

void FileblockReadLock(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetReadLock(call.fb(), kIsamReadLockRefused);
}

void FileblockUnlockFile(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (call.ok() && call.fb().net != nullptr) NetUnlock(call.fb());
}

bool FileblockWriteLocked(FileblockHandle handle) {
  return KeepingState(handle,
                      [](Fileblock& fb) { return fb.net != nullptr && fb.net->write_locked; });
}

bool FileblockReadLocked(FileblockHandle handle) {
  return KeepingState(handle,
                      [](Fileblock& fb) { return fb.net != nullptr && fb.net->read_locked; });
}

bool FileblockAnyRecordLocked(FileblockHandle handle) {
  return KeepingState(
      handle, [](Fileblock& fb) { return fb.net != nullptr && !fb.net->locked_records.empty(); });
}

std::uint64_t FileblockForeignChanges(FileblockHandle handle) {
  return KeepingState(handle, [](Fileblock& fb) -> std::uint64_t {
    return fb.net != nullptr ? fb.net->foreign_changes : 0;
  });
}

bool FileblockChangedSinceLock(FileblockHandle handle) {
  return KeepingState(handle, [](Fileblock& fb) { return fb.net != nullptr && NewsWaiting(fb); });
}

int FileblockRepairMark(FileblockHandle handle) {
  const IsamState saved = Isam();
  int mark = -1;
  {
    EngineCall call(handle, 0);
    if (call.ok()) mark = call.fb().dialog.IsOpen() ? ReadRepairMark(call.fb().dialog) : 0;
  }
  Isam() = saved;
  return mark;
}

}  // namespace storage
