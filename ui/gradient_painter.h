// The drawing of colour gradients, shared by the gradient control (ui/gradient.h) and
// ToGrafik::DrawVerlauf (ui/grafik.h): the 256-entry colour table and the ten patterns.
#pragma once

#include <array>
#include <cstdint>

#include "platform/qt/canvas.h"

namespace ui {

using platform::qt::TColor;

enum class TGradStyle : std::uint8_t {
  gsCornerTopLeft,
  gsCornerTopRight,
  gsCornerBottomRight,
  gsCornerBottomLeft,
  gsDiagonalRising,
  gsDiagonalFalling,
  gsEllipse,
  gsHorizontal,
  gsPyramid,
  gsVertical
};
inline constexpr int kGradStyleCount = 10;

enum class TGradDirection : std::uint8_t { gdDownRight, gdUpLeft };

// Line width and step of the ellipse and pyramid patterns, 1 to 10.
using TStepWidth = int;

using TGradientColours = std::array<TColor, 256>;

// The colour table from `start` to `end` (system colours resolved): entry 0 and entry 1 are the
// start colour and entry i (i >= 1) is start + (end - start) x (i - 1) / 255 per channel,
// rounded half to even, so no entry holds the end colour itself. gdUpLeft stores the same
// sequence from entry 255 down.
TGradientColours GradientColours(TColor start, TColor end, TGradDirection direction);

// Draws the pattern into the rectangle of `width` x `height` pixels whose top-left is `origin`,
// with the canvas's pen and brush (left changed). `silver_background` first fills the area with
// silver for the ellipse pattern, whose corners a buffered control leaves out when it copies.
// Bands of the last steps may reach one band beyond the rectangle: the canvas is not clipped.
// Any size is drawn without dividing by zero; a rectangle without area draws nothing.
void PaintGradient(platform::qt::TCanvas& canvas, platform::qt::TPoint origin, int width,
                   int height, const TGradientColours& colours, TGradStyle style,
                   TStepWidth step_width, bool silver_background);

}  // namespace ui
