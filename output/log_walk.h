// The walk of the outputs over a contest log: every QSO in the order of one of the log's keys,
// QSY markers (byte 165 set) left out, as no output counts or writes them.
#pragma once

#include <functional>

#include "contest/contest_table.h"
#include "contest/log_record.h"

namespace output {

// The log's keys the outputs read by.
inline constexpr int kKeyDateTime = 1;
inline constexpr int kKeyDxcc = 5;
inline constexpr int kKeyDok = 18;
inline constexpr int kKeyCMulti = 19;

// Calls `visit` with each QSO of `log` in the order of `key`. The walk moves the log object.
void ForEachLogQso(contest::TdbContestBase& log, int key,
                   const std::function<void(const contest::TContestLKRec&)>& visit);

// Whether a record of the log is a QSY marker rather than a QSO.
inline bool IsQsyMarker(const contest::TContestLKRec& record) { return record.SkipMark != 0; }

}  // namespace output
