// What the contest benchmarks share: the reference tables and settings of the program's life, a
// contest store on a fresh data folder (the driver system not shared or shared, the contest
// tables and the catalogue service, a catalogue record for the log), and the one rig of the
// workloads, made again only when a workload asks for another contest or mode.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contest/contest_lookups.h"
#include "contest/contest_tables.h"
#include "logbook/reference/bands.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "storage/driver/driver_system.h"
#include "tests/common/temp_folder.h"

namespace bench {

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// The reference tables and settings, for the life of the program.
struct ReferenceTables {
  ReferenceTables() {
    common::Service<logbook::ToSetups>::Create();
    common::Service<logbook::ToBaender>::Create();
    common::Service<logbook::ToModi>::Create();
    common::Service<logbook::ToPrefix>::Create();
    common::Service<common::ToDates>::Create();
  }
  ~ReferenceTables() {
    common::Service<common::ToDates>::Destroy();
    common::Service<logbook::ToPrefix>::Destroy();
    common::Service<logbook::ToModi>::Destroy();
    common::Service<logbook::ToBaender>::Destroy();
    common::Service<logbook::ToSetups>::Destroy();
  }
};

// The contest tables in a fresh data folder, with the catalogue record of one log of `code`
// (own station DL1ABC, DOK B36) and its definition.
class ContestStore {
 public:
  ContestStore(char code, int class_index, bool shared) {
    common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    Require(storage::StartDriverSystem(shared ? 2 : 0, 160, 32), "the driver system did not start");
    auto& system = common::Service<storage::DriverSystem>::Get();
    system.SetStartFolder(folder_.path() + "/");
    system.SetDefaultRetryProc(
        [](std::string_view, int reason) { return reason == 5 || reason == 6; });
    common::Service<contest::ToDatContest>::Create();
    common::Service<contest::TContestFkt>::Create();
    catalogue_.emplace(contest::kTableKK, 0);
    contest::TContestKKRec own{};
    own.Name = "Benchmark";
    own.Typ = code;
    own.OwnCall = "DL1ABC";
    own.OwnDOK = "B36";
    own.ClassIndex = static_cast<std::uint8_t>(class_index);
    catalogue_->ClearRec();
    catalogue_->SetKKRec(own);
    Require(catalogue_->InsertRec(), "no catalogue record");
    common::Service<contest::TContestFkt>::Get().LoadContestDefinition(definition_, *catalogue_,
                                                                       code, false);
  }
  ~ContestStore() {
    catalogue_.reset();
    common::Service<contest::TContestFkt>::Destroy();
    common::Service<contest::ToDatContest>::Destroy();
    storage::StopDriverSystem();
    common::Service<storage::DriverSystem>::Destroy();
  }
  ContestStore(const ContestStore&) = delete;
  ContestStore& operator=(const ContestStore&) = delete;

  contest::TdbContest& Catalogue() { return *catalogue_; }
  // The data folder (the driver system's start folder), without a trailing "/".
  const std::string& Folder() const { return folder_.path(); }
  const contest::TContestRec& Definition() const { return definition_; }

 private:
  common::testing::TempFolder folder_;
  contest::TContestRec definition_;
  std::optional<contest::TdbContest> catalogue_;
};

// The rig of workload arguments (case, shared): kept while the workloads ask for the same pair,
// made anew for another; the last one goes with Reset.
template <typename Rig>
class RigCache {
 public:
  using Make = std::function<std::unique_ptr<Rig>(std::int64_t which, bool shared)>;
  explicit RigCache(Make make) : make_(std::move(make)) {}

  Rig& For(const benchmark::State& state) {
    const std::int64_t which = state.range(0);
    const bool shared = state.range(1) != 0;
    if (rig_ == nullptr || which != which_ || shared != shared_) {
      rig_.reset();
      rig_ = make_(which, shared);
      which_ = which;
      shared_ = shared;
    }
    return *rig_;
  }
  void Reset() { rig_.reset(); }

 private:
  Make make_;
  std::unique_ptr<Rig> rig_;
  std::int64_t which_ = -1;
  bool shared_ = false;
};

// "W shared", "W not shared".
inline std::string SharedLabel(const std::string& name, const benchmark::State& state) {
  return name + (state.range(1) != 0 ? " shared" : " not shared");
}

}  // namespace bench
