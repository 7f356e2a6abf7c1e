// The engine as the driver sees it: every ISAM engine operation the driver calls, behind one
// interface.
//
// The driver system owns one DriverEngine; the program's is the real engine (RealDriverEngine
// forwards each call to the engine's operations and its process-wide IsamOK/IsamError word).
// Tests wrap it to count calls or to make chosen calls fail with an engine error number, the way
// the platform file layer fails chosen primitives. Every operation leaves its outcome in the
// engine's error word (Ok/Error); results are meaningful only when Ok() is true afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/isam/engine.h"
#include "storage/isam/files_written.h"
#include "storage/isam/rebuild.h"

namespace storage {

// The engine's key definition (length 1..50, duplicates 0 or 1) and open options.
using EngineKeySpec = KeySpec;
using EngineOpenOptions = OpenOptions;

// Builds key `key` of a record as a key text (the database's key-builder callback).
using EngineKeyBuilder =
    std::function<void(const std::uint8_t* record, std::uint16_t key, std::string& text)>;
// Rebuild progress: records read and written so far; false stops the rebuild (10460).
using EngineRebuildProgress = std::function<bool(std::int32_t read, std::int32_t written)>;

class DriverEngine {
 public:
  virtual ~DriverEngine() = default;

  // --- the process-wide error word ---
  // Within an engine operation the first failure stands (storage/isam/engine.h). Between engine
  // calls the word is the driver's: SetError puts a driver number (or a number the driver saved)
  // in place of whatever stands, because the driver names the outcome of its own operation.
  virtual bool Ok() = 0;
  virtual int Error() = 0;
  virtual void SetError(int error) = 0;  // replaces the word: Ok for 0, else failed with it
  virtual void ResetError() = 0;         // Ok, error 0
  virtual int LastOsError() = 0;         // last operating-system error of a failing primitive
  virtual int LastPrimitive() = 0;       // code of that primitive

  // --- engine-wide ---
  virtual std::string Version() = 0;
  virtual void Init(int network_mode, int page_buffers) = 0;
  virtual void Exit() = 0;
  // Makes sure the variable-record work buffer holds `bytes`; false when it cannot.
  virtual bool EnsureSectionBuffer(std::size_t bytes) = 0;

  // --- fileblocks ---
  virtual void Create(const std::string& name, int record_length,
                      const std::vector<EngineKeySpec>& keys) = 0;
  virtual FileblockHandle Open(const std::string& name, const EngineOpenOptions& options) = 0;
  virtual void Close(FileblockHandle fb) = 0;
  virtual void Delete(const std::string& name) = 0;
  virtual void Flush(FileblockHandle fb) = 0;
  // Marks the data file so that the next open rebuilds the index (the write lock when shared).
  virtual void MarkForRebuild(FileblockHandle fb) = 0;
  virtual int RecordLength(FileblockHandle fb) = 0;
  virtual int KeyCount(FileblockHandle fb) = 0;
  virtual EngineKeySpec KeySpec(FileblockHandle fb, int key) = 0;
  // Reorganises the data file and rebuilds the index (the entry for fixed or variable records).
  virtual void Rebuild(const std::string& name, int record_length,
                       const std::vector<EngineKeySpec>& keys, bool variable,
                       const EngineKeyBuilder& builder, const EngineRebuildProgress& progress) = 0;

  // Repairs the open fileblock in place under its write lock, while other processes keep it open:
  // the files a writer stopped in the middle of a change left unfinished, or an index this
  // process found damaged. Nothing when another process repaired them meanwhile.
  virtual void RepairInPlace(FileblockHandle fb, bool variable, const EngineKeyBuilder& builder,
                             const EngineRebuildProgress& progress) = 0;

  // --- exclusive use: a rebuild, repair or creation runs alone (storage/isam/rebuild_lock.h) ---
  // Waits while another process has the fileblock open or repairs it; 10355 when that lasts.
  virtual void TakeExclusive(const std::string& name) = 0;
  // The same without waiting: refused at once while another process has the fileblock.
  virtual void TryExclusive(const std::string& name) { TakeExclusive(name); }
  virtual void ReleaseExclusive(const std::string& name) = 0;
  // Puts a reorganisation that stopped halfway back from its "SAV" file (10465 when that is
  // impossible to decide); nothing without one.
  virtual void RestoreInterruptedRebuild(const std::string& name) = 0;
  // Which of the fileblock's data, index and "SAV" files are there.
  virtual FilesPresent Present(const std::string& name) = 0;

  // --- fixed-length records ---
  virtual std::int32_t AddRecord(FileblockHandle fb, const std::uint8_t* record) = 0;
  // Reads record `ref`; when another user holds its record lock, delivers bytes 4 onward and
  // reports 10205.
  virtual void GetRecord(FileblockHandle fb, std::int32_t ref, std::uint8_t* record) = 0;
  virtual void PutRecord(FileblockHandle fb, std::int32_t ref, const std::uint8_t* record) = 0;
  virtual void DeleteRecord(FileblockHandle fb, std::int32_t ref) = 0;
  // The first 4 bytes of slot `ref` (0 in a used record).
  virtual void RecordHead(FileblockHandle fb, std::int32_t ref, std::uint8_t head[4]) = 0;
  virtual std::int32_t UsedRecs(FileblockHandle fb) = 0;
  virtual std::int32_t RecordSlots(FileblockHandle fb) = 0;  // highest slot number + 1

  // --- variable-length records ---
  virtual std::int32_t VarRecAdd(FileblockHandle fb, const std::uint8_t* data, int length) = 0;
  virtual void VarRecPut(FileblockHandle fb, std::int32_t ref, const std::uint8_t* data,
                         int length) = 0;
  virtual void VarRecDelete(FileblockHandle fb, std::int32_t ref) = 0;
  // Reads at most `length` bytes; `length` becomes the number delivered. 10205 as GetRecord.
  virtual void VarRecGet(FileblockHandle fb, std::int32_t ref, std::uint8_t* data, int& length) = 0;

  // --- keys ---
  virtual std::int32_t UsedKeys(FileblockHandle fb, int key) = 0;
  virtual void AddKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) = 0;
  virtual void DeleteKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) = 0;
  // First entry >= text; text and ref become that entry's.
  virtual void SearchKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) = 0;
  // The entry (text, ref); when absent: direction > 0 the next, < 0 the previous, 0 fails.
  virtual void FindKeyAndRef(FileblockHandle fb, int key, std::string& text, std::int32_t& ref,
                             int direction) = 0;
  // Moves the key's position; text and ref carry the last delivered entry in (for re-finding a
  // lost position) and the new one out.
  virtual void NextKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) = 0;
  virtual void PrevKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) = 0;
  virtual std::int32_t ApproxRelPos(FileblockHandle fb, int key, std::string_view text,
                                    std::int32_t ref, std::int32_t scale) = 0;
  virtual void ApproxKeyAt(FileblockHandle fb, int key, std::int32_t pos, std::int32_t scale,
                           std::string& text, std::int32_t& ref) = 0;

  // --- locks (all do nothing on a fileblock that is not shared) ---
  virtual void LockRecord(FileblockHandle fb, std::int32_t ref) = 0;
  virtual void UnlockRecord(FileblockHandle fb, std::int32_t ref) = 0;
  virtual void LockFile(FileblockHandle fb) = 0;  // the write lock
  virtual void UnlockFile(FileblockHandle fb) = 0;
  virtual bool WriteLockHeld(FileblockHandle fb) = 0;
  virtual bool ReadLockHeld(FileblockHandle fb) = 0;
  virtual bool AnyRecordLocked(FileblockHandle fb) = 0;
  virtual bool RecordLocked(FileblockHandle fb, std::int32_t ref) = 0;
  // How often a lock of this user found the fileblock changed by another user (always 0 for a
  // fileblock that is not shared).
  virtual std::uint64_t ForeignChanges(FileblockHandle fb) = 0;
  // Whether another user changed the shared fileblock since this user's last lock of it, which
  // the next lock would count, or whether that cannot be told now (false when not shared).
  virtual bool ChangedSinceLock(FileblockHandle fb) = 0;
  // The repair mark of the files, which every repair of them moves on (0..255; -1 when it cannot
  // be read); it leaves the error word alone.
  virtual int RepairMark(FileblockHandle fb) = 0;
  // The files of the fileblock `name` as they lie on the disk (storage/isam/files_written.h).
  virtual FilesWritten Written(const std::string& name) = 0;
};

// The engine's classes of its own error numbers (0 ok, 1 not found, 2 lock conflict, 3 and 4
// serious).
inline int EngineClassOf(int error) { return EngineErrorClass(error); }

// Keeps the engine's error word across a step that must not change what the caller reads
// afterwards (a clean-up, a question to the user, a lock query): Restore puts the word back.
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

// The real engine.
std::unique_ptr<DriverEngine> MakeRealDriverEngine();

}  // namespace storage
