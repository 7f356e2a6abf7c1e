// Rebuild of a database (reorganisation and index rebuild) beside SQLite's VACUUM of the same
// rows and indexes:
// - Fixed: 100,000 records of the storage benchmarks' contest-log record (216 bytes, 5 keys);
// - Variable: 10,000 records of 250 to 350 bytes stored as section chains of L = 23, with 36
//   keys of 10 characters taken from the record.
// The ratio engine / SQLite is printed at the end.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/common/contest_log_record.h"
#include "common/le_int.h"
#include "storage/isam/engine.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/var_record.h"
#include "tests/common/temp_folder.h"

namespace {

constexpr int kFixedRecords = 100000;
constexpr int kFixedLength = sizeof(bench::QsoRec);
constexpr int kVarRecords = 10000;
constexpr int kVarLength = 23;
constexpr int kVarKeys = 36;

std::map<std::string, double> g_ms;  // mean milliseconds per workload

// ---- the fixed workload: the storage benchmarks' contest-log record and its five keys ----

using bench::QsoRec;

const std::vector<QsoRec>& FixedLog() {
  static const std::vector<QsoRec> log = bench::MakeContestLog(kFixedRecords);
  return log;
}

const std::uint8_t* FixedRecord(int i) {
  return reinterpret_cast<const std::uint8_t*>(&FixedLog()[static_cast<std::size_t>(i - 1)]);
}

std::string Number(std::int32_t v, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, v);
  return buf;
}

// ---- the variable workload: 36 keys of 10 characters from the record ----

std::vector<std::uint8_t> VarRecord(int i, std::mt19937& rng) {
  std::vector<std::uint8_t> r(250 + rng() % 101, 0);
  common::WriteLeInt32(r.data() + 4, i);
  for (std::size_t k = 8; k < r.size(); ++k) r[k] = static_cast<std::uint8_t>('A' + rng() % 26);
  return r;
}

void VarKeys(const std::uint8_t* r, std::uint16_t key, std::string& text) {
  if (key == 1) {
    text = Number(common::ReadLeInt32(r + 4), 10);
  } else {
    text.assign(reinterpret_cast<const char*>(r + 8 + (key - 2) * 7), 10);
  }
}

std::vector<storage::KeySpec> VarKeySpecs() {
  std::vector<storage::KeySpec> keys(kVarKeys, storage::KeySpec{10, 1});
  keys[0].duplicates = 0;
  return keys;
}

// ---- engine ----

class EngineRig {
 public:
  explicit EngineRig(bool variable) : variable_(variable) {
    storage::EngineInit(storage::kNetworkSingleUser, 160);
    name_ = folder_ / "REB";
    keys_ = variable
                ? VarKeySpecs()
                : std::vector<storage::KeySpec>(bench::kQsoKeys.begin(), bench::kQsoKeys.end());
    storage::FileblockCreate(name_, variable ? kVarLength : kFixedLength, keys_);
    storage::FileblockHandle h = storage::FileblockOpen(name_);
    std::mt19937 rng(7);
    for (int i = 1; i <= (variable ? kVarRecords : kFixedRecords); ++i) {
      if (variable) {
        const auto r = VarRecord(i, rng);
        storage::RecRef ref = 0;
        storage::VarRecAdd(h, ref, r.data(), static_cast<std::int32_t>(r.size()));
      } else {
        storage::FileblockAddRecord(h, FixedRecord(i));
      }
    }
    storage::FileblockClose(h);
    ok = storage::Isam().IsamOK;
  }
  ~EngineRig() { storage::EngineExit(); }

  bool Rebuild() {
    if (variable_) {
      storage::RebuildVariable(name_, kVarLength, keys_, VarKeys);
    } else {
      storage::RebuildFixed(name_, kFixedLength, keys_, bench::QsoKeyBuilder);
    }
    return storage::Isam().IsamOK;
  }

  bool ok = false;

 private:
  bool variable_;
  common::testing::TempFolder folder_;
  std::string name_;
  std::vector<storage::KeySpec> keys_;
};

// ---- SQLite: the same rows and indexes, VACUUM rebuilds table and indexes ----

class SqliteRig {
 public:
  explicit SqliteRig(bool variable) {
    const int keys = variable ? kVarKeys : 5;
    sqlite3_open((folder_ / "reb.db").c_str(), &db_);
    Exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
    std::string create = "CREATE TABLE r(id INTEGER PRIMARY KEY, body BLOB";
    std::string insert = "INSERT INTO r VALUES(?, ?";
    for (int k = 1; k <= keys; ++k) {
      create += ", k" + std::to_string(k) + " TEXT";
      insert += ", ?";
    }
    Exec(create + ");");
    for (int k = 1; k <= keys; ++k) {
      const bool unique = variable ? k == 1 : k == bench::kQsoNumberKey;
      Exec(std::string(unique ? "CREATE UNIQUE INDEX" : "CREATE INDEX") + " i" + std::to_string(k) +
           " ON r(k" + std::to_string(k) + ");");
    }
    Exec("BEGIN;");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_, (insert + ")").c_str(), -1, &st, nullptr);
    std::mt19937 rng(7);
    for (int i = 1; i <= (variable ? kVarRecords : kFixedRecords); ++i) {
      std::vector<std::uint8_t> r;
      if (variable) {
        r = VarRecord(i, rng);
      } else {
        r.assign(FixedRecord(i), FixedRecord(i) + kFixedLength);
      }
      sqlite3_bind_int(st, 1, i);
      sqlite3_bind_blob(st, 2, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
      for (int k = 1; k <= keys; ++k) {
        std::string text;
        (variable ? VarKeys : bench::QsoKeyBuilder)(r.data(), static_cast<std::uint16_t>(k), text);
        sqlite3_bind_text(st, k + 2, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      }
      ok = sqlite3_step(st) == SQLITE_DONE;
      sqlite3_reset(st);
      if (!ok) break;
    }
    sqlite3_finalize(st);
    Exec("COMMIT;");
  }
  ~SqliteRig() { sqlite3_close(db_); }
  bool Vacuum() { return Exec("VACUUM;"); }

  bool ok = false;

 private:
  bool Exec(const std::string& sql) {
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  common::testing::TempFolder folder_;
  sqlite3* db_ = nullptr;
};

template <typename Rig, typename Run>
void Measure(benchmark::State& state, const std::string& label, bool variable, Run run) {
  Rig rig(variable);
  if (!rig.ok) {
    state.SkipWithError("setup failed");
    return;
  }
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!run(rig)) {
      state.SkipWithError("rebuild failed");
      return;
    }
    total +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  g_ms[label] = total / static_cast<double>(state.iterations());
  state.counters["records"] = variable ? kVarRecords : kFixedRecords;
}

void BM_RebuildFixed(benchmark::State& state) {
  Measure<EngineRig>(state, "engine fixed", false, [](EngineRig& r) { return r.Rebuild(); });
}
void BM_RebuildVariable(benchmark::State& state) {
  Measure<EngineRig>(state, "engine variable", true, [](EngineRig& r) { return r.Rebuild(); });
}
void BM_SqliteVacuumFixed(benchmark::State& state) {
  Measure<SqliteRig>(state, "sqlite fixed", false, [](SqliteRig& r) { return r.Vacuum(); });
}
void BM_SqliteVacuumVariable(benchmark::State& state) {
  Measure<SqliteRig>(state, "sqlite variable", true, [](SqliteRig& r) { return r.Vacuum(); });
}

BENCHMARK(BM_RebuildFixed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SqliteVacuumFixed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RebuildVariable)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SqliteVacuumVariable)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const char* kind : {"fixed", "variable"}) {
    const auto engine = g_ms.find(std::string("engine ") + kind);
    const auto sqlite = g_ms.find(std::string("sqlite ") + kind);
    if (engine == g_ms.end() || sqlite == g_ms.end() || sqlite->second <= 0) continue;
    std::printf("rebuild %s: engine %.0f ms, SQLite VACUUM %.0f ms, ratio %.2f\n", kind,
                engine->second, sqlite->second, engine->second / sqlite->second);
  }
  return 0;
}
