// Small text and number routines the reference tables need.
//
// Kept private to the reference tables until the shared string helpers are available; each does
// what the shared routine of the same name does, for the cases these tables use.
#pragma once

#include <string>
#include <string_view>

namespace logbook::detail {

// Blanks (only blanks) removed at both ends.
std::string_view Trim(std::string_view text);

// The slashed zero (0xD8) that the display may put into call signs and locators, back to '0'.
std::string SlashedZeroToZero(std::string_view text);

// The general real-to-text form: up to 15 significant digits, no trailing zeros, '.' as the
// decimal point ("144", "70.01", "0.472").
std::string FloatToStr(double value);

// A typed number: trimmed, ',' or '.' as the decimal separator, integer and fraction read apart
// and added; an optional sign. An empty or unreadable text gives 0.
double StrToReal(std::string_view text);

// True when |a| and |b| show the same text with `int_digits` integer and `decimals` decimal
// places, rounded half up after taking the value to 18 significant digits. The sign is not
// shown, so magnitudes are compared; two values too wide for the integer places compare equal.
bool RealEqual(double a, double b, int int_digits, int decimals);

}  // namespace logbook::detail
