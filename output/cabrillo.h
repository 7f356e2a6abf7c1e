// The Cabrillo 3.0 file of a contest log (output kind 10, extension "CBR"): the header with the
// categories, the claimed score and the own station, one "QSO:" line per QSO and "END-OF-LOG:".
// The channel upper-cases every line of this format and ends it with CR LF.
//
// The QSO line is not column-exact: the sponsors' robots split it at blanks, so every field
// holds a placeholder when it is empty ("-", " - ", "    -  -  ") and the token count stays the
// same from line to line. Two contests write their own layouts: '1' narrower columns, 'a' the
// column template of its sponsor (frequency 7-10, mode 12-13, date 15-24, time 26-29, own call
// at 31, worked call at 56) with a multiplier digit at the end.
#pragma once

#include <string>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/log_record.h"
#include "output/alle_rout.h"
#include "output/score_tallies.h"

namespace output {

// Writes the header lines, from "START-OF-LOG: 3.0" to the two "SOAPBOX:" lines. `log` is the
// log's catalogue record, `tallies` its stored tallies; the channel's totals (set by
// SumBandTotals, the points perhaps by the periods) give the claimed score.
void WriteCabrilloHeader(TAlleRout& channel, const contest::TContestRec& definition,
                         const contest::TContestKKRec& log, const BandSlotTallies& tallies);

// The "QSO:" line of a QSO (the caller writes it). The call column has the width the channel
// measured (MeasureColumns).
std::string WriteCabrilloQSO(const TAlleRout& channel, const contest::TContestRec& definition,
                             const contest::TContestKKRec& log, const contest::TContestLKRec& qso);

// "END-OF-LOG:".
void WriteCabrilloTrailer(TAlleRout& channel);

// The text of the claimed score: the plain integer, for 'R' (which scores in tenths) the tenth
// with one decimal and a decimal comma in five integer places.
std::string CabrilloClaimedScore(std::int64_t score, char contest_code);

// The mode column's word for a QSO's mode text: CW, PH, FM, RY, "DG" for any other mode (a
// digital class without a Cabrillo name or a text of no class) and "- " for an empty mode.
std::string CabrilloMode(std::string_view mode);

}  // namespace output
