// Numbers formatted through picture masks.
//
// A number mask is a text in which the characters "#@*$-+,." mark the places of one number field
// (the first run of such characters); everything else is copied as it stands.
//   '#'  digit place
//   '@'  digit place; empty leading places show '0' (cancels the currency symbol)
//   '*'  digit place; empty leading places show '*'
//   '$'  digit place; asks for the currency symbol '$' right before the first digit
//   '+'  sign place: '+' or '-'        '-'  sign place: blank or '-'
//   ',' '.'  separators; the last one of the field is the decimal separator
// A negative value in a field without a sign place shows a floating '-' before its digits when
// the fill is blank, and no minus with a '*' or '0' fill. A number that does not fit shows '*'
// in every digit place. Values are rounded half up at the last decimal place (0.125 to two
// decimals gives 0.13), from 18 significant digits. The result has the length of the mask
// (masks are cut to 255 characters). No routine fails; not-a-number and infinities do not fit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

std::string FormatRealMask(std::string_view mask, double value);
// The same with an integer, exact over the whole 64-bit range; the field has no decimal places
// unless the mask has its own decimal separator.
std::string FormatIntMask(std::string_view mask, std::int64_t value);

// The value through a mask of n '#' places ("  7", " -7", "***"); the plain decimal text when
// n is 0 or below. n is limited to 255.
std::string IntToStrMask(std::int32_t value, int n);
std::string ByteToStrMask(std::uint8_t value, int n);
std::string Int64ToStrMask(std::int64_t value, int n);
// The same with n '@' places ("007"; a negative value shows no minus in such a field).
std::string IntToStrAt(std::int32_t value, int n);

// The value through a '#' mask of `width` integer places and `decimals` decimal places (4 when
// -1 is given; limited to 0..30), with `decimal_char` as the decimal separator of the result.
// Without a width (0 or below) the number gets as many places as it needs and the result is
// trimmed.
std::string FloatToStrMask(double value, int width, int decimals, char decimal_char = '.');

}  // namespace common
