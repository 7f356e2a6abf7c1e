// The grid controller: the grid's set-up, the page laid into cells, the moves, the visible
// records and the columns.
#include "ui/browser_grid_ctrl.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "platform/qt/colors.h"
#include "platform/qt/memo.h"
#include "platform/qt/scroll_bar.h"
#include "ui/browser_select.h"
#include "ui/mouse_grid.h"
#include "ui/rounding.h"

namespace ui {
namespace {

using platform::qt::TPoint;

std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = text.find(';', from);
    fields.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return fields;
    from = at + 1;
  }
}

bool AnySelected(const TkvBrowSelect& select) {
  return std::any_of(select.Slots().begin(), select.Slots().end(),
                     [](std::int32_t ref) { return ref > 0; });
}

}  // namespace

TkvBrowStringGridCtrl::TkvBrowStringGridCtrl(TkvBrow& owner) : owner_(owner) {
  using namespace platform::qt;
  grid_ = new TkvMouseGrid(&owner);
  grid_->SetParent(&owner);
  grid_->Hide();
  grid_->SetParentFont(true);
  grid_->SetAlign(TAlign::alClient);
  grid_->SetBorderStyle(TBorderStyle::bsSingle);
  grid_->SetColCount(10);
  grid_->SetColor(clWhite);
  grid_->SetDefaultDrawing(true);
  grid_->Canvas().Font.SetName(grid_->Font().Name());
  grid_->Canvas().Font.SetSize(grid_->Font().Size());
  grid_->SetDefaultRowHeight(RoundEven(grid_->Canvas().TextHeight("X") * kRowHeightFactor));
  grid_->SetFixedColor(clBtnFace);
  grid_->SetFixedCols(0);
  grid_->SetFixedRows(1);
  grid_->SetParentColor(false);
  grid_->SetRowCount(20);
  grid_->SetScrollBars(TScrollStyle::ssNone);
  grid_->SetGridLineWidth(1);
  grid_->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                    goDrawFocusSelected | goColSizing | goRowSelect | goThumbTracking);
  WireEvents();
}

TKBrowserEvents TkvBrowStringGridCtrl::PageEvents() const {
  TKBrowserEvents events;
  events.OnPerformFilter = owner_.OnPerformFilter;
  events.OnBuildRow = owner_.OnBuildRow;
  events.OnPreCompletePage = owner_.OnPreCompletePage;
  events.OnPostCompletePage = owner_.OnPostCompletePage;
  return events;
}

// --- geometry ---

TPoint TkvBrowStringGridCtrl::PageRowToCell(int layout, int r, int col_count, int row_count,
                                            int fixed_cols, int fixed_rows, int current_col) {
  if (layout == 1) {
    const int h = std::max(row_count - fixed_rows, 1);
    return {(r - 1) / h + fixed_cols, (r - 1) % h + fixed_rows};
  }
  if (layout == 3) {
    const int w = std::max(col_count - fixed_cols, 1);
    return {(r - 1) % w + fixed_cols, (r - 1) / w + fixed_rows};
  }
  return {current_col, r - 1 + fixed_rows};
}

TPoint TkvBrowStringGridCtrl::CellOf(int r) const {
  return PageRowToCell(Layout(), r, grid_->ColCount(), grid_->RowCount(), grid_->FixedCols(),
                       grid_->FixedRows(), grid_->Col());
}

int TkvBrowStringGridCtrl::PageRowOf(int col, int row) const {
  const int fc = grid_->FixedCols();
  const int fr = grid_->FixedRows();
  if (col < fc || row < fr || col >= grid_->ColCount() || row >= grid_->RowCount()) return 0;
  int r = row - fr + 1;
  if (Layout() == 1) r = (col - fc) * std::max(grid_->RowCount() - fr, 1) + row - fr + 1;
  if (Layout() == 3) r = (row - fr) * std::max(grid_->ColCount() - fc, 1) + col - fc + 1;
  const TKBrowser* page = owner_.Page();
  const int rows = page != nullptr ? page->PageRows() : kMaxPageRows;
  return r <= rows ? r : 0;
}

int TkvBrowStringGridCtrl::VerticalMaximum(std::int32_t used) {
  if (used <= 0) return 0;
  return used < kLargeFile ? used - 1 : kLargeRange;
}

void TkvBrowStringGridCtrl::ComputeVisible(int& rows, int& cols) const {
  using namespace platform::qt;
  const TGridOptions options = grid_->Options();
  const int line = grid_->GridLineWidth();
  const int horz = (options & goHorzLine) != 0 ? 1 : 0;
  int fixed_height = 0;
  for (int r = 0; r < grid_->FixedRows(); ++r) {
    fixed_height += grid_->RowHeights(r) + ((options & goFixedHorzLine) != 0 ? line : 0);
  }
  const int per_row = grid_->DefaultRowHeight() + horz;
  rows = per_row > 0 ? (grid_->ClientHeight() - horz - fixed_height) / per_row : 1;
  rows = std::max(rows, 1);
  cols = 1;
  if (Layout() == 0) return;
  const int vert = (options & goVertLine) != 0 ? line : 0;
  int fixed_width = 0;
  for (int c = 0; c < grid_->FixedCols(); ++c) fixed_width += grid_->ColWidths(c) + vert;
  const int first = grid_->FixedCols() < grid_->ColCount() ? grid_->ColWidths(grid_->FixedCols())
                                                            : grid_->DefaultColWidth();
  const int per_col = std::max(first + vert, 1);
  const int room = grid_->ClientWidth() - fixed_width;
  cols = room / per_col;
  if (Layout() == 1 && room % per_col > 0) ++cols;
  cols = std::max(cols, 1);
}

void TkvBrowStringGridCtrl::Resize() {
  int rows = 1;
  int cols = 1;
  ComputeVisible(rows, cols);
  records_down_ = rows;
  records_across_ = Layout() == 0 ? 1 : cols;
  const int visible = std::min(Layout() == 0 ? rows : rows * cols, TkvBrow::kPageCapacity);
  flag1_ = flag2_ = true;
  TKBrowser* page = owner_.Page();
  if (page != nullptr && !owner_.Passive()) {
    if (visible < page->PageRows()) {
      page->ShrinkPage(PageEvents(), visible);
    } else if (visible > page->PageRows()) {
      page->GrowPage(PageEvents(), visible);
    }
  }
  visible_records_ = visible;
  ShapeGrid(rows, cols);
}

void TkvBrowStringGridCtrl::ShapeGrid(int rows, int cols) {
  const int fixed_rows = grid_->FixedRows();
  bool changed = false;
  if (Layout() == 0) {
    changed = grid_->RowCount() != visible_records_ + fixed_rows;
    if (changed) grid_->SetRowCount(visible_records_ + fixed_rows);
  } else {
    const int fixed_cols = grid_->FixedCols();
    const int width = fixed_cols < grid_->ColCount() ? grid_->ColWidths(fixed_cols)
                                                     : grid_->DefaultColWidth();
    changed = grid_->RowCount() != rows + fixed_rows || grid_->ColCount() != cols + fixed_cols;
    grid_->SetRowCount(rows + fixed_rows);
    grid_->SetColCount(cols + fixed_cols);
    for (int c = fixed_cols; c < grid_->ColCount(); ++c) grid_->SetColWidths(c, width);
    if (platform::qt::TScrollBar* bar = owner_.HorzScrollBar()) bar->SetVisible(Layout() == 1);
  }
  if (changed && owner_.Page() != nullptr) Redisplay(false);
}

// --- the page in the grid ---

void TkvBrowStringGridCtrl::Redisplay(bool invalidate) {
  const TKBrowser* page = owner_.Page();
  if (page == nullptr) return;
  TkvMouseGrid& g = *grid_;
  const auto put = [&g](int c, int r, const std::string& text, std::int32_t mark) {
    if (g.Cells(c, r) != text) g.SetCells(c, r, text);
    if (g.Objects(c, r) != mark) g.SetObjects(c, r, mark);
  };
  const bool details = Layout() == 0;
  for (int r = 1; r <= page->PageRows(); ++r) {
    const TPoint cell = CellOf(r);
    if (cell.X >= g.ColCount() || cell.Y >= g.RowCount()) continue;
    const RowRec& row = page->Row(r);
    const std::int32_t mark = row.Filled() && owner_.DoFindeSelectRow(row.ref) ? 1 : 0;
    if (!details) {
      put(cell.X, cell.Y, row.text, row.text.empty() ? 0 : mark);
      continue;
    }
    const std::vector<std::string> fields =
        row.text.empty() ? std::vector<std::string>{} : SplitFields(row.text);
    for (int c = 0; c < g.ColCount(); ++c) {
      const auto i = static_cast<std::size_t>(c);
      put(c, cell.Y, i < fields.size() ? fields[i] : std::string(), fields.empty() ? 0 : mark);
    }
  }
  const TPoint current = CellOf(page->CurrentRow());
  if (current.X < g.ColCount() && current.Y < g.RowCount() &&
      (g.Row() != current.Y || (!details && g.Col() != current.X))) {
    g.FocusCell(current.X, current.Y);
  }
  if (invalidate) g.Invalidate();
}

void TkvBrowStringGridCtrl::RefreshPage() {
  TKBrowser* page = owner_.Page();
  if (page == nullptr) return;
  bool changed = false;
  page->Refresh(PageEvents(), changed);
  Redisplay(true);
  UpdateScrollBars();
}

void TkvBrowStringGridCtrl::GotoKeyRow(const std::string& key, std::int32_t ref, bool keep_row) {
  TKBrowser* page = owner_.Page();
  if (page == nullptr) return;
  bool changed = false;
  page->GotoKey(PageEvents(), key, ref, page->KeyNumber(), keep_row ? page->CurrentRow() : 1,
                page->PageRows(), changed);
  Redisplay(true);
  if (AnySelected(owner_.Selection())) {
    owner_.ClearSelection();
    RefreshPage();
  }
  UpdateScrollBars();
}

int TkvBrowStringGridCtrl::CheckCurrentRow() {
  TKBrowser* page = owner_.Page();
  if (page == nullptr || !owner_.IsReady()) return 5;
  bool same = false;
  return page->CheckRow(PageEvents(), page->CurrentRow(), 1, true, same);
}

void TkvBrowStringGridCtrl::SetEditMode(bool on) {
  using namespace platform::qt;
  const TGridOptions options = grid_->Options();
  grid_->SetOptions(on ? (options & ~goRowSelect) | goEditing | goAlwaysShowEditor
                       : (options & ~(goEditing | goAlwaysShowEditor)) | goRowSelect);
}

bool TkvBrowStringGridCtrl::IsEditMode() const {
  return (grid_->Options() & platform::qt::goAlwaysShowEditor) != 0;
}

// --- moves ---

bool TkvBrowStringGridCtrl::CanMove() const {
  return owner_.Page() != nullptr && !IsEditMode();
}

void TkvBrowStringGridCtrl::FinishMove(bool full_repaint) {
  Redisplay(full_repaint);
  UpdateScrollBars();
}

void TkvBrowStringGridCtrl::CursorTo(int page_row) {
  owner_.Page()->SetCurrentRow(page_row);
  FinishMove(false);
}

void TkvBrowStringGridCtrl::GotoFirst() {
  if (!CanMove()) return;
  bool changed = false;
  owner_.Page()->FirstPage(PageEvents(), changed);
  FinishMove(true);
}

void TkvBrowStringGridCtrl::GotoLast() {
  if (!CanMove()) return;
  bool changed = false;
  owner_.Page()->LastPage(PageEvents(), changed);
  FinishMove(true);
}

void TkvBrowStringGridCtrl::ScrollLines(bool forward, int count) {
  TKBrowser* page = owner_.Page();
  bool changed = false;
  int taken = 0;
  if (forward) {
    page->ScrollForward(PageEvents(), count, true, true, changed, taken);
  } else {
    page->ScrollBack(PageEvents(), count, true, true, changed, taken);
  }
  FinishMove(page->Stale());
}

// In "Miniaturansicht" a page move first takes the cursor to the same column of the last
// (first) record row; from there the old last (first) record row becomes the first (last).
void TkvBrowStringGridCtrl::PageDown() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  if (Layout() == 3) {
    const int w = records_across_;
    const int last = page->LastFilledRow();
    const int column = (page->CurrentRow() - 1) % w;
    const int last_record_row = (std::max(last, 1) - 1) / w;
    if ((page->CurrentRow() - 1) / w < last_record_row) {
      CursorTo(std::min(last_record_row * w + column + 1, last));
      return;
    }
    ScrollLines(true, std::max(visible_records_ - w, w));
    return;
  }
  ScrollLines(true, visible_records_);
}

void TkvBrowStringGridCtrl::PageUp() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  if (Layout() == 3) {
    const int w = records_across_;
    if ((page->CurrentRow() - 1) / w > 0) {
      CursorTo((page->CurrentRow() - 1) % w + 1);
      return;
    }
    ScrollLines(false, std::max(visible_records_ - w, w));
    return;
  }
  ScrollLines(false, visible_records_);
}

void TkvBrowStringGridCtrl::LineDown() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  const int left = grid_->LeftCol();
  const int top = grid_->TopRow();
  const int last = page->LastFilledRow();
  const int step = Layout() == 3 ? records_across_ : 1;
  if (last > 0 && page->CurrentRow() < last) {
    page->SetCurrentRow(std::min(page->CurrentRow() + step, last));
    FinishMove(false);
  } else {
    const int count = Layout() == 1 ? records_down_ : step;
    ScrollLines(true, count);
  }
  if (Layout() == 0) grid_->SetLeftCol(left);
  if (Layout() == 1) grid_->SetTopRow(top);
}

void TkvBrowStringGridCtrl::LineUp() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  const int left = grid_->LeftCol();
  const int top = grid_->TopRow();
  const int step = Layout() == 3 ? records_across_ : 1;
  if (page->CurrentRow() > 1) {
    page->SetCurrentRow(std::max(page->CurrentRow() - step, 1));
    FinishMove(false);
  } else {
    const int count = Layout() == 1 ? records_down_ : step;
    ScrollLines(false, count);
  }
  if (Layout() == 0) grid_->SetLeftCol(left);
  if (Layout() == 1) grid_->SetTopRow(top);
}

void TkvBrowStringGridCtrl::ColumnLeft() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  if (Layout() == 0) {
    grid_->SetLeftCol(std::max(grid_->LeftCol() - 1, grid_->FixedCols()));
    return;
  }
  const int step = Layout() == 1 ? records_down_ : 1;
  CursorTo(std::max(page->CurrentRow() - step, 1));
}

void TkvBrowStringGridCtrl::ColumnRight() {
  if (!CanMove()) return;
  TKBrowser* page = owner_.Page();
  if (Layout() == 0) {
    grid_->SetLeftCol(std::min(grid_->LeftCol() + 1, grid_->ColCount() - 1));
    return;
  }
  const int step = Layout() == 1 ? records_down_ : 1;
  CursorTo(std::max(std::min(page->CurrentRow() + step, page->LastFilledRow()), 1));
}

void TkvBrowStringGridCtrl::ColumnFirst() {
  if (!CanMove()) return;
  if (Layout() == 3) {
    GotoFirst();
  } else {
    grid_->SetLeftCol(grid_->FixedCols());
  }
}

void TkvBrowStringGridCtrl::ColumnLast() {
  if (!CanMove()) return;
  if (Layout() == 3) {
    GotoLast();
  } else {
    grid_->SetLeftCol(grid_->ColCount() - 1);
  }
}

// --- columns ---

std::string TkvBrowStringGridCtrl::Title(int col) const {
  return common::Trim(grid_->Cells(col, 0));
}

int TkvBrowStringGridCtrl::AverageCharWidth() const { return std::max(owner_.XWidth(), 1); }

void TkvBrowStringGridCtrl::SetColumns(const std::string& header, const std::string& header2,
                                       bool set_widths, const TBrowColumnBytes& cols1,
                                       const TBrowColumnBytes& cols2, const std::string& extra) {
  (void)cols1;
  (void)cols2;
  const TKBrowser* page = owner_.Page();
  if (page == nullptr) return;
  header_ = header;
  header2_ = header2;
  extra_ = extra;
  std::replace(extra_.begin(), extra_.end(), ' ', ',');
  TkvMouseGrid& g = *grid_;
  if (set_widths) {
    const std::vector<std::string> titles = SplitFields(header);
    g.SetColCount(std::max(static_cast<int>(titles.size()), 1));
    const int key_nr = page->KeyNumber();
    for (int c = 0; c < g.ColCount(); ++c) {
      const std::string& title = titles[static_cast<std::size_t>(c)];
      g.SetCells(c, 0, title);
      const int by_title = (static_cast<int>(title.size()) + 1) * AverageCharWidth();
      int width = by_title;
      if (owner_.OnBrowColWidths && Layout() == 0) {
        width = owner_.OnBrowColWidths(c);
        if (width == 0) width = by_title;
      } else if (const int stored = owner_.StoredWidth(key_nr, c);
                 stored > 0 && stored < g.Width()) {
        width = stored;
      }
      g.SetColWidths(c, width);
    }
  }
  const int line = (g.Options() & platform::qt::goVertLine) != 0 ? g.GridLineWidth() : 0;
  int total = 0;
  for (int c = 0; c < g.ColCount(); ++c) total += g.ColWidths(c) + line;
  if (Layout() == 0 && set_widths && total < g.ClientWidth()) {
    const int last = g.ColCount() - 1;
    g.SetColWidths(last, g.ColWidths(last) + g.ClientWidth() - total);
  }
  if (platform::qt::TScrollBar* bar = owner_.HorzScrollBar()) {
    if (Layout() == 0) bar->SetVisible(total > g.ClientWidth() && g.ColCount() > 1);
    bar->SetParams(std::clamp(g.LeftCol(), 0, g.ColCount() - 1), 0, g.ColCount() - 1);
  }
}

}  // namespace ui
