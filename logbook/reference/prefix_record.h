// The prefix record, stored whole in each of the three prefix tables, and the numbers that name
// the tables and their keys.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/le_int.h"
#include "common/short_string.h"

namespace logbook {

// The tables of the prefix database by kind, the number a cursor is made with.
enum PrefixKind : int {
  kPrefixMain = 0,    // "PXPREFIX": one record per prefix or prefix pattern
  kPrefixLearnt = 2,  // "PXPREFEE": entities the user chose for single calls (never imported)
  kPrefixExact = 3,   // "PXPREFES": one record per exact call
};

// TPrefixRec, 181 bytes. Texts are length-prefixed (capacity given); numbers little-endian; day
// numbers of 0 or below are open.
//
// OFFSET SIZE MEANING
//      0    4 free-chain link, 0 in a used record
//      4  1+6 Prefix: prefix or pattern ("Prefix1", the first 6 characters of the call, in the
//             learnt and exact-call tables)
//     11  1+6 DXCC: main prefix of the entity (as the DXCC number table names it)
//     18  1+3 Menue: menu code; set where entries of one prefix differ in entity, it makes the
//             resolution ask the DXCC selection
//     22  1+2 WAZ: CQ zone
//     25  1+2 ITU: ITU zone
//     28  1+2 Continent
//     31 1+30 Country: English name, shown translated
//     62  1+8 QSLBureau ("PrefixZus", characters 7 to 14 of the call, in the learnt and
//             exact-call tables)
//     71  1+8 Locator of the entity
//     80    4 StartDate: first day of validity
//     84    4 EndDate: last day of validity
//     88    4 DXCC2Until: last day on which DXCC2 applies
//     92    4 spare
//     96  1+6 DXCC2: second DXCC prefix
//    103    4 spare
//    107    1 RangeFrom: lowest last character of a prefix range ending in Prefix's last one
//    108    2 ADIFNr: DXCC entity number, 0 = none (unsigned)
//    110  1+6 wiePref: the entry behaves like the entry of this prefix
//    117    1 Bracketed: above 0 = set (the prefix list shows the entry in parentheses)
//    118    2 spare
//    120 1+36 Remark
//    157    4 autore: record number, the automatic key
//    161    4 OldUntil: last day on which OldRef applies
//    165  1+6 OldRef: prefix whose entry applies up to OldUntil
//    172  1+6 WAE: WAE country code, empty when none
//    179    1 sel: '*' marks a selected entry
//    180    1 Mark: in the learnt and exact-call tables 'J' covers every call beginning with
//             the entry's text
struct TPrefixRec {
  common::LeInt32 link;
  common::ShortString<6> prefix;
  common::ShortString<6> dxcc;
  common::ShortString<3> menue;
  common::ShortString<2> waz;
  common::ShortString<2> itu;
  common::ShortString<2> continent;
  common::ShortString<30> country;
  common::ShortString<8> qsl_bureau;
  common::ShortString<8> locator;
  common::LeInt32 start_date;
  common::LeInt32 end_date;
  common::LeInt32 dxcc2_until;
  std::uint8_t spare1[4] = {};
  common::ShortString<6> dxcc2;
  std::uint8_t spare2[4] = {};
  char range_from = 0;
  common::LeUInt16 adif_nr;
  common::ShortString<6> wie_pref;
  std::uint8_t bracketed = 0;
  std::uint8_t spare3[2] = {};
  common::ShortString<36> remark;
  common::LeInt32 autore;
  common::LeInt32 old_until;
  common::ShortString<6> old_ref;
  common::ShortString<6> wae;
  char sel = 0;
  char mark = 0;
};
static_assert(sizeof(TPrefixRec) == 181);
static_assert(offsetof(TPrefixRec, qsl_bureau) == 62 && offsetof(TPrefixRec, start_date) == 80);
static_assert(offsetof(TPrefixRec, dxcc2) == 96 && offsetof(TPrefixRec, range_from) == 107);
static_assert(offsetof(TPrefixRec, wie_pref) == 110 && offsetof(TPrefixRec, remark) == 120);
static_assert(offsetof(TPrefixRec, autore) == 157 && offsetof(TPrefixRec, wae) == 172);
static_assert(offsetof(TPrefixRec, mark) == 180);

// Key numbers. The main table has 15 keys, the learnt and exact-call tables 14; keys 1 to 12 are
// alike (key 8 is PrefixZus + Prefix1 there).
inline constexpr int kKeyPrefix = 1;       // Prefix(6)
inline constexpr int kKeyDxccPrefix = 2;   // DXCC(6) + Prefix(6)
inline constexpr int kKeyPrefixMenue = 3;  // Prefix(6) + Menue(3)
inline constexpr int kKeyWaz = 4;          // WAZ(2) + Prefix(6)
inline constexpr int kKeyItu = 5;          // ITU(2) + Prefix(6)
inline constexpr int kKeyContinent = 6;    // Continent(2) + Prefix(6)
inline constexpr int kKeyCountry = 7;      // Country(30) + Prefix(6)
inline constexpr int kKeyBureau = 8;       // QSLBureau or PrefixZus (8) + Prefix(6)
inline constexpr int kKeyWae = 9;          // WAE(6)
inline constexpr int kKeySelClass = 10;    // class character of sel + Prefix(6)
inline constexpr int kKeyWiePref = 11;     // wiePref(6)
inline constexpr int kKeyDxcc2 = 12;       // DXCC2(6)
inline constexpr int kKeyAdif = 13;        // main table: ADIFNr as a number key
inline constexpr int kKeyWholeCall = 13;   // learnt and exact-call tables: Prefix1 + PrefixZus
inline constexpr int kKeySelDxcc = 14;     // main table: sel character + DXCC(6)
inline constexpr int kKeyMainAutore = 15;  // main table: record number
inline constexpr int kKeyCallAutore = 14;  // learnt and exact-call tables: record number

}  // namespace logbook
