// Colour routines of the colour scheme: shading, contrast text colour and the two colour hooks.
//
// Colours are 32-bit colour values (`TColor`): red in the lowest byte, then green, then blue; the
// top byte is 0 for plain RGB, 2 for palette-relative RGB (drawn as the same RGB) and 0x80 for a
// system colour index in the lowest byte. Every routine that takes a colour apart resolves a system
// colour to its RGB value first; its results are plain RGB (top byte 0).
//
// `ToGrafik` keeps no state; its routines are static and may be called at any time.
#pragma once

#include <cstdint>

namespace common {

using TColor = std::uint32_t;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>(c >> 16); }

constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clBtnFace = 0x8000000F;  // the system button-face colour

class ToGrafik {
 public:
  ToGrafik() = delete;

  // The colour with a system colour index replaced by that colour's RGB value; any other colour
  // unchanged (a palette-relative top byte is kept, as the platform keeps it).
  static TColor ColorToRGB(TColor colour);

  // Shades the colour per red, green and blue channel toward white (percent >= 0) or toward black
  // (percent < 0): k = trunc(|percent| / 100 * 255), each channel c becomes
  // c + (target - c) / 255 * k, rounded half to even and kept within 0..255.
  static TColor FarbeAbstufen(TColor colour, float percent);

  // White for a dark background (R + G + B at most 382), else black.
  static TColor KontrastFarbe(TColor colour);

  // The colour hooks: every default and loaded setting passes through the first, every stored one
  // through the second. Both answer the colour unchanged.
  static constexpr TColor MapFarbe(TColor colour) { return colour; }
  static constexpr TColor MapFarbe2(TColor colour) { return colour; }
};

}  // namespace common
