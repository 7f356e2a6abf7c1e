// The page buffer's walking, access bracket, rows, record reads and completion pass.
#include "ui/browser_page.h"

#include <algorithm>

#include "common/cp1252.h"
#include "common/service.h"
#include "storage/driver/driver.h"
#include "storage/driver/driver_system.h"
#include "storage/isam/engine.h"

namespace ui {
namespace {

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), kBrowserKeyChars)));
}

// A driver call's answer as a status: 0, or the error class (at least 1).
int StatusOf(bool ok) { return ok ? 0 : std::max(1, storage::DriverErrorClass()); }

}  // namespace

TKBrowser::TKBrowser(storage::TdbTreiber& treiber, int key_number, const common::TKeyStr& lkey,
                     const common::TKeyStr& hkey, int capacity)
    : treiber_(&treiber) {
  if (storage::IFDriver* driver = treiber.Driver(); driver != nullptr) {
    if (!driver->Mark() || storage::DriverErrorClass() != 0) {
      throw EConstructorInvalid("Datenbank kann nicht geöffnet werden!");
    }
    shared_ = driver->IsNetShared();
  }
  capacity_ = capacity <= 0 || capacity > kMaxPageRows ? kMaxPageRows : capacity;
  rows_.resize(static_cast<std::size_t>(kMaxPageRows) + 1);
  key_number_ = key_number;
  lkey_ = lkey;
  hkey_ = hkey;
  page_rows_ = capacity_;
  current_row_ = 1;
}

void TKBrowser::SetKeyRange(const common::TKeyStr& lkey, const common::TKeyStr& hkey) {
  lkey_ = lkey;
  hkey_ = hkey;
}

std::string TKBrowser::KeyLow() const { return Cut(lkey_.view()); }

std::string TKBrowser::KeyHigh() const { return Cut(hkey_.view()); }

bool TKBrowser::InRange(std::string_view key) const {
  const std::string low = KeyLow();
  const std::string high = KeyHigh();
  return common::cp1252::CompareBytes(key.substr(0, std::min(key.size(), low.size())), low) >= 0 &&
         common::cp1252::CompareBytes(key.substr(0, std::min(key.size(), high.size())), high) <= 0;
}

bool TKBrowser::IsReady() { return !storage::DriverCallActive(); }

// --- the access bracket ---

TKBrowser::Access::Access(TKBrowser& page) : page_(page) {
  if (page_.shared_) status_ = page_.BeginAccess();
  open_ = page_.shared_ && status_ == 0;
}

TKBrowser::Access::~Access() {
  if (open_) page_.EndAccess();
}

int TKBrowser::Access::Close(int status) {
  if (!open_) return status;
  open_ = false;
  const int closing = page_.EndAccess();
  return status == 0 ? closing : status;
}

bool TKBrowser::HoldsLock() const {
  const storage::IFDriver* driver = treiber_->Driver();
  return driver != nullptr && (driver->FileLockCount() != 0 || driver->LockCount() != 0);
}

int TKBrowser::BeginAccess() {
  rows_since_pause_ = 0;
  if (HoldsLock()) {
    ++nested_brackets_;
    return 0;
  }
  storage::IFDriver* driver = treiber_->Driver();
  return driver == nullptr ? 0 : StatusOf(driver->LockFile());
}

int TKBrowser::EndAccess() {
  if (nested_brackets_ > 0) {
    --nested_brackets_;
    return 0;
  }
  storage::IFDriver* driver = treiber_->Driver();
  return driver == nullptr ? 0 : StatusOf(driver->UnlockFile());
}

// --- walking ---

int TKBrowser::Accept(const TKBrowserEvents& owner, RowRec& probe, bool& accepted) {
  probe.built = false;
  accepted = true;
  if (owner.OnPerformFilter) owner.OnPerformFilter(probe, accepted);
  if (++rows_since_pause_ < kPauseEvery) return 0;
  rows_since_pause_ = 0;
  if (!shared_ || !HoldsLock()) return 0;
  storage::IFDriver* driver = treiber_->Driver();
  if (!driver->UnlockFile()) return StatusOf(false);
  storage::EngineSleep(kPauseMs);
  return StatusOf(driver->LockFile());
}

int TKBrowser::Find(const TKBrowserEvents& owner, RowRec& probe, int direction) {
  const int status =
      StatusOf(treiber_->FindKeyAndRef(key_number_, probe.ref, probe.key, direction));
  probe.key = Cut(probe.key);
  if (status != 0) return status;
  bool accepted = true;
  if (const int s = Accept(owner, probe, accepted); s != 0) return s;
  if (accepted) return 0;
  if (direction > 0) return Next(owner, probe);
  if (direction < 0) return Previous(owner, probe);
  return 1;
}

int TKBrowser::Reposition(RowRec& probe) {
  const std::string key = probe.key;
  const std::int32_t ref = probe.ref;
  const int status = StatusOf(treiber_->FindKeyAndRef(key_number_, probe.ref, probe.key, 0));
  probe.key = key;
  probe.ref = ref;
  return status;
}

int TKBrowser::Next(const TKBrowserEvents& owner, RowRec& probe) {
  return Step(owner, probe, true);
}

int TKBrowser::Previous(const TKBrowserEvents& owner, RowRec& probe) {
  return Step(owner, probe, false);
}

// Steps until a key is accepted. A key outside the range is never offered to the filter and ends
// the step: the index is sorted, so no later key of this direction can come back into the range
// (the callers stop at it), and a filter rejecting keys cannot make the walk run on to the end of
// a large index.
int TKBrowser::Step(const TKBrowserEvents& owner, RowRec& probe, bool forward) {
  for (;;) {
    const bool ok = forward ? treiber_->NextKey(key_number_, probe.ref, probe.key)
                            : treiber_->PrevKey(key_number_, probe.ref, probe.key);
    probe.key = Cut(probe.key);
    if (const int status = StatusOf(ok); status != 0) return status;
    if (!InRange(probe.key)) return 0;
    bool accepted = true;
    if (const int s = Accept(owner, probe, accepted); s != 0) return s;
    if (accepted) return 0;
  }
}

// --- rows ---

void TKBrowser::StoreRow(int row, const RowRec& probe) {
  RowRec& r = At(row);
  r.key = probe.key;
  r.ref = probe.ref;
  r.status = probe.status;
  if (probe.built) {
    r.changed = r.text != probe.text;
    r.text = probe.text;
    r.built = true;
  }
}

void TKBrowser::ClearKeys() {
  for (RowRec& r : rows_) r.ClearKey();
}

void TKBrowser::ClearRowsFrom(int row) {
  for (int r = std::max(row, 1); r <= kMaxPageRows; ++r) At(r).Clear();
}

int TKBrowser::LastFilledRow() const {
  for (int r = page_rows_; r >= 1; --r) {
    if (Row(r).ref != 0) return r;
  }
  return 0;
}

int TKBrowser::FirstFilledRow() const {
  for (int r = 1; r <= page_rows_; ++r) {
    if (Row(r).ref != 0) return r;
  }
  return 0;
}

void TKBrowser::LayRows(const std::vector<RowRec>& keys) {
  ClearKeys();
  int row = 1;
  for (const RowRec& probe : keys) StoreRow(row++, probe);
  ClearRowsFrom(row);
}

void TKBrowser::SetCurrentRow(int row) {
  const int last = std::max(LastFilledRow(), 1);
  current_row_ = std::min({std::max(row, 1), last, std::max(page_rows_, 1)});
}

std::string TKBrowser::CurrentKey() const {
  return current_row_ >= 1 && current_row_ <= LastFilledRow() ? Row(current_row_).key : "";
}

std::int32_t TKBrowser::CurrentRef() const {
  return current_row_ >= 1 && current_row_ <= LastFilledRow() ? Row(current_row_).ref : 0;
}

int TKBrowser::Finish(int status) {
  stale_ = false;
  valid_ = status == 0;
  return status;
}

// --- reading and building ---

int TKBrowser::ReadRecord(const RowRec& row, int read_mode) {
  storage::IFDriver* driver = treiber_->Driver();
  if (driver == nullptr) return treiber_->GotoRef(row.ref) ? 0 : 1;
  if (driver->IsVariable() && !driver->SetSectionParam(kSectionParam)) return StatusOf(false);
  if (read_mode == 1) return StatusOf(driver->GetRecord(row.ref));

  // A locked record is declined at once (shown unreadable); other questions go to the kept
  // callback. The settings are put back on every way out, exceptions included.
  struct Kept {
    explicit Kept(storage::IFDriver* d) : driver(d) {}
    storage::IFDriver* driver;
    std::uint16_t count = 0;
    storage::RetryProc proc;
    std::uint32_t pause = storage::EngineRetryPauseBase();
    bool restored = false;
    int Restore() {
      restored = true;
      storage::SetEngineRetryPauseBase(pause);
      driver->SetRetry(count, proc);
      return storage::DriverErrorClass();
    }
    ~Kept() {
      if (!restored) Restore();
    }
  } kept(driver);
  driver->GetRetry(kept.count, kept.proc);
  storage::SetEngineRetryPauseBase(kReadRetryPause);
  driver->SetRetry(kReadRetryCount, [proc = kept.proc](std::string_view name, int reason) {
    if (reason == storage::kReasonLocked || reason == storage::kReasonRecordLock ||
        reason == storage::kReasonFileLock) {
      return false;
    }
    return proc ? proc(name.substr(0, std::min<std::size_t>(name.size(), 40)), reason) : false;
  });
  const int status = StatusOf(driver->GetRecord(row.ref));
  const int restoring = kept.Restore();
  return status == 0 ? restoring : status;
}

int TKBrowser::BuildRowText(const TKBrowserEvents& owner, RowRec& row) {
  const std::string before = row.text;
  if (row.status != 0) {
    row.text = kRowUnreadable;
    row.changed = row.text != before;
    return 1;
  }
  if (owner.OnBuildRow) owner.OnBuildRow(row);
  row.changed = row.text != before;
  row.built = true;
  return 0;
}

int TKBrowser::Complete(const TKBrowserEvents& owner, int first, int last, bool& changed) {
  last = std::min(last, capacity_);
  if (owner.OnPreCompletePage) owner.OnPreCompletePage();
  Access access(*this);
  int status = access.Status();
  for (int r = std::max(first, 1); status == 0 && r <= last; ++r) {
    RowRec& row = At(r);
    if (row.ref <= 0) {
      if (!row.text.empty()) {
        row.Clear();
        changed = true;
      }
      continue;
    }
    if (!row.built) {
      if (row.status > -10) {
        const int read = ReadRecord(row, 0);
        if (read > 2) {
          status = read;
          break;
        }
        row.status = read == 0 ? 0 : -1;
      }
      status = BuildRowText(owner, row);
    }
    row.built = false;
    changed = changed || row.changed;
  }
  for (RowRec& row : rows_) row.changed = false;
  status = access.Close(status);
  if (status != 0 && owner.OnPostCompletePage) owner.OnPostCompletePage();
  return status;
}

int TKBrowser::CheckRow(const TKBrowserEvents& owner, int row, int read_mode, bool section_flag,
                        bool& same) {
  same = false;
  if (row < 1 || row > page_rows_ || !Row(row).Filled()) return 1;
  (void)section_flag;  // the section parameter is set for every read of a variable file
  Access access(*this);
  if (access.Status() != 0) return access.Status();
  RowRec scratch = Row(row);
  scratch.ClearText();
  scratch.status = 0;
  int status = ReadRecord(scratch, read_mode);
  if (status <= 2) {
    scratch.status = status == 0 ? 0 : -1;
    BuildRowText(owner, scratch);
    same = scratch.text == Row(row).text;
  }
  return access.Close(status > 2 ? status : 0);
}

void TKBrowser::ClearRows() {
  for (RowRec& row : rows_) row.Clear();
  current_row_ = 1;
  valid_ = stale_ = false;
}

}  // namespace ui
