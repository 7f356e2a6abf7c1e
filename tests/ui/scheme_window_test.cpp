// The colour scheme on a real list window: labels by their tag, panels with their grid browsers
// and tag-99 panels, the pop-up menus' owner drawing, the side bar and the maker line.
#include "ui/scheme_window.h"

#include <gtest/gtest.h>

#include <string>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "tests/ui/ui_fixture.h"
#include "ui/browser.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using platform::qt::TLabel;
using platform::qt::TPanel;

constexpr TColor kTag99Font = 0x00000099;
constexpr TColor kLabelFont = 0x00000011;
constexpr TColor kPanel = 0x00222222;
constexpr TColor kForm = 0x02CF9F7F;
constexpr TColor kGrid = 0x00333333;
constexpr TColor kGridFont = 0x00444444;
constexpr TColor kUntouched = 0x00ABCDEF;

class SchemeWindowTest : public ::testing::Test {
 protected:
  SchemeWindowTest() {
    logbook::ToSetupLayout l = setups_->GetLayout();
    l.tag99_label_font_colour = kTag99Font;
    l.label_font_colour = kLabelFont;
    l.panel_colour = kPanel;
    l.form_colour = kForm;
    l.side_bar_colour = 0x00A0B0C0;
    setups_->SetLayout(l);
    grid_->GridColor = kGrid;
    grid_->GridFontColor = kGridFont;
  }
  template <typename T>
  T* Add(platform::qt::TWinControl* parent, int tag) {
    auto* c = new T(&form_);
    c->SetParent(parent);
    c->SetTag(tag);
    c->SetColor(kUntouched);
    c->Font().SetColor(kUntouched);
    return c;
  }
  TLabel* AddLabel(int tag, const std::string& caption, int width) {
    auto* label = Add<TLabel>(&form_, tag);
    label->SetAutoSize(false);
    label->SetCaption(caption);
    label->SetWidth(width);
    return label;
  }
  static void ExpectColoured(TkvBrow& browser, bool coloured) {
    EXPECT_EQ(browser.GetGrid().Color() == kGrid, coloured);
    EXPECT_EQ(browser.GetGrid().Font().Color() == kGridFont, coloured);
    EXPECT_EQ(browser.BottomBar()->Color() == kPanel, coloured);
    EXPECT_EQ(browser.CloseStrip()->Color() == kPanel, coloured);
  }

  testing::ScreenScope screen_{768, 96};
  common::ScopedService<logbook::ToSetups> setups_;
  common::ScopedService<common::GridColours> grid_;
  testing::SizedForm form_{400, 300, true, true};
};

TEST_F(SchemeWindowTest, AListWindowIsColouredAsTheSchemeSays) {
  TLabel* tag99 = AddLabel(99, "Titel", 80);
  TLabel* tag98 = AddLabel(98, "Eigene Farbe", 80);
  TLabel* plain = AddLabel(5, "Text", 80);
  TLabel* menu_entry = AddLabel(200, "    Neu", 160);
  TLabel* backup = AddLabel(1900, "Datensicherung (Backup)", 170);
  auto* panel = Add<TPanel>(&form_, 7);
  auto* browser = new TkvBrow(&form_);
  browser->SetParent(panel);
  auto* inner = Add<TPanel>(panel, 99);
  auto* inner_browser = new TkvBrow(&form_);
  inner_browser->SetParent(inner);
  auto* other = Add<TPanel>(panel, 5);
  auto* hidden_browser = new TkvBrow(&form_);
  hidden_browser->SetParent(other);
  auto* menu = new platform::qt::TPopupMenu(&form_);
  menu->SetOwnerDraw(true);

  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_EQ(form_.Color(), kForm);
  EXPECT_EQ(tag99->Font().Color(), kTag99Font);
  EXPECT_EQ(tag98->Font().Color(), kUntouched);
  EXPECT_EQ(plain->Font().Color(), kLabelFont);
  EXPECT_EQ(menu_entry->Caption(), " Neu");
  EXPECT_EQ(menu_entry->Width(), 156);
  EXPECT_EQ(backup->Caption(), "Backup");
  EXPECT_EQ(panel->Color(), kPanel);
  EXPECT_EQ(inner->Color(), kPanel);
  EXPECT_EQ(other->Color(), kUntouched);
  ExpectColoured(*browser, true);
  ExpectColoured(*inner_browser, true);
  ExpectColoured(*hidden_browser, false);
  EXPECT_TRUE(menu->OwnerDraw());

  logbook::ToSetupLayout l = setups_->GetLayout();
  l.popup_menu_switch = 1;
  setups_->SetLayout(l);
  ApplyColourScheme(form_, nullptr, nullptr);
  EXPECT_FALSE(menu->OwnerDraw());
}

TEST_F(SchemeWindowTest, TheSideBarAndTheMakerLine) {
  auto* side_bar = new platform::qt::TImage(&form_);
  side_bar->SetParent(&form_);
  TLabel* maker = AddLabel(0, "", 10);
  ApplyColourScheme(form_, side_bar, maker);
  EXPECT_EQ(side_bar->Width(), 170);
  EXPECT_EQ(side_bar->Height(), form_.ClientHeight());
  const platform::qt::TBitmap& picture = side_bar->Picture();
  ASSERT_EQ(picture.Width(), 170);
  ASSERT_EQ(picture.Height(), 14);
  const logbook::RgbImage expected = logbook::DrawSideBar(kForm, 0x00A0B0C0);
  for (const int x : {0, 15, 16, 19, 20, 100, 154, 156, 157, 169}) {
    EXPECT_EQ(picture.Pixel(x, 7), expected.Pixel(x, 7)) << x;
  }
  EXPECT_EQ(maker->Caption(), "Pelorin · PEL Domivox");
  platform::qt::TBitmap probe(1, 1);
  probe.Canvas().Font = maker->Font();
  EXPECT_EQ(maker->Width(), probe.Canvas().TextWidth("Pelorin "));
}

}  // namespace
}  // namespace ui
