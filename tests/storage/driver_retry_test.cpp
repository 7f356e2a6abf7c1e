// The retry loop and the retry decision: attempts, waits, when the question is asked, and what
// its answer does. Engine calls are counted and made to fail; nothing sleeps.
#include "driver_fixture.h"

namespace storage_test {
namespace {

using storage::IFDriver;

class RetryTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    driver = OpenTest("PXLK");
    Add(*driver, "DL1ABC");  // creates the files (reason 6) and opens them
    questions.clear();
    sleeper_.sleeps.clear();
  }

  // Makes `op` fail with `error` for the next `times` calls.
  void Fail(const std::string& op, int error, int times) {
    failing = times;
    engine_->inject = [this, op, error](const std::string& name) {
      if (name != op || failing <= 0) return 0;
      --failing;
      return error;
    };
  }
  int Calls(const std::string& op) { return engine_->calls[op]; }

  std::unique_ptr<IFDriver> driver;
  int failing = 0;
};

TEST_F(RetryTest, RecordOperationTries32TimesThenAsksReason1) {
  Fail("SearchKey", 10399, 1000);
  const int before = Calls("SearchKey");
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_EQ(Calls("SearchKey") - before, 32);
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].name, "PXLK");
  EXPECT_EQ(questions[0].reason, 1);
}

TEST_F(RetryTest, FileLockTries4TimesThenAsksReason3) {
  Fail("LockFile", 10330, 1000);
  auto shared = OpenTest("SHARED", true);
  EXPECT_TRUE(shared->Mark());  // opens the files
  questions.clear();
  const int before = Calls("LockFile");
  EXPECT_FALSE(shared->LockFile());
  EXPECT_EQ(Calls("LockFile") - before, 4);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, 3);
}

TEST_F(RetryTest, OpeningTheFilesTries4Times) {
  auto other = OpenTest("OTHER");
  EXPECT_TRUE(other->Mark());  // creates the files
  other->Destroy();
  other = OpenTest("OTHER");
  Fail("Open", 10355, 1000);
  const int before = Calls("Open");
  EXPECT_FALSE(other->Mark());
  EXPECT_EQ(Calls("Open") - before, 4);
  EXPECT_EQ(storage::DriverErrorClass(), 2);
}

TEST_F(RetryTest, RetryCount65535RetriesWithoutAsking) {
  driver->SetRetry(65535, system_->DefaultRetryProc());
  Fail("SearchKey", 10399, 500);
  const int before = Calls("SearchKey");
  EXPECT_TRUE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_EQ(Calls("SearchKey") - before, 501);
  EXPECT_TRUE(questions.empty());
}

TEST_F(RetryTest, RetryCount0AsksAfterTheFirstFailure) {
  driver->SetRetry(0, system_->DefaultRetryProc());
  Fail("SearchKey", 10399, 1000);
  const int before = Calls("SearchKey");
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_EQ(Calls("SearchKey") - before, 1);
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_TRUE(sleeper_.sleeps.empty());
}

TEST_F(RetryTest, WaitsAreLongWhileHalfTheRetriesRemainThenShort) {
  Fail("SearchKey", 10399, 1000);
  driver->FindRecord(2, "DL1ABC");
  ASSERT_EQ(sleeper_.sleeps.size(), 32u);
  // Random answers 0 here: the waits are the upper bounds 3b and b with b = 30.
  for (int i = 0; i < 32; ++i) EXPECT_EQ(sleeper_.sleeps[i], i < 16 ? 90u : 30u) << i;
  ASSERT_EQ(random_.bounds.size(), 32u);
  EXPECT_EQ(random_.bounds[15], 90u);
  EXPECT_EQ(random_.bounds[16], 30u);
}

TEST_F(RetryTest, WaitsNeverDropToZeroAndFollowTheBaseWait) {
  random_.high = true;  // Random answers bound - 1: the shortest waits
  storage::SetEngineRetryPauseBase(6);
  Fail("SearchKey", 10399, 1000);
  driver->FindRecord(2, "DL1ABC");
  for (auto ms : sleeper_.sleeps) EXPECT_EQ(ms, 1u);
  EXPECT_EQ(random_.bounds.front(), 18u);
  EXPECT_EQ(random_.bounds.back(), 6u);
}

TEST_F(RetryTest, NoQuestionWhileThisProgramHoldsALock) {
  auto shared = OpenTest("SHARED", true);
  ASSERT_TRUE(shared->LockFile());
  questions.clear();
  Fail("SearchKey", 10399, 1000);
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(storage::DriverErrorClass(), 2);
}

struct AskRow {
  const char* name;
  int error;
  int reason;
};

class AskedEvenUnderLockTest : public RetryTest, public ::testing::WithParamInterface<AskRow> {};

TEST_P(AskedEvenUnderLockTest, AskedAtOnce) {
  auto shared = OpenTest("SHARED", true);
  ASSERT_TRUE(shared->LockFile());
  questions.clear();
  Fail("SearchKey", GetParam().error, 1000);
  const int before = Calls("SearchKey");
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_EQ(Calls("SearchKey") - before, 1);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Reasons, AskedEvenUnderLockTest,
                         ::testing::Values(AskRow{"DriveNotReady", 10110, 7},
                                           AskRow{"PathNotFound", 9900, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RetryTest, YesStartsAFullNewRound) {
  int asked = 0;
  driver->SetRetry(32, [&](std::string_view, int) { return ++asked == 1; });
  Fail("SearchKey", 10399, 1000);
  const int before = Calls("SearchKey");
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Calls("SearchKey") - before, 64);
}

TEST_F(RetryTest, LockYesRoundIsFull) {
  auto shared = OpenTest("SHARED", true);
  ASSERT_TRUE(shared->Mark());
  int asked = 0;
  shared->SetRetry(32, [&](std::string_view, int) { return ++asked == 1; });
  Fail("LockFile", 10330, 1000);
  const int before = Calls("LockFile");
  EXPECT_FALSE(shared->LockFile());
  EXPECT_EQ(Calls("LockFile") - before, 4 + 32);
}

TEST_F(RetryTest, OtherErrorsAreNotRetried) {
  Fail("SearchKey", 10070, 1);
  const int before = Calls("SearchKey");
  EXPECT_THROW(driver->FindRecord(2, "DL1ABC"), storage::EDBError);
  EXPECT_EQ(Calls("SearchKey") - before, 1);
  EXPECT_TRUE(sleeper_.sleeps.empty());
  // The serious error did not leave the driver marked busy.
  EXPECT_FALSE(storage::DriverCallActive());
  EXPECT_TRUE(driver->FindRecord(2, "DL1ABC"));
}

TEST_F(RetryTest, ACallbackThatCallsTheDriverIsRefusedAndLeavesTheCallIntact) {
  bool nested_ok = true;
  int nested_class = -1;
  driver->SetRetry(1, [&](std::string_view, int) {
    driver->LastRecord(1);
    nested_ok = driver->FirstRecord(1);
    nested_class = storage::DriverErrorClass();
    return false;
  });
  Fail("SearchKey", 10399, 1000);
  EXPECT_FALSE(driver->FindRecord(2, "DL1ABC"));
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
