// The journal brings a change back when any of its writes fails or kills its process.

#include <sys/wait.h>

#include <map>

#include "platform/file_faults.h"
#include "storage/isam/var_record.h"
#include "tests/storage/isam/network_fixture.h"

namespace storage::testing {
namespace {

using platform::FileFaultPlan;

std::string Text(int i) { return "REC" + std::to_string(10000 + i); }
KeyStr Key(int i, int k = 1) { return KeyStr(PeerKeyText(Text(i), k)); }

// Operations on a fileblock of two keys (key 1 unique); 62 entries fill a root page.
void AddKeySplittingTheRoot(FileblockHandle h) { FileblockAddKey(h, 2, 5, KeyStr("ZZZZ")); }
void DeleteKeyMergingLeaves(FileblockHandle h) { FileblockDeleteKey(h, 1, 30, Key(30)); }
void DeleteRecord(FileblockHandle h) { FileblockDeleteRecord(h, 7); }
void AddRecord(FileblockHandle h) { FileblockAddRecord(h, PeerRecord("NEW").data()); }
void AddKeyBack(FileblockHandle h) { FileblockAddKey(h, 1, 30, Key(30)); }
// A variable-length record of several sections is one unit.
void AddVariableRecord(FileblockHandle h) {
  const Bytes data = Record(200, 'x');
  RecRef ref = 0;
  VarRecAdd(h, ref, data.data(), 200);
}

class JournalTest : public NetworkTest {
 protected:
  // Creates `records` records in both keys through the journal, prepares, saves the files.
  void Build(int records, void (*prepare)(FileblockHandle) = nullptr) {
    CreateFile("J", {{12, 0}, {4, 1}});
    FileblockHandle h = Open("journal", "J");
    for (int i = 1; i <= records; ++i) Add(h, Text(i), 2);
    if (prepare != nullptr) prepare(h);
    ASSERT_ISAM(FileblockClose(h), 0);
    for (const char* ext : {".DAT", ".IX", ".DIA"}) saved_[ext] = ReadFile(Name("J") + ext);
  }
  void RestoreFiles() {
    for (const auto& [ext, bytes] : saved_) WriteFile(Name("J") + ext, bytes);
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

  std::string CheckAll() { return IsamCheck(Name("J"), PeerCheckOptions()).Text(); }

  std::map<std::string, std::string> saved_;
};

struct OperationCase {
  const char* name;
  int records;
  void (*prepare)(FileblockHandle);  // before the files are saved
  void (*run)(FileblockHandle);
  int rollback_error;
};

void Free(FileblockHandle h, int r) {
  for (int k = 1; k <= 2; ++k) FileblockDeleteKey(h, k, r, Key(r, k));
  FileblockDeleteRecord(h, r);
}
// Records 9 and 4 deleted: an add takes a record from the free chain.
void FreeTwoRecords(FileblockHandle h) {
  Free(h, 9);
  Free(h, 4);
}
// Record 30 deleted: its key 1 entry goes in a merge of leaves, and the pages become free.
void FreeRecord30(FileblockHandle h) { Free(h, 30); }

class EveryWrite : public JournalTest, public ::testing::WithParamInterface<OperationCase> {
 protected:
  // Runs the operation with its `n`-th write failing (0: none); the writes it made.
  std::uint64_t RunFailingAt(std::uint64_t n, bool sticky) {
    RestoreFiles();
    FileblockHandle h = Open("journal", "J");
    const std::vector<std::string> before = Snapshot(h);
    FileFaultPlan plan{.write = {.fail_at = n, .sticky = sticky}, .flush = {}, .lock = {}};
    WithFaults(plan, [&] { GetParam().run(h); });
    const int error = Err();
    if (n == 0) {
      FileblockClose(h);
      return plan.write.calls;
    }
    EXPECT_NE(error, 0);
    // Undone at once, or, when the disk stays full, replayed by the next open.
    if (!sticky) {
      EXPECT_TRUE(error == GetParam().rollback_error || error == kIsamOsFailure) << error;
      EXPECT_EQ(Snapshot(h), before);
    }
    h = Reopen(h, "J", ParseOpenOptions("journal"));
    EXPECT_EQ(Snapshot(h), before);
    FileblockClose(h);
    EXPECT_EQ(CheckAll(), "");
    return plan.write.calls;
  }
};

TEST_P(EveryWrite, CanFailOnceOrForGoodAndTheJournalUndoesTheChange) {
  Build(GetParam().records, GetParam().prepare);
  const std::uint64_t writes = RunFailingAt(0, false);
  ASSERT_GT(writes, 3u);
  for (std::uint64_t n = 1; n <= writes; ++n) {
    for (bool sticky : {false, true}) {
      SCOPED_TRACE(Fmt("write %d of %d%s", int(n), int(writes), sticky ? " for good" : ""));
      RunFailingAt(n, sticky);
    }
  }
}

const OperationCase kOperations[] = {
    {"AddKeySplittingTheRoot", 62, nullptr, AddKeySplittingTheRoot, kIsamAddKeyRolledBack},
    {"DeleteKeyMergingLeaves", 63, nullptr, DeleteKeyMergingLeaves, kIsamDeleteKeyRolledBack},
    {"DeleteRecord", 10, nullptr, DeleteRecord, kIsamDeleteRecordRolledBack},
    {"AddRecordFromTheFreeChain", 10, FreeTwoRecords, AddRecord, kIsamAddRecordRolledBack},
    {"AddKeyFromTheFreePages", 63, FreeRecord30, AddKeyBack, kIsamAddKeyRolledBack},
    {"AddVariableRecord", 10, nullptr, AddVariableRecord, kIsamAddRecordRolledBack}};
INSTANTIATE_TEST_SUITE_P(Operations, EveryWrite, ::testing::ValuesIn(kOperations), RowName);

// A writer killed at each file write of the deletion of one key.
class CrashTest : public JournalTest {
 protected:
  void SetUp() override {
    Build(63);
    FileblockHandle h = Open("journal", "J");
    before_ = Snapshot(h);
    FileFaultPlan counter;
    WithFaults(counter, [&] { DeleteKeyMergingLeaves(h); });
    ASSERT_EQ(Err(), 0);
    writes_ = counter.write.calls;
    FileblockClose(h);
  }
  // Runs the deletion in `peer` and kills it at write `n`.
  void KillAt(PeerProcess& peer, std::uint64_t n) {
    EXPECT_EQ(peer.Do("crash " + std::to_string(n)), "ok");
    peer.Send("delkey 1 30 " + Key(30).str());
    const int status = peer.Wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  }

  std::vector<std::string> before_;
  std::uint64_t writes_ = 0;
};

TEST_F(CrashTest, AWriterKilledInsideAJournalledChangeIsRolledBackAtTheNextOpen) {
  ASSERT_GT(writes_, 5u);
  for (std::uint64_t n = 1; n <= writes_ && !HasFatalFailure(); ++n) {
    SCOPED_TRACE("killed at write " + std::to_string(n) + " of " + std::to_string(writes_));
    RestoreFiles();
    KillAt(*StartPeer("journal", "J"), n);
    FileblockHandle h = Reopen(nullptr, "J");  // replays, whatever the options
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Snapshot(h), before_);
    FileblockClose(h);
    EXPECT_EQ(CheckAll(), "");
    EXPECT_FALSE(std::filesystem::exists(Name("J") + ".DIA"));
  }
}

TEST_F(CrashTest, AJournalLeftByAKilledSharedWriterIsReplayedByTheNextLock) {
  // How the first live user meets the journal: a read lock, a write lock, a journalled write lock.
  for (int how = 0; how < 3; ++how) {
    SCOPED_TRACE(how);
    RestoreFiles();
    FileblockHandle b = Open("shared journal", "J");
    FileblockHandle c = Open("shared", "J");  // a user without the journal
    FileblockHandle d = Open("rosharing", "J");
    ASSERT_TRUE(b != nullptr && c != nullptr && d != nullptr);
    auto a = StartPeer("shared journal", "J");
    EXPECT_EQ(a->Do("lock"), "ok");
    KillAt(*a, writes_ / 2);
    EXPECT_ISAM(FileblockReadLock(d), kIsamJournalReadOnly);  // a read-only user cannot replay
    FileblockHandle first = how == 2 ? b : c;
    FileblockHandle second = first == b ? c : b;
    ASSERT_ISAM((how == 0 ? FileblockReadLock : FileblockLockFile)(first), 0);
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
