#include "platform/qt/menus.h"

#include <algorithm>

#include "platform/qt/handler_scope.h"
#include "platform/qt/popup_window.h"

namespace platform::qt {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  BeginDestroy();
  if (parent_ != nullptr) parent_->Delete(parent_->IndexOf(this));
  const std::vector<TMenuItem*> items = items_;
  items_.clear();
  for (TMenuItem* item : items) {
    item->parent_ = nullptr;
    if (item->Owner() == nullptr) delete item;
  }
}

void TMenuItem::SetChecked(bool on) {
  checked_ = on;
  if (!on || !radio_item_ || parent_ == nullptr) return;
  for (TMenuItem* sibling : parent_->items_) {
    if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_) {
      sibling->checked_ = false;
    }
  }
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr || item == this) return;
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_[static_cast<std::size_t>(index)]->parent_ = nullptr;
  items_.erase(items_.begin() + index);
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    Delete(Count() - 1);
    delete item;
  }
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (radio_item_) SetChecked(true);
  const HandlerScope running(this);
  if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  BeginDestroy();
  window_.reset();
  items_.reset();
}

void TPopupMenu::Popup(int x, int y) {
  TPopupWindow::CloseOpenMenu();
  if (!window_) window_ = std::make_unique<TPopupWindow>(*this);
  window_->Open(x, y);
}

void TPopupMenu::CloseMenu() {
  if (window_) window_->Close();
}

bool TPopupMenu::IsShowing() const { return window_ && window_->IsOpen(); }

TPopupWindow* TPopupMenu::Window() const { return IsShowing() ? window_.get() : nullptr; }

}  // namespace platform::qt
