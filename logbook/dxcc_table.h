// The built-in DXCC number table: entity number (as ADIF numbers it) to the entity's main prefix.
//
// Generated at build time from resources/dxcc_prefixes.tsv, so the data lives in one file.
// Entries of deleted entities keep their numbers.
#pragma once

#include <string_view>

namespace logbook {

inline constexpr int kDxccTableSize = 522;

// The main prefix of entity `number` padded with blanks to 5 characters ("VE   ", "3Y/B "); an
// empty text for a number without an entity and for any number outside 1..522.
std::string_view BuiltinDxccPrefix(int number);

}  // namespace logbook
