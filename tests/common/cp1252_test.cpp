#include "common/cp1252.h"

#include <gtest/gtest.h>

namespace common::cp1252 {
namespace {

struct CaseRow {
  const char* name;
  char lower;
  char upper;
};

class CaseMapping : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CaseMapping, MapsBothWays) {
  const CaseRow& row = GetParam();
  EXPECT_EQ(ToUpper(row.lower), row.upper);
  EXPECT_EQ(ToLower(row.upper), row.lower);
}

INSTANTIATE_TEST_SUITE_P(Cp1252, CaseMapping,
                         ::testing::Values(CaseRow{"a_umlaut", '\xE4', '\xC4'},
                                           CaseRow{"o_umlaut", '\xF6', '\xD6'},
                                           CaseRow{"u_umlaut", '\xFC', '\xDC'},
                                           CaseRow{"e_acute", '\xE9', '\xC9'},
                                           CaseRow{"s_caron", '\x9A', '\x8A'},
                                           CaseRow{"y_diaeresis", '\xFF', '\x9F'},
                                           CaseRow{"ascii", 'q', 'Q'}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp1252, SharpSAndSignsHaveNoCounterpart) {
  EXPECT_EQ(ToUpper('\xDF'), '\xDF');  // ß
  EXPECT_EQ(ToUpper('\xF7'), '\xF7');  // ÷ is not a letter
  EXPECT_EQ(ToLower('\xD7'), '\xD7');  // × neither
  EXPECT_EQ(ToUpper('\xB5'), '\xB5');  // µ
}

TEST(Cp1252, SourceLiteralsAreSingleBytes) {
  EXPECT_EQ(std::string("Ä"), std::string("\xC4"));
  EXPECT_EQ(UpperCase("straße öl"), "STRAßE ÖL");
}

TEST(Cp1252, CompareBytesIsUnsignedAndPrefixFirst) {
  EXPECT_LT(CompareBytes("A", "\x80"), 0);
  EXPECT_LT(CompareBytes("AB", "ABC"), 0);
  EXPECT_GT(CompareBytes("B", "ABC"), 0);
  EXPECT_EQ(CompareBytes("", ""), 0);
  EXPECT_TRUE(SameText("müller", "MÜLLER"));
  EXPECT_FALSE(SameText("AB", "ABC"));
}

}  // namespace
}  // namespace common::cp1252
