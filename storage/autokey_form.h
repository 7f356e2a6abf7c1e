// The 5-character sortable form of a signed 32-bit number, as AUTOKEY numbers end their keys.
//
// Private to the driver until the common key-text routines are in place; the form is the one the
// whole system uses (sign bit inverted in the leading nibble, then 7 bits per character with the
// top bit set), so byte order of the forms is numeric order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace storage {

inline std::string AutoKeyForm(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const auto b3 = static_cast<std::uint8_t>(v >> 24);
  const auto b2 = static_cast<std::uint8_t>(v >> 16);
  const auto b1 = static_cast<std::uint8_t>(v >> 8);
  const auto b0 = static_cast<std::uint8_t>(v);
  std::string s(5, '\0');
  s[0] = static_cast<char>(((b3 & 0xF0) ^ 0x80) | 0x01);
  s[1] = static_cast<char>(0x80 | ((b3 & 0x0F) << 3) | (b2 >> 5));
  s[2] = static_cast<char>(0x80 | ((b2 & 0x1F) << 2) | (b1 >> 6));
  s[3] = static_cast<char>(0x80 | ((b1 & 0x3F) << 1) | (b0 >> 7));
  s[4] = static_cast<char>(0x80 | (b0 & 0x7F));
  return s;
}

inline std::int32_t AutoKeyValue(std::string_view form) {
  if (form.size() < 5) return 0;
  const auto c = [&](int i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(form[i]));
  };
  const std::uint32_t b0 = ((c(3) << 7) | (c(4) & 0x7F)) & 0xFF;
  const std::uint32_t b1 = ((c(2) << 6) | ((c(3) >> 1) & 0x3F)) & 0xFF;
  const std::uint32_t b2 = ((c(1) << 5) | ((c(2) >> 2) & 0x1F)) & 0xFF;
  const std::uint32_t b3 = (((c(0) & 0xF0) | ((c(1) >> 3) & 0x0F)) ^ 0x80) & 0xFF;
  return static_cast<std::int32_t>((b3 << 24) | (b2 << 16) | (b1 << 8) | b0);
}

}  // namespace storage
