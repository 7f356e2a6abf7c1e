// The program's start and its stops: a first start as a new user meets it, run through the
// program's own start-up, and the starts that cannot go on.
#include "app/program_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program_databases.h"
#include "common/le_int.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/projecte.h"
#include "logbook/setupfiles/setup_cursor.h"
#include "platform/fake_environment.h"
#include "tests/app/main_window_fixture.h"

namespace app_test {
namespace {

namespace fs = std::filesystem;

TEST(ProgramStartTest, AFirstStartCreatesTheFilesWarnsAndOffersANewLog) {
  common::testing::TempFolder data;
  common::testing::TempFolder resources;  // no prefix tables, no help pages
  // The presenter and the port go with the run's services: what they recorded is kept here.
  common::ScriptedPresenter* messages = nullptr;
  RecordingContestPort* port = nullptr;
  std::vector<common::MessageCall> calls;
  std::vector<RecordingContestPort::EntryCall> entry_calls;
  std::vector<std::string> files;
  std::string caption;
  bool list_empty = false;

  app::StartHooks hooks;
  hooks.data_folder = data.path() + "/";
  hooks.resource_folder = resources.path();
  hooks.wired = [&] {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    messages = presenter.get();
    common::Service<common::ToMessages>::Get().SetPresenter(std::move(presenter));
    auto recording = std::make_unique<RecordingContestPort>();
    port = recording.get();
    common::Service<contest::TContestFkt>::Get().SetPort(std::move(recording));
  };
  hooks.running = [&](app::TContestBrow& window) {
    for (const char* table : {"PXSETUP", "PX5PRO", "PXKK", "PXKZ"}) {
      if (fs::exists(data / (std::string(table) + ".DAT"))) files.push_back(table);
    }
    caption = window.Caption();
    list_empty = !window.Brow->IsRowValid();
    calls = messages->calls;
    entry_calls = port->entry_calls;
    window.Close();
  };
  char name[] = "domivox";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(app::RunProgram(1, argv, hooks), 0);

  EXPECT_EQ(files, (std::vector<std::string>{"PXSETUP", "PX5PRO", "PXKK", "PXKZ"}));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, common::MessageKind::kFehler);
  EXPECT_TRUE(calls[0].text.starts_with("Achtung: Die Präfixdatei konnte nicht"));
  EXPECT_EQ(calls[1].title, "Versionsprüfung");
  EXPECT_TRUE(calls[1].text.ends_with("Aktuell installiert: " + caption)) << caption;
  EXPECT_EQ(entry_calls, (std::vector<RecordingContestPort::EntryCall>{{0, 0, '.'}}));
  EXPECT_TRUE(list_empty);
}

// Starts that cannot go on: each is told, closes what it opened and ends the run with 1.
TEST_F(MainWindowTest, StartsThatCannotGoOnSayWhyAndEndWithExitCodeOne) {
  platform::FakeSleeper sleeper;  // lock-conflict retries do not wait
  platform::ScopedEnvironment environment(nullptr, &sleeper, nullptr);
  const struct {
    const char* name;
    std::function<void(const std::string& folder)> spoil;
    std::string message;
  } cases[] = {
      {"Datenordner", [](const std::string& folder) { fs::remove_all(folder); },
       "Dateiverwaltung konnte nicht initialisiert werden"},
      {"Einstellungsdateien",
       [](const std::string& folder) { fs::create_directory(folder + "/PXSETUP.DAT"); },
       app::kSetupFilesFailed},
      {"Projektdateien",
       [](const std::string& folder) { fs::create_directory(folder + "/PX5PRO.DAT"); },
       app::kProjectFilesFailed},
      {"Einstellungen",
       [](const std::string& folder) { fs::create_directory(folder + "/PXSETUP2.DAT"); },
       app::kSettingsNotLoaded},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_.path());
    fs::create_directory(folder_.path());
    c.spoil(folder_.path());
    messages_->calls.clear();
    // A folder in a table's place may be taken for a lock: the user gives up.
    messages_->answers = {false, false, false};
    outcome_.exit_code = 0;
    window_ = std::make_unique<app::TContestBrow>(nullptr, outcome_);
    EXPECT_TRUE(Window().Halted());
    EXPECT_EQ(Window().Ctrl(), nullptr);
    EXPECT_EQ(outcome_.exit_code, 1);
    ASSERT_FALSE(messages_->calls.empty());
    EXPECT_EQ(messages_->calls.back().kind, common::MessageKind::kFehler);
    EXPECT_EQ(messages_->calls.back().text, c.message);
    EXPECT_FALSE(common::Service<storage::DriverSystem>::Get().Started());
    EXPECT_FALSE(AnyFileOpen());
    CloseDown();
    EXPECT_EQ(outcome_.exit_code, 1);
  }
}

// The project the setup record names becomes current; one that is gone gives way to the first.
TEST_F(MainWindowTest, TheSetupRecordsProjectBecomesCurrentAndIsWrittenBack) {
  ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase());
  {
    logbook::TdbProject projects;
    for (int i = 0; i < 2; ++i) {
      projects.Clear();
      ASSERT_TRUE(projects.Insert());
    }
  }
  const auto stored_project = [] {
    logbook::TdbSetupBase setup(logbook::kSetupMain);
    if (!setup.First(0)) return std::int32_t{-99};
    const auto record = std::make_unique<logbook::PxSetupRecord>();
    setup.GetRecord0(*record);
    return common::ReadLeInt32(record->data() + app::kSetupProjectOffset);
  };
  const auto store_project = [](std::int32_t number) {
    logbook::TdbSetupBase setup(logbook::kSetupMain);
    if (!setup.First(0)) {
      setup.Clear();
      ASSERT_TRUE(setup.Insert());
    }
    const auto record = std::make_unique<logbook::PxSetupRecord>();
    setup.GetRecord0(*record);
    common::WriteLeInt32(record->data() + app::kSetupProjectOffset, number);
    setup.PutRecord0(*record);
    ASSERT_TRUE(setup.Update());
  };
  for (const auto& [stored, current] : {std::pair{2, 2}, std::pair{7, 1}}) {
    SCOPED_TRACE(stored);
    store_project(stored);
    {
      app::ProgramDatabases databases('.');
      EXPECT_EQ(common::Service<logbook::ToProjecte>::Get().CurrentProject(), current);
      EXPECT_EQ(stored_project(), current);
      EXPECT_TRUE(databases.CloseDatabases());
    }
    ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase());
  }
  common::Service<storage::ToDBFkt>::Get().DoneDatabase();
}

}  // namespace
}  // namespace app_test
