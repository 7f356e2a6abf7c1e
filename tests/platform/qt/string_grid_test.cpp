// The string grid: geometry against the mouse, the painting order, the current cell with its
// veto, the in-place editor, and the wheel, hints, dragging and column sizing.
#include "platform/qt/string_grid.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/qt/colors.h"
#include "platform/qt/edit.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/rows.h"
#include "tests/platform/qt/form_fixture.h"

namespace platform::qt {
namespace {

class StringGridTest : public testing::FormFixture {
 protected:
  StringGridTest() : FormFixture(420, 300) {
    grid = Add<TStringGrid>(10, 10, 320, 200);
    grid->SetColCount(6);
    grid->SetRowCount(14);
    grid->SetDefaultRowHeight(18);
    for (int r = 0; r < grid->RowCount(); ++r) {
      for (int c = 0; c < grid->ColCount(); ++c) {
        grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
      }
    }
    form.Show();
  }
  TPoint Centre(int col, int row) const {
    const TRect r = grid->CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TStringGrid* grid;
};

struct Geometry {
  TGridOptions options;
  int line_width, fixed_rows, fixed_cols, left_col, top_row;
};

class GridGeometryTest
    : public StringGridTest,
      public ::testing::WithParamInterface<common::testing::Row<Geometry, TRect>> {};

// Every shown cell's corners (and the line after it) map back to the cell; hidden cells have an
// empty rectangle; one cell's rectangle is known to the pixel.
TEST_P(GridGeometryTest, CellRectAndMouseToCellAgree) {
  const Geometry& g = GetParam().in;
  grid->SetOptions(g.options);
  grid->SetGridLineWidth(g.line_width);
  grid->SetFixedRows(g.fixed_rows);
  grid->SetFixedCols(g.fixed_cols);
  grid->SetLeftCol(g.left_col);
  grid->SetTopRow(g.top_row);
  const int vline = (g.options & (goFixedVertLine | goVertLine)) != 0 ? g.line_width : 0;
  for (int r = 0; r < grid->RowCount(); ++r) {
    for (int c = 0; c < grid->ColCount(); ++c) {
      const TRect rect = grid->CellRect(c, r);
      const bool hidden =
          (c >= g.fixed_cols && c < g.left_col) || (r >= g.fixed_rows && r < g.top_row);
      if (hidden) {
        EXPECT_EQ(rect, TRect{}) << c << "," << r;
      }
      if (rect.Width() <= 0) continue;
      for (const TPoint p : {TPoint{rect.Left, rect.Top}, TPoint{rect.Right - 1, rect.Bottom - 1},
                             TPoint{rect.Right + vline - 1, rect.Top}}) {
        if (!grid->ClientRect().Contains(p)) continue;
        int col = -2;
        int row = -2;
        grid->MouseToCell(p.X, p.Y, col, row);
        EXPECT_EQ(std::pair(col, row), std::pair(c, r)) << "at " << p.X << "," << p.Y;
      }
    }
  }
  EXPECT_EQ(grid->CellRect(g.left_col, g.top_row), GetParam().out);
  int col = 0;
  int row = 0;
  grid->MouseToCell(1, 1, col, row);  // on the border
  EXPECT_EQ(std::pair(col, row), std::pair(-1, -1));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, GridGeometryTest,
    ::testing::Values(
        common::testing::Row<Geometry, TRect>{
            "AllLines", {kGridLineOptions, 1, 1, 1, 1, 1}, {67, 21, 131, 39}},
        common::testing::Row<Geometry, TRect>{"NoLines", {0, 1, 1, 1, 1, 1}, {66, 20, 130, 38}},
        common::testing::Row<Geometry, TRect>{
            "WideLinesScrolled", {kGridLineOptions, 3, 2, 0, 2, 4}, {2, 44, 66, 62}},
        common::testing::Row<Geometry, TRect>{
            "FixedLinesOnlyNoFixed", {goFixedVertLine, 1, 0, 0, 0, 0}, {2, 2, 66, 20}}),
    common::testing::RowName);

// The plain look first (a selected row, lines in silver), then the cells left to OnDrawCell.
TEST_F(StringGridTest, WithoutDefaultDrawingEveryVisibleCellIsDrawnOnceRowZeroIncluded) {
  std::map<std::pair<int, int>, int> drawn;
  std::map<std::pair<int, int>, TGridDrawState> states;
  grid->SetOptions(grid->Options() | goRowSelect);
  grid->SetRow(3);
  const TBitmap shot = testkit::Grab(*grid);
  const TRect selected = grid->CellRect(2, 3);
  EXPECT_EQ(shot.Pixel(selected.Right - 2, selected.Bottom - 2), ColorToRGB(clHighlight));
  EXPECT_EQ(shot.Pixel(selected.Right, selected.Top), clSilver);  // the line after the cell
  EXPECT_FALSE(testkit::SaveScreenshot(*grid, "string_grid_plain").empty());
  grid->SetDefaultDrawing(false);
  grid->OnDrawCell = [&](TComponent*, int c, int r, const TRect& rect, TGridDrawState state) {
    ++drawn[{c, r}];
    states[{c, r}] = state;
    EXPECT_EQ(rect, grid->CellRect(c, r));
  };
  testkit::Grab(*grid);  // the paint that was pending
  drawn.clear();
  testkit::Grab(*grid);  // one paint
  std::map<std::pair<int, int>, int> expected;
  for (int r = 0; r < grid->RowCount(); ++r) {
    for (int c = 0; c < grid->ColCount(); ++c) {
      if (grid->CellRect(c, r).Width() > 0) expected[{c, r}] = 1;
    }
  }
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(states[std::pair(2, 0)], gdFixed);
  EXPECT_EQ(states[std::pair(2, 3)] & gdSelected, gdSelected);
  EXPECT_EQ(states[std::pair(2, 4)], 0);
}

TEST_F(StringGridTest, TheCursorMovesOnlyWhereSelectCellAllowsAndScrollsTheTopRow) {
  int top_left = 0;
  grid->OnTopLeftChanged = [&](TComponent*) { ++top_left; };
  std::vector<std::pair<int, int>> asked;
  bool allow = false;
  grid->OnSelectCell = [&](TComponent*, int c, int r, bool& can) {
    asked.emplace_back(c, r);
    can = allow;
  };
  grid->SetFocus();
  testkit::PressKey(*grid, VK_DOWN);
  EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(1, 1));
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 2}}));
  allow = true;
  testkit::Click(*grid, Centre(3, 4).X, Centre(3, 4).Y);
  EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(3, 4));
  EXPECT_EQ(top_left, 0);
  const int visible = grid->VisibleRowCount();
  testkit::PressKey(*grid, VK_NEXT);  // a page down brings a new top row
  EXPECT_EQ(std::pair(grid->Row(), grid->TopRow()), std::pair(4 + visible, 1 + visible));
  EXPECT_EQ(top_left, 1);
  grid->SetTopRow(grid->TopRow());  // no change, no event
  EXPECT_EQ(top_left, 1);
}

TEST_F(StringGridTest, TheEditorTakesItsTextFromGetEditTextAndWritesItBackOnEnterOnly) {
  std::vector<std::tuple<int, int, std::string>> set;
  int masks = 0;
  grid->OnGetEditText = [](TComponent*, int, int, std::string& v) { v = "edit:" + v; };
  grid->OnGetEditMask = [&](TComponent*, int, int, std::string&) { ++masks; };
  grid->OnSetEditText = [&](TComponent*, int c, int r, const std::string& v) {
    set.emplace_back(c, r, v);
  };
  grid->SetFocus();
  grid->SetOptions(grid->Options() | goEditing);
  testkit::PressKey(*grid, VK_F2);
  ASSERT_TRUE(grid->EditorMode());
  TEdit& editor = *grid->InplaceEditor();
  EXPECT_EQ(editor.Text(), "edit:R1C1");
  EXPECT_EQ(masks, 1);
  testkit::TypeText(editor, "abc");
  testkit::PressKey(editor, VK_ESCAPE);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(set.empty());
  testkit::TypeText(*grid, "x");  // a typed character opens the editor with it
  ASSERT_TRUE(grid->EditorMode());
  testkit::TypeText(editor, "yz");
  testkit::PressKey(editor, VK_RETURN);
  EXPECT_EQ(set, (std::vector<std::tuple<int, int, std::string>>{{1, 1, "xyz"}}));
  EXPECT_EQ(grid->Cells(1, 1), "xyz");
  // Always shown: the editor opens at once and follows the cursor, writing back on the move.
  set.clear();
  grid->SetOptions(grid->Options() | goAlwaysShowEditor);
  ASSERT_TRUE(grid->EditorMode());
  testkit::TypeText(editor, "Q");
  testkit::PressKey(editor, VK_DOWN);
  EXPECT_EQ(set, (std::vector<std::tuple<int, int, std::string>>{{1, 1, "Q"}}));
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(editor.Text(), "edit:R2C1");
  EXPECT_EQ(editor.BoundsRect(), grid->CellRect(1, 2));
}

TEST_F(StringGridTest, WheelHintsDraggingAndColumnSizing) {
  // The wheel: unhandled it moves the current row; a handler may take it.
  testkit::MouseWheel(*grid, 50, 50, -120);
  EXPECT_EQ(grid->Row(), 2);
  int wheeled = 0;
  grid->OnMouseWheelUp = [&](TComponent*, TShiftState, TPoint, bool& handled) {
    ++wheeled;
    handled = true;
  };
  testkit::MouseWheel(*grid, 50, 50, 240);
  EXPECT_EQ(wheeled, 2);
  EXPECT_EQ(grid->Row(), 2);

  grid->SetShowHint(true);
  grid->SetHint("R3C2 in full");
  EXPECT_EQ(testkit::HintAt(*grid, Centre(2, 3).X, Centre(2, 3).Y), "R3C2 in full");

  // A drag started on a press, accepted over the grid, dropped on another row.
  std::vector<std::string> drag;
  grid->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    grid->BeginDrag(false);
  };
  grid->OnDragOver = [&](TComponent*, TComponent* source, int, int, TDragState state,
                         bool& accept) {
    drag.push_back(state == TDragState::dsDragEnter ? "enter" : "move");
    accept = source == grid;
  };
  grid->OnDragDrop = [&](TComponent*, TComponent*, int, int) { drag.push_back("drop"); };
  grid->OnEndDrag = [&](TComponent*, TComponent* target, int, int y) {
    drag.push_back(target == grid && y == Centre(2, 5).Y ? "end on grid" : "end");
  };
  testkit::MouseDown(*grid, Centre(2, 2).X, Centre(2, 2).Y);
  testkit::MouseMove(*grid, Centre(2, 4).X, Centre(2, 4).Y, ssLeft);
  testkit::MouseMove(*grid, Centre(2, 5).X, Centre(2, 5).Y, ssLeft);
  testkit::MouseUp(*grid, Centre(2, 5).X, Centre(2, 5).Y);
  EXPECT_EQ(drag, (std::vector<std::string>{"enter", "move", "move", "drop", "end on grid"}));
  EXPECT_FALSE(grid->Dragging());
  grid->OnMouseDown = nullptr;

  // Sizing a column by its line in the fixed row.
  grid->SetOptions(grid->Options() | goColSizing);
  const TRect header = grid->CellRect(1, 0);
  testkit::MouseDown(*grid, header.Right, header.Top + 5);
  testkit::MouseMove(*grid, header.Right + 20, header.Top + 5, ssLeft);
  testkit::MouseUp(*grid, header.Right + 20, header.Top + 5);
  EXPECT_EQ(grid->ColWidths(1), 84);
}

}  // namespace
}  // namespace platform::qt
