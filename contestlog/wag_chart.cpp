#include "contestlog/wag_chart.h"

#include <string>

#include "common/date_mask.h"
#include "common/messages.h"
#include "common/number_mask.h"
#include "common/service.h"
#include "contestlog/chart_counts.h"
#include "platform/qt/application.h"

namespace contestlog {
namespace {

using platform::qt::clBlack;
using platform::qt::clBlue;
using platform::qt::clRed;

constexpr int kColumnStep = 22;  // pixels between two hours
constexpr int kAxisRight = 570;

std::string DateText(std::int32_t date) { return common::DateToDateString(date, "dd.mm.yyyy", {}); }

// The hour above column `column` (1..24): 15 to 23, then 0 to 14.
int ColumnHour(int column) { return column <= 9 ? column + 14 : column - 10; }

contest::TContestKKRec CatalogueRecord(const contest::TdbContest& catalogue) {
  contest::TContestKKRec record{};
  catalogue.GetKKRec(record);
  return record;
}

void Warn(const std::string& text) { common::Service<common::ToMessages>::Get().Achtung("", text); }

}  // namespace

Twagauswertungform::Twagauswertungform(contest::TdbContest& catalogue, contest::TdbContest& second)
    : ui::TkvForm(nullptr), Catalogue(catalogue), SecondTable(second) {
  const ChartFrame frame =
      BuildChartFrame(*this, "wagauswertungform", "Auswertung / Contest-Strategie");
  Panel1 = frame.buttons;
  btnOK = frame.ok;
  panelausw = frame.chart;
  Panel1->OnResize = [this](platform::qt::TComponent*) { Panel1Resize(); };
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  Panel1Resize();
  FormCreate();
}

void Twagauswertungform::FormCreate() {
  const contest::TContestKKRec log = CatalogueRecord(Catalogue);
  platform::qt::TWinControl& chart = *panelausw;
  AddChartLabel(chart, 0, 0, "QSO pro Stunde", true, clBlue);
  AddChartLabel(chart, 0, 20, "Multi pro Stunde", true, clRed);
  AddChartLabel(chart, 300, 290, "UTC", true);
  AddChartLabel(chart, 40, 285, DateText(log.DatumVon), true);
  AddChartLabel(chart, 495, 285, DateText(log.DatumVon + 1), true);
  DrawAxes(chart, kAxisRight);
  for (int i = 1; i <= kChartHours; ++i) {
    AddRect(chart, 40 + kColumnStep * i, 250, 42 + kColumnStep * i, 260, clBlack);
    AddChartLabel(chart, 35 + kColumnStep * i, 265, common::IntToStrMask(ColumnHour(i), 2), false);
  }
  platform::qt::Application().ProcessMessages();

  HourlyCounts counts;
  {
    // An object of its own on the log, so that the log window's record in hand stays as it is.
    contest::TdbContest qsos(contest::kTableLK, log.Nummer);
    counts = CountHourly(qsos, log.DatumVon);
  }
  if (counts.early > 0) {
    Warn(std::to_string(counts.early) +
         " QSO wurden vor Beginn des Contestes geführt und werden deshalb nicht angezeigt!");
  }
  if (counts.late) {
    Warn(
        "Ein oder mehrere QSO wurden nach Ende des Contestes geführt und werden deshalb nicht "
        "angezeigt!");
  }

  int largest = 0;
  for (int count : counts.qsos) largest = std::max(largest, count);
  const int scale = ChartScale(largest);
  if (scale == 0) {
    AddChartLabel(chart, 200, 170, "keine QSO im Contestzeitraum", true);
    return;
  }
  for (int i = 1; i <= kChartHours; ++i) {
    AddBar(chart, 34 + kColumnStep * i, 6, scale, counts.qsos[i], clBlue);
    AddBar(chart, 40 + kColumnStep * i, 6, scale, counts.multis[i], clRed);
  }
  PlaceScaleLabels(chart, scale);
}

void Twagauswertungform::Panel1Resize() { btnOK->SetLeft((Panel1->Width() - btnOK->Width()) / 2); }

void Twagauswertungform::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState) {
  CloseChartOnEscape(*this, key);
}

void ShowWagChart(contest::TdbContest& catalogue, contest::TdbContest& second, ChartPlace& place) {
  if (CatalogueRecord(catalogue).DatumVon < 1) {
    Warn("Der Beginn des Contestes wurde nicht angegeben.");
    return;
  }
  Twagauswertungform form(catalogue, second);
  ShowChartModal(form, place);
}

}  // namespace contestlog
