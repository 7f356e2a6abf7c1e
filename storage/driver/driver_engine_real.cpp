// The real engine behind the driver's engine port: each call forwards to the engine's operation.
#include <cstring>

#include "storage/driver/driver_engine.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/var_record.h"

namespace storage {
namespace {

KeyStr Key(std::string_view text) { return KeyStr(text.substr(0, kMaxKeyLength)); }

// The key definition of an open fileblock, which the engine's interface does not report; -1
// (10445) for a handle that is not open.
int OpenKeyCount(FileblockHandle handle) {
  const Fileblock* fb = ResolveHandle(handle);
  if (fb == nullptr) {
    Fail(kIsamBadHandle);
    return -1;
  }
  return fb->key_count;
}
EngineKeySpec OpenKeySpec(FileblockHandle handle, int key) {
  const Fileblock* fb = ResolveHandle(handle);
  return {fb->keys[key].key_length, fb->keys[key].duplicates};
}

class RealDriverEngine final : public DriverEngine {
 public:
  bool Ok() override { return Isam().IsamOK; }
  int Error() override { return Isam().IsamError; }
  void SetError(int error) override {
    ClearFailure();
    if (error != 0) Fail(error);
  }
  void ResetError() override { ClearFailure(); }
  int LastOsError() override { return static_cast<int>(Isam().LastOsError); }
  int LastPrimitive() override { return Isam().LastPrimitive; }

  std::string Version() override { return storage::EngineVersion(); }
  void Init(int network_mode, int page_buffers) override { EngineInit(network_mode, page_buffers); }
  void Exit() override { EngineExit(); }
  bool EnsureSectionBuffer(std::size_t bytes) override { return VarRecBufferEnsure(bytes); }

  void Create(const std::string& name, int record_length,
              const std::vector<EngineKeySpec>& keys) override {
    FileblockCreate(name, record_length, keys);
  }
  FileblockHandle Open(const std::string& name, const EngineOpenOptions& options) override {
    return FileblockOpen(name, options);
  }
  void Close(FileblockHandle fb) override { FileblockClose(fb); }
  void Delete(const std::string& name) override { FileblockDelete(name); }
  void Flush(FileblockHandle fb) override { FileblockFlush(fb); }
  void MarkForRebuild(FileblockHandle fb) override { FileblockMarkForRebuild(fb); }
  int RecordLength(FileblockHandle fb) override { return FileblockRecordLength(fb); }
  int KeyCount(FileblockHandle fb) override {
    IsamReset();
    return OpenKeyCount(fb);
  }
  EngineKeySpec KeySpec(FileblockHandle fb, int key) override {
    IsamReset();
    if (key < 1 || key > OpenKeyCount(fb)) {
      Fail(kIsamKeyNumberRange);
      return {};
    }
    return OpenKeySpec(fb, key);
  }
  void Rebuild(const std::string& name, int record_length, const std::vector<EngineKeySpec>& keys,
               bool variable, const EngineKeyBuilder& builder,
               const EngineRebuildProgress& progress) override {
    if (variable) {
      RebuildVariable(name, record_length, keys, builder, progress);
    } else {
      RebuildFixed(name, record_length, keys, builder, progress);
    }
  }

  void RepairInPlace(FileblockHandle fb, bool variable, const EngineKeyBuilder& builder,
                     const EngineRebuildProgress& progress) override {
    FileblockRepairInPlace(fb, variable, builder, progress);
  }

  void TakeExclusive(const std::string& name) override { FileblockTakeExclusive(name); }
  void TryExclusive(const std::string& name) override { FileblockTryExclusive(name); }
  void ReleaseExclusive(const std::string& name) override { FileblockReleaseExclusive(name); }
  void RestoreInterruptedRebuild(const std::string& name) override {
    storage::RestoreInterruptedRebuild(name);
  }
  FilesPresent Present(const std::string& name) override { return FileblockFilesPresent(name); }

  std::int32_t AddRecord(FileblockHandle fb, const std::uint8_t* record) override {
    return FileblockAddRecord(fb, record);
  }
  void GetRecord(FileblockHandle fb, std::int32_t ref, std::uint8_t* record) override {
    FileblockGetLockedRecord(fb, ref, record);
  }
  void PutRecord(FileblockHandle fb, std::int32_t ref, const std::uint8_t* record) override {
    FileblockPutRecord(fb, ref, record);
  }
  void DeleteRecord(FileblockHandle fb, std::int32_t ref) override {
    FileblockDeleteRecord(fb, ref);
  }
  void RecordHead(FileblockHandle fb, std::int32_t ref, std::uint8_t head[4]) override {
    FileblockRecordHead(fb, ref, head);
  }
  std::int32_t UsedRecs(FileblockHandle fb) override { return FileblockUsedRecs(fb); }
  std::int32_t RecordSlots(FileblockHandle fb) override { return FileblockRecordSlots(fb); }

  std::int32_t VarRecAdd(FileblockHandle fb, const std::uint8_t* data, int length) override {
    RecRef ref = 0;
    storage::VarRecAdd(fb, ref, data, length);
    return ref;
  }
  void VarRecPut(FileblockHandle fb, std::int32_t ref, const std::uint8_t* data,
                 int length) override {
    storage::VarRecPut(fb, ref, data, length);
  }
  void VarRecDelete(FileblockHandle fb, std::int32_t ref) override {
    storage::VarRecDelete(fb, ref);
  }
  void VarRecGet(FileblockHandle fb, std::int32_t ref, std::uint8_t* data, int& length) override {
    std::int32_t n = length;
    VarRecGetLocked(fb, ref, data, n);
    length = n;
  }

  std::int32_t UsedKeys(FileblockHandle fb, int key) override { return FileblockUsedKeys(fb, key); }
  void AddKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) override {
    FileblockAddKey(fb, key, ref, Key(text));
  }
  void DeleteKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) override {
    FileblockDeleteKey(fb, key, ref, Key(text));
  }
  void SearchKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override {
    KeyStr k = Key(text);
    FileblockSearchKey(fb, key, k, ref);
    text = k.str();
  }
  void FindKeyAndRef(FileblockHandle fb, int key, std::string& text, std::int32_t& ref,
                     int direction) override {
    KeyStr k = Key(text);
    FileblockFindKeyAndRef(fb, key, k, ref, direction);
    text = k.str();
  }
  void NextKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override {
    KeyStr k = Key(text);
    FileblockNextKey(fb, key, k, ref);
    text = k.str();
  }
  void PrevKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) override {
    KeyStr k = Key(text);
    FileblockPrevKey(fb, key, k, ref);
    text = k.str();
  }
  std::int32_t ApproxRelPos(FileblockHandle fb, int key, std::string_view text, std::int32_t ref,
                            std::int32_t scale) override {
    return FileblockApproxRelPos(fb, key, Key(text), ref, scale);
  }
  void ApproxKeyAt(FileblockHandle fb, int key, std::int32_t pos, std::int32_t scale,
                   std::string& text, std::int32_t& ref) override {
    KeyStr k;
    FileblockApproxKeyAndRef(fb, key, pos, scale, k, ref);
    text = k.str();
  }

  void LockRecord(FileblockHandle fb, std::int32_t ref) override { FileblockLockRecord(fb, ref); }
  void UnlockRecord(FileblockHandle fb, std::int32_t ref) override {
    FileblockUnlockRecord(fb, ref);
  }
  void LockFile(FileblockHandle fb) override { FileblockLockFile(fb); }
  void UnlockFile(FileblockHandle fb) override { FileblockUnlockFile(fb); }
  bool WriteLockHeld(FileblockHandle fb) override { return FileblockWriteLocked(fb); }
  bool ReadLockHeld(FileblockHandle fb) override { return FileblockReadLocked(fb); }
  bool AnyRecordLocked(FileblockHandle fb) override { return FileblockAnyRecordLocked(fb); }
  bool RecordLocked(FileblockHandle fb, std::int32_t ref) override {
    return FileblockRecordLocked(fb, ref);
  }
  std::uint64_t ForeignChanges(FileblockHandle fb) override { return FileblockForeignChanges(fb); }
  bool ChangedSinceLock(FileblockHandle fb) override { return FileblockChangedSinceLock(fb); }
  int RepairMark(FileblockHandle fb) override { return FileblockRepairMark(fb); }
  FilesWritten Written(const std::string& name) override { return FileblockFilesWritten(name); }
};

}  // namespace

std::unique_ptr<DriverEngine> MakeRealDriverEngine() {
  return std::make_unique<RealDriverEngine>();
}

}  // namespace storage
