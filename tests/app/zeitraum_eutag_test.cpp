// The period dialog and its decision help: the sums of the 541 one-hour windows from one walk of
// the log against a walk per window with the outputs' period test, the proposal, and the dialog
// as the operator uses it (the list, the proposal taken or edited, a text that is no time,
// closing without OK).
#include "app/zeitraum_eutag.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/decision_help.h"
#include "contest/contest_tables.h"
#include "output/period_set.h"
#include "platform/qt/testkit/input.h"
#include "tests/contestlog/another_station.h"
#include "tests/contestlog/window_fixture.h"
#include "tests/output/fixture_logs.h"

namespace app {
namespace {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using output_test::At;
using output_test::QsoOf;

class PeriodDialogTest : public contestlog_test::LogWindowTest {
 protected:
  // An 'E' log holding the QSOs (call, time, points).
  std::int32_t LogOf(const std::vector<output_test::QsoSpec>& qsos) {
    LogBuilder b('E', 1);
    const std::int32_t log = b.Create();
    int day = 0;
    for (const output_test::QsoSpec& q : qsos) b.Add(QsoOf(q, kContestDay + (day++ % 2)));
    b.AddQsy('c', kContestDay, At(12, 0));
    return log;
  }

  DecisionHelp Help(std::int32_t log) {
    contest::TdbContest table(contest::kTableLK, log);
    return ComputeDecisionHelp(table);
  }

  // Runs the dialog of the log; `in_dialog` acts in it while it is shown.
  bool RunDialog(TzeitraumeutagCtrl& ctrl,
                 const std::function<void(TzeitraumeutagForm&)>& in_dialog) {
    driver_.Then(
        [&](platform::qt::TForm& form) { in_dialog(dynamic_cast<TzeitraumeutagForm&>(form)); });
    return ctrl.Execute();
  }

  static void PressOk(TzeitraumeutagForm& form) {
    platform::qt::testkit::Click(*form.Button1, 5, 5);
  }
};

// A log whose QSOs lie on the edges of the windows, on two days.
std::vector<output_test::QsoSpec> EdgeQsos() {
  return {{"DL1AAA", 'b', At(7, 59, 59), "CW", "599", "599", 100},
          {"DL1BBB", 'b', At(8, 0), "CW", "599", "599", 1},
          {"DL1CCC", 'b', At(8, 59, 59), "CW", "599", "599", 2},
          {"DL1DDD", 'b', At(9, 0), "CW", "599", "599", 4},
          {"DL1EEE", 'b', At(12, 30, 30), "CW", "599", "599", 8},
          {"DL1FFF", 'b', At(13, 30, 29), "CW", "599", "599", 16},
          {"DL1GGG", 'b', At(13, 30, 30), "CW", "599", "599", 32},
          {"DL1HHH", 'b', At(17, 59, 59), "CW", "599", "599", 40},
          {"DL1III", 'b', At(18, 0), "CW", "599", "599", 128},
          {"DL1JJJ", 'b', At(23, 59, 59), "CW", "599", "599", 256}};
}

TEST_F(PeriodDialogTest, OneWalkGivesTheSumsOfAWalkPerWindow) {
  const std::int32_t log = LogOf(EdgeQsos());
  const DecisionHelp help = Help(log);
  // The sums as a walk per window with the period test of the outputs finds them.
  std::vector<contest::TContestLKRec> qsos = Records(log);
  for (int i = 0; i < kDecisionWindows; ++i) {
    output::PeriodSet periods;
    periods.start_times[0] = 8 * 3600 + (i / 60) * 3600 + (i % 60) * 60;
    periods.end_times[0] = periods.start_times[0] + 59 * 60 + 59;
    std::int64_t sum = 0;
    for (const contest::TContestLKRec& q : qsos) {
      if (q.SkipMark == 0 && output::InPeriod(periods, q.Datum, q.Zeit)) sum += q.Points;
    }
    ASSERT_EQ(help.sums[i], sum) << WindowLine(i, help.sums[i]);
  }
  EXPECT_EQ(help.sums[0], 1 + 2);
  EXPECT_EQ(help.sums[540], 40);
  // Windows start on the minute: 12:30 to 13:29:59 holds 8, 12:31 to 13:30:59 16 + 32, the most.
  EXPECT_EQ(help.best_start, At(12, 31));
}

TEST_F(PeriodDialogTest, TheEarlierOfEqualSumsAndMidnightWithoutPoints) {
  EXPECT_EQ(Help(LogOf({{"DL1AAA", 'b', At(9, 10), "CW", "599", "599", 5},
                        {"DL1BBB", 'b', At(15, 10), "CW", "599", "599", 5}}))
                .best_start,
            At(8, 11));
  EXPECT_EQ(Help(LogOf({})).best_start, 0);
  EXPECT_EQ(Help(LogOf({{"DL1AAA", 'b', At(6, 0), "CW", "599", "599", 5},
                        {"DL1BBB", 'b', At(19, 0), "CW", "599", "599", 5}}))
                .best_start,
            0);
}

TEST_F(PeriodDialogTest, ListsEveryWindowAndTakesTheProposal) {
  const std::int32_t log = LogOf(EdgeQsos());
  TzeitraumeutagCtrl ctrl(nullptr, log);
  ASSERT_TRUE(RunDialog(ctrl, [&](TzeitraumeutagForm& form) {
    EXPECT_EQ(form.Caption(), "Zeitangabe");
    const platform::qt::TStrings& lines = form.Memo1->Lines();
    ASSERT_EQ(lines.Count(), 541);
    EXPECT_EQ(lines.Get(0), "08:00:00 -> 08:59:59 = 3");
    EXPECT_EQ(lines.Get(270), "12:30:00 -> 13:29:59 = 8");
    EXPECT_EQ(lines.Get(271), "12:31:00 -> 13:30:59 = 48");
    EXPECT_EQ(lines.Get(540), "17:00:00 -> 17:59:59 = 40");
    EXPECT_EQ(form.evon->Text(), "12:31:00");
    EXPECT_EQ(form.ebis->Text(), "13:30:59");
    EXPECT_FALSE(form.ProgressBar1->Visible());
    platform::qt::testkit::SaveScreenshot(form, "period_dialog");
    PressOk(form);
  }));
  EXPECT_EQ(ctrl.Von, "12:31:00");
  EXPECT_EQ(ctrl.Bis, "13:30:59");
}

TEST_F(PeriodDialogTest, ATextThatIsNoTimeKeepsTheDialogOpen) {
  const std::int32_t log = LogOf(EdgeQsos());
  TzeitraumeutagCtrl ctrl(nullptr, log);
  ASSERT_TRUE(RunDialog(ctrl, [&](TzeitraumeutagForm& form) {
    form.evon->SetText("1o:00");
    form.ebis->SetText("11:00");
    PressOk(form);
    // What the modal loop asks before it lets the form go.
    EXPECT_FALSE(form.CloseQuery());
    ASSERT_EQ(presenter_->calls.size(), 1u);
    EXPECT_EQ(presenter_->calls[0].kind, common::MessageKind::kAchtung);
    EXPECT_EQ(presenter_->calls[0].title, "Ungültige Daten!");
    EXPECT_EQ(presenter_->calls[0].text, "Angabe hh:mm");
    form.SetModalResult(platform::qt::mrNone);
    form.evon->SetText("10:00");
    PressOk(form);
  }));
  EXPECT_EQ(presenter_->calls.size(), 1u);
  EXPECT_EQ(ctrl.Von, "10:00");
  EXPECT_EQ(PeriodTextToTime(ctrl.Von), At(10, 0));
  EXPECT_EQ(PeriodTextToTime(ctrl.Bis), At(11, 0));
}

// A log another station left unfinished, its repair declined, gives no sums, and says why.
TEST_F(PeriodDialogTest, ALogThatCannotBeReadGivesNoHelp) {
  const std::int32_t log = LogOf(EdgeQsos());
  const std::string path = LogPath(log);
  const storage::FileblockHandle other = contestlog_test::OpenAsAnotherStation(path);
  contestlog_test::LeaveUnfinished(other, path);
  presenter_->answers = std::deque<bool>(10, false);
  TzeitraumeutagCtrl ctrl(nullptr, log);
  int lines = 0;
  ctrl.FillEntscheidungshilfe(
      [&](int phase, int, const std::string&, const std::string&) { lines += phase == 1 ? 1 : 0; });
  storage::FileblockClose(other);
  EXPECT_EQ(lines, 0);
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().text,
            "Ohne Reparatur des Logs wird keine Entscheidungshilfe gezeigt.");
}

TEST_F(PeriodDialogTest, ClosingWithoutOkIsACancelWithoutAQuestion) {
  const std::int32_t log = LogOf(EdgeQsos());
  TzeitraumeutagCtrl ctrl(nullptr, log);
  EXPECT_FALSE(RunDialog(ctrl, [&](TzeitraumeutagForm& form) {
    form.evon->SetText("");
    form.Close();
  }));
  EXPECT_TRUE(presenter_->calls.empty());
  EXPECT_EQ(ctrl.Von, "");
}

}  // namespace
}  // namespace app
