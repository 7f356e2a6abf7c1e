#include "platform/environment.h"

#include <gtest/gtest.h>

#include "platform/fake_environment.h"

namespace platform {
namespace {

TEST(Environment, ScopedFakesAreUsedAndRestored) {
  Clock* system = &CurrentClock();
  {
    FakeClock clock;
    FakeSleeper sleeper(&clock);
    FakeRandom random;
    random.script = {7, 12};
    ScopedEnvironment scope(&clock, &sleeper, &random);
    CurrentSleeper().SleepMs(30);
    EXPECT_EQ(CurrentClock().MonotonicMs(), 30u);
    EXPECT_EQ(CurrentRandom().Below(10), 7u);
    EXPECT_EQ(CurrentRandom().Below(10), 2u);
  }
  EXPECT_EQ(&CurrentClock(), system);
  const LocalTime t = CurrentClock().Now();  // the system clock's local time
  EXPECT_TRUE(t.year >= 2024 && t.month >= 1 && t.month <= 12 && t.millisecond <= 999);
  EXPECT_LT(CurrentRandom().Below(5), 5u);
}

}  // namespace
}  // namespace platform
