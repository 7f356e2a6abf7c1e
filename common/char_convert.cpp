#include "common/char_convert.h"

#include <string_view>

namespace common {
namespace {

// The DOS code page's German letters and their 1252 bytes; 0xFB (a root sign there) reads as 'Y'.
constexpr std::string_view kOemLetters = "\x84\x8E\x94\x99\x9A\xE1\xFB";
constexpr std::string_view kAnsiLetters = "äÄöÖÜßY";

}  // namespace

std::string OemToAnsi(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    const std::size_t i = kOemLetters.find(c);
    if (i != std::string_view::npos) c = kAnsiLetters[i];
  }
  return result;
}

std::string ZeroToSlashedZero(std::string_view text, bool slashed_zero_display) {
  std::string result(text);
  if (slashed_zero_display)
    for (char& c : result)
      if (c == '0') c = kSlashedZero;
  return result;
}

std::string SlashedZeroToZero(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c == kSlashedZero) c = '0';
  return result;
}

}  // namespace common
