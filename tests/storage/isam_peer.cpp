// isam_peer: another user of a fileblock for the network tests. It reads commands from stdin, one
// a line, carries each out with the engine and answers one line: "ok ..." or "err <IsamError> ...".
//
//   init MODE BUFFERS | open NAME [options of ParseOpenOptions] | close | exit
//   lock | readlock | unlock | lockrec REF
//   add TEXT                     the record of TEXT with its keys (peer_scheme.h); ok REF
//   addmany PREFIX FIRST COUNT   PREFIX%05d from FIRST on, under one write lock
//   get REF | getlocked REF      then the text of the record delivered
//   put REF TEXT | addkey K REF TEXT | delkey K REF TEXT
//   count                        ok USEDRECS KEYS1 KEYS2 ...
//   sleeper fake|scaled D        fake records waits without waiting, scaled waits ms / D
//   sleeps                       ok COUNT TOTALMS of the fake sleeper since the last "sleeps"
//   crash N                      the N-th file write from now kills the process (SIGKILL)
//   writer ID COUNT SEED         adds COUNT records under write locks in random batches
//   reader                       checks the counts under read locks until a line arrives;
//                                ok CHECKS

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "tests/storage/peer_scheme.h"

namespace storage::testing {
namespace {

const int kKeys = static_cast<int>(kPeerKeys.size());

class ScaledSleeper final : public platform::Sleeper {
 public:
  explicit ScaledSleeper(int divisor) : divisor_(divisor < 1 ? 1 : divisor) {}
  void SleepMs(std::uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / divisor_));
  }

 private:
  int divisor_;
};

void KillSelf() { kill(getpid(), SIGKILL); }
void Pause(unsigned microseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

std::string Result(const std::string& extra = "") {
  const std::string r = Isam().IsamOK ? "ok" : "err " + std::to_string(Isam().IsamError);
  return extra.empty() ? r : r + " " + extra;
}

class Peer {
 public:
  void Run() {
    for (std::string line; std::getline(std::cin, line);) {
      std::istringstream in(line);
      std::string command;
      in >> command;
      if (command == "exit") break;
      IsamReset();
      std::printf("%s\n", Do(command, in).c_str());
      std::fflush(stdout);
    }
    if (EngineStarted()) EngineExit();
  }

 private:
  // Adds one record with all its keys; the write lock is the caller's.
  bool AddOne(const std::string& text, RecRef* ref) {
    *ref = FileblockAddRecord(h_, PeerRecord(text).data());
    for (int k = 1; k <= kKeys && Isam().IsamOK; ++k) {
      FileblockAddKey(h_, k, *ref, KeyStr(PeerKeyText(text, k)));
    }
    return Isam().IsamOK;
  }

  // Takes a lock, retrying lock conflicts as the driver would.
  bool Retry(void (*lock)(FileblockHandle)) {
    for (int attempt = 0; attempt < 1000; ++attempt, Pause(200)) {
      IsamReset();
      lock(h_);
      if (Isam().IsamOK) return true;
      if (EngineErrorClass(Isam().IsamError) != 2) return false;
    }
    return false;
  }

  std::string Writer(int id, int count, unsigned seed) {
    std::mt19937 random(seed * 7919 + static_cast<unsigned>(id));
    for (int done = 0; done < count; Pause(random() % 1500)) {
      if (!Retry(&FileblockLockFile)) return Result("lock");
      const int batch = std::min(count - done, 1 + static_cast<int>(random() % 8));
      for (int i = 0; i < batch; ++i, ++done) {
        char text[32];
        std::snprintf(text, sizeof text, "W%d-%05d", id, done);
        RecRef ref = 0;
        if (!AddOne(text, &ref)) return Result(std::string("add ") + text);
      }
      FileblockUnlockFile(h_);
      if (!Isam().IsamOK) return Result("unlock");
    }
    return Result();
  }

  // Under a read lock no writer is inside a change: every key holds every record.
  std::string Reader() {
    int checks = 0;
    for (pollfd p{STDIN_FILENO, POLLIN, 0}; poll(&p, 1, 0) <= 0; ++checks, Pause(500)) {
      if (!Retry(&FileblockReadLock)) return Result("readlock");
      const std::int32_t used = FileblockUsedRecs(h_);
      for (int k = 1; k <= kKeys; ++k) {
        if (FileblockUsedKeys(h_, k) != used) return "err 0 key " + std::to_string(k) + " short";
      }
      FileblockUnlockFile(h_);
      if (!Isam().IsamOK) return Result("unlock");
    }
    std::string stop;
    std::getline(std::cin, stop);
    return "ok " + std::to_string(checks);
  }

  std::string Do(const std::string& command, std::istringstream& in) {
    static const std::map<std::string, void (*)(FileblockHandle)> kPlain = {
        {"close", FileblockClose},
        {"lock", FileblockLockFile},
        {"readlock", FileblockReadLock},
        {"unlock", FileblockUnlockFile}};
    RecRef ref = 0;
    int key = 0;
    int n = 0;
    std::string text;
    if (auto plain = kPlain.find(command); plain != kPlain.end()) {
      plain->second(h_);
      if (command == "close") h_ = nullptr;
    } else if (command == "init" && in >> key >> n) {
      EngineInit(key, n);
    } else if (command == "open" && in >> text) {
      std::string options;
      std::getline(in, options);
      h_ = FileblockOpen(text, ParseOpenOptions(options));
    } else if (command == "lockrec" && in >> ref) {
      FileblockLockRecord(h_, ref);
    } else if (command == "add" && in >> text) {
      if (AddOne(text, &ref)) return Result(std::to_string(ref));
    } else if (command == "addmany" && in >> text >> key >> n) {
      FileblockLockFile(h_);
      for (int i = key; i < key + n && Isam().IsamOK; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s%05d", text.c_str(), i);
        AddOne(name, &ref);
      }
      if (Isam().IsamOK) FileblockUnlockFile(h_);
    } else if ((command == "get" || command == "getlocked") && in >> ref) {
      std::vector<std::uint8_t> record(kPeerRecordLength, 0xEE);
      if (command == "get") FileblockGetRecord(h_, ref, record.data());
      if (command == "getlocked") FileblockGetLockedRecord(h_, ref, record.data());
      const bool delivered = Isam().IsamOK || Isam().IsamError == kIsamRecordLockedRead;
      return Result(delivered ? PeerText(record.data()) : "");
    } else if (command == "put" && in >> ref >> text) {
      FileblockPutRecord(h_, ref, PeerRecord(text).data());
    } else if (command == "addkey" && in >> key >> ref >> text) {
      FileblockAddKey(h_, key, ref, KeyStr(text));
    } else if (command == "delkey" && in >> key >> ref >> text) {
      FileblockDeleteKey(h_, key, ref, KeyStr(text));
    } else if (command == "count") {
      std::string counts = std::to_string(FileblockUsedRecs(h_));
      for (int k = 1; Isam().IsamOK && k <= kKeys; ++k) {
        counts += " " + std::to_string(FileblockUsedKeys(h_, k));
      }
      return Result(counts);
    } else if (command == "sleeper" && in >> text) {
      env_.reset();
      if (text == "fake") {
        env_ = std::make_unique<platform::ScopedEnvironment>(&clock_, &fake_, nullptr);
      } else if (in >> n) {
        scaled_ = std::make_unique<ScaledSleeper>(n);
        env_ = std::make_unique<platform::ScopedEnvironment>(nullptr, scaled_.get(), nullptr);
      }
    } else if (command == "sleeps") {
      const std::string reply =
          std::to_string(fake_.sleeps.size()) + " " + std::to_string(fake_.TotalMs());
      fake_.sleeps.clear();
      return "ok " + reply;
    } else if (command == "crash" && in >> n) {
      faults_ = {};
      faults_.write.fail_at = static_cast<std::uint64_t>(n);
      faults_.write.on_hit = &KillSelf;
      scoped_faults_ = std::make_unique<platform::ScopedFileFaults>(&faults_);
    } else if (command == "writer" && in >> key >> n >> ref) {
      return Writer(key, n, static_cast<unsigned>(ref));
    } else if (command == "reader") {
      return Reader();
    } else {
      return "err 0 unknown command " + command;
    }
    return Result();
  }

  FileblockHandle h_ = nullptr;
  platform::FakeClock clock_;
  platform::FakeSleeper fake_{&clock_};
  std::unique_ptr<ScaledSleeper> scaled_;
  std::unique_ptr<platform::ScopedEnvironment> env_;
  platform::FileFaultPlan faults_;
  std::unique_ptr<platform::ScopedFileFaults> scoped_faults_;
};

}  // namespace
}  // namespace storage::testing

int main() {
  storage::testing::Peer().Run();
  return 0;
}
