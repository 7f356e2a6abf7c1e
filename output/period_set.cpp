#include "output/period_set.h"

namespace output {
namespace {

bool InsideOne(const PeriodSet& p, int i, std::int32_t date, std::int32_t time) {
  const std::int32_t ts = p.start_times[i];
  const std::int32_t te = p.end_times[i];
  const std::int32_t ds = p.start_dates[i];
  const std::int32_t de = p.end_dates[i];
  if (ts == 0) return true;
  if (ds == 0) return ts <= time && time <= te;
  const bool before_start = date < ds || (date == ds && time < ts);
  const bool after_end = date > de || (date == de && time > te);
  return !before_start && !after_end;
}

}  // namespace

bool InPeriod(const PeriodSet& periods, std::int32_t date, std::int32_t time) {
  if (InsideOne(periods, 0, date, time)) return true;
  for (int i = 1; i < 4; ++i) {
    if (periods.start_times[i] > 0 && InsideOne(periods, i, date, time)) return true;
  }
  return false;
}

bool PeriodsGiven(const PeriodSet& periods) {
  std::int64_t starts = 0;
  std::int64_t ends = 0;
  for (int i = 0; i < 4; ++i) {
    starts += periods.start_times[i];
    ends += periods.end_times[i];
  }
  return starts > 0 && ends > 0;
}

}  // namespace output
