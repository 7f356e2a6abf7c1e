#include "app/zeitraum_eutag.h"

#include "app/decision_help.h"
#include "common/date_mask.h"
#include "common/messages.h"
#include "common/service.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "output/output_texts.h"
#include "platform/qt/application.h"
#include "ui/winskal.h"

namespace app {
namespace {

using platform::qt::TAlign;

constexpr int kFormWidth = 353;
constexpr int kFormHeight = 427;
constexpr int kHelpSteps = 300;  // the bar is full after the 300th window

}  // namespace

std::int32_t PeriodTextToTime(const std::string& text) {
  return common::TimeStringToTime(text, "hh:mm:ss");
}

TzeitraumeutagCtrl::TzeitraumeutagCtrl(platform::qt::TComponent* owner, std::int32_t log_number)
    : Owner(owner), LogNumber(log_number) {}

bool TzeitraumeutagCtrl::Execute() {
  TzeitraumeutagForm form(Owner, *this);
  TZeitraumRec period;
  form.SetZeitraum(period);
  const bool ok = form.ShowModal() == platform::qt::mrOk;
  if (ok) {
    form.GetZeitraum(period);
    TakeZeitraum(period);
  }
  Init();
  return ok;
}

void TzeitraumeutagCtrl::FillEntscheidungshilfe(const ZeitraumProgress& progress) const {
  if (progress) progress(0, 0, {}, {});
  DecisionHelp help;
  {
    contest::TdbContest log(contest::kTableLK, LogNumber);
    help = ComputeDecisionHelp(log);
  }
  if (help.read != output::LogRead::kWhole) {
    common::Service<common::ToMessages>::Get().Fehler(
        output::UnreadLogWorkText(help.read, "keine Entscheidungshilfe gezeigt."));
    if (progress) progress(3, 0, {}, {});
    return;
  }
  if (progress) {
    for (int i = 0; i < kDecisionWindows; ++i) progress(1, i, WindowLine(i, help.sums[i]), {});
    progress(2, 0, PeriodTimeText(help.best_start),
             PeriodTimeText(help.best_start + kWindowLength));
  }
}

bool TzeitraumeutagCtrl::CheckZeitraum(const TZeitraumRec& period) const {
  if (PeriodTextToTime(period.von.str()) >= 0 && PeriodTextToTime(period.bis.str()) >= 0) {
    return true;
  }
  common::ToMessages& messages = common::Service<common::ToMessages>::Get();
  messages.Achtung(messages.DatenUngueltig, "Angabe hh:mm");
  return false;
}

void TzeitraumeutagCtrl::TakeZeitraum(const TZeitraumRec& period) {
  Von = period.von.str();
  Bis = period.bis.str();
}

TzeitraumeutagForm::TzeitraumeutagForm(platform::qt::TComponent* owner, TzeitraumeutagCtrl& ctrl)
    : ui::TkvForm(owner),
      Label1(new platform::qt::TLabel(this)),
      evon(new platform::qt::TEdit(this)),
      Label2(new platform::qt::TLabel(this)),
      ebis(new platform::qt::TEdit(this)),
      Label3(new platform::qt::TLabel(this)),
      Button1(new platform::qt::TButton(this)),
      Label4(new platform::qt::TLabel(this)),
      ProgressBar1(new platform::qt::TProgressBar(this)),
      Memo1(new platform::qt::TMemo(this)),
      ctrl_(ctrl) {
  {
    platform::qt::LoadingScope loading(*this);
    SetName("zeitraumeutagForm");
    SetCaption("Zeitangabe");
    SetBorderStyle(platform::qt::TFormBorderStyle::bsDialog);
    SetPosition(platform::qt::TPosition::poScreenCenter);
    SetBounds(0, 0, kFormWidth, kFormHeight);

    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(16, 19, 80, 15);
    Label1->SetCaption("Zeitraum von");
    evon->SetName("evon");
    evon->SetParent(this);
    evon->SetBounds(100, 16, 72, 21);
    Label2->SetName("Label2");
    Label2->SetParent(this);
    Label2->SetBounds(184, 19, 20, 15);
    Label2->SetCaption("bis");
    ebis->SetName("ebis");
    ebis->SetParent(this);
    ebis->SetBounds(208, 16, 72, 21);
    Label3->SetName("Label3");
    Label3->SetParent(this);
    Label3->SetBounds(100, 42, 120, 15);
    Label3->SetCaption("Angabe hh:mm");
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(208, 62, 72, 25);
    Button1->SetCaption("OK");
    Button1->SetModalResult(platform::qt::mrOk);
    Button1->SetDefault(true);

    Label4->SetName("Label4");
    Label4->SetParent(this);
    Label4->SetBounds(16, 100, 150, 15);
    Label4->SetCaption("Entscheidungshilfe:");
    ProgressBar1->SetName("ProgressBar1");
    ProgressBar1->SetParent(this);
    ProgressBar1->SetBounds(16, 120, 264, 16);
    ProgressBar1->SetMax(100);
    Memo1->SetName("Memo1");
    Memo1->SetParent(this);
    Memo1->SetAlign(TAlign::alBottom);
    Memo1->SetHeight(256);
    Memo1->SetScrollBars(platform::qt::TScrollStyle::ssBoth);
    Memo1->SetWordWrap(false);
    Memo1->SetReadOnly(true);
  }
  OnShow = [this](platform::qt::TComponent*) { FormShow(); };
  OnCloseQuery = [this](platform::qt::TComponent*, bool& can_close) { FormCloseQuery(can_close); };
  SetScaled(ui::ToWinskal::FormScaled(*this));
  ui::ToWinskal::ScaleForm(*this);
  SetActiveControl(evon);
}

void TzeitraumeutagForm::SetZeitraum(const TZeitraumRec& period) {
  evon->SetText(period.von.str());
  ebis->SetText(period.bis.str());
}

void TzeitraumeutagForm::GetZeitraum(TZeitraumRec& period) const {
  period.von = evon->Text();
  period.bis = ebis->Text();
}

void TzeitraumeutagForm::FormShow() {
  ctrl_.FillEntscheidungshilfe(
      [this](int phase, int position, const std::string& first, const std::string& second) {
        ShowProgress(phase, position, first, second);
      });
}

void TzeitraumeutagForm::ShowProgress(int phase, int position, const std::string& first,
                                      const std::string& second) {
  switch (phase) {
    case 0:
      ProgressBar1->SetMax(kHelpSteps);
      ProgressBar1->SetVisible(true);
      break;
    case 1:
      ProgressBar1->SetPosition(position);
      Memo1->Lines().Add(first);
      // The window stays responsive while the list fills.
      if (position % 60 == 0) platform::qt::Application().ProcessMessages();
      break;
    case 2:
      ProgressBar1->SetVisible(false);
      evon->SetText(first);
      ebis->SetText(second);
      break;
    case 3:
      ProgressBar1->SetVisible(false);
      break;
    default:
      break;
  }
}

void TzeitraumeutagForm::FormCloseQuery(bool& can_close) {
  if (ModalResult() != platform::qt::mrOk) return;
  TZeitraumRec period;
  GetZeitraum(period);
  can_close = ctrl_.CheckZeitraum(period);
}

}  // namespace app
