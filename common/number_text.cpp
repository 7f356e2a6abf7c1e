#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/string_helpers.h"

namespace common {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (!IsDigit(c)) return false;
  return true;
}

}  // namespace

std::string IntToStr(std::int32_t value) { return std::to_string(value); }
std::string Int64ToStr(std::int64_t value) { return std::to_string(value); }

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // 15 significant digits in scientific form ("d.dddddddddddddde+XX"), then laid out by hand so
  // that neither the locale nor the library's choice of form decides the text.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  std::string out;
  if (sci.front() == '-') {
    out = "-";
    sci.remove_prefix(1);
  }
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (IsDigit(c)) digits += c;
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  if (exponent < -5 || exponent >= 15) {
    out += digits.front();
    if (digits.size() > 1) out.append(".").append(digits, 1);
    return out.append("E").append(std::to_string(exponent));
  }
  if (exponent < 0) {
    return out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  }
  const auto int_len = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= int_len) return out.append(digits).append(int_len - digits.size(), '0');
  return out.append(digits, 0, int_len).append(".").append(digits, int_len);
}

std::int32_t StrToIntNoComma(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty() || t.find(',') != std::string::npos) return 0;
  std::string_view digits(t);
  bool negative = false;
  if (digits.front() == '+' || digits.front() == '-') {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || !AllDigits(digits)) return 0;
  std::int64_t value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return 0;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return 0;
  return static_cast<std::int32_t>(value);
}

double StrToReal(std::string_view text) {
  std::string t = ReplaceChar(Trim(text), ',', '.');
  std::string_view number(t);
  bool negative = false;
  if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
    negative = number.front() == '-';
    number.remove_prefix(1);
  }
  const std::size_t dot = number.find('.');
  const std::string_view int_part = number.substr(0, dot);
  const std::string_view frac_part =
      dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
  if (int_part.empty() && frac_part.empty()) return 0;
  if (!AllDigits(int_part) || !AllDigits(frac_part)) return 0;
  // The sign belongs to the whole number: "-1.5" is -1.5, not -1 + 0.5.
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return negative ? -value : value;
}

bool IsNumberText(std::string_view text, bool digits_only) {
  if (text.empty()) return false;
  for (char c : text) {
    if (IsDigit(c)) continue;
    if (digits_only) return false;
    if (c != ' ' && c != '$' && c != ',' && c != '.') return false;
  }
  return true;
}

}  // namespace common
