// Conversions between numbers and decimal texts. Never locale-dependent: the decimal point is
// always '.', and a text that is no number gives 0 instead of an error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

std::string IntToStr(std::int32_t value);
std::string Int64ToStr(std::int64_t value);

// The shortest text of at most 15 significant digits that reads back as the value rounded to
// 15 digits: "14.074", "-0.5", "100"; exponent form "1.5E20" / "1E-7" outside 1E-5 .. 1E15.
// Not-a-number and infinities give "NAN", "INF" and "-INF".
std::string FloatToStr(double value);

// The whole-number value of a decimal text (blanks around it allowed, an optional sign); 0 for
// an empty text, a text holding a comma, a text that is no integer, and one beyond 32 bits.
std::int32_t StrToIntNoComma(std::string_view text);

// The number a text holds: trimmed, ',' or '.' as the decimal separator, an optional sign
// ("-1,5" is -1.5). An empty or unreadable text gives 0.
double StrToReal(std::string_view text);

// Not empty and every character a digit; without `digits_only` a digit, blank, '$', ',' or '.'.
bool IsNumberText(std::string_view text, bool digits_only);

}  // namespace common
