// Whether the QSO in hand may be stored: the dupe rules of the contest in their order and the
// save check, on the entry record (the working copy of the core's LogTable), without a widget.
#pragma once

#include <cstdint>
#include <string>

#include "contest/contest_definition.h"
#include "contest/log_record.h"
#include "contestlog/log_core.h"

namespace contestlog {

// The NoPoints mark of a dupe the contest keeps without points.
inline constexpr std::uint8_t kKeptWithoutPoints = 255;

enum class DupeVerdict {
  kNew,            // no rule found an earlier QSO that counts against it
  kRefused,        // a rule refuses the QSO
  kWithoutPoints,  // a dupe the contest keeps, without points
};

// Runs the contest's dupe rules on the entry record in their order, up to the first refusal:
// by band and mode, by band, (with `same_day`) on the same day, by mode group, then for dupe
// kind 4 by band and period and by band and day, then anywhere in the log. The rules warn
// themselves; a dupe kept without points is kWithoutPoints unless a later rule refuses.
DupeVerdict RunDupeRules(const ContestLogCore& core, bool same_day);

// The district letters of the contest's save check joined by "/" ("A/B"); empty without them.
std::string DistrictLetters(const contest::TContestRec& definition);

// Whether the QSO's DOK passes the contest's district check: with a DOK list, DOK1 and DOK2
// together are one of its entries; with district letters (and the DOK list did not take it),
// DOK1 begins with one of them. Passes when the contest has neither.
bool PassesDistrictCheck(const contest::TContestRec& definition, const contest::TContestLKRec& qso);

// The save check of the entry record, in this order: a date (day 1 or later) and a time (from
// 00:00:00 on; -1 is none); a call that is no exchange (contest::TContLogAlle::ExchangeKind 0);
// in a listener log a second call; the dupe rules without the same-day rule (a dupe kept without
// points marks the record's NoPoints 255); the district check, which names the contest's
// district letters in a notice when the QSO has a DOK that fails it. CheckSaveQso tells the
// step that refused; CanSaveQso whether none did.
enum class SaveRefusal {
  kNone,
  kNoDateOrTime,
  kBadCall,  // a call that is an exchange, or a listener log's missing second call
  kDupe,
  kOutsideDistricts,
};
SaveRefusal CheckSaveQso(ContestLogCore& core);
inline bool CanSaveQso(ContestLogCore& core) { return CheckSaveQso(core) == SaveRefusal::kNone; }

}  // namespace contestlog
