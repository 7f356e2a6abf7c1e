#include "common/number_mask.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/number_text.h"

namespace common {
namespace {

constexpr std::string_view kFieldChars = "#@*$-+,.";
constexpr std::size_t kMaxMask = 255;

bool IsDigitPlace(char c) { return c == '#' || c == '@' || c == '*' || c == '$'; }

// The absolute value of a number as decimal digits: value = 0.digits x 10^point.
struct Decimal {
  std::string digits;  // no leading zeros; empty for zero
  int point = 0;
  bool negative = false;
  bool finite = true;
};

Decimal FromInt(std::int64_t value) {
  Decimal d;
  d.negative = value < 0;
  const std::uint64_t magnitude =
      d.negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  if (magnitude != 0) d.digits = std::to_string(magnitude);
  d.point = static_cast<int>(d.digits.size());
  return d;
}

// 18 significant digits, the precision the rounding works from.
Decimal FromReal(double value) {
  Decimal d;
  if (!std::isfinite(value)) {
    d.finite = false;
    d.negative = value < 0;
    return d;
  }
  d.negative = value < 0;
  if (value == 0) return d;
  char buf[64];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = sci.find('e');
  for (char c : sci.substr(0, e))
    if (c != '.') d.digits += c;
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  d.point = exponent + 1;
  return d;
}

// The decimal rounded half up to `decimals` places, as text "int.frac" (no sign); `zero` tells
// whether the rounded value is 0.
std::string RoundedText(const Decimal& d, int decimals, bool* zero) {
  int point = d.point;
  const long keep = static_cast<long>(point) + decimals;
  std::string kept;
  if (keep >= 0) {
    const auto k = static_cast<std::size_t>(keep);
    kept = d.digits.substr(0, std::min(d.digits.size(), k));
    kept.resize(k, '0');
    if (k < d.digits.size() && d.digits[k] >= '5') {
      std::size_t i = k;
      while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
      if (i == 0) {
        kept.insert(kept.begin(), '1');
        ++point;
      } else {
        ++kept[i - 1];
      }
    }
  } else {
    point = -decimals;  // rounds to zero: only the zero decimals remain
  }
  *zero = kept.find_first_not_of('0') == std::string::npos;
  std::string int_part, frac_part;
  if (point > 0) {
    int_part = kept.substr(0, static_cast<std::size_t>(point));
    frac_part = kept.substr(static_cast<std::size_t>(point));
  } else {
    frac_part = std::string(static_cast<std::size_t>(-point), '0') + kept;
  }
  const std::size_t nz = int_part.find_first_not_of('0');
  int_part = nz == std::string::npos ? "0" : int_part.substr(nz);
  frac_part.resize(static_cast<std::size_t>(decimals), '0');
  return decimals > 0 ? int_part + "." + frac_part : int_part;
}

std::string FormatField(std::string_view field, const Decimal& number) {
  // What the field asks for.
  int digit_places = 0, decimals = 0;
  bool currency = false, sign_place = false;
  char fill = ' ';
  std::size_t decimal_pos = std::string_view::npos;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '$') currency = true;
    if (c == '*') fill = '*';
    if (c == '@') fill = '0';
    if (c == '+' || c == '-') sign_place = true;
    if (c == ',' || c == '.') decimal_pos = i;
  }
  if (field.find('@') != std::string_view::npos) currency = false;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (!IsDigitPlace(field[i])) continue;
    ++digit_places;
    if (decimal_pos != std::string_view::npos && i > decimal_pos) ++decimals;
  }
  const auto width = static_cast<std::size_t>(digit_places + (decimals > 0 ? 1 : 0));

  bool zero = true;
  std::string text = number.finite ? RoundedText(number, decimals, &zero) : std::string();
  // A value that rounds to zero shows no minus.
  const bool negative = number.negative && !(number.finite && zero);
  const bool floating_minus = negative && !sign_place && fill == ' ';
  const std::size_t leading_wanted = (currency ? 1 : 0) + (floating_minus ? 1 : 0);

  std::string out(field);
  if (!number.finite || text.size() > width || width - text.size() < leading_wanted) {
    for (std::size_t i = 0; i < field.size(); ++i) {
      const char c = field[i];
      if (IsDigitPlace(c)) out[i] = '*';
      if (c == '+') out[i] = negative ? '-' : '+';
      if (c == '-') out[i] = negative ? '-' : ' ';
    }
    return out;
  }
  const std::size_t blanks = width - text.size();
  text.insert(0, blanks, fill);
  if (currency) text[blanks - 1] = '$';
  if (floating_minus) text[blanks - (currency ? 2 : 1)] = '-';

  // Right to left: digit places take the text's characters (its '.' skipped), then the fill.
  std::size_t next = text.size();  // characters text[0, next) are not yet placed
  auto skip_point = [&] {
    if (next > 0 && text[next - 1] == '.') --next;
  };
  auto take = [&]() -> char {
    skip_point();
    return next > 0 ? text[--next] : fill;
  };
  for (std::size_t i = field.size(); i-- > 0;) {
    const char c = field[i];
    if (IsDigitPlace(c)) {
      out[i] = take();
    } else if (c == '+') {
      out[i] = negative ? '-' : '+';
    } else if (c == '-') {
      out[i] = negative ? '-' : ' ';
    } else if (i < decimal_pos) {  // a ',' or '.' left of the decimal separator
      skip_point();
      if (next <= blanks) out[i] = take();  // no digit of the number left: filled like a place
    }
  }
  return out;
}

std::string_view CutMask(std::string_view mask) {
  return mask.substr(0, std::min(mask.size(), kMaxMask));
}

std::string FormatMask(std::string_view mask, const Decimal& number) {
  const std::size_t start = mask.find_first_of(kFieldChars);
  if (start == std::string_view::npos) return std::string(mask);
  std::size_t end = start;
  while (end < mask.size() && kFieldChars.find(mask[end]) != std::string_view::npos) ++end;
  return std::string(mask.substr(0, start))
      .append(FormatField(mask.substr(start, end - start), number))
      .append(mask.substr(end));
}

std::string FormatIntegerMask(std::string_view mask, const Decimal& number) {
  // The appended '.' closes the field with a decimal separator of no places; it is always the
  // last character of the result, formatted or not, and goes again.
  std::string m(CutMask(mask));
  m += '.';
  std::string out = FormatMask(m, number);
  out.pop_back();
  return out;
}

std::string PlacesMask(std::int64_t value, int n, char place) {
  if (n <= 0) return Int64ToStr(value);
  return FormatIntegerMask(std::string(static_cast<std::size_t>(std::min(n, 255)), place),
                           FromInt(value));
}

}  // namespace

std::string FormatRealMask(std::string_view mask, double value) {
  return FormatMask(CutMask(mask), FromReal(value));
}

std::string FormatIntMask(std::string_view mask, std::int64_t value) {
  return FormatIntegerMask(mask, FromInt(value));
}

std::string IntToStrMask(std::int32_t value, int n) { return PlacesMask(value, n, '#'); }
std::string ByteToStrMask(std::uint8_t value, int n) { return PlacesMask(value, n, '#'); }
std::string Int64ToStrMask(std::int64_t value, int n) { return PlacesMask(value, n, '#'); }
std::string IntToStrAt(std::int32_t value, int n) { return PlacesMask(value, n, '@'); }

std::string FloatToStrMask(double value, int width, int decimals, char decimal_char) {
  if (decimals == -1) decimals = 4;
  decimals = std::clamp(decimals, 0, 30);
  std::string out;
  if (width <= 0) {
    const Decimal number = FromReal(value);
    if (!number.finite) return "*";
    bool zero = true;
    out = RoundedText(number, decimals, &zero);
    if (number.negative && !zero) out.insert(0, 1, '-');
    if (out.size() > 255) return "*";  // no short string holds it
  } else {
    std::string mask(static_cast<std::size_t>(std::min(width, 200)), '#');
    if (decimals > 0) mask.append(".").append(static_cast<std::size_t>(decimals), '#');
    out = FormatRealMask(mask, value);
  }
  std::replace(out.begin(), out.end(), '.', decimal_char);
  return out;
}

}  // namespace common
