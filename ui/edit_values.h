// The data types of the typed edit fields and the reading of their texts as numbers.
//
// Typed numbers come from people: a decimal comma or point, blanks around the text, a comma
// typed last. Whole numbers are read for the width the field's type stores; a number that does
// not fit reads as 0, as an unreadable text does, so a byte field never turns "300" into 44.
#pragma once

#include <cstdint>
#include <string_view>

namespace ui {

enum class TkvEditDataType : std::uint8_t {
  dtString,
  dtInteger,
  dtWord,
  dtByte,
  dtChar,
  dtLongint,
  dtReal,
  dtSingle,
  dtDouble,
  dtExtended,
};

// The masks a number is written through when the field has none.
inline constexpr std::string_view kWholeNumberMask = "########";
inline constexpr std::string_view kByteMask = "###";
inline constexpr std::string_view kRealMask = "########.##";

bool IsWholeNumberType(TkvEditDataType type);  // dtInteger, dtWord, dtByte, dtLongint
bool IsRealType(TkvEditDataType type);         // dtReal, dtSingle, dtDouble, dtExtended

// The whole number of a decimal text (blanks around it and a sign allowed) as the type stores
// it: dtByte 0..255, dtWord 0..65535, the others 32 bits signed. 0 for a text that is no whole
// number or one outside that range.
std::int32_t ReadWholeNumber(std::string_view text, TkvEditDataType type);

// The number of a typed real text, blanks around it allowed. A comma typed last is dropped.
// With a comma, the part before it and the digits after it are read apart and added, the
// fraction divided by 10 for each of its digits (so "12,05" is 12.05, ",5" 0.5); the sign
// belongs to the whole number ("-1,5" is -1.5). Without a comma the text is read as a number
// with '.' as its decimal point ("1.25", "1e3"). An unreadable text gives 0.
double ReadRealNumber(std::string_view text);

}  // namespace ui
