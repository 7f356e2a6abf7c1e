// The test kit of the contest log window: a fresh data folder with the services a log window
// uses, started as the program starts them (settings with every folder on the data folder and
// the station DL1ABC in JO62QM, the driver system and file manager, the contest tables and the
// catalogue service with a recording port, the band, mode, locator and prefix services, the
// call database and the small prefix table of prefix_fixture.h), scripted messages, a fake
// clock on UTC and the data folder as the current folder (where the protocol file goes).
//
//   class MyTest : public contestlog_test::LogTest {};
//   TEST_F(MyTest, ...) {
//     LogBuilder b('.', 5);
//     const std::int32_t log = b.Create();
//     MainTables main(log);    // the catalogue and contest-data objects of the main window
//     ...
//   }
// Window tests use window_fixture.h on top of this.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/current_folder.h"
#include "common/dates.h"
#include "common/service.h"
#include "contest/contest_lookups.h"
#include "logbook/databases/call_database.h"
#include "logbook/reference/locator.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "tests/contest/service_fixture.h"
#include "tests/contestlog/log_builder.h"
#include "tests/contestlog/prefix_fixture.h"

namespace contestlog_test {

// The day the tests' clock shows (a Saturday in a contest season), and the own station.
inline const std::int32_t kContestDay = common::DMYToDate(9, 3, 2024);
inline constexpr const char* kOwnCall = "DL1ABC";
inline constexpr const char* kOwnLocator = "JO62QM";

// The catalogue and contest-data objects the main window holds, on the records of one log.
struct MainTables {
  explicit MainTables(std::int32_t log) {
    EXPECT_TRUE(catalogue.FindByNummer(log)) << log;
    EXPECT_TRUE(contest_data.FindByNummer(log)) << log;
  }
  contest::TdbContest catalogue{contest::kTableKK, 0};
  contest::TdbContest contest_data{contest::kTableKZ, 0};
};

class LogTest : public contest_test::ServiceTest {
 protected:
  LogTest() {
    logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
    logbook::ToSetupDirs dirs = settings.GetDirs();
    for (auto& dir : dirs.dirs) dir = folder_.path() + "/";
    settings.SetDirs(dirs);
    settings.SetOwnCall(kOwnCall);
    logbook::ToSetupOwnStation station = settings.GetOwnStation();
    station.own_locator = kOwnLocator;
    settings.SetOwnStation(station);
    SetUtcNow(kContestDay, 12 * 3600);
  }
  void SetUp() override {
    ServiceTest::SetUp();
    WritePrefixTable();
  }

  // The clock shows `day` at `seconds` UTC (local time is UTC).
  void SetUtcNow(std::int32_t day, std::int32_t seconds) {
    const common::DayMonthYear d = common::DateToDMY(day);
    clock_.utc_bias_minutes = 0;
    clock_.now = {d.year, d.month, d.day, seconds / 3600, seconds / 60 % 60, seconds % 60, 0};
  }

  // A record of the call database: the call data (first table) or the call book (second).
  static void AddCall(logbook::CallTable table, const std::string& call, const std::string& name,
                      const std::string& qth = "") {
    logbook::TdbCall calls(table);
    calls.ClearRecord();
    calls.SetCall(call);
    calls.SetName(name);
    calls.SetQTH(qth);
    ASSERT_TRUE(calls.Insert()) << call;
  }

  // The log's records in number order (key 4), as stored.
  static std::vector<contest::TContestLKRec> Records(std::int32_t log) {
    std::vector<contest::TContestLKRec> records;
    contest::TdbContest table(contest::kTableLK, log);
    for (bool found = table.First(4); found; found = table.Next(true, true)) {
      records.emplace_back();
      table.GetLKRec(records.back());
    }
    return records;
  }

  // The path of the log's files, without extension.
  std::string LogPath(std::int32_t log) const {
    const std::string path = Dat().TablePath(contest::kTableLK, log);
    return path.starts_with('/') ? path : folder_.path() + "/" + path;
  }

  // Whether anybody holds the file of a contest table, or of the call list.
  static bool Open(int table, std::int32_t log) {
    return Dat().GetTreiber(table, table == contest::kTableLK ? log : 0) != nullptr;
  }
  static bool CallListOpen() {
    return common::Service<logbook::ToDatCall>::Get().Treiber(logbook::kCallList) != nullptr;
  }

  common::ScopedCurrentFolder current_{folder_.path()};
  common::ScopedService<logbook::ToLocator> locator_;
  common::ScopedService<logbook::ToDatCall> calls_;
  common::ScopedService<logbook::ToDatPrefix> prefix_files_;
};

}  // namespace contestlog_test
