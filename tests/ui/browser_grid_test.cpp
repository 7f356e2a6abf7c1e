// The grid controller: where page rows lie in the three layouts, the vertical bar's range, the
// visible records, the moves, the scroll bars, the columns and the mouse.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/qt/scroll_bar.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/tool_bar.h"
#include "tests/ui/browser_fixture.h"

namespace ui::testing {
namespace {

using platform::qt::TPoint;
using platform::qt::TScrollCode;

TEST(BrowserGridGeometry, VerticalMaximumByRecordCount) {
  for (const auto& [used, maximum] : std::vector<std::pair<int, int>>{
           {0, 0}, {1, 0}, {2999, 2998}, {3000, 247}, {250000, 247}}) {
    EXPECT_EQ(TkvBrowStringGridCtrl::VerticalMaximum(used), maximum) << used;
  }
}

TEST(BrowserGridGeometry, PageRowsInTheThreeLayouts) {
  struct Place {
    int layout, r, cols, rows, fixed_cols, fixed_rows;
    TPoint cell;
  };
  for (const Place& p : std::vector<Place>{
           {0, 6, 3, 21, 0, 1, {2, 6}},  // the current column, one row per record
           {3, 6, 4, 5, 0, 1, {1, 2}},   // 4 across: second record row, second column
           {3, 4, 4, 5, 0, 1, {3, 1}},
           {1, 6, 4, 6, 0, 1, {1, 1}},   // 5 down: second record column, first row
           {1, 5, 4, 6, 1, 1, {1, 5}},
       }) {
    EXPECT_EQ(TkvBrowStringGridCtrl::PageRowToCell(p.layout, p.r, p.cols, p.rows, p.fixed_cols,
                                                   p.fixed_rows, 2),
              p.cell)
        << p.layout << " " << p.r;
  }
}

TEST_F(BrowserTest, TheBarCoversTheFileAndThePageFollowsTheThumb) {
  Fill(40);
  Assign();
  Bind();
  platform::qt::TScrollBar& bar = *Brow().VertScrollBar();
  EXPECT_EQ(std::tuple(bar.Max(), bar.Position()), std::tuple(39, 0));
  int position = 39;
  Brow().ScrollBarScroll(&bar, TScrollCode::scPosition, position);
  EXPECT_EQ(Shown().back(), "DLBN");
  EXPECT_GT(bar.Position(), 30);
  position = 0;
  Brow().ScrollBarScroll(&bar, TScrollCode::scTop, position);
  EXPECT_EQ(Shown().front(), "DLAA");
  // Every inverse mapping meets its page row again.
  for (int r = 1; r <= Ctrl().VisibleRecords(); ++r) {
    const TPoint cell = Ctrl().CellOf(r);
    EXPECT_EQ(Ctrl().PageRowOf(cell.X, cell.Y), r);
  }
}

TEST_F(BrowserTest, PageDownOnTheLastPageKeepsTheRowsAndGoesToTheLastOne) {
  Fill(40);
  Assign();
  Bind();
  const int visible = Ctrl().VisibleRecords();
  Brow().PageDown();
  EXPECT_EQ(Shown().front(), Call(visible));
  Brow().GotoLast();
  const std::vector<std::string> last = Shown();
  EXPECT_EQ(last.back(), "DLBN");
  Brow().Page()->SetCurrentRow(2);
  Brow().PageDown();
  EXPECT_EQ(Shown(), last);
  EXPECT_EQ(Current(), "DLBN");
  // A line up from the first row brings one record in above.
  Brow().GotoFirst();
  Brow().PageDown();
  Ctrl().LineUp();
  EXPECT_EQ(Shown().front(), Call(visible - 1));
}

TEST_F(BrowserTest, AGridTooSmallForOneRowShowsOne) {
  Fill(5);
  Assign();
  Bind();
  form_->SetClientSize(300, 40);
  EXPECT_EQ(Ctrl().VisibleRecords(), 1);
  EXPECT_EQ(Brow().Page()->PageRows(), 1);
  EXPECT_EQ(Shown(), std::vector<std::string>{"DLAA"});
}

TEST_F(BrowserTest, MiniaturansichtPagesByRecordRows) {
  Fill(40);
  Assign();
  Bind();
  Brow().SetView(3);
  const int across = Ctrl().RecordsAcross();
  const int visible = Ctrl().VisibleRecords();
  ASSERT_GT(across, 1);
  ASSERT_GT(visible, across);
  Brow().Page()->SetCurrentRow(2);
  Brow().PageDown();  // the same column of the last record row
  EXPECT_EQ(Brow().Page()->CurrentRow(), visible - across + 2);
  Brow().PageDown();  // the old last record row becomes the first
  EXPECT_EQ(common::Trim(Brow().Page()->Row(1).key), Call(visible - across));
  Ctrl().ColumnLeft();
  EXPECT_EQ(Brow().Page()->CurrentRow(), visible - across + 1);
}

TEST_F(BrowserTest, ToolButtonsAndWheelMoveAfterTellingTheForm) {
  Fill(40);
  Assign();
  int scrolls = 0;
  Brow().OnBrowScroll = [&] { ++scrolls; };
  Bind();
  auto button = [this](int i) {
    return dynamic_cast<platform::qt::TControl*>(Brow().ToolBar()->Controls()[static_cast<std::size_t>(i)]);
  };
  button(3)->Click();
  EXPECT_EQ(Current(), "DLAB");
  button(5)->Click();
  EXPECT_EQ(Current(), "DLBN");
  platform::qt::testkit::MouseWheel(Grid(), 20, 40, 120);
  EXPECT_EQ(Current(), "DLBM");
  button(0)->Click();
  EXPECT_EQ(Current(), "DLAA");
  EXPECT_EQ(scrolls, 4);
}

TEST_F(BrowserTest, ColumnsByTitleOrByTheFormAndTheBarWhenWider) {
  Fill(3);
  Assign();
  Brow().OnBrowColWidths = [](int col) { return col == 0 ? 600 : 0; };
  Bind();
  EXPECT_EQ(Grid().ColWidths(0), 600);
  EXPECT_EQ(Grid().ColWidths(1), 5 * Brow().XWidth());  // "Name" + 1
  EXPECT_TRUE(Brow().HorzScrollBar()->Visible());
  Brow().OnBrowColWidths = nullptr;
  Brow().DoSetHeaderFooter();
  EXPECT_EQ(Grid().ColWidths(0), 11 * Brow().XWidth());
  // The last column takes what the others leave.
  EXPECT_EQ(Grid().ColWidths(0) + Grid().ColWidths(1) + 2, Grid().ClientWidth());
  EXPECT_FALSE(Brow().HorzScrollBar()->Visible());
}

TEST_F(BrowserTest, TheMouseOverHeadersAndCutTexts) {
  Fill(3);
  Assign();
  Bind();
  Grid().SetColWidths(0, 20);
  const int y = Grid().CellRect(0, 2).Top + 3;
  platform::qt::testkit::MouseMove(Grid(), 5, y);
  EXPECT_EQ(Grid().Hint(), "DLAB");  // cut by its column
  platform::qt::testkit::MouseMove(Grid(), Grid().CellRect(1, 2).Left + 5, y);
  EXPECT_EQ(Grid().Hint(), "");
  platform::qt::testkit::MouseMove(Grid(), 5, Grid().CellRect(0, 0).Top + 3);
  EXPECT_EQ(Grid().Cursor(), platform::qt::crHandPoint);
  // A click on the number column's header sorts by number.
  platform::qt::testkit::Click(Grid(), Grid().CellRect(1, 0).Left + 5, 5);
  EXPECT_EQ(Brow().GetKeyNr(), kNumberKey);
  EXPECT_EQ(Brow().SortlistItemIndex(), 1);
  EXPECT_EQ(Grid().Cells(0, Grid().Row()), "DLAA");
}

}  // namespace
}  // namespace ui::testing
