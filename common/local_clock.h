// The local clock as day numbers and seconds of the day, read through platform::CurrentClock().
#pragma once

#include <cstdint>

namespace common {

// Today's local date as a day number (BadDate when the clock lies outside 1600..3999).
std::int32_t Today();
// The current local time of day in seconds.
std::int32_t CurrentTime();

// Minutes to add to local time to get UTC, as the platform reports them for the moment (daylight
// saving included): -60 in CET, -120 in CEST.
int UtcBiasMinutes();

// Milliseconds from the given local time of day to now (through midnight when that time lies
// after now), as a 16-bit value: 65535 for that or any longer span.
std::uint16_t MillisecondsSince(int hours, int minutes, int seconds, int milliseconds);

}  // namespace common
