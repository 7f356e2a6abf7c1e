#include "common/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace common {
namespace {

struct RealRow {
  const char* name;
  const char* text;
  double value;
};

class ReadReal : public ::testing::TestWithParam<RealRow> {};

TEST_P(ReadReal, Reads) { EXPECT_DOUBLE_EQ(StrToReal(GetParam().text), GetParam().value); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ReadReal, ::testing::Values(
    RealRow{"point", "14.074", 14.074}, RealRow{"comma", " 14,074 ", 14.074},
    RealRow{"negative_whole_number", "-1.5", -1.5}, RealRow{"negative_comma", "-0,25", -0.25},
    RealRow{"leading_point", ".5", 0.5}, RealRow{"trailing_point", "5.", 5},
    RealRow{"empty", "", 0}, RealRow{"sign_only", "-", 0}, RealRow{"point_only", ".", 0},
    RealRow{"two_separators", "1.234,5", 0}, RealRow{"letters", "12abc", 0},
    RealRow{"inner_blank", "1 2", 0}, RealRow{"exponent", "1e3", 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct IntRow {
  const char* name;
  const char* text;
  std::int32_t value;
};

class ReadInt : public ::testing::TestWithParam<IntRow> {};

TEST_P(ReadInt, Reads) { EXPECT_EQ(StrToIntNoComma(GetParam().text), GetParam().value); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ReadInt, ::testing::Values(
    IntRow{"negative", " -17 ", -17}, IntRow{"empty", "", 0}, IntRow{"comma", "1,5", 0},
    IntRow{"not_a_number", "12a", 0}, IntRow{"decimal_point", "1.5", 0},
    IntRow{"min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    IntRow{"beyond_32_bits", "2147483648", 0}, IntRow{"far_beyond", "99999999999999999999", 0},
    IntRow{"sign_only", "+", 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(FloatToStr, ShortestPlainText) {
  EXPECT_EQ(FloatToStr(14.074), "14.074");
  EXPECT_EQ(FloatToStr(-0.5), "-0.5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
  EXPECT_EQ(FloatToStr(1e-7), "1E-7");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
}

TEST(NumberTexts, IgnoreTheCLocale) {
  // A German locale, where one is installed, must not turn the point into a comma.
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_DOUBLE_EQ(StrToReal("1.5"), 1.5);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(IsNumberText, DigitsOrNumberCharacters) {
  EXPECT_FALSE(IsNumberText("1 2", true));
  EXPECT_TRUE(IsNumberText("$1,234.5 ", false));
  EXPECT_FALSE(IsNumberText("-1", false));
  EXPECT_FALSE(IsNumberText("", false));
}

}  // namespace
}  // namespace common
