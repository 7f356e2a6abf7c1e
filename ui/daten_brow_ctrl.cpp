#include "ui/daten_brow_ctrl.h"

#include <string>

#include "common/string_helpers.h"
#include "ui/browser.h"
#include "ui/browser_grid_ctrl.h"
#include "ui/kv_edit.h"

namespace ui {

TDatenBrowCtrl::TDatenBrowCtrl(TkvBrow* browser, int /*reserved*/, storage::TdbBase* db,
                               TkvForm* scale_owner, std::uint8_t owner_byte)
    : db_(db), browser_(browser), scale_owner_(scale_owner), owner_byte_(owner_byte) {
  if (browser_ != nullptr) browser_->SetGridOption(false);
}

// --- content operations: the base shows nothing ---

void TDatenBrowCtrl::BuildRow(RowRec& /*row*/) {}
void TDatenBrowCtrl::SetHeaderFooter() {}
void TDatenBrowCtrl::InitSortList() {}

int TDatenBrowCtrl::SortList2Key(int /*entry*/, common::TKeyStr& /*lkey*/,
                                 common::TKeyStr& /*hkey*/) {
  return 1;
}

void TDatenBrowCtrl::Slot4() {}

void TDatenBrowCtrl::GetSuchKey(common::TKeyStr& key) {
  if (browser_ == nullptr || browser_->SearchField() == nullptr) return;
  key = common::ShortToLenArray(common::UpperCase(browser_->SearchField()->GetStr()));
}

void TDatenBrowCtrl::Slot6(int /*first*/, int /*second*/) {}
int TDatenBrowCtrl::Slot7(int /*first*/, int /*second*/) { return 0; }

// --- reading and positioning ---

bool TDatenBrowCtrl::ReadDatensatz(std::int32_t& ref) {
  return browser_ != nullptr && browser_->ReadDatensatz(ref);
}

bool TDatenBrowCtrl::CollectSelected(platform::qt::TStrings& list) {
  if (browser_ == nullptr || !browser_->IsRowValid()) return false;
  if (browser_->SelectCount()) {
    storage::TdbBase* db = db_ != nullptr ? db_ : browser_->Db();
    for (bool more = browser_->SelectFirst(); more; more = browser_->SelectNext()) {
      if (browser_->ReadSelected() && db != nullptr) list.Add(std::to_string(db->CurrentRef()));
    }
    browser_->ClearSelection();
  } else {
    list.Add(std::to_string(browser_->GetDatensatzRef()));
  }
  return list.Count() > 0;
}

// The record that was current is taken before the move, so that the page comes back to it.
void TDatenBrowCtrl::RefreshAndGoto(bool ask) {
  if (!ask || browser_ == nullptr) return;
  const std::int32_t ref = browser_->GetDatensatzRef();
  if (!browser_->Controller().IsEditMode() && !browser_->Passive() && browser_->IsReady()) {
    browser_->Controller().LineDown();
  }
  // The record it started from is gone when it was just deleted: then the page is read again
  // around the record the step reached, so that the deleted rows leave the grid.
  if (!browser_->GotoDatensatz(ref, 3, 1)) browser_->Refresh();
}

bool TDatenBrowCtrl::ReadDatensatz2(std::int32_t& ref) {
  return browser_ != nullptr && browser_->ReadDatensatz(ref);
}

void TDatenBrowCtrl::GotoDatensatz(bool ask, std::int32_t ref) {
  if (ask && browser_ != nullptr) browser_->GotoDatensatz(ref, 0, 1);
}

bool TDatenBrowCtrl::Slot14() { return true; }

void TDatenBrowCtrl::GotoCurrent(bool ask) {
  if (ask && browser_ != nullptr) browser_->GotoDatensatz(0, 0, 1);
}

bool TDatenBrowCtrl::Slot16() { return true; }

void TDatenBrowCtrl::GotoDatensatz2(bool ask, std::int32_t ref) { GotoDatensatz(ask, ref); }

void TDatenBrowCtrl::LogLayout() {
  if (browser_ != nullptr) browser_->LogLayout();
}

void TDatenBrowCtrl::RebuildSortlist() {
  if (browser_ == nullptr) return;
  const int chosen = browser_->SortlistItemIndex();
  browser_->DoInitSortList();
  browser_->SetSortlistItemIndex(chosen);
  browser_->DoSetHeaderFooter();
}

void BindBrowserEvents(TkvBrow& browser, std::function<TDatenBrowCtrl*()> controller) {
  browser.OnBuildRow = [ctrl = controller](RowRec& row) {
    if (TDatenBrowCtrl* c = ctrl()) c->BuildRow(row);
  };
  browser.OnSetHeaderFooter = [ctrl = controller] {
    if (TDatenBrowCtrl* c = ctrl()) c->SetHeaderFooter();
  };
  browser.OnInitSortList = [ctrl = controller] {
    if (TDatenBrowCtrl* c = ctrl()) c->InitSortList();
  };
  browser.OnSortList2Key = [ctrl = controller](int entry, common::TKeyStr& lkey,
                                               common::TKeyStr& hkey) {
    TDatenBrowCtrl* c = ctrl();
    return c != nullptr ? c->SortList2Key(entry, lkey, hkey) : 1;
  };
  browser.OnSuchFeld2KeyStr = [ctrl = controller] {
    common::TKeyStr key{};
    if (TDatenBrowCtrl* c = ctrl()) c->GetSuchKey(key);
    return key;
  };
}

}  // namespace ui
