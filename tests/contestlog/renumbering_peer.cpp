// A station that renumbers a log in its own process, on the data folder FOLDER in network mode:
// `renumbering_peer FOLDER LOG KIND N` renumbers log LOG (forced, multiplier fields kept) and
// stops itself with SIGKILL at its N-th call of KIND during the renumbering (write, flush or
// rename; none: never). Prints the outcome and the calls it made, "OUTCOME WRITES FLUSHES
// RENAMES". Exits 0 done, 2 EDBError, 3 no start or no such log, 4 bad arguments.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/dates.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/log_core.h"
#include "logbook/reference/bands.h"
#include "platform/file_faults.h"
#include "storage/driver/db_error.h"
#include "tests/common/scripted_messages.h"
#include "tests/contest/contest_services.h"

namespace {

void Stop() { kill(getpid(), SIGKILL); }

int Run(int argc, char** argv) {
  if (argc != 5) return 4;
  const std::int32_t log = std::stoi(argv[2]);
  const std::string kind = argv[3];
  const auto n = static_cast<std::uint64_t>(std::stoull(argv[4]));
  platform::FileFaultPlan plan;
  platform::FaultRule* rule = kind == "write"    ? &plan.write
                              : kind == "flush"  ? &plan.flush
                              : kind == "rename" ? &plan.rename
                                                 : nullptr;
  if (rule == nullptr && kind != "none") return 4;
  if (!storage::StartDriverSystem(2, 160, 32)) return 3;
  int patience = 1000;
  storage::SetDefaultRetryProc([&](std::string_view, int) { return --patience > 0; });
  contest::TdbContest catalogue(contest::kTableKK, 0);
  contest::TdbContest contest_data(contest::kTableKZ, 0);
  if (!catalogue.FindByNummer(log) || !contest_data.FindByNummer(log)) return 3;
  contest::TContestKKRec own{};
  catalogue.GetKKRec(own);
  contest::TContestRec definition;
  common::Service<contest::TContestFkt>::Get().LoadContestDefinition(definition, own, own.Typ);
  contestlog::ContestLogCore core(log, catalogue, contest_data, definition);
  core.Service = std::make_unique<contest::TContLogAlle>();
  core.LogTable = std::make_unique<contest::TdbContest>(contest::kTableLK, log);
  if (rule != nullptr) {
    rule->fail_at = n;
    rule->on_hit = Stop;
  }
  contestlog::ContestLogCore::Renumbering outcome;
  {
    const platform::ScopedFileFaults faults(&plan);
    outcome = core.RebuildDatabase(false, true);
  }
  std::printf("%d %llu %llu %llu\n", static_cast<int>(outcome),
              static_cast<unsigned long long>(plan.write.calls),
              static_cast<unsigned long long>(plan.flush.calls),
              static_cast<unsigned long long>(plan.rename.calls));
  core.LogTable.reset();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 4;
  contest_test::ContestServices services(argv[1]);
  common::ScopedService<logbook::ToBaender> bands;
  common::ScopedService<common::ToDates> dates;
  common::ScopedService<contest::TContestFkt> fkt;
  common::testing::ScriptedMessages messages;
  int code = 0;
  try {
    code = Run(argc, argv);
  } catch (const storage::EDBError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    code = 2;
  }
  for (const auto& call : messages->calls) std::fprintf(stderr, "%s\n", call.text.c_str());
  if (storage::DriverSystemActive()) {
    common::Service<contest::ToDatContest>::Destroy();  // closes the log before the stop
    storage::StopDriverSystem();
  }
  return code;
}
