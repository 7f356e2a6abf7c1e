// The file layer's Windows semantics: error codes, share modes and mandatory byte-range locks.

#include "platform/file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fake_environment.h"
#include "platform/file_replacement.h"

namespace platform {
namespace {

constexpr auto kRW = FileAccess::kReadWrite;
constexpr auto kShared = FileShare::kReadWrite;
constexpr auto kExisting = FileCreate::kOpenExisting;

class FileTest : public ::testing::Test {
 protected:
  FileTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "file_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  ~FileTest() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  WinError Open(File& f, const std::string& name, FileShare share = kShared,
                FileCreate create = kExisting, FileAccess access = kRW) {
    return f.Open(Path(name), access, share, create);
  }
  File OpenNew(const std::string& name, FileShare share = kShared) {
    File f;
    EXPECT_EQ(Open(f, name, share, FileCreate::kCreateAlways), 0u);
    return f;
  }
  static WinError Write(File& f, std::int64_t offset, const std::string& bytes) {
    std::uint32_t done = 0;
    return f.WriteAt(offset, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done);
  }
  // The bytes read at `offset`, or "error N".
  static std::string Read(File& f, std::int64_t offset, std::uint32_t count) {
    std::string out(count, '\0');
    std::uint32_t done = 0;
    const WinError e = f.ReadAt(offset, out.data(), count, &done);
    return e != 0 ? "error " + std::to_string(e) : out.substr(0, done);
  }
  static std::int64_t Size(File& f) {
    std::int64_t size = -1;
    EXPECT_EQ(f.Size(&size), 0u);
    return size;
  }

  std::string dir_;
};

TEST_F(FileTest, OpenErrorsGiveTheWindowsCode) {
  File existing = OpenNew("exists.dat");
  for (const auto& [path, create, expected] :
       {std::tuple{"none.dat", kExisting, kErrorFileNotFound},
        {"nodir/x.dat", kExisting, kErrorPathNotFound},
        {"nodir/x.dat", FileCreate::kCreateAlways, kErrorPathNotFound},
        {"exists.dat", FileCreate::kCreateNew, kErrorFileExists},
        {"", kExisting, kErrorAccessDenied},
        {"exists.dat", kExisting, kErrorSuccess}}) {
    File f;
    EXPECT_EQ(Open(f, path, kShared, create), expected) << path;
  }
  File f;  // backslashes and 1252 names reach the host file
  ASSERT_EQ(f.Open(dir_ + "\\M\xC4RZ.DAT", kRW, FileShare::kExclusive, FileCreate::kCreateAlways),
            0u);
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/M\xC3\x84RZ.DAT"));
}

TEST_F(FileTest, OffsetsAre64BitAndReadsPastTheEndDeliverFewerBytes) {
  File f = OpenNew("big.dat");
  const std::int64_t far = (std::int64_t{1} << 32) + 17;  // sparse: no space is used
  ASSERT_EQ(Write(f, far, "end"), 0u);
  EXPECT_EQ(Size(f), far + 3);
  EXPECT_EQ(Read(f, far, 10), "end");
  EXPECT_EQ(Read(f, far + 100, 10), "");
  EXPECT_EQ(Write(f, -1, "x"), kErrorNegativeSeek);
  EXPECT_EQ(Write(f, kShareReserveOffset, "x"), kErrorInvalidParameter);
  ASSERT_EQ(f.Truncate(5), 0u);
  EXPECT_EQ(Size(f), 5);
}

TEST_F(FileTest, ShareModesKeepOthersOutAndABlockedCreateLeavesTheContents) {
  File a = OpenNew("s.dat", FileShare::kExclusive);
  ASSERT_EQ(Write(a, 0, "data"), 0u);
  File b;
  EXPECT_EQ(Open(b, "s.dat", kShared, kExisting, FileAccess::kRead), kErrorSharingViolation);
  EXPECT_EQ(Open(b, "s.dat", FileShare::kExclusive, FileCreate::kCreateAlways),
            kErrorSharingViolation);
  EXPECT_EQ(Size(a), 4);
  ASSERT_EQ(a.Close(), 0u);
  File c = OpenNew("s.dat", kShared);
  File d, e;
  EXPECT_EQ(Open(d, "s.dat", kShared, kExisting, FileAccess::kRead), 0u);
  EXPECT_EQ(Open(e, "s.dat", FileShare::kExclusive), kErrorSharingViolation);
}

TEST_F(FileTest, LocksBelongToTheHandleAreMandatoryForOthersAndSurviveOtherCloses) {
  File a = OpenNew("l.dat");
  ASSERT_EQ(Write(a, 0, std::string(100, 'r')), 0u);
  File b;
  ASSERT_EQ(Open(b, "l.dat"), 0u);
  ASSERT_EQ(a.LockRegion(20, 4), 0u);
  EXPECT_EQ(b.LockRegion(22, 10), kErrorLockViolation);
  EXPECT_EQ(a.LockRegion(21, 1), kErrorLockViolation);  // overlaps its own lock: refused too
  EXPECT_EQ(Read(b, 0, 24), "error 33");
  EXPECT_EQ(Write(b, 23, "x"), kErrorLockViolation);
  EXPECT_EQ(Read(b, 24, 10), std::string(10, 'r'));  // beside the range
  EXPECT_EQ(Read(a, 0, 24), std::string(24, 'r'));   // the owner reads through its own lock
  EXPECT_EQ(a.UnlockRegion(20, 3), kErrorNotLocked);
  ASSERT_EQ(a.UnlockRegion(20, 4), 0u);
  EXPECT_EQ(Read(b, 0, 24), std::string(24, 'r'));
  // Beyond the end, surviving another descriptor's close; read handles lock too.
  ASSERT_EQ(a.LockRegion(0x7FFFFFFF - 3, 1), 0u);
  {
    File c;
    ASSERT_EQ(Open(c, "l.dat", kShared, kExisting, FileAccess::kRead), 0u);
  }
  File r;
  ASSERT_EQ(Open(r, "l.dat", kShared, kExisting, FileAccess::kRead), 0u);
  EXPECT_EQ(r.LockRegion(0x7FFFFFFF - 3, 1), kErrorLockViolation);
  ASSERT_EQ(a.Close(), 0u);
  EXPECT_EQ(r.LockRegion(0x7FFFFFFF - 3, 1), 0u);
  EXPECT_EQ(Write(r, 0, "x"), kErrorAccessDenied);
  EXPECT_EQ(r.Truncate(0), kErrorAccessDenied);
  EXPECT_EQ(Read(a, 0, 1), "error 6");
  EXPECT_EQ(a.Close(), kErrorInvalidHandle);
}

TEST_F(FileTest, SharedLocksLetEachOtherInAndKeepExclusiveOnesOut) {
  File a = OpenNew("k.dat");
  File b, c;
  ASSERT_EQ(Open(b, "k.dat"), 0u);
  ASSERT_EQ(Open(c, "k.dat"), 0u);
  constexpr std::int64_t kAt = 0x7FFF0000;
  ASSERT_EQ(a.LockRegion(kAt, 1, LockKind::kShared), 0u);
  EXPECT_EQ(b.LockRegion(kAt, 1, LockKind::kShared), 0u);
  EXPECT_EQ(c.LockRegion(kAt, 1), kErrorLockViolation);
  ASSERT_EQ(a.UnlockRegion(kAt, 1), 0u);
  EXPECT_EQ(c.LockRegion(kAt, 1), kErrorLockViolation);  // b still holds it
  ASSERT_EQ(b.Close(), 0u);
  ASSERT_EQ(c.LockRegion(kAt, 1), 0u);
  EXPECT_EQ(a.LockRegion(kAt, 1, LockKind::kShared), kErrorLockViolation);
  // A shared lock keeps others from writing the range, as an exclusive one does.
  ASSERT_EQ(Write(a, 0, "abcd"), 0u);
  ASSERT_EQ(c.LockRegion(0, 2, LockKind::kShared), 0u);
  EXPECT_EQ(Write(a, 1, "x"), kErrorLockViolation);
}

TEST_F(FileTest, OpenAlwaysCreatesAMissingFileAndNeverCutsOne) {
  File a;
  ASSERT_EQ(Open(a, "o.dat", kShared, FileCreate::kOpenAlways), 0u);
  EXPECT_EQ(Size(a), 0);
  ASSERT_EQ(Write(a, 0, "kept"), 0u);
  File b;
  ASSERT_EQ(Open(b, "o.dat", kShared, FileCreate::kOpenAlways), 0u);
  EXPECT_EQ(Read(b, 0, 8), "kept");
  EXPECT_EQ(Open(b, "nodir/o.dat", kShared, FileCreate::kOpenAlways), kErrorPathNotFound);
}

TEST_F(FileTest, DeleteRenameAndCopyFollowWindows) {
  {
    File a = OpenNew("d.dat");
    ASSERT_EQ(Write(a, 0, "contents"), 0u);
    EXPECT_EQ(DeleteFile(Path("d.dat")), kErrorSharingViolation);
    EXPECT_EQ(RenameFile(Path("d.dat"), Path("e.dat")), kErrorSharingViolation);
  }
  OpenNew("t.dat");
  EXPECT_EQ(RenameFile(Path("d.dat"), Path("t.dat")), kErrorAlreadyExists);
  EXPECT_EQ(RenameFile(Path("d.dat"), Path("e.dat")), 0u);
  EXPECT_EQ(FileExists(Path("d.dat")), kErrorFileNotFound);
  EXPECT_EQ(FileExists(Path("nodir/e.dat")), kErrorPathNotFound);
  ASSERT_EQ(CopyFile(Path("e.dat"), Path("c.dat"), true), 0u);
  EXPECT_EQ(CopyFile(Path("e.dat"), Path("c.dat"), true), kErrorFileExists);
  EXPECT_EQ(DeleteFile(Path("e.dat")), 0u);
  EXPECT_EQ(DeleteFile(Path("e.dat")), kErrorFileNotFound);
  EXPECT_EQ(RenameFile(Path("e.dat"), Path("f.dat")), kErrorFileNotFound);
  File c;
  ASSERT_EQ(Open(c, "c.dat"), 0u);
  EXPECT_EQ(Read(c, 0, 100), "contents");
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Another writer's file beside the same name is never opened: a name already taken is passed
// over for the next one drawn. A new file gets the mode the umask leaves.
TEST_F(FileTest, AReplacementBesideTakesANameOfItsOwn) {
  FakeRandom random;
  random.script = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1};  // "AAAAAA", then "BBBBBB"
  ScopedEnvironment environment(nullptr, nullptr, &random);
  std::ofstream(Path("new.txt.~AAAAAA")) << "foreign";
  FileReplacement replacement;
  ASSERT_EQ(replacement.Begin(Path("new.txt")), 0u);
  EXPECT_TRUE(std::filesystem::exists(Path("new.txt.~BBBBBB")));
  ASSERT_EQ(replacement.Write("neu"), 0u);
  ASSERT_EQ(replacement.Commit(), 0u);
  EXPECT_EQ(Contents(Path("new.txt")), "neu");
  EXPECT_EQ(Contents(Path("new.txt.~AAAAAA")), "foreign");
  EXPECT_FALSE(std::filesystem::exists(Path("new.txt.~BBBBBB")));
  const mode_t mask = umask(0);
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat(Path("new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
}

// A device under the name (here the null device's twin) is written into and stays a device.
TEST_F(FileTest, AReplacementOfADeviceWritesIntoIt) {
  if (mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "no device can be made here";
  }
  FileReplacement replacement;
  ASSERT_EQ(replacement.Begin(Path("null")), 0u);
  EXPECT_TRUE(replacement.InPlace());
  ASSERT_EQ(replacement.Write("neu"), 0u);
  EXPECT_EQ(replacement.Commit(), 0u);
  EXPECT_TRUE(std::filesystem::is_character_file(Path("null")));
}

// A FIFO under the name cannot seek: its reader gets the bytes in sequence, and it stays a FIFO.
// One that no one reads is refused at once instead of waiting for a reader.
TEST_F(FileTest, AReplacementOfAFifoWritesIntoItInSequence) {
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  FakeSleeper sleeper;
  ScopedEnvironment environment(nullptr, &sleeper, nullptr);
  FileReplacement replacement;
  const auto failed = [&] {
    return replacement.Begin(Path("fifo")) || replacement.Write("eins\r\n") ||
           replacement.Write("zwei\r\n") || replacement.Commit();
  };
  EXPECT_TRUE(failed());
  const int reader = ::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_FALSE(failed());
  char got[64] = {};
  EXPECT_EQ(::read(reader, got, sizeof got - 1), 12);
  ::close(reader);
  EXPECT_STREQ(got, "eins\r\nzwei\r\n");
  EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));
  EXPECT_TRUE(sleeper.sleeps.empty());
}

// A reader that leaves while the bytes go out fails the write; the writer's process goes on, no
// pipe signal ending it then or after.
TEST_F(FileTest, AFifoWhoseReaderLeavesFailsTheWriteAndTheProcessGoesOn) {
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
  const int reader = ::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    ::close(reader);
    FileReplacement replacement;
    const bool failed = replacement.Begin(Path("fifo")) == kErrorSuccess &&
                        replacement.Write(std::string(std::size_t{1} << 20, 'x')) == kErrorSuccess &&
                        replacement.Commit() != kErrorSuccess;
    _exit(failed ? 0 : 1);
  }
  pollfd first_bytes{reader, POLLIN, 0};
  EXPECT_EQ(poll(&first_bytes, 1, 10000), 1);
  char byte = 0;
  EXPECT_EQ(::read(reader, &byte, 1), 1);
  ::close(reader);  // the pipe is still full: the writer meets a pipe without a reader
  int status = 0;
  ASSERT_EQ(waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A reader of a FIFO that takes `pace` bytes a second of the writer's (fake) time until
// `stops_ms`, and nothing after; `line` bytes at a time, or whatever it is owed when 0.
struct FifoReader {
  const char* name;
  std::size_t size;  // bytes written
  std::uint32_t pace;
  std::uint64_t stops_ms;
  WinError expected;
  std::size_t line = 0;
};

// What came of a write into a FIFO, as the writer's process saw it.
struct FifoOutcome {
  WinError error = kErrorGenFailure;
  std::uint64_t waited_ms = 0;     // fake time, all of it spent in the writer's waits
  std::uint64_t last_take_ms = 0;  // when the reader last took bytes (0: never)
  std::uint32_t slice_ms = 0;      // the writer's last wait
  bool in_order = false;  // the reader got the bytes' start in order, the rest left included
  std::size_t received = 0;
};

// The writer's waits: each advances the fake clock and lets the reader take its share of it.
class PacedReader final : public Sleeper {
 public:
  PacedReader(FakeClock* clock, int fd, const FifoReader& row)
      : clock_(clock), fd_(fd), row_(row) {}
  void SleepMs(std::uint32_t ms) override {
    clock_->monotonic_ms += ms;
    slice_ms = ms;
    if (clock_->monotonic_ms > row_.stops_ms) return;
    owed_ += std::uint64_t{row_.pace} * ms;
    const std::size_t count = row_.line > 0 ? row_.line : owed_ / 1000;
    if (owed_ / 1000 < count) return;
    int before = 0;
    const bool terminal = isatty(fd_) && ioctl(fd_, FIONREAD, &before) == 0;
    const ssize_t n = Take(count);
    if (n > 0) last_take_ms = clock_->monotonic_ms;
    owed_ -= count * 1000;
    if (terminal && n > 0) AwaitTerminal(before);
  }
  ssize_t Take(std::size_t count) {
    std::string part(count, '\0');
    const ssize_t n = ::read(fd_, part.data(), count);
    if (n > 0) received.append(part, 0, static_cast<std::size_t>(n));
    return n;
  }
  // A terminal moves the bytes behind those taken up to its reader, and frees their room, in a
  // worker of the kernel's; a real reader's pause between lines gives it time, the fake clock
  // does not. Waits until the reader's end holds as many bytes as before the take (the writer
  // being blocked, more wait behind them), for at most a second.
  void AwaitTerminal(int before) {
    for (int tries = 0; tries < 1000; ++tries) {
      int now = 0;
      if (ioctl(fd_, FIONREAD, &now) != 0 || now >= before) return;
      usleep(1000);
    }
  }
  std::string received;
  std::uint64_t last_take_ms = 0;
  std::uint32_t slice_ms = 0;

 private:
  FakeClock* clock_;
  int fd_;
  const FifoReader& row_;
  std::uint64_t owed_ = 0;  // thousandths of a byte
};

// Writes `data` into the FIFO at `path` with the row's reader at the other end, in a process of
// its own, so that a writer that blocks is ended by the alarm instead of hanging the test. A
// file other than a FIFO (a terminal) gives its reader's end as `reader_fd`.
std::optional<FifoOutcome> WriteIntoFifo(const std::string& path, const FifoReader& row,
                                         std::string_view data, int reader_fd = -1) {
  int result[2];
  if (pipe(result) != 0) return std::nullopt;
  const pid_t writer = fork();
  if (writer == 0) {
    ::close(result[0]);
    alarm(30);
    FakeClock clock;
    int fd = reader_fd;
    if (fd < 0) {
      fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
      fcntl(fd, F_SETPIPE_SZ, 4096);  // one page, which is taken whole before room for more
    }
    PacedReader reader(&clock, fd, row);
    ScopedEnvironment environment(&clock, &reader, nullptr);
    FileReplacement replacement;
    FifoOutcome out;
    out.error = replacement.Begin(path);
    if (!out.error) out.error = replacement.Write(data);
    if (!out.error) out.error = replacement.Commit();
    out.waited_ms = clock.monotonic_ms;
    out.last_take_ms = reader.last_take_ms;
    out.slice_ms = reader.slice_ms;
    while (reader.Take(data.size()) > 0) {
    }
    out.received = reader.received.size();
    out.in_order = data.starts_with(reader.received);
    _exit(::write(result[1], &out, sizeof out) == sizeof out ? 0 : 1);
  }
  ::close(result[1]);
  FifoOutcome out;
  const bool reported = ::read(result[0], &out, sizeof out) == sizeof out;
  ::close(result[0]);
  int status = 0;
  waitpid(writer, &status, 0);
  if (reported) return out;
  ADD_FAILURE() << "the writer hung, or ended by signal "
                << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  return std::nullopt;
}

// A reader that takes nothing for 10 seconds fails the write instead of holding the writer;
// one that takes the bytes slowly, a page at a time or less, gets them all.
TEST_F(FileTest, AFifoReaderThatStallsFailsTheWriteOneThatReadsSlowlyGetsEveryByte) {
  constexpr std::uint64_t kLimitMs = 10'000;
  constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
  const FifoReader readers[] = {
      {"NeverReads", 1 << 20, 0, kNever, kErrorWriteFault},
      {"FourKilobytesASecond", 128 << 10, 4000, kNever, kErrorSuccess},
      {"LessThanAPageInTenSeconds", 16 << 10, 300, kNever, kErrorSuccess},
      {"StopsAfterFifteenSeconds", 1 << 20, 4000, 15'000, kErrorWriteFault},
  };
  std::string data(1 << 20, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i % 251);
  for (const FifoReader& row : readers) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(Path("fifo"));
    ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0644), 0);
    const auto out = WriteIntoFifo(Path("fifo"), row, std::string_view(data).substr(0, row.size));
    if (!out) continue;
    EXPECT_EQ(out->error, row.expected);
    EXPECT_TRUE(out->in_order);
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo")));
    if (row.expected == kErrorSuccess) {
      EXPECT_EQ(out->received, row.size);
      EXPECT_GT(out->waited_ms, kLimitMs);  // longer in all than a stalled reader is given
    } else {
      // Counted from the reader's last bytes, and told in the wait that reaches the limit.
      EXPECT_GE(out->waited_ms - out->last_take_ms, kLimitMs);
      EXPECT_LT(out->waited_ms - out->last_take_ms, kLimitMs + out->slice_ms);
    }
  }
}

// A terminal that takes nothing (its window stopped, its reader gone to sleep) fails the write
// as a stalled FIFO does, instead of holding the writer; one read a line every half second gets
// every byte, though a pseudo-terminal tells no bytes waiting and gives back room in pieces.
TEST_F(FileTest, ATerminalThatTakesNothingFailsTheWriteOneReadLineByLineGetsEveryByte) {
  constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
  const FifoReader readers[] = {
      {"NeverReads", 1 << 20, 0, kNever, kErrorWriteFault},
      {"ALineEveryHalfSecond", 30'000, 160, kNever, kErrorSuccess, 80},
  };
  std::string data;
  while (data.size() < std::size_t{1} << 20) data += std::string(79, 'x') + '\n';
  for (const FifoReader& row : readers) {
    SCOPED_TRACE(row.name);
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
      if (terminal >= 0) ::close(terminal);
      GTEST_SKIP() << "no terminal can be made here";
    }
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    const std::string path = ptsname(terminal);
    // Raw, so that the bytes reach the reader as they stand.
    const int own_end = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(own_end, 0);
    termios raw{};
    ASSERT_EQ(tcgetattr(own_end, &raw), 0);
    cfmakeraw(&raw);
    ASSERT_EQ(tcsetattr(own_end, TCSANOW, &raw), 0);
    const auto out = WriteIntoFifo(path, row, std::string_view(data).substr(0, row.size), terminal);
    ::close(own_end);
    ::close(terminal);
    if (!out) continue;
    EXPECT_EQ(out->error, row.expected);
    EXPECT_TRUE(out->in_order);
    if (row.expected == kErrorSuccess) {
      EXPECT_EQ(out->received, row.size);
    } else {
      EXPECT_GE(out->waited_ms - out->last_take_ms, 10'000u);
    }
  }
}

}  // namespace
}  // namespace platform
