#include "common/to_dates.h"

#include <gtest/gtest.h>

#include <limits>

#include "common/dates.h"
#include "common/local_clock.h"
#include "common/service.h"
#include "platform/fake_environment.h"

namespace common {
namespace {

class ClockTest : public ::testing::Test {
 protected:
  platform::FakeClock clock_;
  platform::ScopedEnvironment env_{&clock_, nullptr, nullptr};
  ScopedService<ToDates> dates_;
};

TEST_F(ClockTest, LocalDateAndTime) {
  EXPECT_EQ(dates_->UtcHourOffset(), -2);
  clock_.now = {2024, 6, 20, 13, 45, 30, 0};
  EXPECT_EQ(Today(), DMYToDate(20, 6, 2024));
  EXPECT_EQ(CurrentTime(), 13 * 3600 + 45 * 60 + 30);
  EXPECT_EQ(dates_->TodayString("dd.mm.yyyy"), "20.06.2024");
  EXPECT_EQ(dates_->NowString("hh:mm"), "13:45");
  clock_.now = {1500, 1, 1, 0, 0, 0, 0};
  EXPECT_EQ(Today(), BadDate);
  EXPECT_EQ(dates_->TodayUtc(), BadDate);
}

struct UtcRow {
  const char* name;
  int local_hour, offset;
  int utc_day, utc_hour;  // the local date is 20 June 2024
};

class UtcShift : public ClockTest, public ::testing::WithParamInterface<UtcRow> {};
TEST_P(UtcShift, MovesDateAndTime) {
  const UtcRow& r = GetParam();
  clock_.now = {2024, 6, 20, r.local_hour, 15, 0, 0};
  dates_->SetUtcHourOffset(r.offset);
  EXPECT_EQ(dates_->TodayUtc(), DMYToDate(r.utc_day, 6, 2024));
  EXPECT_EQ(dates_->NowUtc(), r.utc_hour * 3600 + 15 * 60);
}
const UtcRow kUtcRows[] = {
    {"cest_morning_day_before", 1, -2, 19, 23},  {"cest_midday", 12, -2, 20, 10},
    {"cest_exactly_midnight_utc", 2, -2, 20, 0}, {"west_evening_day_after", 22, 5, 21, 3},
    {"west_just_before", 18, 5, 20, 23},         {"offset_over_a_day", 10, -30, 19, 4},
};
INSTANTIATE_TEST_SUITE_P(Rows, UtcShift, ::testing::ValuesIn(kUtcRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, UtcStringsAndADamagedOffset) {
  clock_.now = {2024, 1, 1, 0, 30, 0, 0};
  dates_->SetUtcHourOffset(-1);
  dates_->SetStyle(DateTextStyle{'-', '.', false});
  EXPECT_EQ(dates_->TodayUtcString("yyyy/mm/dd"), "2023-12-31");
  EXPECT_EQ(dates_->NowUtcString("hh:mm"), "23.30");
  dates_->SetUtcHourOffset(std::numeric_limits<std::int32_t>::min());  // from a damaged record
  EXPECT_EQ(dates_->TodayUtc(), BadDate);
  const std::int32_t now = dates_->NowUtc();
  EXPECT_TRUE(now >= 0 && now < kSecondsPerDay);
}

TEST_F(ClockTest, MillisecondsSinceATimeOfDay) {
  clock_.now = {2024, 6, 20, 10, 0, 5, 250};
  EXPECT_EQ(MillisecondsSince(10, 0, 0, 0), 5250);
  clock_.now = {2024, 6, 20, 0, 0, 1, 0};
  EXPECT_EQ(MillisecondsSince(23, 59, 59, 0), 2000);  // through midnight
  clock_.now = {2024, 6, 20, 10, 2, 0, 0};
  EXPECT_EQ(MillisecondsSince(10, 0, 0, 0), 65535);  // two minutes do not fit 16 bits
}

}  // namespace
}  // namespace common
