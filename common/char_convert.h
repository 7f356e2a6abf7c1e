// Character conversions of old DOS texts and of the slashed zero in call signs.
#pragma once

#include <string>
#include <string_view>

namespace common {

// The slashed zero shown for the digit zero in call signs (Ø in Windows-1252).
inline constexpr char kSlashedZero = '\xD8';

// DOS code page 437 bytes of the German umlauts turned into their Windows-1252 codes: 0x84 ä,
// 0x8E Ä, 0x94 ö, 0x99 Ö, 0x9A Ü, 0xE1 ß; 0xFB becomes 'Y'. Every other byte, 0x81 (ü)
// included, is left as it is.
std::string OemToAnsi(std::string_view text);

// Every digit zero replaced by the slashed zero when `slashed_zero_display` (the display setting
// of the settings object) is on; else the text unchanged.
std::string ZeroToSlashedZero(std::string_view text, bool slashed_zero_display);
// Every slashed zero turned back into the digit zero.
std::string SlashedZeroToZero(std::string_view text);

}  // namespace common
