// Another user of the prefix tables in FOLDER, for the multi-process tests:
//   prefix_peer FOLDER resolve CALL [ANSWER] [GO]
//     resolves CALL at today, with the learnt and exact-call tables and CALL as the QSO's call;
//     a selection window answers ANSWER (0 cancels); prints "dxcc=D chosen=C asked=A";
//   prefix_peer FOLDER open [GO]
//     opens the learnt table, which replaces outdated DXCC prefixes; prints "renamed=N".
// With GO the peer waits for that file before it acts, so that peers start together. Lock
// conflicts are waited out, as a patient user would. Exits 0 done, 2 EDBError, 3 no start, 4 bad
// arguments, 5 no GO within a minute.

#include <cstdio>
#include <memory>
#include <string>

#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/reference/scripted_dxcc_selection.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "tests/common/peer_process.h"

namespace {

using logbook::ToDatPrefix;

struct Call final : logbook::QsoFieldTexts {
  std::string call;
  std::string QsoFieldText(int kind) const override { return kind == kCall ? call : ""; }
};

int Run(int argc, char** argv) {
  if (argc < 3) return 4;
  const std::string command = argv[2];
  const bool resolve = command == "resolve" && argc >= 4 && argc <= 6;
  if (!resolve && !(command == "open" && argc <= 4)) return 4;
  const int go_arg = resolve ? 5 : 3;
  if (argc > go_arg && !common::testing::AwaitFile(argv[go_arg], 60)) return 5;

  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  common::Service<storage::DriverSystem>::Get().SetStartFolder(std::string(argv[1]) + "/");
  int patience = 1000;
  storage::SetDefaultRetryProc([&](std::string_view, int reason) {
    return reason != storage::kReasonRecordDeleted && --patience > 0;
  });
  ToDatPrefix& files = common::Service<ToDatPrefix>::Get();
  if (command == "open") {
    if (!files.OpenFiles(ToDatPrefix::kBitLearnt, false)) return 3;
    std::printf("renamed=%d\n", files.RenamedRecords());
  } else {
    auto port = std::make_unique<logbook::ScriptedDxccSelection>();
    logbook::ScriptedDxccSelection& window = *port;
    if (argc >= 5) window.answers = {std::stoi(argv[4])};
    files.SetSelectionPort(std::move(port));
    if (!files.OpenFiles(ToDatPrefix::kStartupBits, false)) return 3;
    Call qso;
    qso.call = argv[3];
    logbook::TdbPrefix cursor;
    std::uint8_t chosen = 0;
    cursor.ResolveCall(argv[3], 0, true, nullptr, nullptr, chosen, &qso);
    std::printf("dxcc=%s chosen=%d asked=%zu\n", cursor.GetDXCC().c_str(), chosen,
                window.requests.size());
  }
  files.CloseFiles(ToDatPrefix::kStartupBits, false);
  storage::StopDriverSystem();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  common::Service<common::ToDates>::Create();
  common::Service<logbook::ToPrefix>::Create();
  common::Service<storage::DriverSystem>::Create();
  common::Service<ToDatPrefix>::Create();
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    code = 2;
  }
  std::fflush(stdout);
  common::Service<ToDatPrefix>::Destroy();
  common::Service<storage::DriverSystem>::Destroy();
  common::Service<logbook::ToPrefix>::Destroy();
  common::Service<common::ToDates>::Destroy();
  return code;
}
