// The exchange and multiplier value checks of the rule object (contest/cont_log_alle.h).
#include <algorithm>
#include <array>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/rule_helpers.h"

namespace contest {
namespace {

// The region codes of the Holyland contest's areas.
constexpr std::array<std::string_view, 23> kHolylandRegions = {
    "AK", "HF", "RA", "YZ", "AS", "HS", "RM", "ZF", "AZ", "HB", "RH", "BS",
    "JN", "SM", "BL", "JS", "TA", "HD", "KT", "TK", "HG", "PT", "YN"};

// DOKs that no district list accepts.
bool IsRefusedDistrictDok(std::string_view value) {
  return value == "M26" || value == "M29" || value == "M36";
}

// A letter of the list and two digits.
bool IsListedDistrictDok(const std::array<char, kDistrictSlots>& letters, std::string_view value) {
  return IsLetterTwoDigits(value) && HasLetter(letters, value[0]);
}

}  // namespace

bool TContLogAlle::CheckExchange(std::string_view value, const TdbContestBase& catalogue) const {
  const char code = ContestCodeOf(catalogue);
  return code == 'H' ? IsHolylandArea(value) : IsValidDok(value, code);
}

bool TContLogAlle::IsHolylandArea(std::string_view value) {
  return value.size() == 5 && IsUpperLetter(value[0]) && IsDigit(value[1]) && IsDigit(value[2]) &&
         std::find(kHolylandRegions.begin(), kHolylandRegions.end(), value.substr(3)) !=
             kHolylandRegions.end();
}

bool TContLogAlle::CheckDokExchange(std::string_view value, const TContestRec& definition,
                                    const TdbContestBase& catalogue) const {
  if (definition.MultiplierKinds[8] || definition.MultiplierKinds[17]) return true;
  if (!value.empty() && value == definition.SentText2.view()) return false;
  const TContestKKRec own = CatalogueOf(catalogue);
  const char code = own.Typ;
  bool result = true;  // no list in use
  const bool doks_in_use = !definition.ValidDoks[0].empty();
  if (doks_in_use) result = HasText(definition.ValidDoks, value);
  if (definition.ValidDistricts[0] != 0 && !(doks_in_use && result)) {
    result = IsListedDistrictDok(definition.ValidDistricts, value) &&
             !IsRefusedDistrictDok(value) && !(code == 'o' && !value.empty() && value[0] != 'Z');
  }
  // 'O': a station of district M or of a listed DOK counts every valid DOK.
  if (code == 'O' && !result &&
      (common::LeftStr(own.OwnDOK.view(), 1) == "M" ||
       HasText(definition.ValidDoks, own.OwnDOK.view()))) {
    result = IsValidDok(value, code);
  }
  // Under Flag35 DOKs outside the plain district form count as well.
  if (definition.Flag35 != 0 && !result) {
    result = IsValidDok(value, code) && !IsLetterTwoDigits(value);
  }
  return result;
}

bool TContLogAlle::CheckDistrictExchange(std::string_view value, const TContestRec& definition,
                                         const TdbContestBase& catalogue) const {
  if (value.empty() || value.size() >= 4) return false;
  const char code = ContestCodeOf(catalogue);
  if (code == 'u') return IsLetterTwoDigits(value) && value[0] != 'J';
  if (code == 'W' && definition.MultiplierKinds[21]) return true;
  if (code == 'o' && value[0] == 'Z') return false;
  return IsListedDistrictDok(definition.ValidDistricts, value);
}

bool TContLogAlle::IsBonusStation(std::string_view call, const TContestRec& definition,
                                  const TdbContestBase& catalogue) const {
  const char code = ContestCodeOf(catalogue);
  TContestFkt& fkt = common::Service<TContestFkt>::Get();
  const std::string cut =
      call.find('/') == std::string_view::npos ? std::string(call) : common::StrBefore(call, "/");
  bool result = true;
  if (code == kEventCode) {
    // The event's own stations; an event call not supplied matches nothing. "DOMIVOX" is
    // covered by "DOMI".
    const auto& event = fkt.Definitions().Program().EventCalls;
    result = (!event[0].empty() && call == event[0]) || common::Pos("DOMI", cut) > 0 ||
             common::Pos("VOXA", cut) > 0 || (!event[1].empty() && cut == event[1]);
  }
  if (!definition.BonusCalls[0].empty()) return HasText(definition.BonusCalls, cut);
  // A contest whose rules name bonus stations has none until the operator supplies their calls:
  // counting every call instead would claim a multiplier for each QSO.
  const ContestData* contest = fkt.Definitions().Find(code);
  if (contest != nullptr && contest->BonusCount > 0) return false;
  return result;
}

}  // namespace contest
