// The QSO entry of the contest log window on 10,000-QSO logs of '.' (class 5: DXCC and call
// multipliers over all bands) and 'W' (DXCC and WAE per band, German station DL1ABC, DOK B36),
// built from Debian's hamradio-files (bench/common/contest_log_builder.h), with the prefix
// tables the build made from cty.csv, not shared and shared (network mode). The window is
// created but not shown, so nothing is painted: what is measured is the entry's own work.
//
// Keystroke: calls of stations the log does not hold (MASTER.SCP calls alternating with the
// German stations of the WAG call history) typed into eCall a character at a time; each key is
// timed from the change it makes (the change handler's entry) until the fields and labels show
// the record, its points and multipliers. One iteration types one call; "per key ms" is the
// mean, "p99 per key ms" the 99th percentile over every key typed, "known calls" the share of
// calls the prefix tables resolve. Target: under 2 ms a key.
// LeaveCall: the call field left after a new call was typed (band-plan check, dupe rules, name
// lookup, prefill, beam heading, save check); "mean ms" and "p99 ms" over the exits.
// PrefixLookup: the prefix data of a new call as every key and exit asks for them (PrefixData:
// the learnt and the exact-call table, then the prefix table, and the points); "mean us" and
// "p99 us" over the lookups. Target: in the range of prefix_bench's resolution (about 11 us a
// call not shared, 70 us shared).
//
// No SQLite baseline: the work is the window's, over index searches that the storage
// benchmarks compare with SQLite.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/common/contest_log_builder.h"
#include "bench/common/contest_store.h"
#include "bench/common/prefix_tables_copy.h"
#include "common/grid_colours.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "contestlog/station_data.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "platform/qt/application.h"
#include "tests/common/scripted_messages.h"
#include "tests/ui/ui_fixture.h"

namespace {

using bench::Require;
using common::Service;
using Clock = std::chrono::steady_clock;

constexpr int kQsos = 10000;

struct Contest {
  char code;
  int class_index;
};
constexpr Contest kContests[] = {{'.', 5}, {'W', 1}};

// The contest's log in a fresh data folder with the prefix tables and the call database, and
// the log window on it, created (the log opened, renumbered and recounted) but not shown.
class EntryRig {
 public:
  EntryRig(const Contest& contest, bool shared)
      : store_(contest.code, contest.class_index, shared) {
    bench::CopyPrefixTables(PREFIX_TABLES_DIR, store_.Folder());
    logbook::ToSetups& settings = Service<logbook::ToSetups>::Get();
    logbook::ToSetupDirs dirs = kept_dirs_ = settings.GetDirs();
    for (auto& dir : dirs.dirs) dir = store_.Folder() + "/";
    settings.SetDirs(dirs);
    settings.SetOwnCall("DL1ABC");
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    station.own_locator = "JO62QM";
    settings.SetOwnStation(station);
    Service<logbook::ToDatPrefix>::Create();
    Require(Service<logbook::ToDatPrefix>::Get().OpenFiles(logbook::ToDatPrefix::kStartupBits,
                                                             false),
            "the prefix tables did not open");
    Service<logbook::ToDatCall>::Create();

    contest::TdbContest& catalogue = store_.Catalogue();
    contest_data_.emplace(contest::kTableKZ, 0);
    Require(Service<contest::TContestFkt>::Get().EnsureContestData(catalogue.CurrentRef(),
                                                                   catalogue, *contest_data_),
            "no contest data");
    contest::TContestKKRec own{};
    catalogue.GetKKRec(own);
    log_number_ = static_cast<std::int32_t>(own.Nummer);
    bench::StoreContestLog(log_number_, bench::ContestLogQsos(store_.Definition(), kQsos));
    window_.emplace(log_number_, catalogue, *contest_data_, store_.Definition());
    window_->ClearEntry();
    // Date and time as the clock of a live contest gives them.
    window_->eDatum->SetStr("06.06.2020");
    window_->ezeit->SetStr("12:00:00");
  }
  ~EntryRig() {
    window_.reset();
    contest_data_.reset();
    Service<logbook::ToDatCall>::Destroy();
    Service<logbook::ToDatPrefix>::Get().CloseFiles(logbook::ToDatPrefix::kStartupBits, false);
    Service<logbook::ToDatPrefix>::Destroy();
    // The next rig's store is made in the folders the settings had before.
    Service<logbook::ToSetups>::Get().SetDirs(kept_dirs_);
  }
  EntryRig(const EntryRig&) = delete;
  EntryRig& operator=(const EntryRig&) = delete;

  contestlog::TContestLogStd& Window() { return *window_; }
  // The call of the n-th station the log does not hold.
  std::string NewCall(int n) const {
    return bench::NewContestQso(store_.Definition(), kQsos, n).Call.str();
  }

 private:
  bench::ContestStore store_;
  logbook::ToSetupDirs kept_dirs_;
  std::optional<contest::TdbContest> contest_data_;
  std::int32_t log_number_ = 0;
  std::optional<contestlog::TContestLogStd> window_;
};

bench::RigCache<EntryRig>& Rigs() {
  static bench::RigCache<EntryRig> rigs([](std::int64_t which, bool shared) {
    return std::make_unique<EntryRig>(kContests[which], shared);
  });
  return rigs;
}

std::string Label(const benchmark::State& state) {
  const Contest& contest = kContests[state.range(0)];
  return bench::SharedLabel(
      std::string(1, contest.code) + " class " + std::to_string(contest.class_index), state);
}

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// The mean and the 99th percentile of the samples, in milliseconds.
void Report(benchmark::State& state, std::vector<double> samples, const char* mean_name,
            const char* p99_name) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  double sum = 0;
  for (double s : samples) sum += s;
  state.counters[mean_name] = sum / static_cast<double>(samples.size()) * 1e3;
  state.counters[p99_name] = samples[samples.size() * 99 / 100] * 1e3;
}

void BM_Keystroke(benchmark::State& state) {
  EntryRig& rig = Rigs().For(state);
  contestlog::TContestLogStd& w = rig.Window();
  std::vector<double> keys;
  int n = 0;
  int with_entity = 0;
  for (auto _ : state) {
    const std::string call = rig.NewCall(n++);
    double total = 0;
    for (char c : call) {
      w.eCall->SetSelStart(static_cast<int>(w.eCall->Text().size()));
      const Clock::time_point start = Clock::now();
      w.eCall->SetSelText(std::string(1, c));  // the change runs eCallChange
      const double took = Seconds(start);
      keys.push_back(took);
      total += took;
    }
    state.SetIterationTime(total);
    state.PauseTiming();
    const contest::TContestLKRec typed = contestlog::EntryRecord(w);
    Require(typed.Call.view() == call, "the entry missed a key");
    if (!typed.DXCC.view().empty()) ++with_entity;
    w.ClearEntry();
    state.ResumeTiming();
  }
  Report(state, keys, "per key ms", "p99 per key ms");
  // The share of calls the prefix tables knew: the others skip the multiplier work.
  state.counters["known calls"] = n == 0 ? 0.0 : static_cast<double>(with_entity) / n;
  state.SetLabel(Label(state));
}

void BM_LeaveCall(benchmark::State& state) {
  EntryRig& rig = Rigs().For(state);
  contestlog::TContestLogStd& w = rig.Window();
  std::vector<double> exits;
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.ClearEntry();
    const std::string call = rig.NewCall(n++);
    w.eCall->SetText(call);
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    w.eCallExit(w.eCall);
    const double took = Seconds(start);
    exits.push_back(took);
    state.SetIterationTime(took);
    state.PauseTiming();
    Require(w.DupeCheck.Checked(contestlog::EntryRecord(w)), "the dupe rules did not run");
    state.ResumeTiming();
  }
  Report(state, exits, "mean ms", "p99 ms");
  state.SetLabel(Label(state));
}

void BM_PrefixLookup(benchmark::State& state) {
  EntryRig& rig = Rigs().For(state);
  contestlog::TContestLogStd& w = rig.Window();
  contestlog::PrefixLookupMemo memo;
  std::vector<double> lookups;
  int n = 0;
  for (auto _ : state) {
    contest::TContestLKRec qso = contestlog::EntryRecord(w);
    qso.Call = rig.NewCall(n++);
    contestlog::SetEntryRecord(w, qso);
    const Clock::time_point start = Clock::now();
    contestlog::PrefixData(*w.LogTable, *w.Catalogue, w.PointsRoutine(), memo, w.Definition);
    const double took = Seconds(start);
    lookups.push_back(took * 1e3);  // milliseconds, which Report gives as microseconds
    state.SetIterationTime(took);
  }
  Report(state, lookups, "mean us", "p99 us");
  state.SetLabel(Label(state));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  platform::qt::TApplication application(argc, argv);
  {
    bench::ReferenceTables tables;
    common::testing::ScriptedMessages messages;
    ui::testing::ScreenScope screen(768, 96);
    common::ScopedService<common::GridColours> colours;
    common::ScopedService<logbook::ToLocator> locator;
    // The workloads of one log one after the other, so that each log is built once.
    for (std::int64_t contest = 0; contest < 2; ++contest) {
      for (std::int64_t shared = 0; shared < 2; ++shared) {
        benchmark::RegisterBenchmark("BM_Keystroke", BM_Keystroke)
            ->Args({contest, shared})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_LeaveCall", BM_LeaveCall)
            ->Args({contest, shared})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_PrefixLookup", BM_PrefixLookup)
            ->Args({contest, shared})
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
      }
    }
    benchmark::RunSpecifiedBenchmarks();
    Rigs().Reset();
  }
  benchmark::Shutdown();
  return 0;
}
