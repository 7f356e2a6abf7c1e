// The log window's buttons and lists beyond the save, clear and close controls: the band and mode
// switches, the QSO list, name and QTH, the note, the QSL mark, the frequency scan, the keyer,
// help and the switch between entry mode and list mode.
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "contest/window/entry_helpers.h"
#include "contest/window/log_actions.h"
#include "contestlog/contest_log_std.h"
#include "platform/qt/application.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;

// The QSO list sorted by band: key 8, "Bandcode,wagBandNrIntern".
constexpr int kBandKey = 8;

}  // namespace

void TContestLogStd::BindControlEvents() {
  const auto band = [this](TComponent* sender) { btnBandaClick(sender); };
  const auto mode = [this](TComponent* sender) { btnModeaClick(sender); };
  const auto list = [this](TComponent* sender) { btnListeaClick(sender); };
  const auto name_qth = [this](TComponent* sender) { btnNameqthaClick(sender); };
  const auto note = [this](TComponent* sender) { btnNotizaClick(sender); };
  const auto help = [this](TComponent* sender) { btnHilfeaClick(sender); };
  for (TSpeedButton* button : {btnBanda, btnBandb}) button->OnClick = band;
  for (TSpeedButton* button : {btnModea, btnModeb}) button->OnClick = mode;
  for (TSpeedButton* button : {btnListea, btnListeb}) button->OnClick = list;
  for (TSpeedButton* button : {btnNameqtha, btnNameqthb}) button->OnClick = name_qth;
  for (TSpeedButton* button : {btnNotiza, btnNotizb}) button->OnClick = note;
  for (TSpeedButton* button : {btnHilfea, btnHilfeb}) button->OnClick = help;

  listband->OnDblClick = [this](TComponent* sender) { listbandDblClick(sender); };
  listmode->OnDblClick = [this](TComponent* sender) { listmodeDblClick(sender); };
  for (platform::qt::TListBox* switch_list : {listband, listmode}) {
    switch_list->OnKeyDown = [this](TComponent* sender, std::uint16_t& key,
                                     platform::qt::TShiftState) { SwitchListKeyDown(sender, key); };
  }

  // The operator's click on the caption or the box toggles "QSL senden", and the focus goes back
  // to where the operator was typing, the text and caret as they were.
  lQSLs->OnClick = [this](TComponent* sender) {
    lQSLsClick(sender);
    ReturnFocusFromQsl();
  };
  rqsls->OnMouseDown = [this](TComponent*, platform::qt::TMouseButton, platform::qt::TShiftState,
                              int, int) {
    if (ActiveControl() != rqsls) FocusBeforeQsl = ActiveControl();
  };
  // The box keeps no focus, however the button comes up (a right click, a press let go off it),
  // once it has done with the release: the focus leaving now would cancel its click.
  rqsls->OnMouseUp = [this](TComponent*, platform::qt::TMouseButton, platform::qt::TShiftState, int,
                            int) {
    platform::qt::Application().Queue([this, alive = AliveToken()] {
      if (!alive.expired()) ReturnFocusFromQsl();
    });
  };
  rqsls->OnClick = [this](TComponent* sender) {
    if (ticking_qsl_box_) return;
    lQSLsClick(sender);
    ReturnFocusFromQsl();
  };
  imgfreqscan->OnClick = [this](TComponent* sender) { imgfreqscanClick(sender); };
  for (TSpeedButton* key : btnkeyerf) {
    key->OnClick = [this](TComponent* sender) {
      SendCwMemory(static_cast<TSpeedButton*>(sender)->Tag());
    };
  }
  // The keyer's settings and texts and the DX cluster are not attached: their controls do
  // nothing.
  for (platform::qt::TControl* unattached : std::initializer_list<platform::qt::TControl*>{
           btnkeyinga, btnkeyingb, btnCWTexte, btnClustertextsenden, CheckBox1, radiounten}) {
    unattached->OnClick = [](TComponent*) {};
  }
  btnweitere->OnClick = [](TComponent*) { contest::window::ShowMorePrograms(); };
  for (platform::qt::TButton* button : {btndefault, Button1, Button2}) {
    button->OnClick = [this](TComponent*) { contest::window::DefaultButton(*this); };
  }

  // Entry mode and list mode.
  panelEingabe->OnClick = [this](TComponent* sender) { panelEingabeClick(sender); };
  panelEingabe->OnEnter = [this](TComponent*) { SetButtonMode(true); };
  PanelUnten->OnEnter = [this](TComponent* sender) { BrowEnter(sender); };
  for (TLabel* caption : {lContestCaption, Label127}) {
    caption->OnClick = [this](TComponent* sender) { BrowEnter(sender); };
  }
  OnKeyDown = [this](TComponent*, std::uint16_t& key, platform::qt::TShiftState shift) {
    FormKeyDown(key, shift);
  };
  BindFieldEvents();
}

void TContestLogStd::btnListeaClick(TComponent* /*sender*/) {
  SetButtonMode(false);
  if (Brow->Visible()) Brow->GetGrid().SetFocus();
}

void TContestLogStd::btnNameqthaClick(TComponent* /*sender*/) {
  ShowControls({listband, listmode}, false);
  contest::window::ShowNameQth(*leFreq, *leName, *lcallname, *eQTH, *eName, *eFreq, *leQTH);
}

void TContestLogStd::btnNotizaClick(TComponent* /*sender*/) {
  if (contest::window::EditLogNote(*Catalogue, *LogTable)) btnCleara->Click();
}

void TContestLogStd::lQSLsClick(TComponent* /*sender*/) {
  contest::window::QslSentCaption(QslSent, *lQSLs);
  TickQslBox();
}

void TContestLogStd::ReturnFocusFromQsl() {
  if (FocusBeforeQsl == nullptr || !FocusBeforeQsl->CanFocus()) return;
  if (auto* field = dynamic_cast<platform::qt::TEdit*>(FocusBeforeQsl)) {
    field->ReturnFocus();
  } else {
    FocusBeforeQsl->SetFocus();
  }
}

void TContestLogStd::imgfreqscanClick(TComponent* /*sender*/) {
  FrequencyScanOn = !FrequencyScanOn;
  const std::string text = FrequencyScanOn
                               ? std::string("Die Frequenz-Scan-Funktion wurde eingeschaltet.\r"
                                             "Pfeiltasten: Frequenz ±100 Hz\r"
                                             "Strg+Pfeiltasten: ±1 kHz, Esc: Ende")
                               : std::string("Die Frequenz-Scan-Funktion wurde ausgeschaltet.");
  // Without the "do not show again" box: nothing would keep its answer.
  common::Service<common::ToMessages>::Get().HinweisMitCheck("Frequenz-Scan",
                                                             "TRX-Frequenz ändern", text, false);
  if (eFreq->CanFocus()) eFreq->SetFocus();
}

void TContestLogStd::btnHilfeaClick(TComponent* /*sender*/) { contest::window::Help(); }

void TContestLogStd::panelEingabeClick(TComponent* /*sender*/) {
  // Back from list mode (its buttons off) with a new entry.
  const bool from_list = !btnCleara->Enabled();
  SetButtonMode(true);
  if (from_list) ClearEntry();
}

void TContestLogStd::BrowEnter(TComponent* /*sender*/) {
  if (common::Trim(eCall->GetStr()).empty()) {
    SetButtonMode(false);
    return;
  }
  if (!common::Service<common::ToMessages>::Get().JaNeinFrage(
          "Contest", "Eingabe beenden?", "Eingabe verwerfen und in die QSO-Liste wechseln?",
          false)) {
    // The entry goes on where it stopped: the call with its caret and selection.
    eCall->ReturnFocus();
    return;
  }
  btnClearaClick(nullptr);
  // The new entry took the focus into the call field; the list takes it back.
  if (Brow->Visible()) Brow->GetGrid().SetFocus();
  SetButtonMode(false);
}

void TContestLogStd::btnNeuClick(TComponent* /*sender*/) {
  if (Brow->GetKeyNr() != kBandKey) {
    const std::string band(1, CurrentBand);
    Brow->SwitchSort(0, kBandKey, band, band);
  }
  ClearEntry();
}

}  // namespace contestlog
