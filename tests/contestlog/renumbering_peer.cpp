// A station that renumbers a log in its own process, on the data folder FOLDER in network mode:
// `renumbering_peer FOLDER LOG KIND N` renumbers log LOG (forced, multiplier fields kept) and
// stops itself with SIGKILL at its N-th call of KIND during the renumbering (write, flush or
// rename; none: never). Prints the outcome and the calls it made, "OUTCOME WRITES FLUSHES
// RENAMES". Exits 0 done, 2 EDBError, 3 no start or no such log, 4 bad arguments.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "contestlog/log_core.h"
#include "platform/file_faults.h"
#include "tests/contestlog/peer_station.h"

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
  if (!contestlog_test::StartStation()) return 3;
  contestlog_test::PeerCore on(log);
  if (!on.ok) return 3;
  contestlog::ContestLogCore& core = *on.core;
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
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return contestlog_test::RunPeer(argc, argv, [&] { return Run(argc, argv); });
}
