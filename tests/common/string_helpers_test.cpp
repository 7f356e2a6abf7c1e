#include "common/string_helpers.h"

#include <gtest/gtest.h>

#include "tests/common/rows.h"

namespace common {
namespace {

// A routine's result, and the text a caller relies on.
using TextRow = testing::Row<std::string>;

class Texts : public ::testing::TestWithParam<TextRow> {};
TEST_P(Texts, GiveTheExpectedText) { EXPECT_EQ(GetParam().in, GetParam().out); }
const TextRow kTextRows[] = {
    {"setlen_pads", SetLen("AB", 4, true), "AB  "},
    {"setlen_cuts", SetLen("ABCDE", 3, true), "ABC"},
    {"setlen_without_adjust", SetLen("ABCDE", 3, false), "ABCDE"},
    {"setlen_short_limit", std::to_string(SetLen("", 1000, true).size()), "255"},
    {"setlenstr_long", std::to_string(SetLenStr("", 1000, true).size()), "1000"},
    {"trim_only_blanks", Trim("\t a\t  "), "\t a\t"},
    {"pad_longer_unchanged", PadLeftChar("12345", 3, '0'), "12345"},
    {"center_blank", CenterBlank("AB", 5), " AB  "},
    {"char_to_str_nul", CharToStr('\0'), ""},
    {"upper_umlauts", UpperCase("dl1äöü ß é"), "DL1ÄÖÜ ß É"},
    {"copy_past_end", Copy("ABCDE", 4, 9), "DE"},
    {"copy_pos_zero", Copy("ABCDE", 0, 2), "AB"},
    {"copy_from_beyond", CopyFrom("ABCDE", 9), ""},
    {"delete_past_end", Delete("ABCDE", 4, 100), "ABC"},
    {"delete_pos_zero_nothing", Delete("ABCDE", 0, 2), "ABCDE"},
    {"insert_beyond_appends", Insert("xy", "ABC", 10), "ABCxy"},
    {"before_including", StrBefore("DL1ABC/P", "/", true), "DL1ABC/"},
    {"before_absent", StrBefore("DL1ABC", "/"), ""},
    {"after_from", StrAfter("599/012", "/", true), "/012"},
    {"after_absent", StrAfter("599", "/"), "599"},
    {"between", StrBetween("CALL (CALL) x", "(", ")"), "CALL"},
    {"between_no_end", StrBetween("CALL (CALL", "(", ")"), ""},
    {"replace_text_growing", ReplaceText("aa", "a", "aa"), "aaaa"},
    {"replace_text_empty_old", ReplaceText("abc", "", "x"), "abc"},
    {"file_name_safe", FileNameSafe("DL/1\\A:B"), "DL_1_A_B"},
};
INSTANTIATE_TEST_SUITE_P(Rows, Texts, ::testing::ValuesIn(kTextRows), testing::RowName);

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
