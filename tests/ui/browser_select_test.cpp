// The browser's selection set: slots, the count, Shift ranges from the anchor, and the rubber
// band dragged over the grid.
#include "ui/browser_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/ui/browser_fixture.h"

namespace ui::testing {
namespace {

using platform::qt::ssLeft;
using platform::qt::ssShift;

class BrowserSelectTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    refs_ = Fill(20);
    Assign();
    Brow().OnInternselect = [this] { ++fired_; };
    // Clicks select, as a form that wants them to assigns it.
    Brow().OnAddSelectRow = [this](int mode) { Brow().Selection().ToggleRow(mode); };
    Bind();
  }
  TkvBrowSelect& Select() { return Brow().Selection(); }
  std::vector<std::int32_t> Held() {
    std::vector<std::int32_t> held;
    for (std::int32_t ref : Select().Slots()) {
      if (ref > 0) held.push_back(ref);
    }
    std::sort(held.begin(), held.end());
    return held;
  }
  std::vector<std::int32_t> Refs(int from, int to) {
    return {refs_.begin() + from, refs_.begin() + to + 1};
  }
  // A click on the grid row of page row r.
  void ClickRow(int r, platform::qt::TShiftState shift = 0) {
    const platform::qt::TRect cell = Grid().CellRect(0, r);
    platform::qt::testkit::MouseDown(Grid(), cell.Left + 5, cell.Top + 3,
                                     platform::qt::TMouseButton::mbLeft, shift);
    platform::qt::testkit::MouseUp(Grid(), cell.Left + 5, cell.Top + 3,
                                   platform::qt::TMouseButton::mbLeft, shift);
  }

  std::vector<std::int32_t> refs_;
  int fired_ = 0;
};

TEST_F(BrowserSelectTest, SlotsHoldEachReferenceOnce) {
  Select().SetSelected(refs_[3], 1);
  Select().SetSelected(refs_[3], 1);
  EXPECT_EQ(Select().Slots(), std::vector<std::int32_t>{refs_[3]});
  Select().SetSelected(refs_[3], 2);
  EXPECT_EQ(Select().Slots(), std::vector<std::int32_t>{0});  // a free slot
  EXPECT_EQ(fired_, 3);
  Select().SetSelected(refs_[5], 0);  // not held: nothing, no event
  EXPECT_EQ(fired_, 3);
  Select().SetSelected(refs_[5], 2);  // the all-free array is emptied first
  EXPECT_EQ(Select().Slots(), std::vector<std::int32_t>{refs_[5]});
  EXPECT_EQ(Grid().Objects(0, 6), 0);
  Ctrl().Redisplay(false);
  EXPECT_EQ(Grid().Objects(0, 6), 1);

  // One record that is the table's current one is no selection of its own.
  cursor_->GotoRef(refs_[5]);
  EXPECT_FALSE(Select().Count());
  cursor_->GotoRef(refs_[1]);
  EXPECT_TRUE(Select().Count());
  ASSERT_TRUE(Brow().SelectFirst());
  EXPECT_TRUE(Brow().ReadSelected());
  EXPECT_EQ(cursor_->CurrentRef(), refs_[5]);
  EXPECT_FALSE(Brow().SelectNext());
}

TEST_F(BrowserSelectTest, AShiftRangeRunsFromTheAnchor) {
  ClickRow(3, ssShift);  // no anchor yet: nothing
  EXPECT_TRUE(Held().empty());
  ClickRow(3);
  ClickRow(3, ssShift);  // the anchor itself
  EXPECT_EQ(Held(), Refs(2, 2));
  ClickRow(6, ssShift);
  EXPECT_EQ(Held(), Refs(2, 5));
  ClickRow(2, ssShift);  // backwards from the new anchor
  EXPECT_EQ(Held(), Refs(1, 5));
}

TEST_F(BrowserSelectTest, TheRubberBandSelectsTheRowsItCovers) {
  Brow().SetGridOption(false);
  platform::qt::testkit::Grab(Grid());  // the painter gives the header its height
  const int x = Grid().CellRect(1, 1).Left + 10;
  const int y2 = Grid().CellRect(0, 2).Top + 4;
  const int y5 = Grid().CellRect(0, 5).Top + 4;
  platform::qt::testkit::MouseDown(Grid(), x, y2);
  platform::qt::testkit::MouseMove(Grid(), x + 30, y2 + 10, ssLeft);  // the drag starts

  platform::qt::testkit::MouseMove(Grid(), x + 30, y5, ssLeft);
  EXPECT_EQ(Held(), Refs(1, 4));
  const platform::qt::TBitmap shot = platform::qt::testkit::Grab(Grid());
  EXPECT_EQ(shot.Pixel(x, y2 + 6), TkvBrowSelect::kFrameLine);
  EXPECT_EQ(shot.Pixel(x + 15, Grid().CellRect(0, 3).Top + 1), TkvBrowSelect::kFrameFill);
  platform::qt::testkit::SaveScreenshot(*form_, "browser_rubber_band");
  platform::qt::testkit::MouseMove(Grid(), x + 30, Grid().CellRect(0, 3).Top + 4, ssLeft);
  EXPECT_EQ(Held(), Refs(1, 2));  // rows left by the band are given up
  platform::qt::testkit::MouseUp(Grid(), x + 30, Grid().CellRect(0, 3).Top + 4);
  EXPECT_FALSE(Select().HasFrame());
  EXPECT_EQ(Grid().Objects(0, 2) + Grid().Objects(0, 3) + Grid().Objects(0, 4), 2);
}

}  // namespace
}  // namespace ui::testing
