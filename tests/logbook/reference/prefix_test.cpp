#include "logbook/reference/prefix.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/logbook/reference/table_rows.h"

namespace logbook {
namespace {

// A call: the part that carries the prefix (mode 0) and the base call (mode 1).
const std::tuple<const char*, const char*, const char*, const char*> kCalls[] = {
    {"plain", "DL1ABC", "DL1ABC", "DL1ABC"},
    {"lower_case", "dl1abc", "DL1ABC", "DL1ABC"},
    {"slashed_zero", "DL\330ABC", "DL0ABC", "DL0ABC"},
    {"hash_and_dash_join", "DL#1ABC-P", "DL#1ABC-P", "DL#1ABC-P"},
    {"empty", "", "", ""},
    {"only_separators", "///", "", ""},
    {"portable", "DL1ABC/P", "DL1ABC", "DL1ABC"},
    {"aeronautical_mobile", "DL1ABC/AM", "DL1ABC", "DL1ABC"},
    {"maritime_mobile", "DL1ABC/MM", "DL1ABC", "DL1ABC"},
    {"lighthouse", "DL1ABC/LH", "DL1ABC", "DL1ABC"},
    {"letters_not_in_table", "DL1ABC/QRP", "DL1ABC", "DL1ABC"},
    {"blank_separates", "DL1ABC P", "DL1ABC", "DL1ABC"},
    {"umlaut_separates", "DL1ABC\xC4P", "DL1ABC", "DL1ABC"},
    {"trailing_slash", "DL1ABC/", "DL1ABC", "DL1ABC"},
    {"trailing_slashes", "DL1ABC//", "DL1ABC", "DL1ABC"},
    {"double_slash_suffix", "DL1ABC//P", "DL1ABC", "DL1ABC"},
    {"double_slash_prefix", "OE//DL1ABC", "OE", "DL1ABC"},
    {"leading_slash", "/DL1ABC", "DL1ABC", "DL1ABC"},
    {"guest_prefix", "OE/DL1ABC", "OE", "DL1ABC"},
    {"guest_prefix_with_area", "OE3/DL1ABC", "OE3", "DL1ABC"},
    {"guest_prefix_behind", "DL1ABC/OE3", "OE3", "DL1ABC"},
    {"us_area_behind", "K1ABC/VE3", "VE3", "K1ABC"},
    {"us_area_before", "VE3/K1ABC", "VE3", "K1ABC"},
    {"hawaii_behind", "K1ABC/KH6", "KH6", "K1ABC"},
    {"main_prefix_first_longer", "VP2E/K1", "VP2E", "K1"},
    {"no_main_prefix_first_longer", "VP2X/K1", "K1", "VP2X"},
    {"main_prefix_second", "K1/VP2E", "VP2E", "K1"},
    {"equal_lengths", "DL1AB/OE3XY", "DL1AB", "OE3XY"},
    {"area_digit", "DL1ABC/3", "DL3", "DL1ABC"},
    {"area_digit_us", "W1AW/4", "W4", "W1AW"},
    {"area_digit_after_digit_prefix", "9A1ABC/2", "9A2", "9A1ABC"},
    {"area_digit_searched_from_second", "2E0ABC/5", "2E5", "2E0ABC"},
    {"area_digit_zero", "RA9ABC/0", "RA0", "RA9ABC"},
    {"area_digit_no_digit_in_call", "ABCDEF/3", "3", "ABCDEF"},
    {"second_ends_in_three_letters", "DL1ABCD/K1ABC", "", "DL1ABCD"},
    {"second_ends_in_three_digits", "DL1ABC/DL123", "", "DL1ABC"},
    {"first_ends_in_three_letters", "DL1ABC/OE3ABC", "", "OE3ABC"},
    {"first_ends_in_three_digits", "DL123/OE3AB", "", "OE3AB"},
    {"two_letters_kept", "DL1ABC/OE3AB", "OE3AB", "DL1ABC"},
    {"austral_islands", "FO/A", "FO/A", "FO/A"},
    {"marquesas_with_call", "FO5ABC/M", "FO5ABC/M", "FO5ABC/M"},
    {"bouvet", "3Y/B", "3Y/B", "3Y/B"},
    {"peter_i", "3Y/P", "3Y/P", "3Y/P"},
    {"shetland", "GM/SH", "GM/SH", "GM/SH"},
    {"scottish_call_shetland", "GM3ABC/SC", "GM3ABC/SC", "GM3ABC/SC"},
    {"bear_island", "JW/B", "JW/B", "JW/B"},
    {"glorioso", "FR/G", "FR/G", "FR/G"},
    {"rotuma", "3D2/R", "3D2/R", "3D2/R"},
    {"seychelles_head_three", "VQ9ABC/D", "VQ9ABC/D", "VQ9ABC/D"},
    {"north_cook", "ZK1/N", "ZK1/N", "ZK1/N"},
    {"not_special_letter", "FO/B", "FO", "FO"},
    {"not_special_pair", "GM/SZ", "GM", "GM"},
    {"three_guest_portable", "OE/DL1ABC/P", "OE", "DL1ABC"},
    {"three_guest_area", "OE/DL1ABC/3", "OE", "DL1ABC"},
    {"three_special_then_call", "3Y/B/LA1ABC", "3Y/B", "LA1ABC"},
    {"three_special_then_suffix", "FO/A/P", "FO/A", "FO/A"},
    {"three_special_then_letters", "3Y/B/QRP", "3Y/B", "3Y/B"},
    {"four_special_call_suffix", "FO/M/DL1ABC/P", "FO/M", "DL1ABC"},
    {"four_special_suffix_call", "FO/A/P/DL1ABC", "FO/A", "DL1ABC"},
    {"four_special_two_calls", "FO/A/DL1ABC/F5XY", "FO/A", "DL1ABC"},
    {"four_plain", "OE/DL1ABC/P/QRP", "OE", "DL1ABC"},
    {"five_parts", "OE/DL1ABC/P/QRP/X", "OE", "DL1ABC"},
};
LOGBOOK_TABLE(Extract, kCalls);

TEST_P(Extract, BothModes) {
  const ToPrefix prefix;
  const auto [name, call, prefix_part, base_call] = GetParam();
  EXPECT_EQ(prefix.ExtractPrefix(call, ToPrefix::kPrefixPart), prefix_part);
  EXPECT_EQ(prefix.ExtractPrefix(call, ToPrefix::kBaseCall), base_call);
  EXPECT_EQ(prefix.GetPrefixPlain(call), prefix_part);
  EXPECT_EQ(prefix.GetPrefix(call), base_call);
  EXPECT_EQ(prefix.HasPortablePart(call), std::string(prefix_part) != base_call);
}

TEST(ToPrefix, SuffixTableDefaultsBoundsAndUse) {
  ToPrefix prefix;
  const char* suffixes[] = {"A", "AM", "M", "MM", "P", "LH", "LGT"};
  const int codes[] = {255, 0, 255, 0, 255, 255, 255};
  for (int i = 1; i <= ToPrefix::kSuffixCount; ++i) {
    const TSuffixEntry e = prefix.GetSuffixEntry(i);
    EXPECT_EQ(e.suffix.view(), i <= 7 ? suffixes[i - 1] : "") << i;
    EXPECT_EQ(e.code, i <= 7 ? codes[i - 1] : 255) << i;
    EXPECT_EQ(e.reserved[0] | e.reserved[1], 0) << i;
  }
  EXPECT_EQ(prefix.Interactive(), 1);
  // "P2" holds a digit, so it counts as a prefix part until the table names it a suffix.
  EXPECT_EQ(prefix.GetPrefixPlain("DL1ABC/P2"), "P2");
  TSuffixEntry entry;
  entry.suffix = "P2";
  entry.reserved[1] = 9;
  prefix.SetSuffixEntry(18, entry);
  prefix.SetSuffixEntry(0, TSuffixEntry{});   // ignored
  prefix.SetSuffixEntry(19, TSuffixEntry{});  // ignored
  EXPECT_EQ(prefix.GetPrefixPlain("DL1ABC/P2"), "DL1ABC");
  EXPECT_EQ(prefix.GetSuffixEntry(0).suffix.view(), "P2");
  EXPECT_EQ(prefix.GetSuffixEntry(99).reserved[1], 9);
}

TEST(ToPrefix, IsSpecialEntityAndItsHeadLength) {
  const auto special = [](const char* head, const char* next) {
    int length = -1;
    const bool is = ToPrefix::IsSpecialEntity(head, next, length);
    return std::pair(is, length);
  };
  EXPECT_EQ(special("JW1ABC", "S"), std::pair(true, 2));
  EXPECT_EQ(special("3D2AB", "C"), std::pair(true, 3));
  EXPECT_EQ(special("ZK1", "S"), std::pair(true, 3));
  EXPECT_EQ(special("GM", "SC"), std::pair(true, 2));
  EXPECT_EQ(special("GM", "S"), std::pair(false, 0));
  EXPECT_EQ(special("JW", "BSS"), std::pair(false, 0));
  EXPECT_EQ(special("FO", "X"), std::pair(false, 0));
  EXPECT_EQ(special("F", "A"), std::pair(false, 0));
  EXPECT_EQ(special("FO", ""), std::pair(false, 0));
}

// Each known word is replaced once, as a whole word, in a fixed order.
TEST(ToPrefix, TranslateCountryName) {
  const auto german = [](const char* english) { return ToPrefix::TranslateCountryName(english); };
  EXPECT_EQ(german("North Macedonia"), "North Mazedonien");  // "Macedonia" comes earlier
  EXPECT_EQ(german("Fed. Rep. (Germany)"), "Fed. Rep. (Deutschland)");
  EXPECT_EQ(german("Austria"), "Österreich");
  EXPECT_EQ(german("Faroe Is."), "Färöer Inseln");
  EXPECT_EQ(german("Christmas I."), "Weihnachts Insel");
  EXPECT_EQ(german("Antarctica"), "Antarktis (Südpolargebiet)");
  EXPECT_EQ(german("Northern Ireland"), "Nordirland");
  EXPECT_EQ(german("Dominican Rep.:"), "Dominikanische Republik:");
  EXPECT_EQ(german("Indiana"), "Indiana");
  EXPECT_EQ(german("UnCongo"), "UnCongo");
  EXPECT_EQ(german("Indiana India"), "Indiana India");
  EXPECT_EQ(german(""), "");
}

TEST(ToPrefix, CallPrefixPartWholeAndStoppedAtThree) {
  const auto part = [](const char* call) {
    return ToPrefix::CallPrefixPart(call, true) + " " + ToPrefix::CallPrefixPart(call, false);
  };
  EXPECT_EQ(part("DL1ABC"), "DL1 DL1");
  EXPECT_EQ(part("DL10ABC"), "DL10 DL1");
  EXPECT_EQ(part("W10ABC"), "W10 W10");
  EXPECT_EQ(part("2E0ABC"), "2E0 2E0");
  EXPECT_EQ(part("3DA0XYZ"), "3DA0 3DA0");
  EXPECT_EQ(part("3DA012X"), "3DA012 3DA0");
  EXPECT_EQ(part("ABC"), "ABC ABC");
  EXPECT_EQ(part(""), " ");
}

}  // namespace
}  // namespace logbook
