#include "platform/qt/control.h"

#include <QWidget>
#include <algorithm>

#include "common/cp1252.h"
#include "platform/qt/form.h"
#include "platform/qt/handler_scope.h"
#include "platform/qt/impl/window.h"
#include "platform/qt/menus.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    if (!taking_parent_look_) parent_font_ = false;
    FontChanged();
    PassToChildren();
  };
}

TControl::~TControl() {
  BeginDestroy();
  font_.OnChange = nullptr;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  TWinControl* old = parent_;
  if (old != nullptr) {
    if (!IsWindowed()) old->Invalidate();
    old->RemoveControl(this);
  }
  parent_ = parent;
  if (parent_ != nullptr) {
    parent_->InsertControl(this);
    TakeParentLook();
  }
  VisibleChanged();
  if (old != nullptr && align_ != TAlign::alNone) old->Realign();
  if (parent_ != nullptr) {
    parent_->Realign();
    Invalidate();
  }
}

TForm* TControl::ParentForm() const {
  const TControl* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  const TRect next = Bounds(left, top, std::max(0, width), std::max(0, height));
  if (next == bounds_) return;
  const TRect old = bounds_;
  bounds_ = next;
  if (!IsWindowed() && parent_ != nullptr) parent_->Invalidate();
  BoundsChanged();
  if (old.Width() != next.Width() || old.Height() != next.Height()) Resize();
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
  if (parent_ != nullptr) parent_->ChildBoundsChanged();
}

void TControl::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(Left(), Top(), width + Width() - client.Width(), height + Height() - client.Height());
}

TPoint TControl::ClientToParent(TPoint p, const TWinControl* ancestor) const {
  const TControl* c = this;
  do {
    p.X += c->Left();
    p.Y += c->Top();
    c = c->parent_;
  } while (c != nullptr && ancestor != nullptr && c != ancestor);
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  if (IsWindowed()) {
    const auto* self = static_cast<const TWinControl*>(this);
    if (QWidget* w = self->Window().widget) {
      const QPoint g = w->mapToGlobal(QPoint(p.X, p.Y));
      return {g.x(), g.y()};
    }
  }
  if (parent_ == nullptr) return {p.X + Left(), p.Y + Top()};
  return parent_->ClientToScreen({p.X + Left(), p.Y + Top()});
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  if (parent_ != nullptr) {
    if (!IsWindowed()) parent_->Invalidate();
    if (align_ != TAlign::alNone) parent_->Realign();
  }
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (parent_ != nullptr) return parent_->Showing();
  return dynamic_cast<const TForm*>(this) != nullptr;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
  Invalidate();
}

void TControl::SetColor(TColor colour) {
  parent_color_ = false;
  if (colour == color_) return;
  color_ = colour;
  ColorChanged();
  PassToChildren();
}

void TControl::SetParentColor(bool on) {
  parent_color_ = on;
  if (on) TakeParentLook();
}

void TControl::SetParentFont(bool on) {
  parent_font_ = on;
  if (on) TakeParentLook();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void TControl::SetHint(std::string hint) {
  hint_ = std::move(hint);
  HintChanged();
}

void TControl::SetShowHint(bool on) {
  parent_show_hint_ = false;
  if (on == show_hint_) return;
  show_hint_ = on;
  HintChanged();
  PassToChildren();
}

void TControl::SetParentShowHint(bool on) {
  parent_show_hint_ = on;
  if (on) TakeParentLook();
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  CursorChanged();
}

TPopupMenu* TControl::PopupMenu() const {
  return popup_menu_alive_.expired() ? nullptr : popup_menu_;
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  popup_menu_ = menu;
  popup_menu_alive_ = menu != nullptr ? menu->AliveToken() : std::weak_ptr<const bool>();
}

bool TControl::DialogChar(char key) {
  (void)key;
  return false;
}

std::string GetShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

bool IsAccel(char key, const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // "&&" is a plain "&"
      continue;
    }
    return common::cp1252::ToUpper(caption[i + 1]) == common::cp1252::ToUpper(key);
  }
  return false;
}

void TControl::TakeParentLook() {
  if (parent_ == nullptr) return;
  bool passed = false;
  if (parent_color_ && color_ != parent_->color_) {
    color_ = parent_->color_;
    ColorChanged();
    passed = true;
  }
  if (parent_font_ && !font_.SameLook(parent_->font_)) {
    taking_parent_look_ = true;
    font_ = parent_->font_;  // notifies: FontChanged and the children
    taking_parent_look_ = false;
  }
  if (parent_show_hint_ && show_hint_ != parent_->show_hint_) {
    show_hint_ = parent_->show_hint_;
    HintChanged();
    passed = true;
  }
  if (passed) PassToChildren();
}

void TControl::PassToChildren() {
  if (!IsWindowed()) return;
  for (TControl* child : static_cast<TWinControl*>(this)->Controls()) child->TakeParentLook();
}

void TControl::Invalidate() {
  if (parent_ != nullptr && visible_) parent_->Invalidate();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (parent_ != nullptr) parent_->Update();
}

void TControl::BringToFront() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.push_back(this);
  if (IsWindowed()) {
    if (QWidget* w = static_cast<TWinControl*>(this)->Window().widget) w->raise();
  }
  Invalidate();
}

void TControl::SendToBack() {
  if (parent_ == nullptr) return;
  auto& list = parent_->controls_;
  std::erase(list, this);
  list.insert(list.begin(), this);
  if (IsWindowed()) {
    if (QWidget* w = static_cast<TWinControl*>(this)->Window().widget) w->lower();
  }
  Invalidate();
}

void TControl::ChangeScale(int m, int d) {
  if (!parent_font_) font_.SetSize(MulDiv(font_.Size(), m, d));
  const int left = MulDiv(Left(), m, d);
  const int top = MulDiv(Top(), m, d);
  SetBounds(left, top, MulDiv(bounds_.Right, m, d) - left, MulDiv(bounds_.Bottom, m, d) - top);
}

std::int32_t TControl::Perform(std::uint32_t msg, std::uint32_t wparam, std::int32_t lparam,
                               std::string text) {
  TMessage m{msg, wparam, lparam, 0, std::move(text)};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& message) {
  if (OnMessage) OnMessage(this, message);
}

void TControl::Click() {
  const HandlerScope running(this);
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

}  // namespace platform::qt
