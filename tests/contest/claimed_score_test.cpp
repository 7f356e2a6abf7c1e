// The claimed score from per-slot multipliers and points, one row per rule and edge.
#include "contest/claimed_score.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace contest {
namespace {

struct ScoreRow {
  const char* name;
  ScoreFlags flags;
  std::vector<std::int32_t> multipliers;
  std::vector<std::int32_t> points;
  std::int64_t score;
};

class ClaimedScoreRows : public ::testing::TestWithParam<ScoreRow> {};

TEST_P(ClaimedScoreRows, FollowsTheContestsRule) {
  const ScoreRow& row = GetParam();
  EXPECT_EQ(ClaimedScore(row.flags, row.multipliers, row.points), row.score);
}

constexpr ScoreFlags kPlain{};
constexpr ScoreFlags kNoKinds{.no_multipliers = true};
constexpr ScoreFlags kPointsOnly{.points_only = true};
constexpr ScoreFlags kPerBand{.per_band_product = true};
constexpr ScoreFlags kMultisOnly{.multipliers_as_score = true};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rules, ClaimedScoreRows, ::testing::Values(
    ScoreRow{"ProductOfTheTotals", kPlain, {0, 3, 2}, {0, 40, 60}, 500},
    ScoreRow{"NoMultiplierYetCountsAsOne", kPlain, {0, 0}, {120, 0}, 120},
    ScoreRow{"NoPointsNoScore", kPlain, {0, 4}, {0, 0}, 0},
    ScoreRow{"NoKindsThePointSum", kNoKinds, {5, 5}, {10, 20}, 30},
    ScoreRow{"PointsOnlyEvenWithMultipliers", kPointsOnly, {7, 2}, {10, 20}, 30},
    ScoreRow{"PointsOnlyOutranksMultipliersAsScore",
             ScoreFlags{.points_only = true, .multipliers_as_score = true}, {7}, {10}, 10},
    ScoreRow{"MultipliersAsScore", kMultisOnly, {7, 2}, {10, 20}, 9},
    ScoreRow{"MultipliersAsScoreOutranksPerBand",
             ScoreFlags{.per_band_product = true, .multipliers_as_score = true}, {3}, {50}, 3},
    ScoreRow{"PerBandBandWithoutMultipliersAddsItsPoints", kPerBand, {0, 3}, {50, 50}, 200},
    ScoreRow{"PerBandNoMultiplierAnywhere", kPerBand, {0, 0}, {50, 70}, 120},
    ScoreRow{"AboveThirtyTwoBits", kPlain, {100000, 0}, {0, 100000}, 10000000000LL},
    ScoreRow{"PerBandAboveThirtyTwoBits", kPerBand, {70000, 70000}, {70000, 1}, 4900070000LL},
    ScoreRow{"SlotsBeyondTheShorterSpanAreNotRead", kPlain, {2, 9}, {10}, 20}),
    [](const ::testing::TestParamInfo<ScoreRow>& info) { return info.param.name; });
// clang-format on

TEST(ScoreFlags, ComeFromTheDefinitionsKindsAndThreeScoreBytes) {
  TContestRec definition;
  EXPECT_TRUE(ScoreFlagsOf(definition).no_multipliers);
  definition.MultiplierKinds.set(4);
  definition.Flag34 = 1;
  definition.Flag36 = 1;
  definition.ScoreFlag = 1;
  const ScoreFlags flags = ScoreFlagsOf(definition);
  EXPECT_FALSE(flags.no_multipliers);
  EXPECT_TRUE(flags.points_only);
  EXPECT_TRUE(flags.per_band_product);
  EXPECT_TRUE(flags.multipliers_as_score);
  // The DOK option between them is no score flag.
  TContestRec dok_option;
  dok_option.MultiplierKinds.set(4);
  dok_option.Flag35 = 1;
  const ScoreFlags none = ScoreFlagsOf(dok_option);
  EXPECT_FALSE(none.points_only || none.per_band_product || none.multipliers_as_score);
}

}  // namespace
}  // namespace contest
