// TkvBrowStringGridCtrl: the grid controller of a browser. It makes and configures the browser's
// TkvMouseGrid, lays the page buffer's rows into grid cells, moves the page for keys, mouse and
// scroll bars, keeps the browser's two scroll bars in step, paints cells through the layout
// engine and routes in-cell editing to the browser's events. It reaches everything through its
// owner, the browser, which owns it and outlives it.
//
// Layouts (the browser's view): 0 "Details", one record per grid row, its ";"-separated fields in
// the columns; 1 "Liste", a matrix of records filled column by column; 3 "Miniaturansicht", a
// matrix filled row by row. Page row r (1-based) lies at
//   layout 0: row r - 1 + fixed rows (column: the current one);
//   layout 1: with h = rows - fixed rows: column (r - 1) div h + fixed columns,
//             row (r - 1) mod h + fixed rows;
//   layout 3: with w = columns - fixed columns: column (r - 1) mod w + fixed columns,
//             row (r - 1) div w + fixed rows.
//
// Every move does nothing while the grid is in edit mode or the browser has no page buffer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/qt/types.h"
#include "ui/browser.h"
#include "ui/browser_page.h"

namespace platform::qt {
class TScrollBar;
}

namespace ui {

class TkvBrowStringGridCtrl {
 public:
  static constexpr double kRowHeightFactor = 1.2;
  static constexpr int kLargeFile = 3000;   // from here the bar has a fixed range
  static constexpr int kLargeRange = 247;   // that range
  static constexpr TColor kEditableCell = 0x00E0FFFF;
  static constexpr TColor kLockedCell = 0x00E0E0E0;

  explicit TkvBrowStringGridCtrl(TkvBrow& owner);
  TkvBrowStringGridCtrl(const TkvBrowStringGridCtrl&) = delete;
  TkvBrowStringGridCtrl& operator=(const TkvBrowStringGridCtrl&) = delete;

  TkvMouseGrid& Grid() const { return *grid_; }
  // The events the page buffer raises, forwarding to the browser's assigned events.
  TKBrowserEvents PageEvents() const;

  // --- moves ---
  void GotoFirst();
  void GotoLast();
  void PageDown();
  void PageUp();
  void LineDown();
  void LineUp();
  void ColumnLeft();
  void ColumnRight();
  void ColumnFirst();
  void ColumnLast();

  // The key table: answers whether the key was handled (browser_keys.cpp).
  bool HandleKey(TShiftState shift, std::uint16_t key, bool close_without_asking);

  // --- columns, size, contents ---
  void SetColumns(const std::string& header, const std::string& header2, bool set_widths,
                  const TBrowColumnBytes& cols1, const TBrowColumnBytes& cols2,
                  const std::string& extra);
  // Recomputes the visible records after a size change, grows or shrinks the page, and
  // reshapes the grid.
  void Resize();
  // Lays the page into the grid (only changed cells are written).
  void Redisplay(bool invalidate);
  void RefreshPage();
  // Shows the key (with reference) on the page; with keep_row at the cursor's screen row.
  void GotoKeyRow(const std::string& key, std::int32_t ref, bool keep_row = false);
  // Re-reads the current row's record; 0 when it was read, 5 when the browser is not ready.
  int CheckCurrentRow();
  void UpdateScrollBars();
  void SetEditMode(bool on);
  bool IsEditMode() const;
  void ScrollBarScroll(platform::qt::TScrollBar& bar, platform::qt::TScrollCode code,
                       int& position);

  // --- painting, mouse, editing (browser_grid_mouse.cpp) ---
  void DrawCell(int col, int row, const platform::qt::TRect& rect);
  void MouseDown(platform::qt::TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  // Forgets the hot cell and repaints where it was.
  void ClearHot();
  platform::qt::TPoint Hot() const { return hot_; }

  // --- geometry ---
  int VisibleRecords() const { return visible_records_; }
  int RecordsAcross() const { return records_across_; }
  int RecordsDown() const { return records_down_; }
  // The grid cell (x: column, y: row) of page row r.
  static platform::qt::TPoint PageRowToCell(int layout, int r, int col_count, int row_count,
                                            int fixed_cols, int fixed_rows, int current_col);
  platform::qt::TPoint CellOf(int r) const;
  // The page row of a grid cell, 0 for a fixed cell or a place past the page.
  int PageRowOf(int col, int row) const;
  // The vertical bar's maximum for a file of `used` records.
  static int VerticalMaximum(std::int32_t used);
  int ScrollMaximum() const { return scroll_maximum_; }
  const std::string& Extra() const { return extra_; }

 private:
  int Layout() const { return static_cast<int>(owner_.View()); }
  bool CanMove() const;
  // Visible grid rows and record columns for the grid's present size.
  void ComputeVisible(int& rows, int& cols) const;
  void ShapeGrid(int rows, int cols);
  void FinishMove(bool full_repaint);
  void ScrollLines(bool forward, int count);
  void CursorTo(int page_row);
  int AverageCharWidth() const;
  std::string Title(int col) const;
  void WireEvents();
  void GridSelectCell(int col, int row, bool& can_select);
  void GridGetEditText(int col, int row, std::string& value);
  void GridGetEditMask(int col, int row, std::string& value);
  void GridSetEditText(int col, int row, const std::string& value);
  void VerticalScroll(platform::qt::TScrollCode code, int& position);
  void HorizontalScroll(platform::qt::TScrollCode code, int& position);
  void RedrawHot(platform::qt::TPoint place);
  bool EditsCell(int col, int row) const;

  TkvBrow& owner_;
  TkvMouseGrid* grid_;
  int visible_records_ = 0;
  int last_left_col_ = 0;
  bool flag1_ = false;
  bool flag2_ = false;
  int records_across_ = 1;
  int records_down_ = 1;
  int scroll_maximum_ = 0;
  std::string extra_;
  std::string header_;
  std::string header2_;
  platform::qt::TPoint hot_{-1, -1};
};

}  // namespace ui
