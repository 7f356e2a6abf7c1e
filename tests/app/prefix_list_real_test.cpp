// The DXCC prefix list on the tables the build makes from the country file: one row per entity by
// DXCC prefix, every entry by country, and the extended view with the marker column, pictured
// for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/daten_liste_form.h"
#include "app/prefix_brow_ctrl.h"
#include "app/prefix_list.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/prefix_list_fixture.h"
#include "ui/kv_edit.h"

namespace app {
namespace {

class RealPrefixListTest : public app_test::PrefixListTest {
 protected:
  void SetUp() override {
    for (const char* name : {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT", "PXPREFES.IX"}) {
      std::filesystem::copy_file(std::filesystem::path(PREFIX_TABLES_DIR) / name,
                                 std::filesystem::path(folder_.path()) / name);
    }
    PrefixListTest::SetUp();
  }
  // Runs the list as the program opens it; `look` sees the window.
  void Show(bool select_mode, int index, const std::function<void(TDatenListeForm&)>& look) {
    TDatenPrefixListeCtrl list(nullptr, select_mode, "", index, 0);
    Then<TDatenListeForm>([&look](TDatenListeForm& w) {
      look(w);
      w.SetModalResult(platform::qt::mrCancel);
    });
    list.Execute();
  }
};

TEST_F(RealPrefixListTest, ByDxccEachEntityOnceByCountryEveryEntry) {
  Show(true, kPrefixIndexSelDxcc, [](TDatenListeForm& w) {
    // The first entities by DXCC prefix, each once, their German names beside them.
    const std::vector<std::string> dxcc = Column(*w.Brow, 0);
    ASSERT_GE(dxcc.size(), 5u);
    EXPECT_EQ(dxcc[0], "1A");
    for (std::size_t i = 1; i < dxcc.size(); ++i) EXPECT_LT(dxcc[i - 1], dxcc[i]);
    platform::qt::testkit::SaveScreenshot(w, "prefix_list_by_dxcc");

    w.Brow->SearchField()->SetText("dl");
    EXPECT_EQ(Column(*w.Brow, 0).at(static_cast<std::size_t>(w.Brow->GetGrid().Row() -
                                                             w.Brow->GetGrid().FixedRows())),
              "DL");
    w.Brow->SearchField()->SetText("");

    w.Brow->SortMenu()->Items()->Items(1)->Click();
    w.Brow->GotoFirst();
    const std::vector<std::string> countries = Column(*w.Brow, 0);
    ASSERT_GE(countries.size(), 5u);
    EXPECT_EQ(countries[0].substr(0, 1), "A");
    // Every prefix of a country: Afghanistan's two prefixes come one after the other.
    EXPECT_EQ(countries[0], countries[1]);
    platform::qt::testkit::SaveScreenshot(w, "prefix_list_by_land");
  });
}

TEST_F(RealPrefixListTest, TheExtendedViewWithTheMarkerColumnCrossesOutAnEntryOutOfDate) {
  settings_->SetOwnCall("QJ7WPL");
  logbook::ToSetupFlags16 flags = settings_->GetFlags16();
  flags[7] = 1;
  settings_->SetFlags16(flags);
  {
    // An entity that ended: its entries lie outside their validity.
    logbook::TdbPrefix cursor(logbook::kPrefixMain);
    for (const char* prefix : {"DA", "DB"}) {
      ASSERT_TRUE(cursor.FindExact(prefix));
      logbook::TPrefixRec r = cursor.GetRecord();
      r.end_date = logbook::testing::kToday - 30;
      r.bracketed = 1;
      cursor.SetRecord(r);
      ASSERT_TRUE(cursor.Update());
    }
  }
  Show(false, 1, [](TDatenListeForm& w) {
    w.Brow->SearchField()->SetText("DA");
    ui::TkvMouseGrid& g = w.Brow->GetGrid();
    const int row = g.Row();
    EXPECT_EQ(common::Trim(g.Cells(1, row)), "(DA)");
    EXPECT_EQ(g.Cells(0, row).substr(0, 1), "-");
    EXPECT_EQ(w.Brow->SortlistCount(), 8);
    platform::qt::testkit::SaveScreenshot(w, "prefix_list_extended_marker");
  });
}

}  // namespace
}  // namespace app
