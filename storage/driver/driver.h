// IFDriver: the database driver of one open database file, the only road from the rest of the
// system to the ISAM engine.
//
// Each public operation runs in the operation frame (DriverEnter/DriverLeave): it clears the
// operation stack and notes its operation code, refuses re-entry (28770), opens the files on
// demand when its class needs them, runs its work only while DriverErrorClass is 0, and on the
// way out raises EDBError when the class is above 2 (serious). Lock conflicts are retried with
// short random waits and then put to the lock-conflict callback; not-found and lock-conflict
// outcomes stay in DriverErrorClass (1 and 2) and the Boolean results answer whether it is 0.
//
// Lifetime: an IFDriver is created, then Open sets it up (the files open later, on the first
// lock, key or record operation) and Destroy (or the destructor) closes it. A driver needs the
// DriverSystem service to exist for its whole life. The record buffer given to Open belongs to
// the caller and must outlive the driver; with none given the driver allocates its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_low.h"

namespace storage {

struct DriverOpenParams {
  std::string name;  // the sharing name; kept cut to 40 characters and upper-cased
  std::string path;  // data file path without extension (".DAT" and beyond are cut off)
  bool journal = false;
  bool shared = false;  // granted only when the engine runs in network mode
  bool variable = false;
  bool create_when_missing = true;
  int record_length = 0;  // fixed length, or the section (minimum) length for variable records
  int key_count = 0;
  std::uint8_t* record_buffer = nullptr;  // nullptr: the driver allocates one
  int buffer_length = 0;
  DriverKeyBuilder key_builder;
  std::uint16_t retry_count = 32;
};

class IFDriver : public IFDriverLow {
 public:
  IFDriver();
  // Destroys a driver that is still valid; errors of that close are not reported.
  ~IFDriver() override;

  // --- set-up (class 0 and 1) ---
  bool Open(const DriverOpenParams& params);
  void Destroy();
  bool DefineKey(int key, int length, bool duplicates);
  // Declares key `key`'s AUTOKEY number, a 32-bit field at `offset` in the record buffer, and
  // checks that the key builder ends that key with the number (28726 otherwise).
  bool SetAutoKeyField(int key, int offset);
  bool SetRecLength(int length);
  void ClearRecord();
  std::int32_t CurrentRef();
  std::string BuildKey(int key);
  DriverPosition SavePosition(int key);
  void SetRetry(std::uint16_t count, RetryProc proc);
  void GetRetry(std::uint16_t& count, RetryProc& proc);
  bool SetSectionParam(int value);
  bool EraseFiles();
  std::uint8_t* RecordBuffer();
  // The observer must outlive the driver or be replaced first; nullptr: none.
  void SetRebuildProc(RebuildProgressObserver* observer);
  void SetFlushEachWrite(bool on);
  bool GetFlushEachWrite();

  // --- locks (class 2) ---
  bool LockFile();
  bool UnlockFile();
  bool Mark();

  // --- keys (class 3); text and ref carry the last delivered entry in and the new one out ---
  bool NextKey(int key, std::string& text, std::int32_t& ref);
  bool PrevKey(int key, std::string& text, std::int32_t& ref);
  bool FindKeyAndRef(int key, std::string& text, std::int32_t& ref, int direction = 0);
  std::int32_t UsedRecs();
  std::int32_t UsedKeys(int key);
  // Approximate place of the entry (text, ref) on the scale 0..scale; -1 on error.
  std::int32_t GetApproxRelPos(int key, std::int32_t scale, std::string_view text,
                               std::int32_t ref);
  bool GetApproxKeyAndRef(int key, std::int32_t position, std::int32_t scale, std::string& text,
                          std::int32_t& ref);

  // --- records (class 4); after a successful positioning the record buffer holds the record ---
  bool AddRecord();
  bool UpdateRecord();
  bool DeleteRecord(int mode);
  bool GetRecord(std::int32_t ref);
  bool NextRecord(int key);
  bool PrevRecord(int key);
  bool FirstRecord(int key);
  bool LastRecord(int key);
  bool SearchRecord(int key, std::string_view text);
  bool FindRecord(int key, std::string_view text);
  bool RestorePosition(const DriverPosition& position);

  // Plain state, no frame.
  int BufferLength() const { return buffer_length_; }
  int RecordLength() const { return record_length_; }
  int KeyCount() const { return key_count_; }
  std::uint16_t CurrentKey() const { return current_key_; }
  int CurrentLength() const { return image_length_; }

 private:
  class Frame;
  // Runs `work` in the operation frame of `op` when the frame admits it; answers as the frame.
  bool Framed(DriverOp op, const std::function<void()>& work);
  void OpenWork(const DriverOpenParams& params);

 public:
  // The path of the files as the driver uses it: every "\" read as "/", ".DAT" and beyond cut
  // off, a relative path below the start folder.
  static std::string NormalisePath(const std::string& path, const std::string& start_folder);
};

// The open driver of that name (40 characters, normalised), or nullptr with 12364; a routine of
// the driver system with its own operation frame.
IFDriver* FindOpenDriver(std::string_view name);

// Exclusive use of a database's files for work that replaces them (the engine's rebuild lock):
// granted only while no other process has them open or is opening them; with `wait` the call
// waits up to 3072 ms for them to be given up. `path` names the files as a driver's path does
// (relative to the start folder, ".DAT" and beyond cut off). While it is held, this process's
// own opens of the files go ahead; its own drivers of them must be closed before it is taken.
// True when held (always in single-user mode, where nobody shares files); the error word stays
// clear either way. Takes nest; each is given back by one release.
bool TakeExclusiveUse(const std::string& path, bool wait);
void ReleaseExclusiveUse(const std::string& path);

}  // namespace storage
