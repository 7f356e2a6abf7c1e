// The per-band tallies of a contest log counted from its records: what the log window's
// recalculation stores (ContestLogCore::Recalculate) and what the outputs claim, so that a claim
// is the log's as it stands, whichever station typed its QSOs and whether one has it open.
#pragma once

#include <cstdint>
#include <optional>

#include "contest/cont_log_alle.h"
#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contest/contest_table.h"
#include "contest/log_read.h"
#include "contest/progress_window.h"
#include "contestlog/band_tallies.h"

namespace contestlog {

// The kinds in the order a band's multipliers are counted.
inline constexpr int kBandOrder[] = {2, 4, 18, 5, 10, 12, 1, 22, 15, 16, 19};
// A band of the definition's band list that holds QSOs (the list's other codes mark no band).
inline bool IsBandLetter(char band) { return band >= 'a' && band <= 'z'; }

// Per band of the definition's band list: the QSOs, the multipliers and the slot tallies (a
// contest that counts its multipliers over all bands has them in the first band, its QSOs per
// band) and the points the QSO records hold (QSY markers left out). Holds a shared log locked
// for the pass; `progress` (may be null) is stepped. None when the log could not be read (the
// repair of its files declined, or its lock not taken: the user gave up waiting for another
// station): nothing is counted from it.
std::optional<BandTallies> CountBandTallies(contest::TContLogAlle& rules,
                                            const contest::TContestRec& definition,
                                            const contest::TdbContestBase& catalogue,
                                            contest::TdbContestBase& log,
                                            contest::ProgressWindow* progress);

// The tallies of the log the catalogue object stands on, counted from its QSOs and laid into the
// working copies of `catalogue` or `contest_data` (moved to the log's record when it stands on
// another) in the log's layout, as the recalculation stores them; nothing is written to the
// files. kWhole when counted; otherwise (kRepairDeclined, kLocked) the working copies stay
// untouched.
contest::LogRead CountTalliesInto(const contest::TContestRec& definition,
                                contest::TdbContest& catalogue, contest::TdbContest& contest_data);

}  // namespace contestlog
