#include "common/date_mask.h"

#include <gtest/gtest.h>

#include "common/dates.h"

namespace common {
namespace {

const DateTextStyle kPlain;
const std::int32_t k15Mar2024 = DMYToDate(15, 3, 2024);  // a Friday
const std::int32_t k5Jan2007 = DMYToDate(5, 1, 2007);

struct FormatRow {
  const char* name;
  std::int32_t value;
  const char* mask;
  const char* text;
};

class DateFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(DateFormat, FillsTheMask) {
  EXPECT_EQ(DateToDateString(GetParam().value, GetParam().mask, kPlain), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, DateFormat, ::testing::Values(
    FormatRow{"first_day", 0, "dd.mm.yyyy", "01.01.1600"},
    FormatRow{"upper_keeps_blanks", 4, "DD", " 5"},
    FormatRow{"two_digit_year", k15Mar2024, "dd.mm.yy", "15.03.24"},
    FormatRow{"narrow_run_loses_left_digit", k15Mar2024, "d", "5"},
    FormatRow{"wide_run_leading_zeros", k5Jan2007, "dddd", "0005"},
    FormatRow{"month_name_cut", k15Mar2024, "dd nnn yyyy", "15 Mar 2024"},
    FormatRow{"month_name_padded", DMYToDate(1, 5, 2024), "nnnnnn|", "May   |"},
    FormatRow{"weekday_capitals", k15Mar2024, "WWWWWWWWW", "FRIDAY   "},
    FormatRow{"only_first_run_filled", k15Mar2024, "dd.dd", "15.dd"},
    FormatRow{"mixed_case_run", k5Jan2007, "Dd", " 5"},
    FormatRow{"slash_becomes_separator", k15Mar2024, "mm/dd/yyyy", "03/15/2024"},
    FormatRow{"no_date", BadDate, "dd.mm.yy", "  .  .  "},
    FormatRow{"no_date_every_letter", BadDate, "Nn Ww dd/yy", "        /  "},
    FormatRow{"out_of_range_is_no_date", kMaxDate + 1, "dd", "  "},
    FormatRow{"mask_cut_at_40", 0, "yyyy......................................XX",
              "1600...................................."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class TimeFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(TimeFormat, FillsTheMask) {
  EXPECT_EQ(TimeToTimeString(GetParam().value, GetParam().mask, kPlain), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, TimeFormat, ::testing::Values(
    FormatRow{"full", 45296, "hh:mm:ss", "12:34:56"},
    FormatRow{"upper_blanks", 3723, "HH:mm", " 1:02"},
    FormatRow{"pm", 13 * 3600 + 1800, "hh:mm te", "01:30 pm"},
    FormatRow{"midnight_is_12_am", 60, "hh:mm te", "12:01 am"},
    FormatRow{"noon_is_pm", 12 * 3600, "hh:mm t", "12:00 p"},
    FormatRow{"no_time", kNoTime, "hh:mm:ss", "  :  :  "},
    FormatRow{"no_time_am_pm_blank", kNoTime, "hh:mm te", "  :     "},
    FormatRow{"out_of_range_is_no_time", kSecondsPerDay, "hh", "  "}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Formats, SeparatorsAndCapitalsOfTheStyle) {
  DateTextStyle style;
  style.date_separator = '-';
  style.time_separator = '.';
  style.am_pm_capitals = true;
  EXPECT_EQ(DateToDateString(k15Mar2024, "dd/mm/yyyy", style), "15-03-2024");
  EXPECT_EQ(DateToDateString(BadDate, "dd/mm", style), "  -  ");
  EXPECT_EQ(TimeToTimeString(23 * 3600, "hh:mm te", style), "11.00 PM");
}

struct ParseRow {
  const char* name;
  const char* text;
  const char* mask;
  std::int32_t value;
};

class DateParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(DateParse, ReadsTheFields) {
  EXPECT_EQ(DateStringToDate(GetParam().text, GetParam().mask), GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, DateParse, ::testing::Values(
    ParseRow{"two_digit_39", "01.01.39", "dd.mm.yy", DMYToDate(1, 1, 2039)},
    ParseRow{"two_digit_40", "01.01.40", "dd.mm.yy", DMYToDate(1, 1, 1940)},
    ParseRow{"blanks_left_out", " 5. 1.2007", "dd.mm.yyyy", k5Jan2007},
    ParseRow{"length_differs", "15.3.2024", "dd.mm.yyyy", BadDate},
    ParseRow{"no_day_field_takes_1", "03.2024", "mm.yyyy", DMYToDate(1, 3, 2024)},
    ParseRow{"no_year_field_is_2000", "15.03", "dd.mm", DMYToDate(15, 3, 2000)},
    ParseRow{"no_month_field", "15.2024", "dd.yyyy", BadDate},
    ParseRow{"blank_year_is_no_year", "15.03.  ", "dd.mm.yy", BadDate},
    ParseRow{"not_a_number", "1x.03.24", "dd.mm.yy", BadDate},
    ParseRow{"signed_field", "+1.03.24", "dd.mm.yy", BadDate},
    ParseRow{"invalid_day", "30.02.2024", "dd.mm.yyyy", BadDate},
    ParseRow{"month_name_upper", "15 MAR 2024", "dd nnn yyyy", k15Mar2024},
    ParseRow{"month_name_prefix_first_wins", "15 Ma  2024", "dd nnn yyyy", k15Mar2024},
    ParseRow{"month_name_unknown", "15 Xyz 2024", "dd nnn yyyy", BadDate},
    ParseRow{"month_name_longer_than_name", "1 Mayyy 2024", "d nnnnn yyyy", BadDate},
    ParseRow{"weekday_ignored", "Fri 15.03.24", "www dd.mm.yy", k15Mar2024}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class TimeParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(TimeParse, ReadsTheFields) {
  EXPECT_EQ(TimeStringToTime(GetParam().text, GetParam().mask), GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, TimeParse, ::testing::Values(
    ParseRow{"five_chars_get_seconds", "12:34", "hh:mm:ss", 45240},
    ParseRow{"hhmm", "1500", "hhmm", 54000},
    ParseRow{"hour_24_invalid", "24:00:00", "hh:mm:ss", kNoTime},
    ParseRow{"sixty_accepted", "23:60:60", "hh:mm:ss", 60},
    ParseRow{"blank_field", "10:  ", "hh:mm", kNoTime},
    ParseRow{"length_differs", "1:30", "hh:mm", kNoTime},
    ParseRow{"not_a_number", "1a:30", "hh:mm", kNoTime},
    ParseRow{"pm", "01:30 pm", "hh:mm te", 13 * 3600 + 1800},
    ParseRow{"twelve_am", "12:01 AM", "hh:mm te", 60},
    ParseRow{"am_pm_missing", "01:30   ", "hh:mm te", kNoTime},
    ParseRow{"hour_13_with_pm", "13:00 pm", "hh:mm te", kNoTime}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Masks, EveryDateMaskReadsBackWhatItWrote) {
  for (const char* mask : {"dd.mm.yyyy", "yyyy-mm-dd", "DD.MM.YYYY", "dd nnn yyyy",
                           "w, dd. NNNNNNNNN yyyy", "yyyymmdd"}) {
    for (std::int32_t day = 0; day <= kMaxDate; day += 997) {
      const std::string text = DateToDateString(day, mask, kPlain);
      ASSERT_EQ(DateStringToDate(text, mask), day) << mask << " " << text;
    }
  }
  for (std::int32_t day = DMYToDate(1, 1, 1940); day <= DMYToDate(31, 12, 2039); day += 101)
    ASSERT_EQ(DateStringToDate(DateToDateString(day, "dd.mm.yy", kPlain), "dd.mm.yy"), day);
}

TEST(Masks, EveryTimeMaskReadsBackWhatItWrote) {
  for (const char* mask : {"hh:mm:ss", "hhmmss", "hh:mm:ss te", "HH:MM:SS"}) {
    for (std::int32_t t = 0; t < kSecondsPerDay; t += 7) {
      const std::string text = TimeToTimeString(t, mask, kPlain);
      ASSERT_EQ(TimeStringToTime(text, mask), t) << mask << " " << text;
    }
  }
}

}  // namespace
}  // namespace common
