#include "contest/rule_helpers.h"

#include <algorithm>

#include "common/service.h"
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

bool HasText(const std::array<ContestText, kListSlots>& texts, std::string_view text) {
  return std::any_of(texts.begin(), texts.end(),
                     [text](const ContestText& t) { return !t.empty() && t.view() == text; });
}

}  // namespace contest
