// The browser data controller: a list window that forwards its browser's events to a controller
// (or answers alone while it has none), the base's constant answers, collecting the selected
// references, positioning only when asked, and rebuilding the sort list.
#include "ui/daten_brow_ctrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "platform/qt/strings.h"
#include "tests/ui/browser_fixture.h"
#include "ui/kv_edit.h"

namespace ui::testing {
namespace {

// A descendant as the program's list windows make theirs: rows, columns and sort orders of the
// club's station file.
class StationCtrl : public TDatenBrowCtrl {
 public:
  StationCtrl(TkvBrow* browser, TdbStation* db, TkvForm* form)
      : TDatenBrowCtrl(browser, 0, db, form, 0), db_(db) {}
  void BuildRow(RowRec& row) override {
    StationRec r;
    std::memcpy(&r, db_->GetTreiber()->RecordBuffer(), sizeof r);
    row.text = r.call.str() + ";" + r.name.str();
  }
  void SetHeaderFooter() override {
    TBrowColumnBytes cols{};
    cols[0] = kCallKey;
    cols[1] = kNumberKey;
    Browser()->SetHeaderFooter("Rufzeichen;Name", "", cols, {}, "");
    ++headers;
  }
  void InitSortList() override {
    Browser()->ClearSortlist();
    Browser()->AddSortlist("Rufzeichen");
    Browser()->AddSortlist("Nummer");
  }
  int SortList2Key(int entry, common::TKeyStr&, common::TKeyStr&) override {
    return entry == 0 ? kCallKey : entry == 1 ? kNumberKey : 0;
  }
  int headers = 0;

 private:
  TdbStation* db_;
};

class DatenBrowCtrlTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    refs_ = Fill(12);
    BindBrowserEvents(Brow(), [this] { return ctrl_.get(); });
  }
  // A window whose controller is the base itself, bound as descendants bind.
  void UseBase() {
    ctrl_ = std::make_unique<TDatenBrowCtrl>(&Brow(), 0, cursor_.get(), form_.get(), 0);
    Bind();
  }
  void UseStations() {
    ctrl_ = std::make_unique<StationCtrl>(&Brow(), cursor_.get(), form_.get());
    Bind();
  }
  StationCtrl& Stations() { return static_cast<StationCtrl&>(*ctrl_); }

  std::vector<std::int32_t> refs_;
  std::unique_ptr<TDatenBrowCtrl> ctrl_;
};

TEST_F(DatenBrowCtrlTest, TheFormsEventsReachTheControllerOrAnswerAloneWithoutOne) {
  Grid().SetDefaultDrawing(true);
  UseStations();
  EXPECT_FALSE(Grid().DefaultDrawing());  // the controller leaves the cells to the layout engine
  EXPECT_EQ(Shown().front(), "DLAA");
  EXPECT_EQ(common::Trim(Grid().Cells(1, Grid().FixedRows())), "Name DLAA");
  EXPECT_EQ(Brow().SortlistCount(), 2);
  common::TKeyStr low = Key("A");
  common::TKeyStr high = Key("Z");
  EXPECT_EQ(Brow().DoSortList2Key(1, low, high), kNumberKey);

  // The base: key 1 for every entry, both bounds left empty, no rows of its own.
  ctrl_ = std::make_unique<TDatenBrowCtrl>(&Brow(), 0, cursor_.get(), form_.get(), 0);
  for (const int entry : {0, 1, 7}) {
    low = Key("A");
    high = Key("Z");
    EXPECT_EQ(Brow().DoSortList2Key(entry, low, high), 1) << entry;
    EXPECT_EQ(low.size(), 0u) << entry;
    EXPECT_EQ(high.size(), 0u) << entry;
  }
  RowRec row;
  row.text = "vorher";
  Brow().OnBuildRow(row);
  EXPECT_EQ(row.text, "vorher");

  // No controller at all: a form without one answers key 1 and an empty search key.
  ctrl_.reset();
  EXPECT_EQ(Brow().DoSortList2Key(0, low, high), 1);
  Brow().SearchField()->SetText("dl");
  EXPECT_EQ(Brow().OnSuchFeld2KeyStr().size(), 0u);
}

TEST_F(DatenBrowCtrlTest, TheQuickSearchKeyIsTheFieldUpperCasedAndEmptyForAnEmptyField) {
  UseBase();
  common::TKeyStr key = Key("alt");
  Brow().SearchField()->SetText("");
  ctrl_->GetSuchKey(key);
  EXPECT_EQ(common::LenArrayToShort(key), "");
  Brow().SearchField()->SetText("dlab");
  EXPECT_EQ(common::LenArrayToShort(Brow().OnSuchFeld2KeyStr()), "DLAB");
  EXPECT_EQ(Current(), "DLAB");  // the browser's quick search went there through the controller
}

TEST_F(DatenBrowCtrlTest, CollectedAreTheCurrentRecordOrEveryReadableSelectedOne) {
  UseStations();
  Ctrl().LineDown();
  Ctrl().LineDown();
  platform::qt::TStringList list;
  EXPECT_TRUE(ctrl_->CollectSelected(list));
  EXPECT_EQ(list.Lines(), std::vector<std::string>{std::to_string(refs_[2])});

  TkvBrowSelect& select = Brow().Selection();
  for (const int i : {4, 7, 9}) select.SetSelected(refs_[static_cast<std::size_t>(i)], 1);
  TdbStation other;  // another cursor removes one of them before they are collected
  ASSERT_TRUE(other.GotoRef(refs_[7]));
  ASSERT_TRUE(other.Delete(false));
  list.Clear();
  EXPECT_TRUE(ctrl_->CollectSelected(list));
  EXPECT_EQ(list.Lines(),
            (std::vector<std::string>{std::to_string(refs_[4]), std::to_string(refs_[9])}));
  EXPECT_TRUE(select.Slots().empty());  // the selection is cleared after collecting

  std::int32_t ref = -5;
  EXPECT_TRUE(ctrl_->ReadDatensatz(ref));
  EXPECT_EQ(ref, refs_[2]);
  TDatenBrowCtrl lone(nullptr, 0, cursor_.get(), nullptr, 0);
  ref = -5;
  EXPECT_FALSE(lone.ReadDatensatz(ref));
  EXPECT_FALSE(lone.ReadDatensatz2(ref));
  EXPECT_EQ(ref, -5);
  list.Clear();
  EXPECT_FALSE(lone.CollectSelected(list));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(DatenBrowCtrlTest, PositioningHappensOnlyWhenAsked) {
  UseStations();
  const std::string start = Current();
  for (const bool ask : {false, true}) {
    SCOPED_TRACE(ask);
    ctrl_->GotoDatensatz(ask, refs_[6]);
    EXPECT_EQ(Current(), ask ? "DLAG" : start);
    ctrl_->GotoDatensatz2(ask, refs_[8]);
    EXPECT_EQ(Current(), ask ? "DLAI" : start);
    ASSERT_TRUE(cursor_->GotoRef(refs_[3]));
    ctrl_->GotoCurrent(ask);
    EXPECT_EQ(Current(), ask ? "DLAD" : start);
  }
  // Refreshing comes back to the record it started from and shows what changed meanwhile.
  ctrl_->GotoDatensatz(true, refs_[5]);
  TdbStation other;
  ASSERT_TRUE(other.GotoRef(refs_[5]));
  other.Record().name = "Neu";
  ASSERT_TRUE(other.Update());
  ctrl_->RefreshAndGoto(false);
  EXPECT_NE(common::Trim(Grid().Cells(1, Grid().Row())), "Neu");
  ctrl_->RefreshAndGoto(true);
  EXPECT_EQ(Current(), "DLAF");
  EXPECT_EQ(common::Trim(Grid().Cells(1, Grid().Row())), "Neu");
}

TEST_F(DatenBrowCtrlTest, RefreshingAfterTheCurrentRecordWasDeletedDropsItsRow) {
  UseStations();
  ctrl_->GotoDatensatz(true, refs_[2]);
  ASSERT_EQ(Current(), "DLAC");
  TdbStation other;
  for (const int i : {2, 3}) {  // the current record and the one after it
    ASSERT_TRUE(other.GotoRef(refs_[static_cast<std::size_t>(i)]));
    ASSERT_TRUE(other.Delete(false));
  }
  ctrl_->RefreshAndGoto(true);
  const std::vector<std::string> shown = Shown();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "DLAC"), 0);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "DLAD"), 0);
  EXPECT_EQ(Current(), "DLAE");
  EXPECT_FALSE(Brow().GotoDatensatz(refs_[2], 0, 1));
}

TEST_F(DatenBrowCtrlTest, RebuildingTheSortListKeepsTheChosenEntryAndRedoesTheColumns) {
  UseStations();
  Brow().SetSortlistItemIndex(1);
  const int headers = Stations().headers;
  ctrl_->RebuildSortlist();
  EXPECT_EQ(Brow().SortlistItemIndex(), 1);
  EXPECT_EQ(Brow().SortlistCount(), 2);  // rebuilt, not added to
  EXPECT_EQ(Stations().headers, headers + 1);
}

}  // namespace
}  // namespace ui::testing
