// What a test of the main window needs: a fresh data folder with the program's services, scripted
// messages, a recording contest port (setup form and log window), catalogue logs written before
// the window starts, a fixed 96-dpi screen, a recording desktop and a modal driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/contest_brow.h"
#include "app/contest_brow_ctrl.h"
#include "app/program_services.h"
#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "common/dates.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/recording_desktop.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "tests/common/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/mouse_grid.h"

namespace app_test {

// The setup form and the log window as a test plays them.
class RecordingContestPort final : public contest::ContestPort {
 public:
  struct EntryCall {
    int change;
    int mode;
    char code;
    friend bool operator==(const EntryCall&, const EntryCall&) = default;
  };
  std::vector<EntryCall> entry_calls;
  // The answers of the setup form in turn; 0 when none is left ("Abbrechen").
  std::deque<std::int32_t> entry_answers;
  // For a new log the form adds the log to the catalogue (change 0); answers its Nummer.
  std::function<std::int32_t(contest::TdbContest& catalogue)> add_log;
  std::vector<std::int32_t> logs_run;
  // What the log window does to the catalogue while it is open.
  std::function<void(contest::TdbContest& catalogue)> log_window;

  std::int32_t RunEntryForm(int change, int mode, char code, contest::TdbContest& catalogue,
                            contest::TdbContest&) override {
    entry_calls.push_back({change, mode, code});
    std::int32_t answer = 0;
    if (!entry_answers.empty()) {
      answer = entry_answers.front();
      entry_answers.pop_front();
    }
    if (change == 0 && answer != 0 && add_log) answer = add_log(catalogue);
    return answer;
  }
  void RunContestLog(platform::qt::TForm*, std::int32_t log_number, const contest::TContestRec&,
                     contest::TdbContest& catalogue, contest::TdbContest&) override {
    logs_run.push_back(log_number);
    if (log_window) log_window(catalogue);
  }
};

struct FixtureLog {
  char code;
  std::string name;
  std::string from;  // "dd.mm.yyyy", empty: none
  std::string to;
};

class MainWindowTest : public ::testing::Test {
 public:
  MainWindowTest() {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    messages_ = presenter.get();
    common::Service<common::ToMessages>::Get().SetPresenter(std::move(presenter));
    auto port = std::make_unique<RecordingContestPort>();
    port_ = port.get();
    Fkt().SetPort(std::move(port));
  }
  ~MainWindowTest() override { window_.reset(); }

  static contest::TContestFkt& Fkt() { return common::Service<contest::TContestFkt>::Get(); }
  static std::int32_t Day(const std::string& text) {
    if (text.empty()) return 0;
    return common::DMYToDate(std::stoi(text.substr(0, 2)), std::stoi(text.substr(3, 2)),
                             std::stoi(text.substr(6, 4)));
  }
  static void AddLog(contest::TdbContest& catalogue, const FixtureLog& log) {
    contest::TContestKKRec record{};
    record.Typ = log.code;
    record.Name = log.name;
    record.DatumVon = Day(log.from);
    record.DatumBis = Day(log.to);
    catalogue.ClearRec();
    catalogue.SetKKRec(record);
    ASSERT_TRUE(catalogue.InsertRec());
  }
  // Writes the logs into the catalogue, in order (so Nummer 1, 2, ...), with the file manager
  // running only for the while.
  void WriteLogs(const std::vector<FixtureLog>& logs) {
    ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase());
    {
      contest::TdbContest catalogue(contest::kTableKK, 0);
      for (const FixtureLog& log : logs) AddLog(catalogue, log);
    }
    common::Service<storage::ToDBFkt>::Get().DoneDatabase();
  }

  app::TContestBrow& Open(int width = app::TContestBrow::kDesignWidth,
                          int height = app::TContestBrow::kDesignHeight) {
    window_ = std::make_unique<app::TContestBrow>(nullptr, outcome_);
    window_->SetClientSize(width, height);
    window_->Show();
    messages_->calls.clear();  // the start's notice of the missing prefix tables
    return *window_;
  }
  // Destroys the window as the end of the message loop does.
  void CloseDown() { window_.reset(); }

  app::TContestBrow& Window() { return *window_; }
  app::TContestBrowCtrl& Ctrl() { return *window_->Ctrl(); }
  ui::TkvMouseGrid& Grid() { return window_->Brow->GetGrid(); }
  // The names of the rows in view, top to bottom (column 0 in the "Name" order).
  std::vector<std::string> ShownNames() {
    std::vector<std::string> names;
    for (int r = Grid().FixedRows(); r < Grid().RowCount(); ++r) {
      const std::string name = common::Trim(Grid().Cells(0, r));
      if (!name.empty()) names.push_back(name);
    }
    return names;
  }
  std::string CurrentName() { return common::Trim(Grid().Cells(0, Grid().Row())); }
  bool AnyFileOpen() {
    return !common::Service<storage::DriverSystem>::Get().OpenDrivers().empty();
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& call : messages_->calls) texts.push_back(call.text);
    return texts;
  }

  common::testing::TempFolder folder_;
  ui::testing::ScreenScope screen_{768, 96};
  app::ProgramServices services_{folder_.path() + "/"};
  platform::RecordingShell shell_;
  platform::ScopedDesktop desktop_{&shell_, nullptr};
  platform::qt::testkit::ModalDriver driver_;
  common::ScriptedPresenter* messages_ = nullptr;  // owned by ToMessages
  RecordingContestPort* port_ = nullptr;           // owned by the catalogue service
  app::RunOutcome outcome_;
  std::unique_ptr<app::TContestBrow> window_;
};

}  // namespace app_test
