// The values of a QSO that live in the call database, not in the QSO record: member numbers,
// the former call, the comment on the station and the user fields of the call book, the call's
// note and its QSL route. A QSO reaches them through its call, normalised to the base call
// (ToPrefix::GetPrefix).
//
//   content kind  293-byte field  value                 call-data tag  call-book tag
//   23            35              former call           3              3
//   24            34              DIG member number     1              1
//   25            33              AGCW member number    2              2
//   26            36              MF member number      6              5
//   27            37              comment on the call   none           17
//   51..56        38..43          user fields M1..M6    15..20         8..13
//   79..82        none            user fields M7..M10   22..25         32..35
//   57            45              the call's note ("PXCNOTE"), 58/49 "C" when it has one
//
// Cursors made here are TdbCall on the call book "PX5CBUCH" (write mode 1) or on the call notes;
// they are freed before the routine returns. A call the call database does not hold reads empty
// and is written nowhere: no call record is ever made here. Without the ToDatCall service
// nothing is read or written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logbook/databases/call_database.h"

namespace logbook {

// The accessor of a content kind, or of a field number 33..43 of the 293-byte record; none for
// the other kinds and numbers.
std::optional<CallField> CallFieldOfKind(int kind);
std::optional<CallField> CallFieldOf293(int field);

// The value of the field for the QSO's call. With `calls` (a caller's open call table, kept for
// a run of QSOs) the table is looked up only when its working record holds another call;
// otherwise a call-book cursor with the key-form flag `flag` is made for the lookup.
std::string CallDatabaseValue(std::string_view qso_call, CallField field, TdbCall* calls,
                              std::uint8_t flag);
// Writes the value. With `calls` it is set in the table's working record, which the caller has
// positioned on the call's record and stores itself (true). Otherwise the call book's record of
// the call is found, changed and stored at once; false when there is none or the store fails.
bool SetCallDatabaseValue(std::string_view qso_call, CallField field, std::string_view value,
                          TdbCall* calls);

// The call's note in "PXCNOTE": its characters up to the first 0 or 26, at most `most`.
std::string CallNoteOf(std::string_view qso_call, std::uint8_t flag, int most);

// The QSL route of a QSO: the call book's QSL route of the call when `ask_call_database` is set;
// else empty. The QSL-via file is not searched (the QSO searches answer only for the logbooks).
std::string QSLRouteOf(std::string_view call, std::int32_t date, std::int32_t time,
                       bool ask_call_database);

}  // namespace logbook
