#include "common/number_mask.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "common/number_text.h"
#include "tests/common/rows.h"

namespace common {
namespace {

using RealRow = testing::Row2<const char*, double, const char*>;  // mask, value: text
using IntRow = testing::Row2<const char*, std::int64_t, const char*>;

class RealMask : public ::testing::TestWithParam<RealRow> {};
TEST_P(RealMask, Formats) { EXPECT_EQ(FormatRealMask(GetParam().a, GetParam().b), GetParam().out); }
const RealRow kRealRows[] = {
    {"overflow_stars", "###", 12345, "***"},
    {"currency_floats", "$$$$", 5, "  $5"},
    {"at_cancels_currency", "@@@$", 5, "0005"},
    {"floating_minus", "###", -5, " -5"},
    {"star_fill_no_minus", "***", -5, "**5"},
    {"last_comma_is_decimal", "#,###", 1.5, "1,500"},
    {"thousands_and_decimals", "#,###.##", 1234.5, "1,234.50"},
    {"unused_thousands_blank", "#,###.##", 5, "    5.00"},
    {"round_half_up", "#.##", 0.125, "0.13"},
    {"round_carry_all_nines", "###.#", 99.96, "100.0"},
    {"round_into_new_digit_overflows", "##.#", 99.96, "**.*"},
    {"negative_rounding_to_zero_no_minus", "##.##", -0.001, " 0.00"},
    {"minus_needs_a_place", "##", -15, "**"},
    {"sign_place_left_negative", "+###", -7, "-  7"},
    {"minus_place_right", "###-", 7, "  7 "},
    {"minus_place_right_negative", "###-", -7, "  7-"},
    {"zero_fill_with_sign", "@@@+", 7, "007+"},
    {"overflow_keeps_signs_and_separators", "+#,##.#", -12345, "-*,**.*"},
    {"currency_and_minus", "$$$$", -5, " -$5"},
    {"text_around_the_field", "Total: ###.# kHz", 14.07, "Total:  14.1 kHz"},
    {"second_field_copied", "## ##", 3, " 3 ##"},
    {"nan", "##.#", std::nan(""), "**.*"},
};
INSTANTIATE_TEST_SUITE_P(Rows, RealMask, ::testing::ValuesIn(kRealRows), testing::RowName);

class IntMask : public ::testing::TestWithParam<IntRow> {};
TEST_P(IntMask, Formats) { EXPECT_EQ(FormatIntMask(GetParam().a, GetParam().b), GetParam().out); }
const IntRow kIntRows[] = {
    {"thousands", "#,###,###", 1234567, "1,234,567"},
    {"separators_at_the_end_group", "#.###.###", 1234567, "1.234.567"},
    {"own_decimal_separator", "###.## EUR", 3, "  3.00 EUR"},
    {"int64_min_exact", "####################", std::numeric_limits<std::int64_t>::min(),
     "-9223372036854775808"},
};
INSTANTIATE_TEST_SUITE_P(Rows, IntMask, ::testing::ValuesIn(kIntRows), testing::RowName);

TEST(PlacesMasks, HashAtAndPlainText) {
  EXPECT_EQ(IntToStrMask(7, 3), "  7");
  EXPECT_EQ(IntToStrMask(-7, 3), " -7");
  EXPECT_EQ(IntToStrMask(-123, 3), "***");
  EXPECT_EQ(IntToStrMask(-123, 0), "-123");
  EXPECT_EQ(IntToStrAt(7, 3), "007");
  EXPECT_EQ(ByteToStrMask(255, 4), " 255");
  EXPECT_EQ(IntToStrMask(1, 1000).size(), 255u);
}

struct FloatRow {
  const char* name;
  double value;
  int width;
  int decimals;
  char decimal_char;
  const char* text;
};

class FloatMask : public ::testing::TestWithParam<FloatRow> {};
TEST_P(FloatMask, Formats) {
  const FloatRow& r = GetParam();
  EXPECT_EQ(FloatToStrMask(r.value, r.width, r.decimals, r.decimal_char), r.text);
}

const FloatRow kFloatRows[] = {
    {"bearing", 87.25, 3, 1, ',', " 87,3"},
    {"default_four_decimals", 3.5, 2, -1, '.', " 3.5000"},
    {"no_width_trimmed", 14074.0, 0, 4, '.', "14074.0000"},
    {"no_width_negative_rounds", -0.125, 0, 2, ',', "-0,13"},
    {"overflow", 12345, 3, 1, ',', "***,*"},
};
INSTANTIATE_TEST_SUITE_P(Rows, FloatMask, ::testing::ValuesIn(kFloatRows), testing::RowName);

// Formatting a value and reading it back gives the value rounded half up to the mask's places.
TEST(RealMask, ReadsBackAsTheRoundedValue) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::int64_t> cents(-9999999999, 9999999999);
  for (int i = 0; i < 20000; ++i) {
    const std::int64_t c = cents(rng);
    const std::string text = FormatRealMask("###########.##", static_cast<double>(c) / 100.0);
    ASSERT_EQ(text.size(), 14u);
    ASSERT_EQ(std::llround(StrToReal(text) * 100), c) << text;
  }
}

}  // namespace
}  // namespace common
