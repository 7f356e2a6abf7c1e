// Setting the log window up for its log: the log opened and prepared (band, mode, the list),
// then the entry fields (entry_layout.cpp) and the score area (score_layout.cpp) arranged for
// the log's contest; and the cell grid those places are given on.
#include <cmath>
#include <string>

#include "common/lang_text.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_grids.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"
#include "platform/qt/colors.h"
#include "ui/kv_form.h"
#include "ui/scheme_window.h"

namespace contestlog {
namespace {

constexpr int kPanelTopAtSetup = 10;

// The edition's line about its maker, as the main window shows it.
std::string MakerText() {
  char code = 0;
  std::string caption;
  std::string maker;
  std::string picture;
  common::Service<contest::TContestFkt>::Get().EditionInfo(code, caption, maker, picture);
  return maker;
}

}  // namespace

void TContestLogStd::SetupForContest() {
  // The band-slot byte as the main window's definition has it: the window's copy equals it now,
  // and only the recalculation changes the copy later.
  const std::uint8_t band_slot_at_creation = Definition.Flag31;
  PrepareLog();
  LayoutEntryFields();
  CaptionExchangeFields();
  LayoutScoreArea(band_slot_at_creation);
}

void TContestLogStd::PrepareLog() {
  // 2. Nothing saved yet, nothing counted.
  LastQsoDate = -1;
  LastQsoTime = -1;
  BandPoints.fill(0);
  BandQsos.fill(0);
  BandMultis.fill(0);
  // 3 - 6. The log, its first band, the clock's switch, and a renumbering when the last record
  // by its first multiplier lacks a multiplier text (or there is none).
  const bool has_records = OpenLog();
  contest::TContestKKRec log{};
  Catalogue->GetKKRec(log);
  CurrentBand = Definition.Bands[0];
  AutoTime = log.ZeitAuto != 0;
  contest::TContestLKRec last{};
  LogTable->GetLKRec(last);
  if (!has_records || last.CMulti.empty() || last.Info.empty()) RebuildDatabase(false);
  LogTable->ClearRec();
  // 7. A band period in force at the start decides the band.
  if (log.BandAuto != 0) {
    const common::ToDates& dates = common::Service<common::ToDates>::Get();
    CurrentBand = PeriodStartBand(Definition, CurrentBand, dates.TodayUtc(), dates.NowUtc());
  }
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  CurrentBandName = bands.Band2Name(CurrentBand, false);
  // 8. The lists of the band and mode switches.
  listmode->Items().Clear();
  for (const contest::ContestText& mode : Definition.Modes) {
    if (!mode.empty()) listmode->Items().Add(mode.str());
  }
  listband->Items().Clear();
  for (const char band : Definition.Bands) {
    if (band != 0) listband->Items().Add(bands.Band2Name(band, false));
  }
  // 9.
  CurrentMode = StartMode(Definition, log);
  emode->SetVisible(false);
  // 10. Caption and colours.
  SetCaption(common::Service<logbook::ToSetups>::Get().GetOwnCall(false) + "  " +
             common::LangText("Logbuch", "Logbook") + " (Contest : " + log.Name.str() + " )");
  lContestCaption->SetCaption("Contest-Logbuch");
  ui::ApplyColourScheme(*this, Image2, lhersteller);
  lhersteller->SetCaption(MakerText());
  // 11. The QSO list on the log.
  BindLogListEvents();
  SetupLogGrid(*Brow, kLogGridListNr, 0, *LogTable, this);
  // 12.
  Brow->ShowSortlist(false);
  const logbook::ToSetupLayout layout = common::Service<logbook::ToSetups>::Get().GetLayout();
  PanelUnten->SetColor(layout.panel_colour);
  panelObenUntergrund->SetColor(layout.panel_colour);
  // The per-band table's silver and yellow stand on the side bar's colour.
  panelauswertung->SetColor(layout.side_bar_colour);
  lContestCaption->Font().SetColor(platform::qt::clWhite);
  panelContLog->SetTop(ui::ScalePixels(*this, kPanelTopAtSetup, false));
  panelEingabe->SetColor(platform::qt::clBtnFace);
  lNummer->Font().SetColor(platform::qt::clRed);
  lbeam->Font().SetColor(platform::qt::clBlue);
  // 13. An empty entry: no date, no time.
  LogTable->ClearRec();
  contest::TContestLKRec entry{};
  entry.Datum = -1;
  entry.Zeit = -1;
  LogTable->SetLKRec(entry);
  // 14.
  EnterHint = common::LangText("<ET> = speichern", "<CR> = save");
  lenter->SetCaption(EnterHint.str());
  // 15. The band and mode switches only where there is something to switch to.
  btnNameqtha->SetVisible(true);
  btnNameqthb->SetVisible(true);
  btnBanda->SetVisible(listband->Items().Count() > 1);
  btnBandb->SetVisible(listband->Items().Count() > 1);
  btnModea->SetVisible(listmode->Items().Count() > 1);
  btnModeb->SetVisible(listmode->Items().Count() > 1);
}

int TContestLogStd::CellWidth() { return ui::ScalePixels(*this, kCellWidth, false); }

int TContestLogStd::CellHeight() { return ui::ScalePixels(*this, kCellHeight, false); }

void TContestLogStd::PlaceControlAt(platform::qt::TControl& control, double column, double row,
                                    int x_offset, int y_offset) {
  control.SetLeft(static_cast<int>(std::lround(column * CellWidth())) + x_offset);
  control.SetTop(static_cast<int>(std::lround(row * CellHeight())) + y_offset);
}

void TContestLogStd::PlaceControl(platform::qt::TControl& control, double column, double row,
                                  int x_offset, int y_offset, int cells, int extra) {
  PlaceControlAt(control, column, row, x_offset, y_offset);
  if (cells > 0 || extra > 0) control.SetWidth(cells * CellWidth() + extra);
}

bool TContestLogStd::HasMode(std::string_view mode) const {
  return contestlog::HasMode(Definition, mode);
}

}  // namespace contestlog
