// The before-image journal: every write of a journalled change may fail or kill its process,
// and the files come back to the state before the change.

#include <sys/wait.h>

#include <map>

#include "platform/file_faults.h"
#include "storage/var_record.h"
#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

// Key 1 unique, key 2 with duplicates; 62 entries fill a root page, 63 split it.
const std::vector<KeySpec> kTwoKeys = {{12, 0}, {4, 1}};

std::string Text(int i) { return "REC" + std::to_string(10000 + i); }

class JournalTest : public NetworkTest {
 protected:
  // Creates the fileblock with `records` records in both keys, through the journal.
  void Build(int records) {
    CreateFile("J", kTwoKeys);
    FileblockHandle h = Open("journal", "J");
    for (int i = 1; i <= records; ++i) Add(h, Text(i), 2);
    ASSERT_ISAM(FileblockClose(h), 0);
  }

  // What a roll-back must bring back: both keys, the record counts and every record head.
  std::vector<std::string> Snapshot(FileblockHandle h) {
    std::vector<std::string> s = Entries(h, 1);
    for (const std::string& e : Entries(h, 2)) s.push_back("2:" + e);
    const std::int32_t slots = FileblockRecordSlots(h);
    s.push_back("used " + std::to_string(FileblockUsedRecs(h)) + " slots " + std::to_string(slots));
    for (RecRef r = 1; r < slots; ++r) {
      std::uint8_t head[4];
      FileblockRecordHead(h, r, head);
      s.push_back("head " + std::to_string(common::ReadLeInt32(head)));
    }
    return s;
  }

  void SaveFiles() {
    for (const char* ext : {".DAT", ".IX", ".DIA"}) saved_[ext] = ReadFile(Name("J") + ext);
  }
  void RestoreFiles() {
    for (const auto& [ext, bytes] : saved_) WriteFile(Name("J") + ext, bytes);
  }

  std::string CheckAll(bool records_in_keys = true) {
    CheckOptions o = PeerCheckOptions();
    o.check_records_in_keys = records_in_keys;
    return IsamCheck(Name("J"), o).Text();
  }

  std::map<std::string, std::string> saved_;
};

struct OperationCase {
  const char* name;
  int records;
  int rollback_error;
  void (*run)(FileblockHandle);
};

void AddKeySplittingTheRoot(FileblockHandle h) { FileblockAddKey(h, 2, 5, KeyStr("ZZZZ")); }
void DeleteKeyMergingLeaves(FileblockHandle h) {
  FileblockDeleteKey(h, 1, 30, KeyStr(PeerKeyText(Text(30), 1)));
}
void DeleteRecord(FileblockHandle h) { FileblockDeleteRecord(h, 7); }
void AddRecordFromTheFreeChain(FileblockHandle h) {
  FileblockAddRecord(h, PeerRecord("NEW").data());
}
// A variable-length record of several sections is one unit.
void AddVariableRecord(FileblockHandle h) {
  std::vector<std::uint8_t> data(200, 'x');
  std::fill_n(data.begin(), 4, 0);  // a record's first 4 bytes are the engine's
  RecRef ref = 0;
  VarRecAdd(h, ref, data.data(), 200);
}
// After the merge of DeleteKeyMergingLeaves: the split takes every page of the free chain.
void AddKeyFromTheFreePages(FileblockHandle h) {
  FileblockAddKey(h, 1, 30, KeyStr(PeerKeyText(Text(30), 1)));
}

class EveryWrite : public JournalTest, public ::testing::WithParamInterface<OperationCase> {
 protected:
  // The fileblock before the operation: records, for an add of a record two of them on the free
  // chain, for an add of a key free pages.
  void SetUp() override {
    Build(GetParam().records);
    FileblockHandle h = Open("journal", "J");
    if (GetParam().run == &AddKeyFromTheFreePages) DeleteKeyMergingLeaves(h);
    for (int r : {9, 4}) {
      if (GetParam().run != &AddRecordFromTheFreeChain) break;
      for (int k = 1; k <= 2; ++k) FileblockDeleteKey(h, k, r, KeyStr(PeerKeyText(Text(r), k)));
      FileblockDeleteRecord(h, r);
    }
    FileblockClose(h);
    SaveFiles();
  }

  // Runs the operation on the saved files with its `n`-th write failing (0: none) once or for
  // good, and checks what the next open finds; the number of writes the operation made.
  std::uint64_t RunFailingAt(std::uint64_t n, bool sticky) {
    RestoreFiles();
    FileblockHandle h = Open("journal", "J");
    const std::vector<std::string> before = Snapshot(h);
    platform::FileFaultPlan plan;
    plan.write.fail_at = n;
    plan.write.sticky = sticky;
    plan.write.error = platform::kErrorDiskFull;
    {
      platform::ScopedFileFaults faults(&plan);
      GetParam().run(h);
    }
    const int error = Err();
    if (n == 0) {
      FileblockClose(h);
      return plan.write.calls;
    }
    EXPECT_NE(error, 0);
    // The journal undid the change (or the write failed before anything changed); when the disk
    // stays full not even the roll-back gets through, and the next open replays the journal.
    if (!sticky) {
      EXPECT_TRUE(error == GetParam().rollback_error || error == kIsamOsFailure) << error;
      EXPECT_EQ(Snapshot(h), before);
    }
    FileblockClose(h);
    h = Open("journal", "J");
    EXPECT_EQ(Snapshot(h), before);
    FileblockClose(h);
    // Record 30 lacks its entry in the free-pages row's key 1.
    EXPECT_EQ(CheckAll(GetParam().run != &AddKeyFromTheFreePages), "");
    return plan.write.calls;
  }
};

TEST_P(EveryWrite, CanFailOnceOrForGoodAndTheJournalUndoesTheChange) {
  const std::uint64_t writes = RunFailingAt(0, false);
  ASSERT_GT(writes, 3u);
  for (std::uint64_t n = 1; n <= writes; ++n) {
    for (bool sticky : {false, true}) {
      SCOPED_TRACE("write " + std::to_string(n) + " of " + std::to_string(writes) +
                   (sticky ? " for good" : ""));
      RunFailingAt(n, sticky);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, EveryWrite,
    ::testing::Values(
        OperationCase{"AddKeySplittingTheRoot", 62, kIsamAddKeyRolledBack, AddKeySplittingTheRoot},
        OperationCase{"DeleteKeyMergingLeaves", 63, kIsamDeleteKeyRolledBack,
                      DeleteKeyMergingLeaves},
        OperationCase{"DeleteRecord", 10, kIsamDeleteRecordRolledBack, DeleteRecord},
        OperationCase{"AddRecordFromTheFreeChain", 10, kIsamAddRecordRolledBack,
                      AddRecordFromTheFreeChain},
        OperationCase{"AddKeyFromTheFreePages", 63, kIsamAddKeyRolledBack, AddKeyFromTheFreePages},
        OperationCase{"AddVariableRecord", 10, kIsamAddRecordRolledBack, AddVariableRecord}),
    [](const auto& info) { return std::string(info.param.name); });

// The number of file writes the deletion of one key makes (each a point where a crash can hit).
class CrashTest : public JournalTest {
 protected:
  void SetUp() override {
    Build(63);
    SaveFiles();
    FileblockHandle h = Open("journal", "J");
    before_ = Snapshot(h);
    platform::FileFaultPlan counter;
    {
      platform::ScopedFileFaults faults(&counter);
      DeleteKeyMergingLeaves(h);
    }
    ASSERT_EQ(Err(), 0);
    writes_ = counter.write.calls;
    FileblockClose(h);
  }
  std::string DeleteCommand() const { return "delkey 1 30 " + PeerKeyText(Text(30), 1); }

  std::vector<std::string> before_;
  std::uint64_t writes_ = 0;
};

TEST_F(CrashTest, AWriterKilledInsideAJournalledChangeIsRolledBackAtTheNextOpen) {
  ASSERT_GT(writes_, 5u);
  for (std::uint64_t n = 1; n <= writes_; ++n) {
    SCOPED_TRACE("killed at write " + std::to_string(n) + " of " + std::to_string(writes_));
    RestoreFiles();
    auto peer = StartPeer("journal", "J");
    EXPECT_EQ(peer->Do("crash " + std::to_string(n)), "ok");
    peer->Send(DeleteCommand());
    const int status = peer->Wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    FileblockHandle h = FileblockOpen(Name("J"));  // replays, whatever the options
    ASSERT_NE(h, nullptr) << Err();
    EXPECT_EQ(Snapshot(h), before_);
    FileblockClose(h);
    EXPECT_EQ(CheckAll(), "");
    EXPECT_FALSE(std::filesystem::exists(Name("J") + ".DIA"));
  }
}

enum class Recovery { kReadLock, kWriteLock, kJournalledWriteLock };

TEST_F(CrashTest, AJournalLeftByAKilledSharedWriterIsReplayedByTheNextLock) {
  for (Recovery how : {Recovery::kReadLock, Recovery::kWriteLock, Recovery::kJournalledWriteLock}) {
    SCOPED_TRACE(static_cast<int>(how));
    RestoreFiles();
    FileblockHandle b = Open("shared journal", "J");
    FileblockHandle c = Open("shared", "J");  // a user without the journal
    FileblockHandle d = Open("rosharing", "J");
    ASSERT_TRUE(b != nullptr && c != nullptr && d != nullptr);
    auto a = StartPeer("shared journal", "J");
    EXPECT_EQ(a->Do("lock"), "ok");
    EXPECT_EQ(a->Do("crash " + std::to_string(writes_ / 2)), "ok");
    a->Send(DeleteCommand());
    EXPECT_TRUE(WIFSIGNALED(a->Wait()));

    EXPECT_ISAM(FileblockReadLock(d), kIsamJournalReadOnly);  // a read-only user cannot replay
    FileblockHandle first = how == Recovery::kJournalledWriteLock ? b : c;
    FileblockHandle second = first == b ? c : b;
    ASSERT_ISAM((how == Recovery::kReadLock ? FileblockReadLock : FileblockLockFile)(first), 0);
    EXPECT_EQ(Snapshot(first), before_);
    ASSERT_ISAM(FileblockUnlockFile(first), 0);
    ASSERT_ISAM(FileblockLockFile(second), 0);  // re-reads everything the replay touched
    EXPECT_EQ(Snapshot(second), before_);
    FileblockUnlockFile(second);
    EXPECT_EQ(FileblockUsedKeys(d, 1), 63);
    FileblockClose(b);
    FileblockClose(c);
    ASSERT_ISAM(FileblockClose(d), 0);
    EXPECT_EQ(CheckAll(), "");
  }
}

}  // namespace
}  // namespace storage::testing
