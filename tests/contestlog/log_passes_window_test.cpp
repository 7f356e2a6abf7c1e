// The whole-log passes in the open log window: a progress window and the hourglass while a pass
// runs, the QSO list on the renumbered files afterwards, and the close's passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/string_helpers.h"
#include "contest/progress_window.h"
#include "platform/qt/application.h"
#include "tests/contestlog/window_fixture.h"
#include "ui/mouse_grid.h"
#include "ui/progress_window.h"

namespace contestlog {
namespace {

using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;

class LogPassesWindowTest : public contestlog_test::LogWindowTest {
 protected:
  // The calls the list shows, from its first row.
  static std::vector<std::string> ListedCalls(TContestLogStd& window) {
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    int call = -1;
    for (int col = 0; col < grid.ColCount(); ++col) {
      if (common::Trim(grid.Cells(col, 0)) == "Call") call = col;
    }
    std::vector<std::string> calls;
    for (int row = grid.FixedRows(); call >= 0 && row < grid.RowCount(); ++row) {
      const std::string text = common::Trim(grid.Cells(call, row));
      if (text.empty()) break;
      calls.push_back(text);
    }
    return calls;
  }
};

TEST_F(LogPassesWindowTest, APassShowsItsProgressWithTheHourglass) {
  LogBuilder b('W');
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    const platform::qt::TCursor before = platform::qt::Application().Cursor();
    {
      const std::unique_ptr<contest::ProgressWindow> progress = w.ShowProgress("Neunummerierung", 20);
      ASSERT_NE(progress, nullptr);
      EXPECT_EQ(platform::qt::Application().Cursor(), platform::qt::crHourGlass);
      bool cancelled = false;
      progress->Step("", 10, 0, cancelled);
      ui::TFortschrittWinForm* shown = nullptr;
      for (platform::qt::TComponent* c : w.Components()) {
        if (auto* form = dynamic_cast<ui::TFortschrittWinForm*>(c)) shown = form;
      }
      ASSERT_NE(shown, nullptr);
      EXPECT_EQ(shown->Caption(), "Neunummerierung");
      EXPECT_EQ(shown->fortschritt->Position(), 10);
      EXPECT_EQ(shown->fortschritt->Max(), 20);
    }
    EXPECT_EQ(platform::qt::Application().Cursor(), before);
  });
}

TEST_F(LogPassesWindowTest, TheListShowsTheRenumberedLog) {
  LogBuilder b('W');
  b.Create();
  struct Logged {
    const char* call;
    int minute;
    const char* dxcc;
  };
  for (const Logged& l : {Logged{"OE1AAA", 30, "OE"}, Logged{"F5BBB", 10, "F"},
                          Logged{"DL2CCC", 20, "DL"}}) {
    contest::TContestLKRec q = Qso(l.call, 'c', kContestDay, 60 * l.minute);
    q.DXCC = l.dxcc;
    q.CMulti = "X";  // so that the opening leaves the log as it is
    q.Info = "X";
    b.Add(q);
  }
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    EXPECT_EQ(ListedCalls(w), (std::vector<std::string>{"OE1AAA", "F5BBB", "DL2CCC"}));
    EXPECT_EQ(w.RebuildDatabase(true), ContestLogCore::Renumbering::kRenumbered);
    EXPECT_EQ(ListedCalls(w), (std::vector<std::string>{"F5BBB", "DL2CCC", "OE1AAA"}));
    Shot(w, "contest_log_renumbered");
  });
  // Closed, the tallies were recalculated into the contest data (the wide layout of 'W').
  MainTables main(b.Number());
  contest::TContestKZRec data{};
  main.contest_data.GetKZRec(data);
  EXPECT_EQ(data.SlotQsos[1], 3u);
  EXPECT_EQ(data.SlotPoints[1], 11u);  // 5 + 5 + 1
}

}  // namespace
}  // namespace contestlog
