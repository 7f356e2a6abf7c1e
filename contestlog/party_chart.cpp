#include "contestlog/party_chart.h"

#include <algorithm>
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "contestlog/chart_counts.h"
#include "platform/qt/application.h"

namespace contestlog {
namespace {

using platform::qt::clBlack;
using platform::qt::clBlue;

constexpr int kAxisRight = 600;
constexpr int kYearWidth = 5;  // pixels per year on the age axis

int YearX(int age) { return 42 + kYearWidth * age; }

// The bottom of the tick under `age`: longer ticks mark the multiples of 10 and of 5; the steps
// that have no bar at a year draw no tick there.
int TickBottom(int age, int step) {
  if (age % 10 == 0) return 263;
  if (age % 5 == 0) return step < 10 ? 260 : 0;
  return step == 1 ? 257 : 0;
}

// The label under `age` for `step`, or none: every five years (every ten in 10-year steps).
std::string AxisLabel(int age, int step) {
  if (age % (step == 10 ? 10 : 5) != 0) return "";
  if (age == kOldestAge) return "90 und mehr";
  if (step == 1) return std::to_string(age);
  return std::to_string(age) + "-" + std::to_string(age + step - 1);
}

// The labels of the multiples of 10 stand 10 pixels lower, except in 10-year steps.
int LabelTop(int age, int step) { return age % 10 == 0 && step < 10 ? 275 : 265; }

std::string Title(int step) {
  const std::string title = "Anzahl QSO pro Alter der DARC-Mitgliedschaft";
  if (step == 5) return title + " (5-Jahres-Schritte)";
  if (step == 10) return title + " (10-Jahresschritte)";
  return title;
}

}  // namespace

Tpartyauswertungform::Tpartyauswertungform(contest::TdbContestBase& log)
    : ui::TkvForm(nullptr), LogTable(log) {
  {
    const ChartFrame frame = BuildChartFrame(*this, "partyauswertungform", "Übersicht");
    Panel1 = frame.buttons;
    btnOK = frame.ok;
    panelausw = frame.chart;
    panelausw->Font().SetName("MS Sans Serif");
    panelausw->Font().SetSize(8);
    struct StepButton {
      platform::qt::TRadioButton** button;
      const char* name;
      const char* caption;
      int left;
    };
    const StepButton steps[] = {{&r1, "r1", "Ein-Jahres-Schritte", 8},
                                {&r5, "r5", "5-Jahres-Schritte", 158},
                                {&r10, "r10", "10-Jahres-Schritte", 298}};
    for (const StepButton& s : steps) {
      auto* button = new platform::qt::TRadioButton(this);
      button->SetName(s.name);
      button->SetParent(Panel1);
      button->SetCaption(s.caption);
      button->SetBounds(s.left, 6, 135, 17);
      button->OnClick = [this](platform::qt::TComponent*) { r1Click(); };
      *s.button = button;
    }
    r1->SetChecked(true);
  }
  Panel1->OnResize = [this](platform::qt::TComponent*) { Panel1Resize(); };
  OnKeyDown = [this](platform::qt::TComponent*, std::uint16_t& key,
                     platform::qt::TShiftState shift) { FormKeyDown(key, shift); };
  Panel1Resize();
  FormCreate();
}

void Tpartyauswertungform::FormCreate() { DrawOverview(); }

void Tpartyauswertungform::r1Click() { DrawOverview(); }

void Tpartyauswertungform::Panel1Resize() { btnOK->SetLeft(Panel1->Width() - btnOK->Width()); }

void Tpartyauswertungform::FormKeyDown(std::uint16_t& key, platform::qt::TShiftState) {
  CloseChartOnEscape(*this, key);
}

int Tpartyauswertungform::Step() const {
  if (r10->Checked()) return 10;
  if (r5->Checked()) return 5;
  return 1;
}

void Tpartyauswertungform::DrawOverview() {
  platform::qt::TWinControl& chart = *panelausw;
  while (!chart.Controls().empty()) delete chart.Controls().back();

  const int step = Step();
  AddChartLabel(chart, 0, 0, Title(step), true, clBlue);
  AddChartLabel(chart, 300, 290, "Lizenzalter", true);
  DrawAxes(chart, kAxisRight);
  for (int age = 0; age <= kOldestAge; ++age) {
    const int bottom = TickBottom(age, step);
    if (bottom > 0) AddRect(chart, YearX(age), 250, YearX(age) + 2, bottom, clBlack);
    const std::string label = AxisLabel(age, step);
    if (!label.empty())
      AddChartLabel(chart, 35 + kYearWidth * age, LabelTop(age, step), label, false);
  }
  platform::qt::Application().ProcessMessages();

  std::array<int, kOldestAge + 1> counters{};
  {
    contest::TdbContestBase qsos(contest::kTableLK, LogTable.FileSetNo());
    counters = CountAges(qsos, step);
  }
  const int scale = ChartScale(*std::max_element(counters.begin(), counters.end()));
  if (scale == 0) {
    AddChartLabel(chart, 200, 170, "keine gültigen QSO im Log", true);
    return;
  }
  const int width = 3 * step;  // a bar as wide as its step
  for (int age = 0; age <= kOldestAge; ++age) {
    AddBar(chart, YearX(age), width, scale, counters[age], clBlue);
  }
  PlaceScaleLabels(chart, scale);
}

void ShowPartyChart(std::int32_t start_day, contest::TdbContestBase& log, ChartPlace& place) {
  if (start_day < 1) {
    common::Service<common::ToMessages>::Get().Achtung(
        "", "Der Beginn des Contestes wurde nicht angegeben.");
    return;
  }
  Tpartyauswertungform form(log);
  ShowChartModal(form, place);
}

}  // namespace contestlog
