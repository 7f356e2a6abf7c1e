// The values the multiplier rules and the log walks of the rule object (contest/cont_log_alle.h)
// exchange with the log window: the worked-multiplier table a recount fills, the slot tallies of
// a recount, the totals of the points walk and the running numbers of a new QSO.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "common/short_string.h"
#include "contest/contest_table.h"

namespace contest {

class ProgressWindow;

// Multiplier kinds that have a name (TContLogAlle::MultiplierSlotIsKind); the walks know all of
// them but 14, which has no index of its own.
inline constexpr int kMultiplierKindCount = 22;

// One entry of the log window's worked-multiplier table of a kind: a value of at most 8
// characters (an empty text is a free entry) and its mark (0 none, 1 new with the QSO in hand,
// 2 worked before).
struct WorkedMultiEntry {
  common::ShortString<8> text;
  std::uint8_t mark = 0;
};
inline constexpr int kWorkedMultiEntries = 500;
using WorkedMultiTable = std::array<WorkedMultiEntry, kWorkedMultiEntries>;

// What a recount adds to the tallies of the score report: per multiplier slot 1-3, the weighted
// count of the values of the kinds whose tally slot it is (TContLogAlle::TallySlotOfKind); the
// QSOs walked while counting kind 2. 16-bit, as the report stores them.
struct SlotTallies {
  std::array<std::uint16_t, 3> slots{};
  std::uint16_t kind2_qsos = 0;
};

// One call of TContLogAlle::RecountMultipliers.
struct RecountRequest {
  RecountRequest(int kind_, char band_, std::string_view value_ = {})
      : kind(kind_), band(band_), value(value_) {}

  int kind;
  char band;  // the band of the walk (per-band counting) or of the record looked for
  // Mode A: the value looked for ("was it worked before?"); empty: mode B, the recount.
  std::string_view value;
  // Mode A under Flag31 2: a record whose band letter differs from this text is passed over.
  std::string_view compare_text = {};
  // Mode B: the table the counted values are written into (not null = the value-table flag).
  WorkedMultiTable* table = nullptr;
  // Mode B: the tallies to add to (not null = the slot-counter flag); every record is then read.
  SlotTallies* tallies = nullptr;
  // Stepped every tenth record of a slot-counting walk, the bar wrapping at 500; may be null.
  // Once the user cancelled in it, the walk steps it no more but still counts to the end: the
  // tallies are stored with the log and printed, so a count stopped half-way would leave a
  // wrong score behind. The window keeps its cancel flag for the caller to read.
  ProgressWindow* progress = nullptr;
};

// The points walk over a log (TContLogAlle::ForEachQso). Counters are indexed by band slot (the
// band code, or 1 for the all-bands slot); index 0 stays unused.
struct QsoWalkTotals {
  char last_band = 0;          // band of the last record walked (a QSY marker's: its new band)
  std::int32_t qso_count = 1;  // one above the QSOs walked: the next QSO number
  std::array<std::int32_t, 256> slot_qsos{};
  std::array<std::int64_t, 256> slot_points{};  // the full points, also above the 16-bit field
  std::int32_t unwritten = 0;  // QSOs whose new points could not be stored
};

// The points of the QSO in the log object's working copy (the log window's points routine).
using PointsFunction = std::function<std::uint32_t(const TdbContestBase& log)>;

// The running numbers of a new QSO (TContLogAlle::NextQsoNumbers); each 1 when none exists yet.
struct QsoNumbers {
  std::int32_t overall = 0;  // only when asked for
  std::int32_t band = 1;
  std::int32_t band_intern = 1;
  std::int32_t mode = 1;
};

}  // namespace contest
