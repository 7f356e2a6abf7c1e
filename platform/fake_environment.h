// Fakes of the process services for tests: a settable clock, a sleeper that only advances that
// clock and records every wait, and a random source that answers from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/environment.h"

namespace platform {

class FakeClock final : public Clock {
 public:
  LocalTime now;
  int utc_bias_minutes = -60;
  std::uint64_t monotonic_ms = 0;

  LocalTime Now() const override { return now; }
  int UtcBiasMinutes() const override { return utc_bias_minutes; }
  std::uint64_t MonotonicMs() const override { return monotonic_ms; }
};

// A fake clock that is the clock service while it lives: it stands at the date and time the clock
// service told before it and at `monotonic_ms`, and a test moves it on from there.
class ScopedFakeClock {
 public:
  explicit ScopedFakeClock(std::uint64_t monotonic_ms)
      : clock(Standing(monotonic_ms)), environment_(&clock, nullptr, nullptr) {}

  FakeClock clock;

 private:
  static FakeClock Standing(std::uint64_t monotonic_ms) {
    FakeClock standing;
    standing.now = CurrentClock().Now();
    standing.utc_bias_minutes = CurrentClock().UtcBiasMinutes();
    standing.monotonic_ms = monotonic_ms;
    return standing;
  }

  ScopedEnvironment environment_;
};

class FakeSleeper final : public Sleeper {
 public:
  explicit FakeSleeper(FakeClock* clock = nullptr) : clock_(clock) {}
  std::vector<std::uint32_t> sleeps;

  void SleepMs(std::uint32_t ms) override {
    sleeps.push_back(ms);
    if (clock_ != nullptr) clock_->monotonic_ms += ms;
  }
  std::uint64_t TotalMs() const {
    std::uint64_t total = 0;
    for (auto ms : sleeps) total += ms;
    return total;
  }

 private:
  FakeClock* clock_;
};

// Answers the scripted values in turn (each taken modulo the bound), then a fixed fraction of
// the bound: the largest value when `high` is set, else 0.
class FakeRandom final : public Random {
 public:
  std::deque<std::uint32_t> script;
  bool high = false;
  std::vector<std::uint32_t> bounds;  // every bound asked for

  std::uint32_t Below(std::uint32_t bound) override {
    bounds.push_back(bound);
    if (bound == 0) return 0;
    if (!script.empty()) {
      const std::uint32_t v = script.front();
      script.pop_front();
      return v % bound;
    }
    return high ? bound - 1 : 0;
  }
};

}  // namespace platform
