#include "platform/qt/testkit/ticks.h"

#include "platform/qt/impl/real_ticks.h"
#include "platform/qt/impl/typed_ahead_keys.h"

namespace platform::qt::testkit {

void HoldRealTicks() { impl::HoldRealTicks(true); }

void TickKeyboard() { impl::TickTypedAheadKeys(); }

RealTicks::RealTicks() : held_before_(impl::RealTicksHeld()) { impl::HoldRealTicks(false); }

RealTicks::~RealTicks() { impl::HoldRealTicks(held_before_); }

}  // namespace platform::qt::testkit
