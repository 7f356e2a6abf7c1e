#include "storage/tables/table_base.h"

#include "common/service.h"
#include "storage/driver/driver_system.h"

namespace storage {

TdbBase::TdbBase(std::uint8_t key_form_flag) : key_form_flag_(key_form_flag) {}

TdbBase::~TdbBase() = default;

void TdbBase::FetchKeepingError(bool to_working, bool to_read) {
  // A descendant's FetchRecord may run driver operations, each of which clears the operation
  // stack; the caller must still read the class of the positioning. A serious error inside
  // FetchRecord raises, and its stack then stays for the report.
  if (!common::Service<DriverSystem>::Exists()) {
    FetchRecord(to_working, to_read, 0);
    return;
  }
  DriverSystem& system = common::Service<DriverSystem>::Get();
  const DebugStack saved = system.Stack();
  const bool ok = system.Engine().Ok();
  const int error = system.Engine().Error();
  FetchRecord(to_working, to_read, 0);
  static_cast<DebugStack&>(system.Stack()) = saved;
  if (ok) {
    system.Engine().ResetError();
  } else {
    system.Engine().SetError(error);
  }
}

bool TdbBase::MoveAndFetch(bool fetch_working, const std::function<bool(TdbTreiber&)>& move) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  const bool found = move(*t);
  FetchKeepingError(fetch_working, true);
  return found;
}

// --- the virtual operations ---

bool TdbBase::Find(std::string_view key_text, int key, bool fetch_working) {
  return MoveAndFetch(fetch_working, [&](TdbTreiber& t) {
    current_key_ = key;
    return t.Find(key, key_text);
  });
}

int TdbBase::Reserved() { return 0; }

TdbTreiber* TdbBase::GetTreiber() { return nullptr; }

void TdbBase::FetchRecord(bool /*to_working*/, bool /*to_read*/, int /*number*/) {}

bool TdbBase::First(int key) {
  return MoveAndFetch(true, [&](TdbTreiber& t) {
    current_key_ = key == 0 ? 1 : key;
    return t.First(current_key_);
  });
}

bool TdbBase::Last(int key) {
  return MoveAndFetch(true, [&](TdbTreiber& t) {
    current_key_ = key;
    return t.Last(key);
  });
}

bool TdbBase::Delete(bool keep_position) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr || !Reposition(true)) return false;
  const bool deleted = t->Delete(keep_position);
  FetchKeepingError(true, true);
  return deleted;
}

bool TdbBase::Next(bool reposition, bool fetch) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  if (reposition && !Reposition(true)) return false;
  const bool moved = t->Next(current_key_);
  FetchKeepingError(fetch, fetch);
  return moved;
}

std::int32_t TdbBase::RecordCount() {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->CountByKey(AutoKeyNo()) : 0;
}

void TdbBase::GetAutoKeyText(std::string& text) { text.clear(); }

int TdbBase::AutoKeyNo() { return 1; }

void TdbBase::LockFile() {
  TdbTreiber* t = GetTreiber();
  // The flag tells that this cursor holds the lock, so it is set only when the lock was taken.
  if (t != nullptr && t->LockFile()) file_locked_ = true;
}

void TdbBase::UnlockFile() {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return;
  t->UnlockFile();
  file_locked_ = false;
}

void TdbBase::EraseFiles() {
  if (TdbTreiber* t = GetTreiber()) t->EraseFiles();
}

// --- plain operations ---

std::string TdbBase::InitKeyText() const { return key_form_flag_ != 0 ? "||" : ""; }

bool TdbBase::Search(std::string_view key_text, int key) {
  return MoveAndFetch(true, [&](TdbTreiber& t) {
    current_key_ = key;
    return t.Search(key, key_text);
  });
}

bool TdbBase::FindAutoKey(std::string_view text) { return Find(text, AutoKeyNo(), true); }

bool TdbBase::Reposition(bool fetch_working) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  if (!t->IsOpen(false)) return true;
  std::string text;
  GetAutoKeyText(text);
  if (text.empty()) return false;
  const int saved_key = current_key_;
  const bool found = Find(text, AutoKeyNo(), fetch_working);
  current_key_ = saved_key;
  return found;
}

bool TdbBase::SeekRef(std::int32_t ref) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  FetchRecord(true, true, 0);
  if (ref < 0 || ref == t->CurrentRef()) return true;
  return GotoRef(ref);
}

bool TdbBase::GotoRef(std::int32_t ref) {
  return MoveAndFetch(true, [&](TdbTreiber& t) { return t.GotoRef(ref); });
}

bool TdbBase::FirstByKey(int key) {
  TdbTreiber* t = GetTreiber();
  if (t == nullptr) return false;
  current_key_ = key;
  return t->First(key);
}

bool TdbBase::MoveNext(int key) {
  TdbTreiber* t = GetTreiber();
  return t != nullptr && t->Next(key);
}

bool TdbBase::MovePrev(int key) {
  TdbTreiber* t = GetTreiber();
  return t != nullptr && t->Prev(key);
}

std::string TdbBase::BuildKey(int key) {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->BuildKey(key) : std::string();
}

std::int32_t TdbBase::CurrentRef() {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->CurrentRef() : 0;
}

std::int32_t TdbBase::UsedRecs() {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->UsedRecs() : 0;
}

IFDriver* TdbBase::Driver() {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->Driver() : nullptr;
}

std::uint64_t TdbBase::ForeignChangeStamp() {
  UsedRecs();  // a read: its lock learns what the others changed
  const IFDriver* driver = Driver();
  return driver != nullptr ? driver->ForeignChangeStamp() : 0;
}

bool TdbBase::RepairDeclined() {
  const IFDriver* driver = Driver();
  return driver != nullptr && driver->RepairDeclined();
}

void TdbBase::AskAboutRepairAgain() {
  if (IFDriver* driver = Driver()) driver->AskAboutRepairAgain();
}

std::uint8_t* TdbBase::RecordBuffer() {
  TdbTreiber* t = GetTreiber();
  return t != nullptr ? t->RecordBuffer() : nullptr;
}

void TdbBase::ClearDriverBuffer() {
  if (TdbTreiber* t = GetTreiber()) t->ClearRecord();
}

bool TdbBase::Update(int length) {
  TdbTreiber* t = GetTreiber();
  return t != nullptr && t->Update(length);
}

bool TdbBase::Insert(int length) {
  TdbTreiber* t = GetTreiber();
  return t != nullptr && t->Insert(length);
}

bool TdbBase::IsBuffered(TdbTreiber* treiber) {
  TdbTreiber* t = treiber != nullptr ? treiber : GetTreiber();
  return t != nullptr && t->IsOpen(false) && !t->GetFlushEachWrite();
}

bool TdbBase::SetWriteMode(TdbTreiber* treiber, int mode) {
  TdbTreiber* t = treiber != nullptr ? treiber : GetTreiber();
  if (t == nullptr || !t->IsOpen(false) || (mode != 0 && mode != 1)) return false;
  const bool flush = mode == 0;
  if (t->GetFlushEachWrite() == flush) return false;
  t->SetFlushEachWrite(flush, false);
  return true;
}

}  // namespace storage
