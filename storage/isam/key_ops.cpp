// The key operations of the engine: the entry guard around the B-tree of one key.

#include <cstring>
#include <utility>

#include "storage/isam/btree.h"
#include "storage/isam/engine_state.h"

namespace storage {
namespace {

constexpr std::uint32_t kRead = kNeedKey | kTempReadLock;
constexpr std::uint32_t kChange = kNeedWrite | kNeedLock | kNeedKey;

// A reading key operation: the tree routine inside the entry guard.
template <typename Routine, typename... Args>
void ReadKey(FileblockHandle handle, int key, Routine routine, Args&&... args) {
  EngineCall call(handle, kRead, key);
  if (call.ok()) routine(call.fb(), key, std::forward<Args>(args)...);
}

// A key entry names a record slot, 1..slots: an entry naming anything else is damage (10120) and
// is never delivered as a record.
bool EntrySound(const Fileblock& fb, RecRef ref) {
  return (ref >= 1 && ref <= fb.keys[0].allocated) || Fail(kIsamKeyHeaderBad);
}

// A reading key operation that delivers an entry, whose reference it checks.
template <typename Routine, typename... Args>
void ReadEntry(FileblockHandle handle, int key, const RecRef& ref, Routine routine,
               Args&&... args) {
  EngineCall call(handle, kRead, key);
  if (call.ok() && routine(call.fb(), key, std::forward<Args>(args)...)) EntrySound(call.fb(), ref);
}

// What a tree change may alter: the key header and the pages of the pool.
struct TreeMark {
  std::uint8_t header[kKeyHeaderSize];
  std::uint64_t page_changes;
};

TreeMark MarkTree(const Fileblock& fb, int key) {
  TreeMark mark;
  EncodeKeyHeader(fb.keys[key], mark.header);
  mark.page_changes = fb.page_changes;
  return mark;
}

bool TreeAltered(const Fileblock& fb, int key, const TreeMark& before) {
  const TreeMark now = MarkTree(fb, key);
  return now.page_changes != before.page_changes ||
         std::memcmp(now.header, before.header, kKeyHeaderSize) != 0;
}

// A change of a key: one journal unit, rolled back with `rollback_error` when it fails. Without
// the journal nothing can undo a change that failed after it had altered a page or the key
// header (a split or merge half done): the index is damaged and must be rebuilt.
template <typename Routine>
void ChangeKey(FileblockHandle handle, int key, int rollback_error, Routine routine,
               const KeyStr& text, RecRef ref) {
  EngineCall call(handle, kChange, key);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  JournalUnit unit(fb, rollback_error);
  if (!unit.Begin()) return;
  const TreeMark before = MarkTree(fb, key);
  const bool ok = routine(fb, key, MakeTreeKey(text, ref));
  if (!ok && fb.jour == nullptr && TreeAltered(fb, key, before)) IndexDamaged(fb);
  unit.End(ok);
}

}  // namespace

std::int32_t FileblockUsedKeys(FileblockHandle handle, int key) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return -1;
  return call.fb().keys[key].entries;
}

void FileblockAddKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text) {
  // An entry is only ever made for a record slot (10130 for 0, 10135 outside 1..slots).
  const auto insert = [](Fileblock& fb, int k, const TreeKey& x) {
    if (x.ref == 0) return Fail(kIsamRefZero);
    if (x.ref < 0 || x.ref > fb.keys[0].allocated) return Fail(kIsamRefRange);
    return TreeInsert(fb, k, x);
  };
  ChangeKey(handle, key, kIsamAddKeyRolledBack, insert, text, ref);
}

void FileblockDeleteKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text) {
  ChangeKey(handle, key, kIsamDeleteKeyRolledBack, TreeDelete, text, ref);
}

void FileblockFindKey(FileblockHandle handle, int key, const KeyStr& text, RecRef& ref) {
  ReadEntry(handle, key, ref, TreeFind, text, ref);
}

void FileblockSearchKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  ReadEntry(handle, key, ref, TreeSearch, text, ref);
}

void FileblockFindKeyAndRef(FileblockHandle handle, int key, KeyStr& text, RecRef& ref,
                            int direction) {
  ReadEntry(handle, key, ref, TreeFindKeyAndRef, text, ref, direction);
}

void FileblockSearchOrLast(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  ReadEntry(handle, key, ref, TreeSearchOrLast, text, ref);
}

bool FileblockKeyExists(FileblockHandle handle, int key, const KeyStr& text, RecRef ref) {
  bool exists = false;
  bool ok = false;
  ReadKey(handle, key,
          [&](Fileblock& fb, int k) { ok = TreeKeyExists(fb, k, text, ref, &exists); });
  return ok && exists;
}

void FileblockNextKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  ReadEntry(handle, key, ref, TreeNext, text, ref);
}

void FileblockPrevKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  ReadEntry(handle, key, ref, TreePrev, text, ref);
}

void FileblockClearKey(FileblockHandle handle, int key) {
  ReadKey(handle, key, [](Fileblock& fb, int k) {
    fb.keys[k].depth = 0;
    fb.keys[k].pos_valid = true;
  });
}

std::int32_t FileblockApproxRelPos(FileblockHandle handle, int key, const KeyStr& text, RecRef ref,
                                   std::int32_t scale) {
  std::int32_t position = -1;
  ReadKey(handle, key, [&](Fileblock& fb, int k) {
    if (!TreeApproxRelPos(fb, k, MakeTreeKey(text, ref), scale, &position)) position = -1;
  });
  return position;
}

void FileblockApproxKeyAndRef(FileblockHandle handle, int key, std::int32_t position,
                              std::int32_t scale, KeyStr& text, RecRef& ref) {
  ReadKey(handle, key, [&](Fileblock& fb, int k) {
    // An empty text with reference 0 stands before the first entry.
    if (TreeApproxKeyAndRef(fb, k, position, scale, text, ref) && (ref != 0 || text.size() != 0)) {
      EntrySound(fb, ref);
    }
  });
}

}  // namespace storage
