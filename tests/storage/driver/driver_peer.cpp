// Peer of the driver's multi-process tests, on the shared file PXLK in FOLDER: `add COUNT TAG` adds
// calls TAG0, TAG1, ...; `update CALL NEWCALL [READY GO]` creates READY after the find and waits
// for GO. Prints "class=C error=N call=CALL" after an update or a failed add. Exits 0 done, 1 add
// failed, 2 EDBError, 3 no start, 4 bad arguments, 5 no GO within a minute.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/service.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "tests/storage/driver/test_record.h"

namespace {

using storage_test::Rec;

int Report(storage::DriverSystem& s, storage::IFDriver& d, int code) {
  // Read before the buffer: asking for the buffer is a driver operation of its own.
  const int error_class = s.Stack().ErrorClass();
  const int error = s.Stack().GetEntry(1).error_number;
  std::printf("class=%d error=%d call=%s\n", error_class, error, Rec(d).call.str().c_str());
  return code;
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
  if (!storage_test::OpenTestFile(d, storage_test::Params("PXLK", true))) return 3;
  d.SetFlushEachWrite(true);

  if (command == "add") {
    for (int i = 0; i < std::stoi(argv[3]); ++i) {
      d.ClearRecord();
      Rec(d).call = std::string(argv[4]) + std::to_string(i);
      Rec(d).band = "20";
      if (!d.AddRecord()) return Report(s, d, 1);
    }
  } else if (command == "update" && (argc == 5 || argc == 7)) {
    if (d.FindRecord(2, argv[3])) {
      if (argc == 7) std::fclose(std::fopen(argv[5], "w"));
      for (int i = 0; argc == 7 && access(argv[6], F_OK) != 0; ++i) {
        if (i == 12000) return 5;  // a minute without GO
        usleep(5000);
      }
      Rec(d).call = argv[4];
      d.UpdateRecord();
    }
    Report(s, d, 0);
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
