#include "common/dates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace common {
namespace {

namespace chr = std::chrono;
constexpr int kIntMax = std::numeric_limits<int>::max();

// Day number by an independent route: the library's civil calendar.
std::int32_t Civil(int d, int m, int y) {
  const auto origin = chr::sys_days(chr::year(1600) / chr::January / 1);
  return static_cast<std::int32_t>(
      (chr::sys_days(chr::year(y) / chr::month(m) / chr::day(d)) - origin).count());
}

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

struct DayRow {
  const char* name;
  int d, m, y;
  std::int32_t number;
};

class KnownDays : public ::testing::TestWithParam<DayRow> {};

TEST_P(KnownDays, HaveTheirNumber) {
  EXPECT_EQ(DMYToDate(GetParam().d, GetParam().m, GetParam().y), GetParam().number);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, KnownDays, ::testing::Values(
    DayRow{"first_day", 1, 1, 1600, 0}, DayRow{"leap_day_1600", 29, 2, 1600, 59},
    DayRow{"march_1600", 1, 3, 1600, 60}, DayRow{"end_of_1999", 31, 12, 1999, 146096},
    DayRow{"two_digit_39_is_2039", 1, 1, 39, Civil(1, 1, 2039)},
    DayRow{"two_digit_40_is_1940", 1, 1, 40, Civil(1, 1, 1940)},
    DayRow{"two_digit_00_leap", 29, 2, 0, Civil(29, 2, 2000)},
    DayRow{"year_100_no_two_digit_year", 1, 1, 100, BadDate},
    DayRow{"negative_year_no_two_digit_year", 1, 1, -1, BadDate},
    DayRow{"before_1600", 31, 12, 1599, BadDate}, DayRow{"after_3999", 1, 1, 4000, BadDate},
    DayRow{"no_leap_1900", 29, 2, 1900, BadDate}, DayRow{"no_leap_2100", 29, 2, 2100, BadDate},
    DayRow{"april_31", 31, 4, 2000, BadDate}, DayRow{"month_13", 1, 13, 2000, BadDate},
    DayRow{"int_extremes", kIntMax, -kIntMax, kIntMax, BadDate}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(LeapYears, CenturiesAnd4000) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2100));
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

struct IncRow {
  const char* name;
  DayMonthYear from;
  int days, months, years;
  DayMonthYear to;  // all zero: BadDate
};

class IncDates : public ::testing::TestWithParam<IncRow> {};

TEST_P(IncDates, MoveByTheParts) {
  const IncRow& r = GetParam();
  const std::int32_t from = DMYToDate(r.from.day, r.from.month, r.from.year);
  const std::int32_t to = r.to.year == 0 ? BadDate : DMYToDate(r.to.day, r.to.month, r.to.year);
  EXPECT_EQ(IncDate(from, r.days, r.months, r.years), to);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, IncDates, ::testing::Values(
    IncRow{"one_day_over_year_end", {31, 12, 1999}, 1, 0, 0, {1, 1, 2000}},
    IncRow{"month_end_clamped_leap", {31, 1, 2024}, 0, 1, 0, {29, 2, 2024}},
    IncRow{"months_backwards_over_year", {15, 2, 2024}, 0, -3, 0, {15, 11, 2023}},
    IncRow{"leap_day_plus_year", {29, 2, 2024}, 0, 0, 1, {28, 2, 2025}},
    IncRow{"below_1600", {1, 1, 1600}, -1, 0, 0, {}},
    IncRow{"beyond_3999", {31, 12, 3999}, 1, 0, 0, {}},
    IncRow{"huge_months", {1, 1, 2000}, 0, kIntMax, 0, {}},
    IncRow{"huge_days", {1, 1, 2000}, -kIntMax, 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Times, WrapIntoTheDay) {
  EXPECT_EQ(HMSToTime(12, 34, 0), 45240);
  EXPECT_EQ(HMSToTime(24, 0, 0), 0);
  EXPECT_EQ(HMSToTime(23, 60, 60), 60);
  EXPECT_EQ(HMSToTime(0, 0, -1), 86399);
  const std::int32_t big = HMSToTime(kIntMax, kIntMax, -kIntMax);
  EXPECT_TRUE(big >= 0 && big < kSecondsPerDay);
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
  EXPECT_EQ(DateTimeToDate(std::nan("")), BadDate);
  EXPECT_EQ(DateTimeToDate(-std::numeric_limits<double>::infinity()), BadDate);
}

}  // namespace
}  // namespace common
