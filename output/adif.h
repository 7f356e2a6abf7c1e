// The ADIF file of a contest log (output kind 9, extension "ADI") for logbook programs: a comment
// line and <EOH>, then one line of fields per QSO ending in <EOR>; no trailer. The channel writes
// the lines as they are (Windows-1252 bytes; a field's length counts bytes).
//
// Besides the standard fields a record carries PTS, the district field (AREA, LDK or DARC_DOK by
// the contest's multiplier kinds), DXCC_PFX, and for a listener log CALL_WKD and RST_WKD, as
// logbook programs have long read them. STX and SRX hold only digits; any other sent or received
// number goes to STX_STRING and SRX_STRING. TIME_ON holds the second (HHMMSS), so that a busy log
// reads back whole; PTS the points in the unit of the log's totals (tenths for 'R': "1.5").
#pragma once

#include <string>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/log_record.h"
#include "logbook/reference/prefix_cursor.h"
#include "output/alle_rout.h"

namespace output {

// The comment line ("ADIF-Export generated with Tarnex " + version, the maker's page when the
// definition set names one) and "<EOH>".
void WriteADIFHeader(TAlleRout& channel, const contest::TContestRec& definition);

// Asks "Von der Kontrollnummer nur RS(T) exportieren?" (default yes); contest 'A' is not asked
// and answers yes.
bool AskReportOnly(char contest_code);

// The record of a QSO (the caller writes it). With `report_only` the reports are the first three
// characters of the exchange texts, the numbers of a normal log following as STX/SRX; without
// it the whole exchange texts are written as reports. `prefixes` looks up the ADIF number of the
// QSO's DXCC prefix; one cursor serves a whole export.
std::string WriteADIFQSO(bool report_only, const contest::TContestRec& definition,
                         const contest::TContestKKRec& log, const contest::TContestLKRec& qso,
                         logbook::TdbPrefix& prefixes);

}  // namespace output
