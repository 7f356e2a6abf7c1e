// TkvRadioGroup: a group box whose items are radio buttons, one per text, in one column or more
// (filled column by column), of which at most one is chosen.
//
// The buttons are components of the group, made anew by SetItems. OnClick fires when a button
// becomes chosen, by the user or by SetItemIndex (as the window system does), not while the
// form is loading.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/check_box.h"
#include "platform/qt/group_box.h"

namespace ui {

class TkvRadioGroup : public platform::qt::TGroupBox {
 public:
  explicit TkvRadioGroup(platform::qt::TComponent* owner);

  const std::vector<std::string>& Items() const { return items_; }
  // Replaces the buttons; none is chosen afterwards.
  void SetItems(const std::vector<std::string>& items);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  // The chosen item, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The button of item `index`; null outside the items.
  platform::qt::TRadioButton* Button(int index) const;
  // The height the group needs for its rows of buttons.
  int NeededHeight() const;

  void SetEnabled(bool enabled) override;
  // The buttons are arranged again once they are scaled too.
  void ChangeScale(int m, int d) override;

 protected:
  void Resize() override;

 private:
  void ArrangeButtons();

  std::vector<std::string> items_;
  std::vector<platform::qt::TRadioButton*> buttons_;  // owned by the group (components)
  int columns_ = 1;
};

}  // namespace ui
