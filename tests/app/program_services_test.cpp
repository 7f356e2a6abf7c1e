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

  std::string folder_;
};

TEST_F(ProgramServicesTest, StartsAndStopsTheFileManagerInTheDataFolder) {
  {
    ProgramServices services(folder_ + "/");
    EXPECT_TRUE(common::Service<logbook::ToSetups>::Exists());
    EXPECT_TRUE(common::Service<contest::ToDatContest>::Exists());
    EXPECT_TRUE(common::Service<logbook::ToProjecte>::Exists());
    EXPECT_TRUE(common::Service<output::TAlleRout>::Exists());
    EXPECT_TRUE(common::Service<output::TPrintSS>::Exists());
    auto* messages = RecordMessages();
    ASSERT_TRUE(services.StartFileManager());
    EXPECT_TRUE(common::Service<storage::DriverSystem>::Get().Started());
    EXPECT_EQ(services.StopFileManager(), "");
    EXPECT_TRUE(messages->calls.empty());
  }
  EXPECT_FALSE(common::Service<logbook::ToSetups>::Exists());
  EXPECT_FALSE(common::Service<storage::DriverSystem>::Exists());
  EXPECT_FALSE(common::Service<contest::ToDatContest>::Exists());
}

// Until the main window does it, the program loads its settings once the file manager runs and
// writes them back before it stops: what one run set, the next run has.
TEST_F(ProgramServicesTest, SettingsComeBackAtTheNextStart) {
  {
    ProgramServices services(folder_ + "/");
    ASSERT_TRUE(services.StartFileManager());
    ASSERT_TRUE(services.LoadSettings());
    common::Service<logbook::ToSetups>::Get().SetOwnCall("DL0PEL");
    ASSERT_TRUE(services.SaveSettings());
    EXPECT_EQ(services.StopFileManager(), "");
  }
  ProgramServices services(folder_ + "/");
  ASSERT_TRUE(services.StartFileManager());
  ASSERT_TRUE(services.LoadSettings());
  EXPECT_EQ(common::Service<logbook::ToSetups>::Get().GetOwnCall(false), "DL0PEL");
  EXPECT_TRUE(services.SaveSettings());
  EXPECT_EQ(services.StopFileManager(), "");
}

TEST_F(ProgramServicesTest, AnUnusableDataFolderIsReportedAndRefused) {
  ProgramServices services(folder_ + "/missing/");
  auto* messages = RecordMessages();
  EXPECT_FALSE(services.StartFileManager());
  bool told = false;
  for (const auto& call : messages->calls)
    told |= call.text == "Dateiverwaltung konnte nicht initialisiert werden";
  EXPECT_TRUE(told);
}

}  // namespace
}  // namespace app
