#include "common/real_compare.h"

#include <algorithm>
#include <string>

#include "common/number_mask.h"

namespace common {
namespace {

struct Rounded {
  int sign;          // -1, 0 or 1
  bool overflow;     // too wide for the integer places
  std::string text;  // the magnitude, '0'-filled to the mask's width
};

Rounded Round(double value, const std::string& mask) {
  Rounded r;
  // The mask has no sign place and fills with '0', so the text is the magnitude alone.
  r.text = FormatRealMask(mask, value);
  r.overflow = r.text.find('*') != std::string::npos;
  const bool zero = !r.overflow && r.text.find_first_not_of("0,") == std::string::npos;
  r.sign = zero ? 0 : (value < 0 ? -1 : 1);
  return r;
}

int CompareRounded(const Rounded& a, const Rounded& b) {
  if (a.sign != b.sign) return a.sign < b.sign ? -1 : 1;
  int magnitude;
  if (a.overflow || b.overflow) {
    magnitude = a.overflow == b.overflow ? 0 : (a.overflow ? 1 : -1);
  } else {
    magnitude = a.text.compare(b.text);
    magnitude = magnitude < 0 ? -1 : (magnitude > 0 ? 1 : 0);
  }
  return a.sign < 0 ? -magnitude : magnitude;
}

}  // namespace

bool RealCompare(double a, double b, int integer_digits, int decimals, char op) {
  // The mask holds at most 255 characters.
  integer_digits = std::clamp(integer_digits, 0, 255);
  decimals = std::clamp(decimals, 0, 254 - integer_digits);
  std::string mask(static_cast<std::size_t>(integer_digits), '@');
  if (decimals > 0) mask += "," + std::string(static_cast<std::size_t>(decimals), '@');

  const int order = CompareRounded(Round(a, mask), Round(b, mask));
  switch (op) {
    case '<':
      return order < 0;
    case '=':
      return order == 0;
    case '>':
      return order > 0;
    case '!':
      return order != 0;
    default:
      return false;
  }
}

}  // namespace common
