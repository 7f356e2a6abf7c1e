// The decision help of the period dialog: for a contest that scores one hour of the operator's
// choice, the points of the log inside every one-hour window of the day from 08:00:00 on, one
// window a minute (08:00:00 -> 08:59:59 up to 17:00:00 -> 17:59:59), and the window proposed:
// the first with the highest sum, or 00:00:00 -> 00:59:59 when no window holds points.
//
// A QSO counts in a window when its time of day lies from the start to the end, on any day, as
// the period test of the outputs takes a period without dates. The log is walked once and the
// 541 sums taken from the points per second of the day, so that the help stays quick on a long
// log (walking the log once per window takes seconds at 10,000 QSOs).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "contest/contest_table.h"
#include "output/log_walk.h"

namespace app {

inline constexpr int kDecisionWindows = 541;
inline constexpr std::int32_t kFirstWindowStart = 8 * 3600;
inline constexpr std::int32_t kWindowLength = 59 * 60 + 59;  // the end's distance from the start

// The start of window i (0..540): 08:00:00 plus i minutes.
constexpr std::int32_t WindowStart(int i) { return kFirstWindowStart + i * 60; }

struct DecisionHelp {
  std::array<std::int64_t, kDecisionWindows> sums{};
  // The start of the proposed window.
  std::int32_t best_start = 0;
  // How the walk ended: sums of a log not read to its end are no help.
  output::LogRead read = output::LogRead::kWhole;
};

// The sums of the log's QSOs (QSY markers left out) and the proposal. The walk moves `log`.
DecisionHelp ComputeDecisionHelp(contest::TdbContestBase& log);

// "hh:mm:ss" of a time of day.
std::string PeriodTimeText(std::int32_t time);
// The memo line of window i: start + " -> " + end + " = " + sum.
std::string WindowLine(int i, std::int64_t sum);

}  // namespace app
