// The log window at a new size: the side bar's buttons at its foot, the log area beside it, the
// button bars lined up, and the entry panel's controls spread over its width.
#include <algorithm>
#include <array>
#include <vector>

#include "contest/window/arrange_controls.h"
#include "contestlog/contest_log_std.h"
#include "ui/kv_form.h"

namespace contestlog {
namespace {

constexpr int kWideWindow = 800;
constexpr int kHighWindow = 800;
constexpr int kNarrowEntryWidth = 630;
constexpr int kSpreadMargin = 20;
constexpr int kBarButtonGap = 2;
constexpr int kBarMargin = 4;
constexpr int kBarButtonPadding = 14;
constexpr int kBarMinPadding = 4;
constexpr int kOwnCallShift = 1;

// A speed button as wide as its caption needs.
int CaptionWidth(TSpeedButton& button, int padding) {
  platform::qt::TCanvas& canvas = button.Canvas();
  canvas.Font.SetName(button.Font().Name());
  canvas.Font.SetSize(button.Font().Size());
  canvas.Font.SetStyle(button.Font().Style());
  return canvas.TextWidth(button.Caption()) + padding;
}

}  // namespace

void TContestLogStd::FormResize() {
  if (!LogOpen()) return;  // not set up yet, or closed
  // 1. Nothing here may change the entry in hand.
  contest::TContestLKRec entry{};
  LogTable->GetLKRec(entry);
  auto px = [this](int value) { return ui::ScalePixels(*this, value, false); };

  // 2. The side bar's foot.
  if (btnweitere->Visible()) {
    btnweitere->SetTop(ClientHeight() - px(5) - btnweitere->Height());
    lversion->SetTop(btnweitere->Top() - px(10) - lversion->Height());
  } else {
    lversion->SetTop(ClientHeight() - px(10) - lversion->Height());
  }
  lhersteller->SetTop(lversion->Top() - lhersteller->Height());
  btnadifimport->SetTop(lhersteller->Top() - px(10) - btnadifimport->Height());

  // 3. The log area beside the side bar; a narrow window keeps the entry's own width.
  if (Width() > px(kWideWindow)) {
    const int left = btnweitere->Left() + btnweitere->Width() + px(5);
    panelContLog->SetLeft(left);
    panelContLog->SetWidth(ClientWidth() - px(10) - left);
  } else {
    panelContLog->SetWidth(px(kNarrowEntryWidth));
  }
  // 4. Vertically.
  const bool high = Height() > px(kHighWindow);
  MenueBeenden->SetTop(px(high ? 24 : 5));
  panelauswertung->SetTop(MenueBeenden->Top() + MenueBeenden->Height() + px(high ? 20 : 5));
  panelContLog->SetTop(px(high ? 20 : 5));
  panelContLog->SetHeight(ClientHeight() - px(high ? 40 : 10));
  // 5. The stack of the log area follows panelContLog's width by its alignment.
  panelObenUntergrund->SetHeight(panelOben->Height() + px(5));
  panelOben->SetWidth(panelObenUntergrund->ClientWidth());
  for (TPanel* bar : {panelButtonsa, panelButtonsb}) LineUpButtonBar(*bar);
  // 6. The entry's controls over the entry panel's width.
  const int reach = px(kSpreadMargin) + panelmulties->Left() + panelmulties->Width();
  if (reach > 0) {
    contest::window::ArrangeControls(*panelEingabe,
                                     static_cast<double>(panelEingabe->Width()) / reach);
  }
  SeparateExchangeCaptions();
  // The texts at the entry panel's right end stay inside it, also in a narrow window.
  for (TLabel* label : {lenter, leNummer, lNummer, lebeam, lbeam}) {
    const int overhang = label->Left() + label->Width() - panelEingabe->ClientWidth();
    if (overhang > 0) label->SetLeft(label->Left() - overhang);
  }
  LogTable->SetLKWorkingCopy(entry);
}

void TContestLogStd::LineUpButtonBar(TPanel& bar) {
  const bool a = &bar == panelButtonsa;
  const std::vector<TSpeedButton*> from_left =
      a ? std::vector<TSpeedButton*>{btnSpeicherna, btnCleara, btnBanda, btnModea, btnNameqtha,
                                     btnKorrektura, btnListea, btnNotiza, btnbeendena}
        : std::vector<TSpeedButton*>{btnSpeichernb, btnClearb, btnBandb, btnModeb, btnNameqthb,
                                     btnKorrekturb, btnListeb, btnNotizb, btnbeendenb};
  const std::vector<TSpeedButton*> from_right =
      a ? std::vector<TSpeedButton*>{btnHilfea, btnCallsuchea, btnkeyinga, btnauswertunga}
        : std::vector<TSpeedButton*>{btnHilfeb, btnCallsucheb, btnkeyingb, btnauswertungb};
  const int gap = ui::ScalePixels(*this, kBarButtonGap, false);
  const int margin = ui::ScalePixels(*this, kBarMargin, false);
  // Each button is its caption and a padding; a narrow bar pads less, so that all fit.
  int buttons = 0;
  int captions = 0;
  for (const auto* group : {&from_left, &from_right}) {
    for (TSpeedButton* button : *group) {
      if (!button->Visible()) continue;
      ++buttons;
      captions += CaptionWidth(*button, 0);
    }
  }
  const int room = bar.ClientWidth() - 2 * margin - buttons * gap - captions;
  const int padding =
      std::clamp(buttons > 0 ? room / buttons : 0, ui::ScalePixels(*this, kBarMinPadding, false),
                 ui::ScalePixels(*this, kBarButtonPadding, false));
  int left = margin;
  for (TSpeedButton* button : from_left) {
    if (!button->Visible()) continue;
    button->SetLeft(left);
    button->SetWidth(CaptionWidth(*button, padding));
    left += button->Width() + gap;
  }
  int right = bar.ClientWidth() - margin;
  for (TSpeedButton* button : from_right) {
    if (!button->Visible()) continue;
    button->SetWidth(CaptionWidth(*button, padding));
    right = std::max(right - button->Width(), left);  // never over the left group
    button->SetLeft(right);
    right -= gap;
  }
  // The own call between the groups, drawn in three layers, where there is room for it.
  const std::array<TLabel*, kOwnCallLabels>& own_call = a ? lglobcalla : lglobcallb;
  const int shift = ui::ScalePixels(*this, kOwnCallShift, false);
  const int call_left = left + (right - left - own_call[0]->Width()) / 2;
  const bool fits = !own_call[0]->Caption().empty() &&
                    own_call[0]->Width() + (kOwnCallLabels + 1) * shift <= right - left;
  for (std::size_t i = 0; i < own_call.size(); ++i) {
    const int offset = static_cast<int>(own_call.size() - 1 - i) * shift;
    own_call[i]->SetLeft(call_left + offset);
    own_call[i]->SetTop((bar.ClientHeight() - own_call[i]->Height()) / 2 + offset);
    own_call[i]->SetTransparent(true);
    own_call[i]->SetVisible(fits);
  }
}

}  // namespace contestlog
