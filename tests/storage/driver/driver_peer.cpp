// Peer of the driver's multi-process tests, on the shared file PXLK in FOLDER:
//   add COUNT TAG [KILL]  adds calls TAG0, TAG1, ...; with KILL the process is killed (SIGKILL)
//                         at its KILL-th write
//   update CALL NEWCALL [READY GO]  creates READY after the find and waits for GO
//   writer TAG COUNT      adds TAG-0 .. TAG-(COUNT-1); after every third add it updates one of
//                         its earlier records (band "U") and deletes another
//   victim KILL           adds V-A and V-B, then, killed at the KILL-th write from there on, adds
//                         V-C, updates V-A and deletes V-B; prints "writes N" when it lives
//   delete CALL           deletes the record of that call
//   renumber CALL OTHER   deletes the record of CALL and gives its number to the record of OTHER
//   read                  prints every record in the order of key 1: "rec NUMBER CALL BAND"
//   hold READY GO COUNT TAG  opens the log and reads its first record, creates READY and waits
//                         for GO; then adds TAG0 .. TAG(COUNT-1) and reads as "read" does
// Every acknowledged change is printed at once ("add CALL", "upd CALL", "del CALL"), and every
// question about creating the files ("asked 6", "asked 10") or a repair ("told 9"). Prints "class=C
// error=N call=CALL" after an update or a failed add. Exits 0 done, 1 add failed, 2 EDBError, 3 no
// start, 4 bad arguments, 5 no GO within a minute, 6 a change failed.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/service.h"
#include "platform/file_faults.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "tests/common/peer_process.h"
#include "tests/storage/driver/test_record.h"

namespace {

using storage_test::Rec;

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);  // a killed peer has said everything it acknowledged
}

int Report(storage::DriverSystem& s, storage::IFDriver& d, int code) {
  // Read before the buffer: asking for the buffer is a driver operation of its own.
  const int error_class = s.Stack().ErrorClass();
  const int error = s.Stack().GetEntry(1).error_number;
  Print("class=" + std::to_string(error_class) + " error=" + std::to_string(error) +
        " call=" + Rec(d).call.str());
  return code;
}

// Arms the kill at the `n`-th write from now (0: never; the writes are counted all the same).
platform::FileFaultPlan faults;
void ArmKill(std::uint64_t n) {
  faults.write = platform::FaultRule{};
  faults.write.fail_at = n;
  faults.write.on_hit = [] { kill(getpid(), SIGKILL); };
}

bool AddCall(storage::IFDriver& d, const std::string& call) {
  d.ClearRecord();
  Rec(d).call = call;
  Rec(d).band = "20";
  if (!d.AddRecord()) return false;
  Print("add " + call);
  return true;
}

bool UpdateCall(storage::IFDriver& d, const std::string& call) {
  if (!d.FindRecord(2, call)) return false;
  Rec(d).band = "U";
  if (!d.UpdateRecord()) return false;
  Print("upd " + call);
  return true;
}

bool DeleteCall(storage::IFDriver& d, const std::string& call) {
  if (!d.FindRecord(2, call) || !d.DeleteRecord(0)) return false;
  Print("del " + call);
  return true;
}

int Writer(storage::IFDriver& d, const std::string& tag, int count) {
  for (int i = 0; i < count; ++i) {
    if (!AddCall(d, tag + "-" + std::to_string(i))) return 6;
    if (i % 3 == 2 && !(UpdateCall(d, tag + "-" + std::to_string(i - 2)) &&
                        DeleteCall(d, tag + "-" + std::to_string(i - 1)))) {
      return 6;
    }
    usleep(2000);
  }
  return 0;
}

int Victim(storage::IFDriver& d, std::uint64_t kill_at) {
  if (!AddCall(d, "V-A") || !AddCall(d, "V-B")) return 6;
  ArmKill(kill_at);
  if (!AddCall(d, "V-C") || !UpdateCall(d, "V-A") || !DeleteCall(d, "V-B")) return 6;
  Print("writes " + std::to_string(faults.write.calls));
  return 0;
}

void PrintRecords(storage::IFDriver& d) {
  for (bool ok = d.FirstRecord(1); ok; ok = d.NextRecord(1)) {
    Print("rec " + std::to_string(Rec(d).number) + " " + Rec(d).call.str() + " " +
          Rec(d).band.str());
  }
}

int Run(int argc, char** argv) {
  if (argc < 3) return 4;
  const std::string command = argv[2];
  auto& s = common::Service<storage::DriverSystem>::Get();
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  s.SetStartFolder(std::string(argv[1]) + "/");
  // Lock conflicts are waited out, as a patient user would; a deleted record is not added anew.
  int patience = 1000;
  s.SetDefaultRetryProc([&](std::string_view, int reason) {
    if (reason == storage::kReasonCreate || reason == storage::kReasonDataMissing) {
      Print("asked " + std::to_string(reason));
    }
    if (reason == storage::kReasonRepair) Print("told 9");
    return reason != storage::kReasonRecordDeleted && --patience > 0;
  });
  const platform::ScopedFileFaults scoped(&faults);
  storage::IFDriver d;
  if (!storage_test::OpenTestFile(d, storage_test::Params("PXLK", true))) return 3;
  d.SetFlushEachWrite(true);

  if (command == "add" && (argc == 5 || argc == 6)) {
    if (argc == 6) ArmKill(std::stoull(argv[5]));
    for (int i = 0; i < std::stoi(argv[3]); ++i) {
      d.ClearRecord();
      Rec(d).call = std::string(argv[4]) + std::to_string(i);
      Rec(d).band = "20";
      if (!d.AddRecord()) return Report(s, d, 1);
    }
  } else if (command == "update" && (argc == 5 || argc == 7)) {
    if (d.FindRecord(2, argv[3])) {
      if (argc == 7) std::fclose(std::fopen(argv[5], "w"));
      if (argc == 7 && !common::testing::AwaitFile(argv[6], 60)) return 5;
      Rec(d).call = argv[4];
      d.UpdateRecord();
    }
    Report(s, d, 0);
  } else if (command == "writer" && argc == 5) {
    if (const int code = Writer(d, argv[3], std::stoi(argv[4]))) return Report(s, d, code);
  } else if (command == "victim" && argc == 4) {
    if (const int code = Victim(d, std::stoull(argv[3]))) return Report(s, d, code);
  } else if (command == "delete" && argc == 4) {
    if (!DeleteCall(d, argv[3])) return Report(s, d, 6);
  } else if (command == "renumber" && argc == 5) {
    if (!d.FindRecord(2, argv[3])) return Report(s, d, 6);
    const std::int32_t number = Rec(d).number;
    if (!DeleteCall(d, argv[3]) || !d.FindRecord(2, argv[4])) return Report(s, d, 6);
    Rec(d).number = number;
    if (!d.UpdateRecord()) return Report(s, d, 6);
    Print("upd " + std::string(argv[4]));
  } else if (command == "read" && argc == 3) {
    PrintRecords(d);
  } else if (command == "hold" && argc == 7) {
    d.FirstRecord(1);
    std::fclose(std::fopen(argv[3], "w"));
    if (!common::testing::AwaitFile(argv[4], 60)) return 5;
    for (int i = 0; i < std::stoi(argv[5]); ++i) {
      if (!AddCall(d, argv[6] + std::to_string(i))) return Report(s, d, 1);
    }
    PrintRecords(d);
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
