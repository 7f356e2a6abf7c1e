// The entry record of the next QSO, prepared without a widget: its running numbers, its date,
// time, mode and band from the last QSO and the window, the catalogue's QSL presets and the
// default reports and sent exchange.
#pragma once

#include "contestlog/log_core.h"

namespace contestlog {

// What the preparation asks of the window's fields.
struct NewEntryFields {
  bool sent_field2_shown = false;  // eRSTs2: a hidden serial field is sent as the default
  bool sent_field3_shown = false;  // eRSTs3
  bool mode_typed = false;         // emode is shown (a typed digital mode reports "599")
};

// Clears LogTable's buffer and makes it the next QSO: the numbers NextQsoNumbers gives for
// CurrentBand and CurrentMode (SerialNumber the overall one; NextOverallNo, NextBandNo,
// NextBandNoIntern and NextModeNo the record's), LastQsoDate (none: -1) and LastQsoTime,
// CurrentMode and CurrentBand (CurrentBandName its name), the catalogue's QSL presets, the
// QSL-sent mark into QslSent, the frequency of the last save when there was one. The sent
// exchange is the default report with the sent defaults, where a hidden serial field of kind 7,
// 13 or 11 gets the overall, band or mode number (3 places), and the serial alone when the
// contest sends nothing else (not for '7' and 'p'; nothing in a listener log); the received
// exchange is the default report ("000" after it under '9'). The call's memories start anew:
// DupeCheck, LastPrefix, the prefix lookup's and NameText and QthText are emptied.
void PrepareNewEntry(ContestLogCore& core, const NewEntryFields& fields);

// The numbers of the entry in hand taken afresh from the log, as NextQsoNumbers gives them now
// (another station may have stored the ones the entry was prepared with): SerialNumber and the
// Next numbers, the record's numbers, and its sent exchange where that is still the one the
// preparation made with the old numbers. Answers whether a number changed.
bool RenewEntryNumbers(ContestLogCore& core, const NewEntryFields& fields);

// The numbers of the QSO about to be stored, against the log's (the caller holds the log locked
// up to the insert, so that no other station stores in between): a number the QSO sends (a sent
// serial field of kind 7, 13 or 11, or the overall number where the contest sends it alone) stays
// as sent, every other one is taken afresh. Answers the first sent number that another station
// has stored meanwhile (the log's next number is past it), 0 when there is none.
std::int32_t TakeNumbersForSave(ContestLogCore& core);

}  // namespace contestlog
