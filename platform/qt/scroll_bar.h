// TScrollBar: the window system's scroll bar, with the framework's scroll codes.
//
// Every user action calls OnScroll with its code and the position it leads to; the handler may
// change that position, and the bar then takes it:
// - the arrows (and the arrow keys): scLineUp / scLineDown by SmallChange, repeated while held;
// - the trough (and Page Up / Page Down): scPageUp / scPageDown by LargeChange, repeated;
// - dragging the thumb: scTrack for each move, scPosition where it is let go;
// - Home and End: scTop and scBottom;
// and when the button or key comes up, scEndScroll at the final position. OnChange follows every
// change of Position, by the user or the program. Up means towards Min (left or up).
// With a PageSize the thumb shows that share of the range and Position goes up to Max -
// PageSize + 1.
#pragma once

#include <functional>

#include "platform/qt/win_control.h"

namespace platform::qt {

enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };
enum class TScrollCode : std::uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};

using TScrollEvent = std::function<void(TComponent* sender, TScrollCode code, int& position)>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int value) { SetParams(position_, value, max_); }
  void SetMax(int value) { SetParams(position_, min_, value); }
  void SetPosition(int value) { SetParams(value, min_, max_); }
  // All three at once (the position kept within the range).
  void SetParams(int position, int min, int max);
  int SmallChange() const { return small_change_; }
  void SetSmallChange(int value) { small_change_ = value; }
  int LargeChange() const { return large_change_; }
  void SetLargeChange(int value) { large_change_ = value; }
  int PageSize() const { return page_size_; }
  void SetPageSize(int value);

  bool WantsChars() const override { return false; }
  // As the window system's bar: only a bar with a tab stop takes the focus from a press.
  bool TakesFocusOnClick() const override { return TabStop(); }
  // The arrows, Page Up and Down, Home and End scroll as the framework's bar scrolls.
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  virtual void Scroll(TScrollCode code, int& position);
  virtual void Change();
  TScrollEvent OnScroll;
  TNotifyEvent OnChange;

  // Layer-internal: the native bar reports an action (Qt's code), the end of a press, a drag.
  void NativeAction(int action);
  void NativeEnd();

 private:
  int HighestPosition() const;
  void Apply();

  TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int small_change_ = 1;
  int large_change_ = 1;
  int page_size_ = 0;
  bool acting_ = false;  // a press or key is under way (scEndScroll follows)
  int applying_ = 0;
};

}  // namespace platform::qt
