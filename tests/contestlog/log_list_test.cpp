// The log window's QSO list offscreen: its heading and rows from the log, its sort orders
// through the browser, and its column widths kept before a change of order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "tests/contestlog/window_fixture.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::Qso;

class LogListTest : public contestlog_test::LogWindowTest {
 protected:
  // The trimmed texts of column `col` in the list's rows (the heading not counted) up to the
  // first empty row.
  static std::vector<std::string> Column(TContestLogStd& window, int col) {
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    std::vector<std::string> texts;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
      const std::string text = common::Trim(grid.Cells(col, row));
      if (text.empty() && common::Trim(grid.Cells(1, row)).empty()) break;
      texts.push_back(text);
    }
    return texts;
  }

  static int ColumnTitled(TContestLogStd& window, const std::string& title) {
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    for (int col = 0; col < grid.ColCount(); ++col) {
      if (common::Trim(grid.Cells(col, 0)) == title) return col;
    }
    ADD_FAILURE() << "no column " << title;
    return 0;
  }
};

// QSOs whose multiplier texts are filled, so that the opening does not renumber the log.
contest::TContestLKRec OnBand(const char* call, char band, std::int32_t time,
                              std::uint32_t intern) {
  contest::TContestLKRec q = Qso(call, band, kContestDay, time);
  q.wagBandNrIntern = intern;
  q.CMulti = "X";
  q.Info = "X";
  return q;
}

TEST_F(LogListTest, TheListShowsTheLogUnderItsHeadingInNumberOrder) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(OnBand("DL2XYZ", 'c', 3600, 1));
  b.AddQsy('b', kContestDay, 3700);
  b.Add(OnBand("f5abc", 'b', 3800, 1));
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    const int call = ColumnTitled(window, "Call");
    EXPECT_EQ(ColumnTitled(window, "Freq."), ColumnTitled(window, "QTH") + 1);
    EXPECT_EQ(Column(window, call),
              (std::vector<std::string>{"DL2XYZ", "*** QSY 80 m ***", "F5ABC"}));
    EXPECT_EQ(Column(window, ColumnTitled(window, "UTC")),
              (std::vector<std::string>{"01:00", "01:01", "01:03"}));
    Shot(window, "contest_log_list");
  });
}

TEST_F(LogListTest, OrderZeroListsTheCurrentBandByItsInternalNumbers) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(OnBand("DL1AAA", 'c', 3600, 2));
  b.Add(OnBand("DL2BBB", 'b', 3700, 1));
  b.Add(OnBand("DL3CCC", 'c', 3800, 3));
  b.Add(OnBand("DL4DDD", 'c', 3900, 1));
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    window.CurrentBand = 'c';
    common::TKeyStr low;
    common::TKeyStr high;
    const int key = window.BrowSortList2Key(0, low, high);
    window.Brow->SwitchSort(0, key, common::LenArrayToShort(low), common::LenArrayToShort(high));
    EXPECT_EQ(window.Brow->GetKeyNr(), 8);
    EXPECT_EQ(Column(window, ColumnTitled(window, "Call")),
              (std::vector<std::string>{"DL4DDD", "DL1AAA", "DL3CCC"}));
  });
}

TEST_F(LogListTest, AChangeOfOrderKeepsTheColumnWidthsFirst) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    window.Brow->GetGrid().SetColWidths(3, 123);
    common::TKeyStr low;
    common::TKeyStr high;
    window.BrowSortList2Key(4, low, high);
    contest::TContestKKRec stored{};
    window.Catalogue->GetKKRec(stored);
    EXPECT_EQ(stored.GridColumnWidths[3], 123);
    EXPECT_EQ(CatalogueRecord(log).GridColumnWidths[3], 123);
  });
}

}  // namespace
}  // namespace contestlog
