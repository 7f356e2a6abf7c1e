#include "common/grafik.h"

#include <array>
#include <cmath>

namespace common {
namespace {

// The platform's standard system colours by index (button face, window, highlight, ...). A colour
// index outside the table reads as black, as the platform answers for an unknown index.
constexpr std::array<TColor, 31> kSystemColours = {
    RGB(200, 200, 200),  // 0 scroll bar
    RGB(0, 0, 0),        // 1 desktop
    RGB(153, 180, 209),  // 2 active caption
    RGB(191, 205, 219),  // 3 inactive caption
    RGB(240, 240, 240),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(100, 100, 100),  // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(0, 0, 0),        // 9 caption text
    RGB(180, 180, 180),  // 10 active border
    RGB(244, 247, 252),  // 11 inactive border
    RGB(171, 171, 171),  // 12 application workspace
    RGB(0, 120, 215),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(240, 240, 240),  // 15 button face
    RGB(160, 160, 160),  // 16 button shadow
    RGB(109, 109, 109),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(0, 0, 0),        // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(105, 105, 105),  // 21 3-D dark shadow
    RGB(227, 227, 227),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(0, 0, 0),        // 25 (unused index)
    RGB(0, 102, 204),    // 26 hot-tracked item
    RGB(185, 209, 234),  // 27 active caption gradient
    RGB(215, 228, 242),  // 28 inactive caption gradient
    RGB(51, 153, 255),   // 29 menu highlight
    RGB(240, 240, 240),  // 30 menu bar
};

// Halves go to the even neighbour, as the platform's rounding does.
double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;
  if (fraction > 0.5) return lower + 1;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::uint8_t ShadeChannel(std::uint8_t c, double target, double k) {
  double v = RoundHalfEven(c + (target - c) / 255.0 * k);
  if (v < 0) v = 0;
  if (v > 255) v = 255;
  return static_cast<std::uint8_t>(v);
}

}  // namespace

TColor ToGrafik::ColorToRGB(TColor colour) {
  if ((colour & 0x80000000u) == 0) return colour;
  const std::uint32_t index = colour & 0xFF;
  return index < kSystemColours.size() ? kSystemColours[index] : clBlack;
}

TColor ToGrafik::FarbeAbstufen(TColor colour, float percent) {
  const TColor rgb = ColorToRGB(colour);
  const double target = percent >= 0 ? 255.0 : 0.0;
  // k above 255 (more than 100 percent) only pushes every channel past its target, where the
  // clamp stops it; bounding k here keeps the arithmetic finite for any input.
  double k = std::trunc(std::fabs(static_cast<double>(percent) / 100.0) * 255.0);
  if (!(k >= 0)) k = 0;  // not a number
  if (k > 255) k = 255;
  return RGB(ShadeChannel(GetRValue(rgb), target, k), ShadeChannel(GetGValue(rgb), target, k),
             ShadeChannel(GetBValue(rgb), target, k));
}

TColor ToGrafik::KontrastFarbe(TColor colour) {
  const TColor rgb = ColorToRGB(colour);
  const int sum = GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
  return sum <= 382 ? clWhite : clBlack;
}

}  // namespace common
