// The grid controller's scroll bars, cell painting, mouse and in-cell editing.
#include <algorithm>
#include <string>

#include "common/string_helpers.h"
#include "platform/qt/scroll_bar.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/browser_select.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"

namespace ui {

using platform::qt::TMouseButton;
using platform::qt::TPoint;
using platform::qt::TRect;
using platform::qt::TScrollBar;
using platform::qt::TScrollCode;

void TkvBrowStringGridCtrl::WireEvents() {
  TkvMouseGrid& g = *grid_;
  g.OnDrawCell = [this](TComponent*, int col, int row, const TRect& rect,
                        platform::qt::TGridDrawState) { DrawCell(col, row, rect); };
  g.OnSelectCell = [this](TComponent*, int col, int row, bool& can) {
    GridSelectCell(col, row, can);
  };
  g.OnGetEditText = [this](TComponent*, int col, int row, std::string& value) {
    GridGetEditText(col, row, value);
  };
  g.OnGetEditMask = [this](TComponent*, int col, int row, std::string& value) {
    GridGetEditMask(col, row, value);
  };
  g.OnSetEditText = [this](TComponent*, int col, int row, const std::string& value) {
    GridSetEditText(col, row, value);
  };
  g.OnTopLeftChanged = [this](TComponent*) {
    if (Layout() == 0 && grid_->LeftCol() != last_left_col_) {
      last_left_col_ = grid_->LeftCol();
      SetColumns(header_, header2_, false, owner_.Cols1(), owner_.Cols2(), extra_);
    }
  };
  // The grid follows its panel: the visible records are counted again once the browser is bound.
  g.OnResize = [this](TComponent*) {
    if (!owner_.IsDestroying() && owner_.IsReady() && !owner_.Passive()) {
      Resize();
      Redisplay(false);
    }
  };
}

// --- scroll bars ---

void TkvBrowStringGridCtrl::UpdateScrollBars() {
  TKBrowser* page = owner_.Page();
  if (page == nullptr || !page->Treiber().IsOpen(false)) return;
  TScrollBar* bar = owner_.VertScrollBar();
  if (bar != nullptr && bar->Visible()) {
    scroll_maximum_ = VerticalMaximum(page->Treiber().UsedRecs());
    const int large = grid_->VisibleRowCount() - 1;
    if (large > 0) bar->SetLargeChange(large);
    bar->SetSmallChange(1);
    int position = 0;
    if (scroll_maximum_ > 0) {
      page->ScrollPosition(page->CurrentKey(), page->CurrentRef(), scroll_maximum_, position);
    }
    bar->SetParams(position, 0, scroll_maximum_);
  }
  if (TScrollBar* horz = owner_.HorzScrollBar()) {
    horz->SetParams(std::clamp(grid_->LeftCol(), 0, grid_->ColCount() - 1), 0,
                    grid_->ColCount() - 1);
  }
}

void TkvBrowStringGridCtrl::ScrollBarScroll(TScrollBar& bar, TScrollCode code, int& position) {
  if (owner_.Page() == nullptr) return;
  if (&bar == owner_.HorzScrollBar()) {
    HorizontalScroll(code, position);
  } else {
    VerticalScroll(code, position);
  }
}

void TkvBrowStringGridCtrl::VerticalScroll(TScrollCode code, int& position) {
  if (owner_.OnBrowScroll) owner_.OnBrowScroll();
  TKBrowser* page = owner_.Page();
  TScrollBar* bar = owner_.VertScrollBar();
  switch (code) {
    case TScrollCode::scEndScroll:
      return;
    case TScrollCode::scLineUp:
      LineUp();
      break;
    case TScrollCode::scLineDown:
      LineDown();
      break;
    case TScrollCode::scPageUp:
    case TScrollCode::scPageDown:
      if (Layout() == 3) {
        code == TScrollCode::scPageUp ? PageUp() : PageDown();
        break;
      }
      [[fallthrough]];
    default: {
      std::string key;
      std::int32_t ref = 0;
      page->PositionByScroll(PageEvents(), std::max(position, 0), scroll_maximum_, key, ref);
      GotoKeyRow(key, ref);
      break;
    }
  }
  // The bar shows where the page now stands.
  if (bar != nullptr) position = bar->Position();
}

void TkvBrowStringGridCtrl::HorizontalScroll(TScrollCode code, int& position) {
  TkvMouseGrid& g = *grid_;
  const int first = g.FixedCols();
  const int last = g.ColCount() - 1;
  switch (code) {
    case TScrollCode::scLineUp:
    case TScrollCode::scPageUp:
      g.SetLeftCol(std::max(g.LeftCol() - 1, first));
      break;
    case TScrollCode::scLineDown:
    case TScrollCode::scPageDown:
      g.SetLeftCol(std::min(g.LeftCol() + 1, last));
      break;
    case TScrollCode::scTop:
      g.SetLeftCol(first);
      break;
    case TScrollCode::scBottom:
      g.SetLeftCol(last);
      break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack:
      g.SetLeftCol(std::clamp(position, first, last));
      break;
    case TScrollCode::scEndScroll:
      break;
  }
  position = g.LeftCol();
}

// --- painting ---

bool TkvBrowStringGridCtrl::EditsCell(int col, int row) const {
  const TKBrowser* page = owner_.Page();
  if (page == nullptr) return false;
  const TPoint current = CellOf(page->CurrentRow());
  return row == current.Y && (Layout() == 0 || col == current.X);
}

void TkvBrowStringGridCtrl::DrawCell(int col, int row, const TRect& rect) {
  TkvMouseGrid& g = *grid_;
  const TKBrowser* page = owner_.Page();
  if (g.DefaultDrawing() || page == nullptr) return;
  const TRect cell{rect.Left, rect.Top, rect.Right - 2, rect.Bottom};
  owner_.SetPaintingCell(cell);
  platform::qt::TBitmap* buffer = &owner_.BufferBitmap();
  platform::qt::TBitmap* cache = &owner_.CacheBitmap();
  if (row == 0) {
    ToLayout::DrawHeaderCell(g, owner_.IsColumnKeyCurrent(col), cell, col, buffer, cache);
    return;
  }
  const bool current = EditsCell(col, row);
  if (!current || !IsEditMode()) {
    const bool hot = row == hot_.Y && (Layout() == 0 || col == hot_.X);
    ToLayout::DrawCell(g, cell, row, col, buffer, cache, current, hot);
    return;
  }
  // The edited record: each cell shows whether it may be edited.
  const bool editable =
      !owner_.OnBrowTextSelectCell || owner_.OnBrowTextSelectCell(&g, col, row, Title(col));
  platform::qt::TCanvas& c = g.Canvas();
  c.Brush = {editable ? kEditableCell : kLockedCell, platform::qt::TBrushStyle::bsSolid};
  c.FillRect(cell);
  c.Font.SetColor(platform::qt::clBlack);
  c.TextRect(cell, cell.Left + 2, cell.Top + 2, g.Cells(col, row));
}

void TkvBrowStringGridCtrl::RedrawHot(TPoint place) {
  if (place.Y < 0) return;
  if (Layout() == 0) {
    grid_->InvalidateRow(place.Y);
  } else {
    grid_->InvalidateCell(place.X, place.Y);
  }
}

void TkvBrowStringGridCtrl::ClearHot() {
  const TPoint old = hot_;
  hot_ = {-1, -1};
  RedrawHot(old);
}

// --- mouse ---

void TkvBrowStringGridCtrl::MouseMove(TShiftState shift, int x, int y) {
  TkvMouseGrid& g = *grid_;
  TKBrowser* page = owner_.Page();
  if (page == nullptr || !g.ClientRect().Contains({x, y})) return;
  int col = -1;
  int row = -1;
  g.MouseToCell(x, y, col, row);
  const bool data = col >= 0 && row >= g.FixedRows();
  if (g.Cursor() != platform::qt::crSizeWE) {
    const bool sortable = !data && row >= 0 && Layout() == 0 && owner_.FindSortEntryForColumn(col) >= 0;
    g.SetCursor(sortable ? platform::qt::crHandPoint : platform::qt::crDefault);
  }
  if (data) {
    // A text cut off by its column shows whole as the hint.
    const std::string text = g.Cells(col, row);
    const bool cut = g.Canvas().TextWidth(text) > g.ColWidths(col);
    g.SetHint(cut ? text : std::string());
    g.SetShowHint(cut);
  }
  if (owner_.NewLayoutFlag() != 0) {
    const TPoint place = data ? TPoint{col, row} : TPoint{-1, -1};
    const bool moved = Layout() == 0 ? place.Y != hot_.Y : place != hot_;
    if (moved) {
      const TPoint old = hot_;
      hot_ = place;
      RedrawHot(old);
      RedrawHot(hot_);
    }
  }
  if ((shift & platform::qt::ssLeft) != 0 && data) {
    const int r = PageRowOf(col, row);
    if (r > 0 && r != page->CurrentRow()) {
      page->SetCurrentRow(r);
      owner_.DoAddSelectRow(3);
      Redisplay(false);
    }
  }
}

void TkvBrowStringGridCtrl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  using platform::qt::ssAlt;
  using platform::qt::ssCtrl;
  using platform::qt::ssDouble;
  TkvMouseGrid& g = *grid_;
  TKBrowser* page = owner_.Page();
  if (page == nullptr || page->RebuildFlag()) return;
  int col = -1;
  int row = -1;
  g.MouseToCell(x, y, col, row);
  if (col < 0 || row < 0) return;
  if (row < g.FixedRows()) {
    const int entry = owner_.FindSortEntryForColumn(col);
    if (entry >= 0) owner_.SwitchSort(entry, 0, "", "");
    return;
  }
  const int r = PageRowOf(col, row);
  if (owner_.SelectionMode() == 1) {
    const bool selected = r > 0 && owner_.Selection().IsSelected(page->Row(r).ref);
    const bool plain = (shift & (ssAlt | ssCtrl)) == 0;
    if ((plain && !selected) || (shift & ssDouble) != 0) {
      owner_.ClearSelection();
    } else if (selected) {
      g.BeginDrag(false);
    }
  }
  owner_.Selection().ClickSelect(col, row, shift, button);
  if (r > 0) page->SetCurrentRow(r);
  UpdateScrollBars();
  if (button == TMouseButton::mbLeft && !IsEditMode() && (shift & ssAlt) == 0) g.BeginDrag(false);
  Redisplay(false);
}

// --- in-cell editing ---

void TkvBrowStringGridCtrl::GridSelectCell(int col, int row, bool& can_select) {
  can_select = true;
  if (IsEditMode() && owner_.OnBrowTextSelectCell) {
    can_select = owner_.OnBrowTextSelectCell(grid_, col, row, Title(col));
  }
}

void TkvBrowStringGridCtrl::GridGetEditText(int col, int row, std::string& value) {
  if (!EditsCell(col, row) || !owner_.IsRowValid()) return;
  if (owner_.OnBrowTextinZelle) owner_.OnBrowTextinZelle(grid_, col, row, value);
}

void TkvBrowStringGridCtrl::GridGetEditMask(int col, int row, std::string& value) {
  value.clear();
  if (!EditsCell(col, row) || !owner_.IsRowValid()) return;
  if (owner_.OnBrowTextEditmask) owner_.OnBrowTextEditmask(grid_, col, row, value);
}

void TkvBrowStringGridCtrl::GridSetEditText(int col, int row, const std::string& value) {
  if (!EditsCell(col, row) || !owner_.IsRowValid()) return;
  if (owner_.OnBrowTextausZelle) owner_.OnBrowTextausZelle(grid_, col, row, value);
  RefreshPage();
}

}  // namespace ui
