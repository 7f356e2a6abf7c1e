// A set of the 256 byte values, for character classes tested byte by byte.
#pragma once

#include <bitset>
#include <string_view>

namespace common {

using CharSet = std::bitset<256>;

// The set of the given characters.
CharSet MakeCharSet(std::string_view chars);
inline bool InCharSet(char c, const CharSet& set) {
  return set.test(static_cast<unsigned char>(c));
}

}  // namespace common
