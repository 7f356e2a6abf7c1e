// ToGrafik of the window framework: the colour routines of common::ToGrafik and the two canvas
// routines that need a canvas, the font name and the gradient of grid headers and highlighted
// rows.
#pragma once

#include <string>

#include "common/grafik.h"
#include "platform/qt/canvas.h"
#include "ui/gradient_painter.h"

namespace ui {

class ToGrafik : public common::ToGrafik {
 public:
  ToGrafik() = delete;

  // Sets the name of the canvas's font.
  static void SetFont(platform::qt::TCanvas& canvas, const std::string& name);

  // Paints a gradient from `start` to `end` into the rectangle (x1, y1)-(x2, y2), both corners
  // inclusive, with the colour table and bands of the gradient control (ui/gradient_painter.h);
  // the system passes gsVertical, gdDownRight and 1. The last bands may reach below y2 (the
  // canvas is not clipped here). The canvas's pen colour and style, brush colour and font colour
  // are put back afterwards.
  static void DrawVerlauf(platform::qt::TCanvas& canvas, TColor start, TColor end, int x1, int y1,
                          int x2, int y2, TGradStyle style = TGradStyle::gsVertical,
                          TGradDirection direction = TGradDirection::gdDownRight,
                          TStepWidth step_width = 1);
};

}  // namespace ui
