// Add, find, update and key walks of 10,000 contest-log records through the driver (not shared and
// shared, flush after every write on and off), beside the same workloads on the engine directly.
// The record and its keys are the storage benchmarks' shared contest-log record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/common/contest_log_record.h"
#include "common/key_text.h"
#include "common/service.h"
#include "storage/driver/driver.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/engine.h"
#include "tests/common/temp_folder.h"

namespace {

constexpr int kRecords = 10000;

using bench::QsoRec;

// The log every workload adds: QSO i of it carries number i + 1.
const std::vector<QsoRec>& TheLog() {
  static const std::vector<QsoRec> log = bench::MakeContestLog(kRecords);
  return log;
}

// The update of every workload: a new locator, which moves the record in key 5.
void NewLocator(QsoRec& r, int i, int round) {
  r.locator = "JO" + std::to_string(10 + i % 90) + static_cast<char>('a' + round % 24) + "a";
}

// --- through the driver ---

class DriverRig {
 public:
  DriverRig(bool shared, bool flush) {
    common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    ok = storage::StartDriverSystem(shared ? 2 : 0, 160, 32);
    if (!ok) return;
    auto& s = common::Service<storage::DriverSystem>::Get();
    s.SetStartFolder(folder.path() + "/");
    s.SetDefaultRetryProc([](std::string_view, int reason) { return reason == 5 || reason == 6; });
    storage::DriverOpenParams p;
    p.name = "PXLK";
    p.path = "PXLK";
    p.shared = shared;
    p.record_length = p.buffer_length = sizeof(QsoRec);
    p.key_count = 5;
    p.key_builder = bench::QsoKeyBuilder;
    ok = d.Open(p);
    for (int k = 1; k <= 5; ++k) {
      const storage::KeySpec& key = bench::kQsoKeys[static_cast<std::size_t>(k - 1)];
      d.DefineKey(k, key.length, key.duplicates != 0);
    }
    d.SetAutoKeyField(bench::kQsoNumberKey, 4);
    d.SetFlushEachWrite(flush);
  }
  ~DriverRig() {
    d.Destroy();
    storage::StopDriverSystem();
    common::Service<storage::DriverSystem>::Destroy();
  }
  QsoRec& Rec() { return *reinterpret_cast<QsoRec*>(d.RecordBuffer()); }
  void Add(int i) {
    Rec() = TheLog()[static_cast<std::size_t>(i)];
    Rec().number = 0;  // the driver numbers it
    if (!d.AddRecord()) std::abort();
  }

  common::testing::TempFolder folder;
  storage::IFDriver d;
  bool ok = false;
};

void BM_DriverAdd(benchmark::State& state) {
  std::unique_ptr<DriverRig> rig;
  for (auto _ : state) {
    state.PauseTiming();
    rig.reset();
    rig = std::make_unique<DriverRig>(state.range(0) != 0, state.range(1) != 0);
    if (!rig->ok) {
      state.SkipWithError("driver system could not start in this network mode");
      break;
    }
    state.ResumeTiming();
    for (int i = 0; i < kRecords; ++i) rig->Add(i);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// A rig holding the records, or nullptr (the benchmark skipped) when the system cannot start.
std::unique_ptr<DriverRig> FilledRig(benchmark::State& state) {
  auto rig = std::make_unique<DriverRig>(state.range(0) != 0, state.range(1) != 0);
  if (!rig->ok) {
    state.SkipWithError("driver system could not start in this network mode");
    return nullptr;
  }
  for (int i = 0; i < kRecords; ++i) rig->Add(i);
  return rig;
}

// The records in a scattered order, by their AUTOKEY number (key 4).
bool FindScattered(storage::IFDriver& d, int i) {
  return d.FindRecord(bench::kQsoNumberKey, common::LongIntToKey(1 + (i * 7919) % kRecords));
}

void BM_DriverFind(benchmark::State& state) {
  const auto rig = FilledRig(state);
  if (!rig) return;
  for (auto _ : state) {
    for (int i = 0; i < kRecords; ++i) {
      if (!FindScattered(rig->d, i)) std::abort();
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_DriverUpdate(benchmark::State& state) {
  const auto rig = FilledRig(state);
  if (!rig) return;
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (int i = 0; i < kRecords; ++i) {
      if (!FindScattered(rig->d, i)) std::abort();
      NewLocator(rig->Rec(), i, round);
      if (!rig->d.UpdateRecord()) std::abort();
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// Every record along the call key (duplicates) and the number key (unique), forwards and back.
void BM_DriverWalk(benchmark::State& state) {
  const auto rig = FilledRig(state);
  if (!rig) return;
  storage::IFDriver& d = rig->d;
  for (auto _ : state) {
    for (const int key : {1, bench::kQsoNumberKey}) {
      int n = 0;
      for (bool ok = d.FirstRecord(key); ok; ok = d.NextRecord(key)) ++n;
      for (bool ok = d.LastRecord(key); ok; ok = d.PrevRecord(key)) ++n;
      if (n != 2 * kRecords) std::abort();
    }
  }
  state.SetItemsProcessed(state.iterations() * 4 * kRecords);
}

// --- the engine directly (no retries, no frame, no before image) ---

class EngineRig {
 public:
  explicit EngineRig(bool flush, bool shared = false) : flush_(flush) {
    storage::EngineInit(shared ? storage::kNetworkShared : storage::kNetworkSingleUser, 160);
    name = folder / "PXLK";
    storage::FileblockCreate(name, sizeof(QsoRec), bench::kQsoKeys);
    fb = storage::FileblockOpen(name, storage::OpenOptions{.shared = shared});
  }
  ~EngineRig() {
    storage::FileblockClose(fb);
    storage::EngineExit();
  }
  void Add(int i) {
    const QsoRec& r = TheLog()[static_cast<std::size_t>(i)];
    const std::int32_t ref = storage::FileblockAddRecord(fb, &r);
    const auto keys = bench::QsoKeysOf(r);
    for (int k = 1; k <= 5; ++k)
      storage::FileblockAddKey(fb, k, ref, storage::KeyStr(keys[static_cast<std::size_t>(k - 1)]));
    if (flush_) storage::FileblockFlush(fb);
  }
  std::int32_t Find(int number, QsoRec& r) {
    std::int32_t ref = 0;
    storage::FileblockFindKey(fb, bench::kQsoNumberKey,
                              storage::KeyStr(common::LongIntToKey(number)), ref);
    storage::FileblockGetRecord(fb, ref, &r);
    return ref;
  }

  common::testing::TempFolder folder;
  std::string name;
  storage::FileblockHandle fb = nullptr;
  bool flush_;
};

void BM_EngineAdd(benchmark::State& state) {
  std::unique_ptr<EngineRig> rig;
  for (auto _ : state) {
    state.PauseTiming();
    rig.reset();
    rig = std::make_unique<EngineRig>(state.range(0) != 0);
    state.ResumeTiming();
    for (int i = 0; i < kRecords; ++i) rig->Add(i);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_EngineFind(benchmark::State& state) {
  EngineRig rig(false);
  for (int i = 0; i < kRecords; ++i) rig.Add(i);
  QsoRec r;
  for (auto _ : state) {
    for (int i = 0; i < kRecords; ++i)
      benchmark::DoNotOptimize(rig.Find(1 + (i * 7919) % kRecords, r));
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// The exact find alone (no record read), the fileblock shared or not: shared, each find takes
// and releases the temporary read lock.
void BM_EngineExactFind(benchmark::State& state) {
  const bool shared = state.range(0) != 0;
  EngineRig rig(false, shared);
  storage::FileblockLockFile(rig.fb);
  for (int i = 0; i < kRecords; ++i) rig.Add(i);
  storage::FileblockUnlockFile(rig.fb);
  for (auto _ : state) {
    for (int i = 0; i < kRecords; ++i) {
      std::int32_t ref = 0;
      storage::FileblockFindKey(rig.fb, bench::kQsoNumberKey,
                                storage::KeyStr(common::LongIntToKey(1 + (i * 7919) % kRecords)),
                                ref);
      if (ref == 0) std::abort();
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_EngineUpdate(benchmark::State& state) {
  EngineRig rig(state.range(0) != 0);
  for (int i = 0; i < kRecords; ++i) rig.Add(i);
  int round = 0;
  QsoRec r;
  for (auto _ : state) {
    ++round;
    for (int i = 0; i < kRecords; ++i) {
      const std::int32_t ref = rig.Find(1 + (i * 7919) % kRecords, r);
      const storage::KeyStr old_key(bench::QsoKeysOf(r)[4]);
      NewLocator(r, i, round);
      storage::FileblockAddKey(rig.fb, 5, ref, storage::KeyStr(bench::QsoKeysOf(r)[4]));
      storage::FileblockDeleteKey(rig.fb, 5, ref, old_key);
      storage::FileblockPutRecord(rig.fb, ref, &r);
      if (rig.flush_) storage::FileblockFlush(rig.fb);
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void SharedFlush(benchmark::internal::Benchmark* b) {
  b->ArgNames({"shared", "flush"});
  for (int shared : {0, 1}) {
    for (int flush : {0, 1}) b->Args({shared, flush});
  }
  b->Unit(benchmark::kMillisecond)->Iterations(1);
}

BENCHMARK(BM_DriverAdd)->Apply(SharedFlush);
BENCHMARK(BM_DriverFind)->Apply(SharedFlush);
BENCHMARK(BM_DriverUpdate)->Apply(SharedFlush);
BENCHMARK(BM_DriverWalk)->Apply(SharedFlush);
BENCHMARK(BM_EngineAdd)
    ->ArgName("flush")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_EngineFind)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EngineExactFind)
    ->ArgName("shared")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_EngineUpdate)
    ->ArgName("flush")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
