#include "ui/gradient_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/qt/colors.h"

namespace ui {
namespace {

using platform::qt::TBrushStyle;
using platform::qt::TCanvas;
using platform::qt::TPenStyle;
using platform::qt::TPoint;
using platform::qt::TRect;

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Steps are kept in single precision, as the pattern's arithmetic always had them; a product of
// a step and a band number is exact in double.
int Trunc(double value) { return static_cast<int>(std::trunc(value)); }
int TruncTimes(int i, float step) { return Trunc(static_cast<double>(i) * step); }

TColor Entry(const TGradientColours& colours, int index) {
  return colours[static_cast<std::size_t>(std::clamp(index, 0, 255))];
}

// Draws shapes in canvas coordinates shifted by the origin.
class Shifted {
 public:
  Shifted(TCanvas& canvas, TPoint origin) : canvas_(canvas), origin_(origin) {}
  void Fill(int x1, int y1, int x2, int y2) {
    canvas_.FillRect({x1 + origin_.X, y1 + origin_.Y, x2 + origin_.X, y2 + origin_.Y});
  }
  void Polygon(std::vector<TPoint> points) {
    for (TPoint& p : points) p = {p.X + origin_.X, p.Y + origin_.Y};
    canvas_.Polygon(points);
  }
  void Ellipse(int x1, int y1, int x2, int y2) {
    canvas_.Ellipse(x1 + origin_.X, y1 + origin_.Y, x2 + origin_.X, y2 + origin_.Y);
  }
  void MoveTo(int x, int y) { canvas_.MoveTo(x + origin_.X, y + origin_.Y); }
  void LineTo(int x, int y) { canvas_.LineTo(x + origin_.X, y + origin_.Y); }

 private:
  TCanvas& canvas_;
  TPoint origin_;
};

// gsVertical and gsHorizontal: 256 bands, each one step on and one step plus a pixel wide. A
// band the same as the one before (same colour, same place) is not drawn again.
void PaintStripes(TCanvas& canvas, Shifted& draw, int width, int height,
                  const TGradientColours& colours, bool vertical) {
  const float step = (vertical ? height : width) / 255.0f;
  const int band = Trunc(step + 1.0);
  int at = 0;
  TColor last_colour = 0;
  int last_at = -1;
  for (int i = 0; i <= 255; ++i) {
    const TColor colour = colours[static_cast<std::size_t>(i)];
    if (colour != last_colour || at != last_at) {
      canvas.Brush.Color = colour;
      if (vertical) {
        draw.Fill(0, at, width, at + band);
      } else {
        draw.Fill(at, 0, at + band, height);
      }
      last_colour = colour;
      last_at = at;
    }
    at = TruncTimes(i, step);
  }
}

// The four corner patterns: an L-shaped band per colour.
void PaintCorners(TCanvas& canvas, Shifted& draw, int width, int height,
                  const TGradientColours& colours, TGradStyle style) {
  const float step_x = width / 255.0f;
  const float step_y = height / 255.0f;
  const int bw = Trunc(step_x + 1.0);
  const int bh = Trunc(step_y + 1.0);
  const int w = width;
  const int h = height;
  for (int i = 0; i <= 255; ++i) {
    canvas.Brush.Color = colours[static_cast<std::size_t>(i)];
    const int rising_x = TruncTimes(255 - i, step_x);
    const int rising_y = TruncTimes(255 - i, step_y);
    const int falling_x = TruncTimes(i, step_x);
    const int falling_y = TruncTimes(i, step_y);
    switch (style) {
      case TGradStyle::gsCornerTopLeft: {
        const int x = rising_x, y = rising_y;
        draw.Polygon({{0, y}, {x, y}, {x, 0}, {x + bw, 0}, {x + bw, y + bh}, {0, y + bh}});
        break;
      }
      case TGradStyle::gsCornerTopRight: {
        const int x = falling_x, y = rising_y;
        draw.Polygon({{x + bw, 0}, {x + bw, y}, {w, y}, {w, y + bh}, {x, y + bh}, {x, 0}});
        break;
      }
      case TGradStyle::gsCornerBottomRight: {
        const int x = falling_x, y = falling_y;
        draw.Polygon({{w, y + bh}, {x + bw, y + bh}, {x + bw, h}, {x, h}, {x, y}, {w, y}});
        break;
      }
      default: {  // gsCornerBottomLeft
        const int x = rising_x, y = falling_y;
        draw.Polygon({{x, h}, {x, y + bh}, {0, y + bh}, {0, y}, {x + bw, y}, {x + bw, h}});
        break;
      }
    }
  }
}

// The two diagonal patterns: 128 bands from one corner to the diagonal and 128 on to the other.
void PaintDiagonals(TCanvas& canvas, Shifted& draw, int width, int height,
                    const TGradientColours& colours, bool rising) {
  const float step_x = width / 127.0f;
  const float step_y = height / 127.0f;
  const int bw = Trunc(step_x + 1.0);
  const int bh = Trunc(step_y + 1.0);
  const int w = width;
  const int h = height;
  std::vector<std::vector<TPoint>> polygons(256);
  for (int k = 0; k <= 127; ++k) {
    const int x = TruncTimes(k, step_x);
    const auto first = static_cast<std::size_t>(k);
    const auto second = static_cast<std::size_t>(128 + k);
    if (rising) {
      const int y = TruncTimes(127 - k, step_y);
      polygons[first] = {{x, h}, {x + bw, h}, {0, y}, {0, y + bh}};
      polygons[second] = {{w, y + bh}, {w, y}, {x + bw, 0}, {x, 0}};
    } else {
      const int y = TruncTimes(k, step_y);
      polygons[first] = {{x, 0}, {x + bw, 0}, {0, y + bh}, {0, y}};
      polygons[second] = {{w, y}, {w, y + bh}, {x + bw, h}, {x, h}};
    }
  }
  for (std::size_t i = 0; i < polygons.size(); ++i) {
    canvas.Brush.Color = colours[i];
    draw.Polygon(polygons[i]);
  }
}

// Concentric ellipses from the edge inwards, `step` pixels apart.
void PaintEllipses(TCanvas& canvas, Shifted& draw, int width, int height,
                   const TGradientColours& colours, int step) {
  const int half = width / 2;
  if (half - 2 <= 0) return;  // no ring fits (and no factor can be formed)
  const float ratio = static_cast<float>(height) / static_cast<float>(width);
  const float factor = 255.0f / static_cast<float>(half - 2);
  canvas.Pen.Width = 1;
  int x = 1;
  int y = 1;
  for (int j = 2; j < half - 2; j += step) {
    canvas.Brush.Color = Entry(colours, TruncTimes(j, factor));
    draw.Ellipse(x, y, width - x, height - y);
    y = TruncTimes(j, ratio);
    x = j;
  }
}

// Lines from every point of the edge to the centre, coloured by the way round the edge.
void PaintPyramid(TCanvas& canvas, Shifted& draw, int width, int height,
                  const TGradientColours& colours, int step) {
  if (width + height <= 0) return;
  const int cx = width / 2;
  const int cy = height / 2;
  canvas.Pen.Width = step;
  canvas.Pen.Style = TPenStyle::psSolid;
  const float factor = 255.0f / static_cast<float>(width + height);
  for (int x = 0; x <= width; x += step) {
    canvas.Pen.Color = Entry(colours, TruncTimes(x, factor));
    draw.MoveTo(x, 0);
    draw.LineTo(cx, cy);
    canvas.Pen.Color = Entry(colours, TruncTimes(height + x, factor));
    draw.LineTo(x, height);
  }
  for (int y = 0; y <= height; y += step) {
    canvas.Pen.Color = Entry(colours, TruncTimes(width + y, factor));
    draw.MoveTo(width, y);
    draw.LineTo(cx, cy);
    canvas.Pen.Color = Entry(colours, TruncTimes(y, factor));
    draw.LineTo(-1, y);
  }
}

}  // namespace

TGradientColours GradientColours(TColor start, TColor end, TGradDirection direction) {
  const TColor s = platform::qt::ColorToRGB(start);
  const TColor e = platform::qt::ColorToRGB(end);
  const int sr = common::GetRValue(s), sg = common::GetGValue(s), sb = common::GetBValue(s);
  const double dr = common::GetRValue(e) - sr;
  const double dg = common::GetGValue(e) - sg;
  const double db = common::GetBValue(e) - sb;
  auto channel = [](int from, double delta, int i) {
    return static_cast<std::uint8_t>(std::clamp(RoundEven(from + delta / 255.0 * i), 0, 255));
  };
  TGradientColours table{};
  TColor current = s & 0xFFFFFF;
  for (int i = 0; i <= 255; ++i) {
    const auto slot = static_cast<std::size_t>(direction == TGradDirection::gdDownRight ? i
                                                                                         : 255 - i);
    table[slot] = current;
    current = common::RGB(channel(sr, dr, i), channel(sg, dg, i), channel(sb, db, i));
  }
  return table;
}

void PaintGradient(TCanvas& canvas, TPoint origin, int width, int height,
                   const TGradientColours& colours, TGradStyle style, TStepWidth step_width,
                   bool silver_background) {
  if (width <= 0 || height <= 0) return;
  const int step = std::clamp(step_width, 1, 10);
  Shifted draw(canvas, origin);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  if (silver_background && style == TGradStyle::gsEllipse) {
    canvas.Brush.Color = platform::qt::clSilver;
    draw.Fill(0, 0, width, height);
  }
  canvas.Pen.Style = TPenStyle::psClear;
  switch (style) {
    case TGradStyle::gsVertical:
    case TGradStyle::gsHorizontal:
      PaintStripes(canvas, draw, width, height, colours, style == TGradStyle::gsVertical);
      break;
    case TGradStyle::gsCornerTopLeft:
    case TGradStyle::gsCornerTopRight:
    case TGradStyle::gsCornerBottomRight:
    case TGradStyle::gsCornerBottomLeft:
      PaintCorners(canvas, draw, width, height, colours, style);
      break;
    case TGradStyle::gsDiagonalRising:
    case TGradStyle::gsDiagonalFalling:
      PaintDiagonals(canvas, draw, width, height, colours,
                     style == TGradStyle::gsDiagonalRising);
      break;
    case TGradStyle::gsEllipse:
      PaintEllipses(canvas, draw, width, height, colours, step);
      break;
    case TGradStyle::gsPyramid:
      PaintPyramid(canvas, draw, width, height, colours, step);
      break;
  }
}

}  // namespace ui
