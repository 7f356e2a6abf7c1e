// Network tests: an engine in network mode and isam_peer users in their own processes.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "tests/storage/isam/engine_fixture.h"
#include "tests/storage/isam/peer_scheme.h"

namespace storage::testing {

class PeerProcess {
 public:
  // Starts the peer with the engine in network mode; check started().
  PeerProcess() {
    signal(SIGPIPE, SIG_IGN);  // a peer that died must not take the test process with it
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      execl(ISAM_PEER_PATH, ISAM_PEER_PATH, nullptr);
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    to_ = fdopen(in[1], "w");
    from_ = fdopen(out[0], "r");
  }
  // Ends the peer (the end of its input stops it; killed when it does not end within 5 s).
  ~PeerProcess() {
    if (to_ != nullptr) std::fclose(to_);
    if (from_ != nullptr) std::fclose(from_);
    int waited = ended_ ? -1 : 0;
    for (int i = 0; pid_ > 0 && waited == 0 && i < 500; ++i, usleep(10000)) {
      waited = waitpid(pid_, nullptr, WNOHANG);
    }
    if (pid_ > 0 && waited == 0 && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
  }
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  bool started() const { return pid_ > 0 && to_ != nullptr && from_ != nullptr; }
  void Send(const std::string& command) {
    std::fprintf(to_, "%s\n", command.c_str());
    std::fflush(to_);
  }
  // The next answer line ("" when the peer ended).
  std::string ReadLine() {
    char line[4096];
    if (std::fgets(line, sizeof line, from_) == nullptr) return "";
    return std::string(line, std::strcspn(line, "\n"));
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
  std::FILE* to_ = nullptr;
  std::FILE* from_ = nullptr;
  bool ended_ = false;
};

class NetworkTest : public EngineTest {
 protected:
  NetworkTest() : EngineTest(160, kNetworkShared) {}

  void CreateFile(const std::string& base = "N", const std::vector<KeySpec>& keys = kPeerKeys) {
    ASSERT_ISAM(FileblockCreate(Name(base), kPeerRecordLength, keys), 0);
  }
  // Opens with the options of ParseOpenOptions.
  FileblockHandle Open(const std::string& options = "shared", const std::string& base = "N") {
    return Reopen(nullptr, base, ParseOpenOptions(options));
  }
  // Adds the scheme's record of `text` with its first `keys` keys (the caller holds the lock).
  RecRef Add(FileblockHandle h, const std::string& text, int keys = 3) {
    const RecRef ref = FileblockAddRecord(h, PeerRecord(text).data());
    EXPECT_EQ(Err(), 0) << text;
    for (int k = 1; k <= keys; ++k) {
      EXPECT_ISAM(FileblockAddKey(h, k, ref, KeyStr(PeerKeyText(text, k))), 0) << text;
    }
    return ref;
  }
  Bytes Dialog(const std::string& base = "N") {
    const std::string bytes = ReadFile(Name(base) + ".DIA");
    return Bytes(bytes.begin(), bytes.end());
  }
  // A peer with the fileblock opened with `options` ("shared journal", ...; "" leaves it closed).
  std::unique_ptr<PeerProcess> StartPeer(const std::string& options = "shared",
                                         const std::string& base = "N") {
    auto peer = std::make_unique<PeerProcess>();
    EXPECT_TRUE(peer->started());
    EXPECT_EQ(options.empty() ? "ok" : peer->Do("open " + Name(base) + " " + options), "ok");
    return peer;
  }
};

}  // namespace storage::testing
