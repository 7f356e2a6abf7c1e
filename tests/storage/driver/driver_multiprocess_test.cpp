// Several processes share one file through the driver: AUTOKEY numbers stay unique and dense,
// and an update never overwrites another user's change.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/storage/driver/driver_fixture.h"

namespace storage_test {
namespace {

using common::testing::ReadFile;

class MultiProcessTest : public DriverTest {
 protected:
  // Starts the peer in the test folder; its standard output goes to "<out>.out".
  pid_t Spawn(std::vector<std::string> args, const std::string& out) {
    args.insert(args.begin(), {DRIVER_PEER_PATH, folder_.path()});
    const std::string out_path = Out(out);
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return pid;
  }
  static int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string Out(const std::string& name) const { return folder_ / (name + ".out"); }
};

TEST_F(MultiProcessTest, FiveWritersGetDenseUniqueAutoKeyNumbers) {
  auto d = OpenTest("PXLK", true);
  ASSERT_TRUE(d->Mark());  // creates the file before the writers race for it
  const Texts tags = {"A", "B", "C", "D", "E"};
  std::vector<pid_t> peers;
  for (const std::string& tag : tags) peers.push_back(Spawn({"add", "1000", tag}, tag));
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(Wait(peers[i]), 0) << "peer " << tags[i] << ": " << ReadFile(Out(tags[i]));
  }
  std::int32_t expected = 0;
  for (bool ok = d->FirstRecord(1); ok; ok = d->NextRecord(1))
    ASSERT_EQ(Rec(*d).number, ++expected);
  EXPECT_EQ(expected, 5000);
  EXPECT_EQ(Check(), "");
}

TEST_F(MultiProcessTest, TheSecondUpdateOfOneRecordGets12309AndSeesTheFirst) {
  ASSERT_EQ(Wait(Spawn({"add", "3", "DL"}, "add")), 0);
  const std::string ready = folder_ / "ready";
  const std::string go = folder_ / "go";
  const pid_t second = Spawn({"update", "DL1", "SECOND", ready, go}, "second");
  for (int i = 0; i < 6000 && access(ready.c_str(), F_OK) != 0; ++i) usleep(5000);
  ASSERT_EQ(access(ready.c_str(), F_OK), 0) << "the second peer never read its record";
  ASSERT_EQ(Wait(Spawn({"update", "DL1", "FIRST"}, "first")), 0);
  EXPECT_EQ(ReadFile(Out("first")), "class=0 error=0 call=FIRST\n");
  common::testing::WriteFile(go, "");
  ASSERT_EQ(Wait(second), 0);
  EXPECT_EQ(ReadFile(Out("second")), "class=1 error=12309 call=FIRST\n");
}

// Another station dies inside its add (killed at its third write, the record's): this station's
// next change finds the log unusable and asks; declined, it is told once and its operations fail
// without a question until the repair is asked about again; then it repairs the log in place and changes
// its own record, which keeps its reference.
TEST_F(MultiProcessTest, AStationFindingAnotherCrashedRepairsTheLogAndChangesItsOwnRecord) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 8; ++i) Add(*d, "R" + std::to_string(i));
  ASSERT_TRUE(d->FindRecord(2, "R2") && d->DeleteRecord(0));  // a free slot before R5
  ASSERT_TRUE(d->FindRecord(2, "R5"));
  const std::int32_t before = d->CurrentRef();
  ASSERT_EQ(Wait(Spawn({"add", "1", "K", "3"}, "killed")), 128 + 9);
  Rec(*d).band = "U";
  questions.clear();
  EXPECT_FALSE(d->UpdateRecord());  // not now: a lock conflict, never EDBError
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(FirstError(), 10010);
  EXPECT_TRUE(d->RepairDeclined());
  EXPECT_FALSE(d->LockFile());
  EXPECT_FALSE(d->UpdateRecord());
  EXPECT_EQ(storage::DriverErrorClass(), 2);
  EXPECT_EQ(questions, (std::vector<int>{9, 11}));
  answer_yes = true;
  d->AskAboutRepairAgain();
  EXPECT_TRUE(d->UpdateRecord());
  EXPECT_EQ(questions, (std::vector<int>{9, 11, 9}));
  EXPECT_FALSE(d->RepairDeclined());
  EXPECT_EQ(d->CurrentRef(), before);
  // Once more, for a delete, which lets go of its record when it finds the log unusable.
  ASSERT_TRUE(d->FindRecord(2, "R0") && d->DeleteRecord(0));
  ASSERT_TRUE(d->FindRecord(2, "R6"));
  ASSERT_EQ(Wait(Spawn({"add", "1", "K", "3"}, "killed")), 128 + 9);
  EXPECT_TRUE(d->DeleteRecord(0));
  std::vector<std::string> records;
  for (bool ok = d->FirstRecord(1); ok; ok = d->NextRecord(1)) {
    records.push_back(Rec(*d).call.str() + Rec(*d).band.str());
  }
  EXPECT_EQ(records, (Texts{"R1A", "R3A", "R4A", "R5U", "R7A"}));
  EXPECT_EQ(Check(), "");
}

// Another station deletes the record between this station's step along the key and its read of
// the record: no damage, the walk goes past the record.
TEST_F(MultiProcessTest, ARecordDeletedBetweenTheKeyAndItsReadIsPassedOver) {
  auto d = OpenTest("PXLK", true);
  for (int i = 0; i < 5; ++i) Add(*d, "R" + std::to_string(i));
  ASSERT_TRUE(d->FirstRecord(2));
  questions.clear();
  bool deleted = false;
  engine_->inject = [&](const std::string& op) {
    if (op == "GetRecord" && !deleted) {
      deleted = true;
      EXPECT_EQ(Wait(Spawn({"delete", "R1"}, "deleter")), 0) << ReadFile(Out("deleter"));
    }
    return 0;
  };
  Texts calls;
  for (bool ok = d->NextRecord(2); ok; ok = d->NextRecord(2)) calls.push_back(Rec(*d).call.str());
  engine_->inject = nullptr;
  EXPECT_TRUE(deleted);
  EXPECT_EQ(calls, (Texts{"R2", "R3", "R4"}));
  EXPECT_EQ(engine_->calls["Rebuild"], 0);
  EXPECT_TRUE(questions.empty());
}

}  // namespace
}  // namespace storage_test
