// The columns of a 293-byte QSO record (qso_record.h) as list and export texts: the column
// number is the record's field number.
//
//   1, 5..8, 10, 13..21, 26..32, 46  the text field through the column format (qso_masks.h)
//   2      the date under the format as picture ("dd.mm.yyyy" when empty; formats are cut to 40);
//          the only column that sets the date flag and gives the day number
//   3, 11  the start and end time ("hh:mm" when empty); an end time "00:00" shows empty unless
//          the end-time switch of the further options (byte 9) is set
//   4, 12  the frequencies (FrequencyText)
//   9      the QSL route of the call (the call book), through the column format
//   22, 23, 51, 52  the mark character; empty for 0
//   24, 50, 53  the text as stored
//   33..43 the call book's values of the call (qso_call_fields.h), through the column format
//   45     the call's note as stored (at most 255), 49 "C" when it has one
//   47     the band name of the frequency, empty outside every band
//   25, 44, 48, 0 and above 53: empty
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/databases/qso_record.h"

namespace logbook {

// What column 2 hands back besides its text; the other columns leave `day` as it was and the
// flag false.
struct ColumnDate {
  bool flag = false;
  std::int32_t day = 0;
};

// `version_tag` is the tag of the project whose records these are (column 4's picture rule);
// `flag` the key-form flag of the cursors made for the call database.
std::string Qso293ColumnText(const TQSO293Rec& record, int column, std::string_view format,
                             ColumnDate& date, std::string_view version_tag, std::uint8_t flag);

// A frequency in MHz as a column text, with n the frequency decimals of the further options
// (byte 2, 4 without the settings) and P the picture "#####," + n digit places:
//   not above 0: 6 + n blanks; empty format: through P, not trimmed; "BAND": the band name,
//   empty outside every band; any other format: each '9' a digit place, a format with ',' or '.'
//   formats the frequency as a number, any other the frequency rounded to a whole number;
//   trimmed. In column 4 of a project tagged "PELORIN" or "PELORIN3".."PELORIN6", the format
//   "#######.####" means P with '.' when n is not 4 (`column4_tag` is that project's tag; empty
//   for column 12).
std::string FrequencyText(double frequency, std::string_view format, std::string_view column4_tag);

}  // namespace logbook
