// The main window on fixture catalogues: the list of the program's logs, the start, new and
// delete roads with their keys, closing and shutting down, help, and how it looks.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/contest_ports.h"
#include "app/help_page.h"
#include "common/lang_text.h"
#include "contestlog/contest_log_std.h"
#include "logbook/settings/setups.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/testkit/window_frame.h"
#include "tests/app/main_window_fixture.h"
#include "ui/browser_page.h"

namespace app_test {
namespace {

namespace fs = std::filesystem;
using platform::qt::testkit::PressKey;

const std::vector<FixtureLog> kLogs = {
    {'.', "Alpha", "01.05.2020", "02.05.2020"},
    {'W', "Wag alt", "10.10.2020", "11.10.2020"},
    {'.', "Bravo", "", ""},
    {'.', "Charlie", "03.06.2021", "03.06.2021"},
    {'W', "Wag neu", "", ""},
};

// A catalogue row as the grid gets it.
std::string RowText(app::TContestBrowCtrl& ctrl, std::int32_t ref) {
  ui::RowRec row;
  row.ref = ref;
  ctrl.BuildRow(row);
  return row.text;
}

std::int32_t RefOf(app::TContestBrowCtrl& ctrl, std::int32_t nummer) {
  return ctrl.Catalogue().FindByNummer(nummer) ? ctrl.Catalogue().CurrentRef() : 0;
}

TEST_F(MainWindowTest, ListsOnlyTheProgramsLogsWithTheNewestOnTopInBothSortOrders) {
  WriteLogs(kLogs);
  Open();
  // Log 4 is the newest of code '.'; the newer 'W' log 5 is not listed.
  EXPECT_EQ(CurrentName(), "Charlie");
  Window().Brow->GotoDatensatz(-1, 0, 1);
  EXPECT_EQ(ShownNames(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));

  const std::string blank_date(13, ' ');
  EXPECT_EQ(RowText(Ctrl(), RefOf(Ctrl(), 1)), " Alpha ;01.05.2020   ;02.05.2020   ");
  EXPECT_EQ(RowText(Ctrl(), RefOf(Ctrl(), 3)), " Bravo ;" + blank_date + ";" + blank_date);
  EXPECT_EQ(common::Trim(Grid().Cells(1, 0)), "Datum (von)");

  Window().Brow->SetSortlistItemIndex(1);
  Window().Brow->SortClick(Window().Brow);
  EXPECT_EQ(Window().Brow->GetKeyNr(), 2);
  EXPECT_EQ(RowText(Ctrl(), RefOf(Ctrl(), 1)), " 01.05.2020   ;Alpha ;02.05.2020   ");
  EXPECT_EQ(common::Trim(Grid().Cells(0, 0)), "Datum (von)");
  EXPECT_EQ(common::Trim(Grid().Cells(1, 0)), "Name");
  // Logs without a date come first by date; the other code's stay out.
  Window().Brow->GotoDatensatz(-1, 0, 1);
  EXPECT_EQ(common::Trim(Grid().Cells(1, Grid().FixedRows())), "Bravo");
}

struct Trigger {
  const char* name;
  std::function<void(MainWindowTest&)> act;
};

class StartRoadTest : public MainWindowTest {
 protected:
  std::vector<Trigger> Triggers() {
    return {
        {"Starten", [](MainWindowTest& t) { t.Window().btnAendernPx4->Click(); }},
        {"Enter", [](MainWindowTest& t) { PressKey(t.Grid(), platform::qt::VK_RETURN); }},
        {"F10", [](MainWindowTest& t) { PressKey(t.Grid(), platform::qt::VK_F10); }},
        {"Doppelklick",
         [](MainWindowTest& t) {
           const platform::qt::TRect cell = t.Grid().CellRect(0, t.Grid().Row());
           platform::qt::testkit::DoubleClick(t.Grid(), cell.Left + 5, cell.Top + 3);
         }},
    };
  }
  // Opens the main window over the logs; a start runs the setup form, which answers "Contest
  // starten", and the program's own log window.
  void OpenStartingTheLogWindow();
};

TEST_F(StartRoadTest, EveryStartRunsTheSetupThenTheLogWindowThenTheReview) {
  WriteLogs(kLogs);
  Open();
  using Call = RecordingContestPort::EntryCall;
  for (const Trigger& trigger : Triggers()) {
    SCOPED_TRACE(trigger.name);
    port_->entry_calls.clear();
    port_->logs_run.clear();
    port_->entry_answers = {1};  // "Contest starten"
    trigger.act(*this);
    EXPECT_EQ(port_->entry_calls, (std::vector<Call>{{1, 0, '.'}, {1, 1, '.'}}));
    EXPECT_EQ(port_->logs_run, std::vector<std::int32_t>{4});

    port_->entry_calls.clear();
    port_->logs_run.clear();
    trigger.act(*this);  // the setup form cancelled
    EXPECT_EQ(port_->entry_calls, (std::vector<Call>{{1, 0, '.'}}));
    EXPECT_TRUE(port_->logs_run.empty());
  }
}

TEST_F(StartRoadTest, WithoutAValidRowNothingStarts) {
  WriteLogs({{'W', "Wag", "", ""}});
  Open();
  ASSERT_FALSE(Window().Brow->IsRowValid());
  for (const Trigger& trigger : Triggers()) {
    SCOPED_TRACE(trigger.name);
    trigger.act(*this);
    EXPECT_TRUE(port_->entry_calls.empty());
  }
  Window().btnStartClick();
  EXPECT_TRUE(port_->logs_run.empty());
}

// The setup form answers "Contest starten"; everything else goes to the program's own windows.
class StartingSetupForm final : public contest::ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;
  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest&,
                            contest::TdbContest&) override {
    calls.push_back({change, mode, code});
    return 1;
  }
  std::vector<RecordingContestPort::EntryCall> calls;
};

void StartRoadTest::OpenStartingTheLogWindow() {
  WriteLogs(kLogs);
  Fkt().SetPort(nullptr);
  app::InstallContestPorts();
  Fkt().SetPort(std::make_unique<StartingSetupForm>(Fkt().SetPort(nullptr)));
  Open();
}

// The operator picks a log with the mouse: a click (once or twice) makes the row the current
// log for "Starten" and Enter; a double click opens the row's log itself.
struct MousePick {
  const char* name;
  int row;  // the data row clicked, 0 the first
  std::function<void(MainWindowTest&, int x, int y)> act;
  std::int32_t started;  // the Nummer of the log that starts
};

class MousePickTest : public MainWindowTest, public ::testing::WithParamInterface<MousePick> {};

TEST_P(MousePickTest, TheClickedRowsLogStarts) {
  WriteLogs({kLogs[0], kLogs[2], kLogs[3]});  // Alpha 1, Bravo 2, Charlie 3 (current)
  Open();
  ASSERT_EQ(ShownNames(), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
  ASSERT_EQ(CurrentName(), "Charlie");
  const platform::qt::TRect cell = Grid().CellRect(0, Grid().FixedRows() + GetParam().row);
  port_->entry_answers = {1};
  GetParam().act(*this, cell.Left + 5, cell.Top + 3);
  EXPECT_EQ(port_->logs_run, std::vector<std::int32_t>{GetParam().started});
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, MousePickTest,
    ::testing::Values(MousePick{"ClickThenStarten", 1,
                                [](MainWindowTest& t, int x, int y) {
                                  platform::qt::testkit::Click(t.Grid(), x, y);
                                  EXPECT_EQ(t.CurrentName(), "Bravo");
                                  platform::qt::testkit::SaveScreenshot(
                                      t.Window(), "main_window_second_clicked");
                                  t.Window().btnAendernPx4->Click();
                                },
                                2},
                      MousePick{"TwoClicksThenEnter", 0,
                                [](MainWindowTest& t, int x, int y) {
                                  platform::qt::testkit::Click(t.Grid(), x, y);
                                  platform::qt::testkit::Click(t.Grid(), x, y);
                                  PressKey(t.Grid(), platform::qt::VK_RETURN);
                                },
                                1},
                      MousePick{"DoubleClick", 1,
                                [](MainWindowTest& t, int x, int y) {
                                  platform::qt::testkit::DoubleClick(t.Grid(), x, y);
                                },
                                2}),
    [](const ::testing::TestParamInfo<MousePick>& info) { return std::string(info.param.name); });

TEST_F(StartRoadTest, StartingOpensTheRealLogWindowOverTheMainWindow) {
  WriteLogs(kLogs);
  Fkt().SetPort(nullptr);
  app::InstallContestPorts();
  auto form = std::make_unique<StartingSetupForm>(Fkt().SetPort(nullptr));
  StartingSetupForm* setup = form.get();
  Fkt().SetPort(std::move(form));
  Open();
  std::int32_t shown_log = 0;
  driver_.Then([&](platform::qt::TForm& window) {
    shown_log = dynamic_cast<contestlog::TContestLogStd&>(window).LogNumber;
    window.Close();
  });
  PressKey(Grid(), platform::qt::VK_RETURN);
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"ContestLogStd"});
  EXPECT_EQ(shown_log, 4);
  EXPECT_EQ(setup->calls, (std::vector<RecordingContestPort::EntryCall>{{1, 0, '.'}, {1, 1, '.'}}));
  EXPECT_EQ(CurrentName(), "Charlie");
}

// The main window opens at the top left corner of the screen and the log window in its place,
// each placed by its frame: under a window manager both title bars lie on the screen.
TEST_F(StartRoadTest, TheWindowsAreShownWithTheirFramesOnTheScreen) {
  using platform::qt::testkit::ShownFrame;
  OpenStartingTheLogWindow();
  const platform::qt::TRect main_frame = ShownFrame(Window());
  EXPECT_EQ(std::pair(main_frame.Left, main_frame.Top), std::pair(0, 0));
  driver_.Then([&](platform::qt::TForm& window) {
    const platform::qt::TRect frame = ShownFrame(window);
    EXPECT_EQ(frame, main_frame);
    if (platform::qt::testkit::UnderWindowManager()) {
      EXPECT_GT(window.Height(), window.ClientHeight()) << "a title bar";
      platform::qt::testkit::SaveScreenScreenshot("log_window_under_window_manager");
    }
    window.Close();
  });
  PressKey(Grid(), platform::qt::VK_RETURN);
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"ContestLogStd"});
}

// The main window and the log window in its place show their designed client area from their
// first showing on, and keep it when the operator moves them: the log window's bottom row of
// buttons stays whole.
TEST_F(StartRoadTest, AWindowMovedByTheOperatorKeepsItsSize) {
  using platform::qt::testkit::MoveAsTheOperator;
  using platform::qt::testkit::SaveScreenScreenshot;
  OpenStartingTheLogWindow();
  // The client size the window system shows, which the program's own count must match.
  const auto client_size = [](platform::qt::TForm& form) {
    platform::qt::testkit::ShownFrame(form);
    const platform::qt::TRect shown = platform::qt::testkit::ShownClientArea(form);
    EXPECT_EQ(std::pair(form.ClientWidth(), form.ClientHeight()),
              std::pair(shown.Width(), shown.Height()));
    return std::pair(shown.Width(), shown.Height());
  };
  const std::pair designed(app::TContestBrow::kDesignWidth, app::TContestBrow::kDesignHeight);
  EXPECT_EQ(client_size(Window()), designed);
  MoveAsTheOperator(Window(), 40, 30);
  EXPECT_EQ(client_size(Window()), designed);
  MoveAsTheOperator(Window(), 0, 0);
  driver_.Then([&](platform::qt::TForm& window) {
    EXPECT_EQ(client_size(window), designed);
    SaveScreenScreenshot("log_window_before_a_move");
    MoveAsTheOperator(window, 60, 40);
    EXPECT_EQ(client_size(window), designed);
    MoveAsTheOperator(window, 20, 10);
    EXPECT_EQ(client_size(window), designed);
    SaveScreenScreenshot("log_window_after_two_moves");
    window.Close();
  });
  PressKey(Grid(), platform::qt::VK_RETURN);
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"ContestLogStd"});
}

TEST_F(MainWindowTest, TheFurtherProgramsButtonOpensTheBox) {
  WriteLogs(kLogs);
  Fkt().SetPort(nullptr);
  app::InstallContestPorts();
  Open();
  driver_.ThenReturn(platform::qt::mrCancel);
  Window().btnweitere->Click();
  EXPECT_EQ(driver_.Seen(), std::vector<std::string>{"wagprogramme"});
}

TEST_F(StartRoadTest, AfterTheLogWindowTheRowShowsWhatItSaved) {
  WriteLogs(kLogs);
  Open();
  port_->log_window = [](contest::TdbContest& catalogue) {
    contest::TContestKKRec record{};
    catalogue.GetKKRec(record);
    record.Name = "Charlie 2021";
    catalogue.SetKKRec(record);
    ASSERT_TRUE(catalogue.UpdateRec());
  };
  port_->entry_answers = {1};
  Window().btnAendernPx4->Click();
  ASSERT_EQ(port_->logs_run, std::vector<std::int32_t>{4});
  EXPECT_EQ(CurrentName(), "Charlie 2021");
}

TEST_F(StartRoadTest, ANewLogStartsWhenTheSetupFormGivesItsNumber) {
  WriteLogs(kLogs);
  Open();
  port_->add_log = [](contest::TdbContest& catalogue) {
    AddLog(catalogue, {'.', "Delta", "01.01.2022", ""});
    contest::TContestKKRec record{};
    catalogue.GetKKRec(record);
    return static_cast<std::int32_t>(record.Nummer);
  };
  port_->entry_answers = {1};
  Window().btnNeupx4->Click();
  using Call = RecordingContestPort::EntryCall;
  EXPECT_EQ(port_->entry_calls, (std::vector<Call>{{0, 0, '.'}, {1, 1, '.'}}));
  EXPECT_EQ(port_->logs_run, std::vector<std::int32_t>{6});
  EXPECT_EQ(CurrentName(), "Delta");
  ASSERT_FALSE(messages_->calls.empty());
  const common::MessageCall& notice = messages_->calls.front();
  EXPECT_EQ(notice.title, "Versionsprüfung");
  EXPECT_TRUE(notice.text.ends_with("Aktuell installiert: " + Window().Caption()));

  port_->entry_calls.clear();
  Window().btnNeupx4->Click();  // cancelled
  EXPECT_EQ(port_->entry_calls, (std::vector<Call>{{0, 0, '.'}}));
  EXPECT_EQ(port_->logs_run.size(), 1u);
}

// A log with contest data and a QSO file, as a log window leaves it.
void AddQso(std::int32_t nummer, const std::string& call) {
  auto& tables = common::Service<contest::ToDatContest>::Get();
  ASSERT_TRUE(tables.OpenTables(contest::TableMask(contest::kTableLK), nummer));
  {
    contest::TdbContest qsos(contest::kTableLK, nummer);
    contest::TContestLKRec qso{};
    qso.Call = call;
    qsos.ClearRec();
    qsos.SetLKRec(qso);
    ASSERT_TRUE(qsos.InsertRec());
  }
  tables.CloseTables(contest::TableMask(contest::kTableLK), nummer);
}

std::int32_t QsoCount(std::int32_t nummer) {
  auto& tables = common::Service<contest::ToDatContest>::Get();
  if (!tables.OpenTables(contest::TableMask(contest::kTableLK), nummer)) return -1;
  std::int32_t count = 0;
  {
    contest::TdbContest qsos(contest::kTableLK, nummer);
    count = qsos.UsedRecs();
  }
  tables.CloseTables(contest::TableMask(contest::kTableLK), nummer);
  return count;
}

TEST_F(MainWindowTest, DeletingALogAsksTwiceAndRemovesItsFilesAndRecords) {
  // Charlie has the highest number: a log made after its deletion gets that number again.
  WriteLogs({kLogs[0], kLogs[1], kLogs[2], kLogs[3]});
  Open();
  ASSERT_TRUE(Fkt().EnsureContestData(RefOf(Ctrl(), 4), Ctrl().Catalogue(), Ctrl().ContestData()));
  AddQso(4, "DL1ABC");
  const std::string qso_file = folder_ / "PXLK0004.DAT";
  ASSERT_TRUE(fs::exists(qso_file));

  const struct {
    const char* name;
    std::deque<bool> answers;
    std::function<void(MainWindowTest&)> act;
  } refusals[] = {
      {"Taste, nein",
       {false},
       [](MainWindowTest& t) { PressKey(t.Grid(), platform::qt::VK_DELETE); }},
      {"Knopf, ja und nein",
       {true, false},
       [](MainWindowTest& t) { t.Window().btnLoeschenPx4->Click(); }},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    messages_->calls.clear();
    messages_->answers = refusal.answers;
    refusal.act(*this);
    EXPECT_EQ(messages_->calls.size(), refusal.answers.size());
    EXPECT_TRUE(fs::exists(qso_file));
    EXPECT_EQ(CurrentName(), "Charlie");
  }

  messages_->calls.clear();
  messages_->answers = {true, true};
  PressKey(Grid(), platform::qt::VK_DELETE);
  ASSERT_EQ(messages_->calls.size(), 2u);
  EXPECT_EQ(messages_->calls[0].text, "Logbuch Charlie löschen?");
  EXPECT_EQ(messages_->calls[1].text, "Komplettes Logbuch Charlie unwiederbringlich löschen?");
  for (const auto& call : messages_->calls) EXPECT_EQ(call.title, "Sicherheitsabfrage");
  EXPECT_FALSE(fs::exists(qso_file));
  EXPECT_FALSE(Ctrl().Catalogue().FindByNummer(4));
  EXPECT_FALSE(Ctrl().ContestData().FindByNummer(4));
  Window().Brow->GotoDatensatz(-1, 0, 1);
  EXPECT_EQ(ShownNames(), (std::vector<std::string>{"Alpha", "Bravo"}));
  AddLog(Ctrl().Catalogue(), {'.', "Echo", "", ""});
  contest::TContestKKRec added{};
  Ctrl().Catalogue().GetKKRec(added);
  EXPECT_EQ(added.Nummer, 4);
  EXPECT_EQ(QsoCount(4), 0);

  // The button deletes the same way.
  Window().Brow->GotoDatensatz(RefOf(Ctrl(), 1), 0, 1);
  messages_->answers = {true, true};
  Window().btnLoeschenPx4->Click();
  Window().Brow->GotoDatensatz(-1, 0, 1);
  EXPECT_EQ(ShownNames(), (std::vector<std::string>{"Bravo", "Echo"}));
}

TEST_F(MainWindowTest, EscapeAsksBeforeTheWindowCloses) {
  WriteLogs(kLogs);
  Open();
  messages_->answers = {false};
  PressKey(Grid(), platform::qt::VK_ESCAPE);
  ASSERT_EQ(messages_->calls.size(), 1u);
  EXPECT_EQ(messages_->calls[0].text, "Programm beenden?");
  EXPECT_EQ(messages_->calls[0].title, "");
  EXPECT_TRUE(Window().Visible());
  messages_->answers = {true};
  PressKey(Grid(), platform::qt::VK_ESCAPE);
  EXPECT_FALSE(Window().Visible());
}

TEST_F(MainWindowTest, ShutdownSavesTheSettingsClosesEveryFileAndSpeaksGerman) {
  WriteLogs(kLogs);
  Open();
  common::Service<logbook::ToSetups>::Get().SetOwnCall("DL0PEL");
  common::SetLanguageByte(2);
  CloseDown();
  EXPECT_EQ(common::LanguageByte(), common::kLanguageGerman);
  EXPECT_EQ(outcome_.exit_code, 0);
  EXPECT_FALSE(common::Service<storage::DriverSystem>::Get().Started());
  EXPECT_FALSE(AnyFileOpen());

  common::Service<logbook::ToSetups>::Get().SetOwnCall("");
  Open();
  EXPECT_EQ(common::Service<logbook::ToSetups>::Get().GetOwnCall(false), "DL0PEL");
}

TEST_F(MainWindowTest, HelpOpensTheHelpPageAtTheWindowsPlaceOrSaysItCannot) {
  WriteLogs(kLogs);
  std::filesystem::copy_file(HELP_PAGE_SOURCE, folder_ / app::kHelpPage);
  Open();
  Window().btnHilfePx4->Click();
  ASSERT_EQ(shell_.calls.size(), 1u);
  const std::string link = shell_.calls[0].arguments.at(0);
  EXPECT_TRUE(link.starts_with("file:///")) << link;
  EXPECT_TRUE(link.ends_with("/hilfe.htm#kontext1")) << link;
  EXPECT_TRUE(messages_->calls.empty());
  // Other help commands are the application's.
  EXPECT_FALSE(platform::qt::Application().HelpCommand(platform::qt::HELP_INDEX, 0));
  EXPECT_EQ(shell_.calls.size(), 1u);

  shell_.answer = platform::kErrorFileNotFound;  // no browser
  Window().btnHilfePx4->Click();
  fs::remove(folder_ / app::kHelpPage);
  shell_.answer = platform::kErrorSuccess;
  Window().btnHilfePx4->Click();
  EXPECT_EQ(shell_.calls.size(), 2u);  // no page: nothing is started
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>(2, app::kHelpNotOpened)));
}

TEST_F(MainWindowTest, TheLogWindowsHelpCommandOpensItsPlaceOnThePageOrSaysItCannot) {
  // The log window's help buttons ask for context 0 (contestlog's tests see them ask).
  WriteLogs(kLogs);
  std::filesystem::copy_file(HELP_PAGE_SOURCE, folder_ / app::kHelpPage);
  Open();
  EXPECT_TRUE(platform::qt::Application().HelpCommand(platform::qt::HELP_CONTEXT, 0));
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_TRUE(shell_.calls[0].arguments.at(0).ends_with("/hilfe.htm#kontext0"));
  EXPECT_TRUE(messages_->calls.empty());
  fs::remove(folder_ / app::kHelpPage);
  platform::qt::Application().HelpCommand(platform::qt::HELP_CONTEXT, 0);
  EXPECT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{app::kHelpNotOpened});
}

TEST_F(MainWindowTest, TheLinkToTheHelpPageIsAFileAddressWithItsContext) {
  EXPECT_EQ(app::HelpPageLink("/tmp/Daten Ä/", 310110018),
            "file:///tmp/Daten%20%C3%84/hilfe.htm#kontext310110018");
}

TEST_F(MainWindowTest, ScreenshotsOfTheListAtTheDesignSizeAndTheSmallest) {
  WriteLogs(kLogs);
  for (const auto& [width, height] : {std::pair{1006, 646}, std::pair{800, 600}}) {
    SCOPED_TRACE(width);
    Open(width, height);
    app::TContestBrow& w = Window();
    // The list lies right of the side bar and inside the window, with room for its buttons.
    EXPECT_GE(w.panelContest->Left(), w.Image2->Width());
    EXPECT_LE(w.panelContest->Left() + w.panelContest->Width(), w.ClientWidth());
    EXPECT_LE(w.panelContest->Top() + w.panelContest->Height(), w.ClientHeight());
    EXPECT_GE(w.panelContest->Width(), 5 * w.btnHilfePx4->Width());
    EXPECT_LT(w.lhersteller->Top() + w.lhersteller->Height(), w.btnweitere->Top());
    EXPECT_FALSE(platform::qt::testkit::SaveScreenshot(
                     w, "main_window_" + std::to_string(width) + "x" + std::to_string(height))
                     .empty());
    w.SetClientSize(640, 480);  // no smaller than the smallest size
    EXPECT_EQ(w.ClientWidth(), 800);
    EXPECT_EQ(w.ClientHeight(), 600);
    CloseDown();
  }
}

}  // namespace
}  // namespace app_test
