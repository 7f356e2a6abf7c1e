// Another run of the program on the setup tables in FOLDER, for the multi-process test:
//   settings_peer FOLDER TAG COUNT GO
// waits for the file GO, starts the program's services and file manager, then COUNT times opens
// the setup tables, loads the settings, sets station text 3 to "TAG-i", saves them and closes the
// tables again, as COUNT program runs would. Lock
// conflicts are waited out, as a patient user would. Exits 0 done, 1 a load or save failed, 2
// EDBError, 3 no start, 4 bad arguments, 5 no GO within a minute.

#include <cstdio>
#include <string>

#include "app/program_services.h"
#include "common/service.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_store.h"
#include "logbook/setupfiles/setup_files.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "tests/common/peer_process.h"

namespace {

int Run(int argc, char** argv) {
  if (argc != 5) return 4;
  const std::string tag = argv[2];
  const int count = std::stoi(argv[3]);
  if (!common::testing::AwaitFile(argv[4], 60)) return 5;
  app::ProgramServices services(std::string(argv[1]) + "/");
  if (!common::Service<storage::ToDBFkt>::Get().InitDatabase()) return 3;
  auto& setup_files = common::Service<logbook::ToDatSetup>::Get();
  int patience = 100000;
  storage::SetDefaultRetryProc([&](std::string_view, int reason) {
    return reason != storage::kReasonRecordDeleted && --patience > 0;
  });
  for (int i = 0; i < count; ++i) {
    setup_files.OpenFiles(logbook::ToDatSetup::kBitMain, false);
    if (!logbook::LoadSettings()) return std::printf("load %d failed\n", i), 1;
    auto& settings = common::Service<logbook::ToSetups>::Get();
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    station.station_text3 = tag + "-" + std::to_string(i);
    settings.SetOwnStation(station);
    const bool saved = logbook::SaveSettings();
    setup_files.CloseFiles(logbook::ToDatSetup::kBitMain | logbook::ToDatSetup::kBitMore);
    if (!saved) return std::printf("save %d failed\n", i), 1;
  }
  common::Service<storage::ToDBFkt>::Get().DoneDatabase();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::printf("%s\n", e.what());
    std::fflush(stdout);
    return 2;
  }
}
