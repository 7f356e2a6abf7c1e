#include "storage/isam/fileblock.h"

#include <algorithm>
#include <new>
#include <vector>

#include "common/le_int.h"
#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/key_header.h"

namespace storage {
namespace {

using common::ReadLeInt32;
using common::WriteLeInt32;
using common::WriteLeUInt16;

// A fileblock has a name: an empty one names no file (the path not found, as the system says).
bool NameGiven(std::string_view name) { return !DataPart(name).empty() || Fail(kIsamPathNotFound); }

bool EngineReady() {
  IsamReset();
  if (!Engine().started) return Fail(kIsamNotStarted);
  return true;
}

// The smallest serial no open fileblock uses, so page-pool ids stay small and never collide.
std::uint32_t FreeSerial() {
  std::vector<std::uint32_t> used;
  for (const Fileblock* fb : Engine().open) used.push_back(fb->serial);
  std::sort(used.begin(), used.end());
  std::uint32_t serial = 1;
  for (std::uint32_t s : used) {
    if (s == serial) ++serial;
  }
  return serial;
}

// Closes the files of a fileblock that never reached the caller, keeping the first error. Another
// user's lock or share mode refusing the open is a lock conflict, which the driver waits out; a
// refused access or a path too long is not, and keeps its 10140.
void Abandon(Fileblock& fb) {
  if (Isam().IsamError == kIsamOsFailure && FailureIsLockConflict()) {
    RecastFailure(kIsamOpenLockRefused);
  }
  Engine().pool.DropFileblock(fb);
  DialogOpenAbandon(fb);
  fb.dialog.Close();
  fb.index.Close();
  fb.data.Close();
}

// The counts of a data header that the engine can trust: a free chain of 0..slots records whose
// head is a slot (none when the chain is empty). Anything else is damage: the data file must be
// rebuilt (10010) before any count of it is used.
bool DataHeaderSound(std::int32_t first_free, std::int32_t free_count, std::int32_t slots) {
  if (slots < 0 || free_count < 0 || free_count > slots) return false;
  if (free_count == 0) return first_free == -1;
  return first_free >= 1 && first_free <= slots;
}

bool DeleteIfPresent(const std::string& name) {
  const platform::WinError e = platform::DeleteFile(name);
  if (e == platform::kErrorSuccess || e == platform::kErrorFileNotFound ||
      e == platform::kErrorPathNotFound) {
    return true;
  }
  RecordOsFailure(kPrimDelete, e);
  return false;
}

// Deletes the files of a fileblock. While this process holds exclusive use of the fileblock its
// dialog file, which carries the lock, is made fresh instead, its repair mark moved on for a
// rebuild (`repaired`).
bool DeleteFiles(std::string_view name, bool repaired) {
  const FileblockNames names = MakeFileblockNames(name);
  if (!DeleteIfPresent(names.index)) return false;
  EngineFile* const held = ExclusiveDialog(names.dialog);
  if (held != nullptr ? !ResetDialogFile(*held, repaired) : !DeleteIfPresent(names.dialog)) {
    return false;
  }
  return DeleteIfPresent(names.data);
}

// Decodes and checks a key header by the rules the checker applies too.
bool ParseKeyHeader(const std::uint8_t* h, KeyDesc& d) {
  const StoredKeyHeader stored = DecodeKeyHeader(h);
  const KeyHeaderVerdict verdict = JudgeKeyHeader(stored);
  if (verdict.error != 0) return Fail(verdict.error);
  d.first_free = stored.first_free;
  d.free_count = stored.free_count;
  d.allocated = stored.allocated;
  d.size = stored.page_size;
  d.root = stored.root;
  d.duplicates = stored.duplicates != 0 ? 1 : 0;
  d.entries = stored.entries;
  d.items_per_page = kItemsPerPage;
  d.key_length = static_cast<std::uint8_t>(verdict.key_length);
  return true;
}

// Reads and checks the key headers of frame 0; sets slice offsets, frame size and frame count.
bool ReadKeyHeaders(Fileblock& fb) {
  std::int64_t offset = 0;
  for (int k = 1; k <= fb.key_count; ++k) {
    std::uint8_t h[kKeyHeaderSize];
    if (!fb.index.Read(offset, h, kKeyHeaderSize)) return false;
    KeyDesc& d = fb.keys[k];
    if (!ParseKeyHeader(h, d)) return false;
    d.slice_offset = offset;
    d.refind = Engine().refind_default;
    offset += d.size;
    fb.frames = std::max(fb.frames, d.allocated);
  }
  fb.frame_size = offset;
  return true;
}

}  // namespace

void EncodeDataHeader(const Fileblock& fb, bool modified_marker,
                      std::uint8_t out[kDataHeaderSize]) {
  const KeyDesc& d = fb.keys[0];
  WriteLeInt32(out + 0, d.first_free);
  WriteLeInt32(out + 4, d.free_count);
  WriteLeInt32(out + 8, d.allocated);
  WriteLeInt32(out + 12, d.size);
  WriteLeInt32(out + 16, fb.key_count);
  out[20] = modified_marker ? 1 : 0;
}

void EncodeKeyHeader(const KeyDesc& d, std::uint8_t out[kKeyHeaderSize]) {
  WriteLeInt32(out + 0, d.first_free);
  WriteLeInt32(out + 4, d.free_count);
  WriteLeInt32(out + 8, d.allocated);
  WriteLeInt32(out + 12, d.size);
  WriteLeInt32(out + 16, d.root);
  out[20] = d.duplicates;
  out[21] = 0;
  WriteLeInt32(out + 22, d.entries);
  WriteLeUInt16(out + 26, d.items_per_page);
}

bool ReReadHeader(Fileblock& fb, int key) {
  if (key == 0) {
    std::uint8_t h[kDataHeaderSize];
    if (!fb.data.Read(0, h, kDataHeaderSize)) return false;
    const std::int32_t first_free = ReadLeInt32(h + 0);
    const std::int32_t free_count = ReadLeInt32(h + 4);
    const std::int32_t slots = ReadLeInt32(h + 8);
    // Record length and key count never change while the fileblock is open.
    if (ReadLeInt32(h + 12) != fb.keys[0].size || ReadLeInt32(h + 16) != fb.key_count ||
        !DataHeaderSound(first_free, free_count, slots)) {
      return Fail(kIsamIndexUnusable);
    }
    KeyDesc& d = fb.keys[0];
    d.first_free = first_free;
    d.free_count = free_count;
    d.allocated = slots;
    d.header_modified = false;
    return true;
  }
  KeyDesc& d = fb.keys[key];
  std::uint8_t h[kKeyHeaderSize];
  if (!fb.index.Read(d.slice_offset, h, kKeyHeaderSize)) return false;
  KeyDesc fresh = d;
  if (!ParseKeyHeader(h, fresh)) return false;
  if (fresh.size != d.size) return Fail(kIsamKeyHeaderBad);
  d.first_free = fresh.first_free;
  d.free_count = fresh.free_count;
  d.allocated = fresh.allocated;
  d.root = fresh.root;
  d.duplicates = fresh.duplicates;
  d.entries = fresh.entries;
  d.header_modified = false;
  d.pos_valid = false;
  fb.frames = std::max(fb.frames, d.allocated);
  return true;
}

bool WriteDataHeader(Fileblock& fb, bool modified_marker) {
  if (!JournalBeforeHeaderWrite(fb, 0)) return false;
  if (fb.keys[0].header_modified) NoteHeaderChanged(fb, 0);
  std::uint8_t h[kDataHeaderSize];
  EncodeDataHeader(fb, modified_marker || fb.index_state != IndexState::kSound, h);
  if (!fb.data.Write(0, h, kDataHeaderSize)) return false;
  fb.keys[0].header_modified = false;
  return true;
}

bool WriteKeyHeader(Fileblock& fb, int key) {
  if (!JournalBeforeHeaderWrite(fb, key)) return false;
  NoteHeaderChanged(fb, key);
  std::uint8_t h[kKeyHeaderSize];
  EncodeKeyHeader(fb.keys[key], h);
  if (!fb.index.Write(fb.keys[key].slice_offset, h, kKeyHeaderSize)) return false;
  fb.keys[key].header_modified = false;
  return true;
}

bool WriteModifiedKeyHeaders(Fileblock& fb) {
  bool ok = true;
  for (int k = 1; k <= fb.key_count; ++k) {
    if (fb.keys[k].header_modified && !WriteKeyHeader(fb, k)) ok = false;
  }
  return ok;
}

bool MarkModified(Fileblock& fb) {
  // A put that waived the lock on a shared fileblock changes one record and no index: the
  // marker would stay set (only the write lock's release clears it on a shared fileblock) and
  // send the next opener to a rebuild.
  if (fb.net != nullptr && !fb.net->write_locked && !fb.data.InMemory()) return true;
  if (!fb.modified) {
    if (!fb.journal) {
      const std::uint8_t marker = 1;
      if (!fb.data.Write(20, &marker, 1)) return false;
    }
    fb.modified = true;
  }
  // The marker is on disk before the word says a change is under way, so whoever finds the word
  // finds the marker set too.
  return fb.journal || AnnounceChange(fb);
}

void IndexDamaged(Fileblock& fb) {
  fb.index_state = IndexState::kDamaged;
  // A full disk stays what it is: the user can do something about it.
  if (Isam().IsamError != kIsamShortWrite) RecastFailure(kIsamIndexUnusable);
}

bool Unwritten(const Fileblock& fb) {
  if (fb.modified) return true;
  for (const KeyDesc& d : fb.keys) {
    if (d.header_modified) return true;
  }
  return Engine().pool.CountPages(fb, true) > 0;
}

bool WriteBack(Fileblock& fb, bool detach_pages, bool sync, bool report_flush) {
  bool ok = Engine().pool.WriteFileblock(fb, detach_pages);
  ok = WriteModifiedKeyHeaders(fb) && ok;
  if (sync && fb.index.IsOpen()) ok = FlushFile(fb, fb.index, report_flush) && ok;
  // The marker is cleared only when the index on disk is complete; otherwise it stays set and
  // the next open asks for a rebuild.
  if (!ok) return false;
  if (!WriteDataHeader(fb, false)) return false;
  if (sync && !FlushFile(fb, fb.data, report_flush)) return false;
  fb.modified = false;
  return true;
}

bool FlushFile(Fileblock& fb, EngineFile& file, bool report) {
  const IsamState before = Isam();
  if (file.Flush()) return true;
  if (!fb.shared || Isam().LastOsError != platform::kErrorTooManyOpenFiles) return false;
  // Reopening drops the handle's byte-range locks, which the lock table still counts as held.
  if (report || Engine().locks.HoldsRegions(file.OsFile())) {
    RecastFailure(kIsamSharedFlushFailed);
    return false;
  }
  const std::string name = file.Name();
  const EngineOpenMode mode = file.Mode();
  if (!file.Close() || !file.Open(name, mode)) return false;
  Isam() = before;  // the reopened file has its data on disk: the flush succeeded after all
  return true;
}

void FileblockCreate(std::string_view name, int record_length, std::span<const KeySpec> keys) {
  if (!EngineReady() || !NameGiven(name)) return;
  CreateFileblockFiles(name, record_length, keys, false);
}

bool CreateFileblockFiles(std::string_view name, int record_length, std::span<const KeySpec> keys,
                          bool marked) {
  if (record_length < kMinRecordLength || record_length > kMaxRecordLength) {
    return Fail(kIsamRecordLengthRange);
  }
  if (keys.size() > static_cast<std::size_t>(kMaxKeys)) {
    return Fail(kIsamTooManyKeys);
  }
  // Every key is checked before anything is deleted, so a bad key table destroys nothing.
  for (const KeySpec& k : keys) {
    if (k.length == 0 || k.length > kMaxKeyLength) {
      return Fail(kIsamKeyLengthRange);
    }
  }
  if (!DeleteFiles(name, marked)) return false;
  const FileblockNames names = MakeFileblockNames(name);

  Fileblock fb;
  fb.key_count = static_cast<int>(keys.size());
  fb.keys.resize(keys.size() + 1);
  fb.keys[0].size = record_length;
  EngineOpenMode mode;
  mode.create_always = true;
  bool ok = fb.data.Open(names.data, mode);
  if (ok) {
    std::vector<std::uint8_t> slot0(static_cast<std::size_t>(record_length), 0);
    EncodeDataHeader(fb, marked, slot0.data());
    ok = fb.data.Write(0, slot0.data(), static_cast<std::uint32_t>(slot0.size()));
  }
  if (ok && !keys.empty()) {
    std::int64_t offset = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
      KeyDesc& d = fb.keys[i + 1];
      d.key_length = keys[i].length;
      d.duplicates = keys[i].duplicates != 0 ? 1 : 0;
      d.size = PageSizeFor(d.key_length);
      d.slice_offset = offset;
      offset += d.size;
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(offset), 0);
    for (std::size_t i = 1; i < fb.keys.size(); ++i) {
      EncodeKeyHeader(fb.keys[i], frame.data() + fb.keys[i].slice_offset);
    }
    ok = fb.index.Open(names.index, mode) &&
         fb.index.Write(0, frame.data(), static_cast<std::uint32_t>(frame.size()));
  }
  const bool closed = fb.index.Close();
  return fb.data.Close() && closed && ok;  // the first error stands in IsamError
}

FileblockHandle FileblockOpen(std::string_view name, const OpenOptions& options) {
  return OpenFileblock(name, options, false);
}

FileblockHandle OpenFileblock(std::string_view name, const OpenOptions& options,
                              bool index_incomplete) {
  if (!EngineReady() || !NameGiven(name)) return nullptr;
  std::unique_ptr<Fileblock> fb(new (std::nothrow) Fileblock);
  if (!fb) {
    Fail(kIsamNoMemoryOpenList);
    return nullptr;
  }
  fb->read_only = options.read_only || options.read_only_sharing;
  fb->journal = options.journal && !fb->read_only;
  fb->shared = options.shared || options.read_only_sharing;
  const FileblockNames names = MakeFileblockNames(name);
  EngineOpenMode mode;
  mode.read_write = !fb->read_only;
  mode.shared = fb->shared || fb->read_only;
  mode.memory = options.memory_mode;
  mode.never_locked = kDataHeaderSize;  // record locks start behind the header

  if (!DialogOpenBegin(*fb, names, options) || !fb->data.Open(names.data, mode) ||
      !DialogOpenDeferred(*fb, names)) {
    Abandon(*fb);
    return nullptr;
  }
  std::uint8_t h[kDataHeaderSize];
  if (!fb->data.Read(0, h, kDataHeaderSize)) {
    Abandon(*fb);
    return nullptr;
  }
  const std::int32_t key_count = ReadLeInt32(h + 16);
  const std::int32_t record_length = ReadLeInt32(h + 12);
  const std::int32_t slots = ReadLeInt32(h + 8);
  int error = 0;
  if (key_count > kMaxKeys || key_count < 0) {
    error = kIsamHeaderKeyCount;
  } else if (record_length < kMinRecordLength || record_length > kMaxRecordLength) {
    error = kIsamRecordLengthRange;
  } else if (!DataHeaderSound(ReadLeInt32(h + 0), ReadLeInt32(h + 4), slots)) {
    error = kIsamIndexUnusable;
  }
  if (error != 0) {
    Fail(error);
    Abandon(*fb);
    return nullptr;
  }
  fb->key_count = key_count;
  fb->keys.resize(static_cast<std::size_t>(key_count) + 1);
  KeyDesc& data = fb->keys[0];
  data.first_free = ReadLeInt32(h + 0);
  data.free_count = ReadLeInt32(h + 4);
  data.allocated = slots;
  data.size = record_length;

  if (key_count > 0) {
    EngineOpenMode index_mode = mode;
    index_mode.never_locked = kEngineOffsetLimit;  // nobody locks the index file
    if (!fb->index.Open(names.index, index_mode)) {
      const int e = Isam().IsamError;
      if (e != kIsamTooManyOpenFiles && e != kIsamDriveNotReady) {
        RecastFailure(kIsamIndexUnusable);
      }
      Abandon(*fb);
      return nullptr;
    }
    if (!ReadKeyHeaders(*fb)) {
      if (Isam().IsamError == kIsamShortRead) RecastFailure(kIsamIndexUnusable);
      Abandon(*fb);
      return nullptr;
    }
  }
  if (h[20] != 0 && !index_incomplete && !JoinUnfinished(*fb)) {
    // Not closed properly: the index cannot be trusted and must be rebuilt. A shared open joins
    // the processes that may have the files open, and its first lock says so as theirs do.
    Fail(kIsamIndexUnusable);
    Abandon(*fb);
    return nullptr;
  }
  if (index_incomplete) {
    fb->index_state = IndexState::kFilling;
    fb->modified = h[20] != 0;  // the marker on disk is set already when it is
  }
  EngineGlobals& e = Engine();
  if (e.open.size() >= (1u << 24)) {
    Fail(kIsamNoMemoryOpenList);
    Abandon(*fb);
    return nullptr;
  }
  fb->serial = FreeSerial();
  if (!DialogOpenFinish(*fb, options)) {
    Abandon(*fb);
    return nullptr;
  }
  fb->signature = kFileblockSignature;
  fb->generation = e.next_generation++;
  if (e.next_generation == 0) e.next_generation = 1;  // 0 is never a generation
  e.open.push_back(fb.get());
  const FileblockHandle handle(fb.get(), fb->generation);
  fb.release();
  return handle;
}

void FileblockClose(FileblockHandle handle) {
  if (!EngineReady()) return;
  EngineGlobals& e = Engine();
  Fileblock* const open = ResolveHandle(handle);
  if (open == nullptr) {
    Fail(kIsamNotOpen);
    return;
  }
  e.open.erase(std::find(e.open.begin(), e.open.end(), open));
  std::unique_ptr<Fileblock> fb(open);
  if (fb->net != nullptr) NetworkCloseLocks(*fb);
  // Nothing is written when nothing changed since the last write-back: the files keep their time
  // of modification, by which their next opener tells whether anybody wrote them meanwhile.
  if (!SharedInNetwork(*fb) && !fb->read_only && !fb->journal && Unwritten(*fb)) {
    WriteBack(*fb, true, false);
  }
  e.pool.DropFileblock(*fb);
  bool closed = NetworkReleaseOwnerMark(*fb);
  e.locks.ReleaseAll(fb->data.OsFile());
  e.locks.ReleaseAll(fb->index.OsFile());
  e.locks.ReleaseAll(fb->dialog.OsFile());
  closed = fb->dialog.Close() && closed;
  closed = fb->index.Close() && closed;
  closed = fb->data.Close() && closed;
  if (!closed) Fail(kIsamCloseFailed);
  fb->signature = 0;
}

void FileblockDelete(std::string_view name) {
  if (!EngineReady() || !NameGiven(name)) return;
  DeleteFiles(name, false);
}

void FileblockMarkForRebuild(FileblockHandle handle) {
  EngineCall call(handle, kNeedWrite | kNeedLock);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  fb.index_state = IndexState::kDamaged;  // no write-back clears the marker now
  const std::uint8_t marker = 1;
  if (!fb.data.Write(20, &marker, 1)) return;
  fb.modified = true;
  AnnounceChange(fb);
}

void FileblockFlush(FileblockHandle handle, bool report_flush_failure) {
  EngineCall call(handle, 0);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  if (fb.read_only || fb.journal) return;
  // Without the write lock another process may be changing the files.
  if (fb.net != nullptr && !fb.net->write_locked) return;
  WriteBack(fb, false, true, report_flush_failure);
}

}  // namespace storage
