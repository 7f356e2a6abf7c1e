#include "platform/qt/testkit/ticks.h"

#include "platform/qt/impl/real_ticks.h"

namespace platform::qt::testkit {

void HoldRealTicks() { impl::HoldRealTicks(true); }

RealTicks::RealTicks() : held_before_(impl::RealTicksHeld()) { impl::HoldRealTicks(false); }

RealTicks::~RealTicks() { impl::HoldRealTicks(held_before_); }

}  // namespace platform::qt::testkit
