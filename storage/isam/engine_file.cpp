#include "storage/isam/engine_file.h"

#include <algorithm>
#include <cstring>

#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

using platform::WinError;

int MapError(std::uint16_t primitive, WinError e, bool create) {
  // A full disk refuses what would store something: a write, a creation, a flush.
  if (e == platform::kErrorDiskFull && primitive != kPrimRead) return kIsamShortWrite;
  switch (primitive) {
    case kPrimOpen:
      if (e == platform::kErrorPathNotFound) return kIsamPathNotFound;
      if (e == platform::kErrorTooManyOpenFiles) return kIsamTooManyOpenFiles;
      if (!create && e == platform::kErrorFileNotFound) return kIsamFileNotFound;
      if (!create && e == platform::kErrorInvalidAccess) return kIsamInvalidAccess;
      return kIsamOsFailure;
    case kPrimDelete:
    case kPrimRename:
      if (e == platform::kErrorFileNotFound) return kIsamFileNotFound;
      if (e == platform::kErrorPathNotFound) return kIsamPathNotFound;
      return kIsamOsFailure;
    case kPrimRead:
    case kPrimWrite:
    case kPrimSeek:
    case kPrimPosition:
    case kPrimSize:
    case kPrimFlush:
    case kPrimClose:
      return e == platform::kErrorInvalidHandle ? kIsamInvalidHandle : kIsamOsFailure;
    default:
      return kIsamOsFailure;
  }
}

bool OpenFailure(WinError e, bool create) {
  NoteOsFailure(kPrimOpen, e);
  return FailWithOsError(MapError(kPrimOpen, e, create), e);
}

// An offset beyond the engine's limit is refused, never wrapped: a read finds nothing there
// (10070), a write cannot store there (10075).
bool InRange(std::int64_t offset, std::uint32_t count, int error) {
  if (offset >= 0 && offset <= kEngineOffsetLimit - count) return true;
  NoteOsFailure(kPrimSeek, platform::kErrorNegativeSeek);
  return Fail(error);
}

}  // namespace

void NoteOsFailure(std::uint16_t primitive, WinError os_error) {
  IsamState& s = Isam();
  s.LastPrimitive = primitive;
  s.LastOsError = os_error;
  if (s.FirstPrimitive == 0 && s.FirstOsError == 0) {
    s.FirstPrimitive = primitive;
    s.FirstOsError = os_error;
  }
}

bool FailWithOsError(int error, WinError os_error) {
  const bool first = Isam().IsamOK;
  Fail(error);
  if (first) Isam().FailureOsError = os_error;
  return false;
}

bool FailureIsLockConflict() {
  const WinError e = Isam().FailureOsError;
  return !Isam().IsamOK &&
         (e == platform::kErrorLockViolation || e == platform::kErrorSharingViolation);
}

void RecordOsFailure(std::uint16_t primitive, WinError os_error) {
  NoteOsFailure(primitive, os_error);
  FailWithOsError(MapError(primitive, os_error, false), os_error);
}

bool EngineFile::Open(std::string_view name, const EngineOpenMode& mode) {
  if (IsOpen()) Close();
  name_ = std::string(name);
  mode_ = mode;
  memory_.clear();
  const WinError e = file_.Open(
      name, mode.read_write ? platform::FileAccess::kReadWrite : platform::FileAccess::kRead,
      mode.shared ? platform::FileShare::kReadWrite : platform::FileShare::kExclusive,
      mode.create_always ? platform::FileCreate::kCreateAlways
      : mode.open_always ? platform::FileCreate::kOpenAlways
                         : platform::FileCreate::kOpenExisting);
  if (e != platform::kErrorSuccess) return OpenFailure(e, mode.create_always || mode.open_always);
  if (mode.never_locked > 0) file_.DeclareNeverLocked(0, mode.never_locked);
  if (!mode.memory) return true;

  std::int64_t size = 0;
  if (const WinError se = file_.Size(&size)) {
    RecordOsFailure(kPrimSize, se);
    file_.Close();
    return false;
  }
  if (size > kEngineOffsetLimit || size > static_cast<std::int64_t>(memory_.max_size())) {
    file_.Close();
    return Fail(kIsamOsFailure);
  }
  memory_.resize(static_cast<std::size_t>(size));
  std::int64_t offset = 0;
  while (offset < size) {
    const auto chunk = static_cast<std::uint32_t>(std::min<std::int64_t>(size - offset, 1 << 20));
    std::uint32_t done = 0;
    const WinError re = file_.ReadAt(offset, memory_.data() + offset, chunk, &done);
    if (re != platform::kErrorSuccess || done != chunk) {
      if (re != platform::kErrorSuccess) RecordOsFailure(kPrimRead, re);
      Fail(kIsamShortRead);
      file_.Close();
      memory_.clear();
      return false;
    }
    offset += chunk;
  }
  return true;
}

bool EngineFile::Close() {
  memory_.clear();
  memory_.shrink_to_fit();
  if (!file_.IsOpen()) return true;
  if (const WinError e = file_.Close()) {
    RecordOsFailure(kPrimClose, e);
    return false;
  }
  return true;
}

bool EngineFile::ReadSome(std::int64_t offset, void* buffer, std::uint32_t count,
                          std::uint32_t* done) {
  *done = 0;
  if (!InRange(offset, count, kIsamShortRead)) return false;
  if (mode_.memory) {
    if (!IsOpen()) {
      RecordOsFailure(kPrimRead, platform::kErrorInvalidHandle);
      return false;
    }
    const auto size = static_cast<std::int64_t>(memory_.size());
    if (offset < size) {
      *done = static_cast<std::uint32_t>(std::min<std::int64_t>(count, size - offset));
      std::memcpy(buffer, memory_.data() + offset, *done);
    }
    return true;
  }
  if (const WinError e = file_.ReadAt(offset, buffer, count, done)) {
    RecordOsFailure(kPrimRead, e);
    return false;
  }
  return true;
}

bool EngineFile::Read(std::int64_t offset, void* buffer, std::uint32_t count) {
  std::uint32_t done = 0;
  if (!ReadSome(offset, buffer, count, &done)) return false;
  if (done != count) return Fail(kIsamShortRead);
  return true;
}

bool EngineFile::Write(std::int64_t offset, const void* buffer, std::uint32_t count) {
  if (!InRange(offset, count, kIsamShortWrite)) return false;
  if (mode_.memory) {
    if (!IsOpen()) {
      RecordOsFailure(kPrimWrite, platform::kErrorInvalidHandle);
      return false;
    }
    const auto end = static_cast<std::size_t>(offset) + count;
    if (end > memory_.size()) memory_.resize(end);
    std::memcpy(memory_.data() + offset, buffer, count);
    return true;
  }
  std::uint32_t done = 0;
  if (const WinError e = file_.WriteAt(offset, buffer, count, &done)) {
    RecordOsFailure(kPrimWrite, e);
    return false;
  }
  if (done != count) return Fail(kIsamShortWrite);
  return true;
}

bool EngineFile::Size(std::int64_t* size) {
  if (mode_.memory && IsOpen()) {
    *size = static_cast<std::int64_t>(memory_.size());
    return true;
  }
  if (const WinError e = file_.Size(size)) {
    RecordOsFailure(kPrimSize, e);
    return false;
  }
  return true;
}

bool EngineFile::Truncate(std::int64_t size) {
  if (!InRange(size, 0, kIsamShortWrite)) return false;
  if (mode_.memory && IsOpen()) {
    memory_.resize(static_cast<std::size_t>(size));
    return true;
  }
  if (const WinError e = file_.Truncate(size)) {
    RecordOsFailure(kPrimWrite, e);
    return false;
  }
  return true;
}

bool EngineFile::Flush() {
  if (mode_.memory && IsOpen()) return true;
  if (const WinError e = file_.Flush()) {
    RecordOsFailure(kPrimFlush, e);
    return false;
  }
  return true;
}

bool EngineDeleteFile(std::string_view name) {
  if (const WinError e = platform::DeleteFile(name)) {
    RecordOsFailure(kPrimDelete, e);
    return false;
  }
  return true;
}

bool EngineRenameFile(std::string_view from, std::string_view to) {
  if (const WinError e = platform::RenameFile(from, to)) {
    RecordOsFailure(kPrimRename, e);
    return false;
  }
  return true;
}

bool EngineCopyFile(std::string_view from, std::string_view to) {
  if (const WinError e = platform::CopyFile(from, to, true)) {
    NoteOsFailure(kPrimWrite, e);
    return FailWithOsError(kIsamShortWrite, e);
  }
  return true;
}

bool EngineFileExists(std::string_view name) {
  const WinError e = platform::FileExists(name);
  if (e == platform::kErrorSuccess) return true;
  NoteOsFailure(kPrimExists, e);
  return false;
}

}  // namespace storage
