// Set-up of the contest-table tests as the program starts, on the real engine in a fresh data
// folder: scripted messages, the driver system and file manager, the settings, the prefix and
// mode services the keys need, and the contest tables' data object.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/service.h"
#include "contest/contest_lookups.h"
#include "platform/fake_environment.h"
#include "storage/tables/db_functions.h"
#include "tests/common/peer_process.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"
#include "tests/contest/contest_services.h"

namespace contest_test {

using contest::TContestLKRec;
using contest::TdbContest;

// A QSO with the fields most lookups and keys read.
inline TContestLKRec Qso(const std::string& call, char band, std::int32_t date, std::int32_t time,
                         const std::string& mode = "CW") {
  TContestLKRec r{};
  r.Call = call;
  r.Bandcode = band;
  r.Datum = date;
  r.Zeit = time;
  r.Mode = mode;
  return r;
}

class ContestTest : public ::testing::Test {
 protected:
  // Clock, sleep and random numbers are fakes unless the test waits for another process.
  explicit ContestTest(bool fake_environment = true) {
    if (fake_environment) env_.emplace(&clock_, &sleeper_, &random_);
  }
  void SetUp() override { ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase()); }

  static contest::ToDatContest& Dat() { return common::Service<contest::ToDatContest>::Get(); }

  // Inserts the QSO into log `log`; answers its Nummer.
  static std::int32_t Add(std::int32_t log, const TContestLKRec& qso) {
    TdbContest t(contest::kTableLK, log);
    t.ClearRec();
    t.SetLKRec(qso);
    EXPECT_TRUE(t.InsertRec()) << qso.Call.str();
    TContestLKRec stored;
    t.GetLKRec(stored);
    return stored.Nummer;
  }

  // The Nummer of the object's working copy.
  static std::int32_t Nummer(const TdbContest& t) {
    TContestLKRec r;
    t.GetLKRec(r);
    return r.Nummer;
  }

  // Starts the peer program on this data folder (tests/contest/contest_peer.cpp); what it
  // prints goes to "peer.out" there.
  pid_t StartPeer(std::vector<std::string> args) const {
    args.insert(args.begin(), folder_.path());
    return common::testing::SpawnPeer(CONTEST_PEER_PATH, std::move(args), folder_ / "peer.out");
  }

  platform::FakeClock clock_;
  platform::FakeSleeper sleeper_{&clock_};
  platform::FakeRandom random_;
  std::optional<platform::ScopedEnvironment> env_;
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages presenter_;
  ContestServices services_{folder_.path()};
};

}  // namespace contest_test
