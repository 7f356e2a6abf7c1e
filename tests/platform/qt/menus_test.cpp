// Pop-up menus: columns from breaks laid out by the measured sizes, owner drawing with each
// item's state, radio groups, keys across columns, accelerators, the mouse, and the menu a
// right click opens.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "platform/qt/menu_layout.h"
#include "platform/qt/menus.h"
#include "platform/qt/popup_window.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"

namespace platform::qt {
namespace {

using testkit::PressKey;

TEST(MenuLayoutTest, ColumnsStartAtBreaksAndTakeTheirWidestItem) {
  const std::vector<MenuCell> cells = {
      {50, 20, false, false}, {80, 10, false, false},  // column 0: 80 wide, 30 high
      {30, 15, true, true},   {40, 15, false, false},  // column 1 after a bar: 40 wide
      {60, 40, true, false},                           // column 2: the tallest
  };
  const MenuGeometry g = LayOutMenu(cells);
  EXPECT_EQ(g.columns, (std::vector<int>{0, 0, 1, 1, 2}));
  EXPECT_EQ(g.items[0], Bounds(kMenuFrame, kMenuFrame, 80, 20));
  EXPECT_EQ(g.items[1], Bounds(kMenuFrame, kMenuFrame + 20, 80, 10));
  const int x1 = kMenuFrame + 80 + kMenuColumnGap;
  EXPECT_EQ(g.items[3], Bounds(x1, kMenuFrame + 15, 40, 15));
  EXPECT_EQ(g.items[4].Left, x1 + 40 + kMenuColumnGap);
  EXPECT_EQ(g.bar_lines.size(), 1u);  // only the second column has a bar
  EXPECT_EQ(g.width, g.items[4].Right + kMenuFrame);
  EXPECT_EQ(g.height, kMenuFrame + 40 + kMenuFrame);
}

class MenuTest : public ::testing::Test {
 protected:
  MenuTest() {
    form.SetClientSize(300, 200);
    form.Show();
  }
  // Adds an item with the caption; its clicks are logged.
  TMenuItem* Add(const std::string& caption, TMenuBreak brk = TMenuBreak::mbNone) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->SetBreak(brk);
    item->OnClick = [this](TComponent* sender) {
      clicks.push_back(static_cast<TMenuItem*>(sender)->Caption());
    };
    menu.Items()->Add(item);
    return item;
  }
  TPopupWindow& Open() {
    menu.Popup(20, 30);
    EXPECT_TRUE(menu.IsShowing());
    return *menu.Window();
  }

  TForm form{nullptr};
  TPopupMenu menu{&form};
  std::vector<std::string> clicks;
};

TEST_F(MenuTest, TwentyFiveItemsWithABreakEveryTenMakeThreeColumnsOfMeasuredItems) {
  menu.SetOwnerDraw(true);
  std::map<const TComponent*, std::string> drawn;  // item -> state seen by OnDrawItem
  auto draw = [&drawn](TComponent* sender, TCanvas& canvas, const TRect& rect, bool selected) {
    auto* it = static_cast<TMenuItem*>(sender);
    drawn[sender] = std::string(selected ? "S" : "-") + (it->Checked() ? "C" : "-") +
                    (it->Enabled() ? "E" : "-");
    canvas.Brush.Color = selected ? clNavy : clYellow;
    canvas.FillRect(rect);
    canvas.Brush.Color = it->Checked() ? clRed : clGreen;
    canvas.FillRect(Bounds(rect.Left + 4, rect.Top + 4, 10, rect.Height() - 8));
    canvas.Font.SetColor(selected ? clWhite : it->Enabled() ? clBlack : clGray);
    canvas.Brush.Style = TBrushStyle::bsClear;
    TRect text{rect.Left + 20, rect.Top, rect.Right, rect.Bottom};
    canvas.DrawText(it->Caption(), text, DT_SINGLELINE | DT_VCENTER);
  };
  for (int i = 0; i < 25; ++i) {
    TMenuItem* item = Add("Sortierung " + std::to_string(i + 1),
                          i % 10 == 0 && i > 0 ? TMenuBreak::mbBarBreak : TMenuBreak::mbNone);
    item->SetRadioItem(true);
    item->SetGroupIndex(i < 10 ? 0 : 1);
    item->OnMeasureItem = [i](TComponent*, TCanvas&, int& width, int& height) {
      width = 100 + i;  // the widest of each column is its last
      height = 18 + i % 3;
    };
    if (i == 3 || i == 7 || i == 12 || i == 21) item->OnDrawItem = draw;
  }
  TMenuItem* checked = menu.Items()->Items(3);
  checked->SetChecked(true);
  menu.Items()->Items(15)->SetChecked(true);  // the layer's own radio mark
  menu.Items()->Items(12)->SetEnabled(false);
  menu.Items()->Items(13)->SetEnabled(false);  // the layer's own disabled look
  TPopupWindow& window = Open();
  ASSERT_EQ(window.ColumnCount(), 3);
  std::vector<int> per_column(3, 0);
  for (int i = 0; i < 25; ++i) {
    const TRect r = window.ItemRect(menu.Items()->Items(i));
    const int column = i / 10;
    ++per_column[column];
    EXPECT_EQ(r.Width(), 100 + std::min(10 * column + 9, 24)) << i;
    EXPECT_EQ(r.Height(), 18 + i % 3) << i;
    if (i % 10 != 0) {
      EXPECT_EQ(r.Top, window.ItemRect(menu.Items()->Items(i - 1)).Bottom) << i;
      EXPECT_EQ(r.Left, window.ItemRect(menu.Items()->Items(i - 1)).Left) << i;
    } else {
      EXPECT_EQ(r.Top, kMenuFrame) << i;
    }
  }
  EXPECT_EQ(per_column, (std::vector<int>{10, 10, 5}));
  window.Select(menu.Items()->Items(21));
  const TBitmap shot = testkit::Grab(window);
  EXPECT_FALSE(testkit::SaveScreenshot(window, "menu_three_columns").empty());
  EXPECT_EQ(drawn.size(), 4u);  // only the items that draw themselves
  EXPECT_EQ(drawn[checked], "-CE");
  EXPECT_EQ(drawn[menu.Items()->Items(7)], "--E");
  EXPECT_EQ(drawn[menu.Items()->Items(12)], "---");
  EXPECT_EQ(drawn[menu.Items()->Items(21)], "S-E");
  const TRect sel = window.ItemRect(menu.Items()->Items(21));
  EXPECT_EQ(shot.Pixel(sel.Right - 2, sel.Top + 2), clNavy);
  const TRect own = window.ItemRect(menu.Items()->Items(0));
  EXPECT_EQ(shot.Pixel(own.Right - 2, own.Top + 2), ColorToRGB(clMenu));
  menu.SetOwnerDraw(false);  // the handlers are then left alone
  drawn.clear();
  menu.CloseMenu();
  testkit::Grab(Open());
  EXPECT_TRUE(drawn.empty());
  EXPECT_GT(menu.Window()->ItemRect(menu.Items()->Items(0)).Width(), 0);
}

TEST_F(MenuTest, ARadioItemsClickChecksItAndUnchecksItsGroup) {
  TMenuItem* a = Add("&Call");
  TMenuItem* b = Add("&Datum");
  TMenuItem* other = Add("&Band");
  for (TMenuItem* item : {a, b, other}) item->SetRadioItem(true);
  other->SetGroupIndex(1);
  a->SetChecked(true);
  other->SetChecked(true);
  PressKey(Open(), 'D');  // the accelerator clicks "&Datum"
  EXPECT_EQ(clicks, std::vector<std::string>{"&Datum"});
  EXPECT_FALSE(menu.IsShowing());
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(other->Checked());  // another group
}

TEST_F(MenuTest, KeysMoveAcrossColumnsEnterClicksEscClosesWithoutAClick) {
  Add("eins");
  Add("-");
  Add("zwei");
  Add("drei", TMenuBreak::mbBreak);
  Add("vier");
  TMenuItem* off = Add("fünf");
  off->SetEnabled(false);
  TPopupWindow& window = Open();
  struct Step {
    std::uint16_t key;
    const char* selected;
  };
  const Step steps[] = {{VK_DOWN, "eins"},  {VK_DOWN, "zwei"},  // the separator is skipped
                        {VK_RIGHT, "vier"}, {VK_DOWN, "fünf"},  // level with zwei
                        {VK_DOWN, "eins"},  {VK_LEFT, "drei"},  // wrapping both ways
                        {VK_END, "fünf"},   {VK_HOME, "eins"}};
  for (const Step& s : steps) {
    PressKey(window, s.key);
    ASSERT_NE(window.Selected(), nullptr);
    EXPECT_EQ(window.Selected()->Caption(), s.selected) << s.key;
  }
  PressKey(window, VK_END);
  PressKey(window, VK_RETURN);  // on a disabled item: nothing
  EXPECT_TRUE(menu.IsShowing());
  PressKey(window, VK_ESCAPE);
  EXPECT_FALSE(menu.IsShowing());
  EXPECT_TRUE(clicks.empty());
  PressKey(Open(), VK_DOWN);
  PressKey(*menu.Window(), VK_RETURN);
  EXPECT_EQ(clicks, std::vector<std::string>{"eins"});
}

TEST_F(MenuTest, TheMouseSelectsClicksOnReleaseAndAPressOutsideCloses) {
  Add("eins");
  TMenuItem* zwei = Add("zwei");
  TPopupWindow& window = Open();
  const TRect r = window.ItemRect(zwei);
  testkit::MouseMove(window, r.Left + 5, r.Top + 3);
  EXPECT_EQ(window.Selected(), zwei);
  testkit::MouseDown(window, -20, -20);  // outside the menu
  EXPECT_FALSE(menu.IsShowing());
  EXPECT_TRUE(clicks.empty());
  TPopupWindow& again = Open();
  testkit::Click(again, r.Left + 5, r.Top + 3);
  EXPECT_EQ(clicks, std::vector<std::string>{"zwei"});
  EXPECT_FALSE(menu.IsShowing());
}

TEST_F(MenuTest, AMenuStaysOnTheScreenAndFreedItemsAreLeftOut) {
  Add("eins");
  TMenuItem* gone = Add("zwei");
  Add("versteckt")->SetVisible(false);
  Application().SetScreenSource(std::make_unique<FixedScreenSource>(640, 480, 96));
  menu.Popup(630, 470);
  TPopupWindow* window = menu.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Left() + window->Width(), 640);
  EXPECT_EQ(window->Top() + window->Height(), 480);
  EXPECT_EQ(window->ShownItems().size(), 2u);
  delete gone;
  EXPECT_EQ(menu.Items()->Count(), 2);
  EXPECT_EQ(window->ShownItems().size(), 1u);
  testkit::Grab(*window);  // paints without the freed item
  Application().SetScreenSource(MakeSystemScreenSource());
}

TEST_F(MenuTest, ARightClickOpensThePopupMenuOfTheControlOrItsParent) {
  Add("&Copy");
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(10, 10, 60, 20);
  form.SetPopupMenu(&menu);
  testkit::MouseDown(*label, 5, 5, TMouseButton::mbRight);
  testkit::MouseUp(*label, 5, 5, TMouseButton::mbRight);
  ASSERT_TRUE(menu.IsShowing());  // the form's menu, through the label
  EXPECT_EQ(menu.Window()->Left(), label->ClientToScreen({5, 5}).X);
  menu.CloseMenu();
  menu.SetAutoPopup(false);
  testkit::MouseUp(*label, 5, 5, TMouseButton::mbRight);
  EXPECT_FALSE(menu.IsShowing());
}

}  // namespace
}  // namespace platform::qt
