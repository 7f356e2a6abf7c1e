// The renumbering beside other processes: a station that holds the log open keeps it from being
// renumbered (nothing is written, a protocol line says why, a later renumbering does it), and a
// station stopped dead at any point of its renumbering leaves the old or the renumbered log.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/protocol.h"
#include "tests/common/peer_process.h"
#include "tests/contestlog/core_fixture.h"
#include "tests/contestlog/renumbering_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::CoreOnLog;
using contestlog_test::LogBuilder;
using contestlog_test::LogFilesAside;
using contestlog_test::QsoIdentities;
using contestlog_test::SameRecords;
using Renumbering = ContestLogCore::Renumbering;

constexpr int kQsos = 2000;
constexpr int kStops = 10;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class RenumberingPeerTest : public contestlog_test::LogTest {
 protected:
  // Real waiting for the other process.
  RenumberingPeerTest() { env_.reset(); }

  pid_t StartRenumbering(std::int32_t log, const std::string& kind, std::uint64_t n) const {
    return common::testing::SpawnPeer(
        RENUMBERING_PEER_PATH, {folder_.path(), std::to_string(log), kind, std::to_string(n)},
        folder_ / "renumbering.out");
  }
  // Waits until the peer's output holds `text`; false after ten seconds.
  bool WaitForOutput(const std::string& file, const std::string& text) const {
    for (int i = 0; i < 1000; ++i) {
      if (ReadFile(folder_ / file).find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
};

TEST_F(RenumberingPeerTest, ALogAnotherStationHoldsOpenIsNotRenumbered) {
  LogBuilder b('W');
  b.Create();
  contestlog_test::FillShuffledLog(b.Number(), 40, 3);
  std::ofstream(folder_ / "protokoll.dat").close();
  common::Protocol::ResetRun();
  const pid_t holder = StartPeer({"hold", std::to_string(b.Number()), "30"});
  ASSERT_TRUE(WaitForOutput("peer.out", "open"));
  {
    CoreOnLog on(b);
    const std::vector<TContestLKRec> before = Records(b.Number());
    const std::string data = ReadFile(folder_ / "PXLK0001.DAT");
    const std::string index = ReadFile(folder_ / "PXLK0001.IX");
    EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kBusy);
    EXPECT_TRUE(SameRecords(Records(b.Number()), before));
    EXPECT_EQ(ReadFile(folder_ / "PXLK0001.DAT"), data);
    EXPECT_EQ(ReadFile(folder_ / "PXLK0001.IX"), index);
    EXPECT_FALSE(LogFilesAside(folder_.path(), b.Number()).RenewedLeft());
    // The window goes on with its log.
    EXPECT_TRUE(on.core.LogTable->First(4));
  }
  EXPECT_NE(ReadFile(folder_ / "protokoll.dat")
                .find("Neunummerierung PXLK0001 ausgelassen: das Log ist bei einem anderen "
                      "Benutzer ge\xF6" "ffnet"),
            std::string::npos);
  std::ofstream(folder_ / "release").close();
  ASSERT_EQ(common::testing::WaitPeer(holder), 0);
  // Once the other station has closed, the next renumbering does it, its QSO included.
  CoreOnLog on(b);
  EXPECT_EQ(on.core.RebuildDatabase(false), Renumbering::kRenumbered);
  const std::vector<TContestLKRec> after = Records(b.Number());
  EXPECT_EQ(std::count_if(after.begin(), after.end(),
                          [](const TContestLKRec& r) { return r.Call.view() == "DL9HOLD"; }),
            1);
}

TEST_F(RenumberingPeerTest, AStationStoppedDeadLeavesTheOldOrTheRenumberedLog) {
  LogBuilder b('W');
  b.Create();
  contestlog_test::FillShuffledLog(b.Number(), kQsos, 5);
  const std::vector<TContestLKRec> old_log = Records(b.Number());
  const LogFilesAside aside(folder_.path(), b.Number());
  // A whole run: the renumbered log and the calls it takes.
  ASSERT_EQ(common::testing::WaitPeer(StartRenumbering(b.Number(), "none", 0)), 0);
  std::istringstream counts(ReadFile(folder_ / "renumbering.out"));
  int outcome = -1;
  std::uint64_t writes = 0, flushes = 0, renames = 0;
  counts >> outcome >> writes >> flushes >> renames;
  ASSERT_EQ(outcome, static_cast<int>(Renumbering::kRenumbered));
  ASSERT_GT(writes, 0u);
  ASSERT_GT(flushes, 0u);
  ASSERT_GT(renames, 0u);
  const std::vector<TContestLKRec> renumbered = Records(b.Number());
  ASSERT_FALSE(SameRecords(renumbered, old_log));

  std::mt19937 random(17);
  int old_kept = 0, renewed = 0;
  for (int stop = 0; stop < kStops; ++stop) {
    aside.Restore();
    const std::pair<const char*, std::uint64_t> kinds[] = {
        {"write", writes}, {"flush", flushes}, {"rename", renames}};
    const auto& [kind, calls] = kinds[stop % 3];
    const std::uint64_t n = 1 + random() % calls;
    const std::string at = std::string("stopped at ") + kind + " " + std::to_string(n);
    EXPECT_EQ(common::testing::WaitPeer(StartRenumbering(b.Number(), kind, n)), 128 + SIGKILL)
        << at;
    const std::vector<TContestLKRec> reopened = Records(b.Number());
    const bool is_old = SameRecords(reopened, old_log);
    EXPECT_TRUE(is_old || SameRecords(reopened, renumbered)) << at;
    old_kept += is_old;
    renewed += !is_old;
    EXPECT_EQ(QsoIdentities(reopened), QsoIdentities(old_log)) << at;
    EXPECT_FALSE(aside.RenewedLeft()) << at;
    EXPECT_EQ(contestlog_test::CheckLogFiles(folder_.path(), b.Number()), "") << at;
    if (HasFailure()) return;
  }
  // Stopped before the set was complete the log was the old one, afterwards the new one.
  EXPECT_GT(old_kept, 0);
  EXPECT_GT(renewed, 0);
}

}  // namespace
}  // namespace contestlog
