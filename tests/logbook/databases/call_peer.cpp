// Peer of the call database's multi-process test, a user of PX5CALL in FOLDER in its own process:
// `call_peer FOLDER TAG COUNT` writes its value into the shared calls S0 .. S<COUNT-1> (re-reading
// a record another user changed first) and adds the calls TAG0 .. TAG<COUNT-1>, one of each in
// turn. Exits 0 done, 1 a store failed for good, 2 EDBError, 3 no start, 4 bad arguments.
#include <cstdio>
#include <memory>
#include <string>

#include "common/service.h"
#include "logbook/databases/call_database.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "tests/logbook/databases/call_peer_values.h"

namespace {

using logbook::TdbCall;

bool WriteShared(const std::string& call, const std::string& tag) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    TdbCall c(logbook::kCallData);
    if (!c.FindCall(call)) return false;
    logbook::testing::PeerValues(tag).Put(c);
    if (c.Update()) return true;  // else another user changed it since the find: read it again
  }
  return false;
}

int Run(int argc, char** argv) {
  if (argc != 4) return 4;
  const std::string tag = argv[2];
  const int count = std::stoi(argv[3]);
  auto& s = common::Service<storage::DriverSystem>::Get();
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  s.SetStartFolder(std::string(argv[1]) + "/");
  // Lock conflicts are waited out, as a patient user would.
  int patience = 100000;
  s.SetDefaultRetryProc(
      [&](std::string_view, int reason) { return reason != 4 && --patience > 0; });
  common::Service<logbook::ToDatCall>::Create();
  {
    TdbCall holder(logbook::kCallData);  // keeps the file open for the run
    for (int i = 0; i < count; ++i) {
      if (!WriteShared("S" + std::to_string(i), tag)) {
        std::printf("update S%d failed\n", i);
        return 1;
      }
      TdbCall add(logbook::kCallData);
      add.ClearRecord();
      add.SetCall(tag + std::to_string(i));
      logbook::testing::PeerValues(tag).Put(add);
      if (!add.Insert()) {
        std::printf("add %s%d failed\n", tag.c_str(), i);
        return 1;
      }
    }
  }
  common::Service<logbook::ToDatCall>::Destroy();
  storage::StopDriverSystem();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::printf("%s\n", e.what());
    code = 2;
  }
  std::fflush(stdout);
  common::Service<storage::DriverSystem>::Destroy();
  return code;
}
