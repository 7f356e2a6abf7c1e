// The form "QSO ändern", its helpers and the controller's Execute (contestlog/qso_edit_form.h).
#include "contestlog/qso_edit_form.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "common/number_mask.h"
#include "common/number_text.h"
#include "common/service.h"
#include "contestlog/dxcc_chooser.h"
#include "contestlog/entry_focus.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "ui/winskal.h"

namespace contestlog {
namespace {

using platform::qt::TWinControl;

constexpr int kFormWidth = 470;
constexpr int kFormHeight = 292;
constexpr int kFieldLeft = 60;
constexpr int kRowHeight = 26;
constexpr int kFirstRow = 32;
constexpr int kFieldHeight = 21;
constexpr int kLabelDrop = 3;

int Row(int n) { return kFirstRow + n * kRowHeight; }

std::string FrequencyText(double frequency) {
  return frequency > 0 ? common::FloatToStrMask(frequency, 0, 3, ',') : std::string();
}

std::string CharText(char c) { return c == 0 ? std::string() : std::string(1, c); }
char TextChar(const std::string& text) { return text.empty() ? 0 : text[0]; }

const logbook::ToBaender& Bands() { return common::Service<logbook::ToBaender>::Get(); }

}  // namespace

// --- Teingcont2alle ---

void Teingcont2alle::EnterNextField(platform::qt::TForm& form, const TWinControl& current) {
  TWinControl* next = nullptr;
  TWinControl* first = nullptr;
  const int from = current.TabOrder();
  for (platform::qt::TComponent* component : form.Components()) {
    auto* control = dynamic_cast<TWinControl*>(component);
    if (control == nullptr || control == &current || !control->TabStop() || !control->CanFocus()) {
      continue;
    }
    const int order = control->TabOrder();
    if (first == nullptr || order < first->TabOrder()) first = control;
    if (order > from && (next == nullptr || order < next->TabOrder())) next = control;
  }
  if (next == nullptr) next = first;
  if (next != nullptr) next->SetFocus();
}

void Teingcont2alle::FixRst(bool cw, platform::qt::TEdit& sent, platform::qt::TEdit& rcvd) {
  for (platform::qt::TEdit* field : {&sent, &rcvd}) {
    std::string report = field->Text();
    if (cw) {
      if (report.size() == 3 && report[2] == ' ') report[2] = '9';
      if (report.size() == 2) report += '9';
    } else if (report.size() >= 3 && report[2] == '9') {
      report[2] = ' ';
    }
    if (report != field->Text()) field->SetText(report);
  }
}

void Teingcont2alle::BandFromFrequency(platform::qt::TComboBox& band,
                                       platform::qt::TEdit& frequency, const std::string& mode,
                                       bool& busy) {
  const logbook::ToBaender& bands = Bands();
  const logbook::BandCode chosen = bands.Text2Band(band.Text());
  const double typed = common::StrToReal(frequency.Text());
  const logbook::BandCode found = bands.Freq2Band(bands.CheckFreq(typed, false));
  if (found != logbook::kNoBand && found != chosen) {
    const int index = band.Items().IndexOf(bands.Band2Name(found, false));
    if (index >= 0) {
      busy = true;
      band.SetItemIndex(index);
      busy = false;
      return;
    }
  }
  if (found == logbook::kNoBand || found != chosen) {
    const char mode_class = common::Service<logbook::ToModi>::Get().ModeClass(mode);
    frequency.SetText(FrequencyText(bands.BandMode2Freq(chosen, mode_class)));
  }
}

void Teingcont2alle::QslFieldClick(platform::qt::TEdit& field) { field.SelectAll(); }

// --- the controller's dialog ---

bool TContestEingabeStd2Ctrl::Execute() {
  TContestEingabeStd2Form form(owner_, *this);
  QsoEditFields fields;
  LoadQso(fields);
  form.SetFields(fields);
  if (form.ShowModal() != platform::qt::mrOk) return false;
  form.GetFields(fields);
  return SaveQso(fields);
}

// --- the form ---

TContestEingabeStd2Form::TContestEingabeStd2Form(platform::qt::TComponent* owner,
                                                 TContestEingabeStd2Ctrl& ctrl)
    : ui::TkvForm(owner), ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("ContestEingabeStd2Form");
    SetCaption("QSO ändern");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetClientSize(kFormWidth, kFormHeight);
    SetKeyPreview(true);
    MakeControls();
  }
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  OnCloseQuery = [this](platform::qt::TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
  SetActiveControl(eCall);
}

ui::TkvEdit* TContestEingabeStd2Form::AddField(const char* name, int left, int top, int width,
                                               int max_length) {
  auto* field = new ui::TkvEdit(this);
  field->SetName(name);
  field->SetParent(this);
  field->SetBounds(left, top, width, kFieldHeight);
  field->SetMaxLength(max_length);
  field->OnKeyDown = [this, field](platform::qt::TComponent*, std::uint16_t& key,
                                   platform::qt::TShiftState shift) {
    eCallKeyDown(*field, key, shift);
  };
  return field;
}

platform::qt::TLabel* TContestEingabeStd2Form::AddLabel(const char* name, const char* caption,
                                                        int left, int top) {
  auto* label = new platform::qt::TLabel(this);
  label->SetName(name);
  label->SetParent(this);
  label->SetBounds(left, top + kLabelDrop, 50, 15);
  label->SetCaption(caption);
  return label;
}

void TContestEingabeStd2Form::MakeControls() {
  lnummer = AddLabel("lnummer", "Nummer:", 8, 5);
  lnummer->SetWidth(200);
  AddLabel("lecall", "Call", 8, Row(0));
  eCall = AddField("eCall", kFieldLeft, Row(0), 110, 14);
  AddLabel("ledatum", "Datum", 185, Row(0));
  eDatum = AddField("eDatum", 230, Row(0), 80, 10);
  AddLabel("lezeit", "UTC", 320, Row(0));
  ezeit = AddField("ezeit", 355, Row(0), 60, 8);
  lcall2 = AddLabel("lcall2", "Call2", 8, Row(1));
  eCall2 = AddField("eCall2", kFieldLeft, Row(1), 110, 14);
  AddLabel("leband", "Band", 8, Row(2));
  comboband = new platform::qt::TComboBox(this);
  comboband->SetName("comboband");
  comboband->SetParent(this);
  comboband->SetStyle(platform::qt::TComboBoxStyle::csDropDownList);
  comboband->SetBounds(kFieldLeft, Row(2), 110, kFieldHeight);
  AddLabel("lemode", "Mode", 185, Row(2));
  combomode = new platform::qt::TComboBox(this);
  combomode->SetName("combomode");
  combomode->SetParent(this);
  combomode->SetStyle(platform::qt::TComboBoxStyle::csDropDownList);
  combomode->SetBounds(230, Row(2), 80, kFieldHeight);
  emode = AddField("emode", 230, Row(2), 80, 10);
  emode->SetVisible(false);
  AddLabel("lefreq", "Freq.", 320, Row(2));
  eFreq = AddField("eFreq", 355, Row(2), 100, 25);
  lersts = AddLabel("lersts", "RSTs", 8, Row(3));
  lerstr = AddLabel("lerstr", "RSTr", 8, Row(4));
  const int exchange_left[] = {kFieldLeft, 105, 205, 305};
  const int exchange_width[] = {40, 95, 95, 95};
  ui::TkvEdit** sent[] = {&eRSTs1, &eRSTs2, &eRSTs3, &eRSTs4};
  ui::TkvEdit** rcvd[] = {&eRSTr1, &eRSTr2, &eRSTr3, &eRSTr4};
  const char* sent_names[] = {"eRSTs1", "eRSTs2", "eRSTs3", "eRSTs4"};
  const char* rcvd_names[] = {"eRSTr1", "eRSTr2", "eRSTr3", "eRSTr4"};
  for (int i = 0; i < 4; ++i) {
    *sent[i] = AddField(sent_names[i], exchange_left[i], Row(3), exchange_width[i], i == 0 ? 3 : 21);
  }
  for (int i = 0; i < 4; ++i) {
    *rcvd[i] = AddField(rcvd_names[i], exchange_left[i], Row(4), exchange_width[i], i == 0 ? 12 : 21);
  }
  lemulti = AddLabel("lemulti", "DXCC", 8, Row(5));
  eMulti = AddField("eMulti", kFieldLeft, Row(5), 60, 6);
  btnHoleDXCC = new platform::qt::TSpeedButton(this);
  btnHoleDXCC->SetName("btnHoleDXCC");
  btnHoleDXCC->SetParent(this);
  btnHoleDXCC->SetBounds(125, Row(5), 24, kFieldHeight);
  btnHoleDXCC->SetCaption("...");
  btnHoleDXCC->SetHint("DXCC aus der DXCC-Liste auswählen");
  btnHoleDXCC->SetShowHint(true);
  AddLabel("lename", "Name", 8, Row(6));
  eName = AddField("eName", kFieldLeft, Row(6), 170, 25);
  AddLabel("leqth", "QTH", 240, Row(6));
  eQTH = AddField("eQTH", 275, Row(6), 180, 25);
  AddLabel("leqsl", "QSL s/r", 8, Row(7));
  eQSLw = AddField("eQSLw", kFieldLeft, Row(7), 20, 1);
  eqslr = AddField("eqslr", 85, Row(7), 20, 1);
  BitBtn1 = new ui::TkvBitBtn(this);
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetParent(this);
  BitBtn1->SetBounds(335, kFormHeight - 38, 120, 27);
  BitBtn1->SetkvKind(ui::TkvBitBtnKind::bkClose);
  BitBtn1->SetCaption("Beenden [ESC]");
  // Enter moves between the fields only; the button is reached with the mouse or Esc.
  BitBtn1->SetTabStop(false);
  const TWinControl* tab_order[] = {eCall,  eDatum, ezeit,  eCall2, comboband, combomode,
                                    emode,  eFreq,  eRSTs1, eRSTs2, eRSTs3,    eRSTs4,
                                    eRSTr1, eRSTr2, eRSTr3, eRSTr4, eMulti,    eName,
                                    eQTH,   eQSLw,  eqslr};
  for (int i = 0; i < static_cast<int>(std::size(tab_order)); ++i) {
    const_cast<TWinControl*>(tab_order[i])->SetTabOrder(i);
  }

  eCall->OnChange = [this](platform::qt::TComponent*) { eCallChange(); };
  eFreq->OnExit = [this](platform::qt::TComponent*) { eFreqExit(); };
  comboband->OnChange = [this](platform::qt::TComponent*) { combobandChange(); };
  combomode->OnChange = [this](platform::qt::TComponent*) { combomodeChange(); };
  eQSLw->OnClick = [this](platform::qt::TComponent*) { Teingcont2alle::QslFieldClick(*eQSLw); };
  eqslr->OnChange = [this](platform::qt::TComponent*) { Teingcont2alle::QslFieldClick(*eqslr); };
  btnHoleDXCC->OnClick = [this](platform::qt::TComponent*) { btnHoleDXCCClick(); };
  BitBtn1->OnClick = [this](platform::qt::TComponent*) { BitBtn1Click(); };
}

void TContestEingabeStd2Form::SetFields(const QsoEditFields& fields) {
  filling_ = true;
  shown_ = fields;
  lnummer->SetCaption(fields.number_caption);
  eCall->SetText(fields.call);
  eCall2->SetText(fields.call2);
  eCall2->SetVisible(fields.call2_visible);
  lcall2->SetVisible(fields.call2_visible);
  eDatum->SetText(fields.date);
  ezeit->SetText(fields.time);
  ui::TkvEdit* const sent[] = {eRSTs1, eRSTs2, eRSTs3, eRSTs4};
  ui::TkvEdit* const rcvd[] = {eRSTr1, eRSTr2, eRSTr3, eRSTr4};
  for (std::size_t i = 0; i < 4; ++i) {
    sent[i]->SetText(fields.sent[i]);
    rcvd[i]->SetText(fields.rcvd[i]);
    sent[i]->SetEnabled(true);
  }
  eRSTr1->SetEnabled(true);
  for (std::size_t i = 0; i < 3; ++i) {
    ui::TkvEdit& field = *rcvd[i + 1];
    field.SetEnabled(fields.rcvd_enabled[i]);
    field.SetColor(fields.rcvd_enabled[i] ? platform::qt::clWindow : platform::qt::clBtnFace);
    field.Font().SetColor(eCall->Font().Color());
  }
  lerstr->SetCaption(fields.rcvd_caption);
  eMulti->SetText(fields.multi);
  lemulti->SetCaption(fields.multi_caption);
  btnHoleDXCC->SetVisible(fields.multi_caption == "DXCC");
  eName->SetText(fields.name);
  eQTH->SetText(fields.qth);
  frequency_ = fields.frequency;
  frequency_text_ = FrequencyText(fields.frequency);
  eFreq->SetText(frequency_text_);
  emode->SetVisible(fields.use_free_mode);
  combomode->SetVisible(!fields.use_free_mode);
  emode->SetText(fields.free_mode);
  combomode->Items().Clear();
  for (const std::string& mode : fields.modes) combomode->Items().Add(mode);
  combomode->SetItemIndex(fields.mode_index);
  comboband->Items().Clear();
  for (const std::string& band : fields.bands) comboband->Items().Add(band);
  comboband->SetItemIndex(fields.band_index);
  eQSLw->SetText(CharText(fields.qsl_sent));
  eqslr->SetText(CharText(fields.qsl_rcvd));
  filling_ = false;
}

void TContestEingabeStd2Form::GetFields(QsoEditFields& fields) const {
  fields = shown_;
  fields.call = eCall->Text();
  fields.call2 = eCall2->Text();
  fields.date = eDatum->Text();
  fields.time = ezeit->Text();
  const ui::TkvEdit* const sent[] = {eRSTs1, eRSTs2, eRSTs3, eRSTs4};
  const ui::TkvEdit* const rcvd[] = {eRSTr1, eRSTr2, eRSTr3, eRSTr4};
  for (std::size_t i = 0; i < 4; ++i) {
    fields.sent[i] = sent[i]->Text();
    fields.rcvd[i] = rcvd[i]->Text();
  }
  fields.multi = eMulti->Text();
  fields.multi_caption = lemulti->Caption();
  fields.name = eName->Text();
  fields.qth = eQTH->Text();
  fields.frequency = eFreq->Text() == frequency_text_
                         ? frequency_
                         : static_cast<float>(common::StrToReal(eFreq->Text()));
  fields.free_mode = fields.use_free_mode ? emode->Text() : std::string();
  fields.mode_index = combomode->ItemIndex();
  fields.mode_text = fields.mode_index >= 0 ? combomode->Text() : std::string();
  fields.band_index = comboband->ItemIndex();
  fields.band_text = fields.band_index >= 0 ? comboband->Text() : std::string();
  fields.qsl_sent = TextChar(eQSLw->Text());
  fields.qsl_rcvd = TextChar(eqslr->Text());
}

std::string TContestEingabeStd2Form::ModeText() const {
  return emode->Visible() ? emode->Text() : combomode->Text();
}

void TContestEingabeStd2Form::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  if (key != platform::qt::VK_ESCAPE || shift != 0) return;
  key = 0;
  if (ActiveControl() == eFreq) eFreqExit();
  Close();
}

void TContestEingabeStd2Form::FormCloseQuery(bool& can_close) {
  // However the dialog is left, what it holds is saved; never a QSO without its mode.
  if (WarnedModeMissing(*emode)) {
    can_close = false;
    return;
  }
  SetModalResult(platform::qt::mrOk);
  can_close = true;
}

void TContestEingabeStd2Form::BitBtn1Click() { Close(); }

void TContestEingabeStd2Form::eCallKeyDown(TWinControl& field, std::uint16_t& key,
                                           platform::qt::TShiftState shift) {
  if (key != platform::qt::VK_RETURN || shift != 0) return;
  key = 0;
  Teingcont2alle::EnterNextField(*this, field);
}

void TContestEingabeStd2Form::eCallChange() {
  if (filling_) return;
  QsoEditFields fields;
  GetFields(fields);
  ctrl_.MultiCaption(fields);
  SetFields(fields);
}

void TContestEingabeStd2Form::eFreqExit() {
  Teingcont2alle::BandFromFrequency(*comboband, *eFreq, ModeText(), band_busy_);
}

void TContestEingabeStd2Form::combobandChange() {
  if (band_busy_ || filling_) return;
  const logbook::ToBaender& bands = Bands();
  const logbook::BandCode chosen = bands.Text2Band(comboband->Text());
  const double typed = common::StrToReal(eFreq->Text());
  if (bands.Freq2Band(bands.CheckFreq(typed, false)) == chosen) return;
  const char mode_class = common::Service<logbook::ToModi>::Get().ModeClass(ModeText());
  eFreq->SetText(FrequencyText(bands.BandMode2Freq(chosen, mode_class)));
}

void TContestEingabeStd2Form::combomodeChange() {
  if (filling_) return;
  const std::string mode = combomode->Text();
  if (mode == "CW") {
    Teingcont2alle::FixRst(true, *eRSTs1, *eRSTr1);
  } else if (mode == "SSB" || mode == "FM") {
    Teingcont2alle::FixRst(false, *eRSTs1, *eRSTr1);
  }
}

void TContestEingabeStd2Form::btnHoleDXCCClick() {
  const std::string dxcc = ChooseDxccPrefix(eMulti->Text());
  if (!dxcc.empty()) eMulti->SetText(dxcc);
}

}  // namespace contestlog
