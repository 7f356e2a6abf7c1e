// The key operations of the engine: the entry guard around the B-tree of one key.

#include "storage/btree.h"
#include "storage/engine_state.h"

namespace storage {
namespace {

constexpr std::uint32_t kRead = kNeedKey | kTempReadLock;
constexpr std::uint32_t kChange = kNeedWrite | kNeedLock | kNeedKey;

}  // namespace

std::int32_t FileblockUsedKeys(FileblockHandle handle, int key) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return -1;
  return call.fb().keys[key].entries;
}

void FileblockAddKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text) {
  EngineCall call(handle, kChange, key);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), kIsamAddKeyRolledBack);
  if (!unit.Begin()) return;
  unit.End(TreeInsert(call.fb(), key, MakeTreeKey(text, ref)));
}

void FileblockDeleteKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text) {
  EngineCall call(handle, kChange, key);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), kIsamDeleteKeyRolledBack);
  if (!unit.Begin()) return;
  unit.End(TreeDelete(call.fb(), key, MakeTreeKey(text, ref)));
}

void FileblockFindKey(FileblockHandle handle, int key, const KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeFind(call.fb(), key, text, ref);
}

void FileblockSearchKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeSearch(call.fb(), key, text, ref);
}

void FileblockFindKeyAndRef(FileblockHandle handle, int key, KeyStr& text, RecRef& ref,
                            int direction) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeFindKeyAndRef(call.fb(), key, text, ref, direction);
}

void FileblockSearchOrLast(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeSearchOrLast(call.fb(), key, text, ref);
}

bool FileblockKeyExists(FileblockHandle handle, int key, const KeyStr& text, RecRef ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return false;
  bool exists = false;
  return TreeKeyExists(call.fb(), key, text, ref, &exists) && exists;
}

void FileblockNextKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeNext(call.fb(), key, text, ref);
}

void FileblockPrevKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreePrev(call.fb(), key, text, ref);
}

void FileblockClearKey(FileblockHandle handle, int key) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  KeyDesc& d = call.fb().keys[key];
  d.depth = 0;
  d.pos_valid = true;
}

std::int32_t FileblockApproxRelPos(FileblockHandle handle, int key, const KeyStr& text, RecRef ref,
                                   std::int32_t scale) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return -1;
  std::int32_t position = -1;
  if (!TreeApproxRelPos(call.fb(), key, MakeTreeKey(text, ref), scale, &position)) return -1;
  return position;
}

void FileblockApproxKeyAndRef(FileblockHandle handle, int key, std::int32_t position,
                              std::int32_t scale, KeyStr& text, RecRef& ref) {
  EngineCall call(handle, kRead, key);
  if (!call.ok()) return;
  TreeApproxKeyAndRef(call.fb(), key, position, scale, text, ref);
}

}  // namespace storage
