// The duplicate checks of the rule object (contest/cont_log_alle.h).
#include <algorithm>
#include <functional>
#include <initializer_list>

#include "common/date_mask.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/rule_helpers.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/prefix.h"

namespace contest {
namespace {

enum class Reaction : std::uint8_t {
  kRefuse,       // warn; the QSO is refused
  kSilent,       // no warning; the QSO is kept without points
  kConditional,  // warn unless the new QSO is already marked; kept without points
};

// What a rule does for one dupe kind, and what it answers.
struct DupeCase {
  std::uint8_t kind;
  Reaction reaction;
  std::uint8_t result;
};

struct RuleText {
  std::string_view german;  // follows "Call " and the reduced call
  std::string_view english;
};

constexpr RuleText kBandModeText{" bereits auf Band/Mode vorhanden",
                                 "Call already exists on band/mode"};
constexpr RuleText kBandText{" bereits auf Band vorhanden", "Call already exists on band"};
constexpr RuleText kSameDayText{" bereits an diesem Tag vorhanden", "Call already exists on day"};
constexpr RuleText kModeText{" bereits in Betriebsart vorhanden", "Call already exists on mode"};
constexpr RuleText kBandPeriodText{" bereits in Band und Periode vorhanden",
                                   "Call already exists on band and period"};
constexpr RuleText kBandDayText{" bereits in Band und Tag vorhanden",
                                "Call already exists on band and day"};
constexpr RuleText kAnywhereText{" bereits vorhanden", "Call already exists"};

constexpr std::int32_t kAfternoon = 15 * 3600;  // code '6': the second half of the day

const DupeCase* FindCase(std::initializer_list<DupeCase> cases, std::uint8_t kind) {
  const auto it = std::find_if(cases.begin(), cases.end(),
                               [kind](const DupeCase& c) { return c.kind == kind; });
  return it == cases.end() ? nullptr : it;
}

// The call as the dupe rules compare it: option 1 (the base call), the form the keys hold.
std::string Reduced(std::string_view call, int option = logbook::ToPrefix::kBaseCall) {
  return ReducedCall(call, option);
}

// 0 CW, 1 phone, 2 every other mode; the mode text compared exactly.
int ModeGroup(std::string_view mode) {
  if (mode == "CW") return 0;
  if (mode == "SSB" || mode == "USB" || mode == "LSB" || mode == "FM") return 1;
  return 2;
}

bool Marked(const TdbContestBase& log) { return QsoOf(log).NoPoints != 0; }

// Rings the bell and, when `show`, warns of the earlier QSO `found`.
void ReportDupe(std::string_view call, const RuleText& text, const TContestLKRec& found,
                bool show) {
  common::Service<TContestFkt>::Get().Port().Beep();
  if (!show) return;
  const std::string line1 =
      common::LangText("Call " + Reduced(call) + std::string(text.german), text.english);
  const std::string line2 =
      found.Call.str() + " " + common::DateToDateString(found.Datum, "dd.mm.yyyy", {}) + " " +
      common::TimeToTimeString(found.Zeit, "hh:mm", {}) + " " +
      common::Service<logbook::ToBaender>::Get().Band2Name(found.Bandcode, false) + " " +
      found.Mode.str();
  common::Service<common::ToMessages>::Get().Achtung("", line1 + "\r\n" + line2);
}

// The common frame of the byte rules: the rule's case for the definition's kind, the search on
// an object of its own on the log's file, the report and the answer.
using Search = std::function<bool(TdbContest& search, TContestLKRec& found)>;

std::uint8_t ByteRule(std::initializer_list<DupeCase> cases, std::string_view call,
                      const TdbContestBase& log, const TContestRec& definition,
                      const RuleText& text, const Search& search) {
  const DupeCase* c = FindCase(cases, definition.DupeKind);
  if (c == nullptr) return 0;
  TdbContest own(kTableLK, log.FileSetNo());
  TContestLKRec found{};
  if (!search(own, found)) return 0;
  const bool show =
      c->reaction == Reaction::kRefuse || (c->reaction == Reaction::kConditional && !Marked(log));
  ReportDupe(call, text, found, show);
  return c->result;
}

// The same for the Boolean rules, which only refuse; `applies` says whether the rule is asked.
bool BooleanRule(bool applies, std::string_view call, const TdbContestBase& log,
                 const RuleText& text, const Search& search) {
  if (!applies) return true;
  TdbContest own(kTableLK, log.FileSetNo());
  TContestLKRec found{};
  if (!search(own, found)) return true;
  ReportDupe(call, text, found, true);
  return false;
}

// Walks the QSOs of the band with the call (key 9 from band + call) and stops at the first one
// for which `is_dupe` holds; false at the first QSO of another call or band.
bool WalkBandCall(TdbContest& search, char band, std::string_view call, TContestLKRec& found,
                  const std::function<bool(const TContestLKRec&)>& is_dupe) {
  const std::string reduced = Reduced(call);
  for (bool more = search.FindBandCallMode(band, call); more; more = search.Next(true, true)) {
    search.GetLKRec(found);
    if (found.Bandcode != band || Reduced(found.Call.view()) != reduced) return false;
    if (is_dupe(found)) return true;
  }
  return false;
}

}  // namespace

std::uint8_t TContLogAlle::DupeBandMode(std::string_view call, char band, const TdbContestBase& log,
                                        const TContestRec& definition,
                                        std::string_view mode) const {
  return ByteRule(
      {{1, Reaction::kRefuse, 1}, {7, Reaction::kSilent, 2}, {8, Reaction::kConditional, 3}}, call,
      log, definition, kBandModeText, [&](TdbContest& search, TContestLKRec& found) {
        return search.SeekBandCallMode(band, call, mode) && search.GetLKRec(found);
      });
}

std::uint8_t TContLogAlle::DupeBand(std::string_view call, char band, char code,
                                    const TdbContestBase& log,
                                    const TContestRec& definition) const {
  return ByteRule({{2, Reaction::kRefuse, 1}, {9, Reaction::kConditional, 3}}, call, log,
                  definition, kBandText, [&](TdbContest& search, TContestLKRec& found) {
                    const std::string prefix_part = Reduced(call, logbook::ToPrefix::kPrefixPart);
                    return WalkBandCall(search, band, call, found, [&](const TContestLKRec& r) {
                      return code != '9' ||
                             Reduced(r.Call.view(), logbook::ToPrefix::kPrefixPart) == prefix_part;
                    });
                  });
}

std::uint8_t TContLogAlle::DupeSameDay(std::string_view call, std::int32_t date, char code,
                                       const TdbContestBase& log,
                                       const TContestRec& definition) const {
  const char band = code == 'h' ? log.GetBandcode() : 0;
  return ByteRule(
      {{11, Reaction::kRefuse, 1}, {12, Reaction::kSilent, 2}, {13, Reaction::kConditional, 3}},
      call, log, definition, kSameDayText, [&](TdbContest& search, TContestLKRec& found) {
        return search.FindCallBandDate(call, date, band) && search.GetLKRec(found);
      });
}

bool TContLogAlle::DupeMode(std::string_view call, std::string_view mode, const TdbContestBase& log,
                            const TContestRec& definition) const {
  return BooleanRule(definition.DupeKind == 3, call, log, kModeText,
                     [&](TdbContest& search, TContestLKRec& found) {
                       const std::string reduced = Reduced(call);
                       const int group = ModeGroup(mode);
                       for (bool more = search.FindCallDateTime(call); more;
                            more = search.Next(true, true)) {
                         search.GetLKRec(found);
                         if (Reduced(found.Call.view()) != reduced) return false;
                         if (ModeGroup(found.Mode.view()) == group) return true;
                       }
                       return false;
                     });
}

bool TContLogAlle::DupeBandPeriod(std::string_view call, char band, char code,
                                  const TdbContestBase& log, const TContestRec& /*definition*/,
                                  std::int32_t time) const {
  return BooleanRule(code == '6', call, log, kBandPeriodText,
                     [&](TdbContest& search, TContestLKRec& found) {
                       return WalkBandCall(search, band, call, found, [&](const TContestLKRec& r) {
                         return (r.Zeit < kAfternoon) == (time < kAfternoon);
                       });
                     });
}

bool TContLogAlle::DupeBandDay(std::string_view call, char band, char code,
                               const TdbContestBase& log, const TContestRec& /*definition*/,
                               std::int32_t date) const {
  return BooleanRule(code == 'o', call, log, kBandDayText,
                     [&](TdbContest& search, TContestLKRec& found) {
                       return WalkBandCall(search, band, call, found,
                                           [&](const TContestLKRec& r) { return r.Datum == date; });
                     });
}

std::uint8_t TContLogAlle::DupeAnywhere(std::string_view call, const TContestRec& definition,
                                        const TdbContestBase& log) const {
  return ByteRule({{5, Reaction::kRefuse, 1}, {10, Reaction::kConditional, 3}}, call, log,
                  definition, kAnywhereText, [&](TdbContest& search, TContestLKRec& found) {
                    return search.FindCall(call) && search.GetLKRec(found);
                  });
}

}  // namespace contest
