// The multiplier rules of the rule object: which kinds a slot names, what a QSO gives for a kind,
// whether it counts and with which weight (contest/cont_log_alle.h).
#include <algorithm>
#include <array>
#include <initializer_list>

#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/rule_helpers.h"

namespace contest {
namespace {

struct KindNames {
  int kind;
  std::initializer_list<std::string_view> names;
};

const std::array<KindNames, 12> kKindNames = {{
    {1, {"Prefix"}},
    {2, {"DXCC", "Prefix"}},
    {4, {"DOK", "Area", "LDK", "Kanton"}},
    {5, {"Loc"}},
    {10, {"Callmulti"}},
    {12, {"US-State"}},
    {14, {"WAE"}},
    {15, {"PLZ"}},
    {16, {"DIG", "IBFD", "AGCW", "QCWA"}},
    {18, {"DOK", "Distrikt"}},
    {19, {"Naval", "QCWA", "DSW", "MRR"}},
    {22, {"Prefix"}},
}};

// DOKs with their own weight under code 'U'.
bool IsListedUDok(std::string_view dok1) {
  static constexpr std::array<std::string_view, 7> kDoks = {"Z16", "Z44", "Z64", "Z76",
                                                            "BBT", "DVU", "DB0"};
  return (!dok1.empty() && dok1[0] == 'U') ||
         std::find(kDoks.begin(), kDoks.end(), dok1) != kDoks.end();
}

// The member number of the received exchange ('6'): two characters after the report.
bool HasMemberNumber(const TContestLKRec& qso) {
  const std::string number = common::Trim(common::Copy(TContestFkt::RcvdExchangeText(qso), 4, 2));
  return !number.empty() && number != "NM";
}

}  // namespace

bool TContLogAlle::MultiplierSlotIsKind(int kind, int slot, const TContestRec& definition) {
  if (slot < 1 || slot > kExchangeSlots) return false;
  const std::string_view name =
      definition.MultiplierNames[static_cast<std::size_t>(slot - 1)].view();
  const auto it = std::find_if(kKindNames.begin(), kKindNames.end(),
                               [kind](const KindNames& k) { return k.kind == kind; });
  return !name.empty() && it != kKindNames.end() &&
         std::find(it->names.begin(), it->names.end(), name) != it->names.end();
}

std::string TContLogAlle::WalkValue(int kind, const TContestLKRec& qso) {
  switch (kind) {
    case 1:
      return qso.Prefix.str();
    case 2:
      return qso.DXCC.str();
    case 4:
      return common::LeftStr(DokOf(qso), 8);
    case 5:
      return common::LeftStr(qso.Loc.view(), 4);
    case 10:
      return ReducedCall(qso.Call.view());
    case 12:
    case 15:
      return qso.WAZ_USStaat.str();
    case 16:
    case 19:
      return qso.Call2.str();
    case 18:
      return common::LeftStr(qso.DOK1.view(), 1);
    case 22:
      return qso.DXCC.view() == "DL" ? qso.Prefix.str() : std::string();
    default:
      return {};
  }
}

bool TContLogAlle::QsoCountsForKind(int kind, std::string_view value, const TdbContestBase& qso,
                                    const TdbContestBase& catalogue,
                                    const TContestRec& definition) {
  return CountsForKind(kind, value, QsoOf(qso), catalogue, definition);
}

bool TContLogAlle::WalkQsoCountsForKind(int kind, const TContestLKRec& qso,
                                        const TdbContestBase& catalogue,
                                        const TContestRec& definition) {
  return CountsForKind(kind, kind == 18 ? DokOf(qso) : WalkValue(kind, qso), qso, catalogue,
                       definition);
}

bool TContLogAlle::CountsForKind(int kind, std::string_view value, const TContestLKRec& record,
                                 const TdbContestBase& catalogue, const TContestRec& definition) {
  if (value.empty()) return false;
  const char code = ContestCodeOf(catalogue);
  bool counts = true;
  switch (kind) {
    case 2:
      counts = definition.MultiplierKinds[2] && (value != "DL" || definition.MultiplierKinds[3]) &&
               (!definition.MultiplierKinds[9] || record.Continent.view() == "EU") &&
               (code != '6' || HasMemberNumber(record));
      break;
    case 4:
      // "NM" (no member) is no DOK: the log window never takes it for kind 4.
      counts = value != "NM" && CheckDokExchange(value, definition, catalogue);
      break;
    case 10:
      counts = IsBonusStation(value, definition, catalogue);
      break;
    case 16:
      counts = value != "NM";
      break;
    case 18:
      // The district check wants the whole DOK, not the district letter a walk reads.
      counts = CheckDistrictExchange(DokOf(record), definition, catalogue);
      break;
    case 19:
      counts = code != 'p' || IsDswMember(value);
      break;
    case 22:
      counts = record.DXCC.view() == "DL";
      break;
    default:
      break;
  }
  return counts && PassesQsoFilter(definition, record);
}

std::int32_t TContLogAlle::MultiplierWeight(int kind, const TContestLKRec& qso,
                                            const TdbContestBase& catalogue) {
  const TContestKKRec own = CatalogueOf(catalogue);
  const char code = own.Typ;
  const std::string_view dok1 = qso.DOK1.view();
  if (kind == 5) {
    if (code == 'Y') return 4;
    if (code == '2') return 2;
    if (code == 'J') return qso.Bandcode == 'k' || qso.Bandcode == 'l' ? 0 : -1;
  } else if (kind == 4) {
    if (code == '1') return DokOf(qso) == "NM" ? -1 : 0;
    if (code == '2') {
      if (dok1 == "WN") return 5;
      return (dok1.size() == 2 || dok1.size() == 3) && dok1.back() == 'N' ? 2 : 0;
    }
    if (code == 'U') {
      const bool listed = IsListedUDok(dok1);
      return own.MultiplierFlag != 0 ? (listed ? 0 : 1) : (listed ? 1 : 0);
    }
  } else if (kind == 19 && code == 'p') {
    if (IsListedCall(code, 0, qso.Call.view())) return 9;
    return IsDswMember(qso.Call2.view()) ? 4 : 0;
  }
  return 0;
}

}  // namespace contest
