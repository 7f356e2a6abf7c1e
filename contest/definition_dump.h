// A contest definition as text, one field a line, for a person checking a contest's data (the
// tool contestinfo prints it).
//
// Fields in record order, as "Name: value": texts quoted ('"' and '\' escaped), numbers in
// decimal, sets as "{1, 2}", lists of texts from slot 1 to the last one in use (an empty slot in
// between as ""), band and district letters as one text from slot 1 ('_' an empty slot), every
// period as "Periods[n]: date, spare, from, to, bands" and every class as
// "Classes[n]: text, section, name". Windows-1252, lines ended by "\n".
#pragma once

#include <string>

#include "contest/contest_definition.h"

namespace contest {

std::string DumpContestDefinition(const TContestRec& definition);

// A set as the dump writes it: "{2, 4}", "{}".
std::string ContestSetText(const ContestSet& set);

}  // namespace contest
