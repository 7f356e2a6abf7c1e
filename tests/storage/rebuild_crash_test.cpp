// A writer process killed in the middle of its adds: the data file is left marked, the open
// refuses it, and the rebuild brings back every record whose add had completed.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/storage/rebuild_fixture.h"

namespace storage::testing {
namespace {

class CrashTest : public RebuildTest {
 protected:
  // The writer: adds records 1, 2, ... with their keys and reports each completed add.
  [[noreturn]] void Writer(int report) {
    Open();
    if (h_ == nullptr) _exit(2);
    for (std::int32_t id = 1;; ++id) {
      Add(id, NameOf(id));
      if (!Isam().IsamOK) _exit(3);
      if (write(report, &id, sizeof id) != sizeof id) _exit(4);
    }
  }
};

TEST_P(CrashTest, KilledWriterLosesNoCompletedAdd) {
  Create();
  Close();
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    close(fds[0]);
    Writer(fds[1]);
  }
  close(fds[1]);
  std::int32_t id = 0;
  std::int32_t completed = 0;
  while (completed < 400 && read(fds[0], &id, sizeof id) == sizeof id) completed = id;
  ASSERT_EQ(kill(pid, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended by itself with " << WEXITSTATUS(status);
  // Everything reported before the kill had completed.
  while (read(fds[0], &id, sizeof id) == sizeof id) completed = id;
  close(fds[0]);
  ASSERT_GE(completed, 400);

  EXPECT_EQ(FileblockOpen(Name()), nullptr);
  EXPECT_EQ(Err(), kIsamIndexUnusable);
  ASSERT_ISAM(Rebuild(), 0);
  for (std::int32_t i = 1; i <= completed; ++i) ids_[i] = NameOf(i);
  // The add in flight may have reached the data file too; nothing else may be there.
  Open();
  const std::int32_t records = FileblockUsedKeys(h_, 1);
  Close();
  ASSERT_TRUE(records == completed || records == completed + 1) << records;
  if (records == completed + 1) ids_[completed + 1] = NameOf(completed + 1);
  ExpectRecords();
}

INSTANTIATE_TEST_SUITE_P(Records, CrashTest, ::testing::Bool(), RowName);

}  // namespace
}  // namespace storage::testing
