// What the summary sheet gathers from the QSOs of a log before it writes: the log lists (worked
// DXCC entities and locator squares, the ODX), the per-band counts of the Naval contest ('i')
// and the joined call multipliers of 'o'.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "contest/contest_table.h"

namespace output {

struct LogLists {
  int dxcc_count = 0;     // distinct DXCC entities
  int square_count = 0;   // distinct first four characters of the locators
  std::string odx;        // call;locator;points of the first QSO with the highest points
};

// Counters indexed by the band code character.
struct PerBandCounts {
  std::array<std::int32_t, 256> qsos{};
  std::array<std::int32_t, 256> call_multiplier_qsos{};  // QSOs with a call multiplier
  std::array<std::int32_t, 256> points{};
};

// The log read in date and time order; empty DXCC entities and locators are not counted. Each
// walk throws LogNotRead (output/log_walk.h) when the log cannot be read to its end.
LogLists CollectLogLists(contest::TdbContestBase& log);
PerBandCounts CountPerBand(contest::TdbContestBase& log);
// The call multipliers of the log in their own order, each followed by a blank; QSOs without
// one add nothing.
std::string JoinLogField(contest::TdbContestBase& log);

}  // namespace output
