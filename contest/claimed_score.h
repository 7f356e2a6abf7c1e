// The claimed score of a contest log: one rule for the log window's score line, the summary
// sheet, the setup form's score panel and the file formats that state a claimed score.
//
// The inputs are per band slot: the multiplier count and the points of each slot (the log
// window's 255 band-code slots, or the 100 band-list slots of the contest-data record); the two
// spans are read over the shorter one's length. The result is 64-bit: a product of two 32-bit
// totals does not fit 32 bits.
#pragma once

#include <cstdint>
#include <span>

#include "contest/contest_definition.h"

namespace contest {

// How a contest makes its score from points and multipliers.
struct ScoreFlags {
  bool no_multipliers = false;        // the contest counts no multiplier kind
  bool points_only = false;           // Flag34: the score is the points total
  bool per_band_product = false;      // Flag36: the sum over the bands of multipliers x points
  bool multipliers_as_score = false;  // ScoreFlag: the score is the multiplier total
};

ScoreFlags ScoreFlagsOf(const TContestRec& definition);

// The first that applies: no multipliers or points only: P; multipliers as score: M; per-band
// product: the sum of multipliers x points over the slots, a slot without multipliers adding its
// points once; otherwise M x P, where M = 0 counts as 1 once there are points. M and P are the
// sums over the slots.
std::int64_t ClaimedScore(const ScoreFlags& flags, std::span<const std::int32_t> slot_multipliers,
                          std::span<const std::int32_t> slot_points);

}  // namespace contest
