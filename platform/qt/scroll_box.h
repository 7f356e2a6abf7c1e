// TScrollBox: a container whose children may reach beyond its area; scroll bars appear along the
// edge that they pass and move the children (their Left and Top change, as the framework's
// scroll box moves them). The range follows the children (AutoScroll): the farthest right and
// bottom edge of the unaligned visible children, at scroll position 0. BorderStyle bsSingle
// (default) draws a sunken frame inside the box.
#pragma once

#include <memory>

#include "platform/qt/panel.h"
#include "platform/qt/win_control.h"

namespace platform::qt {

class TScrollBox;
namespace impl {
struct ScrollBoxBars;
}

// One scroll bar of a scroll box.
class TControlScrollBar {
 public:
  TControlScrollBar(TScrollBox& box, bool horizontal) : box_(box), horizontal_(horizontal) {}
  // How far the children are scrolled (pixels), 0 up to Range minus the visible extent.
  int Position() const { return position_; }
  void SetPosition(int position);
  // The extent of the contents; AutoScroll recomputes it.
  int Range() const { return range_; }
  void SetRange(int range);
  // Pixels per arrow click.
  int Increment() const { return increment_; }
  void SetIncrement(int increment);
  bool IsScrollBarVisible() const { return shown_; }

 private:
  friend class TScrollBox;
  TScrollBox& box_;
  bool horizontal_;
  int position_ = 0;
  int range_ = 0;
  int increment_ = 8;
  bool shown_ = false;
};

class TScrollBox : public TCustomControl {
 public:
  explicit TScrollBox(TComponent* owner);
  ~TScrollBox() override;

  TControlScrollBar& HorzScrollBar() { return horz_; }
  TControlScrollBar& VertScrollBar() { return vert_; }
  bool AutoScroll() const { return auto_scroll_; }
  void SetAutoScroll(bool on);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle style);

  // The area inside the scroll bars.
  TRect ClientRect() const override;
  void AdjustClientRect(TRect& r) const override;
  void Paint() override;
  // Moves the unaligned children by (dx, dy).
  void ScrollBy(int dx, int dy);
  // Recomputes ranges, shows or hides the bars and places them.
  void UpdateScrollBars();

 protected:
  void ChildListChanged() override { UpdateScrollBars(); }
  void ChildBoundsChanged() override { UpdateScrollBars(); }
  void Resize() override;

 private:
  friend class TControlScrollBar;
  int Border() const { return border_style_ == TBorderStyle::bsSingle ? 2 : 0; }
  void ScrollTo(TControlScrollBar& bar, int position);

  TControlScrollBar horz_{*this, true};
  TControlScrollBar vert_{*this, false};
  bool auto_scroll_ = true;
  TBorderStyle border_style_ = TBorderStyle::bsSingle;
  int updating_ = 0;
  std::unique_ptr<impl::ScrollBoxBars> bars_;  // the window system's bars, in the box's window
};

}  // namespace platform::qt
