// The contest periods an output is restricted to: up to four periods, each a start and an end
// time of day (seconds, as the QSO records hold them) and optionally a start and an end date
// (day numbers). The dispatcher fills them from the period dialog for the contests that ask for
// periods; otherwise all are 0 and every QSO is inside.
#pragma once

#include <array>
#include <cstdint>

namespace output {

struct PeriodSet {
  std::array<std::int32_t, 4> start_times{};
  std::array<std::int32_t, 4> end_times{};
  std::array<std::int32_t, 4> start_dates{};
  std::array<std::int32_t, 4> end_dates{};
};

// Whether a QSO of `date` and `time` lies inside period 1, or inside period 2, 3 or 4 where that
// period has a start time. A period with start time 0 takes every QSO; one without a start date
// takes the times of any day; with dates, (date, time) lies between (start date, start time) and
// (end date, end time), comparing the time only on equal dates.
bool InPeriod(const PeriodSet& periods, std::int32_t date, std::int32_t time);

// Whether the four start times and the four end times each add up to more than 0: the summary
// sheet then writes its period lines and sums the points inside them.
bool PeriodsGiven(const PeriodSet& periods);

}  // namespace output
