// The live prefix check of a typed call: TdbPrefix::ResolveCall of 10,000 real calls (spread
// over MASTER.SCP of hamradio-files) on the prefix tables the build made from cty.csv, with the
// learnt and exact-call tables looked up first, and no answer from memory (each call differs from
// the one before, and the memory is cleared anyway). It runs on every keystroke: the target is a
// mean of at most 30 us a call for a single user.
//
// "Resolve/0" opens the tables for one user, "Resolve/2" shared in network mode (each read checks
// the other users' locks). "Sqlite" walks the same way over the same records in SQLite: the
// nearest entry not below the call in the exact-call and learnt tables, the exact lookups of the
// call's heads there, then the nearest prefix not below each head of the call from the longest
// down. The ratio ISAM/SQLite of the mean times is printed at the end (below 1: the engine is
// faster).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bench/common/prefix_tables_copy.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/prefix.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"

namespace {

namespace fs = std::filesystem;
using logbook::TdbPrefix;
using logbook::ToDatPrefix;

constexpr std::size_t kCalls = 10000;
constexpr std::int32_t kQsoDate = 155000;

const std::vector<std::string>& Calls() {
  static const std::vector<std::string> calls = [] {
    std::vector<std::string> all;
    std::ifstream in(MASTER_SCP_PATH);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] != '#') all.push_back(line);
    }
    std::vector<std::string> spread;
    for (std::size_t i = 0; i < kCalls && !all.empty(); ++i) {
      spread.push_back(all[i * all.size() / kCalls]);
    }
    return spread;
  }();
  return calls;
}

const std::string& Folder() { return bench::PrefixTablesCopy(PREFIX_TABLES_DIR); }

// The services of the program that the prefix database needs, for one benchmark.
class PrefixDatabase {
 public:
  explicit PrefixDatabase(int network_mode) {
    common::Service<common::ToDates>::Create();
    common::Service<logbook::ToPrefix>::Create().SetInteractive(0);
    common::Service<storage::DriverSystem>::Create();
    common::Service<ToDatPrefix>::Create();
    ok_ = storage::StartDriverSystem(network_mode, 160, 32);
    common::Service<storage::DriverSystem>::Get().SetStartFolder(Folder() + "/");
    storage::SetDefaultRetryProc(
        [](std::string_view, int reason) { return reason == storage::kReasonCreate; });
    ok_ = ok_ && common::Service<ToDatPrefix>::Get().OpenFiles(ToDatPrefix::kStartupBits, false);
  }
  ~PrefixDatabase() {
    common::Service<ToDatPrefix>::Get().CloseFiles(ToDatPrefix::kStartupBits, false);
    storage::StopDriverSystem();
    common::Service<ToDatPrefix>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
    common::Service<logbook::ToPrefix>::Destroy();
    common::Service<common::ToDates>::Destroy();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

void Resolve(benchmark::State& state) {
  const PrefixDatabase db(static_cast<int>(state.range(0)));
  if (!db.ok()) return state.SkipWithError("the prefix tables did not open");
  TdbPrefix cursor;
  TdbPrefix learnt(logbook::kPrefixLearnt);
  TdbPrefix exact(logbook::kPrefixExact);
  std::int64_t resolved = 0;
  for (auto _ : state) {
    for (const std::string& call : Calls()) {
      cursor.ResetCache();
      std::uint8_t chosen = 0;
      resolved += cursor.ResolveCall(call, kQsoDate, true, &learnt, &exact, chosen, nullptr) ==
                  logbook::ResolveResult::kResolved;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Calls().size()));
  state.counters["resolved"] =
      static_cast<double>(resolved) / static_cast<double>(state.iterations());
}
BENCHMARK(Resolve)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// ---- SQLite ----------------------------------------------------------------------------------

class SqlitePrefixes {
 public:
  SqlitePrefixes() {
    const std::string name = Folder() + "/prefixes.sqlite";
    fs::remove(name);
    ok_ = sqlite3_open(name.c_str(), &db_) == SQLITE_OK &&
          Exec(
              "PRAGMA synchronous=OFF;"
              "CREATE TABLE prefixes(prefix BLOB PRIMARY KEY, record BLOB);"
              "CREATE TABLE exact(call BLOB PRIMARY KEY, record BLOB);"
              "CREATE TABLE learnt(call BLOB PRIMARY KEY, record BLOB);") &&
          Fill();
    for (const char* table : {"exact", "learnt"}) {
      Prepare(std::string("SELECT call FROM ") + table + " WHERE call >= ?1 ORDER BY call LIMIT 1",
              nearest_[table]);
      Prepare(std::string("SELECT record FROM ") + table + " WHERE call = ?1", find_[table]);
    }
    Prepare("SELECT prefix, record FROM prefixes WHERE prefix >= ?1 ORDER BY prefix LIMIT 1",
            nearest_["prefixes"]);
  }
  ~SqlitePrefixes() {
    for (auto* m : {&nearest_, &find_}) {
      for (auto& [name, stmt] : *m) sqlite3_finalize(stmt);
    }
    sqlite3_close(db_);
  }
  bool ok() const { return ok_; }

  // The walk of one call; true when an entry was found.
  bool Resolve(const std::string& call) {
    for (const char* table : {"learnt", "exact"}) {
      if (Nearest(table, call) == call) return true;
      for (std::size_t n = call.size(); n >= 2; --n) {
        if (HeldWithMark(table, call.substr(0, n))) return true;
      }
    }
    for (std::size_t n = call.size(); n >= 1; --n) {
      if (Nearest("prefixes", call.substr(0, n)) == call.substr(0, n)) return true;
    }
    return false;
  }

 private:
  // Every record of the engine's tables, keyed as there.
  bool Fill() {
    const PrefixDatabase source(0);
    Exec("BEGIN");
    sqlite3_stmt* insert = nullptr;
    for (const auto& [kind, table] :
         {std::pair{logbook::kPrefixMain, "prefixes"}, {logbook::kPrefixExact, "exact"}}) {
      Prepare(std::string("INSERT INTO ") + table + " VALUES(?1, ?2)", insert);
      TdbPrefix cursor(kind);
      for (bool more = cursor.First(0); more; more = cursor.Next(false, true)) {
        const std::string key = cursor.GetPrefix();
        sqlite3_bind_blob(insert, 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(insert, 2, &cursor.GetRecord(), sizeof(logbook::TPrefixRec),
                          SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE) return false;
        sqlite3_reset(insert);
      }
      sqlite3_finalize(insert);
    }
    return Exec("COMMIT");
  }
  std::string Nearest(const char* table, const std::string& text) {
    sqlite3_stmt* s = nearest_[table];
    sqlite3_bind_blob(s, 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    std::string found;
    if (sqlite3_step(s) == SQLITE_ROW) {
      found.assign(static_cast<const char*>(sqlite3_column_blob(s, 0)),
                   static_cast<std::size_t>(sqlite3_column_bytes(s, 0)));
      if (sqlite3_column_count(s) > 1) benchmark::DoNotOptimize(sqlite3_column_blob(s, 1));
    }
    sqlite3_reset(s);
    return found;
  }
  bool HeldWithMark(const char* table, const std::string& head) {
    sqlite3_stmt* s = find_[table];
    sqlite3_bind_blob(s, 1, head.data(), static_cast<int>(head.size()), SQLITE_STATIC);
    bool held = false;
    if (sqlite3_step(s) == SQLITE_ROW) {
      const auto* record = static_cast<const logbook::TPrefixRec*>(sqlite3_column_blob(s, 0));
      held = record != nullptr && record->mark == 'J';
    }
    sqlite3_reset(s);
    return held;
  }
  bool Exec(const std::string& sql) {
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  void Prepare(const std::string& sql, sqlite3_stmt*& stmt) {
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) ok_ = false;
  }

  sqlite3* db_ = nullptr;
  bool ok_ = false;
  std::map<std::string, sqlite3_stmt*> nearest_;
  std::map<std::string, sqlite3_stmt*> find_;
};

void Sqlite(benchmark::State& state) {
  SqlitePrefixes db;
  if (!db.ok()) return state.SkipWithError("the SQLite tables could not be made");
  std::int64_t resolved = 0;
  for (auto _ : state) {
    for (const std::string& call : Calls()) resolved += db.Resolve(call);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Calls().size()));
  state.counters["resolved"] =
      static_cast<double>(resolved) / static_cast<double>(state.iterations());
}
BENCHMARK(Sqlite)->Unit(benchmark::kMillisecond);

// Prints the mean time of a call per run and the ratio to SQLite.
class MeanReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // With repetitions only their mean counts.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      auto it = run.counters.find("items_per_second");
      if (it != run.counters.end() && it->second > 0) {
        mean_us_[run.run_name.str()] = 1e6 / it->second;
      }
    }
  }
  void PrintMeans() const {
    const auto sqlite = mean_us_.find("Sqlite");
    std::printf("\nMean time of one call (target: at most 30 us for one user)\n");
    for (const auto& [name, us] : mean_us_) {
      std::printf("%-12s %8.2f us", name.c_str(), us);
      if (sqlite != mean_us_.end() && name != "Sqlite") {
        std::printf("   ratio ISAM/SQLite %.2f", us / sqlite->second);
      }
      std::printf("\n");
    }
  }

 private:
  std::map<std::string, double> mean_us_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MeanReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintMeans();
  fs::remove_all(Folder());
  return 0;
}
