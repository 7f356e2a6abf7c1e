// The contest catalogue file "PXKK": one TContestKKRec per contest log the user has set up.
//
// TContestKKRec, 379 bytes, little-endian, strings length-prefixed (string[n] = n + 1 bytes).
// Evaluation line k is band slot k of the contest definition; the contest log window's recount
// writes the lines, the contest setup shows them. Bytes not listed are not used and stay 0.
//
// OFFSET SIZE MEANING
//    0    4  free-chain link of the engine, 0 in a used record
//    4    4  Nummer: log number, the auto number of key 3; names the log's QSO file
//    8    4  DatumVon: first contest day (day number)
//   12    4  DatumBis: last contest day (day number)
//   16    4  ZeitVon: start time (seconds of the day)
//   20    4  ZeitBis: end time (seconds of the day)
//   24   26  Name: name of the log (string[25])
//   50    7  OwnLocator (string[6]); a new log takes the own station's locator
//   57    7  OwnDOK, blanks removed (string[6])
//   64    7  BandText: the band of a log of the older VHF layout (string[6])
//   71    1  Switch71: not 0 = one operator (older VHF layout); 255 in a new log
//   72    1  Switch72: points per kilometre (older VHF layout); 1 in a new log
//   73   31  TrxText: the transceiver (string[30])
//  104   11  PowerText (string[10])
//  115   31  AntennaText (string[30])
//  146    2  HeightAboveGround: antenna height in metres (i16)
//  148    2  HeightAboveSea: antenna height above sea level in metres (i16)
//  150    2  WorkedSquares (i16)
//  152    2  WorkedCountries (i16)
//  154    2  PointsPerQso (i16)
//  156    2  ValidQsos (i16)
//  158    4  OperatorNumber: age, member or participant number; -1 = none
//  166   13  OwnCall: own call of the log (string[12])
//  179    4  PointsBase: the total the points per kilometre multiply (older VHF layout; u32)
//  183    7  MemberText: member-number text (string[6])
//  190    1  InArbeit: in-work marker (key 4)
//  191    1  Typ: contest code; 0 = no contest chosen
//  192    1  DatumAuto: "Datum automatisch setzen" (boolean); 255 in a new log
//  193    1  ZeitAuto: "Zeit automatisch setzen" (boolean); 255 in a new log
//  194    1  Char194: 'D' in a new log
//  195    1  Switch195; 255 in a new log
//  196   10  LineQsos: QSO count of evaluation lines 1-5 (5 x u16)
//  206   10  LineMults: multiplier count of evaluation lines 1-5 (5 x u16)
//  226   20  LinePoints: points of evaluation lines 1-5 (5 x u32)
//  246    1  RstSentFree: not 0 = the sent report is typed; 0 = it is fixed at 59(9) and shown
//             as a text (the setup's box "RST sent mit 59(9) fest vorgeben" ticked gives 0)
//  247    1  RstRcvdFree: the same for the received report ("RST rcvd mit 59(9) fest vorgeben")
//  248    1  AutoSwitchesOff: not 0 = the setup disables the automatic date, time and band and
//             enables the fixed reports
//  249    1  QslSentChar: upper-case character of the setup's field eQSLw
//  250    1  QslRcvdChar: upper-case character of the setup's field eqslr
//  251    1  ClassIndex: entrant class, position of the participation kind + 1
//  252    1  ModeSSB: mode choice "SSB" (boolean)
//  253    2  NoteTop: note window top (i16)
//  255    2  NoteLeft: note window left (i16)
//  257    2  NoteWidth: note window width (i16; 0 or less = no stored position)
//  259    2  NoteHeight: note window height (i16)
//  261   10  LineMultTable1: first multiplier table of evaluation lines 1-5 (5 x u16)
//  281   10  LineMultTable2: second multiplier table of evaluation lines 1-5 (5 x u16)
//  291    1  ModeFM: mode choice "FM" (boolean)
//  292    1  ModePR: mode choice "PR" (boolean)
//  293    1  BandAuto: "Band automatisch entsprechend der Zeit setzen" (boolean)
//  294    6  OwnPostalCode: up to the first blank, at most 5 characters (string[5])
//  300    1  MultiplierFlag: read by the multiplier rules; the IPARC membership of 'Z' (255 yes)
//  301   40  GridColumnWidths: the column widths of the log window's QSO list, column 1 first
//             (20 x u16, unscaled; 0 = none stored)
//  341   14  Line6: QSOs u16, multipliers u16, points u32, first multiplier table values u16 at
//             349 and 353 (TEvalLineExtra)
//  355   14  Line7: the same for evaluation line 7
//  369    1  LoaderSwitch: set by the contest definition loader
//  370    4  OwnLDK (string[3])
//  374    1  HandEdited: the setup form's date and time fields the user changed by hand (1 from-date,
//             2 to-date, 4 from-time, 8 to-time); a class's period leaves them as they are
//  375    1  PrefixMenu: "Menüabfrage, wenn für eine Station mehrere DXCC möglich sind"
//
// Keys (the auto number is key 3):
// KEY EXPRESSION         LENGTH DUPLICATES BUILT AS
//   1 "Typ,Name"             26 yes        Typ + Name padded to 25
//   2 "Typ,DatumVon"          5 yes        Typ + date key of DatumVon
//   3 "Nummer AUTOKEY"        5 no         number key of Nummer
//   4 "_InArbeit"             1 yes        the InArbeit byte
//   5 "Name"                 25 yes        Name padded to 25
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/le_int.h"
#include "common/short_string.h"
#include "contest/contest_keys.h"

namespace contest {

// Evaluation lines 6 and 7 of the catalogue record.
//
// OFFSET SIZE MEANING
//    0    2  QSO count
//    2    2  multiplier count
//    4    4  points
//    8    2  first multiplier table value
//   12    2  second value of the first multiplier table
struct TEvalLineExtra {
  common::LeUInt16 Qsos;
  common::LeUInt16 Mults;
  common::LeUInt32 Points;
  common::LeUInt16 MultTableA;
  std::uint8_t unused10[2] = {};
  common::LeUInt16 MultTableB;
};
static_assert(sizeof(TEvalLineExtra) == 14);

// Column widths the catalogue record keeps for the log window's QSO list.
inline constexpr int kGridColumnWidths = 20;

struct TContestKKRec {
  common::LeInt32 Link;
  common::LeInt32 Nummer;
  common::LeInt32 DatumVon;
  common::LeInt32 DatumBis;
  common::LeInt32 ZeitVon;
  common::LeInt32 ZeitBis;
  common::ShortString<25> Name;
  common::ShortString<6> OwnLocator;
  common::ShortString<6> OwnDOK;
  common::ShortString<6> BandText;
  std::uint8_t Switch71 = 0;
  std::uint8_t Switch72 = 0;
  common::ShortString<30> TrxText;
  common::ShortString<10> PowerText;
  common::ShortString<30> AntennaText;
  common::LeInt16 HeightAboveGround;
  common::LeInt16 HeightAboveSea;
  common::LeInt16 WorkedSquares;
  common::LeInt16 WorkedCountries;
  common::LeInt16 PointsPerQso;
  common::LeInt16 ValidQsos;
  common::LeUInt32 OperatorNumber;
  std::uint8_t unused162[4] = {};
  common::ShortString<12> OwnCall;
  common::LeUInt32 PointsBase;
  common::ShortString<6> MemberText;
  std::uint8_t InArbeit = 0;
  char Typ = 0;
  std::uint8_t DatumAuto = 0;
  std::uint8_t ZeitAuto = 0;
  char Char194 = 0;
  std::uint8_t Switch195 = 0;
  std::array<common::LeUInt16, 5> LineQsos;
  std::array<common::LeUInt16, 5> LineMults;
  std::uint8_t unused216[10] = {};
  std::array<common::LeUInt32, 5> LinePoints;
  std::uint8_t RstSentFree = 0;
  std::uint8_t RstRcvdFree = 0;
  std::uint8_t AutoSwitchesOff = 0;
  char QslSentChar = 0;
  char QslRcvdChar = 0;
  std::uint8_t ClassIndex = 0;
  std::uint8_t ModeSSB = 0;
  common::LeInt16 NoteTop;
  common::LeInt16 NoteLeft;
  common::LeInt16 NoteWidth;
  common::LeInt16 NoteHeight;
  std::array<common::LeUInt16, 5> LineMultTable1;
  std::uint8_t unused271[10] = {};
  std::array<common::LeUInt16, 5> LineMultTable2;
  std::uint8_t ModeFM = 0;
  std::uint8_t ModePR = 0;
  std::uint8_t BandAuto = 0;
  common::ShortString<5> OwnPostalCode;
  std::uint8_t MultiplierFlag = 0;
  std::array<common::LeUInt16, kGridColumnWidths> GridColumnWidths;
  TEvalLineExtra Line6;
  TEvalLineExtra Line7;
  std::uint8_t LoaderSwitch = 0;
  common::ShortString<3> OwnLDK;
  std::uint8_t HandEdited = 0;
  std::uint8_t PrefixMenu = 0;
  std::uint8_t unused376[3] = {};
};
static_assert(sizeof(TContestKKRec) == 379);

inline constexpr int kKKKeyCount = 5;
inline constexpr int kKKAutoKey = 3;
inline constexpr ContestKeyDef kKKKeys[kKKKeyCount] = {{26, true, "Typ,Name"},
                                                       {5, true, "Typ,DatumVon"},
                                                       {5, false, "Nummer AUTOKEY"},
                                                       {1, true, "_InArbeit"},
                                                       {25, true, "Name"}};

// Builds key `key` (1-5) of the catalogue record in `record` into `text`; any other key number
// leaves the text as it was.
void KKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text);

}  // namespace contest
