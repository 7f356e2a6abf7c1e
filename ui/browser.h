// TkvBrow: the grid browser, the one list control of the program. It shows the records of one
// table in a grid, one page at a time, in the order of one index (key number) restricted to a key
// range, and lets the user page, search, sort, change the view, select, edit in place and delete.
// It knows nothing of any record layout: the owning form supplies row texts, column titles, sort
// orders and key conversions through the 34 published events below. No event is mandatory; a
// form that shows records assigns at least OnBuildRow (else the rows stay empty) and
// OnSetHeaderFooter (else the grid has no columns).
//
// Parts: the page buffer TKBrowser (browser_page.h) holds the rows; the grid controller
// TkvBrowStringGridCtrl (browser_grid_ctrl.h) shows them and handles keys and mouse; the selection
// set TkvBrowSelect (browser_select.h) holds the records the user selected. Around the grid the
// browser builds a bottom bar with the sort selector, the quick-search field and the navigation
// tool bar, a direct-edit button, two close buttons and its own two scroll bars. The layout
// engine may later replace the two combo boxes by a sort button and a view button with pop-up
// menus (SetSortMenu and the like); every list operation serves whichever exist.
//
// Passive state: while the bound table object's flag (the mode byte) is not 0, the view is
// "Details" and the grid is not in edit mode, the browser does not page by itself: moves,
// Refresh, key commands, the scroll bars and the mouse do nothing, GetDatensatzRef answers 0,
// ReadDatensatz reports the driver's current record and the selection set answers false.
//
// Lifetime: the browser owns its children, the controller, the selection set and the page
// buffer. The table object given to Init is not owned and must outlive the browser (or the next
// Init that names another); its file must stay open while the browser is bound. Destroying the
// browser writes its "InReg Liste" protocol line (unless NoLayoutLine) and fires OnEntf_brDats.
// One thread, like the program.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/record_text.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/string_grid.h"
#include "platform/qt/types.h"
#include "storage/tables/table_base.h"
#include "ui/browser_page.h"
#include "ui/grid_owner.h"
#include "ui/panels.h"

namespace platform::qt {
class TComboBox;
class TImage;
class TImageList;
class TLabel;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TScrollBar;
class TSpeedButton;
class TToolBar;
enum class TScrollCode : std::uint8_t;
}  // namespace platform::qt

namespace ui {

class TkvBitBtn;
class TkvEdit;
class TkvForm;
class TkvMouseGrid;
class TkvBrowSelect;
class TkvBrowStringGridCtrl;

using common::TKeyStr;
using platform::qt::TComponent;
using platform::qt::TShiftState;

// One key number (or flag) per grid column, as SetHeaderFooter takes them.
using TBrowColumnBytes = std::array<std::uint8_t, 50>;

using TBrowProc = std::function<void()>;
using TBrowQuery = std::function<bool()>;
using TBrowCellEvent =
    std::function<void(TComponent* sender, int col, int row, const std::string& value)>;
using TBrowSelectCellEvent =
    std::function<bool(TComponent* sender, int col, int row, const std::string& header)>;
using TBrowEditorSaveEvent =
    std::function<void(TComponent* sender, const std::string& header, const std::string& value)>;
using TBrowSortKeyEvent = std::function<int(int entry, TKeyStr& lkey, TKeyStr& hkey)>;
// The operations on the current row that a double click and the Delete key start.
enum class RowOperation { kOpen, kDelete };
using TBrowRowOperationQuery = std::function<bool(RowOperation operation)>;

class TkvBrow;

// Adds a radio item that runs `click` to a sort or view menu of the browser; the items at
// positions 10, 20, ... start a new column (with a bar). The item measures and draws itself
// through the layout engine's menu painter whenever the menu is owner-drawn.
void AddSelectorItem(TkvBrow& browser, platform::qt::TPopupMenu& menu, const std::string& caption,
                     std::function<void(TComponent*)> click);

class TkvBrow : public TkvMousePanel, public BrowserGridOwner {
 public:
  static constexpr int kPageCapacity = 250;
  // The layout memory's width table: widths of columns 0..50 for key numbers 0..59. Keys beyond
  // it (a table may have up to 110) keep no widths.
  static constexpr int kWidthKeys = 60;
  static constexpr int kWidthColumns = 51;
  static constexpr TColor kGridColour = 0x00EFFFFF;
  static constexpr const char* kSortText = "Sortierung";

  explicit TkvBrow(TComponent* owner);
  ~TkvBrow() override;

  // --- the 34 published events, in declaration order ---
  std::function<void(RowRec& row)> OnBuildRow;
  TBrowProc OnSetHeaderFooter;
  TBrowProc OnBrowDoppelKlick;
  TBrowCellEvent OnBrowTextinZelle;
  // Its being assigned also offers the direct-edit button.
  TBrowCellEvent OnBrowTextausZelle;
  TBrowEditorSaveEvent OnBrowEditorModusSave;  // published, never fired
  TBrowCellEvent OnBrowTextEditmask;
  TBrowSelectCellEvent OnBrowTextSelectCell;
  platform::qt::TNotifyEvent OnBrowCloseBtnKlick;  // sender: the close button
  TBrowProc OnBrowEnter;
  TBrowProc OnBrowScroll;
  TBrowProc OnBrowSuchfeldEnter;
  TBrowQuery OnInit_brDats;
  TBrowProc OnEntf_brDats;
  TBrowProc OnInit_F_Tasten;
  TBrowProc OnWeitere_Befehle;
  TBrowQuery OnDatensatz_Loeschen;
  std::function<std::string()> OnLoesch_Feld;
  TBrowQuery OnSuch_Eingabe;
  TBrowQuery OnBefore_Loesch;
  TBrowProc OnInitSortList;
  TBrowProc OnInitAnsicht;
  TBrowSortKeyEvent OnSortList2Key;
  TBrowQuery OnProcessPostCommand;
  std::function<int(int col)> OnBrowColWidths;
  std::function<void(int mode)> OnAddSelectRow;
  std::function<int(std::int32_t ref)> OnFindeSelectRow;  // 0: the row is marked
  TBrowQuery OnGetSelectRow;
  std::function<TKeyStr()> OnSuchFeld2KeyStr;
  // Accept (true) or reject a key; the answer of the page buffer's filter.
  std::function<void(RowRec& row, bool& use_it)> OnPerformFilter;
  TBrowProc OnPreCompletePage;
  TBrowProc OnPostCompletePage;
  TBrowProc OnInternselect;
  platform::qt::TDrawCellEvent OnDrawCell;  // published, never fired

  // --- further events ---
  // Asked before a double click or the Delete key reads the current row; false ends the
  // operation. A browser over a table whose reading may need the operator (a repair of its files
  // he declined, to be asked about again) asks and tells there, so that the operation never
  // ends without a word.
  TBrowRowOperationQuery OnRowOperation;

  // --- virtual operations, in slot order ---
  virtual void GotoFirst();
  virtual void GotoLast();
  virtual void PageDown();
  virtual void PageUp();
  // The grid controller's key dispatch; false while passive or unbound.
  virtual bool DoKeyCommand(std::uint16_t key, TShiftState shift);
  virtual void DoResize();
  // A page buffer exists, DoResize has run and no driver call is in progress.
  virtual bool IsReady() const;
  // With the close-question flag set asks "Modul \"<caption>\" beenden" and answers with it;
  // otherwise true. Clears the flag.
  virtual void ConfirmClose(TComponent* sender, bool& can_close);
  virtual bool DoProcessPostCommand();
  virtual void Reserved() {}
  virtual bool DoInit_brDats();
  virtual void DoEntf_brDats();
  virtual bool DoInit_F_Tasten();
  virtual void DoSetHeaderFooter();
  virtual void DoWeitere_Befehle();
  virtual bool DoBefore_Loesch();
  virtual void DoLoesch_Feld(std::string& word);
  // Without OnDatensatz_Loeschen deletes the driver's current record.
  virtual bool DoDatensatz_Loeschen();
  virtual bool DoSuch_Eingabe();
  virtual void DoInitSortList();
  virtual void DoInitAnsicht();
  // Both bounds empty, then OnSortList2Key; 0 without a handler.
  virtual int DoSortList2Key(int entry, TKeyStr& lkey, TKeyStr& hkey);
  virtual void DoAddSelectRow(int mode);
  virtual bool DoFindeSelectRow(std::int32_t ref);
  // The quick-search text upper-cased, or what OnSuchFeld2KeyStr makes of it.
  virtual void DoSuchFeld2KeyStr(TKeyStr& key);
  // OnGetSelectRow, else whether the current row's record is selected.
  bool DoGetSelectRow();

  // --- binding ---
  // Binds the browser to the table `db` (null keeps the previous one) on index `key_nr`
  // within lkey..hkey, with the numbered steps of its error texts: every failure raises
  // EConstructorInvalid "Fehler beim Erstellen der Liste! (FNr n)". `list_nr` names the list in
  // the protocol lines (0: none); `scale_owner` is the form whose scaling applies (null: the
  // owner when that is a TkvForm). reserved1, page_flag and reserved2 are not read.
  bool Init(int list_nr, storage::TdbBase* db, int key_nr, int reserved1, std::uint8_t page_flag,
            const TKeyStr& lkey, const TKeyStr& hkey, TkvForm* scale_owner,
            std::uint8_t owner_byte, int reserved2);
  // From OnSetHeaderFooter: `header` is the ";"-separated title row; cols1 holds the key number
  // each column sorts by. Columns, rows per page and the page follow.
  void SetHeaderFooter(const std::string& header, const std::string& header2,
                       const TBrowColumnBytes& cols1, const TBrowColumnBytes& cols2,
                       const std::string& extra);

  // --- state ---
  bool Passive() const;
  std::uint8_t GetModus() const { return mode_byte_; }
  std::uint8_t OwnerByte() const { return owner_byte_; }
  int ListNr() const { return list_nr_; }
  storage::TdbBase* Db() const { return db_; }
  TKBrowser* Page() const { return page_.get(); }
  TkvBrowStringGridCtrl& Controller() const { return *ctrl_; }
  TkvBrowSelect& Selection() const { return *select_; }
  bool Initialising() const { return initialising_; }
  // Set while the sort list is built or its entries are asked for their keys: the columns are
  // then left alone (SetHeaderFooter does nothing).
  bool SortListInquiry() const { return building_sort_list_; }
  void SetSortListInquiry(bool on) { building_sort_list_ = on; }
  bool CloseQuestion() const { return close_question_; }
  void SetCloseQuestion(bool on) { close_question_ = on; }
  // The form whose scaling rules apply (null when there is none).
  TkvForm* GetScaleForm() const;
  const TBrowColumnBytes& Cols1() const { return cols1_; }
  const TBrowColumnBytes& Cols2() const { return cols2_; }
  // Selection mode 1 extends the row selection while the cursor moves.
  std::uint8_t SelectionMode() const { return selection_mode_; }
  void SetSelectionMode(std::uint8_t mode) { selection_mode_ = mode; }
  // Set: the destructor writes no "InReg Liste" line.
  bool NoLayoutLine = false;

  // --- published properties ---
  int SortlistItemIndex() const;
  void SetSortlistItemIndex(int index);
  int AnsichtItemIndex() const;
  void SetAnsichtItemIndex(int index);
  // SortlistItemIndex at the last click in the sort menu (-1 before any).
  int RememberedSortIndex() const { return remembered_sort_index_; }
  int SuchfelderItemIndex() const { return 0; }
  void SetSuchfelderItemIndex(int) {}

  // --- positioning and queries ---
  // ref > 0: that record; 0: the driver's current record; < 0: the start of the range. With
  // keep_row the record stays on the cursor's screen row, else it comes to the top. False when
  // the record `ref` cannot be read (the page stays as it was).
  bool GotoDatensatz(std::int32_t ref, std::uint8_t keep_row, std::uint8_t flag2);
  void Refresh();
  void Redraw() { Refresh(); }
  int GetKeyNr() const;
  void SetKeyNr(int key_nr);
  void SetKeyRange(const TKeyStr& lkey, const TKeyStr& hkey);
  std::int32_t GetDatensatzRef();
  bool ReadDatensatz(std::int32_t& ref);
  // Bound, the table has records (or mode byte 2) and the current row's record can be read
  // into the driver's buffer (which it then holds).
  bool IsRowValid();
  // OnRowOperation's answer (true when unbound), then IsRowValid.
  bool MayStartRowOperation(RowOperation operation);
  void SetRebuildFlag();
  TKeyStr GetCurrentKey() const;
  bool HasRecords() const;

  // --- the grid and its look ---
  TkvMouseGrid& GetGrid() const;
  int GetGridColCount() const;
  int GetGridFixedCols() const;
  void SetGridOption(bool default_drawing);
  void SetGridPopupMenu(platform::qt::TPopupMenu* menu);
  void SetGridBorderStyle(platform::qt::TBorderStyle style);
  void SetColWidth(int col, int width);
  // Raw, or with `convert` unscaled for the form and divided by the font factor, rounded.
  int GetColWidth(int col, bool convert) const;
  void SetRowHeight(int pixels);
  // 0: the current default row height, unscaled first; then scaled for the form.
  void AdjustRowHeight(int pixels);
  void SetGridFont(const std::string& name, int size, platform::qt::TFontStyles style,
                   double factor);
  // Empty name / size 0: the layout settings' font; "-" / -1: the grid's current one. The size
  // is taken times the font factor and scaled for the form; the default row height becomes the
  // height of "X" in that font times the font factor and 1.2, through AdjustRowHeight.
  void SetBrowFont(const std::string& name, int size, platform::qt::TFontStyles style);
  double FontFactor() const;
  void SetFontFactor(double factor) { font_factor_ = factor; }
  int XHeight() const { return x_height_; }
  int XWidth() const { return x_width_; }
  // The width the layout memory holds for a key and column (0 when none or outside the table).
  int StoredWidth(int key_nr, int col) const;

  // --- protocol lines ---
  void LogLayout();
  void ApplyLayout();

  // --- keys ---
  void KeyDown(std::uint16_t& key, TShiftState shift) override;

  // --- selection forwarding ---
  bool SelectCount();
  bool SelectFirst();
  bool SelectNext();
  bool ReadSelected();
  void ClearSelection();

  // --- sort list and views ---
  void ClearSortlist();
  void AddSortlist(const std::string& name);
  int SortlistCount() const;
  void ShowSortlist(bool visible);
  void EnableSortlist(bool enabled);
  void ClearAnsicht();
  void AddAnsicht(const std::string& name);
  int AnsichtCount() const;
  void ShowAnsicht(bool visible);
  void EnableAnsicht(bool enabled);
  // Flags: 2 "Liste", 1 "Details", 8 "Miniaturansicht"; then "Details" is shown.
  void InitAnsicht(int flags);
  void SetView(std::uint8_t mode);
  TBrowserView View() const { return view_; }
  // A sort menu item, the sort combo's change, or (from SwitchSort) the browser itself.
  void SortClick(TComponent* sender);
  // A click on the sort picture or label of the layout engine's bar: as one on the sort button.
  void SortButtonAction();
  void ViewClick(TComponent* sender);
  void SwitchSort(int index, int key_nr, const std::string& lkey_text,
                  const std::string& hkey_text, std::uint8_t unused1 = 0,
                  std::uint8_t unused2 = 0);
  // -1 / false outside "Details".
  int FindSortEntryForColumn(int col);
  bool IsColumnKeyCurrent(int col) const;

  // --- quick search, delete, direct editing ---
  void SearchChanged();
  void QuickSearch(const std::string& text);
  void ClearSearchText();
  void DeleteCurrent();
  void EditBtnClick();
  // Shows the direct-edit button pressed or released; released also ends direct editing.
  void UpdateEditButton(bool down);
  void SearchKeyDown(std::uint16_t& key, TShiftState shift);
  // The notice before the first direct editing comes once in a program's run.
  static void ResetDirectEditNotice();
  void SortComboKeyDown(std::uint16_t& key, TShiftState shift);

  // --- the bars ---
  void ArrangeControls();
  void ScrollBarScroll(TComponent* sender, platform::qt::TScrollCode code, int& position);
  platform::qt::TPanel* TopPanel() const { return top_panel_; }
  TkvMousePanel* CloseStrip() const { return close_strip_; }
  TkvMousePanel* BottomBar() const { return bottom_bar_; }
  platform::qt::TLabel* SortLabel() const { return sort_label_; }
  platform::qt::TComboBox* SortCombo() const { return sort_combo_; }
  platform::qt::TComboBox* ViewCombo() const { return view_combo_; }
  platform::qt::TImage* SearchImage() const { return search_image_; }
  platform::qt::TImage* SecondImage() const { return second_image_; }
  TkvEdit* SearchField() const { return search_field_; }
  platform::qt::TToolBar* ToolBar() const { return tool_bar_; }
  platform::qt::TSpeedButton* EditButton() const { return edit_button_; }
  platform::qt::TSpeedButton* CloseButton1() const { return close_button1_; }
  platform::qt::TSpeedButton* CloseButton2() const { return close_button2_; }
  platform::qt::TPanel* GridPanel() const { return grid_panel_; }
  platform::qt::TScrollBar* VertScrollBar() const { return vert_bar_; }
  platform::qt::TScrollBar* HorzScrollBar() const { return horz_bar_; }
  // The layout engine's sort and view bar (not owned here; the engine makes them owned by the
  // browser): the pop-up menus and the buttons that show them.
  platform::qt::TPopupMenu* SortMenu() const { return sort_menu_; }
  void SetSortMenu(platform::qt::TPopupMenu* menu) { sort_menu_ = menu; }
  platform::qt::TPopupMenu* ViewMenu() const { return view_menu_; }
  void SetViewMenu(platform::qt::TPopupMenu* menu) { view_menu_ = menu; }
  TkvBitBtn* SortButton() const { return sort_button_; }
  void SetSortButton(TkvBitBtn* button) { sort_button_ = button; }
  TkvBitBtn* ViewButton() const { return view_button_; }
  void SetViewButton(TkvBitBtn* button) { view_button_ = button; }
  // The layout style switch when the engine built the bar; while set, the row (cell) under the
  // mouse is lit.
  std::uint8_t NewLayoutFlag() const { return new_layout_flag_; }
  void SetNewLayoutFlag(std::uint8_t flag) { new_layout_flag_ = flag; }
  int BottomBarHeight() const { return bottom_bar_height_; }
  void SetBottomBarHeight(int height) { bottom_bar_height_ = height; }
  int ToolBarOffset() const { return tool_bar_offset_; }
  void SetToolBarOffset(int offset) { tool_bar_offset_ = offset; }

  // --- BrowserGridOwner ---
  TBrowserView BrowserView() const override { return view_; }
  void SelectDrawFrame(platform::qt::TCanvas& canvas, const platform::qt::TRect& cell) override;
  // The grid cell being painted, in grid coordinates (set by the controller around a paint).
  void SetPaintingCell(const platform::qt::TRect& cell) { painting_cell_ = cell; }

  // The two drawing bitmaps of the layout engine's cell painting.
  platform::qt::TBitmap& BufferBitmap() { return buffer_bitmap_; }
  platform::qt::TBitmap& CacheBitmap() { return cache_bitmap_; }

  void Paint() override;

 protected:
  void Resize() override;

 private:
  // Init's numbered steps (step numbers in the error text).
  void InitSteps(const TKeyStr& lkey, const TKeyStr& hkey, int key_nr, int& step);
  void MakeChildControls();
  void MakeToolBar();
  void ToolClick(int index);
  void CloseBtnClick(TComponent* sender);
  void ChildMouseLeave();
  void WireGridEvents();
  void GridMouseDown(platform::qt::TMouseButton button, TShiftState shift, int x, int y);
  void GridMouseUp(platform::qt::TMouseButton button, TShiftState shift, int x, int y);
  void GridMouseMove(TShiftState shift, int x, int y);
  void GridDblClick();
  void GridWheel(bool down, bool& handled);
  void SortChanged(TComponent* sender, bool reposition, bool bounds_flag);
  void SwitchKey(int key_nr, const TKeyStr& lkey, const TKeyStr& hkey);
  bool KeyPrefixEquals(const std::string& key, const std::string& text) const;
  void DeleteConfirmed();
  void CheckMenuItem(platform::qt::TPopupMenu* menu, const std::string& caption);
  void TakeXMetrics();
  int Scaled(int value, bool font = false) const;
  // The columns and widths of the "InReg Liste" body.
  std::string LayoutBody();

  std::unique_ptr<TkvBrowSelect> select_;
  std::unique_ptr<TkvBrowStringGridCtrl> ctrl_;
  std::unique_ptr<TKBrowser> page_;
  platform::qt::TBitmap buffer_bitmap_;
  platform::qt::TBitmap cache_bitmap_;
  int list_nr_ = 0;
  TkvForm* scale_owner_ = nullptr;
  storage::TdbBase* db_ = nullptr;
  std::uint8_t mode_byte_ = 0;
  std::uint8_t owner_byte_ = 0;
  bool initialising_ = false;
  bool building_sort_list_ = false;
  bool close_question_ = false;
  bool resized_ = false;
  bool destroying_ = false;
  TBrowserView view_ = TBrowserView::kDetails;
  double font_factor_ = 1.0;
  int x_height_ = 0;
  int x_width_ = 0;
  std::uint8_t layout_key_ = 0;
  std::uint8_t layout_view_ = 0;
  std::int32_t layout_first_width_ = 0;
  std::vector<std::array<std::int32_t, kWidthColumns>> width_table_;
  int remembered_sort_index_ = -1;
  bool search_guard_ = false;
  std::uint8_t new_layout_flag_ = 0;
  int bottom_bar_height_ = 0;
  int tool_bar_offset_ = 0;
  std::uint8_t selection_mode_ = 0;
  TBrowColumnBytes cols1_{};
  TBrowColumnBytes cols2_{};
  platform::qt::TRect painting_cell_{};

  platform::qt::TImageList* images1_ = nullptr;
  platform::qt::TImageList* images2_ = nullptr;
  platform::qt::TPanel* spacer_ = nullptr;
  platform::qt::TPanel* top_panel_ = nullptr;
  TkvMousePanel* close_strip_ = nullptr;
  platform::qt::TSpeedButton* close_button1_ = nullptr;
  TkvMousePanel* bottom_bar_ = nullptr;
  platform::qt::TLabel* sort_label_ = nullptr;
  platform::qt::TComboBox* sort_combo_ = nullptr;
  platform::qt::TComboBox* view_combo_ = nullptr;
  platform::qt::TImage* search_image_ = nullptr;
  platform::qt::TImage* second_image_ = nullptr;
  TkvEdit* search_field_ = nullptr;
  platform::qt::TToolBar* tool_bar_ = nullptr;
  platform::qt::TSpeedButton* edit_button_ = nullptr;
  platform::qt::TSpeedButton* close_button2_ = nullptr;
  platform::qt::TPanel* grid_panel_ = nullptr;
  platform::qt::TScrollBar* vert_bar_ = nullptr;
  platform::qt::TScrollBar* horz_bar_ = nullptr;
  platform::qt::TPopupMenu* sort_menu_ = nullptr;
  platform::qt::TPopupMenu* view_menu_ = nullptr;
  TkvBitBtn* sort_button_ = nullptr;
  TkvBitBtn* view_button_ = nullptr;
};

}  // namespace ui
