// isam_peer: a second (third, ...) user of a fileblock for the network tests. It reads commands
// from stdin, one per line, carries each out with the engine and answers one line on stdout:
// "ok ..." or "err <IsamError> ...". Commands:
//
//   init MODE BUFFERS            EngineInit
//   open NAME [shared] [journal] [readonly] [rosharing]
//   close | lock | readlock | unlock | lockrec REF
//   add TEXT                     adds the record of TEXT and its keys (peer_scheme.h); ok REF
//   addmany PREFIX FIRST COUNT   adds PREFIX000FIRST.. under one write lock; ok
//   get REF | getlocked REF      ok|err N, then the text of the record delivered
//   put REF TEXT                 rewrites the record (not its keys)
//   addkey K REF TEXT | delkey K REF TEXT
//   count                        ok USEDRECS KEYS1 KEYS2 ...
//   sleeper fake|scaled D        fake records waits without waiting, scaled waits ms / D
//   sleeps                       ok COUNT TOTALMS (of the fake sleeper)
//   crash write N                the N-th file write from now kills the process (SIGKILL)
//   writer ID COUNT SEED         adds COUNT records under write locks in random batches
//   reader                       checks counts and records under read locks until a line
//                                arrives on stdin; ok CHECKS
//   exit

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "platform/environment.h"
#include "platform/fake_environment.h"
#include "platform/file_faults.h"
#include "storage/engine.h"
#include "tests/storage/peer_scheme.h"

namespace storage::testing {
namespace {

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

class Peer {
 public:
  int Run() {
    std::string line;
    while (std::getline(std::cin, line)) {
      std::istringstream in(line);
      std::string command;
      in >> command;
      if (command == "exit") break;
      const std::string reply = Do(command, in);
      std::printf("%s\n", reply.c_str());
      std::fflush(stdout);
    }
    if (EngineStarted()) EngineExit();
    return 0;
  }

 private:
  static std::string Result(const std::string& extra = "") {
    std::string r = Isam().IsamOK ? "ok" : "err " + std::to_string(Isam().IsamError);
    return extra.empty() ? r : r + " " + extra;
  }

  // Adds one record with all its keys; the write lock is the caller's.
  bool AddOne(const std::string& text, RecRef* ref) {
    const std::vector<std::uint8_t> record = PeerRecord(text);
    *ref = FileblockAddRecord(h_, record.data());
    if (*ref == 0) return false;
    for (int k = 1; k <= static_cast<int>(kPeerKeys.size()); ++k) {
      FileblockAddKey(h_, k, *ref, KeyStr(PeerKeyText(text, k)));
      if (!Isam().IsamOK) return false;
    }
    return true;
  }

  // Takes a lock, retrying lock conflicts as the driver would.
  template <typename Lock>
  bool Retry(Lock lock) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      lock(h_);
      if (Isam().IsamOK) return true;
      if (EngineErrorClass(Isam().IsamError) != 2) return false;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
  }

  std::string Writer(int id, int count, unsigned seed) {
    std::mt19937 random(seed * 7919 + static_cast<unsigned>(id));
    int done = 0;
    while (done < count) {
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
      std::this_thread::sleep_for(std::chrono::microseconds(random() % 1500));
    }
    return Result();
  }

  static bool StopRequested() {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
  }

  // Under a read lock no writer is inside a change: every key holds every record, and the last
  // entries of key 1 name records whose texts give those keys.
  std::string Reader() {
    int checks = 0;
    while (!StopRequested()) {
      if (!Retry(&FileblockReadLock)) return Result("readlock");
      const std::int32_t used = FileblockUsedRecs(h_);
      for (int k = 1; k <= static_cast<int>(kPeerKeys.size()); ++k) {
        const std::int32_t entries = FileblockUsedKeys(h_, k);
        if (entries != used) {
          return "err 0 key " + std::to_string(k) + " holds " + std::to_string(entries) + " of " +
                 std::to_string(used);
        }
      }
      FileblockClearKey(h_, 1);
      KeyStr text;
      RecRef ref = 0;
      for (int i = 0; i < 5; ++i) {
        FileblockPrevKey(h_, 1, text, ref);
        if (!Isam().IsamOK) break;
        std::vector<std::uint8_t> record(kPeerRecordLength);
        FileblockGetRecord(h_, ref, record.data());
        if (!Isam().IsamOK) return Result("get");
        if (PeerKeyText(PeerText(record.data()), 1) != std::string(text.view())) {
          return "err 0 record " + std::to_string(ref) + " does not fit its key";
        }
      }
      FileblockUnlockFile(h_);
      if (!Isam().IsamOK) return Result("unlock");
      ++checks;
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::string stop;
    std::getline(std::cin, stop);
    return "ok " + std::to_string(checks);
  }

  std::string Do(const std::string& command, std::istringstream& in) {
    IsamReset();
    if (command == "init") {
      int mode = 0, buffers = 0;
      in >> mode >> buffers;
      EngineInit(mode, buffers);
      return Result();
    }
    if (command == "open") {
      std::string name, option;
      in >> name;
      OpenOptions o;
      while (in >> option) {
        o.shared |= option == "shared";
        o.journal |= option == "journal";
        o.read_only |= option == "readonly";
        o.read_only_sharing |= option == "rosharing";
      }
      h_ = FileblockOpen(name, o);
      return Result();
    }
    if (command == "sleeper") {
      std::string kind;
      in >> kind;
      env_.reset();
      if (kind == "fake") {
        env_ = std::make_unique<platform::ScopedEnvironment>(&clock_, &fake_, nullptr);
      } else if (kind == "scaled") {
        int divisor = 1;
        in >> divisor;
        scaled_ = std::make_unique<ScaledSleeper>(divisor);
        env_ = std::make_unique<platform::ScopedEnvironment>(nullptr, scaled_.get(), nullptr);
      }
      return "ok";
    }
    if (command == "sleeps") {
      const std::string reply =
          "ok " + std::to_string(fake_.sleeps.size()) + " " + std::to_string(fake_.TotalMs());
      fake_.sleeps.clear();
      return reply;
    }
    if (command == "crash") {
      std::string what;
      std::uint64_t n = 0;
      in >> what >> n;
      faults_ = {};
      faults_.write.fail_at = n;
      faults_.write.on_hit = &KillSelf;
      scoped_faults_ = std::make_unique<platform::ScopedFileFaults>(&faults_);
      return "ok";
    }
    return FileblockCommand(command, in);
  }

  std::string FileblockCommand(const std::string& command, std::istringstream& in) {
    RecRef ref = 0;
    int key = 0;
    std::string text;
    if (command == "close") {
      FileblockClose(h_);
      h_ = nullptr;
    } else if (command == "lock") {
      FileblockLockFile(h_);
    } else if (command == "readlock") {
      FileblockReadLock(h_);
    } else if (command == "unlock") {
      FileblockUnlockFile(h_);
    } else if (command == "lockrec" && in >> ref) {
      FileblockLockRecord(h_, ref);
    } else if (command == "add" && in >> text) {
      if (AddOne(text, &ref)) return Result(std::to_string(ref));
    } else if (command == "addmany") {
      std::string prefix;
      int first = 0, count = 0;
      in >> prefix >> first >> count;
      FileblockLockFile(h_);
      for (int i = first; i < first + count && Isam().IsamOK; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%s%05d", prefix.c_str(), i);
        AddOne(name, &ref);
      }
      if (Isam().IsamOK) FileblockUnlockFile(h_);
    } else if ((command == "get" || command == "getlocked") && in >> ref) {
      std::vector<std::uint8_t> record(kPeerRecordLength, 0xEE);
      if (command == "get") {
        FileblockGetRecord(h_, ref, record.data());
      } else {
        FileblockGetLockedRecord(h_, ref, record.data());
      }
      const bool delivered = Isam().IsamOK || Isam().IsamError == kIsamRecordLockedRead;
      return Result(delivered ? PeerText(record.data()) : "");
    } else if (command == "put" && in >> ref >> text) {
      FileblockPutRecord(h_, ref, PeerRecord(text).data());
    } else if ((command == "addkey" || command == "delkey") && in >> key >> ref >> text) {
      if (command == "addkey") {
        FileblockAddKey(h_, key, ref, KeyStr(text));
      } else {
        FileblockDeleteKey(h_, key, ref, KeyStr(text));
      }
    } else if (command == "count") {
      std::string counts = std::to_string(FileblockUsedRecs(h_));
      for (int k = 1; Isam().IsamOK && k <= static_cast<int>(kPeerKeys.size()); ++k) {
        counts += " " + std::to_string(FileblockUsedKeys(h_, k));
      }
      return Result(counts);
    } else if (command == "writer") {
      int id = 0, count = 0;
      unsigned seed = 0;
      in >> id >> count >> seed;
      return Writer(id, count, seed);
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
  storage::testing::Peer peer;
  return peer.Run();
}
