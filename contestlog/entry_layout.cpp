// The entry fields of the log window for the log's contest: which of them show, where they
// stand on the entry panel's cell grid, in which order Tab takes them, and the captions of the
// exchange fields by their kinds.
#include <array>
#include <string>

#include "contest/window/entry_helpers.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_start.h"
#include "ui/kv_form.h"

namespace contestlog {
namespace {

using platform::qt::TControl;

// Labels beside a field stand this much lower than its top, so that their texts line up.
constexpr int kLabelDrop = 3;
// The time field stands this much below its row, clear of the date field above it.
constexpr int kTimeDrop = 4;
constexpr int kCaptionGap = 2;
constexpr int kNeighbourGap = 2;
constexpr int kModeEditRaise = 4;
constexpr int kLargeFontSize = 11;
constexpr double kBeamBelowNumber = 0.9;
constexpr int kWideExchangeCells = 9;

contest::TContestKKRec CatalogueRecord(const contest::TdbContest& catalogue) {
  contest::TContestKKRec log{};
  catalogue.GetKKRec(log);
  return log;
}

contest::TContestKZRec ContestDataRecord(const contest::TdbContest& contest_data) {
  contest::TContestKZRec data{};
  contest_data.GetKZRec(data);
  return data;
}

}  // namespace

void TContestLogStd::LayoutEntryFields() {
  const contest::TContestKKRec log = CatalogueRecord(*Catalogue);
  const bool listener = Definition.SWL != 0;
  const bool sent_exchange_used = ContestDataRecord(*ContestData).RstsNichtSperren != 0;
  const bool slashed_zero = contest::window::SlashedZeroDisplay();
  for (ui::TkvEdit* call_field : {eCall2, eRSTr1, eRSTs1, eCall}) {
    call_field->SetSlashedZero(slashed_zero);
  }
  const int drop = ui::ScalePixels(*this, kLabelDrop, false);
  const int time_drop = ui::ScalePixels(*this, kTimeDrop, false);

  // The normal places; a listener log moves the report groups below.
  PlaceControlAt(*leCall, 1, 1, 0, drop);
  PlaceControl(*eCall, 7, 1, 0, 0, 12, 0);
  PlaceControlAt(*lCall, 7, 1, 0, drop);
  PlaceControlAt(*lersts, 20, 0, 0, 0);
  PlaceControl(*eRSTs1, 20, 1, 0, 0, 4, 0);
  PlaceControl(*eRSTs2, 24, 1, 0, 0, 6, 0);
  PlaceControl(*eRSTs3, 30, 1, 0, 0, 6, 0);
  PlaceControl(*eRSTs4, 36, 1, 0, 0, 6, 0);
  // The fixed texts stand where their fields would stand, as on the received side.
  PlaceControlAt(*lRSTs1, 21, 1, 0, drop);
  PlaceControlAt(*lRSTs2, 24, 1, 0, drop);
  PlaceControlAt(*lerstr, 45, 1, 0, drop);
  PlaceControl(*eRSTr1, 50, 1, 0, 0, 4, 0);
  PlaceControl(*eRSTr2, 54, 1, 0, 0, 6, 0);
  PlaceControl(*eRSTr3, 60, 1, 0, 0, 6, 0);
  PlaceControl(*eRSTr4, 67, 1, 0, 0, 8, 0);
  PlaceControlAt(*lRSTr1, 51, 1, 0, drop);
  PlaceControlAt(*lRSTr2, 54, 1, 0, drop);
  PlaceControlAt(*lenter, 68, 3, 0, drop);
  PlaceControlAt(*leNummer, 68, 1, 0, drop);
  PlaceControlAt(*lNummer, 72, 1, 0, drop);
  PlaceControlAt(*leCall2, 1, 3, 0, drop);
  PlaceControl(*eCall2, 7, 3, 0, 0, 12, 0);
  PlaceControlAt(*leFreq, 1, 3, 0, drop);
  PlaceControl(*eFreq, 7, 3, 0, 0, 10, 0);
  PlaceControlAt(*leName, 20, 3, 0, drop);
  PlaceControl(*eName, 24, 3, 0, 0, 14, 0);
  PlaceControlAt(*leQTH, 45, 3, 0, drop);
  PlaceControl(*eQTH, 50, 3, 0, 0, 16, 0);
  PlaceControlAt(*leMode, 1, 5, 0, drop);
  PlaceControlAt(*lMode, 7, 5, 0, drop);
  PlaceControlAt(*leBand, 1, 6.5, 0, drop);
  PlaceControlAt(*lband, 7, 6.5, 0, drop);
  PlaceControlAt(*leDatum, 1, 8, 0, drop);
  PlaceControl(*eDatum, 7, 8, 0, 0, 10, 0);
  PlaceControlAt(*lDatum, 7, 8, 0, drop);
  PlaceControlAt(*lezeit, 1, 9, 0, time_drop + drop);
  PlaceControl(*ezeit, 7, 9, 0, time_drop, 10, 0);
  PlaceControlAt(*lZeit, 7, 9, 0, time_drop + drop);
  // The box before its caption: spreading moves the caption only, away from the box.
  PlaceControlAt(*rqsls, 1, 11, 0, drop);
  PlaceControlAt(*lQSLs, 3, 11, 0, drop);

  // 1. The call; the second call and the name/QTH buttons by the kind of log.
  leCall->SetVisible(true);
  ShowControls({btnNameqtha, btnNameqthb}, !listener);
  ShowControls({leCall2, eCall2}, listener);

  // 2. The reports' defaults.
  ShowControls({lRSTs1, eRSTs2, eRSTs3, eRSTs4}, false);
  lRSTs2->SetVisible(true);
  if (log.RstSentFree == 0) {
    eRSTs1->SetVisible(false);
    lRSTs1->SetVisible(true);
  }
  ShowControls({lRSTr1, lRSTr2}, false);

  // 3. A listener log: the second station's reports on the line of the second call.
  if (listener) {
    lersts->SetCaption("RSTs");
    lerstr->SetCaption("RSTs2");
    const double columns[] = {27, 31, 40, 48};
    const std::array<ui::TkvEdit*, 4> sent = {eRSTs1, eRSTs2, eRSTs3, eRSTs4};
    const std::array<ui::TkvEdit*, 4> received = {eRSTr1, eRSTr2, eRSTr3, eRSTr4};
    PlaceControlAt(*lersts, 20, 1, 0, drop);
    PlaceControlAt(*lerstr, 20, 3, 0, drop);
    for (std::size_t i = 0; i < sent.size(); ++i) {
      PlaceControlAt(*sent[i], columns[i], 1, 0, 0);
      PlaceControlAt(*received[i], columns[i], 3, 0, 0);
      received[i]->SetWidth(i == 0 ? eRSTs1->Width() : eRSTs2->Width());
    }
    PlaceControlAt(*lRSTs1, columns[0] + 1, 1, 0, drop);
    PlaceControlAt(*lRSTs2, columns[1], 1, 0, drop);
    PlaceControlAt(*lRSTr1, columns[0] + 1, 3, 0, drop);
    PlaceControlAt(*lRSTr2, columns[1], 3, 0, drop);
    const std::array<ui::TkvEdit*, 9> tab_order = {eRSTs1, eRSTs2, eRSTs3, eRSTs4, eCall2,
                                                   eRSTr1, eRSTr2, eRSTr3, eRSTr4};
    for (std::size_t i = 0; i < tab_order.size(); ++i) {
      tab_order[i]->SetTabOrder(static_cast<int>(i) + 1);
      tab_order[i]->SetTag(static_cast<int>(i) + 2);
    }
    ShowControls({eRSTs1, eRSTs2}, true);
    ShowControls({lRSTs1, lRSTs2}, false);
  }

  // 4. The sent exchange fields: where the contest sends them and the log lets them be typed.
  const std::array<ui::TkvEdit*, 3> sent_exchange = {eRSTs2, eRSTs3, eRSTs4};
  const std::array<ui::TkvEdit*, 3> received_exchange = {eRSTr2, eRSTr3, eRSTr4};
  for (std::size_t i = 0; i < sent_exchange.size(); ++i) {
    ui::TkvEdit& field = *sent_exchange[i];
    field.SetVisible(Definition.ExchangeKindsSent[i] != 0 && (listener || sent_exchange_used));
    if (listener || !field.Visible()) continue;
    field.SetWidth(received_exchange[i]->Width());
    if (i > 0) {
      const ui::TkvEdit& left = *sent_exchange[i - 1];
      field.SetLeft(left.Left() + left.Width() + ui::ScalePixels(*this, kNeighbourGap, false));
    }
  }
  // 5.
  lRSTs2->SetVisible(!eRSTs2->Visible());
  // 6. The received exchange fields the contest asks for.
  eRSTr2->SetVisible(Definition.ExchangeKindsRcvd[0] != 0 || !Definition.SentDefaults[0].empty());
  eRSTr3->SetVisible(Definition.ExchangeKindsRcvd[1] != 0);
  eRSTr4->SetVisible(Definition.ExchangeKindsRcvd[2] != 0);
  // 7. Fixed reports show as texts.
  if (log.RstRcvdFree == 0) {
    eRSTr1->SetVisible(false);
    lRSTr1->SetVisible(true);
  }
  if (listener && log.RstSentFree == 0) {
    ShowControls({eRSTs1, eRSTr1}, false);
    ShowControls({lRSTs1, lRSTr1}, true);
  }
  // 8. A single exchange field takes the room of two.
  if (eRSTr2->Visible() && !eRSTr3->Visible()) eRSTr2->SetWidth(kWideExchangeCells * CellWidth());
  if (eRSTs2->Visible() && !eRSTs3->Visible()) eRSTs2->SetWidth(kWideExchangeCells * CellWidth());
  // 9. Frequency, name and QTH for the contests that log them.
  const bool name_and_qth = (log.Typ == 'I' || log.Typ == 'l') && !listener;
  ShowControls({leFreq, eFreq, leName, eName, leQTH, eQTH}, name_and_qth);
  // 10. A digital contest types its mode.
  if (log.ModePR != 0 && HasMode("DIGITAL")) {
    emode->SetVisible(true);
    emode->SetLeft(lMode->Left());
    emode->SetTop(lMode->Top() - ui::ScalePixels(*this, kModeEditRaise, false));
  }
  // 11. A fourth exchange field takes the number's place: the number moves a line down, larger.
  if (eRSTr4->Visible() && !listener) {
    const int large = ui::ScalePixels(*this, kLargeFontSize, true);
    lNummer->Font().SetSize(large);
    lbeam->Font().SetSize(large);
    lenter->SetVisible(false);
    leNummer->SetTop(leFreq->Top());
    lNummer->SetTop(leNummer->Top() + leNummer->Height() - lNummer->Height());
  }
  lbeam->SetTop(lNummer->Top() + static_cast<int>(kBeamBelowNumber * lNummer->Height() + 0.5));
  lebeam->SetTop(lbeam->Top());
  lbeam->SetCaption("");
  if (log.DatumAuto != 0) {
    eDatum->SetVisible(false);
    lDatum->SetVisible(true);
  }
  if (log.ZeitAuto != 0) {
    ezeit->SetVisible(false);
    lZeit->SetVisible(true);
  }
}

void TContestLogStd::CaptionExchangeFields() {
  const std::array<TLabel*, 3> captions = {lRST2Name, lRST3Name, lRST4Name};
  for (TLabel* label : captions) label->SetCaption("");
  const char code = ContestCode(*Catalogue);
  for (int slot = 2; slot <= 4; ++slot) {
    const std::string caption = ExchangeCaption(Definition, code, slot);
    PlaceExchangeCaption(slot, !caption.empty(), caption);
  }
  // Alt+1 to Alt+3 jump to the fields.
  for (int slot = 2; slot <= 4; ++slot) {
    TLabel& label = *captions[static_cast<std::size_t>(slot - 2)];
    if (!label.Caption().empty()) {
      label.SetCaption("&" + std::to_string(slot - 1) + " : " + label.Caption());
    }
  }
  SeparateExchangeCaptions();
}

void TContestLogStd::SeparateExchangeCaptions() {
  // A caption longer than its field would run into the next one ("&1 : DSW/Paddel" over a field
  // of six cells): the next one then starts after it.
  const TLabel* before = nullptr;
  for (TLabel* label : {lRST2Name, lRST3Name, lRST4Name}) {
    if (!label->Visible() || label->Caption().empty()) continue;
    const int free_from =
        before != nullptr ? before->Left() + before->Width() + ui::ScalePixels(*this, 4, false) : 0;
    if (before != nullptr && before->Top() == label->Top() && label->Left() < free_from) {
      label->SetLeft(free_from);
    }
    before = label;
  }
}

void TContestLogStd::PlaceExchangeCaption(int slot, bool show, const std::string& caption) {
  if (slot < 2 || slot > 4) return;
  const std::size_t i = static_cast<std::size_t>(slot - 2);
  ui::TkvEdit& received = *std::array<ui::TkvEdit*, 3>{eRSTr2, eRSTr3, eRSTr4}[i];
  ui::TkvEdit& sent = *std::array<ui::TkvEdit*, 3>{eRSTs2, eRSTs3, eRSTs4}[i];
  TLabel& label = *std::array<TLabel*, 3>{lRST2Name, lRST3Name, lRST4Name}[i];
  if (!received.Visible() || !show) return;
  const ui::TkvEdit& below = Definition.SWL != 0 ? sent : received;
  label.SetCaption(caption);
  label.SetFocusControl(&received);
  label.SetLeft(received.Left());
  label.SetTop(below.Top() - ui::ScalePixels(*this, kCaptionGap, false) - label.Height());
  label.SetVisible(true);
}

}  // namespace contestlog
