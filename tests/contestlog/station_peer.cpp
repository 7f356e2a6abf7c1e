// A station of a multi-operator log in its own process, on the data folder FOLDER in network
// mode, typing through the log window's core and its save's steps:
// `station_peer FOLDER LOG ID COUNT PAUSE_MS [hold]` opens log LOG as a window does (counted in
// full) and prints "open"; types COUNT QSOs with the calls "DL<n><ID>": each entry cleared as the
// window clears it, its call typed after a pause of up to PAUSE_MS (the QSO starts), stored after
// another such pause, scored and counted; prints "taken NNN" for each sent number another
// station had stored meanwhile, then "typed". With `hold` it keeps the log open until a file
// "release<ID>" appears in FOLDER (at most 60 s). Then it closes the log as a window does (the
// tallies recalculated and stored, the renumbering tried).
// Exits 0 done, 1 a QSO not stored, 2 EDBError, 3 no start or no such log, 4 bad arguments,
// 5 never released.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "common/dates.h"
#include "contestlog/entry_record.h"
#include "contestlog/log_core.h"
#include "contestlog/new_entry.h"
#include "contestlog/qso_save.h"
#include "tests/common/peer_process.h"
#include "tests/contestlog/peer_station.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

int Run(int argc, char** argv) {
  if (argc != 6 && argc != 7) return 4;
  const std::string folder = argv[1];
  const std::int32_t log = std::stoi(argv[2]);
  const std::string id = argv[3];
  const int count = std::stoi(argv[4]);
  const int pause_ms = std::stoi(argv[5]);
  const bool hold = argc == 7 && std::string(argv[6]) == "hold";
  if (!contestlog_test::StartStation()) return 3;
  contestlog_test::PeerCore on(log);
  if (!on.ok) return 3;

  // Set up as the window sets itself up.
  contestlog::ContestLogCore& core = *on.core;
  const contest::TContestRec& definition = on.definition;
  core.CurrentBand = definition.Bands[0];
  core.CurrentMode = definition.Modes[0].empty() ? "CW" : definition.Modes[0].str();
  core.RecountLog(true);
  Say("open");

  std::mt19937 random(static_cast<unsigned>(getpid()));
  const auto pause = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % (pause_ms + 1)));
  };
  const contestlog::NewEntryFields fields;  // the serial fields hidden
  for (int n = 1; n <= count; ++n) {
    core.RecountLog(core.LogChangedElsewhere());
    contestlog::PrepareNewEntry(core, fields);
    pause();
    contest::TContestLKRec entry = contestlog::EntryRecord(core);
    entry.Call = "DL" + std::to_string(n) + id;
    entry.Datum = common::DMYToDate(9, 3, 2024);
    entry.Zeit = 3600 + 10 * n + (id[0] - 'A');
    contestlog::SetEntryRecord(core, entry);
    contestlog::RenewEntryNumbers(core, fields);
    pause();
    contest::TContestLKRec qso{};
    const contestlog::StoredQso store = contestlog::StoreNewQso(core, qso);
    if (!store.stored) return 1;
    if (store.taken != 0) Say("taken " + std::to_string(store.taken));
    contestlog::CountSavedQso(core, qso);
    contestlog::FillSerialsWithZeros(core.Definition, qso);
    core.ForgetEntryMultipliers();
    core.LogTable->SetLKRec(qso);
    core.LogTable->UpdateRec();
  }
  Say("typed");
  if (hold && !common::testing::AwaitFile(folder + "/release" + id, 60)) return 5;

  // The window's close.
  core.Recalculate();
  core.RebuildDatabase(false);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return contestlog_test::RunPeer(argc, argv, [&] { return Run(argc, argv); });
}
