// Several processes share one file through the driver: AUTOKEY numbers stay unique and dense,
// and an update never overwrites another user's change.
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <fstream>
#include <iterator>
#include <set>

#include "driver_fixture.h"
#include "storage/isam_check.h"
#include "tests/storage/engine_fixture.h"

namespace storage_test {
namespace {

// Starts the peer with the arguments; its standard output goes to `out`.
pid_t Spawn(const std::vector<std::string>& args, const std::string& out) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    std::vector<char*> argv;
    std::string peer = DRIVER_PEER_PATH;
    argv.push_back(peer.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string Read(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MultiProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const int probe = Wait(Spawn({folder_.path(), "probe"}, folder_.File("probe.out")));
    ASSERT_EQ(probe, 0) << "the peer could not take the shared write lock (77) or start";
  }
  std::string Out(const std::string& name) { return folder_.File(name + ".out"); }

  storage::testing::TempFolder folder_;
};

TEST_F(MultiProcessTest, FiveWritersGetDenseUniqueAutoKeyNumbers) {
  std::vector<pid_t> peers;
  for (int i = 0; i < 5; ++i) {
    const std::string tag = std::string(1, static_cast<char>('A' + i));
    peers.push_back(Spawn({folder_.path(), "add", "1000", tag}, Out(tag)));
  }
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(Wait(peers[i]), 0) << "peer " << i << ": " << Read(Out(std::string(1, 'A' + i)));
  }
  storage::CheckOptions o;
  o.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    std::string text;
    TestKeys(record, static_cast<std::uint16_t>(key), text);
    return text;
  };
  const storage::CheckReport report = storage::IsamCheck(folder_.File("PXLK"), o);
  EXPECT_TRUE(report.ok()) << report.Text();
  EXPECT_EQ(report.used_records, 5000);
  // The numbers, read back through the driver in this process.
  common::Service<storage::DriverSystem>::Install(std::make_unique<storage::DriverSystem>());
  ASSERT_TRUE(storage::StartDriverSystem(0, 160, 32));
  storage::IFDriver d;
  storage::DriverOpenParams p;
  p.name = "PXLK";
  p.path = folder_.File("PXLK");
  p.record_length = p.buffer_length = sizeof(TestRec);
  p.key_count = 3;
  p.key_builder = TestKeys;
  ASSERT_TRUE(d.Open(p));
  ASSERT_TRUE(d.DefineKey(1, 5, false) && d.DefineKey(2, 10, true) && d.DefineKey(3, 8, false));
  std::vector<std::int32_t> numbers;
  for (bool ok = d.FirstRecord(1); ok; ok = d.NextRecord(1)) {
    numbers.push_back(reinterpret_cast<TestRec*>(d.RecordBuffer())->number);
  }
  ASSERT_EQ(numbers.size(), 5000u);
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(numbers[i], i + 1);
  d.Destroy();
  storage::StopDriverSystem();
  common::Service<storage::DriverSystem>::Destroy();
}

TEST_F(MultiProcessTest, TheSecondUpdateOfOneRecordGets12309AndSeesTheFirst) {
  ASSERT_EQ(Wait(Spawn({folder_.path(), "add", "3", "DL"}, Out("add"))), 0);
  const std::string ready = folder_.File("ready");
  const std::string go = folder_.File("go");
  const pid_t second =
      Spawn({folder_.path(), "hold-update", "DL1", "SECOND", ready, go}, Out("second"));
  for (int i = 0; i < 6000 && access(ready.c_str(), F_OK) != 0; ++i) usleep(5000);
  ASSERT_EQ(access(ready.c_str(), F_OK), 0) << "the second peer never read its record";
  ASSERT_EQ(Wait(Spawn({folder_.path(), "update", "DL1", "FIRST"}, Out("first"))), 0);
  EXPECT_EQ(Read(Out("first")), "class=0 error=0 call=FIRST\n");
  std::fclose(std::fopen(go.c_str(), "w"));
  ASSERT_EQ(Wait(second), 0);
  EXPECT_EQ(Read(Out("second")), "class=1 error=12309 call=FIRST\n");
}

}  // namespace
}  // namespace storage_test
