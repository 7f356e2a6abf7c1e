// The ISAM engine against SQLite on a contest log: insert, exact find, key-order scan and delete
// of 216-byte QSO records with 5 keys (lengths 14, 9, 20, 5 and 8), at 10,000 and 100,000
// records, single user, no flush per operation. SQLite gets a table with the same five indexes,
// synchronous off, and each timed pass of a workload runs in one transaction. After the runs the
// throughput ratio ISAM/SQLite of every workload is printed (above 1: the engine is faster).
//
// The engine runs with the 160 page buffers of the program ("ISAM") and with as much buffer
// memory as SQLite's default page cache of 2 MB ("ISAM2MB", 560 buffers).

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/common/contest_log_record.h"
#include "storage/isam/engine.h"

namespace {

using bench::QsoRec;
using storage::KeyStr;
using storage::RecRef;

const std::vector<QsoRec>& Log(int count) {
  static std::map<int, std::vector<QsoRec>> logs;
  auto it = logs.find(count);
  if (it == logs.end()) it = logs.emplace(count, bench::MakeContestLog(count)).first;
  return it->second;
}

std::vector<int> Shuffled(int count) {
  std::vector<int> order(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(99));
  return order;
}

std::string Folder() {
  static std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "isambench_XXXXXX").string();
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

void Fail(benchmark::State& state, const char* what) {
  state.SkipWithError(
      (std::string(what) + " failed: " + std::to_string(storage::Isam().IsamError)).c_str());
}

// ---- ISAM ------------------------------------------------------------------------------------

class IsamDb {
 public:
  explicit IsamDb(int buffers) { storage::EngineInit(storage::kNetworkSingleUser, buffers); }
  ~IsamDb() {
    if (h_ != nullptr) storage::FileblockClose(h_);
    storage::EngineExit();
  }

  bool Create() {
    storage::FileblockCreate(Name(), sizeof(QsoRec), bench::kQsoKeys);
    h_ = storage::FileblockOpen(Name());
    return h_ != nullptr;
  }
  bool Open() {
    h_ = storage::FileblockOpen(Name());
    return h_ != nullptr;
  }
  bool Close() {
    storage::FileblockClose(h_);
    h_ = nullptr;
    return storage::Isam().IsamOK;
  }
  bool Insert(const QsoRec& r) {
    const RecRef ref = storage::FileblockAddRecord(h_, &r);
    if (ref == 0) return false;
    const auto keys = bench::QsoKeysOf(r);
    for (int k = 0; k < 5; ++k) {
      storage::FileblockAddKey(h_, k + 1, ref, KeyStr(keys[static_cast<std::size_t>(k)]));
      if (!storage::Isam().IsamOK) return false;
    }
    return true;
  }
  bool Find(const QsoRec& r, QsoRec* out) {
    RecRef ref = 0;
    storage::FileblockFindKey(h_, 4, KeyStr(bench::QsoKeysOf(r)[3]), ref);
    if (!storage::Isam().IsamOK) return false;
    storage::FileblockGetRecord(h_, ref, out);
    return storage::Isam().IsamOK;
  }
  int Scan(QsoRec* out) {
    int n = 0;
    KeyStr text;
    RecRef ref = 0;
    storage::FileblockClearKey(h_, 1);
    for (;;) {
      storage::FileblockNextKey(h_, 1, text, ref);
      if (!storage::Isam().IsamOK) break;
      storage::FileblockGetRecord(h_, ref, out);
      ++n;
    }
    return n;
  }
  bool Delete(const QsoRec& r) {
    RecRef ref = 0;
    const auto keys = bench::QsoKeysOf(r);
    storage::FileblockFindKey(h_, 4, KeyStr(keys[3]), ref);
    if (!storage::Isam().IsamOK) return false;
    for (int k = 0; k < 5; ++k) {
      storage::FileblockDeleteKey(h_, k + 1, ref, KeyStr(keys[static_cast<std::size_t>(k)]));
      if (!storage::Isam().IsamOK) return false;
    }
    storage::FileblockDeleteRecord(h_, ref);
    return storage::Isam().IsamOK;
  }

 private:
  static std::string Name() { return Folder() + "/PXLK"; }
  storage::FileblockHandle h_ = nullptr;
};

// ---- SQLite ----------------------------------------------------------------------------------

class SqliteDb {
 public:
  ~SqliteDb() { Close(); }

  bool Create() {
    std::filesystem::remove(Name());
    if (sqlite3_open(Name().c_str(), &db_) != SQLITE_OK) return false;
    const bool made = Exec(
        "CREATE TABLE qso(id INTEGER PRIMARY KEY, k1 BLOB, k2 BLOB, k3 BLOB, k4 BLOB, k5 BLOB, "
        "rec BLOB);"
        "CREATE INDEX i1 ON qso(k1); CREATE INDEX i2 ON qso(k2); CREATE INDEX i3 ON qso(k3);"
        "CREATE UNIQUE INDEX i4 ON qso(k4); CREATE INDEX i5 ON qso(k5);");
    sqlite3_close(db_);
    db_ = nullptr;
    return made && Open();
  }
  bool Open() {
    if (sqlite3_open(Name().c_str(), &db_) != SQLITE_OK) return false;
    return Exec("PRAGMA synchronous=OFF;") &&
           Prepare("INSERT INTO qso(k1,k2,k3,k4,k5,rec) VALUES(?,?,?,?,?,?)", &insert_) &&
           Prepare("SELECT rec FROM qso WHERE k4=?", &find_) &&
           Prepare("SELECT rec FROM qso ORDER BY k1", &scan_) &&
           Prepare("DELETE FROM qso WHERE k4=?", &delete_);
  }
  void Close() {
    for (sqlite3_stmt* s : {insert_, find_, scan_, delete_}) sqlite3_finalize(s);
    insert_ = find_ = scan_ = delete_ = nullptr;
    if (db_ != nullptr) sqlite3_close(db_);
    db_ = nullptr;
  }
  bool Begin() { return Exec("BEGIN"); }
  bool Commit() { return Exec("COMMIT"); }
  bool Insert(const QsoRec& r) {
    const auto keys = bench::QsoKeysOf(r);
    for (int k = 0; k < 5; ++k) {
      const std::string& key = keys[static_cast<std::size_t>(k)];
      sqlite3_bind_blob(insert_, k + 1, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    }
    sqlite3_bind_blob(insert_, 6, &r, sizeof r, SQLITE_STATIC);
    const bool ok = sqlite3_step(insert_) == SQLITE_DONE;
    sqlite3_reset(insert_);
    return ok;
  }
  bool Find(const QsoRec& r, QsoRec* out) {
    const std::string key = bench::QsoKeysOf(r)[3];
    sqlite3_bind_blob(find_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    const bool ok = sqlite3_step(find_) == SQLITE_ROW;
    if (ok) std::memcpy(out, sqlite3_column_blob(find_, 0), sizeof *out);
    sqlite3_reset(find_);
    return ok;
  }
  int Scan(QsoRec* out) {
    int n = 0;
    while (sqlite3_step(scan_) == SQLITE_ROW) {
      std::memcpy(out, sqlite3_column_blob(scan_, 0), sizeof *out);
      ++n;
    }
    sqlite3_reset(scan_);
    return n;
  }
  bool Delete(const QsoRec& r) {
    const std::string key = bench::QsoKeysOf(r)[3];
    sqlite3_bind_blob(delete_, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    const bool ok = sqlite3_step(delete_) == SQLITE_DONE && sqlite3_changes(db_) == 1;
    sqlite3_reset(delete_);
    return ok;
  }

 private:
  static std::string Name() { return Folder() + "/pxlk.sqlite"; }
  bool Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == 0; }
  bool Prepare(const char* sql, sqlite3_stmt** stmt) {
    return sqlite3_prepare_v2(db_, sql, -1, stmt, nullptr) == SQLITE_OK;
  }

  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
  sqlite3_stmt* scan_ = nullptr;
  sqlite3_stmt* delete_ = nullptr;
};

// ---- Workloads -------------------------------------------------------------------------------

int Buffers(const benchmark::State& state) { return static_cast<int>(state.range(1)); }

void IsamInsert(benchmark::State& state) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  IsamDb db(Buffers(state));
  for (auto _ : state) {
    state.PauseTiming();
    if (!db.Create()) return Fail(state, "create");
    state.ResumeTiming();
    for (const QsoRec& r : log) {
      if (!db.Insert(r)) return Fail(state, "insert");
    }
    if (!db.Close()) return Fail(state, "close");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

void SqliteInsert(benchmark::State& state) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  SqliteDb db;
  for (auto _ : state) {
    state.PauseTiming();
    db.Close();
    if (!db.Create()) return Fail(state, "create");
    state.ResumeTiming();
    db.Begin();
    for (const QsoRec& r : log) {
      if (!db.Insert(r)) return Fail(state, "insert");
    }
    if (!db.Commit()) return Fail(state, "commit");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

template <typename Db>
bool Fill(Db& db, const std::vector<QsoRec>& log) {
  if (!db.Create()) return false;
  if constexpr (std::is_same_v<Db, SqliteDb>) db.Begin();
  for (const QsoRec& r : log) {
    if (!db.Insert(r)) return false;
  }
  if constexpr (std::is_same_v<Db, SqliteDb>) {
    if (!db.Commit()) return false;
    db.Close();
  } else {
    if (!db.Close()) return false;
  }
  return db.Open();
}

template <typename Db>
void Find(benchmark::State& state, Db& db) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  if (!Fill(db, log)) return Fail(state, "fill");
  const std::vector<int> order = Shuffled(static_cast<int>(log.size()));
  QsoRec out;
  for (auto _ : state) {
    if constexpr (std::is_same_v<Db, SqliteDb>) db.Begin();
    for (int i : order) {
      if (!db.Find(log[static_cast<std::size_t>(i)], &out)) return Fail(state, "find");
    }
    if constexpr (std::is_same_v<Db, SqliteDb>) db.Commit();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

template <typename Db>
void Scan(benchmark::State& state, Db& db) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  if (!Fill(db, log)) return Fail(state, "fill");
  QsoRec out;
  for (auto _ : state) {
    if constexpr (std::is_same_v<Db, SqliteDb>) db.Begin();
    if (db.Scan(&out) != static_cast<int>(log.size())) return Fail(state, "scan");
    if constexpr (std::is_same_v<Db, SqliteDb>) db.Commit();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

void IsamFind(benchmark::State& state) {
  IsamDb db(Buffers(state));
  Find(state, db);
}
void SqliteFind(benchmark::State& state) {
  SqliteDb db;
  Find(state, db);
}
void IsamScan(benchmark::State& state) {
  IsamDb db(Buffers(state));
  Scan(state, db);
}
void SqliteScan(benchmark::State& state) {
  SqliteDb db;
  Scan(state, db);
}

void IsamDelete(benchmark::State& state) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  const std::vector<int> order = Shuffled(static_cast<int>(log.size()));
  IsamDb db(Buffers(state));
  for (auto _ : state) {
    state.PauseTiming();
    if (!Fill(db, log)) return Fail(state, "fill");
    state.ResumeTiming();
    for (int i : order) {
      if (!db.Delete(log[static_cast<std::size_t>(i)])) return Fail(state, "delete");
    }
    if (!db.Close()) return Fail(state, "close");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

void SqliteDelete(benchmark::State& state) {
  const auto& log = Log(static_cast<int>(state.range(0)));
  const std::vector<int> order = Shuffled(static_cast<int>(log.size()));
  SqliteDb db;
  for (auto _ : state) {
    state.PauseTiming();
    if (!Fill(db, log)) return Fail(state, "fill");
    state.ResumeTiming();
    db.Begin();
    for (int i : order) {
      if (!db.Delete(log[static_cast<std::size_t>(i)])) return Fail(state, "delete");
    }
    if (!db.Commit()) return Fail(state, "commit");
    state.PauseTiming();
    db.Close();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
}

constexpr int kProgramBuffers = 160;
constexpr int kEqualMemoryBuffers = 560;  // about SQLite's default cache of 2 MB

void IsamArgs(benchmark::internal::Benchmark* b) {
  for (int n : {10000, 100000}) {
    for (int buffers : {kProgramBuffers, kEqualMemoryBuffers}) b->Args({n, buffers});
  }
  b->Unit(benchmark::kMillisecond);
}
void SqliteArgs(benchmark::internal::Benchmark* b) {
  for (int n : {10000, 100000}) b->Args({n, 0});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(IsamInsert)->Apply(IsamArgs)->Iterations(3);
BENCHMARK(SqliteInsert)->Apply(SqliteArgs)->Iterations(3);
BENCHMARK(IsamFind)->Apply(IsamArgs);
BENCHMARK(SqliteFind)->Apply(SqliteArgs);
BENCHMARK(IsamScan)->Apply(IsamArgs);
BENCHMARK(SqliteScan)->Apply(SqliteArgs);
BENCHMARK(IsamDelete)->Apply(IsamArgs)->Iterations(3);
BENCHMARK(SqliteDelete)->Apply(SqliteArgs)->Iterations(3);

// Collects the throughput of every run for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto it = run.counters.find("items_per_second");
      if (it != run.counters.end()) rate_[run.benchmark_name()] = it->second;
    }
  }
  void PrintRatios() const {
    std::printf("\nThroughput ratio ISAM/SQLite (above 1: the engine is faster)\n");
    std::printf("%-10s %9s %12s %12s\n", "workload", "records", "160 buffers", "560 buffers");
    for (const char* w : {"Insert", "Find", "Scan", "Delete"}) {
      for (int n : {10000, 100000}) {
        std::string suffix = "/";
        suffix += std::to_string(n);
        const double sqlite = Rate(std::string("Sqlite") + w + suffix + "/0");
        const double small = Rate(std::string("Isam") + w + suffix + "/160");
        const double equal = Rate(std::string("Isam") + w + suffix + "/560");
        if (sqlite <= 0) continue;
        std::printf("%-10s %9d %12.2f %12.2f\n", w, n, small / sqlite, equal / sqlite);
      }
    }
  }

 private:
  double Rate(const std::string& prefix) const {
    for (const auto& [name, rate] : rate_) {
      if (name.rfind(prefix, 0) == 0) return rate;
    }
    return 0;
  }
  std::map<std::string, double> rate_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::filesystem::remove_all(Folder());
  return 0;
}
