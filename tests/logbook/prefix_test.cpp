#include "logbook/prefix.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/logbook/table_rows.h"

namespace logbook {
namespace {

LOGBOOK_ROWS_PRINT_AS_NAME;

// ---- ExtractPrefix: each row gives the part that carries the prefix (mode 0) and the base call
// (mode 1).

struct CallRow {
  const char* name;
  const char* call;
  const char* prefix_part;
  const char* base_call;
};

class Extract : public ::testing::TestWithParam<CallRow> {
 protected:
  ToPrefix prefix_;
};

TEST_P(Extract, BothModes) {
  const CallRow& row = GetParam();
  EXPECT_EQ(prefix_.ExtractPrefix(row.call, ToPrefix::kPrefixPart), row.prefix_part);
  EXPECT_EQ(prefix_.ExtractPrefix(row.call, ToPrefix::kBaseCall), row.base_call);
  EXPECT_EQ(prefix_.GetPrefixPlain(row.call), row.prefix_part);
  EXPECT_EQ(prefix_.GetPrefix(row.call), row.base_call);
}

INSTANTIATE_TEST_SUITE_P(
    Prefix, Extract,
    ::testing::Values(
        // One part.
        CallRow{"plain", "DL1ABC", "DL1ABC", "DL1ABC"},
        CallRow{"lower_case", "dl1abc", "DL1ABC", "DL1ABC"},
        CallRow{"slashed_zero",
                "DL\xD8"
                "ABC",
                "DL0ABC", "DL0ABC"},
        CallRow{"hash_and_dash_join", "DL1ABC-P", "DL1ABC-P", "DL1ABC-P"},
        CallRow{"empty", "", "", ""}, CallRow{"only_separators", "///", "", ""},
        // Suffixes and parts without digits.
        CallRow{"portable", "DL1ABC/P", "DL1ABC", "DL1ABC"},
        CallRow{"aeronautical_mobile", "DL1ABC/AM", "DL1ABC", "DL1ABC"},
        CallRow{"maritime_mobile", "DL1ABC/MM", "DL1ABC", "DL1ABC"},
        CallRow{"mobile", "DL1ABC/M", "DL1ABC", "DL1ABC"},
        CallRow{"alternative", "DL1ABC/A", "DL1ABC", "DL1ABC"},
        CallRow{"lighthouse", "DL1ABC/LH", "DL1ABC", "DL1ABC"},
        CallRow{"lightship", "DL1ABC/LGT", "DL1ABC", "DL1ABC"},
        CallRow{"letters_not_in_table", "DL1ABC/QRP", "DL1ABC", "DL1ABC"},
        CallRow{"country_letters_ignored", "DL1ABC/OE", "DL1ABC", "DL1ABC"},
        CallRow{"blank_separates", "DL1ABC P", "DL1ABC", "DL1ABC"},
        CallRow{"umlaut_separates", "DL1ABC\xC4P", "DL1ABC", "DL1ABC"},
        // Extra separators.
        CallRow{"trailing_slash", "DL1ABC/", "DL1ABC", "DL1ABC"},
        CallRow{"trailing_slashes", "DL1ABC//", "DL1ABC", "DL1ABC"},
        CallRow{"double_slash_suffix", "DL1ABC//P", "DL1ABC", "DL1ABC"},
        CallRow{"double_slash_prefix", "OE//DL1ABC", "OE", "DL1ABC"},
        CallRow{"leading_slash", "/DL1ABC", "DL1ABC", "DL1ABC"},
        CallRow{"leading_blank", " DL1ABC ", "DL1ABC", "DL1ABC"},
        // Two parts weighed.
        CallRow{"guest_prefix", "OE/DL1ABC", "OE", "DL1ABC"},
        CallRow{"guest_prefix_with_area", "OE3/DL1ABC", "OE3", "DL1ABC"},
        CallRow{"guest_prefix_behind", "DL1ABC/OE3", "OE3", "DL1ABC"},
        CallRow{"us_area_behind", "K1ABC/VE3", "VE3", "K1ABC"},
        CallRow{"us_area_before", "VE3/K1ABC", "VE3", "K1ABC"},
        CallRow{"hawaii_behind", "K1ABC/KH6", "KH6", "K1ABC"},
        CallRow{"main_prefix_first_longer", "VP2E/K1", "VP2E", "K1"},
        CallRow{"no_main_prefix_first_longer", "VP2X/K1", "K1", "VP2X"},
        CallRow{"main_prefix_second", "K1/VP2E", "VP2E", "K1"},
        CallRow{"equal_lengths", "DL1AB/OE3XY", "DL1AB", "OE3XY"},
        // Lone area digit.
        CallRow{"area_digit", "DL1ABC/3", "DL3", "DL1ABC"},
        CallRow{"area_digit_same", "DL1ABC/1", "DL1", "DL1ABC"},
        CallRow{"area_digit_us", "W1AW/4", "W4", "W1AW"},
        CallRow{"area_digit_after_digit_prefix", "9A1ABC/2", "9A2", "9A1ABC"},
        CallRow{"area_digit_searched_from_second", "2E0ABC/5", "2E5", "2E0ABC"},
        CallRow{"area_digit_zero", "RA9ABC/0", "RA0", "RA9ABC"},
        CallRow{"area_digit_no_digit_in_call", "ABCDEF/3", "3", "ABCDEF"},
        // Runs of three letters or digits: a whole call, not a prefix.
        CallRow{"second_ends_in_three_letters", "DL1ABCD/K1ABC", "", "DL1ABCD"},
        CallRow{"second_ends_in_three_digits", "DL1ABC/DL123", "", "DL1ABC"},
        CallRow{"first_ends_in_three_letters", "DL1ABC/OE3ABC", "", "OE3ABC"},
        CallRow{"first_ends_in_three_digits", "DL123/OE3AB", "", "OE3AB"},
        CallRow{"two_letters_kept", "DL1ABC/OE3AB", "OE3AB", "DL1ABC"},
        // Special entities.
        CallRow{"austral_islands", "FO/A", "FO/A", "FO/A"},
        CallRow{"marquesas_with_call", "FO5ABC/M", "FO5ABC/M", "FO5ABC/M"},
        CallRow{"bouvet", "3Y/B", "3Y/B", "3Y/B"}, CallRow{"peter_i", "3Y/P", "3Y/P", "3Y/P"},
        CallRow{"shetland", "GM/SH", "GM/SH", "GM/SH"},
        CallRow{"scottish_call_shetland", "GM3ABC/SC", "GM3ABC/SC", "GM3ABC/SC"},
        CallRow{"bear_island", "JW/B", "JW/B", "JW/B"}, CallRow{"glorioso", "FR/G", "FR/G", "FR/G"},
        CallRow{"rotuma", "3D2/R", "3D2/R", "3D2/R"},
        CallRow{"seychelles_head_three", "VQ9ABC/D", "VQ9ABC/D", "VQ9ABC/D"},
        CallRow{"north_cook", "ZK1/N", "ZK1/N", "ZK1/N"},
        CallRow{"not_special_letter", "FO/B", "FO", "FO"},
        CallRow{"not_special_pair", "GM/SZ", "GM", "GM"},
        // Three parts.
        CallRow{"three_guest_portable", "OE/DL1ABC/P", "OE", "DL1ABC"},
        CallRow{"three_guest_area", "OE/DL1ABC/3", "OE", "DL1ABC"},
        CallRow{"three_special_then_call", "3Y/B/LA1ABC", "3Y/B", "LA1ABC"},
        CallRow{"three_special_then_suffix", "FO/A/P", "FO/A", "FO/A"},
        CallRow{"three_special_then_letters", "3Y/B/QRP", "3Y/B", "3Y/B"},
        // Four and more parts.
        CallRow{"four_special_call_suffix", "FO/M/DL1ABC/P", "FO/M", "DL1ABC"},
        CallRow{"four_special_suffix_call", "FO/A/P/DL1ABC", "FO/A", "DL1ABC"},
        CallRow{"four_special_two_calls", "FO/A/DL1ABC/F5XY", "FO/A", "DL1ABC"},
        CallRow{"four_plain", "OE/DL1ABC/P/QRP", "OE", "DL1ABC"},
        CallRow{"five_parts", "OE/DL1ABC/P/QRP/X", "OE", "DL1ABC"}),
    RowName());

TEST(Prefix, SuffixTableIsRead) {
  ToPrefix prefix;
  // "P2" holds a digit, so it counts as a prefix part until the table names it a suffix.
  EXPECT_EQ(prefix.GetPrefixPlain("DL1ABC/P2"), "P2");
  TSuffixEntry entry;
  entry.suffix = "P2";
  prefix.SetSuffixEntry(8, entry);
  EXPECT_EQ(prefix.GetPrefixPlain("DL1ABC/P2"), "DL1ABC");
  EXPECT_EQ(prefix.GetPrefix("DL1ABC/P2"), "DL1ABC");
}

TEST(Prefix, HasPortablePart) {
  ToPrefix prefix;
  EXPECT_TRUE(prefix.HasPortablePart("OE/DL1ABC"));
  EXPECT_TRUE(prefix.HasPortablePart("DL1ABC/3"));
  EXPECT_FALSE(prefix.HasPortablePart("DL1ABC/P"));
  EXPECT_FALSE(prefix.HasPortablePart("DL1ABC"));
}

struct SpecialRow {
  const char* name;
  const char* head;
  const char* next;
  int head_length;
};

class Special : public ::testing::TestWithParam<SpecialRow> {};

TEST_P(Special, IsSpecialEntity) {
  int length = -1;
  const bool special = ToPrefix::IsSpecialEntity(GetParam().head, GetParam().next, length);
  EXPECT_EQ(special, GetParam().head_length != 0);
  EXPECT_EQ(length, GetParam().head_length);
}

INSTANTIATE_TEST_SUITE_P(
    Prefix, Special,
    ::testing::Values(SpecialRow{"jw_s", "JW1ABC", "S", 2}, SpecialRow{"fr_e", "FR", "E", 2},
                      SpecialRow{"fo_c", "FO", "C", 2}, SpecialRow{"zk1_s", "ZK1", "S", 3},
                      SpecialRow{"vq9_f", "VQ9", "F", 3}, SpecialRow{"3d2_c", "3D2AB", "C", 3},
                      SpecialRow{"gm_sc", "GM", "SC", 2}, SpecialRow{"gm_single", "GM", "S", 0},
                      SpecialRow{"jw_three", "JW", "BSS", 0},
                      SpecialRow{"fo_other_letter", "FO", "X", 0},
                      SpecialRow{"head_too_short", "F", "A", 0},
                      SpecialRow{"empty_next", "FO", "", 0}),
    RowName());

// ---- The DXCC number table.

TEST(Prefix, DxccPrefixOfNumber) {
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("1"), "VE   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("2"), "A1   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("3"), "YA   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("8"), "VQ9A ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("15"), "RA-AS");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("24"), "3Y/B ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("508"), "FO/A ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("509"), "FO/M ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("512"), "FK/C ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("521"), "Z8   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("522"), "Z6   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(" 024"), "3Y/B ");
  for (const char* none :
       {"73", "83", "87", "92", "121", "156", "300", "0", "523", "-1", "", "1x", "99999999999"}) {
    EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(none), "") << none;
  }
}

TEST(Prefix, DxccNumberOfPrefixSearchesTheCopyUpTo521) {
  ToPrefix prefix;
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("VE"), 1);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(" 3Y/B "), 24);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("FO/A"), 508);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z8"), 521);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z6"), 0);    // 522 lies beyond the copy
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("DL"), 230);  // 81 too (deleted); the last one answers
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("81"), "DL   ");
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("XX"), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(""), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("  "), 0);
}

// ---- Suffix table and flags.

TEST(Prefix, SuffixTableDefaultsAndBounds) {
  ToPrefix prefix;
  const char* suffixes[] = {"A", "AM", "M", "MM", "P", "LH", "LGT"};
  const int codes[] = {255, 0, 255, 0, 255, 255, 255};
  for (int i = 1; i <= ToPrefix::kSuffixCount; ++i) {
    const TSuffixEntry e = prefix.GetSuffixEntry(i);
    EXPECT_EQ(e.suffix.view(), i <= 7 ? suffixes[i - 1] : "") << i;
    EXPECT_EQ(e.code, i <= 7 ? codes[i - 1] : 255) << i;
    EXPECT_EQ(e.reserved[0], 0);
    EXPECT_EQ(e.reserved[1], 0);
  }
  TSuffixEntry last;
  last.suffix = "QRP";
  last.code = 7;
  last.reserved[1] = 9;
  prefix.SetSuffixEntry(18, last);
  prefix.SetSuffixEntry(0, TSuffixEntry{});   // ignored
  prefix.SetSuffixEntry(19, TSuffixEntry{});  // ignored
  EXPECT_EQ(prefix.GetSuffixEntry(0).suffix.view(), "QRP");
  EXPECT_EQ(prefix.GetSuffixEntry(99).reserved[1], 9);
  EXPECT_EQ(prefix.GetSuffixEntry(1).suffix.view(), "A");
  EXPECT_EQ(prefix.Interactive(), 1);
}

// ---- Country names.

struct CountryRow {
  const char* name;
  const char* english;
  const char* german;
};

class Countries : public ::testing::TestWithParam<CountryRow> {};

TEST_P(Countries, TranslateCountryName) {
  EXPECT_EQ(ToPrefix::TranslateCountryName(GetParam().english), GetParam().german);
}

INSTANTIATE_TEST_SUITE_P(
    Prefix, Countries,
    ::testing::Values(
        CountryRow{"north_macedonia_by_earlier_pair", "North Macedonia", "North Mazedonien"},
        CountryRow{"germany", "Germany", "Deutschland"},
        CountryRow{"in_parentheses", "Fed. Rep. (Germany)", "Fed. Rep. (Deutschland)"},
        CountryRow{"umlaut", "Austria", "Österreich"},
        CountryRow{"islands_abbreviation", "Faroe Is.", "Färöer Inseln"},
        CountryRow{"two_pairs", "Christmas I.", "Weihnachts Insel"},
        CountryRow{"longer_name_first", "Antarctica", "Antarktis (Südpolargebiet)"},
        CountryRow{"northern_ireland", "Northern Ireland", "Nordirland"},
        CountryRow{"city", "Vatican City", "Vatikanstaat Stadt"},
        CountryRow{"colon_ends_word", "Dominican Rep.:", "Dominikanische Republik:"},
        CountryRow{"not_inside_a_word", "Indiana", "Indiana"},
        CountryRow{"not_at_word_end", "Chadwick", "Chadwick"},
        CountryRow{"only_first_occurrence", "Indiana India", "Indiana India"},
        CountryRow{"unknown", "Ruritania", "Ruritania"}, CountryRow{"empty", "", ""}),
    RowName());

// ---- Leading part of a call.

struct PartRow {
  const char* name;
  const char* call;
  const char* whole;
  const char* stopped;
};

class CallPart : public ::testing::TestWithParam<PartRow> {};

TEST_P(CallPart, BothWays) {
  EXPECT_EQ(ToPrefix::CallPrefixPart(GetParam().call, true), GetParam().whole);
  EXPECT_EQ(ToPrefix::CallPrefixPart(GetParam().call, false), GetParam().stopped);
}

INSTANTIATE_TEST_SUITE_P(Prefix, CallPart,
                         ::testing::Values(PartRow{"two_letters", "DL1ABC", "DL1", "DL1"},
                                           PartRow{"digit_run", "DL10ABC", "DL10", "DL1"},
                                           PartRow{"one_letter", "W1AW", "W1", "W1"},
                                           PartRow{"one_letter_two_digits", "W10ABC", "W10", "W10"},
                                           PartRow{"leading_digit", "9A1A", "9A1", "9A1"},
                                           PartRow{"leading_digit_zero", "2E0ABC", "2E0", "2E0"},
                                           PartRow{"three_letters", "3DA0XYZ", "3DA0", "3DA0"},
                                           PartRow{"long_run", "3DA012X", "3DA012", "3DA0"},
                                           PartRow{"no_digit", "ABC", "ABC", "ABC"},
                                           PartRow{"empty", "", "", ""}),
                         RowName());

}  // namespace
}  // namespace logbook
