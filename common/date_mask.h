// Dates and times formatted under picture masks and read back from typed texts.
//
// Date mask letters (either case): m month number, d day, y four-digit year, n month name,
// w weekday name; each fills only its first run in the mask (a run of the same letter in either
// case). A number is copied from the right into its run: "yy" gives the last two digits of the
// year; a lower-case letter shows leading places as '0', an upper-case one as blanks ("DD" of
// day 5 is " 5"). A name is cut or filled with blanks to its run, in capitals under 'N' or 'W'.
// Every '/' becomes the date separator. BadDate turns every m, n, d, y and w into a blank.
//
// Time mask letters: h, m, s (hours, minutes, seconds) the same way, every ':' becoming the time
// separator. A 't' in the mask gets 'a' or 'p' and an 'e' gets 'm' ("hh:mm te" gives
// "01:30 pm"; capitals with the style's flag), and the hour is on the 12-hour clock. Time -1
// turns every h, m, s, t and e into a blank.
//
// Masks and results are at most kMaxMaskLength characters (longer masks are cut).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

inline constexpr std::size_t kMaxMaskLength = 40;

// The settings of the date routines that change formatted texts.
struct DateTextStyle {
  char date_separator = '/';
  char time_separator = ':';
  bool am_pm_capitals = false;
};

std::string DateToDateString(std::int32_t date, std::string_view mask, const DateTextStyle& style);
std::string TimeToTimeString(std::int32_t time, std::string_view mask, const DateTextStyle& style);

// Reads a date typed under a mask. A field is read only when the text has the length of the
// mask: the characters at the positions of its letter's first run, blanks left out. A field
// missing from the mask takes its default (month 0, day 1, year 0 = 2000); a blank field or one
// that is not a number reads as -1. The month comes from the n field when it gives a month (a
// typed name matches a month whose upper-cased name starts with it; the first in month order
// wins: "MA" is March), else from the m field. The parts must pass ValidDate; else BadDate.
std::int32_t DateStringToDate(std::string_view text, std::string_view mask);

// Reads a time typed under a mask, the fields as for dates (a field missing from the mask is 0).
// With the mask "hh:mm:ss" a text of 5 characters is read with ":00" appended. A text whose
// length differs from the mask's gives -1. Hours 0..23 (1..12 with an 'a' or 'p' at the mask's
// 't'), minutes and seconds 0..60 are valid; the result is HMSToTime of them, else -1.
std::int32_t TimeStringToTime(std::string_view text, std::string_view mask);

}  // namespace common
