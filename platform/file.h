// Files with Windows semantics over POSIX: the stand-in for CreateFile, ReadFile, WriteFile,
// LockFile and friends.
//
// - Names are the system's own texts (Windows-1252, "\" read as "/"); the layer converts them.
// - Every call returns a Windows error code (win_errors.h), 0 on success.
// - Offsets are 64-bit. Reads and writes are positional; a read at or past the end delivers
//   fewer bytes (or none) and succeeds, as on Windows.
// - Share modes: an exclusive open keeps every other opener out and fails while anyone else has
//   the file open (32, sharing violation). It is emulated with an open-file-description lock on
//   a reserved offset beyond any range the engine locks (kShareReserveOffset): shared openers
//   hold a read lock there, exclusive ones a write lock.
// - Byte-range locks are Linux open-file-description locks (F_OFD_SETLK, exclusive,
//   non-blocking, allowed beyond the end of the file). They belong to the handle as on Windows:
//   another handle of the same process conflicts too, closing one handle does not drop another's
//   locks. A handle cannot lock a range overlapping one it already holds (33), and unlocks only a
//   range it locked exactly (158). A shared lock (LockFileEx without the exclusive flag) lets
//   other handles take shared locks of the range too and keeps exclusive ones out.
// - Locks are mandatory as on Windows: on a file opened shared, a read or write that overlaps a
//   range another handle holds fails with 33 (checked with F_OFD_GETLK before the I/O). The check
//   is left out where it can only find the range free: inside a range this handle holds locked
//   (locks are exclusive), and inside a range its users have declared never locked.
// - Reads, writes, flushes and locks can be made to fail on demand (file_faults.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_errors.h"

namespace platform {

enum class FileAccess : std::uint8_t { kRead, kReadWrite };
// Windows share modes: 0 (exclusive) or 3 (read and write sharing).
enum class FileShare : std::uint8_t { kExclusive = 0, kReadWrite = 3 };
enum class FileCreate : std::uint8_t {
  kOpenExisting,  // fails with 2 when missing
  kCreateAlways,  // creates or truncates
  kCreateNew,     // fails with 80 when present
  kOpenAlways,    // opens, or creates an empty file when missing; never cuts
};
enum class LockKind : std::uint8_t { kExclusive, kShared };

// Start of the reserved range that carries the share-mode locks. Byte-range locks and I/O at or
// beyond it are refused with 87, so no caller range can ever collide with it.
inline constexpr std::int64_t kShareReserveOffset = std::int64_t{1} << 62;

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  WinError Open(std::string_view name, FileAccess access, FileShare share, FileCreate create);
  // Open with a path of the host (UTF-8, "/"), as the layer's own helpers find one (a symbolic
  // link's target may name a file no system text can).
  WinError OpenHostPath(const std::string& host, FileAccess access, FileShare share,
                        FileCreate create);
  // Releases the handle's locks with it. 6 when not open.
  WinError Close();
  bool IsOpen() const { return fd_ >= 0; }
  // A number that identifies the open handle within the process (for lock tables), -1 closed.
  int Id() const { return fd_; }
  FileShare Share() const { return share_; }

  WinError ReadAt(std::int64_t offset, void* buffer, std::uint32_t count, std::uint32_t* done);
  WinError WriteAt(std::int64_t offset, const void* buffer, std::uint32_t count,
                   std::uint32_t* done);
  // All of `bytes` at `offset`: a short write counts as a full disk (112), more bytes than one
  // write takes as 87.
  WinError WriteAll(std::int64_t offset, std::string_view bytes);
  WinError Size(std::int64_t* size);
  // Sets the end of the file at `size` (cuts or extends with zero bytes).
  WinError Truncate(std::int64_t size);
  // Writes the file's data to the device (fdatasync).
  WinError Flush();
  // Reserves room on the disk for `size` bytes from the start without changing the file's size,
  // so that writing them cannot meet a full disk (112 when the room is not there). Succeeds
  // without reserving where the file system cannot reserve.
  WinError Reserve(std::int64_t size);
  // Gives the file an owner, a group and the mode bits (07777), in this order (a new owner
  // clears the set-id bits). 5 when the user may not give them.
  WinError SetOwnerAndMode(std::uint32_t owner, std::uint32_t group, std::uint32_t mode);

  WinError LockRegion(std::int64_t offset, std::int64_t length,
                      LockKind kind = LockKind::kExclusive);
  WinError UnlockRegion(std::int64_t offset, std::int64_t length);
  // Declares a range that the protocol of the file's users never locks (a header no lock covers),
  // so that I/O inside it needs no mandatory-lock check. Holds until the handle is closed.
  void DeclareNeverLocked(std::int64_t offset, std::int64_t length);

 private:
  struct Range {
    std::int64_t offset;
    std::int64_t length;
    bool shared = false;
  };
  // 33 when another handle holds a lock overlapping [offset, offset + length).
  WinError CheckForeignLock(std::int64_t offset, std::int64_t length) const;
  // Whether [offset, offset + length) lies inside one of `ranges`.
  static bool Inside(const std::vector<Range>& ranges, std::int64_t offset, std::int64_t length);

  int fd_ = -1;
  FileAccess access_ = FileAccess::kRead;
  FileShare share_ = FileShare::kExclusive;
  bool lock_writable_ = false;  // the descriptor is open for writing, so it can take write locks
  std::vector<Range> locked_;   // ranges this handle holds, as Windows tracks them
  std::vector<Range> never_locked_;
};

// DeleteFile: 2/3 when missing, 32 while any handle has the file open.
WinError DeleteFile(std::string_view name);
// MoveFile: fails with 183 when the target exists, 32 while the source is open.
WinError RenameFile(std::string_view from, std::string_view to);
// CopyFile: with `fail_if_exists` an existing target gives 80.
WinError CopyFile(std::string_view from, std::string_view to, bool fail_if_exists);
// Attribute query: 0 when the name exists, else 2 or 3.
WinError FileExists(std::string_view name);
// 0 when the user may write the named file (following symbolic links) or, when it is missing,
// create it in its folder; else 5, or 3 for a missing folder.
WinError WriteAccess(std::string_view name);

// The host path of a system file name (1252 to UTF-8, "\" to "/").
std::string HostPath(std::string_view name);
// The Windows code of a host call on `host` that failed with `error`: a missing name is 2 or 3
// as Windows tells them (a missing file or a missing folder), the rest as WinErrorFromErrno.
WinError HostFileError(int error, const std::string& host);
// WriteAccess for a host path.
WinError HostWriteAccess(const std::string& host);
// The folder of a host path: what stands before its last "/" ("/" for a file in the root, "."
// for a bare name).
std::string HostFolder(const std::string& host);

}  // namespace platform
