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
#include "bench/common/contest_store.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contest/contest_tables.h"
#include "contest/qso_points.h"
#include "tests/common/scripted_messages.h"

namespace {

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
};
constexpr Contest kContests[] = {{'W'}, {'o'}, {'N'}};

bool Counted(const TContestRec& d, int kind) {
  return d.MultiplierKinds[static_cast<std::size_t>(kind)] ||
         (kind == 4 && (d.MultiplierKinds[8] || d.MultiplierKinds[17]));
}

// A log of the contest in a fresh data folder, with the catalogue, the definition and the rule
// object the log window holds.
class ContestRig {
 public:
  ContestRig(const Contest& contest, bool shared)
      : contest_(contest),
        store_(contest.code, 1, shared),
        definition_(store_.Definition()),
        catalogue_(store_.Catalogue()) {
    bench::StoreContestLog(kLogNumber, bench::ContestLogQsos(definition_, kQsos));
    log_.emplace(contest::kTableLK, kLogNumber);
    for (int i = 0; i < kNewStations; ++i) {
      fresh_.push_back(bench::NewContestQso(definition_, kQsos, i));
    }
    Recount();  // stores the points, so that the timed walks write nothing
  }
  ~ContestRig() { log_.reset(); }

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
    found += rules_.CheckExchange(dok, catalogue_);
    for (int kind : kLiveOrder) {
      if (!Counted(definition_, kind)) continue;
      const std::string value =
          kind == 4 || kind == 18 ? dok : contest::TContLogAlle::WalkValue(kind, qso);
      if (!rules_.QsoCountsForKind(kind, value, log, catalogue_, definition_)) continue;
      for (char b : contest::CountsPerBand(definition_) ? std::string(1, band)
                                                        : bench::ContestBands(definition_)) {
        if (rules_.RecountMultipliers({kind, b, value}, log, catalogue_, definition_) == 1) {
          found += 10;
          break;
        }
      }
    }
    return found + contest::QsoPoints(code, definition_, catalogue_, log, rules_);
  }

  // The recount of the whole log; answers the multipliers counted.
  std::int64_t Recount() {
    const contest::PointsFunction points = [this](const contest::TdbContestBase& log) {
      return contest::QsoPoints(contest_.code, definition_, catalogue_, log, rules_);
    };
    const contest::QsoWalkTotals totals = rules_.ForEachQso(definition_, points, *log_, false);
    std::int64_t multipliers = 0;
    const std::string bands = bench::ContestBands(definition_);
    for (char band : contest::CountsPerBand(definition_) ? bands : bands.substr(0, 1)) {
      contest::SlotTallies tallies;
      for (int kind : kRecountOrder) {
        contest::RecountRequest request(kind, band);
        request.tallies = &tallies;
        multipliers += rules_.RecountMultipliers(request, *log_, catalogue_, definition_);
      }
      if (tallies.kind2_qsos == 0) std::abort();  // the QSO tally walks every band
    }
    if (totals.qso_count != kQsos + 1) std::abort();
    return multipliers;
  }

 private:
  Contest contest_;
  bench::ContestStore store_;
  const TContestRec& definition_;
  TdbContest& catalogue_;
  std::optional<TdbContest> log_;
  contest::TContLogAlle rules_;
  std::vector<TContestLKRec> fresh_;
};

bench::RigCache<ContestRig>& Rigs() {
  static bench::RigCache<ContestRig> rigs([](std::int64_t which, bool shared) {
    return std::make_unique<ContestRig>(kContests[which], shared);
  });
  return rigs;
}

std::string Label(const benchmark::State& state) {
  return bench::SharedLabel(std::string(1, kContests[state.range(0)].code), state);
}

void BM_LiveCheck(benchmark::State& state) {
  ContestRig& rig = Rigs().For(state);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(rig.Check(rig.Fresh(i++)));
  state.SetLabel(Label(state));
}

void BM_Recount(benchmark::State& state) {
  ContestRig& rig = Rigs().For(state);
  std::int64_t multipliers = 0;
  for (auto _ : state) benchmark::DoNotOptimize(multipliers = rig.Recount());
  state.counters["multipliers"] = static_cast<double>(multipliers);
  state.SetLabel(Label(state));
}

}  // namespace

int main(int argc, char** argv) {
  bench::ReferenceTables tables;
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
  Rigs().Reset();
  benchmark::Shutdown();
  // A message means a check found a dupe or a loader problem: the workload was not the one meant.
  for (const auto& call : messages->calls) std::fprintf(stderr, "message: %s\n", call.text.c_str());
  if (!messages->calls.empty()) return 1;
  return 0;
}
