#include "memory_engine.h"

#include <algorithm>
#include <cstring>

#include "storage/isam_errors.h"

namespace storage_test {
namespace {


}  // namespace

MemoryEngine::MemoryEngine() = default;
MemoryEngine::~MemoryEngine() = default;

bool MemoryEngine::Enter(const std::string& op, FileblockHandle fb, bool needs_fb) {
  ++calls[op];
  error_ = 0;
  if (inject) {
    const int e = inject(op);
    if (e != 0) {
      error_ = e;
      return false;
    }
  }
  if (!started_ && op != "Init") {
    error_ = storage::kIsamNotStarted;
    return false;
  }
  if (needs_fb) {
    const bool known = std::any_of(handles_.begin(), handles_.end(),
                                   [&](const auto& h) { return FB(h.get()) == fb; });
    if (!known) {
      error_ = storage::kIsamBadHandle;
      return false;
    }
  }
  return true;
}

MemoryEngine::File* MemoryEngine::FileFor(FileblockHandle fb) { return &files.at(H(fb)->name); }

bool MemoryEngine::ChangeAllowed(FileblockHandle fb) {
  if (H(fb)->shared && !H(fb)->write_lock) {
    error_ = storage::kIsamNoLockHeld;
    return false;
  }
  FileFor(fb)->modified = true;
  return true;
}

bool MemoryEngine::KeyOk(FileblockHandle fb, int key) {
  if (key < 1 || key > static_cast<int>(FileFor(fb)->keys.size())) {
    error_ = storage::kIsamKeyNumberRange;
    return false;
  }
  return true;
}

bool MemoryEngine::Less(const File& f, int key, const Entry& a, const Entry& b) const {
  const int c = a.text.compare(b.text);
  if (c != 0) return c < 0;
  return f.keys[key - 1].duplicates != 0 && a.ref < b.ref;
}

bool MemoryEngine::Same(const File& f, int key, const Entry& a, const Entry& b) const {
  return !Less(f, key, a, b) && !Less(f, key, b, a);
}

void MemoryEngine::InvalidatePositions(const std::string& name, int key) {
  for (auto& h : handles_) {
    if (h->name == name && key - 1 < static_cast<int>(h->positions.size())) {
      h->positions[key - 1].valid = false;
    }
  }
}

void MemoryEngine::Init(int network_mode, int page_buffers) {
  if (!Enter("Init")) return;
  if (started_)
    error_ = 10450;
  else if (network_mode != 0 && network_mode != 2)
    error_ = 10310;
  else if (page_buffers < 8)
    error_ = 10451;
  else
    started_ = true;
}

void MemoryEngine::Exit() {
  if (!Enter("Exit")) return;
  handles_.clear();
  started_ = false;
}

void MemoryEngine::Create(const std::string& name, int record_length,
                          const std::vector<EngineKeySpec>& keys) {
  if (!Enter("Create")) return;
  File f;
  f.record_length = record_length;
  f.keys = keys;
  f.index.resize(keys.size());
  files[name] = std::move(f);
}

FileblockHandle MemoryEngine::Open(const std::string& name, const storage::EngineOpenOptions& o) {
  if (!Enter("Open")) return nullptr;
  auto it = files.find(name);
  if (it == files.end()) {
    error_ = storage::kIsamFileNotFound;
    return nullptr;
  }
  if (it->second.broken_index) {
    error_ = storage::kIsamKeyHeaderBad;
    return nullptr;
  }
  if (it->second.modified) {
    error_ = storage::kIsamIndexUnusable;
    return nullptr;
  }
  auto h = std::make_unique<Handle>();
  h->name = name;
  h->shared = o.shared;
  h->positions.resize(it->second.keys.size());
  handles_.push_back(std::move(h));
  return FB(handles_.back().get());
}

void MemoryEngine::Close(FileblockHandle fb) {
  if (!Enter("Close", fb, true)) return;
  FileFor(fb)->modified = false;
  std::erase_if(handles_, [&](const auto& h) { return FB(h.get()) == fb; });
}

void MemoryEngine::Delete(const std::string& name) {
  if (!Enter("Delete")) return;
  if (files.erase(name) == 0) error_ = storage::kIsamFileNotFound;
}

void MemoryEngine::Flush(FileblockHandle fb) {
  if (!Enter("Flush", fb, true)) return;
  if (H(fb)->shared && !H(fb)->write_lock) return;
  FileFor(fb)->modified = false;
}

int MemoryEngine::RecordLength(FileblockHandle fb) {
  if (!Enter("RecordLength", fb, true)) return 0;
  return FileFor(fb)->record_length;
}

int MemoryEngine::KeyCount(FileblockHandle fb) {
  if (!Enter("KeyCount", fb, true)) return 0;
  return static_cast<int>(FileFor(fb)->keys.size());
}

EngineKeySpec MemoryEngine::KeySpec(FileblockHandle fb, int key) {
  if (!Enter("KeySpec", fb, true) || !KeyOk(fb, key)) return {};
  return FileFor(fb)->keys[key - 1];
}

void MemoryEngine::Rebuild(const std::string& name, int record_length,
                           const std::vector<EngineKeySpec>& keys, bool /*variable*/,
                           const storage::EngineKeyBuilder& builder,
                           const storage::EngineRebuildProgress& progress) {
  if (!Enter("Rebuild")) return;
  ++rebuilds;
  auto it = files.find(name);
  if (it == files.end()) {
    error_ = 10410;
    return;
  }
  File& f = it->second;
  f.record_length = record_length;
  f.keys = keys;
  f.index.assign(keys.size(), {});
  f.broken_index = false;
  f.modified = false;
  std::int32_t read = 0;
  for (std::int32_t ref = 1; ref < static_cast<std::int32_t>(f.slots.size()); ++ref) {
    const auto& rec = f.slots[ref];
    if (rec[0] != 0 || rec[1] != 0 || rec[2] != 0 || rec[3] != 0) continue;
    ++read;
    for (std::size_t k = 1; k <= keys.size(); ++k) {
      std::string text;
      builder(rec.data(), static_cast<std::uint16_t>(k), text);
      auto& ix = f.index[k - 1];
      const Entry e{text, ref};
      auto pos = std::lower_bound(ix.begin(), ix.end(), e, [&](const Entry& a, const Entry& b) {
        return Less(f, static_cast<int>(k), a, b);
      });
      ix.insert(pos, e);
    }
    if (progress && !progress(read, read)) {
      error_ = 10460;
      return;
    }
  }
}

std::int32_t MemoryEngine::AddRecord(FileblockHandle fb, const std::uint8_t* record) {
  if (!Enter("AddRecord", fb, true) || !ChangeAllowed(fb)) return 0;
  File& f = *FileFor(fb);
  std::int32_t ref;
  if (f.free_head != -1) {
    ref = f.free_head;
    std::int32_t link;
    std::memcpy(&link, f.slots[ref].data(), 4);
    f.free_head = link;
    --f.free_count;
  } else {
    ref = static_cast<std::int32_t>(f.slots.size());
    f.slots.emplace_back(f.record_length, 0);
  }
  f.slots[ref].assign(record, record + f.record_length);
  return ref;
}

void MemoryEngine::GetRecord(FileblockHandle fb, std::int32_t ref, std::uint8_t* record) {
  if (!Enter("GetRecord", fb, true)) return;
  File& f = *FileFor(fb);
  if (ref < 1 || ref >= static_cast<std::int32_t>(f.slots.size())) {
    error_ = ref == 0 ? storage::kIsamRefZero : storage::kIsamRefRange;
    return;
  }
  if (f.foreign_locks.count(ref) != 0) {
    std::memcpy(record + 4, f.slots[ref].data() + 4, f.record_length - 4);
    error_ = storage::kIsamRecordLockedRead;
    return;
  }
  std::memcpy(record, f.slots[ref].data(), f.record_length);
}

void MemoryEngine::PutRecord(FileblockHandle fb, std::int32_t ref, const std::uint8_t* record) {
  if (!Enter("PutRecord", fb, true) || !ChangeAllowed(fb)) return;
  File& f = *FileFor(fb);
  if (ref < 1 || ref >= static_cast<std::int32_t>(f.slots.size())) {
    error_ = ref == 0 ? storage::kIsamRefZero : storage::kIsamRefRange;
    return;
  }
  f.slots[ref].assign(record, record + f.record_length);
}

void MemoryEngine::DeleteRecord(FileblockHandle fb, std::int32_t ref) {
  if (!Enter("DeleteRecord", fb, true) || !ChangeAllowed(fb)) return;
  File& f = *FileFor(fb);
  if (ref < 1 || ref >= static_cast<std::int32_t>(f.slots.size())) {
    error_ = storage::kIsamRefRange;
    return;
  }
  std::memcpy(f.slots[ref].data(), &f.free_head, 4);
  f.free_head = ref;
  ++f.free_count;
  f.var_data.erase(ref);
}

void MemoryEngine::RecordHead(FileblockHandle fb, std::int32_t ref, std::uint8_t head[4]) {
  if (!Enter("RecordHead", fb, true)) return;
  File& f = *FileFor(fb);
  if (ref < 1 || ref >= static_cast<std::int32_t>(f.slots.size())) {
    error_ = storage::kIsamRefRange;
    return;
  }
  if (f.foreign_locks.count(ref) != 0) {
    error_ = 10397;
    return;
  }
  std::memcpy(head, f.slots[ref].data(), 4);
}

std::int32_t MemoryEngine::UsedRecs(FileblockHandle fb) {
  if (!Enter("UsedRecs", fb, true)) return 0;
  const File& f = *FileFor(fb);
  return static_cast<std::int32_t>(f.slots.size()) - 1 - f.free_count;
}

std::int32_t MemoryEngine::RecordSlots(FileblockHandle fb) {
  if (!Enter("RecordSlots", fb, true)) return 0;
  return static_cast<std::int32_t>(FileFor(fb)->slots.size());
}

// Variable records keep their whole data beside a head slot; the slot carries the first bytes.
std::int32_t MemoryEngine::VarRecAdd(FileblockHandle fb, const std::uint8_t* data, int length) {
  std::vector<std::uint8_t> head(FileFor(fb)->record_length, 0);
  std::memcpy(head.data(), data, std::min<std::size_t>(head.size(), length));
  const std::int32_t ref = AddRecord(fb, head.data());
  if (error_ == 0) FileFor(fb)->var_data[ref].assign(data, data + length);
  return ref;
}

void MemoryEngine::VarRecPut(FileblockHandle fb, std::int32_t ref, const std::uint8_t* data,
                             int length) {
  std::vector<std::uint8_t> head(FileFor(fb)->record_length, 0);
  std::memcpy(head.data(), data, std::min<std::size_t>(head.size(), length));
  PutRecord(fb, ref, head.data());
  if (error_ == 0) FileFor(fb)->var_data[ref].assign(data, data + length);
}

void MemoryEngine::VarRecDelete(FileblockHandle fb, std::int32_t ref) { DeleteRecord(fb, ref); }

void MemoryEngine::VarRecGet(FileblockHandle fb, std::int32_t ref, std::uint8_t* data,
                             int& length) {
  std::vector<std::uint8_t> head(FileFor(fb)->record_length, 0);
  GetRecord(fb, ref, head.data());
  if (error_ != 0 && error_ != storage::kIsamRecordLockedRead) return;
  const auto& v = FileFor(fb)->var_data[ref];
  const int n = std::min<int>(length, static_cast<int>(v.size()));
  std::memcpy(data, v.data(), n);
  if (error_ == storage::kIsamRecordLockedRead) std::memset(data, 0xEE, 4);  // bytes the lock hides
  if (n >= 4 && error_ == 0) std::memcpy(data, head.data(), 4);
  length = n;
}

std::int32_t MemoryEngine::UsedKeys(FileblockHandle fb, int key) {
  if (!Enter("UsedKeys", fb, true) || !KeyOk(fb, key)) return 0;
  return static_cast<std::int32_t>(FileFor(fb)->index[key - 1].size());
}

void MemoryEngine::AddKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) {
  if (!Enter("AddKey", fb, true) || !KeyOk(fb, key) || !ChangeAllowed(fb)) return;
  File& f = *FileFor(fb);
  const std::string t(text.substr(0, 50));
  if (t.size() > f.keys[key - 1].length) {
    error_ = storage::kIsamKeyTooLong;
    return;
  }
  InvalidatePositions(H(fb)->name, key);
  auto& ix = f.index[key - 1];
  const Entry e{t, ref};
  auto pos = std::lower_bound(ix.begin(), ix.end(), e,
                              [&](const Entry& a, const Entry& b) { return Less(f, key, a, b); });
  if (pos != ix.end() && Same(f, key, *pos, e)) {
    error_ = storage::kIsamDuplicateKey;
    return;
  }
  ix.insert(pos, e);
}

void MemoryEngine::DeleteKey(FileblockHandle fb, int key, std::int32_t ref, std::string_view text) {
  if (!Enter("DeleteKey", fb, true) || !KeyOk(fb, key) || !ChangeAllowed(fb)) return;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  const std::string t(text.substr(0, 50));
  auto it = std::find_if(ix.begin(), ix.end(),
                         [&](const Entry& e) { return e.text == t && e.ref == ref; });
  if (it == ix.end()) {
    error_ = storage::kIsamDeleteKeyMissing;
    return;
  }
  InvalidatePositions(H(fb)->name, key);
  ix.erase(it);
}

void MemoryEngine::SearchKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) {
  if (!Enter("SearchKey", fb, true) || !KeyOk(fb, key)) return;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  const std::string t = text.substr(0, 50);
  auto it = std::find_if(ix.begin(), ix.end(), [&](const Entry& e) { return e.text >= t; });
  Position& p = H(fb)->positions[key - 1];
  if (it == ix.end()) {
    error_ = storage::kIsamNoKeyAtOrAfter;
    p = Position{true, true, {}};
    return;
  }
  p = Position{true, false, *it};
  text = it->text;
  ref = it->ref;
}

void MemoryEngine::FindKeyAndRef(FileblockHandle fb, int key, std::string& text, std::int32_t& ref,
                                 int direction) {
  if (!Enter("FindKeyAndRef", fb, true) || !KeyOk(fb, key)) return;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  const Entry wanted{text.substr(0, 50), ref};
  const auto less = [&](const Entry& a, const Entry& b) { return Less(f, key, a, b); };
  auto it = std::lower_bound(ix.begin(), ix.end(), wanted, less);
  Position& p = H(fb)->positions[key - 1];
  const Entry* found = nullptr;
  if (it != ix.end() && Same(f, key, *it, wanted)) {
    found = &*it;
  } else if (direction > 0) {
    if (it != ix.end())
      found = &*it;
    else
      error_ = storage::kIsamNoNextKey;
  } else if (direction < 0) {
    if (it != ix.begin())
      found = &*std::prev(it);
    else
      error_ = storage::kIsamNoPrevKey;
  } else {
    error_ = storage::kIsamKeyRefAbsent;
  }
  if (found == nullptr) {
    p = Position{true, true, {}};
    return;
  }
  p = Position{true, false, *found};
  text = found->text;
  ref = found->ref;
}

void MemoryEngine::NextKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) {
  if (!Enter("NextKey", fb, true) || !KeyOk(fb, key)) return;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  Position& p = H(fb)->positions[key - 1];
  if (!p.valid) p = Position{true, false, Entry{text, ref}};
  auto it = p.outside
                ? ix.begin()
                : std::upper_bound(ix.begin(), ix.end(), p.at, [&](const Entry& a, const Entry& b) {
                    return Less(f, key, a, b);
                  });
  if (it == ix.end()) {
    error_ = storage::kIsamNoNextKey;
    p = Position{true, true, {}};
    return;
  }
  p = Position{true, false, *it};
  text = it->text;
  ref = it->ref;
}

void MemoryEngine::PrevKey(FileblockHandle fb, int key, std::string& text, std::int32_t& ref) {
  if (!Enter("PrevKey", fb, true) || !KeyOk(fb, key)) return;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  Position& p = H(fb)->positions[key - 1];
  if (!p.valid) p = Position{true, false, Entry{text, ref}};
  auto it = p.outside
                ? ix.end()
                : std::lower_bound(ix.begin(), ix.end(), p.at, [&](const Entry& a, const Entry& b) {
                    return Less(f, key, a, b);
                  });
  if (it == ix.begin()) {
    error_ = storage::kIsamNoPrevKey;
    p = Position{true, true, {}};
    return;
  }
  --it;
  p = Position{true, false, *it};
  text = it->text;
  ref = it->ref;
}

void MemoryEngine::ClearKey(FileblockHandle fb, int key) {
  if (!Enter("ClearKey", fb, true) || !KeyOk(fb, key)) return;
  H(fb)->positions[key - 1] = Position{true, true, {}};
}

std::int32_t MemoryEngine::ApproxRelPos(FileblockHandle fb, int key, std::string_view text,
                                        std::int32_t ref, std::int32_t scale) {
  if (!Enter("ApproxRelPos", fb, true) || !KeyOk(fb, key)) return 0;
  File& f = *FileFor(fb);
  auto& ix = f.index[key - 1];
  if (scale == 0) {
    error_ = storage::kIsamRelPosArgs;
    return 0;
  }
  if (ix.empty()) {
    error_ = storage::kIsamRelPosEmptyIndex;
    return 0;
  }
  const Entry e{std::string(text), ref};
  const auto rank =
      std::lower_bound(ix.begin(), ix.end(), e,
                       [&](const Entry& a, const Entry& b) { return Less(f, key, a, b); }) -
      ix.begin();
  return static_cast<std::int32_t>(rank * scale / static_cast<std::int64_t>(ix.size()));
}

void MemoryEngine::ApproxKeyAt(FileblockHandle fb, int key, std::int32_t pos, std::int32_t scale,
                               std::string& text, std::int32_t& ref) {
  if (!Enter("ApproxKeyAt", fb, true) || !KeyOk(fb, key)) return;
  auto& ix = FileFor(fb)->index[key - 1];
  if (scale == 0 || pos > scale || pos < 0) {
    error_ = storage::kIsamApproxArgs;
    return;
  }
  if (ix.empty()) {
    error_ = storage::kIsamApproxEmptyIndex;
    return;
  }
  const auto i = std::min<std::int64_t>(static_cast<std::int64_t>(ix.size()) * pos / scale,
                                        static_cast<std::int64_t>(ix.size()) - 1);
  text = ix[i].text;
  ref = ix[i].ref;
}

void MemoryEngine::LockRecord(FileblockHandle fb, std::int32_t ref) {
  if (!Enter("LockRecord", fb, true) || !H(fb)->shared) return;
  if (FileFor(fb)->foreign_locks.count(ref) != 0) {
    error_ = 10335;
    return;
  }
  H(fb)->record_locks.insert(ref);
}

void MemoryEngine::UnlockRecord(FileblockHandle fb, std::int32_t ref) {
  if (!Enter("UnlockRecord", fb, true) || !H(fb)->shared) return;
  if (H(fb)->record_locks.erase(ref) == 0) error_ = 10337;
}

void MemoryEngine::LockFile(FileblockHandle fb) {
  if (!Enter("LockFile", fb, true) || !H(fb)->shared) return;
  H(fb)->write_lock = true;
}

void MemoryEngine::UnlockFile(FileblockHandle fb) {
  if (!Enter("UnlockFile", fb, true) || !H(fb)->shared) return;
  H(fb)->write_lock = false;
}

// The lock-state queries leave the error word alone, as the engine's do.
bool MemoryEngine::WriteLockHeld(FileblockHandle fb) {
  ++calls["WriteLockHeld"];
  return H(fb)->write_lock;
}
bool MemoryEngine::ReadLockHeld(FileblockHandle fb) {
  ++calls["ReadLockHeld"];
  (void)fb;
  return false;
}
bool MemoryEngine::AnyRecordLocked(FileblockHandle fb) {
  ++calls["AnyRecordLocked"];
  return !H(fb)->record_locks.empty();
}
bool MemoryEngine::RecordLocked(FileblockHandle fb, std::int32_t ref) {
  ++calls["RecordLocked"];
  return H(fb)->record_locks.count(ref) != 0;
}

}  // namespace storage_test
