// Peer of the logbook's multi-process test, a user of one layout-9 project logbook in its own
// process: `qso_peer FOLDER PROJECT SEED COUNT` adds COUNT random QSOs to the logbook (table 0) of
// project PROJECT in FOLDER, in network mode. Exits 0 done, 1 an add failed for good,
// 2 EDBError, 3 no start, 4 bad arguments, 5 no such project.
#include <cstdio>
#include <memory>
#include <string>

#include "common/service.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "tests/logbook/databases/qso_samples.h"

namespace {

using common::Service;

int AddAll(std::int32_t number, unsigned seed, int count) {
  logbook::TdbProject project;
  if (!project.FindNumber(number)) return 5;
  logbook::TdbQSOBase log(&project, false, 0, "", logbook::kLogbookLB5);
  log.SetWriteMode(nullptr, 1);  // no flush after every write
  logbook::testing::RandomQsos random(seed);
  for (int i = 0; i < count; ++i) {
    bool added = false;
    for (int attempt = 0; attempt < 10 && !added; ++attempt) {
      log.SetRecord(logbook::testing::TaggedQso(random.Layout9Fields()));
      added = log.Insert();
    }
    if (!added) {
      std::printf("add %d failed\n", i);
      return 1;
    }
  }
  return 0;
}

int Run(int argc, char** argv) {
  if (argc != 5) return 4;
  auto& s = Service<storage::DriverSystem>::Get();
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  s.SetStartFolder(std::string(argv[1]) + "/");
  // Lock conflicts are waited out, as a patient user would.
  int patience = 100000;
  s.SetDefaultRetryProc([&](std::string_view, int reason) { return reason != 4 && --patience > 0; });
  Service<logbook::ToSetups>::Create();
  Service<logbook::ToBaender>::Create();
  Service<logbook::ToModi>::Create();
  Service<logbook::ToPrefix>::Create();
  Service<logbook::ToDatProject>::Create();
  Service<logbook::ToDatQSO>::Create();
  const int code = AddAll(std::stoi(argv[2]), static_cast<unsigned>(std::stoul(argv[3])),
                          std::stoi(argv[4]));
  Service<logbook::ToDatQSO>::Destroy();
  Service<logbook::ToDatProject>::Destroy();
  storage::StopDriverSystem();
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::printf("%s\n", e.what());
    code = 2;
  }
  std::fflush(stdout);
  Service<storage::DriverSystem>::Destroy();
  return code;
}
