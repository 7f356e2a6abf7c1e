#include "output/period_set.h"

#include <gtest/gtest.h>

#include "common/dates.h"
#include "tests/common/rows.h"

namespace output {
namespace {

constexpr std::int32_t At(int h, int m, int s = 0) { return h * 3600 + m * 60 + s; }
const std::int32_t kDay = common::DMYToDate(9, 3, 2024);

PeriodSet OneHourAnyDay() {
  PeriodSet p;
  p.start_times[0] = At(10, 0);
  p.end_times[0] = At(10, 59, 59);
  return p;
}

// 22:00 on the first day to 02:00 on the third.
PeriodSet Overnight() {
  PeriodSet p;
  p.start_times[0] = At(22, 0);
  p.end_times[0] = At(2, 0);
  p.start_dates[0] = kDay;
  p.end_dates[0] = kDay + 2;
  return p;
}

PeriodSet TwoHoursApart() {
  PeriodSet p = OneHourAnyDay();
  p.start_times[1] = At(14, 0);
  p.end_times[1] = At(14, 59, 59);
  return p;
}

struct PeriodRow {
  const char* name;
  PeriodSet periods;
  std::int32_t date;
  std::int32_t time;
  bool inside;
};
void PrintTo(const PeriodRow& row, std::ostream* os) { *os << row.name; }

class InPeriodTest : public ::testing::TestWithParam<PeriodRow> {};

TEST_P(InPeriodTest, DecidesByTimeAndDate) {
  const PeriodRow& r = GetParam();
  EXPECT_EQ(InPeriod(r.periods, r.date, r.time), r.inside);
}

PeriodSet StartZeroWithDates() {
  PeriodSet p;
  p.end_times[0] = At(11, 0);
  p.start_dates[0] = kDay;
  p.end_dates[0] = kDay;
  return p;
}

// A second period with an end but no start takes nothing of its own.
PeriodSet SecondWithoutStart() {
  PeriodSet p = OneHourAnyDay();
  p.end_times[1] = At(23, 0);
  p.start_dates[1] = kDay;
  p.end_dates[1] = kDay;
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Periods, InPeriodTest,
    ::testing::Values(PeriodRow{"NoPeriodsTakeEverything", {}, kDay, At(3, 0), true},
                      PeriodRow{"HourStart", OneHourAnyDay(), kDay, At(10, 0), true},
                      PeriodRow{"HourLastSecond", OneHourAnyDay(), kDay, At(10, 59, 59), true},
                      PeriodRow{"HourOtherDay", OneHourAnyDay(), kDay + 40, At(10, 30), true},
                      PeriodRow{"BeforeTheHour", OneHourAnyDay(), kDay, At(9, 59, 59), false},
                      PeriodRow{"AfterTheHour", OneHourAnyDay(), kDay, At(11, 0), false},
                      PeriodRow{"StartTimeZeroTakesAll", StartZeroWithDates(), kDay + 5,
                                At(20, 0), true},
                      PeriodRow{"OvernightEvening", Overnight(), kDay, At(23, 0), true},
                      PeriodRow{"OvernightMiddleDay", Overnight(), kDay + 1, At(12, 0), true},
                      PeriodRow{"OvernightLastMorning", Overnight(), kDay + 2, At(1, 59), true},
                      PeriodRow{"OvernightBeforeStart", Overnight(), kDay, At(21, 59), false},
                      PeriodRow{"OvernightAfterEnd", Overnight(), kDay + 2, At(2, 1), false},
                      PeriodRow{"OvernightDayBefore", Overnight(), kDay - 1, At(23, 0), false},
                      PeriodRow{"SecondPeriod", TwoHoursApart(), kDay, At(14, 30), true},
                      PeriodRow{"BetweenTwoPeriods", TwoHoursApart(), kDay, At(12, 0), false},
                      PeriodRow{"SecondWithoutStart", SecondWithoutStart(), kDay, At(20, 0),
                                false}),
    common::testing::RowName);

TEST(PeriodsGiven, NeedsStartsAndEnds) {
  EXPECT_FALSE(PeriodsGiven({}));
  EXPECT_TRUE(PeriodsGiven(OneHourAnyDay()));
  PeriodSet only_end;
  only_end.end_times[2] = At(12, 0);
  EXPECT_FALSE(PeriodsGiven(only_end));
  PeriodSet apart;
  apart.start_times[3] = At(8, 0);
  apart.end_times[1] = At(9, 0);
  EXPECT_TRUE(PeriodsGiven(apart));
}

}  // namespace
}  // namespace output
