#include "output/score_tallies.h"

#include <numeric>

#include "output/log_walk.h"

namespace output {
namespace {

// The narrow layout's slots 6 and 7 (evaluation lines 6 and 7 of the catalogue record).
void ReadNarrowLine(const contest::TEvalLineExtra& line, int slot, BandSlotTallies& t) {
  t.qsos[slot] = line.Qsos;
  t.multipliers[slot] = line.Mults;
  t.points[slot] = static_cast<std::int32_t>(static_cast<std::uint32_t>(line.Points));
  t.slot_tallies[0][slot] = line.MultTableA;
}

std::int32_t Sum(const SlotValues& values) {
  return std::accumulate(values.begin(), values.end(), std::int32_t{0});
}

}  // namespace

BandSlotTallies ReadBandTallies(const contest::TContestKKRec& log,
                                const contest::TContestKZRec& contest_data) {
  BandSlotTallies t;
  if (log.LoaderSwitch != 0) {
    for (int s = 0; s < contest::kBandSlots; ++s) {
      t.qsos[s] = static_cast<std::int32_t>(static_cast<std::uint32_t>(contest_data.SlotQsos[s]));
      t.multipliers[s] =
          static_cast<std::int32_t>(static_cast<std::uint32_t>(contest_data.SlotMults[s]));
      t.points[s] = static_cast<std::int32_t>(static_cast<std::uint32_t>(contest_data.SlotPoints[s]));
      // Stored unsigned, read signed: the tallies are 16-bit signed counts.
      t.slot_tallies[0][s] = static_cast<std::int16_t>(contest_data.SlotMultTable1[s].get());
      t.slot_tallies[1][s] = static_cast<std::int16_t>(contest_data.SlotMultTable2[s].get());
      t.slot_tallies[2][s] = static_cast<std::int16_t>(contest_data.SlotMultTable3[s].get());
    }
    return t;
  }
  for (int s = 0; s < 5; ++s) {
    t.qsos[s] = log.LineQsos[s];
    t.multipliers[s] = log.LineMults[s];
    t.points[s] = static_cast<std::int32_t>(static_cast<std::uint32_t>(log.LinePoints[s]));
    t.slot_tallies[0][s] = log.LineMultTable1[s];
    t.slot_tallies[1][s] = log.LineMultTable2[s];
  }
  ReadNarrowLine(log.Line6, 5, t);
  ReadNarrowLine(log.Line7, 6, t);
  return t;
}

void SumBandTotals(TAlleRout& channel, const contest::TContestKKRec& log,
                   const BandSlotTallies& tallies) {
  channel.QsoTotal = Sum(tallies.qsos);
  channel.MultiTotal = Sum(tallies.multipliers);
  channel.PointsTotal = Sum(tallies.points);
  for (int k = 0; k < 3; ++k) channel.KindTotals[k] = Sum(tallies.slot_tallies[k]);
  if (log.LoaderSwitch == 0 && log.Typ == 0) {
    channel.PointsTotal = static_cast<std::int32_t>(static_cast<std::uint32_t>(log.PointsBase)) *
                          log.Switch72;
  }
}

void SumBandTotals(TAlleRout& channel, const contest::TdbContestBase& catalogue,
                   const contest::TdbContestBase& contest_data) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  contest::TContestKZRec data{};
  contest_data.GetKZRec(data);
  SumBandTotals(channel, log, ReadBandTallies(log, data));
}

void SumPointsInPeriods(TAlleRout& channel, contest::TdbContestBase& log,
                        const PeriodSet& periods) {
  std::int32_t points = 0;
  ForEachQsoOfWholeLog(log, kKeyDateTime, [&](const contest::TContestLKRec& qso) {
    if (InPeriod(periods, qso.Datum, qso.Zeit)) points += qso.Points;
  });
  channel.PointsTotal = points;
}

std::int64_t ClaimedScoreOf(const TAlleRout& channel, const contest::TContestRec& definition,
                            const BandSlotTallies& tallies) {
  const contest::ScoreFlags flags = contest::ScoreFlagsOf(definition);
  if (flags.per_band_product) {
    return contest::ClaimedScore(flags, tallies.multipliers, tallies.points);
  }
  const std::int32_t multipliers[] = {channel.MultiTotal};
  const std::int32_t points[] = {channel.PointsTotal};
  return contest::ClaimedScore(flags, multipliers, points);
}

}  // namespace output
