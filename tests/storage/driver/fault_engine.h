// The real engine behind the driver, with the calls that change files, take locks or search
// counted by name, and any of them made to fail with a chosen error number before the engine.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "storage/driver/driver_engine.h"

namespace storage_test {

class FaultEngine final : public storage::DriverEngine {
  using FB = storage::FileblockHandle;
  using I32 = std::int32_t;
  using Bytes = std::uint8_t*;
  using CBytes = const std::uint8_t*;
  using Keys = std::vector<storage::EngineKeySpec>;

 public:
  // Asked before every counted call with its name; a non-zero answer fails the call with it.
  std::function<int(const std::string& op)> inject;
  std::map<std::string, int> calls;
  std::string version;  // empty: the engine's own
  // Called with its name before each look at the files' versions or news, which cannot fail.
  std::function<void(const std::string& look)> before_look;
  // Called with what each look at the files' versions found, which it may change (as the file
  // system's step of time would show it).
  std::function<void(storage::FilesWritten& files)> written_seen;

  bool Ok() override { return e_->Ok(); }
  int Error() override { return e_->Error(); }
  void SetError(int error) override { e_->SetError(error); }
  void ResetError() override { e_->ResetError(); }
  int LastOsError() override { return e_->LastOsError(); }
  int LastPrimitive() override { return e_->LastPrimitive(); }
  std::string Version() override { return version.empty() ? e_->Version() : version; }
  void Init(int mode, int buffers) override { Pass("Init") ? e_->Init(mode, buffers) : void(); }
  void Exit() override { e_->Exit(); }
  bool EnsureSectionBuffer(std::size_t n) override { return e_->EnsureSectionBuffer(n); }
  void Create(const std::string& name, int n, const Keys& k) override { e_->Create(name, n, k); }
  FB Open(const std::string& name, const storage::EngineOpenOptions& o) override {
    return Pass("Open") ? e_->Open(name, o) : nullptr;
  }
  void Close(FB fb) override { Pass("Close") ? e_->Close(fb) : void(); }
  void Delete(const std::string& name) override { e_->Delete(name); }
  void Flush(FB fb) override { Pass("Flush") ? e_->Flush(fb) : void(); }
  void MarkForRebuild(FB fb) override { e_->MarkForRebuild(fb); }
  int RecordLength(FB fb) override { return e_->RecordLength(fb); }
  int KeyCount(FB fb) override { return e_->KeyCount(fb); }
  storage::EngineKeySpec KeySpec(FB fb, int key) override { return e_->KeySpec(fb, key); }
  void Rebuild(const std::string& name, int n, const Keys& keys, bool variable,
               const storage::EngineKeyBuilder& builder,
               const storage::EngineRebuildProgress& progress) override {
    Pass("Rebuild") ? e_->Rebuild(name, n, keys, variable, builder, progress) : void();
  }
  void RepairInPlace(FB fb, bool variable, const storage::EngineKeyBuilder& builder,
                     const storage::EngineRebuildProgress& progress) override {
    Pass("RepairInPlace") ? e_->RepairInPlace(fb, variable, builder, progress) : void();
  }
  void TakeExclusive(const std::string& name) override {
    Pass("TakeExclusive") ? e_->TakeExclusive(name) : void();
  }
  void ReleaseExclusive(const std::string& name) override { e_->ReleaseExclusive(name); }
  void RestoreInterruptedRebuild(const std::string& name) override {
    e_->RestoreInterruptedRebuild(name);
  }
  storage::FilesPresent Present(const std::string& name) override { return e_->Present(name); }
  I32 AddRecord(FB fb, CBytes r) override { return Pass("AddRecord") ? e_->AddRecord(fb, r) : 0; }
  void GetRecord(FB fb, I32 ref, Bytes r) override {
    Pass("GetRecord") ? e_->GetRecord(fb, ref, r) : void();
  }
  void PutRecord(FB fb, I32 ref, CBytes r) override {
    Pass("PutRecord") ? e_->PutRecord(fb, ref, r) : void();
  }
  void DeleteRecord(FB fb, I32 ref) override {
    Pass("DeleteRecord") ? e_->DeleteRecord(fb, ref) : void();
  }
  void RecordHead(FB fb, I32 ref, std::uint8_t head[4]) override { e_->RecordHead(fb, ref, head); }
  I32 UsedRecs(FB fb) override { return e_->UsedRecs(fb); }
  I32 RecordSlots(FB fb) override { return e_->RecordSlots(fb); }
  I32 VarRecAdd(FB fb, CBytes data, int n) override { return e_->VarRecAdd(fb, data, n); }
  void VarRecPut(FB fb, I32 ref, CBytes data, int n) override {
    Pass("VarRecPut") ? e_->VarRecPut(fb, ref, data, n) : void();
  }
  void VarRecDelete(FB fb, I32 ref) override { e_->VarRecDelete(fb, ref); }
  void VarRecGet(FB fb, I32 ref, Bytes data, int& n) override { e_->VarRecGet(fb, ref, data, n); }
  I32 UsedKeys(FB fb, int key) override { return e_->UsedKeys(fb, key); }
  void AddKey(FB fb, int key, I32 ref, std::string_view text) override {
    Pass("AddKey") ? e_->AddKey(fb, key, ref, text) : void();
  }
  void DeleteKey(FB fb, int key, I32 ref, std::string_view text) override {
    Pass("DeleteKey") ? e_->DeleteKey(fb, key, ref, text) : void();
  }
  void SearchKey(FB fb, int key, std::string& text, I32& ref) override {
    Pass("SearchKey") ? e_->SearchKey(fb, key, text, ref) : void();
  }
  void FindKeyAndRef(FB fb, int key, std::string& text, I32& ref, int direction) override {
    Pass("FindKeyAndRef") ? e_->FindKeyAndRef(fb, key, text, ref, direction) : void();
  }
  void NextKey(FB fb, int key, std::string& t, I32& ref) override {
    Pass("NextKey") ? e_->NextKey(fb, key, t, ref) : void();
  }
  void PrevKey(FB fb, int key, std::string& t, I32& ref) override {
    Pass("PrevKey") ? e_->PrevKey(fb, key, t, ref) : void();
  }
  I32 ApproxRelPos(FB fb, int key, std::string_view text, I32 ref, I32 scale) override {
    return e_->ApproxRelPos(fb, key, text, ref, scale);
  }
  void ApproxKeyAt(FB fb, int key, I32 pos, I32 scale, std::string& text, I32& ref) override {
    e_->ApproxKeyAt(fb, key, pos, scale, text, ref);
  }
  void LockRecord(FB fb, I32 ref) override { e_->LockRecord(fb, ref); }
  void UnlockRecord(FB fb, I32 ref) override { e_->UnlockRecord(fb, ref); }
  void LockFile(FB fb) override { Pass("LockFile") ? e_->LockFile(fb) : void(); }
  void UnlockFile(FB fb) override { e_->UnlockFile(fb); }
  bool WriteLockHeld(FB fb) override { return e_->WriteLockHeld(fb); }
  bool ReadLockHeld(FB fb) override { return e_->ReadLockHeld(fb); }
  bool AnyRecordLocked(FB fb) override { return e_->AnyRecordLocked(fb); }
  bool RecordLocked(FB fb, I32 ref) override { return e_->RecordLocked(fb, ref); }
  std::uint64_t ForeignChanges(FB fb) override { return e_->ForeignChanges(fb); }
  bool ChangedSinceLock(FB fb) override {
    if (before_look) before_look("ChangedSinceLock");
    return e_->ChangedSinceLock(fb);
  }
  int RepairMark(FB fb) override { return e_->RepairMark(fb); }
  storage::FilesWritten Written(const std::string& name) override {
    if (before_look) before_look("Written");
    storage::FilesWritten files = e_->Written(name);
    if (written_seen) written_seen(files);
    return files;
  }

 private:
  // Counts the call; false when a failure is injected, which then stands in the error word.
  bool Pass(const std::string& op) {
    ++calls[op];
    const int error = inject ? inject(op) : 0;
    if (error != 0) e_->SetError(error);
    return error == 0;
  }

  std::unique_ptr<storage::DriverEngine> e_ = storage::MakeRealDriverEngine();
};

}  // namespace storage_test
