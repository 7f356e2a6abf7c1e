// The prefix list's binding, sort orders, quick-search key, computed cells and marker column;
// its headings and rows are in prefix_list_rows.cpp.
#include "app/prefix_brow_ctrl.h"

#include <algorithm>

#include "common/number_mask.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"
#include "ui/mouse_grid.h"

namespace app {
namespace {

constexpr int kMarkerSwitch = 7;
constexpr int kMarkerFaceWidth = 30;  // of a marker in the one-column view "Liste"

common::TKeyStr Key(const std::string& text) { return common::ShortToLenArray(text); }

std::string OwnCall() {
  return common::Service<logbook::ToSetups>::Exists()
             ? common::Service<logbook::ToSetups>::Get().GetOwnCall(false)
             : std::string();
}

// The first key of the main entries on "sel,DXCC": their selection character "H", then the DXCC
// prefixes from "1" on.
std::string MainEntriesKey(const storage::TdbBase& table, const std::string& text) {
  return "H" + table.InitKeyText() + text;
}

}  // namespace

bool UseExtendedPrefixView() {
  const std::string call = OwnCall();
  return call == "QJ5TRV" || call == "QJ7WPL";
}

bool PrefixMarkerColumn() {
  return common::Service<logbook::ToSetups>::Exists() &&
         common::Service<logbook::ToSetups>::Get().GetFlags16()[kMarkerSwitch] != 0;
}

TDatenPrefixBrowCtrl::TDatenPrefixBrowCtrl(ui::TkvBrow* grid, bool select_mode,
                                           const std::string& start_text, int index_nr,
                                           std::uint8_t view_flag, logbook::TdbPrefix* table,
                                           ui::TkvForm* window, std::uint8_t option)
    : ui::TDatenBrowCtrl(grid, 0, table, window, option),
      start_text_(common::LeftStr(start_text, 255)) {
  constexpr int kListeDetailsMiniatur = 2 | 1 | 8;
  constexpr int kDetails = 1;
  if (select_mode) {
    grid->InitAnsicht(kListeDetailsMiniatur);
    list_nr_ = 52;
  } else if (view_flag != 1) {
    grid->InitAnsicht(kListeDetailsMiniatur);
    list_nr_ = 51;
  } else {
    grid->InitAnsicht(kDetails);
    list_nr_ = 55;
  }
  std::string lower;
  if (index_nr == kPrefixIndexCountry) lower = "A";
  if (index_nr == kPrefixIndexSelDxcc) lower = MainEntriesKey(*table, "1");
  grid->Init(list_nr_, table, index_nr, 0, 0, Key(lower), Key(""), window, option, 0);

  ui::TkvMouseGrid& cells = grid->GetGrid();
  default_drawing_ = cells.OnDrawCell;
  cells.OnDrawCell = [this](platform::qt::TComponent*, int col, int row,
                            const platform::qt::TRect& rect, platform::qt::TGridDrawState state) {
    DrawCell(col, row, rect, state);
  };
  cells.SetDefaultDrawing(false);
}

TDatenPrefixBrowCtrl::~TDatenPrefixBrowCtrl() {
  if (Browser() != nullptr && !Browser()->IsDestroying()) {
    Browser()->GetGrid().OnDrawCell = default_drawing_;
  }
}

void TDatenPrefixBrowCtrl::InitSortList() {
  ui::TkvBrow& grid = *Browser();
  grid.ClearSortlist();
  if (UseExtendedPrefixView()) {
    for (const char* entry : {"Prefix", "DXCC", "Menü", "CQZ", "ITU", "Kontinent", "Land", "WAE"}) {
      grid.AddSortlist(entry);
    }
  } else {
    grid.AddSortlist("DXCC");
    grid.AddSortlist("Land");
  }
}

int TDatenPrefixBrowCtrl::SortList2Key(int entry, common::TKeyStr& lkey, common::TKeyStr& hkey) {
  int index = logbook::kKeyPrefixMenue;
  if (UseExtendedPrefixView()) {
    index = entry + 1 > kPrefixIndexCountry ? entry + 2 : entry + 1;
  } else if (entry == 0) {
    index = kPrefixIndexSelDxcc;
    lkey = Key(MainEntriesKey(*Db(), "1"));
  } else if (entry == 1) {
    index = kPrefixIndexCountry;
    lkey = Key("A");
  } else {
    lkey = Key("");
  }
  if (OwnCall() == "QJ5TRV") {
    lkey = Key("");
    hkey = Key("");
  }
  return index;
}

void TDatenPrefixBrowCtrl::GetSuchKey(common::TKeyStr& key) {
  if (Browser() == nullptr) return;
  const std::string text =
      common::UpperCase(common::LeftStr(Browser()->SearchField()->Text(), 255));
  key = Key(Browser()->GetKeyNr() == kPrefixIndexSelDxcc ? MainEntriesKey(*Db(), text) : text);
}

std::string TDatenPrefixBrowCtrl::CalcField(const std::string& title,
                                            const logbook::TdbPrefixBase& record) {
  if (title == "Land, deutsch") return logbook::ToPrefix::TranslateCountryName(record.GetCountry());
  if (title == "Loc") return record.GetLocator();
  if (title != "Richtung" && title != "Entfernung") return "";
  const std::string locator = common::Trim(record.GetLocator());
  if (locator.empty()) return "";
  const std::string own =
      common::Service<logbook::ToSetups>::Exists()
          ? common::Service<logbook::ToSetups>::Get().GetOwnStation().own_locator.str()
          : std::string();
  double bearing = 0;
  double distance = 0;
  // Without an own locator there is nothing to measure from; 0 km would be a wrong answer.
  if (!logbook::ToLocator::QRB(common::Trim(own), locator, "", bearing, distance)) return "";
  return title == "Richtung" ? common::FloatToStrMask(bearing, 3, 1, ',')
                             : common::FloatToStrMask(distance, 5, 0, ',');
}

void TDatenPrefixBrowCtrl::BuildRow(ui::RowRec& row) {
  if (row_cursor_ == nullptr) row_cursor_ = std::make_unique<logbook::TdbPrefix>();
  if (!row_cursor_->SeekRef(row.ref)) return;
  ui::TkvBrow& grid = *Browser();
  row.text = RowText(*row_cursor_, grid.GetKeyNr(), static_cast<int>(grid.View()),
                     UseExtendedPrefixView(), PrefixMarkerColumn());
}

void TDatenPrefixBrowCtrl::SetHeaderFooter() {
  ui::TkvBrow& grid = *Browser();
  const int index = grid.GetKeyNr();
  grid.SetHeaderFooter(
      Heading(index, static_cast<int>(grid.View()), UseExtendedPrefixView(), PrefixMarkerColumn()),
      Footer(index), {}, {}, ".:ADIFNr;CQ:WAZ;IT:ITU;Co:Continent;Land:Country;QSL-Büro:QSLBureau;");
}

void TDatenPrefixBrowCtrl::DrawCell(int col, int row, const platform::qt::TRect& rect,
                                    platform::qt::TGridDrawState state) {
  ui::TkvMouseGrid& grid = Browser()->GetGrid();
  if (default_drawing_) default_drawing_(&grid, col, row, rect, state);
  if (row == 0 || !PrefixMarkerColumn()) return;
  const bool one_column = Browser()->View() == ui::TBrowserView::kListe;
  if (col != 0 && !one_column) return;

  platform::qt::TRect face = rect;
  if (one_column) {
    face.Right = std::min(rect.Right, rect.Left + ui::ScalePixels(ScaleOwner(), kMarkerFaceWidth,
                                                                  false));
  }
  platform::qt::TCanvas& c = grid.Canvas();
  const platform::qt::TBrush brush = c.Brush;
  const platform::qt::TPen pen = c.Pen;
  c.Brush = {platform::qt::clWhite, platform::qt::TBrushStyle::bsSolid};
  c.FillRect(face);
  if (grid.Cells(col, row).starts_with('-')) {
    c.Pen = {platform::qt::clRed, 1, platform::qt::TPenStyle::psSolid};
    c.MoveTo(face.Left + 2, face.Top + 2);
    c.LineTo(face.Right - 2, face.Bottom - 2);
    c.MoveTo(face.Left + 2, face.Bottom - 2);
    c.LineTo(face.Right - 2, face.Top + 2);
  }
  if ((state & platform::qt::gdFocused) != 0) c.DrawFocusRect(face);
  c.Brush = brush;
  c.Pen = pen;
}

}  // namespace app
