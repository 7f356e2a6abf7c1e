#include "storage/driver/driver.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "platform/text_codec.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_names.h"
#include "storage/isam/engine.h"

namespace storage {

// The operation frame (DriverEnter on construction, DriverLeave through Leave). A frame left by
// an exception (a callback that threw) still gives the in-progress flag back.
class IFDriver::Frame {
 public:
  Frame(IFDriver& d, DriverOp op) : d_(d) {
    if (d_.system_ == nullptr) d_.system_ = &common::Service<DriverSystem>::Get();
    DriverSystem& s = *d_.system_;
    const bool nested = s.CallActive();
    // A refused nested call (made from a callback of a running call) must not leave the running
    // call's stack and error word behind changed: they come back when the callback returns.
    if (nested) s.SaveOuterCall();
    s.Stack().Clear();
    s.Engine().ResetError();
    s.Stack().SetOperationCode(static_cast<std::uint16_t>(op));
    s.Stack().NoteInitialDriver(&d_);
    s.Stack().CallErrorProc();
    if (nested) {
      d_.RecordError(kDrvReentry, 1);
      return;
    }
    s.SetCallActive(true);
    owns_call_ = true;
    const int cls = OperationClass(op);
    if (cls == 0) return;
    if (!d_.IsValid()) {
      d_.RecordError(kDrvInvalidDriver, 1);
      return;
    }
    if (cls == 1) return;
    const bool was_open = d_.FilesOpen();
    if (!d_.OpenOnDemand()) return;
    d_.opened_now_ = !was_open;
    d_.locks_at_start_ = d_.HoldsLocks();
    if (cls >= 3 && d_.shared_) {
      d_.note_record_lock_ = s.Engine().AnyRecordLocked(d_.fileblock_);
      d_.note_file_lock_ = s.Engine().WriteLockHeld(d_.fileblock_);
      s.Engine().ResetError();
    }
  }

  ~Frame() {
    if (owns_call_) d_.system_->SetCallActive(false);
  }

  bool Ready() const { return d_.system_->Stack().ErrorClass() == 0; }

  // DriverLeave: raises EDBError for a serious class; else answers whether the class is 0.
  bool Leave() {
    DriverSystem& s = *d_.system_;
    d_.note_record_lock_ = false;
    d_.note_file_lock_ = false;
    s.Stack().CallErrorProc();
    const int cls = s.Stack().ErrorClass();
    if (owns_call_) {
      s.SetCallActive(false);
      owns_call_ = false;
    }
    if (cls > kClassLock) throw EDBError::FromStack(cls, d_.name_, s.Stack());
    return cls == kClassOk;
  }

 private:
  IFDriver& d_;
  bool owns_call_ = false;
};

bool IFDriver::Framed(DriverOp op, const std::function<void()>& work) {
  Frame frame(*this, op);
  if (frame.Ready()) {
    // A failed operation may have let go of the current record; it runs again from here.
    const std::int32_t current = current_ref_;
    walk_.BeginOperation();
    work();
    // Another station stopped in the middle of a change, or the operation found damage: once the
    // files are repaired, the operation runs again, unless it delivered a damaged record (which
    // stays current).
    const bool damaged = walk_.DeliveredDamaged();
    if (OperationClass(op) >= 2 && RepairAfterCrash(damaged ? current_ref_ : current) && !damaged) {
      work();
    }
  }
  return frame.Leave();
}

IFDriver::IFDriver() {
  if (common::Service<DriverSystem>::Exists()) system_ = &common::Service<DriverSystem>::Get();
}

IFDriver::~IFDriver() {
  if (!IsValid() || system_ == nullptr) return;
  try {
    Destroy();
  } catch (const EDBError&) {
    // Already recorded on the operation stack; a destructor cannot report further.
  }
}

// --- open ---

std::string IFDriver::NormalisePath(const std::string& path, const std::string& start_folder) {
  std::string p = path;
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  const auto dat = p.find(".DAT");
  if (dat != std::string::npos) p.resize(dat);
  const bool absolute = p.find(':') != std::string::npos || p.starts_with("/");
  if (!absolute && !p.empty()) p = start_folder + p;
  return p;
}

namespace {

std::filesystem::path FsPath(const std::string& text) {
  return std::filesystem::path(platform::Cp1252ToUtf8(text));
}

bool EmptyDataFile(const std::string& path) {
  std::error_code ec;
  const auto dat = FsPath(path + ".DAT");
  return std::filesystem::is_regular_file(dat, ec) && std::filesystem::file_size(dat, ec) == 0 &&
         !ec;
}

// An empty data file with a ".ALT" copy beside it (left by an interrupted save of the whole
// file) is replaced by that copy; its index is deleted so that the first open rebuilds it. The
// repair runs alone (exclusive use of the fileblock); when another station has the files open it
// is left to a later open. The error word stays clear.
void RepairFromAlt(DriverEngine& engine, const std::string& path) {
  if (!EmptyDataFile(path)) return;
  engine.TakeExclusive(path);
  if (!engine.Ok()) {
    engine.ResetError();
    return;
  }
  std::error_code ec;
  if (EmptyDataFile(path)) {
    std::filesystem::remove(FsPath(path + ".DAT"), ec);
    const auto alt = FsPath(path + ".ALT");
    if (std::filesystem::exists(alt, ec)) {
      std::filesystem::rename(alt, FsPath(path + ".DAT"), ec);
      std::filesystem::remove(FsPath(path + ".IX"), ec);
    }
  }
  engine.ReleaseExclusive(path);
  engine.ResetError();
}

}  // namespace

bool IFDriver::Open(const DriverOpenParams& params) {
  return Framed(DriverOp::kOpen, [&] { OpenWork(params); });
}

void IFDriver::OpenWork(const DriverOpenParams& p) {
  DriverSystem& s = *system_;
  const std::string path = NormalisePath(p.path, s.StartFolder());
  if (!s.Started()) return RecordError(kDrvNotStarted, 1);
  if (!path.empty()) RepairFromAlt(Engine(), path);

  if (IsValid()) return RecordError(kDrvAlreadyOpen, 2);
  if (p.name.empty()) return RecordError(kDrvNoName, 1);
  if (s.FindOpen(p.name) != nullptr) return RecordError(kDrvAlreadyOpen, 1);
  if (path.empty()) return RecordError(kDrvNoPath, 1);
  // The lengths are checked before any buffer is sized by them.
  if (p.record_length < kMinRecordLength || p.record_length > kMaxRecordLength ||
      p.buffer_length > kMaxRecordLength) {
    return RecordError(kDrvRecLenRange, 1);
  }
  if (p.key_count < 0 || p.key_count > kMaxKeys) return RecordError(kDrvTooManyKeys, 1);
  if (p.key_count > 0 && !p.key_builder) return RecordError(kDrvNoKeyBuilder, 1);
  if (p.variable && p.record_length >= p.buffer_length) return RecordError(kDrvVarMinLength, 1);
  if (!p.variable && p.record_length != p.buffer_length) return RecordError(kDrvRecLenBuffer, 1);

  if (p.record_buffer == nullptr) {
    owned_buffer_.assign(static_cast<std::size_t>(p.buffer_length), 0);
    record_buffer_ = owned_buffer_.data();
  } else {
    owned_buffer_.clear();
    record_buffer_ = p.record_buffer;
  }
  buffer_length_ = p.buffer_length;
  read_buffer_.assign(static_cast<std::size_t>(p.buffer_length), 0);
  before_image_.assign(static_cast<std::size_t>(p.buffer_length), 0);
  keys_.assign(static_cast<std::size_t>(p.key_count) + 1, KeyDescriptor{});
  if (p.variable && !Engine().EnsureSectionBuffer(static_cast<std::size_t>(p.record_length))) {
    owned_buffer_.clear();
    record_buffer_ = nullptr;
    return RecordError(kDrvSectionBuffer, 1);
  }

  signature_ = kDriverSignature;
  fileblock_ = nullptr;
  path_ = path;
  name_ = NormaliseDriverName(p.name);
  journal_ = p.journal;
  shared_ = p.shared && s.NetworkMode() != 0;
  read_only_ = false;
  read_only_sharing_ = false;
  variable_ = p.variable;
  create_when_missing_ = p.create_when_missing;
  record_length_ = p.record_length;
  key_count_ = p.key_count;
  // A driver opened anew has no current record and walks no key, whatever it did before.
  ClearCurrent();
  read_ref_ = -1;
  image_length_ = read_length_ = p.variable ? 0 : p.record_length;
  next_length_ = 0;
  key_builder_ = p.key_builder;
  retry_proc_ = s.DefaultRetryProc();
  retry_count_ = p.retry_count;
  take_reread_ = true;
  flush_each_write_ = false;
  current_key_ = 0;
  s.Register(this);
}

void IFDriver::Destroy() {
  Frame frame(*this, DriverOp::kDestroy);
  if (frame.Ready()) {
    if (fileblock_ != nullptr && CloseFiles() != 0) {
      RecordEngineError(1);
      fileblock_ = nullptr;
      if (system_->Ring() != nullptr) system_->Ring()->Remove(this);
    }
    system_->Unregister(this);
    signature_ = 0;
    keys_.clear();
    owned_buffer_.clear();
    owned_buffer_.shrink_to_fit();
    record_buffer_ = nullptr;
    read_buffer_.clear();
    before_image_.clear();
  }
  frame.Leave();
}

bool IFDriver::DefineKey(int key, int length, bool duplicates) {
  Frame frame(*this, DriverOp::kDefineKey);
  if (frame.Ready()) {
    if (key < 1 || key > key_count_) {
      RecordError(kDrvKeyNumberRange, 1, key);
    } else if (length == 0) {
      RecordError(kDrvKeyLengthZero, 1, key);
    } else if (length < 0 || length > kMaxKeyLength) {
      RecordError(kDrvKeyTooLong, 1, key);
    } else {
      KeyDescriptor& d = keys_[key];
      d = KeyDescriptor{};
      d.defined = true;
      d.length = static_cast<std::uint8_t>(length);
      d.duplicates = duplicates;
    }
  }
  return frame.Leave();
}

bool IFDriver::SetAutoKeyField(int key, int offset) {
  Frame frame(*this, DriverOp::kSetAutoKeyField);
  if (frame.Ready()) {
    if (key < 1 || key > key_count_ || !keys_[key].defined) {
      RecordError(kDrvAutoKeyUndefined, 1, key);
    } else if (offset < 0 || offset > buffer_length_ - 4) {
      // The whole 32-bit field must lie inside the buffer, not just its first byte.
      RecordError(kDrvAutoKeyOutside, 1, key);
    } else {
      // The key builder must end the key with the number: try 0 and the highest number on a
      // buffer of ones, then give the buffer its record back.
      std::uint8_t* field = record_buffer_ + offset;
      const auto k = static_cast<std::uint16_t>(key);
      std::memset(record_buffer_, 1, static_cast<std::size_t>(buffer_length_));
      const auto ends_with = [&](std::int32_t number) {
        common::WriteLeInt32(field, number);
        const std::string text = BuildKeyText(record_buffer_, k);
        return text.size() >= kAutoKeyChars &&
               common::KeyToLongInt(std::string_view(text).substr(text.size() - kAutoKeyChars)) ==
                   number;
      };
      const bool ok = ends_with(0) && ends_with(2147483647);
      std::memcpy(record_buffer_, before_image_.data(), static_cast<std::size_t>(buffer_length_));
      if (ok) {
        keys_[key].autokey_offset = offset;
      } else {
        RecordError(kDrvAutoKeyBuilder, 1, key);
      }
    }
  }
  return frame.Leave();
}

bool IFDriver::SetRecLength(int length) {
  Frame frame(*this, DriverOp::kSetRecLength);
  if (frame.Ready() && variable_) {
    if (length < 5) {
      RecordError(kDrvVarLenTooShort, 1);
    } else if (length > buffer_length_) {
      RecordError(kDrvVarLenTooLong, 1);
    } else {
      next_length_ = length;
    }
  }
  return frame.Leave();
}

void IFDriver::ClearRecord() {
  Frame frame(*this, DriverOp::kClearRecord);
  if (frame.Ready() && record_buffer_ != nullptr) {
    std::memset(record_buffer_, 0, static_cast<std::size_t>(buffer_length_));
  }
  frame.Leave();
}

std::int32_t IFDriver::CurrentRef() {
  Frame frame(*this, DriverOp::kCurrentRef);
  const std::int32_t ref = current_ref_;
  return frame.Leave() ? ref : -1;
}

std::string IFDriver::BuildKey(int key) {
  Frame frame(*this, DriverOp::kBuildKey);
  std::string text;
  if (frame.Ready() && KeyInRange(key, false)) {
    text = BuildKeyText(record_buffer_, static_cast<std::uint16_t>(key));
  }
  return frame.Leave() ? text : std::string();
}

DriverPosition IFDriver::SavePosition(int key) {
  Frame frame(*this, DriverOp::kSavePosition);
  DriverPosition pos;
  if (frame.Ready()) pos = DoSavePosition(key);
  return frame.Leave() ? pos : DriverPosition{};
}

void IFDriver::SetRetry(std::uint16_t count, RetryProc proc) {
  Frame frame(*this, DriverOp::kSetRetry);
  if (frame.Ready()) {
    retry_count_ = count;
    retry_proc_ = std::move(proc);
  }
  frame.Leave();
}

void IFDriver::GetRetry(std::uint16_t& count, RetryProc& proc) {
  Frame frame(*this, DriverOp::kGetRetry);
  if (frame.Ready()) {
    count = retry_count_;
    proc = retry_proc_;
  }
  frame.Leave();
}

bool IFDriver::SetSectionParam(int value) {
  Frame frame(*this, DriverOp::kSetSectionParam);
  if (frame.Ready()) {
    if (value < 4) {
      RecordError(kDrvSectionParam, 1);
    } else if (variable_) {
      section_param_ = value;
    }
  }
  return frame.Leave();
}

bool IFDriver::EraseFiles() {
  Frame frame(*this, DriverOp::kEraseFiles);
  if (frame.Ready()) {
    if (system_->ProgramHoldsLock()) {
      RecordError(kDrvEraseWhileLocked, 1);
    } else if (CloseFiles() != 0) {
      RecordEngineError(2);
    } else {
      Engine().Delete(path_);
      ForgetClosedFiles();
      if (!Engine().Ok()) RecordEngineError(3);
      ClearCurrent();
    }
  }
  return frame.Leave();
}

std::uint8_t* IFDriver::RecordBuffer() {
  Frame frame(*this, DriverOp::kRecordBuffer);
  std::uint8_t* buffer = record_buffer_;
  return frame.Leave() ? buffer : nullptr;
}

void IFDriver::SetRebuildProc(RebuildProgressObserver* observer) {
  Framed(DriverOp::kSetRebuildProc, [&] { rebuild_observer_ = observer; });
}

void IFDriver::SetFlushEachWrite(bool on) {
  Framed(DriverOp::kSetFlushEachWrite, [&] { flush_each_write_ = on; });
}

bool IFDriver::GetFlushEachWrite() {
  Frame frame(*this, DriverOp::kGetFlushEachWrite);
  const bool on = flush_each_write_;
  return frame.Leave() && on;
}

// --- locks ---

bool IFDriver::LockFile() {
  return Framed(DriverOp::kLockFile, [&] {
    if (WLockFile() != 0) RecordEngineError(1);
  });
}

bool IFDriver::UnlockFile() {
  return Framed(DriverOp::kUnlockFile, [&] {
    if (WUnlockFile() != 0) RecordEngineError(1);
  });
}

bool IFDriver::Mark() {
  return Framed(DriverOp::kMark, [] {});
}

// --- keys ---

bool IFDriver::NextKey(int key, std::string& text, std::int32_t& ref) {
  return Framed(DriverOp::kNextKey, [&] {
    if (!KeyInRange(key, false)) return;
    walk_.KeyMoved(key);
    if (WNextKey(key, text, ref) != 0) RecordEngineError(1, key);
  });
}

bool IFDriver::PrevKey(int key, std::string& text, std::int32_t& ref) {
  return Framed(DriverOp::kPrevKey, [&] {
    if (!KeyInRange(key, false)) return;
    walk_.KeyMoved(key);
    if (WPrevKey(key, text, ref) != 0) RecordEngineError(1, key);
  });
}

bool IFDriver::FindKeyAndRef(int key, std::string& text, std::int32_t& ref, int direction) {
  return Framed(DriverOp::kFindKeyAndRef, [&] {
    if (!KeyInRange(key, false)) return;
    walk_.KeyMoved(key);
    if (text.size() > kMaxKeyLength) text.resize(kMaxKeyLength);
    if (WFindKeyAndRef(key, text, ref, direction) != 0) RecordEngineError(1, key, ref);
  });
}

std::int32_t IFDriver::UsedRecs() {
  std::int32_t n = -1;
  const bool ok = Framed(DriverOp::kUsedRecs, [&] {
    Retried(RetryKind::kRecord, [&] { n = Engine().UsedRecs(fileblock_); });
    if (!Engine().Ok()) RecordEngineError(1);
  });
  return ok ? n : -1;
}

std::int32_t IFDriver::UsedKeys(int key) {
  std::int32_t n = -1;
  const bool ok = Framed(DriverOp::kUsedKeys, [&] {
    if (KeyInRange(key, false)) n = HeaderEntries(key, 1);
  });
  return ok ? n : -1;
}

std::int32_t IFDriver::GetApproxRelPos(int key, std::int32_t scale, std::string_view text,
                                       std::int32_t ref) {
  std::int32_t pos = -1;
  const bool ok = Framed(DriverOp::kGetApproxRelPos, [&] {
    if (!KeyInRange(key, false)) return;
    const std::string_view cut = text.substr(0, kMaxKeyLength);
    Retried(RetryKind::kRecord,
            [&] { pos = Engine().ApproxRelPos(fileblock_, key, cut, ref, scale); });
    if (!Engine().Ok()) RecordEngineError(1, key, ref);
  });
  return ok ? pos : -1;
}

bool IFDriver::GetApproxKeyAndRef(int key, std::int32_t position, std::int32_t scale,
                                  std::string& text, std::int32_t& ref) {
  return Framed(DriverOp::kGetApproxKeyAndRef, [&] {
    if (!KeyInRange(key, false)) return;
    walk_.KeyMoved(key);
    Retried(RetryKind::kRecord,
            [&] { Engine().ApproxKeyAt(fileblock_, key, position, scale, text, ref); });
    if (!Engine().Ok()) RecordEngineError(1, key);
  });
}

// --- records ---

bool IFDriver::AddRecord() {
  return Framed(DriverOp::kAddRecord, [&] { DoAddRecord(); });
}

bool IFDriver::UpdateRecord() {
  return Framed(DriverOp::kUpdateRecord, [&] { DoUpdateRecord(); });
}

bool IFDriver::DeleteRecord(int mode) {
  return Framed(DriverOp::kDeleteRecord, [&] { DoDeleteRecord(mode); });
}

bool IFDriver::GetRecord(std::int32_t ref) {
  return Framed(DriverOp::kGetRecord, [&] { DoGetRecord(ref); });
}

bool IFDriver::NextRecord(int key) {
  return Framed(DriverOp::kNextRecord, [&] { DoKeyStep(key, 2); });
}

bool IFDriver::PrevRecord(int key) {
  return Framed(DriverOp::kPrevRecord, [&] { DoKeyStep(key, 3); });
}

bool IFDriver::FirstRecord(int key) {
  return Framed(DriverOp::kFirstRecord, [&] { DoKeyStep(key, 0); });
}

bool IFDriver::LastRecord(int key) {
  return Framed(DriverOp::kLastRecord, [&] { DoKeyStep(key, 1); });
}

bool IFDriver::SearchRecord(int key, std::string_view text) {
  return Framed(DriverOp::kSearchRecord, [&] { DoSearch(key, std::string(text), false); });
}

bool IFDriver::FindRecord(int key, std::string_view text) {
  return Framed(DriverOp::kFindRecord, [&] { DoSearch(key, std::string(text), true); });
}

bool IFDriver::RestorePosition(const DriverPosition& position) {
  return Framed(DriverOp::kRestorePosition, [&] { DoRestorePosition(position); });
}

// --- the driver system's lookup ---

IFDriver* FindOpenDriver(std::string_view name) {
  // Every driver the system lists registered itself on its Open, as an IFDriver.
  return static_cast<IFDriver*>(common::Service<DriverSystem>::Get().FindOpenRoutine(name));
}

bool TakeExclusiveUse(const std::string& path, bool wait) {
  DriverSystem& system = common::Service<DriverSystem>::Get();
  DriverEngine& engine = system.Engine();
  const std::string normalised = IFDriver::NormalisePath(path, system.StartFolder());
  if (wait) {
    engine.TakeExclusive(normalised);
  } else {
    engine.TryExclusive(normalised);
  }
  const bool held = engine.Ok();
  engine.ResetError();
  return held;
}

void ReleaseExclusiveUse(const std::string& path) {
  DriverSystem& system = common::Service<DriverSystem>::Get();
  system.Engine().ReleaseExclusive(IFDriver::NormalisePath(path, system.StartFolder()));
  system.Engine().ResetError();
}

}  // namespace storage
