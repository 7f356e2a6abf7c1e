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
// LastDupeCall, LastPrefix, the prefix lookup's and NameText and QthText are emptied.
void PrepareNewEntry(ContestLogCore& core, const NewEntryFields& fields);

}  // namespace contestlog
