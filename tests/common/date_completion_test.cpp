#include "common/date_completion.h"

#include <gtest/gtest.h>

#include "common/dates.h"
#include "platform/fake_environment.h"
#include "tests/common/rows.h"

namespace common {
namespace {

using Typed = testing::Row<const char*>;

class CompleteDate : public ::testing::TestWithParam<Typed> {};

TEST_P(CompleteDate, GivesTheIntendedDate) {
  EXPECT_EQ(CompleteDateText(GetParam().in, DMYToDate(20, 6, 2024)), GetParam().out);
}

// clang-format off
const Typed kCompleteDateRows[] = {
    {"zero_today", "0", "20.06.2024"}, {"day1", "7", "07.06.2024"}, {"day2", "15", "15.06.2024"},
    {"zero2_today", "00", "20.06.2024"}, {"day2_zero", "07", "07.06.2024"},
    {"day_month", "45", "04.05.2024"}, {"len3_month_zero", "150", "15.01.2024"},
    {"len3", "153", "15.03.2024"}, {"comma", "1,5", "01.05.2024"}, {"day_dot", "15.", "15.01.2024"},
    {"len4", "1503", "15.03.2024"}, {"len4_dot2", "1.05", "01.05.2024"},
    {"len4_dot3", "15.3", "15.03.2024"}, {"len4_dot3_zero", "15.0", "15.01.2024"},
    {"len5_dot", "15.03", "15.03.2024"}, {"len5", "15324", "15.03.2024"},
    {"len5_old", "15398", "15.03.1998"}, {"len6_dot3", "15.03.", "15.03.2024"},
    {"len6_dot2", "1.3.87", "01.03.1987"}, {"len6", "150324", "15.03.2024"},
    {"len6_old", "150387", "15.03.1987"}, {"len7_whole_year", "1503202", "15.03.2024"},
    {"len7_dot2", "1.03.24", "01.03.2024"}, {"len7_dot2_old", "1.03.51", "01.03.1951"},
    {"len7_no_year", "15.03.2", "15.03.2024"}, {"len7_dot3", "12.3.24", "12.03.2024"},
    {"len7_dot3_old", "12.3.99", "12.03.1999"}, {"len7_dot4", "123.456", "123.456"},
    {"len8", "15031999", "15.03.1999"}, {"len8_dot2", "1.3.1999", "01.03.1999"},
    {"len8_yy", "15.03.24", "15.03.2024"}, {"len8_yy_old", "15.03.77", "15.03.1977"},
    {"len9_dot2", "1.03.1999", "01.03.1999"}, {"len9_dot3", "12.3.1999", "12.03.1999"},
    {"len9_unknown", "123456789", "123456789"}, {"len10_kept", "15.03.1999", "15.03.1999"},
    {"trimmed", "  15.3  ", "15.03.2024"}, {"len11_kept", " 1,2,3,4,5 ", " 1,2,3,4,5 "},
    {"blank", "   ", ""}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(TodayIs20June2024, CompleteDate, ::testing::ValuesIn(kCompleteDateRows),
                         testing::RowName);

TEST(CompleteDate, CenturyComesFromToday) {
  const std::int32_t in_1900s = DMYToDate(1, 2, 1985);
  EXPECT_EQ(CompleteDateText("150324", in_1900s), "15.03.1924");
  EXPECT_EQ(CompleteDateText("1503198", in_1900s), "15.03.1985");
  for (const char* typed : {"0", "12", "1503202", "15.03.", "1.3.24"})
    EXPECT_EQ(CompleteDateText(typed, BadDate).size(), 10u) << typed;
  platform::FakeClock clock;
  clock.now = {2031, 12, 24, 18, 0, 0, 0};
  platform::ScopedEnvironment env(&clock, nullptr, nullptr);
  EXPECT_EQ(CompleteDateText("3"), "03.12.2031");  // today from the clock
}

class CompleteTime : public ::testing::TestWithParam<Typed> {};

TEST_P(CompleteTime, GivesHoursAndMinutes) {
  EXPECT_EQ(CompleteTimeText(GetParam().in), GetParam().out);
}

// clang-format off
const Typed kCompleteTimeRows[] = {
    {"dot", "9.30", "09:30"}, {"colon", "9:30", "09:30"}, {"comma", "9,30", "09:30"},
    {"four_digits", "0930", "09:30"}, {"three_digits", "930", "09:30"},
    {"trimmed", "  1415 ", "14:15"}, {"complete_kept", "14:15", "14:15"},
    {"other_trimmed_commas", " 1,2,3 ", "1.2.3"},
    {"long_untouched", " 12,34,56,78,9 ", "12,34,56,78,9"}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, CompleteTime, ::testing::ValuesIn(kCompleteTimeRows),
                         testing::RowName);

}  // namespace
}  // namespace common
