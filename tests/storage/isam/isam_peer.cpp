// isam_peer: another user of a fileblock for the network tests (network mode, fake lock waits).
// One command a line on stdin, one answer a line ("ok ..." or "err <IsamError> ..."):
//   open NAME OPTIONS | close | lock | readlock | unlock | lockrec REF | delrec REF | crash N
//   add TEXT (ok REF) | put REF TEXT | get REF | getlocked REF (then the text delivered)
//   addkey K REF TEXT | delkey K REF TEXT | sleeps (ok COUNT TOTALMS) | sleeper D (ms / D real)
//   writer ID COUNT SEED (W<ID>-<nnnnn>, random batches; SEED 0: one) | reader (until a line)
//   exclusive NAME | release NAME (exclusive use for a rebuild)

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <random>
#include <thread>
#include <utility>

#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "tests/storage/isam/peer_scheme.h"

namespace storage::testing {
namespace {

const int kKeys = static_cast<int>(kPeerKeys.size());

void Pause(unsigned us) { std::this_thread::sleep_for(std::chrono::microseconds(us)); }

class ScaledSleeper final : public platform::Sleeper {
 public:
  explicit ScaledSleeper(unsigned divisor) : divisor_(std::max(divisor, 1u)) {}
  void SleepMs(std::uint32_t ms) override { Pause(ms * 1000 / divisor_); }

 private:
  unsigned divisor_;
};

std::string Result(const std::string& extra = "") {
  const std::string r = Isam().IsamOK ? "ok" : "err " + std::to_string(Isam().IsamError);
  return extra.empty() ? r : r + " " + extra;
}

class Peer {
 public:
  void Run() {
    EngineInit(kNetworkShared, 160);
    for (std::string line; std::getline(std::cin, line);) {
      std::istringstream in(line);
      std::string command;
      in >> command;
      IsamReset();
      std::printf("%s\n", Do(command, in).c_str());
      std::fflush(stdout);
    }
    EngineExit();
  }

 private:
  // Adds one record with all its keys; the write lock is the caller's.
  RecRef AddOne(const std::string& text) {
    const RecRef ref = FileblockAddRecord(h_, PeerRecord(text).data());
    for (int k = 1; k <= kKeys && Isam().IsamOK; ++k) {
      FileblockAddKey(h_, k, ref, KeyStr(PeerKeyText(text, k)));
    }
    return ref;
  }

  // Takes a lock, retrying lock conflicts as the driver would.
  bool Retry(void (*lock)(FileblockHandle)) {
    for (int attempt = 0; attempt < 1000; ++attempt, Pause(200)) {
      IsamReset();
      lock(h_);
      if (Isam().IsamOK || EngineErrorClass(Isam().IsamError) != 2) return Isam().IsamOK;
    }
    return false;
  }

  std::string Writer(int id, int count, unsigned seed) {
    std::mt19937 random(seed * 7919 + static_cast<unsigned>(id));
    for (int done = 0; done < count; Pause(random() % 1500)) {
      if (!Retry(&FileblockLockFile)) return Result("lock");
      const int batch = seed == 0 ? count : std::min(count - done, 1 + int(random() % 8));
      for (int i = 0; i < batch; ++i, ++done) {
        const std::string text =
            "W" + std::to_string(id) + "-" + std::to_string(100000 + done).substr(1);
        AddOne(text);
        if (!Isam().IsamOK) return Result("add " + text);
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
    RecRef ref = 0;
    int key = 0;
    unsigned n = 0;
    std::string text;
    std::vector<std::uint8_t> record(kPeerRecordLength, 0xEE);
    if (command == "open" && in >> text) {
      std::string options;
      std::getline(in, options);
      h_ = FileblockOpen(text, ParseOpenOptions(options));
    } else if (command == "close") {
      FileblockClose(std::exchange(h_, nullptr));
    } else if (command == "lock" || command == "readlock" || command == "unlock") {
      (command == "lock"       ? FileblockLockFile
       : command == "readlock" ? FileblockReadLock
                               : FileblockUnlockFile)(h_);
    } else if (command == "lockrec" && in >> ref) {
      FileblockLockRecord(h_, ref);
    } else if (command == "add" && in >> text) {
      ref = AddOne(text);
      if (Isam().IsamOK) return Result(std::to_string(ref));
    } else if (command == "put" && in >> ref >> text) {
      FileblockPutRecord(h_, ref, PeerRecord(text).data());
    } else if ((command == "get" || command == "getlocked") && in >> ref) {
      if (command == "get") FileblockGetRecord(h_, ref, record.data());
      if (command == "getlocked") FileblockGetLockedRecord(h_, ref, record.data());
      const bool delivered = Isam().IsamOK || Isam().IsamError == kIsamRecordLockedRead;
      return Result(delivered ? PeerText(record.data()) : "");
    } else if (command == "delrec" && in >> ref) {
      FileblockDeleteRecord(h_, ref);
    } else if ((command == "addkey" || command == "delkey") && in >> key >> ref >> text) {
      (command == "addkey" ? FileblockAddKey : FileblockDeleteKey)(h_, key, ref, KeyStr(text));
    } else if (command == "sleeps") {
      text = std::to_string(fake_.sleeps.size()) + " " + std::to_string(fake_.TotalMs());
      fake_.sleeps.clear();
      return "ok " + text;
    } else if (command == "sleeper" && in >> n) {
      env_.reset();
      scaled_ = std::make_unique<ScaledSleeper>(n);
      env_ = std::make_unique<platform::ScopedEnvironment>(nullptr, scaled_.get(), nullptr);
    } else if (command == "crash" && in >> faults_.write.fail_at) {
      faults_.write.on_hit = [] { kill(getpid(), SIGKILL); };
      scoped_faults_ = std::make_unique<platform::ScopedFileFaults>(&faults_);
    } else if ((command == "exclusive" || command == "release") && in >> text) {
      (command == "exclusive" ? FileblockTakeExclusive : FileblockReleaseExclusive)(text);
    } else if (command == "writer" && in >> key >> n >> ref) {
      return Writer(key, static_cast<int>(n), static_cast<unsigned>(ref));
    } else if (command == "reader") {
      return Reader();
    } else {
      return "err 0 unknown command " + command;
    }
    return Result();
  }

  FileblockHandle h_ = nullptr;
  platform::FakeSleeper fake_;
  std::unique_ptr<ScaledSleeper> scaled_;
  std::unique_ptr<platform::ScopedEnvironment> env_ =
      std::make_unique<platform::ScopedEnvironment>(nullptr, &fake_, nullptr);
  platform::FileFaultPlan faults_;
  std::unique_ptr<platform::ScopedFileFaults> scoped_faults_;
};

}  // namespace
}  // namespace storage::testing

int main() {
  storage::testing::Peer().Run();
  return 0;
}
