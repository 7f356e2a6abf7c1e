#include "app/program_services.h"

#include <memory>

#include "common/current_folder.h"
#include "common/file_base_ss.h"
#include "common/grid_colours.h"
#include "common/messages.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contest/contest_tables.h"
#include "logbook/databases/call_database.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/projecte.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table.h"
#include "logbook/databases/selection_position.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/setup_files.h"
#include "output/alle_rout.h"
#include "output/print_settings.h"
#include "storage/driver/debug_stack.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"

namespace app {

using common::Service;

ProgramServices::ProgramServices(std::string data_folder) : data_folder_(std::move(data_folder)) {
  common::SetCurrentFolder(data_folder_);
  Service<common::ToDates>::Create();
  Service<logbook::ToSetups>::Create();
  Service<common::ToMessages>::Create();  // the console until the dialog windows exist
  Service<common::TFileBaseSS>::Create();
  Service<common::GridColours>::Create();
  Service<common::TScreenSS>::Create();
  Service<common::ToWinskal>::Create();
  Service<logbook::ToBaender>::Create();
  Service<logbook::ToModi>::Create();
  Service<logbook::ToLocator>::Create();
  Service<logbook::ToPrefix>::Create();
  Service<logbook::ToDatCall>::Create();
  Service<logbook::ToDatProject>::Create();
  Service<logbook::ToProjecte>::Create();
  // The logbook files' DXCC pass is armed from here on: the first layout-9 logbook opened in a
  // run renews its old DXCC assignments.
  Service<logbook::ToDatQSO>::Create().SetDxccPass(
      [](logbook::TdbProject& project) { logbook::ReassignDxccOf(project); });
  Service<storage::DriverSystem>::Create().SetStartFolder(data_folder_);
  // The error log goes to the settings' folder; until the settings are loaded that is the data
  // folder, which also holds the installation help page.
  Service<storage::ToDBFkt>::Create().SetReportFolders(data_folder_, "");
  // The DXCC selection opens its window where it was last closed in the current project.
  Service<logbook::ToDatPrefix>::Create().SetWindowPlace(
      std::make_unique<logbook::ProjectWindowPlace>());
  Service<logbook::ToDatSetup>::Create();
  Service<contest::ToDatContest>::Create();
  Service<contest::TContestFkt>::Create();
  Service<output::TAlleRout>::Create();
  Service<output::TPrintSS>::Create();
}

ProgramServices::~ProgramServices() {
  // The logbook files and the catalogue object's project cursor close their files while the file
  // manager runs.
  Service<logbook::ToDatQSO>::Destroy();
  Service<logbook::ToProjecte>::Destroy();
  if (Service<storage::DriverSystem>::Get().Started()) {
    Service<storage::ToDBFkt>::Get().DoneDatabase();
  }
  // The dump describes the last driver operation, so it is written before anything is freed.
  storage::DriverExitProcedure();
  Service<output::TPrintSS>::Destroy();
  Service<output::TAlleRout>::Destroy();
  Service<contest::TContestFkt>::Destroy();
  Service<contest::ToDatContest>::Destroy();
  Service<logbook::ToDatSetup>::Destroy();
  Service<logbook::ToDatPrefix>::Destroy();
  Service<storage::ToDBFkt>::Destroy();
  Service<storage::DriverSystem>::Destroy();
  Service<logbook::ToDatProject>::Destroy();
  Service<logbook::ToDatCall>::Destroy();
  Service<logbook::ToPrefix>::Destroy();
  Service<logbook::ToLocator>::Destroy();
  Service<logbook::ToModi>::Destroy();
  Service<logbook::ToBaender>::Destroy();
  Service<common::ToWinskal>::Destroy();
  Service<common::TScreenSS>::Destroy();
  Service<common::GridColours>::Destroy();
  Service<common::TFileBaseSS>::Destroy();
  Service<common::ToMessages>::Destroy();
  Service<logbook::ToSetups>::Destroy();
  Service<common::ToDates>::Destroy();
}

}  // namespace app
