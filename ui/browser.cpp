// The browser control: construction and destruction, the virtual operations with their
// defaults, the binding (Init), positioning and queries, the grid's look and the layout protocol
// lines.
#include "ui/browser.h"

#include <cmath>
#include <string>

#include "common/messages.h"
#include "common/number_mask.h"
#include "common/protocol.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "platform/qt/colors.h"
#include "platform/qt/combo_box.h"
#include "ui/bit_btn.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/browser_select.h"
#include "ui/kv_edit.h"
#include "ui/kv_form.h"
#include "ui/layout.h"
#include "ui/mouse_grid.h"
#include "ui/rounding.h"

namespace ui {
namespace {

constexpr int kLayoutBodyLimit = 255;
constexpr int kLoggedKeys = 50;

}  // namespace

TkvBrow::TkvBrow(TComponent* owner) : TkvMousePanel(owner) {
  width_table_.assign(kWidthKeys, {});
  select_ = std::make_unique<TkvBrowSelect>(*this);
  ctrl_ = std::make_unique<TkvBrowStringGridCtrl>(*this);
  if (auto* parent = dynamic_cast<platform::qt::TWinControl*>(owner)) SetParent(parent);
  SetBevelOuter(platform::qt::TBevelCut::bvNone);
  SetBevelInner(platform::qt::TBevelCut::bvNone);
  MakeChildControls();
  WireGridEvents();
  TakeXMetrics();
}

TkvBrow::~TkvBrow() {
  BeginDestroy();
  destroying_ = true;
  if (!NoLayoutLine) LogLayout();
  DoEntf_brDats();
  // The children's handlers reach this object: they go while it is still whole.
  while (!Components().empty()) delete Components().back();
  page_.reset();
}

// --- virtual operations ---

void TkvBrow::GotoFirst() {
  if (!Passive()) ctrl_->GotoFirst();
}

void TkvBrow::GotoLast() {
  if (!Passive()) ctrl_->GotoLast();
}

void TkvBrow::PageDown() {
  if (!Passive()) ctrl_->PageDown();
}

void TkvBrow::PageUp() {
  if (!Passive()) ctrl_->PageUp();
}

bool TkvBrow::DoKeyCommand(std::uint16_t key, TShiftState shift) {
  if (Passive() || page_ == nullptr) return false;
  return ctrl_->HandleKey(shift, key, false);
}

void TkvBrow::DoResize() {
  ctrl_->Resize();
  resized_ = true;
}

bool TkvBrow::IsReady() const { return page_ != nullptr && resized_ && TKBrowser::IsReady(); }

void TkvBrow::ConfirmClose(TComponent* /*sender*/, bool& can_close) {
  can_close = true;
  if (close_question_) {
    can_close = common::Service<common::ToMessages>::Get().JaNeinFrage(
        "", "", "Modul \"" + Caption() + "\" beenden", true);
  }
  close_question_ = false;
}

bool TkvBrow::DoProcessPostCommand() {
  return page_ != nullptr && OnProcessPostCommand && OnProcessPostCommand();
}

bool TkvBrow::DoInit_brDats() { return OnInit_brDats ? OnInit_brDats() : true; }

void TkvBrow::DoEntf_brDats() {
  if (OnEntf_brDats) OnEntf_brDats();
}

bool TkvBrow::DoInit_F_Tasten() {
  if (!OnInit_F_Tasten) return false;
  OnInit_F_Tasten();
  return true;
}

void TkvBrow::DoSetHeaderFooter() {
  TakeXMetrics();
  if (OnSetHeaderFooter) OnSetHeaderFooter();
}

void TkvBrow::DoWeitere_Befehle() {
  if (OnWeitere_Befehle) OnWeitere_Befehle();
}

bool TkvBrow::DoBefore_Loesch() { return OnBefore_Loesch ? OnBefore_Loesch() : true; }

void TkvBrow::DoLoesch_Feld(std::string& word) {
  word = "Datensatz";
  if (OnLoesch_Feld) word = OnLoesch_Feld();
}

bool TkvBrow::DoDatensatz_Loeschen() {
  if (OnDatensatz_Loeschen) return OnDatensatz_Loeschen();
  return page_ != nullptr && page_->Treiber().IsOpen(false) && page_->Treiber().Delete(true);
}

bool TkvBrow::DoSuch_Eingabe() { return OnSuch_Eingabe ? OnSuch_Eingabe() : false; }

int TkvBrow::DoSortList2Key(int entry, TKeyStr& lkey, TKeyStr& hkey) {
  lkey = TKeyStr{};
  hkey = TKeyStr{};
  return OnSortList2Key ? OnSortList2Key(entry, lkey, hkey) : 0;
}

void TkvBrow::DoAddSelectRow(int mode) {
  if (!ctrl_->IsEditMode() && OnAddSelectRow) OnAddSelectRow(mode);
}

bool TkvBrow::DoFindeSelectRow(std::int32_t ref) {
  if (OnFindeSelectRow) return OnFindeSelectRow(ref) == 0;
  return select_->IsSelected(ref);
}

void TkvBrow::DoSuchFeld2KeyStr(TKeyStr& key) {
  key = common::ShortToLenArray(common::UpperCase(search_field_->GetStr()));
  if (OnSuchFeld2KeyStr) key = OnSuchFeld2KeyStr();
}

bool TkvBrow::DoGetSelectRow() {
  return OnGetSelectRow ? OnGetSelectRow() : select_->IsCurrentSelected();
}

// --- binding ---

bool TkvBrow::Init(int list_nr, storage::TdbBase* db, int key_nr, int /*reserved1*/,
                   std::uint8_t /*page_flag*/, const TKeyStr& lkey, const TKeyStr& hkey,
                   TkvForm* scale_owner, std::uint8_t owner_byte, int /*reserved2*/) {
  const TKeyStr low = lkey;
  const TKeyStr high = hkey;
  owner_byte_ = owner_byte;
  initialising_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{initialising_};
  list_nr_ = list_nr;
  scale_owner_ = scale_owner;
  if (db != nullptr) {
    mode_byte_ = db->IsFlagSet();
    db_ = db;
  } else if (db_ != nullptr) {
    mode_byte_ = db_->IsFlagSet();
  }
  ApplyLayout();
  if (!Passive()) ctrl_->Grid().Show();
  int step = 0;
  try {
    InitSteps(low, high, key_nr, step);
  } catch (...) {
    throw EConstructorInvalid("Fehler beim Erstellen der Liste! (FNr " + std::to_string(step) +
                              ")");
  }
  SetBrowFont("", 0, 0);
  return true;
}

void TkvBrow::InitSteps(const TKeyStr& lkey, const TKeyStr& hkey, int key_nr, int& step) {
  step = 1;
  if (!DoInit_brDats()) {
    DoEntf_brDats();
    throw EConstructorInvalid("Fehler beim Öffnen der Datenbanken!");
  }
  step = 2;
  storage::TdbTreiber* treiber = db_ != nullptr ? db_->GetTreiber() : nullptr;
  if (treiber == nullptr) {
    DoEntf_brDats();
    throw EConstructorInvalid("ungültiger Treiber");
  }
  step = 4;
  page_.reset();
  try {
    page_ = std::make_unique<TKBrowser>(*treiber, key_nr, lkey, hkey, kPageCapacity);
  } catch (...) {
    DoEntf_brDats();
    throw;
  }
  step = 6;
  if (!resized_) DoResize();
  step = 7;
  close_question_ = false;
  DoResize();
  step = 8;
  TkvMouseGrid& grid = ctrl_->Grid();
  grid.SetRowCount(ctrl_->VisibleRecords() + 1 + grid.FixedRows());
  step = 9;
  DoResize();
  step = 10;
  Invalidate();
  step = 11;
  DoSetHeaderFooter();
  step = 12;
  building_sort_list_ = true;
  try {
    DoInitSortList();
  } catch (...) {
    building_sort_list_ = false;
    throw;
  }
  building_sort_list_ = false;
  step = 13;
  DoInitAnsicht();
  if (view_button_ != nullptr) view_button_->SetEnabled(AnsichtCount() >= 2);
  if (AnsichtCount() == 1) SetAnsichtItemIndex(0);
  step = 14;
  ClearSearchText();
  step = 15;
  SetSortlistItemIndex(-1);
  step = 16;
  sort_combo_->SetText(kSortText);
  step = 17;
  grid.SetColor(kGridColour);
  grid.Font().SetColor(platform::qt::clBlack);
  grid.Canvas().Font.SetColor(platform::qt::clBlack);
  grid.OnDragOver = [this](TComponent*, TComponent* source, int x, int y,
                           platform::qt::TDragState, bool& accept) {
    accept = source == &ctrl_->Grid();
    if (!accept || !select_->HasFrame()) return;
    select_->MoveFrame(x, y);
    select_->EndFrame();
  };
  grid.OnEndDrag = [this](TComponent*, TComponent*, int, int) { select_->RemoveFrame(); };
}

void TkvBrow::SetHeaderFooter(const std::string& header, const std::string& header2,
                              const TBrowColumnBytes& cols1, const TBrowColumnBytes& cols2,
                              const std::string& extra) {
  if (building_sort_list_) return;
  cols1_ = cols1;
  cols2_ = cols2;
  ctrl_->SetColumns(header, header2, true, cols1, cols2, extra);
  if (page_ == nullptr || !page_->Treiber().IsOpen(false)) return;
  DoResize();
  if (!Passive() && mode_byte_ != 2) ctrl_->Redisplay(true);
  ctrl_->UpdateScrollBars();
}

// --- state ---

bool TkvBrow::Passive() const {
  return mode_byte_ != 0 && view_ == TBrowserView::kDetails && !ctrl_->IsEditMode();
}

// A form being torn down (the browser goes with it) no longer scales anything.
TkvForm* TkvBrow::GetScaleForm() const {
  TkvForm* form = scale_owner_ != nullptr ? scale_owner_ : dynamic_cast<TkvForm*>(Owner());
  if (form == nullptr || static_cast<const TComponent*>(form)->IsDestroying()) return nullptr;
  return form;
}

int TkvBrow::Scaled(int value, bool font) const {
  TkvForm* form = GetScaleForm();
  return form != nullptr ? ScalePixels(*form, value, font) : value;
}

// --- positioning and queries ---

bool TkvBrow::GotoDatensatz(std::int32_t ref, std::uint8_t keep_row, std::uint8_t /*flag2*/) {
  if (page_ == nullptr || !page_->Treiber().IsOpen(false)) return false;
  storage::TdbTreiber& t = page_->Treiber();
  std::string key;
  std::int32_t at = 0;
  if (ref > 0) {
    if (!t.GotoRef(ref)) return false;
    key = t.BuildKey(GetKeyNr());
    at = ref;
  } else if (ref == 0) {
    key = t.BuildKey(GetKeyNr());
    at = t.CurrentRef();
  }
  ctrl_->GotoKeyRow(key.substr(0, kBrowserKeyChars), at, keep_row != 0);
  return true;
}

// The page is read again around the current record, so that changed records show.
void TkvBrow::Refresh() {
  if (!Passive() && page_ != nullptr) ctrl_->RefreshPage();
}

int TkvBrow::GetKeyNr() const { return page_ != nullptr ? page_->KeyNumber() : 0; }

void TkvBrow::SetKeyNr(int key_nr) {
  if (IsReady()) page_->SetKeyNumber(key_nr);
}

void TkvBrow::SetKeyRange(const TKeyStr& lkey, const TKeyStr& hkey) {
  if (IsReady()) page_->SetKeyRange(lkey, hkey);
}

std::int32_t TkvBrow::GetDatensatzRef() {
  return IsReady() && !Passive() ? page_->CurrentRef() : 0;
}

bool TkvBrow::ReadDatensatz(std::int32_t& ref) {
  if (!IsRowValid()) return false;
  ref = Passive() ? page_->Treiber().CurrentRef() : page_->CurrentRef();
  return true;
}

bool TkvBrow::HasRecords() const {
  return page_ != nullptr && page_->Treiber().IsOpen(false) && page_->Treiber().UsedRecs() > 0;
}

// A passive browser shows no rows of its own: there the driver's current record counts.
bool TkvBrow::IsRowValid() {
  if (page_ == nullptr || !page_->Treiber().IsOpen(false)) return false;
  if (!HasRecords() && mode_byte_ != 2) return false;
  return Passive() || ctrl_->CheckCurrentRow() == 0;
}

bool TkvBrow::MayStartRowOperation(RowOperation operation) {
  if (OnRowOperation && !OnRowOperation(operation)) return false;
  return IsRowValid();
}

void TkvBrow::SetRebuildFlag() {
  if (page_ != nullptr) page_->SetRebuildFlag(true);
}

TKeyStr TkvBrow::GetCurrentKey() const {
  return IsReady() ? common::ShortToLenArray(page_->CurrentKey()) : TKeyStr{};
}

// --- the grid and its look ---

TkvMouseGrid& TkvBrow::GetGrid() const { return ctrl_->Grid(); }
int TkvBrow::GetGridColCount() const { return ctrl_->Grid().ColCount(); }
int TkvBrow::GetGridFixedCols() const { return ctrl_->Grid().FixedCols(); }
void TkvBrow::SetGridOption(bool default_drawing) { ctrl_->Grid().SetDefaultDrawing(default_drawing); }
void TkvBrow::SetGridPopupMenu(platform::qt::TPopupMenu* menu) { ctrl_->Grid().SetPopupMenu(menu); }

void TkvBrow::SetGridBorderStyle(platform::qt::TBorderStyle style) {
  ctrl_->Grid().SetBorderStyle(style);
}

void TkvBrow::SetColWidth(int col, int width) {
  if (col >= 0 && col < GetGridColCount()) ctrl_->Grid().SetColWidths(col, width);
}

double TkvBrow::FontFactor() const {
  return font_factor_ == 0 || std::isnan(font_factor_) ? 1.0 : font_factor_;
}

int TkvBrow::GetColWidth(int col, bool convert) const {
  const int width = ctrl_->Grid().ColWidths(col);
  if (!convert) return width;
  TkvForm* form = GetScaleForm();
  const int unscaled = form != nullptr ? UnscalePixels(*form, width, false) : width;
  return RoundEven(unscaled / FontFactor());
}

void TkvBrow::SetRowHeight(int pixels) { ctrl_->Grid().SetDefaultRowHeight(Scaled(pixels)); }

void TkvBrow::AdjustRowHeight(int pixels) {
  TkvMouseGrid& grid = ctrl_->Grid();
  if (pixels == 0) {
    TkvForm* form = GetScaleForm();
    pixels = form != nullptr ? UnscalePixels(*form, grid.DefaultRowHeight(), false)
                             : grid.DefaultRowHeight();
  }
  grid.SetDefaultRowHeight(Scaled(pixels));
}

void TkvBrow::SetGridFont(const std::string& name, int size, platform::qt::TFontStyles style,
                          double factor) {
  TkvMouseGrid& grid = ctrl_->Grid();
  const int points = Scaled(RoundEven(size * factor), true);
  grid.SetParentFont(false);
  for (platform::qt::TFont* font : {&grid.Font(), &grid.Canvas().Font}) {
    if (font->Name() != name) font->SetName(name);
    font->SetSize(points);
    font->SetStyle(style);
  }
}

// The row height follows the font just set, at the font factor, and is scaled for the form
// as any row height given in design pixels (AdjustRowHeight).
void TkvBrow::SetBrowFont(const std::string& name, int size, platform::qt::TFontStyles style) {
  if (font_factor_ == 0) font_factor_ = 1.0;
  const logbook::ToSetupLayout layout = ToLayout::Settings();
  TkvMouseGrid& grid = ctrl_->Grid();
  if (size == 0) size = layout.font_size > 0 ? layout.font_size : kDesignFontSize;
  if (size == -1) size = grid.Font().Size();
  std::string font_name = name;
  if (font_name.empty()) font_name = layout.font_name.str().empty() ? "Arial" : layout.font_name.str();
  if (font_name == "-") font_name = grid.Font().Name();
  if (font_name == "Courier") font_name = "Courier New";
  SetGridFont(font_name, size, style, FontFactor());
  AdjustRowHeight(RoundEven(grid.Canvas().TextHeight("X") * FontFactor() * kGridRowHeightFactor));
  if (IsReady() && !Passive()) {
    DoResize();
    ctrl_->Redisplay(false);
  }
}

void TkvBrow::TakeXMetrics() {
  platform::qt::TCanvas& c = Canvas();
  c.Font.SetName(Font().Name());
  c.Font.SetSize(Font().Size());
  c.Font.SetStyle(Font().Style());
  x_height_ = c.TextHeight("X");
  x_width_ = c.TextWidth("X");
}

int TkvBrow::StoredWidth(int key_nr, int col) const {
  if (key_nr < 0 || key_nr >= kWidthKeys || col < 0 || col >= kWidthColumns) return 0;
  return width_table_[static_cast<std::size_t>(key_nr)][static_cast<std::size_t>(col)];
}

// --- protocol lines ---

std::string TkvBrow::LayoutBody() {
  std::string body = std::to_string(layout_key_) + "-" + std::to_string(layout_view_) + "-" +
                     std::to_string(layout_first_width_) + "-";
  for (int key = 1; key <= kLoggedKeys; ++key) {
    int last = -1;
    for (int c = 0; c < kWidthColumns; ++c) {
      if (StoredWidth(key, c) != 0) last = c;
    }
    for (int c = 0; c <= last; ++c) body += std::to_string(StoredWidth(key, c)) + "-";
    body += ":-";
  }
  return body.substr(0, kLayoutBodyLimit);
}

void TkvBrow::LogLayout() {
  if (list_nr_ == 0) return;
  const int key = GetKeyNr();
  const TkvMouseGrid& grid = ctrl_->Grid();
  layout_key_ = static_cast<std::uint8_t>(key);
  layout_view_ = view_ == TBrowserView::kListe ? 1 : view_ == TBrowserView::kDetails ? 0 : 2;
  if (view_ == TBrowserView::kListe && grid.ColCount() > grid.FixedCols()) {
    layout_first_width_ = GetColWidth(grid.FixedCols(), true);
  }
  if (view_ == TBrowserView::kDetails && key >= 0 && key < kWidthKeys) {
    auto& row = width_table_[static_cast<std::size_t>(key)];
    for (int c = 0; c < grid.ColCount() && c < kLoggedKeys; ++c) {
      row[static_cast<std::size_t>(c)] = RoundEven(grid.ColWidths(c) / FontFactor());
    }
  }
  common::Protocol::AppendLine("InReg Liste" + std::to_string(list_nr_) + ":FS(" +
                               common::FloatToStrMask(FontFactor(), 0, 2) + ")" + LayoutBody());
}

void TkvBrow::ApplyLayout() {
  layout_key_ = layout_view_ = 0;
  layout_first_width_ = 0;
  width_table_.assign(kWidthKeys, {});
  if (list_nr_ == 0) return;
  common::Protocol::AppendLine("AusReg Liste" + std::to_string(list_nr_) + ":");
  if (view_ != TBrowserView::kDetails) SetView(0);
}

// --- keys, selection, painting ---

void TkvBrow::KeyDown(std::uint16_t& key, TShiftState shift) {
  TkvMousePanel::KeyDown(key, shift);
  if (key != 0 && DoKeyCommand(key, shift)) key = 0;
}

bool TkvBrow::SelectCount() { return select_->Count(); }
bool TkvBrow::SelectFirst() { return select_->First(); }
bool TkvBrow::SelectNext() { return select_->Next(); }
bool TkvBrow::ReadSelected() { return select_->ReadDatensatz(); }
void TkvBrow::ClearSelection() { select_->Clear(); }

void TkvBrow::SelectDrawFrame(platform::qt::TCanvas& canvas, const platform::qt::TRect& cell) {
  select_->DrawFrame(canvas, cell,
                     {cell.Left - painting_cell_.Left, cell.Top - painting_cell_.Top});
}

void TkvBrow::Paint() {
  if (!Passive()) TkvMousePanel::Paint();
}

void TkvBrow::Resize() {
  TkvMousePanel::Resize();
  if (destroying_) return;
  ArrangeControls();
  if (page_ != nullptr && resized_ && !Passive()) ctrl_->Redisplay(false);
}

}  // namespace ui
