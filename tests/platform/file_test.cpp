// The file layer's Windows semantics: error codes, share modes, and byte-range locks that belong
// to the handle and are mandatory for I/O. Fault injection is exercised by the engine's tests.

#include "platform/file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace platform {
namespace {

class FileTest : public ::testing::Test {
 protected:
  FileTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "file_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  ~FileTest() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  WinError Open(File& f, const std::string& name, FileShare share = FileShare::kReadWrite,
                FileCreate create = FileCreate::kOpenExisting,
                FileAccess access = FileAccess::kReadWrite) {
    return f.Open(Path(name), access, share, create);
  }
  File OpenNew(const std::string& name, FileShare share = FileShare::kReadWrite) {
    File f;
    EXPECT_EQ(Open(f, name, share, FileCreate::kCreateAlways), 0u);
    return f;
  }
  static WinError Write(File& f, std::int64_t offset, const std::string& bytes) {
    std::uint32_t done = 0;
    return f.WriteAt(offset, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done);
  }
  static WinError Read(File& f, std::int64_t offset, std::uint32_t count, std::string* out) {
    out->assign(count, '\0');
    std::uint32_t done = 0;
    const WinError e = f.ReadAt(offset, out->data(), count, &done);
    out->resize(done);
    return e;
  }

  std::string dir_;
};

TEST_F(FileTest, OpenErrorsGiveTheWindowsCode) {
  File existing = OpenNew("exists.dat");
  const struct {
    const char* path;  // relative to the test folder
    FileCreate create;
    WinError expected;
  } cases[] = {{"none.dat", FileCreate::kOpenExisting, kErrorFileNotFound},
               {"nodir/x.dat", FileCreate::kOpenExisting, kErrorPathNotFound},
               {"nodir/x.dat", FileCreate::kCreateAlways, kErrorPathNotFound},
               {"exists.dat", FileCreate::kCreateNew, kErrorFileExists},
               {"", FileCreate::kOpenExisting, kErrorAccessDenied},
               {"exists.dat", FileCreate::kOpenExisting, kErrorSuccess}};
  for (const auto& c : cases) {
    File f;
    EXPECT_EQ(Open(f, c.path, FileShare::kReadWrite, c.create), c.expected) << c.path;
  }
}

TEST_F(FileTest, BackslashesAndCp1252NamesReachTheHostFile) {
  File f;
  ASSERT_EQ(f.Open(dir_ + "\\M\xC4RZ.DAT", FileAccess::kReadWrite, FileShare::kExclusive,
                   FileCreate::kCreateAlways),
            0u);
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/M\xC3\x84RZ.DAT"));
}

TEST_F(FileTest, OffsetsAre64BitAndReadsPastTheEndDeliverFewerBytes) {
  File f = OpenNew("big.dat");
  const std::int64_t far = (std::int64_t{1} << 32) + 17;  // sparse: no space is used
  ASSERT_EQ(Write(f, far, "end"), 0u);
  std::int64_t size = 0;
  ASSERT_EQ(f.Size(&size), 0u);
  EXPECT_EQ(size, far + 3);
  std::string got;
  ASSERT_EQ(Read(f, far, 10, &got), 0u);
  EXPECT_EQ(got, "end");
  EXPECT_EQ(Read(f, far + 100, 10, &got), 0u);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(Write(f, -1, "x"), kErrorNegativeSeek);
  EXPECT_EQ(Write(f, kShareReserveOffset, "x"), kErrorInvalidParameter);
  ASSERT_EQ(f.Truncate(5), 0u);
  ASSERT_EQ(f.Size(&size), 0u);
  EXPECT_EQ(size, 5);
}

TEST_F(FileTest, ShareModesKeepOthersOutAndABlockedCreateLeavesTheContents) {
  File a = OpenNew("s.dat", FileShare::kExclusive);
  ASSERT_EQ(Write(a, 0, "data"), 0u);
  File b;
  EXPECT_EQ(Open(b, "s.dat", FileShare::kReadWrite, FileCreate::kOpenExisting, FileAccess::kRead),
            kErrorSharingViolation);
  EXPECT_EQ(Open(b, "s.dat", FileShare::kExclusive, FileCreate::kCreateAlways),
            kErrorSharingViolation);
  std::int64_t size = 0;
  ASSERT_EQ(a.Size(&size), 0u);
  EXPECT_EQ(size, 4);
  ASSERT_EQ(a.Close(), 0u);

  File c = OpenNew("s.dat", FileShare::kReadWrite);
  File d, e;
  EXPECT_EQ(Open(d, "s.dat", FileShare::kReadWrite, FileCreate::kOpenExisting, FileAccess::kRead),
            0u);
  EXPECT_EQ(Open(e, "s.dat", FileShare::kExclusive), kErrorSharingViolation);
}

TEST_F(FileTest, LocksBelongToTheHandleAndAreMandatoryForOthers) {
  File a = OpenNew("l.dat");
  ASSERT_EQ(Write(a, 0, std::string(100, 'r')), 0u);
  File b;
  ASSERT_EQ(Open(b, "l.dat"), 0u);
  ASSERT_EQ(a.LockRegion(20, 4), 0u);
  EXPECT_EQ(b.LockRegion(22, 10), kErrorLockViolation);
  EXPECT_EQ(a.LockRegion(21, 1), kErrorLockViolation);  // overlaps its own lock: refused too
  std::string got;
  EXPECT_EQ(Read(b, 0, 24, &got), kErrorLockViolation);
  EXPECT_EQ(Write(b, 23, "x"), kErrorLockViolation);
  EXPECT_EQ(Read(b, 24, 10, &got), 0u);  // beside the range
  EXPECT_EQ(Read(a, 0, 24, &got), 0u);   // the owner reads through its own lock
  EXPECT_EQ(a.UnlockRegion(20, 3), kErrorNotLocked);
  ASSERT_EQ(a.UnlockRegion(20, 4), 0u);
  EXPECT_EQ(Read(b, 0, 24, &got), 0u);
  EXPECT_EQ(b.LockRegion(22, 10), 0u);
}

TEST_F(FileTest, LocksBeyondTheEndSurviveAnotherHandleClosing) {
  File a = OpenNew("e.dat");
  ASSERT_EQ(a.LockRegion(0x7FFFFFFF - 3, 1), 0u);
  {
    File c;
    ASSERT_EQ(Open(c, "e.dat", FileShare::kReadWrite, FileCreate::kOpenExisting, FileAccess::kRead),
              0u);
  }  // closing another descriptor of the file must not drop a's lock
  File b;
  ASSERT_EQ(Open(b, "e.dat", FileShare::kReadWrite, FileCreate::kOpenExisting, FileAccess::kRead),
            0u);
  EXPECT_EQ(b.LockRegion(0x7FFFFFFF - 3, 1), kErrorLockViolation);  // read handles lock too
  ASSERT_EQ(a.Close(), 0u);
  EXPECT_EQ(b.LockRegion(0x7FFFFFFF - 3, 1), 0u);
  EXPECT_EQ(Write(b, 0, "x"), kErrorAccessDenied);
  EXPECT_EQ(b.Truncate(0), kErrorAccessDenied);
  std::string got;
  EXPECT_EQ(Read(a, 0, 1, &got), kErrorInvalidHandle);
  EXPECT_EQ(a.Close(), kErrorInvalidHandle);
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
  std::string got;
  ASSERT_EQ(Read(c, 0, 100, &got), 0u);
  EXPECT_EQ(got, "contents");
}

}  // namespace
}  // namespace platform
