// What the evaluation charts of the log window count, without a widget: the QSOs and new
// multipliers of a log in each of the 24 hours from 15:00 UTC of the contest's start day (the
// hourly chart of 'W'), the QSOs by the partner's membership age (the overview of 'P' and '5'),
// and the vertical scale both charts draw their bars on.
//
// Both walks read the log in date and time order (key 1) and pass over records with the skip
// mark (QSY markers). They move the table object they are given.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "contest/contest_table.h"

namespace contestlog {

inline constexpr int kChartHours = 24;
// Ages from this one on share its counter ("90 und mehr").
inline constexpr int kOldestAge = 90;
// Bars reach this many pixels at the full scale.
inline constexpr int kBarRange = 200;

struct HourlyCounts {
  // Index 1..24: the hour's column (index 0 unused).
  std::array<int, kChartHours + 1> qsos{};
  std::array<int, kChartHours + 1> multis{};
  int early = 0;      // QSOs before 15:00 UTC of the start day
  bool late = false;  // a QSO after the 24 hours was met; the walk stopped there
};

// The column of a QSO at `date` and `time` (seconds of the day): the hour since 14:00 UTC of
// the start day, so 15:00 on the start day is column 1 and 14:00 the next day column 24. Below
// 1 lies before the contest, above 24 after it. Counted from the date and the hour, so that two
// QSOs a day apart never share a column.
int HourlyColumn(std::int32_t start_day, std::int32_t date, std::int32_t time);

// Counts the QSOs and new multipliers (CMulti set) of `log` by column. A QSO before the period
// counts as early; the first one after it sets `late` and ends the walk.
HourlyCounts CountHourly(contest::TdbContestBase& log, std::int32_t start_day);

// The partner's membership age from the received exchange text: its 4th and 5th characters as
// two digits. None for "XX" (age missing) and for anything else that is not two digits.
std::optional<int> PartnerAge(std::string_view exchange_text);

// The counter of `age` in steps of `step` years (1, 5 or 10): the step's first year, so that the
// bar stands over its label "a-(a+4)" or "a-(a+9)"; 90 and more all on 90.
int AgeCounter(int age, int step);

// Counts the QSOs of `log` that have points by the partner's age (counters 0..90); QSOs whose
// age is missing or unreadable are not counted.
std::array<int, kOldestAge + 1> CountAges(contest::TdbContestBase& log, int step);

// The top of the chart's scale for its largest count: 0 stays 0 (nothing to draw); anything
// else at least 10, raised to a multiple of 10.
int ChartScale(int largest);

// The top of a bar for `count` on `scale` (above 0), in the panel's pixels: the full scale at
// 50, an empty bar at 250 (the baseline).
int BarTop(int scale, int count);

}  // namespace contestlog
