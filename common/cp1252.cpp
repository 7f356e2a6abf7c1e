#include "common/cp1252.h"

#include <array>
#include <cstring>

namespace common::cp1252 {
namespace {

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};

  CaseTables() {
    for (int c = 0; c < 256; ++c) upper[c] = lower[c] = static_cast<unsigned char>(c);
    auto pair = [this](int u, int l) {
      upper[l] = static_cast<unsigned char>(u);
      lower[u] = static_cast<unsigned char>(l);
    };
    for (int c = 'a'; c <= 'z'; ++c) pair(c - 0x20, c);
    // À..Þ <-> à..þ, except the multiplication and division signs at 0xD7 and 0xF7.
    for (int c = 0xE0; c <= 0xFE; ++c)
      if (c != 0xF7) pair(c - 0x20, c);
    pair(0x8A, 0x9A);  // Š š
    pair(0x8C, 0x9C);  // Œ œ
    pair(0x8E, 0x9E);  // Ž ž
    pair(0x9F, 0xFF);  // Ÿ ÿ
  }
};

const CaseTables& Tables() {
  static const CaseTables tables;
  return tables;
}

}  // namespace

char ToUpper(char c) { return static_cast<char>(Tables().upper[static_cast<unsigned char>(c)]); }
char ToLower(char c) { return static_cast<char>(Tables().lower[static_cast<unsigned char>(c)]); }

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpper(c);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLower(c);
  return out;
}

int CompareBytes(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  const int r = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);  // memcmp compares unsigned bytes
  if (r != 0) return r < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ToUpper(a[i]) != ToUpper(b[i])) return false;
  return true;
}

}  // namespace common::cp1252
