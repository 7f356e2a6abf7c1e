#include "app/decision_help.h"

#include <vector>

#include "common/date_mask.h"
#include "output/log_walk.h"

namespace app {
namespace {

constexpr std::int32_t kSecondsOfDay = 24 * 3600;

}  // namespace

DecisionHelp ComputeDecisionHelp(contest::TdbContestBase& log) {
  // points_before[t]: the points of the QSOs before second t of the day.
  std::vector<std::int64_t> points_before(kSecondsOfDay + 1, 0);
  DecisionHelp help;
  help.read =
      output::ForEachLogQso(log, output::kKeyDateTime, [&](const contest::TContestLKRec& qso) {
        const std::int32_t time = qso.Zeit;
        // A time outside the day lies in no window.
        if (time >= 0 && time < kSecondsOfDay) points_before[time + 1] += qso.Points;
      });
  for (std::int32_t t = 1; t <= kSecondsOfDay; ++t) points_before[t] += points_before[t - 1];

  std::int64_t best = 0;
  for (int i = 0; i < kDecisionWindows; ++i) {
    const std::int32_t start = WindowStart(i);
    const std::int64_t sum = points_before[start + kWindowLength + 1] - points_before[start];
    help.sums[i] = sum;
    // Strictly greater: of equal sums the earlier window stays.
    if (sum > best) {
      best = sum;
      help.best_start = start;
    }
  }
  return help;
}

std::string PeriodTimeText(std::int32_t time) {
  return common::TimeToTimeString(time, "hh:mm:ss", {});
}

std::string WindowLine(int i, std::int64_t sum) {
  const std::int32_t start = WindowStart(i);
  return PeriodTimeText(start) + " -> " + PeriodTimeText(start + kWindowLength) + " = " +
         std::to_string(sum);
}

}  // namespace app
