// The string grid's window, in-place editor, keys, mouse, wheel, column sizing, dragging and
// per-cell hints.
#include <QHelpEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/colors.h"
#include "platform/qt/edit.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/keys.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/keys.h"
#include "platform/qt/string_grid.h"

namespace platform::qt {
namespace {

// The grid's window: the wheel goes to the grid, and the hint shows for the cell under the
// mouse (it is asked again in another cell).
class GridHost : public impl::Host<QWidget> {
 public:
  explicit GridHost(TWinControl& control) : impl::Host<QWidget>(control) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  bool event(QEvent* e) override {
    auto* grid = dynamic_cast<TStringGrid*>(impl::ControlOf(this));
    if (grid != nullptr && e->type() == QEvent::Wheel) {
      auto* wheel = static_cast<QWheelEvent*>(e);
      const QPoint at = wheel->position().toPoint();
      grid->WheelTurned(impl::ShiftOf(wheel->modifiers()), wheel->angleDelta().y(),
                        {at.x(), at.y()});
      e->accept();
      return true;
    }
    if (grid != nullptr && e->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(e);
      const std::string hint = grid->ShowHint() ? GetShortHint(grid->Hint()) : "";
      if (hint.empty()) {
        QToolTip::hideText();
        e->ignore();
        return true;
      }
      int col = -1;
      int row = -1;
      grid->MouseToCell(help->pos().x(), help->pos().y(), col, row);
      const TRect area = col >= 0 ? grid->CellRect(col, row) : grid->ClientRect();
      QToolTip::showText(help->globalPos(), impl::ToQString(hint), this, impl::ToQRect(area));
      return true;
    }
    return impl::Host<QWidget>::event(e);
  }
};

constexpr int kSizingReach = 2;  // pixels either side of a column's line that start sizing

// Whether the control's window has its focus on the control or inside it, active or not.
bool HoldsWindowFocus(const TWinControl& control) {
  const QWidget* widget = control.Window().widget;
  const QWidget* focus = widget != nullptr ? widget->window()->focusWidget() : nullptr;
  return focus != nullptr && (focus == widget || widget->isAncestorOf(focus));
}

}  // namespace

// The in-place editor: a line edit over the current cell that keeps Enter and Esc and hands the
// moving keys to the grid.
class TStringGrid::Editor : public TEdit {
 public:
  explicit Editor(TStringGrid& grid) : TEdit(&grid), grid_(grid) {}
  void KeyDown(std::uint16_t& key, TShiftState shift) override {
    TEdit::KeyDown(key, shift);
    if (key != 0 && grid_.EditorKey(key, shift)) key = 0;
  }
  bool WantsKey(std::uint16_t key, TShiftState shift) const override {
    (void)shift;
    return key == VK_RETURN || key == VK_ESCAPE ||
           (key == VK_TAB && (grid_.Options() & goTabs) != 0);
  }

 private:
  TStringGrid& grid_;
};

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) {
  AttachWindow(impl::MakeHostOf<GridHost>(*this, impl::PaintMode::kCanvas));
  col_widths_.assign(5, default_col_width_);
  row_heights_.assign(5, default_row_height_);
  cells_.resize(25);
  objects_.resize(25, 0);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TStringGrid::~TStringGrid() { BeginDestroy(); }

// --- editing ---

bool TStringGrid::CanEditShow() const {
  return (options_ & goEditing) != 0 && (options_ & goRowSelect) == 0 && !Fixed(col_, row_);
}

bool TStringGrid::EditorMode() const { return edit_col_ >= 0; }

void TStringGrid::SetEditorMode(bool on) {
  if (on) {
    ShowEditor();
  } else {
    HideEditor();
  }
}

TEdit* TStringGrid::InplaceEditor() const { return editor_; }

std::string TStringGrid::GetEditText(int col, int row) {
  std::string value = Cells(col, row);
  if (OnGetEditText) OnGetEditText(this, col, row, value);
  return value;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
  SetCells(col, row, value);
  if (OnSetEditText) OnSetEditText(this, col, row, value);
}

std::string TStringGrid::GetEditMask(int col, int row) {
  std::string mask;
  if (OnGetEditMask) OnGetEditMask(this, col, row, mask);
  return mask;
}

void TStringGrid::ShowEditor(const std::string* first_char) {
  if (!CanEditShow()) return;
  const auto alive = AliveToken();
  if (editor_ == nullptr) {
    editor_ = new Editor(*this);
    editor_->SetParent(this);
  }
  if (edit_col_ != col_ || edit_row_ != row_) {
    edit_col_ = col_;
    edit_row_ = row_;
    GetEditMask(col_, row_);  // asked only: no mask is enforced
    if (alive.expired()) return;
    edit_start_ = GetEditText(col_, row_);
    if (alive.expired()) return;
    editor_->SetText(edit_start_);
    editor_->SelectAll();
  }
  PlaceEditor();
  if (Focused()) editor_->SetFocus();
  if (alive.expired()) return;
  // After the focus came in, which selects the cell's whole text: the typed character replaces it.
  if (first_char != nullptr) {
    editor_->SetText(*first_char);
    editor_->SetSelStart(static_cast<int>(first_char->size()));
  }
}

void TStringGrid::PlaceEditor() {
  if (editor_ == nullptr || edit_col_ < 0) return;
  const TRect r = CellRect(edit_col_, edit_row_);
  if (r.Width() <= 0 || r.Height() <= 0) {
    editor_->Hide();
    return;
  }
  editor_->SetBoundsRect(r);
  editor_->Show();
}

bool TStringGrid::CommitEditor() {
  if (editor_ == nullptr || edit_col_ < 0) return true;
  const std::string text = editor_->Text();
  if (text == edit_start_) return true;
  edit_start_ = text;
  const auto alive = AliveToken();
  SetEditText(edit_col_, edit_row_, text);
  return !alive.expired();
}

void TStringGrid::HideEditor() {
  if (editor_ == nullptr || edit_col_ < 0) return;
  const bool had_focus = editor_->Focused();
  if (!CommitEditor()) return;
  edit_col_ = edit_row_ = -1;
  editor_->Hide();
  if (had_focus && CanFocus()) SetFocus();
}

void TStringGrid::CancelEditor() {
  if (editor_ == nullptr || edit_col_ < 0) return;
  editor_->SetText(edit_start_);
  editor_->SelectAll();
  if ((options_ & goAlwaysShowEditor) == 0) HideEditor();
}

bool TStringGrid::EditorKey(std::uint16_t key, TShiftState shift) {
  switch (key) {
    case VK_RETURN:
      if (!CommitEditor()) return true;
      if ((options_ & goAlwaysShowEditor) == 0) {
        HideEditor();
      } else if (editor_ != nullptr) {
        editor_->SelectAll();
      }
      return true;
    case VK_ESCAPE:
      CancelEditor();
      return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB: {
      std::uint16_t k = key;
      KeyDown(k, shift);
      return true;
    }
    default:
      return false;
  }
}

// --- keys ---

bool TStringGrid::MoveByKey(std::uint16_t key, TShiftState shift) {
  const bool ctrl = (shift & ssCtrl) != 0;
  const int page = std::max(VisibleRowCount(), 1);
  const bool row_select = (options_ & goRowSelect) != 0;
  switch (key) {
    case VK_UP:
      FocusCell(col_, row_ - 1);
      return true;
    case VK_DOWN:
      FocusCell(col_, row_ + 1);
      return true;
    case VK_PRIOR:
      SetTopRow(top_row_ - page);
      FocusCell(col_, row_ - page);
      return true;
    case VK_NEXT:
      SetTopRow(top_row_ + page);
      FocusCell(col_, row_ + page);
      return true;
    case VK_HOME:
      if (ctrl) FocusCell(col_, fixed_rows_);
      if (!ctrl) row_select ? SetLeftCol(fixed_cols_) : (void)FocusCell(fixed_cols_, row_);
      return true;
    case VK_END:
      if (ctrl) FocusCell(col_, RowCount() - 1);
      if (!ctrl) row_select ? SetLeftCol(ColCount() - 1) : (void)FocusCell(ColCount() - 1, row_);
      return true;
    case VK_LEFT:
    case VK_RIGHT: {
      const int by = key == VK_LEFT ? -1 : 1;
      row_select ? SetLeftCol(left_col_ + by) : (void)FocusCell(col_ + by, row_);
      return true;
    }
    case VK_TAB:
      if ((options_ & goTabs) == 0) return false;
      if (col_ + 1 < ColCount()) {
        FocusCell(col_ + 1, row_);
      } else {
        FocusCell(fixed_cols_, row_ + 1);
      }
      return true;
    default:
      return false;
  }
}

void TStringGrid::KeyDown(std::uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key == 0) return;
  if (key == VK_F2 && CanEditShow()) {
    ShowEditor();
    key = 0;
  } else if (MoveByKey(key, shift)) {
    key = 0;
  }
}

void TStringGrid::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (static_cast<unsigned char>(key) < 32 || !CanEditShow() || EditorMode()) return;
  const std::string typed(1, key);
  ShowEditor(&typed);
  key = 0;
}

bool TStringGrid::WantsKey(std::uint16_t key, TShiftState shift) const {
  (void)shift;
  return key == VK_TAB && (options_ & goTabs) != 0;
}

// --- mouse ---

int TStringGrid::SizingColumn(int x, int y) const {
  if ((options_ & goColSizing) == 0 || fixed_rows_ == 0) return -1;
  const TRect header = CellRect(0, fixed_rows_ - 1);
  if (y < ClientRect().Top || y >= header.Bottom) return -1;
  for (int c = 0; c < ColCount(); ++c) {
    const TRect r = CellRect(c, 0);
    if (r.Width() <= 0 && ColLeft(c) < 0) continue;
    if (x >= r.Right - kSizingReach && x <= r.Right + LineAfterCol() + kSizingReach) return c;
  }
  return -1;
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  last_mouse_ = drag_from_ = {x, y};
  const auto alive = AliveToken();
  // The press gave the grid the focus before it came here, as the window system does. A handler
  // of that move may have sent the focus on (a question answered "no"): that stands, and the
  // press is dropped. In a window not active yet the form learns of the move here.
  if (CanFocus()) {
    if (!HoldsWindowFocus(*this)) return;
    if (!Focused()) SetFocus();
    if (alive.expired() || !HoldsWindowFocus(*this)) return;
  }
  if (button == TMouseButton::mbLeft) {
    if (const int sizing = SizingColumn(x, y); sizing >= 0) {
      sizing_col_ = sizing;
      sizing_left_ = ColLeft(sizing);
    } else {
      int col = -1;
      int row = -1;
      MouseToCell(x, y, col, row);
      if (col >= 0 && !Fixed(col, row)) FocusCell(col, row);
    }
  }
  if (!alive.expired()) TWinControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
  last_mouse_ = {x, y};
  if (sizing_col_ >= 0) {
    SetColWidths(sizing_col_, x - sizing_left_);
    return;
  }
  if (dragging_) {
    DragTo(x, y);
    return;
  }
  if (drag_pending_ && (shift & ssLeft) != 0 &&
      (std::abs(x - drag_from_.X) > drag_threshold_ ||
       std::abs(y - drag_from_.Y) > drag_threshold_)) {
    BeginDrag(true);
    return;
  }
  // The sizing cursor over a column's line in the fixed rows; the control's own cursor elsewhere.
  if (const bool over = SizingColumn(x, y) >= 0; over != sizing_cursor_) {
    if (over) saved_cursor_ = Cursor();
    sizing_cursor_ = over;
    SetCursor(over ? crSizeWE : saved_cursor_);
  }
  TWinControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  last_mouse_ = {x, y};
  sizing_col_ = -1;
  drag_pending_ = false;
  if (dragging_) {
    DragTo(x, y);
    EndDrag(true);
    return;
  }
  TWinControl::MouseUp(button, shift, x, y);
}

void TStringGrid::WheelTurned(TShiftState shift, int delta, TPoint mouse) {
  const auto alive = AliveToken();
  for (int notches = std::max(std::abs(delta) / 120, 1); notches > 0 && !alive.expired();
       --notches) {
    if (delta < 0) {
      DoMouseWheelDown(shift, mouse);
    } else if (delta > 0) {
      DoMouseWheelUp(shift, mouse);
    }
  }
}

bool TStringGrid::DoMouseWheelDown(TShiftState shift, TPoint mouse) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mouse, handled);
  if (!handled && row_ < RowCount() - 1) SetRow(row_ + 1);
  return true;
}

bool TStringGrid::DoMouseWheelUp(TShiftState shift, TPoint mouse) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mouse, handled);
  if (!handled && row_ > fixed_rows_) SetRow(row_ - 1);
  return true;
}

// --- dragging ---

void TStringGrid::BeginDrag(bool immediate, int threshold) {
  if (!immediate) {
    drag_pending_ = true;
    drag_threshold_ = threshold < 0 ? 5 : threshold;
    drag_from_ = last_mouse_;
    return;
  }
  drag_pending_ = false;
  dragging_ = true;
  drag_inside_ = drag_accept_ = false;
  DragTo(last_mouse_.X, last_mouse_.Y);
}

void TStringGrid::DragTo(int x, int y) {
  const auto alive = AliveToken();
  if (!ClientRect().Contains({x, y})) {
    bool ignored = false;
    if (drag_inside_ && OnDragOver) OnDragOver(this, this, x, y, TDragState::dsDragLeave, ignored);
    if (alive.expired()) return;
    drag_inside_ = drag_accept_ = false;
    return;
  }
  const TDragState state = drag_inside_ ? TDragState::dsDragMove : TDragState::dsDragEnter;
  drag_inside_ = true;
  bool accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, this, x, y, state, accept);
  }
  if (!alive.expired()) drag_accept_ = accept;
}

void TStringGrid::EndDrag(bool drop) {
  drag_pending_ = false;
  if (!dragging_) return;
  dragging_ = false;
  const bool dropped = drop && drag_inside_ && drag_accept_;
  drag_inside_ = drag_accept_ = false;
  const auto alive = AliveToken();
  if (dropped && OnDragDrop) OnDragDrop(this, this, last_mouse_.X, last_mouse_.Y);
  if (!alive.expired() && OnEndDrag) {
    OnEndDrag(this, dropped ? this : nullptr, last_mouse_.X, last_mouse_.Y);
  }
}

}  // namespace platform::qt
