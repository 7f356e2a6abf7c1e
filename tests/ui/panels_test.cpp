// Panels, the separator line, the flat rounded button and the picture form.
#include <gtest/gtest.h>

#include <string>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/edit.h"
#include "platform/qt/group_box.h"
#include "platform/qt/label.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/platform/qt/form_fixture.h"
#include "ui/panels.h"
#include "ui/picture_form.h"
#include "ui/sap_button.h"
#include "ui/separator_line.h"

namespace ui {
namespace {

using platform::qt::TBevelCut;
using platform::qt::TBitmap;
using platform::qt::testkit::Grab;

class PanelsTest : public platform::qt::testing::FormFixture {
 protected:
  PanelsTest() : FormFixture(420, 260) { form.SetColor(platform::qt::clWhite); }
};

// Two panels alike but for the class: the same pixels.
TEST_F(PanelsTest, WithDefaultColoursAPanelPaintsAsTheFrameworksPanel) {
  auto* own = Add<TkvPanel>(0, 0, 100, 50);
  auto* plain = Add<platform::qt::TPanel>(0, 60, 100, 50);
  for (platform::qt::TPanel* p : {static_cast<platform::qt::TPanel*>(own), plain}) {
    p->SetBevelOuter(TBevelCut::bvRaised);
    p->SetBevelInner(TBevelCut::bvLowered);
    p->SetBevelWidth(2);
    p->SetBorderWidth(1);
    p->SetCaption("Tafel");
  }
  const TBitmap shot = Grab(form);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 100; ++x) ASSERT_EQ(shot.Pixel(x, y), shot.Pixel(x, y + 60)) << x << "," << y;
  }
}

TEST_F(PanelsTest, OwnBevelColoursPaintTheBevels) {
  auto* p = Add<TkvPanel>(10, 10, 80, 40);
  p->SetBevelOuter(TBevelCut::bvRaised);
  p->SetBevelWidth(2);
  p->SetShadowColor(platform::qt::clRed);
  p->SetLightColor(platform::qt::clLime);
  TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10 + 5, 10), platform::qt::clLime);      // top
  EXPECT_EQ(shot.Pixel(10 + 1, 10 + 20), platform::qt::clLime);  // left, second ring
  EXPECT_EQ(shot.Pixel(10 + 79, 10 + 20), platform::qt::clRed);  // right
  EXPECT_EQ(shot.Pixel(10 + 40, 10 + 38), platform::qt::clRed);  // bottom, second ring
  p->SetBevelOuter(TBevelCut::bvLowered);
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10 + 5, 10), platform::qt::clRed);
  EXPECT_EQ(shot.Pixel(10 + 79, 10 + 20), platform::qt::clLime);
}

TEST_F(PanelsTest, ABorderColourReplacesTheBevelsWithAOnePixelRing) {
  auto* p = Add<TkvPanel>(10, 10, 80, 40);
  p->SetBorderColor(platform::qt::clBlue);
  EXPECT_EQ(p->BevelOuter(), TBevelCut::bvNone);
  EXPECT_EQ(p->BorderStyle(), platform::qt::TBorderStyle::bsSingle);
  TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), platform::qt::clBlue);
  EXPECT_EQ(shot.Pixel(89, 49), platform::qt::clBlue);
  EXPECT_EQ(shot.Pixel(11, 11), platform::qt::ColorToRGB(platform::qt::clBtnFace));
  // Colour 0 keeps the framework's single border.
  p->SetBorderColor(0);
  shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), platform::qt::ColorToRGB(platform::qt::clWindowFrame));
}

TEST_F(PanelsTest, AMousePanelReportsTheMouseOnlyWhileEnabled) {
  auto* p = Add<TkvMousePanel>(0, 0, 50, 50);
  int enters = 0;
  int leaves = 0;
  p->OnMouseEnter = [&](platform::qt::TComponent*) { ++enters; };
  p->OnMouseLeave = [&](platform::qt::TComponent*) { ++leaves; };
  p->MouseEnter();
  p->MouseLeave();
  p->SetEnabled(false);
  p->MouseEnter();
  p->MouseLeave();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

TEST_F(PanelsTest, APaintPanelKeepsItsPatternAndBuffersItsPaint) {
  auto* p = Add<TkvPaintPanel>(0, 0, 50, 50);
  p->SetMuster(enumPaintPanelMuster::ePaintPSeitenGrau);
  EXPECT_EQ(p->Muster(), enumPaintPanelMuster::ePaintPSeitenGrau);
  EXPECT_TRUE(p->DoubleBuffered());
}

TEST_F(PanelsTest, ALineCentresTheLabelOnTheFieldAndLiesOnItsBottomRow) {
  auto* panel = Add<platform::qt::TPanel>(0, 0, 400, 100);
  panel->SetColor(platform::qt::clWhite);
  panel->SetBevelOuter(TBevelCut::bvNone);
  auto* label = Add<platform::qt::TLabel>(10, 30, 80, 21, panel);
  label->SetAutoSize(false);
  label->SetCaption("Rufzeichen");
  auto* edit = Add<platform::qt::TEdit>(100, 20, 150, 25, panel);
  auto* line = Add<TSAPLinie>(0, 0, 10, 10, panel);
  line->SetOwnerLeft(label);
  line->SetOwnerRight(edit);
  EXPECT_EQ(label->Top(), 22);
  EXPECT_EQ(line->BoundsRect(), platform::qt::Bounds(10, 44, 240, 1));
  EXPECT_EQ(line->Pen().Color, 0xC0C0C0u);
  // Under the edit the line's row shows: the line is drawn where the edit does not cover it.
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(50, 44), 0xC0C0C0u);
}

TEST_F(PanelsTest, ALineWithOneOwnerFollowsThatOwner) {
  auto* label = Add<platform::qt::TLabel>(10, 30, 80, 21);
  label->SetAutoSize(false);
  auto* line = Add<TSAPLinie>(0, 60, 10, 10);
  line->SetOwnerLeft(label);
  EXPECT_EQ(line->BoundsRect(), platform::qt::Bounds(10, 60, 90, 1));
  EXPECT_EQ(line->Pen().Color, 0x02EFEFEFu);  // the form is no panel
  line->SetOwnerLeft(nullptr);
  line->SetOwnerRight(label);
  EXPECT_EQ(line->BoundsRect(), platform::qt::Bounds(0, 50, 90, 1));
  delete label;  // a freed owner is forgotten
  EXPECT_EQ(line->OwnerRight(), nullptr);
  line->Update();
}

TEST_F(PanelsTest, AFlatRoundedButtonIsSilverWhileDisabled) {
  auto* b = Add<TSAPBtn>(10, 10, 80, 24);
  b->SetCaption("WWWW");
  b->Font().SetColor(platform::qt::clBlack);
  auto colours_inside = [&] {
    const TBitmap shot = Grab(form);
    int silver = 0, black = 0;
    for (int y = 12; y < 32; ++y) {
      for (int x = 20; x < 80; ++x) {
        silver += shot.Pixel(x, y) == platform::qt::clSilver;
        black += shot.Pixel(x, y) == platform::qt::clBlack;
      }
    }
    return std::make_pair(silver, black);
  };
  const auto enabled = colours_inside();
  EXPECT_GT(enabled.second, 20);
  EXPECT_EQ(Grab(form).Pixel(50, 10 + 1), platform::qt::clBlack);  // the outline
  b->SetEnabled(false);
  const auto disabled = colours_inside();
  EXPECT_EQ(disabled.second, 0);
  EXPECT_GT(disabled.first, 20);
  EXPECT_EQ(Grab(form).Pixel(50, 10 + 1), platform::qt::clSilver);
  EXPECT_EQ(Grab(form).Pixel(12, 10 + 12), 0xAADFFFu);  // filled in its colour
}

TEST(PictureForm, HandsOutRegisteredPicturesByName) {
  platform::qt::Application().Pictures().Register(
      "TESTBILD", {8, 4, 1, platform::qt::clFuchsia},
      [](platform::qt::TCanvas& c, const platform::qt::TRect& cell, int) {
        c.Brush.Color = platform::qt::clRed;
        c.FillRect(cell);
      });
  {
    TFormBildressourcen pictures(nullptr);
    EXPECT_EQ(TFormBildressourcen::Instance(), &pictures);
    platform::qt::TImage* image = pictures.Image("testbild");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Picture().Width(), 8);
    EXPECT_EQ(image->Picture().Pixel(3, 3), platform::qt::clRed);
    EXPECT_EQ(pictures.Image("TESTBILD"), image);
    EXPECT_EQ(pictures.FindComponent("TESTBILD"), image);
    EXPECT_EQ(pictures.Image("UNBEKANNT"), nullptr);
  }
  EXPECT_EQ(TFormBildressourcen::Instance(), nullptr);
}

TEST_F(PanelsTest, Screenshot_PanelsAndLines) {
  form.SetColor(platform::qt::clBtnFace);
  auto* raised = Add<TkvPanel>(10, 10, 120, 50);
  raised->SetCaption("Standard");
  auto* coloured = Add<TkvPanel>(140, 10, 120, 50);
  coloured->SetBevelInner(TBevelCut::bvLowered);
  coloured->SetBevelWidth(2);
  coloured->SetLightColor(0xF0D0A0);
  coloured->SetShadowColor(0x804000);
  coloured->SetCaption("Eigene Kanten");
  auto* bordered = Add<TkvPanel>(270, 10, 120, 50);
  bordered->SetBorderColor(0x2060C0);
  bordered->SetColor(0xE8F0FF);
  bordered->SetCaption("Randfarbe");
  auto* white = Add<TkvPanel>(10, 80, 380, 100);
  white->SetColor(platform::qt::clWhite);
  white->SetBevelOuter(TBevelCut::bvNone);
  const char* captions[] = {"Rufzeichen", "Name", "QTH"};
  for (int row = 0; row < 3; ++row) {
    auto* label = Add<platform::qt::TLabel>(10, 10 + row * 30, 80, 16, white);
    label->SetAutoSize(false);
    label->SetCaption(captions[row]);
    auto* edit = Add<platform::qt::TEdit>(100, 8 + row * 30, 200, 22, white);
    auto* line = Add<TSAPLinie>(0, 0, 1, 1, white);
    line->SetOwnerLeft(label);
    line->SetOwnerRight(edit);
  }
  auto* up = Add<TSAPBtn>(10, 200, 100, 28);
  up->SetCaption("Speichern");
  auto* off = Add<TSAPBtn>(120, 200, 100, 28);
  off->SetCaption("Gesperrt");
  off->SetEnabled(false);
  auto* hot = Add<TSAPBtn>(230, 200, 100, 28);
  hot->SetCaption("Maus darauf");
  hot->MouseEnter();
  EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(form, "panels_and_lines").empty());
}

}  // namespace
}  // namespace ui
