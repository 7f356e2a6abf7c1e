// The lock table, lock waits, and the lock protocol of two handles (two users) in one process.

#include <optional>

#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_file.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/lock_table.h"
#include "tests/storage/isam/network_fixture.h"

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
  platform::FileFaultPlan first_lock_fails_{
      {}, {}, {.fail_at = 1, .error = kErrorLockViolation}, {}};
};

TEST_F(LockTableTest, NestsRefusesReleasesAndStopsAtItsLimit) {
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
  ASSERT_EQ(b_.UnlockRegion(100, 4), 0u);
  // Refusals: a second system lock would fail, so the table must not call it.
  ASSERT_TRUE(table_.LockRegion(a_, 100, 4, 0, 0));
  WithFaults(first_lock_fails_, [&] {
    EXPECT_EQ(Refused(table_.LockRegion(a_, 100, 8, 0, 0)), LockStatus::kLengthDiffers);
    EXPECT_EQ(first_lock_fails_.lock.calls, 0u);
  });
  EXPECT_EQ(Refused(table_.UnlockRegion(a_, 100, 8)), LockStatus::kLengthDiffers);
  EXPECT_EQ(Refused(table_.UnlockRegion(a_, 104, 4)), LockStatus::kNotFound);
  EXPECT_EQ(Refused(table_.UnlockRegion(b_, 100, 4)), LockStatus::kNotFound);
  EXPECT_EQ(Refused(table_.LockRegion(b_, 102, 1, 0, 0)), LockStatus::kLockRefused);
  EXPECT_EQ(table_.Nesting(b_, 102), 0u);
  // ReleaseAll frees every region of the handle; the table stops at 4000.
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(table_.LockRegion(a_, i * 10, 4, 0, 0));
  ASSERT_TRUE(table_.LockRegion(b_, 5000, 4, 0, 0));
  EXPECT_TRUE(table_.ReleaseAll(a_));
  EXPECT_EQ(table_.HandleCount(), 1u);
  for (int i = 0; i < 120; ++i) EXPECT_EQ(b_.LockRegion(i * 10, 4), 0u);
  for (int i = 0; i < 4000; ++i) ASSERT_TRUE(table_.LockRegion(a_, 9000 + i, 1, 0, 0)) << i;
  EXPECT_EQ(Refused(table_.LockRegion(a_, 20000, 1, 0, 0)), LockStatus::kTableLimit);
}

TEST_F(LockTableTest, RetryWaitsInStepsUpToTheLimitAndKeepsTheFailureWords) {
  platform::FakeSleeper sleeper;
  platform::ScopedEnvironment env(nullptr, &sleeper, nullptr);
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
  WithFaults(first_lock_fails_, [&] {
    EXPECT_TRUE(LockRegionRetry(a_, 0, 4, kLockStep, kLockLimit));
    EXPECT_EQ(sleeper.sleeps.size(), 1u);
  });

  // The first failure stands until the reset; the last one is always the latest.
  IsamReset();
  RecordOsFailure(kPrimRead, 6);
  RecordOsFailure(kPrimWrite, 112);
  EXPECT_EQ(std::tuple(Isam().FirstPrimitive, Isam().LastPrimitive, Isam().LastOsError, Err()),
            std::tuple(kPrimRead, kPrimWrite, 112u, kIsamInvalidHandle));
  IsamReset();
  EXPECT_EQ(std::tuple(Isam().FirstPrimitive, Isam().LastPrimitive), std::tuple(0, kPrimWrite));
}

// Runs a named call: "write" and "read" (the file locks), "record" (a lock of record 1), "count".
void Act(FileblockHandle h, std::string_view what) {
  if (what == "write") FileblockLockFile(h);
  if (what == "read") FileblockReadLock(h);
  if (what == "record") FileblockLockRecord(h, 1);
  if (what == "count") FileblockUsedRecs(h);
}

class NetworkLockTest : public NetworkTest {
 protected:
  void SetUp() override {
    CreateFile();
    a_ = Open();
    b_ = Open();
    ASSERT_TRUE(a_ != nullptr && b_ != nullptr);
  }
  // A's first record, added and released.
  RecRef AddFirst(const std::string& text) {
    FileblockLockFile(a_);
    const RecRef ref = Add(a_, text);
    FileblockUnlockFile(a_);
    return ref;
  }
  FileblockHandle a_ = nullptr;
  FileblockHandle b_ = nullptr;
};

// User A holds a lock, B tries one; then A changes record 1 (the lock B took is given back).
struct LockCase {
  const char* name;
  const char* held;    // what user A holds (Act)
  const char* tried;   // what user B tries
  int expected;        // of B's try
  std::size_t sleeps;  // waits of 64 ms before B gives up
  int change;          // of every change of A that does not waive the lock
};

class Locks : public NetworkLockTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(Locks, WaitAndGuardTheChanges) {
  const LockCase& c = GetParam();
  const RecRef ref = AddFirst("FIRST");
  platform::FakeSleeper sleeper;
  platform::ScopedEnvironment env(nullptr, &sleeper, nullptr);
  ASSERT_ISAM(Act(a_, c.held), 0);
  EXPECT_ISAM(Act(b_, c.tried), c.expected);
  EXPECT_EQ(sleeper.sleeps, std::vector<std::uint32_t>(c.sleeps, kLockStep));
  EXPECT_TRUE(c.expected == 0 || !(FileblockReadLocked(b_) || FileblockWriteLocked(b_)));
  FileblockUnlockAllRecords(b_);
  FileblockUnlockFile(b_);
  const auto record = PeerRecord("SECOND");
  EXPECT_ISAM(FileblockAddRecord(a_, record.data()), c.change);
  EXPECT_ISAM(FileblockAddKey(a_, 1, ref, KeyStr("OTHER")), c.change);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data()), c.change);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data(), true), 0);  // the caller waives the lock
  EXPECT_ISAM(FileblockDeleteRecord(a_, ref), c.change);
}

// 3072 ms in steps of 64: 48 attempts, 47 waits; 768 ms: 12 attempts, 11 waits.
const LockCase kLocks[] = {
    {"NoLock", "", "write", 0, 0, kIsamNoLockHeld},
    {"WriterWaitsForReader", "read", "write", kIsamWriteLockRefused, 47, kIsamNoLockHeld},
    {"TemporaryReadLockWaitsForWriter", "write", "count", kIsamTempReadLockRefused, 11, 0},
    {"ReadersShare", "read", "read", 0, 0, kIsamNoLockHeld},
    {"RecordLockIgnoresWriteLock", "write", "record", 0, 0, 0},
    {"RecordLockIsNoWriteLock", "record", "", 0, 0, kIsamNoLockHeld}};
INSTANTIATE_TEST_SUITE_P(Rows, Locks, ::testing::ValuesIn(kLocks), RowName);

TEST_F(NetworkLockTest, TakingOneFileLockDropsTheOtherAndCloseReleasesEverything) {
  FileblockReadLock(a_);
  FileblockLockFile(a_);
  EXPECT_TRUE(FileblockWriteLocked(a_) && !FileblockReadLocked(a_));
  Add(a_, "KEPT");
  FileblockReadLock(a_);  // writes the change back first
  EXPECT_TRUE(FileblockReadLocked(a_) && !FileblockWriteLocked(a_));
  EXPECT_EQ(FileblockUsedRecs(b_), 1);  // readers share
  FileblockLockRecord(a_, 3);
  FileblockLockFile(a_);
  Add(a_, "WRITTEN");
  EXPECT_ISAM(FileblockClose(a_), 0);
  EXPECT_ISAM(FileblockLockRecord(b_, 3), 0);
  EXPECT_ISAM(FileblockLockFile(b_), 0);
  EXPECT_EQ(FileblockUsedKeys(b_, 1), 2);
}

TEST_F(NetworkLockTest, RecordLockListHoldsEachRecordOnce) {
  FileblockLockRecord(a_, 7);
  FileblockLockRecord(a_, 7);
  FileblockLockRecord(a_, 9);
  EXPECT_TRUE(FileblockRecordLocked(a_, 7) && FileblockAnyRecordLocked(a_));
  FileblockUnlockRecord(a_, 7);  // one unlock releases the record
  EXPECT_ISAM(FileblockLockRecord(b_, 7), 0);
  // The driver's "nothing to unlock":
  EXPECT_ISAM(FileblockUnlockRecord(a_, 7), kIsamRecordNotLocked);
  FileblockUnlockAllRecords(a_);
  EXPECT_FALSE(FileblockAnyRecordLocked(a_));
  EXPECT_ISAM(FileblockLockRecord(b_, 9), 0);
}

// A user learns of another's change at its next lock, once; its own changes are no news to it.
TEST_F(NetworkLockTest, ALockCountsTheChangesOfAnotherUser) {
  FileblockUsedRecs(a_);  // the fresh dialog file's news
  FileblockUsedRecs(b_);
  const std::uint64_t a = FileblockForeignChanges(a_);
  const std::uint64_t b = FileblockForeignChanges(b_);
  AddFirst("FIRST");
  EXPECT_EQ(FileblockForeignChanges(b_), b);
  EXPECT_EQ(FileblockUsedRecs(b_), 1);
  EXPECT_EQ(FileblockForeignChanges(b_), b + 1);
  FileblockUsedRecs(b_);
  EXPECT_EQ(FileblockForeignChanges(b_), b + 1);
  FileblockUsedRecs(a_);
  EXPECT_EQ(FileblockForeignChanges(a_), a);
}

// Another user's change since a user's last lock waits for that user's next lock, which a close
// does not take: the close asks. A writer at work cannot be told from one. A user that opens anew
// read at its open what other users changed before it: its first lock counts none of that.
TEST_F(NetworkLockTest, ChangesSinceTheLastLockAreToldBeforeACloseAndNoneBeforeAnOpening) {
  FileblockUsedRecs(a_);  // the fresh dialog file's news
  FileblockUsedRecs(b_);
  EXPECT_FALSE(FileblockChangedSinceLock(b_));
  AddFirst("FIRST");
  EXPECT_TRUE(FileblockChangedSinceLock(b_));
  EXPECT_FALSE(FileblockChangedSinceLock(a_));
  FileblockUsedRecs(b_);
  EXPECT_FALSE(FileblockChangedSinceLock(b_));
  FileblockLockFile(a_);
  EXPECT_TRUE(FileblockChangedSinceLock(b_));
  FileblockUnlockFile(a_);
  EXPECT_FALSE(FileblockChangedSinceLock(b_));
  FileblockClose(b_);
  AddFirst("SECOND");  // marks every slot but A's, B's former one among them
  b_ = Open();
  EXPECT_EQ(FileblockUsedRecs(b_), 2);
  EXPECT_EQ(FileblockForeignChanges(b_), 0u);
}

TEST_F(NetworkLockTest, ReleaseWithoutChangesWritesNothing) {
  FileblockLockFile(a_);  // the first lock reads the fresh dialog file's news
  FileblockUnlockFile(a_);
  const Bytes before = Dialog();
  platform::FileFaultPlan counter;  // counts writes, fails none
  platform::ScopedFileFaults faults(&counter);
  FileblockLockFile(a_);
  EXPECT_EQ(FileblockUsedRecs(a_), 0);
  EXPECT_ISAM(FileblockUnlockFile(a_), 0);
  EXPECT_EQ(counter.write.calls, 0u);
  EXPECT_EQ(Dialog(), before);
}

TEST_F(NetworkTest, JournalledReleaseMarksEveryHeaderForTheOthers) {
  CreateFile();
  FileblockHandle a = Open("shared journal");
  FileblockHandle b = Open();
  FileblockLockFile(b);  // B clears its slot
  FileblockUnlockFile(b);
  FileblockLockFile(a);
  EXPECT_EQ(Dialog().size(), 1u);  // the journal starts empty: the slot area is gone
  FileblockUnlockFile(a);
  const Bytes dialog = Dialog();
  ASSERT_EQ(dialog.size(), static_cast<std::size_t>(kSlotAreaStart + 6));
  EXPECT_EQ(dialog[kSlotAreaStart + b.block->net->own_slot], 0xFF);
  EXPECT_EQ(dialog[kSlotAreaStart + a.block->net->own_slot], 0x00);
}

// A redirector's "too many open files" on flush: reopened unless reported or locks are held.
struct FlushCase {
  const char* name;
  bool report, record_locked;
  std::uint64_t failing_flush;  // 1 the index file, 2 the data file (it has the record locks)
  int expected;
};

class SharedFlush : public NetworkLockTest, public ::testing::WithParamInterface<FlushCase> {};

TEST_P(SharedFlush, FailingWithTooManyOpenFiles) {
  FileblockLockFile(a_);
  Add(a_, "FLUSHED");
  if (GetParam().record_locked) FileblockLockRecord(a_, 1);
  platform::FileFaultPlan plan{
      {}, {.fail_at = GetParam().failing_flush, .error = platform::kErrorTooManyOpenFiles}, {}, {}};
  WithFaults(plan,
             [&] { EXPECT_ISAM(FileblockFlush(a_, GetParam().report), GetParam().expected); });
  EXPECT_EQ(FileblockUsedRecs(a_), 1);  // the fileblock goes on working
  FileblockUnlockFile(a_);
  EXPECT_ISAM(FileblockUnlockAllRecords(a_), 0);
  Bytes record(kPeerRecordLength);
  FileblockGetRecord(b_, 1, record.data());
  EXPECT_EQ(PeerText(record.data()), "FLUSHED");
}

const FlushCase kFlushes[] = {{"IndexReopened", false, false, 1, 0},
                              {"DataReopened", false, false, 2, 0},
                              {"Reported", true, false, 1, kIsamSharedFlushFailed},
                              {"HandleHoldsLocks", false, true, 2, kIsamSharedFlushFailed}};
INSTANTIATE_TEST_SUITE_P(Flush, SharedFlush, ::testing::ValuesIn(kFlushes), RowName);

}  // namespace
}  // namespace storage::testing
