// TListBox: a list of text entries on the window system's list view.
//
// ItemIndex is the current entry (-1 none). With MultiSelect the user may select several
// entries (Shift and Ctrl), read through Selected(i). OnClick fires when the user moves the
// current entry (mouse or keys), OnDblClick on a double click on an entry; changes made by the
// program call nothing.
//
// Dragging (drag.h): with DragMode dmAutomatic, the left button pressed on an entry makes it
// the current one, and moving the mouse 5 pixels with the button held drags; the current entry
// stays the pressed one while the mouse moves over other entries. Where the button
// comes up, the list box under the mouse (this one or another of the same window) gets
// OnDragOver with this box as the source and, when it accepts, OnDragDrop at its client
// point; a box without OnDragOver takes no drop. OnEndDrag tells this box the target (null
// when nothing was dropped).
#pragma once

#include <memory>

#include "platform/qt/drag.h"
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

  TDragMode DragMode() const { return drag_mode_; }
  void SetDragMode(TDragMode mode) { drag_mode_ = mode; }
  bool Dragging() const { return dragging_; }
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool TakesFocusOnClick() const override { return true; }

 private:
  // The list box of this window under the screen point, null when none.
  TListBox* DropTargetAt(TPoint screen) const;
  void Drop(int x, int y);

  friend class ListItems;
  friend class ListMouseFilter;
  std::unique_ptr<TStrings> items_;
  bool multi_select_ = false;
  int quiet_ = 0;  // inside a change made by the program
  TDragMode drag_mode_ = TDragMode::dmManual;
  bool drag_pending_ = false;  // the button is down on an entry, the mouse has not moved far
  bool dragging_ = false;
  TPoint drag_from_{};
  std::unique_ptr<class ListMouseFilter> mouse_filter_;
};

}  // namespace platform::qt
