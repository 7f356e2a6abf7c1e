// TListBox: a list of text entries on the window system's list view.
//
// ItemIndex is the current entry (-1 none). With MultiSelect the user may select several
// entries (Shift and Ctrl), read through Selected(i). OnClick fires when the user moves the
// current entry (mouse or keys), OnDblClick on a double click on an entry; changes made by the
// program call nothing.
#pragma once

#include <memory>

#include "platform/qt/strings.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* owner);
  ~TListBox() override;

  TStrings& Items() { return *items_; }
  const TStrings& Items() const { return *items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);
  void Clear();
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool on);
  bool Selected(int index) const;
  void SetSelected(int index, bool on);
  int SelCount() const;
  // The first entry shown.
  int TopIndex() const;
  void SetTopIndex(int index);
  int ItemHeight() const;
  // The entry at a client point, -1 for none.
  int ItemAtPos(TPoint p) const;

 private:
  friend class ListItems;
  std::unique_ptr<TStrings> items_;
  bool multi_select_ = false;
  int quiet_ = 0;  // inside a change made by the program
};

}  // namespace platform::qt
