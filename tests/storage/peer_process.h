// A peer process for the network tests: the isam_peer program (command language in
// isam_peer.cpp), started with fork/exec and driven line by line through pipes.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

namespace storage::testing {

class PeerProcess {
 public:
  // Starts the peer; check started().
  PeerProcess() {
    signal(SIGPIPE, SIG_IGN);  // a peer that died must not take the test process with it
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
    to_peer_ = in[1];
    from_peer_ = out[0];
    pid_ = pid;
  }
  // Ends the peer ("exit", then waits; kills it when it does not end within 5 s).
  ~PeerProcess() {
    if (pid_ > 0 && !ended_) {
      Send("exit");
      close(to_peer_);
      to_peer_ = -1;
      int status = 0;
      for (int i = 0; i < 500 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(10000);
      if (waitpid(pid_, &status, WNOHANG) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
      }
    }
    if (to_peer_ >= 0) close(to_peer_);
    if (from_peer_ >= 0) close(from_peer_);
  }
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  bool started() const { return pid_ > 0; }

  void Send(const std::string& command) {
    const std::string line = command + "\n";
    for (std::size_t done = 0; done < line.size();) {
      const ssize_t n = write(to_peer_, line.data() + done, line.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }
  // The next answer line ("" when the peer ended).
  std::string ReadLine() {
    for (std::size_t eol; (eol = buffer_.find('\n')) == std::string::npos;) {
      char chunk[4096];
      const ssize_t n = read(from_peer_, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return "";
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
    const std::size_t eol = buffer_.find('\n');
    std::string line = buffer_.substr(0, eol);
    buffer_.erase(0, eol + 1);
    return line;
  }
  std::string Do(const std::string& command) {
    Send(command);
    return ReadLine();
  }
  // Waits for the peer to end; its raw wait status.
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    ended_ = true;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int to_peer_ = -1;
  int from_peer_ = -1;
  std::string buffer_;
  bool ended_ = false;
};

// The words of an answer line.
inline std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace storage::testing
