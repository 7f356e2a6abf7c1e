#include "platform/file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/file_faults.h"
#include "platform/text_codec.h"

namespace platform {

WinError WinErrorFromErrno(int error) {
  switch (error) {
    case 0:
      return kErrorSuccess;
    case ENOENT:
      return kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EMFILE:
    case ENFILE:
      return kErrorTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return kErrorAccessDenied;
    case EBADF:
      return kErrorInvalidHandle;
    case ENOMEM:
      return kErrorNotEnoughMemory;
    case EINVAL:
      return kErrorInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kErrorDiskFull;
    case EEXIST:
      return kErrorFileExists;
    case ENAMETOOLONG:
      return kErrorFilenameTooLong;
    case EAGAIN:
      return kErrorLockViolation;
    default:
      return kErrorGenFailure;
  }
}
namespace {

// An open-file-description lock request of `type` over the bytes offset..offset + length - 1.
struct flock LockRequest(short type, std::int64_t offset, std::int64_t length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = offset;
  fl.l_len = length;
  return fl;
}

// Windows tells a missing file (2) from a missing folder (3).
WinError NotFoundError(const std::string& host) {
  if (host.find('/') == std::string::npos) return kErrorFileNotFound;
  struct stat st {};
  if (stat(HostFolder(host).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return kErrorPathNotFound;
  return kErrorFileNotFound;
}

bool IsLockConflict(int error) { return error == EAGAIN || error == EACCES; }

WinError CheckRange(std::int64_t offset, std::int64_t length) {
  if (offset < 0) return kErrorNegativeSeek;
  if (length < 0 || length > kShareReserveOffset - offset) return kErrorInvalidParameter;
  return kErrorSuccess;
}

FaultRule* Rule(FaultRule FileFaultPlan::*member) {
  FileFaultPlan* plan = CurrentFileFaults();
  return plan == nullptr ? nullptr : &(plan->*member);
}

// True while some handle (of any process) has the file open: every opener holds a lock on the
// reserved share byte.
bool FileInUse(const std::string& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct flock fl = LockRequest(F_WRLCK, kShareReserveOffset, 1);
  const bool in_use = fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
  ::close(fd);  // an open-file-description lock of another descriptor survives this close
  return in_use;
}

}  // namespace

std::string HostPath(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return Cp1252ToUtf8(path);
}

WinError HostFileError(int error, const std::string& host) {
  if (error == ENOENT) return NotFoundError(host);
  return WinErrorFromErrno(error);
}

File::~File() {
  if (IsOpen()) Close();
}

File::File(File&& other) noexcept { *this = std::move(other); }

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) Close();
    fd_ = other.fd_;
    access_ = other.access_;
    share_ = other.share_;
    lock_writable_ = other.lock_writable_;
    locked_ = std::move(other.locked_);
    never_locked_ = std::move(other.never_locked_);
    other.fd_ = -1;
    other.locked_.clear();
    other.never_locked_.clear();
  }
  return *this;
}

WinError File::Open(std::string_view name, FileAccess access, FileShare share, FileCreate create) {
  return OpenHostPath(HostPath(name), access, share, create);
}

WinError File::OpenHostPath(const std::string& host, FileAccess access, FileShare share,
                            FileCreate create) {
  if (IsOpen()) Close();
  int flags = O_CLOEXEC;
  if (create == FileCreate::kCreateAlways) flags |= O_CREAT;
  if (create == FileCreate::kCreateNew) flags |= O_CREAT | O_EXCL;
  if (create == FileCreate::kOpenAlways) flags |= O_CREAT;

  // Windows lets a read-only handle take exclusive byte-range locks; an open file description
  // can only take write locks when it is open for writing. So a read handle is opened for
  // writing when the file allows it, and the layer itself refuses its writes.
  int fd = ::open(host.c_str(), flags | O_RDWR, 0666);
  bool writable = fd >= 0;
  if (fd < 0 && access == FileAccess::kRead && (errno == EACCES || errno == EROFS)) {
    fd = ::open(host.c_str(), flags | O_RDONLY, 0666);
  }
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT && create != FileCreate::kOpenExisting) return kErrorPathNotFound;
    return HostFileError(error, host);
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return kErrorAccessDenied;
  }

  struct flock fl = LockRequest((share == FileShare::kExclusive && writable) ? F_WRLCK : F_RDLCK,
                                kShareReserveOffset, 1);
  if (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    const int error = errno;
    ::close(fd);
    return IsLockConflict(error) ? kErrorSharingViolation : WinErrorFromErrno(error);
  }
  // Create-always cuts the file only once the share check let us in.
  if (create == FileCreate::kCreateAlways && ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    return WinErrorFromErrno(error);
  }
  fd_ = fd;
  access_ = access;
  share_ = share;
  lock_writable_ = writable;
  locked_.clear();
  never_locked_.clear();
  return kErrorSuccess;
}

WinError File::Close() {
  if (!IsOpen()) return kErrorInvalidHandle;
  const int fd = fd_;
  fd_ = -1;
  locked_.clear();
  never_locked_.clear();
  return ::close(fd) == 0 ? kErrorSuccess : WinErrorFromErrno(errno);
}

bool File::Inside(const std::vector<Range>& ranges, std::int64_t offset, std::int64_t length) {
  return std::any_of(ranges.begin(), ranges.end(), [&](const Range& r) {
    return !r.shared && offset >= r.offset && offset + length <= r.offset + r.length;
  });
}

WinError File::CheckForeignLock(std::int64_t offset, std::int64_t length) const {
  if (share_ != FileShare::kReadWrite || length == 0) return kErrorSuccess;
  // No other handle can hold a lock where this one holds one or where nobody ever locks.
  if (Inside(locked_, offset, length) || Inside(never_locked_, offset, length)) {
    return kErrorSuccess;
  }
  struct flock fl = LockRequest(F_WRLCK, offset, length);
  if (fcntl(fd_, F_OFD_GETLK, &fl) != 0) return WinErrorFromErrno(errno);
  return fl.l_type == F_UNLCK ? kErrorSuccess : kErrorLockViolation;
}

WinError File::ReadAt(std::int64_t offset, void* buffer, std::uint32_t count, std::uint32_t* done) {
  *done = 0;
  if (!IsOpen()) return kErrorInvalidHandle;
  if (const WinError e = CheckRange(offset, count)) return e;
  if (FaultRule* rule = Rule(&FileFaultPlan::read); rule != nullptr && rule->Hit()) {
    return rule->error;
  }
  if (const WinError e = CheckForeignLock(offset, count)) return e;
  auto* out = static_cast<char*>(buffer);
  while (*done < count) {
    const ssize_t n = ::pread(fd_, out + *done, count - *done, offset + *done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return WinErrorFromErrno(errno);
    }
    if (n == 0) break;  // end of file: fewer bytes, no error
    *done += static_cast<std::uint32_t>(n);
  }
  return kErrorSuccess;
}

WinError File::WriteAt(std::int64_t offset, const void* buffer, std::uint32_t count,
                       std::uint32_t* done) {
  *done = 0;
  if (!IsOpen()) return kErrorInvalidHandle;
  if (access_ != FileAccess::kReadWrite) return kErrorAccessDenied;
  if (const WinError e = CheckRange(offset, count)) return e;
  std::uint32_t todo = count;
  if (FaultRule* rule = Rule(&FileFaultPlan::write); rule != nullptr && rule->Hit()) {
    if (!rule->short_write) return rule->error;
    todo = count / 2;
  }
  if (const WinError e = CheckForeignLock(offset, count)) return e;
  const auto* in = static_cast<const char*>(buffer);
  while (*done < todo) {
    const ssize_t n = ::pwrite(fd_, in + *done, todo - *done, offset + *done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return WinErrorFromErrno(errno);
    }
    *done += static_cast<std::uint32_t>(n);
  }
  return kErrorSuccess;
}

WinError File::WriteAll(std::int64_t offset, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return kErrorInvalidParameter;
  const auto count = static_cast<std::uint32_t>(bytes.size());
  std::uint32_t done = 0;
  if (const WinError e = WriteAt(offset, bytes.data(), count, &done)) return e;
  return done == count ? kErrorSuccess : kErrorDiskFull;
}

WinError File::Size(std::int64_t* size) {
  *size = 0;
  if (!IsOpen()) return kErrorInvalidHandle;
  struct stat st {};
  if (fstat(fd_, &st) != 0) return WinErrorFromErrno(errno);
  *size = st.st_size;
  return kErrorSuccess;
}

WinError File::Truncate(std::int64_t size) {
  if (!IsOpen()) return kErrorInvalidHandle;
  if (access_ != FileAccess::kReadWrite) return kErrorAccessDenied;
  if (const WinError e = CheckRange(size, 0)) return e;
  if (FaultRule* rule = Rule(&FileFaultPlan::write); rule != nullptr && rule->Hit()) {
    return rule->short_write ? kErrorDiskFull : rule->error;
  }
  return ftruncate(fd_, size) == 0 ? kErrorSuccess : WinErrorFromErrno(errno);
}

WinError File::Flush() {
  if (!IsOpen()) return kErrorInvalidHandle;
  if (FaultRule* rule = Rule(&FileFaultPlan::flush); rule != nullptr && rule->Hit()) {
    return rule->error;
  }
  return fdatasync(fd_) == 0 ? kErrorSuccess : WinErrorFromErrno(errno);
}

WinError File::Reserve(std::int64_t size) {
  if (!IsOpen()) return kErrorInvalidHandle;
  if (size <= 0) return kErrorSuccess;
  if (fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return kErrorSuccess;
  return errno == ENOSPC || errno == EDQUOT ? kErrorDiskFull : kErrorSuccess;
}

WinError File::SetOwnerAndMode(std::uint32_t owner, std::uint32_t group, std::uint32_t mode) {
  if (!IsOpen()) return kErrorInvalidHandle;
  if (FaultRule* rule = Rule(&FileFaultPlan::owner); rule != nullptr && rule->Hit()) {
    return rule->error;
  }
  if (fchown(fd_, owner, group) != 0 || fchmod(fd_, mode & 07777) != 0) {
    return WinErrorFromErrno(errno);
  }
  return kErrorSuccess;
}

WinError File::LockRegion(std::int64_t offset, std::int64_t length, LockKind kind) {
  if (!IsOpen()) return kErrorInvalidHandle;
  if (length <= 0) return kErrorInvalidParameter;
  if (const WinError e = CheckRange(offset, length)) return e;
  if (FaultRule* rule = Rule(&FileFaultPlan::lock); rule != nullptr && rule->Hit()) {
    return rule->error;
  }
  for (const Range& r : locked_) {
    if (offset < r.offset + r.length && r.offset < offset + length) return kErrorLockViolation;
  }
  const bool shared = kind == LockKind::kShared || !lock_writable_;
  struct flock fl = LockRequest(shared ? F_RDLCK : F_WRLCK, offset, length);
  if (fcntl(fd_, F_OFD_SETLK, &fl) != 0) {
    return IsLockConflict(errno) ? kErrorLockViolation : WinErrorFromErrno(errno);
  }
  locked_.push_back({offset, length, kind == LockKind::kShared});
  return kErrorSuccess;
}

void File::DeclareNeverLocked(std::int64_t offset, std::int64_t length) {
  if (IsOpen() && offset >= 0 && length > 0) never_locked_.push_back({offset, length});
}

WinError File::UnlockRegion(std::int64_t offset, std::int64_t length) {
  if (!IsOpen()) return kErrorInvalidHandle;
  const auto it = std::find_if(locked_.begin(), locked_.end(), [&](const Range& r) {
    return r.offset == offset && r.length == length;
  });
  if (it == locked_.end()) return kErrorNotLocked;
  struct flock fl = LockRequest(F_UNLCK, offset, length);
  if (fcntl(fd_, F_OFD_SETLK, &fl) != 0) return WinErrorFromErrno(errno);
  locked_.erase(it);
  return kErrorSuccess;
}

WinError DeleteFile(std::string_view name) {
  const std::string host = HostPath(name);
  struct stat st {};
  if (lstat(host.c_str(), &st) != 0) return HostFileError(errno, host);
  if (S_ISDIR(st.st_mode)) return kErrorAccessDenied;
  if (FileInUse(host)) return kErrorSharingViolation;
  return ::unlink(host.c_str()) == 0 ? kErrorSuccess : HostFileError(errno, host);
}

WinError RenameFile(std::string_view from, std::string_view to) {
  const std::string source = HostPath(from);
  const std::string target = HostPath(to);
  struct stat st {};
  if (lstat(source.c_str(), &st) != 0) return HostFileError(errno, source);
  if (!S_ISDIR(st.st_mode) && FileInUse(source)) return kErrorSharingViolation;
  if (FaultRule* rule = Rule(&FileFaultPlan::rename); rule != nullptr && rule->Hit()) {
    return rule->error;
  }
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return kErrorSuccess;
  }
  if (errno == EEXIST) return kErrorAlreadyExists;
  if (errno != EINVAL && errno != ENOSYS) return HostFileError(errno, target);
  // File systems without RENAME_NOREPLACE: check, then rename.
  if (lstat(target.c_str(), &st) == 0) return kErrorAlreadyExists;
  return ::rename(source.c_str(), target.c_str()) == 0 ? kErrorSuccess
                                                       : HostFileError(errno, target);
}

WinError CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) {
  File source;
  if (const WinError e =
          source.Open(from, FileAccess::kRead, FileShare::kReadWrite, FileCreate::kOpenExisting)) {
    return e;
  }
  File target;
  if (const WinError e =
          target.Open(to, FileAccess::kReadWrite, FileShare::kExclusive,
                      fail_if_exists ? FileCreate::kCreateNew : FileCreate::kCreateAlways)) {
    return e == kErrorFileExists ? kErrorFileExists : e;
  }
  std::vector<char> chunk(1 << 16);
  std::int64_t offset = 0;
  for (;;) {
    std::uint32_t got = 0;
    if (const WinError e =
            source.ReadAt(offset, chunk.data(), static_cast<std::uint32_t>(chunk.size()), &got)) {
      return e;
    }
    if (got == 0) break;
    std::uint32_t put = 0;
    if (const WinError e = target.WriteAt(offset, chunk.data(), got, &put)) return e;
    if (put != got) return kErrorDiskFull;
    offset += got;
  }
  return kErrorSuccess;
}

WinError FileExists(std::string_view name) {
  const std::string host = HostPath(name);
  struct stat st {};
  return stat(host.c_str(), &st) == 0 ? kErrorSuccess : HostFileError(errno, host);
}

WinError WriteAccess(std::string_view name) { return HostWriteAccess(HostPath(name)); }

WinError HostWriteAccess(const std::string& host) {
  // The effective ids decide, as they decide an open.
  if (faccessat(AT_FDCWD, host.c_str(), W_OK, AT_EACCESS) == 0) return kErrorSuccess;
  if (errno != ENOENT) return HostFileError(errno, host);
  if (faccessat(AT_FDCWD, HostFolder(host).c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
    return kErrorSuccess;
  }
  return errno == ENOENT ? kErrorPathNotFound : WinErrorFromErrno(errno);
}

std::string HostFolder(const std::string& host) {
  const std::size_t slash = host.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host.substr(0, slash);
}

}  // namespace platform
