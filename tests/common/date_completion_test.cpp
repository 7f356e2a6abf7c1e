#include "common/date_completion.h"

#include <gtest/gtest.h>

#include "common/dates.h"
#include "platform/fake_environment.h"

namespace common {
namespace {

const std::int32_t kToday = DMYToDate(20, 6, 2024);

struct Row {
  const char* name;
  const char* typed;
  const char* completed;
};

class CompleteDate : public ::testing::TestWithParam<Row> {};

TEST_P(CompleteDate, GivesTheIntendedDate) {
  EXPECT_EQ(CompleteDateText(GetParam().typed, kToday), GetParam().completed);
}

// Today is 20.06.2024 in every row.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, CompleteDate, ::testing::Values(
    Row{"zero_is_today", "0", "20.06.2024"}, Row{"one_digit_day", "7", "07.06.2024"},
    Row{"two_digit_day", "15", "15.06.2024"}, Row{"double_zero_is_today", "00", "20.06.2024"},
    Row{"leading_zero_day", "07", "07.06.2024"}, Row{"day_and_month", "45", "04.05.2024"},
    Row{"three_digits_month_zero", "150", "15.01.2024"}, Row{"three_digits", "153", "15.03.2024"},
    Row{"comma", "1,5", "01.05.2024"}, Row{"day_dot", "15.", "15.01.2024"},
    Row{"four_digits", "1503", "15.03.2024"}, Row{"dot_at_two", "1.05", "01.05.2024"},
    Row{"dot_at_three", "15.3", "15.03.2024"}, Row{"dot_at_three_zero", "15.0", "15.01.2024"},
    Row{"five_with_dot", "15.03", "15.03.2024"},
    Row{"five_digits_this_century", "15324", "15.03.2024"},
    Row{"five_digits_last_century", "15398", "15.03.1998"},
    Row{"six_dot_at_three", "15.03.", "15.03.2024"}, Row{"six_dot_at_two", "1.3.87", "01.03.1987"},
    Row{"six_digits", "150324", "15.03.2024"}, Row{"six_digits_old", "150387", "15.03.1987"},
    Row{"seven_digits_whole_year", "1503202", "15.03.2024"},
    Row{"seven_dot_at_two", "1.03.24", "01.03.2024"},
    Row{"seven_dot_at_two_old", "1.03.51", "01.03.1951"},
    Row{"seven_year_digit_dropped", "15.03.2", "15.03.2024"},
    Row{"seven_dot_at_three", "12.3.24", "12.03.2024"},
    Row{"seven_dot_at_three_old", "12.3.99", "12.03.1999"},
    Row{"seven_dot_elsewhere", "123.456", "123.456"},
    Row{"eight_digits", "15031999", "15.03.1999"}, Row{"eight_dot_at_two", "1.3.1999", "01.03.1999"},
    Row{"eight_two_digit_year", "15.03.24", "15.03.2024"},
    Row{"eight_two_digit_year_old", "15.03.77", "15.03.1977"},
    Row{"nine_dot_at_two", "1.03.1999", "01.03.1999"},
    Row{"nine_dot_at_three", "12.3.1999", "12.03.1999"},
    Row{"nine_unknown", "123456789", "123456789"}, Row{"ten_unchanged", "15.03.1999", "15.03.1999"},
    Row{"trimmed_first", "  15.3  ", "15.03.2024"},
    Row{"eleven_untouched", " 1,2,3,4,5 ", " 1,2,3,4,5 "}, Row{"blank", "   ", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CompleteDate, CenturyComesFromToday) {
  const std::int32_t in_1900s = DMYToDate(1, 2, 1985);
  EXPECT_EQ(CompleteDateText("150324", in_1900s), "15.03.1924");
  EXPECT_EQ(CompleteDateText("1503198", in_1900s), "15.03.1985");
  for (const char* typed : {"0", "12", "1503202", "15.03.", "1.3.24"})
    EXPECT_EQ(CompleteDateText(typed, BadDate).size(), 10u) << typed;
}

TEST(CompleteDate, ReadsTodayFromTheClock) {
  platform::FakeClock clock;
  clock.now = {2031, 12, 24, 18, 0, 0, 0};
  platform::ScopedEnvironment env(&clock, nullptr, nullptr);
  EXPECT_EQ(CompleteDateText("3"), "03.12.2031");
}

class CompleteTime : public ::testing::TestWithParam<Row> {};

TEST_P(CompleteTime, GivesHoursAndMinutes) {
  EXPECT_EQ(CompleteTimeText(GetParam().typed), GetParam().completed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, CompleteTime, ::testing::Values(
    Row{"dot", "9.30", "09:30"}, Row{"colon", "9:30", "09:30"}, Row{"comma", "9,30", "09:30"},
    Row{"four_digits", "0930", "09:30"}, Row{"three_digits", "930", "09:30"},
    Row{"trimmed", "  1415 ", "14:15"}, Row{"complete_kept", "14:15", "14:15"},
    Row{"other_trimmed_commas", " 1,2,3 ", "1.2.3"},
    Row{"long_untouched", " 12,34,56,78,9 ", "12,34,56,78,9"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace common
