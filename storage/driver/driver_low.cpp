#include "storage/driver/driver_low.h"

#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_errors.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

// Open errors a rebuild of the files mends: an unusable index, a data file not closed
// properly, a key table that differs from the file's.
bool NeedsRebuild(int error) {
  return error == kIsamIndexUnusable || error == kIsamKeyHeaderBad || error == kDrvKeyTableMismatch;
}

// Gives exclusive use of the fileblock back when it goes, keeping the error word.
class ExclusiveUseGuard {
 public:
  ExclusiveUseGuard(DriverEngine& engine, const std::string& path) : e_(engine), path_(path) {}
  ~ExclusiveUseGuard() {
    ErrorWordKeeper keep(e_);
    e_.ReleaseExclusive(path_);
    keep.Restore();
  }
  ExclusiveUseGuard(const ExclusiveUseGuard&) = delete;
  ExclusiveUseGuard& operator=(const ExclusiveUseGuard&) = delete;

 private:
  DriverEngine& e_;
  const std::string& path_;
};

}  // namespace

IFDriverLow::IFDriverLow() = default;
IFDriverLow::~IFDriverLow() = default;

// --- opening ---

bool IFDriverLow::OpenOnDemand() {
  const Step step(Stack(), kStepOpenOnDemand);
  OpenFileRing* ring = system_->Ring();
  if (ring == nullptr) {
    RecordError(kDrvNotStarted, 1);
    return false;
  }
  if (fileblock_ != nullptr && ring->Touch(this)) return true;
  const int needed = FilesNeeded();
  const int shortage = ring->Shortage(needed);
  if (shortage > 0) {
    // A driver holding locks of its shared fileblock keeps its files open.
    const auto victims =
        ring->PickVictims(shortage, [](const OpenDriver* d) { return !d->HoldsLocks(); });
    if (!victims) {
      RecordError(kDrvNoFileToFree, 1);
      return false;
    }
    for (OpenDriver* victim : *victims) {
      if (victim->CloseFiles() != 0) {
        // The close is the victim's failure; record it against the victim.
        ErrorEntry e;
        e.error_class = -1;
        e.error_number = Engine().Error();
        e.driver = victim;
        e.file_name = victim->FileName();
        e.argument = 2;
        Stack().AddError(e);
        return false;
      }
    }
  }
  if (!OpenFiles()) return false;
  ring->Add(this, needed);
  return true;
}

bool IFDriverLow::OpenFiles() {
  const Step step(Stack(), kStepOpenFiles);
  if (path_.empty()) return RecordError(kDrvNoPath, 1), false;
  if (record_buffer_ == nullptr) return RecordError(kDrvNoRecordBuffer, 1), false;
  if (read_buffer_.empty()) return RecordError(kDrvNoReadBuffer, 1), false;
  if (before_image_.empty()) return RecordError(kDrvNoBeforeImage, 1), false;
  if (record_length_ < 22) return RecordError(kDrvRecLenRange, 1), false;
  if (key_count_ > kMaxKeys) return RecordError(kDrvTooManyKeys, 1), false;
  if (static_cast<int>(keys_.size()) < key_count_ + 1) return RecordError(kDrvNoKeyTable, 1), false;
  for (int k = 1; k <= key_count_; ++k) {
    if (!keys_[k].defined) return RecordError(kDrvKeyUndefined, 1, k), false;
    if (keys_[k].length == 0) return RecordError(kDrvKeyLengthZero, 1, k), false;
    if (keys_[k].length > kMaxKeyLength) return RecordError(kDrvKeyTooLong, 1, k), false;
  }

  bool repaired = false;
  for (;;) {
    if (WOpen() == 0) CheckDefinition();
    if (Engine().Ok()) {
      walk_.PositionsLost();
      NoteOpening();
      return true;
    }
    fileblock_ = nullptr;
    const int error = Engine().Error();
    if (repaired || !(NeedsRebuild(error) || error == kIsamFileNotFound)) {
      RecordEngineError(6);
      return false;
    }
    repaired = true;
    if (!RepairAlone()) return false;
  }
}

bool IFDriverLow::Ask(int reason) {
  ErrorWordKeeper keep(Engine());
  const bool yes = retry_proc_ && CallOut([&] { return retry_proc_(name_, reason); });
  keep.Restore();
  return yes;
}

bool IFDriverLow::RepairAlone() {
  const FilesPresent files = Engine().Present(path_);
  if (files.data || files.save) return RepairUnderLock();
  // Neither the data file nor the save copy of a rebuild: a new log, or one that went missing.
  if (!create_when_missing_) return RecordError(kDrvFileMissing, 4), false;
  // Asked before the lock is taken, so no other station waits for this station's user.
  if (!Ask(files.index ? kReasonDataMissing : kReasonCreate)) {
    return RecordError(kDrvCreateDeclined, 4), false;
  }
  return RepairUnderLock(true);
}

bool IFDriverLow::RepairUnderLock(bool create) {
  if (WTakeExclusive() != 0) {
    RecordEngineError(7);
    return false;
  }
  const ExclusiveUseGuard held(Engine(), path_);
  // Whatever happens now, the files are not as this station last closed them.
  ForgetClosedFiles();
  // A rebuild that stopped halfway is put back first: nobody creates a log beside its save copy.
  Engine().RestoreInterruptedRebuild(path_);
  if (!Engine().Ok()) {
    RecordEngineError(8);
    return false;
  }
  // Another station may have repaired or created the files while this one waited for them.
  if (TrialOpen()) return true;
  const int error = Engine().Error();
  if (NeedsRebuild(error)) {
    if (!Ask(kReasonRebuild)) {
      RecordEngineError(2, 0, 0, kClassSevere);
      return false;
    }
    if (Rebuild() != 0) {
      RecordEngineError(3);
      return false;
    }
    return true;
  }
  if (error != kIsamFileNotFound || !create) return true;  // the open reports what it finds
  Engine().Create(path_, record_length_, KeySpecs());
  if (!Engine().Ok()) {
    RecordEngineError(5);
    return false;
  }
  return true;
}

bool IFDriverLow::TrialOpen() {
  if (WOpen() != 0 || !CheckDefinition()) {
    fileblock_ = nullptr;
    return false;
  }
  // Opened without the rebuild lock, which this station holds exclusively: it is opened again
  // when the lock is given back.
  Engine().Close(fileblock_);
  fileblock_ = nullptr;
  return true;
}

bool IFDriverLow::CheckDefinition() {
  DriverEngine& e = Engine();
  int difference = 0;
  if (e.RecordLength(fileblock_) != record_length_) {
    difference = kDrvRecLenMismatch;
  } else if (e.KeyCount(fileblock_) != key_count_) {
    difference = kDrvKeyTableMismatch;
  } else {
    for (int k = 1; k <= key_count_ && difference == 0; ++k) {
      const EngineKeySpec on_disk = e.KeySpec(fileblock_, k);
      if (on_disk.length != keys_[k].length || (on_disk.duplicates != 0) != keys_[k].duplicates) {
        difference = kDrvKeyTableMismatch;
      }
    }
  }
  if (difference == 0) {
    e.ResetError();
    return true;
  }
  e.Close(fileblock_);
  fileblock_ = nullptr;
  e.SetError(e.Ok() ? difference : kDrvCloseAfterMismatch);
  return false;
}

// --- locks of add, update and delete ---

bool IFDriverLow::TakeFileLock(TakenLocks& taken) {
  if (!shared_ || Engine().WriteLockHeld(fileblock_)) return true;
  if (WLockFile() != 0) {
    RecordEngineError(1);
    return false;
  }
  taken.file = true;
  return true;
}

bool IFDriverLow::TakeRecordLock(TakenLocks& taken, std::int32_t ref) {
  if (!shared_ || Engine().RecordLocked(fileblock_, ref)) return true;
  if (WLockRecord(ref) != 0) {
    RecordEngineError(2, 0, ref);
    return false;
  }
  taken.record = ref;
  return true;
}

void IFDriverLow::ReleaseLocks(TakenLocks& taken) {
  const Step step(Stack(), kStepLocks);
  ErrorWordKeeper keep(Engine());
  bool failed = false;
  if (taken.record >= 0) {
    if (WUnlockRecord(taken.record) != 0) {
      RecordEngineError(3, 0, taken.record, kClassSevere);
      failed = true;
    }
    taken.record = -1;
  }
  if (taken.file) {
    if (WUnlockFile() != 0) {
      RecordEngineError(4, 0, 0, kClassSevere);
      failed = true;
    }
    taken.file = false;
  }
  if (!failed) keep.Restore();
}

void IFDriverLow::FlushIfWanted() {
  if (!flush_each_write_) return;
  // Flushed while the write lock is still held: a shared fileblock flushes only under it.
  if (WFlush() != 0) RecordEngineError(5);
}

}  // namespace storage
