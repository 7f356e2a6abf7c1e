#include "ui/edit_values.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "common/number_text.h"
#include "common/string_helpers.h"

namespace ui {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// A decimal number with '.' as its point and an optional exponent, the whole text; no sign
// (the caller takes it off), no "inf" or "nan".
std::optional<double> ReadUnsigned(std::string_view text) {
  if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// Takes a leading sign off the text; true for '-'.
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text.front() != '-' && text.front() != '+')) return false;
  const bool negative = text.front() == '-';
  text.remove_prefix(1);
  return negative;
}

}  // namespace

bool IsWholeNumberType(TkvEditDataType type) {
  return type == TkvEditDataType::dtInteger || type == TkvEditDataType::dtWord ||
         type == TkvEditDataType::dtByte || type == TkvEditDataType::dtLongint;
}

bool IsRealType(TkvEditDataType type) {
  return type == TkvEditDataType::dtReal || type == TkvEditDataType::dtSingle ||
         type == TkvEditDataType::dtDouble || type == TkvEditDataType::dtExtended;
}

std::int32_t ReadWholeNumber(std::string_view text, TkvEditDataType type) {
  const std::int32_t value = common::StrToIntNoComma(text);
  std::int32_t highest = INT32_MAX;
  if (type == TkvEditDataType::dtByte) highest = 255;
  if (type == TkvEditDataType::dtWord) highest = 65535;
  if (highest != INT32_MAX && (value < 0 || value > highest)) return 0;
  return value;
}

double ReadRealNumber(std::string_view text) {
  const std::string trimmed = common::Trim(text);
  std::string_view t(trimmed);
  const bool negative = TakeSign(t);
  std::size_t comma = t.find(',');
  if (comma != std::string_view::npos && comma + 1 == t.size()) {
    t.remove_suffix(1);
    comma = std::string_view::npos;
  }
  double value = 0;
  if (comma == std::string_view::npos) {
    const std::optional<double> whole = ReadUnsigned(t);
    if (!whole) return 0;
    value = *whole;
  } else {
    const std::string_view before = t.substr(0, comma);
    const std::string_view after = t.substr(comma + 1);
    if (!AllDigits(after)) return 0;
    std::optional<double> whole = before.empty() ? 0.0 : ReadUnsigned(before);
    std::optional<double> fraction = ReadUnsigned(after);
    if (!whole || !fraction) return 0;
    for (std::size_t i = 0; i < after.size(); ++i) *fraction /= 10;
    value = *whole + *fraction;
  }
  return negative && value != 0 ? -value : value;
}

}  // namespace ui
