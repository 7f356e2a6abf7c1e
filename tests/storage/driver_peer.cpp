// A peer process for the driver's multi-process tests: opens the shared test file in a folder
// through the driver (network mode 2) and carries out one command.
//
//   driver_peer FOLDER probe                       exit 0 when the engine's shared locks work
//   driver_peer FOLDER add COUNT TAG               adds COUNT records, calls TAG0, TAG1, ...
//   driver_peer FOLDER update CALL NEWCALL         finds CALL and changes it to NEWCALL
//   driver_peer FOLDER hold-update CALL NEWCALL READY GO
//       finds CALL, creates the file READY, waits (at most 60 s) for the file GO, then changes
//       the record it read to NEWCALL
//
// Prints one line "class=<DriverErrorClass> error=<first error number> call=<buffer's call>"
// for the update commands. Exit codes: 0 done, 2 a serious error (EDBError), 3 the driver
// system did not start, 4 bad arguments, 5 timed out, 77 shared locks are not available.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "common/service.h"
#include "storage/db_error.h"
#include "storage/driver.h"
#include "storage/driver_system.h"
#include "test_record.h"

namespace {

using storage_test::TestRec;

TestRec& Rec(storage::IFDriver& d) { return *reinterpret_cast<TestRec*>(d.RecordBuffer()); }

void Report(storage::DriverSystem& s, storage::IFDriver& d) {
  // Read before the buffer: asking for the buffer is a driver operation of its own.
  const int error_class = s.Stack().ErrorClass();
  const int error = s.Stack().GetEntry(1).error_number;
  std::printf("class=%d error=%d call=%s\n", error_class, error, Rec(d).call.str().c_str());
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

int Run(int argc, char** argv) {
  if (argc < 3) return 4;
  const std::string folder = argv[1];
  const std::string command = argv[2];
  auto& s = common::Service<storage::DriverSystem>::Get();
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  s.SetStartFolder(folder + "/");
  s.SetDefaultRetryProc([](std::string_view, int reason) { return reason == 5 || reason == 6; });
  storage::IFDriver d;
  storage::DriverOpenParams p;
  p.name = "PXLK";
  p.path = "PXLK";
  p.shared = true;
  p.record_length = p.buffer_length = sizeof(TestRec);
  p.key_count = 3;
  p.key_builder = storage_test::TestKeys;
  if (!d.Open(p) || !d.DefineKey(1, 5, false) || !d.DefineKey(2, 10, true) ||
      !d.DefineKey(3, 8, false) || !d.SetAutoKeyField(1, 4)) {
    return 3;
  }
  d.SetFlushEachWrite(true);
  // The engine's shared locks must be real, or nothing here means anything.
  if (!d.LockFile() || d.FileLockCount() != 1 || !d.UnlockFile()) return 77;
  if (command == "probe") return 0;

  if (command == "add" && argc == 5) {
    const int count = std::stoi(argv[3]);
    for (int i = 0; i < count; ++i) {
      d.ClearRecord();
      Rec(d).call = std::string(argv[4]) + std::to_string(i);
      Rec(d).band = "20";
      if (!d.AddRecord()) {
        Report(s, d);
        return 1;
      }
    }
  } else if (command == "update" && argc == 5) {
    if (d.FindRecord(2, argv[3])) {
      Rec(d).call = argv[4];
      d.UpdateRecord();
    }
    Report(s, d);
  } else if (command == "hold-update" && argc == 7) {
    if (!d.FindRecord(2, argv[3])) {
      Report(s, d);
      return 1;
    }
    std::fclose(std::fopen(argv[5], "w"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Exists(argv[6])) {
      if (std::chrono::steady_clock::now() > until) return 5;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    Rec(d).call = argv[4];
    d.UpdateRecord();
    Report(s, d);
  } else {
    return 4;
  }
  d.Destroy();
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
    std::fprintf(stderr, "%s\n", e.what());
    code = 2;
  }
  std::fflush(stdout);
  common::Service<storage::DriverSystem>::Destroy();
  return code;
}
