// The QSO record services: one field of a logbook QSO read by its content kind, whatever layout
// the project gives the record (qso_record.h), as the text a user sees.
//
// What is built so far is the reading of layout kind 9 (tagged entries by content kind), which
// the logbook key builders use:
//   1. kinds 14 and 28 read the fields of kinds 16 and 44;
//   2. the text of the tagged entry of the kind, NUL characters as blanks; a kind that the
//      project's descriptors (up to 100, TdbProject::SlotOfKind) do not name has no entry;
//   3. a 4-character start time (kind 44) without ':' gets one after its second character;
//   4. still empty: kinds 15 and 17 are the band name (ToBaender::Freq2Name, text kind 4) of the
//      frequency (kind 18), kind 40 that of the second frequency (kind 41);
//   5. kind 28 is the first 5 characters of the start time, a "0" put in front of a one-digit
//      hour; kinds 28, 37 and 44 that read "00:00" (and 37 and 44 that read ":") are empty;
//   6. trimmed unless `raw` is set or the kind is 22.
// Other layout kinds, the values kept in the call database and the formatted forms read empty
// here; they belong to the same routines.
//
// Nothing here fails: a missing field, a damaged chain or an unknown kind reads empty. Needs the
// band table (ToBaender) and, for QSLMarkOf, the settings (ToSetups).
#pragma once

#include <string>

#include "logbook/databases/qso_record.h"

namespace logbook {

class TdbProject;
class TdbQSOBase;
class TdbCall;

// The text of content kind `kind` of `record`, or of the current record of `table` (its
// RecordPtr) when `record` is null; empty when there is neither. `calls` is an open call table
// that a caller reading many QSOs keeps for the values of the call database; may be null.
std::string QSOFieldText(TdbProject& project, TdbQSOBase* table, int kind, bool raw = false,
                         const TQSORec* record = nullptr, TdbCall* calls = nullptr);

// The QSL mark of a QSL field (kind 12 received, 13 sent). With a mark character given: that
// character when the field's text contains it. Without one (mark 0): 'J' when the text of kind
// 12 holds one of the settings' received marks (ToSetupQSL::status_letters), or the text of kind
// 13 one of the sent marks (the characters of letter groups 2 and 3). Else the empty mark 0.
char QSLMarkOf(TdbProject& project, TdbQSOBase* table, int kind, const TQSORec* record, char mark);

}  // namespace logbook
