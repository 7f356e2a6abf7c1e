#include "tests/storage/peer_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

namespace storage::testing {

PeerProcess::PeerProcess() {
  // A peer that died must not take the test process with it when a command is sent.
  signal(SIGPIPE, SIG_IGN);
  int in[2];
  int out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    char* const argv[] = {const_cast<char*>(ISAM_PEER_PATH), nullptr};
    execv(ISAM_PEER_PATH, argv);
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  if (pid < 0) {
    close(in[1]);
    close(out[0]);
    return;
  }
  pid_ = pid;
  to_peer_ = in[1];
  from_peer_ = out[0];
}

PeerProcess::~PeerProcess() {
  if (pid_ <= 0) return;
  if (!ended_) {
    Send("exit");
    close(to_peer_);
    to_peer_ = -1;
    int status = 0;
    // A peer stuck in a wait would hang the test run: give it a few seconds, then kill it.
    for (int i = 0; i < 500 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
  }
  if (to_peer_ >= 0) close(to_peer_);
  close(from_peer_);
}

void PeerProcess::Send(const std::string& command) {
  const std::string line = command + "\n";
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = write(to_peer_, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string PeerProcess::ReadLine() {
  for (;;) {
    const std::size_t eol = buffer_.find('\n');
    if (eol != std::string::npos) {
      std::string line = buffer_.substr(0, eol);
      buffer_.erase(0, eol + 1);
      return line;
    }
    char chunk[4096];
    const ssize_t n = read(from_peer_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return "";
    buffer_.append(chunk, static_cast<std::size_t>(n));
  }
}

std::string PeerProcess::Do(const std::string& command) {
  Send(command);
  return ReadLine();
}

int PeerProcess::Wait() {
  int status = 0;
  waitpid(pid_, &status, 0);
  ended_ = true;
  return status;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace storage::testing
