// A small prefix table for the log window's tests: DL, OE, F, G, K and 4X as current entities,
// IT9 with its WAE code, KH5 with two entities chosen by menu code (the second one gone), and
// Y2, an entity no longer valid; each with its ADIF entity number. The European entities carry
// their WAE codes, as in the tables made from the country file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/dates.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_record.h"

namespace contestlog_test {

struct PrefixRow {
  const char* prefix;
  const char* dxcc;
  const char* continent;
  const char* country;
  std::uint16_t adif = 0;
  const char* menue = "";
  const char* wae = "";
  std::int32_t end_date = 0;  // 0: still valid
};

inline std::vector<PrefixRow> PrefixRows() {
  return {{"DL", "DL", "EU", "Germany", 230, "", "DL"},
          {"OE", "OE", "EU", "Austria", 206, "", "OE"},
          {"F", "F", "EU", "France", 227, "", "F"},
          {"G", "G", "EU", "England", 223, "", "G"},
          {"K", "K", "NA", "United States", 291},
          {"4X", "4X", "AS", "Israel", 336},
          {"I", "I", "EU", "Italy", 248, "", "I"},
          {"IT9", "I", "EU", "Sicily", 248, "", "IT9"},
          {"KH5", "KH5", "OC", "Palmyra & Jarvis", 197, "1"},
          {"KH5", "KH5K", "OC", "Kingman Reef", 134, "2", "", common::DMYToDate(31, 12, 2015)},
          {"Y2", "Y2", "EU", "German Democratic Republic", 229, "", "Y2",
           common::DMYToDate(2, 10, 1990)}};
}

// Writes one row into the main prefix table "PXPREFIX".
inline void AddPrefixRow(const PrefixRow& row) {
  logbook::TdbPrefix cursor(logbook::kPrefixMain);
  logbook::TPrefixRec record{};
  record.prefix = row.prefix;
  record.dxcc = row.dxcc;
  record.continent = row.continent;
  record.country = row.country;
  record.adif_nr = row.adif;
  record.menue = row.menue;
  record.wae = row.wae;
  record.end_date = row.end_date;
  cursor.SetRecord(record);
  cursor.SetPrefix(row.prefix);
  ASSERT_TRUE(cursor.Insert()) << row.prefix;
}

// Writes the rows into the main prefix table (opened when nobody has it open).
inline void WritePrefixTable() {
  for (const PrefixRow& row : PrefixRows()) AddPrefixRow(row);
}

// A second current entity under KH5 (menu code "3"), so that the DXCC selection has to ask.
inline void AddSecondKh5Entity() { AddPrefixRow({"KH5", "KH5X", "OC", "Second Kh5", 0, "3"}); }

}  // namespace contestlog_test
