// Small helpers the contest rules share: the records behind the table objects, the call
// reductions, the forms of DOKs and the definition's lists. Internal to the rules of contest/.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/log_record.h"

namespace contest {

// The working copies of a catalogue object and of a log object (zero records for another table).
TContestKKRec CatalogueOf(const TdbContestBase& catalogue);
TContestLKRec QsoOf(const TdbContestBase& log);
// The contest code of the catalogue object's record.
char ContestCodeOf(const TdbContestBase& catalogue);

// The call as the dupe rules and the member lists compare it: ToPrefix::PrefixOfCall, option 1
// (the base call) unless another option is given.
std::string ReducedCall(std::string_view call, int option = 1);

// A QSO's DOK: DOK1 followed by DOK2.
std::string DokOf(const TContestLKRec& qso);

bool IsUpperLetter(char c);
bool IsDigit(char c);
// Exactly three characters: a letter 'A'-'Z' and two digits (an ordinary DOK, "B36").
bool IsLetterTwoDigits(std::string_view text);

// The character is one of the (non-zero) letters of a district list.
bool HasLetter(const std::array<char, kDistrictSlots>& letters, char c);
// The call is one of the listed calls `list` of contest `code` (TContestFkt::Definitions: the
// lists in the order the rules name them); a list not supplied matches nothing.
bool IsListedCall(char code, std::size_t list, std::string_view call);

// The text equals one of the non-empty entries of a list.
bool HasText(const std::array<ContestText, kListSlots>& texts, std::string_view text);

}  // namespace contest
