// The ADIF import through the log window: 2,000 records of another logbook's file (a record per
// line, distinct stations 20 seconds apart on 80 and 40 m, CW, serials both ways) read and
// imported into an empty 'W' log, the fields assigned by name as the dialog would hand them
// over (the dialog itself is not timed). Each record runs the window's entry fields with
// their handlers, the save check with the dupe rules and the save (insert, points, totals,
// learning, the list on the QSO, the entry cleared); the log's writes are not buffered, as
// in the program. The target is under 30 s. The window is made offscreen and never painted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/common/contest_store.h"
#include "bench/common/log_window_rig.h"
#include "common/adif_reader.h"
#include "contestlog/adif_import.h"
#include "platform/qt/application.h"
#include "tests/common/scripted_messages.h"

namespace {

constexpr int kRecords = 2000;

std::string Field(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

std::string ImportFile() {
  std::string file = "Contest log of another logbook\n<ADIF_VER:5>3.1.4 <EOH>\n";
  for (int i = 0; i < kRecords; ++i) {
    char call[16], time[8], serial[8];
    std::snprintf(call, sizeof call, "DL%dA%c%c", i % 10, 'A' + i % 26, 'A' + i / 26 % 26);
    const int seconds = 8 * 3600 + i * 20;
    std::snprintf(time, sizeof time, "%02d%02d%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    std::snprintf(serial, sizeof serial, "%03d", i % 1000 + 1);
    file += Field("CALL", call) + Field("QSO_DATE", "20240309") + Field("TIME_ON", time) +
            Field("BAND", i % 2 != 0 ? "40m" : "80m") + Field("MODE", "CW") +
            Field("RST_SENT", "599") + Field("RST_RCVD", "599") + Field("STX", serial) +
            Field("SRX", serial) + "<EOR>\n";
  }
  return file;
}

// The dialog's right-hand list with every line fed by the ADIF field of its name.
contestlog::AdifMapping SameNames() {
  contestlog::AdifMapping mapping;
  for (const char* name : {"CALL", "QSO_DATE", "TIME_ON", "RST_SENT", "RST_RCVD", "BAND", "FREQ",
                           "MODE", "SRX", "SRX_STRING", "STX", "STX_STRING"}) {
    mapping.push_back(std::string(name) + " (" + name + ")");
  }
  return mapping;
}

void BM_ImportIntoEmptyLog(benchmark::State& state) {
  const std::string file = ImportFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = std::make_unique<bench::WindowRig>(bench::Contest{'W', 1}, 0);
    auto window = rig->OpenWindow();
    const std::int32_t before = window->NextQsoNumber;
    state.ResumeTiming();
    const common::AdifFile read = common::ReadAdif(file);
    const contestlog::AdifImportCounts counts = window->ImportAdif(read.records, SameNames(), true);
    state.PauseTiming();
    bench::Require(counts.imported == kRecords && window->NextQsoNumber == before + kRecords,
                   "records were not imported");
    window.reset();
    rig.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::qt::TApplication application(argc, argv);
  bench::ReferenceTables tables;
  common::testing::ScriptedMessages messages;
  benchmark::RegisterBenchmark("BM_ImportIntoEmptyLog", BM_ImportIntoEmptyLog)
      ->Unit(benchmark::kSecond)
      ->Iterations(1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // A message means a step failed: the workload was not the one meant.
  for (const auto& call : messages->calls) std::fprintf(stderr, "message: %s\n", call.text.c_str());
  return messages->calls.empty() ? 0 : 1;
}
