#include "contestlog/station_data.h"

#include <algorithm>
#include <array>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/settings/setups.h"
#include "ui/rounding.h"

namespace contestlog {
namespace {

constexpr int kKindPrefix = 1;
constexpr int kKindDxcc = 2;
constexpr int kKindWae = 14;
constexpr int kKindGermanPrefix = 22;
constexpr std::uint16_t kMaxPoints = 65535;

// Sets the prefix analysis's interactive flag for one lookup and puts the old value back.
class InteractiveFlag {
 public:
  explicit InteractiveFlag(bool on)
      : analysis_(common::Service<logbook::ToPrefix>::Get()), kept_(analysis_.Interactive()) {
    analysis_.SetInteractive(on ? 1 : 0);
  }
  ~InteractiveFlag() { analysis_.SetInteractive(kept_); }
  InteractiveFlag(const InteractiveFlag&) = delete;
  InteractiveFlag& operator=(const InteractiveFlag&) = delete;

 private:
  logbook::ToPrefix& analysis_;
  std::uint8_t kept_;
};

// What the DXCC selection shows of the QSO in hand and keeps a choice under: its call, its DXCC
// prefix (a prefix the QSO already has stands for itself) and the name and QTH of NameQth
// ("name;QTH").
class EntryTexts final : public logbook::QsoFieldTexts {
 public:
  explicit EntryTexts(const contest::TContestLKRec& qso) : qso_(qso) {}
  std::string QsoFieldText(int content_kind) const override {
    const std::string name_qth = qso_.NameQth.str();
    const std::size_t semicolon = name_qth.find(';');
    switch (content_kind) {
      case kCall:
        return common::Trim(qso_.Call.str());
      case kDxcc:
        return common::Trim(qso_.DXCC.str());
      case kName:
        return common::Trim(name_qth.substr(0, semicolon));
      case kQth:
        return semicolon == std::string::npos ? "" : common::Trim(name_qth.substr(semicolon + 1));
      default:
        return "";
    }
  }

 private:
  const contest::TContestLKRec& qso_;
};

// The prefix the table resolves the call to by itself, without the selection window; empty
// when it resolves to nothing.
std::string PlainPrefix(const std::string& call, std::int32_t date) {
  const InteractiveFlag plain(false);
  logbook::TdbPrefix prefix(logbook::kPrefixMain);
  if (prefix.ResolveCall(call, date) != logbook::ResolveResult::kResolved) return {};
  return prefix.GetPrefix();
}

PrefixEntity EntityOf(const logbook::TdbPrefix& prefix) {
  return {prefix.GetPrefix(), common::Trim(prefix.GetDXCC()), common::Trim(prefix.GetWAE()),
          prefix.GetContinent()};
}

// Resolves the call at the QSO's date into `entity`; false when it has none. A call of its own
// in the learnt table (a choice made for it before) or the exact-call table (the country file
// lists it by itself) takes its entity from there and leaves the memo alone. Otherwise an
// entity the selection settled holds while the call's prefix stays the same, so that a call
// typed on keeps it; a settled one is kept in the memo.
bool Resolve(const std::string& call, const contest::TContestLKRec& qso, PrefixLookupMemo& memo,
             PrefixEntity& entity) {
  logbook::TdbPrefix prefix(logbook::kPrefixMain);
  if (prefix.TakeHeldCall(call)) {
    entity = EntityOf(prefix);
    return true;
  }
  if (memo.resolved != 0 && PlainPrefix(call, qso.Datum) == memo.settled.prefix) {
    entity = memo.settled;
    return true;
  }
  const EntryTexts texts(qso);
  // The cursor of a call that is not resolved holds whatever its search met last.
  if (prefix.ResolveCall(call, qso.Datum, false, nullptr, nullptr, memo.resolved, &texts) !=
      logbook::ResolveResult::kResolved) {
    return false;
  }
  entity = EntityOf(prefix);
  if (memo.resolved != 0) memo.settled = entity;
  return true;
}

// Steps 2 to 6 of the lookup on `qso`; false for an unknown call of 3 characters or more.
bool LookUp(contest::TContestLKRec& qso, const contest::TContestKKRec& log, PrefixLookupMemo& memo,
            const contest::TContestRec& definition) {
  const std::string call = common::Trim(qso.Call.str());
  const bool typing_on = !memo.last_call.empty() && call.starts_with(memo.last_call);
  memo.last_call = call;
  InteractiveFlag interactive(log.PrefixMenu != 0 && !typing_on);

  // A call that is not resolved has no entity.
  PrefixEntity entity;
  const bool resolved = Resolve(call, qso, memo, entity);
  const contest::ContestSet& kinds = definition.MultiplierKinds;
  const bool prefix_kinds = kinds[kKindPrefix] || kinds[kKindGermanPrefix];
  if (!resolved && !prefix_kinds) {
    qso.DXCC = "";
    qso.Continent = "";
    qso.WAEFlag = 0;
    return call.size() < 3;
  }

  const std::string& dxcc = entity.dxcc;
  const std::string& wae = entity.wae;
  const std::string& continent = entity.continent;
  if (qso.DXCC.str() != dxcc || prefix_kinds) {
    if (kinds[kKindWae]) qso.DXCC = wae.empty() ? dxcc : wae;
    if (prefix_kinds) {
      qso.Prefix = logbook::ToPrefix::CallPrefixPart(call, log.Typ == '!');
      if (kinds[kKindDxcc]) qso.DXCC = qso.Prefix.str();
      if (kinds[kKindGermanPrefix]) {
        qso.DXCC = dxcc;
        if (dxcc != "DL") qso.Prefix = "";
      }
    }
    if (!kinds[kKindWae] && !prefix_kinds) qso.DXCC = dxcc;
  }
  qso.Continent = continent;
  qso.WAEFlag = wae.empty() ? 0 : 255;
  return true;
}

// The 50 states' postal codes and the District of Columbia.
constexpr std::array<std::string_view, 51> kUsStates = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA",
    "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};

}  // namespace

bool PrefixData(contest::TdbContestBase& log, const contest::TdbContestBase& catalogue,
                const contest::PointsFunction& points, PrefixLookupMemo& memo,
                const contest::TContestRec& definition) {
  contest::TContestLKRec qso{};
  log.GetLKRec(qso);
  bool found = true;
  if (qso.PrefixLock == 0) {
    contest::TContestKKRec entry_log{};
    catalogue.GetKKRec(entry_log);
    found = LookUp(qso, entry_log, memo, definition);
  }
  log.SetLKWorkingCopy(qso);
  if (found && points) {
    qso.Points = static_cast<std::uint16_t>(std::min<std::uint32_t>(points(log), kMaxPoints));
    log.SetLKWorkingCopy(qso);
  }
  return found;
}

int LocatorCalc(std::string_view locator) {
  const std::string own = common::Service<logbook::ToSetups>::Get().GetOwnStation().own_locator;
  double bearing = 0;
  double distance = 0;
  if (!logbook::ToLocator::QRB(own, locator, "LocatorCalc", bearing, distance)) return 0;
  return ui::RoundEven(distance);
}

std::string IsUsState(std::string_view text) {
  return std::find(kUsStates.begin(), kUsStates.end(), text) != kUsStates.end() ? std::string(text)
                                                                                : std::string();
}

void LookupNameQth(std::string_view call, std::string& name, int name_max, std::string& qth,
                   int qth_max) {
  name.clear();
  qth.clear();
  const std::string base = common::Service<logbook::ToPrefix>::Get().GetPrefix(call);
  {
    logbook::TdbCall data(logbook::kCallData);
    if (data.FindCall(base)) {
      name = common::LeftStr(data.GetName(), name_max);
      qth = common::LeftStr(data.GetQTH(), qth_max);
    }
  }
  if (!name.empty()) return;
  logbook::TdbCall book(logbook::kCallBook);
  if (book.FindCall(base)) name = common::LeftStr(book.GetName(), name_max);
}

}  // namespace contestlog
