// What the log window learns about a station: prefix data on the small prefix table, the
// distance to a locator, name and QTH from the call database, the US states.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "contestlog/station_data.h"
#include "logbook/reference/scripted_dxcc_selection.h"
#include "tests/contestlog/log_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::kContestDay;
using contestlog_test::Qso;

constexpr std::uint32_t kPoints = 7;
constexpr std::uint16_t kOldPoints = 99;

class StationDataTest : public contestlog_test::LogTest {
 protected:
  void SetUp() override {
    LogTest::SetUp();
    catalogue_.emplace(contest::kTableKK, 0);
    log_.emplace(contest::kTableLK, 3);
  }
  // Runs PrefixData on a new QSO with `call` (its points kOldPoints, its fields `stale`, its
  // PrefixLock `locked`) for a contest of `code` counting `kinds`; the QSO as it came out.
  bool Look(const std::string& call, std::vector<int> kinds, char code, TContestLKRec& qso,
            bool locked = false) {
    contest::TContestKKRec entry{};
    entry.Typ = code;
    entry.PrefixMenu = prefix_menu_;
    catalogue_->SetKKRec(entry);
    contest::TContestRec definition;
    for (int kind : kinds) definition.MultiplierKinds.set(static_cast<std::size_t>(kind));
    qso = Qso(call, 'c', kContestDay, 3600);
    qso.Points = kOldPoints;
    qso.PrefixLock = locked ? 1 : 0;
    qso.DXCC = "OLD";
    qso.Continent = "OL";
    log_->ClearRec();
    log_->SetLKWorkingCopy(qso);
    const bool found = PrefixData(
        *log_, *catalogue_, [](const contest::TdbContestBase&) { return kPoints; }, memo_,
        definition);
    log_->GetLKRec(qso);
    return found;
  }

  std::optional<contest::TdbContest> catalogue_;
  std::optional<contest::TdbContest> log_;
  PrefixLookupMemo memo_;
  std::uint8_t prefix_menu_ = 0;
};

struct PrefixRowCase {
  const char* name;
  char code;
  std::vector<int> kinds;
  const char* call;
  bool found;
  const char* prefix;  // "-": left as it was (empty in a new QSO)
  const char* dxcc;
  const char* continent;
  std::uint8_t wae_flag;
};

class PrefixDataRows : public StationDataTest,
                       public ::testing::WithParamInterface<PrefixRowCase> {};

TEST_P(PrefixDataRows, FillsPrefixDxccContinentAndWaeByTheContestsKinds) {
  const PrefixRowCase& row = GetParam();
  TContestLKRec qso{};
  EXPECT_EQ(Look(row.call, row.kinds, row.code, qso), row.found);
  EXPECT_EQ(qso.Prefix.str(), std::string(row.prefix) == "-" ? "" : row.prefix);
  EXPECT_EQ(qso.DXCC.str(), row.dxcc);
  EXPECT_EQ(qso.Continent.str(), row.continent);
  EXPECT_EQ(qso.WAEFlag, row.wae_flag);
  // Only an answered lookup scores the QSO.
  EXPECT_EQ(qso.Points, row.found ? kPoints : kOldPoints);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, PrefixDataRows, ::testing::Values(
    PrefixRowCase{"Dxcc", '.', {2}, "DL1ABC", true, "-", "DL", "EU", 255},
    PrefixRowCase{"DxccPortable", '.', {2}, "OE/DL1ABC/P", true, "-", "OE", "EU", 255},
    PrefixRowCase{"PrefixAndDxcc", '.', {1, 2}, "DL1ABC", true, "DL1", "DL1", "EU", 255},
    // Kind 1 alone leaves the DXCC as it was.
    PrefixRowCase{"PrefixStopsAtThree", 'p', {1}, "DL10ABC", true, "DL1", "OLD", "EU", 255},
    PrefixRowCase{"PrefixWholeUnderBang", '!', {1}, "DL10ABC", true, "DL10", "OLD", "EU", 255},
    PrefixRowCase{"GermanPrefixKept", '.', {22}, "DL1ABC", true, "DL1", "DL", "EU", 255},
    PrefixRowCase{"GermanPrefixOnlyForDl", '.', {22}, "OE3XYZ", true, "", "OE", "EU", 255},
    PrefixRowCase{"WaeCodeStandsForDxcc", '.', {14}, "IT9ABC", true, "-", "IT9", "EU", 255},
    PrefixRowCase{"EuropeanWaeCodeIsTheDxcc", '.', {14}, "F5ABC", true, "-", "F", "EU", 255},
    PrefixRowCase{"WithoutWaeTheDxcc", '.', {14}, "4X4AA", true, "-", "4X", "AS", 0},
    PrefixRowCase{"MenuCodeTakesItsDefault", '.', {2}, "KH5AB", true, "-", "KH5", "OC", 0},
    PrefixRowCase{"NoKindsStillDxcc", '.', {}, "4X4AA", true, "-", "4X", "AS", 0},
    PrefixRowCase{"EntityGone", '.', {2}, "Y23XY", false, "-", "", "", 0},
    PrefixRowCase{"UnknownCall", '.', {2}, "QQ1AB", false, "-", "", "", 0},
    PrefixRowCase{"UnknownTwoCharacters", '.', {2}, "QQ", true, "-", "", "", 0},
    PrefixRowCase{"UnknownOneCharacter", '.', {2}, "X", true, "-", "", "", 0},
    PrefixRowCase{"UnknownWithPrefixKinds", '.', {1}, "QQ1AB", true, "QQ1", "OLD", "", 0},
    PrefixRowCase{"UnknownGermanPrefixKind", '.', {22}, "QQ1AB", true, "", "", "", 0}),
    [](const ::testing::TestParamInfo<PrefixRowCase>& info) { return info.param.name; });
// clang-format on

TEST_F(StationDataTest, ALockedQsoKeepsItsDataAndIsScoredStill) {
  TContestLKRec qso{};
  EXPECT_TRUE(Look("DL1ABC", {2}, '.', qso, true));
  EXPECT_EQ(qso.DXCC.str(), "OLD");
  EXPECT_EQ(qso.Continent.str(), "OL");
  EXPECT_EQ(qso.Points, kPoints);
}

TEST_F(StationDataTest, TheMenuOptionAsksForTheEntityOnceWhileTheCallIsTypedOn) {
  contestlog_test::AddSecondKh5Entity();
  auto port = std::make_unique<logbook::ScriptedDxccSelection>();
  logbook::ScriptedDxccSelection* asked = port.get();
  prefix_files_->SetSelectionPort(std::move(port));
  logbook::ToPrefix& analysis = common::Service<logbook::ToPrefix>::Get();
  TContestLKRec qso{};
  struct Step {
    std::uint8_t menu_option;
    std::uint8_t flag_before;
    const char* call;
    std::size_t asked_after;
  };
  const Step steps[] = {{0, 1, "KH5AB", 0},     // the option off: no question
                        {255, 0, "DL1ABC", 0},  // no entity to choose
                        {255, 1, "KH5AB", 1},   // a new call with the option: asked
                        {255, 1, "KH5ABC", 1},  // typed on: not again
                        {255, 0, "KH5AB", 2}};  // a letter taken back: a new call
  for (const Step& step : steps) {
    prefix_menu_ = step.menu_option;
    analysis.SetInteractive(step.flag_before);
    Look(step.call, {2}, '.', qso);
    EXPECT_EQ(asked->requests.size(), step.asked_after) << step.call;
    EXPECT_EQ(analysis.Interactive(), step.flag_before) << step.call;
    EXPECT_EQ(memo_.last_call, step.call);
  }
  // The questions were cancelled: nothing counts as settled.
  EXPECT_EQ(memo_.resolved, 0);
}

TEST_F(StationDataTest, LocatorDistanceIsQrbRoundedAndZeroWhenEitherLocatorIsBad) {
  for (const char* locator : {"JO31", "JN58TD", "FN31PR", "JO62QM"}) {
    double bearing = 0;
    double distance = 0;
    ASSERT_TRUE(
        logbook::ToLocator::QRB(contestlog_test::kOwnLocator, locator, "", bearing, distance));
    EXPECT_EQ(LocatorCalc(locator), std::lround(distance)) << locator;
  }
  EXPECT_GT(LocatorCalc("FN31PR"), 6000);
  for (const char* bad : {"ZZ99", "J", "", "JO62Q9"}) EXPECT_EQ(LocatorCalc(bad), 0) << bad;
  logbook::ToSetupOwnStation station = common::Service<logbook::ToSetups>::Get().GetOwnStation();
  station.own_locator = "";
  common::Service<logbook::ToSetups>::Get().SetOwnStation(station);
  EXPECT_EQ(LocatorCalc("JO31"), 0);
}

TEST_F(StationDataTest, UsStatesAreTheFiftyAndDcExactly) {
  int accepted = 0;
  for (char a = 'A'; a <= 'Z'; ++a) {
    for (char b = 'A'; b <= 'Z'; ++b) {
      const std::string code{a, b};
      const std::string answer = IsUsState(code);
      EXPECT_TRUE(answer.empty() || answer == code) << code;
      accepted += answer.empty() ? 0 : 1;
    }
  }
  EXPECT_EQ(accepted, 51);
  for (const char* yes : {"DC", "PA", "WY", "AK", "HI"}) EXPECT_EQ(IsUsState(yes), yes);
  for (const char* no : {"pa", "XX", " PA", "PA ", "PAX", "", "PR", "GU"}) {
    EXPECT_EQ(IsUsState(no), "") << no;
  }
}

TEST_F(StationDataTest, NameAndQthFromTheCallDataElseTheNameFromTheCallBook) {
  AddCall(logbook::kCallData, "DL2XYZ", "Hans", "Berlin");
  AddCall(logbook::kCallData, "DL3ABC", "", "Bonn");
  AddCall(logbook::kCallBook, "DL3ABC", "Otto", "Hamburg");
  AddCall(logbook::kCallBook, "DL4QQ", "Emil", "Kiel");
  struct Row {
    const char* call;
    int name_max;
    const char* name;
    const char* qth;
  };
  const Row rows[] = {{"DL2XYZ", 20, "Hans", "Berlin"},
                      {"DL2XYZ/P", 20, "Hans", "Berlin"},
                      {"DL2XYZ", 3, "Han", "Berl"},
                      {"DL3ABC", 20, "Otto", "Bonn"},  // the book's name, the data's QTH
                      {"DL4QQ", 20, "Emil", ""},       // only the name from the book
                      {"DL9NIX", 20, "", ""}};
  for (const Row& row : rows) {
    std::string name = "old";
    std::string qth = "old";
    LookupNameQth(row.call, name, row.name_max, qth, row.name_max == 3 ? 4 : 20);
    EXPECT_EQ(name, row.name) << row.call;
    EXPECT_EQ(qth, row.qth) << row.call;
  }
}

}  // namespace
}  // namespace contestlog
