// What the peer programs of the log window's tests share: each is a station in its own process
// on the data folder, with the services a log window's core needs, the driver system in network
// mode, and a log window's core on a log of the catalogue.
//
//   int Run(int argc, char** argv) {
//     ... the arguments (exit 4) ...
//     if (!contestlog_test::StartStation()) return 3;
//     contestlog_test::PeerCore on(log);
//     if (!on.ok) return 3;
//     ... on.core ...
//   }
//   int main(int argc, char** argv) {
//     return contestlog_test::RunPeer(argc, argv, [&] { return Run(argc, argv); });
//   }
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>

#include "common/service.h"
#include "common/to_dates.h"
#include "contest/contest_fkt.h"
#include "contestlog/log_core.h"
#include "logbook/reference/bands.h"
#include "storage/driver/db_error.h"
#include "tests/common/scripted_messages.h"
#include "tests/contest/contest_services.h"

namespace contestlog_test {

// Starts the driver system in network mode; lock conflicts are waited out, as a patient operator
// would wait. False when it does not start.
inline bool StartStation() {
  if (!storage::StartDriverSystem(2, 160, 32)) return false;
  static int patience = 1000;
  storage::SetDefaultRetryProc([](std::string_view, int) { return --patience > 0; });
  return true;
}

// The main window's tables on log `log`, the definition the main window loads for it, and a log
// window's core on the log with its rule object and its object on the log (the call list is not
// opened). `ok` is false when the catalogue has no such log.
struct PeerCore {
  explicit PeerCore(std::int32_t log) {
    if (!catalogue.FindByNummer(log) || !contest_data.FindByNummer(log)) return;
    contest::TContestKKRec own{};
    catalogue.GetKKRec(own);
    common::Service<contest::TContestFkt>::Get().LoadContestDefinition(definition, own, own.Typ);
    core = std::make_unique<contestlog::ContestLogCore>(log, catalogue, contest_data, definition);
    core->Service = std::make_unique<contest::TContLogAlle>();
    core->LogTable = std::make_unique<contest::TdbContest>(contest::kTableLK, log);
    ok = true;
  }
  ~PeerCore() {
    if (core != nullptr) core->LogTable.reset();
  }
  PeerCore(const PeerCore&) = delete;
  PeerCore& operator=(const PeerCore&) = delete;

  contest::TdbContest catalogue{contest::kTableKK, 0};
  contest::TdbContest contest_data{contest::kTableKZ, 0};
  contest::TContestRec definition;
  std::unique_ptr<contestlog::ContestLogCore> core;
  bool ok = false;
};

// The peer's main(): the services on the data folder argv[1] (exit 4 without), `run`, an
// EDBError as exit code 2; the messages the station was given go to standard error, and the
// driver system stops after the contest tables closed.
inline int RunPeer(int argc, char** argv, const std::function<int()>& run) {
  if (argc < 2) return 4;
  contest_test::ContestServices services(argv[1]);
  common::ScopedService<logbook::ToBaender> bands;
  common::ScopedService<common::ToDates> dates;
  common::ScopedService<contest::TContestFkt> fkt;
  common::testing::ScriptedMessages messages;
  int code = 0;
  try {
    code = run();
  } catch (const storage::EDBError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    code = 2;
  }
  for (const auto& call : messages->calls) std::fprintf(stderr, "%s\n", call.text.c_str());
  if (storage::DriverSystemActive()) {
    common::Service<contest::ToDatContest>::Destroy();  // closes the log before the stop
    storage::StopDriverSystem();
  }
  return code;
}

}  // namespace contestlog_test
