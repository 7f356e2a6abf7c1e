#include "common/string_helpers.h"

#include <gtest/gtest.h>

namespace common {
namespace {

struct Row {
  const char* name;
  std::string result;
  std::string expected;
};

class Texts : public ::testing::TestWithParam<Row> {};

TEST_P(Texts, GiveTheExpectedText) { EXPECT_EQ(GetParam().result, GetParam().expected); }

// Each row holds a routine's result and the text a caller relies on.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, Texts, ::testing::Values(
    Row{"setlen_pads", SetLen("AB", 4, true), "AB  "},
    Row{"setlen_cuts", SetLen("ABCDE", 3, true), "ABC"},
    Row{"setlen_without_adjust", SetLen("ABCDE", 3, false), "ABCDE"},
    Row{"setlen_short_limit", std::to_string(SetLen("", 1000, true).size()), "255"},
    Row{"setlenstr_long", std::to_string(SetLenStr("", 1000, true).size()), "1000"},
    Row{"trim_only_blanks", Trim("\t a\t  "), "\t a\t"},
    Row{"pad_longer_unchanged", PadLeftChar("12345", 3, '0'), "12345"},
    Row{"center_blank", CenterBlank("AB", 5), " AB  "},
    Row{"center_longer_unchanged", CenterBlank("ABCDEF", 3), "ABCDEF"},
    Row{"char_to_str_nul", CharToStr('\0'), ""},
    Row{"upper_umlauts", UpperCase("dl1äöü ß é"), "DL1ÄÖÜ ß É"},
    Row{"copy_past_end", Copy("ABCDE", 4, 9), "DE"},
    Row{"copy_pos_zero", Copy("ABCDE", 0, 2), "AB"},
    Row{"copy_beyond", Copy("ABCDE", 6, 1), ""},
    Row{"copy_from_beyond", CopyFrom("ABCDE", 9), ""},
    Row{"delete_past_end", Delete("ABCDE", 4, 100), "ABC"},
    Row{"delete_pos_zero_nothing", Delete("ABCDE", 0, 2), "ABCDE"},
    Row{"insert_beyond_appends", Insert("xy", "ABC", 10), "ABCxy"},
    Row{"before_including", StrBefore("DL1ABC/P", "/", true), "DL1ABC/"},
    Row{"before_absent", StrBefore("DL1ABC", "/"), ""},
    Row{"after_from", StrAfter("599/012", "/", true), "/012"},
    Row{"after_absent", StrAfter("599", "/"), "599"},
    Row{"between", StrBetween("CALL (CALL) x", "(", ")"), "CALL"},
    Row{"between_no_end", StrBetween("CALL (CALL", "(", ")"), ""},
    Row{"replace_text_growing", ReplaceText("aa", "a", "aa"), "aaaa"},
    Row{"replace_text_empty_old", ReplaceText("abc", "", "x"), "abc"},
    Row{"file_name_safe", FileNameSafe("DL/1\\A:B"), "DL_1_A_B"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Texts, PositionsAndComparison) {
  EXPECT_EQ(Pos("CD", "ABCDCD"), 3);
  EXPECT_EQ(Pos("", "ABC"), 0);
  EXPECT_EQ(FirstChar(""), '\0');
  EXPECT_EQ(CompareStr("A", "\xC4"), -1);  // unsigned: Ä after A
  EXPECT_EQ(CompareStr("AB", "A"), 1);
  EXPECT_TRUE(SameTextShort("Müller", "MÜLLER"));
  EXPECT_FALSE(SameTextShort("AB", "ABC"));
}

}  // namespace
}  // namespace common
