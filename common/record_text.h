// Texts between short strings, fixed character arrays of records, length blocks and byte
// buffers.
//
// Length block (TKeyStr), where a text longer than a key or a short string is stored, e.g. the
// grid browser's key bounds:
//   OFFSET  SIZE  MEANING
//   0       4     length, signed 32-bit little-endian (0..200 in a sound block)
//   4       200   characters; those beyond the length are zero
// A stored length outside 0..200 is read as 0 or 200, so no reader leaves the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/le_int.h"

namespace common {

inline constexpr std::size_t kLenArrayChars = 200;

struct TKeyStr {
  LeInt32 len;
  char chars[kLenArrayChars] = {};

  // The stored length, limited to 0..200.
  std::size_t size() const;
  std::string_view view() const { return {chars, size()}; }
};
static_assert(sizeof(TKeyStr) == 204);
static_assert(alignof(TKeyStr) == 1);

// A cleared block holding the text (cut at 200 characters).
TKeyStr ShortToLenArray(std::string_view text);
// The text of a block (at most 200 characters).
std::string LenArrayToShort(const TKeyStr& block);
// -1, 0 or 1 comparing the texts of two blocks as unsigned bytes, a prefix sorting first.
int CompareLenArrays(const TKeyStr& a, const TKeyStr& b);

// Writes the text into a fixed character array, padded with blanks or cut to its size.
void StrToCharArray(std::string_view text, std::span<char> dest);
// Every zero byte of the array turned into a blank.
void ZeroToBlank(std::span<char> chars);
// The text of a fixed character array or byte buffer: its bytes with zero bytes read as blanks,
// at most 255 of them.
std::string BufToStr(std::span<const char> buffer);
// The text cut to `capacity` characters (at most 255), as it goes into a short-string field.
std::string CopyToShort(std::string_view text, std::size_t capacity);

// A copy of a short string (at most 255 characters).
std::string AssignShort(std::string_view text);
inline std::string AssignShort2(std::string_view text) { return AssignShort(text); }

// A character as its code and back, unchanged.
inline std::uint8_t CharCode(char c) { return static_cast<std::uint8_t>(c); }
inline char CodeChar(std::uint8_t code) { return static_cast<char>(code); }

}  // namespace common
