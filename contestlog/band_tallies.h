// The per-band tallies a recalculation of a contest log stores for the reports: per band of the
// contest's band list (entry b at index b - 1) the QSOs, the multiplier count, the points and the
// weighted tallies of the multiplier slots 1-3.
//
// Two layouts hold them. The wide one (catalogue byte 369 set) is the contest-data record: 100
// bands of 32-bit QSOs, multipliers and points and 16-bit slot tallies. The narrow one is the
// catalogue record's older place for bands 1 to 7: 16-bit QSOs and multipliers, 32-bit points,
// the first two slot tallies for bands 1-5 and the first for bands 6 and 7, which also stands a
// second time in the word after it (older logs hold it there); later bands have no place.
#pragma once

#include <array>
#include <cstdint>

#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"

namespace contestlog {

struct BandTally {
  std::int32_t qsos = 0;
  std::int32_t multipliers = 0;
  std::int32_t points = 0;
  std::array<std::int32_t, 3> slots{};
};
using BandTallies = std::array<BandTally, contest::kBandSlots>;

// Writes every tally place of the layout from `tallies`; no other byte of the record changes.
void StoreWideTallies(const BandTallies& tallies, contest::TContestKZRec& data);
void StoreNarrowTallies(const BandTallies& tallies, contest::TContestKKRec& log);
// Into the layout the log keeps (its catalogue record's LoaderSwitch: the wide one in `data`).
void StoreTallies(const BandTallies& tallies, contest::TContestKKRec& log,
                  contest::TContestKZRec& data);

}  // namespace contestlog
