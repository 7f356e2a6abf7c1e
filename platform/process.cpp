#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace platform {
namespace {

// posix_spawnp reports a failed exec (no such program, no permission) as its result.
int Spawn(const std::string& program, const std::vector<std::string>& arguments, pid_t& pid) {
  std::vector<std::string> words;
  words.reserve(arguments.size() + 1);
  words.push_back(program);
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return kProgramNotStarted;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : kProgramNotStarted;
}

}  // namespace

WinError StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  const int error = Spawn(program, arguments, pid);
  if (error != 0) return WinErrorFromErrno(error);
  // A desktop opener may run as long as the program it opened; the caller does not wait, and the
  // child must not stay behind as a zombie.
  std::thread([pid] { WaitFor(pid); }).detach();
  return kErrorSuccess;
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  pid_t pid = 0;
  if (Spawn(program, arguments, pid) != 0) return kProgramNotStarted;
  return WaitFor(pid);
}

}  // namespace platform
