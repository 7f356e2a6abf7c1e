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
// continent and country from the entity or the alias, the locator of their coordinates, and the
// entity's WAE code: the WAE list holds the European entities (continent "EU"), by their DXCC
// prefix, and the "*" entities, by their own prefix ("IT9", "GM/S"). Each entity's main entry
// (the entry of its DXCC prefix, else its first prefix) carries the selection character "H", by
// which the prefix list shows one row per entity. An exact call listed under a "*" entity and
// again under its DXCC entity keeps the "*" entity (same DXCC, and its WAE code).
//
// "cty.dat" holds the same country data in the contest programs' form: an entity line of
// colon-separated fields (name, CQ zone, ITU zone, continent, latitude, longitude, UTC offset,
// primary prefix) followed by its aliases, separated by commas and ended by ";", over as many
// lines as they take. Its exact calls that the csv file lacks are added (the csv line of the
// United States is cut short and loses about 1,300 of them), each under the csv entity of the
// same primary prefix.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "logbook/reference/prefix_record.h"

namespace prefiximport {

// What an entity gives each of its aliases, and what an alias may override.
struct Place {
  int cq = 0;
  int itu = 0;
  std::string continent;
  double lat_north = 0;
  double lon_east = 0;
};

// An entity of the csv file.
struct CtyEntity {
  Place place;
  std::string dxcc;  // the DXCC prefix of its ADIF number
  int adif = 0;
  std::string country;
  std::string wae;   // the WAE code of a European or "*" entity, else empty
};

struct CtyTables {
  std::vector<logbook::TPrefixRec> prefixes;     // main table, in file order
  std::vector<logbook::TPrefixRec> exact_calls;  // exact-call table, by call
  std::map<std::string, CtyEntity> entities;     // by primary prefix ("K", "*IT9")
};

struct CtyError {
  int line = 0;  // 1-based; 0 when the file could not be read
  std::string reason;
};

// Reads the whole file; false with the first problem (a malformed line, an unknown ADIF number,
// a prefix over 6 or a call over 14 characters, a prefix or call given twice, no prefix at all:
// the line is then the file's last).
bool ReadCtyCsv(const std::string& path, CtyTables& tables, CtyError& error);

// Adds the exact calls of a "cty.dat" that `tables` (read by ReadCtyCsv) lacks; false with the
// first problem (a malformed line, an entity the csv file does not have, a bad alias).
bool AddCtyDatCalls(const std::string& path, CtyTables& tables, CtyError& error);

// The 6-character Maidenhead square of a position ("JO51AA"); east longitudes positive.
std::string LocatorOf(double lat_north, double lon_east);

}  // namespace prefiximport
