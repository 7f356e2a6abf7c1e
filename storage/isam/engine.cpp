#include "storage/isam/engine.h"

#include <algorithm>
#include <cstdlib>

#include "platform/environment.h"
#include "storage/isam/engine_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

constexpr int kMaxPageBuffers = 65535;  // the driver passes a 16-bit count

// At process end a still started engine closes its fileblocks, so their headers reach the disk.
void CloseAtExit() {
  if (Engine().started) EngineExit();
}

}  // namespace

EngineGlobals& Engine() {
  static EngineGlobals globals;
  return globals;
}

IsamState& Isam() { return Engine().isam; }

void IsamReset() {
  IsamState& s = Isam();
  s.IsamOK = true;
  s.IsamError = 0;
  s.FirstPrimitive = 0;
  s.FirstOsError = 0;
  s.FailureOsError = 0;
}

bool Fail(int error) {
  IsamState& s = Isam();
  if (s.IsamOK) {
    s.IsamOK = false;
    s.IsamError = error;
  }
  return false;
}

void RecastFailure(int error) {
  if (!Isam().IsamOK) Isam().IsamError = error;
}

void ClearFailure() {
  Isam().IsamOK = true;
  Isam().IsamError = 0;
  Isam().FailureOsError = 0;
}

int EngineErrorClass(int error) {
  if (error == 0) return 0;
  if ((error >= 10200 && error <= 10299) || error == kIsamFileNotFound || error == 10410) return 1;
  switch (error) {
    case kIsamPathNotFound:
    case kIsamReadOnly:
    case kIsamDriveNotReady:
    case kIsamNoUserSlot:
    case kIsamWriteLockRefused:
    case kIsamReadLockRefused:
    case kIsamRecordLockRefused:
    case kIsamOpenLockRefused:
    case kIsamDialogBusy:
    case kIsamDriveLocked:
    case kIsamSharedOsFailure:
    case kIsamTempReadLockRefused:  // and kIsamRebuildRenameRefused, the same number
      return 2;
    default:
      break;
  }
  if (error >= 10001 && error <= 10009) return 3;
  return 4;
}

Fileblock* ResolveHandle(FileblockHandle handle) {
  const auto& open = Engine().open;
  if (handle == nullptr || std::find(open.begin(), open.end(), handle.block) == open.end()) {
    return nullptr;
  }
  // The memory of a closed fileblock may hold a later one: only its own opening matches.
  Fileblock* fb = handle.block;
  if (fb->signature != kFileblockSignature || fb->generation != handle.generation) return nullptr;
  return fb;
}

EngineCall::EngineCall(FileblockHandle handle, std::uint32_t flags, int key) {
  IsamReset();
  EngineGlobals& e = Engine();
  if (!e.started) {
    Fail(kIsamNotStarted);
    return;
  }
  Fileblock* const fb = ResolveHandle(handle);
  if (fb == nullptr) {
    Fail(kIsamBadHandle);
    return;
  }
  if ((flags & kNeedWrite) != 0 && fb->read_only) {
    Fail(kIsamReadOnly);
    return;
  }
  // A data file worked on as a memory copy is this process's alone: no lock checks.
  NetworkState* net = fb->data.InMemory() ? nullptr : fb->net.get();
  // Changes of a shared fileblock need the write lock: a read or record lock would let this
  // process change index pages that another process has changed meanwhile.
  if ((flags & kNeedLock) != 0 && net != nullptr && !net->write_locked) {
    Fail(kIsamNoLockHeld);
    return;
  }
  if ((flags & kNeedKey) != 0 && (key < 1 || key > fb->key_count)) {
    Fail(kIsamKeyNumberRange);
    return;
  }
  // Nothing read from a half-changed tree can be trusted, and nothing may be added to it.
  if ((flags & kNeedKey) != 0 && fb->index_state == IndexState::kDamaged) {
    Fail(kIsamIndexUnusable);
    return;
  }
  if ((flags & kTempReadLock) != 0 && net != nullptr && !net->write_locked && !net->read_locked) {
    if (!NetReadLock(*fb, kIsamTempReadLockRefused)) return;
    net->temp_read_lock = true;
  }
  fb_ = fb;
}

EngineCall::~EngineCall() {
  if (fb_ == nullptr) return;
  // Another user's lock or share mode is a lock conflict, which the driver waits out; a full disk
  // or a refused access is not and keeps its own number.
  if (Isam().IsamError == kIsamOsFailure && (fb_->read_only || fb_->shared) &&
      FailureIsLockConflict()) {
    RecastFailure(kIsamSharedOsFailure);
  }
  NetworkState* net = fb_->net.get();
  if (net != nullptr && net->temp_read_lock) {
    net->temp_read_lock = false;
    const bool was_ok = Isam().IsamOK;
    // The release's own failure is named as such; after an earlier failure that one stands.
    if (!NetUnlock(*fb_) && was_ok) RecastFailure(kIsamUnlockTempFailed);
  }
}

void EngineInit(int network_mode, int page_buffers) {
  IsamReset();
  EngineGlobals& e = Engine();
  if (e.started) {
    Fail(kIsamAlreadyStarted);
    return;
  }
  if (page_buffers < kMinPageBuffers) {
    Fail(kIsamBufferCount);
    return;
  }
  const LockRoutines* routines = LockRoutinesForMode(network_mode);
  if (routines == nullptr) {
    Fail(kIsamNetworkMode);
    return;
  }
  if (e.pool.Allocate(std::min(page_buffers, kMaxPageBuffers)) < kMinPageBuffers) {
    e.pool.Free();
    Fail(kIsamTooFewBuffers);
    return;
  }
  static const bool registered = std::atexit(&CloseAtExit) == 0;
  (void)registered;
  e.network_mode = network_mode;
  e.routines = routines;
  e.locks.SetRoutines(routines);
  e.started = true;
}

void EngineExit() {
  IsamReset();
  EngineGlobals& e = Engine();
  if (!e.started) {
    Fail(kIsamNotStarted);
    return;
  }
  int first_error = 0;
  // Close from the end: each close removes its fileblock from the list.
  for (std::size_t i = e.open.size(); i-- > 0;) {
    if (i >= e.open.size()) continue;
    FileblockClose(FileblockHandle(e.open[i], e.open[i]->generation));
    if (!Isam().IsamOK && first_error == 0) first_error = Isam().IsamError;
  }
  IsamReset();
  if (first_error != 0) Fail(first_error);
  if (!e.open.empty()) return;
  e.exclusive.clear();  // closing the dialog files gives the rebuild locks back
  e.started = false;
  e.pool.Free();
}

bool EngineStarted() { return Engine().started; }

const char* EngineVersion() { return "05.53"; }

void EngineSleep(std::uint32_t ms) { platform::CurrentSleeper().SleepMs(ms); }

void EngineSetReFind(bool allowed) { Engine().refind_default = allowed; }

}  // namespace storage
