// Pictures: the registry of pictures by name, image lists drawn plain and greyed, speed buttons
// with glyph states and groups, glyph placement, images, shapes and bevels, and tool bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/button_glyph.h"
#include "platform/qt/colors.h"
#include "platform/qt/form.h"
#include "platform/qt/image.h"
#include "platform/qt/image_list.h"
#include "platform/qt/pictures.h"
#include "platform/qt/shape.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/tool_bar.h"
#include "tests/common/temp_folder.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

using testkit::Grab;

// A 10 x 10 picture on purple: a black square with a red centre.
TBitmap Square() {
  TBitmap b(10, 10);
  b.Canvas().Brush.Color = clPurple;
  b.Canvas().FillRect({0, 0, 10, 10});
  b.Canvas().Brush.Color = clBlack;
  b.Canvas().FillRect({2, 2, 8, 8});
  b.Canvas().Brush.Color = clRed;
  b.Canvas().FillRect({4, 4, 6, 6});
  return b;
}

class PictureTest : public testing::FormFixture {
 protected:
  PictureTest() : FormFixture(300, 200) { form.SetColor(clWhite); }
};

TEST(PictureRegistryTest, RecipesPaintOnceUnknownNamesAreEmpty) {
  TPictureRegistry registry;
  int painted = 0;
  std::vector<int> states;
  registry.Register("KVBBTEST", {8, 6, 2, clFuchsia}, [&](TCanvas& c, const TRect& cell, int s) {
    ++painted;
    states.push_back(s);
    c.Brush.Color = s == 0 ? clGreen : clGray;
    c.FillRect({cell.Left + 2, cell.Top + 2, cell.Left + 4, cell.Top + 4});
  });
  const TBitmap& picture = registry.Get("kvbbtest");
  ASSERT_EQ(picture.Width(), 16);
  EXPECT_EQ(picture.Height(), 6);
  EXPECT_EQ(picture.Pixel(2, 2), clGreen);
  EXPECT_EQ(picture.Pixel(10, 2), clGray);  // the second state's cell
  EXPECT_EQ(picture.Pixel(0, 5), clFuchsia);
  EXPECT_TRUE(picture.Transparent);
  EXPECT_EQ(GlyphStateCount(picture), 1);  // 16 x 6 is no whole number of squares
  registry.Get("KVBBTEST");
  EXPECT_EQ(painted, 2);  // kept after the first use
  EXPECT_EQ(states, (std::vector<int>{0, 1}));
  EXPECT_TRUE(registry.Get("FEHLT").Empty());
  registry.Register("KVBBTEST", {4, 4, 1, clWhite}, nullptr);  // replaced
  EXPECT_EQ(registry.Get("KVBBTEST").Width(), 4);
  EXPECT_EQ(registry.Names(), std::vector<std::string>{"KVBBTEST"});
}

TEST(PictureRegistryTest, ContactSheetOfEveryRegisteredPicture) {
  TPictureRegistry& registry = Application().Pictures();
  ASSERT_FALSE(registry.Names().empty());
  TForm sheet(nullptr);
  sheet.SetColor(clWhite);
  const int cell = 140;
  const int columns = 4;
  const int rows = (static_cast<int>(registry.Names().size()) + columns - 1) / columns;
  sheet.SetClientSize(columns * cell, rows * 70);
  sheet.OnPaint = [&](TComponent*) {
    TCanvas& c = sheet.Canvas();
    for (std::size_t i = 0; i < registry.Names().size(); ++i) {
      const std::string& name = registry.Names()[i];
      const int x = static_cast<int>(i) % columns * cell + 8;
      const int y = static_cast<int>(i) / columns * 70 + 6;
      const TBitmap& picture = registry.Get(name);
      EXPECT_FALSE(picture.Empty()) << name;
      c.Draw(x, y, picture);
      c.Brush.Style = TBrushStyle::bsClear;
      c.TextOut(x, y + picture.Height() + 4, name);
    }
  };
  const TBitmap shot = Grab(sheet);
  EXPECT_FALSE(testkit::SaveScreenshot(sheet, "pictures_contact_sheet").empty());
  EXPECT_EQ(shot.Pixel(8, 6), clWhite);  // the first icon's corner: transparent
}

TEST_F(PictureTest, AnImageListDrawsItsTransparentColourAsTheBackgroundAndGreyed) {
  TImageList list(nullptr);
  list.SetSize(10, 10);
  TBitmap strip(25, 10);  // two whole pictures and a part that is left out
  strip.Canvas().CopyRect({0, 0, 10, 10}, Square().Canvas(), {0, 0, 10, 10});
  EXPECT_EQ(list.AddMasked(Square(), clPurple), 0);
  EXPECT_EQ(list.AddMasked(strip, clPurple), 1);
  EXPECT_EQ(list.Count(), 3);
  form.SetColor(clYellow);
  form.OnPaint = [&](TComponent*) {
    list.Draw(form.Canvas(), 10, 10, 0);
    list.Draw(form.Canvas(), 30, 10, 0, false);
    list.Draw(form.Canvas(), 50, 10, 7);  // outside the list: nothing
  };
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(10, 10), clYellow);  // purple left out
  EXPECT_EQ(shot.Pixel(12, 12), clBlack);
  EXPECT_EQ(shot.Pixel(14, 14), clRed);
  EXPECT_EQ(shot.Pixel(30, 10), clYellow);
  EXPECT_EQ(shot.Pixel(32, 32 - 20), ColorToRGB(clBtnShadow));     // greyed: the shape in shadow
  EXPECT_EQ(shot.Pixel(34, 14), ColorToRGB(clBtnShadow));          // red too
  EXPECT_EQ(shot.Pixel(38, 38 - 20), ColorToRGB(clBtnHighlight));  // the highlight below right
  EXPECT_EQ(shot.Pixel(50, 10), clYellow);
  list.SetSize(16, 16);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PictureTest, GroupedSpeedButtonsStayExclusive) {
  TSpeedButton* b[3];
  std::vector<int> clicks;
  for (int i = 0; i < 3; ++i) {
    b[i] = Add<TSpeedButton>(10 + 30 * i, 10, 25, 25);
    b[i]->SetGroupIndex(1);
    b[i]->OnClick = [&clicks, i](TComponent*) { clicks.push_back(i); };
  }
  auto* loose = Add<TSpeedButton>(120, 10, 25, 25);
  form.Show();
  testkit::Click(*b[0], 5, 5);
  EXPECT_TRUE(b[0]->Down());
  testkit::Click(*b[2], 5, 5);
  EXPECT_TRUE(b[2]->Down());
  EXPECT_FALSE(b[0]->Down());
  testkit::Click(*b[2], 5, 5);  // without AllowAllUp it stays down
  EXPECT_TRUE(b[2]->Down());
  b[1]->SetAllowAllUp(true);  // for the whole group
  testkit::Click(*b[2], 5, 5);
  EXPECT_FALSE(b[2]->Down());
  b[1]->SetDown(true);
  EXPECT_EQ(b[1]->State(), TButtonState::bsExclusive);
  testkit::MouseDown(*b[0], 5, 5);
  testkit::MouseUp(*b[0], 50, 50);  // released elsewhere: no click, nothing changes
  EXPECT_TRUE(b[1]->Down());
  EXPECT_FALSE(b[0]->Down());
  testkit::Click(*loose, 5, 5);
  loose->SetDown(true);  // no group: cannot stay down
  EXPECT_FALSE(loose->Down());
  EXPECT_EQ(clicks, (std::vector<int>{0, 2, 2, 2}));
}

TEST_F(PictureTest, SpeedButtonsDrawTheGlyphStateOfTheirState) {
  TBitmap glyph(20, 10);  // two states: green up, blue disabled, on olive
  glyph.Canvas().Brush.Color = clOlive;
  glyph.Canvas().FillRect({0, 0, 20, 10});
  glyph.Canvas().Brush.Color = clGreen;
  glyph.Canvas().FillRect({2, 2, 8, 8});
  glyph.Canvas().Brush.Color = clBlue;
  glyph.Canvas().FillRect({12, 2, 18, 8});
  auto* button = Add<TSpeedButton>(10, 10, 30, 30);
  button->SetFlat(true);
  button->SetGlyph(glyph);
  EXPECT_EQ(button->NumGlyphs(), 2);
  form.Show();
  const TBitmap up = Grab(form);
  EXPECT_EQ(up.Pixel(10 + 15, 10 + 15), clGreen);  // centred
  EXPECT_EQ(up.Pixel(10 + 11, 10 + 11), clWhite);  // olive left out, flat: no face
  button->SetEnabled(false);
  EXPECT_EQ(Grab(form).Pixel(25, 25), clBlue);
  TBitmap single(10, 10);  // one state: disabled is embossed from it
  single.Canvas().Brush.Color = clOlive;
  single.Canvas().FillRect({0, 0, 10, 10});
  single.Canvas().Brush.Color = clGreen;
  single.Canvas().FillRect({2, 2, 8, 8});
  button->SetGlyph(single);
  EXPECT_EQ(Grab(form).Pixel(25, 25), ColorToRGB(clBtnShadow));
}

TEST(GlyphPlacementTest, MarginAndSpacingPlaceGlyphAndCaption) {
  const TRect client{0, 0, 100, 30};
  struct Row {
    const char* name;
    TButtonLayout layout;
    int margin, spacing;
    TPoint text_size;
    TPoint glyph;
    int text_left;
  };
  const Row rows[] = {
      {"CentredPair", TButtonLayout::blGlyphLeft, -1, 4, {40, 14}, {18, 5}, 42},
      {"EvenSpread", TButtonLayout::blGlyphLeft, -1, -1, {40, 14}, {13, 5}, 46},
      {"FixedMargin", TButtonLayout::blGlyphLeft, 2, 4, {40, 14}, {2, 5}, 26},
      {"GlyphRight", TButtonLayout::blGlyphRight, 2, 4, {40, 14}, {78, 5}, 34},
      {"NoCaptionNoSpacing", TButtonLayout::blGlyphLeft, -1, 4, {0, 0}, {40, 5}, 60},
  };
  for (const Row& r : rows) {
    const ButtonPlacement p =
        PlaceGlyphAndText(client, {20, 20}, r.text_size, r.layout, r.margin, r.spacing);
    EXPECT_EQ(p.glyph, r.glyph) << r.name;
    EXPECT_EQ(p.text.Left, r.text_left) << r.name;
  }
  const ButtonPlacement top =
      PlaceGlyphAndText({10, 10, 60, 70}, {20, 20}, {30, 14}, TButtonLayout::blGlyphTop, -1, 4);
  EXPECT_EQ(top.glyph, (TPoint{25, 21}));
  EXPECT_EQ(top.text.Top, 45);
}

TEST_F(PictureTest, ImagesPlaceStretchAndCentreTheirPicture) {
  common::testing::TempFolder folder;
  ASSERT_TRUE(Square().SaveToPng(folder / "quadrat.png"));
  auto* image = Add<TImage>(10, 10, 40, 20);
  ASSERT_TRUE(image->LoadFromFile("quadrat.png"));
  EXPECT_FALSE(image->LoadFromFile("fehlt.png"));
  struct Row {
    const char* name;
    bool stretch, proportional, center;
    TRect dest;
  };
  const Row rows[] = {
      {"TopLeft", false, false, false, {0, 0, 10, 10}},
      {"Centred", false, false, true, {15, 5, 25, 15}},
      {"Stretched", true, false, false, {0, 0, 40, 20}},
      {"Proportional", true, true, true, {10, 0, 30, 20}},
  };
  for (const Row& r : rows) {
    image->SetStretch(r.stretch);
    image->SetProportional(r.proportional);
    image->SetCenter(r.center);
    EXPECT_EQ(image->DestRect(), r.dest) << r.name;
  }
  image->SetTransparent(true);
  EXPECT_EQ(Grab(form).Pixel(10 + 10, 10 + 0), clWhite);  // purple corner left out
  EXPECT_EQ(Grab(form).Pixel(10 + 20, 10 + 10), clRed);
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 10);
}

TEST_F(PictureTest, ShapesAndBevelsDrawInsideTheirArea) {
  auto* shape = Add<TShape>(10, 10, 40, 20);
  shape->SetShape(TShapeType::stSquare);
  shape->SetPen({clRed, 1});
  shape->SetBrush({clYellow, TBrushStyle::bsSolid});
  auto* line = Add<TBevel>(60, 10, 50, 20);
  line->SetShape(TBevelShape::bsBottomLine);
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(20, 10), clRed);  // the square's left edge, centred
  EXPECT_EQ(shot.Pixel(19, 15), clWhite);
  EXPECT_EQ(shot.Pixel(30, 20), clYellow);
  EXPECT_EQ(shot.Pixel(70, 28), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.Pixel(70, 29), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.Pixel(70, 15), clWhite);
}

TEST_F(PictureTest, ToolBarsPlaceTheirButtonsAndDrawTheirPictures) {
  TImageList images(&form);
  images.SetSize(10, 10);
  images.AddMasked(Square(), clPurple);
  auto* bar = Add<TToolBar>(0, 0, 200, 24);
  bar->SetImages(&images);
  bar->SetButtonWidth(20);
  bar->SetButtonHeight(19);
  std::vector<std::string> clicks;
  TToolButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = new TToolButton(&form);
    buttons[i]->SetParent(bar);
    buttons[i]->SetImageIndex(0);
    buttons[i]->SetHint("Knopf " + std::to_string(i));
    buttons[i]->OnClick = [&clicks, i](TComponent*) { clicks.push_back(std::to_string(i)); };
  }
  buttons[1]->SetStyle(TToolButtonStyle::tbsSeparator);
  EXPECT_EQ(buttons[2]->BoundsRect(), Bounds(28, 0, 20, 19));
  buttons[0]->Hide();
  EXPECT_EQ(buttons[2]->Left(), 8);
  buttons[0]->Show();
  buttons[2]->SetEnabled(false);
  form.SetShowHint(true);
  form.Show();
  testkit::Click(*buttons[0], 5, 5);
  testkit::Click(*buttons[1], 3, 5);  // a separator does not click
  const TBitmap shot = Grab(form);
  EXPECT_EQ(shot.Pixel(5 + 4, 4 + 4), clRed);                         // centred picture
  EXPECT_EQ(shot.Pixel(28 + 5 + 4, 4 + 4), ColorToRGB(clBtnShadow));  // greyed while disabled
  EXPECT_EQ(clicks, std::vector<std::string>{"0"});
  EXPECT_EQ(testkit::HintAt(*buttons[0], 3, 3), "Knopf 0");
}

}  // namespace
}  // namespace platform::qt
