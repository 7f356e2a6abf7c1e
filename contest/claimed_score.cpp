#include "contest/claimed_score.h"

#include <algorithm>

namespace contest {

ScoreFlags ScoreFlagsOf(const TContestRec& definition) {
  return {.no_multipliers = definition.MultiplierKinds.none(),
          .points_only = definition.Flag34 != 0,
          .per_band_product = definition.Flag36 != 0,
          .multipliers_as_score = definition.ScoreFlag != 0};
}

std::int64_t ClaimedScore(const ScoreFlags& flags, std::span<const std::int32_t> slot_multipliers,
                          std::span<const std::int32_t> slot_points) {
  const std::size_t slots = std::min(slot_multipliers.size(), slot_points.size());
  std::int64_t multipliers = 0;
  std::int64_t points = 0;
  std::int64_t per_band = 0;
  for (std::size_t s = 0; s < slots; ++s) {
    const std::int64_t m = slot_multipliers[s];
    const std::int64_t p = slot_points[s];
    multipliers += m;
    points += p;
    per_band += m > 0 ? m * p : p;
  }
  if (flags.no_multipliers || flags.points_only) return points;
  if (flags.multipliers_as_score) return multipliers;
  if (flags.per_band_product) return per_band;
  if (multipliers == 0 && points >= 1) multipliers = 1;
  return multipliers * points;
}

}  // namespace contest
