// The program in a process of its own, for the test of the settings a crash must not take:
//   settings_crash_peer FOLDER store  runs the program offscreen on the data folder FOLDER (its
//     first start), types the new log's setup with the station's address, stores it with
//     "Beenden" and, once the main window runs, prints "stored" and waits to be killed;
//   settings_crash_peer FOLDER read   prints the own station's name, street, city line and
//     e-mail address as the setup tables hold them, one a line.
// Exits 0 done, 1 the settings could not be read, 2 the program ended unkilled, 4 bad arguments.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/contest_brow.h"
#include "app/eing_contest_std.h"
#include "app/program_services.h"
#include "app/program_start.h"
#include "common/messages.h"
#include "common/scripted_presenter.h"
#include "common/service.h"
#include "logbook/settings/own_station_texts.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_store.h"
#include "logbook/setupfiles/setup_files.h"
#include "platform/qt/application.h"
#include "platform/qt/testkit/modal_driver.h"
#include "storage/tables/db_functions.h"
#include "tests/app/first_log_setup.h"

namespace {

int Store(const std::string& folder, int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::qt::TApplication application(argc, argv);
  platform::qt::testkit::ModalDriver driver;
  driver.Then([](platform::qt::TForm& form) {
    auto& setup = dynamic_cast<app::TEingContestStd&>(form);
    app_test::TypeFirstLogSetup(setup);
    setup.btnOK->Click();  // "Beenden": stored, the log not started
  });
  app::StartHooks hooks;
  hooks.data_folder = folder + "/";
  hooks.resource_folder = PREFIX_TABLES_DIR;
  hooks.wired = [] {
    common::Service<common::ToMessages>::Get().SetPresenter(
        std::make_unique<common::ScriptedPresenter>());
  };
  hooks.running = [](app::TContestBrow&) {
    std::printf("stored\n");
    std::fflush(stdout);
    for (;;) {
      platform::qt::Application().ProcessMessages();
      usleep(10000);
    }
  };
  app::RunProgram(argc, argv, hooks);
  return 2;
}

int Read(const std::string& folder) {
  app::ProgramServices services(folder + "/");
  if (!common::Service<storage::ToDBFkt>::Get().InitDatabase()) return 1;
  auto& setup_files = common::Service<logbook::ToDatSetup>::Get();
  setup_files.OpenFiles(logbook::ToDatSetup::kBitMain, false);
  const bool loaded = logbook::LoadSettings();
  setup_files.CloseFiles(logbook::ToDatSetup::kBitMain | logbook::ToDatSetup::kBitMore);
  common::Service<storage::ToDBFkt>::Get().DoneDatabase();
  if (!loaded) return 1;
  const logbook::OwnStationTexts texts = logbook::OwnStationTextsOf(
      common::Service<logbook::ToSetups>::Get().GetOwnStation());
  for (const std::string& text : {texts.name, texts.street, texts.city, texts.email}) {
    std::printf("%s\n", text.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 4;
  const std::string mode = argv[2];
  if (mode == "store") return Store(argv[1], argc, argv);
  if (mode == "read") return Read(argv[1]);
  return 4;
}
