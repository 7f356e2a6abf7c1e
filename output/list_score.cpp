// The score lines under a printed or E-Log QSO list, and the notice about a written file.
#include "common/messages.h"
#include "common/service.h"
#include "output/qso_list.h"
#include "output/sheet_text.h"

namespace output {

void WriteScoreLine(TAlleRout& channel, int longest_line, const contest::TContestRec& definition,
                    const BandSlotTallies& tallies, const contest::TContestKKRec& log) {
  const auto line = [&](std::string_view text) {
    channel.WriteLine(common::PadLeftBlank(text, longest_line), true, true);
  };
  const std::int64_t score = ClaimedScoreOf(channel, definition, tallies);
  line(" ");
  const contest::ScoreFlags flags = contest::ScoreFlagsOf(definition);
  if (!flags.no_multipliers && !flags.points_only && !flags.per_band_product &&
      !flags.multipliers_as_score) {
    std::string totals;
    for (const std::int32_t total : channel.KindTotals) {
      if (total <= 0) continue;
      if (!totals.empty()) totals += " + ";
      totals += Places(total, 5);
    }
    line(" (" + totals + ") x " + PointsPlaces(channel.PointsTotal, log.Typ, 7));
    line(" ");
    line(PointsNumber(score, log.Typ) + " Punkte");
  } else {
    line(PointsPlaces(score, log.Typ, 7) + " Punkte");
  }
  if (log.Typ == '5') line(Places(channel.MultiTotal, 7) + " PLZ-Bereiche");
}

void ReportFileWritten(const TAlleRout& channel) {
  common::Service<common::ToMessages>::Get().Hinweis(
      "", "Dateiausgabe:", "Datei " + channel.FileName() + " wurde erstellt.", false);
}

}  // namespace output
