// The log window's ways to its evaluation charts: the evaluation buttons here, F11 (keyer off) and
// Alt+F11 in the key table (log_keys.cpp).
#include <cstdint>

#include "contest/catalogue_record.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/log_start.h"
#include "contestlog/party_chart.h"
#include "contestlog/wag_chart.h"

namespace contestlog {
namespace {

bool HasPartyChart(char code) { return code == 'P' || code == '5'; }

constexpr const char* kNoChart = "kann die Auswertung nicht gezeigt werden.";

}  // namespace

void TContestLogStd::BindChartEvents() {
  for (TSpeedButton* button : {btnauswertunga, btnauswertungb}) {
    button->OnClick = [this](platform::qt::TComponent*) { btnauswertungaClick(); };
  }
}

void TContestLogStd::btnauswertungaClick() {
  const char code = ContestCode(*Catalogue);
  if (HasPartyChart(code)) {
    ShowPartyChartOfLog();
  } else if (code == 'W' && LogReadable(kNoChart)) {
    ShowWagChart(*Catalogue, *ContestData, ChartValues);
    btnCleara->Click();
  }
}

void TContestLogStd::ShowPartyChartOfLog() {
  if (!HasPartyChart(ContestCode(*Catalogue)) || !LogReadable(kNoChart)) return;
  contest::TContestKKRec log{};
  Catalogue->GetKKRec(log);
  ShowPartyChart(log.DatumVon, *LogTable, ChartValues);
}

}  // namespace contestlog
