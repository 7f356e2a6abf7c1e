// Set-up of the logbook database tests as the program starts, on the real engine in network mode
// in a fresh data folder: scripted messages, settings, the driver system, the file manager and the
// data objects of the call and project databases.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/service.h"
#include "logbook/databases/call_database.h"
#include "logbook/settings/setups.h"
#include "platform/fake_environment.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/isam_check.h"
#include "storage/tables/db_functions.h"
#include "tests/common/scripted_messages.h"
#include "tests/common/temp_folder.h"

namespace logbook::testing {

class DatabaseTest : public ::testing::Test {
 protected:
  DatabaseTest() {
    common::Service<ToSetups>::Create();
    common::Service<storage::DriverSystem>::Create(storage::MakeRealDriverEngine());
    common::Service<storage::DriverSystem>::Get().SetStartFolder(folder_.path() + "/");
    common::Service<storage::ToDBFkt>::Create();
    common::Service<ToDatCall>::Create();
  }
  ~DatabaseTest() override {
    common::Service<ToDatCall>::Destroy();
    common::Service<storage::ToDBFkt>::Destroy();
    common::Service<storage::DriverSystem>::Destroy();
    common::Service<ToSetups>::Destroy();
  }
  void SetUp() override { ASSERT_TRUE(common::Service<storage::ToDBFkt>::Get().InitDatabase()); }

  static ToDatCall& Calls() { return common::Service<ToDatCall>::Get(); }

  // The checker's findings on the closed file `name` of the data folder, with `keys` as oracle;
  // the builder gets the record in a buffer of `buffer` bytes, as the driver hands it over.
  std::string Check(const std::string& name, const storage::DriverKeyBuilder& keys, int buffer,
                    bool variable) const {
    storage::CheckOptions o;
    o.section_records = variable;
    o.key_builder = [&](const std::uint8_t* record, std::size_t length, int key) {
      std::vector<std::uint8_t> copy(static_cast<std::size_t>(buffer), 0);
      std::memcpy(copy.data(), record, std::min<std::size_t>(length, copy.size()));
      std::string text;
      keys(copy.data(), static_cast<std::uint16_t>(key), text);
      return text;
    };
    return storage::IsamCheck(folder_ / name, o).Text();
  }

  platform::FakeClock clock_;
  platform::FakeSleeper sleeper_{&clock_};
  platform::FakeRandom random_;
  platform::ScopedEnvironment env_{&clock_, &sleeper_, &random_};
  common::testing::TempFolder folder_;
  common::testing::ScriptedMessages presenter_;
};

}  // namespace logbook::testing
