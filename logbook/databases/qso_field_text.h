// The QSO record services: one field of a logbook QSO read and written by its content kind,
// whatever layout the project gives the record (qso_record.h), as the text a user sees.
//
// Reading (QSOFieldValue; QSOFieldText with an empty format):
//   1. the field: TdbProject::FieldOfKind of the kind; layout 9 uses the kind itself, 14 reading
//      16 and 28 reading 44;
//   2. its stored text by layout: 1, 3 the slice of the field (NUL as blank), 2, 7 the n-th piece
//      between separators (a text ending in its separator has an empty last piece in both
//      layouts; fewer pieces: empty), 6 the chained field (NUL as blank), 9 the tagged entry
//      (NUL as blank; a kind the project's descriptors do not name lives in the call database,
//      qso_call_fields.h, or is a call note: 57 its text, 58 "C" when it has one), 5 the column
//      of the table's 293-byte record for a project tagged "PELORIN" (qso_columns.h, with its date
//      flag and day number), 0, 4, 8 nothing;
//   3. dates and times shown by the field-list entry's type (qso_masks.h), other texts through
//      the format as an output mask (GetQSOStr); layout 9 with a format reads kind 1 as
//      "dd.mm.yyyy" and kind 44 with the program's time mask and shows them with it, and shows a
//      4-character start time with a ':' after its second character; layouts 1, 2, 3, 6 turn
//      DOS umlauts into Windows ones (OemToAnsi);
//   4. still empty, derived kinds: 15 and 17 the band name of the frequency (kind 18; "???"
//      outside every band), 40 that of the second frequency (kind 41; field 12 in layout 5),
//      18 the nominal frequency of the band typed in kind 17 (',' as decimal character), 28, 44
//      and 37 in layouts other than 5 and 9 from the fields "TIME_ON_H" and "TIME_ON_M" (or
//      "TIME_OFF_H" and "TIME_OFF_M"), two digits each, joined by ':' (44 with ":00"), 50 the
//      county (kind 9);
//   5. layouts other than 5 and 9: the call (kind 2) gets the fields "CALLPREFIX" (prefix "/"
//      call) and "SUFFIX", "CALLSUFFIX" or "BESONDERES" (call "/" suffix); a DXCC text (kind 3)
//      that is an entity number becomes its prefix (ToPrefix::DXCCPrefixOfNumber);
//   6. layout 9: kind 28 is the first 5 characters of the start time (a "0" before a one-digit
//      hour); 28, 37 and 44 reading "00:00", and 37 and 44 reading ":", are empty; layout 5:
//      kind 44 is the start time under the program's time mask;
//   7. trimmed unless `raw` is set or the kind is 22. The format "__QSLManager__" reads empty.
//
// Writing (QSOSetFieldText) places a value (every ';' turned into ',') into the field (the slot
// in layouts 1 and 6, the 293-byte field number in layout 5, the content kind in layout 9):
//   1  the stored form (StoredFieldText) padded or cut into the slice; the used length grows to
//      cover it;
//   5  into the table's working 293-byte record by the field's type (texts cut, a mark the first
//      character, date "dd.mm.yyyy", times "hh:mm", frequencies as numbers); fields 33..43 into
//      the call book; fields 44, 45 and 47..49 take nothing (false), 0, 9, 25 and above 53 are
//      ignored (true);
//   6  the stored form replaces the chained field, the fields behind it move; a chain shorter
//      than the field is lengthened with empty fields; refused above 255 characters or when the
//      data would pass 8000 bytes;
//   9  the entry of the kind is replaced, removed (empty value) or appended at the end of the
//      chain, the value cut to 253 characters; refused on a broken chain or past 8000 bytes. A
//      kind without a descriptor goes to the call database when the chain holds the QSO's call;
//   2, 3, 7  read only (false).
// The changed record becomes the table's record (layouts 1, 6, 9) when a table and no record are
// given; a record passed in is only read. The answer says whether the value was placed.
//
// Nothing here fails loudly: a missing field, a damaged record or an unknown kind reads empty and
// is not written. Needs the services ToBaender, ToPrefix and (QSLMarkOf) ToSetups.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/databases/qso_columns.h"
#include "logbook/databases/qso_record.h"

namespace logbook {

class TdbProject;
class TdbQSOBase;
class TdbCall;

// What a reader asks besides the project, table and kind.
struct QsoRead {
  std::string_view format;        // output mask, date or time picture; empty: the plain text
  bool raw = false;               // untrimmed
  const TQSORec* record = nullptr;  // null: the table's current record (RecordPtr)
  TdbCall* calls = nullptr;       // an open call table kept for a run of QSOs; may be null
};

// The text of content kind `kind`; `date` (may be null) gets the date flag and day number of a
// 293-byte read (layout 5).
std::string QSOFieldValue(TdbProject& project, TdbQSOBase* table, int kind, const QsoRead& read,
                          ColumnDate* date = nullptr);
std::string QSOFieldText(TdbProject& project, TdbQSOBase* table, int kind, bool raw = false,
                         const TQSORec* record = nullptr, TdbCall* calls = nullptr);

bool QSOSetFieldText(TdbProject& project, TdbQSOBase* table, int field, std::string_view value,
                     const TQSORec* record = nullptr, TdbCall* calls = nullptr);

// The QSL mark of a QSL field (kind 12 received, 13 sent). With a mark character given: that
// character when the field's text contains it. Without one (mark 0): 'J' when the text of kind
// 12 holds one of the settings' received marks (ToSetupQSL::status_letters), or the text of kind
// 13 one of the sent marks (the characters of letter groups 2 and 3). Else the empty mark 0.
char QSLMarkOf(TdbProject& project, TdbQSOBase* table, int kind, const TQSORec* record, char mark);

}  // namespace logbook
