#include "storage/isam/lock_table.h"

#include <algorithm>

#include "platform/environment.h"
#include "storage/isam/engine_file.h"

namespace storage {
namespace {

bool NoLock(platform::File&, std::int64_t, std::int64_t, std::uint32_t, std::uint32_t) {
  return true;
}
bool NoUnlock(platform::File&, std::int64_t, std::int64_t) { return true; }

bool OsUnlock(platform::File& file, std::int64_t offset, std::int64_t length) {
  if (const platform::WinError e = file.UnlockRegion(offset, length)) {
    RecordOsFailure(kPrimUnlock, e);
    return false;
  }
  return true;
}

bool OsLock(platform::File& file, std::int64_t offset, std::int64_t length, std::uint32_t step,
            std::uint32_t limit) {
  return LockRegionRetry(file, offset, length, step, limit);
}

const LockRoutines kSingleUser{0, &NoLock, &NoUnlock};
const LockRoutines kNetwork{5, &OsLock, &OsUnlock};

// Grows a table in the fixed steps of the lock table, within its limit.
template <typename T>
bool MakeRoom(std::vector<T>& table, std::size_t step) {
  if (table.size() >= LockTable::kMaxEntries) return false;
  if (table.size() == table.capacity()) {
    table.reserve(std::min(table.capacity() + step, LockTable::kMaxEntries));
  }
  return true;
}

}  // namespace

bool LockRegionRetry(platform::File& file, std::int64_t offset, std::int64_t length,
                     std::uint32_t step, std::uint32_t limit, platform::LockKind kind) {
  std::uint32_t waited = 0;
  for (;;) {
    waited += step;
    const platform::WinError e = file.LockRegion(offset, length, kind);
    if (e == platform::kErrorSuccess) return true;
    // Only the failure words: the caller decides which engine error a refusal is.
    NoteOsFailure(kPrimLock, e);
    if (step == 0 || waited >= limit) return false;
    platform::CurrentSleeper().SleepMs(step);
  }
}

const LockRoutines* LockRoutinesForMode(int network_mode) {
  if (network_mode == 0) return &kSingleUser;
  if (network_mode == 2) return &kNetwork;
  return nullptr;
}

LockTable::HandleEntry* LockTable::Find(int handle) {
  auto it = std::lower_bound(handles_.begin(), handles_.end(), handle,
                             [](const HandleEntry& e, int h) { return e.handle < h; });
  return (it != handles_.end() && it->handle == handle) ? &*it : nullptr;
}

const LockTable::HandleEntry* LockTable::Find(int handle) const {
  return const_cast<LockTable*>(this)->Find(handle);
}

bool LockTable::LockRegion(platform::File& file, std::int64_t offset, std::int64_t length,
                           std::uint32_t step, std::uint32_t limit) {
  status_ = LockStatus::kOk;
  HandleEntry* entry = Find(file.Id());
  auto region_at = [offset](const Region& r, std::int64_t o) { return r.offset < o; };
  if (entry != nullptr) {
    auto it = std::lower_bound(entry->regions.begin(), entry->regions.end(), offset, region_at);
    if (it != entry->regions.end() && it->offset == offset) {
      if (it->length != length) {
        status_ = LockStatus::kLengthDiffers;
        return false;
      }
      ++it->count;  // nested: no system call
      return true;
    }
    if (!MakeRoom(entry->regions, kRegionGrowth)) {
      status_ = LockStatus::kTableLimit;
      return false;
    }
  } else if (!MakeRoom(handles_, kHandleGrowth)) {
    status_ = LockStatus::kTableLimit;
    return false;
  }
  if (!routines_->lock(file, offset, length, step, limit)) {
    status_ = LockStatus::kLockRefused;
    return false;
  }
  if (entry == nullptr) {
    auto pos = std::lower_bound(handles_.begin(), handles_.end(), file.Id(),
                                [](const HandleEntry& e, int h) { return e.handle < h; });
    pos = handles_.insert(pos, HandleEntry{file.Id(), {}});
    entry = &*pos;
    entry->regions.reserve(kRegionGrowth);
  }
  auto it = std::lower_bound(entry->regions.begin(), entry->regions.end(), offset, region_at);
  entry->regions.insert(it, Region{offset, length, 1});
  return true;
}

bool LockTable::UnlockRegion(platform::File& file, std::int64_t offset, std::int64_t length) {
  status_ = LockStatus::kOk;
  HandleEntry* entry = Find(file.Id());
  if (entry == nullptr) {
    status_ = LockStatus::kNotFound;
    return false;
  }
  auto it = std::find_if(entry->regions.begin(), entry->regions.end(),
                         [offset](const Region& r) { return r.offset == offset; });
  if (it == entry->regions.end()) {
    status_ = LockStatus::kNotFound;
    return false;
  }
  if (it->length != length) {
    status_ = LockStatus::kLengthDiffers;
    return false;
  }
  if (it->count > 1) {
    --it->count;
    return true;
  }
  if (!routines_->unlock(file, offset, length)) {
    status_ = LockStatus::kUnlockRefused;
    return false;
  }
  entry->regions.erase(it);
  if (entry->regions.empty()) handles_.erase(handles_.begin() + (entry - handles_.data()));
  return true;
}

bool LockTable::ReleaseAll(platform::File& file) {
  status_ = LockStatus::kOk;
  HandleEntry* entry = Find(file.Id());
  if (entry == nullptr) return true;
  bool ok = true;
  while (!entry->regions.empty()) {
    const Region r = entry->regions.back();
    if (!routines_->unlock(file, r.offset, r.length)) {
      status_ = LockStatus::kUnlockRefused;
      ok = false;  // the handle is closed next, which drops the lock anyway
    }
    entry->regions.pop_back();
  }
  handles_.erase(handles_.begin() + (entry - handles_.data()));
  return ok;
}

void LockTable::Clear() {
  handles_.clear();
  handles_.shrink_to_fit();
  status_ = LockStatus::kOk;
}

std::uint32_t LockTable::Nesting(const platform::File& file, std::int64_t offset) const {
  const HandleEntry* entry = Find(file.Id());
  if (entry == nullptr) return 0;
  for (const Region& r : entry->regions) {
    if (r.offset == offset) return r.count;
  }
  return 0;
}

}  // namespace storage
