// Record and file locks of the engine. They act on shared fileblocks under network use; on any
// other fileblock they succeed and do nothing, and the state queries answer false.

#include "storage/engine_state.h"
#include "storage/fileblock.h"

namespace storage {
namespace {

// Runs a state query so that it keeps an error the caller has still to read: the state before
// the query comes back unless the query itself failed.
template <typename Query>
bool KeepingState(FileblockHandle handle, Query query) {
  const IsamState saved = Isam();
  bool answer = false;
  {
    EngineCall call(handle, 0);
    if (!call.ok()) return false;
    answer = query(call.fb());
  }
  if (Isam().IsamOK) Isam() = saved;
  return answer;
}

}  // namespace

void FileblockLockRecord(FileblockHandle handle, RecRef /*ref*/) { EngineCall call(handle, 0); }

void FileblockUnlockRecord(FileblockHandle handle, RecRef /*ref*/) { EngineCall call(handle, 0); }

void FileblockUnlockAllRecords(FileblockHandle handle) { EngineCall call(handle, 0); }

bool FileblockRecordLocked(FileblockHandle handle, RecRef /*ref*/) {
  return KeepingState(handle, [](Fileblock&) { return false; });
}

void FileblockLockFile(FileblockHandle handle) { EngineCall call(handle, 0); }

void FileblockReadLock(FileblockHandle handle) { EngineCall call(handle, 0); }

void FileblockUnlockFile(FileblockHandle handle) { EngineCall call(handle, 0); }

bool FileblockWriteLocked(FileblockHandle handle) {
  return KeepingState(handle, [](Fileblock&) { return false; });
}

bool FileblockReadLocked(FileblockHandle handle) {
  return KeepingState(handle, [](Fileblock&) { return false; });
}

bool FileblockAnyRecordLocked(FileblockHandle handle) {
  return KeepingState(handle, [](Fileblock&) { return false; });
}

}  // namespace storage
