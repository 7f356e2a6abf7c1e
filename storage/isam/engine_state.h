// The engine's process-wide state: started flag, network mode and its lock routines, the page
// buffer pool, the list of open fileblocks and the lock table. Internal to storage/isam/.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "storage/isam/engine.h"
#include "storage/isam/lock_table.h"
#include "storage/isam/page_pool.h"
#include "storage/isam/rebuild_lock.h"

namespace storage {

struct EngineGlobals {
  IsamState isam;
  bool started = false;
  int network_mode = kNetworkSingleUser;
  const LockRoutines* routines = LockRoutinesForMode(kNetworkSingleUser);
  bool refind_default = true;
  PagePool pool;
  std::vector<Fileblock*> open;  // open fileblocks, owned (freed by close)
  LockTable locks;
  std::vector<std::unique_ptr<ExclusiveUse>> exclusive;  // fileblocks this process repairs
  std::uint32_t next_serial = 1;
  std::uint32_t next_generation = 1;  // of the next opening; never 0
};

EngineGlobals& Engine();

// Operation flags of the entry guard.
inline constexpr std::uint32_t kNeedLock = 0x100;
inline constexpr std::uint32_t kTempReadLock = 0x200;
inline constexpr std::uint32_t kNeedKey = 0x400;
inline constexpr std::uint32_t kNeedWrite = 0x800;

// The entry and exit guard around every operation on a fileblock (EngineCheckEnter and
// EngineCheckLeave): resets the state, checks the engine, the handle and the operation's needs
// on entry (a key operation on a damaged index gives 10010); on leaving turns an
// operating-system failure on a shared or read-only fileblock into a lock conflict.
class EngineCall {
 public:
  EngineCall(FileblockHandle handle, std::uint32_t flags, int key = 0);
  ~EngineCall();
  EngineCall(const EngineCall&) = delete;
  EngineCall& operator=(const EngineCall&) = delete;

  bool ok() const { return fb_ != nullptr; }
  Fileblock& fb() const { return *fb_; }

 private:
  Fileblock* fb_ = nullptr;
};

}  // namespace storage
