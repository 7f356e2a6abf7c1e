// The engine's operating-system file primitives: one EngineFile per data, index and dialog file.
//
// Each primitive returns true on success. On failure it records the primitive code and the
// operating-system error in the last-failure words of Isam() (the first failure since the last
// reset is kept apart), and sets IsamError to the engine number of the error mapping:
//   112 (disk full) -> 10075, as a write that stores fewer bytes (any primitive but read)
//   open   2 -> 9903, 3 -> 9900, 4 -> 9901, 12 -> 9908
//   create 3 -> 9900, 4 -> 9901
//   delete and rename 2 -> 9903, 3 -> 9900
//   read, write, seek, truncate, flush, close 6 -> 9904
//   every other error 10140
// A read that delivers fewer bytes than asked sets 10070, a write that stores fewer 10075.
// The operating-system error of the failure that stands is kept in Isam().FailureOsError: only
// another user's lock or share mode (33, 32) makes a 10140 a lock conflict (FailureIsLockConflict).
//
// Whole-file memory mode: the file is read completely at open; reads, writes, size and
// truncation then work on the copy only, which is dropped at close (nothing is written back).
//
// The rebuild uses these primitives directly, besides the engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace storage {

// Primitive codes of the last-failure words.
inline constexpr std::uint16_t kPrimClose = 0x3E00;
inline constexpr std::uint16_t kPrimRead = 0x3F00;
inline constexpr std::uint16_t kPrimWrite = 0x4000;  // write and truncate
inline constexpr std::uint16_t kPrimDelete = 0x4100;
inline constexpr std::uint16_t kPrimSeek = 0x4200;
inline constexpr std::uint16_t kPrimPosition = 0x4201;
inline constexpr std::uint16_t kPrimSize = 0x4202;
inline constexpr std::uint16_t kPrimExists = 0x4300;
inline constexpr std::uint16_t kPrimRename = 0x5600;
inline constexpr std::uint16_t kPrimLock = 0x5C00;
inline constexpr std::uint16_t kPrimUnlock = 0x5C01;
inline constexpr std::uint16_t kPrimFlush = 0x6800;
inline constexpr std::uint16_t kPrimOpen = 0x6C00;

// Highest file offset the engine reads or writes; an offset beyond fails (no wrap-around).
inline constexpr std::int64_t kEngineOffsetLimit = std::int64_t{1} << 48;

struct EngineOpenMode {
  bool read_write = true;
  bool shared = false;         // share mode 3, else exclusive
  bool create_always = false;  // else open existing
  bool open_always = false;    // a missing file is created empty; an existing one is kept
  bool memory = false;         // whole-file memory mode
  // The leading bytes of the file that no process ever locks (a header before every locked
  // range): their I/O skips the mandatory-lock check of a shared file (platform/file.h).
  std::int64_t never_locked = 0;
};

class EngineFile {
 public:
  bool Open(std::string_view name, const EngineOpenMode& mode);
  bool Close();
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Name() const { return name_; }
  const EngineOpenMode& Mode() const { return mode_; }
  bool InMemory() const { return mode_.memory && IsOpen(); }
  platform::File& OsFile() { return file_; }

  // Reads exactly `count` bytes at `offset` (10070 when fewer are there).
  bool Read(std::int64_t offset, void* buffer, std::uint32_t count);
  // As Read, but reports the number of bytes delivered instead of failing on a short read.
  bool ReadSome(std::int64_t offset, void* buffer, std::uint32_t count, std::uint32_t* done);
  bool Write(std::int64_t offset, const void* buffer, std::uint32_t count);
  bool Size(std::int64_t* size);
  bool Truncate(std::int64_t size);
  bool Flush();

 private:
  platform::File file_;
  std::string name_;
  EngineOpenMode mode_;
  std::vector<std::uint8_t> memory_;
};

// Name-level primitives.
bool EngineDeleteFile(std::string_view name);
bool EngineRenameFile(std::string_view from, std::string_view to);
// Copies without overwriting an existing target; any failure gives 10075.
bool EngineCopyFile(std::string_view from, std::string_view to);
// True when the name exists; a failing query other than "not found" keeps its error in the
// first-failure words but does not clear IsamOK.
bool EngineFileExists(std::string_view name);

// Records a failed primitive in the last-failure words (the first failure since the reset kept).
void NoteOsFailure(std::uint16_t primitive, platform::WinError os_error);
// Records `error` as Fail does; when it is the failure that stands, `os_error` is kept with it.
bool FailWithOsError(int error, platform::WinError os_error);
// Whether the failure that stands is another user's lock or share mode (operating-system error
// 33 or 32): a conflict that ends when the other user lets go.
bool FailureIsLockConflict();
// As NoteOsFailure, and sets the mapped engine error unless an earlier error stands.
void RecordOsFailure(std::uint16_t primitive, platform::WinError os_error);

}  // namespace storage
