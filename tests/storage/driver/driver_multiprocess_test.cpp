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

}  // namespace
}  // namespace storage_test
