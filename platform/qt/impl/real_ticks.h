// Whether the window system's ticks reach the timers (layer-internal). The window tests hold them
// back, so that a timer ticks only when a test calls its Elapsed() (testkit/ticks.h).
#pragma once

namespace platform::qt::impl {

bool RealTicksHeld();
void HoldRealTicks(bool held);

}  // namespace platform::qt::impl
