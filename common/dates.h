// Day numbers and times of day: the calendar arithmetic of the whole system.
//
// Day number: signed 32-bit, day 0 = 1 January 1600, BadDate (-1) = no date; valid years are
// 1600 to 3999. Time of day: signed 32-bit seconds since midnight, 0..86399; -1 = no time.
// Two-digit years: a year 0..99 reads as 1900 + year, and when that is below 1940 as
// 2000 + year (00..39 are 2000..2039, 40..99 are 1940..1999); this holds in every routine that
// takes a year. Weekday numbers: 0 = Sunday .. 6 = Saturday, 7 for no date.
// No routine fails: bad input gives BadDate, -1 or zero parts.
#pragma once

#include <cstdint>
#include <string_view>

namespace common {

inline constexpr std::int32_t BadDate = -1;
inline constexpr std::int32_t kNoTime = -1;
inline constexpr std::int32_t kSecondsPerDay = 86400;
inline constexpr int kMinYear = 1600;
inline constexpr int kMaxYear = 3999;
// 31 December 3999, the last valid day number.
inline constexpr std::int32_t kMaxDate = 876581;

struct DayMonthYear {
  int day = 0;
  int month = 0;
  int year = 0;
};

struct HourMinSec {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The two-digit year rule; other years unchanged.
int ExpandYear(int year);

// Divisible by 4 and not by 4000, and either not by 100 or by 400.
bool IsLeapYear(int year);
// 31 or 30 by month, February 28 + leap day; 0 for a month outside 1..12.
int DaysInMonth(int month, int year);
// Day 1..days of the month, month 1..12, year (two-digit rule applied) 1600..3999.
bool ValidDate(int day, int month, int year);
// The day number, BadDate when not valid.
std::int32_t DMYToDate(int day, int month, int year);
// Day, month and year; all 0 for BadDate and any other day number outside 0..kMaxDate.
DayMonthYear DateToDMY(std::int32_t date);

// (date + 6) mod 7; 7 for a day number outside 0..kMaxDate.
int DayOfWeek(std::int32_t date);
int DayOfWeek(int day, int month, int year);

// The date moved by years and months (the day limited to the length of the month reached, so
// 31 January + 1 month is 28 or 29 February) and then by days. BadDate when the date or the
// result lies outside 1600..3999.
std::int32_t IncDate(std::int32_t date, int days, int months, int years);

// ((h mod 24) * 3600 + m * 60 + s) mod 86400, always in 0..86399.
std::int32_t HMSToTime(int hours, int minutes, int seconds);
// Hours, minutes and seconds; all 0 for -1 and any other value outside 0..86399.
HourMinSec TimeToHMS(std::int32_t time);
// The time plus or minus the amount, wrapping at midnight both ways. -1 stays -1.
std::int32_t IncTime(std::int32_t time, int hours, int minutes, int seconds);
std::int32_t DecTime(std::int32_t time, int hours, int minutes, int seconds);

// "January" .. "December" for 1..12 and "Sunday" .. "Saturday" for 0..6; empty otherwise.
std::string_view MonthName(int month);
std::string_view WeekdayName(int weekday);

// The platform's floating date: whole days since 30 December 1899, the fraction the time of day
// (of a negative value, the fraction counts forward from the day given by its integer part).
// DateToDateTime of any day number is exact; DateTimeToDate gives BadDate for a value whose day
// lies outside 1600..3999 and for not-a-number.
double DateToDateTime(std::int32_t date);
std::int32_t DateTimeToDate(double date_time);

}  // namespace common
