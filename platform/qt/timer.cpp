#include "platform/qt/timer.h"

#include <QTimer>

#include "platform/qt/form.h"
#include "platform/qt/handler_scope.h"
#include "platform/qt/impl/real_ticks.h"

namespace platform::qt {

namespace impl {

struct TimerData {
  QTimer timer;
};

namespace {
bool real_ticks_held = false;
}  // namespace

bool RealTicksHeld() { return real_ticks_held; }
void HoldRealTicks(bool held) { real_ticks_held = held; }

}  // namespace impl

TTimer::TTimer(TComponent* owner) : TComponent(owner), data_(std::make_unique<impl::TimerData>()) {
  QObject::connect(&data_->timer, &QTimer::timeout, [this] {
    if (!impl::RealTicksHeld()) Elapsed();
  });
}

void TTimer::Elapsed() {
  if (!on_timer_ || IsDestroying()) return;
  TForm* form = FormOf(this);
  if (waits_for_handlers_ && form != nullptr && form->HandlersRunning() > 0) {
    form->OweTick(this);
    return;
  }
  const HandlerScope running(form);
  on_timer_(this);
}

TTimer::~TTimer() {
  BeginDestroy();
  data_->timer.stop();
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  Restart();
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  Restart();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  on_timer_ = std::move(handler);
  Restart();
}

void TTimer::Restart() {
  if (enabled_ && interval_ > 0 && on_timer_) {
    data_->timer.start(interval_);
  } else {
    data_->timer.stop();
  }
}

}  // namespace platform::qt
