// The QSO grid after the log was edited: back on the newest QSO of the band, with the entry
// buffer emptied for the next QSO.
#pragma once

#include "contest/contest_lookups.h"
#include "ui/browser.h"

namespace contest::window {

// When the log holds a QSO on `band`, puts `log` on the one with the highest internal band
// number (wagBandNrIntern); the grid then shows the log's current record, whatever it is.
// Afterwards the log object's buffer is cleared and its QSO's date and time are -1 (empty), as
// a new entry starts; nothing is written to the file.
void RefreshAfterEdit(char band, ui::TkvBrow& grid, TdbContest& log);

}  // namespace contest::window
