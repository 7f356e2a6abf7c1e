#include "logbook/reference/modes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/logbook/reference/table_rows.h"

namespace logbook {
namespace {

// Mode texts with the default settings.
const std::tuple<const char*, const char*, ModeClassLetter, int, const char*, int, int> kModes[] = {
    {"cw", "CW", 'a', 0, "CW", 0, 0},
    {"ssb", "SSB", 'b', 2, "PH", 1, 1},
    {"am", "AM", 'c', 2, "PH", 1, 1},
    {"fm", "FM", 'd', 1, "FM", 3, 1},
    {"rtty", "RTTY", 'e', 3, "RY", 5, 5},
    {"g_tor", "G-TOR", 'e', 3, "RY", 5, 5},
    {"group1_default_text", "RTTY, HELL, MFSK, FSK, WSJT, FSK441, MT63, RY", 'e', 3, "RY", 5, 5},
    {"amtor_by_group_2", "AMTOR", 'f', 3, "", 5, 5},
    {"tor", "TOR", 'g', 3, "", 5, 5},
    {"pactor_by_group_3", "PACTOR", 'g', 3, "", 5, 5},
    {"fax_by_group_6", "FAX", 'h', 3, "", 5, 5},
    {"atv_by_group_5", "ATV", 'i', 3, "", 5, 5},
    {"sstv_by_group_4", "SSTV", 'j', 2, "", 1, 1},
    {"sat", "SAT", 'k', 4, "", 3, 3},
    {"psk31", "PSK31", 'l', 3, "RY", 5, 5},
    {"jt65", "JT65", 'l', 3, "RY", 5, 5},
    {"throb", "THROB", 'l', 3, "RY", 5, 5},
    {"packet", "PACKET", 'm', 3, "RY", 5, 5},
    {"twice_usb", "2xUSB", 'b', 2, "PH", 1, 1},
    {"twice_upper_cw", "2XCW", 'a', 0, "CW", 0, 0},
    {"trimmed", " CW ", 'a', 0, "CW", 0, 0},
    {"lower_case_unknown", "usb", kNoModeClass, kNoModeGroup, "", 3, 3},
    {"ft8_digital", "FT8", kNoModeClass, kNoModeGroup, "", 3, 5},
    {"ft4_prefix", "FT4X", kNoModeClass, kNoModeGroup, "", 3, 5},
    {"jt_prefix", "JT9H", kNoModeClass, kNoModeGroup, "", 3, 5},
    {"hell_alone_digital", "HELL", kNoModeClass, kNoModeGroup, "", 3, 5},
    {"contestia", " CONTESTIA ", kNoModeClass, kNoModeGroup, "", 3, 5},
    {"empty", "", kNoModeClass, kNoModeGroup, "", 3, 3},
    {"twice_only", "2x", kNoModeClass, kNoModeGroup, "", 3, 3},
};
LOGBOOK_TABLE(Modes, kModes);

TEST_P(Modes, ClassGroupAndKind) {
  const ToModi modi;
  const auto [name, mode, letter, group, report_name, kind, digital_kind] = GetParam();
  EXPECT_EQ(modi.ModeClass(mode), letter);
  EXPECT_EQ(modi.ModeGroup(letter), group);
  EXPECT_EQ(modi.ClassName(letter), report_name);
  EXPECT_EQ(modi.ModeKind(mode, false), kind);
  EXPECT_EQ(modi.ModeKind(mode, true), digital_kind);
}

TEST(ToModi, GroupStringsOverrideEveryOtherAnswer) {
  ToModi modi;
  EXPECT_EQ(modi.GetGroup1(), "RTTY, HELL, MFSK, FSK, WSJT, FSK441, MT63, RY");
  modi.SetGroup2("FT8");
  EXPECT_EQ(modi.ModeClass("FT8"), 'f');
  modi.SetGroup4("CW");  // group 4 is compared last and wins over the fixed name
  EXPECT_EQ(modi.ModeClass("CW"), 'j');
  modi.SetGroup2("");  // an empty group string names no mode
  EXPECT_EQ(modi.ModeClass("FT8"), kNoModeClass);
  EXPECT_EQ(modi.GetGroup2(), "");
  EXPECT_EQ(modi.ModeGroup('z'), kNoModeGroup);
  EXPECT_EQ(modi.ClassName('z'), "");
}

// User alias lists: whole entries only.
const std::tuple<const char*, int, const char*, const char*, ModeClassLetter> kAliasLists[] = {
    {"last_entry", 4, "FT4;FT8", "FT8", 'e'},
    {"comma_separated", 4, "FT4,FT8,JS8", "FT8", 'e'},
    {"blanks_around_entries", 4, "FT4 ; FT8 , JS8", "FT8", 'e'},
    {"list_upper_cased", 4, "ft8;ft4", "FT8", 'e'},
    {"text_not_upper_cased", 4, "FT8", "ft8", kNoModeClass},
    {"no_substring_match", 4, "XFT8;", "FT8", kNoModeClass},
    {"no_substring_cw", 1, "XCW;", "CW", 'a'},
    {"empty_text", 4, "FT8;", "", kNoModeClass},
    {"user_name_beats_fixed", 1, "CW", "CW", 'b'},
    {"twice_prefix_dropped", 4, "FT8", "2xFT8", 'e'},
    {"last_class", 12, "VARA", "VARA", 'm'},
};
LOGBOOK_TABLE(AliasLists, kAliasLists);

TEST_P(AliasLists, ModeClass) {
  ToModi modi;
  const auto [name, class_index, list, mode, letter] = GetParam();
  modi.SetAliasList(list, class_index);
  EXPECT_EQ(modi.ModeClass(mode), letter);
}

TEST(ToModi, UserListsKeepTheirTexts) {
  ToModi modi;
  modi.SetAliasList("FT8", 11);
  modi.SetAliasList("FT8;FT4", 4);
  EXPECT_EQ(modi.ModeClass("FT8"), 'e');
  EXPECT_EQ(modi.GetAliasList(4), "FT8;FT4");
  modi.SetAliasList("X", 13);
  modi.SetAliasList("X", -1);
  EXPECT_EQ(modi.GetAliasList(13), "");
  EXPECT_EQ(modi.GetAliasList(-1), "");
  modi.SetAliasList(std::string(300, 'A'), 0);
  EXPECT_EQ(modi.GetAliasList(0).size(), 255u);
  modi.ClearAliasLists();
  EXPECT_EQ(modi.ModeClass("FT8"), kNoModeClass);
  EXPECT_EQ(modi.GetAliasList(4), "");
  // The user's mode list holds each text once.
  for (const char* mode : {"FT8", "JS8", "FT8", "ft8"}) modi.AddMode(mode);  // case matters
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
