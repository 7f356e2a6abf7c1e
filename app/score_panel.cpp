#include "app/score_panel.h"

#include <cstdint>
#include <numeric>
#include <string>

#include "common/number_mask.h"
#include "common/service.h"
#include "contest/claimed_score.h"
#include "logbook/reference/bands.h"
#include "output/score_tallies.h"

namespace app {
namespace {

std::int64_t Sum(const output::SlotValues& values) {
  return std::accumulate(values.begin(), values.end(), std::int64_t{0});
}

// Points as the contest counts them: tenths for 'R'.
std::string PointsText(char code, std::int64_t points) {
  if (code != 'R') return std::to_string(points);
  return common::FloatToStrMask(static_cast<double>(points) / 10.0, 0, 1, ',');
}

std::string MultiplierSuffix(const contest::ScoreFlags& flags,
                             const contest::TContestRec& definition) {
  const bool product = !flags.points_only && !flags.multipliers_as_score &&
                       !flags.per_band_product;
  if (product) return " Multi x";
  const std::string& first = definition.MultiplierNames[0].str();
  if (first == "Prefix") return " Prefixe";
  if (first == "PLZ") return " PLZ";
  return " Multi";
}

}  // namespace

ScorePanelView BuildScorePanel(char code, const contest::TContestRec& definition,
                               const contest::TContestKKRec& log,
                               const contest::TContestKZRec& contest_data) {
  const output::BandSlotTallies tallies = output::ReadBandTallies(log, contest_data);
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  ScorePanelView panel;
  // Contests that count multipliers over all bands keep them in the first slot only.
  panel.multiplier_column = contest::CountsPerBand(definition);
  for (int i = 0; i < kScoreRows; ++i) {
    const char band = definition.Bands[static_cast<std::size_t>(i)];
    if (band == 0) continue;
    ScoreRowView& row = panel.rows[static_cast<std::size_t>(i)];
    row.visible = true;
    row.band = bands.Band2Name(band, false);
    row.qsos = std::to_string(tallies.qsos[static_cast<std::size_t>(i)]);
    row.multipliers = std::to_string(tallies.multipliers[static_cast<std::size_t>(i)]);
    row.points = PointsText(code, tallies.points[static_cast<std::size_t>(i)]);
  }

  const contest::ScoreFlags flags = contest::ScoreFlagsOf(definition);
  const std::int64_t qsos = Sum(tallies.qsos);
  const std::int64_t points = Sum(tallies.points);
  std::int64_t multipliers = Sum(tallies.multipliers);
  // The score counts no multiplier yet as one; so does the panel.
  if (multipliers == 0 && points >= 1) multipliers = 1;
  const std::int64_t score = contest::ClaimedScore(flags, tallies.multipliers, tallies.points);

  panel.total_qsos = std::to_string(qsos) + " QSO";
  const bool postcodes_only = code == '5' && definition.MultiplierNames[0].str() == "PLZ";
  if (!flags.no_multipliers && !postcodes_only) {
    panel.total_multipliers =
        std::to_string(multipliers) + MultiplierSuffix(flags, definition);
  }
  panel.total_points = (flags.multipliers_as_score ? std::to_string(multipliers)
                                                   : PointsText(code, points)) +
                       " Punkte =";
  panel.score = (flags.multipliers_as_score ? std::to_string(score) : PointsText(code, score)) +
                " Pkt.";
  return panel;
}

}  // namespace app
