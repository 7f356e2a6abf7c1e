#include "platform/qt/shape.h"

#include <algorithm>

#include "platform/qt/colors.h"

namespace platform::qt {

TShape::TShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 65); }

void TShape::SetShape(TShapeType shape) {
  shape_ = shape;
  Invalidate();
}

void TShape::SetPen(const TPen& pen) {
  pen_ = pen;
  Invalidate();
}

void TShape::SetBrush(const TBrush& brush) {
  brush_ = brush;
  Invalidate();
}

void TShape::Paint() {
  TCanvas& c = Canvas();
  c.Pen = pen_;
  c.Brush = brush_;
  // The canvas draws the pen inside the figure's rectangle.
  int x = 0;
  int y = 0;
  int w = Width();
  int h = Height();
  const bool square = shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare ||
                      shape_ == TShapeType::stCircle;
  if (square) {
    const int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (shape_) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
      c.Rectangle(x, y, x + w, y + h);
      break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: {
      const int corner = std::min(w, h) / 4;
      c.RoundRect(x, y, x + w, y + h, corner, corner);
      break;
    }
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
      c.Ellipse(x, y, x + w, y + h);
      break;
  }
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  Invalidate();
}

void TBevel::Paint() {
  const TColor first = style_ == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
  TCanvas& c = Canvas();
  const int w = Width();
  const int h = Height();
  auto line = [&c](TColor colour, const TRect& r) {
    c.Brush = {colour, TBrushStyle::bsSolid};
    c.FillRect(r);
  };
  switch (shape_) {
    case TBevelShape::bsBox: {
      TRect r = ClientRect();
      Frame3D(c, r, first, second, 1);
      break;
    }
    case TBevelShape::bsFrame: {
      // Two rings offset by a pixel: the etched look.
      TRect outer{0, 0, w - 1, h - 1};
      Frame3D(c, outer, first, first, 1);
      TRect inner{1, 1, w, h};
      Frame3D(c, inner, second, second, 1);
      break;
    }
    case TBevelShape::bsTopLine:
      line(first, {0, 0, w, 1});
      line(second, {0, 1, w, 2});
      break;
    case TBevelShape::bsBottomLine:
      line(first, {0, h - 2, w, h - 1});
      line(second, {0, h - 1, w, h});
      break;
    case TBevelShape::bsLeftLine:
      line(first, {0, 0, 1, h});
      line(second, {1, 0, 2, h});
      break;
    case TBevelShape::bsRightLine:
      line(first, {w - 2, 0, w - 1, h});
      line(second, {w - 1, 0, w, h});
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}

}  // namespace platform::qt
