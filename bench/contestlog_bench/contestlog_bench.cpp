// The log window's work on a whole log, on 10,000-QSO logs of '.' (class 5: DXCC and call
// multipliers over all bands), 'W' (DXCC per band, German station DL1ABC, DOK B36) and 'N' (the
// log of the contest rules' recount benchmark) built from Debian's hamradio-files
// (bench/common/contest_log_builder.h), as the window leaves them (renumbered once, points
// stored), not shared and shared (network mode):
//
// Opening: what the window does with the log before it shows, without the widgets: the log
// opened with its QSY pass, the renumbering's check (which finds nothing to write), the full
// recount of tables, counters and points.
// Closing: the recalculation of the per-band tallies into the catalogue or contest data, then the
// renumbering's check.
// Forced renumbering: the whole log written into a new file set that replaces the log's files.
// Recount and recalculation alone: the two passes over the log, for the shared figures.
//
// No SQLite baseline: the store itself is compared with SQLite in the storage benchmarks.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "bench/common/contest_log_builder.h"
#include "bench/common/contest_store.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/log_core.h"
#include "logbook/databases/call_database.h"
#include "tests/common/scripted_messages.h"

namespace {

using bench::Require;
using common::Service;
using contestlog::ContestLogCore;
using Renumbering = ContestLogCore::Renumbering;

constexpr int kQsos = 10000;
constexpr std::int32_t kLogNumber = 1;

struct Contest {
  char code;
  int class_index;
};
constexpr Contest kContests[] = {{'.', 5}, {'W', 1}, {'N', 1}};

// A renumbered log of the contest in a fresh data folder, and the main window's tables on it.
class LogRig {
 public:
  LogRig(const Contest& contest, bool shared)
      : store_(contest.code, contest.class_index, shared), catalogue_(store_.Catalogue()) {
    Service<logbook::ToDatCall>::Create();
    contest_data_.emplace(contest::kTableKZ, 0);
    Require(Service<contest::TContestFkt>::Get().EnsureContestData(catalogue_.CurrentRef(),
                                                                   catalogue_, *contest_data_),
            "no contest data");
    bench::StoreContestLog(kLogNumber, bench::ContestLogQsos(store_.Definition(), kQsos));
    // As the window leaves a log: renumbered, its multiplier fields and points written.
    Window window(*this);
    Require(window.core.RebuildDatabase(false, true) == Renumbering::kRenumbered,
            "the first renumbering failed");
    window.core.RecountLog(true);
  }
  ~LogRig() {
    contest_data_.reset();
    Service<logbook::ToDatCall>::Destroy();
  }

  // A log window's core with the log open, on its first band.
  struct Window {
    explicit Window(LogRig& rig)
        : core(kLogNumber, rig.catalogue_, *rig.contest_data_, rig.store_.Definition()) {
      Require(rig.catalogue_.FindByNummer(kLogNumber) &&
                  rig.contest_data_->FindByNummer(kLogNumber),
              "the log's records are missing");
      core.OpenLog();
      core.CurrentBand = rig.store_.Definition().Bands[0];
    }
    ~Window() { core.CloseLog(); }
    ContestLogCore core;
  };

 private:
  bench::ContestStore store_;
  contest::TdbContest& catalogue_;
  std::optional<contest::TdbContest> contest_data_;
};

bench::RigCache<LogRig>& Rigs() {
  static bench::RigCache<LogRig> rigs([](std::int64_t which, bool shared) {
    return std::make_unique<LogRig>(kContests[which], shared);
  });
  return rigs;
}

std::string Label(const benchmark::State& state) {
  const Contest& contest = kContests[state.range(0)];
  return bench::SharedLabel(
      std::string(1, contest.code) + " class " + std::to_string(contest.class_index), state);
}

void BM_Opening(benchmark::State& state) {
  LogRig& rig = Rigs().For(state);
  for (auto _ : state) {
    LogRig::Window window(rig);
    Require(window.core.RebuildDatabase(false) == Renumbering::kUnchanged,
            "the opening found something to renumber");
    window.core.RecountLog(true);
    Require(window.core.NextQsoNumber == kQsos + 1, "the recount missed QSOs");
    benchmark::DoNotOptimize(window.core.TotalMultis);
  }
  state.SetLabel(Label(state));
}

void BM_Closing(benchmark::State& state) {
  LogRig& rig = Rigs().For(state);
  for (auto _ : state) {
    state.PauseTiming();
    LogRig::Window window(rig);
    window.core.RecountLog(true);  // the counters the window holds when it closes
    state.ResumeTiming();
    Require(window.core.Recalculate(), "the tallies were not written");
    Require(window.core.RebuildDatabase(false) == Renumbering::kUnchanged,
            "the closing found something to renumber");
  }
  state.SetLabel(Label(state));
}

void BM_ForcedRenumbering(benchmark::State& state) {
  LogRig& rig = Rigs().For(state);
  for (auto _ : state) {
    LogRig::Window window(rig);
    Require(window.core.RebuildDatabase(false, true) == Renumbering::kRenumbered,
            "the renumbering failed");
  }
  state.SetLabel(Label(state));
}

void BM_Recount(benchmark::State& state) {
  LogRig& rig = Rigs().For(state);
  LogRig::Window window(rig);
  for (auto _ : state) window.core.RecountLog(true);
  state.counters["multipliers"] = window.core.TotalMultis;
  state.SetLabel(Label(state));
}

void BM_Recalculation(benchmark::State& state) {
  LogRig& rig = Rigs().For(state);
  LogRig::Window window(rig);
  window.core.RecountLog(true);
  for (auto _ : state) Require(window.core.Recalculate(), "the tallies were not written");
  state.SetLabel(Label(state));
}

}  // namespace

int main(int argc, char** argv) {
  bench::ReferenceTables tables;
  common::testing::ScriptedMessages messages;
  // Every workload of one log one after the other, so that each log is built once.
  for (std::int64_t contest = 0; contest < 3; ++contest) {
    for (std::int64_t shared = 0; shared < 2; ++shared) {
      using Workload = std::pair<const char*, void (*)(benchmark::State&)>;
      for (const auto& [name, run] : {Workload{"BM_Opening", BM_Opening},
                                      Workload{"BM_Closing", BM_Closing},
                                      Workload{"BM_ForcedRenumbering", BM_ForcedRenumbering},
                                      Workload{"BM_Recount", BM_Recount},
                                      Workload{"BM_Recalculation", BM_Recalculation}}) {
        benchmark::RegisterBenchmark(name, run)
            ->Args({contest, shared})
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
      }
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Rigs().Reset();
  benchmark::Shutdown();
  // A message means a pass failed: the workload was not the one meant.
  for (const auto& call : messages->calls) std::fprintf(stderr, "message: %s\n", call.text.c_str());
  return messages->calls.empty() ? 0 : 1;
}
