// The lock protocol between two users, played by two handles of one fileblock in this process:
// what changes need, how long locks wait, the record-lock list, and the slot bits a release
// leaves for the others.

#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "storage/dialog_file.h"
#include "storage/fileblock.h"
#include "storage/lock_table.h"
#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

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

struct ChangeCase {
  const char* name;
  const char* held;  // the lock user A holds (Act), if any
  int expected;      // of every change that does not waive the lock
};

class ChangesNeedTheWriteLock : public NetworkLockTest,
                                public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangesNeedTheWriteLock, OnASharedFileblock) {
  const RecRef ref = AddFirst("FIRST");
  ASSERT_ISAM(Act(a_, GetParam().held), 0);
  const int want = GetParam().expected;
  const auto record = PeerRecord("SECOND");
  EXPECT_ISAM(FileblockAddRecord(a_, record.data()), want);
  EXPECT_ISAM(FileblockAddKey(a_, 1, ref, KeyStr("OTHER")), want);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data()), want);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data(), true), 0);  // the caller waives the lock
  EXPECT_ISAM(FileblockDeleteRecord(a_, ref), want);
}

INSTANTIATE_TEST_SUITE_P(Locks, ChangesNeedTheWriteLock,
                         ::testing::Values(ChangeCase{"NoLock", "", kIsamNoLockHeld},
                                           ChangeCase{"ReadLock", "read", kIsamNoLockHeld},
                                           ChangeCase{"RecordLock", "record", kIsamNoLockHeld},
                                           ChangeCase{"WriteLock", "write", 0}),
                         RowName());

struct WaitCase {
  const char* name;
  const char* first;   // what user A holds (Act)
  const char* second;  // what user B tries
  int expected;
  std::size_t sleeps;  // waits of 64 ms before B gives up (or 0 when granted at once)
};

class LockWaits : public NetworkLockTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(LockWaits, FollowStepAndLimit) {
  AddFirst("ONE");
  platform::FakeSleeper sleeper;
  platform::ScopedEnvironment env(nullptr, &sleeper, nullptr);
  ASSERT_ISAM(Act(a_, GetParam().first), 0);
  EXPECT_ISAM(Act(b_, GetParam().second), GetParam().expected);
  EXPECT_EQ(sleeper.sleeps, std::vector<std::uint32_t>(GetParam().sleeps, kLockStep));
  EXPECT_TRUE(GetParam().expected == 0 || !(FileblockReadLocked(b_) || FileblockWriteLocked(b_)));
}

// 3072 ms in steps of 64: 48 attempts, 47 waits; 768 ms: 12 attempts, 11 waits.
INSTANTIATE_TEST_SUITE_P(
    Locks, LockWaits,
    ::testing::Values(WaitCase{"WriterWaitsForReader", "read", "write", kIsamWriteLockRefused, 47},
                      WaitCase{"TemporaryReadLockWaitsForWriter", "write", "count",
                               kIsamTempReadLockRefused, 11},
                      WaitCase{"ReadersShare", "read", "read", 0, 0},
                      WaitCase{"RecordLockIgnoresWriteLock", "write", "record", 0, 0}),
    RowName());

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
  EXPECT_ISAM(FileblockUnlockRecord(a_, 7),
              kIsamNoMemoryLockList);  // the driver's "nothing to unlock"
  FileblockUnlockAllRecords(a_);
  EXPECT_FALSE(FileblockAnyRecordLocked(a_));
  EXPECT_ISAM(FileblockLockRecord(b_, 9), 0);
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
  EXPECT_EQ(dialog[kSlotAreaStart + b->net->own_slot], 0xFF);
  EXPECT_EQ(dialog[kSlotAreaStart + a->net->own_slot], 0x00);
}

// A network redirector may answer a flush with "too many open files": the file is reopened,
// which writes its data, unless the caller wants to know or the handle holds locks.
struct FlushCase {
  const char* name;
  bool report;
  bool record_locked;
  int failing_flush;  // 1 the index file, 2 the data file (which carries the record locks)
  int expected;
};

class SharedFlush : public NetworkLockTest, public ::testing::WithParamInterface<FlushCase> {};

TEST_P(SharedFlush, FailingWithTooManyOpenFiles) {
  FileblockLockFile(a_);
  Add(a_, "FLUSHED");
  if (GetParam().record_locked) FileblockLockRecord(a_, 1);
  const auto fail_at = static_cast<std::uint64_t>(GetParam().failing_flush);
  platform::FileFaultPlan plan{
      .write = {},
      .flush = {.fail_at = fail_at, .error = platform::kErrorTooManyOpenFiles},
      .lock = {}};
  {
    platform::ScopedFileFaults faults(&plan);
    EXPECT_ISAM(FileblockFlush(a_, GetParam().report), GetParam().expected);
  }
  EXPECT_EQ(FileblockUsedRecs(a_), 1);  // the fileblock goes on working
  FileblockUnlockFile(a_);
  EXPECT_ISAM(FileblockUnlockAllRecords(a_), 0);
  Bytes record(kPeerRecordLength);
  FileblockGetRecord(b_, 1, record.data());
  EXPECT_EQ(PeerText(record.data()), "FLUSHED");
}

INSTANTIATE_TEST_SUITE_P(
    Flush, SharedFlush,
    ::testing::Values(FlushCase{"IndexReopened", false, false, 1, 0},
                      FlushCase{"DataReopened", false, false, 2, 0},
                      FlushCase{"Reported", true, false, 1, kIsamSharedFlushFailed},
                      FlushCase{"HandleHoldsLocks", false, true, 2, kIsamSharedFlushFailed}),
    RowName());

}  // namespace
}  // namespace storage::testing
