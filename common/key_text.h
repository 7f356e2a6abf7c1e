// Key texts: the sortable forms in which numbers, dates and times enter index keys.
//
// The index compares key texts byte by byte as unsigned bytes, a text that is a prefix of a longer
// one sorting first. Key parts are concatenated without separators, each of fixed width, so that
// the parts line up:
//   - a signed 32-bit number: the 5 characters of LongIntToKey;
//   - a date (day number) or a time of day (seconds): the 4 bytes of the 32-bit value, most
//     significant first (DateToKey, TimeToKey), so non-negative values sort by value and -1
//     ("no date", "no time") after every one;
//   - a descending part: 99999999 minus the number, in the number form;
//   - the auto number of a record: always the last 5 characters of its key.
// A key text holds at most kMaxKeyLength characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

inline constexpr std::size_t kMaxKeyLength = 50;

// Base of a descending key part (the part is kDescendingKeyBase minus the number).
inline constexpr std::int32_t kDescendingKeyBase = 99999999;

// The 5-character form of a signed 32-bit number; byte order equals number order. Character 1
// is the top nibble with the sign bit inverted (0x01..0x71 for negative numbers, 0x81..0xF1 for
// the others), characters 2 to 5 carry 7 bits each with their top bit set.
std::string LongIntToKey(std::int32_t value);

// The number of a 5-character form. Only the first 5 characters count; a shorter text reads as
// if filled with zero bytes. Never fails.
std::int32_t KeyToLongInt(std::string_view key);

// LongIntToKey when `key_form` is set, else the decimal text of the number.
std::string KeyIntToStr(std::int32_t value, bool key_form);
// The same for a short-string destination (identical here: texts are one type).
inline std::string KeyIntToShort(std::int32_t value, bool key_form) {
  return KeyIntToStr(value, key_form);
}

// Key forms of a day number and of a time of day: the 4 bytes of the value, most significant
// first, when `key_form` is set; else the decimal text of the value.
std::string DateToKey(std::int32_t date, bool key_form);
std::string TimeToKey(std::int32_t time, bool key_form);

// The successor of a key text, used as the upper bound of a key range: the text is padded with
// blanks or cut to n characters, then counted up by one at its last position in the order
// '0'..'9', 'A'..'Z', 'a'..'z' (a character below '0' becomes '0'). A position at 'z' or above
// carries into the position on its left and becomes '0', through every position. When every
// position is at 'z' or above, the result is n characters 0xFF. n is limited to 0..255.
std::string NextKeyText(std::string_view text, int n);

}  // namespace common
