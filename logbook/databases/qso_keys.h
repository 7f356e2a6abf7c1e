// The key lists and key builders of the logbook files (qso_files.h).
//
// Key text parts: N(x) a number in the 5-character key form (common::LongIntToKey); D and T the
// QSO's date and start time in the 4-character key forms (-1, no date or time, sorts last);
// P(x, w) a text padded with blanks or cut to w; Q a QSL mark character (0 for none); M the key
// digit of the mode kind (ToModi::ModeKind with the digital names apart, ModeKindDigit); B the
// first character of the band name (kind 15). Texts are cut to 50 characters.
//
// Project logbooks, tables 0 and 3 ("LB5", key field list B) and 1 ("QSO", list A). Key 1 is
// N(record number at offset 4), "autore AUTOKEY" (table 1 of layout kind 9: "autore"), unique.
//   Layout kind 9 (fields read by content kind, QSOFieldText; D the kind-1 text read as
//   "dd.mm.yyyy", T the kind-44 text read with the program's time mask), 36 keys:
//     2 P(kind 3, 6) Q B M D (13)   3 P(kind 3, 6) Q M B D (13)   4 P(kind 7, 8) Q B M D (15)
//       Q: list B the settings' mark character (letter group 1) when the kind-12 text holds it,
//       list A 'J' when it holds a received mark (QSLMarkOf);
//     5.. one per catalogue field the project stores (fixed length L above 0 in its descriptor
//       of the number, TdbProject::GetSlotDescriptor; catalogue order; with the skip flag
//       numbers 48 to 50 passed over): kind 2 P(base call, L) D T, kinds 1
//       and 83 D T (8), others P(text, L) D T; length L + 8, at most 50. A key without such a
//       field is " " (length 1).
//   Other layout kinds: key n = 2.. is field f = byte n-1 of the key field list, of width W (the
//   field-list width limited to 1..36); the key count comes from the project (LogbookKeyCount).
//     1 (fixed fields): the W bytes at offset 24 + the widths of fields 1..f-1;
//     3 (fixed fields in the short string at 23): the same counted in the string, cut at its end;
//     2, 7 (separated text, qso_record.h): the f-th piece; a text without separator is whole;
//     0, 4, 5, 6, 8: blanks (layout kind 6 registers its keys with W = 20).
//   NUL bytes read as blanks; the text is padded to W.
// Award logbooks, tables 4 ("LBDXCCAW") and 5 ("LBUNDO"), fields read in the layout of the
// current project: 1 N(number) (5, unique), 2 P(kind 3, 6) Q B M D, 3 P(kind 3, 6) Q M B D (13,
// duplicates), Q 'J' when the kind-12 text holds a received mark.
// 293-byte files, tables 2 and 6 (TQSO293Rec; C the base call (ToPrefix::GetPrefix) and c the
// call, each to 14; K the mode class letter; F the band code of the frequency; Q the QSL-received
// mark with 'Y' read as 'J'; P(offset, w) the text at that offset):
//   1 D T (8)               2 C D T (22, unique)     3 P(281,8) K F D T (18)  4 P(196,6) K F D T
//   5 the mark at 272 (1)   6 P(265,6) K F D T (16)  7 P(255,2) K F (4)       8 P(26,6) K F (8)
//   9 P(258,6) K F (8)     10 P(203,2) K F (4)      11 P(209,2) K F (4)      12 P(196,6) Q F M D
//  13 P(196,6) Q M F D (13) 14 c D (18)             15 P(281,8) Q F M D (15) 16 P(64,6) K F (8)
//   (4: 16; 12: 13; all but key 2 with duplicates.)
// QSL via, table 7: 1 P(call, 14) D T (22, unique).
// Log notes, table 8: 1 N(logbook number) P(call, 14) D T (27), 2 P(call, 14) D T (22), unique.
//
// Builders that read fields by content kind work on a copy of the project taken when the keys
// are made, so that a file's keys stay those of the project it was opened for. They read only
// the head and the data in use of a TQSORec (used length, at most 8000), never what a buffer
// holds behind it. They need the services ToPrefix, ToModi, ToBaender and ToSetups.
#pragma once

#include <cstdint>
#include <string>

#include "logbook/databases/project_record.h"
#include "storage/driver/driver.h"
#include "storage/tables/table_keys.h"

namespace logbook {

class TdbProject;

inline constexpr int kLayout9KeyCount = 36;
inline constexpr int kMostListedKeys = 53;  // key 1 and one per entry of a key field list
inline constexpr int kMostQsoFileKeys = 100;
inline constexpr int kQso293KeyCount = 16;

// The key definitions a file opens with and the builder of their texts.
struct LogbookKeys {
  storage::ToKeys list;
  storage::DriverKeyBuilder builder;
};

// The key count of a project logbook table (0, 1 or 3): 36 for layout kind 9; else the project's
// count of the file, 0 (or a damaged negative count) read as 1, for the QSO file (table 1) a
// count above 100 also as 1, and at most 53.
int LogbookKeyCount(const TProjectBlock& block, int table);

// The key of a layout-9 project logbook on the field of a content kind: 4 + the place of the
// kind among the catalogue fields the project stores (keys 5..36); 0 when it stores no such
// field or the key lies beyond key 36.
int Layout9KeyOfKind(const TdbProject& project, int kind);

// Keys 1 to LogbookKeyCount of a project logbook table (0, 1 or 3) of `project`.
LogbookKeys ProjectLogbookKeys(const TdbProject& project, int table, bool skip);
// The award logbooks' three keys, their fields read in the layout of `current_project`.
LogbookKeys AwardLogbookKeys(const TdbProject& current_project);
// The 16 keys of the 293-byte files.
LogbookKeys Qso293Keys();
LogbookKeys QslViaKeys();
LogbookKeys LogNoteKeys();

}  // namespace logbook
