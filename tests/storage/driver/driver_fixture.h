// Shared set-up of the driver tests: fake clock, sleep and random numbers, a driver system over
// the counting and failing real engine (network mode 2) in a fresh folder, and the test record
// (with the named records, walks and entry bytes of the damage tests).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/service.h"
#include "platform/fake_environment.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_system.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"
#include "tests/storage/driver/fault_engine.h"
#include "tests/storage/driver/test_record.h"

namespace storage_test {

using common::testing::RowName;
using storage::IFDriver;
using Texts = std::vector<std::string>;

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    auto engine = std::make_unique<FaultEngine>();
    engine_ = engine.get();
    system_ = &common::Service<storage::DriverSystem>::Create(std::move(engine));
  }
  ~DriverTest() override { common::Service<storage::DriverSystem>::Destroy(); }

  // The question records its reason; reasons 5 and 6 are agreed, the others as `answer_yes`.
  void SetUp() override {
    ASSERT_TRUE(storage::StartDriverSystem(2, 160, 32));
    system_->SetStartFolder(folder_.path() + "/");
    system_->SetDefaultRetryProc([this](std::string_view, int reason) {
      questions.push_back(reason);
      return reason == 5 || reason == 6 || answer_yes;
    });
  }

  static std::unique_ptr<IFDriver> OpenTest(const std::string& name, bool shared = false,
                                            const std::string& path = "") {
    auto d = std::make_unique<IFDriver>();
    EXPECT_TRUE(OpenTestFile(*d, Params(name, shared, path)));
    return d;
  }

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
  // The same for a call that must raise EDBError.
  int Raised(const std::function<void()>& call) const {
    EXPECT_THROW(call(), storage::EDBError);
    return FirstError();
  }

  // The checker's findings on the file, closed for it (its drivers reopen it on their next use).
  std::string Check(const std::string& name = "PXLK", bool variable = false) const {
    storage::CloseAllDrivers();
    return CheckFile(folder_ / name, TestKeys, variable);
  }

  std::string Bytes(const std::string& file) const {
    return common::testing::ReadFile(folder_ / file);
  }
  // Adds `count` records numbered 1..count, calls "C" + number % 61 on band "A", each named by its
  // number in its spare field (which no key covers), then deletes number 5, so that a rebuild
  // renumbers the records.
  static void AddNamedRecords(IFDriver& d, int count) {
    for (int i = 1; i <= count; ++i) {
      d.ClearRecord();
      Rec(d).call = "C" + std::to_string(i % 61);
      Rec(d).band = "A";
      std::snprintf(Rec(d).spare, sizeof Rec(d).spare, "%d", i);
      ASSERT_TRUE(d.AddRecord());
    }
    ASSERT_TRUE(d.FindRecord(1, common::LongIntToKey(5)) && d.DeleteRecord(0));
  }
  // How often a walk along `key` delivers each named record, ending after `bound` records. It
  // begins at the first (last) record, or at the record a search for `start` finds. With
  // `reopened` the files are closed between its steps, as the open-file budget closes them.
  static std::map<int, int> WalkNamed(IFDriver& d, int key, bool backwards, int bound,
                                      const char* start = nullptr, bool reopened = false) {
    std::map<int, int> seen;
    int steps = 0;
    for (bool ok = start != nullptr ? d.SearchRecord(key, start)
                   : backwards      ? d.LastRecord(key)
                                    : d.FirstRecord(key);
         ok && ++steps <= bound; ok = backwards ? d.PrevRecord(key) : d.NextRecord(key)) {
      ++seen[std::atoi(Rec(d).spare)];
      if (reopened) storage::CloseAllDrivers();
    }
    return seen;
  }
  // Dates the files of `name` an hour back, as those of a log written long ago: a close that
  // follows a write within the file system's step of time cannot tell a later write from it.
  void WrittenLongAgo(const std::string& name) const {
    for (const char* extension : {".DAT", ".IX"}) {
      const std::filesystem::path file = folder_ / (name + extension);
      std::filesystem::last_write_time(
          file, std::filesystem::last_write_time(file) - std::chrono::hours(1));
    }
  }
  // Where the entry (text, ref) lies in the bytes of an index: its reference, then its child and
  // length and, from 9 on, its text; npos when there is none.
  static std::size_t EntryAt(const std::string& index, const std::string& text, std::int32_t ref) {
    const std::string item = static_cast<char>(text.size()) + text;
    for (auto at = index.find(item, 8); at != std::string::npos; at = index.find(item, at + 1)) {
      if (common::ReadLeInt32(index.data() + at - 8) == ref) return at - 8;
    }
    return std::string::npos;
  }

  std::vector<int> questions;  // their reasons
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
