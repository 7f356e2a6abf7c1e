// Fault injection for the file layer: makes the N-th read, write, flush, lock, rename or change
// of owner and mode of the process fail.
//
// Tests install a plan with ScopedFileFaults; the file layer counts every ReadAt, WriteAt (and
// Truncate, and a write in sequence), Flush, LockRegion, RenameFile and SetOwnerAndMode call
// while a plan is installed and fails the chosen one with the chosen Windows error, or, for a
// write with `short_write`, stores only half of its bytes and reports success (a short write).
// `sticky` fails every later call of that kind too (a full disk stays full). A rule with
// `on_hit` calls it at the chosen call before failing it: a crash test stops its process there.
// Without a plan nothing is counted and nothing fails.
#pragma once

#include <cstdint>

#include "platform/win_errors.h"

namespace platform {

struct FaultRule {
  std::uint64_t fail_at = 0;  // 1-based number of the call to fail; 0 never
  WinError error = kErrorDiskFull;
  bool sticky = false;
  bool short_write = false;
  std::uint64_t calls = 0;  // calls counted so far
  void (*on_hit)() = nullptr;

  // Counts one call; true when it is to fail.
  bool Hit();
};

struct FileFaultPlan {
  FaultRule write;
  FaultRule flush;
  FaultRule lock;
  FaultRule read;                                // `short_write` does not apply
  FaultRule rename{};                            // RenameFile; `short_write` does not apply
  FaultRule owner{.error = kErrorAccessDenied};  // SetOwnerAndMode; `short_write` does not apply
};

// The installed plan, or nullptr.
FileFaultPlan* CurrentFileFaults();

class ScopedFileFaults {
 public:
  explicit ScopedFileFaults(FileFaultPlan* plan);
  ~ScopedFileFaults();
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;

 private:
  FileFaultPlan* previous_;
};

}  // namespace platform
