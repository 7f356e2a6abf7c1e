// Shared set-up of the driver tests: fake clock, sleep and random numbers, a driver system over
// the counting and failing real engine (network mode 2) in a fresh folder, and the test record.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/service.h"
#include "fault_engine.h"
#include "platform/fake_environment.h"
#include "storage/db_error.h"
#include "storage/driver.h"
#include "storage/driver_system.h"
#include "storage/isam_check.h"
#include "test_record.h"
#include "tests/common/temp_folder.h"

namespace storage_test {

using storage::IFDriver;

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    auto engine = std::make_unique<FaultEngine>();
    engine_ = engine.get();
    system_ = &common::Service<storage::DriverSystem>::Create(std::move(engine));
  }
  ~DriverTest() override { common::Service<storage::DriverSystem>::Destroy(); }

  void SetUp() override {
    ASSERT_TRUE(storage::StartDriverSystem(2, 160, 32));
    system_->SetStartFolder(folder_.path() + "/");
    system_->SetDefaultRetryProc([this](std::string_view name, int reason) {
      questions.push_back({std::string(name), reason});
      return reason == 5 || reason == 6 || answer_yes;
    });
  }

  // The test file's parameters; the file lies in the folder under `path` (default: the name).
  static storage::DriverOpenParams Params(const std::string& name, bool shared = false,
                                          const std::string& path = "") {
    storage::DriverOpenParams p;
    p.name = name;
    p.path = path.empty() ? name : path;
    p.shared = shared;
    p.record_length = p.buffer_length = sizeof(TestRec);
    p.key_count = 3;
    p.key_builder = TestKeys;
    return p;
  }

  // An open driver with the three test keys, the AUTOKEY on key 1.
  static std::unique_ptr<IFDriver> OpenTest(const std::string& name, bool shared = false,
                                            const std::string& path = "", int call_length = 10) {
    auto d = std::make_unique<IFDriver>();
    EXPECT_TRUE(d->Open(Params(name, shared, path)));
    EXPECT_TRUE(d->DefineKey(1, 5, false) && d->DefineKey(2, call_length, true) &&
                d->DefineKey(3, 8, false) && d->SetAutoKeyField(1, 4));
    return d;
  }

  static TestRec& Rec(IFDriver& d) { return *reinterpret_cast<TestRec*>(d.RecordBuffer()); }

  // Adds a record with that call and band; answers its number.
  static std::int32_t Add(IFDriver& d, const std::string& call, const std::string& band = "A") {
    d.ClearRecord();
    Rec(d).call = call;
    Rec(d).band = band;
    EXPECT_TRUE(d.AddRecord()) << call;
    return Rec(d).number;
  }

  // The number of the first error the last driver call recorded.
  int FirstError() const { return system_->Stack().GetEntry(1).error_number; }

  // The checker's findings on the file, closed for it (its drivers reopen it on their next use).
  std::string Check(const std::string& name = "PXLK", bool variable = false) const {
    storage::CloseAllDrivers();
    storage::CheckOptions o;
    o.section_records = variable;
    o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
      std::string text;
      TestKeys(record, static_cast<std::uint16_t>(key), text);
      return text;
    };
    return storage::IsamCheck(folder_ / name, o).Text();
  }

  std::string Bytes(const std::string& file) const {
    return common::testing::ReadFile(folder_ / file);
  }

  struct Question {
    std::string name;
    int reason;
  };
  std::vector<Question> questions;
  bool answer_yes = false;

  platform::FakeClock clock_;
  platform::FakeSleeper sleeper_{&clock_};
  platform::FakeRandom random_;
  platform::ScopedEnvironment env_{&clock_, &sleeper_, &random_};
  common::testing::TempFolder folder_;
  FaultEngine* engine_ = nullptr;
  storage::DriverSystem* system_ = nullptr;
};

}  // namespace storage_test
