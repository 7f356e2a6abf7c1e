// The contest rules on 10,000-QSO logs of 'W' (German station DL1ABC, DOK B36), 'o' and 'N',
// built from Debian's hamradio-files (bench/common/contest_log_builder.h), not shared and shared
// (network mode).
//
// Live check: one QSO that is no dupe, checked as the log window checks it on leaving the call
// field: the dupe rules in their order, the DOK check, then for each multiplier kind the contest
// counts whether the QSO counts and whether its value was worked before (on its band, or on each
// band of the contest until one says so), and the QSO points. Each iteration checks one of 100
// stations the log does not hold, in turn.
//
// Recount: the whole log as the log window recounts it: the points walk (points unchanged, so
// nothing is written), then the recount of every kind the contest counts with the slot tallies,
// per band when the contest counts per band.
//
// No SQLite baseline: the store itself is compared with SQLite in the storage benchmarks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/common/contest_log_builder.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/contest_tables.h"
#include "contest/qso_points.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/driver_system.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace {

using common::Service;
using contest::TContestLKRec;
using contest::TContestRec;
using contest::TdbContest;

constexpr int kQsos = 10000;
constexpr int kNewStations = 100;
constexpr std::int32_t kLogNumber = 1;
// The kinds in the order the log window evaluates a QSO, and in the order it recounts them.
constexpr int kLiveOrder[] = {2, 1, 22, 12, 15, 16, 19, 4, 18, 10, 5};
constexpr int kRecountOrder[] = {2, 4, 18, 5, 10, 12, 1, 22, 15, 16, 19};

struct Contest {
  char code;
  const char* own_call;
  const char* own_dok;
};
constexpr Contest kContests[] = {
    {'W', "DL1ABC", "B36"}, {'o', "DL1ABC", "B36"}, {'N', "DL1ABC", "B36"}};

// The reference tables and settings, for the life of the program.
struct ReferenceTables {
  ReferenceTables() {
    Service<logbook::ToSetups>::Create();
    Service<logbook::ToBaender>::Create();
    Service<logbook::ToModi>::Create();
    Service<logbook::ToPrefix>::Create();
    Service<common::ToDates>::Create();
  }
  ~ReferenceTables() {
    Service<common::ToDates>::Destroy();
    Service<logbook::ToPrefix>::Destroy();
    Service<logbook::ToModi>::Destroy();
    Service<logbook::ToBaender>::Destroy();
    Service<logbook::ToSetups>::Destroy();
  }
};

bool PerBand(const TContestRec& d) { return d.Flag31 == 0 || d.Flag31 == 2; }

bool Counted(const TContestRec& d, int kind) {
  return d.MultiplierKinds[static_cast<std::size_t>(kind)] ||
         (kind == 4 && (d.MultiplierKinds[8] || d.MultiplierKinds[17]));
}

// A log of the contest in a fresh data folder, with the catalogue, the definition and the rule
// object the log window holds.
class ContestRig {
 public:
  ContestRig(const Contest& contest, bool shared) : contest_(contest), shared_(shared) {
    Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    if (!storage::StartDriverSystem(shared ? 2 : 0, 160, 32)) {
      std::fprintf(stderr, "the driver system did not start\n");
      std::abort();
    }
    auto& system = Service<storage::DriverSystem>::Get();
    system.SetStartFolder(folder_.path() + "/");
    system.SetDefaultRetryProc(
        [](std::string_view, int reason) { return reason == 5 || reason == 6; });
    Service<contest::ToDatContest>::Create();
    Service<contest::TContestFkt>::Create();
    catalogue_.emplace(contest::kTableKK, 0);
    contest::TContestKKRec own{};
    own.Name = "Benchmark";
    own.Typ = contest.code;
    own.OwnCall = contest.own_call;
    own.OwnDOK = contest.own_dok;
    own.ClassIndex = 1;
    catalogue_->ClearRec();
    catalogue_->SetKKRec(own);
    if (!catalogue_->InsertRec()) std::abort();
    Service<contest::TContestFkt>::Get().LoadContestDefinition(definition_, *catalogue_,
                                                               contest.code, false);
    bench::StoreContestLog(kLogNumber, bench::ContestLogQsos(definition_, kQsos));
    log_.emplace(contest::kTableLK, kLogNumber);
    for (int i = 0; i < kNewStations; ++i) {
      fresh_.push_back(bench::NewContestQso(definition_, kQsos, i));
    }
    Recount();  // stores the points, so that the timed walks write nothing
  }
  ~ContestRig() {
    log_.reset();
    catalogue_.reset();
    Service<contest::TContestFkt>::Destroy();
    Service<contest::ToDatContest>::Destroy();
    storage::StopDriverSystem();
    Service<storage::DriverSystem>::Destroy();
  }

  bool Is(const Contest& contest, bool shared) const {
    return contest.code == contest_.code && shared == shared_;
  }
  const TContestLKRec& Fresh(std::size_t i) const { return fresh_[i % fresh_.size()]; }

  // The live check of `qso`; answers what it found, so that nothing is optimised away.
  std::int64_t Check(const TContestLKRec& qso) {
    TdbContest& log = *log_;
    log.ClearRec();
    log.SetLKRec(qso);
    const std::string call = qso.Call.str(), mode = qso.Mode.str();
    const char band = qso.Bandcode, code = contest_.code;
    std::int64_t found = rules_.DupeBandMode(call, band, log, definition_, mode) +
                         rules_.DupeBand(call, band, code, log, definition_) +
                         rules_.DupeSameDay(call, qso.Datum, code, log, definition_) +
                         !rules_.DupeMode(call, mode, log, definition_) +
                         !rules_.DupeBandPeriod(call, band, code, log, definition_, qso.Zeit) +
                         !rules_.DupeBandDay(call, band, code, log, definition_, qso.Datum) +
                         rules_.DupeAnywhere(call, definition_, log);
    const std::string dok = qso.DOK1.str() + qso.DOK2.str();
    found += rules_.CheckExchange(dok, *catalogue_);
    for (int kind : kLiveOrder) {
      if (!Counted(definition_, kind)) continue;
      const std::string value =
          kind == 4 || kind == 18 ? dok : contest::TContLogAlle::WalkValue(kind, qso);
      if (!rules_.QsoCountsForKind(kind, value, log, *catalogue_, definition_)) continue;
      for (char b :
           PerBand(definition_) ? std::string(1, band) : bench::ContestBands(definition_)) {
        if (rules_.RecountMultipliers({kind, b, value}, log, *catalogue_, definition_) == 1) {
          found += 10;
          break;
        }
      }
    }
    return found + contest::QsoPoints(code, definition_, *catalogue_, log, rules_);
  }

  // The recount of the whole log; answers the multipliers counted.
  std::int64_t Recount() {
    const contest::PointsFunction points = [this](const contest::TdbContestBase& log) {
      return contest::QsoPoints(contest_.code, definition_, *catalogue_, log, rules_);
    };
    const contest::QsoWalkTotals totals = rules_.ForEachQso(definition_, points, *log_, false);
    std::int64_t multipliers = 0;
    const std::string bands = bench::ContestBands(definition_);
    for (char band : PerBand(definition_) ? bands : bands.substr(0, 1)) {
      contest::SlotTallies tallies;
      for (int kind : kRecountOrder) {
        contest::RecountRequest request(kind, band);
        request.tallies = &tallies;
        multipliers += rules_.RecountMultipliers(request, *log_, *catalogue_, definition_);
      }
      if (tallies.kind2_qsos == 0) std::abort();  // the QSO tally walks every band
    }
    if (totals.qso_count != kQsos + 1) std::abort();
    return multipliers;
  }

 private:
  Contest contest_;
  bool shared_;
  common::testing::TempFolder folder_;
  TContestRec definition_;
  std::optional<TdbContest> catalogue_;
  std::optional<TdbContest> log_;
  contest::TContLogAlle rules_;
  std::vector<TContestLKRec> fresh_;
};

std::unique_ptr<ContestRig>& RigSlot() {
  static std::unique_ptr<ContestRig> rig;
  return rig;
}

ContestRig& Rig(const benchmark::State& state) {
  const Contest& contest = kContests[state.range(0)];
  const bool shared = state.range(1) != 0;
  std::unique_ptr<ContestRig>& rig = RigSlot();
  if (rig == nullptr || !rig->Is(contest, shared)) {
    rig.reset();
    rig = std::make_unique<ContestRig>(contest, shared);
  }
  return *rig;
}

std::string Label(const benchmark::State& state) {
  return std::string(1, kContests[state.range(0)].code) +
         (state.range(1) != 0 ? " shared" : " not shared");
}

void BM_LiveCheck(benchmark::State& state) {
  ContestRig& rig = Rig(state);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(rig.Check(rig.Fresh(i++)));
  state.SetLabel(Label(state));
}

void BM_Recount(benchmark::State& state) {
  ContestRig& rig = Rig(state);
  std::int64_t multipliers = 0;
  for (auto _ : state) benchmark::DoNotOptimize(multipliers = rig.Recount());
  state.counters["multipliers"] = static_cast<double>(multipliers);
  state.SetLabel(Label(state));
}

}  // namespace

int main(int argc, char** argv) {
  ReferenceTables tables;
  common::testing::ScriptedMessages messages;
  // Both workloads of one log one after the other, so that each log is built once.
  for (std::int64_t contest = 0; contest < 3; ++contest) {
    for (std::int64_t shared = 0; shared < 2; ++shared) {
      benchmark::RegisterBenchmark("BM_LiveCheck", BM_LiveCheck)
          ->Args({contest, shared})
          ->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark("BM_Recount", BM_Recount)
          ->Args({contest, shared})
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  RigSlot().reset();
  benchmark::Shutdown();
  // A message means a check found a dupe or a loader problem: the workload was not the one meant.
  for (const auto& call : messages->calls) std::fprintf(stderr, "message: %s\n", call.text.c_str());
  if (!messages->calls.empty()) return 1;
  return 0;
}
