#include "platform/file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/environment.h"
#include "platform/file_faults.h"

namespace platform {
namespace {

// Symbolic links followed before the chain counts as a loop, as the kernel counts them.
constexpr int kMaxLinks = 40;
// ".~" and the six random letters after the file's name.
constexpr std::size_t kSuffixLength = 8;
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Bytes written in place by one write.
constexpr std::size_t kChunk = std::size_t{1} << 20;
// Bytes written into a terminal by one write. A pseudo-terminal tells no bytes waiting (its
// output queue reads 0) and gives back the room of a write only once its reader has taken the
// whole buffer the write went into: a write of up to 256 bytes goes into its smallest buffers,
// whose room comes back with every 512 bytes taken, a larger one into buffers of 3.5 kB, more
// than a reader taking a line every half second takes in the stall limit.
constexpr std::size_t kTerminalPiece = 256;
// A reader that takes none of the bytes for this long is stuck: the write fails instead of
// holding the program, whose window waits with it.
constexpr std::uint64_t kStallLimitMs = 10'000;
// The wait before another try when a file that cannot seek is full. A reader that takes the
// bytes gets more within 10 ms (a pipe of 64 KiB still passes 6 MB a second); a stuck one costs
// a thousand short wake-ups in its 10 seconds, and is told at most 10 ms after the limit.
constexpr std::uint32_t kSliceMs = 10;

std::string NameOf(const std::string& host) {
  const std::size_t slash = host.find_last_of('/');
  return slash == std::string::npos ? host : host.substr(slash + 1);
}

// The file at the end of the symbolic links `host` names (itself when it is none, and when it
// is missing); a relative link is read from its link's folder.
WinError FollowLinks(std::string host, std::string* target) {
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (lstat(host.c_str(), &st) != 0) {
      if (errno != ENOENT) return HostFileError(errno, host);
      *target = host;
      return kErrorSuccess;
    }
    if (!S_ISLNK(st.st_mode)) {
      *target = host;
      return kErrorSuccess;
    }
    std::string link(PATH_MAX, '\0');
    const ssize_t length = readlink(host.c_str(), link.data(), link.size());
    if (length < 0) return HostFileError(errno, host);
    link.resize(static_cast<std::size_t>(length));
    host = link.starts_with('/') ? link : HostFolder(host) + "/" + link;
  }
  return WinErrorFromErrno(ELOOP);
}

// The start of `name` that leaves room for the suffix in a name of at most `name_max` bytes,
// never cut inside a UTF-8 character.
std::string StemFor(const std::string& name, long name_max) {
  const std::size_t room =
      name_max > static_cast<long>(kSuffixLength) ? name_max - kSuffixLength : 0;
  if (name.size() <= room) return name;
  std::size_t keep = room;
  while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  return name.substr(0, keep);
}

std::string RandomLetters() {
  std::string letters;
  for (std::size_t i = 2; i < kSuffixLength; ++i) {
    letters += kLetters[CurrentRandom().Below(static_cast<std::uint32_t>(kLetters.size()))];
  }
  return letters;
}

// Writes the folder's entries to the disk, so that a rename in it survives a crash. File
// systems that cannot flush a folder need not.
WinError FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return HostFileError(errno, folder);
  const int result = fsync(fd);
  const int error = errno;
  ::close(fd);
  return result == 0 || error == EINVAL ? kErrorSuccess : WinErrorFromErrno(error);
}

// Keeps SIGPIPE from the thread while it writes into a pipe whose reader may go away: the write
// then fails with EPIPE instead of ending the process, and the signal it raised is taken back.
class PipeSignalHeld {
 public:
  PipeSignalHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_, &before_);
  }
  ~PipeSignalHeld() {
    if (!sigismember(&before_, SIGPIPE)) {
      const timespec now{};
      while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
  }
  PipeSignalHeld(const PipeSignalHeld&) = delete;
  PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

 private:
  sigset_t pipe_{};
  sigset_t before_{};
};

// Tells a reader that takes the bytes slowly from one that has stopped taking them: the time
// since it last took any. It took some when a write went in, or, in a FIFO, when fewer bytes
// wait in it than at the last look: a pipe makes room for more only page by page, so a slow
// reader may take bytes for a long time before a write goes in again. A terminal, written in
// small pieces (kTerminalPiece), makes room again with every 512 bytes its reader takes, so its
// writes tell.
class ReaderWatch {
 public:
  explicit ReaderWatch(int fd) : fd_(fd) {
    struct stat st {};
    fifo_ = fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode);
  }
  // A write went in.
  void Took() {
    since_ = CurrentClock().MonotonicMs();
    waiting_ = -1;
  }
  // Looked at while the file is full: whether the reader has taken nothing for the limit.
  bool Stalled() {
    const std::uint64_t now = CurrentClock().MonotonicMs();
    int waiting = -1;
    if (!fifo_ || ioctl(fd_, FIONREAD, &waiting) != 0) waiting = -1;
    if (waiting >= 0 && waiting < waiting_) since_ = now;
    waiting_ = waiting;
    return now - since_ >= kStallLimitMs;
  }

 private:
  int fd_;
  bool fifo_ = false;
  std::uint64_t since_ = CurrentClock().MonotonicMs();
  int waiting_ = -1;  // bytes in the FIFO at the last look; -1 unknown
};

// Writes `bytes` into a file that cannot seek (a FIFO, a terminal) in the order they stand,
// without offsets. A FIFO that no one reads is refused at once instead of waiting for a reader.
// The descriptor stays non-blocking: a full file is waited for here, in slices of the
// process's sleeper, and one whose reader takes nothing for kStallLimitMs fails the write
// (29), so that no reader can hold the program.
WinError WriteInSequence(const std::string& host, std::string_view bytes) {
  const int fd = ::open(host.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return HostFileError(errno, host);
  const PipeSignalHeld held;
  ReaderWatch reader(fd);
  const std::size_t piece = isatty(fd) ? kTerminalPiece : kChunk;
  WinError e = kErrorSuccess;
  for (std::size_t at = 0; !e && at < bytes.size();) {
    if (FileFaultPlan* plan = CurrentFileFaults(); plan != nullptr && plan->write.Hit()) {
      e = plan->write.error;
      break;
    }
    const std::string_view chunk = bytes.substr(at, piece);
    ssize_t n = 0;
    int error = 0;
    // Waiting for room counts as the one write it was before, for the faults as for the caller.
    for (;;) {
      n = ::write(fd, chunk.data(), chunk.size());
      error = n < 0 ? errno : 0;
      if (error != EAGAIN || reader.Stalled()) break;
      CurrentSleeper().SleepMs(kSliceMs);
    }
    if (error == EINTR) continue;
    if (error == EAGAIN) {
      e = kErrorWriteFault;
    } else if (n <= 0) {
      e = n < 0 ? WinErrorFromErrno(error) : kErrorDiskFull;
    } else {
      at += static_cast<std::size_t>(n);
      reader.Took();
    }
  }
  if (::close(fd) != 0 && !e) e = WinErrorFromErrno(errno);
  return e;
}

}  // namespace

FileReplacement::~FileReplacement() { Discard(); }

WinError FileReplacement::Begin(std::string_view name) { return BeginHostPath(HostPath(name)); }

WinError FileReplacement::BeginHostPath(const std::string& host) {
  Discard();
  std::string target;
  if (const WinError e = FollowLinks(host, &target)) return e;
  struct stat st {};
  const bool exists = stat(target.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return HostFileError(errno, target);
  const bool plain = !exists || S_ISREG(st.st_mode);
  // A folder under the name is left to the rename, which refuses it at the end.
  if (exists && !S_ISDIR(st.st_mode)) {
    if (const WinError e = HostWriteAccess(target)) return e;
  }
  target_ = target;
  plain_ = plain;
  active_ = true;
  // A rename would part the other names of the file from it, or put a plain file in a
  // device's place.
  if (exists && (!plain || st.st_nlink > 1) && !S_ISDIR(st.st_mode)) return kErrorSuccess;
  WinError e = MakeBeside();
  if (!e && exists && plain) e = file_.SetOwnerAndMode(st.st_uid, st.st_gid, st.st_mode);
  if (!e) return kErrorSuccess;
  DropBeside();
  // The file itself is written: its folder is closed to the user, or a new file could not
  // carry what the file is.
  if (exists && plain) return kErrorSuccess;
  Discard();
  return e;
}

WinError FileReplacement::MakeBeside() {
  const std::string folder = HostFolder(target_);
  long name_max = pathconf(folder.c_str(), _PC_NAME_MAX);
  if (name_max <= 0) name_max = NAME_MAX;
  const std::string stem = folder + "/" + StemFor(NameOf(target_), name_max) + ".~";
  // Another writer's file beside the same name is never opened: the name is only made new.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = stem + RandomLetters();
    const WinError e = file_.OpenHostPath(name, FileAccess::kReadWrite, FileShare::kExclusive,
                                          FileCreate::kCreateNew);
    if (e == kErrorFileExists) continue;
    if (e) return e;
    beside_ = name;
    return kErrorSuccess;
  }
  return kErrorFileExists;
}

WinError FileReplacement::Write(std::string_view bytes) {
  if (!active_) return kErrorInvalidHandle;
  if (beside_.empty()) {
    held_.append(bytes);
    return kErrorSuccess;
  }
  if (const WinError e = file_.WriteAll(end_, bytes)) return e;
  end_ += static_cast<std::int64_t>(bytes.size());
  return kErrorSuccess;
}

WinError FileReplacement::Commit() {
  if (!active_) return kErrorInvalidHandle;
  const WinError e = beside_.empty() ? CommitInPlace() : CommitBeside();
  Discard();
  return e;
}

WinError FileReplacement::CommitBeside() {
  // The data reaches the disk before the name points at it.
  if (const WinError e = file_.Flush()) return e;
  if (const WinError e = file_.Close()) return e;
  if (FileFaultPlan* plan = CurrentFileFaults(); plan != nullptr && plan->rename.Hit()) {
    return plan->rename.error;
  }
  if (::rename(beside_.c_str(), target_.c_str()) != 0) return HostFileError(errno, target_);
  beside_.clear();
  return FlushFolder(HostFolder(target_));
}

WinError FileReplacement::CommitInPlace() {
  if (!plain_) return WriteInSequence(target_, held_);
  File file;
  if (const WinError e = file.OpenHostPath(target_, FileAccess::kReadWrite, FileShare::kExclusive,
                                           FileCreate::kOpenAlways)) {
    return e;
  }
  const auto size = static_cast<std::int64_t>(held_.size());
  // A full disk found before the first byte leaves the file as it was.
  if (const WinError e = file.Reserve(size)) return e;
  for (std::size_t at = 0; at < held_.size(); at += kChunk) {
    const std::string_view chunk = std::string_view(held_).substr(at, kChunk);
    if (const WinError e = file.WriteAll(static_cast<std::int64_t>(at), chunk)) return e;
  }
  if (const WinError e = file.Truncate(size)) return e;
  return file.Flush();
}

void FileReplacement::DropBeside() {
  if (file_.IsOpen()) file_.Close();
  if (!beside_.empty()) ::unlink(beside_.c_str());
  beside_.clear();
  end_ = 0;
}

void FileReplacement::Discard() {
  DropBeside();
  target_.clear();
  held_.clear();
  active_ = false;
}

}  // namespace platform
