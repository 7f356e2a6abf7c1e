// The walk of the outputs over a contest log: every QSO in the order of one of the log's keys,
// QSY markers (byte 165 set) left out, as no output counts or writes them.
//
// A walk can stop before the log's end: files another station left unfinished whose repair was
// declined, a lock another station holds and the user gave up waiting for. An output written
// from such a walk would look whole to whoever reads it, so the writers walk with
// ForEachQsoOfWholeLog, which ends the output instead.
#pragma once

#include <functional>
#include <stdexcept>

#include "contest/contest_table.h"
#include "contest/log_read.h"
#include "contest/log_record.h"

namespace output {

// The log's keys the outputs read by.
inline constexpr int kKeyDateTime = 1;
inline constexpr int kKeyDxcc = 5;
inline constexpr int kKeyDok = 18;
inline constexpr int kKeyCMulti = 19;

// How a walk over the log ended.
using contest::LogRead;

// Thrown by ForEachQsoOfWholeLog: the log could not be read to its end. The output dispatcher
// (app/write_output.h) catches it and ends the output unwritten.
class LogNotRead : public std::runtime_error {
 public:
  explicit LogNotRead(LogRead cause) : std::runtime_error("log not read"), cause_(cause) {}
  LogRead Cause() const { return cause_; }

 private:
  LogRead cause_;
};

// Calls `visit` with each QSO of `log` in the order of `key`, and answers how the walk ended.
// The walk moves the log object.
LogRead ForEachLogQso(contest::TdbContestBase& log, int key,
                      const std::function<void(const contest::TContestLKRec&)>& visit);
// The same for the writers: throws LogNotRead when the walk stopped before the log's end.
void ForEachQsoOfWholeLog(contest::TdbContestBase& log, int key,
                          const std::function<void(const contest::TContestLKRec&)>& visit);

// Whether a record of the log is a QSY marker rather than a QSO.
inline bool IsQsyMarker(const contest::TContestLKRec& record) { return record.SkipMark != 0; }

}  // namespace output
