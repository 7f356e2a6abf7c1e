// The evaluation charts on fixture logs: the hourly chart of 'W' (which QSO lands in which hour,
// the warnings about QSOs outside the 24 hours, the scale, the bars as pixels) and the overview of
// 'P' and '5' (the ages by step, the bar widths and labels), each read off the drawn chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/chart_counts.h"
#include "contestlog/party_chart.h"
#include "contestlog/wag_chart.h"
#include "platform/qt/bitmap.h"
#include "platform/qt/button.h"
#include "platform/qt/check_box.h"
#include "platform/qt/keys.h"
#include "platform/qt/label.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog_test {
namespace {

using platform::qt::TColor;
using platform::qt::TForm;
using platform::qt::TLabel;
using platform::qt::TPanel;
using platform::qt::TWinControl;

constexpr std::int32_t kHour = 3600;

// The captions of the labels on `panel` at `left` (any left when -1), from the top down and
// then from the left, trimmed.
std::vector<std::string> LabelsAt(TWinControl& panel, int left = -1, int top = -1) {
  std::vector<std::pair<std::pair<int, int>, std::string>> found;
  for (platform::qt::TControl* control : panel.Controls()) {
    auto* label = dynamic_cast<TLabel*>(control);
    if (label == nullptr) continue;
    if (left >= 0 && label->Left() != left) continue;
    if (top >= 0 && label->Top() != top) continue;
    std::string text = label->Caption();
    text.erase(0, text.find_first_not_of(' '));
    found.push_back({{label->Top(), label->Left()}, text});
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> captions;
  for (const auto& f : found) captions.push_back(f.second);
  return captions;
}

bool HasLabel(TWinControl& panel, const std::string& caption) {
  const std::vector<std::string> all = LabelsAt(panel);
  return std::find(all.begin(), all.end(), caption) != all.end();
}

// The bars on `panel` of `colour` that have a height, by their left edge: {width, height}.
std::map<int, std::pair<int, int>> Bars(TWinControl& panel, TColor colour) {
  std::map<int, std::pair<int, int>> bars;
  for (platform::qt::TControl* control : panel.Controls()) {
    auto* bar = dynamic_cast<TPanel*>(control);
    if (bar == nullptr || bar->Color() != colour || bar->Height() == 0) continue;
    EXPECT_EQ(bar->Top() + bar->Height(), 250) << "bars stand on the baseline";
    bars[bar->Left()] = {bar->Width(), bar->Height()};
  }
  return bars;
}

// Closes a chart window as the operator does, with its OK button.
void ClickOk(TForm& form) {
  auto* ok = dynamic_cast<platform::qt::TButton*>(form.FindComponent("btnOK"));
  ASSERT_NE(ok, nullptr);
  platform::qt::testkit::Click(*ok, 5, 5);
  EXPECT_EQ(form.ModalResult(), platform::qt::mrCancel);
}

// The height in pixels of `count` QSOs on a scale of `scale` (the scale reaches 200 pixels).
int Height(int count, int scale) { return 200 * count / scale; }

class ChartTest : public LogWindowTest {
 protected:
  // A log of `code` starting on kContestDay.
  LogBuilder& NewLog(char code) {
    builder_ = std::make_unique<LogBuilder>(code);
    builder_->Catalogue().DatumVon = kContestDay;
    builder_->Create();
    return *builder_;
  }

  // A QSO `hours` after 00:00 UTC of the start day, with a new multiplier when `multi` is set.
  void AddQso(double hours, bool multi = false) {
    const auto seconds = static_cast<std::int32_t>(hours * kHour);
    contest::TContestLKRec qso = Qso("DL" + std::to_string(++calls_) + "XX", 'c',
                                     kContestDay + seconds / (24 * kHour), seconds % (24 * kHour));
    if (multi) qso.CMulti = "DL";
    builder_->Add(qso);
  }

  // Opens the hourly chart of the log, runs `look` on it while it shows.
  void ShowWag(const std::function<void(contestlog::Twagauswertungform&)>& look) {
    MainTables main(builder_->Number());
    driver_.Then([&](TForm& form) {
      look(dynamic_cast<contestlog::Twagauswertungform&>(form));
      if (form.ModalResult() == platform::qt::mrNone) ClickOk(form);
    });
    contestlog::ShowWagChart(main.catalogue, main.contest_data, place_);
  }

  std::vector<std::string> Warnings() const {
    std::vector<std::string> texts;
    for (const common::MessageCall& call : presenter_->calls) {
      EXPECT_EQ(call.kind, common::MessageKind::kAchtung);
      texts.push_back(call.text);
    }
    return texts;
  }

  std::unique_ptr<LogBuilder> builder_;
  contestlog::ChartPlace place_{};
  int calls_ = 0;
};

const std::string kEarly =
    " QSO wurden vor Beginn des Contestes geführt und werden deshalb nicht angezeigt!";
const std::string kLate =
    "Ein oder mehrere QSO wurden nach Ende des Contestes geführt und werden deshalb nicht "
    "angezeigt!";

struct HourRow {
  const char* name;
  std::vector<double> hours;        // QSO times, in hours from 00:00 UTC of the start day
  std::map<int, int> columns;       // the QSO bars expected: column -> count
  std::vector<std::string> warned;  // the warnings, in order
};

TEST_F(ChartTest, EachQsoLandsInTheHourSinceFifteenUtcOfTheStartDay) {
  const HourRow rows[] = {
      {"14:59 is before the start", {14 + 59 / 60.0, 15}, {{1, 1}}, {"1" + kEarly}},
      {"a day before as well", {-2, -20, 15.5}, {{1, 1}}, {"2" + kEarly}},
      {"00:30 the next day is hour 0", {15, 24.5}, {{1, 1}, {10, 1}}, {}},
      {"14:xx the next day is the last hour", {38.9}, {{24, 1}}, {}},
      {"the day after the next is late", {15, 48.25, 48.5}, {{1, 1}}, {kLate}},
      {"15:00 the next day is late", {16, 39}, {{2, 1}}, {kLate}},
      {"24 hours after another is late", {15.2, 15.2 + 24}, {{1, 1}}, {kLate}},
      {"both warnings", {3, 15, 40}, {{1, 1}}, {"1" + kEarly, kLate}},
  };
  for (const HourRow& row : rows) {
    SCOPED_TRACE(row.name);
    NewLog('W');
    for (double h : row.hours) AddQso(h);
    presenter_->calls.clear();
    std::map<int, int> columns;
    ShowWag([&](contestlog::Twagauswertungform& form) {
      for (const auto& [left, bar] : Bars(*form.panelausw, platform::qt::clBlue)) {
        EXPECT_EQ(bar.first, 6);
        columns[(left - 34) / 22] = bar.second / Height(1, 10);
      }
    });
    EXPECT_EQ(columns, row.columns);
    EXPECT_EQ(Warnings(), row.warned);
  }
}

TEST_F(ChartTest, TheScaleRisesToTheNextTenAndLabelsItsTicks) {
  struct Row {
    int largest;
    int scale;
    int largest_height;  // of the bar of the largest count, in pixels
    int one_height;      // of a bar of 1
  };
  for (const Row row : {Row{3, 10, 60, 20}, Row{23, 30, 154, 7}, Row{40, 40, 200, 5}}) {
    SCOPED_TRACE(row.largest);
    NewLog('W');
    for (int n = 0; n < row.largest; ++n) AddQso(20.5, n == 0);
    AddQso(21.5);
    ShowWag([&](contestlog::Twagauswertungform& form) {
      TWinControl& chart = *form.panelausw;
      std::vector<std::string> expected;
      for (int k = 10; k >= 1; --k) expected.push_back(std::to_string(row.scale * k / 10));
      std::vector<std::string> scale_labels = LabelsAt(chart, 0);
      scale_labels.erase(scale_labels.begin(), scale_labels.begin() + 2);  // the two headings
      EXPECT_EQ(scale_labels, expected);
      EXPECT_EQ(LabelsAt(chart, 0, 45).front(), std::to_string(row.scale));
      const auto blue = Bars(chart, platform::qt::clBlue);
      EXPECT_EQ(blue.at(34 + 22 * 6).second, row.largest_height);
      EXPECT_EQ(blue.at(34 + 22 * 7).second, row.one_height);
      EXPECT_EQ(Bars(chart, platform::qt::clRed).at(40 + 22 * 6).second, row.one_height);
    });
  }
}

TEST_F(ChartTest, TheBarsOfEachHourAreBluePixelsBesideRedOnes) {
  NewLog('W');
  // Column i gets i QSOs (up to 10), the first of them with a new multiplier in odd columns.
  for (int i = 1; i <= contestlog::kChartHours; ++i) {
    for (int n = 0; n < std::min(i, 10); ++n) AddQso(14 + i + n / 100.0, n == 0 && i % 2 == 1);
  }
  ShowWag([&](contestlog::Twagauswertungform& form) {
    const platform::qt::TBitmap shot = platform::qt::testkit::Grab(*form.panelausw);
    Shot(form, "chart_hourly");
    const TColor blue = platform::qt::ColorToRGB(platform::qt::clBlue);
    const TColor red = platform::qt::ColorToRGB(platform::qt::clRed);
    const TColor white = platform::qt::ColorToRGB(platform::qt::clWhite);
    for (int i = 1; i <= contestlog::kChartHours; ++i) {
      SCOPED_TRACE(i);
      const int qso_top = 250 - Height(std::min(i, 10), 10);
      const int multi_top = i % 2 == 1 ? 250 - Height(1, 10) : 250;
      for (int x = 34 + 22 * i; x <= 39 + 22 * i; ++x) {
        EXPECT_EQ(shot.Pixel(x, 249), blue) << x;
        EXPECT_EQ(shot.Pixel(x, qso_top), blue) << x;
        EXPECT_EQ(shot.Pixel(x, qso_top - 1), white) << x;
      }
      for (int x = 40 + 22 * i; x <= 45 + 22 * i; ++x) {
        if (i % 2 == 1) {
          EXPECT_EQ(shot.Pixel(x, multi_top), red) << x;
        }
        EXPECT_EQ(shot.Pixel(x, multi_top - 1), white) << x;
      }
      EXPECT_EQ(shot.Pixel(33 + 22 * i, 249), white);
      EXPECT_EQ(shot.Pixel(46 + 22 * i, 240), white);
    }
    std::vector<std::string> hours = LabelsAt(*form.panelausw, -1, 265);
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_EQ(hours.front(), "15");
    EXPECT_EQ(hours[8], "23");
    EXPECT_EQ(hours[9], "0");
    EXPECT_EQ(hours.back(), "14");
    EXPECT_TRUE(HasLabel(*form.panelausw, "09.03.2024"));
    EXPECT_TRUE(HasLabel(*form.panelausw, "10.03.2024"));
  });
}

TEST_F(ChartTest, AnEmptyPeriodShowsTheAxesAndSaysSo) {
  NewLog('W');
  AddQso(10);
  ShowWag([&](contestlog::Twagauswertungform& form) {
    TWinControl& chart = *form.panelausw;
    EXPECT_TRUE(HasLabel(chart, "keine QSO im Contestzeitraum"));
    EXPECT_TRUE(Bars(chart, platform::qt::clBlue).empty());
    EXPECT_TRUE(LabelsAt(chart, 0, 45).empty()) << "no scale";
    const platform::qt::TBitmap shot = platform::qt::testkit::Grab(chart);
    EXPECT_EQ(shot.Pixel(41, 100), platform::qt::ColorToRGB(platform::qt::clBlack)) << "y axis";
    EXPECT_EQ(shot.Pixel(300, 251), platform::qt::ColorToRGB(platform::qt::clBlack)) << "x axis";
  });
  EXPECT_EQ(Warnings(), std::vector<std::string>{"1" + kEarly});
}

TEST_F(ChartTest, WithoutAStartDateNoChartOpens) {
  builder_ = std::make_unique<LogBuilder>('W');
  builder_->Catalogue().DatumVon = 0;
  builder_->Create();
  AddQso(16);
  MainTables main(builder_->Number());
  contestlog::ShowWagChart(main.catalogue, main.contest_data, place_);
  contestlog::ShowPartyChart(0, main.catalogue, place_);
  EXPECT_TRUE(driver_.Seen().empty());
  EXPECT_EQ(Warnings(),
            std::vector<std::string>(2, "Der Beginn des Contestes wurde nicht angegeben."));
  EXPECT_EQ(place_[2], 0);
}

TEST_F(ChartTest, ASecondChartOpensWhereTheFirstWasClosed) {
  NewLog('W');
  AddQso(16);
  ShowWag([](contestlog::Twagauswertungform& form) {
    form.SetBounds(70, 40, form.Width() + 30, form.Height() + 20);
  });
  const contestlog::ChartPlace first = place_;
  EXPECT_EQ(first[0], 70);
  EXPECT_EQ(first[1], 40);
  MainTables main(builder_->Number());
  contest::TdbContest log(contest::kTableLK, builder_->Number());
  driver_.Then([&](TForm& form) {
    EXPECT_EQ(form.Left(), first[0]);
    EXPECT_EQ(form.Top(), first[1]);
    EXPECT_EQ(form.Width(), first[2]);
    EXPECT_EQ(form.Height(), first[3]);
    platform::qt::testkit::PressKey(form, platform::qt::VK_ESCAPE);
  });
  contestlog::ShowPartyChart(kContestDay, log, place_);
  EXPECT_EQ(place_, first);
  EXPECT_EQ(driver_.Seen(), (std::vector<std::string>{"wagauswertungform", "partyauswertungform"}));
}

// The overview: QSOs with points by the partner's age, in the step of the checked button.
class OverviewTest : public ChartTest {
 protected:
  void AddAged(const std::string& age, int points = 1) {
    contest::TContestLKRec qso =
        Qso("DL" + std::to_string(++calls_) + "YY", 'c', kContestDay, 16 * kHour);
    contest::TContestFkt::SetRcvdExchange("001" + age + "B36", qso);
    qso.Points = static_cast<std::uint16_t>(points);
    builder_->Add(qso);
  }
};

TEST_F(OverviewTest, AgesCountByStepUnderTheirLabels) {
  NewLog('P');
  for (const char* age : {"04", "05", "09", "89", "90", "95", "XX", "5A"}) AddAged(age);
  AddAged("30", 0);  // no points: not counted
  builder_->AddQsy('d', kContestDay, 17 * kHour);
  struct Step {
    const char* button;
    int width;
    std::map<int, int> counts;  // age counter -> QSOs
    std::string title_end;
    std::vector<std::string> some_labels;
    std::size_t axis_labels;
  };
  const Step steps[] = {
      {"r1",
       3,
       {{4, 1}, {5, 1}, {9, 1}, {89, 1}, {90, 2}},
       "Mitgliedschaft",
       {"0", "5", "85", "90 und mehr"},
       19},
      {"r5",
       15,
       {{0, 1}, {5, 2}, {85, 1}, {90, 2}},
       "(5-Jahres-Schritte)",
       {"0-4", "5-9", "85-89", "90 und mehr"},
       19},
      {"r10",
       30,
       {{0, 3}, {80, 1}, {90, 2}},
       "(10-Jahresschritte)",
       {"0-9", "10-19", "80-89", "90 und mehr"},
       10},
  };
  contest::TdbContest log(contest::kTableLK, builder_->Number());
  log.First(1);
  contest::TContestLKRec before{};
  log.GetLKRec(before);
  driver_.Then([&](TForm& f) {
    auto& form = dynamic_cast<contestlog::Tpartyauswertungform&>(f);
    for (const Step& step : steps) {
      SCOPED_TRACE(step.button);
      auto* button = dynamic_cast<platform::qt::TRadioButton*>(form.FindComponent(step.button));
      ASSERT_NE(button, nullptr);
      platform::qt::testkit::Click(*button, 5, 8);
      EXPECT_TRUE(button->Checked());
      TWinControl& chart = *form.panelausw;
      std::map<int, int> counts;
      for (const auto& [left, bar] : Bars(chart, platform::qt::clBlue)) {
        EXPECT_EQ(bar.first, step.width);
        counts[(left - 42) / 5] = bar.second / Height(1, 10);
      }
      EXPECT_EQ(counts, step.counts);
      const std::string title = LabelsAt(chart, 0, 0).at(0);
      EXPECT_EQ(title.substr(title.size() - step.title_end.size()), step.title_end);
      for (const std::string& label : step.some_labels)
        EXPECT_TRUE(HasLabel(chart, label)) << label;
      EXPECT_EQ(LabelsAt(chart, -1, 265).size() + LabelsAt(chart, -1, 275).size(),
                step.axis_labels);
      Shot(form, std::string("chart_overview_") + step.button);
    }
    ClickOk(form);
  });
  contestlog::ShowPartyChart(kContestDay, log, place_);
  contest::TContestLKRec after{};
  log.GetLKRec(after);
  EXPECT_EQ(after.Call.str(), before.Call.str()) << "the caller's record stays in hand";
  EXPECT_EQ(driver_.Unanswered(), 0);
}

TEST_F(OverviewTest, NoCountableQsoShowsTheAxesAndSaysSo) {
  NewLog('5');
  AddAged("XX");
  AddAged("40", 0);
  contest::TdbContest log(contest::kTableLK, builder_->Number());
  driver_.Then([&](TForm& f) {
    auto& form = dynamic_cast<contestlog::Tpartyauswertungform&>(f);
    EXPECT_TRUE(HasLabel(*form.panelausw, "keine gültigen QSO im Log"));
    EXPECT_TRUE(Bars(*form.panelausw, platform::qt::clBlue).empty());
    EXPECT_TRUE(HasLabel(*form.panelausw, "Lizenzalter"));
    platform::qt::testkit::PressKey(form, platform::qt::VK_ESCAPE);
    EXPECT_EQ(form.ModalResult(), platform::qt::mrCancel);
  });
  contestlog::ShowPartyChart(kContestDay, log, place_);
}

}  // namespace
}  // namespace contestlog_test

namespace contestlog_test {
namespace {

// The log window's ways to the charts: F11 and Alt+F11, the evaluation buttons, and where a
// second chart opens; and its further-programs button.
class LogWindowChartTest : public ChartTest {
 protected:
  // Runs `steps` in the open window of a new log of `code` with one QSO at 16:00.
  void InWindow(char code, const std::function<void(TContestLogStd&)>& steps) {
    NewLog(code);
    AddQso(16);
    RunLog(builder_->Number(), builder_->Definition(), steps);
  }

  // Expects `act` to open the chart named `chart` (none when empty) and closes it with Esc.
  void ExpectChart(const std::string& chart, const std::function<void()>& act) {
    const std::size_t before = driver_.Seen().size();
    if (!chart.empty()) {
      driver_.Then(
          [](TForm& form) { platform::qt::testkit::PressKey(form, platform::qt::VK_ESCAPE); });
    }
    act();
    std::vector<std::string> opened(driver_.Seen().begin() + static_cast<long>(before),
                                    driver_.Seen().end());
    EXPECT_EQ(opened, chart.empty() ? std::vector<std::string>{} : std::vector<std::string>{chart});
  }
};

TEST_F(LogWindowChartTest, F11AndAltF11OpenTheOverviewOnlyForPartyLogs) {
  using platform::qt::ssAlt;
  using platform::qt::ssCtrl;
  using platform::qt::VK_F11;
  for (const char code : {'P', '5'}) {
    SCOPED_TRACE(code);
    InWindow(code, [&](TContestLogStd& window) {
      ExpectChart("partyauswertungform", [&] { platform::qt::testkit::PressKey(window, VK_F11); });
      ExpectChart("partyauswertungform",
                  [&] { platform::qt::testkit::PressKey(window, VK_F11, ssAlt); });
      ExpectChart("", [&] { platform::qt::testkit::PressKey(window, VK_F11, ssCtrl); });
      ExpectChart("", [&] { platform::qt::testkit::PressKey(window, VK_F11, ssAlt | ssCtrl); });
      window.KeyerOn = true;  // F11 is the keyer's eleventh memory then
      ExpectChart("", [&] { platform::qt::testkit::PressKey(window, VK_F11); });
      ExpectChart("partyauswertungform",
                  [&] { platform::qt::testkit::PressKey(window, VK_F11, ssAlt); });
      window.KeyerOn = false;
      ExpectChart("partyauswertungform", [&] { window.btnauswertungb->Click(); });
    });
  }
  InWindow('W', [&](TContestLogStd& window) {
    ExpectChart("", [&] { platform::qt::testkit::PressKey(window, VK_F11); });
    ExpectChart("", [&] { platform::qt::testkit::PressKey(window, VK_F11, ssAlt); });
    ExpectChart("wagauswertungform", [&] { window.btnauswertunga->Click(); });
  });
  InWindow('.', [&](TContestLogStd& window) {
    ExpectChart("", [&] { window.btnauswertunga->Click(); });
  });
}

TEST_F(LogWindowChartTest, TheLogWindowKeepsWhereTheLastChartClosed) {
  InWindow('P', [&](TContestLogStd& window) {
    EXPECT_EQ(window.ChartValues[2], 0) << "no chart yet";
    driver_.Then([](TForm& form) {
      form.SetBounds(90, 60, form.Width(), form.Height() + 40);
      form.SetModalResult(platform::qt::mrCancel);
    });
    window.btnauswertunga->Click();
    EXPECT_EQ(window.ChartValues[0], 90);
    EXPECT_EQ(window.ChartValues[1], 60);
    const auto first = window.ChartValues;
    driver_.Then([&](TForm& form) {
      EXPECT_EQ(form.Left(), 90);
      EXPECT_EQ(form.Top(), 60);
      EXPECT_EQ(form.Height(), first[3]);
      form.SetModalResult(platform::qt::mrCancel);
    });
    platform::qt::testkit::PressKey(window, platform::qt::VK_F11);
    EXPECT_EQ(window.ChartValues, first);
  });
}

TEST_F(LogWindowChartTest, TheFurtherProgramsButtonOpensTheBox) {
  InWindow('.', [&](TContestLogStd& window) {
    port_->calls.clear();
    window.btnweitere->Click();
    EXPECT_EQ(port_->calls, std::vector<std::string>{"ShowMorePrograms"});
  });
}

}  // namespace
}  // namespace contestlog_test
