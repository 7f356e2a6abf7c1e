// The QSO list of a contest log: printed, in the E-Log list and band-list files, and as CSV
// file; its page header, its lines, the score lines under it, the column widths every
// fixed-width writer uses, and the notice about a written file.
//
// Fields fitted with TAlleRout::PadField (the date, call, band, mode and multiplier columns and
// the fitted titles) are only trimmed on the CSV channel; the sent and received blocks, the
// second call and the points keep their padding on every channel. On the CSV channel a field
// holding ';' or '"' is quoted (CsvField), so that no text moves the columns after it.
#pragma once

#include <cstdint>
#include <string>

#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "output/alle_rout.h"
#include "output/score_tallies.h"

namespace output {

// The places of the column widths in TAlleRout::ColumnWidths.
enum ListColumn : int {
  kSentColumn = 0,
  kRcvdColumn = 1,
  kCallColumn = 2,
  kPointsColumn = 3,
  kMultiColumn1 = 4,  // then 5 and 6 for multiplier slots 2 and 3
};

// Sets the channel's column widths from every QSO of the log: the widest trimmed sent and
// received exchange texts and call plus 2 (at least 9, 9 and 8), the widest points as contest
// `code` writes them (at least 1), and per multiplier slot the widest of its name and its values
// plus 2. Throws LogNotRead (output/log_walk.h) when the log cannot be read to its end.
void MeasureColumns(TAlleRout& channel, const contest::TContestRec& definition, char code,
                    contest::TdbContestBase& log);

// The page header of the list, or of a band list when `band` is not 0: the title and station
// line in bold and a blank line (not on the CSV channel), then the column titles.
// `log` is the log's catalogue record.
void WriteListHeader(TAlleRout& channel, const contest::TContestRec& definition,
                     const contest::TContestKKRec& log, char band);

// The list line of a QSO; `ordinal` counts the QSOs written, from 1; its points in the unit of
// the log's totals (tenths for 'R': "1,5"). `catalogue` is positioned on the log. The name and
// QTH of 'I' and 'l' follow the points: on the CSV channel as a column of every line, empty
// without a name; on paper and in text files only when there is a name.
std::string WriteListQSO(const TAlleRout& channel, std::int32_t ordinal,
                         const contest::TContestRec& definition,
                         const contest::TdbContestBase& catalogue,
                         const contest::TContestLKRec& qso);

// The score lines under a printed or E-Log list, right-aligned to the longest QSO line: with
// multiplier kinds and a general score the slot totals, the points and the claimed score,
// otherwise the claimed score alone; for '5' the postcode areas.
void WriteScoreLine(TAlleRout& channel, int longest_line, const contest::TContestRec& definition,
                    const BandSlotTallies& tallies, const contest::TContestKKRec& log);

// The band column of a QSO line: the band's name without its last character in 4 places, a 'c'
// of "cm" taken out: "80", "70", "6" for 6 cm and 6 m alike.
std::string BandColumn(const TAlleRout& channel, char band);

// "Datei <name> wurde erstellt." under the caption "Dateiausgabe:".
void ReportFileWritten(const TAlleRout& channel);

// A CSV field as it stands, or between '"' with its '"' doubled when it holds ';' or '"'.
std::string CsvField(std::string_view field);

}  // namespace output
