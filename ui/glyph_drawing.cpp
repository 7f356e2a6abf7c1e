#include "ui/glyph_drawing.h"

#include <algorithm>
#include <vector>

#include "platform/qt/colors.h"

namespace ui {

using platform::qt::TBrushStyle;
using platform::qt::TPenStyle;
using platform::qt::TPoint;

GlyphPen::GlyphPen(platform::qt::TCanvas& canvas, const platform::qt::TRect& cell, int state)
    : canvas_(canvas), cell_(cell), disabled_(state == 1) {}

TColor GlyphPen::Ink(TColor colour) const {
  if (colour == platform::qt::clNone || !disabled_) return colour;
  const TColor rgb = platform::qt::ColorToRGB(colour);
  const int luma =
      (common::GetRValue(rgb) * 30 + common::GetGValue(rgb) * 59 + common::GetBValue(rgb) * 11) /
      100;
  // Dark shapes stay visible as mid grey, light ones fade toward the face colour.
  const auto grey = static_cast<std::uint8_t>(128 + luma * 100 / 255);
  return common::RGB(grey, grey, grey);
}

int GlyphPen::X(int unit) const { return cell_.Left + unit * cell_.Width() / kGrid; }
int GlyphPen::Y(int unit) const { return cell_.Top + unit * cell_.Height() / kGrid; }

int GlyphPen::Thickness(int width) const {
  return std::max(1, width * std::min(cell_.Width(), cell_.Height()) / kGrid);
}

void GlyphPen::Line(std::initializer_list<GridPoint> points, TColor colour, int width) {
  std::vector<TPoint> at;
  for (GridPoint p : points) at.push_back(At(p));
  if (at.empty()) return;
  canvas_.Pen.Color = Ink(colour);
  canvas_.Pen.Width = Thickness(width);
  canvas_.Pen.Style = TPenStyle::psSolid;
  canvas_.Polyline(at);
  // A polyline leaves its last point out; the picture wants it.
  const TPoint last = at.back();
  canvas_.MoveTo(last.X, last.Y);
  canvas_.LineTo(last.X + 1, last.Y);
}

void GlyphPen::Prepare(TColor fill, TColor outline) {
  canvas_.Brush = {Ink(fill), fill == platform::qt::clNone ? TBrushStyle::bsClear
                                                            : TBrushStyle::bsSolid};
  canvas_.Pen.Width = 1;
  canvas_.Pen.Color = Ink(outline);
  canvas_.Pen.Style = outline == platform::qt::clNone ? TPenStyle::psClear : TPenStyle::psSolid;
}

void GlyphPen::Figure(std::initializer_list<GridPoint> points, TColor fill, TColor outline) {
  std::vector<TPoint> at;
  for (GridPoint p : points) at.push_back(At(p));
  Prepare(fill, outline);
  canvas_.Polygon(at);
}

void GlyphPen::Box(int left, int top, int right, int bottom, TColor fill, TColor outline) {
  Prepare(fill, outline);
  canvas_.Rectangle(X(left), Y(top), X(right + 1), Y(bottom + 1));
}

void GlyphPen::Disc(int left, int top, int right, int bottom, TColor fill, TColor outline) {
  Prepare(fill, outline);
  canvas_.Ellipse(X(left), Y(top), X(right + 1), Y(bottom + 1));
}

void GlyphPen::Label(int left, int top, int right, int bottom, const std::string& text,
                     TColor colour) {
  platform::qt::TRect r{X(left), Y(top), X(right + 1), Y(bottom + 1)};
  canvas_.Font.SetName("Arial");
  canvas_.Font.SetHeight(-std::max(6, r.Height()));
  canvas_.Font.SetStyle(platform::qt::fsBold);
  canvas_.Font.SetColor(Ink(colour));
  canvas_.Brush.Style = TBrushStyle::bsClear;
  canvas_.DrawText(text, r,
                   platform::qt::DT_CENTER | platform::qt::DT_VCENTER | platform::qt::DT_SINGLELINE |
                       platform::qt::DT_NOPREFIX | platform::qt::DT_NOCLIP);
}

}  // namespace ui
