#include "platform/qt/win_control.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/qt/align.h"
#include "platform/qt/form.h"
#include "platform/qt/impl/convert.h"
#include "platform/qt/impl/window.h"

namespace platform::qt {
namespace {

// The windowed descendants of `control` in tab order, depth first.
void TabOrderList(const TWinControl& control, std::vector<TWinControl*>& out) {
  std::vector<TWinControl*> children;
  for (TControl* c : control.Controls()) {
    if (c->IsWindowed()) children.push_back(static_cast<TWinControl*>(c));
  }
  std::stable_sort(children.begin(), children.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* child : children) {
    out.push_back(child);
    TabOrderList(*child, out);
  }
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  BeginDestroy();
  if (window_ && window_->widget) impl::Unregister(window_->widget);
  while (!controls_.empty()) delete controls_.back();
  window_.reset();
}

void TWinControl::AttachWindow(std::unique_ptr<impl::Window> window) {
  window_ = std::move(window);
  QWidget* w = window_->widget;
  w->setGeometry(impl::ToQRect(BoundsRect()));
  w->setFont(impl::ToQFont(Font()));
  w->setEnabled(Enabled());
  ApplyFocusPolicy();
  // Graphic children hear the mouse come and go (hot tracking) without a button held.
  if (window_->paint_mode == impl::PaintMode::kCanvas) w->setMouseTracking(true);
  w->hide();
  last_width_ = ClientWidth();
  last_height_ = ClientHeight();
  ColorChanged();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c != nullptr; c = c->Parent()) {
    if (c == this) return true;
  }
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allow_disabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->Visible() && (allow_disabled || c->Enabled()) && c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  int windowed = 0;
  for (TControl* c : controls_) windowed += c->IsWindowed() ? 1 : 0;
  controls_.push_back(control);
  if (control->IsWindowed()) {
    auto* child = static_cast<TWinControl*>(control);
    child->tab_order_ = windowed;  // last in the tab cycle
    if (window_ && child->window_) {
      QWidget* w = child->window_->widget;
      w->setParent(window_->widget);
      w->setGeometry(impl::ToQRect(child->BoundsRect()));
      child->ApplyFocusPolicy();
    }
  }
  ChildListChanged();
}

void TWinControl::RemoveControl(TControl* control) {
  std::erase(controls_, control);
  if (control->IsWindowed()) {
    const int gone = static_cast<TWinControl*>(control)->tab_order_;
    for (TControl* c : controls_) {
      if (c->IsWindowed() && static_cast<TWinControl*>(c)->tab_order_ > gone) {
        --static_cast<TWinControl*>(c)->tab_order_;
      }
    }
  }
  if (TForm* form = ParentForm(); form != nullptr && !form->IsDestroying()) {
    form->ControlRemoved(control);
  }
  if (control->IsWindowed() && !control->IsDestroying()) {
    auto* child = static_cast<TWinControl*>(control);
    if (child->window_ && child->window_->widget) {
      child->window_->widget->hide();
      child->window_->widget->setParent(nullptr);
    }
  }
  if (!IsDestroying()) ChildListChanged();
}

int TWinControl::TabOrder() const { return Parent() == nullptr ? -1 : tab_order_; }

void TWinControl::SetTabOrder(int order) {
  if (Parent() == nullptr) return;
  // The siblings keep their relative order; this one takes the place asked for.
  std::vector<TWinControl*> siblings;
  for (TControl* c : Parent()->controls_) {
    if (c->IsWindowed() && c != this) siblings.push_back(static_cast<TWinControl*>(c));
  }
  std::stable_sort(siblings.begin(), siblings.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  order = std::clamp(order, 0, static_cast<int>(siblings.size()));
  siblings.insert(siblings.begin() + order, this);
  for (std::size_t i = 0; i < siblings.size(); ++i) siblings[i]->tab_order_ = static_cast<int>(i);
}

void TWinControl::SetTabStop(bool on) {
  tab_stop_ = on;
  ApplyFocusPolicy();
}

void TWinControl::ApplyFocusPolicy() {
  if (!window_ || !window_->widget) return;
  QWidget& w = *window_->widget;
  // A press gives the focus to the first widget up from the one pressed that has ClickFocus.
  const bool click = TakesFocusOnClick();
  // Tab moves are the layer's own; Qt's tab focus lets an activated window give the focus to a
  // native tab stop, else to the window itself, which then takes the keys.
  const bool tab = w.isWindow() || (tab_stop_ && window_->paint_mode != impl::PaintMode::kCanvas);
  w.setFocusPolicy(click && tab ? Qt::StrongFocus
                   : click      ? Qt::ClickFocus
                   : tab        ? Qt::TabFocus
                                : Qt::NoFocus);
}

bool TWinControl::Focused() const {
  return window_ && window_->widget && window_->widget->hasFocus();
}

bool TWinControl::CanFocus() const {
  const TForm* form = ParentForm();
  if (form == nullptr || !form->Visible() || form->Released()) return false;
  for (const TControl* c = this; c != nullptr; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  TForm* form = ParentForm();
  if (form == nullptr) return;
  if (form == this) {
    if (window_->widget) window_->widget->activateWindow();
    return;
  }
  if (!CanFocus()) {
    if (!form->Visible()) form->SetActiveControl(this);
    return;
  }
  QWidget* const widget = window_->widget;
  widget->setFocus(Qt::OtherFocusReason);
  // The handlers of this very move (OnExit, OnEnter) moved the focus on: that move stands.
  const QWidget* const now = widget->window()->focusWidget();
  if (now != nullptr && now != widget && !widget->isAncestorOf(now)) return;
  // An inactive window changes its focus child without telling; the form's bookkeeping follows
  // here (a second notice for the same control changes nothing).
  form->FocusMoved(this);
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward,
                                          bool check_tab_stop) const {
  std::vector<TWinControl*> list;
  TabOrderList(*this, list);
  if (list.empty()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  auto at = std::find(list.begin(), list.end(), current);
  std::ptrdiff_t i = at == list.end() ? (forward ? -1 : n) : at - list.begin();
  for (std::ptrdiff_t step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current) return nullptr;
    if (c->CanFocus() && (!check_tab_stop || c->TabStop())) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool check_tab_stop) {
  if (TWinControl* next = FindNextControl(current, forward, check_tab_stop)) next->SetFocus();
}

void TWinControl::Realign() {
  if (align_disabled_ > 0) {
    align_pending_ = true;
    return;
  }
  if (aligning_) return;
  aligning_ = true;
  AlignControls();
  aligning_ = false;
}

void TWinControl::EnableAlign() {
  if (align_disabled_ > 0 && --align_disabled_ == 0 && align_pending_) {
    align_pending_ = false;
    Realign();
  }
}

void TWinControl::AlignControls() {
  TRect client = ClientRect();
  AdjustClientRect(client);
  std::vector<AlignItem> items;
  items.reserve(controls_.size());
  for (TControl* c : controls_) items.push_back({c->Align(), c->Visible(), c->BoundsRect()});
  AlignRects(client, items);
  // Copies: a child's bounds change may make or free controls (OnResize).
  const std::vector<TControl*> children = controls_;
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (items[i].align == TAlign::alNone || !items[i].visible) continue;
    if (std::find(controls_.begin(), controls_.end(), children[i]) == controls_.end()) continue;
    children[i]->SetBoundsRect(items[i].bounds);
  }
}

void TWinControl::MoveAnchoredChildren(int old_width, int old_height) {
  const int dx = ClientWidth() - old_width;
  const int dy = ClientHeight() - old_height;
  if (dx == 0 && dy == 0) return;
  const std::vector<TControl*> children = controls_;
  for (TControl* c : children) {
    if (c->Align() != TAlign::alNone) continue;
    const TAnchors a = c->Anchors();
    TRect r = c->BoundsRect();
    if ((a & akRight) != 0) {
      if ((a & akLeft) == 0) r.Left += dx;
      r.Right += dx;
    }
    if ((a & akBottom) != 0) {
      if ((a & akTop) == 0) r.Top += dy;
      r.Bottom += dy;
    }
    if (r != c->BoundsRect()) c->SetBoundsRect(r);
  }
}

void TWinControl::ChangeScale(int m, int d) {
  DisableAlign();
  ++scaling_;
  TControl::ChangeScale(m, d);
  const std::vector<TControl*> children = controls_;
  for (TControl* c : children) c->ChangeScale(m, d);
  --scaling_;
  last_width_ = ClientWidth();
  last_height_ = ClientHeight();
  EnableAlign();
}

void TWinControl::BoundsChanged() {
  if (window_ && window_->widget && Parent() != nullptr) {
    window_->widget->setGeometry(impl::ToQRect(BoundsRect()));
  }
  LayoutAfterResize();
}

void TWinControl::LayoutAfterResize() {
  const int w = ClientWidth();
  const int h = ClientHeight();
  if (w == last_width_ && h == last_height_) return;
  const int old_w = last_width_;
  const int old_h = last_height_;
  last_width_ = w;
  last_height_ = h;
  if (scaling_ == 0 && !IsLoading()) MoveAnchoredChildren(old_w, old_h);
  Realign();
}

void TWinControl::VisibleChanged() {
  if (window_ && window_->widget) window_->widget->setVisible(Visible() && Parent() != nullptr);
}

void TWinControl::EnabledChanged() {
  if (window_ && window_->widget) window_->widget->setEnabled(Enabled());
}

void TWinControl::FontChanged() {
  if (window_ && window_->widget) window_->widget->setFont(impl::ToQFont(Font()));
  Invalidate();
}

void TWinControl::ColorChanged() {
  if (window_ && window_->widget) {
    QPalette palette = window_->widget->palette();
    const QColor c = impl::ToQColor(Color());
    palette.setColor(QPalette::Window, c);
    palette.setColor(QPalette::Base, c);
    palette.setColor(QPalette::Button, c);
    window_->widget->setPalette(palette);
  }
  Invalidate();
}

void TWinControl::CursorChanged() {
  if (window_ && window_->widget) {
    window_->widget->setCursor(
        QCursor(static_cast<Qt::CursorShape>(impl::ToQtCursorShape(Cursor()))));
  }
}

void TWinControl::HintChanged() {
  if (window_ && window_->widget) {
    window_->widget->setToolTip(ShowHint() ? impl::ToQString(GetShortHint(Hint())) : QString());
  }
}

void TWinControl::Invalidate() {
  if (window_ && window_->widget) window_->widget->update();
}

void TWinControl::Update() {
  if (window_ && window_->widget && window_->widget->isVisible()) window_->widget->repaint();
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  PaintBackground(canvas);
  Paint();
}

void TWinControl::PaintBackground(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect({0, 0, Width(), Height()});
}

bool TWinControl::DialogChar(char key) {
  const std::vector<TControl*> children = controls_;
  for (TControl* c : children) {
    if (c->Visible() && c->Enabled() && c->DialogChar(key)) return true;
  }
  return false;
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::WantsKey(std::uint16_t key, TShiftState shift) const {
  (void)key;
  (void)shift;
  return false;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
  AttachWindow(impl::MakeHost<QWidget>(*this, impl::PaintMode::kCanvas));
}

}  // namespace platform::qt
