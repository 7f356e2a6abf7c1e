// The country file "cty.csv" (hamradio-files) read into prefix records.
//
// A line is one entity: its prefix ("*" in front: an entity that counts for WAE only), name, ADIF
// number, continent, CQ zone, ITU zone, latitude (north positive), longitude (west positive), UTC
// offset, and its aliases separated by blanks and ended by ";". An alias is a prefix, or with "="
// in front an exact call; it may carry its own "(cq)", "[itu]", "{continent}", "<lat/lon>" and
// "~utc~".
//
// Each prefix alias gives one main-table record, each exact call one exact-call record: DXCC
// prefix and ADIF number from the entity's ADIF number through the built-in DXCC table, zones,
// continent and country from the entity or the alias, the locator of their coordinates, the WAE
// code for the "*" entities. An exact call listed under a "*" entity and again under its DXCC
// entity keeps the "*" entity (same DXCC, and its WAE code).
#pragma once

#include <string>
#include <vector>

#include "logbook/reference/prefix_record.h"

namespace prefiximport {

struct CtyTables {
  std::vector<logbook::TPrefixRec> prefixes;     // main table, in file order
  std::vector<logbook::TPrefixRec> exact_calls;  // exact-call table, by call
};

struct CtyError {
  int line = 0;  // 1-based; 0 when the file could not be read
  std::string reason;
};

// Reads the whole file; false with the first problem (a malformed line, an unknown ADIF number,
// a prefix over 6 or a call over 14 characters, a prefix or call given twice).
bool ReadCtyCsv(const std::string& path, CtyTables& tables, CtyError& error);

// The 6-character Maidenhead square of a position ("JO51AA"); east longitudes positive.
std::string LocatorOf(double lat_north, double lon_east);

}  // namespace prefiximport
