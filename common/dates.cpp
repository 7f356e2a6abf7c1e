#include "common/dates.h"

#include <cmath>

namespace common {
namespace {

constexpr std::string_view kMonthNames[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
constexpr std::string_view kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

// 30 December 1899, day 0 of the platform's floating date.
constexpr std::int32_t kDateTimeZero = 109571;

bool InRange(std::int32_t date) { return date >= 0 && date <= kMaxDate; }

std::int64_t FloorMod(std::int64_t a, std::int64_t m) {
  const std::int64_t r = a % m;
  return r < 0 ? r + m : r;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t m) { return (a - FloorMod(a, m)) / m; }

// The day number of a valid date with a four-digit year.
std::int32_t DayNumber(int d, int m, int y) {
  if (y == 1600 && m < 3) return m == 1 ? d - 1 : d + 30;
  int ms, ys;
  if (m < 3) {
    ms = m + 9;
    ys = y - 1;
  } else {
    ms = m - 3;
    ys = y;
  }
  const int c = (ys - 1600) / 100, r = (ys - 1600) % 100;
  return (146097 * c) / 4 + (1461 * r) / 4 + (153 * ms + 2) / 5 + d + 59;
}

}  // namespace

int ExpandYear(int year) {
  if (year < 0 || year > 99) return year;
  return year + 1900 < 1940 ? year + 2000 : year + 1900;
}

bool IsLeapYear(int year) {
  year = ExpandYear(year);
  return year % 4 == 0 && year % 4000 != 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int month, int year) {
  switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    default:
      return 0;
  }
}

bool ValidDate(int day, int month, int year) {
  year = ExpandYear(year);
  if (year < kMinYear || year > kMaxYear) return false;
  if (month < 1 || month > 12) return false;
  return day >= 1 && day <= DaysInMonth(month, year);
}

std::int32_t DMYToDate(int day, int month, int year) {
  if (!ValidDate(day, month, year)) return BadDate;
  return DayNumber(day, month, ExpandYear(year));
}

DayMonthYear DateToDMY(std::int32_t date) {
  if (!InRange(date)) return {};
  if (date <= 59)
    return date <= 30 ? DayMonthYear{date + 1, 1, 1600} : DayMonthYear{date - 30, 2, 1600};
  const int t = 4 * (date - 59) - 1;
  const int c = t / 146097;
  const int u = (t % 146097) / 4;
  const int v = 4 * u + 3;
  int year = 100 * c + v / 1461;
  const int w = ((v % 1461) + 4) / 4;
  const int ms = (5 * w - 3) / 153;
  const int day = ((5 * w - 3) % 153 + 5) / 5;
  int month;
  if (ms >= 10) {
    month = ms - 9;
    ++year;
  } else {
    month = ms + 3;
  }
  return {day, month, year + 1600};
}

int DayOfWeek(std::int32_t date) { return InRange(date) ? (date + 6) % 7 : 7; }

int DayOfWeek(int day, int month, int year) { return DayOfWeek(DMYToDate(day, month, year)); }

std::int32_t IncDate(std::int32_t date, int days, int months, int years) {
  if (!InRange(date)) return BadDate;
  const DayMonthYear dmy = DateToDMY(date);
  const std::int64_t month_index =
      std::int64_t{dmy.year} * 12 + (dmy.month - 1) + std::int64_t{years} * 12 + months;
  const std::int64_t year = FloorDiv(month_index, 12);
  if (year < kMinYear || year > kMaxYear) return BadDate;
  const int month = static_cast<int>(FloorMod(month_index, 12)) + 1;
  int day = dmy.day;
  const int last = DaysInMonth(month, static_cast<int>(year));
  if (day > last) day = last;
  const std::int64_t result = std::int64_t{DayNumber(day, month, static_cast<int>(year))} + days;
  return result >= 0 && result <= kMaxDate ? static_cast<std::int32_t>(result) : BadDate;
}

std::int32_t HMSToTime(int hours, int minutes, int seconds) {
  const std::int64_t t =
      FloorMod(hours, 24) * 3600 + std::int64_t{minutes} * 60 + std::int64_t{seconds};
  return static_cast<std::int32_t>(FloorMod(t, kSecondsPerDay));
}

HourMinSec TimeToHMS(std::int32_t time) {
  if (time < 0 || time >= kSecondsPerDay) return {};
  return {time / 3600, time / 60 % 60, time % 60};
}

std::int32_t IncTime(std::int32_t time, int hours, int minutes, int seconds) {
  if (time == kNoTime) return kNoTime;
  const std::int64_t t =
      std::int64_t{time} + std::int64_t{hours} * 3600 + std::int64_t{minutes} * 60 + seconds;
  return static_cast<std::int32_t>(FloorMod(t, kSecondsPerDay));
}

std::int32_t DecTime(std::int32_t time, int hours, int minutes, int seconds) {
  if (time == kNoTime) return kNoTime;
  const std::int64_t t =
      std::int64_t{time} - std::int64_t{hours} * 3600 - std::int64_t{minutes} * 60 - seconds;
  return static_cast<std::int32_t>(FloorMod(t, kSecondsPerDay));
}

std::string_view MonthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string_view();
}

std::string_view WeekdayName(int weekday) {
  return weekday >= 0 && weekday <= 6 ? kWeekdayNames[weekday] : std::string_view();
}

double DateToDateTime(std::int32_t date) {
  return static_cast<double>(std::int64_t{date} - kDateTimeZero);
}

std::int32_t DateTimeToDate(double date_time) {
  if (std::isnan(date_time)) return BadDate;
  const double day = std::trunc(date_time) + kDateTimeZero;
  if (day < 0 || day > kMaxDate) return BadDate;
  return static_cast<std::int32_t>(day);
}

}  // namespace common
