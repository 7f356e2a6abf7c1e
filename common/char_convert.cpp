#include "common/char_convert.h"

namespace common {

std::string OemToAnsi(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    switch (static_cast<unsigned char>(c)) {
      case 0x84:
        c = '\xE4';
        break;  // ä
      case 0x8E:
        c = '\xC4';
        break;  // Ä
      case 0x94:
        c = '\xF6';
        break;  // ö
      case 0x99:
        c = '\xD6';
        break;  // Ö
      case 0x9A:
        c = '\xDC';
        break;  // Ü
      case 0xE1:
        c = '\xDF';
        break;  // ß
      case 0xFB:
        c = 'Y';
        break;
      default:
        break;
    }
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
