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

class NetworkLockTest : public NetworkTest {
 protected:
  void SetUp() override {
    CreateFile();
    a_ = Open();
    b_ = Open();
    ASSERT_TRUE(a_ != nullptr && b_ != nullptr);
  }
  FileblockHandle a_ = nullptr;
  FileblockHandle b_ = nullptr;
};

using Action = void (*)(FileblockHandle);
void WriteLock(FileblockHandle h) { FileblockLockFile(h); }
void ReadLock(FileblockHandle h) { FileblockReadLock(h); }
void LockFirst(FileblockHandle h) { FileblockLockRecord(h, 1); }
void Count(FileblockHandle h) { FileblockUsedRecs(h); }

struct ChangeCase {
  const char* name;
  Action held;   // the lock user A holds, if any
  int expected;  // of every change that does not waive the lock
};

class ChangesNeedTheWriteLock : public NetworkLockTest,
                                public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangesNeedTheWriteLock, OnASharedFileblock) {
  FileblockLockFile(a_);
  const RecRef ref = Add(a_, "FIRST");
  FileblockUnlockFile(a_);
  if (GetParam().held != nullptr) GetParam().held(a_);
  ASSERT_EQ(Err(), 0);
  const int want = GetParam().expected;
  const auto record = PeerRecord("SECOND");
  EXPECT_ISAM(FileblockAddRecord(a_, record.data()), want);
  EXPECT_ISAM(FileblockAddKey(a_, 1, ref, KeyStr("OTHER")), want);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data()), want);
  EXPECT_ISAM(FileblockPutRecord(a_, ref, record.data(), true), 0);  // the caller waives the lock
  EXPECT_ISAM(FileblockDeleteRecord(a_, ref), want);
}

INSTANTIATE_TEST_SUITE_P(Locks, ChangesNeedTheWriteLock,
                         ::testing::Values(ChangeCase{"NoLock", nullptr, kIsamNoLockHeld},
                                           ChangeCase{"ReadLock", ReadLock, kIsamNoLockHeld},
                                           ChangeCase{"RecordLock", LockFirst, kIsamNoLockHeld},
                                           ChangeCase{"WriteLock", WriteLock, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WaitCase {
  const char* name;
  Action first;   // what user A holds
  Action second;  // what user B tries
  int expected;
  std::size_t sleeps;  // waits of 64 ms before B gives up (or 0 when granted at once)
};

class LockWaits : public NetworkLockTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(LockWaits, FollowStepAndLimit) {
  FileblockLockFile(a_);
  Add(a_, "ONE");
  FileblockUnlockFile(a_);
  platform::FakeClock clock;
  platform::FakeSleeper sleeper(&clock);
  platform::ScopedEnvironment env(&clock, &sleeper, nullptr);
  ASSERT_ISAM(GetParam().first(a_), 0);
  EXPECT_ISAM(GetParam().second(b_), GetParam().expected);
  EXPECT_EQ(sleeper.sleeps, std::vector<std::uint32_t>(GetParam().sleeps, kLockStep));
  if (GetParam().expected != 0) {
    EXPECT_FALSE(FileblockReadLocked(b_) || FileblockWriteLocked(b_));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Locks, LockWaits,
    ::testing::Values(
        // 3072 ms in steps of 64: 48 attempts, 47 waits; 768 ms: 12 attempts, 11 waits. The
        // peer process tests wait for a writer and for a record lock.
        WaitCase{"WriterWaitsForReader", ReadLock, WriteLock, kIsamWriteLockRefused, 47},
        WaitCase{"TemporaryReadLockWaitsForWriter", WriteLock, Count, kIsamTempReadLockRefused, 11},
        WaitCase{"ReadersShare", ReadLock, ReadLock, 0, 0},
        WaitCase{"RecordLockIgnoresWriteLock", WriteLock, LockFirst, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NetworkLockTest, TakingOneFileLockDropsTheOther) {
  FileblockReadLock(a_);
  FileblockLockFile(a_);
  EXPECT_TRUE(FileblockWriteLocked(a_) && !FileblockReadLocked(a_));
  Add(a_, "KEPT");
  FileblockReadLock(a_);  // writes the change back first
  EXPECT_TRUE(FileblockReadLocked(a_) && !FileblockWriteLocked(a_));
  EXPECT_EQ(FileblockUsedRecs(b_), 1);  // readers share
}

TEST_F(NetworkLockTest, RecordLockListHoldsEachRecordOnce) {
  FileblockLockRecord(a_, 7);
  FileblockLockRecord(a_, 7);
  FileblockLockRecord(a_, 9);
  EXPECT_TRUE(FileblockRecordLocked(a_, 7) && FileblockAnyRecordLocked(a_));
  FileblockUnlockRecord(a_, 7);  // one unlock releases the record
  EXPECT_ISAM(FileblockLockRecord(b_, 7), 0);
  FileblockUnlockRecord(a_, 7);
  EXPECT_EQ(Err(), kIsamNoMemoryLockList);  // the driver's "nothing to unlock"
  FileblockUnlockAllRecords(a_);
  EXPECT_FALSE(FileblockAnyRecordLocked(a_));
  EXPECT_ISAM(FileblockLockRecord(b_, 9), 0);
}

TEST_F(NetworkLockTest, CloseReleasesEveryLockAndWritesBack) {
  FileblockLockRecord(a_, 3);
  FileblockLockFile(a_);
  Add(a_, "WRITTEN");
  EXPECT_ISAM(FileblockClose(a_), 0);
  FileblockLockRecord(b_, 3);
  EXPECT_ISAM(FileblockLockFile(b_), 0);
  EXPECT_EQ(FileblockUsedKeys(b_, 1), 1);
}

// The slot bits another user finds after a release: the changed headers and the news bit.
struct SlotCase {
  const char* name;
  int keys;
  Action change;  // under the write lock; record 1 exists
  std::vector<int> bits;
};

class SlotBits : public NetworkTest, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SlotBits, HoldExactlyTheChangedHeaders) {
  const SlotCase& c = GetParam();
  CreateFile("N", std::vector<KeySpec>(static_cast<std::size_t>(c.keys), KeySpec{8, 1}));
  FileblockHandle a = Open();
  FileblockHandle b = Open();
  ASSERT_TRUE(a != nullptr && b != nullptr);
  FileblockLockFile(a);
  FileblockAddRecord(a, PeerRecord("R").data());
  FileblockUnlockFile(a);
  FileblockLockFile(b);  // B reads the news and clears its slot
  ASSERT_ISAM(FileblockUnlockFile(b), 0);

  FileblockLockFile(a);
  ASSERT_ISAM(c.change(a), 0);
  ASSERT_ISAM(FileblockUnlockFile(a), 0);

  const int size = DialogSlotSize(c.keys);
  Bytes expected(static_cast<std::size_t>(size), 0);
  for (int bit : c.bits) SetSlotBit(expected.data(), bit);
  const Bytes dialog = Dialog();
  ASSERT_EQ(dialog.size(), static_cast<std::size_t>(kSlotAreaStart + 6 * size));
  auto slot = [&](int n) {
    const auto start = dialog.begin() + kSlotAreaStart + n * size;
    return Bytes(start, start + size);
  };
  EXPECT_EQ(slot(b->net->own_slot), expected);
  EXPECT_EQ(slot(a->net->own_slot), Bytes(static_cast<std::size_t>(size), 0));
  EXPECT_EQ(dialog[1] | dialog[2] << 8, kDialogEndWord);
}

void PutFirst(FileblockHandle h) { FileblockPutRecord(h, 1, PeerRecord("S").data()); }
void KeyTwo(FileblockHandle h) { FileblockAddKey(h, 2, 1, KeyStr("K")); }
void KeyNine(FileblockHandle h) { FileblockAddKey(h, 9, 1, KeyStr("K")); }
void RecordAndKeys(FileblockHandle h) {
  const RecRef r = FileblockAddRecord(h, PeerRecord("T").data());
  for (int k = 1; k <= 3; ++k) FileblockAddKey(h, k, r, KeyStr("T"));
}
void DeleteFirst(FileblockHandle h) { FileblockDeleteRecord(h, 1); }

INSTANTIATE_TEST_SUITE_P(
    Release, SlotBits,
    ::testing::Values(SlotCase{"RecordPutChangesNoHeader", 3, PutFirst, {}},
                      SlotCase{"OneKey", 3, KeyTwo, {2, 4}},
                      SlotCase{"RecordAndAllKeys", 3, RecordAndKeys, {0, 1, 2, 3, 4}},
                      SlotCase{"RecordDeleted", 3, DeleteFirst, {0, 4}},
                      SlotCase{"NewsBitInTheSecondByte", 9, KeyNine, {9, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

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

// A network redirector may answer a flush with "too many open files". The file is reopened,
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
  platform::FileFaultPlan plan;
  plan.flush.fail_at = static_cast<std::uint64_t>(GetParam().failing_flush);
  plan.flush.error = platform::kErrorTooManyOpenFiles;
  {
    platform::ScopedFileFaults faults(&plan);
    FileblockFlush(a_, GetParam().report);
  }
  EXPECT_EQ(Err(), GetParam().expected);
  EXPECT_EQ(FileblockUsedRecs(a_), 1);  // the fileblock goes on working
  FileblockUnlockFile(a_);
  EXPECT_ISAM(FileblockUnlockAllRecords(a_), 0);
  std::vector<std::uint8_t> record(kPeerRecordLength);
  FileblockGetRecord(b_, 1, record.data());
  EXPECT_EQ(PeerText(record.data()), "FLUSHED");
}

INSTANTIATE_TEST_SUITE_P(
    Flush, SharedFlush,
    ::testing::Values(FlushCase{"IndexReopened", false, false, 1, 0},
                      FlushCase{"DataReopened", false, false, 2, 0},
                      FlushCase{"Reported", true, false, 1, kIsamSharedFlushFailed},
                      FlushCase{"HandleHoldsLocks", false, true, 2, kIsamSharedFlushFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace storage::testing
