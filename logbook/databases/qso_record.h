// The logbook QSO records and where each field of them lies.
//
// TQSORec, at most 8023 bytes, stored with used length + 23 bytes:
//   OFFSET SIZE  MEANING
//   0      4     head word (the free-chain link; carried unchanged)
//   4      4     record number, unsigned 32-bit (the AUTOKEY number)
//   8      4     used length of the data area, unsigned 32-bit (above 8000 counts as 8000)
//   12     11    head bytes, carried unchanged
//   23     8000  data area, positions 1..8000 (position p is offset 22 + p), by layout kind:
//     1  fixed-width text from offset 24: field n at 24 + the widths of fields 1..n-1
//     2  short string at offset 23 (length byte, characters from 24): separated pieces
//     3  short string at offset 23: field n at character 1 + the widths of fields 1..n-1
//     5  none: the project keeps its QSOs in 293-byte records (TQSO293Rec)
//     6  a chain of short strings from offset 23, field 1 first
//     7  used-length characters from offset 23 (at most 255): separated pieces
//     9  tagged entries from position 1: length byte (whole entry), content kind, text
//     0, 4, 8  no field texts
// Widths come from the width byte of the project's field-list entries (project_record.h); the
// field number of layouts 1, 3 and 6 is the slot TdbProject::FieldOfKind gives, that of layout 9
// the content kind itself. Separated pieces (layouts 2 and 7) are cut by the QSO record services.
//
// TQSO293Rec, the 293-byte QSO record of the projects tagged "PELORIN" (layout kind 5): fields
// by their external field number, Qso293FieldOf. Texts are short strings of the capacity given,
// day numbers and times signed 32-bit (-1 none), frequencies 6-byte reals, marks one character.
//
// TQSLViaRec, the 63-byte record of the QSL-via file "PXQSLVIA":
//   0 4 free-chain link; 4 15 call sign, short string of 14; 19 4 date (day number);
//   23 4 time (seconds); 27 36 QSL route, short string of 35.
// TLogNoteRec, the 314-byte record of the log-note file "PXLNOTE":
//   0 4 free-chain link; 4 4 logbook number; 8 15 call sign, short string of 14;
//   23 4 date (day number); 27 4 time (seconds); 31 283 the note's characters.
//
// Disk data is untrusted: every span lies inside the record, a chain or tagged entry that runs
// past the used length or position 8000, or a tagged entry shorter than 2 bytes, gives no field
// for itself and everything behind it, and a layout-7 text longer than 255 characters is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/le_int.h"
#include "common/short_string.h"
#include "logbook/databases/project_record.h"

namespace logbook {

inline constexpr int kQsoHeadSize = 23;
inline constexpr int kQsoDataSize = 8000;

struct TQSORec {
  common::LeUInt32 head_word;
  common::LeUInt32 number;
  common::LeUInt32 used;
  std::uint8_t head[11] = {};
  std::uint8_t data[kQsoDataSize] = {};
};
static_assert(sizeof(TQSORec) == kQsoHeadSize + kQsoDataSize);

// The 6-byte real: byte 0 the exponent e biased by 129 (0: the value 0), bytes 1..5 a 39-bit
// fraction f, least significant byte first, the top bit of byte 5 the sign s; the value is
// (-1)^s * (1 + f / 2^39) * 2^(e - 129).
struct Real48 {
  std::uint8_t bytes[6] = {};

  double get() const;
  // Rounds to the nearest 6-byte real. A value beyond the type's range (about 1.7e38), infinite
  // or not a number is refused: false, nothing written. A value too small for it is written as 0.
  bool set(double value);
};
static_assert(sizeof(Real48) == 6);

struct TQSO293Rec {
  common::LeInt32 link;
  common::ShortString<14> call;         // field 1
  common::ShortString<6> log_check;     // 46
  common::ShortString<6> locator;       // 15
  common::ShortString<6> loc_prefix;    // 50
  common::LeInt32 date;                 // 2
  common::LeInt32 time_on;              // 3
  common::LeInt32 time_off;             // 11
  Real48 freq;                          // 4
  Real48 freq_rx;                       // 12
  common::ShortString<6> iota;          // 27
  common::ShortString<6> mode;          // 5
  common::ShortString<10> rst_sent;     // 6
  common::ShortString<10> rst_rcvd;     // 7
  common::ShortString<20> name;         // 8
  common::ShortString<20> qth;          // 21
  common::ShortString<25> comment;      // 10
  char qsl_sent = 0;                    // 23
  char qsl_rcvd = 0;                    // 22
  common::ShortString<10> special;      // 19
  common::ShortString<6> own_locator;   // 20
  common::ShortString<7> rst_wkd;       // 28
  common::ShortString<6> dxcc;          // 24
  common::ShortString<2> cqz;           // 29
  common::ShortString<2> ituz;          // 30
  common::ShortString<2> cont;          // 31
  common::ShortString<10> tx_pwr;       // 14
  common::ShortString<15> own_ant;      // 16
  common::ShortString<15> own_trx;      // 17
  common::ShortString<2> state;         // 26
  common::ShortString<6> county;        // 53
  common::ShortString<6> wae;           // 32
  char selected = 0;                    // 51
  common::ShortString<6> sat;           // 13
  char fixed_dxcc = 0;                  // 52
  common::ShortString<8> dok;           // 18
  std::uint8_t unused[3] = {};
};
static_assert(sizeof(TQSO293Rec) == 293);

struct TQSLViaRec {
  common::LeInt32 link;
  common::ShortString<14> call;
  common::LeInt32 date;
  common::LeInt32 time;
  common::ShortString<35> route;
};
static_assert(sizeof(TQSLViaRec) == 63);

struct TLogNoteRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<14> call;
  common::LeInt32 date;
  common::LeInt32 time;
  char note[283] = {};
};
static_assert(sizeof(TLogNoteRec) == 314);

enum class Qso293Type { kText, kDay, kTime, kReal, kChar };

struct Qso293Field {
  int number;    // the external field number (1..53)
  int offset;    // in the record
  Qso293Type type;
  int capacity;  // characters of a text; 0 otherwise
};

// The stored field of an external field number; nullptr for numbers without storage (9, 25, 33
// to 45, 47 to 49, 0 and above 53).
const Qso293Field* Qso293FieldOf(int number);
// A text or mark field as it is stored (a mark 0 reads empty); empty for the other types.
std::string Qso293Text(const TQSO293Rec& record, const Qso293Field& field);
// Cut to the capacity; a mark takes the first character, 0 for an empty value.
void SetQso293Text(TQSO293Rec& record, const Qso293Field& field, std::string_view value);
// A day number or time; 0 for the other types.
std::int32_t Qso293Number(const TQSO293Rec& record, const Qso293Field& field);
void SetQso293Number(TQSO293Rec& record, const Qso293Field& field, std::int32_t value);
// A frequency in MHz; 0 for the other types. The set answers Real48::set.
double Qso293Real(const TQSO293Rec& record, const Qso293Field& field);
bool SetQso293Real(TQSO293Rec& record, const Qso293Field& field, double value);

// --- the data area of TQSORec ---

// Where a field's stored text lies: record offset and length (possibly 0).
struct QsoFieldSpan {
  int offset = 0;
  int length = 0;
};

// The used length, limited to 0..8000.
int QsoUsedLength(const TQSORec& record);

// The span of field `field` (layouts 1, 3, 6: the field slot 1..52; layout 9: the content kind)
// in the layout kind of `block`; nothing for a field the record does not hold, a damaged chain,
// and layouts 0, 2, 4, 5, 7, 8. A layout-1 field is cut at the end of the record, a layout-3
// field at the end of its short string.
std::optional<QsoFieldSpan> LocateQsoField(const TQSORec& record, const TProjectBlock& block,
                                           int field);
// The bytes of a span as stored (zero bytes kept).
std::string QsoSpanText(const TQSORec& record, QsoFieldSpan span);

// The whole separated text of layout 2 (the short string at offset 23) or 7 (the used-length
// characters from offset 23; empty when the used length is above 255); empty for other layouts.
std::string SeparatedQsoText(const TQSORec& record, int layout_kind);
// Piece n (1-based) of a separated text: the text after the (n-1)-th separator up to the n-th;
// a text with fewer than n-1 separators, or ending in its (n-1)-th separator, gives an empty
// piece.
std::string SeparatedPiece(std::string_view text, char separator, int n);

}  // namespace logbook
