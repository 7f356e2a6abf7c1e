// ToDates: the settings of the date and time routines, and the routines that depend on them.
//
// One process-wide object, reached through common::Service<ToDates>. It holds the separators and
// the am/pm capitals flag of formatted texts, the default masks, UtcHourOffset (signed hours
// added to local time to get UTC; -2 at start), the flag that takes that offset from the system
// and a number stored with them in the setup records. The stateless routines live in dates.h,
// date_mask.h, date_completion.h, local_clock.h and key_text.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/date_mask.h"

namespace common {

class ToDates {
 public:
  ToDates() = default;

  const DateTextStyle& Style() const { return style_; }
  void SetStyle(const DateTextStyle& style) { style_ = style; }
  const std::string& DefaultDateMask() const { return default_date_mask_; }
  void SetDefaultDateMask(std::string_view mask);
  const std::string& DefaultTimeMask() const { return default_time_mask_; }
  void SetDefaultTimeMask(std::string_view mask);

  std::int32_t UtcHourOffset() const { return utc_hour_offset_; }
  void SetUtcHourOffset(std::int32_t hours) { utc_hour_offset_ = hours; }
  // Whether the settings load takes UtcHourOffset from the system's offset.
  bool UseSystemOffset() const { return use_system_offset_; }
  void SetUseSystemOffset(bool on) { use_system_offset_ = on; }
  // A number kept with UtcHourOffset in the setup records; nothing else uses it.
  std::int32_t KeptNumber() const { return kept_number_; }
  void SetKeptNumber(std::int32_t number) { kept_number_ = number; }

  // Formatting under a mask with this object's style.
  std::string DateToDateString(std::int32_t date, std::string_view mask) const;
  std::string TimeToTimeString(std::int32_t time, std::string_view mask) const;

  // The UTC date: the local date, the day before when the local hour plus UtcHourOffset falls
  // below 0, the day after when it reaches 24 (several days for offsets of 24 hours or more).
  std::int32_t TodayUtc() const;
  // The local time of day shifted by UtcHourOffset, wrapped into 0..86399.
  std::int32_t NowUtc() const;

  // The clock formatted (local and UTC).
  std::string TodayString(std::string_view mask) const;
  std::string TodayUtcString(std::string_view mask) const;
  std::string NowString(std::string_view mask) const;
  std::string NowUtcString(std::string_view mask) const;

 private:
  DateTextStyle style_;
  std::string default_date_mask_ = "dd.mm.yy";
  std::string default_time_mask_ = "hh:mm:ss";
  std::int32_t utc_hour_offset_ = -2;
  bool use_system_offset_ = false;
  std::int32_t kept_number_ = 0;
};

}  // namespace common
