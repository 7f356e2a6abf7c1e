// Faults inside changes: a read or write that fails, or a process that stops. With the journal
// the change is undone; without, a change that fails half-way leaves the file to be rebuilt
// (10010), and the rebuild brings every record and key back. No fault leaves a file that opens
// cleanly and is not sound.

#include <sys/wait.h>

#include <map>
#include <random>
#include <tuple>

#include "platform/file_faults.h"
#include "storage/isam/rebuild.h"
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

  // Rebuilds the fileblock, which must then hold all `records` records, sound.
  void ExpectRebuiltWhole(int records) {
    RebuildFixed(Name("J"), kPeerRecordLength, std::vector<KeySpec>{{12, 0}, {4, 1}}, PeerKeys);
    ASSERT_EQ(Err(), 0);
    ExpectWhole(records);
  }
  // The checker finds the file sound with `records` records.
  void ExpectWhole(int records) {
    const CheckReport report = IsamCheck(Name("J"), PeerCheckOptions());
    EXPECT_EQ(report.Text(), "");
    EXPECT_EQ(report.used_records, records);
  }

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
    FileFaultPlan plan{
        .write = {.fail_at = n, .sticky = sticky}, .flush = {}, .lock = {}, .read = {}};
    WithFaults(plan, [&] { GetParam().run(h); });
    const int error = Err();
    if (n == 0) {
      FileblockClose(h);
      return plan.write.calls;
    }
    EXPECT_NE(error, 0);
    // Undone at once, or, when the disk stays full, replayed by the next open.
    if (!sticky) {
      EXPECT_TRUE(error == GetParam().rollback_error || error == kIsamShortWrite) << error;
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

// A split or merge hit by a failing read or write at each call it makes, on a fileblock without
// journal, with the journal, and shared under the write lock. Records 1..records are in the file;
// the target's key 1 entry is what the change inserts or deletes.
struct TreeCase {
  const char* name;
  int records;
  int target;
  bool insert;
  bool target_keyed;  // the target record has its keys (an insert takes freed pages)
};
void PrintTo(const TreeCase& c, std::ostream* os) { *os << c.name; }

// A failing write or read, or a write that finds the disk full.
enum class Kind { kWrite, kRead, kDiskFull };
void PrintTo(Kind kind, std::ostream* os) {
  *os << (kind == Kind::kWrite ? "Write" : kind == Kind::kRead ? "Read" : "DiskFull");
}

class TreeFault : public JournalTest,
                  public ::testing::WithParamInterface<std::tuple<TreeCase, const char*, Kind>> {
 protected:
  const TreeCase& Row() const { return std::get<0>(GetParam()); }
  std::string Mode() const { return std::get<1>(GetParam()); }
  bool Journal() const { return Mode() == "journal"; }

  // Built without journal (fast); ascending keys fill every page, so the changes fall where
  // the rows say.
  void SetUp() override {
    CreateFile("J", {{12, 0}, {4, 1}});
    FileblockHandle h = Reopen(nullptr, "J");
    for (int i = 1; i <= Row().records; ++i) {
      const RecRef ref = FileblockAddRecord(h, PeerRecord(Text(i)).data());
      const bool keyed = i != Row().target || Row().target_keyed || !Row().insert;
      for (int k = 1; k <= 2 && keyed; ++k) FileblockAddKey(h, k, ref, Key(i, k));
    }
    // The target's pages went to the free chain: the insert takes them back.
    if (Row().target_keyed && Row().insert) {
      FileblockDeleteKey(h, 1, Row().target, Key(Row().target));
    }
    ASSERT_ISAM(FileblockClose(h), 0);
    for (const char* ext : {".DAT", ".IX"}) saved_[ext] = ReadFile(Name("J") + ext);
  }
  void Restore() {
    RestoreFiles();
    std::filesystem::remove(Name("J") + ".DIA");
  }
  void Change(FileblockHandle h) {
    const int t = Row().target;
    (Row().insert ? FileblockAddKey : FileblockDeleteKey)(h, 1, t, Key(t));
  }

  // Runs the change with call `n` of the kind failing (0: none); the calls it made and its error.
  std::pair<std::uint64_t, int> Run(std::uint64_t n) {
    Restore();
    FileblockHandle h = Open(Mode(), "J");
    if (h == nullptr) return {0, -1};
    if (Mode() == "shared") FileblockLockFile(h);
    FileFaultPlan plan;
    const Kind kind = std::get<2>(GetParam());
    platform::FaultRule& rule = kind == Kind::kRead ? plan.read : plan.write;
    rule.fail_at = n;
    rule.error = kind == Kind::kDiskFull ? platform::kErrorDiskFull : platform::kErrorGenFailure;
    WithFaults(plan, [&] { Change(h); });
    const int error = Err();
    if (Mode() == "shared") {
      EXPECT_ISAM(FileblockUnlockFile(h), 0);
    }
    EXPECT_ISAM(FileblockClose(h), 0);
    return {std::get<2>(GetParam()) == Kind::kRead ? plan.read.calls : plan.write.calls, error};
  }

  // The file after the change: as it should be after success, as before after a failure that
  // changed nothing, else refused by the open (only when the change said so) and rebuilt whole.
  // A full disk says so, also when it stopped the change half-way (without the journal, which
  // undoes the change and says that). Answers whether the index had to be rebuilt.
  bool ExpectSoundOrRebuilt(int error, const std::vector<std::string>& expected) {
    FileblockHandle h = FileblockOpen(Name("J"), ParseOpenOptions(Mode()));
    int open_error = Err();
    // A shared open goes ahead over an unfinished index (others may have the file open): its
    // first lock says so, and the file is repaired in place.
    bool unfinished = false;
    if (h != nullptr && Mode() == "shared") {
      FileblockReadLock(h);
      unfinished = Err() == kIsamIndexUnusable;
      if (unfinished) open_error = kIsamIndexUnusable;
      if (!unfinished) FileblockUnlockFile(h);
    }
    if (std::get<2>(GetParam()) == Kind::kDiskFull) {
      if (!Journal() && error != 0) {
        EXPECT_EQ(error, kIsamShortWrite);
      }
      if (open_error == kIsamIndexUnusable) {
        EXPECT_EQ(error, kIsamShortWrite);
      }
    } else {
      EXPECT_EQ(open_error == kIsamIndexUnusable, error == kIsamIndexUnusable) << open_error;
    }
    if (h != nullptr && !unfinished) {
      EXPECT_EQ(Snapshot(h), expected);
      FileblockClose(h);
      CheckOptions structure;  // the snapshot says which records are in which key
      structure.check_records_in_keys = false;
      EXPECT_EQ(IsamCheck(Name("J"), structure).Text(), "");
      return false;
    }
    EXPECT_FALSE(Journal()) << "the journal undoes a failed change";
    if (unfinished) {
      EXPECT_ISAM(FileblockRepairInPlace(h, false, PeerKeys), 0);
      FileblockClose(h);
      ExpectWhole(Row().records);
      return true;
    }
    ExpectRebuiltWhole(Row().records);
    return true;
  }
};

TEST_P(TreeFault, EndsSoundOrAsksForTheRebuild) {
  Restore();
  FileblockHandle h = Open(Mode(), "J");
  const std::vector<std::string> before = Snapshot(h);
  FileblockClose(h);
  const auto [calls, clean] = Run(0);
  ASSERT_EQ(clean, 0);
  h = Open(Mode(), "J");
  const std::vector<std::string> after = Snapshot(h);
  FileblockClose(h);
  ASSERT_NE(after, before);
  ASSERT_GT(calls, 0u);
  int rebuilt = 0;
  for (std::uint64_t n = 1; n <= calls && !HasFatalFailure(); ++n) {
    SCOPED_TRACE(Fmt("call %d of %d", int(n), int(calls)));
    const int error = Run(n).second;
    rebuilt += ExpectSoundOrRebuilt(error, error == 0 ? after : before);
  }
  // Without the journal some failing write stops a split or merge half-way.
  const bool reuses_pages = Row().insert && Row().target_keyed;
  if (Mode() == "plain" && std::get<2>(GetParam()) != Kind::kRead && !reuses_pages) {
    EXPECT_GT(rebuilt, 0);
  }
}

const TreeCase kTreeCases[] = {
    {"InsertSplittingLeafAndRoot", 63, 63, true, false},
    {"InsertSplittingAnInnerRoot", 3969, 3969, true, false},
    {"InsertSplittingAnInnerPage", 7938, 7938, true, false},
    {"InsertTakingFreedPages", 63, 30, true, true},
    {"DeleteMergingLeavesAndCollapsingTheRoot", 63, 63, false, true},
    {"DeleteMergingInnerPagesAndCollapsingTheRoot", 3969, 3969, false, true}};
INSTANTIATE_TEST_SUITE_P(Changes, TreeFault,
                         ::testing::Combine(::testing::ValuesIn(kTreeCases),
                                            ::testing::Values("plain", "journal", "shared"),
                                            ::testing::Values(Kind::kWrite, Kind::kRead,
                                                              Kind::kDiskFull)),
                         [](const auto& info) {
                           return ::testing::PrintToString(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param) + "_" +
                                  ::testing::PrintToString(std::get<2>(info.param));
                         });

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
    EXPECT_EQ(ReadFile(Name("J") + ".DIA"), std::string(1, '\0'));  // emptied; it stays
  }
}

// A journal that is damaged where it lies is never replayed, which would write its garbage into
// a sound index: whichever byte is changed, the open refuses it and marks the data file, and the
// rebuild restores every record; or the byte was one nobody reads and the replay is sound.
TEST_F(CrashTest, ARandomlyDamagedJournalNeverLeavesAFileThatOpensAndFailsTheChecker) {
  RestoreFiles();
  KillAt(*StartPeer("journal", "J"), writes_ / 2);
  const std::string journal = ReadFile(Name("J") + ".DIA");
  ASSERT_GT(journal.size(), 100u);
  saved_[".DAT"] = ReadFile(Name("J") + ".DAT");
  saved_[".IX"] = ReadFile(Name("J") + ".IX");
  std::mt19937 random(53);
  int refused = 0;
  for (int trial = 0; trial < 300 && !HasFatalFailure(); ++trial) {
    std::string damaged = journal;
    const std::size_t at = random() % damaged.size();
    damaged[at] = static_cast<char>(damaged[at] ^ (1 + random() % 255));
    SCOPED_TRACE("byte " + std::to_string(at));
    RestoreFiles();
    WriteFile(Name("J") + ".DIA", damaged);
    FileblockHandle h = FileblockOpen(Name("J"), ParseOpenOptions("journal"));
    if (h != nullptr) {
      EXPECT_EQ(Snapshot(h), before_);
      FileblockClose(h);
      EXPECT_EQ(CheckAll(), "");
      continue;
    }
    ++refused;
    ASSERT_EQ(Err(), kIsamIndexUnusable);
    EXPECT_EQ(ReadFile(Name("J") + ".DAT")[20], 1);
    ExpectRebuiltWhole(63);
  }
  EXPECT_GT(refused, 250);
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
