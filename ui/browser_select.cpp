#include "ui/browser_select.h"

#include <algorithm>
#include <string>

#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

using platform::qt::TMouseButton;
using platform::qt::TPoint;
using platform::qt::TRect;

bool Used(std::int32_t ref) { return ref > 0; }

TRect Intersection(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

}  // namespace

TkvBrowSelect::TkvBrowSelect(TkvBrow& browser) : browser_(browser) {}

bool TkvBrowSelect::Passive() const { return browser_.Passive(); }

void TkvBrowSelect::Fire() const {
  if (browser_.OnInternselect) browser_.OnInternselect();
}

void TkvBrowSelect::SetSelected(std::int32_t ref, std::uint8_t mode) {
  // A reference of 0 or less is no record: nothing is held for it.
  if (Passive() || !Used(ref)) {
    Fire();
    return;
  }
  const auto held = std::find(refs_.begin(), refs_.end(), ref);
  if (held != refs_.end()) {
    if (mode != 1) *held = 0;
    Fire();
    return;
  }
  if (!refs_.empty() && std::none_of(refs_.begin(), refs_.end(), Used)) refs_.clear();
  if (mode == 0) return;
  const auto free_slot = std::find_if_not(refs_.begin(), refs_.end(), Used);
  if (free_slot != refs_.end()) {
    *free_slot = ref;
  } else {
    refs_.push_back(ref);
  }
  Fire();
}

bool TkvBrowSelect::IsSelected(std::int32_t ref) const {
  return !Passive() && Used(ref) && std::find(refs_.begin(), refs_.end(), ref) != refs_.end();
}

bool TkvBrowSelect::IsSelectedAt(int col, int row) const {
  const TKBrowser* page = browser_.Page();
  if (page == nullptr) return false;
  const int r = browser_.Controller().PageRowOf(col, row);
  if (r < 1 || r > kMaxPageRows) return false;
  return IsSelected(page->Row(r).ref);
}

bool TkvBrowSelect::IsCurrentSelected() const {
  const TKBrowser* page = browser_.Page();
  if (page == nullptr || browser_.Controller().CheckCurrentRow() != 0) return false;
  return IsSelected(page->CurrentRef());
}

bool TkvBrowSelect::Count() const {
  if (Passive()) return false;
  const auto used = std::count_if(refs_.begin(), refs_.end(), Used);
  if (used >= 2) return true;
  if (used == 0) return false;
  storage::TdbBase* db = browser_.Db();
  if (db == nullptr) return true;
  db->FetchRecord(true, true, 0);
  return *std::find_if(refs_.begin(), refs_.end(), Used) != db->CurrentRef();
}

bool TkvBrowSelect::First() {
  if (Passive()) return false;
  iterator_ = -1;
  return Next();
}

bool TkvBrowSelect::Next() {
  if (Passive()) return false;
  for (int i = iterator_ + 1; i < static_cast<int>(refs_.size()); ++i) {
    if (Used(refs_[static_cast<std::size_t>(i)])) {
      iterator_ = i;
      return true;
    }
  }
  iterator_ = static_cast<int>(refs_.size());
  return false;
}

bool TkvBrowSelect::ReadDatensatz() {
  if (Passive() || iterator_ < 0 || iterator_ >= static_cast<int>(refs_.size())) return false;
  const std::int32_t ref = refs_[static_cast<std::size_t>(iterator_)];
  storage::TdbBase* db = browser_.Db();
  return Used(ref) && db != nullptr && db->GotoRef(ref);
}

void TkvBrowSelect::Clear() {
  if (Passive()) return;
  iterator_ = -1;
  refs_.clear();
}

void TkvBrowSelect::ToggleRow(int mode) {
  std::int32_t ref = 0;
  std::string key;
  common::TKeyStr previous = anchor_;
  if (!Passive()) {
    TKBrowser* page = browser_.Page();
    storage::TdbBase* db = browser_.Db();
    if (page == nullptr || db == nullptr || browser_.Controller().CheckCurrentRow() != 0) return;
    ref = page->CurrentRef();
    key = page->CurrentKey();
    db->SeekRef(ref);
    std::string auto_key;
    db->GetAutoKeyText(auto_key);
    anchor_ = common::ShortToLenArray(auto_key);
  }
  switch (mode) {
    case 1:
      SetSelected(ref, 2);
      break;
    case 3:
      SetSelected(ref, 1);
      break;
    case 4:
      SetSelected(ref, 0);
      break;
    case 2:
      if (!Passive()) SelectRange(previous, key, ref);
      break;
    default:
      break;
  }
}

// From the anchor's record to the clicked one along the browser's index, each record reached
// selected. Without an anchor nothing is selected (an empty auto key would find any record).
void TkvBrowSelect::SelectRange(const common::TKeyStr& previous, const std::string& current_key,
                                std::int32_t current_ref) {
  storage::TdbBase* db = browser_.Db();
  const std::string anchor = common::LenArrayToShort(previous);
  if (anchor.empty() || !db->FindAutoKey(anchor)) return;
  SetSelected(db->CurrentRef(), 1);
  const int key_nr = browser_.GetKeyNr();
  const int order = common::CompareLenArrays(common::ShortToLenArray(db->BuildKey(key_nr)),
                                             common::ShortToLenArray(current_key));
  if (order == 0 || db->CurrentRef() == current_ref) return;
  while (order < 0 ? db->MoveNext(key_nr) : db->MovePrev(key_nr)) {
    const std::int32_t ref = db->CurrentRef();
    SetSelected(ref, 1);
    if (ref == current_ref) break;
  }
}

void TkvBrowSelect::ClickSelect(int col, int row, TShiftState shift, TMouseButton button) {
  TkvBrowStringGridCtrl& ctrl = browser_.Controller();
  if (ctrl.IsEditMode()) return;
  TkvMouseGrid& grid = ctrl.Grid();
  if (!Passive()) {
    grid.SetCol(col);
    if (browser_.View() != TBrowserView::kDetails) grid.SetRow(row);
  }
  TKBrowser* page = browser_.Page();
  const int r = ctrl.PageRowOf(col, row);
  if (page != nullptr && r > 0) {
    page->SetCurrentRow(r);
    const bool right = button == TMouseButton::mbRight;
    int mode = 0;
    if ((shift & platform::qt::ssCtrl) != 0 || right) {
      mode = 1;
    } else if ((shift & platform::qt::ssShift) != 0) {
      mode = 2;
    }
    browser_.DoAddSelectRow(mode);
  }
  if (button == TMouseButton::mbRight && !Passive()) browser_.DoGetSelectRow();
  ctrl.Redisplay(false);
}

// --- the rubber band ---

void TkvBrowSelect::BeginFrame(int x, int y, TShiftState shift) {
  RemoveFrame();
  if ((shift & platform::qt::ssDouble) != 0) return;
  has_frame_ = true;
  frame_start_ = {x, y};
  frame_ = {x, y, x + 1, y + 1};
  frame_cells_ = {0, 0, -1, -1};
}

void TkvBrowSelect::MoveFrame(int x, int y) {
  if (!has_frame_) return;
  frame_ = {std::min(frame_start_.X, x), std::min(frame_start_.Y, y),
            std::max(frame_start_.X, x) + 1, std::max(frame_start_.Y, y) + 1};
  browser_.Controller().Grid().Invalidate();
}

void TkvBrowSelect::EndFrame(const TRect& rect) {
  TkvBrowStringGridCtrl& ctrl = browser_.Controller();
  TkvMouseGrid& grid = ctrl.Grid();
  if (browser_.Page() == nullptr) return;
  // The cells under the corners; a corner past the cells takes the last column or row.
  const auto cell_at = [&grid](int x, int y) {
    const TRect client = grid.ClientRect();
    x = std::clamp(x, client.Left, client.Right - 1);
    y = std::clamp(y, client.Top, client.Bottom - 1);
    int col = -1;
    int row = -1;
    grid.MouseToCell(x, y, col, row);
    if (col < 0) col = grid.ColCount() - 1;
    if (row < 0) row = grid.RowCount() - 1;
    return TPoint{std::max(col, grid.FixedCols()), std::max(row, grid.FixedRows())};
  };
  const TPoint a = cell_at(rect.Left, rect.Top);
  const TPoint b = cell_at(rect.Right - 1, rect.Bottom - 1);
  const TRect now{a.X, a.Y, b.X, b.Y};  // inclusive cell range
  TRect all = now;
  if (frame_cells_.Right >= frame_cells_.Left) {
    all = {std::min(now.Left, frame_cells_.Left), std::min(now.Top, frame_cells_.Top),
           std::max(now.Right, frame_cells_.Right), std::max(now.Bottom, frame_cells_.Bottom)};
  }
  const bool details = browser_.View() == TBrowserView::kDetails;
  for (int row = all.Top; row <= all.Bottom; ++row) {
    const bool row_inside = row >= now.Top && row <= now.Bottom;
    if (details) {
      SetCellSelected(row_inside ? 3 : 4, grid.FixedCols(), row);
      continue;
    }
    for (int col = all.Left; col <= all.Right; ++col) {
      const bool inside = row_inside && col >= now.Left && col <= now.Right;
      SetCellSelected(inside ? 3 : 4, col, row);
    }
  }
  frame_cells_ = now;
  ctrl.Redisplay(false);
}

void TkvBrowSelect::SetCellSelected(int mode, int col, int row) {
  const TKBrowser* page = browser_.Page();
  const int r = browser_.Controller().PageRowOf(col, row);
  if (page == nullptr || r < 1 || r > kMaxPageRows) return;
  const std::int32_t ref = page->Row(r).ref;
  if (!Used(ref)) return;
  if (mode == 3 && !IsSelected(ref)) SetSelected(ref, 1);
  if (mode == 4 && IsSelected(ref)) SetSelected(ref, 0);
  browser_.Controller().Grid().InvalidateRow(row);
}

void TkvBrowSelect::RemoveFrame() {
  if (!has_frame_) return;
  has_frame_ = false;
  browser_.Controller().Grid().Invalidate();
}

// The frame is painted cell by cell: each cell paints only its own part, so cells painted
// before keep their text.
void TkvBrowSelect::DrawFrame(platform::qt::TCanvas& canvas, const TRect& clip,
                              TPoint offset) const {
  if (!has_frame_) return;
  const TRect f{frame_.Left + offset.X, frame_.Top + offset.Y, frame_.Right + offset.X,
                frame_.Bottom + offset.Y};
  const TRect inner = Intersection(f, clip);
  if (Empty(inner)) return;
  const auto paint = [&canvas, &clip](const TRect& part, TColor colour) {
    const TRect r = Intersection(part, clip);
    if (Empty(r)) return;
    canvas.Brush = {colour, platform::qt::TBrushStyle::bsSolid};
    canvas.FillRect(r);
  };
  paint(f, kFrameFill);
  paint({f.Left, f.Top, f.Right, f.Top + 1}, kFrameLine);
  paint({f.Left, f.Bottom - 1, f.Right, f.Bottom}, kFrameLine);
  paint({f.Left, f.Top, f.Left + 1, f.Bottom}, kFrameLine);
  paint({f.Right - 1, f.Top, f.Right, f.Bottom}, kFrameLine);
}

}  // namespace ui
