// The score panel "Auswertung" of the contest setup form on stored tallies: both layouts, the
// score flags of a contest, contest 'R' in tenths and the postcode contest '5'.
#include "app/score_panel.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/service.h"
#include "logbook/reference/bands.h"

namespace app_test {
namespace {

using app::BuildScorePanel;
using app::ScorePanelView;
using contest::TContestKKRec;
using contest::TContestKZRec;
using contest::TContestRec;

// Per band slot: QSOs, multipliers, points.
struct Slot {
  std::uint32_t qsos;
  std::uint32_t multipliers;
  std::uint32_t points;
};

// The tallies in the wide layout (the contest-data record).
void StoreWide(const std::vector<Slot>& slots, TContestKKRec& log, TContestKZRec& data) {
  log.LoaderSwitch = 255;
  for (std::size_t s = 0; s < slots.size(); ++s) {
    data.SlotQsos[s] = slots[s].qsos;
    data.SlotMults[s] = slots[s].multipliers;
    data.SlotPoints[s] = slots[s].points;
  }
}

TContestRec Contest(const char* bands, std::initializer_list<int> kinds) {
  TContestRec d{};
  for (std::size_t i = 0; bands[i] != 0; ++i) d.Bands[i] = bands[i];
  for (int k : kinds) d.MultiplierKinds.set(static_cast<std::size_t>(k));
  return d;
}

class ScorePanelTest : public ::testing::Test {
 protected:
  common::ScopedService<logbook::ToBaender> bands_;
};

struct FlagRow {
  const char* name;
  void (*flags)(TContestRec&);
  bool with_kinds;
  const char* multipliers;
  const char* points;
  const char* score;
};

// Band 1: 3 multipliers, 100 points; band 2: no multiplier, 20 points.
const FlagRow kFlagRows[] = {
    {"NoMultiplierKinds", [](TContestRec&) {}, false, "", "120 Punkte =", "120 Pkt."},
    {"PointsOnly", [](TContestRec& d) { d.Flag34 = 1; }, true, "3 Multi", "120 Punkte =",
     "120 Pkt."},
    {"PointsOnlyCountingPrefixes",
     [](TContestRec& d) {
       d.Flag34 = 1;
       d.MultiplierNames[0] = "Prefix";
     },
     true, "3 Prefixe", "120 Punkte =", "120 Pkt."},
    {"MultipliersAsScore", [](TContestRec& d) { d.ScoreFlag = 1; }, true, "3 Multi",
     "3 Punkte =", "3 Pkt."},
    {"PerBandProduct", [](TContestRec& d) { d.Flag36 = 1; }, true, "3 Multi", "120 Punkte =",
     "320 Pkt."},
    {"PointsTimesMultipliers", [](TContestRec&) {}, true, "3 Multi x", "120 Punkte =",
     "360 Pkt."},
};

class ScoreFlagTest : public ScorePanelTest, public ::testing::WithParamInterface<FlagRow> {};

TEST_P(ScoreFlagTest, TotalsAndScore) {
  const FlagRow& row = GetParam();
  TContestRec d = row.with_kinds ? Contest("bc", {2}) : Contest("bc", {});
  row.flags(d);
  TContestKKRec log{};
  TContestKZRec data{};
  StoreWide({{10, 3, 100}, {4, 0, 20}}, log, data);
  const ScorePanelView panel = BuildScorePanel('V', d, log, data);
  EXPECT_EQ(panel.total_qsos, "14 QSO");
  EXPECT_EQ(panel.total_multipliers, row.multipliers);
  EXPECT_EQ(panel.total_points, row.points);
  EXPECT_EQ(panel.score, row.score);
}

INSTANTIATE_TEST_SUITE_P(Flags, ScoreFlagTest, ::testing::ValuesIn(kFlagRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScorePanelTest, WideLayoutShowsTheFirstSevenBandsByName) {
  TContestRec d = Contest("abcdegikl", {2});
  TContestKKRec log{};
  TContestKZRec data{};
  std::vector<Slot> slots;
  for (std::uint32_t s = 1; s <= 9; ++s) slots.push_back({s, s % 3, 10 * s});
  StoreWide(slots, log, data);
  const ScorePanelView panel = BuildScorePanel('V', d, log, data);
  EXPECT_EQ(panel.rows[0].band, "160 m");
  EXPECT_EQ(panel.rows[6].band, "10 m");
  EXPECT_EQ(panel.rows[6].qsos, "7");
  EXPECT_EQ(panel.rows[6].multipliers, "1");
  EXPECT_EQ(panel.rows[6].points, "70");
  // Bands 8 and 9 have no row but count in the totals.
  EXPECT_EQ(panel.total_qsos, "45 QSO");
  EXPECT_EQ(panel.total_points, "450 Punkte =");
}

TEST_F(ScorePanelTest, NarrowLayoutReadsTheCatalogueLinesSixAndSevenApart) {
  TContestRec d = Contest("abcegik", {2});
  TContestKKRec log{};
  TContestKZRec data{};
  data.SlotQsos[0] = 999;  // not read: the log keeps its tallies in the catalogue record
  for (int b = 0; b < 5; ++b) {
    log.LineQsos[b] = static_cast<std::uint16_t>(b + 1);
    log.LineMults[b] = 1;
    log.LinePoints[b] = static_cast<std::uint32_t>(10 * (b + 1));
  }
  log.Line6.Qsos = 6;
  log.Line6.Points = 60;
  log.Line7.Qsos = 7;
  log.Line7.Mults = 2;
  log.Line7.Points = 70;
  const ScorePanelView panel = BuildScorePanel('V', d, log, data);
  EXPECT_EQ(panel.rows[0].qsos, "1");
  EXPECT_EQ(panel.rows[5].qsos, "6");
  EXPECT_EQ(panel.rows[5].points, "60");
  EXPECT_EQ(panel.rows[6].multipliers, "2");
  EXPECT_EQ(panel.total_qsos, "28 QSO");
  EXPECT_EQ(panel.total_multipliers, "7 Multi x");
  EXPECT_EQ(panel.score, std::to_string(7 * 280) + " Pkt.");
}

TEST_F(ScorePanelTest, EmptyBandSlotsHaveNoRow) {
  TContestRec d = Contest("bc", {});
  TContestKKRec log{};
  TContestKZRec data{};
  const ScorePanelView panel = BuildScorePanel('V', d, log, data);
  EXPECT_TRUE(panel.rows[1].visible);
  EXPECT_FALSE(panel.rows[2].visible);
  EXPECT_EQ(panel.score, "0 Pkt.");
}

TEST_F(ScorePanelTest, ContestRShowsTenths) {
  TContestRec d = Contest("b", {2});
  TContestKKRec log{};
  TContestKZRec data{};
  StoreWide({{3, 2, 123}}, log, data);
  const ScorePanelView panel = BuildScorePanel('R', d, log, data);
  EXPECT_EQ(panel.rows[0].points, "12,3");
  EXPECT_EQ(panel.total_points, "12,3 Punkte =");
  EXPECT_EQ(panel.score, "24,6 Pkt.");
}

TEST_F(ScorePanelTest, PostcodeContestFiveShowsOnlyThePoints) {
  TContestRec d = Contest("bc", {15});
  d.Flag34 = 1;
  d.MultiplierNames[0] = "PLZ";
  TContestKKRec log{};
  TContestKZRec data{};
  StoreWide({{5, 4, 50}}, log, data);
  const ScorePanelView five = BuildScorePanel('5', d, log, data);
  EXPECT_EQ(five.total_multipliers, "");
  EXPECT_EQ(five.score, "50 Pkt.");
  // Another contest naming its multipliers "PLZ" states them.
  EXPECT_EQ(BuildScorePanel('V', d, log, data).total_multipliers, "4 PLZ");
}

TEST_F(ScorePanelTest, NoMultiplierYetCountsAsOne) {
  TContestRec d = Contest("b", {2});
  TContestKKRec log{};
  TContestKZRec data{};
  StoreWide({{2, 0, 40}}, log, data);
  const ScorePanelView panel = BuildScorePanel('V', d, log, data);
  EXPECT_EQ(panel.total_multipliers, "1 Multi x");
  EXPECT_EQ(panel.score, "40 Pkt.");
}

TEST_F(ScorePanelTest, AllBandMultipliersHideTheMultiplierColumn) {
  TContestRec d = Contest("bc", {2});
  TContestKKRec log{};
  TContestKZRec data{};
  for (const std::uint8_t counting : {0, 1, 2, 3}) {
    d.Flag31 = counting;
    EXPECT_EQ(BuildScorePanel('V', d, log, data).multiplier_column,
              counting == 0 || counting == 2)
        << int{counting};
  }
}

}  // namespace
}  // namespace app_test
