// TTimer: calls OnTimer every Interval milliseconds from the message loop while Enabled and
// assigned. Interval 0 stops it. Freed with its owner; a freed timer never fires.
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

 private:
  void Restart();

  bool enabled_ = true;
  int interval_ = 1000;
  TNotifyEvent on_timer_;
  std::unique_ptr<impl::TimerData> data_;
};

}  // namespace platform::qt
