// Several users in several processes sharing one fileblock in network mode.

#include <sys/wait.h>

#include "storage/isam/dialog_file.h"
#include "storage/isam/fileblock.h"
#include "tests/storage/isam/network_fixture.h"

namespace storage::testing {
namespace {

class NetworkProcessTest : public NetworkTest {
 protected:
  void SetUp() override { CreateFile(); }
};

TEST_F(NetworkProcessTest, ASixthWriterFindsNoUserSlot) {
  std::vector<std::unique_ptr<PeerProcess>> peers;
  for (int i = 0; i < 5; ++i) peers.push_back(StartPeer());
  EXPECT_EQ(RefusedOpen(Name("N"), ParseOpenOptions("shared")), kIsamNoUserSlot);
  EXPECT_EQ(FileblockUsedRecs(Open("rosharing")), 0);  // reading needs no slot
  EXPECT_EQ(peers[2]->Do("close"), "ok");
  EXPECT_NE(Open(), nullptr);
}

TEST_F(NetworkProcessTest, ARecordLockedByAnotherUserIsReadButNotWrittenOrLocked) {
  FileblockHandle a = Open();
  FileblockLockFile(a);
  const std::string r = std::to_string(Add(a, "ALPHA"));
  FileblockUnlockFile(a);
  ASSERT_ISAM(FileblockLockRecord(a, std::stoi(r)), 0);
  auto b = StartPeer();
  EXPECT_EQ(b->Do("getlocked " + r), "err 10205 ALPHA");  // bytes 4 onward delivered
  EXPECT_EQ(b->Do("get " + r), "err 10397");
  EXPECT_EQ(b->Do("lock"), "ok");
  const std::string put = b->Do("put " + r + " BETA");
  ASSERT_EQ(put.substr(0, 4), "err ");
  EXPECT_EQ(EngineErrorClass(std::stoi(put.substr(4))), 2);  // a lock conflict the driver retries
  EXPECT_EQ(b->Do("unlock"), "ok");
  EXPECT_EQ(b->Do("lockrec " + r), "err 10335");
  EXPECT_EQ(b->Do("sleeps"), "ok 11 704");  // 12 attempts 64 ms apart: the 768 ms limit
  FileblockUnlockRecord(a, std::stoi(r));
  EXPECT_EQ(b->Do("lockrec " + r), "ok");
  EXPECT_EQ(b->Do("get " + r), "ok ALPHA");
}

TEST_F(NetworkProcessTest, AWriteLockKeepsOtherWritersAndOpenersOutUntilTheLimit) {
  FileblockHandle a = Open();
  auto b = StartPeer();
  auto c = StartPeer("");
  ASSERT_ISAM(FileblockLockFile(a), 0);
  const std::string open = "open " + Name("N") + " shared";
  for (const auto& [peer, command, answer, sleeps] :
       {std::tuple{b.get(), "lock", "err 10330", "ok 47 3008"},  // 48 attempts: 3072 ms
        {b.get(), "readlock", "err 10332", "ok 11 704"},
        {c.get(), open.c_str(), "err 10355", "ok 47 3008"}}) {
    EXPECT_EQ(peer->Do(command), answer);
    EXPECT_EQ(peer->Do("sleeps"), sleeps);
  }
  FileblockUnlockFile(a);
  EXPECT_EQ(b->Do("lock"), "ok");
  EXPECT_EQ(b->Do("unlock"), "ok");
  EXPECT_EQ(c->Do(open), "ok");
}

TEST_F(NetworkProcessTest, AfterAnotherUserAddsAThousandRecordsTheNextLockSeesThemAll) {
  FileblockHandle b = Open();
  FileblockLockFile(b);
  for (int i = 0; i < 100; ++i) Add(b, "OLD" + std::to_string(10000 + i));
  FileblockUnlockFile(b);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(Entries(b, k).size(), 100u);  // pages now cached
  auto a = StartPeer();
  EXPECT_EQ(a->Do("writer 0 1000 0"), "ok");  // one batch under one write lock
  ASSERT_ISAM(FileblockLockFile(b), 0);
  EXPECT_EQ(FileblockUsedRecs(b), 1100);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(FileblockUsedKeys(b, k), 1100);
  const std::vector<std::string> keys = Entries(b, 1);
  ASSERT_EQ(keys.size(), 1100u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(keys[100 + i].substr(0, 8), Fmt("W0-%05d", i));
  FileblockUnlockFile(b);
  FileblockClose(b);
  EXPECT_EQ(a->Do("close"), "ok");
  EXPECT_EQ(IsamCheck(Name("N"), PeerCheckOptions()).Text(), "");
}

// The slot bits B finds after A's release: the changed headers and the news bit.
struct SlotCase {
  const char* name;
  int keys;
  const char* change;  // A's command under the write lock; record 1 exists
  std::vector<int> bits;
};

class SlotBits : public NetworkTest, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(SlotBits, HoldExactlyTheChangedHeaders) {
  const SlotCase& c = GetParam();
  CreateFile("N", std::vector<KeySpec>(static_cast<std::size_t>(c.keys), KeySpec{8, 1}));
  FileblockHandle b = Open();
  auto a = StartPeer();
  EXPECT_EQ(a->Do("lock"), "ok");
  EXPECT_EQ(a->Do("add R"), "ok 1");
  EXPECT_EQ(a->Do("unlock"), "ok");
  EXPECT_EQ(a->Do("addkey 1 1 X"), "err 10398");  // changes need the write lock
  ASSERT_ISAM(FileblockLockFile(b), 0);           // B reads the news and clears its slot
  ASSERT_ISAM(FileblockUnlockFile(b), 0);
  EXPECT_EQ(a->Do("lock"), "ok");
  EXPECT_EQ(a->Do(c.change).substr(0, 2), "ok");
  EXPECT_EQ(a->Do("unlock"), "ok");
  const std::size_t size = DialogSlotSize(c.keys);
  Bytes expected(size, 0);
  for (int bit : c.bits) SetSlotBit(expected.data(), bit);
  auto slot = [&] {
    const Bytes dialog = Dialog();
    if (dialog.size() != kSlotAreaStart + 6 * size) return Bytes{0xEE};  // the layout is wrong
    EXPECT_EQ(dialog[1] | dialog[2] << 8, kDialogEndWord);
    const auto start = dialog.begin() + kSlotAreaStart + b.block->net->own_slot * size;
    return Bytes(start, start + size);
  };
  EXPECT_EQ(slot(), expected);
  EXPECT_ISAM(FileblockUsedRecs(b), 0);  // B takes the news
  EXPECT_EQ(slot(), Bytes(size, 0));
}

const SlotCase kSlotCases[] = {{"RecordPutChangesNoHeader", 3, "put 1 S", {}},
                               {"OneKey", 3, "addkey 2 1 K", {2, 4}},
                               {"RecordAndAllKeys", 3, "add T", {0, 1, 2, 3, 4}},
                               {"RecordDeleted", 3, "delrec 1", {0, 4}},
                               {"NewsBitInTheSecondByte", 9, "addkey 9 1 K", {9, 10}}};
INSTANTIATE_TEST_SUITE_P(Release, SlotBits, ::testing::ValuesIn(kSlotCases), RowName);

TEST_F(NetworkProcessTest, AnExclusiveOpenKeepsEveryoneOut) {
  FileblockHandle a = FileblockOpen(Name("N"));
  ASSERT_NE(a, nullptr);
  auto b = StartPeer("");
  // Another user's share mode is a lock conflict, retried by the driver, shared open or not.
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "err 10355");
  EXPECT_EQ(b->Do("open " + Name("N")), "err 10355");
  FileblockClose(a);
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "ok");
  EXPECT_EQ(RefusedOpen(Name("N")), kIsamOpenLockRefused);  // a shared user keeps one out
}

TEST_F(NetworkProcessTest, AWriterThatDiesInsideAnUnjournalledChangeStopsTheOthers) {
  FileblockHandle b = Open();
  auto a = StartPeer();
  EXPECT_EQ(a->Do("lock"), "ok");
  EXPECT_EQ(a->Do("add FIRST"), "ok 1");
  EXPECT_EQ(a->Do("crash 1"), "ok");
  a->Send("add SECOND");
  EXPECT_TRUE(WIFSIGNALED(a->Wait()));
  // The data file's marker says a change stopped halfway: the index must be rebuilt.
  EXPECT_ISAM(FileblockLockFile(b), kIsamIndexUnusable);
  EXPECT_FALSE(FileblockWriteLocked(b));
  EXPECT_EQ(FileblockUsedRecs(b), -1);
  EXPECT_EQ(Err(), kIsamIndexUnusable);
}

// A writer without journal stopped at each write of a change and its release. Another user never
// reads a half-written index (10010, only while the marker is set) and never keeps headers the
// writer changed: what it sees is what the files hold.
TEST_F(NetworkProcessTest, AWriterStoppedAtAnyWriteOfAChangeOrItsReleaseNeverMisleadsTheOthers) {
  for (int n = 1;; ++n) {
    SCOPED_TRACE("stopped at write " + std::to_string(n));
    FileblockDelete(Name("N"));
    CreateFile();
    FileblockHandle b = Open();
    auto a = StartPeer();
    for (const char* command : {"lock", "add FIRST", "unlock"}) {
      EXPECT_EQ(a->Do(command).substr(0, 2), "ok");
    }
    ASSERT_EQ(FileblockUsedRecs(b), 1);  // B holds the headers of one record
    EXPECT_EQ(a->Do("lock"), "ok");
    EXPECT_EQ(a->Do("crash " + std::to_string(n)), "ok");
    a->Send("add SECOND");
    a->Send("unlock");
    const bool stopped = a->ReadLine().empty() || a->ReadLine().empty();
    const std::string data = ReadFile(Name("N") + ".DAT");
    const std::int32_t on_disk = common::ReadLeInt32(&data[8]) - common::ReadLeInt32(&data[4]);
    FileblockReadLock(b);
    if (Err() == kIsamIndexUnusable) {
      EXPECT_NE(data[20], 0);
    } else {
      EXPECT_EQ(Err(), 0);
      EXPECT_EQ(FileblockUsedRecs(b), on_disk);
      EXPECT_EQ(static_cast<std::int32_t>(Entries(b, 1).size()), on_disk);
    }
    FileblockClose(b);
    a.reset();
    if (data[20] == 0) {
      EXPECT_EQ(IsamCheck(Name("N"), PeerCheckOptions()).Text(), "");
    } else {
      EXPECT_EQ(RefusedOpen(Name("N")), kIsamIndexUnusable);
    }
    if (!stopped || HasFailure()) break;
  }
}

}  // namespace
}  // namespace storage::testing
