#include "storage/fileblock.h"

#include <algorithm>
#include <new>
#include <vector>

#include "common/le_int.h"
#include "storage/engine_state.h"
#include "storage/file_names.h"

namespace storage {
namespace {

using common::ReadLeInt32;
using common::ReadLeUInt16;
using common::WriteLeInt32;
using common::WriteLeUInt16;

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

// Closes the files of a fileblock that never reached the caller, keeping the first error.
void Abandon(Fileblock& fb) {
  Engine().pool.DropFileblock(fb);
  fb.dialog.Close();
  fb.index.Close();
  fb.data.Close();
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

bool DeleteFiles(std::string_view name) {
  const FileblockNames names = MakeFileblockNames(name);
  return DeleteIfPresent(names.index) && DeleteIfPresent(names.dialog) &&
         DeleteIfPresent(names.data);
}

// Reads and checks the key headers of frame 0; sets slice offsets, frame size and frame count.
bool ReadKeyHeaders(Fileblock& fb) {
  std::int64_t offset = 0;
  for (int k = 1; k <= fb.key_count; ++k) {
    std::uint8_t h[kKeyHeaderSize];
    if (!fb.index.Read(offset, h, kKeyHeaderSize)) return false;
    KeyDesc& d = fb.keys[k];
    d.first_free = ReadLeInt32(h + 0);
    d.free_count = ReadLeInt32(h + 4);
    d.allocated = ReadLeInt32(h + 8);
    d.size = ReadLeInt32(h + 12);
    d.root = ReadLeInt32(h + 16);
    d.duplicates = h[20] != 0 ? 1 : 0;
    d.entries = ReadLeInt32(h + 22);
    d.items_per_page = ReadLeUInt16(h + 26);
    if (d.items_per_page == 0) d.items_per_page = kItemsPerPage;
    // Pages are laid out for 62 items; a header claiming fewer would let pages overflow into
    // the next key's slice, so only 62 is accepted.
    if (d.items_per_page != kItemsPerPage) return Fail(kIsamKeyHeaderItems);
    if (d.size <= kPageHeadSize || (d.size - kPageHeadSize) % d.items_per_page != 0) {
      return Fail(kIsamKeyHeaderBad);
    }
    const int length = (d.size - kPageHeadSize) / d.items_per_page - 9;
    if (length < 1 || length > kMaxKeyLength) return Fail(kIsamKeyHeaderLength);
    if (d.allocated < 0 || d.root < 0 || d.root > d.allocated || d.entries < 0 ||
        d.free_count < 0 || d.free_count > d.allocated || (d.root == 0) != (d.entries == 0)) {
      return Fail(kIsamKeyHeaderBad);
    }
    d.key_length = static_cast<std::uint8_t>(length);
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

bool WriteDataHeader(Fileblock& fb, bool modified_marker) {
  std::uint8_t h[kDataHeaderSize];
  EncodeDataHeader(fb, modified_marker, h);
  if (!fb.data.Write(0, h, kDataHeaderSize)) return false;
  fb.keys[0].header_modified = false;
  return true;
}

bool WriteKeyHeader(Fileblock& fb, int key) {
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
  if (fb.modified) return true;
  if (!fb.journal) {
    const std::uint8_t marker = 1;
    if (!fb.data.Write(20, &marker, 1)) return false;
  }
  fb.modified = true;
  return true;
}

bool WriteBack(Fileblock& fb, bool detach_pages, bool sync) {
  bool ok = Engine().pool.WriteFileblock(fb, detach_pages);
  ok = WriteModifiedKeyHeaders(fb) && ok;
  if (sync && fb.index.IsOpen()) ok = fb.index.Flush() && ok;
  // The marker is cleared only when the index on disk is complete; otherwise it stays set and
  // the next open asks for a rebuild.
  if (!ok) return false;
  if (!WriteDataHeader(fb, false)) return false;
  if (sync && !fb.data.Flush()) return false;
  fb.modified = false;
  return true;
}

void FileblockCreate(std::string_view name, int record_length, std::span<const KeySpec> keys) {
  if (!EngineReady()) return;
  if (record_length < kMinRecordLength || record_length > kMaxRecordLength) {
    Fail(kIsamRecordLengthRange);
    return;
  }
  if (keys.size() > static_cast<std::size_t>(kMaxKeys)) {
    Fail(kIsamTooManyKeys);
    return;
  }
  // Every key is checked before anything is deleted, so a bad key table destroys nothing.
  for (const KeySpec& k : keys) {
    if (k.length == 0 || k.length > kMaxKeyLength) {
      Fail(kIsamKeyLengthRange);
      return;
    }
  }
  if (!DeleteFiles(name)) return;
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
    EncodeDataHeader(fb, false, slot0.data());
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
  fb.index.Close();
  fb.data.Close();
  (void)ok;  // the first error stands in IsamError
}

FileblockHandle FileblockOpen(std::string_view name, const OpenOptions& options) {
  if (!EngineReady()) return nullptr;
  std::unique_ptr<Fileblock> fb(new (std::nothrow) Fileblock);
  if (!fb) {
    Fail(kIsamNoMemoryOpenList);
    return nullptr;
  }
  fb->read_only = options.read_only || options.read_only_sharing;
  fb->journal = options.journal && !fb->read_only;
  fb->shared = options.shared;
  const FileblockNames names = MakeFileblockNames(name);
  EngineOpenMode mode;
  mode.read_write = !fb->read_only;
  mode.shared = options.shared || fb->read_only;
  mode.memory = options.memory_mode;

  if (!fb->data.Open(names.data, mode)) return nullptr;
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
  } else if (slots < 0) {
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
    if (!fb->index.Open(names.index, mode)) {
      const int e = Isam().IsamError;
      if (e != kIsamTooManyOpenFiles && e != kIsamDriveNotReady) {
        Isam().IsamError = kIsamIndexUnusable;
      }
      Abandon(*fb);
      return nullptr;
    }
    if (!ReadKeyHeaders(*fb)) {
      if (Isam().IsamError == kIsamShortRead) Isam().IsamError = kIsamIndexUnusable;
      Abandon(*fb);
      return nullptr;
    }
  }
  if (h[20] != 0) {
    // Not closed properly: the index cannot be trusted and must be rebuilt.
    Fail(kIsamIndexUnusable);
    Abandon(*fb);
    return nullptr;
  }
  EngineGlobals& e = Engine();
  if (e.open.size() >= (1u << 24)) {
    Fail(kIsamNoMemoryOpenList);
    Abandon(*fb);
    return nullptr;
  }
  fb->serial = FreeSerial();
  fb->signature = kFileblockSignature;
  e.open.push_back(fb.get());
  return fb.release();
}

void FileblockClose(FileblockHandle handle) {
  if (!EngineReady()) return;
  EngineGlobals& e = Engine();
  auto it = std::find(e.open.begin(), e.open.end(), handle);
  if (it == e.open.end()) {
    Fail(kIsamNotOpen);
    return;
  }
  std::unique_ptr<Fileblock> fb(handle);
  e.open.erase(it);
  if (!fb->read_only && !fb->journal) WriteBack(*fb, true, false);
  e.pool.DropFileblock(*fb);
  e.locks.ReleaseAll(fb->data.OsFile());
  e.locks.ReleaseAll(fb->index.OsFile());
  e.locks.ReleaseAll(fb->dialog.OsFile());
  bool closed = fb->dialog.Close();
  closed = fb->index.Close() && closed;
  closed = fb->data.Close() && closed;
  if (!closed) IsamSetError(kIsamCloseFailed);
  fb->signature = 0;
}

void FileblockDelete(std::string_view name) {
  if (!EngineReady()) return;
  DeleteFiles(name);
}

void FileblockFlush(FileblockHandle handle) {
  EngineCall call(handle, 0);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  if (fb.read_only || fb.journal) return;
  WriteBack(fb, false, true);
}

}  // namespace storage
