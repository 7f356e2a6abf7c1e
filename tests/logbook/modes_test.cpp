#include "logbook/modes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/logbook/table_rows.h"

namespace logbook {
namespace {

LOGBOOK_ROWS_PRINT_AS_NAME;

// ---- Fixed names and the default group strings.

struct ClassRow {
  const char* name;
  const char* mode;
  ModeClassLetter letter;
};

class FixedNames : public ::testing::TestWithParam<ClassRow> {};

TEST_P(FixedNames, ModeClass) {
  ToModi modi;
  EXPECT_EQ(modi.ModeClass(GetParam().mode), GetParam().letter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FixedNames,
    ::testing::Values(
        ClassRow{"cw", "CW", 'a'}, ClassRow{"a1a", "A1A", 'a'}, ClassRow{"ssb", "SSB", 'b'},
        ClassRow{"usb", "USB", 'b'}, ClassRow{"lsb", "LSB", 'b'}, ClassRow{"j3e", "J3E", 'b'},
        ClassRow{"am", "AM", 'c'}, ClassRow{"a3e", "A3E", 'c'}, ClassRow{"fm", "FM", 'd'},
        ClassRow{"f3", "F3", 'd'}, ClassRow{"rtty", "RTTY", 'e'}, ClassRow{"ry", "RY", 'e'},
        ClassRow{"wspr", "WSPR", 'e'}, ClassRow{"g_tor", "G-TOR", 'e'},
        ClassRow{"group1_default_text", "RTTY, HELL, MFSK, FSK, WSJT, FSK441, MT63, RY", 'e'},
        ClassRow{"tor", "TOR", 'g'}, ClassRow{"sat", "SAT", 'k'}, ClassRow{"psk31", "PSK31", 'l'},
        ClassRow{"dmr", "DMR", 'l'}, ClassRow{"jt65", "JT65", 'l'}, ClassRow{"throb", "THROB", 'l'},
        ClassRow{"packet", "PACKET", 'm'}, ClassRow{"pr", "PR", 'm'},
        ClassRow{"amtor_by_group_2", "AMTOR", 'f'}, ClassRow{"pactor_by_group_3", "PACTOR", 'g'},
        ClassRow{"fax_by_group_6", "FAX", 'h'}, ClassRow{"atv_by_group_5", "ATV", 'i'},
        ClassRow{"sstv_by_group_4", "SSTV", 'j'}, ClassRow{"twice_usb", "2xUSB", 'b'},
        ClassRow{"twice_upper_cw", "2XCW", 'a'}, ClassRow{"trimmed", " CW ", 'a'},
        ClassRow{"lower_case_unknown", "usb", kNoModeClass},
        ClassRow{"ft8_unknown", "FT8", kNoModeClass},
        ClassRow{"hell_alone_unknown", "HELL", kNoModeClass}, ClassRow{"empty", "", kNoModeClass},
        ClassRow{"blanks", "  ", kNoModeClass}, ClassRow{"twice_only", "2x", kNoModeClass}),
    RowName());

TEST(Modes, GroupStringsOverrideEveryOtherAnswer) {
  ToModi modi;
  modi.SetGroup2("FT8");
  EXPECT_EQ(modi.ModeClass("FT8"), 'f');
  modi.SetGroup4("CW");  // group 4 is compared last and wins over the fixed name
  EXPECT_EQ(modi.ModeClass("CW"), 'j');
  modi.SetGroup2("");  // an empty group string names no mode
  EXPECT_EQ(modi.ModeClass("FT8"), kNoModeClass);
  EXPECT_EQ(modi.GetGroup2(), "");
  EXPECT_EQ(modi.GetGroup1(), "RTTY, HELL, MFSK, FSK, WSJT, FSK441, MT63, RY");
  EXPECT_EQ(modi.GetGroup3(), "PACTOR");
  EXPECT_EQ(modi.GetGroup5(), "ATV");
  EXPECT_EQ(modi.GetGroup6(), "FAX");
}

// ---- User alias lists: whole entries, the first class wins.

struct AliasRow {
  const char* name;
  int class_index;
  const char* list;
  const char* mode;
  ModeClassLetter letter;
};

class UserAliases : public ::testing::TestWithParam<AliasRow> {};

TEST_P(UserAliases, ModeClass) {
  ToModi modi;
  modi.SetAliasList(GetParam().list, GetParam().class_index);
  EXPECT_EQ(modi.ModeClass(GetParam().mode), GetParam().letter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, UserAliases,
    ::testing::Values(AliasRow{"last_entry", 4, "FT4;FT8", "FT8", 'e'},
                      AliasRow{"first_entry", 4, "FT4;FT8", "FT4", 'e'},
                      AliasRow{"comma_separated", 4, "FT4,FT8,JS8", "FT8", 'e'},
                      AliasRow{"blanks_around_entries", 4, "FT4 ; FT8 , JS8", "FT8", 'e'},
                      AliasRow{"list_upper_cased", 4, "ft8;ft4", "FT8", 'e'},
                      AliasRow{"text_not_upper_cased", 4, "FT8", "ft8", kNoModeClass},
                      AliasRow{"end_of_list_a1a", 0, "CW;A1A", "A1A", 'a'},
                      AliasRow{"no_substring_match", 4, "XFT8;", "FT8", kNoModeClass},
                      AliasRow{"no_substring_at_end", 4, "XFT8", "FT8", kNoModeClass},
                      AliasRow{"no_substring_cw", 1, "XCW;", "CW", 'a'},
                      AliasRow{"empty_text", 4, "FT8;", "", kNoModeClass},
                      AliasRow{"empty_text_empty_entry", 4, ";;", "", kNoModeClass},
                      AliasRow{"user_name_beats_fixed", 1, "CW", "CW", 'b'},
                      AliasRow{"twice_prefix_dropped", 4, "FT8", "2xFT8", 'e'},
                      AliasRow{"last_class", 12, "VARA", "VARA", 'm'}),
    RowName());

TEST(Modes, FirstMatchingClassWins) {
  ToModi modi;
  modi.SetAliasList("FT8", 11);
  modi.SetAliasList("FT8", 4);
  EXPECT_EQ(modi.ModeClass("FT8"), 'e');
  modi.ClearAliasLists();
  EXPECT_EQ(modi.ModeClass("FT8"), kNoModeClass);
  EXPECT_EQ(modi.GetAliasList(4), "");
}

TEST(Modes, AliasListsKeepTheirTextAndIgnoreBadIndexes) {
  ToModi modi;
  modi.SetAliasList("FT8;FT4", 4);
  EXPECT_EQ(modi.GetAliasList(4), "FT8;FT4");
  modi.SetAliasList("X", 13);
  modi.SetAliasList("X", -1);
  EXPECT_EQ(modi.GetAliasList(13), "");
  EXPECT_EQ(modi.GetAliasList(-1), "");
  modi.SetAliasList(std::string(300, 'A'), 0);
  EXPECT_EQ(modi.GetAliasList(0).size(), 255u);
}

// ---- Groups, report names, mode kinds.

TEST(Modes, GroupAndReportNameOfEveryClass) {
  ToModi modi;
  const std::string groups = "0221333332433";  // 0 CW, 1 FM, 2 phone, 3 data, 4 other
  const char* names[] = {"CW", "PH", "PH", "FM", "RY", "", "", "", "", "", "", "RY", "RY"};
  for (int i = 0; i < kModeClassCount; ++i) {
    const char letter = static_cast<char>('a' + i);
    EXPECT_EQ(modi.ModeGroup(letter), groups[static_cast<std::size_t>(i)] - '0') << letter;
    EXPECT_EQ(modi.ClassName(letter), names[i]) << letter;
  }
  EXPECT_EQ(modi.ModeGroup('z'), kNoModeGroup);
  EXPECT_EQ(modi.ModeGroup(kNoModeClass), kNoModeGroup);
  EXPECT_EQ(modi.ClassName('z'), "");
}

struct KindRow {
  const char* name;
  const char* mode;
  int plain;
  int digital_apart;
};

class ModeKinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(ModeKinds, BothFlags) {
  ToModi modi;
  EXPECT_EQ(modi.ModeKind(GetParam().mode, false), GetParam().plain);
  EXPECT_EQ(modi.ModeKind(GetParam().mode, true), GetParam().digital_apart);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeKinds,
    ::testing::Values(KindRow{"cw", "CW", 0, 0}, KindRow{"ssb", "SSB", 1, 1},
                      KindRow{"fm", "FM", 3, 1}, KindRow{"rtty", "RTTY", 5, 5},
                      KindRow{"sstv_phone_group", "SSTV", 1, 1},
                      KindRow{"sat_other_group", "SAT", 3, 3}, KindRow{"ft8", "FT8", 3, 5},
                      KindRow{"ft4_prefix", "FT4X", 3, 5}, KindRow{"jt_prefix", "JT9H", 3, 5},
                      KindRow{"hell", "HELL", 3, 5}, KindRow{"contestia", " CONTESTIA ", 3, 5},
                      KindRow{"unknown", "XYZ", 3, 3}, KindRow{"empty", "", 3, 3}),
    RowName());

TEST(Modes, UserModeListHoldsEachTextOnce) {
  ToModi modi;
  EXPECT_EQ(modi.ModeListCount(), 0);
  modi.AddMode("FT8");
  modi.AddMode("JS8");
  modi.AddMode("FT8");
  modi.AddMode("ft8");  // case matters
  EXPECT_EQ(modi.ModeListCount(), 3);
  EXPECT_EQ(modi.ModeListItem(0), "FT8");
  EXPECT_EQ(modi.ModeListItem(2), "ft8");
  EXPECT_EQ(modi.ModeListItem(3), "");
  EXPECT_EQ(modi.ModeListItem(-1), "");
  modi.ClearModeList();
  EXPECT_EQ(modi.ModeListCount(), 0);
}

}  // namespace
}  // namespace logbook
