// The correction list, its band dialog and its search dialog (contestlog/correction_list.h).
#include "contestlog/correction_list.h"

#include <string>

#include "common/key_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/contest_keys.h"
#include "contestlog/column_places.h"
#include "contestlog/log_grids.h"
#include "logbook/reference/bands.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "ui/mouse_grid.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

constexpr int kKeyCallDateTime = 2;
constexpr int kKeyCall = 6;
constexpr int kKeyBandNumber = 8;
constexpr int kKeyWagNummer = 13;
constexpr std::int32_t kFirstNumber = 1;
constexpr std::int32_t kLastNumber = 999999999;

TKorrekturstd* shown_list = nullptr;

bool IsEscape(std::uint16_t key, platform::qt::TShiftState shift) {
  return key == platform::qt::VK_ESCAPE && shift == 0;
}

const logbook::ToBaender& Bands() { return common::Service<logbook::ToBaender>::Get(); }

}  // namespace

TKorrekturstd* Korrekturstd() { return shown_list; }

// --- the correction list ---

TKorrekturstd::TKorrekturstd(platform::qt::TComponent* owner, TContestLogStd& window, char band,
                             CorrectionMode mode)
    : ui::TkvForm(owner), Brow(nullptr), window_(window), band_(band), mode_(mode) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("Korrekturstd");
    SetCaption("QSO - Liste (Ändern mit Eingabetaste oder Doppelklick)");
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(760, 420);
    SetKeyPreview(true);
    Brow = new ui::TkvBrow(this);
    Brow->SetName("Brow");
    Brow->SetParent(this);
    Brow->SetAlign(platform::qt::TAlign::alClient);
  }
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  Brow->NoLayoutLine = true;
  Brow->OnBuildRow = [this](ui::RowRec& row) { BrowBuildRow(row); };
  Brow->OnSetHeaderFooter = [this] { BrowSetHeaderFooter(); };
  Brow->OnBrowEnter = [this] { BrowBrowEnter(); };
  Brow->OnBrowDoppelKlick = [this] { BrowBrowEnter(); };
  Brow->OnDatensatz_Loeschen = [this] { return BrowDatensatz_Loeschen(); };
  Brow->OnRowOperation = [this](ui::RowOperation operation) {
    return window_.RowOperationReadable(operation);
  };
  Brow->OnBrowColWidths = [this](int column) { return BrowBrowColWidths(column); };
  SetScaled(ui::ToWinskal::FormScaled(*this));
  FormCreate();
  shown_list = this;
}

TKorrekturstd::~TKorrekturstd() {
  if (shown_list == this) shown_list = nullptr;
  try {
    FormDestroy();
  } catch (...) {
    // Column widths are not worth an escaping exception.
  }
}

void TKorrekturstd::FormCreate() {
  contest::TdbContest& log = *window_.LogTable;
  const bool key_form = log.IsFlagSet() == 0;
  // The whole log by number.
  int key = kKeyWagNummer;
  std::string low = common::KeyIntToStr(kFirstNumber, key_form);
  std::string high = common::KeyIntToStr(kLastNumber, key_form);
  if (mode_ == CorrectionMode::kCallSearch) {
    // By call; the search narrows it.
    key = kKeyCallDateTime;
    low = "A";
    high.clear();
  } else if (mode_ == CorrectionMode::kBandLog) {
    SetCaption("Band - Log (Ändern mit Eingabetaste oder Doppelklick)");
    ChooseBand();
    key = kKeyBandNumber;
    low = high = std::string(1, band_);
  }
  // On the log window's object (see the header), under list number 46.
  Brow->Init(kListNr, &log, key, 0, 0, common::ShortToLenArray(low),
             common::ShortToLenArray(high), this, 0, 0);
  Brow->ShowSortlist(false);
  Brow->CloseButton1()->SetVisible(false);
  Brow->CloseButton2()->SetVisible(false);
  Brow->EditButton()->SetVisible(false);
  SetActiveControl(&Brow->GetGrid());
  if (mode_ == CorrectionMode::kCallSearch) {
    TSucheQE_ search(*Brow);
    search.ShowModal();
  }
  Brow->GotoFirst();
  ui::ToWinskal::ScaleForm(*this);
}

void TKorrekturstd::ChooseBand() {
  Tstdband dialog(this);
  const logbook::ToBaender& bands = Bands();
  std::string chosen;
  for (const char band : window_.Definition.Bands) {
    if (band == 0) continue;
    const std::string name = bands.Band2Name(band, false);
    if (band == band_) chosen = name;
    dialog.listband->Items().Add(name);
  }
  dialog.listband->SetItemIndex(dialog.listband->Items().IndexOf(chosen));
  dialog.ShowModal();
  // Whatever ended the dialog, its selection counts.
  const int index = dialog.listband->ItemIndex();
  if (index >= 0) band_ = bands.Text2Band(dialog.listband->Items().Get(index));
}

void TKorrekturstd::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (!IsEscape(key, shift)) return;
  key = 0;
  SetModalResult(platform::qt::mrCancel);
}

void TKorrekturstd::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (Brow->Page() == nullptr) return;
  StoreGridColumns(*Brow, kLayoutCatalogue, Scaled(), *window_.Catalogue);
}

void TKorrekturstd::BrowBuildRow(ui::RowRec& row) { window_.BuildLogRow(row); }

void TKorrekturstd::BrowSetHeaderFooter() { window_.SetLogHeaderFooter(*Brow); }

void TKorrekturstd::BrowBrowEnter() {
  window_.EditSelectedQso(*Brow);
  window_.Brow->Refresh();
}

bool TKorrekturstd::BrowDatensatz_Loeschen() {
  window_.DeleteSelectedQso(*Brow);
  return true;
}

int TKorrekturstd::BrowBrowColWidths(int column) {
  return ApplyGridColumns(column, *Brow, Scaled(), *window_.Catalogue, kLayoutCatalogue);
}

// --- the band dialog ---

Tstdband::Tstdband(platform::qt::TComponent* owner) : ui::TkvForm(owner) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("stdband");
    SetCaption("Band");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(160, 220);
    SetKeyPreview(true);
    listband = new platform::qt::TListBox(this);
    listband->SetName("listband");
    listband->SetParent(this);
    listband->SetAlign(platform::qt::TAlign::alClient);
  }
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  listband->OnDblClick = [this](platform::qt::TComponent*) { listbandDblClick(); };
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
  SetActiveControl(listband);
}

void Tstdband::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (shift != 0) return;
  if (key == platform::qt::VK_ESCAPE) {
    key = 0;
    SetModalResult(platform::qt::mrCancel);
  } else if (key == platform::qt::VK_RETURN) {
    key = 0;
    SetModalResult(platform::qt::mrOk);
  }
}

void Tstdband::listbandDblClick() { SetModalResult(platform::qt::mrOk); }

// --- the search dialog ---

TSucheQE_::TSucheQE_(ui::TkvBrow& grid) : ui::TkvForm(&grid), grid_(grid) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("SucheQE_");
    SetCaption("Suche");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(300, 100);
    SetKeyPreview(true);
    auto* label = new platform::qt::TLabel(this);
    label->SetName("Label1");
    label->SetParent(this);
    label->SetBounds(12, 19, 70, 15);
    label->SetCaption("Rufzeichen:");
    eSuche = new ui::TkvEdit(this);
    eSuche->SetName("eSuche");
    eSuche->SetParent(this);
    eSuche->SetBounds(90, 16, 150, 21);
    eSuche->SetMaxLength(14);
    btnendepx4 = new ui::TkvBitBtn(this);
    btnendepx4->SetName("btnendepx4");
    btnendepx4->SetParent(this);
    btnendepx4->SetBounds(90, 52, 95, 36);
    btnendepx4->SetCaption("&Suche|starten");
    btnendepx4->SetDefault(true);
    btnAbbruchpx4 = new ui::TkvBitBtn(this);
    btnAbbruchpx4->SetName("btnAbbruchpx4");
    btnAbbruchpx4->SetParent(this);
    btnAbbruchpx4->SetBounds(192, 52, 95, 36);
    btnAbbruchpx4->SetCaption("&Abbrechen");
    btnAbbruchpx4->SetModalResult(platform::qt::mrCancel);
  }
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  btnendepx4->OnClick = [this](platform::qt::TComponent*) { btnendepx3Click(); };
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
  SetActiveControl(eSuche);
}

void TSucheQE_::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (!IsEscape(key, shift)) return;
  key = 0;
  SetModalResult(platform::qt::mrCancel);
}

void TSucheQE_::btnendepx3Click() {
  // The call as the call key holds it, padded to the key's width, so that "DL1AB" does not
  // list DL1ABC as well.
  const std::string call = contest::NormalizedCall(common::UpperCase(eSuche->Text()));
  grid_.SwitchSort(0, kKeyCall, call, call);
  grid_.GotoDatensatz(0, 0, 0);
  SetModalResult(platform::qt::mrOk);
}

}  // namespace contestlog
