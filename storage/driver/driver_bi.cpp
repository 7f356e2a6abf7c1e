#include "storage/driver/driver_bi.h"

#include <cstring>

#include "platform/environment.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_errors.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

// A key call carries text and ref in and out: every attempt starts again from what was passed.
template <typename Call>
auto FromStart(std::string& text, std::int32_t& ref, Call call) {
  return [&text, &ref, call, start_text = text, start_ref = ref] {
    text = start_text;
    ref = start_ref;
    call();
  };
}

}  // namespace

IFbiDriver::IFbiDriver() = default;
IFbiDriver::~IFbiDriver() = default;

void IFbiDriver::DetachFromSystem() {
  fileblock_ = nullptr;
  ForgetClosedFiles();
  signature_ = 0;
  system_ = nullptr;
}

std::string IFbiDriver::BuildKeyText(const std::uint8_t* record, std::uint16_t key) {
  std::string text;
  if (key_builder_) CallOut([&] { key_builder_(record, key, text); });
  if (text.size() > kMaxKeyLength) text.resize(kMaxKeyLength);
  return text;
}

std::vector<EngineKeySpec> IFbiDriver::KeySpecs() const {
  std::vector<EngineKeySpec> specs;
  for (int k = 1; k <= key_count_; ++k) {
    specs.push_back({keys_[k].length, static_cast<std::uint8_t>(keys_[k].duplicates ? 1 : 0)});
  }
  return specs;
}

int IFbiDriver::FilesNeeded() const {
  return 1 + (key_count_ > 0 ? 1 : 0) + ((shared_ || journal_) ? 1 : 0);
}

int IFbiDriver::Rebuild() {
  return WithRebuildProgress(
      [this](const EngineKeyBuilder& builder, const EngineRebuildProgress& progress) {
        Engine().Rebuild(path_, record_length_, KeySpecs(), variable_, builder, progress);
      });
}

int IFbiDriver::WRepairInPlace() {
  return WithRebuildProgress(
      [this](const EngineKeyBuilder& builder, const EngineRebuildProgress& progress) {
        Retried(RetryKind::kLock,
                [&] { Engine().RepairInPlace(fileblock_, variable_, builder, progress); });
      });
}

int IFbiDriver::WithRebuildProgress(
    const std::function<void(const EngineKeyBuilder&, const EngineRebuildProgress&)>& run) {
  RebuildProgressObserver* observer = rebuild_observer_;
  if (observer != nullptr) CallOut([&] { observer->RebuildProgress(name_, 0, 0); });
  // The engine hands over its own record buffers; the key builder sees each record in turn.
  const EngineKeyBuilder builder = [this](const std::uint8_t* record, std::uint16_t key,
                                          std::string& text) { text = BuildKeyText(record, key); };
  const EngineRebuildProgress progress = [this, observer](std::int32_t read, std::int32_t) {
    if (observer != nullptr) CallOut([&] { observer->RebuildProgress(name_, 1, read); });
    return true;
  };
  run(builder, progress);
  const int cls = EngineClass();
  if (observer != nullptr) {
    // The end message must not disturb the rebuild's outcome.
    const bool ok = Engine().Ok();
    const int error = Engine().Error();
    CallOut([&] { observer->RebuildProgress(name_, 2, 0); });
    if (!ok) Engine().SetError(error);
  }
  return cls;
}

bool IFbiDriver::HoldsLocks() const {
  if (fileblock_ == nullptr || !shared_) return false;
  DriverEngine& e = Engine();
  return e.WriteLockHeld(fileblock_) || e.ReadLockHeld(fileblock_) || e.AnyRecordLocked(fileblock_);
}

int IFbiDriver::CloseFiles() {
  if (fileblock_ == nullptr) return 0;
  DriverEngine& e = Engine();
  // Looked at before the news is: another user's write after the look is a version the close
  // finds, one before it stands in the news. Only a settled look tells every later write.
  const FilesWritten before = e.Written(path_);
  // Another user's change since the last lock of a shared file is counted now: nobody's next lock
  // tells this opening of it.
  const std::uint64_t changes =
      shared_ ? e.ForeignChanges(fileblock_) + (e.ChangedSinceLock(fileblock_) ? 1 : 0) : 0;
  const int cls = WClose();
  if (cls == 0 || e.Error() == kIsamCloseFailed) {
    fileblock_ = nullptr;
    if (system_->Ring() != nullptr) system_->Ring()->Remove(this);
    walk_.PositionsLost();
    closed_changes_ += changes;
    // A write during the close, this station's own or another's, leaves the files unvouched for.
    const FilesWritten after = e.Written(path_);
    closed_files_.reset();
    if (cls == 0 && before.settled && after.SameVersions(before)) closed_files_ = after;
  }
  return cls;
}

void IFbiDriver::NoteOpening() {
  if (!closed_files_ || !closed_files_->SameVersions(Engine().Written(path_))) ++closed_changes_;
  closed_files_.reset();
}

int IFbiDriver::LockCount() const {
  if (fileblock_ == nullptr || !shared_) return 0;
  return Engine().AnyRecordLocked(fileblock_) ? 1 : 0;
}

int IFbiDriver::FileLockCount() const {
  if (fileblock_ == nullptr || !shared_) return 0;
  return Engine().WriteLockHeld(fileblock_) ? 1 : 0;
}

std::uint64_t IFbiDriver::ForeignChangeStamp() const {
  return closed_changes_ +
         (fileblock_ != nullptr && shared_ ? Engine().ForeignChanges(fileblock_) : 0);
}

int IFbiDriver::RepairMark() const {
  return fileblock_ != nullptr ? Engine().RepairMark(fileblock_) : -1;
}

// --- the retry decision ---

bool IFbiDriver::RetryOnError() {
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

// --- wrappers ---

int IFbiDriver::WOpen() {
  EngineOpenOptions options;
  options.read_only = read_only_;
  options.read_only_sharing = read_only_sharing_;
  options.journal = journal_;
  options.shared = shared_;
  return Retried(RetryKind::kLock, [&] { fileblock_ = Engine().Open(path_, options); });
}

int IFbiDriver::WClose() {
  // A close is not retried: it releases, it never waits for another user.
  Engine().Close(fileblock_);
  return EngineClass();
}

int IFbiDriver::WFlush() {
  return Retried(RetryKind::kRecord, [&] { Engine().Flush(fileblock_); });
}

int IFbiDriver::WAddRecord(const std::uint8_t* record, int length, std::int32_t& ref) {
  return Retried(RetryKind::kRecord, [&] {
    ref = variable_ ? Engine().VarRecAdd(fileblock_, record, length)
                    : Engine().AddRecord(fileblock_, record);
  });
}

int IFbiDriver::WGetRecord(std::int32_t ref) {
  int length = buffer_length_;
  Retried(RetryKind::kRecord, [&] {
    length = buffer_length_;
    if (variable_) {
      Engine().VarRecGet(fileblock_, ref, read_buffer_.data(), length);
    } else {
      Engine().GetRecord(fileblock_, ref, read_buffer_.data());
      length = record_length_;
    }
  });
  if (!Engine().Ok() && Engine().Error() == kIsamRecordLockedRead) {
    // Another user holds the record lock, which covers only the free-chain link: the record is
    // in use, so its link is 0.
    Engine().ResetError();
    std::memset(read_buffer_.data(), 0, 4);
  }
  if (!Engine().Ok()) return EngineClass();
  read_ref_ = ref;
  read_length_ = length;
  if (length < 4 || read_buffer_[0] != 0 || read_buffer_[1] != 0 || read_buffer_[2] != 0 ||
      read_buffer_[3] != 0) {
    Engine().SetError(kDrvRecordGone);
  }
  return EngineClass();
}

int IFbiDriver::WPutRecord(std::int32_t ref, const std::uint8_t* record, int length) {
  return Retried(RetryKind::kRecord, [&] {
    if (variable_) {
      Engine().VarRecPut(fileblock_, ref, record, length);
    } else {
      Engine().PutRecord(fileblock_, ref, record);
    }
  });
}

int IFbiDriver::WDeleteRecord(std::int32_t ref) {
  return Retried(RetryKind::kRecord, [&] {
    if (variable_) {
      Engine().VarRecDelete(fileblock_, ref);
    } else {
      Engine().DeleteRecord(fileblock_, ref);
    }
  });
}

int IFbiDriver::WRecordHead(std::int32_t ref, std::uint8_t head[4]) {
  return Retried(RetryKind::kRecord, [&] { Engine().RecordHead(fileblock_, ref, head); });
}

int IFbiDriver::WAddKey(int key, std::int32_t ref, std::string_view text) {
  return Retried(RetryKind::kRecord, [&] { Engine().AddKey(fileblock_, key, ref, text); });
}

int IFbiDriver::WDeleteKey(int key, std::int32_t ref, std::string_view text) {
  return Retried(RetryKind::kRecord, [&] { Engine().DeleteKey(fileblock_, key, ref, text); });
}

int IFbiDriver::WSearchKey(int key, std::string& text, std::int32_t& ref) {
  return Retried(RetryKind::kRecord,
                 FromStart(text, ref, [&] { Engine().SearchKey(fileblock_, key, text, ref); }));
}

int IFbiDriver::WFindKeyAndRef(int key, std::string& text, std::int32_t& ref, int direction) {
  return Retried(RetryKind::kRecord, FromStart(text, ref, [&] {
                   Engine().FindKeyAndRef(fileblock_, key, text, ref, direction);
                 }));
}

int IFbiDriver::WNextKey(int key, std::string& text, std::int32_t& ref) {
  return Retried(RetryKind::kRecord,
                 FromStart(text, ref, [&] { Engine().NextKey(fileblock_, key, text, ref); }));
}

int IFbiDriver::WPrevKey(int key, std::string& text, std::int32_t& ref) {
  return Retried(RetryKind::kRecord,
                 FromStart(text, ref, [&] { Engine().PrevKey(fileblock_, key, text, ref); }));
}

int IFbiDriver::WLockRecord(std::int32_t ref) {
  return Retried(RetryKind::kLock, [&] { Engine().LockRecord(fileblock_, ref); });
}

int IFbiDriver::WUnlockRecord(std::int32_t ref) {
  Retried(RetryKind::kRecord, [&] { Engine().UnlockRecord(fileblock_, ref); });
  if (!Engine().Ok() && Engine().Error() == kIsamRecordNotLocked) {
    Engine().SetError(kDrvUnlockNotLocked);
  }
  return EngineClass();
}

int IFbiDriver::WLockFile() {
  return Retried(RetryKind::kLock, [&] { Engine().LockFile(fileblock_); });
}

int IFbiDriver::WUnlockFile() {
  return Retried(RetryKind::kRecord, [&] { Engine().UnlockFile(fileblock_); });
}

int IFbiDriver::WTakeExclusive() {
  return Retried(RetryKind::kLock, [&] { Engine().TakeExclusive(path_); });
}

// --- recording ---

void IFbiDriver::RecordError(int error, std::uint32_t argument, int key, std::int32_t ref,
                             int error_class) {
  Engine().SetError(error);
  RecordEngineError(argument, key, ref, error_class);
}

void IFbiDriver::RecordEngineError(std::uint32_t argument, int key, std::int32_t ref,
                                   int error_class) {
  ErrorEntry e;
  e.error_class = error_class;
  e.error_number = Engine().Error();
  e.key_number = static_cast<std::uint16_t>(key);
  e.record_ref = ref;
  e.argument = argument;
  e.os_error = static_cast<std::uint16_t>(Engine().LastOsError());
  e.system_call = static_cast<std::uint16_t>(Engine().LastPrimitive());
  e.driver = this;
  e.file_name = name_;
  e.file_path = path_;
  Stack().AddError(e);
}

}  // namespace storage
