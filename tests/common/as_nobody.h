// What a user other than root may do, tested where the tests run as root: the body runs in a
// child process that gave up root for the user "nobody", and its failures come back as the
// child's exit code.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace common::testing {

inline bool RunningAsRoot() { return geteuid() == 0; }

struct UserIds {
  uid_t uid = 65534;
  gid_t gid = 65534;
};

inline UserIds Nobody() {
  const passwd* entry = getpwnam("nobody");
  return entry == nullptr ? UserIds{} : UserIds{entry->pw_uid, entry->pw_gid};
}

// Gives `path` and everything in it to "nobody" (links themselves, not their targets).
inline void GiveToNobody(const std::string& path) {
  const UserIds nobody = Nobody();
  ASSERT_EQ(lchown(path.c_str(), nobody.uid, nobody.gid), 0) << path;
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(path))) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
    ASSERT_EQ(lchown(entry.path().c_str(), nobody.uid, nobody.gid), 0) << entry.path();
  }
}

// Runs `body` as "nobody" in a child process; true when it recorded no failure. The child ends
// without the process's exit handlers, which belong to the parent.
template <typename Body>
bool RunAsNobody(Body body) {
  const pid_t pid = fork();
  if (pid == 0) {
    const UserIds nobody = Nobody();
    if (setgroups(0, nullptr) != 0 || setgid(nobody.gid) != 0 || setuid(nobody.uid) != 0) {
      _exit(2);
    }
    body();
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace common::testing
