#include "common/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "tests/common/rows.h"

namespace common {
namespace {

using RealRow = testing::Row<const char*, double>;
using IntRow = testing::Row<const char*, std::int32_t>;

class ReadReal : public ::testing::TestWithParam<RealRow> {};
TEST_P(ReadReal, Reads) { EXPECT_DOUBLE_EQ(StrToReal(GetParam().in), GetParam().out); }
// clang-format off
const RealRow kRealRows[] = {
    {"point", "14.074", 14.074}, {"comma", " 14,074 ", 14.074}, {"negative", "-1.5", -1.5},
    {"negative_comma", "-0,25", -0.25}, {"leading_point", ".5", 0.5}, {"trailing_point", "5.", 5},
    {"empty", "", 0}, {"sign_only", "-", 0}, {"point_only", ".", 0},
    {"two_separators", "1.234,5", 0}, {"letters", "12abc", 0}, {"inner_blank", "1 2", 0},
    {"exponent", "1e3", 0}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, ReadReal, ::testing::ValuesIn(kRealRows), testing::RowName);

class ReadInt : public ::testing::TestWithParam<IntRow> {};
TEST_P(ReadInt, Reads) { EXPECT_EQ(StrToIntNoComma(GetParam().in), GetParam().out); }
// clang-format off
const IntRow kIntRows[] = {
    {"negative", " -17 ", -17}, {"empty", "", 0}, {"comma", "1,5", 0}, {"not_a_number", "12a", 0},
    {"decimal_point", "1.5", 0}, {"min", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"beyond_32_bits", "2147483648", 0},
    {"sign_only", "+", 0}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, ReadInt, ::testing::ValuesIn(kIntRows), testing::RowName);

// A German locale, where one is installed, must not turn the point into a comma.
TEST(FloatToStr, ShortestPlainTextWhateverTheLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  EXPECT_EQ(FloatToStr(14.074), "14.074");
  EXPECT_EQ(FloatToStr(-0.5), "-0.5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
  EXPECT_EQ(FloatToStr(1e-7), "1E-7");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
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
