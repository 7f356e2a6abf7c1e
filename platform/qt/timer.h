// TTimer: calls OnTimer every Interval milliseconds from the message loop while Enabled and
// assigned. Interval 0 stops it. Freed with its owner; a freed timer never fires. Each tick runs
// as a handler of the timer's form (handler_scope.h); a timer that waits for handlers skips a
// tick that comes while another handler of its form runs (inside its message box or
// pending-message pass) and makes it up once as soon as the last of them ended.
#pragma once

#include <memory>

#include "platform/qt/control.h"

namespace platform::qt {

namespace impl {
struct TimerData;
}

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  // Re-reads OnTimer after it was assigned or cleared.
  void SetOnTimer(TNotifyEvent handler);
  const TNotifyEvent& OnTimer() const { return on_timer_; }
  bool WaitsForHandlers() const { return waits_for_handlers_; }
  void SetWaitsForHandlers(bool on) { waits_for_handlers_ = on; }
  // What the timer does when its interval is over (the test kit ticks a timer through it).
  void Elapsed();

 private:
  void Restart();

  bool enabled_ = true;
  bool waits_for_handlers_ = false;
  int interval_ = 1000;
  TNotifyEvent on_timer_;
  std::unique_ptr<impl::TimerData> data_;
};

}  // namespace platform::qt
