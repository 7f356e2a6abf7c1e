// The file layer's Windows semantics: error codes, share modes and mandatory byte-range locks.

#include "platform/file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace
}  // namespace platform
