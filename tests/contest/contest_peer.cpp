// Another user of the contest tables in its own process, on the data folder FOLDER in network
// mode: `insert LOG COUNT` adds COUNT QSOs with the calls PeerCall(0), PeerCall(1), ... to log
// LOG, each by itself as the log window saves them; `delete LOG NUMMER` deletes that QSO.
// Exits 0 done, 1 an insert or the delete failed, 2 EDBError, 3 no start, 4 bad arguments.
#include <cstdio>
#include <string>

#include "common/key_text.h"
#include "contest/contest_lookups.h"
#include "storage/driver/db_error.h"
#include "tests/contest/contest_services.h"

namespace {

using contest::TdbContest;

int Run(int argc, char** argv) {
  if (argc != 5) return 4;
  const std::string command = argv[2];
  const std::int32_t log = std::stoi(argv[3]);
  const int count = std::stoi(argv[4]);
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  // Lock conflicts are waited out, as a patient user would.
  int patience = 1000;
  storage::SetDefaultRetryProc([&](std::string_view, int) { return --patience > 0; });
  TdbContest t(contest::kTableLK, log);
  if (!t.OpenedHere()) return 3;
  if (command == "insert") {
    for (int i = 0; i < count; ++i) {
      contest::TContestLKRec qso{};
      qso.Call = contest_test::PeerCall(i);
      qso.Bandcode = "bei"[i % 3];
      qso.Datum = 154321;
      qso.Zeit = i;
      t.ClearRec();
      t.SetLKRec(qso);
      if (!t.InsertRec()) return 1;
    }
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
