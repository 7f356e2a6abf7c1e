// The contest log window offscreen on fixture logs: its launch over the main window, its own
// copy of the definition, its close (files, column widths), the port of the catalogue service
// and its components.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "common/to_dates.h"
#include "contestlog/correction_list.h"
#include "contestlog/log_window_port.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "storage/isam/engine.h"
#include "storage/isam/rebuild.h"
#include "tests/contestlog/another_station.h"
#include "tests/contestlog/window_fixture.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using contestlog_test::CallerForm;
using contestlog_test::LeaveUnfinished;
using contestlog_test::OpenAsAnotherStation;
using contestlog_test::kContestDay;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;
using contestlog_test::Qso;
using platform::qt::TRect;
using platform::qt::TWindowState;

using LogWindowTest = contestlog_test::LogWindowTest;

struct PlaceRow {
  const char* name;
  TWindowState caller_state;
  TWindowState window_state;
};

class PlaceRows : public LogWindowTest, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(PlaceRows, OpenOverItsHiddenCallerPlacedLikeItAndGoneAfterwards) {
  const PlaceRow& row = GetParam();
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  CallerForm caller;
  caller.Show();
  caller.SetWindowState(row.caller_state);
  const TRect caller_bounds = caller.BoundsRect();
  EXPECT_EQ(ContestLogStd(), nullptr);
  bool ran = false;
  RunLog(
      log, b.Definition(),
      [&](TContestLogStd& window) {
        ran = true;
        platform::qt::Application().ProcessMessages();  // the window settles at its place
        EXPECT_EQ(ContestLogStd(), &window);
        EXPECT_EQ(window.CallerForm, &caller);
        EXPECT_FALSE(caller.Visible());
        EXPECT_EQ(window.WindowState(), row.window_state);
        if (row.window_state == TWindowState::wsNormal) {
          EXPECT_EQ(window.BoundsRect(), caller_bounds);
        } else {
          EXPECT_EQ(window.Left(), 0);
          EXPECT_EQ(window.Top(), 0);
        }
        EXPECT_EQ(window.LogNumber, log);
        ASSERT_NE(window.LogTable, nullptr);
        EXPECT_EQ(window.LogTable->FileSetNo(), log);
      },
      &caller);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(caller.Visible());
  EXPECT_EQ(ContestLogStd(), nullptr);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Callers, PlaceRows, ::testing::Values(
    PlaceRow{"Normal", TWindowState::wsNormal, TWindowState::wsNormal},
    PlaceRow{"Maximised", TWindowState::wsMaximized, TWindowState::wsMaximized}),
    [](const ::testing::TestParamInfo<PlaceRow>& info) { return info.param.name; });
// clang-format on

TEST_F(LogWindowTest, ClosingWithoutAQsoClosesTheLogsFilesAndKeepsTheListsColumnWidths) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  std::vector<int> widths;
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    EXPECT_TRUE(Open(contest::kTableLK, log));
    EXPECT_TRUE(CallListOpen());
    Shot(window, "contest_log_window_bare");
    ui::TkvMouseGrid& grid = window.Brow->GetGrid();
    for (int c = 0; c < grid.ColCount(); ++c) {
      grid.SetColWidths(c, 50 + 10 * c);
      widths.push_back(50 + 10 * c);
    }
  });
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"ContestLogStd"});
  EXPECT_FALSE(Open(contest::kTableLK, log));
  EXPECT_FALSE(CallListOpen());
  ASSERT_FALSE(widths.empty());
  const contest::TContestKKRec stored = CatalogueRecord(log);
  for (std::size_t c = 0; c < widths.size(); ++c) {
    EXPECT_EQ(stored.GridColumnWidths[c], widths[c]) << c;
  }
  // The next opening shows them again.
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      EXPECT_EQ(window.Brow->GetGrid().ColWidths(static_cast<int>(c)), widths[c]) << c;
    }
  });
}

TEST_F(LogWindowTest, TheEntryAreaSpreadsInAWindowWiderThan800Only) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  const int design_left = 50 * TContestLogDesign::kCellWidth;  // eRSTr1 in the design
  for (const int width : {780, 1000}) {
    CallerForm caller;
    caller.SetBounds(0, 0, width, 600);
    caller.Show();
    RunLog(
        log, b.Definition(),
        [&](TContestLogStd& window) {
          EXPECT_EQ(window.MinClientWidth(), TContestLogDesign::kMinWidth);
          EXPECT_EQ(window.MinClientHeight(), TContestLogDesign::kMinHeight);
          if (width > 800) {
            EXPECT_GT(window.eRSTr1->Left(), design_left);
            EXPECT_GT(window.eRSTr1->Width(), 4 * TContestLogDesign::kCellWidth);
          } else {
            EXPECT_EQ(window.panelEingabe->Width(), 630);
            EXPECT_NEAR(window.eRSTr1->Left(), design_left, 2);
          }
          // Spread or not, the board ends 20 pixels before the entry panel's right edge.
          EXPECT_NEAR(window.panelmulties->Left() + window.panelmulties->Width() + 20,
                      window.panelEingabe->Width(), 2);
        },
        &caller);
  }
}

TEST_F(LogWindowTest, ASecondLogOpensAfterTheFirstClosedOnItsOwnFiles) {
  LogBuilder first('.', 5);
  const std::int32_t one = first.Create();
  first.Add(Qso("DL2XYZ", 'c', kContestDay, 3600));
  LogBuilder second('W');
  const std::int32_t two = second.Create();
  second.Add(Qso("F5ABC", 'd', kContestDay, 3600));
  std::map<std::int32_t, std::string> calls;
  for (const auto& [log, definition] :
       {std::pair{one, first.Definition()}, std::pair{two, second.Definition()}}) {
    RunLog(log, definition, [&](TContestLogStd& window) {
      EXPECT_FALSE(Open(contest::kTableLK, log == one ? two : one));
      EXPECT_EQ(window.LogTable->FileSetNo(), log);
      calls[log] = common::Trim(window.Brow->GetGrid().Cells(3, 1));
    });
  }
  EXPECT_EQ(calls[one], "DL2XYZ");
  EXPECT_EQ(calls[two], "F5ABC");
  EXPECT_FALSE(Open(contest::kTableLK, one));
  EXPECT_FALSE(Open(contest::kTableLK, two));
}

TEST_F(LogWindowTest, AChangeOfTheMainWindowsDefinitionDoesNotReachTheOpenWindow) {
  LogBuilder b('W');
  const std::int32_t log = b.Create();
  contest::TContestRec main_definition = b.Definition();
  const contest::TContestRec copy = main_definition;
  MainTables main(log);
  driver_.Then([&](platform::qt::TForm& form) {
    auto& window = dynamic_cast<TContestLogStd&>(form);
    main_definition.Title = "anders";
    main_definition.Bands[0] = 'z';
    main_definition.MultiplierKinds.reset();
    main_definition.Modes[0] = "FM";
    EXPECT_EQ(window.Definition, copy);
    EXPECT_FALSE(window.Definition == main_definition);
    window.Close();
  });
  RunContestLog(nullptr, log, main_definition, main.catalogue, main.contest_data);
}

TEST_F(LogWindowTest, TheCatalogueServiceRunsTheWindowThroughItsPort) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  InstallLogWindow();
  MainTables main(log);
  CallerForm caller;
  caller.Show();
  driver_.Then([&](platform::qt::TForm& form) {
    EXPECT_EQ(dynamic_cast<TContestLogStd&>(form).LogNumber, log);
    form.Close();
  });
  Fkt().RunLog(&caller, b.Definition(), main.catalogue, main.contest_data);
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"ContestLogStd"});
  // The port it was laid over still answers what the log window does not.
  Fkt().ShowMorePrograms();
  EXPECT_EQ(port_->calls, std::vector<std::string>{"ShowMorePrograms"});
}

// "Nein" to a question while the window opens (here the lock question, while another user holds
// the log's write lock) ends in a message over the main window, which stays; nothing crashes.
TEST_F(LogWindowTest, ARefusalWhileTheWindowOpensEndsInAMessageAndTheMainWindow) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  b.Add(Qso("DL2XYZ", 'c', kContestDay, 3600));
  const storage::FileblockHandle other = OpenAsAnotherStation(LogPath(log));
  ASSERT_NE(other, nullptr) << storage::Isam().IsamError;
  storage::FileblockLockFile(other);
  ASSERT_TRUE(storage::Isam().IsamOK);
  presenter_->answers = std::deque<bool>(20, false);
  CallerForm caller;
  caller.Show();
  MainTables main(log);
  EXPECT_NO_THROW(RunContestLog(&caller, log, b.Definition(), main.catalogue, main.contest_data));
  EXPECT_EQ(ContestLogStd(), nullptr);
  EXPECT_TRUE(caller.Visible());
  ASSERT_FALSE(presenter_->calls.empty());
  EXPECT_EQ(presenter_->calls.back().kind, common::MessageKind::kFehler);
  EXPECT_NE(presenter_->calls.back().text.find("Liste"), std::string::npos)
      << presenter_->calls.back().text;
  storage::FileblockClose(other);
  EXPECT_FALSE(Open(contest::kTableLK, log));  // nothing of the log stays open
}

class RepairDeclinedTest : public LogWindowTest {
 protected:
  static void DoubleClickFirstRow(ui::TkvBrow& list) {
    ui::TkvMouseGrid& grid = list.GetGrid();
    const TRect cell = grid.CellRect(0, grid.FixedRows());
    platform::qt::testkit::DoubleClick(grid, cell.Left + 3, cell.Top + 3);
  }
  static void PressDelete(ui::TkvBrow& list) {
    list.GetGrid().SetFocus();
    platform::qt::testkit::PressKey(list.GetGrid(), platform::qt::VK_DELETE);
  }
  using Operations = std::vector<std::pair<const char*, std::function<void()>>>;
  // The operations on a row of `list` that ask about the log before they read the row.
  static Operations RowOperations(ui::TkvBrow& list) {
    return {{"Doppelklick", [&list] { DoubleClickFirstRow(list); }},
            {"Entf", [&list] { PressDelete(list); }}};
  }
  void SetUp() override {
    LogWindowTest::SetUp();
    log_ = b_.Create();
    b_.Add(Qso("DL2XYZ", 'c', kContestDay, 3600));
    path_ = LogPath(log_);
    other_ = OpenAsAnotherStation(path_);
    ASSERT_NE(other_, nullptr);
  }
  void TearDown() override {
    storage::FileblockClose(other_);
    LogWindowTest::TearDown();
  }
  std::vector<common::MessageKind> Told() {
    std::vector<common::MessageKind> kinds;
    for (const common::MessageCall& call : presenter_->calls) kinds.push_back(call.kind);
    presenter_->calls.clear();
    return kinds;
  }

  LogBuilder b_{'.', 5};
  std::int32_t log_ = 0;
  std::string path_;
  storage::FileblockHandle other_ = nullptr;
};

using common::MessageKind;

// Opening a log left unfinished asks once; "Nein" keeps it closed and says so.
TEST_F(RepairDeclinedTest, WhileTheLogOpensItIsAskedOnceAndTheLogStaysClosed) {
  LeaveUnfinished(other_, path_);
  presenter_->answers = std::deque<bool>(20, false);
  CallerForm caller;
  caller.Show();
  MainTables main(log_);
  RunContestLog(&caller, log_, b_.Definition(), main.catalogue, main.contest_data);
  EXPECT_EQ(ContestLogStd(), nullptr);
  EXPECT_TRUE(caller.Visible());
  EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
}

// In an open window "Nein" is asked once and told once; ticks and keys go on without a question,
// the keys into the entry, and the next save asks again.
TEST_F(RepairDeclinedTest, InAnOpenWindowItIsAskedAgainOnlyAtTheNextSave) {
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    LeaveUnfinished(other_, path_);
    presenter_->answers = std::deque<bool>(20, false);
    for (int tick = 0; tick < 3; ++tick) w.timerzeitTimer();
    Type(*w.eCall, "DL5ABC");
    EXPECT_EQ(w.eCall->Text(), "DL5ABC");
    EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis}));
    w.eRSTr2->SetStr("42");
    w.btnSpeicherna->Click();
    EXPECT_EQ(presenter_->calls.back().text,
              "Ohne Reparatur des Logs kann das QSO nicht gespeichert werden.");
    EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
    EXPECT_EQ(w.eCall->Text(), "DL5ABC");
    presenter_->answers = std::deque<bool>(20, true);
    w.btnSpeicherna->Click();
    EXPECT_EQ(Told(), std::vector{MessageKind::kJaNeinFrage});
    EXPECT_EQ(w.eCall->Text(), "");
  });
  EXPECT_EQ(Records(log_).size(), 2u);
}

// After "Nein" every operation that needs the log asks again and, declined, says what it did
// not do: no dialog or list opens empty, the window keeps its numbers, and its close keeps the
// claim stored before.
TEST_F(RepairDeclinedTest, EveryOperationThatNeedsTheLogAsksAgainAndNoneFailsSilently) {
  RunLog(log_, b_.Definition(), nullptr);  // the claim of its one QSO stored
  const auto claimed = [&] {
    MainTables stored(log_);
    contest::TContestKKRec record{};
    contest::TContestKZRec data{};
    stored.catalogue.GetKKRec(record);
    stored.contest_data.GetKZRec(data);
    std::uint32_t qsos = 0;
    for (const auto& n : data.SlotQsos) qsos += n.get();
    for (const auto& n : record.LineQsos) qsos += n.get();
    return qsos;
  };
  ASSERT_EQ(claimed(), 1u);
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    LeaveUnfinished(other_, path_);
    presenter_->answers = std::deque<bool>(40, false);
    w.timerzeitTimer();
    EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis}));
    Operations operations = {{"Ändern", [&] { w.btnAendern->Click(); }},
                             {"Korrektur", [&] { w.btnKorrektura->Click(); }},
                             {"Bandliste", [&] { w.btnBandliste->Click(); }},
                             {"Callsuche", [&] { w.btnCallsuchea->Click(); }}};
    for (auto& row : RowOperations(*w.Brow)) operations.push_back(std::move(row));
    for (const auto& [name, operation] : operations) {
      SCOPED_TRACE(name);
      operation();
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
      EXPECT_EQ(w.lNummer->Caption(), "2");
    }
    w.btnCleara->Click();
    EXPECT_EQ(w.lNummer->Caption(), "2");
  });
  // The close asks too.
  EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
  EXPECT_EQ(driver_.Seen(), (std::vector<std::string>{"ContestLogStd", "ContestLogStd"}));
  EXPECT_EQ(claimed(), 1u);
}

// A tick of the clock while a double click or the Delete key asks about the declined repair waits
// for the question: the band period's switch does not run inside it, and the answer finds the
// log and the band as they were.
TEST_F(RepairDeclinedTest, ATickWhileARowOperationAsksWaitsForTheQuestion) {
  LogBuilder b('.', 4);  // CW, SSB and DIGITAL
  b.Catalogue().BandAuto = 255;
  const std::int32_t log = b.Create();
  b.Add(Qso("DL2XYZ", 'e', kContestDay, 3600));
  const common::ToDates& dates = common::Service<common::ToDates>::Get();
  contest::TContestRec definition = b.Definition();
  definition.Periods[0].PeriodDate = dates.DateToDateString(dates.TodayUtc(), "dd.mm.yyyy");
  definition.Periods[0].PeriodTimeFrom = "00:00:00";
  definition.Periods[0].PeriodTimeTo = "23:59:59";
  definition.Periods[0].PeriodBands = {'e'};
  const std::string path = LogPath(log);
  const storage::FileblockHandle other = OpenAsAnotherStation(path);
  RunLog(log, definition, [&](TContestLogStd& w) {
    ASSERT_TRUE(w.SwitchBand('b'));
    LeaveUnfinished(other, path);
    presenter_->answers = std::deque<bool>(40, false);
    w.timerzeitTimer();  // the period's switch is declined
    Told();
    int ticks = 0;
    presenter_->while_shown = [&](const common::MessageCall& call) {
      if (call.kind != MessageKind::kJaNeinFrage) return;
      w.timerzeit->Elapsed();
      ++ticks;
    };
    // A double click on the band or mode list reaches the list's viewport, not the list.
    const auto double_click = [](platform::qt::TListBox& list, const std::string& item) {
      const int row = list.Items().IndexOf(item);
      ASSERT_GE(row, 0) << item;
      platform::qt::testkit::DoubleClick(list, 10, row * list.ItemHeight() + 3);
    };
    Operations operations = RowOperations(*w.Brow);
    operations.emplace_back("Bandliste", [&] {
      w.btnBanda->Click();
      double_click(*w.listband, "40 m");
    });
    operations.emplace_back("Modeliste", [&] {
      w.btnModea->Click();
      double_click(*w.listmode, "SSB");
    });
    for (const auto& [name, operation] : operations) {
      SCOPED_TRACE(name);
      operation();
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
      EXPECT_EQ(w.CurrentBand, 'b');
      // The mode shown is the mode the next QSO is stored with.
      EXPECT_EQ(w.CurrentMode.str(), "CW");
      EXPECT_EQ(w.lMode->Caption(), "CW");
    }
    presenter_->while_shown = nullptr;
    EXPECT_EQ(ticks, 4);
  });
  storage::FileblockClose(other);
  presenter_->answers = std::deque<bool>(4, true);
  EXPECT_EQ(Records(log).size(), 1u);
}

// In the correction list, too, a double click and the Delete key ask again and say what they did
// not do.
TEST_F(RepairDeclinedTest, TheCorrectionListsDoubleClickAndDeleteAskAgain) {
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    driver_.Then([&](platform::qt::TForm& dialog) {
      auto& list = dynamic_cast<TKorrekturstd&>(dialog);
      LeaveUnfinished(other_, path_);
      presenter_->answers = std::deque<bool>(40, false);
      w.timerzeitTimer();
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis}));
      DoubleClickFirstRow(*list.Brow);
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
      PressDelete(*list.Brow);
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kFehler}));
      dialog.Close();
    });
    w.btnKorrektura->Click();
  });
}

// After "Nein" a call left is not asked about: the window shows it unchecked, keys typed ahead go
// into the fields, and the save asks; after "Ja" it checks every call not checked (a dupe is
// refused as leaving the call field refuses it in a sound log) and the window follows the log.
TEST_F(RepairDeclinedTest, ACallLeftAfterNeinIsShownUncheckedAndTheSaveAfterJaChecksIt) {
  using platform::qt::testkit::PressKeyOnFocus;
  using platform::qt::testkit::TypeOnKeyboard;
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    // The next read of the log meets another station's stop, and its repair is declined.
    const auto decline = [&] {
      LeaveUnfinished(other_, path_);
      presenter_->answers = std::deque<bool>(40, false);
      w.LogTable->UsedRecs();
      ASSERT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis}));
    };
    const auto leave_call = [&](const std::string& call) {
      w.eCall->SetStr("");
      Type(*w.eCall, call);
      w.eCallExit(w.eCall);
    };
    const auto save_after_ja = [&] {
      w.eRSTr2->SetStr("42");
      presenter_->answers = std::deque<bool>(40, true);
      w.btnSpeicherna->Click();
    };
    struct Row {
      const char* name;
      std::function<void()> steps;
      std::size_t records;
    };
    const Row rows[] = {
        {"Dupe",
         [&] {
           decline();
           leave_call("DL2XYZ");
           EXPECT_EQ(Told(), std::vector<MessageKind>{});
           EXPECT_EQ(w.lqsopartner->Caption(), "DUPE UNGEPRÜFT");
           Shot(w, "log_call_not_checked");
           EXPECT_EQ(w.eCall->Text(), "DL2XYZ");
           save_after_ja();
           EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kAchtung}));
           EXPECT_EQ(w.eCall->Text(), "");
         },
         1},
        {"zurückgetippt",
         [&] {
           leave_call("OE1AAA");
           decline();
           leave_call("OE1AAB");
           leave_call("OE1AAA");
           EXPECT_EQ(Told(), std::vector<MessageKind>{});
           save_after_ja();
           EXPECT_EQ(Told(), std::vector{MessageKind::kJaNeinFrage});
           EXPECT_EQ(w.eCall->Text(), "");
         },
         2},
        {"vorausgetippt",
         [&] {
           decline();
           w.eCall->SetFocus();
           TypeOnKeyboard("DL5ABC");
           PressKeyOnFocus(platform::qt::VK_TAB);
           TypeOnKeyboard("42");
           EXPECT_EQ(Told(), std::vector<MessageKind>{});
           EXPECT_EQ(w.eRSTr2->GetStr(), "42");
           presenter_->answers = std::deque<bool>(40, true);
           PressKeyOnFocus(platform::qt::VK_F10);
           EXPECT_EQ(Told(), std::vector{MessageKind::kJaNeinFrage});
         },
         3},
        // A dupe typed and saved with F10 from the call field, never left: after "Ja" the save
        // checks it.
        {"nie verlassen",
         [&] {
           decline();
           w.eCall->SetFocus();
           TypeOnKeyboard("DL2XYZ");
           presenter_->answers = std::deque<bool>(40, true);
           PressKeyOnFocus(platform::qt::VK_F10);
           EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kAchtung}));
           EXPECT_EQ(w.eCall->Text(), "");
         },
         3},
        // Another station stored a QSO before the stop: the repair that the call search asks
        // for brings the window's totals to the log's, the entry staying as typed.
        {"Callsuche",
         [&] {
           b_.Add(Qso("DL7XYZ", 'c', kContestDay, 7200));
           decline();
           Type(*w.eCall, "DL8");
           presenter_->answers = std::deque<bool>(40, true);
           driver_.Then([](platform::qt::TForm& form) {
             auto& search = dynamic_cast<TSucheQE_&>(form);
             search.eSuche->SetText("DL2XYZ");
             search.btnendepx4->Click();
           });
           driver_.Then([](platform::qt::TForm& list) { list.Close(); });
           w.btnCallsuchea->Click();
           EXPECT_EQ(w.lNummer->Caption(), "5");
           EXPECT_EQ(w.eCall->Text(), "DL8");
           w.btnCleara->Click();
         },
         4},
    };
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      row.steps();
      EXPECT_EQ(Records(log_).size(), row.records);
    }
  });
}

// A close that cannot count keeps the claim stored at that moment, also one another station
// stored while the window was open.
TEST_F(RepairDeclinedTest, TheCloseKeepsTheClaimAnotherStationStoredMeanwhile) {
  RunLog(log_, b_.Definition(), [&](TContestLogStd&) {
    MainTables other(log_);
    contest::TContestKKRec record{};
    other.catalogue.GetKKRec(record);
    record.LineQsos[0] = 17;
    other.catalogue.SetKKRec(record);
    ASSERT_TRUE(other.catalogue.UpdateRec());
    LeaveUnfinished(other_, path_);
    presenter_->answers = std::deque<bool>(40, false);
  });
  MainTables stored(log_);
  contest::TContestKKRec record{};
  stored.catalogue.GetKKRec(record);
  EXPECT_EQ(record.LineQsos[0], 17);
}

// "Nein" at the save of a changed QSO says so; the window keeps its totals.
TEST_F(RepairDeclinedTest, AChangeDeclinedAtItsSaveIsToldAsSuchAndTheTotalsStay) {
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    const std::string points = w.lPunkte->Caption();
    driver_.Then([&](platform::qt::TForm& dialog) {
      LeaveUnfinished(other_, path_);
      presenter_->answers = std::deque<bool>(40, false);
      dialog.Close();
    });
    w.Brow->GotoDatensatz(0, 0, 0);
    w.btnAendern->Click();
    ASSERT_FALSE(presenter_->calls.empty());
    EXPECT_NE(presenter_->calls.back().text.find("Reparatur"), std::string::npos)
        << presenter_->calls.back().text;
    EXPECT_EQ(w.lPunkte->Caption(), points);
    EXPECT_EQ(w.lNummer->Caption(), "2");
  });
}

// A stop another station repaired ends the decline: the next stop is asked about and told anew.
TEST_F(RepairDeclinedTest, ASecondStopAfterAnotherStationsRepairIsAskedAndToldAgain) {
  RunLog(log_, b_.Definition(), [&](TContestLogStd& w) {
    presenter_->answers = std::deque<bool>(40, false);
    for (int stop = 0; stop < 2; ++stop) {
      LeaveUnfinished(other_, path_);
      w.timerzeitTimer();
      EXPECT_EQ(Told(), (std::vector{MessageKind::kJaNeinFrage, MessageKind::kHinweis})) << stop;
      storage::FileblockRepairInPlace(other_, false, contest::LKKeyBuilder);
      ASSERT_TRUE(storage::Isam().IsamOK);
      w.timerzeitTimer();
      EXPECT_EQ(Told(), std::vector<MessageKind>{}) << stop;
    }
  });
}

TEST_F(LogWindowTest, TheComponentsCarryTheNamesTheLogWindowsCodeKnows) {
  LogBuilder b('.', 5);
  const std::int32_t log = b.Create();
  RunLog(log, b.Definition(), [&](TContestLogStd& window) {
    std::map<std::string, int> names;
    for (const platform::qt::TComponent* c : window.Components()) {
      if (!c->Name().empty()) ++names[c->Name()];
    }
    for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name;
    EXPECT_GE(names.size(), 150u);
    const std::pair<const platform::qt::TComponent*, const char*> named[] = {
        {window.eCall, "eCall"},
        {window.eRSTr4, "eRSTr4"},
        {window.lQSOBand[0], "lQSO1"},
        {window.lMultiBand[5], "lMulti6"},
        {window.lMultiBand[6], "lmulti7"},
        {window.lePunkteBand[6], "lePunkte7"},
        {window.lglobcalla[2], "lglobcall3a"},
        {window.lglobcallb[0], "lglobcall1b"},
        {window.btnkeyerf[10], "btnkeyerf11"},
        {window.btnSpeichernb, "btnSpeichernb"},
        {window.Label30_, "Label30_"},
        {window.timerzeit, "timerzeit"},
        {window.Brow, "Brow"},
        {window.BrowCluster, "BrowCluster"}};
    for (const auto& [component, name] : named) {
      EXPECT_EQ(window.FindComponent(name), component) << name;
    }
    EXPECT_EQ(window.btnkeyerf[10]->Tag(), 11);
    // The creation's steps: the list without its layout line, the other bars hidden under "a".
    EXPECT_TRUE(window.Brow->NoLayoutLine);
    EXPECT_TRUE(window.BrowCluster->NoLayoutLine);
    EXPECT_FALSE(window.radiounten->Visible());
    EXPECT_FALSE(window.panelButtonsb->Visible());
    EXPECT_EQ(window.panelButtonsb->Top(), window.panelButtonsa->Top());
    EXPECT_EQ(window.panelButtonsC->Top(),
              window.panelButtonsa->Top() + window.panelButtonsa->Height());
    EXPECT_TRUE(window.KeyPreview());
    EXPECT_EQ(window.Caption(), "DL1ABC  Logbuch (Contest : Log . )");
  });
}

}  // namespace
}  // namespace contestlog
