// Several stations on one log, each a process of its own on the data folder (station_peer.cpp
// types through the window's core and save; contest_peer.cpp stores plain QSOs), beside a log
// window of this process: the serial numbers they give, the claim a closing station stores and
// an output states, and what a window counts of the others' QSOs.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "contest/cont_log_alle.h"
#include "contest/contest_fkt.h"
#include "contestlog/band_tallies.h"
#include "contestlog/log_tallies.h"
#include "tests/common/peer_process.h"
#include "tests/common/temp_folder.h"
#include "tests/contestlog/window_fixture.h"

namespace contestlog {
namespace {

using contest::TContestLKRec;
using contestlog_test::LogBuilder;
using contestlog_test::MainTables;

// The field day's points of a QSO outside Europe, as the stations' QSOs are.
constexpr int kPointsEach = 3;

class StationsTest : public contestlog_test::LogWindowTest {
 protected:
  // Real waiting for the other processes.
  StationsTest() { env_.reset(); }

  pid_t StartStation(std::int32_t log, const std::string& id, int count, int pause_ms,
                     bool hold = false) const {
    std::vector<std::string> args = {folder_.path(), std::to_string(log), id, std::to_string(count),
                                     std::to_string(pause_ms)};
    if (hold) args.push_back("hold");
    return common::testing::SpawnPeer(STATION_PEER_PATH, args, Out(id));
  }
  std::string Out(const std::string& id) const { return folder_ / ("station" + id + ".out"); }
  // Waits until the station's output holds `line`; false after 60 seconds.
  bool WaitFor(const std::string& id, const std::string& line) const {
    for (int i = 0; i < 6000; ++i) {
      if (common::testing::ReadFile(Out(id)).find(line + "\n") != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  void Release(const std::string& id) const { std::ofstream(folder_ / ("release" + id)).close(); }
  // The numbers the station was told were given meanwhile.
  int Taken(const std::string& id) const {
    std::istringstream out(common::testing::ReadFile(Out(id)));
    int taken = 0;
    for (std::string line; std::getline(out, line);) taken += line.starts_with("taken ");
    return taken;
  }

  // The serial the QSO was sent with (the log's own numbers are renumbered when it closes).
  static std::string SentSerial(const TContestLKRec& qso) {
    std::string report, serial, value3, value4;
    contest::TContLogAlle::SplitCall(contest::TContestFkt::SentExchangeText(qso), report, serial,
                                     value3, value4);
    return serial;
  }

  static int PointsOf(const std::vector<TContestLKRec>& records) {
    return std::accumulate(records.begin(), records.end(), 0,
                           [](int sum, const TContestLKRec& r) { return sum + r.Points; });
  }
  // The points of the log's tallies in the catalogue and contest-data objects' working copies,
  // in the layout the log uses.
  static int ClaimedPoints(const MainTables& tables) {
    contest::TContestKKRec log{};
    contest::TContestKZRec data{};
    tables.catalogue.GetKKRec(log);
    tables.contest_data.GetKZRec(data);
    int points = 0;
    if (log.LoaderSwitch != 0) {
      for (const auto& p : data.SlotPoints) points += static_cast<int>(p.get());
    } else {
      for (const auto& p : log.LinePoints) points += static_cast<int>(p.get());
      points += static_cast<int>(log.Line6.Points.get() + log.Line7.Points.get());
    }
    return points;
  }
};

// Three stations type serials at once: a serial sent twice was told to the station that stored
// it second.
TEST_F(StationsTest, SerialsOfStationsTypingAtOnceAreGivenOnceOrTold) {
  LogBuilder b('9');
  b.Create();
  const std::vector<std::string> ids = {"A", "B", "C"};
  constexpr int kEach = 12;
  std::vector<pid_t> stations;
  for (const std::string& id : ids) stations.push_back(StartStation(b.Number(), id, kEach, 25));
  for (const pid_t station : stations) ASSERT_EQ(common::testing::WaitPeer(station), 0);
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), ids.size() * kEach);
  std::map<std::string, int> given;
  for (const TContestLKRec& r : records) ++given[SentSerial(r)];
  int twice = 0;
  for (const auto& [number, times] : given) twice += times - 1;
  int told = 0;
  for (const std::string& id : ids) told += Taken(id);
  EXPECT_EQ(twice, told);
}

// Two stations type into one log; one closes while the other still has it open: the claim it
// stores and the claim of an output written meanwhile are those of every QSO of the log.
TEST_F(StationsTest, ALogTypedAtTwoStationsClaimsThePointsOfAllItsQsos) {
  LogBuilder b('9');
  b.Create();
  constexpr int kEach = 10;
  const pid_t first = StartStation(b.Number(), "A", kEach, 10, true);
  ASSERT_TRUE(WaitFor("A", "open"));
  const pid_t second = StartStation(b.Number(), "B", kEach, 10, true);
  ASSERT_TRUE(WaitFor("A", "typed") && WaitFor("B", "typed"));
  Release("A");
  ASSERT_EQ(common::testing::WaitPeer(first), 0);
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 2u * kEach);
  ASSERT_EQ(PointsOf(records), 2 * kEach * kPointsEach);
  {
    MainTables stored(b.Number());
    EXPECT_EQ(ClaimedPoints(stored), PointsOf(records)) << "stored by the first to close";
    // An output written while the second station has the log open.
    CountTalliesInto(b.Definition(), stored.catalogue, stored.contest_data);
    EXPECT_EQ(ClaimedPoints(stored), PointsOf(records)) << "an output's";
  }
  Release("B");
  ASSERT_EQ(common::testing::WaitPeer(second), 0);
  MainTables stored(b.Number());
  EXPECT_EQ(ClaimedPoints(stored), PointsOf(records)) << "stored by the last to close";
}

// The window counts the QSOs the other stations store: its entry shows the log's next serial
// after a tick, a cleared entry the log's totals; a serial another station gave while the QSO
// was typed is told at its save, and the QSO keeps it.
TEST_F(StationsTest, AWindowCountsTheQsosOtherStationsStore) {
  LogBuilder b('9');
  b.Catalogue().DatumAuto = 255;
  b.Catalogue().ZeitAuto = 255;
  b.Create();
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    w.timerzeit->SetEnabled(false);
    ASSERT_EQ(common::testing::WaitPeer(StartStation(b.Number(), "A", 3, 0)), 0);
    w.timerzeitTimer();
    EXPECT_EQ(EntryRecord(w).wagNummer, 4u);
    EXPECT_EQ(w.lRSTs2->Caption(), "004");
    // The idle window's totals follow at the tick, not only at the next clear.
    EXPECT_EQ(w.lNummer->Caption(), "4");
    EXPECT_EQ(w.Label28->Caption(), "3 QSO");
    w.btnCleara->Click();
    EXPECT_EQ(w.lNummer->Caption(), "4");
    EXPECT_EQ(w.Label28->Caption(), "3 QSO");
    EXPECT_EQ(w.Label20->Caption(), std::to_string(3 * kPointsEach) + " Punkte =");

    Type(*w.eCall, "dl9zz");
    ASSERT_EQ(common::testing::WaitPeer(StartStation(b.Number(), "B", 1, 0)), 0);
    w.btnSpeicherna->Click();
    EXPECT_EQ(w.lNummer->Caption(), "6");
    EXPECT_EQ(w.Label28->Caption(), "5 QSO");
  });
  std::vector<std::string> told;
  for (const common::MessageCall& call : presenter_->calls) {
    told.push_back(call.title + "|" + call.text);
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0],
            "Nummer|Die Nummer 004 hat inzwischen eine andere Station vergeben. Das QSO wurde "
            "mit der gesendeten Nummer gespeichert.");
  const std::vector<TContestLKRec> records = Records(b.Number());
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[4].Call.str(), "DL9ZZ");
  EXPECT_EQ(SentSerial(records[4]), "004");
  EXPECT_EQ(SentSerial(records[3]), "004");
}

}  // namespace
}  // namespace contestlog
