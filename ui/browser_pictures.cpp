#include "ui/browser_pictures.h"

#include "platform/qt/application.h"
#include "ui/glyph_drawing.h"

namespace ui {
namespace {

using platform::qt::clFuchsia;
using platform::qt::clWhite;
using platform::qt::TCanvas;
using platform::qt::TRect;

constexpr TColor kInk = 0x00404040;
constexpr TColor kBlue = 0x00803000;
constexpr TColor kRed = 0x002020D0;
constexpr TColor kGlass = 0x00F0E0C0;
constexpr TColor kWood = 0x0040A0E0;
constexpr TColor kGreen = 0x00208020;

// The 16 x 16 square in the middle of a wider cell.
TRect Square(const TRect& cell) {
  const int side = cell.Height();
  const int left = cell.Left + (cell.Width() - side) / 2;
  return {left, cell.Top, left + side, cell.Bottom};
}

void Magnifier(GlyphPen& pen) {
  pen.Disc(1, 1, 10, 10, kGlass, kInk);
  pen.Line({{9, 9}, {14, 14}}, kInk, 2);
}

// "A" over "Z" beside an arrow pointing down.
void SortLetters(GlyphPen& pen) {
  pen.Label(0, 0, 8, 8, "A", kInk);
  pen.Label(0, 8, 8, 16, "Z", kInk);
  pen.Line({{12, 1}, {12, 13}}, kBlue);
  pen.Figure({{9, 10}, {15, 10}, {12, 15}}, kBlue, kBlue);
}

void Up(GlyphPen& pen, int top, int bottom) {
  pen.Figure({{8, top}, {14, bottom}, {2, bottom}}, kBlue, kBlue);
}

void Down(GlyphPen& pen, int top, int bottom) {
  pen.Figure({{2, top}, {14, top}, {8, bottom}}, kBlue, kBlue);
}

void Cross(GlyphPen& pen, TColor colour) {
  pen.Line({{3, 3}, {12, 12}}, colour, 2);
  pen.Line({{12, 3}, {3, 12}}, colour, 2);
}

void Register(platform::qt::TPictureRegistry& r) {
  const platform::qt::TPictureSpec tool{32, 16, 1, kToolPictureBackground};
  const auto on_square = [](auto draw) {
    return [draw](TCanvas& c, const TRect& cell, int state) {
      GlyphPen pen(c, Square(cell), state);
      draw(pen);
    };
  };
  r.Register("SUCH", tool, on_square([](GlyphPen& p) { Magnifier(p); }));
  r.Register("SORT", tool, on_square(SortLetters));
  r.Register("LOESCH", tool, on_square([](GlyphPen& p) { Cross(p, kRed); }));
  r.Register("AKTUALISIEREN", tool, on_square([](GlyphPen& p) {
               p.Line({{2, 9}, {2, 5}, {5, 2}, {10, 2}, {13, 5}}, kGreen, 2);
               p.Figure({{10, 6}, {15, 6}, {15, 1}}, kGreen, kGreen);
               p.Line({{14, 7}, {14, 11}, {11, 14}, {6, 14}, {3, 11}}, kGreen, 2);
               p.Figure({{6, 10}, {1, 10}, {1, 15}}, kGreen, kGreen);
             }));

  const platform::qt::TPictureSpec arrow{10, 10, 1, clWhite};
  const auto arrows = [](auto draw) {
    return [draw](TCanvas& c, const TRect& cell, int state) {
      GlyphPen pen(c, cell, state);
      draw(pen);
    };
  };
  r.Register("BTNENDH", arrow, arrows([](GlyphPen& p) {
               p.Box(2, 1, 13, 2, kBlue, kBlue);
               Up(p, 5, 14);
             }));
  r.Register("BTNSEITEH", arrow, arrows([](GlyphPen& p) {
               Up(p, 1, 7);
               Up(p, 8, 14);
             }));
  r.Register("BTNEINSH", arrow, arrows([](GlyphPen& p) { Up(p, 3, 12); }));
  r.Register("BTNEINSR", arrow, arrows([](GlyphPen& p) { Down(p, 3, 12); }));
  r.Register("BTNSEITER", arrow, arrows([](GlyphPen& p) {
               Down(p, 1, 7);
               Down(p, 8, 14);
             }));
  r.Register("BTNENDR", arrow, arrows([](GlyphPen& p) {
               Down(p, 1, 10);
               p.Box(2, 13, 13, 14, kBlue, kBlue);
             }));

  r.Register("BTNCLOSE", {10, 10, 1, clFuchsia}, arrows([](GlyphPen& p) { Cross(p, kInk); }));
  r.Register("BTNCLOSE2", {56, 11, 1, clFuchsia}, [](TCanvas& c, const TRect& cell, int state) {
    GlyphPen pen(c, {cell.Left, cell.Top, cell.Left + 11, cell.Bottom}, state);
    Cross(pen, kInk);
    c.Font.SetName("Arial");
    c.Font.SetSize(7);
    c.Font.SetColor(pen.Ink(kInk));
    c.Brush.Style = platform::qt::TBrushStyle::bsClear;
    c.TextOut(cell.Left + 13, cell.Top + (cell.Height() - c.TextHeight("S")) / 2, "Schließen");
  });
  // Up, disabled, down and exclusive (pressed: the pencil set one pixel lower).
  r.Register("BTNEDIT", {16, 16, 4, clFuchsia}, [](TCanvas& c, const TRect& cell, int state) {
    const TRect at = state >= 2 ? TRect{cell.Left + 1, cell.Top + 1, cell.Right + 1,
                                        cell.Bottom + 1}
                                : cell;
    GlyphPen pen(c, at, state);
    pen.Figure({{11, 1}, {14, 4}, {5, 13}, {2, 10}}, kWood, kInk);
    pen.Figure({{2, 10}, {5, 13}, {1, 14}}, kGlass, kInk);
    pen.Line({{10, 2}, {13, 5}}, kRed, 2);
    pen.Line({{1, 15}, {6, 15}}, kInk);
  });
  r.Register("SCHNELLSUCHE", {16, 16, 1, clFuchsia}, arrows([](GlyphPen& p) { Magnifier(p); }));
  // The larger pictures of the layout engine's sort and view bar.
  r.Register("SORTIERUNGPX4", {20, 20, 1, clFuchsia}, arrows(SortLetters));
  r.Register("SCHNELLSUCHEPX42", {24, 24, 1, clFuchsia},
             arrows([](GlyphPen& p) { Magnifier(p); }));
}

}  // namespace

const platform::qt::TBitmap& BrowserPicture(const std::string& name) {
  platform::qt::TPictureRegistry& registry = platform::qt::Application().Pictures();
  if (!registry.Contains("SCHNELLSUCHE")) Register(registry);
  return registry.Get(name);
}

}  // namespace ui
