#include "common/to_dates.h"

#include "common/dates.h"
#include "common/local_clock.h"
#include "platform/environment.h"

namespace common {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t m) {
  const std::int64_t q = a / m;
  return (a % m != 0 && (a < 0) != (m < 0)) ? q - 1 : q;
}

}  // namespace

void ToDates::SetDefaultDateMask(std::string_view mask) {
  default_date_mask_ = mask.substr(0, std::min(mask.size(), kMaxMaskLength));
}

void ToDates::SetDefaultTimeMask(std::string_view mask) {
  default_time_mask_ = mask.substr(0, std::min(mask.size(), kMaxMaskLength));
}

std::string ToDates::DateToDateString(std::int32_t date, std::string_view mask) const {
  return common::DateToDateString(date, mask, style_);
}

std::string ToDates::TimeToTimeString(std::int32_t time, std::string_view mask) const {
  return common::TimeToTimeString(time, mask, style_);
}

std::int32_t ToDates::TodayUtc() const {
  const platform::LocalTime now = platform::CurrentClock().Now();
  const std::int32_t today = DMYToDate(now.day, now.month, now.year);
  if (today == BadDate) return BadDate;
  // Whole days the UTC hour lies before or after the local day (for |offset| < 24: the day
  // before when local hour + offset < 0, the day after when it reaches 24).
  const std::int64_t shift = FloorDiv(std::int64_t{now.hour} + utc_hour_offset_, 24);
  const std::int64_t utc = today + shift;
  return utc >= 0 && utc <= kMaxDate ? static_cast<std::int32_t>(utc) : BadDate;
}

std::int32_t ToDates::NowUtc() const {
  const std::int64_t shifted = std::int64_t{CurrentTime()} + std::int64_t{utc_hour_offset_} * 3600;
  std::int64_t wrapped = shifted % kSecondsPerDay;
  if (wrapped < 0) wrapped += kSecondsPerDay;
  return static_cast<std::int32_t>(wrapped);
}

std::string ToDates::TodayString(std::string_view mask) const {
  return DateToDateString(Today(), mask);
}

std::string ToDates::TodayUtcString(std::string_view mask) const {
  return DateToDateString(TodayUtc(), mask);
}

std::string ToDates::NowString(std::string_view mask) const {
  return TimeToTimeString(CurrentTime(), mask);
}

std::string ToDates::NowUtcString(std::string_view mask) const {
  return TimeToTimeString(NowUtc(), mask);
}

}  // namespace common
