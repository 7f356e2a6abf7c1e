// A peer process for the network tests: the isam_peer program, started with fork/exec and
// driven line by line through pipes (command language in isam_peer.cpp).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace storage::testing {

class PeerProcess {
 public:
  PeerProcess();   // starts the peer; check started()
  ~PeerProcess();  // ends it ("exit", then waits; kills it when it does not end)
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // Sends a command and returns the answer line ("" when the peer ended).
  std::string Do(const std::string& command);
  void Send(const std::string& command);
  std::string ReadLine();
  // Waits for the peer to end; its raw wait status.
  int Wait();

 private:
  pid_t pid_ = -1;
  int to_peer_ = -1;
  int from_peer_ = -1;
  std::string buffer_;
  bool ended_ = false;
};

// The words of an answer line.
std::vector<std::string> Words(const std::string& line);

}  // namespace storage::testing
