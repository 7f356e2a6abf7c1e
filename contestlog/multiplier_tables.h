// The worked-multiplier table of one multiplier kind, as the log window keeps it: up to 500
// values of at most 8 characters in ascending byte order, free entries only after the used
// ones, each with a mark for the QSO in hand (0 none, 1 new with it, 2 worked before).
//
// Values are compared blank-padded or cut to 8 characters, so "DL" and "DL      " are one value;
// only the removal compares the stored text exactly, as the insertion stored it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contest/multipliers.h"

namespace contestlog {

// The value as a table entry compares it: blank-padded or cut to 8 characters.
std::string TableForm(std::string_view value);

// Puts `value` (padded to its kind's width) into its place and marks it new. A value the table
// holds already is only marked; a full table drops its last entry for a value that sorts before
// it and stores nothing for one that sorts after all 500. True when the value was stored.
bool InsertMultiplier(contest::WorkedMultiTable& table, std::string_view value);
// Removes the first entry whose text is `value` exactly; the entries after it move up. False
// when there is none (nothing changes then).
bool RemoveMultiValue(contest::WorkedMultiTable& table, std::string_view value);
// Marks the first entry equal to `value` as worked before; false when there is none.
bool MarkWorkedMulti(contest::WorkedMultiTable& table, std::string_view value);

void ClearMarks(contest::WorkedMultiTable& table);
void ClearTable(contest::WorkedMultiTable& table);
// The number of used entries.
int UsedEntries(const contest::WorkedMultiTable& table);

// The score panel's board: the tables of the kinds the log window keeps (indexed by kind) merged
// into one ascending list of at most 500 entries. A value two tables hold (a prefix of kinds 1
// and 22) stands twice, with each table's mark.
std::vector<contest::WorkedMultiEntry> MergedBoard(
    const std::vector<contest::WorkedMultiTable>& tables);

}  // namespace contestlog
