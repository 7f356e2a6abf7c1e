// Opening and closing the tables of one contest log for its log window.
#pragma once

#include <cstdint>
#include <memory>

#include "contest/contest_lookups.h"

namespace contestlog {

// Makes the log window's object on the QSO table of log `log_number` ("PXLK" + number, opened
// when nobody has it open) and opens the call list ("PXCCL") for the window's lifetime. QSY
// markers (SkipMark neither 0 nor a blank) lose the fields a QSO would carry: DXCC, continent,
// Prefix, DOK1, DOK2, Loc, Call2 and WAZ_USStaat; a marker already empty is not written again.
// Leaves `log` on the last record by key 19 (CMulti) and answers whether there is one, that is
// whether the log holds records. Needs ToDatContest and ToDatCall; serious driver errors raise
// EDBError. A repair another station's stop left to do is asked about again at every opening;
// declined, the log is not opened (ui::EConstructorInvalid with the text the operator is told).
bool OpenLogTable(std::unique_ptr<contest::TdbContest>& log, std::int32_t log_number);

// The window closes: writes the catalogue's and the contest data's working copies over their
// records when the close `counted` the log's tallies into them; otherwise reads both copies
// anew, so that the claim stored now (perhaps another station's) stays and the caller sees it.
// Closes the call list again and frees `log` (the log's file closes with its last user). The
// two table objects are the caller's and stay open.
void CloseLogFiles(std::unique_ptr<contest::TdbContest>& log, contest::TdbContestBase& catalogue,
                   contest::TdbContestBase& contest_data, bool counted);

}  // namespace contestlog
