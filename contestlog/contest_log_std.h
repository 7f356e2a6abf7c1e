// TContestLogStd: the contest log window, where the operator enters the QSOs of one log in real
// time. It is its form (TContestLogDesign: the components) and its core (ContestLogCore: the
// definition copy, the log's tables, the entry and score state); its handlers forward to the
// core and to the log-window routines of this library.
//
// The window is opened only through RunContestLog, modally; while it is open the calling form
// is hidden and ContestLogStd() answers it. Closing is never refused: the column widths of the
// QSO list are kept, the log is recalculated and renumbered, the catalogue and contest-data
// records are written back and the log's files closed, also when no QSO was entered.
//
// The per-contest arrangement (SetupForContest beyond opening the log and binding its list,
// FormResize), the entry (ClearEntry), the score (ShowScore) and the whole-log passes
// (Recalculate, RebuildDatabase) are the window's steps that the entry, layout and recount
// code fills in; here they do no more than the opening and closing need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contestlog/log_core.h"
#include "contestlog/log_window_design.h"

namespace contestlog {

class TContestLogStd : public TContestLogDesign, public ContestLogCore {
 public:
  // Copies the definition, keeps the two table objects (the caller's; they must outlive the
  // window), builds the form and runs FormCreate, which opens the log. Raises what opening the
  // log raises (EDBError, the list's EConstructorInvalid); nothing of the log stays open then.
  TContestLogStd(std::int32_t log_number, contest::TdbContest& catalogue,
                 contest::TdbContest& contest_data, const contest::TContestRec& definition);
  // Runs FormDestroy when it has not run yet.
  ~TContestLogStd() override;

  // The form that started the log (the main window); hidden while this window shows.
  platform::qt::TForm* CallerForm = nullptr;
  // Gets the focus back when the band or mode list closes.
  platform::qt::TWinControl* ReturnControl = nullptr;
  // Had the focus before the QSL box was clicked.
  platform::qt::TWinControl* FocusBeforeQsl = nullptr;

  // --- the window's events, in the order they come ---
  void FormCreate();
  void FormShow();
  void FormCloseQuery(bool& can_close);
  // The close steps: the caller shows again, pending messages run, the log is recalculated and
  // renumbered, the tables written back and closed. Runs once; RunContestLog calls it when the
  // window has closed, so that a failure reaches the caller.
  void FormDestroy();

  // Takes the place of CallerForm (when set): a maximised caller gives a maximised window at
  // 0, 0, any other the caller's state, left, top, width and height.
  void PlaceLikeCaller();

  // --- steps filled in by the layout, entry and recount code ---
  // Prepares the log (opens it, picks the band and mode to start with, binds the QSO list) and
  // arranges the window for its contest: the entry fields and their captions, the score labels,
  // the multiplier board and the per-band table (log_setup.cpp, entry_layout.cpp,
  // score_layout.cpp). Runs once, from FormCreate.
  void SetupForContest();
  // Places the side bar, the log area and the bars for the window's size and spreads the entry
  // panel's controls over its width (log_resize.cpp).
  void FormResize();
  // The clock's tick (every second); filled by the clock.
  void timerzeitTimer();
  void ClearEntry();
  // The entry panel's counters and multiplier board (the labels panelmulties owns, in their
  // order: each worked value of the board on one, new red, worked before green and underlined,
  // the rest "." in grey), then ScoreSummaryText.
  void ShowScore();
  // The evaluation panel: QSOs, multipliers and points of the definition's first seven bands
  // (the current band's column yellow, the others silver) and the score line with the claimed
  // score (contest/claimed_score.h).
  void ScoreSummaryText() override;
  // A progress window over this window while a pass runs.
  std::unique_ptr<contest::ProgressWindow> ShowProgress(const std::string& title,
                                                        int maximum) override;
  // The QSO list shows the renumbered files.
  void LogFilesReplaced() override;

  // --- the layout's helpers: places on the entry panel's cell grid (cells of 8 x 17 pixels
  // at 96 dpi, scaled) ---
  // Left := column cells + x_offset, top := row cells + y_offset (offsets in scaled pixels).
  void PlaceControlAt(platform::qt::TControl& control, double column, double row, int x_offset,
                      int y_offset);
  // As PlaceControlAt, and `cells` cells plus `extra` pixels wide when either is above 0.
  void PlaceControl(platform::qt::TControl& control, double column, double row, int x_offset,
                    int y_offset, int cells, int extra);
  // The caption label of exchange field `slot` (2, 3 or 4) gets `caption` and stands above the
  // field's received box (a listener log: its sent box), when that box is shown and `show` is
  // set; otherwise nothing changes.
  void PlaceExchangeCaption(int slot, bool show, const std::string& caption);
  // Whether the contest has the mode `mode`.
  bool HasMode(std::string_view mode) const;

  // --- the QSO list (log_list.cpp): the handlers of Brow's events ---
  void BrowSetHeaderFooter();
  void BrowBuildRow(ui::RowRec& row);
  // Keeps the list's column widths, then answers the index and bounds of sort order `order`.
  int BrowSortList2Key(int order, common::TKeyStr& low, common::TKeyStr& high);
  // The list offers no sort orders of its own.
  void BrowInitSortList();
  // The heading of the QSO list on `grid` (also the correction list's).
  void SetLogHeaderFooter(ui::TkvBrow& grid);
  // The text of `row` from its record (also the correction list's rows).
  void BuildLogRow(ui::RowRec& row) const;

  // --- corrections (log_corrections.cpp): a QSO of the QSO list or of the correction list
  // changed or deleted, the log renumbered, recalculated and recounted after it ---
  // Deletes the QSO on the current row of `grid` after the warning that the following numbers
  // drop by one and the question "Eintrag <call> löschen?" (default yes); then the log is
  // renumbered and recounted (RenumberAndRecount) and `grid` stands on the last QSO of its
  // order. Without a row, on a QSY
  // marker or on "no" nothing changes.
  void DeleteSelectedQso(ui::TkvBrow& grid);
  // "Löschen [Entf]": DeleteSelectedQso on the QSO list, then the entry is cleared.
  void btnLoeschenClick();
  // The QSO list's delete request: btnLoeschenClick; handled.
  bool BrowDatensatz_Loeschen();
  // The dialog "QSO ändern" for the QSO on the current row of `grid` (not for a QSY marker);
  // when the change needs it, the log is renumbered and recounted (RenumberAndRecount) and
  // `grid` put on the changed QSO. Then the entry is cleared.
  void EditSelectedQso(ui::TkvBrow& grid);
  void btnAendernClick();
  // A double click on the QSO list: as btnAendern.
  void BrowBrowDoppelKlick();
  // The correction list on the whole log, the band log of the current band and the call
  // search (correction_list.h); the first two clear the entry afterwards.
  void btnKorrekturaClick();
  void btnBandlisteClick();
  void btnCallsucheaClick();
  // Where the correction list showed last; kept while the window is open.
  platform::qt::TRect CorrectionBounds{};

 private:
  // Binds the events of Brow to the handlers above.
  void BindLogListEvents();
  // Binds the buttons and Brow's events of the corrections.
  void BindCorrectionEvents();
  // After a QSO was changed or deleted: the log renumbered with fresh multiplier fields,
  // recounted in full, its tallies stored, the score shown.
  void RenumberAndRecount();
  // Shows the correction list in `mode` (0 whole log, 1 call search, 2 band log) at its kept
  // place.
  void RunCorrectionList(int mode);
  // The parts of SetupForContest, in their order.
  void PrepareLog();
  void LayoutEntryFields();
  void CaptionExchangeFields();
  void SeparateExchangeCaptions();
  void LayoutScoreArea(std::uint8_t band_slot_at_creation);
  void MakeMultiplierBoard();
  void LayoutBandTable(std::uint8_t band_slot_at_creation);
  void LayoutCompactLine();
  // Lines the visible buttons of a button bar up from both ends, the own call between them.
  void LineUpButtonBar(TPanel& bar);
  // A cell of the entry panel's grid in scaled pixels.
  int CellWidth();
  int CellHeight();
  // The QSO list's rows are 1.2 times the height of an "X" in its font.
  void AdjustLogRowHeight();

  bool destroyed_ = false;
  // Where the window opens (its caller's place); none: where it is.
  std::optional<platform::qt::TRect> place_;
};

// Opens the contest log window of log `log_number` over `caller` (may be null): placed like the
// caller (a maximised caller gives a maximised window at 0, 0), the first entry cleared, shown
// modally; freed when it has closed. `definition` is copied; the two table objects must stay
// valid for the call.
void RunContestLog(platform::qt::TForm* caller, std::int32_t log_number,
                   const contest::TContestRec& definition, contest::TdbContest& catalogue,
                   contest::TdbContest& contest_data);

// The open log window; null while none is open.
TContestLogStd* ContestLogStd();

}  // namespace contestlog
