// The entry record shown in the entry fields and labels, the entry cleared for the next QSO and
// the switch of the button panels between entry and list.
#include <array>
#include <cmath>
#include <string>

#include "common/lang_text.h"
#include "common/number_text.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contest/window/entry_helpers.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/entry_rules.h"
#include "contestlog/log_start.h"
#include "contestlog/new_entry.h"
#include "platform/qt/handler_scope.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"

namespace contestlog {
namespace {

using platform::qt::TComponent;

// Frequencies are shown to the Hz.
constexpr double kFrequencySteps = 1e6;

// Writes the text only when it differs, so that the caret of a field being typed in stays.
void ShowText(ui::TkvEdit& field, const std::string& text) {
  if (field.GetStr() != text) field.SetStr(text);
}

// The exchange values after the report as one text: "B36", "B36/JO62", "B36//x".
std::string JoinValues(const std::string& v1, const std::string& v2, const std::string& v3) {
  return common::CopyFrom(contest::TContLogAlle::JoinCall("", v1, v2, v3), 4);
}

std::string FrequencyText(double frequency) {
  if (frequency <= 0) return "";
  return common::FloatToStr(std::round(frequency * kFrequencySteps) / kFrequencySteps);
}

bool QslNotSent(char mark) { return mark == 0 || mark == ' ' || mark == 'N' || mark == 'n'; }

}  // namespace

void TContestLogStd::TickQslBox() {
  ticking_qsl_box_ = true;
  rqsls->SetChecked(!QslNotSent(QslSent));
  ticking_qsl_box_ = false;
}

void TContestLogStd::ClearEntry() {
  if (!LogOpen()) return;
  // Also runs before the window shows, outside its events: a question it asks holds the clock.
  const platform::qt::HandlerScope running(this);
  lqsopartner->SetCaption("QSO-Partner");
  // Red only while it tells the call's check.
  lqsopartner->Font().SetColor(platform::qt::clWindowText);
  lqsopartner->SetVisible(true);
  SetButtonMode(true);
  if (ReceivedField2Used()) eRSTr2->SetVisible(true);
  lbeam->SetCaption("");
  // Counted afresh when another station changed the log: the totals are the log's, its QSOs
  // included.
  RecountLog(LogChangedElsewhere());
  PrepareNewEntry(*this, EntryFieldsShown());
  // A log on the computer's clock has its date and time at once, not only at the clock's next
  // tick: the save check refuses an entry without them.
  contest::window::ShowPeriodInfo(*Catalogue, *LogTable, AutoTime, *lZeit, *lDatum, *ezeit,
                                  *eDatum);
  lQSLs->SetCaption(QslNotSent(QslSent) ? common::LangText("&QSL senden: nein", "QSL send: no")
                                        : common::LangText("&QSL senden: ja", "QSL send: yes"));
  TickQslBox();
  RecordToFields();
  if (eCall->Visible()) {
    eCall->SetFocus();
    leCall->Font().SetColor(platform::qt::clRed);
  }
  ScoreSummaryText();
}

NewEntryFields TContestLogStd::EntryFieldsShown() const {
  NewEntryFields fields;
  fields.sent_field2_shown = eRSTs2->Visible();
  fields.sent_field3_shown = eRSTs3->Visible();
  fields.mode_typed = emode->Visible();
  return fields;
}

void TContestLogStd::RecordToFields() {
  const contest::TContestLKRec qso = EntryRecord(*this);
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  const logbook::ToBaender& bands = common::Service<logbook::ToBaender>::Get();
  const bool listener = Definition.SWL != 0;
  const char code = ContestCode(*Catalogue);

  // 1. Call, summary labels, date and time. The call field keeps what was typed, in capitals,
  // as long as it stands for the record's call (a blank before a suffix is still typed on).
  Filling = true;
  const std::string typed = eCall->GetStr();
  if (NormaliseCall(typed) != qso.Call.view()) {
    eCall->SetStr(qso.Call.str());
  } else if (const std::string capitals = common::UpperCase(typed); capitals != typed) {
    const int caret = eCall->SelStart();
    eCall->SetStr(capitals);
    eCall->SetSelStart(caret);
  }
  ShowText(*eCall2, qso.Call2.str());
  Filling = false;
  lCall->SetCaption(qso.Call.str());
  lMode->SetCaption(qso.Mode.str());
  lband->SetCaption(bands.Band2Name(qso.Bandcode, false));
  const std::string date = qso.Datum < 1 ? "" : dates.DateToDateString(qso.Datum, "dd.mm.yyyy");
  const std::string time = qso.Zeit < 0 ? "" : dates.TimeToTimeString(qso.Zeit, "hh:mm:ss");
  lDatum->SetCaption(date);
  lZeit->SetCaption(time);
  ShowText(*eDatum, date);
  ShowText(*ezeit, time);

  const std::array<TkvEdit*, 4> received_row = {eRSTr1, eRSTr2, eRSTr3, eRSTr4};
  const std::array<TkvEdit*, 4> sent_row = {eRSTs1, eRSTs2, eRSTs3, eRSTs4};
  ShowingRecord = true;
  // 2. The sent exchange (in the eRSTr row in a listener log).
  std::array<std::string, 4> sent;
  contest::TContLogAlle::SplitCall(contest::TContestFkt::SentExchangeText(qso), sent[0], sent[1],
                                   sent[2], sent[3]);
  if (code == 'J' && !listener) {
    sent[2] = LocatorOffBand(code, qso.Bandcode) ? std::string() : Definition.SentDefaults[1].str();
  }
  for (std::size_t i = 0; i < sent.size(); ++i) {
    ShowText(*(listener ? received_row : sent_row)[i], sent[i]);
  }
  lRSTs1->SetCaption(sent[0]);
  lRSTs2->SetCaption(JoinValues(sent[1], sent[2], sent[3]));

  // 3. Name and QTH.
  const std::string name_qth = qso.NameQth.str();
  std::string name = common::StrBefore(name_qth, ";");
  std::string qth = name_qth.find(';') == std::string::npos ? "" : common::StrAfter(name_qth, ";");
  if (name.empty()) name = NameText.str();
  if (qth.empty()) qth = QthText.str();
  if (!eName->CanFocus()) {
    name = NameText.str();
    qth = QthText.str();
  }
  ShowText(*eName, name);
  ShowText(*eQTH, qth);
  lcallname->SetCaption(NameText.str());

  // 4. The received exchange.
  std::array<std::string, 4> received;
  contest::TContLogAlle::SplitCall(contest::TContestFkt::RcvdExchangeText(qso), received[0],
                                   received[1], received[2], received[3]);
  if (code == 'q' && received[3].empty() && !name.empty()) received[3] = name + "-";
  for (std::size_t i = 0; i < received.size(); ++i) {
    ShowText(*(listener ? sent_row : received_row)[i], received[i]);
  }
  lRSTr1->SetCaption(received[0]);
  lRSTr2->SetCaption(JoinValues(received[1], received[2], received[3]));
  ShowingRecord = false;
  eRSTr2->SetSelStart(static_cast<int>(eRSTr2->Text().size()));

  // 5. The frequency: the record's on the current band, else the band's own for the mode.
  double frequency = qso.Frequency;
  if (bands.Freq2Band(frequency) != CurrentBand) {
    const char mode_class =
        common::Service<logbook::ToModi>::Get().ModeClass(common::Trim(CurrentMode.str()));
    frequency = bands.BandMode2Freq(CurrentBand, mode_class);
  }
  ShowText(*eFreq, FrequencyText(frequency));

  // 6.
  ShowScore();
  ColourEntryLabels(*panelEingabe);
}

void TContestLogStd::ColourEntryLabels(platform::qt::TWinControl& parent) {
  for (platform::qt::TControl* control : parent.Controls()) {
    if (auto* label = dynamic_cast<TLabel*>(control); label != nullptr && label != lContestCaption) {
      if (label->Tag() < kValueLabelTag) label->Font().SetColor(platform::qt::clTeal);
      if (label->Tag() == kValueLabelTag) label->Font().SetColor(platform::qt::clNavy);
    } else if (auto* inner = dynamic_cast<platform::qt::TWinControl*>(control)) {
      ColourEntryLabels(*inner);
    }
  }
}

void TContestLogStd::SetButtonMode(bool entry) {
  contest::window::SetClusterCaption(entry, *panelButtonsa, false, *Brow, *lContestCaption,
                                     *PanelDXOben, *PanelUnten, *panelButtonsb);
}

void TContestLogStd::btnClearaClick(TComponent* /*sender*/) {
  ShowControls({listband, listmode}, false);
  ClearEntry();
}

}  // namespace contestlog
