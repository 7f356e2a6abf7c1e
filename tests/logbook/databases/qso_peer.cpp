// Peer of the logbook's multi-process tests, a user of one layout-9 project logbook in its own
// process, in network mode:
//   `qso_peer FOLDER PROJECT SEED COUNT` adds COUNT random QSOs to the logbook (table 0) of
//   project PROJECT in FOLDER;
//   `qso_peer pass FOLDER PROJECT` opens that logbook as the program does, so that the DXCC
//   renewal runs, and prints "changed N";
//   `qso_peer lock FOLDER FILE REF` holds record REF of FOLDER/FILE locked, prints "locked" and
//   waits (at most a minute) for a file FOLDER/release.
// Exits 0 done, 1 an add failed for good, 2 EDBError, 3 no start, 4 bad arguments, 5 no such
// project, 6 the lock was not taken.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "common/service.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/engine.h"
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

int Pass(std::int32_t number) {
  logbook::TdbProject project;
  if (!project.FindNumber(number)) return 5;
  int changed = 0;
  Service<logbook::ToDatQSO>::Get().SetDxccPass(
      [&](logbook::TdbProject& p) { changed = logbook::ReassignDxccOf(p); });
  logbook::TdbQSO log(&project, 0, 0);
  std::printf("changed %d\n", changed);
  return 0;
}

int Lock(const std::string& folder, const std::string& file, std::int32_t ref) {
  storage::EngineInit(2, 16);
  storage::OpenOptions shared;
  shared.shared = true;
  storage::FileblockHandle h = storage::FileblockOpen(folder + "/" + file, shared);
  if (h == nullptr) return 6;
  storage::FileblockLockRecord(h, ref);
  if (!storage::FileblockRecordLocked(h, ref)) return 6;
  std::printf("locked\n");
  std::fflush(stdout);
  for (int i = 0; i < 600 && !std::filesystem::exists(folder + "/release"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  storage::FileblockClose(h);
  storage::EngineExit();
  return 0;
}

int Run(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "lock" && argc == 5) return Lock(argv[2], argv[3], std::stoi(argv[4]));
  const bool pass = mode == "pass" && argc == 4;
  if (argc != 5 && !pass) return 4;
  if (pass) ++argv;
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
  const int code = pass ? Pass(std::stoi(argv[2]))
                        : AddAll(std::stoi(argv[2]), static_cast<unsigned>(std::stoul(argv[3])),
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
