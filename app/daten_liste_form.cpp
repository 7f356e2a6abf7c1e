#include "app/daten_liste_form.h"

#include "app/daten_liste_ctrl.h"
#include "platform/qt/colors.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "ui/daten_brow_ctrl.h"
#include "ui/kind_pictures.h"
#include "ui/kv_edit.h"
#include "ui/layout.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::TAlign;
using platform::qt::TBevelCut;
using platform::qt::TComponent;
using platform::qt::TMenuItem;
using platform::qt::TPanel;

constexpr int kFormWidth = 760;
constexpr int kFormHeight = 440;
constexpr int kButtonWidth = 112;
constexpr int kButtonHeight = 30;
constexpr int kButtonTop = 8;

TPanel* MakePanel(TComponent* owner, const std::string& name, platform::qt::TWinControl* parent,
                  TAlign align, int size) {
  auto* panel = new TPanel(owner);
  panel->SetName(name);
  panel->SetParent(parent);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetAlign(align);
  if (align == TAlign::alLeft || align == TAlign::alRight) {
    panel->SetWidth(size);
  } else {
    panel->SetHeight(size);
  }
  return panel;
}

ui::TkvBitBtn* MakeButton(TComponent* owner, const std::string& name,
                          platform::qt::TWinControl* parent, int left) {
  auto* button = new ui::TkvBitBtn(owner);
  button->SetName(name);
  button->SetParent(parent);
  button->SetBounds(left, kButtonTop, kButtonWidth, kButtonHeight);
  return button;
}

}  // namespace

TDatenListeForm::TDatenListeForm(TComponent* owner, TDatenListeCtrl& ctrl, bool select_mode,
                                 const std::string& caption)
    : TToolsForm(owner), ctrl_(ctrl), select_mode_(select_mode), caption_(caption) {
  MakeControls();
  MakeMenu();
  BindEvents();
  if (select_mode_) {
    Brow->OnBrowDoppelKlick = [this] { BrowBrowDoppelKlick(); };
    panelCaptions->SetVisible(false);
  } else {
    if (const auto close = ui::KindBitmap(ui::TkvBitBtnKind::bkClose)) {
      btnabbruchho4->SetGlyph(*close);
    }
    btnabbruchho4->SetCaption("Schließen");
  }
  if (ui::TkvEdit* search = Brow->SearchField(); search->Visible() && search->Enabled()) {
    SetActiveControl(search);
  }
  FormCreate();
}

void TDatenListeForm::MakeControls() {
  platform::qt::LoadingScope loading(*this);
  SetName("DatenListeForm");
  SetBorderStyle(platform::qt::TFormBorderStyle::bsSizeable);
  SetPosition(platform::qt::TPosition::poScreenCenter);
  SetClientSize(kFormWidth, kFormHeight);
  SetKeyPreview(true);

  panelCaptions = MakePanel(this, "panelCaptions", this, TAlign::alTop, 34);
  panelCaption = MakePanel(this, "panelCaption", panelCaptions, TAlign::alClient, 0);
  panelCaption1 = MakePanel(this, "panelCaption1", panelCaption, TAlign::alClient, 0);
  lCaption1 = new platform::qt::TLabel(this);
  lCaption1->SetName("lCaption1");
  lCaption1->SetParent(panelCaption1);
  lCaption1->SetBounds(10, 8, 300, 18);
  lCaption1->Font().SetStyle(platform::qt::fsBold);
  lCaption1->SetShowAccelChar(false);

  panelbuttonsho4 = MakePanel(this, "panelbuttonsho4", this, TAlign::alBottom, 64);
  panelrandlinks = MakePanel(this, "panelrandlinks", this, TAlign::alLeft, 8);
  panelrandrechts = MakePanel(this, "panelrandrechts", this, TAlign::alRight, 8);

  Brow = new ui::TkvBrow(this);
  Brow->SetName("Brow");
  Brow->SetParent(this);
  Brow->SetAlign(TAlign::alClient);

  btnSucheho4 = MakeButton(this, "btnSucheho4", panelbuttonsho4, 8);
  btnzusatz = MakeButton(this, "btnzusatz", panelbuttonsho4, 8 + kButtonWidth + 8);
  ProgressBar = new platform::qt::TProgressBar(this);
  ProgressBar->SetName("ProgressBar");
  ProgressBar->SetParent(panelbuttonsho4);
  ProgressBar->SetBounds(2 * (kButtonWidth + 8) + 16, kButtonTop + 6, 120, 18);
  ProgressBar->SetVisible(false);
  lHinweisUnterSchaltern = new platform::qt::TLabel(this);
  lHinweisUnterSchaltern->SetName("lHinweisUnterSchaltern");
  lHinweisUnterSchaltern->SetParent(panelbuttonsho4);
  lHinweisUnterSchaltern->SetBounds(8, kButtonTop + kButtonHeight + 6, 400, 15);
  lHinweisUnterSchaltern->SetShowAccelChar(false);
  lHinweisUnterSchaltern->SetVisible(false);

  panelschalter = MakePanel(this, "panelschalter", panelbuttonsho4, TAlign::alRight,
                            2 * (kButtonWidth + 8) + 8);
  btnEndeho4 = MakeButton(this, "btnEndeho4", panelschalter, 8);
  btnabbruchho4 = MakeButton(this, "btnabbruchho4", panelschalter, 8 + kButtonWidth + 8);
  btnabbruchho4->SetCaption("&Abbrechen");
}

void TDatenListeForm::MakeMenu() {
  PopupIOTA = new platform::qt::TPopupMenu(this);
  PopupIOTA->SetName("PopupIOTA");
  menueitemUebernahme = AddItem("menueitemUebernahme", "Übernehmen", [this] { btnEndeho3Click(); });
  AddItem("", "-", nullptr);
  MenuItemNeu = AddItem("MenuItemNeu", "Neu", [this] { btnNeuClick(); });
  MenuItemAendern = AddItem("MenuItemAendern", "Ändern", [this] { btnAendernClick(); });
  MenuItemLoeschen = AddItem("MenuItemLoeschen", "Löschen", [this] { btnLoeschenClick(); });
  AddItem("", "-", nullptr);
  MenuItemSuche = AddItem("MenuItemSuche", "erweiterte Suche", [this] { btnSucheho3Click(); });
  MenuItemDruck = AddItem("MenuItemDruck", "Drucken", [this] { MenuItemDruckClick(); });
  menuitemZusatzfunktion1 =
      AddItem("menuitemZusatzfunktion1", "", [this] { menuitemZusatzfunktion1Click(); });
  menuitemZusatzfunktion2 =
      AddItem("menuitemZusatzfunktion2", "", [this] { menuitemZusatzfunktion2Click(); });
  menuitemZusatzfunktion1->SetVisible(false);
  menuitemZusatzfunktion2->SetVisible(false);
}

TMenuItem* TDatenListeForm::AddItem(const std::string& name, const std::string& caption,
                                    std::function<void()> click) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  if (click) item->OnClick = [click](TComponent*) { click(); };
  PopupIOTA->Items()->Add(item);
  return item;
}

void TDatenListeForm::BindEvents() {
  btnEndeho4->SetkvKind(ui::TkvBitBtnKind::bkUebernahme);
  // Only a row that could be taken over closes the window.
  btnEndeho4->SetModalResult(platform::qt::mrNone);
  btnEndeho4->OnClick = [this](TComponent*) { btnEndeho3Click(); };
  btnabbruchho4->SetkvKind(ui::TkvBitBtnKind::bkCancel);
  btnSucheho4->SetkvKind(ui::TkvBitBtnKind::bkSuche);
  btnSucheho4->OnClick = [this](TComponent*) { btnSucheho3Click(); };
  btnzusatz->SetkvKind(ui::TkvBitBtnKind::bkZusatz);
  btnzusatz->SetkvMenue(PopupIOTA);

  ui::BindBrowserEvents(*Brow, [this] { return ctrl_.BrowCtrl(); });
  Brow->OnBefore_Loesch = [] { return false; };
  lHinweisUnterSchaltern->OnClick = [this](TComponent*) { ctrl_.OpenHinweisLink(); };
  OnKeyDown = [this](TComponent*, std::uint16_t& key, platform::qt::TShiftState) {
    FormKeyDown(key);
  };
  OnCloseQuery = [this](TComponent*, bool& can_close) { FormCloseQuery(can_close); };
}

void TDatenListeForm::FormCreate() {
  SetScaled(ui::ToWinskal::FormScaled(*this));
  SetCaption(caption_);
  lCaption1->SetCaption(caption_);
  Brow->SetGridPopupMenu(PopupIOTA);
  ui::ToLayout::Sortierleiste(*Brow);
  panelrandlinks->SetVisible(true);
  panelrandrechts->SetVisible(true);
  ui::ToLayout::StyleListenfenster(*this);
  ui::ToLayout::Sortierleiste(*Brow);
  ui::ToLayout::OwnerDrawMenu(*PopupIOTA, this);
  // The new look's caption bar takes the window's caption; without the bar it stays.
  if (!panelCaptions->Visible()) SetCaption(caption_);
}

void TDatenListeForm::ShowHint(const std::string& hint, bool link) {
  lHinweisUnterSchaltern->SetCaption(hint);
  lHinweisUnterSchaltern->SetVisible(true);
  if (!link) return;
  lHinweisUnterSchaltern->SetParentFont(false);
  lHinweisUnterSchaltern->Font().SetColor(platform::qt::clBlue);
  lHinweisUnterSchaltern->Font().SetStyle(platform::qt::fsUnderline);
  lHinweisUnterSchaltern->SetCursor(platform::qt::crHandPoint);
}

void TDatenListeForm::Standard(const std::function<void()>& function) {
  ui::ToLayout::DisableButtons(*panelbuttonsho4, Brow);
  Guarded(function);
  ui::ToLayout::EnableButtons(*panelbuttonsho4, Brow->SearchField());
}

void TDatenListeForm::btnNeuClick() {
  Standard([this] { ctrl_.NewRecord(); });
}

void TDatenListeForm::btnAendernClick() {
  Standard([this] { ctrl_.EditRecord(); });
}

void TDatenListeForm::btnLoeschenClick() {
  Standard([this] { ctrl_.DeleteRecord(); });
}

void TDatenListeForm::btnSucheho3Click() {
  Standard([this] { ctrl_.Search(); });
}

void TDatenListeForm::MenuItemDruckClick() {
  Standard([this] { ctrl_.Print(); });
}

void TDatenListeForm::btnEndeho3Click() {
  Guarded([this] {
    if (!select_mode_ || !ctrl_.TakeRecord()) return;
    Brow->SetRebuildFlag();
    SetModalResult(platform::qt::mrOk);
  });
}

void TDatenListeForm::BrowBrowDoppelKlick() {
  Guarded([this] {
    if (!ctrl_.TakeRecord()) return;
    Brow->SetRebuildFlag();
    platform::qt::Application().PostMessage(this, {kCloseOkMessage});
  });
}

void TDatenListeForm::WndProc(platform::qt::TMessage& message) {
  if (message.Msg == kCloseOkMessage) {
    CloseOK();
    return;
  }
  TToolsForm::WndProc(message);
}

void TDatenListeForm::CloseOK() { SetModalResult(platform::qt::mrOk); }

void TDatenListeForm::FormKeyDown(std::uint16_t& key) {
  switch (key) {
    case platform::qt::VK_ESCAPE:
      SetModalResult(platform::qt::mrCancel);
      key = 0;
      break;
    case platform::qt::VK_RETURN:
      if (select_mode_ && btnEndeho4->Default() && btnEndeho4->Visible()) {
        btnEndeho4->Click();
        key = 0;
      }
      break;
    case platform::qt::VK_F1:
      platform::qt::Application().HelpContext(HelpContext());
      key = 0;
      break;
    default:
      break;
  }
}

void TDatenListeForm::FormCloseQuery(bool& can_close) {
  if (ctrl_.Busy) cancel_request_ = true;
  can_close = true;
}

void TDatenListeForm::RunExtra(bool first) {
  ctrl_.Progress = [this](int phase, int position, int total, bool& abort) {
    ShowProgress(phase, position, total, abort);
  };
  Guarded([this, first] {
    if (first) {
      ctrl_.Zusatzfunktion1();
    } else {
      ctrl_.Zusatzfunktion2();
    }
  });
}

void TDatenListeForm::menuitemZusatzfunktion1Click() { RunExtra(true); }

void TDatenListeForm::menuitemZusatzfunktion2Click() { RunExtra(false); }

void TDatenListeForm::ShowProgress(int phase, int position, int total, bool& abort) {
  // A modal window that is asked to close keeps its loop until the running handler returns, so
  // the close request of a busy window is taken here, where the extra function can still stop.
  if (ModalResult() != platform::qt::mrNone && ctrl_.Busy) {
    bool can_close = true;
    FormCloseQuery(can_close);
  }
  abort = cancel_request_;
  switch (phase) {
    case 0:
      ProgressBar->SetMin(0);
      ProgressBar->SetMax(total);
      ProgressBar->SetPosition(0);
      ProgressBar->SetVisible(true);
      break;
    case 1:
      ProgressBar->SetPosition(position);
      break;
    case 2:
      if (ui::TDatenBrowCtrl* brow = ctrl_.BrowCtrl()) brow->GotoCurrent(true);
      ProgressBar->SetVisible(false);
      break;
    default:
      break;
  }
}

}  // namespace app
