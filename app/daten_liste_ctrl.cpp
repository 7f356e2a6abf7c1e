#include "app/daten_liste_ctrl.h"

#include "app/daten_liste_form.h"
#include "common/string_helpers.h"
#include "ui/web.h"

namespace app {

// --- TDatenFkt ---

bool TDatenFkt::EditDialog(std::int32_t /*ref*/, platform::qt::TComponent* /*owner*/) {
  return false;
}

bool TDatenFkt::NewDialog(std::int32_t& /*ref*/, platform::qt::TComponent* /*owner*/) {
  return false;
}

bool TDatenFkt::DeleteSelection(const platform::qt::TStrings& /*refs*/) { return false; }

int TDatenFkt::OpenFiles() { return 0; }

void TDatenFkt::CloseFiles() {}

bool TDatenFkt::EditRecord(platform::qt::TComponent* owner, ui::TDatenBrowCtrl* brow) {
  std::int32_t ref = 0;
  if (brow != nullptr && !brow->ReadDatensatz2(ref)) return false;
  const bool changed = EditDialog(ref, owner);
  if (brow != nullptr) brow->GotoDatensatz(changed, ref);
  return changed;
}

bool TDatenFkt::NewRecord(platform::qt::TComponent* owner, ui::TDatenBrowCtrl* brow) {
  if (brow != nullptr && !brow->Slot14()) return false;
  std::int32_t ref = 0;
  const bool made = NewDialog(ref, owner);
  if (brow != nullptr) brow->GotoCurrent(made);
  return made;
}

bool TDatenFkt::DeleteRecord(ui::TDatenBrowCtrl* brow) {
  platform::qt::TStringList refs;
  const bool deleted = brow != nullptr && brow->CollectSelected(refs) && DeleteSelection(refs);
  if (brow != nullptr) brow->RefreshAndGoto(deleted);
  return deleted;
}

void TDatenFkt::Search(ui::TDatenBrowCtrl* /*brow*/) {}

// --- TDatenListeCtrl ---

TDatenListeCtrl::TDatenListeCtrl(std::unique_ptr<storage::TdbBase> table, TDatenFkt& fkt,
                                 platform::qt::TComponent* owner, bool select_mode)
    : table_(std::move(table)), select_mode_(select_mode), owner_(owner), fkt_(fkt) {
  fkt_.OpenFiles();
}

TDatenListeCtrl::~TDatenListeCtrl() {
  brow_ctrl_.reset();
  table_.reset();
  fkt_.CloseFiles();
}

void TDatenListeCtrl::CreateBrowCtrl() {}

void TDatenListeCtrl::SetupForm() {
  TDatenListeForm& w = *window_;
  w.SetHelpContext(HelpContext);
  w.btnSucheho4->SetVisible(ShowSearch);
  w.btnEndeho4->SetVisible(select_mode_);
  w.menueitemUebernahme->SetVisible(select_mode_);
  w.MenuItemNeu->SetVisible(ShowNew);
  w.MenuItemAendern->SetVisible(ShowEdit);
  w.MenuItemLoeschen->SetVisible(ShowDelete);
  w.MenuItemSuche->SetVisible(ShowSearch);
  w.MenuItemDruck->SetVisible(ShowPrint);
  w.menuitemZusatzfunktion1->SetVisible(ShowExtra1);
  w.menuitemZusatzfunktion2->SetVisible(ShowExtra2);
  w.menuitemZusatzfunktion1->SetCaption(Extra1Caption);
  w.menuitemZusatzfunktion2->SetCaption(Extra2Caption);
}

void TDatenListeCtrl::AfterExecute(bool /*ok*/) {}

bool TDatenListeCtrl::NewRecord() { return fkt_.NewRecord(owner_, brow_ctrl_.get()); }

bool TDatenListeCtrl::EditRecord() { return fkt_.EditRecord(owner_, brow_ctrl_.get()); }

void TDatenListeCtrl::Search() { fkt_.Search(brow_ctrl_.get()); }

bool TDatenListeCtrl::DeleteRecord() { return fkt_.DeleteRecord(brow_ctrl_.get()); }

void TDatenListeCtrl::Print() {
  if (brow_ctrl_) brow_ctrl_->Slot4();
}

bool TDatenListeCtrl::TakeRecord() {
  return brow_ctrl_ != nullptr && brow_ctrl_->ReadDatensatz(ChosenRecord);
}

int TDatenListeCtrl::Zusatzfunktion1() { return 0; }

int TDatenListeCtrl::Zusatzfunktion2() { return 0; }

bool TDatenListeCtrl::Execute() {
  TDatenListeForm window(owner_, *this, select_mode_, Caption);
  window_ = &window;
  // The browse controller and the window go together, whichever way Execute is left.
  struct Release {
    TDatenListeCtrl& ctrl;
    ~Release() {
      ctrl.brow_ctrl_.reset();
      ctrl.window_ = nullptr;
      ctrl.Progress = nullptr;
    }
  } release{*this};

  const std::string hint = common::LeftStr(Hint, kHintCapacity);
  if (!hint.empty()) window.ShowHint(hint, !HintLink.empty());
  CreateBrowCtrl();
  if (brow_ctrl_) {
    brow_ctrl_->RebuildSortlist();
    // The browse controller bound the grid before the window could reach it, so the first page
    // was read without rows; now it is read again through the controller (which also redraws
    // the grid for a screen above 96 dpi).
    window.Brow->Refresh();
  }
  SetupForm();
  const bool ok = window.RunModal() == platform::qt::mrOk;
  AfterExecute(ok);
  return ok;
}

void TDatenListeCtrl::OpenHinweisLink() const {
  const std::string link = common::LeftStr(HintLink, kHintCapacity);
  if (!link.empty()) ui::TWebSS::OpenLink(link);
}

}  // namespace app
