#include "contest/rule_helpers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/service.h"
#include "contest/contest_fkt.h"
#include "logbook/reference/prefix.h"

namespace contest {

TContestKKRec CatalogueOf(const TdbContestBase& catalogue) {
  TContestKKRec record{};
  catalogue.GetKKRec(record);
  return record;
}

TContestLKRec QsoOf(const TdbContestBase& log) {
  TContestLKRec record{};
  log.GetLKRec(record);
  return record;
}

char ContestCodeOf(const TdbContestBase& catalogue) { return CatalogueOf(catalogue).Typ; }

std::string ReducedCall(std::string_view call, int option) {
  return common::Service<logbook::ToPrefix>::Get().PrefixOfCall(call, option);
}

std::string DokOf(const TContestLKRec& qso) { return qso.DOK1.str() + qso.DOK2.str(); }

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetterTwoDigits(std::string_view text) {
  return text.size() == 3 && IsUpperLetter(text[0]) && IsDigit(text[1]) && IsDigit(text[2]);
}

bool HasLetter(const std::array<char, kDistrictSlots>& letters, char c) {
  return c != 0 && std::find(letters.begin(), letters.end(), c) != letters.end();
}

bool IsListedCall(char code, std::size_t list, std::string_view call) {
  const ContestData* contest = common::Service<TContestFkt>::Get().Definitions().Find(code);
  if (contest == nullptr || list >= contest->Listed.size()) return false;
  const std::vector<std::string>& calls = contest->Listed[list].calls;
  return std::any_of(calls.begin(), calls.end(),
                     [call](const std::string& c) { return !c.empty() && c == call; });
}

bool HasText(const std::array<ContestText, kListSlots>& texts, std::string_view text) {
  return std::any_of(texts.begin(), texts.end(),
                     [text](const ContestText& t) { return !t.empty() && t.view() == text; });
}

}  // namespace contest
