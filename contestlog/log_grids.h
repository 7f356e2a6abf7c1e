// The log window's grids: binding the QSO list to the log, and the column widths of its grids
// kept between runs (contestlog/column_places.h says where).
#pragma once

#include <cstdint>

#include "contest/contest_table.h"
#include "storage/tables/table_base.h"
#include "ui/browser.h"
#include "ui/kv_form.h"

namespace contestlog {

// The list number under which the QSO list writes its protocol lines.
inline constexpr int kLogGridListNr = 47;

// Binds `grid` to `table` on key 4 (Nummer), from number 1 to 999,999,999 (both bounds empty
// when the table object's key-form flag is set), under `list_nr`; `option` becomes the
// browser's owner byte and `scale_owner` the form whose scaling it follows. The list is a
// plain view of the log: its inner grid is no tab stop, its close and direct-edit buttons and
// its sort selector are hidden, its top and bottom bars take the settings' panel colour, and it
// fills its parent. Raises what TkvBrow::Init raises.
void SetupLogGrid(ui::TkvBrow& grid, int list_nr, std::uint8_t option, storage::TdbBase& table,
                  ui::TkvForm* scale_owner);

// Keeps the widths of every column of `grid` under its current key at the place of
// `layout_number`, unscaled (with `scaled`, the window was scaled at creation) and without the
// grid's font factor; then stores the layout record in the settings (written at once,
// ToSetups::Keep), or for layout 0 writes the catalogue object's working copy over its record.
void StoreGridColumns(ui::TkvBrow& grid, std::uint8_t layout_number, bool scaled,
                      contest::TdbContestBase& catalogue);

// The kept width of grid column `column` (0-based) in pixels for the grid: scaled when
// `scaled`, times the grid's font factor, rounded; 0 when none is kept. Reads the catalogue
// object's working copy for layout 0, else the settings' layout record.
int ApplyGridColumns(int column, const ui::TkvBrow& grid, bool scaled,
                     const contest::TdbContestBase& catalogue, std::uint8_t layout_number);

// Sets the column widths of the cluster grid from its heading row: each column is (title
// length + 1) characters wide, unless the grid's OnBrowColWidths answers a width, or the width
// the browser keeps for the current key (times the font factor) lies between 0 and the grid's
// client width. Writes "GRC <list number>:" and each width followed by ";" to the protocol;
// answers 5 plus the widths and their grid lines.
int ClusterGridLayout(ui::TkvBrow& grid);

}  // namespace contestlog
