// Shared set-up of the driver tests: fake clock, sleep and random numbers, a driver system over
// the in-memory engine (started in network mode 2), and a small test record with three keys.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/le_int.h"
#include "common/service.h"
#include "common/short_string.h"
#include "memory_engine.h"
#include "platform/fake_environment.h"
#include "common/key_text.h"
#include "storage/db_error.h"
#include "storage/driver.h"
#include "storage/driver_system.h"
#include "test_record.h"

namespace storage_test {

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    auto engine = std::make_unique<MemoryEngine>();
    engine_ = engine.get();
    common::Service<storage::DriverSystem>::Install(
        std::make_unique<storage::DriverSystem>(std::move(engine)));
    system_ = &common::Service<storage::DriverSystem>::Get();
  }
  ~DriverTest() override { common::Service<storage::DriverSystem>::Destroy(); }

  void SetUp() override {
    ASSERT_TRUE(storage::StartDriverSystem(2, 160, 32));
    system_->SetDefaultRetryProc([this](std::string_view name, int reason) {
      questions.push_back({std::string(name), reason});
      return reason == 5 || reason == 6 || answer_yes;
    });
  }

  storage::DriverOpenParams Params(const std::string& name, bool shared = false) {
    storage::DriverOpenParams p;
    p.name = name;
    p.path = "/db/" + name;
    p.shared = shared;
    p.record_length = sizeof(TestRec);
    p.buffer_length = sizeof(TestRec);
    p.key_count = 3;
    p.key_builder = TestKeys;
    return p;
  }

  // An open driver with the three test keys, the AUTOKEY on key 1.
  std::unique_ptr<storage::IFDriver> OpenTest(const std::string& name, bool shared = false) {
    auto d = std::make_unique<storage::IFDriver>();
    EXPECT_TRUE(d->Open(Params(name, shared)));
    EXPECT_TRUE(d->DefineKey(1, 5, false));
    EXPECT_TRUE(d->DefineKey(2, 10, true));
    EXPECT_TRUE(d->DefineKey(3, 8, false));
    EXPECT_TRUE(d->SetAutoKeyField(1, 4));
    return d;
  }

  static TestRec& Rec(storage::IFDriver& d) {
    return *reinterpret_cast<TestRec*>(d.RecordBuffer());
  }

  // Adds a record with that call and band; answers its number.
  std::int32_t Add(storage::IFDriver& d, const std::string& call, const std::string& band = "A") {
    d.ClearRecord();
    Rec(d).call = call;
    Rec(d).band = band;
    EXPECT_TRUE(d.AddRecord()) << call;
    return Rec(d).number;
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
  MemoryEngine* engine_ = nullptr;
  storage::DriverSystem* system_ = nullptr;
};

}  // namespace storage_test
