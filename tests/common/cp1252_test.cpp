#include "common/cp1252.h"

#include <gtest/gtest.h>

#include "tests/common/rows.h"

namespace common::cp1252 {
namespace {

using CaseRow = testing::Row<char>;  // lower case: upper case

class CaseMapping : public ::testing::TestWithParam<CaseRow> {};
TEST_P(CaseMapping, MapsBothWays) {
  EXPECT_EQ(ToUpper(GetParam().in), GetParam().out);
  EXPECT_EQ(ToLower(GetParam().out), GetParam().in);
}
// clang-format off
const CaseRow kCaseRows[] = {
    {"a_umlaut", '\xE4', '\xC4'}, {"o_umlaut", '\xF6', '\xD6'}, {"u_umlaut", '\xFC', '\xDC'},
    {"e_acute", '\xE9', '\xC9'}, {"s_caron", '\x9A', '\x8A'}, {"y_diaeresis", '\xFF', '\x9F'},
    {"ascii", 'q', 'Q'}, {"sharp_s_stays", '\xDF', '\xDF'}, {"division_sign", '\xF7', '\xF7'},
    {"multiplication_sign", '\xD7', '\xD7'}, {"micro_sign", '\xB5', '\xB5'}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cp1252, CaseMapping, ::testing::ValuesIn(kCaseRows), testing::RowName);

TEST(Cp1252, TextsAreSingleBytesComparedUnsigned) {
  EXPECT_EQ(std::string("Ä"), std::string("\xC4"));  // the sources' literals are 1252 bytes
  EXPECT_EQ(UpperCase("straße öl"), "STRAßE ÖL");
  EXPECT_LT(CompareBytes("A", "\x80"), 0);
  EXPECT_LT(CompareBytes("AB", "ABC"), 0);
  EXPECT_GT(CompareBytes("B", "ABC"), 0);
  EXPECT_EQ(CompareBytes("", ""), 0);
  EXPECT_TRUE(SameText("müller", "MÜLLER"));
  EXPECT_FALSE(SameText("AB", "ABC"));
}

}  // namespace
}  // namespace common::cp1252
