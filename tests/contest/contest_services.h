// The services every user of the contest tables needs, for a test or the peer program: created in
// the program's order, destroyed in reverse.
#pragma once

#include <string>

#include "common/service.h"
#include "contest/contest_tables.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"

namespace contest_test {

class ContestServices {
 public:
  explicit ContestServices(const std::string& data_folder) {
    common::Service<logbook::ToSetups>::Create();
    common::Service<logbook::ToModi>::Create();
    common::Service<logbook::ToPrefix>::Create();
    common::Service<storage::DriverSystem>::Create().SetStartFolder(data_folder + "/");
    common::Service<storage::ToDBFkt>::Create();
    common::Service<contest::ToDatContest>::Create();
  }
  ~ContestServices() {
    common::Service<contest::ToDatContest>::Destroy();
    common::Service<storage::ToDBFkt>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
    common::Service<logbook::ToPrefix>::Destroy();
    common::Service<logbook::ToModi>::Destroy();
    common::Service<logbook::ToSetups>::Destroy();
  }
  ContestServices(const ContestServices&) = delete;
  ContestServices& operator=(const ContestServices&) = delete;
};

// The call of the n-th QSO the peer inserts.
inline std::string PeerCall(int n) { return "DL" + std::to_string(n) + "X"; }

}  // namespace contest_test
