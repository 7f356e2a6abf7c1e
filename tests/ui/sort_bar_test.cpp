// The layout engine's sort and view bar: made once however often it is built, menus in columns
// of ten, the view button only with views, the sort entry of the current key, the look switch
// and the grid drawing switch, the places at two resolutions, and the sort menu opened in both
// looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/grid_colours.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "platform/qt/combo_box.h"
#include "platform/qt/image.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/panel.h"
#include "platform/qt/popup_window.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/tool_bar.h"
#include "tests/ui/browser_fixture.h"
#include "tests/ui/menu_shot.h"
#include "ui/bit_btn.h"
#include "ui/grafik.h"
#include "ui/kv_edit.h"
#include "ui/layout.h"

namespace ui::testing {
namespace {

using platform::qt::TMenuBreak;
using platform::qt::TPopupMenu;

class SortBarTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    refs_ = Fill(30);
    Assign();
  }
  template <typename Change>
  void ChangeLayout(const Change& change) {
    logbook::ToSetupLayout layout = settings_->GetLayout();
    change(layout);
    settings_->SetLayout(layout);
  }
  void SetLook(bool new_look) {
    ChangeLayout([new_look](auto& l) { l.layout_variant_switch = new_look ? 1 : 0; });
  }
  // `count` sort entries: "Sortierung 1", ...; entry i sorts by the call when even, else by the
  // number.
  void SortEntries(int count) {
    Brow().OnInitSortList = [this, count] {
      Brow().ClearSortlist();
      for (int i = 1; i <= count; ++i) Brow().AddSortlist("Sortierung " + std::to_string(i));
    };
    Brow().OnSortList2Key = [count](int entry, common::TKeyStr&, common::TKeyStr&) {
      return entry >= count ? 0 : entry % 2 == 0 ? kCallKey : kNumberKey;
    };
  }
  template <typename T>
  int OwnedByBrowser() {
    int count = 0;
    for (TComponent* c : Brow().Components()) count += dynamic_cast<T*>(c) != nullptr ? 1 : 0;
    return count;
  }

  common::ScopedService<logbook::ToSetups> settings_;
  std::vector<std::int32_t> refs_;
};

TEST_F(SortBarTest, BuiltTwiceItKeepsOneOfEachAndAppliesFontsAndPlacesAgain) {
  Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1 | 2); };
  Bind();
  ToLayout::Sortierleiste(Brow());
  TPopupMenu* sort_menu = Brow().SortMenu();
  TPopupMenu* view_menu = Brow().ViewMenu();
  TkvBitBtn* sort_button = Brow().SortButton();
  ASSERT_NE(sort_menu, nullptr);
  ASSERT_NE(view_menu, nullptr);
  EXPECT_EQ(sort_menu->Items()->Count(), 2);
  EXPECT_EQ(view_menu->Items()->Count(), 2);
  EXPECT_EQ(sort_button->kvMenue(), sort_menu);
  EXPECT_EQ(Brow().ViewButton()->kvMenue(), view_menu);
  EXPECT_EQ(Brow().ViewButton()->Caption(), "Ansicht");
  EXPECT_EQ(Brow().SortLabel()->Caption(), "S&ortierung:");
  EXPECT_EQ(Brow().SortLabel()->FocusControl(), sort_button);
  EXPECT_FALSE(Brow().SortCombo()->Visible());
  const int field_left = Brow().SearchField()->Left();

  ChangeLayout([](auto& l) {
    l.font_name = "Courier New";
    l.font_size = 12;
  });
  Brow().SearchField()->SetLeft(0);
  sort_button->SetTop(0);
  ToLayout::Sortierleiste(Brow());
  EXPECT_EQ(Brow().SortMenu(), sort_menu);
  EXPECT_EQ(Brow().ViewMenu(), view_menu);
  EXPECT_EQ(Brow().SortButton(), sort_button);
  EXPECT_EQ(OwnedByBrowser<TPopupMenu>(), 2);
  EXPECT_EQ(OwnedByBrowser<TkvBitBtn>(), 2);
  EXPECT_EQ(sort_menu->Items()->Count(), 2);  // the menus are not filled twice
  for (platform::qt::TControl* c : std::vector<platform::qt::TControl*>{
           Brow().SearchField(), Brow().SortCombo(), Brow().SortLabel()}) {
    EXPECT_EQ(c->Font().Name(), "Courier New");
    EXPECT_EQ(c->Font().Size(), 12);
    EXPECT_FALSE(c->ParentFont());
  }
  EXPECT_GT(Brow().SearchField()->Left(), field_left);  // the larger label pushed it on
  EXPECT_EQ(sort_button->Top(), Brow().SortLabel()->Top() - 7);
}

TEST_F(SortBarTest, TwentyFiveSortEntriesMakeMenuColumnsOfTenTenAndFive) {
  SortEntries(25);
  Bind();
  ToLayout::Sortierleiste(Brow());
  TPopupMenu& menu = *Brow().SortMenu();
  ASSERT_EQ(menu.Items()->Count(), 25);
  for (int i = 0; i < 25; ++i) {
    const bool starts_column = i == 10 || i == 20;
    EXPECT_EQ(menu.Items()->Items(i)->Break(),
              starts_column ? TMenuBreak::mbBarBreak : TMenuBreak::mbNone)
        << i;
    EXPECT_TRUE(menu.Items()->Items(i)->RadioItem()) << i;
  }
  // A rebuilt list goes on breaking at the same places, its items drawn by the engine.
  Brow().DoInitSortList();
  EXPECT_EQ(menu.Items()->Items(20)->Break(), TMenuBreak::mbBarBreak);
  EXPECT_EQ(menu.Items()->Items(21)->Break(), TMenuBreak::mbNone);
  EXPECT_TRUE(menu.Items()->Items(21)->OnDrawItem && menu.Items()->Items(21)->OnMeasureItem);
}

TEST_F(SortBarTest, TheViewButtonShowsOnlyWithViews) {
  Bind();
  ToLayout::Sortierleiste(Brow());
  EXPECT_EQ(Brow().AnsichtCount(), 0);
  EXPECT_FALSE(Brow().ViewButton()->Visible());
  Brow().InitAnsicht(1 | 8);
  ToLayout::Sortierleiste(Brow());
  EXPECT_TRUE(Brow().ViewButton()->Visible());
  EXPECT_EQ(Brow().ViewMenu()->Items()->Count(), 2);
}

TEST_F(SortBarTest, TheFirstSortEntryOfTheCurrentKeyIsChosenAndWithoutOneTheChoiceStays) {
  std::vector<bool> inquiring;
  Brow().OnInitSortList = [this] {
    Brow().ClearSortlist();
    for (const char* name : {"Nummer", "Rufzeichen", "Rufzeichen rückwärts"}) {
      Brow().AddSortlist(name);
    }
  };
  Brow().OnSortList2Key = [this, &inquiring](int entry, common::TKeyStr&, common::TKeyStr&) {
    inquiring.push_back(Brow().SortListInquiry());
    return entry == 0 ? kNumberKey : entry <= 2 ? kCallKey : 0;
  };
  ToLayout::Sortierleiste(Brow());  // unbound: no key to look for
  EXPECT_TRUE(inquiring.empty());
  Bind();  // by the call
  inquiring.clear();
  ToLayout::Sortierleiste(Brow());
  EXPECT_EQ(Brow().SortlistItemIndex(), 1);
  EXPECT_EQ(Brow().SortButton()->Caption(), "Rufzeichen");
  EXPECT_EQ(inquiring, std::vector<bool>(2, true));  // asked up to the first match
  EXPECT_FALSE(Brow().SortListInquiry());

  Brow().SetSortlistItemIndex(2);
  ToLayout::BuildSortierleiste(Brow(), false);  // not asked to look
  EXPECT_EQ(Brow().SortlistItemIndex(), 2);

  Brow().SetKeyNr(3);  // the name key, which no entry sorts by
  inquiring.clear();
  ToLayout::Sortierleiste(Brow());
  EXPECT_EQ(inquiring.size(), 101u);  // entries 0 to 100
  EXPECT_EQ(Brow().SortlistItemIndex(), 2);
}

TEST_F(SortBarTest, TheLookSwitchLightsTheHoveredRowAndTheDrawingSwitchKeepsTheStandardDrawing) {
  Bind();
  for (const bool new_look : {true, false}) {
    SCOPED_TRACE(new_look);
    SetLook(new_look);
    Grid().SetOptions(Grid().Options() | platform::qt::kGridLineOptions);
    ToLayout::Sortierleiste(Brow());
    EXPECT_EQ(Brow().NewLayoutFlag(), new_look ? 1 : 0);
    EXPECT_EQ((Grid().Options() & platform::qt::kGridLineOptions) == 0, new_look);
    Ctrl().ClearHot();
    platform::qt::testkit::MouseMove(Grid(), 40, Grid().CellRect(0, 4).Top + 3);
    EXPECT_EQ(Ctrl().Hot().Y, new_look ? 4 : -1);
    platform::qt::testkit::MouseMove(Grid(), 40, Grid().CellRect(0, 6).Top + 3);
    EXPECT_EQ(Ctrl().Hot().Y, new_look ? 6 : -1);
  }

  for (const std::uint8_t drawing_switch : {1, 0}) {
    SCOPED_TRACE(drawing_switch);
    ChangeLayout([drawing_switch](auto& l) { l.popup_menu_switch = drawing_switch; });
    Grid().SetDefaultDrawing(true);
    ToLayout::Sortierleiste(Brow());
    EXPECT_EQ(Grid().DefaultDrawing(), drawing_switch != 0);
    EXPECT_EQ(Brow().SortMenu()->OwnerDraw(), drawing_switch == 0);
    EXPECT_EQ(Brow().ViewMenu()->OwnerDraw(), drawing_switch == 0);
  }
}

// Expected places, by hand: n scaled is n at 96 dpi and n x 1.25 (halves to even) at 120.
struct Places {
  int dpi;
  int picture_left, picture_top, label_gap, label_top, combo_gap, button_back, button_rise;
  int button_height, search_gap, search_top, field_gap, field_width, view_gap, view_width;
  int bar_height, tool_offset;
};

class SortBarPlacesTest : public SortBarTest, public ::testing::WithParamInterface<Places> {
 protected:
  SortBarPlacesTest() { dpi_ = GetParam().dpi; }
};

TEST_P(SortBarPlacesTest, TheBarsControlsStandWhereTheLayoutPutsThem) {
  const Places& p = GetParam();
  Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1 | 2); };
  Bind();
  ToLayout::Sortierleiste(Brow());
  const platform::qt::TImage& picture = *Brow().SecondImage();
  const platform::qt::TLabel& label = *Brow().SortLabel();
  const platform::qt::TComboBox& combo = *Brow().SortCombo();
  const TkvBitBtn& sort = *Brow().SortButton();
  const platform::qt::TImage& search = *Brow().SearchImage();
  const TkvEdit& field = *Brow().SearchField();
  const TkvBitBtn& view = *Brow().ViewButton();
  EXPECT_TRUE(picture.Visible());
  EXPECT_EQ(picture.Left(), p.picture_left);
  EXPECT_EQ(picture.Top(), p.picture_top);
  EXPECT_EQ(label.Left(), picture.Left() + picture.Width() + p.label_gap);
  EXPECT_EQ(label.Top(), p.label_top);
  EXPECT_EQ(combo.Left(), label.Left() + label.Width() + p.combo_gap);
  EXPECT_EQ(sort.Left(), combo.Left() - p.button_back);
  EXPECT_EQ(sort.Top(), label.Top() - p.button_rise);
  EXPECT_EQ(sort.Height(), p.button_height);
  EXPECT_TRUE(sort.Visible());
  EXPECT_EQ(search.Left(), combo.Left() + combo.Width() + p.search_gap);
  EXPECT_EQ(search.Top(), p.search_top);
  EXPECT_EQ(field.Left(), search.Left() + search.Width() + p.field_gap);
  EXPECT_EQ(field.Width(), p.field_width);
  EXPECT_EQ(view.Left(), field.Left() + field.Width() + p.view_gap);
  EXPECT_EQ(view.Top(), sort.Top());
  EXPECT_EQ(view.Height(), sort.Height());
  EXPECT_EQ(view.Width(), p.view_width);
  EXPECT_EQ(Brow().BottomBar()->Height(), p.bar_height);
  EXPECT_EQ(Brow().ToolBarOffset(), p.tool_offset);
  EXPECT_EQ(Brow().ToolBar()->Top(), 2 + p.tool_offset);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, SortBarPlacesTest,
    ::testing::Values(Places{96, 5, 9, 7, 12, 4, 4, 7, 26, 6, 6, 4, 70, 10, 70, 38, 6},
                      Places{120, 6, 11, 9, 15, 5, 5, 9, 32, 8, 8, 5, 88, 12, 88, 48, 8}),
    [](const auto& info) { return "dpi" + std::to_string(info.param.dpi); });

TEST_F(SortBarTest, TheSortMenuOpensFromTheLabelInThreeOwnerDrawnColumnsInBothLooks) {
  // The grid colours as the settings load derives them from the default scheme.
  common::ScopedService<common::GridColours> colours;
  colours->GridHeaderColor = settings_->GetLayout().panel_colour;
  colours->GridHighlightColor = ToGrafik::FarbeAbstufen(colours->GridHeaderColor, 30);
  for (const bool new_look : {true, false}) {
    SCOPED_TRACE(new_look);
    SetLook(new_look);
    form_ = std::make_unique<BrowserForm>(width_, height_);
    Assign();
    SortEntries(25);
    Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1 | 2 | 8); };
    Bind();
    ToLayout::Sortierleiste(Brow());
    TPopupMenu& menu = *Brow().SortMenu();
    EXPECT_TRUE(menu.OwnerDraw());
    Brow().SortLabel()->OnClick(Brow().SortLabel());
    ASSERT_TRUE(menu.IsShowing());
    platform::qt::TPopupWindow& window = *menu.Window();
    EXPECT_EQ(window.ColumnCount(), 3);
    std::vector<int> per_column(3, 0);
    const int second_column = window.ItemRect(menu.Items()->Items(10)).Left;
    const int third_column = window.ItemRect(menu.Items()->Items(20)).Left;
    for (platform::qt::TMenuItem* item : window.ShownItems()) {
      const int left = window.ItemRect(item).Left;
      ++per_column[left >= third_column ? 2 : left >= second_column ? 1 : 0];
    }
    EXPECT_EQ(per_column, (std::vector<int>{10, 10, 5}));
    window.Select(menu.Items()->Items(13));
    EXPECT_FALSE(
        SaveWithMenu(*form_, menu, new_look ? "sort_menu_new_look" : "sort_menu_old_look").empty());
    menu.CloseMenu();
  }
}

}  // namespace
}  // namespace ui::testing
