// TDatenPrefixBrowCtrl: the browse controller of the DXCC prefix list. It binds the list
// window's grid to the prefix table ("PXPREFIX") and gives it its sort orders, column titles and
// rows: per record the prefix (with the end of its range), DXCC prefix, zones, continent, country
// in English and German, and bearing and distance from the own locator.
//
// Two views: the short one sorts by DXCC prefix (index 14, "sel,DXCC", from the main entries
// "H" + "1" on) or by country (index 7, from "A"); the extended one, for two fixed station calls
// (UseExtendedPrefixView), sorts by every field and shows more columns. Option switch 7 of the
// settings adds a marker column with the ADIF number, crossed out in red for an entry outside its
// validity.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logbook/reference/prefix_cursor.h"
#include "platform/qt/string_grid.h"
#include "ui/browser.h"
#include "ui/daten_brow_ctrl.h"

namespace app {

// True when the own call of the settings is QJ5TRV or QJ7WPL.
bool UseExtendedPrefixView();
// Option switch 7: the marker column.
bool PrefixMarkerColumn();

// The indexes of the prefix table the list sorts by.
inline constexpr int kPrefixIndexCountry = 7;
inline constexpr int kPrefixIndexSelDxcc = 14;

// The columns of a prefix row. kPrefix and kLand give two cells each (prefix and "bis", the
// country in English and German).
enum class PrefixColumn : std::uint8_t {
  kPrefix,
  kDxcc,
  kQslBureau,
  kCq,
  kIt,
  kCo,
  kLoc,
  kMenu,  // titled with a blank
  kLand,
  kWae,
  kAdif,
  kRichtung,
  kEntfernung,
};

// The columns of an index in the grid's column views, in the order of heading and row.
std::vector<PrefixColumn> PrefixColumnsOf(int index, bool extended);

class TDatenPrefixBrowCtrl : public ui::TDatenBrowCtrl {
 public:
  // Binds `grid` to `table` (not owned; both outlive the controller) on `index_nr`, in select mode
  // as list 52 with the views "Liste", "Details" and "Miniaturansicht", else as list 51 (the same
  // views) or, with view flag 1, as list 55 with "Details" only. The start text is kept.
  TDatenPrefixBrowCtrl(ui::TkvBrow* grid, bool select_mode, const std::string& start_text,
                       int index_nr, std::uint8_t view_flag, logbook::TdbPrefix* table,
                       ui::TkvForm* window, std::uint8_t option);
  ~TDatenPrefixBrowCtrl() override;

  void BuildRow(ui::RowRec& row) override;
  void SetHeaderFooter() override;
  void InitSortList() override;
  // Extended view: entry n sorts by index n + 1 ("WAE" by 9), the bounds as they are; short view:
  // "DXCC" by 14 from "H" + "1", "Land" by 7 from "A", anything else by 3 from the start. With the
  // own call QJ5TRV both bounds are emptied.
  int SortList2Key(int entry, common::TKeyStr& lkey, common::TKeyStr& hkey) override;
  // The quick-search text upper-cased; on index 14 behind "H".
  void GetSuchKey(common::TKeyStr& key) override;

  // The computed cells: "Land, deutsch", "Loc", "Richtung" and "Entfernung" of a record; empty for
  // any other title.
  static std::string CalcField(const std::string& title, const logbook::TdbPrefixBase& record);

  // The heading and the row text of a record for an index and a view (0 and 2 column views, 1
  // and 3 one-column views).
  static std::string Heading(int index, int view, bool extended, bool marker);
  static std::string Footer(int index);
  static std::string RowText(const logbook::TdbPrefix& record, int index, int view,
                             bool extended, bool marker);

  int ListNr() const { return list_nr_; }
  const std::string& StartText() const { return start_text_; }

 private:
  // Cells of the marker column get a white face, crossed out in red for an entry outside its
  // validity; every other cell is drawn as the grid draws it.
  void DrawCell(int col, int row, const platform::qt::TRect& rect,
                platform::qt::TGridDrawState state);

  std::string start_text_;
  std::unique_ptr<logbook::TdbPrefix> row_cursor_;
  int list_nr_ = 0;
  platform::qt::TDrawCellEvent default_drawing_;
};

}  // namespace app
