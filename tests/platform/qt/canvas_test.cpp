// The canvas's pixel conventions, checked by pixel on an off-screen bitmap.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>

#include "platform/qt/bitmap.h"
#include "platform/qt/colors.h"

namespace platform::qt {
namespace {

constexpr TColor kPen = clRed;
constexpr TColor kFill = clBlue;
constexpr TColor kPaper = clWhite;

// A 20 x 20 white bitmap with a red one-pixel pen and a blue brush.
struct Paper {
  TBitmap bitmap{20, 20};
  TCanvas& c = bitmap.Canvas();
  Paper() {
    c.Pen.Color = kPen;
    c.Brush.Color = kFill;
  }
  int Count(TColor colour) const {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == colour ? 1 : 0;
    }
    return n;
  }
};

struct PixelRow {
  std::string name;
  std::function<void(TCanvas&)> draw;
  std::vector<std::pair<TPoint, TColor>> expected;
  std::array<int, 3> counts;  // pixels of pen, brush and paper; -1: any number
};
void PrintTo(const PixelRow& row, std::ostream* os) { *os << row.name; }

class PixelConventionTest : public ::testing::TestWithParam<PixelRow> {};

TEST_P(PixelConventionTest, DrawsExactlyThesePixels) {
  Paper p;
  GetParam().draw(p.c);
  for (const auto& [at, colour] : GetParam().expected) {
    EXPECT_EQ(p.bitmap.Pixel(at.X, at.Y), colour) << "at " << at.X << "," << at.Y;
  }
  const std::array<int, 3> counts = {p.Count(kPen), p.Count(kFill), p.Count(kPaper)};
  for (int i = 0; i < 3; ++i) {
    if (GetParam().counts[i] >= 0) {
      EXPECT_EQ(counts[i], GetParam().counts[i]) << i;
    }
  }
  EXPECT_EQ(counts[0] + counts[1] + counts[2], 400);  // no antialiased shades in between
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, PixelConventionTest,
    ::testing::Values(PixelRow{"FillRectRightAndBottomExclusive",
                               [](TCanvas& c) {
                                 c.FillRect({0, 0, 10, 10});
                               },
                               {{{9, 9}, kFill}, {{10, 9}, kPaper}, {{9, 10}, kPaper}},
                               {0, 100, 300}},
                      PixelRow{"RectanglePenInside",
                               [](TCanvas& c) { c.Rectangle(2, 2, 12, 12); },
                               {{{2, 2}, kPen},
                                {{11, 11}, kPen},
                                {{11, 2}, kPen},
                                {{3, 3}, kFill},
                                {{12, 12}, kPaper},
                                {{1, 2}, kPaper}},
                               {36, 64, 300}},
                      PixelRow{"RectangleWidePenStaysInside",
                               [](TCanvas& c) {
                                 c.Pen.Width = 3;
                                 c.Rectangle(0, 0, 10, 10);
                               },
                               {{{2, 2}, kPen}, {{3, 3}, kFill}, {{10, 0}, kPaper}},
                               {84, 16, 300}},
                      PixelRow{"LineToLeavesOutTheEndPixel",
                               [](TCanvas& c) {
                                 c.MoveTo(0, 5);
                                 c.LineTo(10, 5);
                               },
                               {{{0, 5}, kPen}, {{9, 5}, kPen}, {{10, 5}, kPaper}},
                               {10, 0, 390}},
                      PixelRow{"DiagonalLineToLeavesOutTheEndPixel",
                               [](TCanvas& c) {
                                 c.MoveTo(0, 0);
                                 c.LineTo(5, 5);
                               },
                               {{{4, 4}, kPen}, {{5, 5}, kPaper}},
                               {5, 0, 395}},
                      PixelRow{"PolylineLeavesOutItsLastPoint",
                               [](TCanvas& c) {
                                 const TPoint pts[] = {{0, 0}, {4, 0}, {4, 4}};
                                 c.Polyline(pts);
                               },
                               {{{4, 0}, kPen}, {{4, 3}, kPen}, {{4, 4}, kPaper}},
                               {8, 0, 392}},
                      PixelRow{"PolygonClosesItsOutline",
                               [](TCanvas& c) {
                                 c.Brush.Style = TBrushStyle::bsClear;
                                 const TPoint pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
                                 c.Polygon(pts);
                               },
                               {{{0, 0}, kPen}, {{4, 4}, kPen}, {{0, 4}, kPen}, {{2, 2}, kPaper}},
                               {16, 0, 384}},
                      PixelRow{"EllipseWithinItsRectangle",
                               [](TCanvas& c) { c.Ellipse(0, 0, 10, 10); },
                               {{{5, 0}, kPen},
                                {{5, 9}, kPen},
                                {{0, 5}, kPen},
                                {{9, 5}, kPen},
                                {{5, 5}, kFill},
                                {{10, 5}, kPaper},
                                {{0, 0}, kPaper}},
                               {-1, -1, -1}},
                      PixelRow{"ClearPenAndBrushDrawNothing",
                               [](TCanvas& c) {
                                 c.Pen.Style = TPenStyle::psClear;
                                 c.Brush.Style = TBrushStyle::bsClear;
                                 c.Rectangle(0, 0, 10, 10);
                                 c.LineTo(10, 10);
                               },
                               {},
                               {0, 0, 400}}),
    [](const auto& info) { return info.param.name; });

TEST(CanvasTest, SystemColoursPaintAsTheTableSays) {
  EXPECT_EQ(ColorToRGB(clBtnFace), common::RGB(240, 240, 240));
  Paper p;
  p.c.Brush.Color = clBtnFace;
  p.c.FillRect({0, 0, 1, 1});
  EXPECT_EQ(p.bitmap.Pixel(0, 0), common::RGB(240, 240, 240));
}

TEST(CanvasTest, TextSitsAtItsTopLeftAndFillsItsCellOnlyWithASolidBrush) {
  Paper p;
  p.c.Font.SetColor(clBlack);
  const int w = p.c.TextWidth("W");
  const int h = p.c.TextHeight("W");
  ASSERT_GT(w, 5);
  ASSERT_GT(h, 10);
  p.c.TextOut(3, 2, "W");
  EXPECT_EQ(p.c.PenPos, (TPoint{3 + w, 2}));
  EXPECT_EQ(p.bitmap.Pixel(3 + w - 1, 2), kFill);  // the cell is filled
  EXPECT_EQ(p.bitmap.Pixel(2, 2), kPaper);
  EXPECT_EQ(p.bitmap.Pixel(3, 2 + h), kPaper);
  EXPECT_GT(p.Count(clBlack), 10);
  EXPECT_EQ(p.Count(kFill) + p.Count(clBlack), w * h);  // no antialiased shades

  Paper clear;
  clear.c.Brush.Style = TBrushStyle::bsClear;
  clear.c.TextOut(3, 2, "W");
  EXPECT_EQ(clear.Count(kFill), 0);
}

TEST(CanvasTest, DrawTextBreaksWordsMeasuresAndPlacesTheAccelerator) {
  Paper p;
  const int line = p.c.TextHeight("A");
  TRect r{0, 0, p.c.TextWidth("aa bb") + 1, 0};
  EXPECT_EQ(p.c.DrawText("aa bb cc", r, DT_WORDBREAK | DT_CALCRECT), 2 * line);
  EXPECT_EQ(r.Bottom, 2 * line);
  TRect one{0, 0, 1000, 0};
  EXPECT_EQ(p.c.DrawText("a\r\nb\rc", one, DT_CALCRECT), 3 * line);
  TRect prefixed{0, 0, 1000, 0};
  p.c.DrawText("&Ja", prefixed, DT_CALCRECT);
  EXPECT_EQ(prefixed.Width(), p.c.TextWidth("Ja"));
  TRect literal{0, 0, 1000, 0};
  p.c.DrawText("&Ja", literal, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(literal.Width(), p.c.TextWidth("&Ja"));
}

TEST(CanvasTest, EdgesFrameAndFocusRectangle) {
  Paper p;
  TRect r{0, 0, 10, 10};
  Frame3D(p.c, r, clLime, clRed, 2);
  EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
  EXPECT_EQ(p.bitmap.Pixel(0, 0), clLime);
  EXPECT_EQ(p.bitmap.Pixel(9, 0), clRed);  // top-right corner in the bottom colour
  EXPECT_EQ(p.bitmap.Pixel(0, 9), clRed);  // bottom-left too
  EXPECT_EQ(p.bitmap.Pixel(1, 1), clLime);
  EXPECT_EQ(p.bitmap.Pixel(2, 2), kPaper);

  TRect edge{10, 10, 20, 20};
  EXPECT_TRUE(p.c.DrawEdge(edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
  EXPECT_EQ(edge, (TRect{12, 12, 18, 18}));
  EXPECT_EQ(p.bitmap.Pixel(10, 10), ColorToRGB(clBtnShadow));
  EXPECT_EQ(p.bitmap.Pixel(19, 19), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(p.bitmap.Pixel(11, 11), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(p.bitmap.Pixel(18, 18), ColorToRGB(cl3DLight));

  Paper focus;
  focus.c.DrawFocusRect({0, 0, 6, 6});
  EXPECT_EQ(focus.Count(clBlack), 10);
  focus.c.DrawFocusRect({0, 0, 6, 6});
  EXPECT_EQ(focus.Count(kPaper), 400);
}

TEST(CanvasTest, BitmapsDrawWithTheirTransparentColourLeftOut) {
  TBitmap glyph(4, 4);
  glyph.Canvas().Brush.Color = clFuchsia;
  glyph.Canvas().FillRect({0, 0, 4, 4});
  glyph.Canvas().Brush.Color = clGreen;
  glyph.Canvas().FillRect({1, 1, 3, 3});
  Paper p;
  p.c.Draw(0, 0, glyph);
  EXPECT_EQ(p.bitmap.Pixel(0, 0), clFuchsia);
  glyph.Transparent = true;  // the bottom-left pixel decides
  p.c.Draw(10, 0, glyph);
  EXPECT_EQ(p.bitmap.Pixel(10, 0), kPaper);
  EXPECT_EQ(p.bitmap.Pixel(11, 1), clGreen);
  p.c.StretchDraw({0, 10, 8, 18}, glyph);
  EXPECT_EQ(p.bitmap.Pixel(2, 12), clGreen);
  EXPECT_EQ(p.bitmap.Pixel(1, 11), kPaper);
  p.c.Brush.Color = clYellow;
  p.c.BrushCopy({10, 10, 14, 14}, glyph, {0, 0, 4, 4}, clFuchsia);
  EXPECT_EQ(p.bitmap.Pixel(10, 10), clYellow);
  EXPECT_EQ(p.bitmap.Pixel(11, 11), clGreen);
  p.c.CopyRect({16, 16, 18, 18}, p.c, {10, 10, 12, 12});
  EXPECT_EQ(p.bitmap.Pixel(16, 16), clYellow);
  EXPECT_EQ(p.bitmap.Pixel(17, 17), clGreen);
}

TEST(CanvasTest, XorPenDrawnTwiceRestores) {
  Paper p;
  p.c.Pen.Mode = TPenMode::pmXor;
  p.c.Pen.Color = clWhite;
  for (int i = 0; i < 2; ++i) {
    p.c.MoveTo(0, 0);
    p.c.LineTo(10, 0);
    EXPECT_EQ(p.Count(clBlack), i == 0 ? 10 : 0);
  }
}

}  // namespace
}  // namespace platform::qt
