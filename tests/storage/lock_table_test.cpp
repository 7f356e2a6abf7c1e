// The lock table (nesting, statuses, limits), LockRegionRetry with a fake sleeper, and the
// failure words of the engine's file primitives.

#include "storage/lock_table.h"

#include <optional>

#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "storage/engine_file.h"
#include "tests/storage/engine_fixture.h"

namespace storage::testing {
namespace {

using platform::kErrorLockViolation;

class LockTableTest : public EngineTest {
 protected:
  void SetUp() override {
    for (auto [file, create] : {std::pair{&a_, platform::FileCreate::kCreateAlways},
                                {&b_, platform::FileCreate::kOpenExisting}}) {
      ASSERT_EQ(file->Open(Name("L"), platform::FileAccess::kReadWrite,
                           platform::FileShare::kReadWrite, create),
                0u);
    }
  }
  // The table's status after a refused call; none when the call succeeded.
  std::optional<LockStatus> Refused(bool done) {
    return done ? std::nullopt : std::optional(table_.Status());
  }
  platform::File a_;
  platform::File b_;
  LockTable table_{LockRoutinesForMode(kNetworkShared)};
};

TEST_F(LockTableTest, NestedLocksCostOneSystemLockAndSingleUserLocksNone) {
  ASSERT_TRUE(table_.LockRegion(a_, 100, 4, 0, 0));
  ASSERT_TRUE(table_.LockRegion(a_, 100, 4, 0, 0));
  EXPECT_EQ(table_.Nesting(a_, 100), 2u);
  EXPECT_EQ(b_.LockRegion(100, 4), kErrorLockViolation);
  ASSERT_TRUE(table_.UnlockRegion(a_, 100, 4));
  EXPECT_EQ(b_.LockRegion(100, 4), kErrorLockViolation);  // still held once
  ASSERT_TRUE(table_.UnlockRegion(a_, 100, 4));
  EXPECT_EQ(table_.Nesting(a_, 100), 0u);
  EXPECT_EQ(table_.HandleCount(), 0u);
  LockTable single(LockRoutinesForMode(kNetworkSingleUser));
  EXPECT_TRUE(single.LockRegion(a_, 100, 4, kLockStep, kLockLimit));
  EXPECT_EQ(b_.LockRegion(100, 4), 0u);
}

TEST_F(LockTableTest, StatusesOfRefusals) {
  ASSERT_TRUE(table_.LockRegion(a_, 100, 4, 0, 0));
  // A second system lock would fail: the table must not call it.
  platform::FileFaultPlan plan{
      .write = {}, .flush = {}, .lock = {.fail_at = 1, .error = kErrorLockViolation}};
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_EQ(Refused(table_.LockRegion(a_, 100, 8, 0, 0)), LockStatus::kLengthDiffers);
    EXPECT_EQ(plan.lock.calls, 0u);
  }
  EXPECT_EQ(Refused(table_.UnlockRegion(a_, 100, 8)), LockStatus::kLengthDiffers);
  EXPECT_EQ(Refused(table_.UnlockRegion(a_, 104, 4)), LockStatus::kNotFound);
  EXPECT_EQ(Refused(table_.UnlockRegion(b_, 100, 4)), LockStatus::kNotFound);
  EXPECT_EQ(Refused(table_.LockRegion(b_, 102, 1, 0, 0)), LockStatus::kLockRefused);
  EXPECT_EQ(table_.Nesting(b_, 102), 0u);
}

TEST_F(LockTableTest, ReleaseAllFreesEveryRegionOfTheHandleAndTheTableStopsAt4000) {
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(table_.LockRegion(a_, i * 10, 4, 0, 0));
  ASSERT_TRUE(table_.LockRegion(b_, 5000, 4, 0, 0));
  EXPECT_TRUE(table_.ReleaseAll(a_));
  EXPECT_EQ(table_.HandleCount(), 1u);
  for (int i = 0; i < 120; ++i) EXPECT_EQ(b_.LockRegion(i * 10, 4), 0u);
  for (int i = 0; i < 4000; ++i) ASSERT_TRUE(table_.LockRegion(a_, 9000 + i, 1, 0, 0)) << i;
  EXPECT_EQ(Refused(table_.LockRegion(a_, 20000, 1, 0, 0)), LockStatus::kTableLimit);
}

TEST_F(LockTableTest, RetryWaitsInStepsUpToTheLimitAndKeepsTheFailureWords) {
  platform::FakeClock clock;
  platform::FakeSleeper sleeper(&clock);
  platform::ScopedEnvironment env(&clock, &sleeper, nullptr);
  ASSERT_EQ(b_.LockRegion(0, 4), 0u);
  EXPECT_FALSE(LockRegionRetry(a_, 0, 4, kLockStep, kLockLimit));
  // 12 attempts: 11 waits of 64 ms, none after the last.
  EXPECT_EQ(sleeper.sleeps, std::vector<std::uint32_t>(11, 64));
  EXPECT_EQ(Isam().LastPrimitive, kPrimLock);
  EXPECT_EQ(Isam().LastOsError, kErrorLockViolation);
  EXPECT_TRUE(Isam().IsamOK);  // the caller decides the engine error
  sleeper.sleeps.clear();
  EXPECT_FALSE(LockRegionRetry(a_, 0, 4, 0, kLockLimit));
  EXPECT_TRUE(sleeper.sleeps.empty());  // step 0: one attempt

  // Granted on a later attempt once the other handle lets go (a fault stands in for it).
  ASSERT_EQ(b_.UnlockRegion(0, 4), 0u);
  platform::FileFaultPlan plan{
      .write = {}, .flush = {}, .lock = {.fail_at = 1, .error = kErrorLockViolation}};
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_TRUE(LockRegionRetry(a_, 0, 4, kLockStep, kLockLimit));
    EXPECT_EQ(sleeper.sleeps.size(), 1u);
  }

  // The first failure stands until the reset; the last one is always the latest.
  IsamReset();
  RecordOsFailure(kPrimRead, 6);
  RecordOsFailure(kPrimWrite, 112);
  EXPECT_EQ(Isam().FirstPrimitive, kPrimRead);
  EXPECT_EQ(Isam().LastPrimitive, kPrimWrite);
  EXPECT_EQ(Isam().LastOsError, 112u);
  EXPECT_EQ(Err(), kIsamInvalidHandle);
  IsamReset();
  EXPECT_EQ(Isam().FirstPrimitive, 0);
  EXPECT_EQ(Isam().LastPrimitive, kPrimWrite);
}

}  // namespace
}  // namespace storage::testing
