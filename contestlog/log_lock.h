// The write lock of a shared log held for a stretch of work: a pass over the log, whose many
// reads then need no lock of their own, or steps no other station may come between (the save's
// numbers and its insert). A lock the object holds already is left to its holder.
#pragma once

#include "contest/contest_table.h"

namespace contestlog {

class LogLock {
 public:
  explicit LogLock(contest::TdbContestBase& log) : log_(log) {
    if (log_.FileLocked()) return;
    log_.LockFile();
    taken_ = log_.FileLocked();
  }
  ~LogLock() {
    if (taken_) log_.UnlockFile();
  }
  LogLock(const LogLock&) = delete;
  LogLock& operator=(const LogLock&) = delete;

 private:
  contest::TdbContestBase& log_;
  bool taken_ = false;
};

}  // namespace contestlog
