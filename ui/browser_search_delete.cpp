// The browser's quick search, the delete flow, direct editing and the keys its search field and
// sort selector hand on.
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "platform/qt/keys.h"
#include "platform/qt/speed_button.h"
#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/kv_edit.h"
#include "ui/mouse_grid.h"

namespace ui {
namespace {

constexpr const char* kDirectEditText =
    "Bei Eingabe direkt in die Tabellenfelder führt das Programm keine Überprüfungen auf "
    "Fehleingaben durch.";
constexpr int kEditableColumns = 51;

// The program-wide switch of the first direct editing's notice.
bool& DirectEditNoticePending() {
  static bool pending = true;
  return pending;
}

}  // namespace

void TkvBrow::ResetDirectEditNotice() { DirectEditNoticePending() = true; }

// --- quick search ---

void TkvBrow::ClearSearchText() {
  search_guard_ = true;
  search_field_->SetText("");
  search_guard_ = false;
}

void TkvBrow::SearchChanged() {
  if (page_ == nullptr || search_guard_) return;
  TKeyStr key;
  DoSuchFeld2KeyStr(key);
  const std::string text = common::LenArrayToShort(key);
  if (!text.empty()) QuickSearch(text);
}

bool TkvBrow::KeyPrefixEquals(const std::string& key, const std::string& text) const {
  if (mode_byte_ != 0) return common::UpperCase(key) == common::UpperCase(text);
  return key == text;
}

// The first record whose key starts with the text; when none does, the last one before where
// it would stand (the first record when the text sorts before every key).
void TkvBrow::QuickSearch(const std::string& text) {
  if (page_ == nullptr || !page_->Treiber().IsOpen(false)) return;
  storage::TdbTreiber& t = page_->Treiber();
  const int key_nr = page_->KeyNumber();
  bool found = t.Search(key_nr, text);
  if (found && !KeyPrefixEquals(t.BuildKey(key_nr).substr(0, text.size()), text)) {
    if (!t.Prev(key_nr)) found = t.Search(key_nr, text);
  }
  if (!found) return;
  const std::string key = t.BuildKey(key_nr).substr(0, kBrowserKeyChars);
  if (mode_byte_ == 0) {
    ctrl_->GotoKeyRow(key, 0, true);
  } else {
    ctrl_->GotoKeyRow(key, t.CurrentRef(), false);
  }
}

// --- delete ---

void TkvBrow::DeleteCurrent() {
  if (!MayStartRowOperation(RowOperation::kDelete) || !DoBefore_Loesch()) return;
  if (OnDatensatz_Loeschen) {
    OnDatensatz_Loeschen();
    return;
  }
  std::string word;
  DoLoesch_Feld(word);
  if (common::Service<common::ToMessages>::Get().JaNeinFrage(
          "", "Sicherheitsabfrage", "Löschen \"" + word + "\"", true)) {
    DeleteConfirmed();
  }
}

// The deleted record's successor (the driver's current record) stays on the cursor's row.
void TkvBrow::DeleteConfirmed() {
  if (!DoDatensatz_Loeschen()) return;
  storage::TdbTreiber& t = page_->Treiber();
  const std::string key = t.BuildKey(GetKeyNr()).substr(0, kBrowserKeyChars);
  ctrl_->GotoKeyRow(key, t.CurrentRef(), true);
  ctrl_->Redisplay(true);
  Invalidate();
}

// --- direct editing ---

// The direct-edit button is a toggle: pressed it switches the grid to edit mode, released back.
void TkvBrow::EditBtnClick() {
  if (ctrl_->IsEditMode()) {
    if (!edit_button_->Down()) UpdateEditButton(false);
    return;
  }
  if (DirectEditNoticePending()) {
    DirectEditNoticePending() = false;
    common::Service<common::ToMessages>::Get().HinweisMitCheck("", "Direkteingabe",
                                                              kDirectEditText, true);
  }
  ctrl_->SetEditMode(true);
  edit_button_->SetDown(true);
  int column = 0;
  if (OnBrowTextSelectCell) {
    TkvMouseGrid& grid = ctrl_->Grid();
    for (int c = 0; c < kEditableColumns && c < grid.ColCount(); ++c) {
      if (OnBrowTextSelectCell(&grid, c, 0, common::Trim(grid.Cells(c, 0)))) {
        column = c;
        break;
      }
    }
  }
  ctrl_->Grid().SetCol(column);
  ctrl_->Redisplay(true);
}

void TkvBrow::UpdateEditButton(bool down) {
  edit_button_->SetDown(down);
  if (down || !ctrl_->IsEditMode()) return;
  ctrl_->SetEditMode(false);
  ctrl_->Redisplay(true);
}

// --- keys of the child controls ---

// The field keeps what it types; every other key is the browser's.
void TkvBrow::SearchKeyDown(std::uint16_t& key, TShiftState shift) {
  using namespace platform::qt;
  const bool plain = (shift & (ssShift | ssCtrl | ssAlt)) == 0;
  const bool typed = key == VK_DELETE || (key >= '0' && key <= '9') ||
                     (key >= 'A' && key <= 'Z') || (key >= 97 && key <= 122);
  if (plain && typed) return;
  KeyDown(key, shift);
}

void TkvBrow::SortComboKeyDown(std::uint16_t& key, TShiftState shift) { KeyDown(key, shift); }

}  // namespace ui
