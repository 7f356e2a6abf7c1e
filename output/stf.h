// The STF1 file of a contest log (output kind 8, extension "STF"): a header of keys 13
// characters wide followed by their values, a "QsoOrder" line that names the columns, one
// fixed-width line per QSO and "EndQSOList". The channel upper-cases every line of this format
// and ends it with CR LF.
//
// The QSO line has one layout per contest family: the standard one, two-part exchanges ('J',
// 'G', 'B', '1': the parts one blank apart, "-" for a missing part), the listener log (worked
// call and its exchange, then the second call and its report), the German Christmas and Easter
// contests ('X', 't': multipliers and points at the end) and WAG ('W': call first, band and
// mode after the exchanges, another order for its listener class 9).
#pragma once

#include <string>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/log_record.h"
#include "output/alle_rout.h"
#include "output/score_tallies.h"

namespace output {

// Writes the header lines, from "STF1" to "QsoList". `log` is the log's catalogue record,
// `tallies` its stored tallies; the channel's totals (set by SumBandTotals, the points perhaps
// by the periods) give the claimed values. `category` replaces the class name when not empty.
// The equipment line of 'b' and 'j' comes from the log's station description file; without
// one, or with an empty one, the line is empty.
void WriteSTFHeader(TAlleRout& channel, const contest::TContestRec& definition,
                    const contest::TContestKKRec& log, const BandSlotTallies& tallies,
                    std::string_view category = {});

// The line of a QSO (the caller writes it). The call column has the width the channel measured
// (MeasureColumns).
std::string WriteSTFQSO(const TAlleRout& channel, const contest::TContestRec& definition,
                        const contest::TContestKKRec& log, const contest::TContestLKRec& qso);

// "EndQSOList".
void WriteSTFTrailer(TAlleRout& channel);

}  // namespace output
