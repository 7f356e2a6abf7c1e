// Timer ticks in window tests. The window tests' main() holds the window system's own ticks back:
// a timer ticks only when a test calls its Elapsed(), so that no test depends on the wall clock
// or on the machine's load. A test of the real ticks lets them through while a RealTicks lives.
#pragma once

namespace platform::qt::testkit {

void HoldRealTicks();

// What the window system's timer does for the keyboard: a key that waited to be told from a run
// of typing (typed_ahead_guard.h) is delivered if its wait is over on the clock service.
void TickKeyboard();

class RealTicks {
 public:
  RealTicks();
  ~RealTicks();
  RealTicks(const RealTicks&) = delete;
  RealTicks& operator=(const RealTicks&) = delete;

 private:
  bool held_before_;
};

}  // namespace platform::qt::testkit
