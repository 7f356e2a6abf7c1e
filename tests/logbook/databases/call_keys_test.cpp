// Golden key texts of the call tables, for one full record of each file, and the birth-date key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logbook/databases/call_keys.h"
#include "logbook/databases/call_record.h"
#include "tests/common/rows.h"

namespace logbook {
namespace {

// A record with every tag 1..35 set to "T<tag>" except the few given here.
TCallRec FullRecord(std::vector<std::pair<int, std::string>> values) {
  TCallRec r;
  r.call = "DL1ABC/P";
  for (int tag = 1; tag <= 35; ++tag) {
    std::string v = "T" + std::to_string(tag);
    for (const auto& [t, text] : values) {
      if (t == tag) v = text;
    }
    EXPECT_TRUE(CallFieldPut(r, static_cast<std::uint8_t>(tag), v));
  }
  return r;
}

std::vector<std::string> Keys(const TCallRec& r, int count, storage::DriverKeyBuilder builder) {
  std::vector<std::string> keys;
  for (int k = 1; k <= count; ++k) {
    std::string text = "untouched";
    builder(reinterpret_cast<const std::uint8_t*>(&r), static_cast<std::uint16_t>(k), text);
    keys.push_back(text);
  }
  return keys;
}

TEST(CallKeys, CallDataGoldenTexts) {
  const TCallRec r = FullRecord({{6, "123"}, {11, "7.3.1961"}, {1, "DIG-NUMBER-LONG"}});
  const std::vector<std::string> expected = {
      "DL1ABC/P  ", "DIG-N", "T2   ", "T3        ", "T",          "  123", "T7 ",
      "T15       ", "T16       ", "T17       ", "T18       ", "T19       ", "T20       ",
      "T21       ", "0703",       "T22       ", "T23       ", "T24       ", "T25       "};
  EXPECT_EQ(Keys(r, kCallDataKeys, CallDataKeys), expected);
  EXPECT_EQ(CallDataKeyList().Count(), kCallDataKeys);
}

TEST(CallKeys, CallBookGoldenTexts) {
  const TCallRec r = FullRecord({{5, "12345"}, {4, "Friedrich Wilhelm Alexander"}});
  const std::vector<std::string> expected = {
      "DL1ABC/P  ", "T1    ", "T2    ", "T3        ", "Friedrich Wilhelm Al", "1234",
      "T6      DL1ABC/P  ", "T8    ", "T9    ", "T10   ", "T11   ", "T12   ", "T13   ",
      "T14   ", "T32   ", "T33   ", "T34   ", "T35   "};
  EXPECT_EQ(Keys(r, kCallBookKeys, CallBookKeys), expected);
  EXPECT_EQ(CallBookKeyList().Count(), kCallBookKeys);
}

TEST(CallKeys, CallsOfElevenToFourteenCharactersKeyOnTheirFirstTen) {
  TCallRec r;
  r.call = "DL/OE1ABC/MM";  // 12 characters: the four reserved bytes hold the rest
  EXPECT_EQ(Keys(r, 1, CallDataKeys)[0], "DL/OE1ABC/");
  EXPECT_EQ(r.call.str(), "DL/OE1ABC/MM");
}

const common::testing::Row<const char*, const char*> kBirthDates[] = {
    {"DayPointMonthPoint", "1.5.", "0105"},
    {"TwoDigitDayOneDigitMonth", "01.5.", "0105"},
    {"OneDigitDayTwoDigitMonth", "1.05.", "0105"},
    {"FullDate", "01.05.1990", "0105"},
    {"TwoDigitYear", "1.5.90", "0105"},
    {"LeadingBlanks", "  24.12.", "2412"},
    {"NoDateMarker", "01.01.1600", "    "},
    {"Year2000Marker", "2000", "    "},
    {"Empty", "", "    "},
    {"NotADateKeepsItsCharacters", "ab-cd-ef", "abcd"},
};

class BirthDate : public ::testing::TestWithParam<common::testing::Row<const char*, const char*>> {
};
INSTANTIATE_TEST_SUITE_P(Rows, BirthDate, ::testing::ValuesIn(kBirthDates),
                         common::testing::RowName);

TEST_P(BirthDate, GivesTheKey) { EXPECT_EQ(BirthDateKey(GetParam().in), GetParam().out); }

}  // namespace
}  // namespace logbook
