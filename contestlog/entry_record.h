// The entry fields of the log window taken into the QSO in hand, without a widget: the window
// reads its fields into EntryFieldTexts and FieldsToRecord writes them into the entry record
// (the working copy of the core's LogTable). Nothing reaches the file here.
#pragma once

#include <array>
#include <string>

#include "contest/log_record.h"
#include "contestlog/log_core.h"

namespace contestlog {

// The texts of the entry fields and what FieldsToRecord asks of their state.
struct EntryFieldTexts {
  std::string call;   // eCall as typed (its zeros plain)
  std::string call2;  // eCall2
  std::string date;   // eDatum, completed to "dd.mm.yyyy"
  std::string time;   // ezeit, completed to "hh:mm" or "hh:mm:ss"
  std::string frequency;
  std::string typed_mode;   // emode
  bool mode_typed = false;  // emode is shown: its text is the QSO's mode
  std::string name;
  std::string qth;
  bool name_usable = false;  // eName can take the focus; otherwise NameText stands for it
  bool qth_usable = false;
  // The report (index 0) and exchange fields 2 to 4 of each row: eRSTr1..4 and eRSTs1..4.
  std::array<std::string, 4> received_row;
  std::array<std::string, 4> sent_row;
  // The exchange field (2 to 4) of the row stored as the received exchange whose bad DOK or
  // locator is told now: the field the operator leaves, or the one in hand at a save. 0 while
  // the operator types: a warning then would take the keys that follow.
  int told_field = 0;
};

// Takes the fields into the entry record: the call (NormaliseCall), the second call, date and
// time (-1 when they cannot be read), name and QTH ("name;QTH", 25 characters; a field that
// cannot take the focus gives NameText or QthText, a typed name or QTH is kept in them), the
// frequency, the mode typed in the mode field, and both exchange texts (the report by the mode,
// a name cut to the room beside a DOK and a locator). The eRSTr row is the received exchange,
// the eRSTs row the sent one; a listener log swaps them. Then the received exchange fields are
// read by their kinds into the record's DOK, locator and distance, state and member fields: a
// DOK only for a German call and only when the contest accepts it (a "J" and a digit of three
// characters is refused with "Fehler bei DOK-Angabe"); a locator that is not valid with "Fehler
// bei Locator-Angabe" (both warnings only for the told field) gives no locator and distance 0,
// and so does one of 3 characters or fewer; under 'J' a locator counts on bands 'k' and 'l'
// only. Answers whether a warning was told.
bool FieldsToRecord(ContestLogCore& core, const EntryFieldTexts& fields);

// The entry record (LogTable's working copy).
contest::TContestLKRec EntryRecord(const ContestLogCore& core);
// Puts `record` back as the entry record.
void SetEntryRecord(ContestLogCore& core, const contest::TContestLKRec& record);

}  // namespace contestlog
