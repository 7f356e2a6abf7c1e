// Add, find and update of 10,000 contest-log records through the driver (not shared and shared,
// flush after every write on and off), beside the same workloads on the engine directly.
//
// The record is a contest-log QSO of 216 bytes with five keys of lengths 14, 9, 20, 5 and 8:
// call/band/mode, date/time/band, exchange, the AUTOKEY number, band/mode/number.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "common/short_string.h"
#include "storage/driver.h"
#include "storage/driver_system.h"
#include "storage/engine.h"
#include "tests/common/temp_folder.h"

namespace {

constexpr int kRecords = 10000;

struct QsoRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<10> call;
  char band;
  char mode;
  common::LeInt32 date;
  common::LeInt32 time;
  common::ShortString<20> exchange;
  char rest[216 - 4 - 4 - 11 - 2 - 8 - 21] = {};
};
static_assert(sizeof(QsoRec) == 216);

std::string Be(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
          static_cast<char>(u)};
}

void QsoKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  QsoRec r;
  std::memcpy(&r, record, sizeof r);
  if (key == 1) text = r.call.str() + std::string(10 - r.call.size(), ' ') + r.band + r.mode;
  if (key == 2) text = Be(r.date) + Be(r.time) + r.band;
  if (key == 3) text = r.exchange.str();
  if (key == 4) text = common::LongIntToKey(r.number);
  if (key == 5) text = std::string{r.band, r.mode, ' '} + common::LongIntToKey(r.number);
}

constexpr std::uint8_t kKeyLengths[5] = {14, 9, 20, 5, 8};
constexpr std::uint8_t kKeyDups[5] = {1, 1, 1, 0, 0};

std::string CallOf(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "DL%dX%c%c", i % 10, 'A' + (i / 10) % 26, 'A' + (i / 260) % 26);
  return buf;
}

void Fill(QsoRec& r, int i) {
  r = QsoRec{};
  r.call = CallOf(i);
  r.band = static_cast<char>('A' + i % 7);
  r.mode = static_cast<char>('a' + i % 3);
  r.date = 160000 + i / 1000;
  r.time = i * 7 % 86400;
  r.exchange = "599 " + std::to_string(i % 1000) + " JO62";
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
    p.key_builder = QsoKeys;
    ok = d.Open(p);
    for (int k = 1; k <= 5; ++k) d.DefineKey(k, kKeyLengths[k - 1], kKeyDups[k - 1] != 0);
    d.SetAutoKeyField(4, 4);
    d.SetFlushEachWrite(flush);
  }
  ~DriverRig() {
    d.Destroy();
    storage::StopDriverSystem();
    common::Service<storage::DriverSystem>::Destroy();
  }
  QsoRec& Rec() { return *reinterpret_cast<QsoRec*>(d.RecordBuffer()); }
  void Add(int i) {
    d.ClearRecord();
    Fill(Rec(), i);
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
  return d.FindRecord(4, common::LongIntToKey(1 + (i * 7919) % kRecords));
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
      rig->Rec().exchange = "599 " + std::to_string(i) + " JO" + std::to_string(round);
      if (!rig->d.UpdateRecord()) std::abort();
    }
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// --- the engine directly (no retries, no frame, no before image) ---

class EngineRig {
 public:
  explicit EngineRig(bool flush) : flush_(flush) {
    storage::EngineInit(0, 160);
    name = folder / "PXLK";
    storage::KeySpec keys[5];
    for (int k = 0; k < 5; ++k) keys[k] = {kKeyLengths[k], kKeyDups[k]};
    storage::FileblockCreate(name, sizeof(QsoRec), keys);
    fb = storage::FileblockOpen(name);
  }
  ~EngineRig() {
    storage::FileblockClose(fb);
    storage::EngineExit();
  }
  void AddKeys(const QsoRec& r, std::int32_t ref) {
    for (int k = 1; k <= 5; ++k) {
      std::string t;
      QsoKeys(reinterpret_cast<const std::uint8_t*>(&r), static_cast<std::uint16_t>(k), t);
      storage::FileblockAddKey(fb, k, ref, storage::KeyStr(t));
    }
  }
  void Add(int i) {
    QsoRec r;
    Fill(r, i);
    r.number = i + 1;
    const std::int32_t ref = storage::FileblockAddRecord(fb, &r);
    AddKeys(r, ref);
    if (flush_) storage::FileblockFlush(fb);
  }
  std::int32_t Find(int number, QsoRec& r) {
    std::int32_t ref = 0;
    storage::FileblockFindKey(fb, 4, storage::KeyStr(common::LongIntToKey(number)), ref);
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

void BM_EngineUpdate(benchmark::State& state) {
  EngineRig rig(state.range(0) != 0);
  for (int i = 0; i < kRecords; ++i) rig.Add(i);
  int round = 0;
  QsoRec r;
  for (auto _ : state) {
    ++round;
    for (int i = 0; i < kRecords; ++i) {
      const std::int32_t ref = rig.Find(1 + (i * 7919) % kRecords, r);
      const storage::KeyStr old_key(r.exchange.str());
      r.exchange = "599 " + std::to_string(i) + " JO" + std::to_string(round);
      storage::FileblockAddKey(rig.fb, 3, ref, storage::KeyStr(r.exchange.str()));
      storage::FileblockDeleteKey(rig.fb, 3, ref, old_key);
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
BENCHMARK(BM_EngineAdd)
    ->ArgName("flush")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_EngineFind)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EngineUpdate)
    ->ArgName("flush")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
