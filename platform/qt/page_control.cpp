#include "platform/qt/page_control.h"

#include <algorithm>

#include "platform/qt/colors.h"

namespace platform::qt {
namespace {

constexpr int kTabMargin = 6;   // either side of a tab's caption
constexpr int kButtonGap = 3;   // between the tabs of a button style
constexpr int kFrameWidth = 2;  // the frame of the page area under tabs
constexpr int kPageGap = 3;     // between a button row and the page

bool IsButtonStyle(TTabStyle style) { return style != TTabStyle::tsTabs; }

}  // namespace

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetAlign(TAlign::alClient);
  SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* control) { SetParent(control); }

int TTabSheet::PageIndex() const {
  const TPageControl* control = PageControl();
  if (control == nullptr) return -1;
  const std::vector<TTabSheet*> pages = control->Pages();
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::TextChanged() {
  if (TPageControl* control = PageControl()) control->Invalidate();
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

std::vector<TTabSheet*> TPageControl::Pages() const {
  std::vector<TTabSheet*> pages;
  for (TControl* child : Controls()) {
    if (auto* page = dynamic_cast<TTabSheet*>(child)) pages.push_back(page);
  }
  return pages;
}

TTabSheet* TPageControl::Page(int index) const {
  const std::vector<TTabSheet*> pages = Pages();
  return index >= 0 && index < static_cast<int>(pages.size()) ? pages[index] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == nullptr || page->Parent() != this) return;
  active_ = page;
  ShowOnlyActive();
  Invalidate();
}

int TPageControl::ActivePageIndex() const { return active_ != nullptr ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) { SetActivePage(Page(index)); }

void TPageControl::SetStyle(TTabStyle style) {
  style_ = style;
  Realign();
  Invalidate();
}

void TPageControl::SetTabHeight(int height) {
  tab_height_ = std::max(0, height);
  Realign();
  Invalidate();
}

int TPageControl::TabRowHeight() const {
  if (tab_height_ > 0) return tab_height_;
  TCanvas& c = const_cast<TPageControl*>(this)->Canvas();
  c.Font = Font();
  return c.TextHeight("0") + 6;
}

TRect TPageControl::TabRect(int index) {
  TCanvas& c = Canvas();
  c.Font = Font();
  const std::vector<TTabSheet*> pages = Pages();
  const int gap = IsButtonStyle(style_) ? kButtonGap : 0;
  const int top = IsButtonStyle(style_) ? 0 : kFrameWidth;
  int left = IsButtonStyle(style_) ? 0 : kFrameWidth;
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
    const int width = c.TextWidth(pages[i]->Caption()) + 2 * kTabMargin;
    if (i == index) return {left, top, left + width, top + TabRowHeight()};
    left += width + gap;
  }
  return {};
}

int TPageControl::IndexOfTabAt(int x, int y) {
  for (int i = 0; i < PageCount(); ++i) {
    const TRect tab = TabRect(i);
    if (tab.Right > Width()) break;
    if (x >= tab.Left && x < tab.Right && y >= tab.Top && y < tab.Bottom) return i;
  }
  return -1;
}

void TPageControl::AdjustClientRect(TRect& r) const {
  if (IsButtonStyle(style_)) {
    r.Top += TabRowHeight() + kPageGap;
  } else {
    r.Top += kFrameWidth + TabRowHeight();
    r = Inflated(r, -kFrameWidth, 0);
    r.Top += kFrameWidth;
    r.Bottom -= kFrameWidth;
  }
  r.Bottom = std::max(r.Bottom, r.Top);
}

void TPageControl::Paint() {
  TCanvas& c = Canvas();
  c.Brush = {Color(), TBrushStyle::bsSolid};
  c.FillRect(ClientRect());
  if (style_ == TTabStyle::tsTabs) {
    TRect frame{0, kFrameWidth + TabRowHeight(), Width(), Height()};
    c.DrawEdge(frame, EDGE_RAISED, BF_RECT);
  }
  const std::vector<TTabSheet*> pages = Pages();
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
    TRect tab = TabRect(i);
    if (tab.Right > Width()) break;
    const bool active = pages[i] == active_;
    switch (style_) {
      case TTabStyle::tsTabs: {
        // The active tab stands a little higher and opens into the page below it.
        if (active) {
          tab = {tab.Left - kFrameWidth, 0, tab.Right + kFrameWidth, tab.Bottom + 1};
          c.FillRect(tab);
        }
        TRect edge = tab;
        c.DrawEdge(edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        break;
      }
      case TTabStyle::tsButtons: {
        TRect edge = tab;
        c.DrawEdge(edge, active ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        break;
      }
      case TTabStyle::tsFlatButtons:
        if (active) {
          TRect edge = tab;
          c.DrawEdge(edge, BDR_SUNKENOUTER, BF_RECT);
        }
        break;
    }
    c.Font = Font();
    if (!Enabled()) c.Font.SetColor(clGrayText);
    c.Brush.Style = TBrushStyle::bsClear;
    TRect text = tab;
    if (active && IsButtonStyle(style_)) {
      text = {tab.Left + 1, tab.Top + 1, tab.Right + 1, tab.Bottom + 1};  // pressed
    }
    c.DrawText(pages[i]->Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  TTabSheet* page = Page(IndexOfTabAt(x, y));
  if (page == nullptr || page == active_) return;
  SetActivePage(page);
  if (OnChange) OnChange(this);
}

void TPageControl::ChildListChanged() {
  const std::vector<TTabSheet*> pages = Pages();
  if (std::find(pages.begin(), pages.end(), active_) == pages.end()) active_ = nullptr;
  if (active_ == nullptr) {
    for (TTabSheet* page : pages) {
      if (std::find(known_pages_.begin(), known_pages_.end(), page) == known_pages_.end()) {
        active_ = page;
        break;
      }
    }
  }
  known_pages_ = pages;
  ShowOnlyActive();
  Invalidate();
}

void TPageControl::FontChanged() {
  TCustomControl::FontChanged();
  Realign();
}

void TPageControl::ShowOnlyActive() {
  for (TTabSheet* page : Pages()) page->SetVisible(page == active_);
}

}  // namespace platform::qt
