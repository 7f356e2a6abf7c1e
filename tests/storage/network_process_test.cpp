// Several users in several processes: this test process and isam_peer processes share one
// fileblock through the engine's network mode.

#include <sys/wait.h>

#include "storage/dialog_file.h"
#include "storage/fileblock.h"
#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

class NetworkProcessTest : public NetworkTest {
 protected:
  void SetUp() override { CreateFile(); }
};

TEST_F(NetworkProcessTest, ASixthWriterFindsNoUserSlot) {
  std::vector<std::unique_ptr<PeerProcess>> peers;
  for (int i = 0; i < 5; ++i) peers.push_back(StartPeer());
  EXPECT_EQ(FileblockOpen(Name("N"), ParseOpenOptions("shared")), nullptr);
  EXPECT_EQ(Err(), kIsamNoUserSlot);
  EXPECT_EQ(FileblockUsedRecs(Open("rosharing")), 0);  // reading needs no slot
  EXPECT_EQ(peers[2]->Do("close"), "ok");
  EXPECT_NE(Open(), nullptr);
}

TEST_F(NetworkProcessTest, ARecordLockedByAnotherUserIsReadButNotWrittenOrLocked) {
  FileblockHandle a = Open();
  FileblockLockFile(a);
  const RecRef ref = Add(a, "ALPHA");
  FileblockUnlockFile(a);
  ASSERT_ISAM(FileblockLockRecord(a, ref), 0);

  auto b = StartPeer();
  const std::string r = std::to_string(ref);
  EXPECT_EQ(b->Do("getlocked " + r), "err 10205 ALPHA");  // bytes 4 onward delivered
  EXPECT_EQ(b->Do("get " + r), "err 10397");
  EXPECT_EQ(b->Do("lock"), "ok");
  const std::vector<std::string> put = Words(b->Do("put " + r + " BETA"));
  ASSERT_EQ(put.size(), 2u);
  EXPECT_EQ(EngineErrorClass(std::stoi(put[1])), 2);  // a lock conflict the driver retries
  EXPECT_EQ(b->Do("unlock"), "ok");
  EXPECT_EQ(b->Do("sleeper fake"), "ok");
  EXPECT_EQ(b->Do("lockrec " + r), "err 10335");
  EXPECT_EQ(b->Do("sleeps"), "ok 11 704");  // 12 attempts 64 ms apart: the 768 ms limit
  FileblockUnlockRecord(a, ref);
  EXPECT_EQ(b->Do("lockrec " + r), "ok");
  EXPECT_EQ(b->Do("get " + r), "ok ALPHA");
}

TEST_F(NetworkProcessTest, AWriteLockKeepsOtherWritersOutUntilTheLimit) {
  FileblockHandle a = Open();
  auto b = StartPeer();
  auto c = StartPeer("");
  ASSERT_ISAM(FileblockLockFile(a), 0);
  EXPECT_EQ(b->Do("sleeper fake"), "ok");
  EXPECT_EQ(b->Do("lock"), "err 10330");
  EXPECT_EQ(b->Do("sleeps"), "ok 47 3008");  // 48 attempts: the 3072 ms limit
  EXPECT_EQ(b->Do("readlock"), "err 10332");
  EXPECT_EQ(b->Do("sleeps"), "ok 11 704");
  EXPECT_EQ(b->Do("count"), "err 10399 -1");
  // An open waits for the write lock, too.
  EXPECT_EQ(c->Do("sleeper fake"), "ok");
  EXPECT_EQ(c->Do("open " + Name("N") + " shared"), "err 10355");
  EXPECT_EQ(c->Do("sleeps"), "ok 47 3008");
  FileblockUnlockFile(a);
  EXPECT_EQ(b->Do("lock"), "ok");
  EXPECT_EQ(b->Do("unlock"), "ok");
  EXPECT_EQ(c->Do("open " + Name("N") + " shared"), "ok");
}

TEST_F(NetworkProcessTest, AfterAnotherUserAddsAThousandRecordsTheNextLockSeesThemAll) {
  FileblockHandle b = Open();
  FileblockLockFile(b);
  for (int i = 0; i < 100; ++i) Add(b, "OLD" + std::to_string(10000 + i));
  FileblockUnlockFile(b);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(Entries(b, k).size(), 100u);  // pages now cached

  auto a = StartPeer();
  EXPECT_EQ(a->Do("addmany NEW 0 1000"), "ok");
  EXPECT_EQ(a->Do("count"), "ok 1100 1100 1100 1100");

  ASSERT_ISAM(FileblockLockFile(b), 0);
  EXPECT_EQ(FileblockUsedRecs(b), 1100);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(FileblockUsedKeys(b, k), 1100);
  const std::vector<std::string> keys = Entries(b, 1);
  ASSERT_EQ(keys.size(), 1100u);
  for (int i = 0; i < 1000; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "NEW%05d", i);
    EXPECT_EQ(keys[static_cast<std::size_t>(i)].substr(0, 8), text);
  }
  FileblockUnlockFile(b);
  FileblockClose(b);
  EXPECT_EQ(a->Do("close"), "ok");
  EXPECT_EQ(IsamCheck(Name("N"), PeerCheckOptions()).Text(), "");
}

TEST_F(NetworkProcessTest, SlotBitsAfterAReleaseHoldTheChangedHeadersAndTheNewsBit) {
  FileblockHandle b = Open();
  FileblockLockFile(b);
  const RecRef ref = Add(b, "BASE");
  FileblockUnlockFile(b);
  auto a = StartPeer();
  EXPECT_EQ(a->Do("lock"), "ok");  // A reads the news of the fresh dialog file
  EXPECT_EQ(a->Do("unlock"), "ok");
  FileblockLockFile(b);  // B clears its slot
  FileblockUnlockFile(b);
  const auto b_slot = static_cast<std::size_t>(kSlotAreaStart + b->net->own_slot);
  ASSERT_EQ(Dialog()[b_slot], 0);
  EXPECT_EQ(a->Do("addkey 3 " + std::to_string(ref) + " EXTRA"), "err 10398");
  EXPECT_EQ(a->Do("lock"), "ok");
  EXPECT_EQ(a->Do("addkey 3 " + std::to_string(ref) + " EXTRA"), "ok");
  EXPECT_EQ(a->Do("unlock"), "ok");
  EXPECT_EQ(Dialog()[b_slot], 0x18);  // key 3 and the news bit (bit 4 with three keys)
  EXPECT_EQ(FileblockUsedKeys(b, 3), 2);
  EXPECT_EQ(Dialog()[b_slot], 0);
}

TEST_F(NetworkProcessTest, AnExclusiveOpenKeepsEveryoneOut) {
  FileblockHandle a = FileblockOpen(Name("N"));
  ASSERT_NE(a, nullptr);
  auto b = StartPeer("");
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "err 10355");  // retried as a lock conflict
  EXPECT_EQ(b->Do("open " + Name("N")), "err 10140");
  FileblockClose(a);
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "ok");
  // And the other way round: a shared user keeps an exclusive opener out.
  EXPECT_EQ(FileblockOpen(Name("N")), nullptr);
  EXPECT_EQ(Err(), kIsamOsFailure);
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

}  // namespace
}  // namespace storage::testing
