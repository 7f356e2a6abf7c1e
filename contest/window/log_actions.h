// The log window's actions beyond the entry: the log's note, help, the further-programs window,
// the maker's page and (log_refresh.h) the grid after an edit. None keeps state.
#pragma once

#include <string>
#include <string_view>

#include "contest/contest_lookups.h"
#include "contest/contest_table.h"

namespace contest::window {

// The note file of a log: its name with only blanks, '+', '-', '_', digits and ASCII letters
// kept, and ".TXT" ("Test/Log: 2020" gives "TestLog 2020.TXT").
std::string NoteFileName(std::string_view log_name);

// Edits the log's note (TContestFkt::EditNote with NoteFileName of the catalogue record's Name,
// which stamps the log object's current call). When the new QSO has no call, the log object is
// first put on the log's last QSO (key 13, wagNummer), so that the stamp names that one.
// Afterwards the log object's current record is read again. Answers true.
bool EditLogNote(TdbContest& catalogue, TdbContestBase& log);

// Asks the application for help: help command 1 (HELP_CONTEXT) with context 0, which the
// program's help hook shows.
void Help();

// The further-programs window, through the catalogue service's port.
void ShowMorePrograms();

// Opens the maker's web page of the contest data (TContestFkt::OpenMakerPage).
void OpenMakerPage();

}  // namespace contest::window
