// The log window's ways to its evaluation charts and to the further-programs box: the evaluation
// buttons, F11 (keyer off) and Alt+F11, and btnweitere.
#include <cstdint>

#include "contest/catalogue_record.h"
#include "contest/window/log_actions.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_start.h"
#include "contestlog/party_chart.h"
#include "contestlog/wag_chart.h"
#include "platform/qt/keys.h"

namespace contestlog {
namespace {

bool HasPartyChart(char code) { return code == 'P' || code == '5'; }

}  // namespace

void TContestLogStd::BindChartEvents() {
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  for (TSpeedButton* button : {btnauswertunga, btnauswertungb}) {
    button->OnClick = [this](platform::qt::TComponent*) { btnauswertungaClick(); };
  }
  btnweitere->OnClick = [this](platform::qt::TComponent*) { btnweitereClick(); };
}

void TContestLogStd::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState shift) {
  const bool plain = shift == 0;
  const bool alt = shift == platform::qt::ssAlt;
  if (key == platform::qt::VK_F11 && ((plain && !KeyerOn) || alt)) ShowPartyChartOfLog();
}

void TContestLogStd::btnauswertungaClick() {
  const char code = ContestCode(*Catalogue);
  if (HasPartyChart(code)) {
    ShowPartyChartOfLog();
  } else if (code == 'W') {
    ShowWagChart(*Catalogue, *ContestData, ChartValues);
    btnCleara->Click();
  }
}

void TContestLogStd::btnweitereClick() { contest::window::ShowMorePrograms(); }

void TContestLogStd::ShowPartyChartOfLog() {
  if (!HasPartyChart(ContestCode(*Catalogue))) return;
  contest::TContestKKRec log{};
  Catalogue->GetKKRec(log);
  ShowPartyChart(log.DatumVon, *LogTable, ChartValues);
}

}  // namespace contestlog
