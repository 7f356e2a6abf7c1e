// The score area of the log window for the log's contest: the counters of the current band,
// the multiplier board (or, without multipliers, the compact line of the entry), the list's
// buttons, the own call in the button bars and the per-band table of the side bar.
#include <array>
#include <string>

#include "common/char_convert.h"
#include "common/lang_text.h"
#include "common/service.h"
#include "contest/window/entry_helpers.h"
#include "contest/window/log_refresh.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_start.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"
#include "ui/kv_form.h"

namespace contestlog {
namespace {

using platform::qt::TColor;
using platform::qt::TControl;

constexpr int kBoardRows = 8;
constexpr int kBoardColumns = 14;
constexpr int kBoardColumnsP = 11;
constexpr int kBoardFirstColumn = 20;
constexpr int kBoardFontSize = 8;
constexpr int kBoardTagBase = 1000;
constexpr TColor kBoardGrey = 0x808080;
// The board's width in cells: its widest label (four cells and four pixels) fits.
constexpr int kBoardCells = 56;
constexpr int kLabelDrop = 3;
constexpr int kListButtonGap = 8;
constexpr int kTotalsMargin = 10;
constexpr std::array<TColor, kOwnCallLabels> kOwnCallColours = {0x00FFFFFF, 0x02EA8655,
                                                                0x02F4C4AC};

std::string BandName(char band) {
  return common::Service<logbook::ToBaender>::Get().Band2Name(band, false);
}

// Multipliers are counted per band under the band-slot bytes 0 and 2, else over all bands.
bool CountedPerBand(std::uint8_t band_slot) { return band_slot == 0 || band_slot == 2; }

// Contests whose board shows longer values in labels of normal weight.
bool WideBoard(char code) { return code == 'H' || code == 'k' || code == 'p'; }

}  // namespace

void TContestLogStd::LayoutScoreArea(std::uint8_t band_slot_at_creation) {
  const char code = ContestCode(*Catalogue);
  const bool multipliers = Definition.MultiplierKinds.any();
  const std::string band = BandName(CurrentBand);

  // 1. The counters of the current band, and the board right of the entry.
  leqso->SetCaption("QSO " + band);
  lemulti->SetCaption(std::string(code == '5' || code == 'P' ? "Präfixe " : "Multi ") +
                      (CountedPerBand(Definition.Flag31) ? band : ""));
  lePunkte->SetCaption(common::LangText("Punkte ", "Score ") + band);
  const std::array<std::pair<TLabel*, double>, 6> counters = {
      {{leqso, 20}, {lqso, 31}, {lemulti, 38}, {lmulti, 49}, {lePunkte, 57}, {lPunkte, 70}}};
  for (const auto& [label, column] : counters) PlaceControlAt(*label, column, 13, 0, 0);
  const int board_top = 5 * (CellHeight() - 1) + CellHeight() / 2;
  panelmulties->SetBounds(kBoardFirstColumn * CellWidth(), board_top, kBoardCells * CellWidth(),
                          kBoardRows * (CellHeight() - 1));
  // 2.
  MakeMultiplierBoard();

  // 3. Without multipliers the entry is one compact block; the partner line always shows.
  const int drop = ui::ScalePixels(*this, kLabelDrop, false);
  PlaceControlAt(*lqsopartner, 1, 12, 0, drop);
  PlaceControlAt(*lcallname, 1, 12, 0, drop);
  if (!multipliers) LayoutCompactLine();
  lcallname->SetVisible(false);
  lqsopartner->SetVisible(true);

  // 4. The score counted from the log; the band the log ends on (a QSY marker's too) becomes
  // the current one, counted again for it; the list on that band, and the clock once.
  RecountLog(true);
  if (LastQsoBand != 0 && LastQsoBand != CurrentBand) {
    CurrentBand = LastQsoBand;
    CurrentBandName = BandName(CurrentBand);
    RecountLog(false);
  }
  contest::window::RefreshAfterEdit(CurrentBand, *Brow, *LogTable);
  timerzeitTimer();

  // 5. The list's buttons from the left; the contest's version at the foot of the side bar.
  btnweitere->SetVisible(true);
  int left = ui::ScalePixels(*this, kListButtonGap, false);
  for (ui::TkvBitBtn* button : {btnAendern, btnLoeschen, btnBandliste}) {
    button->SetLeft(left);
    left += button->Width() + ui::ScalePixels(*this, kListButtonGap, false);
  }
  lversion->SetCaption(Definition.VersionText.str());

  // 6. The own call in the button bars.
  const std::string own_call = common::ZeroToSlashedZero(
      common::Service<logbook::ToSetups>::Get().GetOwnCall(false),
      contest::window::SlashedZeroDisplay());
  for (std::size_t i = 0; i < kOwnCallLabels; ++i) {
    lglobcalla[i]->SetCaption(own_call);
    lglobcalla[i]->Font().SetColor(kOwnCallColours[i]);
    lglobcallb[i]->SetCaption(lglobcalla[i]->Caption());
    lglobcallb[i]->Font().SetColor(lglobcalla[i]->Font().Color());
  }

  // 7 - 9, 11. The per-band table.
  LayoutBandTable(band_slot_at_creation);
  // 10.
  ShowControls({btnauswertunga, btnauswertungb}, Definition.Flag30 != 0);
}

void TContestLogStd::MakeMultiplierBoard() {
  const char code = ContestCode(*Catalogue);
  const int columns = code == 'p' ? kBoardColumnsP : kBoardColumns;
  const int step = code == 'p' ? 5 : 4;
  const int width = (WideBoard(code) ? 4 : 3) * CellWidth() + ui::ScalePixels(*this, 4, false);
  const int height = CellHeight() - 1;
  int tag = kBoardTagBase;
  for (int r = 1; r <= kBoardRows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      // Places on the entry panel's grid, taken into the board's own coordinates.
      const int left = (kBoardFirstColumn + step * (c - 1)) * CellWidth() - panelmulties->Left();
      const int top = (r + 4) * (CellHeight() - 1) + CellHeight() / 2 - panelmulties->Top();
      auto* label = new TLabel(panelmulties);
      label->SetName("TE" + std::to_string(r) + std::to_string(c));
      label->SetParent(panelmulties);
      label->SetAutoSize(false);
      label->SetBounds(left, top, width, height);
      label->SetCaption(".");
      label->SetTag(tag++);
      label->SetColor(panelEingabe->Color());
      label->Font().SetSize(ui::ScalePixels(*this, kBoardFontSize, true));
      label->Font().SetColor(kBoardGrey);
      label->Font().SetStyle(WideBoard(code) ? 0 : platform::qt::fsBold);
    }
  }
}

void TContestLogStd::LayoutCompactLine() {
  Panel2->SetVisible(true);
  panelmulties->SetVisible(false);
  ShowControls({leqso, lqso, lemulti, lmulti, lePunkte, lPunkte}, false);
  // The entry ends on the line of the second call or of name and QTH when those show.
  const bool second_line = eCall2->Visible() || eFreq->Visible() || Definition.SWL != 0;
  const double qsl_row = second_line ? 5 : 3;
  const int drop = ui::ScalePixels(*this, kLabelDrop, false);
  PlaceControlAt(*rqsls, 1, qsl_row, 0, drop);
  PlaceControlAt(*lQSLs, 3, qsl_row, 0, drop);
  PlaceControlAt(*lqsopartner, 20, qsl_row, 0, drop);
  PlaceControlAt(*lcallname, 20, qsl_row, 0, drop);
  // Time, mode, band and date in one line.
  const int line_height = CellHeight() + CellHeight() / 2;
  Panel2->SetBounds(0, static_cast<int>((qsl_row + 2) * CellHeight()),
                    panelmulties->Left() + panelmulties->Width(), line_height);
  struct InLine {
    TControl* control;
    double column;
    int label;  // 1: a label, dropped to its field's text
  };
  const InLine line[] = {{lezeit, 1, 1},  {ezeit, 5, 0},       {lZeit, 5, 1},
                         {leMode, 17, 1}, {lMode, 22, 1}, {leBand, 32, 1},
                         {lband, 36, 1},  {leDatum, 44, 1}, {eDatum, 49, 0},
                         {lDatum, 49, 1}};
  const int top = ui::ScalePixels(*this, 2, false);
  for (const InLine& item : line) {
    item.control->SetParent(Panel2);
    item.control->SetLeft(static_cast<int>(item.column * CellWidth()));
    item.control->SetTop(top + (item.label != 0 ? drop : 0));
  }
  emode->SetParent(Panel2);
  emode->SetLeft(lMode->Left());
  emode->SetTop(lMode->Top() - ui::ScalePixels(*this, 4, false));
  panelEingabe->SetHeight(Panel2->Top() + Panel2->Height() + CellHeight() / 2);
}

void TContestLogStd::LayoutBandTable(std::uint8_t band_slot_at_creation) {
  const bool multipliers = Definition.MultiplierKinds.any();
  const bool per_band = CountedPerBand(Definition.Flag31);
  const bool no_band_multipliers = Definition.LabelFlag != 0;
  // 7. One row a band of the first seven.
  for (int n = 0; n < kBandRows; ++n) {
    const char band = Definition.Bands[static_cast<std::size_t>(n)];
    const std::string name = band != 0 ? BandName(band) : "";
    const bool multis = per_band && band != 0 && !no_band_multipliers;
    lQSOBand[n]->SetCaption(name);
    lMultiBand[n]->SetCaption(multis ? name : "");
    lPunkteBand[n]->SetCaption(name);
    ShowControls({lQSOBand[n], leQSOBand[n], lPunkteBand[n], lePunkteBand[n]}, band != 0);
    ShowControls({lMultiBand[n], leMultiBand[n]}, multis);
  }
  // 8. Points over all bands have no column of their own.
  if (no_band_multipliers && Definition.Flag31 != 0) {
    ShowControls({Label27, Label30_}, false);
    for (int n = 0; n < kBandRows; ++n) ShowControls({lPunkteBand[n], lePunkteBand[n]}, false);
  }
  // 9, 11. Without a multiplier column, the points and the totals take its place.
  const bool column_gone = !multipliers || !CountedPerBand(band_slot_at_creation);
  if (column_gone) {
    ShowControls({Label11, Label24}, false);
    for (int n = 0; n < kBandRows; ++n) ShowControls({lMultiBand[n], leMultiBand[n]}, false);
    const int up = ui::ScalePixels(*this, kBandBlockHeight, false);
    std::vector<TControl*> below = {Label27, Label30_, Label19, Label20, Label21, Label22, Label28};
    for (int n = 0; n < kBandRows; ++n) {
      below.push_back(lPunkteBand[n]);
      below.push_back(lePunkteBand[n]);
    }
    for (TControl* c : below) c->SetTop(c->Top() - up);
  }
  if (!multipliers) {
    const int margin = ui::ScalePixels(*this, kTotalsMargin, false);
    for (TLabel* total : {Label22, Label28}) {
      total->SetAutoSize(false);
      total->SetBounds(margin / 2, total->Top(), panelauswertung->Width() - margin,
                       total->Height());
      total->SetAlignment(platform::qt::TAlignment::taCenter);
    }
  }
}

}  // namespace contestlog
