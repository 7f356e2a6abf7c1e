// Adding QSOs to a layout-9 project logbook: 10,000 random QSOs of about 300 bytes (36 keys) grow
// an empty logbook (LB5 + project number) to 10,000, not shared and shared (network mode), with a
// flush after every write and without. The baseline adds the same QSOs to SQLite: one table with a
// column per field and the same 36 keys as the row id and 35 indexes, the key parts (band, mode
// digit, QSL mark, base call, date and time) worked out per QSO as the key builder does;
// synchronous=FULL in WAL mode for the flushed run, synchronous=OFF without a journal for the
// other. Each iteration is one add, timed by the clock; adds per second and the ratio
// logbook/SQLite are printed.
//
// Reading a filled layout-9 logbook of 10,000 QSOs through the QSO table (TdbQSO), not shared
// and shared: the live check's lookup (FindCall of a logged call, then date, DXCC, mode,
// frequency and start time) per iteration, and an export's read (10 field texts of every QSO,
// in record order) per iteration.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/date_mask.h"
#include "common/service.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/qso_files.h"
#include "logbook/databases/qso_table.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/driver_system.h"
#include "tests/common/temp_folder.h"
#include "tests/logbook/databases/qso_samples.h"

namespace {

using common::Service;
using Fields = std::vector<std::pair<int, std::string>>;
constexpr int kQsos = 10000;

const std::vector<Fields>& Qsos() {
  static const std::vector<Fields> qsos = [] {
    logbook::testing::RandomQsos random(2024);
    std::vector<Fields> list;
    for (int i = 0; i < kQsos; ++i) list.push_back(random.Layout9Fields());
    return list;
  }();
  return qsos;
}

// The reference tables and settings both workloads read; for the life of the program.
struct ReferenceTables {
  ReferenceTables() {
    Service<logbook::ToSetups>::Create();
    Service<logbook::ToBaender>::Create();
    Service<logbook::ToModi>::Create();
    Service<logbook::ToPrefix>::Create();
  }
  ~ReferenceTables() {
    Service<logbook::ToPrefix>::Destroy();
    Service<logbook::ToModi>::Destroy();
    Service<logbook::ToBaender>::Destroy();
    Service<logbook::ToSetups>::Destroy();
  }
};

// An empty layout-9 logbook, its project and a cursor on it.
class LogbookRig {
 public:
  LogbookRig(bool shared, bool flush) {
    Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    if (!storage::StartDriverSystem(shared ? 2 : 0, 160, 32)) {
      std::fprintf(stderr, "the driver system did not start\n");
      std::abort();
    }
    auto& s = Service<storage::DriverSystem>::Get();
    s.SetStartFolder(folder_.path() + "/");
    s.SetDefaultRetryProc([](std::string_view, int reason) { return reason == 5 || reason == 6; });
    Service<logbook::ToDatProject>::Create();
    Service<logbook::ToDatQSO>::Create();
    project_ = std::make_unique<logbook::TdbProject>();
    project_->Clear();
    project_->Record() = logbook::testing::ProjectOf(9);
    if (!project_->Insert()) std::abort();
    log_ = std::make_unique<logbook::TdbQSOBase>(project_.get(), false, 0, "", logbook::kLogbookLB5);
    log_->SetWriteMode(nullptr, flush ? 0 : 1);
  }
  ~LogbookRig() {
    log_.reset();
    project_.reset();
    Service<logbook::ToDatQSO>::Destroy();
    Service<logbook::ToDatProject>::Destroy();
    storage::StopDriverSystem();
    Service<storage::DriverSystem>::Destroy();
  }
  logbook::TdbQSOBase& Log() { return *log_; }
  logbook::TdbProject& Project() { return *project_; }

 private:
  common::testing::TempFolder folder_;
  std::unique_ptr<logbook::TdbProject> project_;
  std::unique_ptr<logbook::TdbQSOBase> log_;
};

void BM_LogbookAdd(benchmark::State& state) {
  const bool shared = state.range(0) != 0, flush = state.range(1) != 0;
  std::vector<logbook::TQSORec> records;
  for (const Fields& f : Qsos()) records.push_back(logbook::testing::TaggedQso(f));
  LogbookRig rig(shared, flush);
  std::size_t i = 0;
  for (auto _ : state) {
    rig.Log().SetRecord(records[i++ % records.size()]);
    if (!rig.Log().Insert()) state.SkipWithError("an add failed");
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(i));
  state.SetLabel(std::string(shared ? "shared" : "not shared") + (flush ? ", flush" : ""));
}

// A rig whose logbook holds the 10,000 QSOs.
void Fill(LogbookRig& rig) {
  for (const Fields& f : Qsos()) {
    rig.Log().SetRecord(logbook::testing::TaggedQso(f));
    if (!rig.Log().Insert()) std::abort();
  }
}

void BM_LiveCheckLookup(benchmark::State& state) {
  LogbookRig rig(state.range(0) != 0, false);
  Fill(rig);
  logbook::TdbQSO log(&rig.Project(), 0, 0);
  std::size_t i = 0;
  std::size_t chars = 0;
  for (auto _ : state) {
    if (!log.FindCall(Qsos()[i++ % Qsos().size()][0].second)) state.SkipWithError("not found");
    for (int kind : {1, 3, 16, 18, 44}) chars += log.GetFieldText(kind).size();
  }
  benchmark::DoNotOptimize(chars);
  state.SetLabel(state.range(0) != 0 ? "shared" : "not shared");
}

void BM_ExportRead(benchmark::State& state) {
  LogbookRig rig(state.range(0) != 0, false);
  Fill(rig);
  logbook::TdbQSO log(&rig.Project(), 0, 0);
  std::size_t rows = 0;
  for (auto _ : state) {
    for (bool ok = log.First(1); ok; ok = log.Next(false, true)) {
      std::size_t chars = 0;
      for (int kind : {2, 1, 44, 16, 18, 3, 6, 30, 31, 19}) chars += log.GetFieldText(kind).size();
      benchmark::DoNotOptimize(chars);
      ++rows;
    }
  }
  if (rows != static_cast<std::size_t>(state.iterations()) * kQsos) state.SkipWithError("rows");
  state.SetLabel(state.range(0) != 0 ? "shared" : "not shared");
}

// The key parts a key builder works out of a QSO's fields.
struct SqlRow {
  std::map<int, std::string> field;
  std::string base_call, band, mode_digit, qsl_mark;
  std::int64_t date = -1, time = -1;
};

SqlRow RowOf(const Fields& fields) {
  SqlRow row;
  for (const auto& [kind, text] : fields) row.field[kind] = text;
  row.base_call = Service<logbook::ToPrefix>::Get().GetPrefix(row.field[2]);
  row.band = Service<logbook::ToBaender>::Get().Freq2Name(row.field[18], 4).substr(0, 1);
  row.mode_digit = std::string(1, logbook::ToModi::ModeKindDigit(
                                      Service<logbook::ToModi>::Get().ModeKind(row.field[16], true)));
  row.qsl_mark = row.field[12].find('J') != std::string::npos ? "J" : "";
  row.date = common::DateStringToDate(row.field[1], "dd.mm.yyyy");
  std::string time = row.field[44];
  if (time.size() == 4) time.insert(2, 1, ':');
  row.time = common::TimeStringToTime(time, "hh:mm:ss");
  return row;
}

// Content kinds with a column of their own: the generated ones and those of keys 5 to 36.
const std::vector<int>& ColumnKinds() {
  static const std::vector<int> kinds = {2,  1,  44, 16, 18, 3,  12, 13, 7,  6,  30, 31, 19,
                                         20, 29, 10, 69, 59, 47, 4,  21, 5,  8,  9,  11, 35,
                                         36, 45, 38, 60, 61, 62, 63, 64, 65, 68, 46, 75, 76,
                                         77, 78, 83};
  return kinds;
}

class SqliteLogbook {
 public:
  explicit SqliteLogbook(bool flush) {
    sqlite3_open((folder_ / "logbook.db").c_str(), &db_);
    std::string schema = flush ? "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
                               : "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;";
    schema += "CREATE TABLE qso(id INTEGER PRIMARY KEY, base_call, band, mode_digit, qsl_mark, "
              "qso_date, qso_time";
    for (int kind : ColumnKinds()) schema += ", k" + std::to_string(kind);
    schema += ");";
    const auto index = [&](const std::string& columns) {
      schema += "CREATE INDEX i" + std::to_string(indexes_++) + " ON qso(" + columns + ");";
    };
    index("k3, qsl_mark, band, mode_digit, qso_date");
    index("k3, qsl_mark, mode_digit, band, qso_date");
    index("k7, qsl_mark, band, mode_digit, qso_date");
    index("base_call, qso_date, qso_time");
    index("qso_date, qso_time");
    for (int kind : {6, 3, 7, 10, 4, 21, 5, 8, 9, 11, 35, 36, 59, 45, 38, 60, 61, 62, 63, 64, 65,
                     69, 68, 46, 47, 75, 76, 77, 78, 83}) {
      index(kind == 83 ? "qso_date, qso_time" : "k" + std::to_string(kind) + ", qso_date, qso_time");
    }
    sqlite3_exec(db_, schema.c_str(), nullptr, nullptr, nullptr);
    std::string insert = "INSERT INTO qso VALUES(NULL, ?, ?, ?, ?, ?, ?";
    for (std::size_t k = 0; k < ColumnKinds().size(); ++k) insert += ", ?";
    sqlite3_prepare_v2(db_, (insert + ")").c_str(), -1, &insert_, nullptr);
  }
  ~SqliteLogbook() {
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
  }
  int Indexes() const { return indexes_; }

  bool Add(const Fields& fields) {
    const SqlRow row = RowOf(fields);
    int p = 1;
    for (const std::string* t : {&row.base_call, &row.band, &row.mode_digit, &row.qsl_mark}) {
      sqlite3_bind_text(insert_, p++, t->c_str(), -1, SQLITE_TRANSIENT);
    }
    sqlite3_bind_int64(insert_, p++, row.date);
    sqlite3_bind_int64(insert_, p++, row.time);
    for (int kind : ColumnKinds()) {
      const auto f = row.field.find(kind);
      if (f == row.field.end()) {
        sqlite3_bind_null(insert_, p++);
      } else {
        sqlite3_bind_text(insert_, p++, f->second.c_str(), -1, SQLITE_TRANSIENT);
      }
    }
    const bool done = sqlite3_step(insert_) == SQLITE_DONE;
    sqlite3_reset(insert_);
    return done;
  }

 private:
  common::testing::TempFolder folder_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  int indexes_ = 0;
};

void BM_SqliteAdd(benchmark::State& state) {
  const bool flush = state.range(0) != 0;
  SqliteLogbook book(flush);
  if (book.Indexes() != 35) state.SkipWithError("not 35 indexes besides the row id");
  std::size_t i = 0;
  for (auto _ : state) {
    if (!book.Add(Qsos()[i++ % Qsos().size()])) state.SkipWithError("an add failed");
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(i));
  state.SetLabel(flush ? "flush" : "");
}

BENCHMARK(BM_LogbookAdd)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"shared", "flush"})
    ->Iterations(kQsos)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteAdd)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("flush")
    ->Iterations(kQsos)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_LiveCheckLookup)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("shared")
    ->Iterations(20000)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportRead)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("shared")
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Keeps the adds per second of every run, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const auto rate = r.counters.find("items_per_second");
      if (rate != r.counters.end()) rates_[r.benchmark_name()] = rate->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Ratios() {
    for (const auto& [name, rate] : rates_) {
      if (name.rfind("BM_LogbookAdd", 0) != 0) continue;
      const bool flush = name.find("flush:1") != std::string::npos;
      const double sqlite = rates_["BM_SqliteAdd/flush:" + std::string(flush ? "1" : "0") +
                                   "/iterations:" + std::to_string(kQsos) + "/real_time"];
      std::printf("%s: %.0f adds/s, logbook/SQLite %.2f\n", name.c_str(), double(rate),
                  sqlite > 0 ? rate / sqlite : 0.0);
    }
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ReferenceTables tables;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Ratios();
  benchmark::Shutdown();
  return 0;
}
