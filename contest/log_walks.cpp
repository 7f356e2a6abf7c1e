// The rule object's operations on the log as a whole: band slots, the call-field classification,
// the points walk, the QSO filter and the running numbers of a new QSO (contest/cont_log_alle.h).
#include <algorithm>
#include <limits>
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/rule_helpers.h"
#include "logbook/reference/prefix.h"

namespace contest {
namespace {

// Keys of the running numbers.
constexpr int kWagNummerKey = 13;

// A text the call field takes for an exchange rather than a call: two digits or three capital
// letters first.
bool LooksLikeExchange(std::string_view text) {
  return (IsDigit(text[0]) && IsDigit(text[1])) ||
         (IsUpperLetter(text[0]) && IsUpperLetter(text[1]) && IsUpperLetter(text[2]));
}

void ReportUnwritten(std::int32_t count) {
  common::Service<common::ToMessages>::Get().Achtung(
      "Punkte", "Die Punkte von " + std::to_string(count) +
                    " QSO(s) konnten nicht gespeichert werden; eine andere Station hat sie "
                    "gelöscht oder gesperrt. Bitte berechnen Sie das Log später neu.");
}

}  // namespace

std::uint8_t TContLogAlle::BandSlot(char band, std::uint8_t flag31, bool all_bands_slot) {
  if (all_bands_slot && flag31 != 0 && flag31 != 2) return 1;
  return static_cast<std::uint8_t>(band);
}

int TContLogAlle::ExchangeKind(std::string_view text) {
  const std::string reduced =
      common::Service<logbook::ToPrefix>::Get().GetPrefix(common::Trim(text));
  if (reduced.size() < 3) return 1;
  if (common::Pos("DOMIVOX", reduced) > 0) return 0;
  return LooksLikeExchange(reduced) ? 2 : 0;
}

QsoWalkTotals TContLogAlle::ForEachQso(const TContestRec& definition, const PointsFunction& points,
                                       TdbContestBase& log, bool all_bands_slot) const {
  QsoWalkTotals totals;
  std::string at;  // the auto key of the record in hand
  const auto next = [&log, &at] {
    if (log.Next(true, true)) return true;
    // The record in hand is gone (another station deleted it): the walk goes on after it.
    return !log.FindAutoKey(at) && log.Search(at, kLKAutoKey);
  };
  for (bool found = log.First(kLKAutoKey); found; found = next()) {
    log.GetAutoKeyText(at);
    TContestLKRec qso{};
    log.GetLKRec(qso);
    if (qso.SkipMark != 0) {
      totals.last_band = static_cast<char>(qso.SkipMark);
      continue;
    }
    const std::uint8_t slot = BandSlot(qso.Bandcode, definition.Flag31, all_bands_slot);
    if (slot > 0) {
      const std::uint32_t full = points(log);
      // The field holds 16 bits: a larger score is stored as the largest it can hold, and the
      // comparison is made after that cut, so that such a QSO is not written on every pass.
      const auto stored = static_cast<std::uint16_t>(
          std::min<std::uint32_t>(full, std::numeric_limits<std::uint16_t>::max()));
      totals.slot_points[slot] += full;
      if (stored != qso.Points) {
        qso.Points = stored;
        log.SetLKWorkingCopy(qso);
        // Another station may have deleted or locked the QSO meanwhile: it keeps its old points.
        if (!log.UpdateRec()) ++totals.unwritten;
      }
      ++totals.slot_qsos[slot];
    }
    ++totals.qso_count;
    totals.last_band = qso.Bandcode;
  }
  if (totals.unwritten > 0) ReportUnwritten(totals.unwritten);
  return totals;
}

bool TContLogAlle::MatchesQsoFilter(const TContestRec& definition, const TContestLKRec& qso) {
  const std::string text = TContestFkt::RcvdExchangeText(qso);
  if (definition.FilterText.view() == "Naval") {
    // A Naval member number follows the report and begins with letters.
    return text.size() > 3 && common::CopyFrom(text, 4) != "NM" && !IsDigit(text[3]);
  }
  return common::Pos(definition.FilterText.view(), text) > 0;
}

bool TContLogAlle::MatchesQsoFilter(const TContestRec& definition, const TdbContestBase& log) {
  return MatchesQsoFilter(definition, QsoOf(log));
}

bool TContLogAlle::PassesQsoFilter(const TContestRec& definition, const TContestLKRec& qso) {
  return definition.FilterText.empty() || MatchesQsoFilter(definition, qso);
}

bool TContLogAlle::PassesQsoFilter(const TContestRec& definition, const TdbContestBase& log) {
  return PassesQsoFilter(definition, QsoOf(log));
}

bool TContLogAlle::FailsQsoFilter(const TContestRec& definition, const TdbContestBase& log) {
  return !PassesQsoFilter(definition, log);
}

QsoNumbers TContLogAlle::NextQsoNumbers(bool with_overall, char band, const TdbContestBase& log,
                                        std::string_view mode) const {
  TdbContest search(kTableLK, log.FileSetNo());
  const auto found = [&search]() { return QsoOf(search); };
  QsoNumbers numbers;
  if (with_overall) {
    numbers.overall = search.Last(kWagNummerKey) ? found().wagNummer + 1 : 1;
  }
  // The descending keys reach the band's (or the mode class's) highest number first; a record
  // of the next band (or of another mode text) means there is none.
  if (search.FindBandWagNr(band, 0) && found().Bandcode == band) {
    numbers.band = found().wagBandNr + 1;
  }
  if (search.FindBandWagNrIntern(band, 0) && found().Bandcode == band) {
    numbers.band_intern = found().wagBandNrIntern + 1;
  }
  if (search.FindModeNr(mode, 0) && found().Mode.view() == mode) {
    numbers.mode = found().ModeNr + 1;
  }
  return numbers;
}

}  // namespace contest
