// The QSO files of the contest logs: "PXLK" + log number (one per log), the scratch log
// "PXLKTEMP" used while a log is renumbered, and the older "QVMK" + log number, whose 215-byte
// record is the QSO record without its last byte.
//
// TContestLKRec, 216 bytes, little-endian, strings length-prefixed (string[n] = n + 1 bytes).
// The field names are those of the key expressions. A QSO's sent exchange text (at most 20
// characters) and received exchange text (at most 24) are stored in slices at fixed places.
//
// OFFSET SIZE MEANING
//    0    4  free-chain link of the engine, 0 in a used record
//    4    4  Nummer: record number, the auto number of key 4
//    8   13  Call: call sign as logged (string[12])
//   21    7  Loc: locator received (string[6])
//   28    4  Datum: QSO date (day number)
//   32    4  Zeit: QSO time (seconds of the day)
//   36    7  Mode: mode text (string[6])
//   43    8  SentExch14_20: sent exchange text, characters 14-20 (string[7])
//   51    8  RcvdExch14_20: received exchange text, characters 14-20 (string[7])
//   59    7  Info: shown in the log grid, read by the multiplier rules, written by no
//             operation (string[6])
//   66    4  Distance: kilometres, 0 without locator (u32)
//   70    7  Prefix: prefix of the call (string[6])
//   77    7  DXCC: DXCC entity (string[6])
//   84   26  NameQth: name and location of the station worked, joined by ';' (string[25])
//  110    5  RcvdExch21_24: received exchange text, characters 21-24 (string[4])
//  115    1  sel: selection mark (1 = selected)
//  116    3  WAZ_USStaat: CQ zone or US state (string[2])
//  119    3  not written; zero
//  122    3  Continent (string[2])
//  125    7  DOK1: DOK, first part (string[6])
//  132    1  Bandcode: band code letter
//  133    4  wagBandNr: running number within the band (u32)
//  137    2  Points: QSO points (u16)
//  139    1  QslRcvd: QSL-received mark (0 shows as a blank)
//  140   13  Call2: second call or member value (string[12])
//  153    7  CMulti: call multiplier (string[6])
//  160    4  wagBandNrIntern: internal running number within the band (u32)
//  164    1  PrefixLock: not 0 = Prefix, DXCC, continent and WAE flag are not recomputed
//  165    1  SkipMark: not 0 = left out of log copies, point totals and multiplier walks
//  166    4  wagNummer: running number over the log (u32)
//  170    1  District: district letter
//  171    1  SDOK: district letter taken from the DOK
//  172    1  WAEFlag: 255 when the worked entity has a WAE code, else 0
//  173   10  SentExch1_9: sent exchange text, characters 1-9 (string[9])
//  183   10  RcvdExch1_9: received exchange text, characters 1-9 (string[9])
//  193    1  QslSent: QSL-sent mark (0 shows as a blank)
//  194    3  DOK2: DOK, second part (string[2])
//  197    3  RcvdExch10_11: received exchange text, characters 10-11 (string[2])
//  200    3  SentExch10_11: sent exchange text, characters 10-11 (string[2])
//  203    4  Frequency: as typed in the log window (IEEE single)
//  207    3  RcvdExch12_13: received exchange text, characters 12-13 (string[2])
//  210    3  SentExch12_13: sent exchange text, characters 12-13 (string[2])
//  213    2  ModeNr: running number within the mode class (u16)
//  215    1  NoPoints: 0 normal, not 0 = QSO kept without points (not in a QVMK record)
//
// Keys of "PXLK" (the auto number is key 4; "QVMK" has keys 1-18 only, the auto number also
// key 4). Building blocks in contest/contest_keys.h; "normalized call" = NormalizedCall (14).
// KEY EXPRESSION                      LENGTH BUILT AS
//   1 "Datum,Zeit"                         8 date key + time key
//   2 "Call,Datum,Zeit"                   22 normalized call + date key + time key
//   3 "Loc,Datum,Zeit"                    14 Loc padded to 6 + date key + time key
//   4 "Nummer AUTOKEY"                     5 number key of Nummer (unique)
//   5 "DXCC"                               6 DXCC padded to 6
//   6 "Call"                              14 normalized call
//   7 "sel"                                1 '1' when sel = 1, else a blank
//   8 "Bandcode,wagBandNrIntern"           6 Bandcode + number key
//   9 "Bandcode,Call,Mode"                21 Bandcode + normalized call + Mode padded to 6
//  10 "Bandcode,DXCC"                      7 Bandcode + DXCC padded to 6
//  11 "Bandcode,wagBandNr DESC"            6 Bandcode + descending number key
//  12 "Bandcode,wagBandNrIntern DESC"      6 Bandcode + descending number key
//  13 "wagNummer"                          5 number key
//  14 "Bandcode,District"                  2 Bandcode + District
//  15 "Bandcode,SDOK"                      2 Bandcode + SDOK
//  16 "District,SDOK"                      2 District + SDOK
//  17 "Bandcode,SD"                        2 Bandcode + SdCharacter(District, SDOK)
//  18 "DOK1,DOK2"                          8 DokKeyText
//  19 "CMulti"                             6 CMulti padded to 6
//  20 "Call2"                              6 Call2 cut or padded to 6
//  21 "Bandcode,DOK1,DOK2"                 9 Bandcode + DokKeyText
//  22 "Bandcode,Prefix"                    7 Bandcode + Prefix padded to 6
//  23 "Bandcode,Loc"                       7 Bandcode + Loc padded to 6
//  24 "Mode,ModeNr DESC"                   6 mode class of Mode + descending number key
//  25 "Bandcode,WAZ_USStaat"               3 Bandcode + WAZ_USStaat padded to 2
//  26 "WAZ_USStaat"                        2 WAZ_USStaat padded to 2
//  27 "Bandcode,Call2"                     7 Bandcode + Call2 cut or padded to 6
//  28 "Prefix"                             6 Prefix padded to 6
// Every key but key 4 allows duplicates.
//
// "PXLKTEMP" has one key: 1 "Nummer AUTOKEY", 5, unique, number key of Nummer.
#pragma once

#include <cstdint>
#include <string>

#include "common/le_int.h"
#include "common/short_string.h"
#include "contest/contest_keys.h"

namespace contest {

// The QVMK record: the first 215 bytes of the QSO record.
struct TContestMKRec {
  common::LeInt32 Link;
  common::LeInt32 Nummer;
  common::ShortString<12> Call;
  common::ShortString<6> Loc;
  common::LeInt32 Datum;
  common::LeInt32 Zeit;
  common::ShortString<6> Mode;
  common::ShortString<7> SentExch14_20;
  common::ShortString<7> RcvdExch14_20;
  common::ShortString<6> Info;
  common::LeUInt32 Distance;
  common::ShortString<6> Prefix;
  common::ShortString<6> DXCC;
  common::ShortString<25> NameQth;
  common::ShortString<4> RcvdExch21_24;
  std::uint8_t sel = 0;
  common::ShortString<2> WAZ_USStaat;
  std::uint8_t unused119[3] = {};
  common::ShortString<2> Continent;
  common::ShortString<6> DOK1;
  char Bandcode = 0;
  common::LeUInt32 wagBandNr;
  common::LeUInt16 Points;
  char QslRcvd = 0;
  common::ShortString<12> Call2;
  common::ShortString<6> CMulti;
  common::LeUInt32 wagBandNrIntern;
  std::uint8_t PrefixLock = 0;
  std::uint8_t SkipMark = 0;
  common::LeUInt32 wagNummer;
  char District = 0;
  char SDOK = 0;
  std::uint8_t WAEFlag = 0;
  common::ShortString<9> SentExch1_9;
  common::ShortString<9> RcvdExch1_9;
  char QslSent = 0;
  common::ShortString<2> DOK2;
  common::ShortString<2> RcvdExch10_11;
  common::ShortString<2> SentExch10_11;
  common::LeSingle Frequency;
  common::ShortString<2> RcvdExch12_13;
  common::ShortString<2> SentExch12_13;
  common::LeUInt16 ModeNr;
};
static_assert(sizeof(TContestMKRec) == 215);

// The QSO record of a contest log.
struct TContestLKRec : TContestMKRec {
  std::uint8_t NoPoints = 0;
};
static_assert(sizeof(TContestLKRec) == 216);

inline constexpr int kLKKeyCount = 28;
inline constexpr int kMKKeyCount = 18;
inline constexpr int kLKAutoKey = 4;
inline constexpr int kLKTempKeyCount = 1;
inline constexpr int kLKTempAutoKey = 1;

// Keys of the QSO table in key-number order; QVMK uses the first 18.
inline constexpr ContestKeyDef kLKKeys[kLKKeyCount] = {{8, true, "Datum,Zeit"},
                                                       {22, true, "Call,Datum,Zeit"},
                                                       {14, true, "Loc,Datum,Zeit"},
                                                       {5, false, "Nummer AUTOKEY"},
                                                       {6, true, "DXCC"},
                                                       {14, true, "Call"},
                                                       {1, true, "sel"},
                                                       {6, true, "Bandcode,wagBandNrIntern"},
                                                       {21, true, "Bandcode,Call,Mode"},
                                                       {7, true, "Bandcode,DXCC"},
                                                       {6, true, "Bandcode,wagBandNr DESC"},
                                                       {6, true, "Bandcode,wagBandNrIntern DESC"},
                                                       {5, true, "wagNummer"},
                                                       {2, true, "Bandcode,District"},
                                                       {2, true, "Bandcode,SDOK"},
                                                       {2, true, "District,SDOK"},
                                                       {2, true, "Bandcode,SD"},
                                                       {8, true, "DOK1,DOK2"},
                                                       {6, true, "CMulti"},
                                                       {6, true, "Call2"},
                                                       {9, true, "Bandcode,DOK1,DOK2"},
                                                       {7, true, "Bandcode,Prefix"},
                                                       {7, true, "Bandcode,Loc"},
                                                       {6, true, "Mode,ModeNr DESC"},
                                                       {3, true, "Bandcode,WAZ_USStaat"},
                                                       {2, true, "WAZ_USStaat"},
                                                       {7, true, "Bandcode,Call2"},
                                                       {6, true, "Prefix"}};
inline constexpr ContestKeyDef kLKTempKeys[kLKTempKeyCount] = {{5, false, "Nummer AUTOKEY"}};

// Key `key` of a QSO record as text: 1-28 for a TContestLKRec; empty for any other number.
std::string LogKeyText(const TContestLKRec& record, int key);

// The key builders of the files, called by the engine with the record buffer. A key number
// outside the file's keys leaves the text as it was.
void LKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text);  // PXLK
void MKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text);  // QVMK
void LKTempKeyBuilder(const std::uint8_t* record, std::uint16_t key,
                      std::string& text);  // PXLKTEMP

}  // namespace contest
