// The log window on 10,000-QSO logs of '.' (class 5: DXCC and call multipliers over all bands)
// and 'W' (DXCC per band, German station DL1ABC, DOK B36), built from Debian's hamradio-files
// (bench/common/contest_log_builder.h) and renumbered once, as the window leaves them, with the
// prefix tables the build made from cty.csv; the log not shared, and for the save also shared
// (network mode) with no other station writing. The window is made offscreen and never painted.
//
// Save: one QSO with a station the log does not hold, from the save handler's entry to the entry
// cleared for the next QSO (the numbers looked at and the insert, points and totals, the clock's
// tick, the learning into the call data, the list on the QSO, the recount of ClearEntry, which
// counts the whole log only when another station changed it), the log's writes buffered. The
// entry is typed as an operator types it, untimed: the call, the call field left (its dupe check
// on the entry's band and mode, the prefill and the prefix lookup, which contestlog_entry_bench
// times as LeaveCall), then the exchange. So the save finds the call checked and runs no check of
// its own, and asks and tells nothing. The target is 20 ms on the shared log too.
// Window: the window made on the log (its set-up with the log's opening, renumbering check and
// full recount), the first entry cleared and FormShow run, unpainted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "bench/common/contest_log_builder.h"
#include "bench/common/contest_store.h"
#include "bench/common/log_window_rig.h"
#include "common/grid_colours.h"
#include "common/number_mask.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/contest_log_std.h"
#include "contestlog/entry_record.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix_files.h"
#include "platform/qt/application.h"
#include "tests/common/scripted_messages.h"

namespace {

using bench::Require;
using common::Service;
using contestlog::TContestLogStd;
using Renumbering = contestlog::ContestLogCore::Renumbering;

using bench::Contest;
using bench::WindowRig;

constexpr int kQsos = 10000;
constexpr Contest kContests[] = {{'.', 5}, {'W', 1}};

bench::RigCache<WindowRig>& Rigs() {
  static bench::RigCache<WindowRig> rigs([](std::int64_t which, bool shared) {
    return std::make_unique<WindowRig>(kContests[which], kQsos, shared, PREFIX_TABLES_DIR);
  });
  return rigs;
}

std::string Label(const benchmark::State& state) {
  const Contest& contest = kContests[state.range(0)];
  return std::string(1, contest.code) + " class " + std::to_string(contest.class_index);
}

// Types QSO `i` with a station the log does not hold into the entry, a second after the one
// before, on the day after the log's QSOs: the call, the call field left, then the exchange.
void TypeNewQso(TContestLogStd& window, const contest::TContestRec& definition, int i) {
  contest::TContestLKRec qso = bench::NewContestQso(definition, kQsos, i);
  qso.Bandcode = window.CurrentBand;
  qso.Mode = window.CurrentMode.str();
  contestlog::SetEntryRecord(window, qso);
  const common::ToDates& dates = Service<common::ToDates>::Get();
  window.eCall->SetStr(qso.Call.str());
  window.eDatum->SetStr(dates.DateToDateString(qso.Datum + 1, "dd.mm.yyyy"));
  window.ezeit->SetStr(dates.TimeToTimeString(i % 86400, "hh:mm:ss"));
  window.eCallExit(window.eCall);
  Require(window.DupeCheck.Checked(contestlog::EntryRecord(window)),
          "the call was not checked on leaving its field");
  std::string rst, part1, part2, part3;
  contest::TContLogAlle::SplitCall(contest::TContestFkt::RcvdExchangeText(qso), rst, part1, part2,
                                   part3);
  window.eRSTr2->SetStr(part1);
}

void BM_Save(benchmark::State& state) {
  WindowRig& rig = Rigs().For(state);
  auto window = rig.OpenWindow();
  window->LogTable->SetWriteMode(nullptr, 1);
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TypeNewQso(*window, rig.Definition(), i++);
    const std::int32_t next = window->NextQsoNumber;
    state.ResumeTiming();
    window->btnSpeichernaClick(nullptr);
    state.PauseTiming();
    Require(window->NextQsoNumber == next + 1 && window->eCall->GetStr().empty(),
            "the QSO was not saved");
    state.ResumeTiming();
  }
  window->LogTable->SetWriteMode(nullptr, 0);
  window.reset();
  state.SetLabel(bench::SharedLabel(Label(state), state));
}

void BM_Window(benchmark::State& state) {
  WindowRig& rig = Rigs().For(state);
  for (auto _ : state) {
    auto window = rig.OpenWindow();
    window->FormShow();
    Require(window->NextQsoNumber == kQsos + 1, "the window's recount missed QSOs");
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  state.SetLabel(Label(state));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::qt::TApplication application(argc, argv);
  bench::ReferenceTables tables;
  common::testing::ScriptedMessages messages;
  for (std::int64_t contest = 0; contest < 2; ++contest) {
    benchmark::RegisterBenchmark("BM_Window", BM_Window)
        ->Args({contest, 0})
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    for (std::int64_t shared = 0; shared < 2; ++shared) {
      benchmark::RegisterBenchmark("BM_Save", BM_Save)
          ->Args({contest, shared})
          ->Unit(benchmark::kMillisecond)
          ->Iterations(50);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Rigs().Reset();
  benchmark::Shutdown();
  // A message means a step failed: the workload was not the one meant.
  for (const auto& call : messages->calls) std::fprintf(stderr, "message: %s\n", call.text.c_str());
  return messages->calls.empty() ? 0 : 1;
}
