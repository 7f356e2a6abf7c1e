// The retry loop and the retry decision: attempts, waits, when the question is asked, and what
// its answer does. Engine calls are counted and made to fail; nothing sleeps.
#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

class RetryTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    driver = OpenTest("PXLK");
    Add(*driver, "DL1ABC");  // creates the files (reason 6) and opens them
    shared = OpenTest("SHARED", true);
    ASSERT_TRUE(shared->Mark());
    questions.clear();
    sleeper_.sleeps.clear();
    random_.bounds.clear();
  }

  // Makes `op` fail with `error` for its next `times` calls; answers the calls of `call`.
  int Failing(const std::string& op, int error, int times, const std::function<void()>& call) {
    int left = times;
    engine_->inject = [&](const std::string& name) { return name == op && left-- > 0 ? error : 0; };
    const int before = engine_->calls[op];
    call();
    engine_->inject = nullptr;
    return engine_->calls[op] - before;
  }
  bool Find() { return driver->FindRecord(2, "DL1ABC"); }

  std::unique_ptr<IFDriver> driver;
  std::unique_ptr<IFDriver> shared;
};

struct CountRow {
  const char* name;
  int retries, failures;
  bool found;
  int attempts, asked;
};

class RetryCountTest : public RetryTest, public ::testing::WithParamInterface<CountRow> {};

TEST_P(RetryCountTest, AttemptsAndQuestion) {
  const CountRow& row = GetParam();
  driver->SetRetry(static_cast<std::uint16_t>(row.retries), system_->DefaultRetryProc());
  bool found = false;
  EXPECT_EQ(Failing("SearchKey", 10399, row.failures, [&] { found = Find(); }), row.attempts);
  EXPECT_EQ(found, row.found);
  EXPECT_EQ(questions, std::vector<int>(row.asked, 1));
  EXPECT_EQ(storage::DriverErrorClass(), found ? 0 : 2);
}

const CountRow kCounts[] = {
    {"Default32", 32, 1000, false, 32, 1},
    {"Count65535NeverAsks", 65535, 500, true, 501, 0},
    {"Count0AsksAtOnce", 0, 1000, false, 1, 1},
};
INSTANTIATE_TEST_SUITE_P(Counts, RetryCountTest, ::testing::ValuesIn(kCounts), RowName);

TEST_F(RetryTest, WaitsAreLongWhileHalfTheRetriesRemainThenShortButNeverZero) {
  Failing("SearchKey", 10399, 1000, [&] { Find(); });
  ASSERT_EQ(sleeper_.sleeps.size(), 32u);
  // Random answers 0 here: the waits are the upper bounds 3b and b with b = 30.
  for (int i = 0; i < 32; ++i) EXPECT_EQ(sleeper_.sleeps[i], i < 16 ? 90u : 30u) << i;
  ASSERT_EQ(random_.bounds.size(), 32u);
  EXPECT_EQ(random_.bounds[15], 90u);
  EXPECT_EQ(random_.bounds[16], 30u);
  random_.high = true;  // Random answers bound - 1: the shortest waits
  storage::SetEngineRetryPauseBase(6);
  sleeper_.sleeps.clear();
  random_.bounds.clear();
  Failing("SearchKey", 10399, 1000, [&] { Find(); });
  for (auto ms : sleeper_.sleeps) EXPECT_EQ(ms, 1u);
  EXPECT_EQ(random_.bounds.front(), 18u);
  EXPECT_EQ(random_.bounds.back(), 6u);
}

TEST_F(RetryTest, LockAndOpenTry4TimesAndYesStartsAFullRound) {
  std::vector<int> reasons;
  shared->SetRetry(32, [&](std::string_view name, int reason) {
    EXPECT_EQ(name, "SHARED");
    reasons.push_back(reason);
    return reasons.size() == 1;
  });
  EXPECT_EQ(Failing("LockFile", 10330, 1000, [&] { EXPECT_FALSE(shared->LockFile()); }), 4 + 32);
  EXPECT_EQ(reasons, (std::vector<int>{3, 3}));
  int asked = 0;
  driver->SetRetry(32, [&](std::string_view, int) { return ++asked == 1; });
  EXPECT_EQ(Failing("SearchKey", 10399, 1000, [&] { EXPECT_FALSE(Find()); }), 64);
  EXPECT_EQ(asked, 2);
  auto other = OpenTest("PXLK2", false, "PXLK");
  EXPECT_EQ(Failing("Open", 10355, 1000, [&] { EXPECT_FALSE(other->Mark()); }), 4);
  EXPECT_EQ(storage::DriverErrorClass(), 2);
}

struct UnderLockRow {
  const char* name;
  int error, attempts, reason;  // reason 0: not asked
};

class UnderALockTest : public RetryTest, public ::testing::WithParamInterface<UnderLockRow> {};

TEST_P(UnderALockTest, AskedOnlyForDriveAndPathTrouble) {
  const UnderLockRow& row = GetParam();
  ASSERT_TRUE(shared->LockFile());
  EXPECT_EQ(Failing("SearchKey", row.error, 1000, [&] { EXPECT_FALSE(Find()); }), row.attempts);
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(questions, std::vector<int>(row.reason ? 1 : 0, row.reason));
}

const UnderLockRow kUnderLock[] = {
    {"LockConflictNotAsked", 10399, 32, 0},
    {"DriveNotReady", 10110, 1, 7},
    {"PathNotFound", 9900, 1, 8},
};
INSTANTIATE_TEST_SUITE_P(Reasons, UnderALockTest, ::testing::ValuesIn(kUnderLock), RowName);

TEST_F(RetryTest, ACallbackThatCallsTheDriverIsRefusedAndLeavesTheCallIntact) {
  bool nested_ok = true;
  int nested_class = -1;
  driver->SetRetry(1, [&](std::string_view, int) {
    driver->LastRecord(1);
    nested_ok = driver->FirstRecord(1);
    nested_class = storage::DriverErrorClass();
    return false;
  });
  Failing("SearchKey", 10399, 1000, [&] { EXPECT_FALSE(Find()); });
  EXPECT_FALSE(nested_ok);
  EXPECT_EQ(nested_class, 1);  // 28770
  // The outer call still reports its own lock conflict.
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(engine_->Error(), 10399);
  EXPECT_EQ(system_->Stack().GetEntry(1).error_number, 10399);
  EXPECT_FALSE(storage::DriverCallActive());
}

}  // namespace
}  // namespace storage_test
