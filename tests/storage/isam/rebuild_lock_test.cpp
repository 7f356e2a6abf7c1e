// The rebuild lock: a rebuild, a repair or a creation of the files runs only while no other
// process has the fileblock open or is opening it, and every open waits while one runs; and a
// reorganisation that stopped halfway is put back from its "SAV" file.

#include "platform/fake_environment.h"
#include "storage/isam/file_names.h"
#include "storage/isam/rebuild.h"
#include "tests/storage/isam/network_fixture.h"

namespace storage::testing {
namespace {

class RebuildLockTest : public NetworkTest {
 protected:
  void SetUp() override { CreateFile(); }
  platform::FakeSleeper sleeper_;
  platform::ScopedEnvironment env_{nullptr, &sleeper_, nullptr};
};

TEST_F(RebuildLockTest, ExclusiveUseWaitsForEveryUserAndKeepsEveryOpenOut) {
  const std::string exclusive = "exclusive " + Name("N");
  FileblockHandle a = Open("shared");
  auto b = StartPeer("");
  EXPECT_EQ(b->Do(exclusive), "err 10355");
  EXPECT_EQ(b->Do("sleeps"), "ok 47 3008");  // 48 attempts 64 ms apart: the 3072 ms limit
  FileblockClose(a);
  a = Open("");  // an unshared user holds its data file alone, no lock, once it is open
  EXPECT_EQ(b->Do(exclusive), "err 10355");
  FileblockClose(a);

  EXPECT_EQ(b->Do(exclusive), "ok");
  for (const char* options : {"shared", "", "shared journal"}) {
    EXPECT_EQ(RefusedOpen(Name("N"), ParseOpenOptions(options)), kIsamOpenLockRefused) << options;
  }
  EXPECT_EQ(sleeper_.sleeps.size(), 3u * 47);
  EXPECT_ISAM(FileblockTakeExclusive(Name("N")), kIsamOpenLockRefused);
  EXPECT_EQ(b->Do("release " + Name("N")), "ok");
  EXPECT_NE(Open("shared"), nullptr);
}

TEST_F(RebuildLockTest, TheHolderOpensCreatesAndRebuildsWhileTheDialogFileStays) {
  ASSERT_ISAM(FileblockTakeExclusive(Name("N")), 0);
  ASSERT_ISAM(FileblockTakeExclusive(Name("N")), 0);  // nested
  FileblockHandle h = Open("shared");
  ASSERT_NE(h, nullptr);
  FileblockLockFile(h);
  Add(h, "KEPT");
  FileblockUnlockFile(h);
  FileblockClose(h);
  auto b = StartPeer("");
  RebuildFixed(Name("N"), kPeerRecordLength, kPeerKeys, PeerKeys);
  EXPECT_EQ(Err(), 0);
  // Made fresh, not deleted: it carries the lock; the rebuild moved its repair mark on.
  EXPECT_EQ(Dialog(), Bytes{1});
  FileblockReleaseExclusive(Name("N"));
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "err 10355");  // held once more
  FileblockReleaseExclusive(Name("N"));
  EXPECT_EQ(b->Do("open " + Name("N") + " shared"), "ok");
  EXPECT_EQ(b->Do("get 1"), "ok KEPT");
}

// What a process holding exclusive use finds of a reorganisation that stopped: the files before
// (a "SAV" beside a data file marked or not, or alone) and what it makes of them.
struct RestoreCase {
  const char* name;
  bool data;         // a "DAT" beside the "SAV"
  bool data_marked;  // that "DAT" is marked as not closed properly
  int expected;
  bool restored;  // "SAV" became "DAT" (marked); otherwise both stay as they were
};

class RestoreTest : public EngineTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, PutsTheSaveCopyBackOnlyWhereNothingIsLost) {
  const RestoreCase& c = GetParam();
  ASSERT_ISAM(FileblockCreate(Name("R"), 40, {}), 0);
  const std::string save = Name("R") + ".SAV";
  std::string old_data = ReadFile(Name("R") + ".DAT") + std::string(40, '\0');  // one record
  WriteFile(save, old_data);
  const std::string new_data = std::string(20, '\0') + std::string(1, c.data_marked ? 1 : 0);
  std::filesystem::remove(Name("R") + ".DAT");
  if (c.data) WriteFile(Name("R") + ".DAT", new_data);
  RestoreInterruptedRebuild(Name("R"));
  EXPECT_EQ(Err(), c.expected);
  EXPECT_EQ(std::filesystem::exists(save), !c.restored);
  if (c.restored) old_data[20] = 1;  // the next open rebuilds the index
  EXPECT_EQ(ReadFile(Name("R") + ".DAT"), c.restored ? old_data : new_data);
}

const RestoreCase kRestoreCases[] = {
    {"SaveAloneBecomesTheDataFile", false, false, 0, true},
    {"TheStoppedRunsNewFileGoes", true, true, 0, true},
    {"AnUnmarkedDataFileIsNeverThrownAway", true, false, kIsamRebuildFilesLeft, false},
};
INSTANTIATE_TEST_SUITE_P(Cases, RestoreTest, ::testing::ValuesIn(kRestoreCases), RowName);

TEST_F(EngineTest, WithoutASaveCopyTheRestoreChangesNothing) {
  ASSERT_ISAM(FileblockCreate(Name("R"), 40, {}), 0);
  const std::string before = ReadFile(Name("R") + ".DAT");
  EXPECT_ISAM(RestoreInterruptedRebuild(Name("R")), 0);
  EXPECT_EQ(ReadFile(Name("R") + ".DAT"), before);
  const FilesPresent present = FileblockFilesPresent(Name("R"));
  EXPECT_TRUE(present.data && !present.index && !present.save);
}

}  // namespace
}  // namespace storage::testing
