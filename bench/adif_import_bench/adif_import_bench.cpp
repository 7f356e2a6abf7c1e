// The ADIF import's reading: 10,000 records of a contest log as another logbook writes them
// (a record per line, eleven fields, a header), read into records and their field names. The
// target is under 100 ms. Baseline: one pass that only counts the tags' "<", the least any
// reader of the file must do.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/adif_reader.h"

namespace {

constexpr int kRecords = 10000;

std::string Field(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

std::string ContestFile(int records) {
  std::string file = "Contest log exported for import\n<ADIF_VER:5>3.1.4 <PROGRAMID:4>TEST <EOH>\n";
  for (int i = 0; i < records; ++i) {
    char call[16], time[8], serial[8];
    std::snprintf(call, sizeof call, "DL%dA%c%c", i % 10, 'A' + i % 26, 'A' + i / 26 % 26);
    std::snprintf(time, sizeof time, "%02d%02d", i / 60 % 24, i % 60);
    std::snprintf(serial, sizeof serial, "%03d", i % 1000);
    file += Field("CALL", call) + Field("QSO_DATE", "20240302") + Field("TIME_ON", time) +
            Field("BAND", i % 2 ? "40m" : "80m") + Field("FREQ", i % 2 ? "7.025" : "3.525") +
            Field("MODE", "CW") + Field("RST_SENT", "599") + Field("RST_RCVD", "599") +
            Field("STX", serial) + Field("SRX", serial) + Field("DARC_DOK", "B36") + "<EOR>\n";
  }
  return file;
}

void BM_ReadAdif(benchmark::State& state) {
  const std::string file = ContestFile(kRecords);
  for (auto _ : state) {
    const common::AdifFile read = common::ReadAdif(file);
    benchmark::DoNotOptimize(common::AdifFieldNames(read.records));
    if (read.records.size() != kRecords) state.SkipWithError("records lost");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ReadAdif)->Unit(benchmark::kMillisecond);

void BM_CountTagsBaseline(benchmark::State& state) {
  const std::string file = ContestFile(kRecords);
  for (auto _ : state) benchmark::DoNotOptimize(std::count(file.begin(), file.end(), '<'));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_CountTagsBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
