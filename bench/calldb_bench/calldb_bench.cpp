// The prefill lookup of the call database: FindCall, then name, DOK and locator, on a call book
// (PX5CBUCH) holding the ~85,000 calls of Debian's hamradio-files MASTER.SCP, the DOKs of its
// WAG_call_history.txt, and a name and a locator made up for every call. Not shared and shared
// (network mode), beside the same lookup in SQLite (one table, an index on the call, a prepared
// query). Each iteration is one lookup of a call drawn from the list; the mean time per lookup and
// the ratio SQLite/call database (above 1: the call database is faster) are printed.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/databases/call_database.h"
#include "storage/driver/driver_system.h"
#include "tests/common/temp_folder.h"

namespace {

constexpr const char* kData = "/usr/share/hamradio-files/";

struct Station {
  std::string call, name, dok, locator;
};

// Every call of MASTER.SCP with its DOK from the WAG list, a name and a locator.
const std::vector<Station>& Stations() {
  static const std::vector<Station> stations = [] {
    std::map<std::string, std::string> doks;
    std::ifstream wag(std::string(kData) + "WAG_call_history.txt");
    for (std::string line; std::getline(wag, line);) {
      const auto comma = line.find(',');
      if (line.empty() || line[0] == '#' || comma == std::string::npos) continue;
      doks[line.substr(0, comma)] = common::Trim(line.substr(comma + 1));
    }
    static const char* kNames[] = {"Anna",   "Bernd", "Carla", "Dieter", "Erika", "Frank",
                                   "Gisela", "Horst", "Ilse",  "Jürgen", "Karin", "Lothar"};
    std::vector<Station> list;
    std::ifstream scp(std::string(kData) + "MASTER.SCP");
    for (std::string line; std::getline(scp, line);) {
      const std::string call = common::Trim(line);
      if (call.empty() || call[0] == '#') continue;
      const auto i = list.size();
      const std::string locator = {char('A' + i % 18), char('A' + i / 18 % 18),
                                   char('0' + i % 10), char('0' + i / 10 % 10),
                                   char('a' + i % 24), char('a' + i / 24 % 24)};
      const auto dok = doks.find(call);
      list.push_back({call, kNames[i % 12], dok == doks.end() ? "" : dok->second, locator});
    }
    return list;
  }();
  return stations;
}

// The calls in the order the lookups ask for them.
const std::vector<std::string>& LookupOrder() {
  static const std::vector<std::string> order = [] {
    std::vector<std::string> calls;
    for (const Station& s : Stations()) calls.push_back(s.call);
    std::shuffle(calls.begin(), calls.end(), std::mt19937(17));
    return calls;
  }();
  return order;
}

class CallBookRig {
 public:
  explicit CallBookRig(bool shared) : shared_(shared) {
    common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
    if (!storage::StartDriverSystem(shared ? 2 : 0, 160, 32)) {
      std::fprintf(stderr, "the driver system did not start\n");
      std::abort();
    }
    auto& s = common::Service<storage::DriverSystem>::Get();
    s.SetStartFolder(folder_.path() + "/");
    // The files are created when missing; nothing else is asked in a single-user run.
    s.SetDefaultRetryProc([](std::string_view, int reason) { return reason == 5 || reason == 6; });
    common::Service<logbook::ToDatCall>::Create();
    book_ = std::make_unique<logbook::TdbCall>(logbook::kCallBook, 1);
    for (const Station& st : Stations()) {
      book_->ClearRecord();
      book_->SetCall(st.call);
      book_->SetName(st.name);
      book_->SetDOK(st.dok);
      logbook::CallFieldPut(book_->Record(),
                            logbook::CallFieldTag(logbook::kCallBook, logbook::CallField::kLocator),
                            st.locator);
      if (!book_->Insert()) {
        std::fprintf(stderr, "the insert of %s failed\n", st.call.c_str());
        std::abort();
      }
    }
  }
  ~CallBookRig() {
    book_.reset();
    common::Service<logbook::ToDatCall>::Destroy();
    storage::StopDriverSystem();
    common::Service<storage::DriverSystem>::Destroy();
  }
  bool shared() const { return shared_; }
  logbook::TdbCall& Book() { return *book_; }

 private:
  bool shared_;
  common::testing::TempFolder folder_;
  std::unique_ptr<logbook::TdbCall> book_;
};

// The rig of the last run; freed by main before the service objects go.
std::unique_ptr<CallBookRig>& RigSlot() {
  static std::unique_ptr<CallBookRig> rig;
  return rig;
}

CallBookRig& Rig(bool shared) {
  std::unique_ptr<CallBookRig>& rig = RigSlot();
  if (rig == nullptr || rig->shared() != shared) {
    rig.reset();
    rig = std::make_unique<CallBookRig>(shared);
  }
  return *rig;
}

void BM_CallDbPrefill(benchmark::State& state) {
  logbook::TdbCall& book = Rig(state.range(0) != 0).Book();
  const auto& calls = LookupOrder();
  std::size_t i = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    const std::string& call = calls[i++ % calls.size()];
    if (book.FindCall(call)) {
      ++found;
      std::string name = book.GetName(), dok = book.GetDOK(), locator = book.GetLocator();
      benchmark::DoNotOptimize(name);
      benchmark::DoNotOptimize(dok);
      benchmark::DoNotOptimize(locator);
    }
  }
  if (found != std::min<std::size_t>(i, calls.size()) && i <= calls.size()) {
    state.SkipWithError("a call of the list was not found");
  }
  state.SetLabel(state.range(0) != 0 ? "shared" : "not shared");
}

class SqliteCallBook {
 public:
  SqliteCallBook() {
    sqlite3_open((folder_ / "calls.db").c_str(), &db_);
    sqlite3_exec(db_,
                 "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
                 "CREATE TABLE calls(call TEXT, name TEXT, dok TEXT, locator TEXT);"
                 "CREATE INDEX calls_call ON calls(call); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db_, "INSERT INTO calls VALUES(?,?,?,?)", -1, &insert, nullptr);
    for (const Station& s : Stations()) {
      int k = 1;
      for (const std::string* t : {&s.call, &s.name, &s.dok, &s.locator}) {
        sqlite3_bind_text(insert, k++, t->c_str(), -1, SQLITE_STATIC);
      }
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db_, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db_, "SELECT name, dok, locator FROM calls WHERE call = ?", -1, &find_,
                       nullptr);
  }
  ~SqliteCallBook() {
    sqlite3_finalize(find_);
    sqlite3_close(db_);
  }
  bool Lookup(const std::string& call, std::string& name, std::string& dok, std::string& loc) {
    sqlite3_bind_text(find_, 1, call.c_str(), -1, SQLITE_STATIC);
    const bool found = sqlite3_step(find_) == SQLITE_ROW;
    if (found) {
      name = reinterpret_cast<const char*>(sqlite3_column_text(find_, 0));
      dok = reinterpret_cast<const char*>(sqlite3_column_text(find_, 1));
      loc = reinterpret_cast<const char*>(sqlite3_column_text(find_, 2));
    }
    sqlite3_reset(find_);
    return found;
  }

 private:
  common::testing::TempFolder folder_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
};

void BM_SqlitePrefill(benchmark::State& state) {
  SqliteCallBook book;
  const auto& calls = LookupOrder();
  std::size_t i = 0;
  std::string name, dok, locator;
  for (auto _ : state) {
    benchmark::DoNotOptimize(book.Lookup(calls[i++ % calls.size()], name, dok, locator));
  }
}

BENCHMARK(BM_CallDbPrefill)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200000);
BENCHMARK(BM_SqlitePrefill)->Unit(benchmark::kMicrosecond)->Iterations(200000);

// Keeps the mean time per lookup of every run, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) means_[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Ratios() const {
    const auto sqlite = std::find_if(means_.begin(), means_.end(), [](const auto& m) {
      return m.first.rfind("BM_SqlitePrefill", 0) == 0;
    });
    if (sqlite == means_.end()) return;
    for (const auto& [name, mean] : means_) {
      if (name.rfind("BM_CallDbPrefill", 0) == 0) {
        std::printf("%s: %.2f us per lookup, SQLite/call database %.2f\n", name.c_str(), mean,
                    sqlite->second / mean);
      }
    }
  }

 private:
  std::map<std::string, double> means_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  RigSlot().reset();
  reporter.Ratios();
  benchmark::Shutdown();
  return 0;
}
