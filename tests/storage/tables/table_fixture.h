// Set-up of the table-layer tests as the program starts, on the real engine in a fresh data folder:
// scripted messages, the driver system, the file manager (InitDatabase) and the club's data object.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/service.h"
#include "platform/fake_environment.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"
#include "tests/storage/driver/test_record.h"
#include "tests/storage/tables/club_database.h"

namespace storage_test {

class TableTest : public ::testing::Test {
 protected:
  // `engine`: the engine behind the driver system, the real one unless a test gives another.
  explicit TableTest(std::unique_ptr<storage::DriverEngine> engine = storage::MakeRealDriverEngine()) {
    common::Service<storage::DriverSystem>::Create(std::move(engine));
    common::Service<storage::DriverSystem>::Get().SetStartFolder(folder_.path() + "/");
    common::Service<storage::ToDBFkt>::Create();
    common::Service<ToDatClub>::Create();
  }
  // In the program's order; the messages, which the driver system's exit procedure uses, go last.
  ~TableTest() override {
    common::Service<ToDatClub>::Destroy();
    common::Service<storage::ToDBFkt>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
  }

  void SetUp() override { ASSERT_TRUE(Fkt().InitDatabase()); }

  static storage::ToDBFkt& Fkt() { return common::Service<storage::ToDBFkt>::Get(); }
  static ToDatClub& Club() { return common::Service<ToDatClub>::Get(); }
  static storage::DriverSystem& System() { return common::Service<storage::DriverSystem>::Get(); }

  std::string Check(ToDatClub::Table table) const {
    return CheckFile(folder_ / ToDatClub::FileName(table), table == ToDatClub::kStations
                                                               ? ToDatClub::StationKeys
                                                               : ToDatClub::ContactKeys);
  }

  std::int32_t AddStation(const std::string& call, const std::string& name) {
    TdbStation s;
    s.Record().call = call;
    s.Record().name = name;
    EXPECT_TRUE(s.Insert()) << call;
    return s.Record().number;
  }

  std::int32_t AddContact(const std::string& call, const std::string& band, std::int32_t date,
                          std::int32_t time) {
    TdbContact c;
    c.Record().call = call;
    c.Record().band = band;
    c.Record().date = date;
    c.Record().time = time;
    EXPECT_TRUE(c.Insert()) << call;
    return c.Record().number;
  }

  platform::FakeClock clock_;
  platform::FakeSleeper sleeper_{&clock_};
  platform::FakeRandom random_;
  platform::ScopedEnvironment env_{&clock_, &sleeper_, &random_};
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages presenter_;
};

}  // namespace storage_test
