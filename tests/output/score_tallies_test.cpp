#include "output/score_tallies.h"

#include <gtest/gtest.h>

namespace output {
namespace {

using contest::TContestKKRec;
using contest::TContestKZRec;

// The narrow layout: slots 1-5 in the arrays, 6 and 7 in the evaluation lines.
TContestKKRec NarrowLog() {
  TContestKKRec log{};
  log.Typ = '.';
  for (int s = 0; s < 5; ++s) {
    log.LineQsos[s] = static_cast<std::uint16_t>(10 + s);
    log.LineMults[s] = static_cast<std::uint16_t>(20 + s);
    log.LinePoints[s] = static_cast<std::uint32_t>(70000 + s);  // more than 16 bits
    log.LineMultTable1[s] = static_cast<std::uint16_t>(30 + s);
    log.LineMultTable2[s] = static_cast<std::uint16_t>(40 + s);
  }
  log.Line6.Qsos = 16;
  log.Line6.Mults = 26;
  log.Line6.Points = 76;
  log.Line6.MultTableA = 36;
  log.Line6.MultTableB = 99;  // the second copy of the tally, not read
  log.Line7.Qsos = 17;
  log.Line7.Mults = 27;
  log.Line7.Points = 77;
  log.Line7.MultTableA = 37;
  return log;
}

TEST(BandTallies, TheNarrowLayoutFillsSevenSlots) {
  TContestKZRec data{};
  data.SlotQsos[0] = 999;  // a contest-data record the narrow layout never reads
  const BandSlotTallies t = ReadBandTallies(NarrowLog(), data);
  EXPECT_EQ(t.qsos[0], 10);
  EXPECT_EQ(t.qsos[4], 14);
  EXPECT_EQ(t.qsos[5], 16);
  EXPECT_EQ(t.qsos[6], 17);
  EXPECT_EQ(t.qsos[7], 0);
  EXPECT_EQ(t.points[3], 70003);
  EXPECT_EQ(t.points[6], 77);
  EXPECT_EQ(t.multipliers[5], 26);
  EXPECT_EQ(t.slot_tallies[0][5], 36);
  EXPECT_EQ(t.slot_tallies[0][6], 37);
  EXPECT_EQ(t.slot_tallies[1][4], 44);
  EXPECT_EQ(t.slot_tallies[1][5], 0);  // no second tally beyond slot 5
  EXPECT_EQ(t.slot_tallies[2][0], 0);

  TAlleRout channel;
  SumBandTotals(channel, NarrowLog(), t);
  EXPECT_EQ(channel.QsoTotal, 10 + 11 + 12 + 13 + 14 + 16 + 17);
  EXPECT_EQ(channel.MultiTotal, 20 + 21 + 22 + 23 + 24 + 26 + 27);
  EXPECT_EQ(channel.PointsTotal, 5 * 70000 + 10 + 76 + 77);
  EXPECT_EQ(channel.KindTotals, (std::array<std::int32_t, 3>{30 + 31 + 32 + 33 + 34 + 36 + 37,
                                                              40 + 41 + 42 + 43 + 44, 0}));
}

TEST(BandTallies, TheWideLayoutReadsTheContestDataOnly) {
  TContestKKRec log = NarrowLog();
  log.LoaderSwitch = 255;
  TContestKZRec data{};
  data.SlotQsos[99] = 5;
  data.SlotMults[0] = 300;  // more than 8 bits
  data.SlotPoints[50] = 123456;
  data.SlotMultTable1[2] = 7;
  data.SlotMultTable2[2] = 0xFFFF;  // a 16-bit signed -1
  data.SlotMultTable3[98] = 3;
  const BandSlotTallies t = ReadBandTallies(log, data);
  EXPECT_EQ(t.qsos[0], 0);
  EXPECT_EQ(t.qsos[99], 5);
  EXPECT_EQ(t.slot_tallies[1][2], -1);

  TAlleRout channel;
  SumBandTotals(channel, log, t);
  EXPECT_EQ(channel.QsoTotal, 5);
  EXPECT_EQ(channel.MultiTotal, 300);
  EXPECT_EQ(channel.PointsTotal, 123456);
  EXPECT_EQ(channel.KindTotals, (std::array<std::int32_t, 3>{7, -1, 3}));
}

TEST(BandTallies, TheOlderVhfLayoutScoresItsKilometres) {
  TContestKKRec log{};
  log.Typ = 0;
  log.Switch72 = 2;  // points per kilometre
  log.PointsBase = 1234;
  log.LinePoints[0] = 9;
  TAlleRout channel;
  SumBandTotals(channel, log, ReadBandTallies(log, TContestKZRec{}));
  EXPECT_EQ(channel.PointsTotal, 2468);
}

// Slot 1: 50 points without multipliers, slot 2: 50 points with 3.
BandSlotTallies TwoBands() {
  BandSlotTallies t;
  t.points[0] = 50;
  t.points[1] = 50;
  t.multipliers[1] = 3;
  return t;
}

TEST(ClaimedScore, TheTotalColumnCountsABandWithoutMultipliersOnce) {
  contest::TContestRec definition;
  definition.MultiplierKinds.set(4);
  definition.Flag36 = 1;
  TAlleRout channel;
  channel.MultiTotal = 3;
  channel.PointsTotal = 100;
  EXPECT_EQ(ClaimedScoreOf(channel, definition, TwoBands()), 50 + 150);
  definition.Flag36 = 0;
  EXPECT_EQ(ClaimedScoreOf(channel, definition, TwoBands()), 300);
}

TEST(ClaimedScore, UsesThePointsOfThePeriodsFromTheChannel) {
  contest::TContestRec definition;
  definition.MultiplierKinds.set(4);
  TAlleRout channel;
  channel.MultiTotal = 0;
  channel.PointsTotal = 120;  // as the period sum left it; the slots say otherwise
  EXPECT_EQ(ClaimedScoreOf(channel, definition, TwoBands()), 120);
  EXPECT_EQ(channel.MultiTotal, 0);
  channel.PointsTotal = 0;
  EXPECT_EQ(ClaimedScoreOf(channel, definition, TwoBands()), 0);
}

}  // namespace
}  // namespace output
