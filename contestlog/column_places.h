// Where the log window keeps the column widths of its grids: the QSO list's in the log's
// catalogue record, the others in the settings' layout record, one row per sort key.
//
// A layout number chooses the place:
//   0          the catalogue record's GridColumnWidths (offset 301), column 1 first, at most
//              kGridColumnWidths columns, whatever the key;
//   'W'        the layout record from offset 1235 (column table 3),
//   255        from offset 1895 (column table 5),
//   any other  from offset 2095 (column table 6);
// in the layout record column i (1-based) of key k lies at start + 20 k + 2 (i - 1), a 16-bit
// width. Column tables 3 to 10 lie one after another from 1235 to 2806; a place past them is
// neither written nor read, so no width ever lands in the settings that follow them.
// Widths are kept unscaled (96 dpi) and without the grid's font factor.
#pragma once

#include <cstdint>

#include "contest/catalogue_record.h"
#include "logbook/settings/setup_records.h"

namespace contestlog {

inline constexpr std::uint8_t kLayoutCatalogue = 0;
inline constexpr std::uint8_t kLayoutCorrection = 'W';
inline constexpr std::uint8_t kLayoutCluster = 255;

// The width kept for grid column `column` (0-based) under sort key `key_nr`; 0 when none is kept
// or the place lies outside.
std::uint16_t KeptColumnWidth(const contest::TContestKKRec& log,
                              const logbook::ToSetupLayout& layout, std::uint8_t layout_number,
                              int key_nr, int column);
// Keeps `width` there; a place outside is left alone (answers false).
bool KeepColumnWidth(contest::TContestKKRec& log, logbook::ToSetupLayout& layout,
                     std::uint8_t layout_number, int key_nr, int column, std::uint16_t width);

}  // namespace contestlog
