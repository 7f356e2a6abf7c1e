#include "storage/tables/table_treiber.h"

#include <vector>

#include "common/service.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "storage/tables/table_keys.h"

namespace storage {

// The driver of a file opened through the table layer. It knows the opened file it belongs to,
// so that a second open of the name (found in the driver system's list) shares that file, and it
// passes index-rebuild progress on to the broadcast of the file manager while one exists.
class TableDriver final : public IFDriver, public RebuildProgressObserver {
 public:
  explicit TableDriver(std::weak_ptr<TreiberFile> file) : file_(std::move(file)) {}

  std::shared_ptr<TreiberFile> File() const { return file_.lock(); }

  void RebuildProgress(std::string_view file_name, int phase, std::int32_t count) override {
    if (common::Service<ToDBFkt>::Exists()) {
      common::Service<ToDBFkt>::Get().RebuildBroadcast().RebuildProgress(file_name, phase, count);
    }
  }

 private:
  std::weak_ptr<TreiberFile> file_;
};

struct TreiberFile {
  std::vector<std::uint8_t> buffer;
  std::unique_ptr<TableDriver> driver;  // empty once destroyed
  int users = 0;                        // users besides the first opener
};

TdbTreiber::TdbTreiber(bool marker) : marker_(marker) {}

TdbTreiber::~TdbTreiber() = default;

int TdbTreiber::Open(const TreiberOpenParams& p) {
  if (p.skip || !common::Service<DriverSystem>::Exists()) return kNotOpened;
  if (IFDriver* open = FindOpenDriver(p.file_name)) {
    auto* table_driver = dynamic_cast<TableDriver*>(open);
    std::shared_ptr<TreiberFile> shared = table_driver ? table_driver->File() : nullptr;
    if (shared == nullptr) return kNotOpened;
    ++shared->users;
    file_ = std::move(shared);
    return kShared;
  }
  // An open inside a running call of the driver system (a question the driver asks) finds no
  // open driver although its file may be open: it fails, the refusal recorded on the operation
  // stack, and a file this handle holds stays for the tables that use it.
  if (DriverCallActive()) return kNotOpened;

  file_.reset();
  auto file = std::make_shared<TreiberFile>();
  file->buffer.assign(static_cast<std::size_t>(p.max_length > 0 ? p.max_length : 0), 0);
  file->driver = std::make_unique<TableDriver>(file);
  DriverOpenParams d;
  d.name = p.file_name;
  d.path = p.path;
  d.journal = false;
  d.shared = p.open_mode != 0;
  d.variable = p.max_length != p.min_length;
  d.create_when_missing = true;
  d.record_length = p.min_length;
  d.key_count = p.key_count;
  d.record_buffer = file->buffer.data();
  d.buffer_length = p.max_length;
  d.key_builder = p.key_builder;
  d.retry_count = kRetryCount;
  // A refused open frees driver and buffer with `file`, also when it raises EDBError.
  if (!file->driver->Open(d)) return kNotOpened;
  file_ = std::move(file);

  TableDriver& driver = *file_->driver;
  if (p.keys != nullptr) {
    KeyDefinition k;
    for (int i = 1; i <= p.keys->Count() && DriverErrorClass() == 0; ++i) {
      p.keys->Get(i, k);
      driver.DefineKey(i, k.length, k.duplicates != 0);
    }
  }
  if (DriverErrorClass() == 0) driver.SetRebuildProc(&driver);
  return kOpened;
}

void TdbTreiber::Close() {
  if (!IsOpen(false)) return;
  if (file_->users > 0) {
    --file_->users;
    return;
  }
  // Every user now counts as closed. The driver goes at the end of this scope, also when its
  // destruction raises EDBError; the buffer stays with the file for as long as any TdbTreiber of
  // it exists, so that no user is left reading freed memory.
  const std::unique_ptr<TableDriver> driver = std::move(file_->driver);
  driver->Destroy();
}

void TdbTreiber::Free(bool skip, std::unique_ptr<TdbTreiber>& slot, bool force) {
  if (slot == nullptr) return;
  if (force) {
    while (slot->IsOpen(false)) slot->Close();
    slot.reset();
  } else if (!skip) {
    slot->Close();
  }
}

IFDriver* TdbTreiber::Driver() const {
  if (file_ == nullptr || file_->driver == nullptr) return nullptr;
  // A driver the driver system let go at its end is no driver any more.
  return file_->driver->IsValid() ? file_->driver.get() : nullptr;
}

bool TdbTreiber::IsOpen(bool skip) const { return !skip && Driver() != nullptr; }

bool TdbTreiber::DriverSystemReady(bool skip) { return skip || DriverSystemActive(); }

int TdbTreiber::UseCount() const { return Driver() != nullptr ? file_->users : 0; }

// --- records ---

bool TdbTreiber::First(int key) {
  IFDriver* d = Driver();
  return d != nullptr && d->FirstRecord(key);
}

bool TdbTreiber::Last(int key) {
  IFDriver* d = Driver();
  return d != nullptr && d->LastRecord(key);
}

bool TdbTreiber::Next(int key) {
  IFDriver* d = Driver();
  return d != nullptr && d->NextRecord(key);
}

bool TdbTreiber::Prev(int key) {
  IFDriver* d = Driver();
  return d != nullptr && d->PrevRecord(key);
}

bool TdbTreiber::Find(int key, std::string_view text) {
  IFDriver* d = Driver();
  return d != nullptr && d->FindRecord(key, text);
}

bool TdbTreiber::Search(int key, std::string_view text) {
  IFDriver* d = Driver();
  return d != nullptr && d->SearchRecord(key, text);
}

bool TdbTreiber::Update(int length) {
  IFDriver* d = Driver();
  if (d == nullptr) return false;
  if (length > 0 && !d->SetRecLength(length)) return false;
  return d->UpdateRecord();
}

bool TdbTreiber::Insert(int length) {
  IFDriver* d = Driver();
  if (d == nullptr) return false;
  if (length > 0 && !d->SetRecLength(length)) return false;
  return d->AddRecord();
}

bool TdbTreiber::Delete(bool keep_position) {
  IFDriver* d = Driver();
  return d != nullptr && d->DeleteRecord(keep_position ? 3 : 0);
}

bool TdbTreiber::GotoRef(std::int32_t ref) {
  IFDriver* d = Driver();
  return d != nullptr && d->GetRecord(ref);
}

std::int32_t TdbTreiber::CountByKey(int key) {
  IFDriver* d = Driver();
  if (d == nullptr || !d->FirstRecord(key)) return 0;
  std::int32_t count = 1;
  while (d->NextRecord(key)) ++count;
  return count;
}

// --- keys ---

bool TdbTreiber::NextKey(int key, std::int32_t& ref, std::string& text, std::size_t capacity) {
  IFDriver* d = Driver();
  if (d == nullptr || !d->NextKey(key, text, ref)) return false;
  if (text.size() > capacity) text.resize(capacity);
  return true;
}

bool TdbTreiber::PrevKey(int key, std::int32_t& ref, std::string& text, std::size_t capacity) {
  IFDriver* d = Driver();
  if (d == nullptr || !d->PrevKey(key, text, ref)) return false;
  if (text.size() > capacity) text.resize(capacity);
  return true;
}

bool TdbTreiber::FindKeyAndRef(int key, std::int32_t& ref, std::string& text, int direction) {
  IFDriver* d = Driver();
  return d != nullptr && d->FindKeyAndRef(key, text, ref, direction);
}

// --- the buffer and state ---

void TdbTreiber::ClearRecord() {
  if (IFDriver* d = Driver()) d->ClearRecord();
}

std::uint8_t* TdbTreiber::RecordBuffer() const {
  return Driver() != nullptr ? file_->buffer.data() : nullptr;
}

int TdbTreiber::RecordBufferLength() const {
  return Driver() != nullptr ? static_cast<int>(file_->buffer.size()) : 0;
}

std::int32_t TdbTreiber::CurrentRef() {
  IFDriver* d = Driver();
  return d != nullptr ? d->CurrentRef() : 0;
}

std::int32_t TdbTreiber::UsedRecs() {
  IFDriver* d = Driver();
  return d != nullptr ? d->UsedRecs() : 0;
}

std::int32_t TdbTreiber::UsedKeys(int key) {
  IFDriver* d = Driver();
  return d != nullptr ? d->UsedKeys(key) : 0;
}

std::string TdbTreiber::BuildKey(int key) {
  IFDriver* d = Driver();
  return d != nullptr ? d->BuildKey(key) : std::string();
}

// --- locks and files ---

bool TdbTreiber::LockFile() {
  IFDriver* d = Driver();
  return d != nullptr && d->LockFile();
}

bool TdbTreiber::UnlockFile() {
  IFDriver* d = Driver();
  return d != nullptr && d->UnlockFile();
}

bool TdbTreiber::EraseFiles() {
  IFDriver* d = Driver();
  return d != nullptr && d->EraseFiles();
}

void TdbTreiber::SetAutoKeyField(int key, int offset, bool skip) {
  IFDriver* d = Driver();
  if (d != nullptr && !skip) d->SetAutoKeyField(key, offset);
}

void TdbTreiber::SetFlushEachWrite(bool on, bool skip) {
  IFDriver* d = Driver();
  if (d != nullptr && !skip) d->SetFlushEachWrite(on);
}

bool TdbTreiber::GetFlushEachWrite() {
  IFDriver* d = Driver();
  return d != nullptr && d->GetFlushEachWrite();
}

}  // namespace storage
