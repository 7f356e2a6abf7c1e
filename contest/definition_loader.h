// The generic part of the contest definition loader: fills a TContestRec for one contest of the
// definition set from the log's catalogue record and the settings. TContestFkt
// (contest/contest_fkt.h) gathers what it reads and is the entry callers use.
//
// The fill, in this order (later stores win):
//  1. cleared record; OutputMenu {1, ..., 7}; UtcOffsetHours; for an unknown contest nothing more;
//  2. identity, notice, Cabrillo contest name; dates, times and the title (with the log's year);
//  3. classes; periods, bonus calls, district lists and letters; output menus, flags, filter
//     texts, SentText2, the catalogue switch;
//  4. the contest's own values of the class case's fields, then, for a station that is not
//     German, the contest's foreign values (without their sent defaults);
//  5. the class case: the row of the catalogue's class index (index 0 as the contest says; an
//     index beyond the rows selects none); with a class's row, an empty CabrilloBand becomes the
//     band's text for a single band, else "ALL";
//  6. the conditional values of the contest code (number field, own DOK, member text, flag);
//  7. the foreign sent defaults; then every sent default is resolved from its source (a source
//     "by-kind" follows the sent kind of its slot) and default 1 is cut to the shared room.
#pragma once

#include <cstdint>
#include <string>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/definition_set.h"

namespace logbook {
class ToBaender;
}

namespace contest {

// What the loader reads besides the catalogue record.
struct LoadContext {
  const DefinitionSet* set = nullptr;
  const logbook::ToBaender* bands = nullptr;  // the band names of single-band classes
  std::string own_locator;                    // of the settings
  std::string own_name;                       // of the settings, whole
  std::string today;                          // "dd.mm.yyyy"
  std::string log_year;                       // the year of the log ("yyyy"), or the current year
  std::int32_t utc_offset_hours = 0;
  std::string station_folder;  // where station files lie, with its trailing separator
};

// Fills `definition` for contest `code` (step 1 to 7 above) and writes the catalogue switch into
// `catalogue`, which is the loader's copy of the log's record.
void FillContestDefinition(const LoadContext& context, char code, TContestKKRec& catalogue,
                           TContestRec& definition);

// Whether the station of the log counts as German: its own call begins with 'D' and a letter
// 'A'-'H' or 'J'-'R'; under kCallOrDok also when its own DOK is a letter 'A'-'Z' and two digits.
bool IsGermanStation(const TContestKKRec& catalogue, GermanTest test);

// The first 12 characters of line 1 of a station file (lines end in LF or CR LF); empty when the
// file is missing, unreadable or empty.
std::string StationFileLine(const std::string& path);

}  // namespace contest
