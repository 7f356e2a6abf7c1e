// The save of the QSO in hand, without a widget: the contest's fixes of typed exchange texts,
// the record stored under its running numbers (a later second when its moment is taken), its
// points added to the window's totals, its serial numbers filled with zeros, and what it taught
// about the partner learned into the call database and the member lists. The window's save
// (entry_save.cpp) runs these steps in their order around its fields.
#pragma once

#include <string>
#include <string_view>

#include "contest/log_record.h"
#include "contestlog/log_core.h"

namespace contestlog {

// --- the contest's fixes of the typed texts, before the fields are read ---
// 'q', exchange field 4: the first "-" becomes "/" when the text holds no "/", then the same for
// "+"; the first digit gets a "/" before it unless one stands there ("ABC123" -> "ABC/123",
// "12" -> "/12").
std::string SeparatedNumber(std::string text);
// 'z', exchange field 3: "0" in front until the text has 3 characters; an empty text stays.
std::string ZeroFilledToThree(std::string text);

// A serial of 1 or 2 characters that reads as a number (trimmed) filled with zeros to 3
// characters ("7" -> "007", " 12" -> "012"); any other value as it is.
std::string ZeroFilledSerial(const std::string& value);
// The serial of the sent exchange (when sent kind 1 or 2 counts a serial: 7, 11 or 13; field 2
// when kind 1 does, else field 3) filled with zeros, and the same for the received exchange by
// the received kinds.
void FillSerialsWithZeros(const contest::TContestRec& definition, contest::TContestLKRec& qso);

// How often a taken moment moves a new QSO on by a second: a typed QSO or an imported one whose
// time names its second; an imported time without seconds names its whole minute and moves on
// through the rest of it (kMinuteMoves).
inline constexpr int kMomentMoves = 10;
inline constexpr int kMinuteMoves = 59;

// Stores the entry record as a new QSO: it gets NextOverallNo, NextBandNo, NextModeNo (low 16
// bits), NextBandNoIntern and QslSent, and is inserted. A moment (date and time) that holds a
// QSO already, or an insert that fails, is tried again up to `moves` more times, one second
// later each time. On success `qso` is the stored record (its Nummer given by the table) and
// stands in LogTable's buffers; false when all tries failed: nothing was written, and
// LogTable's buffers hold the entry as it came.
bool InsertNewQso(ContestLogCore& core, contest::TContestLKRec& qso, int moves = kMomentMoves);

// The save's store: the entry's numbers looked at against the log's (TakeNumbersForSave) and the
// QSO inserted (InsertNewQso) with the log locked for both, so that no other station stores in
// between; `moves` as for InsertNewQso. `taken` is the sent number another station stored
// meanwhile (the operator is to be told; the QSO keeps it), 0 when none.
struct StoredQso {
  bool stored = false;
  std::int32_t taken = 0;
};
StoredQso StoreNewQso(ContestLogCore& core, contest::TContestLKRec& qso,
                      int moves = kMomentMoves);

// Scores the stored QSO in LogTable's working copy into its points field and, unless it is a
// QSY marker (skip mark set), adds it to TotalPoints, NextQsoNumber, CurrentBandQsos and the
// current band's BandPoints and BandQsos. A QSO on no band (CurrentBand 0) is counted in no
// band slot.
void CountSavedQso(ContestLogCore& core, contest::TContestLKRec& qso);

// What the save learns from besides the record: the texts of exchange fields 2 to 4 of the
// received row, name and QTH where their fields can take the focus (else empty).
struct LearnedTexts {
  std::string exchange2;
  std::string exchange3;
  std::string exchange4;
  std::string name;
  std::string qth;
};

// Learns the partner of a stored QSO whose call has more than 2 characters: its record in the
// call data (made for a call not there yet, by its base call) gets the DOK (the LDK under 'A'),
// the DIG number ('7', field 2), the AGCW number ('f' field 3, 'w' field 4), the MF number ('i',
// field 2 "MF123" as "123"), name and QTH; member numbers new to a club list
// go into the list in memory ('k', '6', 'i', 'n' field 2 at column 3; 'v' field 2 into "mrr.csv"
// and field 3 into "mrr-rig.csv" at column 2). No list file is written.
void LearnFromQso(ContestLogCore& core, const contest::TContestLKRec& qso,
                  const LearnedTexts& texts);

}  // namespace contestlog
