// The built-in DXCC number table: entity number (as ADIF numbers it) to the entity's main prefix.
//
// Generated at build time from resources/dxcc_prefixes.tsv, so the data lives in one file.
// Entries of deleted entities keep their numbers and carry their deleted flag, so that a main
// prefix shared by a deleted and a current entity can be told apart.
#pragma once

#include <string_view>

namespace logbook {

inline constexpr int kDxccTableSize = 522;

// The main prefix of entity `number` padded with blanks to 5 characters ("VE   ", "3Y/B "); an
// empty text for a number without an entity and for any number outside 1..522.
std::string_view BuiltinDxccPrefix(int number);

// Whether entity `number` is deleted (no longer counts for DXCC); false outside 1..522.
bool BuiltinDxccDeleted(int number);

}  // namespace logbook
