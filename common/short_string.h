// Length-prefixed short strings of fixed capacity, as every record of the system stores its texts.
//
// Layout: one length byte, then N bytes. Assignment cuts at N; a stored length byte above N (a
// damaged or foreign record) is read as N, so reading never leaves the buffer. Bytes beyond the
// length are kept as they are on disk; assignment fills them with zero.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace common {

template <std::size_t N>
struct ShortString {
  static_assert(N >= 1 && N <= 255, "a short string holds 1 to 255 characters");

  std::uint8_t len = 0;
  char chars[N] = {};

  ShortString() = default;
  ShortString(std::string_view text) {
    assign(text);
  }  // NOLINT: implicit by design, like the records

  static constexpr std::size_t capacity() { return N; }

  std::size_t size() const { return std::min<std::size_t>(len, N); }
  bool empty() const { return size() == 0; }
  std::string_view view() const { return {chars, size()}; }
  std::string str() const { return std::string(view()); }
  operator std::string() const { return str(); }  // NOLINT: records read as texts everywhere

  // Cuts the text at N characters; the unused tail is zeroed so equal texts give equal bytes.
  void assign(std::string_view text) {
    const std::size_t n = std::min(text.size(), N);
    if (n > 0) std::memcpy(chars, text.data(), n);  // an empty view may carry a null pointer
    std::memset(chars + n, 0, N - n);
    len = static_cast<std::uint8_t>(n);
  }
  ShortString& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  friend bool operator==(const ShortString& a, const ShortString& b) {
    return a.view() == b.view();
  }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }
};

static_assert(sizeof(ShortString<10>) == 11);
static_assert(alignof(ShortString<10>) == 1);

}  // namespace common
