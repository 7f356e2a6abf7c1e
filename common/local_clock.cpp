#include "common/local_clock.h"

#include "common/dates.h"
#include "platform/environment.h"

namespace common {

std::int32_t Today() {
  const platform::LocalTime now = platform::CurrentClock().Now();
  return DMYToDate(now.day, now.month, now.year);
}

std::int32_t CurrentTime() {
  const platform::LocalTime now = platform::CurrentClock().Now();
  return HMSToTime(now.hour, now.minute, now.second);
}

int UtcBiasMinutes() { return platform::CurrentClock().UtcBiasMinutes(); }

std::uint16_t MillisecondsSince(int hours, int minutes, int seconds, int milliseconds) {
  constexpr std::int64_t kMsPerDay = std::int64_t{kSecondsPerDay} * 1000;
  const platform::LocalTime now = platform::CurrentClock().Now();
  const std::int64_t now_ms =
      (std::int64_t{now.hour} * 3600 + now.minute * 60 + now.second) * 1000 + now.millisecond;
  const std::int64_t then_ms =
      (std::int64_t{hours} * 3600 + std::int64_t{minutes} * 60 + seconds) * 1000 + milliseconds;
  std::int64_t elapsed = (now_ms - then_ms) % kMsPerDay;
  if (elapsed < 0) elapsed += kMsPerDay;
  // A span beyond 16 bits saturates rather than wrapping to a short one.
  return static_cast<std::uint16_t>(elapsed > 0xFFFF ? 0xFFFF : elapsed);
}

}  // namespace common
