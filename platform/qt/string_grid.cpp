// The string grid's shape, contents, geometry and current cell.
#include "platform/qt/string_grid.h"

#include <algorithm>

#include "platform/qt/edit.h"

namespace platform::qt {

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == ColCount()) return;
  HideEditor();
  std::vector<std::string> cells(static_cast<std::size_t>(count * RowCount()));
  std::vector<std::int32_t> objects(cells.size(), 0);
  const int keep = std::min(count, ColCount());
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < keep; ++c) {
      const auto from = static_cast<std::size_t>(r * ColCount() + c);
      const auto to = static_cast<std::size_t>(r * count + c);
      cells[to] = std::move(cells_[from]);
      objects[to] = objects_[from];
    }
  }
  cells_ = std::move(cells);
  objects_ = std::move(objects);
  col_widths_.resize(static_cast<std::size_t>(count), default_col_width_);
  fixed_cols_ = std::min(fixed_cols_, count - 1);
  ClampPositions();
  Invalidate();
}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == RowCount()) return;
  HideEditor();
  cells_.resize(static_cast<std::size_t>(count * ColCount()));
  objects_.resize(cells_.size(), 0);
  row_heights_.resize(static_cast<std::size_t>(count), default_row_height_);
  fixed_rows_ = std::min(fixed_rows_, count - 1);
  ClampPositions();
  Invalidate();
}

// A change of the fixed part puts the top-left corner and the current cell on the first cell
// after it.
void TStringGrid::SetFixedCols(int count) {
  count = std::clamp(count, 0, ColCount() - 1);
  if (count == fixed_cols_) return;
  HideEditor();
  fixed_cols_ = left_col_ = col_ = count;
  Invalidate();
}

void TStringGrid::SetFixedRows(int count) {
  count = std::clamp(count, 0, RowCount() - 1);
  if (count == fixed_rows_) return;
  HideEditor();
  fixed_rows_ = top_row_ = row_ = count;
  Invalidate();
}

void TStringGrid::SetFixedColor(TColor colour) {
  fixed_color_ = colour;
  Invalidate();
}

void TStringGrid::SetDefaultColWidth(int width) {
  default_col_width_ = std::max(width, 0);
  std::fill(col_widths_.begin(), col_widths_.end(), default_col_width_);
  Resized();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  default_row_height_ = std::max(height, 0);
  std::fill(row_heights_.begin(), row_heights_.end(), default_row_height_);
  Resized();
}

int TStringGrid::ColWidths(int col) const {
  return col >= 0 && col < ColCount() ? col_widths_[static_cast<std::size_t>(col)] : 0;
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  col_widths_[static_cast<std::size_t>(col)] = std::max(width, 0);
  Resized();
}

int TStringGrid::RowHeights(int row) const {
  return row >= 0 && row < RowCount() ? row_heights_[static_cast<std::size_t>(row)] : 0;
}

void TStringGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  row_heights_[static_cast<std::size_t>(row)] = std::max(height, 0);
  Resized();
}

void TStringGrid::SetGridLineWidth(int width) {
  line_width_ = std::max(width, 0);
  Resized();
}

void TStringGrid::SetOptions(TGridOptions options) {
  if (options == options_) return;
  if ((options & goRowSelect) != 0) options &= ~goAlwaysShowEditor;
  options_ = options;
  if (!CanEditShow()) {
    HideEditor();
  } else if ((options_ & goAlwaysShowEditor) != 0) {
    ShowEditor();
  }
  Resized();
}

void TStringGrid::SetDefaultDrawing(bool on) {
  default_drawing_ = on;
  Invalidate();
}

void TStringGrid::SetBorderStyle(TBorderStyle style) {
  border_style_ = style;
  Resized();
}

TRect TStringGrid::ClientRect() const {
  const int b = Border();
  return {b, b, std::max(Width() - b, b), std::max(Height() - b, b)};
}

// --- contents ---

std::string TStringGrid::Cells(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  return cells_[static_cast<std::size_t>(row * ColCount() + col)];
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
  std::string& cell = cells_[static_cast<std::size_t>(row * ColCount() + col)];
  if (cell == text) return;
  cell = text;
  InvalidateCell(col, row);
}

std::int32_t TStringGrid::Objects(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return 0;
  return objects_[static_cast<std::size_t>(row * ColCount() + col)];
}

void TStringGrid::SetObjects(int col, int row, std::int32_t value) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
  std::int32_t& object = objects_[static_cast<std::size_t>(row * ColCount() + col)];
  if (object == value) return;
  object = value;
  InvalidateCell(col, row);
}

// --- geometry ---

int TStringGrid::LineAfterCol() const {
  return (options_ & (goFixedVertLine | goVertLine)) != 0 ? line_width_ : 0;
}

int TStringGrid::LineAfterRow() const {
  return (options_ & (goFixedHorzLine | goHorzLine)) != 0 ? line_width_ : 0;
}

int TStringGrid::ColLeft(int col) const {
  if (col < 0 || col >= ColCount() || (col >= fixed_cols_ && col < left_col_)) return -1;
  int x = ClientRect().Left;
  for (int c = 0; c < fixed_cols_ && c < col; ++c) x += ColWidths(c) + LineAfterCol();
  for (int c = left_col_; c < col; ++c) x += ColWidths(c) + LineAfterCol();
  return x < ClientRect().Right ? x : -1;
}

int TStringGrid::RowTop(int row) const {
  if (row < 0 || row >= RowCount() || (row >= fixed_rows_ && row < top_row_)) return -1;
  int y = ClientRect().Top;
  for (int r = 0; r < fixed_rows_ && r < row; ++r) y += RowHeights(r) + LineAfterRow();
  for (int r = top_row_; r < row; ++r) y += RowHeights(r) + LineAfterRow();
  return y < ClientRect().Bottom ? y : -1;
}

TRect TStringGrid::CellRect(int col, int row) const {
  const int x = ColLeft(col);
  const int y = RowTop(row);
  if (x < 0 || y < 0) return {};
  const TRect client = ClientRect();
  return {x, y, std::min(x + ColWidths(col), client.Right),
          std::min(y + RowHeights(row), client.Bottom)};
}

namespace {

// The index of the cell at `at` along one axis: the fixed cells first, then those from `first`
// on, each `size(i)` long and followed by `line`; -1 past the last.
template <typename Size>
int CellAt(int at, int start, int fixed, int first, int count, int line, Size size) {
  for (int i = fixed > 0 ? 0 : first; i < count;
       i = i + 1 == fixed ? std::max(first, i + 1) : i + 1) {
    start += size(i) + line;
    if (at < start) return i;
  }
  return -1;
}

}  // namespace

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
  const TRect client = ClientRect();
  col = row = -1;
  if (!client.Contains({x, y})) return;
  col = CellAt(x, client.Left, fixed_cols_, left_col_, ColCount(), LineAfterCol(),
               [this](int c) { return ColWidths(c); });
  row = CellAt(y, client.Top, fixed_rows_, top_row_, RowCount(), LineAfterRow(),
               [this](int r) { return RowHeights(r); });
  if (col < 0 || row < 0) col = row = -1;
}

int TStringGrid::VisibleColCount() const {
  int x = ClientRect().Left;
  for (int c = 0; c < fixed_cols_; ++c) x += ColWidths(c) + LineAfterCol();
  int count = 0;
  for (int c = left_col_; c < ColCount(); ++c, ++count) {
    x += ColWidths(c);
    if (x > ClientRect().Right) break;
    x += LineAfterCol();
  }
  return count;
}

int TStringGrid::VisibleRowCount() const {
  int y = ClientRect().Top;
  for (int r = 0; r < fixed_rows_; ++r) y += RowHeights(r) + LineAfterRow();
  int count = 0;
  for (int r = top_row_; r < RowCount(); ++r, ++count) {
    y += RowHeights(r);
    if (y > ClientRect().Bottom) break;
    y += LineAfterRow();
  }
  return count;
}

void TStringGrid::InvalidateCell(int col, int row) {
  (void)col;
  (void)row;
  Invalidate();
}

void TStringGrid::InvalidateRow(int row) {
  (void)row;
  Invalidate();
}

void TStringGrid::FontChanged() {
  TWinControl::FontChanged();
  PlaceEditor();
}

void TStringGrid::Resized() {
  PlaceEditor();
  Invalidate();
}

// --- the visible part and the current cell ---

bool TStringGrid::Selected(int col, int row) const {
  if (Fixed(col, row) || row != row_) return false;
  return (options_ & goRowSelect) != 0 || col == col_;
}

void TStringGrid::ClampPositions() {
  const int last_col = ColCount() - 1;
  const int last_row = RowCount() - 1;
  left_col_ = std::clamp(left_col_, std::min(fixed_cols_, last_col), last_col);
  top_row_ = std::clamp(top_row_, std::min(fixed_rows_, last_row), last_row);
  col_ = std::clamp(col_, std::min(fixed_cols_, last_col), last_col);
  row_ = std::clamp(row_, std::min(fixed_rows_, last_row), last_row);
}

void TStringGrid::SetLeftCol(int col) {
  const int before = left_col_;
  left_col_ = col;
  ClampPositions();
  if (left_col_ == before) return;
  PlaceEditor();
  Invalidate();
  TopLeftChanged();
}

void TStringGrid::SetTopRow(int row) {
  const int before = top_row_;
  top_row_ = row;
  ClampPositions();
  if (top_row_ == before) return;
  PlaceEditor();
  Invalidate();
  TopLeftChanged();
}

void TStringGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

bool TStringGrid::SelectCell(int col, int row) {
  bool can_select = true;
  if (OnSelectCell) OnSelectCell(this, col, row, can_select);
  return can_select;
}

void TStringGrid::ScrollIntoView(int col, int row) {
  if (row >= fixed_rows_) {
    if (row < top_row_) {
      SetTopRow(row);
    } else if (const int visible = std::max(VisibleRowCount(), 1); row >= top_row_ + visible) {
      SetTopRow(row - visible + 1);
    }
  }
  if (col >= fixed_cols_ && (options_ & goRowSelect) == 0) {
    if (col < left_col_) {
      SetLeftCol(col);
    } else if (const int visible = std::max(VisibleColCount(), 1); col >= left_col_ + visible) {
      SetLeftCol(col - visible + 1);
    }
  }
}

bool TStringGrid::FocusCell(int col, int row) {
  col = std::clamp(col, std::min(fixed_cols_, ColCount() - 1), ColCount() - 1);
  row = std::clamp(row, std::min(fixed_rows_, RowCount() - 1), RowCount() - 1);
  if (col == col_ && row == row_) return true;
  const auto alive = AliveToken();
  if (!SelectCell(col, row) || alive.expired()) return false;
  if (!CommitEditor()) return false;
  col_ = col;
  row_ = row;
  ScrollIntoView(col, row);
  if (alive.expired()) return false;
  if (edit_col_ >= 0) ShowEditor();  // the open editor follows the cursor
  Invalidate();
  return true;
}

}  // namespace platform::qt
