// An in-memory engine for driver tests: the engine's operations and error numbers on records
// and sorted key sets, with every call counted and any call made to fail on demand.
//
// It keeps the engine's observable rules that the driver relies on (free chain, 10205 for a
// record another user has locked, key order with and without duplicates, Next/Prev positions
// that are lost by a change of the key and re-found from the entry handed back, 10398 for a
// change of a shared file without its write lock, 10010 for a file marked modified), so the
// driver's retry, undo and lock rules can be tested exactly and without real waits.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "storage/driver_engine.h"

namespace storage_test {

using storage::EngineKeySpec;
using storage::FileblockHandle;

class MemoryEngine final : public storage::DriverEngine {
 public:
  struct Entry {
    std::string text;
    std::int32_t ref;
  };
  struct File {
    int record_length = 0;
    std::vector<EngineKeySpec> keys;
    std::vector<std::vector<std::uint8_t>> slots{1};  // slot 0 unused
    std::int32_t free_head = -1;
    std::int32_t free_count = 0;
    std::vector<std::vector<Entry>> index;  // per key, sorted
    bool modified = false;                  // the data header's modified marker
    bool broken_index = false;              // opens with 10120
    std::set<std::int32_t> foreign_locks;   // records another user holds locked
    std::map<std::int32_t, std::vector<std::uint8_t>> var_data;
  };

  MemoryEngine();
  ~MemoryEngine() override;

  // --- test controls ---
  // Called before every operation with its name; a non-zero answer fails the call with it.
  std::function<int(const std::string& op)> inject;
  std::map<std::string, int> calls;  // operations called, by name
  std::string version = "05.53";
  std::map<std::string, File> files;  // by name (the driver's path)
  int rebuilds = 0;

  File& FileOf(const std::string& name) { return files.at(name); }
  // Entries of key `key` (1-based) of the named file, in order.
  std::vector<Entry> Keys(const std::string& name, int key) { return FileOf(name).index[key - 1]; }

  // --- DriverEngine ---
  bool Ok() override { return error_ == 0; }
  int Error() override { return error_; }
  void SetError(int error) override { error_ = error; }
  void ResetError() override { error_ = 0; }
  int LastOsError() override { return 0; }
  int LastPrimitive() override { return 0; }
  std::string Version() override { return version; }
  void Init(int network_mode, int page_buffers) override;
  void Exit() override;
  bool EnsureSectionBuffer(std::size_t) override { return true; }
  void Create(const std::string& name, int record_length,
              const std::vector<EngineKeySpec>& keys) override;
  FileblockHandle Open(const std::string& name, const storage::EngineOpenOptions& o) override;
  void Close(FileblockHandle fb) override;
  void Delete(const std::string& name) override;
  void Flush(FileblockHandle fb) override;
  int RecordLength(FileblockHandle fb) override;
  int KeyCount(FileblockHandle fb) override;
  EngineKeySpec KeySpec(FileblockHandle fb, int key) override;
  void Rebuild(const std::string& name, int record_length, const std::vector<EngineKeySpec>& keys,
               bool variable, const storage::EngineKeyBuilder& builder,
               const storage::EngineRebuildProgress& progress) override;
  std::int32_t AddRecord(FileblockHandle fb, const std::uint8_t* record) override;
  void GetRecord(FileblockHandle fb, std::int32_t ref, std::uint8_t* record) override;
  void PutRecord(FileblockHandle fb, std::int32_t ref, const std::uint8_t* record) override;
  void DeleteRecord(FileblockHandle fb, std::int32_t ref) override;
  void RecordHead(FileblockHandle fb, std::int32_t ref, std::uint8_t head[4]) override;
  std::int32_t UsedRecs(FileblockHandle fb) override;
  std::int32_t RecordSlots(FileblockHandle fb) override;
  std::int32_t VarRecAdd(FileblockHandle fb, const std::uint8_t* data, int length) override;
  void VarRecPut(FileblockHandle fb, std::int32_t ref, const std::uint8_t* data,
                 int length) override;
  void VarRecDelete(FileblockHandle fb, std::int32_t ref) override;
  void VarRecGet(FileblockHandle fb, std::int32_t ref, std::uint8_t* data, int& length) override;
  std::int32_t UsedKeys(FileblockHandle fb, int key) override;
  void AddKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) override;
  void DeleteKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) override;
  void SearchKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override;
  void FindKeyAndRef(FileblockHandle fb, int key, std::string& text, std::int32_t& ref,
                     int direction) override;
  void NextKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override;
  void PrevKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override;
  void ClearKey(FileblockHandle fb, int key) override;
  std::int32_t ApproxRelPos(FileblockHandle fb, int key, std::string_view text, std::int32_t ref,
                            std::int32_t scale) override;
  void ApproxKeyAt(FileblockHandle fb, int key, std::int32_t pos, std::int32_t scale,
                   std::string& text, std::int32_t& ref) override;
  void LockRecord(FileblockHandle fb, std::int32_t ref) override;
  void UnlockRecord(FileblockHandle fb, std::int32_t ref) override;
  void LockFile(FileblockHandle fb) override;
  void UnlockFile(FileblockHandle fb) override;
  bool WriteLockHeld(FileblockHandle fb) override;
  bool ReadLockHeld(FileblockHandle fb) override;
  bool AnyRecordLocked(FileblockHandle fb) override;
  bool RecordLocked(FileblockHandle fb, std::int32_t ref) override;

 private:
  bool Enter(const std::string& op, FileblockHandle fb = nullptr, bool needs_fb = false);
  File* FileFor(FileblockHandle fb);
  bool ChangeAllowed(FileblockHandle fb);
  bool Less(const File& f, int key, const Entry& a, const Entry& b) const;
  bool Same(const File& f, int key, const Entry& a, const Entry& b) const;
  bool KeyOk(FileblockHandle fb, int key);

  struct Position {
    bool valid = false;
    bool outside = true;  // before the first entry (or after the last)
    Entry at;
  };
  struct Handle {
    std::string name;
    bool shared = false;
    bool write_lock = false;
    std::set<std::int32_t> record_locks;
    std::vector<Position> positions;
  };
  Handle* H(FileblockHandle fb) { return reinterpret_cast<Handle*>(fb); }
  FileblockHandle FB(Handle* h) { return reinterpret_cast<FileblockHandle>(h); }
  void InvalidatePositions(const std::string& name, int key);

  int error_ = 0;
  bool started_ = false;
  std::vector<std::unique_ptr<Handle>> handles_;
};

}  // namespace storage_test
