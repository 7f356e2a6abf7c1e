// TPopupWindow: the window of an open pop-up menu (see menus.h). It lays the menu's visible
// items out in columns, draws them (through the items' OnDrawItem while the menu is owner-drawn)
// and takes the mouse and the keys:
// - Up and Down step through the items (separators skipped, wrapping round), Home and End go to
//   the first and last; Left and Right go to the item of the previous or next column that lies
//   level with the selected one (wrapping round the columns);
// - Enter clicks the selected item, Esc closes without a click;
// - a letter or digit clicks the one item whose caption marks it with "&" (selects the next of
//   several);
// - the mouse selects the item under it; releasing the button on an enabled item clicks it; a
//   press outside the window closes the menu without a click.
// Disabled items can be selected but not clicked.
#pragma once

#include <memory>
#include <vector>

#include "platform/qt/menu_layout.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

class TPopupMenu;
class TMenuItem;

class TPopupWindow : public TWinControl {
 public:
  explicit TPopupWindow(TPopupMenu& menu);
  ~TPopupWindow() override;

  // Lays the menu out and shows it at the screen point.
  void Open(int x, int y);
  void Close();
  bool IsOpen() const { return open_; }
  // Closes whatever pop-up menu is open in the application.
  static void CloseOpenMenu();

  TPopupMenu& Menu() const { return menu_; }
  // The shown items in order, the selected one (null for none) and an item's rectangle in the
  // window (empty for an item not shown).
  std::vector<TMenuItem*> ShownItems() const;
  TMenuItem* Selected() const;
  void Select(TMenuItem* item);
  TRect ItemRect(const TMenuItem* item) const;
  int ColumnCount() const;

  void Paint() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

  // Layer-internal: the window system hid the window (a click elsewhere, another window).
  void WindowHidden();

 protected:
  void PaintBackground(TCanvas& canvas) override { (void)canvas; }

 private:
  struct Entry {
    TMenuItem* item;
    std::weak_ptr<const bool> alive;
  };
  bool Alive(int index) const;
  int IndexAt(int x, int y) const;
  void SelectIndex(int index);
  void Step(int delta);
  void StepColumn(int delta);
  void Accelerator(char key);
  void Choose(int index);
  void MeasureItems(std::vector<MenuCell>& cells);
  void DrawItem(int index);
  void DrawOwnItem(TMenuItem& item, const TRect& rect, bool selected);

  TPopupMenu& menu_;
  std::vector<Entry> entries_;
  MenuGeometry geometry_;
  int selected_ = -1;
  bool open_ = false;
};

}  // namespace platform::qt
