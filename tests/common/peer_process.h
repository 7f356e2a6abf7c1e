// Another user of the databases in its own process: a peer program started by a test, with its
// standard output in a file, and waited for.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace common::testing {

// Starts `program` with `args`; what it prints goes to `out_path`.
inline pid_t SpawnPeer(const std::string& program, std::vector<std::string> args,
                       const std::string& out_path) {
  args.insert(args.begin(), program);
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

// The peer's exit code, or 128 plus the signal that ended it.
inline int WaitPeer(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Waits for the file `path` that another process creates; false when it has not come within
// `seconds`.
inline bool AwaitFile(const std::string& path, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace common::testing
