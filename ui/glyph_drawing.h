// Drawing of the program's small pictures (button glyphs): shapes placed on a design grid of
// 16 x 16 units that is stretched to the picture's cell, so one recipe serves every size. A
// picture's disabled state is drawn by the same recipe with every colour turned into a light
// grey of the same brightness order.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/qt/canvas.h"

namespace ui {

using platform::qt::TColor;

struct GridPoint {
  int x;
  int y;
};

class GlyphPen {
 public:
  static constexpr int kGrid = 16;

  // Draws into `cell` of the canvas; state 1 (disabled) greys every colour.
  GlyphPen(platform::qt::TCanvas& canvas, const platform::qt::TRect& cell, int state);

  // The colour as this state draws it.
  TColor Ink(TColor colour) const;

  // Lines through the points, end point included, `width` units thick (at least one pixel).
  void Line(std::initializer_list<GridPoint> points, TColor colour, int width = 1);
  // A closed figure filled with `fill` and outlined in `outline` (clNone: no outline).
  void Figure(std::initializer_list<GridPoint> points, TColor fill, TColor outline);
  // The rectangle of the grid cells from (left, top) to (right, bottom), both included.
  void Box(int left, int top, int right, int bottom, TColor fill, TColor outline);
  void Disc(int left, int top, int right, int bottom, TColor fill, TColor outline);
  // Text centred in the grid cells from (left, top) to (right, bottom), bold, its pixel height
  // following the cell.
  void Label(int left, int top, int right, int bottom, const std::string& text, TColor colour);

 private:
  int X(int unit) const;
  int Y(int unit) const;
  platform::qt::TPoint At(GridPoint p) const { return {X(p.x), Y(p.y)}; }
  int Thickness(int width) const;
  // Brush and pen for a filled shape; clNone leaves the fill or the outline out.
  void Prepare(TColor fill, TColor outline);

  platform::qt::TCanvas& canvas_;
  platform::qt::TRect cell_;
  bool disabled_;
};

}  // namespace ui
