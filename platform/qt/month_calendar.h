// TMonthCalendar: the window system's month calendar, with German month and day names and the
// week starting on Monday. Dates are the system's day numbers (common/dates.h).
//
// OnClick fires when the user picks a day, OnDblClick when the user double-clicks a day (or
// presses Enter on it); setting Date calls nothing.
#pragma once

#include <cstdint>

#include "platform/qt/win_control.h"

namespace platform::qt {

class TMonthCalendar : public TWinControl {
 public:
  explicit TMonthCalendar(TComponent* owner);

  std::int32_t Date() const;
  // A day number outside the calendar's years is ignored.
  void SetDate(std::int32_t date);
  // Sizes the control to what the calendar needs (now, and when the font changes).
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);
  // Kept for the windows that set them.
  bool ShowTodayCircle() const { return show_today_circle_; }
  void SetShowTodayCircle(bool on) { show_today_circle_ = on; }
  TColor MonthBackColor() const { return month_back_color_; }
  void SetMonthBackColor(TColor colour);
  bool TakesFocusOnClick() const override { return true; }

 protected:
  void FontChanged() override;
  void ColorChanged() override;

 private:
  void FitSize();
  void ApplyMonthColor();

  bool auto_size_ = false;
  bool show_today_circle_ = true;
  TColor month_back_color_ = 0x80000005;  // clWindow
};

}  // namespace platform::qt
