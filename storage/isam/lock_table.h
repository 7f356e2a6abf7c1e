// The process-wide table of byte-range locks, with nesting, and the lock routine sets of the
// network modes.
//
// The table holds the handles that have locked regions, sorted ascending, each with its regions
// (offset, length, nesting count) sorted by offset. Locking a region already in the table with
// the same length only raises its count, without a system call; the operating-system lock is
// taken on the first and released on the last of the nested calls. The handle table starts with
// 25 entries and grows by 25, a region table starts with 50 and grows by 50, neither beyond 4000.
// The outcome of the last call stands in Status().
#pragma once

#include <cstdint>
#include <vector>

#include "platform/file.h"

namespace storage {

enum class LockStatus : std::uint8_t {
  kOk = 0,
  kTableLimit = 1,     // table limit reached or no memory
  kLengthDiffers = 2,  // the offset is locked with another length
  kNotFound = 3,       // handle or region not in the table
  kLockRefused = 4,    // operating-system lock refused
  kUnlockRefused = 5,  // operating-system unlock refused
};

// Timing of the lock retries, in milliseconds.
inline constexpr std::uint32_t kLockStep = 64;
inline constexpr std::uint32_t kLockLimit = 768;
inline constexpr std::uint32_t kHeaderLockLimit = kLockLimit * 4;

// Tries the operating-system lock every `step` ms until it is granted or `limit` ms have been
// waited (step 64, limit 768: at most 12 attempts); step 0 makes a single attempt. Waits through
// platform::CurrentSleeper(). A refusal records its failure words (the first one kept).
bool LockRegionRetry(platform::File& file, std::int64_t offset, std::int64_t length,
                     std::uint32_t step, std::uint32_t limit,
                     platform::LockKind kind = platform::LockKind::kExclusive);

// The lock routine set of a network mode.
struct LockRoutines {
  int user_slots = 0;
  bool (*lock)(platform::File& file, std::int64_t offset, std::int64_t length, std::uint32_t step,
               std::uint32_t limit) = nullptr;
  bool (*unlock)(platform::File& file, std::int64_t offset, std::int64_t length) = nullptr;
};
// Mode 0: no user slots; lock and unlock succeed without touching the file. Mode 2: five user
// slots, LockRegionRetry and the operating-system unlock. nullptr for any other mode.
const LockRoutines* LockRoutinesForMode(int network_mode);

class LockTable {
 public:
  static constexpr std::size_t kHandleGrowth = 25;
  static constexpr std::size_t kRegionGrowth = 50;
  static constexpr std::size_t kMaxEntries = 4000;

  explicit LockTable(const LockRoutines* routines = LockRoutinesForMode(0)) : routines_(routines) {}
  void SetRoutines(const LockRoutines* routines) { routines_ = routines; }

  bool LockRegion(platform::File& file, std::int64_t offset, std::int64_t length,
                  std::uint32_t step, std::uint32_t limit);
  bool UnlockRegion(platform::File& file, std::int64_t offset, std::int64_t length);
  // Releases every region of the handle, last to first (before the handle is closed).
  bool ReleaseAll(platform::File& file);
  // Forgets the whole table (process end).
  void Clear();

  LockStatus Status() const { return status_; }
  // Nesting count of the region at `offset` of the handle, 0 when none.
  std::uint32_t Nesting(const platform::File& file, std::int64_t offset) const;
  std::size_t HandleCount() const { return handles_.size(); }
  // Whether the handle holds any region.
  bool HoldsRegions(const platform::File& file) const { return Find(file.Id()) != nullptr; }

 private:
  struct Region {
    std::int64_t offset;
    std::int64_t length;
    std::uint32_t count;
  };
  struct HandleEntry {
    int handle;
    std::vector<Region> regions;
  };
  HandleEntry* Find(int handle);
  const HandleEntry* Find(int handle) const;

  const LockRoutines* routines_;
  std::vector<HandleEntry> handles_;
  LockStatus status_ = LockStatus::kOk;
};

}  // namespace storage
