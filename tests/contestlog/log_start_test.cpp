// What a log window starts with, without a window: the mode by the catalogue's choices, the
// band of a period in force, and the captions of the exchange fields by kind and contest.
#include "contestlog/log_start.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/dates.h"

namespace contestlog {
namespace {

using contest::TContestKKRec;
using contest::TContestRec;

TContestRec WithModes(const std::vector<std::string>& modes) {
  TContestRec d;
  for (std::size_t i = 0; i < modes.size(); ++i) d.Modes[i] = modes[i];
  return d;
}

struct ModeCase {
  const char* name;
  std::vector<std::string> modes;
  bool ssb, fm, digital;
  std::string mode;
};

class StartModeRows : public ::testing::TestWithParam<ModeCase> {};

TEST_P(StartModeRows, TheCataloguesChoiceWhereTheContestHasIt) {
  const ModeCase& c = GetParam();
  TContestKKRec log{};
  log.ModeSSB = c.ssb ? 255 : 0;
  log.ModeFM = c.fm ? 255 : 0;
  log.ModePR = c.digital ? 255 : 0;
  EXPECT_EQ(StartMode(WithModes(c.modes), log), c.mode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Modes, StartModeRows, ::testing::Values(
    ModeCase{"NoChoiceTakesCw", {"SSB", "CW"}, false, false, false, "CW"},
    ModeCase{"NoChoiceWithoutCwTheFirst", {"SSB", "FM"}, false, false, false, "SSB"},
    ModeCase{"FirstModeCutToSix", {"DIGITAL"}, false, false, false, "DIGITA"},
    ModeCase{"Ssb", {"CW", "SSB"}, true, false, false, "SSB"},
    ModeCase{"SsbChosenButNotInTheContest", {"FM", "CW"}, true, false, false, "FM"},
    ModeCase{"Fm", {"CW", "SSB", "FM"}, false, true, false, "FM"},
    ModeCase{"FmAfterSsb", {"CW", "SSB", "FM"}, true, true, false, "FM"},
    ModeCase{"DigitalPr", {"CW", "PR"}, false, false, true, "PR"},
    ModeCase{"DigitalFsk441OverPr", {"PR", "FSK441"}, false, false, true, "FSK441"},
    ModeCase{"DigitalDigiOverFsk441", {"FSK441", "DIGITAL", "CW"}, false, false, true, "DIGI"},
    ModeCase{"DigitalRttyLast", {"RTTY", "DIGITAL", "PR"}, false, false, true, "RTTY"},
    ModeCase{"DigitalChosenNoneThere", {"SSB", "CW"}, false, false, true, "SSB"}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return info.param.name; });
// clang-format on

TEST(HasModeTest, ExactNamesOnly) {
  const TContestRec d = WithModes({"CW", "DIGITAL"});
  EXPECT_TRUE(HasMode(d, "DIGITAL"));
  EXPECT_FALSE(HasMode(d, "DIGI"));
  EXPECT_FALSE(HasMode(d, "cw"));
}

// A record's mode (six characters) by the whole name the contest lists, for what is told.
TEST(WholeModeNameTest, TheListedNameThatBeginsSo) {
  const TContestRec d = WithModes({"CW", "DIGITAL"});
  EXPECT_EQ(WholeModeName(d, "DIGITA"), "DIGITAL");
  EXPECT_EQ(WholeModeName(d, "CW    "), "CW");
  EXPECT_EQ(WholeModeName(d, "RTTY"), "RTTY");  // typed into the free mode field
  EXPECT_EQ(WholeModeName(d, ""), "");
}

const std::int32_t kDay = common::DMYToDate(9, 3, 2024);

// Periods of a day: 12-15 on 'b' and 'c', 15-18 on 'k'; and one of the next day.
TContestRec Periods() {
  TContestRec d;
  auto set = [&](int i, const char* date, const char* from, const char* to, const char* bands) {
    d.Periods[i].PeriodDate = date;
    d.Periods[i].PeriodTimeFrom = from;
    d.Periods[i].PeriodTimeTo = to;
    for (int b = 0; bands[b] != 0; ++b) d.Periods[i].PeriodBands[b] = bands[b];
  };
  set(0, "10.03.2024", "12:00:00", "15:00:00", "e");
  set(1, "09.03.2024", "12:00:00", "15:00:00", "bc");
  set(2, "09.03.2024", "15:00:00", "18:00:00", "k");
  return d;
}

struct PeriodCase {
  const char* name;
  std::int32_t day;
  std::int32_t seconds;
  char band;
  char expected;
};

class PeriodRows : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodRows, TheFirstPeriodInForceDecides) {
  const PeriodCase& c = GetParam();
  EXPECT_EQ(PeriodStartBand(Periods(), c.band, c.day, c.seconds), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Periods, PeriodRows, ::testing::Values(
    PeriodCase{"BandAmongThePeriodsKept", kDay, 13 * 3600, 'c', 'c'},
    PeriodCase{"OtherBandGoesToThePeriodsFirst", kDay, 13 * 3600, 'k', 'b'},
    PeriodCase{"StartTimeIsInForce", kDay, 12 * 3600, 'k', 'b'},
    PeriodCase{"EndTimeIsTheNextPeriods", kDay, 15 * 3600, 'b', 'k'},
    PeriodCase{"NoPeriodInForce", kDay, 19 * 3600, 'b', 'b'},
    PeriodCase{"BeforeTheFirst", kDay, 11 * 3600, 'k', 'k'},
    PeriodCase{"ADayWithoutPeriods", kDay + 2, 13 * 3600, 'k', 'k'},
    PeriodCase{"TheNextDay", kDay + 1, 13 * 3600, 'b', 'e'}),
    [](const ::testing::TestParamInfo<PeriodCase>& info) { return info.param.name; });
// clang-format on

TEST(PeriodStartBandTest, ADifferentSecondDateIsInForceAtAnyTime) {
  TContestRec d = Periods();
  d.Periods[2].PeriodSpare = "10.03.2024";
  EXPECT_EQ(PeriodStartBand(d, 'b', kDay + 5, 3 * 3600), 'k');
  d.Periods[2].PeriodSpare = "09.03.2024";  // the same date: only by its times
  EXPECT_EQ(PeriodStartBand(d, 'c', kDay + 5, 3 * 3600), 'c');
}

TEST(PeriodStartBandTest, APeriodWithoutBandsKeepsTheBand) {
  TContestRec d = Periods();
  d.Periods[1].PeriodBands = {};
  EXPECT_EQ(PeriodStartBand(d, 'k', kDay, 13 * 3600), 'k');
}

struct CaptionCase {
  const char* name;
  char code;
  int kind;
  const char* own;  // the definition's caption of the field
  std::string caption;
};

class CaptionRows : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionRows, ByTheFieldsOwnKind) {
  const CaptionCase& c = GetParam();
  for (int slot = 2; slot <= 4; ++slot) {
    TContestRec d;
    d.ExchangeKindsRcvd[static_cast<std::size_t>(slot - 2)] = c.kind;
    d.ExchangeLabels[static_cast<std::size_t>(slot - 2)] = c.own;
    EXPECT_EQ(ExchangeCaption(d, c.code, slot), c.caption) << "slot " << slot;
    // The neighbours' kinds do not caption this slot.
    TContestRec others;
    for (int other = 2; other <= 4; ++other) {
      if (other != slot) others.ExchangeKindsRcvd[static_cast<std::size_t>(other - 2)] = c.kind;
    }
    EXPECT_EQ(ExchangeCaption(others, c.code, slot), "") << "slot " << slot;
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, CaptionRows, ::testing::Values(
    CaptionCase{"Serial7", '.', 7, "", "lfd.Nr."},
    CaptionCase{"SerialInTheBand13", '.', 13, "", "lfd.Nr."},
    CaptionCase{"SerialInTheMode11", '.', 11, "", "lfd.Nr."},
    CaptionCase{"Dok", '.', 4, "", "DOK"},
    CaptionCase{"Area", '.', 8, "", "Area"},
    CaptionCase{"Prefix1", '.', 1, "", "Prefix"},
    CaptionCase{"Prefix22", '.', 22, "", "Prefix"},
    CaptionCase{"Ldk", '.', 17, "", "LDK"},
    CaptionCase{"Locator5", '.', 5, "", "LOC"},
    CaptionCase{"Locator6", '.', 6, "", "LOC"},
    CaptionCase{"UsState", '.', 12, "", "US-State"},
    CaptionCase{"PostalCode", '.', 15, "", "PLZ"},
    CaptionCase{"Name", '.', 20, "", "Name"},
    CaptionCase{"Member16Default", '.', 16, "", "DIG"},
    CaptionCase{"Member16Of7", '7', 16, "", "DIG"},
    CaptionCase{"Member16OfF", 'f', 16, "", "AGCW"},
    CaptionCase{"Member16OfW", 'w', 16, "", "AGCW"},
    CaptionCase{"Member16OfK", 'k', 16, "", "QCWA"},
    CaptionCase{"Member16OfN", 'n', 16, "", "IBFD"},
    CaptionCase{"Member16OfP", 'p', 16, "", "DSW/Paddel"},
    CaptionCase{"Member19Default", '.', 19, "", ""},
    CaptionCase{"Member19OfI", 'i', 19, "", "Naval"},
    CaptionCase{"Member19OfK", 'k', 19, "", "QCWA"},
    CaptionCase{"Member19OfP", 'p', 19, "", "DSW/Paddel"},
    CaptionCase{"FreeTextHasNone", '.', 99, "", ""},
    CaptionCase{"OwnCaptionWins", '.', 4, "lfd.Nr. / DOK", "lfd.Nr. / DOK"},
    CaptionCase{"OwnCaptionOfAnyKind", '.', 99, "Alter", "Alter"}),
    [](const ::testing::TestParamInfo<CaptionCase>& info) { return info.param.name; });
// clang-format on

TEST(ExchangeCaptionTest, OnlySlotsTwoToFour) {
  TContestRec d;
  d.ExchangeKindsRcvd = {4, 4, 4};
  EXPECT_EQ(ExchangeCaption(d, '.', 1), "");
  EXPECT_EQ(ExchangeCaption(d, '.', 5), "");
}

}  // namespace
}  // namespace contestlog
