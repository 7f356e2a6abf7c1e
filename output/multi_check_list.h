// The multiplier check list of a contest log: one line per multiplier value (DOK and, where the
// contest counts DXCC entities, DXCC), with the call of the first QSO of that value in the
// column of each band. Written on paper and as E-Log file.
#pragma once

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "output/alle_rout.h"

namespace output {

// The DOK pass (multiplier kinds 4, 8 or 17) in DOK order, then the DXCC pass (kind 2) in DXCC
// order; "DL" counts only with kind 3, and with kind 9 only entities of Europe. Each pass begins
// with the line of an empty value. Values are compared and written cut to 8 characters. QSOs
// without a band are left out. Always false (written); throws LogNotRead (output/log_walk.h)
// when the log cannot be read to its end.
bool WriteMultiCheckList(TAlleRout& channel, const contest::TContestRec& definition,
                         const contest::TdbContestBase& catalogue,
                         const contest::TdbContestBase& contest_data);

// From the top of the page: the title line in bold (with the page on paper), two blank lines,
// the column titles (the used bands) and a blank line. Always true.
bool WriteBandListHeading(TAlleRout& channel, const contest::TContestRec& definition,
                          const contest::TContestKKRec& log);

}  // namespace output
