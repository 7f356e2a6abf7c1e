// The output dispatcher of the contest setup form: one output code (0..15) of the log becomes
// the run of the output channel (output::TAlleRout) and of the drivers that write it.
//
//   code  output                               drivers
//    0, 6 summary sheet on paper / E-Log        WriteSummarySheet
//    2,14 multiplier check list                 WriteMultiCheckList
//    3,11 band list                             ExportContestLogByBand
//    4, 7, 8, 9, 10, 13, 15  QSO list and files ExportContestLog
//    5    the whole paper log in one job        sheet, check list, band list, QSO list, each
//                                               part after the first on a new page
//   12    the whole E-Log file                  sheet, then the QSO list ('i': the band list)
//
// A file that was written (the driver answers false, the channel saw no write fail) is reported
// "Datei ... wurde erstellt." once it stands under its name; the viewer then opens for the kinds
// that use it. For a contest that scores one hour of the operator's choice ('E') the period
// dialog asks for the hour first; left without OK, the whole log is written. A cancelled print
// or save dialog ends the output quietly.
//
// Only a log read to its end is written or printed. A log that cannot be opened, counted or
// walked to its end (the repair of files another station left unfinished declined, a lock
// another station holds given up, a read that failed) ends the output with the cause told
// ("Ohne Reparatur des Logs wird keine Datei geschrieben.", "... wird nichts gedruckt." and
// the like, output/output_texts.h): no print job is sent, no file takes the chosen name (a file
// of that name keeps what it held), and the tallies it could not count are not laid in.
#pragma once

#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"

namespace platform::qt {
class TComponent;
}  // namespace platform::qt

namespace app {

// Runs output `code` of the log the catalogue object is positioned on, with the main window's
// live `definition`; `owner` (may be null) owns the period dialog. The log is held open for the
// whole output. The per-band tallies the outputs read are counted from the log's QSOs first, into
// the working copies of `catalogue` and `contest_data` (contestlog/log_tallies.h); nothing is
// written back. Needs the services the channel needs (Service<output::TAlleRout>, ToMessages,
// TFileBaseSS, ToSetups, the printer) and the driver system.
void WriteOutput(platform::qt::TComponent* owner, int code, const contest::TContestRec& definition,
                 contest::TdbContest& catalogue, contest::TdbContest& contest_data);

}  // namespace app
