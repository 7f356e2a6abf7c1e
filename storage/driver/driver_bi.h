// IFbiDriver: the bottom layer of a database driver: its fields, the retrying wrapper of every
// engine operation it calls, and the recording of errors on the operation stack.
//
// The retry loop: each wrapper calls the engine, asks RetryOnError (the retry decision, below) and
// calls again while it answers true; the wrapper's result is the class of the
// engine's error word afterwards (DriverResultClass). Wrappers do not record errors: the caller
// decides whether an outcome is an error (a missing key entry while deleting, for instance, is
// not) and records it with RecordEngineError or RecordError.
//
// Call-outs (key builder, lock-conflict callback, rebuild progress) go through CallOut, which puts
// back the driver call's own state should the callback have run a refused nested driver call.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/driver/driver_engine.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_system.h"
#include "storage/driver/key_walk.h"
#include "storage/driver/open_driver.h"
#include "storage/driver/rebuild_progress.h"

namespace storage {

// Builds key `key` of the record in `record` into `text` (the database's key builder; leaves the
// text alone for keys it does not build).
using DriverKeyBuilder =
    std::function<void(const std::uint8_t* record, std::uint16_t key, std::string& text)>;

inline constexpr std::uint32_t kDriverSignature = 0x11915158;
inline constexpr std::uint16_t kRetryForever = 65535;
inline constexpr int kAutoKeyChars = 5;  // the number form at the end of an AUTOKEY key

struct KeyDescriptor {
  bool defined = false;
  std::uint8_t length = 0;
  bool duplicates = false;
  int autokey_offset = -1;  // offset of the 32-bit AUTOKEY number in the record; -1 none
  std::int32_t autokey_step = 1;
  std::int32_t autokey_lowest = 1;
};

class IFbiDriver : public OpenDriver {
 public:
  IFbiDriver();
  virtual ~IFbiDriver();

  // Key `key` of `record`, cut to 50 characters.
  std::string BuildKeyText(const std::uint8_t* record, std::uint16_t key);

  // Rebuilds the fileblock's files (reorganisation and index) with the key table; the files
  // must be closed. Reports through the engine's error word; answers the class.
  int Rebuild();
  // Repairs the open shared fileblock in place under its write lock (retried like a lock), while
  // other stations keep it open; the record references stay. Answers the class.
  int WRepairInPlace();

  // This user's lock state of the shared fileblock: the write lock (FileLockCount) and the
  // record locks (LockCount), each 1 while held; 0 for a file that is closed or not shared.
  int LockCount() const;
  int FileLockCount() const;
  // Tells this user whether another one changed the fileblock: the stamp stays the same as long
  // as nobody else changed the files. While they are open, a shared file's locks (a read takes
  // one) learn of another user's change; while the open-file budget keeps them closed, an opening
  // that finds them written meanwhile (or cannot tell) is another stamp, and so is an opening after
  // this station's own rebuild, creation or erasure of the files. Closed files keep the stamp
  // their last opening left.
  std::uint64_t ForeignChangeStamp() const;
  // The repair mark of the open files (storage/isam/dialog_file.h): it moves whenever somebody,
  // this station or another, repairs them (in place, or by a rebuild), and with nothing else; -1
  // when the files are closed or it cannot be read.
  int RepairMark() const;

  bool IsValid() const { return signature_ == kDriverSignature; }
  const std::string& FileName() const override { return name_; }
  const std::string& FilePath() const override { return path_; }
  bool FilesOpen() const override { return fileblock_ != nullptr; }
  bool HoldsLocks() const override;
  int CloseFiles() override;
  void DetachFromSystem() override;

 protected:
  enum class RetryKind { kRecord, kLock };

  // The retry decision after an engine call (RetryOnLock): lock-class errors are retried with
  // short random waits, then put to the lock-conflict callback. True to call again.
  bool RetryOnError();

  DriverEngine& Engine() const { return system_->Engine(); }
  DebugStack& Stack() const { return system_->Stack(); }

  // --- the retrying wrappers (fileblock open; the class of the outcome) ---
  template <typename Call>
  int Retried(RetryKind kind, Call&& call);
  int WOpen();
  int WClose();
  int WFlush();
  int WAddRecord(const std::uint8_t* record, int length, std::int32_t& ref);
  // Reads into the read buffer; 10205 is accepted (bytes 0-3 set to 0); a slot whose first four
  // bytes are not 0 fails with 12289. On success the read reference is `ref`.
  int WGetRecord(std::int32_t ref);
  int WPutRecord(std::int32_t ref, const std::uint8_t* record, int length);
  int WDeleteRecord(std::int32_t ref);
  int WRecordHead(std::int32_t ref, std::uint8_t head[4]);
  int WAddKey(int key, std::int32_t ref, std::string_view text);
  int WDeleteKey(int key, std::int32_t ref, std::string_view text);
  int WSearchKey(int key, std::string& text, std::int32_t& ref);
  int WFindKeyAndRef(int key, std::string& text, std::int32_t& ref, int direction);
  int WNextKey(int key, std::string& text, std::int32_t& ref);
  int WPrevKey(int key, std::string& text, std::int32_t& ref);
  int WLockRecord(std::int32_t ref);
  int WUnlockRecord(std::int32_t ref);
  int WLockFile();
  int WUnlockFile();
  // Exclusive use of the fileblock for a rebuild, repair or creation (retried like a lock).
  int WTakeExclusive();

  // Runs a rebuild or repair `run(builder, progress)` with the key builder and the rebuild
  // progress observer's start, progress and end; answers the class of its outcome.
  int WithRebuildProgress(
      const std::function<void(const EngineKeyBuilder&, const EngineRebuildProgress&)>& run);

  // --- recording on the operation stack ---
  // Sets the error into the engine's word and adds an entry (class -1: from the number).
  void RecordError(int error, std::uint32_t argument, int key = 0, std::int32_t ref = 0,
                   int error_class = -1);
  // Adds an entry for the engine's current error.
  void RecordEngineError(std::uint32_t argument, int key = 0, std::int32_t ref = 0,
                         int error_class = -1);
  int EngineClass() { return Engine().Ok() ? 0 : DriverResultClass(Engine().Error()); }

  // Runs a callback of the caller's; see the header comment.
  template <typename F>
  auto CallOut(F&& f) {
    struct Restore {
      DriverSystem* s;
      ~Restore() { s->RestoreOuterCall(); }
    } restore{system_};
    return f();
  }

  // Names the internal step in progress on the operation stack for its duration, so that an
  // error entry tells where in an operation it arose.
  class Step {
   public:
    Step(DebugStack& stack, std::uint16_t mark)
        : stack_(stack), previous_(stack.SetPositionMark(mark)) {}
    ~Step() { stack_.SetPositionMark(previous_); }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

   private:
    DebugStack& stack_;
    std::uint16_t previous_;
  };
  enum StepMark : std::uint16_t {
    kStepOpenOnDemand = 1,
    kStepOpenFiles = 2,
    kStepAdd = 3,
    kStepAutoKey = 4,
    kStepAddKeys = 5,
    kStepUpdate = 6,
    kStepChangeKeys = 7,
    kStepChangeKeysBack = 8,
    kStepDelete = 9,
    kStepReposition = 10,
    kStepLocks = 11,
    kStepEntryCheck = 12,
  };

  std::vector<EngineKeySpec> KeySpecs() const;
  int FilesNeeded() const;
  // After the files opened: another foreign-change stamp unless they are as the last close left
  // them, and it could vouch for them.
  void NoteOpening();
  // This station replaces the files (a rebuild, a creation, an erasure): their next opening is
  // another foreign-change stamp.
  void ForgetClosedFiles() { closed_files_.reset(); }

  // --- the driver object ---
  DriverSystem* system_ = nullptr;
  FileblockHandle fileblock_ = nullptr;
  std::string path_;
  std::string name_;
  bool journal_ = false;
  bool shared_ = false;
  bool read_only_ = false;
  bool read_only_sharing_ = false;
  bool variable_ = false;
  int record_length_ = 0;
  int key_count_ = 0;
  std::vector<KeyDescriptor> keys_;  // index 0 unused; keys 1..key_count_
  std::uint8_t* record_buffer_ = nullptr;
  int buffer_length_ = 0;
  std::vector<std::uint8_t> owned_buffer_;
  std::vector<std::uint8_t> read_buffer_;
  std::vector<std::uint8_t> before_image_;
  std::int32_t current_ref_ = -1;
  std::int32_t read_ref_ = -1;
  std::int32_t image_ref_ = -1;
  int next_length_ = 0;   // variable records: length of the next write
  int read_length_ = 0;   // length of the record in the read buffer
  int image_length_ = 0;  // length of the before image
  int section_param_ = 0;
  RetryProc retry_proc_;
  DriverKeyBuilder key_builder_;
  RebuildProgressObserver* rebuild_observer_ = nullptr;
  std::uint16_t retry_count_ = 32;
  std::uint32_t signature_ = 0;
  bool flush_each_write_ = false;
  bool take_reread_ = true;
  std::uint16_t current_key_ = 0;
  // The state of the key walks, with the key the current record was positioned through; the
  // close of the files drops that key.
  KeyWalk walk_;
  std::uint16_t retry_counter_ = 0;

 private:
  // The changes of other users the closed openings of the files counted.
  std::uint64_t closed_changes_ = 0;
  // The files as the last close left them, when nothing else could have written them unseen.
  std::optional<FilesWritten> closed_files_;
};

template <typename Call>
int IFbiDriver::Retried(RetryKind kind, Call&& call) {
  const std::uint16_t n = retry_count_;
  retry_counter_ = kind == RetryKind::kLock ? static_cast<std::uint16_t>(n - n / 8) : 0;
  do {
    call();
  } while (RetryOnError());
  return EngineClass();
}

}  // namespace storage
