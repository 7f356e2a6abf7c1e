// Clock, sleep and random numbers of the process, injectable for tests.
//
// Everything in the system that waits, reads the time or draws a random number goes through the
// current instances below, so retry and wait rules are tested with fakes instead of real waiting.
// The program uses the system instances; a test installs its own with ScopedEnvironment and gets
// the previous ones back when the scope ends. Single-threaded, like the whole program.
#pragma once

#include <cstdint>

namespace platform {

// Local wall-clock time broken down; month 1..12, millisecond 0..999.
struct LocalTime {
  int year = 1600;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
  // Minutes to add to local time to get UTC, daylight saving included (-60 in CET, -120 in CEST).
  virtual int UtcBiasMinutes() const = 0;
  // A steadily increasing count of milliseconds, for measuring waits.
  virtual std::uint64_t MonotonicMs() const = 0;
};

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMs(std::uint32_t ms) = 0;
};

class Random {
 public:
  virtual ~Random() = default;
  // A number in 0..bound-1; 0 when bound is 0.
  virtual std::uint32_t Below(std::uint32_t bound) = 0;
};

Clock& CurrentClock();
Sleeper& CurrentSleeper();
Random& CurrentRandom();

// Installs the given services (nullptr keeps the current one) for the lifetime of the object.
// The caller keeps ownership; the objects must outlive the scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(Clock* clock, Sleeper* sleeper, Random* random);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  Clock* previous_clock_;
  Sleeper* previous_sleeper_;
  Random* previous_random_;
};

}  // namespace platform
