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
// The QSO entry: every keystroke in the call field looks the call up and shows its points and
// multipliers; leaving the call runs the dupe rules and prefills the exchange; Enter in the last
// field the contest shows saves the QSO when the save check passes (entry_cycle.cpp); the save
// stores, scores and learns it (entry_save.cpp, qso_save.h) and the entry is cleared for the
// next QSO and shown from its record in entry_show.cpp. The clock keeps the entry's date and
// time on UTC and the band on the band period in force; band and mode switches (clock.cpp).
//
// Every event that reaches the window runs as one of its handlers, counted where it enters the
// window layer (platform/qt/handler_scope.h). A tick of the clock that comes while another of the
// window's handlers runs (inside its message box or pending-message pass) is skipped; the next
// one does the work.
//
// The keyboard: the form sees every key first and binds the function keys, Esc and a few Alt
// keys whatever field has the focus (log_keys.cpp). The window alternates between entry mode
// (the button bars on) and list mode (the QSO list's buttons on), see log_controls.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contestlog/adif_import.h"
#include "contestlog/entry_record.h"
#include "contestlog/log_core.h"
#include "contestlog/log_window_design.h"
#include "contestlog/new_entry.h"
#include "contestlog/qso_save.h"

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
  // The clock's tick (every second, and once from the save and the set-up): with the band
  // periods on, an empty entry goes to the band of the period in force (a typed QSO never
  // moves, and no period in force keeps the band); the entry's date and time follow the UTC
  // clock as the log asks (contest::window::ShowPeriodInfo). Virtual so that tests see ticks.
  virtual void timerzeitTimer();
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
  // After a repair the operator had declined: the totals counted afresh and shown.
  void LogRepaired() override;

  // --- the QSO entry (entry_cycle.cpp, entry_show.cpp) ---
  // eCall's OnChange: the call typed so far looked up, scored and evaluated for the multipliers
  // on every keystroke (a call of one character, or one without prefix, takes the entry's
  // multipliers back), the fields shown anew; nothing while the program fills the fields.
  void eCallChange(platform::qt::TComponent* sender);
  // OnKeyDown of the 16 entry fields: Enter is swallowed, moves on (EnterJump, else NextField)
  // and makes the exit it causes Enter's; any other key ends that.
  void eCallKeyDown(platform::qt::TComponent* sender, std::uint16_t& key,
                    platform::qt::TShiftState shift);
  // OnExit of the entry fields: leaving the call with a frequency outside the band plan gives
  // the notice "Frequenzbereich verlassen" first; then FieldExit.
  void eCallExit(platform::qt::TComponent* sender);
  // The fields into the record and the work of the field left: the call's dupe rules, name and
  // prefill, the exchange fields' multipliers, the frequency's band. When the save check passes
  // and Enter left the last field the contest shows, the QSO is saved (btnSpeichernaClick).
  // Otherwise a field whose DOK or locator was warned about gets the focus back, its text
  // selected, for the operator to correct it.
  void FieldExit(platform::qt::TComponent* sender);
  // OnChange of exchange fields 2 to 4 of both rows: multipliers (a call "DL0" standing in for a
  // missing one), the beam heading of a typed locator, a typed name kept for the entry.
  void eRSTr2Change(platform::qt::TComponent* sender);
  // The entry fields into the entry record. A bad DOK or locator is told only for `told`, the
  // field the operator leaves or the one in hand at a save; never while the operator types.
  // Answers whether it was told.
  bool FieldsToRecord(const platform::qt::TControl* told = nullptr);
  // On leaving the call, and at a save that finds the entry unchecked, once per call, band and
  // mode checked (DupeCheck): an earlier QSO's name and QTH, the
  // dupe rules (a refusal clears the entry, a dupe kept without points shows "SCHON GEARBEITET"
  // in red), the name and QTH from the call database. A log whose repair was declined is not
  // asked about: the call stays unchecked and shows "DUPE UNGEPRÜFT" in red. On every leaving:
  // the prefix, "Präfix unbekannt" when it has none.
  void CheckDupe();
  // The entry's multipliers evaluated anew (EvaluateEntryMultipliers).
  void RefreshMultiplierState();
  // The exchange prefilled from the call database and the member lists; the beam heading to the
  // partner's locator in a locator contest.
  void AfterCallEntered();
  bool CanSaveQso();
  // Whether eFreq lies in the band plan of the contest for CurrentBand and CurrentMode.
  bool CheckBandPlan();
  // The entry made ready for the next QSO (new_entry.h), shown, the focus in eCall.
  void ClearEntry();
  // The entry record in the fields and labels; the call field keeps the text typed for it.
  void RecordToFields();
  // The button panels and the list's caption in entry mode (true) or list mode.
  void SetButtonMode(bool entry);
  // The Clear buttons: the band and mode lists close, the entry is cleared.
  void btnClearaClick(platform::qt::TComponent* sender);
  // The save of the entry (the Save buttons, Enter, the ADIF import as `sender` btnadifimport):
  // the contest's fixes of the typed texts, the fields into the record, the record stored under
  // its running numbers (a second later while its moment is taken, at most kMomentMoves times;
  // an imported one ImportedMomentMoves times), scored and counted, its serials filled with
  // zeros, the clock's tick (not for the import), the partner learned, the list on the new QSO
  // and the entry cleared for the next. When the QSO cannot be stored the operator is told (by
  // the import's closing notice for an imported one) and the entry stays as typed; nothing is
  // written, learned or counted. A QSO whose free mode field (a digital mode) is shown and
  // empty is not stored either: the operator is warned and the field gets the focus.
  // Virtual so that tests see which saves the entry cycle asks for.
  virtual void btnSpeichernaClick(platform::qt::TComponent* sender);
  // Makes `band` the current band: the entry's band numbers and multipliers on it, the list on
  // the log's last QSO, the counters recounted, the band's own frequency for the entry, the
  // score captions named after it. Virtual so that tests see the switches asked for. False,
  // nothing changed and the operator told, when the log cannot be read for the band's numbers
  // (NumbersForSwitch).
  virtual bool SwitchBand(char band);
  // Makes `mode` (6 characters) the current mode: the entry's mode number and multipliers, the
  // counters recounted; in a contest that sends the serial within the mode, the sent exchange
  // carries the new mode's number; the band's own frequency for the mode. False as SwitchBand.
  bool SwitchMode(const std::string& mode);
  // The close controls (the side menu's label, the bars' glyph buttons, the button below the
  // list) close the window.
  void btnbeendenaClick(platform::qt::TComponent* sender);
  // --- the evaluation charts (log_charts.cpp) ---
  // The overview for 'P' and '5', the hourly chart for 'W' (then a new entry).
  void btnauswertungaClick();

  // --- the ADIF import (adif_import_window.cpp) ---
  // "Import von ADIF-Dateien": the dialog "ADIF-Import", then every record of the file through
  // the entry fields, the save check and the save (contestlog/adif_import.h), and a notice of
  // the counts. The clock is off meanwhile and as it was afterwards, also when the import fails.
  void btnadifimportClick(platform::qt::TComponent* sender);
  // The records through the entry, as the import runs them after its dialog.
  AdifImportCounts ImportAdif(const std::vector<common::AdifRecord>& records,
                              const AdifMapping& mapping, bool check);
  // How often the save of the record in hand moves a taken moment on by a second; the import
  // sets it for each record.
  int ImportedMomentMoves = kMomentMoves;

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
  // order. Without a row, on a QSY marker or on "no" nothing changes. The entry in hand stays.
  void DeleteSelectedQso(ui::TkvBrow& grid);
  // "Löschen [Entf]": DeleteSelectedQso on the QSO list, then the entry is cleared.
  void btnLoeschenClick();
  // The QSO list's delete request: btnLoeschenClick; handled.
  bool BrowDatensatz_Loeschen();
  // The dialog "QSO ändern" for the QSO on the current row of `grid` (not for a QSY marker);
  // when the change needs it, the log is renumbered and recounted (RenumberAndRecount) and
  // `grid` put on the changed QSO. Then the entry is cleared; without a dialog (no row, a QSY
  // marker) the entry in hand stays.
  void EditSelectedQso(ui::TkvBrow& grid);
  void btnAendernClick();
  // A double click on the QSO list: as btnAendern.
  void BrowBrowDoppelKlick();
  // A double click or the Delete key on the QSO list or the correction list, before the row is
  // read: LogReadable, told as the change or the delete the operation starts.
  bool RowOperationReadable(ui::RowOperation operation);
  // The correction list on the whole log, the band log of the current band and the call
  // search (correction_list.h); the first two clear the entry afterwards (btnClearaClick), the
  // call search keeps it unless a QSO was edited there.
  void btnKorrekturaClick();
  void btnBandlisteClick();
  void btnCallsucheaClick();
  // Where the correction list showed last; kept while the window is open.
  platform::qt::TRect CorrectionBounds{};

  // --- keys, buttons and lists (log_keys.cpp, band_mode_lists.cpp, log_controls.cpp,
  // field_events.cpp) ---
  // The form sees every key first. Without modifier the function keys call the keyer's memories
  // while KeyerOn is set (F12 then saves), else open the call search (F4), the QSO list (F5),
  // the note (F6), the mode (F7) and band lists (F8) and the correction list (F12); F10 saves;
  // F9 shows name and QTH; Esc closes an open list, else clears the entry. With Alt alone,
  // whatever the keyer: Q toggles the QSL mark, W and F12 the correction list, keypad 1 to 3 the
  // exchange fields, F4 to F8 as without the keyer. A key acted on never reaches the field.
  void FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift);
  // The keyer's output (memories 1 to 11, -1 after a save): no keyer is attached, nothing is
  // sent. Virtual so that tests see the memories asked for.
  virtual void SendCwMemory(int memory);
  // The band and mode lists: a second click closes the open one. A list of two entries is not
  // shown, the other entry is applied at once.
  void btnBandaClick(platform::qt::TComponent* sender);
  void btnModeaClick(platform::qt::TComponent* sender);
  // The chosen band or mode applied (double click or Enter in the list); the list closes and
  // the focus goes back where it was when the list opened.
  void listbandDblClick(platform::qt::TComponent* sender);
  void listmodeDblClick(platform::qt::TComponent* sender);
  // Whichever list is open closes; the focus goes back. False when none was open.
  bool CloseOpenList();
  // List mode, the QSO list focused.
  void btnListeaClick(platform::qt::TComponent* sender);
  void btnNameqthaClick(platform::qt::TComponent* sender);
  void btnNotizaClick(platform::qt::TComponent* sender);
  // Toggles "QSL senden" (QslSent, the caption and the box's tick).
  void lQSLsClick(platform::qt::TComponent* sender);
  // The QSL box ticks when "QSL senden" says yes.
  void TickQslBox();
  // After a click on "QSL senden" or its box: the focus back in FocusBeforeQsl as it was left.
  void ReturnFocusFromQsl();
  // Toggles the frequency scan and says so; the focus to the frequency.
  void imgfreqscanClick(platform::qt::TComponent* sender);
  void btnHilfeaClick(platform::qt::TComponent* sender);
  // The entry panel clicked: entry mode (with a new entry when the Clear buttons are off).
  void panelEingabeClick(platform::qt::TComponent* sender);
  // The grid area entered: list mode; a typed call is asked about first ("yes" drops it, "no"
  // keeps the entry with the focus in the call field).
  void BrowEnter(platform::qt::TComponent* sender);
  // A name typed into eName goes into the received exchange fields of the name kind.
  void eNameChange(platform::qt::TComponent* sender);
  // The typed digital mode is the current mode.
  void emodeChange(platform::qt::TComponent* sender);
  // The frequency navy inside the band plan, red outside.
  void eFreqChange(platform::qt::TComponent* sender);
  // Brow sorted by band with the current band's bounds, and a new entry.
  void btnNeuClick(platform::qt::TComponent* sender);
  // The frequency scan is on (imgfreqscan).
  bool FrequencyScanOn = false;

 private:
  // Binds the events of Brow to the handlers above.
  void BindLogListEvents();
  // Binds the buttons and Brow's events of the corrections.
  void BindCorrectionEvents();
  // After a QSO was changed or deleted: the log renumbered with fresh multiplier fields,
  // recounted in full, its tallies stored, the score shown.
  void RenumberAndRecount();
  // Shows the correction list in `mode` (0 whole log, 1 call search, 2 band log) at its kept
  // place. False when the log could not be read (a repair declined; told): no list was shown.
  bool RunCorrectionList(int mode);
  // --- the entry's parts ---
  void BindEntryEvents();
  std::array<TkvEdit*, 16> EntryFields() const;
  // The kind-17 fields show for German calls (and under 'A'), the sent twins in a listener log.
  void ShowForeignDistrictFields(const std::string& call);
  void CheckNewCall(const std::string& call);
  // The call could not be checked against the log: told on the partner's label, no dialog.
  void ShowCallNotChecked();
  // The typed frequency in MHz; on another band that band is made current, outside every band
  // the current band's own frequency for the mode stands instead.
  void FrequencyToBand();
  // lbeam shows the bearing to `locator` (4 characters or more) when it is above 0.
  void ShowBearing(const std::string& locator, const char* caller);
  // A name typed into a name field (kind 20) is the entry's NameText.
  void TypedNameToRecord(const std::array<std::string, 3>& texts);
  EntryFieldTexts ReadEntryFields(const platform::qt::TControl* told);
  // Whether the contest asks for received exchange field 2 (as the layout shows it).
  bool ReceivedField2Used() const;
  // What the entry's next numbers and sent defaults ask of the fields (new_entry.h).
  NewEntryFields EntryFieldsShown() const;
  // Labels on `parent` and inside it: Tag below 97 teal (captions), 97 navy (values).
  void ColourEntryLabels(platform::qt::TWinControl& parent);
  // Binds the evaluation buttons to their handler.
  void BindChartEvents();
  // The overview with the catalogue record's start day, for 'P' and '5' only.
  void ShowPartyChartOfLog();
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
  // Binds the keys, buttons, lists and fields of this part to their handlers.
  void BindControlEvents();
  void BindFieldEvents();
  // Opens `list` at `place` on its entry `current` (-1: none), or flips a list of two entries.
  void OpenSwitchList(platform::qt::TListBox& list, platform::qt::TListBox& other,
                      const TLabel& place, int current);
  // Enter applies, Esc closes (the key handler of both lists).
  void SwitchListKeyDown(platform::qt::TComponent* sender, std::uint16_t& key);
  // Gives the focus back to ReturnControl when it can take it.
  void FocusReturnControl();

  // Binds the clock, the Save and close controls (the Clear buttons are the entry's).
  void BindButtonEvents();
  // The texts the save learns from beside the record.
  LearnedTexts LearnedFieldTexts();

  bool destroyed_ = false;
  // The band period's band the clock could not switch to (a log that could not be read); 0: none.
  char period_band_refused_ = 0;
  // The program ticks the QSL box: not the operator's click.
  bool ticking_qsl_box_ = false;
  // Where the window opens (its caller's place); none: where it is.
  std::optional<platform::qt::TRect> place_;
};

// Opens the contest log window of log `log_number` over `caller` (may be null): placed like the
// caller (a maximised caller gives a maximised window at 0, 0), the first entry cleared, shown
// modally; freed when it has closed. `definition` is copied; the two table objects must stay
// valid for the call. When the log's QSO list cannot be made (a question refused while the log
// opened) the operator is told (ToMessages::Fehler) and nothing opens.
void RunContestLog(platform::qt::TForm* caller, std::int32_t log_number,
                   const contest::TContestRec& definition, contest::TdbContest& catalogue,
                   contest::TdbContest& contest_data);

// The open log window; null while none is open.
TContestLogStd* ContestLogStd();

}  // namespace contestlog
