// The colour scheme on a fake window.
#include "logbook/settings/colour_scheme.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "tests/common/rows.h"

namespace logbook {
namespace {

constexpr int kCharWidth = 6;  // every character of the fake font

struct FakeControl final : SchemeControl {
  SchemeControlKind kind = SchemeControlKind::kOther;
  int tag = 0;
  std::string caption;
  int width = 100;
  std::optional<TColor> colour, font_colour;
  std::optional<std::array<TColor, 3>> grid_colours;  // panel, grid, font
  std::vector<std::unique_ptr<FakeControl>> children;

  FakeControl(SchemeControlKind k, int t, std::string text = "", int w = 100)
      : kind(k), tag(t), caption(std::move(text)), width(w) {}
  FakeControl& Add(SchemeControlKind k, int t) {
    children.push_back(std::make_unique<FakeControl>(k, t));
    return *children.back();
  }

  SchemeControlKind Kind() const override { return kind; }
  int Tag() const override { return tag; }
  std::string Caption() const override { return caption; }
  void SetCaption(std::string_view c) override { caption = c; }
  int Width() const override { return width; }
  void SetWidth(int w) override { width = w; }
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * kCharWidth;
  }
  void SetColour(TColor c) override { colour = c; }
  void SetFontColour(TColor c) override { font_colour = c; }
  int ChildCount() const override { return static_cast<int>(children.size()); }
  SchemeControl& Child(int i) override { return *children[i]; }
  void SetGridColours(TColor panel, TColor grid, TColor font) override {
    grid_colours = {panel, grid, font};
  }
};

struct FakeForm final : SchemeForm {
  std::optional<TColor> colour;
  int client_height = 480;
  FakeControl body{SchemeControlKind::kOther, 0};  // holds the form's controls
  std::vector<bool> owner_draw = {true, true};

  void SetColour(TColor c) override { colour = c; }
  int ClientHeight() const override { return client_height; }
  int ChildCount() const override { return body.ChildCount(); }
  SchemeControl& Child(int i) override { return body.Child(i); }
  int PopupMenuCount() const override { return static_cast<int>(owner_draw.size()); }
  void SetPopupMenuOwnerDraw(int i, bool on) override { owner_draw[i] = on; }
};

struct FakeImage final : SchemeImage {
  std::optional<RgbImage> picture;
  int width = 0;
  int height = 0;
  void SetPicture(const RgbImage& p) override { picture = p; }
  void SetSize(int w, int h) override { width = w, height = h; }
};

class ColourSchemeTest : public ::testing::Test {
 protected:
  ColourSchemeTest() {
    ToSetupLayout l = setups_->GetLayout();
    l.tag99_label_font_colour = 0x00000099;
    l.label_font_colour = 0x00000011;
    l.panel_colour = 0x00222222;
    l.form_colour = 0x02CF9F7F;
    l.side_bar_colour = 0x00A0B0C0;
    setups_->SetLayout(l);
    grid_->GridColor = 0x00333333;
    grid_->GridFontColor = 0x00444444;
  }
  void SetPopupSwitch(bool on) {
    ToSetupLayout l = setups_->GetLayout();
    l.popup_menu_switch = on ? 1 : 0;
    setups_->SetLayout(l);
  }

  common::ScopedService<ToSetups> setups_;
  common::ScopedService<common::GridColours> grid_;
  FakeForm form_;
};

struct LabelCase {
  const char* name;
  int tag;
  std::string caption;
  int width;
  std::string new_caption;
  int new_width;
  std::optional<TColor> font_colour;
};

class LabelScheme : public ColourSchemeTest, public ::testing::WithParamInterface<LabelCase> {};

// Without a side-bar image and a maker label, the form gets only its colours.
TEST_P(LabelScheme, TakesColourCaptionAndWidthByItsTag) {
  const LabelCase& c = GetParam();
  auto& label = form_.body.Add(SchemeControlKind::kLabel, c.tag);
  label.caption = c.caption;
  label.width = c.width;
  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_EQ(form_.colour, 0x02CF9F7Fu);
  EXPECT_EQ(label.caption, c.new_caption);
  EXPECT_EQ(label.width, c.new_width);
  EXPECT_EQ(label.font_colour, c.font_colour);
}

INSTANTIATE_TEST_SUITE_P(
    ColourScheme, LabelScheme,
    ::testing::Values(
        LabelCase{"Tag99", 99, "A", 80, "A", 80, 0x00000099},
        LabelCase{"Tag98KeepsItsColour", 98, "A", 80, "A", 80, std::nullopt},
        LabelCase{"OtherTag", 0, "A", 80, "A", 80, 0x00000011},
        LabelCase{"MenuEntryLosesThreeBlanks", 200, "    Neu", 160, " Neu", 156, std::nullopt},
        LabelCase{"TagNotAMultipleOf100", 150, "    Neu", 160, "    Neu", 156, std::nullopt},
        LabelCase{"MenuEntryOf156Pixels", 300, "    Neu", 156, "    Neu", 156, std::nullopt},
        LabelCase{"ThreeBlanksOnly", 300, "   Neu", 160, "   Neu", 156, std::nullopt},
        LabelCase{"BackupShortened", 1900, "Datensicherung (Backup)", 157, "Backup", 156,
                  std::nullopt},
        LabelCase{"RestoreShortened", 110, "Datensicherung (Restore)", 200, "Restore", 156,
                  std::nullopt},
        LabelCase{"ListShortened", 120, "Logbuch als Liste öffnen", 200, "Logbuch als Liste", 156,
                  std::nullopt},
        LabelCase{"NarrowKeepsTheLongCaption", 120, "Datensicherung (Backup)", 156,
                  "Datensicherung (Backup)", 156, std::nullopt},
        LabelCase{"Tag2000Untouched", 2000, "    Neu", 300, "    Neu", 300, std::nullopt},
        LabelCase{"NegativeTagUntouched", -1, "A", 80, "A", 80, std::nullopt}),
    common::testing::RowName);

TEST_F(ColourSchemeTest, PanelsGridBrowsersAndTag99PanelsTwoLevelsDeep) {
  auto& panel = form_.body.Add(SchemeControlKind::kPanel, 7);
  auto& grid = panel.Add(SchemeControlKind::kGridBrowser, 0);
  auto& inner = panel.Add(SchemeControlKind::kPanel, 99);
  auto& inner_grid = inner.Add(SchemeControlKind::kGridBrowser, 0);
  auto& innermost = inner.Add(SchemeControlKind::kPanel, 99);
  auto& too_deep = innermost.Add(SchemeControlKind::kGridBrowser, 0);
  auto& other_panel = panel.Add(SchemeControlKind::kPanel, 5);
  auto& hidden_grid = other_panel.Add(SchemeControlKind::kGridBrowser, 0);
  auto& loose_grid = form_.body.Add(SchemeControlKind::kGridBrowser, 0);

  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_EQ(form_.colour, 0x02CF9F7Fu);
  EXPECT_EQ(panel.colour, 0x00222222u);
  for (FakeControl* g : {&grid, &inner_grid}) {
    EXPECT_EQ(g->grid_colours, (std::array<TColor, 3>{0x00222222, 0x00333333, 0x00444444}));
  }
  EXPECT_EQ(inner.colour, 0x00222222u);
  EXPECT_EQ(innermost.colour, 0x00222222u);
  EXPECT_FALSE(too_deep.grid_colours.has_value());
  EXPECT_FALSE(other_panel.colour.has_value());
  EXPECT_FALSE(hidden_grid.grid_colours.has_value());
  EXPECT_FALSE(loose_grid.grid_colours.has_value());
}

TEST_F(ColourSchemeTest, ThePopupMenuSwitchTurnsOwnerDrawingOff) {
  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_EQ(form_.owner_draw, (std::vector<bool>{true, true}));
  SetPopupSwitch(true);
  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_EQ(form_.owner_draw, (std::vector<bool>{false, false}));
}

TEST_F(ColourSchemeTest, TheMakerLabelNamesTheMaker) {
  FakeControl maker(SchemeControlKind::kLabel, 0, "", 10);
  ApplyColourScheme(form_, nullptr, &maker);
  EXPECT_EQ(maker.caption, "Pelorin · PEL Domivox");
  EXPECT_EQ(maker.width, 8 * kCharWidth);  // "Pelorin "
}

// Entry i of the ramp from `start` to `end`, channel by channel.
TColor Ramp(TColor start, TColor end, int i) {
  TColor colour = 0;
  for (int shift : {0, 8, 16}) {
    const int s = (start >> shift) & 0xFF;
    const int e = (end >> shift) & 0xFF;
    const int value = s + static_cast<int>(std::nearbyint((e - s) * (i - 1) / 255.0));
    colour |= static_cast<TColor>(value) << shift;
  }
  return colour;
}

TEST_F(ColourSchemeTest, TheSideBarHasShadedEdgesOnTheDarkSideBarColour) {
  FakeImage image;
  ApplyColourScheme(form_, &image, nullptr);
  ASSERT_TRUE(image.picture.has_value());
  const RgbImage& p = *image.picture;
  EXPECT_EQ(p.width, 170);
  EXPECT_EQ(p.height, 14);
  EXPECT_EQ(image.width, 170);
  EXPECT_EQ(image.height, 480);

  // 0xA0B0C0 shaded 30 % toward black: each channel c - round(c / 255 * 76).
  const TColor dark = common::RGB(0xC0 - 57, 0xB0 - 52, 0xA0 - 48);
  ASSERT_EQ(common::ToGrafik::FarbeAbstufen(0x00A0B0C0, -30), dark);
  const TColor form = 0x00CF9F7F;
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 170; ++x) {
      TColor want = x < 16 || x > 156 ? form : dark;
      if (x >= 16 && x <= 19) want = Ramp(common::clWhite, dark, 175 + 25 * (x - 16));
      if (x >= 154 && x <= 156) want = Ramp(dark, common::clBlack, 25 * (x - 153));
      ASSERT_EQ(p.Pixel(x, y), want) << "x " << x << " y " << y;
    }
  }
  EXPECT_NE(p.Pixel(16, 0), dark);
}

}  // namespace
}  // namespace logbook
