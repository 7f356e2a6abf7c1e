// Pop-up menus: TMenuItem and TPopupMenu, shown in a window of the layer's own (TPopupWindow),
// since the system's menus need column breaks and items that measure and draw themselves.
//
// Items form a tree under the menu's root item (`Items()`); a pop-up shows the root's visible
// items, without submenus. Items are made with an owner (the form or the menu), which frees
// them; an item made without an owner belongs to the item it is added to. A freed item leaves
// its parent's list.
//
// Columns: an item whose Break is mbBreak or mbBarBreak starts a new column (mbBarBreak with a
// line before it). Owner drawing: while the menu's OwnerDraw is set, an item with OnMeasureItem
// answers its size (starting from the layer's own size) and one with OnDrawItem paints itself
// into its rectangle on the menu's canvas (font and brush preset for the selected or plain
// look); other items use the layer's own measure and drawing.
//
// Clicks: choosing an item closes the menu, then runs its Click: a radio item is checked first
// (unchecking the radio items of its group among its siblings), then OnClick is called. Popup
// shows the menu and returns at once; the choice arrives later through the item's OnClick.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/control.h"

namespace platform::qt {

class TPopupWindow;

enum class TMenuBreak : std::uint8_t { mbNone, mbBreak, mbBarBreak };

using TMenuMeasureItemEvent =
    std::function<void(TComponent* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TComponent* sender, TCanvas& canvas, const TRect& rect, bool selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // A caption of "-" makes the item a separator line.
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the radio items of the same GroupIndex among its siblings.
  void SetChecked(bool on);
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool on) { radio_item_ = on; }
  std::uint8_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(std::uint8_t index) { group_index_ = index; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { visible_ = on; }
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak value) { break_ = value; }

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;  // null outside
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ != nullptr ? parent_->IndexOf(this) : -1; }
  // Adds at the end or before `index`; an item in another list moves here.
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  // Takes the item at `index` out of the list (not freed).
  void Delete(int index);
  void Remove(TMenuItem* item) { Delete(IndexOf(item)); }
  // Frees every item of the list.
  void Clear();

  // Checks a radio item, then calls OnClick. Disabled items do nothing.
  virtual void Click();

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

 private:
  std::string caption_;
  bool checked_ = false;
  bool radio_item_ = false;
  std::uint8_t group_index_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  TMenuBreak break_ = TMenuBreak::mbNone;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool on) { owner_draw_ = on; }
  // A right click on a control whose PopupMenu this is opens it (default on).
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool on) { auto_popup_ = on; }

  // Shows the menu with its top-left corner at the screen point (moved to stay on the screen);
  // an open menu of any other pop-up closes first. Returns at once. A menu without a visible
  // item shows nothing.
  void Popup(int x, int y);
  // Closes the open menu without a click.
  void CloseMenu();
  bool IsShowing() const;
  // The open menu's window (to drive it in tests), null while closed.
  TPopupWindow* Window() const;

 private:
  std::unique_ptr<TMenuItem> items_;
  std::unique_ptr<TPopupWindow> window_;
  bool owner_draw_ = false;
  bool auto_popup_ = true;
};

}  // namespace platform::qt
