// Gradients: the colour table, the bands by pixel, buffering, every style at every size, and
// DrawVerlauf.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/qt/colors.h"
#include "platform/qt/label.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/gradient.h"
#include "ui/grafik.h"

namespace ui {
namespace {

using platform::qt::clBlack;
using platform::qt::clWhite;
using platform::qt::TBitmap;
using platform::qt::testkit::Grab;

TColor Grey(int v) { return common::RGB(v, v, v); }

class GradientTest : public platform::qt::testing::FormFixture {
 protected:
  GradientTest() : FormFixture(640, 400) { form.SetColor(0x00C000); }
  TSRGradient* WhiteToBlack(int width, int height) {
    auto* g = Add<TSRGradient>(0, 0, width, height);
    g->SetStartColor(clWhite);
    g->SetEndColor(clBlack);
    return g;
  }
};

TEST_F(GradientTest, A255PixelGradientShowsItsBandsRowByRow) {
  for (bool buffered : {true, false}) {
    TSRGradient* g = WhiteToBlack(20, 255);
    g->SetBuffered(buffered);
    const TBitmap shot = Grab(form);
    EXPECT_EQ(shot.Pixel(5, 0), clWhite) << buffered;
    EXPECT_EQ(shot.Pixel(5, 1), Grey(254)) << buffered;
    EXPECT_EQ(shot.Pixel(19, 254), Grey(1)) << buffered;  // one step short of black
    delete g;
  }
}

TEST_F(GradientTest, BelowFullHeightEachRowShowsTheLastBandDrawnAtItsOffset) {
  WhiteToBlack(10, 100);
  const TBitmap shot = Grab(form);
  const float step = 100 / 255.0f;
  for (int row = 0; row < 100; ++row) {
    // Band i (i >= 1) lies at trunc((i - 1) x step) and has the colour 255 - (i - 1).
    int last = 1;
    for (int i = 1; i <= 255; ++i) {
      if (static_cast<int>(std::trunc((i - 1) * static_cast<double>(step))) == row) last = i;
    }
    ASSERT_EQ(shot.Pixel(3, row), Grey(256 - last)) << row;
  }
}

TEST_F(GradientTest, DirectionSwapsTheEnds) {
  TSRGradient* g = WhiteToBlack(10, 255);
  g->SetDirection(TGradDirection::gdUpLeft);
  const TBitmap shot = Grab(form);
  EXPECT_LE(common::GetRValue(shot.Pixel(3, 0)), 2);
  EXPECT_EQ(shot.Pixel(3, 254), clWhite);
}

TEST_F(GradientTest, StepWidthOutsideOneToTenIsIgnored) {
  TSRGradient* g = Add<TSRGradient>(0, 0, 10, 10);
  g->SetStepWidth(4);
  g->SetStepWidth(0);
  g->SetStepWidth(11);
  EXPECT_EQ(g->StepWidth(), 4);
}

TEST_F(GradientTest, ABufferedGradientIsRedrawnOnceAfterAChangeAndOtherwiseCopied) {
  TSRGradient* g = WhiteToBlack(50, 40);
  Grab(form);
  Grab(form);
  EXPECT_EQ(g->BufferRedraws(), 1);
  g->SetStyle(TGradStyle::gsPyramid);
  Grab(form);
  Grab(form);
  EXPECT_EQ(g->BufferRedraws(), 2);
  g->SetStyle(TGradStyle::gsPyramid);  // no change
  g->SetWidth(60);
  Grab(form);
  EXPECT_EQ(g->BufferRedraws(), 3);
}

TEST_F(GradientTest, TheEllipsesCornersShowTheParent) {
  for (bool buffered : {true, false}) {
    TSRGradient* g = WhiteToBlack(100, 80);
    g->SetStyle(TGradStyle::gsEllipse);
    g->SetBuffered(buffered);
    const TBitmap shot = Grab(form);
    EXPECT_EQ(shot.Pixel(0, 0), 0x00C000u) << buffered;
    EXPECT_EQ(shot.Pixel(99, 79), 0x00C000u) << buffered;
    EXPECT_NE(shot.Pixel(50, 40), 0x00C000u) << buffered;
    delete g;
  }
}

TEST(GradientColours, RunFromTheStartToOneStepShortOfTheEnd) {
  const TGradientColours down = GradientColours(clWhite, clBlack, TGradDirection::gdDownRight);
  EXPECT_EQ(down[0], clWhite);
  EXPECT_EQ(down[1], clWhite);
  EXPECT_EQ(down[128], Grey(128));
  EXPECT_EQ(down[255], Grey(1));
  // System colours are resolved: button face (240) to white.
  const TGradientColours face =
      GradientColours(platform::qt::clBtnFace, clWhite, TGradDirection::gdUpLeft);
  EXPECT_EQ(face[255], Grey(240));
  EXPECT_EQ(face[0], Grey(255));  // 240 + 15 x 254 / 255 = 254.94
}

TEST(GradientPainter, EveryStyleDrawsAtEverySize) {
  const TGradientColours colours =
      GradientColours(platform::qt::clBlue, platform::qt::clYellow, TGradDirection::gdDownRight);
  const int sizes[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3},    {4, 4},    {5, 7},
                          {6, 1}, {1, 6}, {4000, 1}, {1, 4000}, {4000, 4000}};
  for (const auto& size : sizes) {
    TBitmap bitmap(size[0], size[1]);
    for (int style = 0; style < kGradStyleCount; ++style) {
      for (int step : {1, 10}) {
        // The line and ring patterns at full size take seconds with one-pixel steps; their
        // arithmetic is the same with wider ones.
        const bool slow = style == static_cast<int>(TGradStyle::gsEllipse) ||
                          style == static_cast<int>(TGradStyle::gsPyramid);
        if (slow && step == 1 && size[0] + size[1] > 1000) continue;
        PaintGradient(bitmap.Canvas(), {0, 0}, size[0], size[1], colours,
                      static_cast<TGradStyle>(style), step, true);
      }
    }
    if (size[0] > 2 && size[1] > 2) {
      EXPECT_NE(bitmap.Pixel(size[0] / 2, size[1] / 2), clWhite) << size[0] << "x" << size[1];
    }
  }
}

TEST(DrawVerlauf, PaintsTheRectangleAndPutsTheCanvasBack) {
  TBitmap bitmap(40, 300);
  platform::qt::TCanvas& c = bitmap.Canvas();
  c.Pen.Color = 0x123456;
  c.Pen.Style = platform::qt::TPenStyle::psDash;
  c.Brush.Color = 0x654321;
  c.Font.SetColor(0x0000FF);
  ToGrafik::DrawVerlauf(c, clWhite, clBlack, 10, 5, 29, 259);
  EXPECT_EQ(bitmap.Pixel(10, 5), clWhite);
  EXPECT_EQ(bitmap.Pixel(29, 6), Grey(254));
  EXPECT_EQ(bitmap.Pixel(20, 259), Grey(1));
  EXPECT_EQ(bitmap.Pixel(9, 100), clWhite);   // left of the rectangle
  EXPECT_EQ(bitmap.Pixel(30, 100), clWhite);  // right of it
  EXPECT_EQ(c.Pen.Color, 0x123456u);
  EXPECT_EQ(c.Pen.Style, platform::qt::TPenStyle::psDash);
  EXPECT_EQ(c.Brush.Color, 0x654321u);
  EXPECT_EQ(c.Font.Color(), 0x0000FFu);
  ToGrafik::SetFont(c, "Courier New");
  EXPECT_EQ(c.Font.Name(), "Courier New");
}

TEST_F(GradientTest, Screenshot_TheTenStyles) {
  const char* names[] = {"CornerTopLeft",  "CornerTopRight",  "CornerBottomRight", "CornerBottomLeft",
                         "DiagonalRising", "DiagonalFalling", "Ellipse",           "Horizontal",
                         "Pyramid",        "Vertical"};
  form.SetColor(platform::qt::clBtnFace);
  for (int style = 0; style < kGradStyleCount; ++style) {
    const int left = 8 + (style % 5) * 126;
    const int top = 8 + (style / 5) * 190;
    auto* g = Add<TSRGradient>(left, top, 118, 150);
    g->SetStartColor(0x8B0000);
    g->SetEndColor(0x00D7FF);
    g->SetStyle(static_cast<TGradStyle>(style));
    g->SetStepWidth(style == static_cast<int>(TGradStyle::gsPyramid) ? 3 : 1);
    auto* label = Add<platform::qt::TLabel>(left, top + 156, 118, 16);
    label->SetCaption(names[style]);
  }
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form, "gradient_styles").empty());
}

}  // namespace
}  // namespace ui
