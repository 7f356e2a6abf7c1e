// The browser's bar and commands: the sort list in combo and menu form, sort changes and
// SwitchSort, the quick search, the delete flow, the views, direct editing and the arrangement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/combo_box.h"
#include "platform/qt/label.h"
#include "platform/qt/menus.h"
#include "platform/qt/speed_button.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/tool_bar.h"
#include "tests/ui/browser_fixture.h"
#include "ui/bit_btn.h"
#include "ui/kv_edit.h"
#include "ui/layout.h"

namespace ui::testing {
namespace {

using common::MessageKind;
using platform::qt::TMenuBreak;

TEST_F(BrowserTest, OneSortEntryIsNoChoice) {
  Fill(3);
  Assign();
  Brow().OnInitSortList = [this] {
    Brow().ClearSortlist();
    Brow().AddSortlist("Rufzeichen");
  };
  Bind();
  EXPECT_FALSE(Brow().SortCombo()->Visible());
  EXPECT_EQ(Brow().SortlistItemIndex(), -1);  // Init shows "Sortierung" until one is chosen
  Brow().DoInitSortList();
  EXPECT_EQ(Brow().SortlistItemIndex(), 0);
  Brow().AddSortlist("Nummer");
  Brow().DoInitSortList();  // the handler clears the list first
  EXPECT_EQ(Brow().SortlistCount(), 1);
}

TEST_F(BrowserTest, TheSortMenuBreaksIntoColumnsOfTen) {
  Fill(3);
  Assign();
  Bind();
  auto* menu = new platform::qt::TPopupMenu(&Brow());
  auto* button = new TkvBitBtn(&Brow());
  Brow().SetSortMenu(menu);
  Brow().SetSortButton(button);
  Brow().ClearSortlist();
  for (int i = 0; i < 12; ++i) Brow().AddSortlist("Sortierung " + std::to_string(i));
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(menu->Items()->Items(i)->Break(), i == 10 ? TMenuBreak::mbBarBreak : TMenuBreak::mbNone);
  }
  Brow().SetSortlistItemIndex(3);
  EXPECT_EQ(Brow().SortlistItemIndex(), 3);
  EXPECT_EQ(button->Caption(), "Sortierung 3");
  EXPECT_EQ(button->kvautoWidth(), 16);
  Brow().ShowSortlist(false);
  EXPECT_FALSE(button->Visible());
}

TEST_F(BrowserTest, ASortChangeKeepsTheRecordAndOnlyANewKeyClearsTheSearch) {
  Fill(30);
  Assign();
  Bind();
  Brow().SearchField()->SetText("DLAK");
  const std::int32_t ref = Brow().GetDatensatzRef();
  Brow().SetSortlistItemIndex(0);
  Brow().SortClick(Brow().SortCombo());  // the key shown already
  EXPECT_EQ(Brow().SearchField()->Text(), "DLAK");
  Brow().SetSortlistItemIndex(1);
  Brow().SortClick(Brow().SortCombo());
  EXPECT_EQ(Brow().GetKeyNr(), kNumberKey);
  EXPECT_EQ(Brow().GetDatensatzRef(), ref);
  EXPECT_EQ(Brow().SearchField()->Text(), "");
  // SwitchSort to a key number goes to that key, within the texts' bounds.
  Brow().SwitchSort(0, kCallKey, "DLB", "DLB");
  EXPECT_EQ(Brow().GetKeyNr(), kCallKey);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"DLBA", "DLBB", "DLBC", "DLBD"}));
}

TEST_F(BrowserTest, QuickSearchFindsTheFirstKeyOrTheOneBefore) {
  for (const char* call : {"AA", "AC", "B", "DL"}) AddStation(call, "");
  Assign();
  Bind();
  for (const auto& [typed, found] : std::vector<std::pair<std::string, std::string>>{
           {"AB", "AA"}, {"B", "B"}, {"0", "AA"}, {"AC", "AC"}, {"ZZ", "AC"}, {"ac", "AC"}}) {
    Brow().SearchField()->SetText(typed);
    EXPECT_EQ(Current(), found) << typed;
  }
}

TEST_F(BrowserTest, DeleteAsksUnlessTheFormDeletesItself) {
  Fill(5);
  Assign();
  Bind();
  Brow().Page()->SetCurrentRow(2);
  presenter_->answers = {false};
  Brow().DeleteCurrent();
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0], (common::MessageCall{.kind = MessageKind::kJaNeinFrage,
                                                       .title = "Sicherheitsabfrage",
                                                       .text = "Löschen \"Datensatz\"",
                                                       .default_yes = true}));
  EXPECT_EQ(cursor_->UsedRecs(), 5);
  presenter_->answers = {true};
  Brow().DeleteCurrent();
  EXPECT_EQ(cursor_->UsedRecs(), 4);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"DLAA", "DLAC", "DLAD", "DLAE"}));
  EXPECT_EQ(Current(), "DLAC");
  EXPECT_EQ(Check(ToDatClub::kStations), "");

  int own = 0;
  Brow().OnDatensatz_Loeschen = [&] { return ++own > 0; };
  Brow().DeleteCurrent();
  EXPECT_EQ(std::tuple(own, presenter_->calls.size(), cursor_->UsedRecs()), std::tuple(1, 2u, 4));
  Brow().OnBefore_Loesch = [] { return false; };
  Brow().DeleteCurrent();
  EXPECT_EQ(own, 1);
}

TEST_F(BrowserTest, ViewsOfferedAndChosen) {
  Fill(3);
  Assign();
  auto* button = new TkvBitBtn(&Brow());
  auto* menu = new platform::qt::TPopupMenu(&Brow());
  Brow().SetViewButton(button);
  Brow().SetViewMenu(menu);
  Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(1); };
  Bind();
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(Brow().AnsichtItemIndex(), 0);
  Brow().OnInitAnsicht = [this] { Brow().InitAnsicht(2 | 1 | 8); };
  Bind();
  Brow().AddAnsicht("Liste");
  EXPECT_EQ(Brow().AnsichtCount(), 3);
  EXPECT_TRUE(button->Enabled() && button->Visible());
  menu->Items()->Items(2)->Click();
  EXPECT_EQ(Brow().View(), TBrowserView::kMiniaturansicht);
  EXPECT_TRUE(menu->Items()->Items(2)->Checked());
  EXPECT_EQ(common::Trim(Brow().Page()->Row(1).key), "DLAA");
}

TEST_F(BrowserTest, DirectEditingNoticeOnceAndTheEditedCellToTheForm) {
  TkvBrow::ResetDirectEditNotice();
  Fill(3);
  Assign();
  std::vector<std::string> stored;
  Brow().OnBrowTextausZelle = [&](TComponent*, int col, int row, const std::string& value) {
    stored.push_back(std::to_string(col) + "/" + std::to_string(row) + ":" + value);
  };
  Brow().OnBrowTextSelectCell = [](TComponent*, int, int, const std::string& header) {
    return header == "Name";
  };
  Bind();
  Brow().ArrangeControls();
  EXPECT_TRUE(Brow().EditButton()->Visible());
  Brow().EditBtnClick();
  EXPECT_TRUE(Ctrl().IsEditMode());
  EXPECT_EQ(Grid().Col(), 1);
  Grid().SetEditText(1, 1, "Neu");
  EXPECT_EQ(stored, std::vector<std::string>{"1/1:Neu"});
  ToLayout::DisableButtons(*form_, &Brow());
  EXPECT_FALSE(Ctrl().IsEditMode() || Brow().EditButton()->Down());
  Brow().EditBtnClick();
  ASSERT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(presenter_->calls[0].kind, MessageKind::kHinweisMitCheck);
  EXPECT_EQ(presenter_->calls[0].title, "Direkteingabe");
}

TEST_F(BrowserTest, ANarrowBarGivesUpTheToolBarForTheCloseButton) {
  Fill(20);
  Assign();
  int closes = 0;
  Brow().OnBrowCloseBtnKlick = [&](TComponent* sender) {
    closes += sender == Brow().CloseButton2() ? 1 : 0;
  };
  Bind();
  EXPECT_TRUE(Brow().ToolBar()->Visible());
  EXPECT_TRUE(Brow().SortLabel()->Visible());
  form_->SetClientSize(190, 300);
  EXPECT_FALSE(Brow().ToolBar()->Visible());
  EXPECT_TRUE(Brow().CloseButton2()->Visible());
  EXPECT_FALSE(Brow().SortLabel()->Visible());
  EXPECT_LE(Brow().SearchField()->Left() + Brow().SearchField()->Width(),
            Brow().CloseButton2()->Left());
  Brow().CloseButton2()->Click();
  EXPECT_EQ(closes, 1);
  platform::qt::testkit::SaveScreenshot(*form_, "browser_bar_narrow");
}

}  // namespace
}  // namespace ui::testing
