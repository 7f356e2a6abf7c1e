#include "contestlog/save_check.h"

#include <algorithm>

#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contestlog/entry_record.h"
#include "contestlog/log_start.h"

namespace contestlog {
namespace {

constexpr std::uint8_t kPeriodDupeKind = 4;
constexpr int kDokKeyLength = 8;

// The byte answers of the counting rules: 1 refuses, 2 and 3 keep the QSO without points.
DupeVerdict FromCount(std::uint8_t result) {
  if (result == 1) return DupeVerdict::kRefused;
  return result == 2 || result == 3 ? DupeVerdict::kWithoutPoints : DupeVerdict::kNew;
}

DupeVerdict FromPass(bool passes) { return passes ? DupeVerdict::kNew : DupeVerdict::kRefused; }

bool DokListInUse(const contest::TContestRec& definition) {
  return !definition.ExtraDoks[0].empty();
}

bool DistrictsInUse(const contest::TContestRec& definition) {
  return definition.ExtraDistricts[0] != 0;
}

}  // namespace

DupeVerdict RunDupeRules(const ContestLogCore& core, bool same_day) {
  const contest::TContLogAlle& rules = *core.Service;
  const contest::TdbContestBase& log = *core.LogTable;
  const contest::TContestRec& definition = core.Definition;
  const contest::TContestLKRec qso = EntryRecord(core);
  const std::string call = qso.Call.str();
  const std::string mode = qso.Mode.str();
  const char band = qso.Bandcode;
  const char code = ContestCode(*core.Catalogue);

  DupeVerdict verdict = DupeVerdict::kNew;
  // Each rule runs only while none before it refused.
  auto apply = [&verdict](DupeVerdict found) {
    if (found != DupeVerdict::kNew) verdict = found;
    return verdict != DupeVerdict::kRefused;
  };
  if (!apply(FromCount(rules.DupeBandMode(call, band, log, definition, mode)))) return verdict;
  if (!apply(FromCount(rules.DupeBand(call, band, code, log, definition)))) return verdict;
  if (same_day &&
      !apply(FromCount(rules.DupeSameDay(call, qso.Datum, code, log, definition)))) {
    return verdict;
  }
  if (!apply(FromPass(rules.DupeMode(call, mode, log, definition)))) return verdict;
  if (definition.DupeKind == kPeriodDupeKind) {
    if (!apply(FromPass(rules.DupeBandPeriod(call, band, code, log, definition, qso.Zeit)))) {
      return verdict;
    }
    if (!apply(FromPass(rules.DupeBandDay(call, band, code, log, definition, qso.Datum)))) {
      return verdict;
    }
  }
  apply(FromCount(rules.DupeAnywhere(call, definition, log)));
  return verdict;
}

std::string DistrictLetters(const contest::TContestRec& definition) {
  std::string letters;
  for (char letter : definition.ExtraDistricts) {
    if (letter == 0) continue;
    if (!letters.empty()) letters += '/';
    letters += letter;
  }
  return letters;
}

bool PassesDistrictCheck(const contest::TContestRec& definition, const contest::TContestLKRec& qso) {
  const bool doks = DokListInUse(definition);
  const bool districts = DistrictsInUse(definition);
  if (!doks && !districts) return true;
  if (doks) {
    const std::string dok = common::LeftStr(qso.DOK1.str() + qso.DOK2.str(), kDokKeyLength);
    const bool listed =
        std::any_of(definition.ExtraDoks.begin(), definition.ExtraDoks.end(),
                    [&dok](const contest::ContestText& entry) {
                      return !entry.empty() && entry.view() == dok;
                    });
    if (listed) return true;
  }
  if (!districts || qso.DOK1.empty()) return false;
  const char first = qso.DOK1.view().front();
  return std::any_of(definition.ExtraDistricts.begin(), definition.ExtraDistricts.end(),
                     [first](char letter) { return letter != 0 && letter == first; });
}

SaveRefusal CheckSaveQso(ContestLogCore& core) {
  contest::TContestLKRec qso = EntryRecord(core);
  // Midnight is a time like any other: only an unreadable or missing time (-1) is none.
  if (qso.Datum < 1 || qso.Zeit < 0) return SaveRefusal::kNoDateOrTime;
  if (contest::TContLogAlle::ExchangeKind(qso.Call.str()) != 0) return SaveRefusal::kBadCall;
  if (core.Definition.SWL != 0 && common::Trim(qso.Call2.str()).empty())
    return SaveRefusal::kBadCall;

  const DupeVerdict verdict = RunDupeRules(core, false);
  if (verdict == DupeVerdict::kRefused) return SaveRefusal::kDupe;
  if (verdict == DupeVerdict::kWithoutPoints) {
    qso.NoPoints = kKeptWithoutPoints;
    SetEntryRecord(core, qso);
  }

  if (PassesDistrictCheck(core.Definition, qso)) return SaveRefusal::kNone;
  if (!qso.DOK1.empty()) {
    common::Service<common::ToMessages>::Get().Hinweis(
        "Contest", "DOK-Check",
        "Station muß aus Distrikt " + DistrictLetters(core.Definition) +
            " sein. Bitte Kontestregeln beachten.",
        false);
  }
  return SaveRefusal::kOutsideDistricts;
}

}  // namespace contestlog
