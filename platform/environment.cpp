#include "platform/environment.h"

#include <time.h>

#include <chrono>
#include <random>
#include <thread>

namespace platform {
namespace {

class SystemClock final : public Clock {
 public:
  LocalTime Now() const override {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    LocalTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second reads as :59
    t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
    return t;
  }
  int UtcBiasMinutes() const override {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return static_cast<int>(-local.tm_gmtoff / 60);
  }
  std::uint64_t MonotonicMs() const override {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
};

class SystemSleeper final : public Sleeper {
 public:
  void SleepMs(std::uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

class SystemRandom final : public Random {
 public:
  std::uint32_t Below(std::uint32_t bound) override {
    if (bound == 0) return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(engine_);
  }

 private:
  std::mt19937 engine_{std::random_device{}()};
};

SystemClock system_clock;
SystemSleeper system_sleeper;
SystemRandom system_random;

Clock* current_clock = &system_clock;
Sleeper* current_sleeper = &system_sleeper;
Random* current_random = &system_random;

}  // namespace

Clock& CurrentClock() { return *current_clock; }
Sleeper& CurrentSleeper() { return *current_sleeper; }
Random& CurrentRandom() { return *current_random; }

ScopedEnvironment::ScopedEnvironment(Clock* clock, Sleeper* sleeper, Random* random)
    : previous_clock_(current_clock),
      previous_sleeper_(current_sleeper),
      previous_random_(current_random) {
  if (clock != nullptr) current_clock = clock;
  if (sleeper != nullptr) current_sleeper = sleeper;
  if (random != nullptr) current_random = random;
}

ScopedEnvironment::~ScopedEnvironment() {
  current_clock = previous_clock_;
  current_sleeper = previous_sleeper_;
  current_random = previous_random_;
}

}  // namespace platform
