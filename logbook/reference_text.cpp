#include "logbook/reference_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace logbook::detail {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string SlashedZeroToZero(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\xD8') c = '0';
  }
  return out;
}

std::string FloatToStr(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

double StrToReal(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return 0;
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto sep = text.find_first_of(",.");
  const std::string_view whole = text.substr(0, sep);
  const std::string_view fraction =
      sep == std::string_view::npos ? std::string_view() : text.substr(sep + 1);
  if (whole.empty() && fraction.empty()) return 0;
  double value = 0;
  for (char c : whole) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  double scale = 1;
  double part = 0;
  for (char c : fraction) {
    if (c < '0' || c > '9') return 0;
    part = part * 10 + (c - '0');
    scale *= 10;
  }
  value += part / scale;
  return negative ? -value : value;
}

namespace {

// The decimal digits of round(|value| * 10^decimals) after taking |value| to 18 significant
// digits, or "*" when the integer part needs more than int_digits places.
std::string ScaledDigits(double value, int int_digits, int decimals) {
  value = std::fabs(value);
  if (!std::isfinite(value)) return "*";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17e", value);  // d.ddddddddddddddddde+XX: 18 digits
  std::string mantissa;
  const char* p = buf;
  for (; *p != 'e'; ++p) {
    if (*p != '.') mantissa.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  // Digits kept: those down to the last wanted decimal, i.e. exponent + 1 + decimals of them.
  const int keep = exponent + 1 + decimals;
  std::string digits;
  if (keep < 0) return "0";
  if (keep < static_cast<int>(mantissa.size())) {
    digits = mantissa.substr(0, static_cast<std::size_t>(keep));
    if (mantissa[static_cast<std::size_t>(keep)] >= '5') {
      // Half up: carry through the kept digits.
      int i = static_cast<int>(digits.size()) - 1;
      while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
        digits[static_cast<std::size_t>(i--)] = '0';
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        digits.insert(digits.begin(), '1');
      }
    }
  } else {
    digits = mantissa + std::string(static_cast<std::size_t>(keep) - mantissa.size(), '0');
  }
  const auto nonzero = digits.find_first_not_of('0');
  digits = nonzero == std::string::npos ? "0" : digits.substr(nonzero);
  if (static_cast<int>(digits.size()) > int_digits + decimals) return "*";
  return digits;
}

}  // namespace

bool RealEqual(double a, double b, int int_digits, int decimals) {
  return ScaledDigits(a, int_digits, decimals) == ScaledDigits(b, int_digits, decimals);
}

}  // namespace logbook::detail
