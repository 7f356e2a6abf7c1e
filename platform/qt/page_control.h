// TPageControl and TTabSheet: pages lying one over the other, with a row of tabs at the top to
// choose the page that shows. Drawn by the layer.
//
// A tab sheet becomes a page when its parent is a page control (SetPageControl); the pages are
// the control's tab-sheet children in child order, and a page's tab shows its Caption. The first
// page to arrive becomes the active page; only the active page is visible, and it fills the
// client area below the tab row. A page taken away (freed or moved) leaves no active page when
// it was the active one.
//
// Tabs are as wide as their caption plus a margin, side by side from the left; tabs beyond the
// control's width are not drawn and cannot be clicked (there is no scrolling of the tab row).
// TabHeight 0 takes the font's height. Styles: tsTabs draws tabs over a framed page area,
// tsButtons raised buttons, tsFlatButtons plain captions; the active tab of a button style is
// drawn pressed. A click on a tab makes its page active and then calls OnChange; setting the
// active page in code calls no event.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/qt/win_control.h"

namespace platform::qt {

class TPageControl;

enum class TTabStyle : std::uint8_t { tsTabs, tsButtons, tsFlatButtons };

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);

  // The page control whose page the sheet is (its parent), or null.
  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* control);
  // The sheet's place among its control's pages; -1 without a control.
  int PageIndex() const;

 protected:
  void TextChanged() override;
};

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* owner);

  int PageCount() const { return static_cast<int>(Pages().size()); }
  // The pages in their order.
  std::vector<TTabSheet*> Pages() const;
  TTabSheet* Page(int index) const;
  TTabSheet* ActivePage() const { return active_; }
  // Shows `page` (one of this control's pages; anything else is ignored) and hides the others.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  int TabHeight() const { return tab_height_; }
  void SetTabHeight(int height);
  // Where the tab of page `index` is drawn, in client coordinates.
  TRect TabRect(int index);
  // The page at a client point on the tab row; -1 when no tab is there.
  int IndexOfTabAt(int x, int y);

  void AdjustClientRect(TRect& r) const override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  bool TakesFocusOnClick() const override { return true; }

  TNotifyEvent OnChange;

 protected:
  void ChildListChanged() override;
  void FontChanged() override;

 private:
  int TabRowHeight() const;
  void ShowOnlyActive();

  std::vector<TTabSheet*> known_pages_;
  TTabSheet* active_ = nullptr;
  TTabStyle style_ = TTabStyle::tsTabs;
  int tab_height_ = 0;
};

}  // namespace platform::qt
