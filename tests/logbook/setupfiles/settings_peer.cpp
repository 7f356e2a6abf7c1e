// Another program on the setup tables in FOLDER, for the multi-process test:
//   settings_peer FOLDER TAG COUNT GO
// waits for the file GO, then COUNT times loads the settings, sets station text 3 to "TAG-i" and
// saves them, as COUNT program runs would. Lock conflicts are waited out, as a patient user
// would. Exits 0 done, 1 a load or save failed, 2 EDBError, 3 no start, 4 bad arguments, 5 no GO
// within a minute.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/grid_colours.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_store.h"
#include "logbook/setupfiles/setup_files.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"

namespace {

using common::Service;

bool WaitFor(const std::string& go) {
  for (int i = 0; i < 12000; ++i) {
    if (access(go.c_str(), F_OK) == 0) return true;
    usleep(5000);
  }
  return false;
}

int Run(int argc, char** argv) {
  if (argc != 5) return 4;
  const std::string tag = argv[2];
  const int count = std::stoi(argv[3]);
  if (!WaitFor(argv[4])) return 5;
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  Service<storage::DriverSystem>::Get().SetStartFolder(std::string(argv[1]) + "/");
  int patience = 100000;
  storage::SetDefaultRetryProc([&](std::string_view, int reason) {
    return reason != storage::kReasonRecordDeleted && --patience > 0;
  });
  for (int i = 0; i < count; ++i) {
    if (!logbook::LoadSettings()) return std::printf("load %d failed\n", i), 1;
    logbook::ToSetups& settings = Service<logbook::ToSetups>::Get();
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    station.station_text3 = tag + "-" + std::to_string(i);
    settings.SetOwnStation(station);
    if (!logbook::SaveSettings(false)) return std::printf("save %d failed\n", i), 1;
  }
  storage::StopDriverSystem();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Service<common::ToDates>::Create();
  Service<logbook::ToSetups>::Create();
  Service<common::GridColours>::Create();
  Service<common::TScreenSS>::Create();
  Service<common::ToWinskal>::Create();
  Service<logbook::ToModi>::Create();
  Service<logbook::ToPrefix>::Create();
  Service<storage::DriverSystem>::Create();
  Service<logbook::ToDatPrefix>::Create();
  Service<logbook::ToDatSetup>::Create();
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::printf("%s\n", e.what());
    code = 2;
  }
  std::fflush(stdout);
  Service<logbook::ToDatSetup>::Destroy();
  Service<logbook::ToDatPrefix>::Destroy();
  Service<storage::DriverSystem>::Destroy();
  Service<logbook::ToPrefix>::Destroy();
  Service<logbook::ToModi>::Destroy();
  Service<common::ToWinskal>::Destroy();
  Service<common::TScreenSS>::Destroy();
  Service<common::GridColours>::Destroy();
  Service<logbook::ToSetups>::Destroy();
  Service<common::ToDates>::Destroy();
  return code;
}
