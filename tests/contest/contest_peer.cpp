// Another user of the contest tables in its own process, on the data folder FOLDER in network
// mode: `insert LOG COUNT` adds COUNT QSOs with the calls PeerCall(0), PeerCall(1), ... to log
// LOG, each by itself as the log window saves them; `delete LOG NUMMER` deletes that QSO;
// `qso LOG CALL BAND MODE` saves one QSO; `hold LOG SECONDS` keeps the log open, as a log
// window does, until a file "release" appears in FOLDER (at most SECONDS), printing "open" once
// it has the log, then saves one QSO to show the log still works.
// Exits 0 done, 1 an insert or the delete failed, 2 EDBError, 3 no start, 4 bad arguments,
// 5 never released.
#include <cstdio>
#include <string>

#include "common/key_text.h"
#include "contest/contest_lookups.h"
#include "storage/driver/db_error.h"
#include "tests/common/peer_process.h"
#include "tests/contest/contest_services.h"

namespace {

using contest::TdbContest;

bool Save(TdbContest& t, const std::string& call, char band, const std::string& mode, int time) {
  contest::TContestLKRec qso{};
  qso.Call = call;
  qso.Bandcode = band;
  qso.Datum = 154321;
  qso.Zeit = time;
  qso.Mode = mode;
  t.ClearRec();
  t.SetLKRec(qso);
  return t.InsertRec();
}

int Run(int argc, char** argv) {
  if (argc < 5) return 4;
  const std::string command = argv[2];
  const std::int32_t log = std::stoi(argv[3]);
  const int count = command == "qso" ? 0 : std::stoi(argv[4]);
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  // Lock conflicts are waited out, as a patient user would.
  int patience = 1000;
  storage::SetDefaultRetryProc([&](std::string_view, int) { return --patience > 0; });
  TdbContest t(contest::kTableLK, log);
  if (!t.OpenedHere()) return 3;
  if (command == "insert") {
    for (int i = 0; i < count; ++i) {
      if (!Save(t, contest_test::PeerCall(i), "bei"[i % 3], "", i)) return 1;
    }
  } else if (command == "qso" && argc == 7) {
    if (!Save(t, argv[4], argv[5][0], argv[6], 0)) return 1;
  } else if (command == "hold") {
    std::printf("open\n");
    std::fflush(stdout);
    if (!common::testing::AwaitFile(std::string(argv[1]) + "/release", count)) return 5;
    if (!Save(t, "DL9HOLD", 'b', "CW", 0)) return 1;
  } else if (command == "delete") {
    if (!t.FindAutoKey(common::LongIntToKey(count)) || !t.Delete(false)) return 1;
  } else {
    return 4;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 4;
  contest_test::ContestServices services(argv[1]);
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    code = 2;
  }
  if (storage::DriverSystemActive()) {
    common::Service<contest::ToDatContest>::Destroy();  // closes the log before the stop
    storage::StopDriverSystem();
  }
  return code;
}
