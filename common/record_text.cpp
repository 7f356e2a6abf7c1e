#include "common/record_text.h"

#include <algorithm>
#include <cstring>

#include "common/cp1252.h"

namespace common {

std::size_t TKeyStr::size() const {
  const std::int32_t n = len.get();
  if (n <= 0) return 0;
  return std::min<std::size_t>(static_cast<std::size_t>(n), kLenArrayChars);
}

TKeyStr ShortToLenArray(std::string_view text) {
  TKeyStr block;
  const std::size_t n = std::min(text.size(), kLenArrayChars);
  if (n > 0) std::memcpy(block.chars, text.data(), n);  // an empty view may carry a null pointer
  block.len = static_cast<std::int32_t>(n);
  return block;
}

std::string LenArrayToShort(const TKeyStr& block) { return std::string(block.view()); }

int CompareLenArrays(const TKeyStr& a, const TKeyStr& b) {
  return cp1252::CompareBytes(a.view(), b.view());
}

void StrToCharArray(std::string_view text, std::span<char> dest) {
  const std::size_t n = std::min(text.size(), dest.size());
  std::copy_n(text.begin(), n, dest.begin());
  std::fill(dest.begin() + static_cast<std::ptrdiff_t>(n), dest.end(), ' ');
}

void ZeroToBlank(std::span<char> chars) { std::replace(chars.begin(), chars.end(), '\0', ' '); }

std::string BufToStr(std::span<const char> buffer) {
  std::string text(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(
                                                        std::min<std::size_t>(buffer.size(), 255)));
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

std::string CopyToShort(std::string_view text, std::size_t capacity) {
  return std::string(text.substr(0, std::min({text.size(), capacity, std::size_t{255}})));
}

std::string AssignShort(std::string_view text) { return CopyToShort(text, 255); }

}  // namespace common
