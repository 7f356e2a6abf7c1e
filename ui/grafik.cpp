#include "ui/grafik.h"

namespace ui {

void ToGrafik::SetFont(platform::qt::TCanvas& canvas, const std::string& name) {
  canvas.Font.SetName(name);
}

void ToGrafik::DrawVerlauf(platform::qt::TCanvas& canvas, TColor start, TColor end, int x1,
                           int y1, int x2, int y2, TGradStyle style, TGradDirection direction,
                           TStepWidth step_width) {
  const TColor pen_colour = canvas.Pen.Color;
  const platform::qt::TPenStyle pen_style = canvas.Pen.Style;
  const int pen_width = canvas.Pen.Width;
  const platform::qt::TBrush brush = canvas.Brush;
  const TColor font_colour = canvas.Font.Color();
  PaintGradient(canvas, {x1, y1}, x2 - x1 + 1, y2 - y1 + 1,
                GradientColours(start, end, direction), style, step_width, false);
  canvas.Pen.Color = pen_colour;
  canvas.Pen.Style = pen_style;
  canvas.Pen.Width = pen_width;
  canvas.Brush = brush;
  canvas.Font.SetColor(font_colour);
}

}  // namespace ui
