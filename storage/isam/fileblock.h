// The fileblock: the engine's in-memory state of one open database, and its file headers.
//
// Data file (".DAT"), little-endian; record n (n >= 1) lies at byte n x record length, slot 0 is
// the header (a record length of at least 21 makes it fit):
//
//   OFFSET  SIZE  MEANING
//   0       4     first free record, -1 when the free chain is empty
//   4       4     number of free records
//   8       4     number of record slots (highest record number ever allocated)
//   12      4     record length in bytes (21..65535)
//   16      4     number of keys (0..110)
//   20      1     modified marker: 1 from the first change until flushed or closed, else 0
//
// A free record holds the previous chain head in its first 4 bytes (the rest is left as it was).
//
// Index file (".IX"): frames of F bytes, F = sum of the page sizes of all keys; key k owns the
// slice of every frame that starts at O(k) = sum of the page sizes of keys 1..k-1. Frame 0 holds
// the key headers, page p (p >= 1) of key k lies at p x F + O(k). The file grows by whole
// zero-filled frames. Key header (28 bytes at O(k) in frame 0):
//
//   OFFSET  SIZE  MEANING
//   0       4     first free page, -1 when none
//   4       4     number of free pages
//   8       4     number of pages allocated (highest page number)
//   12      4     page size in bytes, (key length + 9) x 62 + 6
//   16      4     root page, 0 for an empty index
//   20      1     duplicates allowed (1) or not (0)
//   21      1     reserved, written as 0
//   22      4     number of entries in the index
//   26      2     items per page: 62 (a stored 0 is read as 62)
//
// The key length is not stored; it is derived from the page size and the items per page.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "storage/isam/btree_page.h"
#include "storage/isam/engine.h"
#include "storage/isam/engine_file.h"
#include "storage/isam/journal.h"
#include "storage/isam/network_state.h"

namespace storage {

inline constexpr std::uint32_t kFileblockSignature = 0x11195851;
inline constexpr int kDataHeaderSize = 21;
inline constexpr int kKeyHeaderSize = 28;

struct PathLevel {
  std::int32_t page = 0;
  std::uint8_t index = 0;
};

// Entry 0 describes the data file (size = record length, allocated = record slots); entries
// 1..n the keys (size = page size, allocated = pages).
struct KeyDesc {
  std::int32_t entries = 0;
  std::int32_t first_free = -1;
  std::int32_t free_count = 0;
  std::int32_t allocated = 0;
  std::int32_t size = 0;
  std::int32_t root = 0;
  std::uint16_t items_per_page = kItemsPerPage;
  std::uint8_t duplicates = 0;
  bool header_modified = false;
  bool taken_from_free = false;  // the current change took an element of the free chain
  bool pos_valid = false;
  bool refind = true;
  std::uint8_t key_length = 0;
  std::int64_t slice_offset = 0;
  PathLevel path[kMaxDepth];
  std::uint8_t depth = 0;
};

// How far the index can be trusted. The data header's modified marker stays set on disk while
// it is anything but kSound: no write-back, flush, close or lock release clears it, so the next
// open reports 10010 and the driver rebuilds the index.
enum class IndexState : std::uint8_t {
  kSound,
  kFilling,  // the index rebuild is adding the keys of every record
  kDamaged,  // a key change without journal failed half-way: its key operations give 10010
};

struct Fileblock {
  std::uint32_t signature = 0;
  std::uint32_t generation = 0;  // of this opening; a handle must carry the same
  IndexState index_state = IndexState::kSound;
  EngineFile data;
  EngineFile index;
  EngineFile dialog;
  int key_count = 0;
  std::int64_t frame_size = 0;
  std::int32_t frames = 0;  // page frames present in the index file
  std::vector<KeyDesc> keys;
  bool modified = false;
  bool read_only = false;
  bool journal = false;
  bool shared = false;                 // opened for shared use (also read-only sharing)
  std::uint32_t serial = 0;            // tells fileblocks apart in the page pool
  std::uint64_t page_changes = 0;      // pages changed so far (PageRef::MarkDirty)
  std::unique_ptr<NetworkState> net;   // shared use only
  std::unique_ptr<JournalState> jour;  // journal option only

  KeyDesc& Data() { return keys[0]; }
  std::int32_t RecordLength() const { return keys[0].size; }
  std::int64_t RecordOffset(RecRef ref) const {
    return static_cast<std::int64_t>(ref) * keys[0].size;
  }
  std::int64_t PageOffset(int key, std::int32_t page) const {
    return static_cast<std::int64_t>(page) * frame_size + keys[key].slice_offset;
  }
};

// Header codecs.
void EncodeDataHeader(const Fileblock& fb, bool modified_marker, std::uint8_t out[kDataHeaderSize]);
void EncodeKeyHeader(const KeyDesc& d, std::uint8_t out[kKeyHeaderSize]);

// Re-reads header `key` (0 the data header) from disk, where another process may have changed
// it; the key's position loses its validity. 10010 when the data header no longer fits the
// fileblock, 10120..10122 for a damaged key header.
bool ReReadHeader(Fileblock& fb, int key);

// FileblockCreate without the engine's entry reset; with `marked` the data file is born marked
// as not closed properly (for the rebuild, whose new files hold no index yet), and a dialog file
// kept for exclusive use moves its repair mark on.
bool CreateFileblockFiles(std::string_view name, int record_length, std::span<const KeySpec> keys,
                          bool marked);
// The open fileblock a handle names, or nullptr when the handle is stale or foreign (checked
// before anything is dereferenced).
Fileblock* ResolveHandle(FileblockHandle handle);
// FileblockOpen; with `index_incomplete` a data file marked as not closed properly is opened all
// the same, in IndexState::kFilling (for the rebuild, which fills its index).
FileblockHandle OpenFileblock(std::string_view name, const OpenOptions& options,
                              bool index_incomplete);

// Writes the data header; its marker is set when asked or while the index is not sound.
bool WriteDataHeader(Fileblock& fb, bool modified_marker);
bool WriteKeyHeader(Fileblock& fb, int key);
// Writes every modified key header.
bool WriteModifiedKeyHeaders(Fileblock& fb);
// First change of the fileblock: the data header's marker byte goes to disk at once (unless the
// journal keeps the change undoable anyway, or a shared fileblock is written outside the write
// lock, which only a record put that waived the lock does). On a shared fileblock the dialog
// file's word then says that a change without journal is under way (dialog_file.h), which is
// how the other processes learn of a writer that stops before its release.
bool MarkModified(Fileblock& fb);
// A change of key `key` without journal failed after it had begun to alter pages or the key
// header: the index is damaged (IndexState::kDamaged) and the failure becomes 10010, unless it is
// a full disk (10075).
void IndexDamaged(Fileblock& fb);
// Whether anything changed since the last write-back: the fileblock modified, a header or a page
// changed. (A write-back of an index that is not sound left its marker set on disk.)
bool Unwritten(const Fileblock& fb);
// Writes dirty pages, modified key headers and the data header with marker 0; with `sync` the
// files are flushed to the device too.
bool WriteBack(Fileblock& fb, bool detach_pages, bool sync, bool report_flush = false);
// Flushes one file of the fileblock. A shared file whose flush fails with "too many open files"
// (a network redirector's answer) gives 10150 when `report` is set or the handle holds locks;
// otherwise the file is closed and reopened in its former mode, which puts the data on disk.
bool FlushFile(Fileblock& fb, EngineFile& file, bool report);

}  // namespace storage
