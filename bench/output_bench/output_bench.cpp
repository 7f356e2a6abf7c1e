// The outputs of a 10,000-QSO log of '.' class 5 (DXCC and call multipliers over all bands),
// built from Debian's hamradio-files (bench/common/contest_log_builder.h), not shared:
//
// SummaryTallies: what the summary sheet computes before it writes: the stored tallies and the
// channel's totals, the log lists (DXCC entities, locator squares, ODX) and the points inside a
// period of one hour, each a walk over the log.
// ExportList / ExportCsv / ExportCabrillo: the whole E-Log QSO list, the CSV file and the
// Cabrillo file (kinds 7, 13 and 10): opening the channel and the file, measuring the columns,
// the header, every QSO line and the score lines or the trailer.
// DecisionHelp: the period dialog's sums of the 541 one-hour windows and its proposal, from one
// walk of the log; DecisionHelpWalkPerWindow, its reference, walks the log once per window with
// the outputs' period test.
// ExportStf / ExportAdif / ExportEdi: the STF, ADIF and EDI files (kinds 8, 9 and 15) the same
// way; ADIF looks up the ADIF number of every QSO's DXCC entity in the build's prefix tables,
// EDI counts the records, squares and entities before its head (the participant form answered
// at once).
//
// No SQLite baseline: the work is formatting text over one walk of the log; the walk itself is
// compared with SQLite in the storage benchmarks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/decision_help.h"
#include "bench/common/contest_log_builder.h"
#include "common/file_base_ss.h"
#include "common/scripted_file_chooser.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "output/log_lists.h"
#include "output/log_walk.h"
#include "output/output_drivers.h"
#include "output/score_tallies.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/engine.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace {

using common::Service;

constexpr int kQsos = 10000;
constexpr std::int32_t kLogNumber = 1;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s could not be made (%d, %u)\n", what, storage::Isam().IsamError,
               storage::Isam().LastOsError);
  std::abort();
}

// The services of the program an output uses, for the life of the benchmark.
class OutputRig {
 public:
  OutputRig() {
    for (const char* name : {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT", "PXPREFES.IX"}) {
      std::filesystem::copy_file(std::filesystem::path(PREFIX_TABLES_DIR) / name, folder_ / name);
    }
    logbook::ToSetups& settings = Service<logbook::ToSetups>::Create();
    settings.SetOwnCall("DL1ABC");
    logbook::ToSetupDirs dirs = settings.GetDirs();
    for (auto& dir : dirs.dirs) dir = folder_.path() + "/";
    settings.SetDirs(dirs);
    Service<logbook::ToBaender>::Create();
    Service<logbook::ToModi>::Create();
    Service<logbook::ToPrefix>::Create();
    Service<common::ToDates>::Create();
    Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    if (!storage::StartDriverSystem(0, 160, 32)) {
      std::fprintf(stderr, "the driver system did not start\n");
      std::abort();
    }
    auto& system = Service<storage::DriverSystem>::Get();
    system.SetStartFolder(folder_.path() + "/");
    // Missing files are made, as the program's start-up answers.
    system.SetDefaultRetryProc([](std::string_view, int reason) {
      return reason == storage::kReasonRebuild || reason == storage::kReasonCreate;
    });
    Service<logbook::ToDatPrefix>::Create();
    Service<contest::ToDatContest>::Create();
    Service<contest::TContestFkt>::Create();
    auto chooser = std::make_unique<common::ScriptedFileChooser>();
    chooser_ = chooser.get();
    Service<common::TFileBaseSS>::Install(
        std::make_unique<common::TFileBaseSS>(std::move(chooser)));
    catalogue_.emplace(contest::kTableKK, 0);
    contest_data_.emplace(contest::kTableKZ, 0);
    contest::TContestKKRec own{};
    own.Name = "Benchmark";
    own.Typ = '.';
    own.OwnCall = "DL1ABC";
    own.ClassIndex = 5;
    catalogue_->ClearRec();
    catalogue_->SetKKRec(own);
    if (!catalogue_->InsertRec()) Fail("the catalogue record");
    auto& fkt = Service<contest::TContestFkt>::Get();
    fkt.LoadContestDefinition(definition_, *catalogue_, '.', false);
    if (!fkt.EnsureContestData(catalogue_->CurrentRef(), *catalogue_, *contest_data_)) {
      Fail("the contest-data record");
    }
    bench::StoreContestLog(kLogNumber, bench::ContestLogQsos(definition_, kQsos));
    channel_.SetFileShower([](const std::string&) { return true; });
    channel_.SetParticipantAsker([](output::TuhfteilnehmerParams&) {});
    period_.start_times[0] = 1800;
    period_.end_times[0] = 5399;
  }
  ~OutputRig() {
    contest_data_.reset();
    catalogue_.reset();
    Service<contest::TContestFkt>::Destroy();
    Service<contest::ToDatContest>::Destroy();
    Service<logbook::ToDatPrefix>::Destroy();
    storage::StopDriverSystem();
    Service<storage::DriverSystem>::Destroy();
    Service<common::TFileBaseSS>::Destroy();
    Service<common::ToDates>::Destroy();
    Service<logbook::ToPrefix>::Destroy();
    Service<logbook::ToModi>::Destroy();
    Service<logbook::ToBaender>::Destroy();
    Service<logbook::ToSetups>::Destroy();
  }

  // Answers the points inside the period and the entities, so that nothing is optimised away.
  std::int64_t SummaryTallies() {
    output::SumBandTotals(channel_, *catalogue_, *contest_data_);
    contest::TdbContest log(contest::kTableLK, kLogNumber);
    const output::LogLists lists = output::CollectLogLists(log);
    output::SumPointsInPeriods(channel_, log, period_);
    return channel_.PointsTotal + lists.dxcc_count;
  }

  // Writes the whole list of output kind `kind`; answers the file's size.
  long Export(int kind) {
    if (!channel_.Open(kind)) Fail("the channel");
    chooser_->answers.push_back(folder_ / "export");
    if (!channel_.OpenFileKind(kind, *catalogue_, definition_)) Fail("the output file");
    output::ExportContestLog(channel_, definition_, {}, *catalogue_, *contest_data_, {}, false);
    channel_.Close();
    channel_.CloseAndShow();
    std::FILE* file = std::fopen(channel_.FileName().c_str(), "rb");
    if (file == nullptr) Fail("the output file");
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
  }

  std::int64_t DecisionHelp() {
    contest::TdbContest log(contest::kTableLK, kLogNumber);
    return app::ComputeDecisionHelp(log).best_start;
  }
  std::int64_t DecisionHelpWalkPerWindow() {
    contest::TdbContest log(contest::kTableLK, kLogNumber);
    std::int64_t best = 0;
    for (int i = 0; i < app::kDecisionWindows; ++i) {
      output::PeriodSet window;
      window.start_times[0] = app::WindowStart(i);
      window.end_times[0] = app::WindowStart(i) + app::kWindowLength;
      std::int64_t sum = 0;
      output::ForEachLogQso(log, output::kKeyDateTime, [&](const contest::TContestLKRec& qso) {
        if (output::InPeriod(window, qso.Datum, qso.Zeit)) sum += qso.Points;
      });
      best = std::max(best, sum);
    }
    return best;
  }

 private:
  common::testing::TempFolder folder_;
  common::ScriptedFileChooser* chooser_ = nullptr;  // owned by TFileBaseSS
  contest::TContestRec definition_;
  std::optional<contest::TdbContest> catalogue_;
  std::optional<contest::TdbContest> contest_data_;
  output::TAlleRout channel_;
  output::PeriodSet period_;
};

std::unique_ptr<OutputRig>& Rig() {
  static std::unique_ptr<OutputRig> rig;
  if (rig == nullptr) rig = std::make_unique<OutputRig>();
  return rig;
}

void BM_SummaryTallies(benchmark::State& state) {
  OutputRig& rig = *Rig();
  for (auto _ : state) benchmark::DoNotOptimize(rig.SummaryTallies());
}

// The whole file (or list) of output kind `kind`.
void BM_Export(benchmark::State& state, int kind) {
  long size = 0;
  OutputRig& rig = *Rig();
  for (auto _ : state) benchmark::DoNotOptimize(size = rig.Export(kind));
  state.counters["bytes"] = static_cast<double>(size);
}

void BM_DecisionHelp(benchmark::State& state) {
  OutputRig& rig = *Rig();
  for (auto _ : state) benchmark::DoNotOptimize(rig.DecisionHelp());
}

void BM_DecisionHelpWalkPerWindow(benchmark::State& state) {
  OutputRig& rig = *Rig();
  for (auto _ : state) benchmark::DoNotOptimize(rig.DecisionHelpWalkPerWindow());
}

}  // namespace

int main(int argc, char** argv) {
  common::testing::ScriptedMessages messages;
  benchmark::RegisterBenchmark("BM_SummaryTallies", BM_SummaryTallies)
      ->Unit(benchmark::kMillisecond);
  const std::pair<const char*, int> exports[] = {
      {"BM_ExportList", 7}, {"BM_ExportCsv", 13}, {"BM_ExportCabrillo", 10},
      {"BM_ExportStf", 8},  {"BM_ExportAdif", 9}, {"BM_ExportEdi", 15}};
  for (const auto& [name, kind] : exports) {
    benchmark::RegisterBenchmark(name, BM_Export, kind)->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("BM_DecisionHelp", BM_DecisionHelp)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_DecisionHelpWalkPerWindow", BM_DecisionHelpWalkPerWindow)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Rig().reset();
  benchmark::Shutdown();
  return 0;
}
