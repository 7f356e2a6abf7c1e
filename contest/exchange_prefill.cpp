// The exchange prefill of the rule object (contest/cont_log_alle.h): the partner tests, the
// exchange texts and the filling of a new QSO's received exchange from the call database and the
// member lists.
#include <algorithm>
#include <array>
#include <functional>

#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/rule_helpers.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/prefix.h"

namespace contest {
namespace {

constexpr std::size_t kRcvdExchangeLength = 24;  // what the record keeps of the received text
constexpr std::size_t kPrefillValueLength = 8;   // DOKs, names, clubs and member numbers
constexpr std::size_t kCall2Length = 12;

// Exchange kinds the prefill fills.
constexpr std::int32_t kKindDok = 4;
constexpr std::int32_t kKindSquare = 5;
constexpr std::int32_t kKindLocator = 6;
constexpr std::int32_t kKindArea = 8;
constexpr std::int32_t kKindClub = 16;
constexpr std::int32_t kKindLdk = 17;
constexpr std::int32_t kKindDistrict = 18;
constexpr std::int32_t kKindMember = 19;
constexpr std::int32_t kKindName = 20;
constexpr std::int32_t kKindOther = 99;

// The two-letter DOKs of special stations and clubs ("1N" to "9N" are tested apart).
constexpr std::array<std::string_view, 27> kTwoLetterDoks = {
    "BN", "BS", "BY", "CW", "DC", "DN", "DW", "DX", "FA", "FM", "IM", "IW", "JK", "JL",
    "JR", "KA", "MF", "MH", "ND", "RP", "SD", "SH", "SQ", "WN", "XX", "YL", "VO"};
// The Swiss cantons (ISO 3166-2:CH without the country part), the DOKs of code 'z'.
constexpr std::array<std::string_view, 26> kCantons = {
    "AG", "AI", "AR", "BE", "BL", "BS", "FR", "GE", "GL", "GR", "JU", "LU", "NE",
    "NW", "OW", "SG", "SH", "SO", "SZ", "TG", "TI", "UR", "VD", "VS", "ZG", "ZH"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& list, std::string_view text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::string Cut(std::string_view value) { return common::LeftStr(value, kPrefillValueLength); }

// A member number that holds "OP" is not one.
std::string WithoutOp(std::string value) {
  return common::Pos("OP", value) > 0 ? std::string() : value;
}

// An MF number of the call database: a number gets "MF" in front; "MF" and "MF0" are none.
std::string NavalNumber(std::string value) {
  if (!value.empty() && IsDigit(value[0])) value = "MF" + value;
  value = Cut(value);
  return value == "MF" || value == "MF0" ? std::string() : value;
}

}  // namespace

bool TContLogAlle::IsGermanCall(std::string_view call, char code) {
  if (code == 'K' || code == 'B' || code == 'z') return true;
  if (call.size() < 2 || call[0] != 'D') return false;
  return (call[1] >= 'A' && call[1] <= 'H') || (call[1] >= 'J' && call[1] <= 'R');
}

bool TContLogAlle::IsGermanCall(std::string_view call, const TdbContestBase& catalogue) {
  return IsGermanCall(call, ContestCodeOf(catalogue));
}

bool TContLogAlle::IsValidDok(std::string_view text, char code) {
  if (text.size() < 2 || text == "M26" || text == "M29" || text == "M36" ||
      std::none_of(text.begin(), text.end(), IsUpperLetter)) {
    return false;
  }
  if (code == '!' && text[0] != 'Z') return false;
  if (code == 'z') return OneOf(kCantons, text);
  if (text.size() >= 3) return true;
  return OneOf(kTwoLetterDoks, text) || (text[1] == 'N' && text[0] >= '1' && text[0] <= '9') ||
         (text == "NM" && code == '1');
}

bool TContLogAlle::IsValidDok(std::string_view text, const TdbContestBase& catalogue) {
  return IsValidDok(text, ContestCodeOf(catalogue));
}

void TContLogAlle::SplitCall(std::string_view text, std::string& rst, std::string& part1,
                             std::string& part2, std::string& part3) {
  rst = common::LeftStr(text, 3);
  part1 = common::CopyFrom(text, 4);
  part2.clear();
  part3.clear();
  for (auto [head, tail] : {std::pair{&part1, &part2}, std::pair{&part2, &part3}}) {
    const std::size_t slash = head->find('/');
    if (slash == std::string::npos) break;
    *tail = head->substr(slash + 1);
    head->resize(slash);
  }
}

std::string TContLogAlle::JoinCall(std::string_view rst, std::string_view part1,
                                   std::string_view part2, std::string_view part3) {
  std::string text = common::SetLen(rst, 3, true) + std::string(part1);
  if (!part2.empty() || !part3.empty()) text += "/" + std::string(part2);
  if (!part3.empty()) text += "/" + std::string(part3);
  return text;
}

void TContLogAlle::SetPrefillValue(const TContestRec& definition, TdbContestBase& log,
                                   std::string_view value, std::int32_t kind, bool call2) const {
  TContestLKRec qso = QsoOf(log);
  std::array<std::string, 4> parts;  // report, slots 1 to 3
  SplitCall(TContestFkt::RcvdExchangeText(qso), parts[0], parts[1], parts[2], parts[3]);
  for (std::size_t slot = 0; slot < kExchangeSlots; ++slot) {
    if (definition.ExchangeKindsRcvd[slot] == kind) parts[slot + 1] = value;
  }
  std::string text = JoinCall(parts[0], parts[1], parts[2], parts[3]);
  // The record keeps 24 characters: rather than lose the end of the text (a locator, and with it
  // the distance), the names give way.
  for (std::size_t slot = 0; slot < kExchangeSlots && text.size() > kRcvdExchangeLength; ++slot) {
    if (definition.ExchangeKindsRcvd[slot] != kKindName) continue;
    std::string& name = parts[slot + 1];
    name.resize(name.size() - std::min(name.size(), text.size() - kRcvdExchangeLength));
    text = JoinCall(parts[0], parts[1], parts[2], parts[3]);
  }
  TContestFkt::SetRcvdExchange(text, qso);
  if (call2) qso.Call2 = common::LeftStr(value, kCall2Length);
  log.SetLKWorkingCopy(qso);
}

void TContLogAlle::PrefillExchange(const TContestRec& definition, const TdbContestBase& catalogue,
                                   std::string& locator, TdbContestBase& log) {
  const char code = ContestCodeOf(catalogue);
  const std::string call = log.GetCall();
  const std::string base = common::Service<logbook::ToPrefix>::Get().GetPrefix(call);
  logbook::TdbCall book(logbook::kCallBook);
  logbook::TdbCall data(logbook::kCallData);
  const bool in_book = !base.empty() && book.FindCall(base);
  const bool in_data = !base.empty() && data.FindCall(base);
  // A value of the call book, else of the call data; `rule` shapes each before it is compared.
  const auto known = [&](logbook::CallField field,
                         const std::function<std::string(std::string)>& rule = Cut) {
    std::string value = in_book ? rule(book.GetField(field)) : std::string();
    if (value.empty() && in_data) value = rule(data.GetField(field));
    return value;
  };
  // Whether received slot `slot` (1 to 3; 0: any) has exchange kind `kind`.
  const auto has = [&](std::int32_t kind, int slot = 0) {
    const auto& kinds = definition.ExchangeKindsRcvd;
    if (slot > 0) return kinds[static_cast<std::size_t>(slot - 1)] == kind;
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
  };
  const auto put = [&](const std::string& value, std::int32_t kind, bool call2 = false) {
    if (!value.empty()) SetPrefillValue(definition, log, value, kind, call2);
  };

  if (IsGermanCall(call, code) && (has(kKindDok) || has(kKindDistrict))) {
    std::string dok = known(logbook::CallField::kDOK);
    if ((code == '!' || code == 'z') && !IsValidDok(dok, code)) dok.clear();
    put(dok, kKindDok);
  }
  locator = known(logbook::CallField::kLocator, [](std::string v) { return v; });
  if (has(kKindSquare) || has(kKindLocator)) {
    put(locator, kKindLocator);
    put(common::LeftStr(locator, 4), kKindSquare);
  }
  if (has(kKindArea, 1) || has(kKindArea, 2)) put(in_book ? Cut(book.GetDOK()) : "", kKindArea);
  if (has(kKindLdk, 1) || has(kKindLdk, 2)) put(known(logbook::CallField::kLDK), kKindLdk);
  if (has(kKindName, 1) || has(kKindName, 2)) put(known(logbook::CallField::kName), kKindName);
  if (has(kKindClub, 1) && (code == '7' || code == 'f')) {
    put(known(code == '7' ? logbook::CallField::kDIG : logbook::CallField::kAGCW), kKindClub, true);
  }
  if (has(kKindClub, 2) && code == 'f') put(known(logbook::CallField::kAGCW), kKindClub, true);
  if (has(kKindMember, 1) && code == 'i') {
    put(known(logbook::CallField::kMF, NavalNumber), kKindMember, true);
  }
  if (has(kKindMember, 1) && code == 'k') {
    put(WithoutOp(MemberValue("qcwa.csv", call, 1, 3)), kKindMember, true);
  }
  if (has(kKindOther, 1) && code == '6') {
    const std::string number = WithoutOp(MemberValue("hsc.csv", call, 1, 2));
    put(number.empty() ? "NM" : number, kKindOther);
  }
  if (has(kKindMember, 1) && code == 'v') put(MemberValue("mrr.csv", call, 1, 2), kKindMember);
  if (has(kKindOther, 2) && code == 'v') put(MemberValue("mrr-rig.csv", call, 2, 2), kKindOther);
  if (has(kKindMember, 1) && code == 'i') put(NavalMember(call), kKindMember);
  if (has(kKindMember, 1) && code == 'p') PrefillDswMember(definition, call, log);
  if (has(kKindClub, 1) && code == 'n') {
    put(WithoutOp(MemberValue("ibfd.csv", call, 1, 3)), kKindClub, true);
  }
}

}  // namespace contest
