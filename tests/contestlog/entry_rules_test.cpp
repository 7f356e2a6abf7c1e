// What the entry makes of typed texts: the call's stored form, the report by mode, the name's
// room beside DOK and locator, the default report, the band plan and the beam heading's text.
#include "contestlog/entry_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace contestlog {
namespace {

struct CallRow {
  const char* name;
  const char* typed;
  const char* stored;
};

class NormaliseCallRows : public ::testing::TestWithParam<CallRow> {};

TEST_P(NormaliseCallRows, StoresTheCallAsTheLogKeepsIt) {
  EXPECT_EQ(NormaliseCall(GetParam().typed), GetParam().stored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Calls, NormaliseCallRows, ::testing::Values(
    CallRow{"HyphenIsASlash", "dl1abc-p", "DL1ABC/P"},
    CallRow{"BlankIsASlashWithoutOne", "DL1ABC P", "DL1ABC/P"},
    CallRow{"BlankDroppedAfterASlash", "OE/DL1ABC P", "OE/DL1ABCP"},
    CallRow{"OnlyTheFirstBlankIsASlash", "DL1ABC P M", "DL1ABC/PM"},
    CallRow{"HyphenFirstThenBlankDropped", "DL1ABC P-M", "DL1ABCP/M"},
    CallRow{"TrailingHashIsPortable", "dl1abc#", "DL1ABC/p"},
    CallRow{"HashInsideStays", "DL#1ABC", "DL#1ABC"},
    CallRow{"TrimmedBeforeTheBlankRule", "  dl1abc  ", "DL1ABC"},
    CallRow{"UmlautUpperByTheTable", "dl1\xe4\xf6", "DL1\xc4\xd6"},
    CallRow{"CutToTwelve", "DL1ABCDEFGHIJK", "DL1ABCDEFGHI"},
    CallRow{"HashPastTwelveIsCutAway", "DL1ABCDEFGHI#", "DL1ABCDEFGHI"},
    CallRow{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<CallRow>& info) { return info.param.name; });
// clang-format on

TEST(ReportForModeTest, CwCompletesTheToneAndPhoneDropsIt) {
  struct Row {
    const char* report;
    const char* mode;
    const char* result;
  };
  const Row rows[] = {
      {"59", "CW", "599"},   {"57", "CW", "579"},    {"599", "CW", "599"}, {"5", "CW", "5  "},
      {"", "CW", "   "},     {"599", "SSB", "59 "},  {"57", "SSB", "57 "}, {"599", "FM", "59 "},
      {"599", "PR", "59 "},  {"599", "RTTY", "599"}, {"59", "DIGI", "59 "}, {"5999", "CW", "599"},
      {"59", "CW ", "599"},  // the mode as the record keeps it, padded
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReportForMode(row.report, row.mode), row.result) << row.report << " " << row.mode;
  }
}

TEST(NameRoomTest, TheNameLeavesRoomForTheDokAndTheLocator) {
  contest::TContestRec definition;
  definition.ExchangeKindsRcvd = {20, 4, 6};
  EXPECT_EQ(NameRoom(definition, "B36", "JO62QM"), 16 - 3 - 6 - 1);
  EXPECT_EQ(NameRoom(definition, "B36", ""), 16 - 3 - 1);
  definition.ExchangeKindsRcvd = {20, 4, 5};
  EXPECT_EQ(NameRoom(definition, "B36", "JO62"), 16 - 3 - 4 - 1);
  definition.ExchangeKindsRcvd = {20, 4, 0};
  EXPECT_EQ(NameRoom(definition, "B36", "JO62QM"), 16 - 3);
  EXPECT_EQ(NameRoom(definition, "ABCDEFGHIJKLMNOPQRS", ""), 0);
  // Without name and DOK in this order nothing is cut.
  for (const std::array<std::int32_t, 3>& kinds :
       {std::array<std::int32_t, 3>{4, 20, 6}, {20, 6, 4}, {7, 4, 6}}) {
    definition.ExchangeKindsRcvd = kinds;
    EXPECT_EQ(NameRoom(definition, "B36", "JO62QM"), -1) << kinds[0] << kinds[1] << kinds[2];
  }
}

TEST(DefaultReportTest, CwOrATypedModeGiveTheToneNoneUnderJ) {
  EXPECT_EQ(DefaultReport('W', "CW", false), "599");
  EXPECT_EQ(DefaultReport('W', "SSB", false), "59 ");
  EXPECT_EQ(DefaultReport('W', "SSB", true), "599");
  EXPECT_EQ(DefaultReport('j', "CW", false), "");
  EXPECT_EQ(DefaultReport('j', "SSB", true), "");
}

struct BandPlanRow {
  const char* name;
  char code;
  const char* mode;
  char band;
  double frequency;
  bool passes;
};

class BandPlanRows : public ::testing::TestWithParam<BandPlanRow> {};

TEST_P(BandPlanRows, AnswersWhetherTheFrequencyIsInTheRecommendedRange) {
  const BandPlanRow& row = GetParam();
  EXPECT_EQ(CheckBandPlan(row.code, row.mode, row.band, row.frequency), row.passes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Plans, BandPlanRows, ::testing::Values(
    BandPlanRow{"WagCwInThePhoneSegment", 'W', "CW", 'd', 7.1, false},
    BandPlanRow{"WagCwInTheCwSegment", 'W', "CW", 'd', 7.03, true},
    BandPlanRow{"WagCwAtTheEdgeIsOut", 'W', "CW", 'b', 3.56, false},
    BandPlanRow{"WagCwOn20mTop", 'W', "CW", 'e', 14.35, false},
    BandPlanRow{"WagSsbOn15mCwEnd", 'W', "SSB", 'g', 21.35, false},
    BandPlanRow{"WagSsbOn15mPhone", 'W', "SSB", 'g', 21.3, true},
    BandPlanRow{"WagSsbOn10mBeacons", 'W', "SSB", 'i', 28.3, false},
    BandPlanRow{"WagOtherModesFree", 'W', "RTTY", 'd', 7.1, true},
    BandPlanRow{"OtherSsbOn80mCwEnd", 'B', "SSB", 'b', 3.66, false},
    BandPlanRow{"OtherSsbOn80mPhone", 'B', "SSB", 'b', 3.62, true},
    BandPlanRow{"OtherSsbOn80mUpper", 'B', "SSB", 'b', 3.75, true},
    BandPlanRow{"OtherSsbOn20mTooLow", 'B', "SSB", 'e', 14.1, false},
    BandPlanRow{"OtherCwOn160m", 'B', "CW", 'a', 1.83, true},
    BandPlanRow{"OtherCwOn160mPhone", 'B', "CW", 'a', 1.85, false},
    BandPlanRow{"OtherCwOn80mLowEdge", 'B', "CW", 'b', 3.5099, true},
    BandPlanRow{"OtherCwOn80mPhone", 'B', "CW", 'b', 3.6, false},
    BandPlanRow{"OtherCwOn40mFree", 'B', "CW", 'd', 7.1, true},
    BandPlanRow{"OtherFmFree", 'B', "FM", 'b', 3.66, true},
    BandPlanRow{"SwissAlwaysTrue", 'z', "SSB", 'b', 3.66, true},
    BandPlanRow{"HolylandAlwaysTrue", 'H', "CW", 'b', 3.7, true}),
    [](const ::testing::TestParamInfo<BandPlanRow>& info) { return info.param.name; });
// clang-format on

TEST(BearingTextTest, ABlankAndOneDecimal) {
  EXPECT_EQ(BearingText(123.44), " 123.4");
  EXPECT_EQ(BearingText(7.06), " 7.1");
  EXPECT_EQ(BearingText(359.96), " 360.0");
}

}  // namespace
}  // namespace contestlog
