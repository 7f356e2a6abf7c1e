// The tallies of a contest log that the summary sheet and the lists print: per band slot (the
// k-th band of the contest definition, index k - 1) the QSOs, the multiplier count, the points
// and the three multiplier-slot tallies, as the log window's recalculation stored them, and the
// totals the output channel keeps (TAlleRout::QsoTotal, MultiTotal, PointsTotal, KindTotals).
//
// Where the recalculation stored them depends on the log: with the catalogue's per-band flag
// (byte 369) set, in the contest-data record (100 slots); otherwise in the catalogue record's
// narrow layout (slots 1 to 7; no third multiplier-slot tally, the second only for slots 1 to
// 5). The narrow layout keeps the first multiplier-slot tally of slots 6 and 7 twice; the first
// place is read.
#pragma once

#include <array>
#include <cstdint>

#include "contest/catalogue_record.h"
#include "contest/claimed_score.h"
#include "contest/contest_data_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "output/alle_rout.h"
#include "output/period_set.h"

namespace output {

using SlotValues = std::array<std::int32_t, contest::kBandSlots>;

struct BandSlotTallies {
  SlotValues qsos{};
  SlotValues multipliers{};
  SlotValues points{};
  std::array<SlotValues, 3> slot_tallies{};  // multiplier slots 1, 2 and 3
};

// The stored tallies of the log (see above).
BandSlotTallies ReadBandTallies(const contest::TContestKKRec& log,
                                const contest::TContestKZRec& contest_data);

// Sets the channel's six totals from the stored tallies. A log of the older VHF layout (contest
// code 0) has as points total its points base times its points per kilometre.
void SumBandTotals(TAlleRout& channel, const contest::TContestKKRec& log,
                   const BandSlotTallies& tallies);
// The same from the positioned catalogue and contest-data tables.
void SumBandTotals(TAlleRout& channel, const contest::TdbContestBase& catalogue,
                   const contest::TdbContestBase& contest_data);

// Replaces the channel's points total by the points of the log's QSOs inside the periods; throws
// LogNotRead (output/log_walk.h) when the log cannot be read to its end.
void SumPointsInPeriods(TAlleRout& channel, contest::TdbContestBase& log,
                        const PeriodSet& periods);

// The claimed score of the log from the channel's totals (the points total may be the periods'
// sum): contest::ClaimedScore over the totals, or over the band slots when the contest sums the
// bands' products.
std::int64_t ClaimedScoreOf(const TAlleRout& channel, const contest::TContestRec& definition,
                            const BandSlotTallies& tallies);

}  // namespace output
