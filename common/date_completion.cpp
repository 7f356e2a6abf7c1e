#include "common/date_completion.h"

#include "common/date_mask.h"
#include "common/local_clock.h"
#include "common/string_helpers.h"

namespace common {
namespace {

// Assembles day, month and year texts into "dd.mm.yyyy".
std::string Dmy(std::string_view day, std::string_view month, std::string_view year) {
  return std::string(day).append(".").append(month).append(".").append(year);
}

// A one-digit day, month or hour with its leading zero.
std::string Zero(char c) { return std::string(1, '0').append(1, c); }

}  // namespace

std::string CompleteDateText(std::string_view text, std::int32_t today) {
  if (text.size() >= 11) return std::string(text);
  const std::string t = Trim(ReplaceChar(text, ',', '.'));
  const std::string now = DateToDateString(today, "dd.mm.yyyy", DateTextStyle{});
  const std::string_view mm = std::string_view(now).substr(3, 2);
  const std::string_view yyyy = std::string_view(now).substr(6, 4);
  const std::string_view cc = std::string_view(now).substr(6, 2);
  const std::size_t len = t.size();
  // The typed characters by 1-based position, as the completion rules name them.
  auto at = [&t](std::size_t pos) { return t[pos - 1]; };
  auto part = [&t](std::size_t pos, std::size_t count) {
    return std::string_view(t).substr(pos - 1, count);
  };
  // A two-digit year: the century of today below '5', the 1900s from '5' on.
  auto century = [&cc](char first_digit) {
    return first_digit < '5' ? std::string(cc) : std::string("19");
  };
  const std::size_t dot = t.find('.') + 1;  // 1-based position of the first dot, 0 for none

  switch (len) {
    case 1:
      if (t == "0") return now;
      return Dmy(Zero(at(1)), mm, yyyy);
    case 2:
      if (at(1) == '1' || at(1) == '2' || at(1) == '3') return Dmy(t, mm, yyyy);
      if (t == "00") return now;
      if (at(1) == '0') return Dmy(Zero(at(2)), mm, yyyy);
      return Dmy(Zero(at(1)), Zero(at(2)), yyyy);
    case 3:
      if (dot == 0) return Dmy(part(1, 2), at(3) == '0' ? "01" : Zero(at(3)), yyyy);
      if (at(3) == '.') return Dmy(part(1, 2), "01", yyyy);
      return Dmy(Zero(at(1)), Zero(at(3)), yyyy);
    case 4:
      if (dot == 0) return Dmy(part(1, 2), part(3, 2), yyyy);
      if (dot == 2) return Dmy(Zero(at(1)), part(3, 2), yyyy);
      return Dmy(part(1, 2), at(4) == '0' ? "01" : Zero(at(4)), yyyy);
    case 5:
      if (dot != 0) return t + "." + std::string(yyyy);
      return Dmy(part(1, 2), Zero(at(3)), century(at(4)) + std::string(part(4, 2)));
    case 6:
      if (dot == 3) return t + std::string(yyyy);
      if (dot == 2) return Dmy(Zero(at(1)), Zero(at(3)), century(at(5)) + std::string(part(5, 2)));
      return Dmy(part(1, 2), part(3, 2), century(at(5)) + std::string(part(5, 2)));
    case 7:
      // Seven digits are day, month and the first three digits of the year; the last digit
      // comes from today's year.
      if (dot == 0) return Dmy(part(1, 2), part(3, 2), std::string(part(5, 3)) + yyyy.back());
      if (dot == 2) return Dmy(Zero(at(1)), part(3, 2), century(at(6)) + std::string(part(6, 2)));
      if (dot == 3) {
        if (at(6) == '.') return Dmy(part(1, 2), part(4, 2), yyyy);
        return Dmy(part(1, 2), Zero(at(4)), century(at(6)) + std::string(part(6, 2)));
      }
      return t;
    case 8:
      if (dot == 0) return Dmy(part(1, 2), part(3, 2), part(5, 4));
      if (dot == 2) return Dmy(Zero(at(1)), Zero(at(3)), part(5, 4));
      return Dmy(part(1, 2), part(4, 2), century(at(7)) + std::string(part(7, 2)));
    case 9:
      if (dot == 2) return "0" + t;
      if (at(5) == '.') return Dmy(part(1, 2), Zero(at(4)), part(6, 4));
      return t;
    default:
      return t;
  }
}

std::string CompleteDateText(std::string_view text) { return CompleteDateText(text, Today()); }

std::string CompleteTimeText(std::string_view text) {
  std::string t = Trim(text);
  if (t.size() >= 11) return t;
  t = ReplaceChar(t, ',', '.');
  const bool has_colon = t.find(':') != std::string::npos;
  const bool has_separator = has_colon || t.find('.') != std::string::npos;
  auto hh_mm = [](std::string_view hours, std::string_view minutes) {
    return std::string(hours).append(":").append(minutes);
  };
  const std::string_view v(t);
  if (t.size() == 4 && has_separator) return hh_mm(Zero(v[0]), v.substr(2, 2));
  if (t.size() == 4) return hh_mm(v.substr(0, 2), v.substr(2, 2));
  if (t.size() == 3 && !has_colon) return hh_mm(Zero(v[0]), v.substr(1, 2));
  return t;
}

}  // namespace common
