#include "ui/radio_group.h"

#include <algorithm>

namespace ui {
namespace {

// The buttons' place inside the frame (below the caption line).
constexpr int kTop = 18;
constexpr int kSide = 8;
constexpr int kRowHeight = 19;
constexpr int kBottom = 6;

}  // namespace

TkvRadioGroup::TkvRadioGroup(platform::qt::TComponent* owner) : platform::qt::TGroupBox(owner) {}

void TkvRadioGroup::SetItems(const std::vector<std::string>& items) {
  for (platform::qt::TRadioButton* button : buttons_) delete button;
  buttons_.clear();
  items_ = items;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    auto* button = new platform::qt::TRadioButton(this);
    button->SetName(Name() + "Item" + std::to_string(i));
    button->SetParent(this);
    button->SetCaption(items_[i]);
    button->SetEnabled(Enabled());
    const int index = static_cast<int>(i);
    button->OnClick = [this, index](platform::qt::TComponent*) {
      if (ItemIndex() == index && OnClick) OnClick(this);
    };
    buttons_.push_back(button);
  }
  ArrangeButtons();
}

void TkvRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  ArrangeButtons();
}

int TkvRadioGroup::ItemIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  }
  return -1;
}

void TkvRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < static_cast<int>(buttons_.size())) {
    buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
    return;
  }
  for (platform::qt::TRadioButton* button : buttons_) button->SetChecked(false);
}

platform::qt::TRadioButton* TkvRadioGroup::Button(int index) const {
  if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
  return buttons_[static_cast<std::size_t>(index)];
}

int TkvRadioGroup::NeededHeight() const {
  const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
  return kTop + rows * kRowHeight + kBottom;
}

void TkvRadioGroup::SetEnabled(bool enabled) {
  platform::qt::TGroupBox::SetEnabled(enabled);
  for (platform::qt::TRadioButton* button : buttons_) button->SetEnabled(enabled);
}

void TkvRadioGroup::ChangeScale(int m, int d) {
  platform::qt::TGroupBox::ChangeScale(m, d);
  ArrangeButtons();
}

void TkvRadioGroup::Resize() {
  platform::qt::TGroupBox::Resize();
  ArrangeButtons();
}

void TkvRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
  const int column_width = std::max(1, (Width() - 2 * kSide) / columns_);
  // The rows share the group's height, so that they follow the group when the form scales.
  const int row_height = std::max(kRowHeight, (Height() - kTop - kBottom) / rows);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    buttons_[i]->SetBounds(kSide + column * column_width, kTop + row * row_height,
                           column_width - kSide, row_height - 2);
  }
}

}  // namespace ui
