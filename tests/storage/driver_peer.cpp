// A peer process of the driver's multi-process tests: opens the shared test file in FOLDER
// through the driver (network mode 2) and carries out one command:
//   add COUNT TAG                    adds COUNT records, calls TAG0, TAG1, ...
//   update CALL NEWCALL [READY GO]   changes CALL to NEWCALL; with READY and GO, creates READY
//                                    after the find and waits (60 s at most) for GO first
// Prints "class=<DriverErrorClass> error=<first error> call=<buffer's call>" after an update or a
// failed add. Exit codes: 0 done, 1 an add failed, 2 EDBError, 3 no start, 4 bad arguments,
// 5 timed out.
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

bool WaitFor(const char* path) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (access(path, F_OK) != 0) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

int Run(int argc, char** argv) {
  if (argc < 5) return 4;
  const std::string command = argv[2];
  auto& s = common::Service<storage::DriverSystem>::Get();
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  s.SetStartFolder(std::string(argv[1]) + "/");
  // Lock conflicts are waited out, as a patient user would; a deleted record is not added anew.
  int patience = 1000;
  s.SetDefaultRetryProc(
      [&](std::string_view, int reason) { return reason != 4 && --patience > 0; });
  storage::IFDriver d;
  storage::DriverOpenParams p;
  p.name = p.path = "PXLK";
  p.shared = true;
  p.record_length = p.buffer_length = sizeof(TestRec);
  p.key_count = 3;
  p.key_builder = storage_test::TestKeys;
  if (!d.Open(p) || !d.DefineKey(1, 5, false) || !d.DefineKey(2, 10, true) ||
      !d.DefineKey(3, 8, false) || !d.SetAutoKeyField(1, 4)) {
    return 3;
  }
  d.SetFlushEachWrite(true);

  if (command == "add") {
    for (int i = 0; i < std::stoi(argv[3]); ++i) {
      d.ClearRecord();
      Rec(d).call = std::string(argv[4]) + std::to_string(i);
      Rec(d).band = "20";
      if (!d.AddRecord()) return Report(s, d), 1;
    }
  } else if (command == "update" && (argc == 5 || argc == 7)) {
    if (d.FindRecord(2, argv[3])) {
      if (argc == 7) {
        std::fclose(std::fopen(argv[5], "w"));
        if (!WaitFor(argv[6])) return 5;
      }
      Rec(d).call = argv[4];
      d.UpdateRecord();
    }
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
