#include "app/program_services.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "contest/contest_tables.h"
#include "logbook/databases/projecte.h"
#include "logbook/settings/setups.h"
#include "output/alle_rout.h"
#include "output/print_settings.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class ProgramServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/domivox-app-XXXXXX";
    folder_ = mkdtemp(pattern);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Routes the program's messages to a recorder; the services own it.
  common::ScriptedPresenter* RecordMessages() {
    auto presenter = std::make_unique<common::ScriptedPresenter>();
    auto* recorder = presenter.get();
    common::Service<common::ToMessages>::Get().SetPresenter(std::move(presenter));
    return recorder;
  }

  static storage::ToDBFkt& FileManager() { return common::Service<storage::ToDBFkt>::Get(); }

  std::string folder_;
};

TEST_F(ProgramServicesTest, TheFileManagerRunsInTheDataFolderAndStopsWithTheServices) {
  {
    ProgramServices services(folder_ + "/");
    EXPECT_TRUE(common::Service<logbook::ToSetups>::Exists());
    EXPECT_TRUE(common::Service<contest::ToDatContest>::Exists());
    EXPECT_TRUE(common::Service<logbook::ToProjecte>::Exists());
    EXPECT_TRUE(common::Service<output::TAlleRout>::Exists());
    EXPECT_TRUE(common::Service<output::TPrintSS>::Exists());
    auto* messages = RecordMessages();
    ASSERT_TRUE(FileManager().InitDatabase());
    EXPECT_TRUE(common::Service<storage::DriverSystem>::Get().Started());
    EXPECT_EQ(common::Service<storage::DriverSystem>::Get().StartFolder(), folder_ + "/");
    EXPECT_TRUE(messages->calls.empty());
    // A start that stopped half-way leaves the file manager running: the services stop it.
  }
  EXPECT_FALSE(common::Service<logbook::ToSetups>::Exists());
  EXPECT_FALSE(common::Service<storage::DriverSystem>::Exists());
  EXPECT_FALSE(common::Service<contest::ToDatContest>::Exists());
}

TEST_F(ProgramServicesTest, AnUnusableDataFolderIsReportedAndRefused) {
  ProgramServices services(folder_ + "/missing/");
  auto* messages = RecordMessages();
  EXPECT_FALSE(FileManager().InitDatabase());
  bool told = false;
  for (const auto& call : messages->calls)
    told |= call.text == "Dateiverwaltung konnte nicht initialisiert werden";
  EXPECT_TRUE(told);
}

}  // namespace
}  // namespace app
