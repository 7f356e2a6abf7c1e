#include "common/dates.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <limits>

#include "tests/common/rows.h"

namespace common {
namespace {

namespace chr = std::chrono;

TEST(DayNumbers, EveryDayFrom1600To3999RoundTripsWithItsWeekday) {
  const auto first = chr::sys_days(chr::year(1600) / chr::January / 1);
  const auto last = chr::sys_days(chr::year(3999) / chr::December / 31);
  std::int32_t n = 0;
  for (auto day = first; day <= last; day += chr::days(1), ++n) {
    const chr::year_month_day ymd(day);
    const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int y = static_cast<int>(ymd.year());
    ASSERT_EQ(DMYToDate(d, m, y), n) << d << "." << m << "." << y;
    const DayMonthYear back = DateToDMY(n);
    ASSERT_TRUE(back.day == d && back.month == m && back.year == y) << n;
    ASSERT_EQ(DayOfWeek(n), static_cast<int>(chr::weekday(day).c_encoding())) << n;
  }
  EXPECT_EQ(n - 1, kMaxDate);
}

using KnownDay = testing::Row<DayMonthYear, std::int32_t>;

class KnownDays : public ::testing::TestWithParam<KnownDay> {};

// Four-digit years are checked against the calendar above.
TEST_P(KnownDays, HaveTheirNumber) {
  const DayMonthYear& in = GetParam().in;
  EXPECT_EQ(DMYToDate(in.day, in.month, in.year), GetParam().out);
}

// clang-format off
const KnownDay kKnownDayRows[] = {
    {"two_digit_39_is_2039", {1, 1, 39}, DMYToDate(1, 1, 2039)},
    {"two_digit_40_is_1940", {1, 1, 40}, DMYToDate(1, 1, 1940)},
    {"two_digit_00_leap", {29, 2, 0}, DMYToDate(29, 2, 2000)},
    {"year_100_no_two_digit_year", {1, 1, 100}, BadDate},
    {"negative_year_no_two_digit_year", {1, 1, -1}, BadDate},
    {"before_1600", {31, 12, 1599}, BadDate}, {"after_3999", {1, 1, 4000}, BadDate},
    {"no_leap_1900", {29, 2, 1900}, BadDate}, {"no_leap_2100", {29, 2, 2100}, BadDate},
    {"april_31", {31, 4, 2000}, BadDate}, {"month_13", {1, 13, 2000}, BadDate}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, KnownDays, ::testing::ValuesIn(kKnownDayRows), testing::RowName);

TEST(LeapYears, CenturiesAnd4000) {
  EXPECT_FALSE(IsLeapYear(4000));
  EXPECT_TRUE(IsLeapYear(0));  // two-digit 00 is 2000
  EXPECT_EQ(DaysInMonth(2, 2024), 29);
  EXPECT_EQ(DaysInMonth(13, 2000), 0);
}

TEST(DayNumbers, OutsideTheRangeGiveNoParts) {
  for (std::int32_t n : {BadDate, -2, kMaxDate + 1, std::numeric_limits<std::int32_t>::min()}) {
    const DayMonthYear dmy = DateToDMY(n);
    EXPECT_TRUE(dmy.day == 0 && dmy.month == 0 && dmy.year == 0) << n;
    EXPECT_EQ(DayOfWeek(n), 7) << n;
  }
  EXPECT_EQ(DayOfWeek(31, 2, 2000), 7);
}

// From a day, by days, months and years, to a day (all zero: BadDate).
using IncRow = testing::Row2<DayMonthYear, std::array<int, 3>, DayMonthYear>;

class IncDates : public ::testing::TestWithParam<IncRow> {};

TEST_P(IncDates, MoveByTheParts) {
  const auto& [name, from, by, to] = GetParam();
  const std::int32_t expected = to.year == 0 ? BadDate : DMYToDate(to.day, to.month, to.year);
  EXPECT_EQ(IncDate(DMYToDate(from.day, from.month, from.year), by[0], by[1], by[2]), expected);
}

// clang-format off
const IncRow kIncRows[] = {
    {"one_day_over_year_end", {31, 12, 1999}, {1, 0, 0}, {1, 1, 2000}},
    {"month_end_clamped_leap", {31, 1, 2024}, {0, 1, 0}, {29, 2, 2024}},
    {"months_backwards_over_year", {15, 2, 2024}, {0, -3, 0}, {15, 11, 2023}},
    {"leap_day_plus_year", {29, 2, 2024}, {0, 0, 1}, {28, 2, 2025}},
    {"below_1600", {1, 1, 1600}, {-1, 0, 0}, {}}, {"beyond_3999", {31, 12, 3999}, {1, 0, 0}, {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, IncDates, ::testing::ValuesIn(kIncRows), testing::RowName);

TEST(Times, WrapIntoTheDay) {
  EXPECT_EQ(HMSToTime(12, 34, 0), 45240);
  EXPECT_EQ(HMSToTime(24, 0, 0), 0);
  EXPECT_EQ(HMSToTime(23, 60, 60), 60);
  EXPECT_EQ(HMSToTime(0, 0, -1), 86399);
  EXPECT_EQ(TimeToHMS(45296).minute, 34);
  EXPECT_EQ(TimeToHMS(kSecondsPerDay).hour, 0);
  EXPECT_EQ(IncTime(86000, 0, 10, 0), 200);
  EXPECT_EQ(DecTime(0, 0, 0, 1), 86399);
  EXPECT_EQ(IncTime(kNoTime, 1, 0, 0), kNoTime);
}

TEST(FloatingDate, CountsFrom30December1899) {
  EXPECT_EQ(DateToDateTime(DMYToDate(30, 12, 1899)), 0.0);
  EXPECT_EQ(DateToDateTime(DMYToDate(1, 1, 2000)), 36526.0);
  EXPECT_EQ(DateTimeToDate(36526.75), DMYToDate(1, 1, 2000));
  // A negative value's fraction counts forward from its whole day: -1.25 is 29 Dec 1899.
  EXPECT_EQ(DateTimeToDate(-1.25), DMYToDate(29, 12, 1899));
  EXPECT_EQ(DateTimeToDate(DateToDateTime(kMaxDate)), kMaxDate);
  EXPECT_EQ(DateTimeToDate(DateToDateTime(0) - 1), BadDate);
  EXPECT_EQ(DateTimeToDate(DateToDateTime(kMaxDate) + 1), BadDate);
}

}  // namespace
}  // namespace common
