#include "storage/driver_low.h"

#include "platform/environment.h"
#include "storage/driver_codes.h"
#include "storage/driver_errors.h"
#include "storage/isam_errors.h"

namespace storage {
namespace {

// Keeps the engine's error word across clean-up steps that must not change what the caller
// reads afterwards.
class ErrorWordKeeper {
 public:
  explicit ErrorWordKeeper(DriverEngine& e) : e_(e), ok_(e.Ok()), error_(e.Error()) {}
  void Restore() {
    if (ok_) {
      e_.ResetError();
    } else {
      e_.SetError(error_);
    }
  }

 private:
  DriverEngine& e_;
  bool ok_;
  int error_;
};

}  // namespace

IFDriverLow::IFDriverLow() = default;
IFDriverLow::~IFDriverLow() = default;

bool IFDriverLow::RetryOnError() {
  DriverEngine& engine = Engine();
  if (engine.Ok()) return false;
  const std::uint16_t n = retry_count_;
  if (n != kRetryForever) ++retry_counter_;
  const int error = engine.Error();
  if (DriverResultClass(error) != kClassLock) return false;
  int reason = kReasonLocked;
  if (error == kIsamDriveNotReady || error == kIsamPathNotFound) {
    reason = error == kIsamDriveNotReady ? kReasonDriveNotReady : kReasonPathNotFound;
    retry_counter_ = n;  // asked at once
  } else if (error == kIsamRecordLockRefused) {
    reason = kReasonRecordLock;
  } else if (error == kIsamWriteLockRefused || error == kIsamReadLockRefused) {
    reason = kReasonFileLock;
  }
  if (n > 0) {
    // Long random waits while more than half of the retries remain, short ones afterwards, so
    // that competing users do not retry in step.
    const int p =
        (static_cast<int>(n) - 2 * static_cast<int>(retry_counter_)) * 100 / static_cast<int>(n);
    const std::uint32_t b = system_->RetryPauseBase();
    const std::uint32_t span = p >= 0 ? 3 * b : b;
    const std::uint32_t wait = span - platform::CurrentRandom().Below(span);
    if (wait > 0) platform::CurrentSleeper().SleepMs(wait);
  }
  if (retry_counter_ < n) return true;

  ErrorWordKeeper keep(engine);
  bool go_on = false;
  // Never keep another user waiting for our user: with a lock of ours held, only the questions
  // that no retry can answer (drive, path) are asked.
  const bool may_ask = reason == kReasonDriveNotReady || reason == kReasonPathNotFound ||
                       !system_->ProgramHoldsLock();
  if (may_ask && retry_proc_) go_on = CallOut([&] { return retry_proc_(name_, reason); });
  keep.Restore();
  if (!go_on) return false;
  retry_counter_ = 0;
  return true;
}

bool IFDriverLow::HoldsLocks() const {
  if (fileblock_ == nullptr || !shared_) return false;
  DriverEngine& e = Engine();
  return e.WriteLockHeld(fileblock_) || e.ReadLockHeld(fileblock_) || e.AnyRecordLocked(fileblock_);
}

int IFDriverLow::CloseFiles() {
  if (fileblock_ == nullptr) return 0;
  const int cls = WClose();
  if (cls == 0 || Engine().Error() == kIsamCloseFailed) {
    fileblock_ = nullptr;
    if (system_->Ring() != nullptr) system_->Ring()->Remove(this);
    ResetPositions();
  }
  return cls;
}

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
    const auto victims = ring->PickVictims(
        shortage, [](const IFDriverLow* d) { return !(d->IsNetShared() && d->HoldsLocks()); });
    if (!victims) {
      RecordError(kDrvNoFileToFree, 1);
      return false;
    }
    for (IFDriverLow* victim : *victims) {
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
  if (record_length_ < 22) return RecordError(kDrvRecLenTooShort, 1), false;
  if (key_count_ > kMaxKeys) return RecordError(kDrvTooManyKeys, 1), false;
  if (static_cast<int>(keys_.size()) < key_count_ + 1) return RecordError(kDrvNoKeyTable, 1), false;
  for (int k = 1; k <= key_count_; ++k) {
    if (!keys_[k].defined) return RecordError(kDrvKeyUndefined, 1, k), false;
    if (keys_[k].length == 0) return RecordError(kDrvKeyLengthZero, 1, k), false;
    if (keys_[k].length > kMaxKeyLength) return RecordError(kDrvKeyTooLong, 1, k), false;
  }

  bool rebuilt = false;
  bool created = false;
  for (;;) {
    if (WOpen() == 0) CheckDefinition();
    if (Engine().Ok()) {
      ResetPositions();
      return true;
    }
    fileblock_ = nullptr;
    const int error = Engine().Error();
    const auto ask = [&](int reason) {
      ErrorWordKeeper keep(Engine());
      const bool yes = retry_proc_ && CallOut([&] { return retry_proc_(name_, reason); });
      keep.Restore();
      return yes;
    };
    if (!rebuilt && (error == kIsamIndexUnusable || error == kIsamKeyHeaderBad ||
                     error == kDrvKeyTableMismatch)) {
      if (!ask(kReasonRebuild)) {
        RecordEngineError(2, 0, 0, kClassSevere);
        return false;
      }
      rebuilt = true;
      if (Rebuild() != 0) {
        RecordEngineError(3);
        return false;
      }
      continue;
    }
    if (!created && error == kIsamFileNotFound) {
      if (!create_when_missing_) return RecordError(kDrvFileMissing, 4), false;
      if (!ask(kReasonCreate)) return RecordError(kDrvCreateDeclined, 4), false;
      created = true;
      Engine().Create(path_, record_length_, KeySpecs());
      if (!Engine().Ok()) {
        RecordEngineError(5);
        return false;
      }
      continue;
    }
    RecordEngineError(6);
    return false;
  }
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
