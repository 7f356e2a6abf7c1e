#include "common/date_mask.h"

#include <gtest/gtest.h>

#include "common/dates.h"
#include "tests/common/rows.h"

namespace common {
namespace {

const DateTextStyle kPlain;
const std::int32_t k15Mar2024 = DMYToDate(15, 3, 2024);  // a Friday
const std::int32_t k5Jan2007 = DMYToDate(5, 1, 2007);

using Format = testing::Row2<std::int32_t, const char*, const char*>;  // value, mask: text
using Parse = testing::Row2<const char*, const char*, std::int32_t>;   // text, mask: value

class DateFormat : public ::testing::TestWithParam<Format> {};
TEST_P(DateFormat, FillsTheMask) {
  EXPECT_EQ(DateToDateString(GetParam().a, GetParam().b, kPlain), GetParam().out);
}
const Format kDateFormatRows[] = {
    {"upper_keeps_blanks", 4, "DD", " 5"},
    {"two_digit_year", k15Mar2024, "dd.mm.yy", "15.03.24"},
    {"narrow_run_loses_left_digit", k15Mar2024, "d", "5"},
    {"wide_run_leading_zeros", k5Jan2007, "dddd", "0005"},
    {"month_name_cut", k15Mar2024, "dd nnn yyyy", "15 Mar 2024"},
    {"month_name_padded", DMYToDate(1, 5, 2024), "nnnnnn|", "May   |"},
    {"weekday_capitals", k15Mar2024, "WWWWWWWWW", "FRIDAY   "},
    {"only_first_run_filled", k15Mar2024, "dd.dd", "15.dd"},
    {"mixed_case_run", k5Jan2007, "Dd", " 5"},
    {"slash_becomes_separator", k15Mar2024, "mm/dd/yyyy", "03/15/2024"},
    {"no_date_every_letter", BadDate, "Nn Ww dd/yy", "        /  "},
    {"out_of_range_is_no_date", kMaxDate + 1, "dd", "  "},
    {"mask_cut_at_40", 0, "yyyy......................................XX",
     "1600...................................."},
};
INSTANTIATE_TEST_SUITE_P(Rows, DateFormat, ::testing::ValuesIn(kDateFormatRows), testing::RowName);

class TimeFormat : public ::testing::TestWithParam<Format> {};
TEST_P(TimeFormat, FillsTheMask) {
  EXPECT_EQ(TimeToTimeString(GetParam().a, GetParam().b, kPlain), GetParam().out);
}
const Format kTimeFormatRows[] = {
    {"full", 45296, "hh:mm:ss", "12:34:56"},
    {"upper_blanks", 3723, "HH:mm", " 1:02"},
    {"pm", 13 * 3600 + 1800, "hh:mm te", "01:30 pm"},
    {"midnight_is_12_am", 60, "hh:mm te", "12:01 am"},
    {"noon_is_pm", 12 * 3600, "hh:mm t", "12:00 p"},
    {"no_time_blanks_only_the_fields", kNoTime, "hh:mm te", "  :   te"},
    {"no_time_keeps_the_text", kNoTime, "Zeit: hh:mm:ss", "Zeit:   :  :  "},
    {"out_of_range_is_no_time", kSecondsPerDay, "hh", "  "},
};
INSTANTIATE_TEST_SUITE_P(Rows, TimeFormat, ::testing::ValuesIn(kTimeFormatRows), testing::RowName);

TEST(Formats, SeparatorsAndCapitalsOfTheStyle) {
  const DateTextStyle style{'-', '.', true};
  EXPECT_EQ(DateToDateString(k15Mar2024, "dd/mm/yyyy", style), "15-03-2024");
  EXPECT_EQ(DateToDateString(BadDate, "dd/mm", style), "  -  ");
  EXPECT_EQ(TimeToTimeString(23 * 3600, "hh:mm te", style), "11.00 PM");
}

class DateParse : public ::testing::TestWithParam<Parse> {};
TEST_P(DateParse, ReadsTheFields) {
  EXPECT_EQ(DateStringToDate(GetParam().a, GetParam().b), GetParam().out);
}
const Parse kDateParseRows[] = {
    {"length_differs", "15.3.2024", "dd.mm.yyyy", BadDate},
    {"no_day_field_takes_1", "03.2024", "mm.yyyy", DMYToDate(1, 3, 2024)},
    {"no_year_field_is_2000", "15.03", "dd.mm", DMYToDate(15, 3, 2000)},
    {"no_month_field", "15.2024", "dd.yyyy", BadDate},
    {"blank_year_is_no_year", "15.03.  ", "dd.mm.yy", BadDate},
    {"not_a_number", "1x.03.24", "dd.mm.yy", BadDate},
    {"signed_field", "+1.03.24", "dd.mm.yy", BadDate},
    {"invalid_day", "30.02.2024", "dd.mm.yyyy", BadDate},
    {"month_name_prefix_first_wins", "15 Ma  2024", "dd nnn yyyy", k15Mar2024},
    {"month_name_unknown", "15 Xyz 2024", "dd nnn yyyy", BadDate},
    {"month_name_longer_than_name", "1 Mayyy 2024", "d nnnnn yyyy", BadDate},
};
INSTANTIATE_TEST_SUITE_P(Rows, DateParse, ::testing::ValuesIn(kDateParseRows), testing::RowName);

class TimeParse : public ::testing::TestWithParam<Parse> {};
TEST_P(TimeParse, ReadsTheFields) {
  EXPECT_EQ(TimeStringToTime(GetParam().a, GetParam().b), GetParam().out);
}
const Parse kTimeParseRows[] = {
    {"five_chars_get_seconds", "12:34", "hh:mm:ss", 45240},
    {"hour_24_invalid", "24:00:00", "hh:mm:ss", kNoTime},
    {"sixty_accepted", "23:60:60", "hh:mm:ss", 60},
    {"blank_field", "10:  ", "hh:mm", kNoTime},
    {"length_differs", "1:30", "hh:mm", kNoTime},
    {"not_a_number", "1a:30", "hh:mm", kNoTime},
    {"twelve_am_capitals", "12:01 AM", "hh:mm te", 60},
    {"am_pm_missing", "01:30   ", "hh:mm te", kNoTime},
    {"hour_13_with_pm", "13:00 pm", "hh:mm te", kNoTime},
};
INSTANTIATE_TEST_SUITE_P(Rows, TimeParse, ::testing::ValuesIn(kTimeParseRows), testing::RowName);

// Blanked fields, capital month names and weekdays, pm and bare digits are read back here.
TEST(Masks, EveryMaskReadsBackWhatItWrote) {
  for (const char* mask : {"dd.mm.yyyy", "yyyy-mm-dd", "DD.MM.YYYY", "dd nnn yyyy",
                           "w, dd. NNNNNNNNN yyyy", "yyyymmdd"}) {
    for (std::int32_t day = 0; day <= kMaxDate; day += 997) {
      const std::string text = DateToDateString(day, mask, kPlain);
      ASSERT_EQ(DateStringToDate(text, mask), day) << mask << " " << text;
    }
  }
  for (std::int32_t day = DMYToDate(1, 1, 1940); day <= DMYToDate(31, 12, 2039); day += 101)
    ASSERT_EQ(DateStringToDate(DateToDateString(day, "dd.mm.yy", kPlain), "dd.mm.yy"), day);
  for (const char* mask : {"hh:mm:ss", "hhmmss", "hh:mm:ss te", "HH:MM:SS"}) {
    for (std::int32_t t = 0; t < kSecondsPerDay; t += 7) {
      const std::string text = TimeToTimeString(t, mask, kPlain);
      ASSERT_EQ(TimeStringToTime(text, mask), t) << mask << " " << text;
    }
  }
}

}  // namespace
}  // namespace common
