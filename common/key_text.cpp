#include "common/key_text.h"

#include <algorithm>

#include "common/number_text.h"

namespace common {
namespace {

std::string BigEndian32(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  std::string key(4, '\0');
  for (int i = 0; i < 4; ++i) key[i] = static_cast<char>(v >> (24 - 8 * i));
  return key;
}

// The next character in the order '0'..'9', 'A'..'Z', 'a'..'z'; only called below 'z'.
unsigned char Raise(unsigned char c) {
  if (c < '0') return '0';
  if (c == '9') return 'A';
  if (c == 'Z') return 'a';
  return static_cast<unsigned char>(c + 1);
}

}  // namespace

std::string LongIntToKey(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint32_t b3 = (v >> 24) & 0xFF, b2 = (v >> 16) & 0xFF, b1 = (v >> 8) & 0xFF,
                      b0 = v & 0xFF;
  std::string key(5, '\0');
  key[0] = static_cast<char>(((b3 & 0xF0) ^ 0x80) | 0x01);
  key[1] = static_cast<char>(0x80 | ((b3 & 0x0F) << 3) | (b2 >> 5));
  key[2] = static_cast<char>(0x80 | ((b2 & 0x1F) << 2) | (b1 >> 6));
  key[3] = static_cast<char>(0x80 | ((b1 & 0x3F) << 1) | (b0 >> 7));
  key[4] = static_cast<char>(0x80 | (b0 & 0x7F));
  return key;
}

std::int32_t KeyToLongInt(std::string_view key) {
  std::uint32_t c[5] = {};
  for (std::size_t i = 0; i < 5 && i < key.size(); ++i) c[i] = static_cast<unsigned char>(key[i]);
  const std::uint32_t b0 = ((c[3] << 7) | (c[4] & 0x7F)) & 0xFF;
  const std::uint32_t b1 = ((c[2] << 6) | ((c[3] >> 1) & 0x3F)) & 0xFF;
  const std::uint32_t b2 = ((c[1] << 5) | ((c[2] >> 2) & 0x1F)) & 0xFF;
  const std::uint32_t b3 = ((c[0] & 0xF0) | ((c[1] >> 3) & 0x0F)) ^ 0x80;
  return static_cast<std::int32_t>((b3 << 24) | (b2 << 16) | (b1 << 8) | b0);
}

std::string KeyIntToStr(std::int32_t value, bool key_form) {
  return key_form ? LongIntToKey(value) : IntToStr(value);
}

std::string DateToKey(std::int32_t date, bool key_form) {
  return key_form ? BigEndian32(date) : IntToStr(date);
}

std::string TimeToKey(std::int32_t time, bool key_form) {
  return key_form ? BigEndian32(time) : IntToStr(time);
}

std::string NextKeyText(std::string_view text, int n) {
  const std::size_t width = static_cast<std::size_t>(std::clamp(n, 0, 255));
  std::string key(text.substr(0, std::min(text.size(), width)));
  key.resize(width, ' ');
  // Count up like an odometer: every position already at the top becomes '0' and carries, so
  // the result sorts after every key that starts with the given text.
  std::size_t i = width;
  while (i > 0 && static_cast<unsigned char>(key[i - 1]) >= 'z') --i;
  if (i == 0) return std::string(width, '\xFF');
  key[i - 1] = static_cast<char>(Raise(static_cast<unsigned char>(key[i - 1])));
  std::fill(key.begin() + static_cast<std::ptrdiff_t>(i), key.end(), '0');
  return key;
}

}  // namespace common
