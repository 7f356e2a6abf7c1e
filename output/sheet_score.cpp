// The summary sheet's points table per band and its final score.
#include "common/lang_text.h"
#include "common/service.h"
#include "logbook/reference/bands.h"
#include "output/sheet_text.h"
#include "output/summary_sheet.h"

namespace output {
namespace {

using common::LangText;

// Where the heading right-aligns the names of the three multiplier slots.
constexpr int kHeadingWidths[3] = {8, 10, 10};

}  // namespace

void SummarySheet::WritePointsTable() {
  if (Code() != 0) {
    WritePointsHeading();
    for (int slot = 1; slot <= contest::kBandCodeSlots; ++slot) {
      if (definition_.Bands[slot - 1] != 0) WriteBandRow(slot);
    }
  }
  WriteRuleLine();
  if (definition_.Flag36 == 0) {
    if (Code() != 0) WriteSumRow();
    WriteRuleLine();
  }
}

void SummarySheet::WritePointsHeading() {
  std::string heading = Blanks(10) + Fit("Band", 8) + "    " + "QSO  " + Pair(" Punkte  ", " Points  ");
  for (int n = 0; n < 3; ++n) {
    const auto& name = definition_.MultiplierNames[n];
    if (!name.empty()) heading += common::PadLeftBlank(name.view(), kHeadingWidths[n]);
  }
  if (definition_.Flag36 != 0) heading += "    Gesamt";
  Line(heading);
}

void SummarySheet::WriteBandRow(int slot) {
  const int s = slot - 1;
  const char band = definition_.Bands[s];
  const auto code = static_cast<unsigned char>(band);
  // The Naval contest counts over all bands; its rows come from the QSOs themselves.
  const bool naval = Code() == 'i';
  const std::int32_t qsos = naval ? facts_.per_band.qsos[code] : tallies_.qsos[s];
  const std::int32_t points = naval ? facts_.per_band.points[code] : tallies_.points[s];
  std::string row = Blanks(10) +
                    Fit(common::Service<logbook::ToBaender>::Get().Band2Name(band, false), 8) +
                    "  " + Places(qsos, 7) + "  " + PointsPlaces(points, Code(), 7);
  for (int n = 0; n < 3; ++n) {
    if (definition_.MultiplierNames[n].empty()) continue;
    std::int32_t count = tallies_.slot_tallies[n][s];
    if (naval) count = n == 0 ? facts_.per_band.call_multiplier_qsos[code] : 0;
    row += "   " + Places(count, 7);
  }
  if (definition_.Flag36 != 0) {
    // What the band adds to the score: the same rule as the final score.
    const std::int32_t multipliers[] = {tallies_.multipliers[s]};
    const std::int32_t band_points[] = {points};
    row += "  " + PointsPlaces(contest::ClaimedScore(contest::ScoreFlagsOf(definition_),
                                                     multipliers, band_points),
                               Code(), 6);
  }
  Line(row);
}

void SummarySheet::WriteRuleLine() {
  Line(Blanks(10) + std::string(definition_.Flag36 != 0 ? 55 : 47, '_'));
}

void SummarySheet::WriteSumRow() {
  std::string row = Blanks(10) + Fit("Summe", 8) + "  " + Places(channel_.QsoTotal, 7) + "  " +
                    PointsPlaces(channel_.PointsTotal, Code(), 7);
  for (int n = 0; n < 3; ++n) {
    if (!definition_.MultiplierNames[n].empty()) row += "   " + Places(channel_.KindTotals[n], 7);
  }
  Line(row);
}

void SummarySheet::WriteFinalScore() {
  if (Code() == 0) return;
  const contest::ScoreFlags flags = contest::ScoreFlagsOf(definition_);
  const bool product = !flags.no_multipliers && !flags.points_only &&
                       !flags.multipliers_as_score && !flags.per_band_product;
  if (product && channel_.MultiTotal == 0 && channel_.PointsTotal > 0) channel_.MultiTotal = 1;
  Line(" ");
  Line(Blanks(10) + Pair("Endergebnis:", "Final Score:") + "  " +
       FinalScoreText(ClaimedScoreOf(channel_, definition_, tallies_)));
}

std::string SummarySheet::FinalScoreText(std::int64_t score) const {
  const std::string points = PointsNumber(channel_.PointsTotal, Code());
  const std::string multipliers = Number(channel_.MultiTotal);
  const std::string unit = LangText(" Punkte", "  Points");
  if (definition_.Flag36 != 0) return PointsPlaces(score, Code(), 6);
  if (definition_.MultiplierKinds.none()) return points + unit;
  if (definition_.Flag34 != 0) {
    if (Code() == '5') {
      return points + LangText(" Punkte /  ", " Points /  ") + multipliers + " PLZ-Bereiche";
    }
    if (Code() == 'P') return points + LangText(" Punkte   ", " Points   ") + multipliers + " Präfixe";
    return points + LangText(" Punkte (", " Points (") + multipliers +
           " Multi) = " + PointsNumber(score, Code()) + unit;
  }
  if (definition_.ScoreFlag != 0) return PointsNumber(score, Code()) + unit;
  return points + LangText(" Punkte x ", " Points x ") + multipliers +
         " Multi = " + PointsNumber(score, Code()) + unit;
}

}  // namespace output
