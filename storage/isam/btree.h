// The B-tree of one key: search, positioning, insertion, deletion and page allocation.
// Internal to storage/isam/; the public operations (key_ops.cpp) wrap these in the entry guard.
//
// Every function returns true on success and otherwise leaves IsamError set. A damaged tree
// (page numbers out of range, depth beyond 8, counts that do not fit) gives 10120, never a crash
// or an endless walk.
//
// The current position of a key is its path from the root: levels of (page, index). At the
// deepest level the index names the current item (1-based); at the levels above it names the
// child the path went down through (0 the leftmost, i the child right of item i). Depth 0 with
// the valid flag means before the first entry (or after the last).
#pragma once

#include <cstdint>

#include "storage/isam/fileblock.h"

namespace storage {

// A key text as the tree compares it (cut to 50 characters).
struct TreeKey {
  const std::uint8_t* text;
  int len;
  RecRef ref;
};
inline TreeKey MakeTreeKey(const KeyStr& s, RecRef ref) {
  return {reinterpret_cast<const std::uint8_t*>(s.chars), static_cast<int>(s.size()), ref};
}

// Sets the key's position at (text, ref) or, when absent, at the greatest entry below it.
bool TreeLocate(Fileblock& fb, int key, const TreeKey& x, bool* found, RecRef* found_ref);
// Moves the position and delivers the entry there (re-finding from text/ref when the position
// is not valid and re-finding is allowed).
bool TreeNext(Fileblock& fb, int key, KeyStr& text, RecRef& ref);
bool TreePrev(Fileblock& fb, int key, KeyStr& text, RecRef& ref);
bool TreeFindKeyAndRef(Fileblock& fb, int key, KeyStr& text, RecRef& ref, int direction);
bool TreeSearchOrLast(Fileblock& fb, int key, KeyStr& text, RecRef& ref);
bool TreeSearch(Fileblock& fb, int key, KeyStr& text, RecRef& ref);
bool TreeFind(Fileblock& fb, int key, const KeyStr& text, RecRef& ref);
bool TreeKeyExists(Fileblock& fb, int key, const KeyStr& text, RecRef ref, bool* exists);
bool TreeApproxRelPos(Fileblock& fb, int key, const TreeKey& x, std::int32_t scale,
                      std::int32_t* position);
bool TreeApproxKeyAndRef(Fileblock& fb, int key, std::int32_t position, std::int32_t scale,
                         KeyStr& text, RecRef& ref);

bool TreeInsert(Fileblock& fb, int key, const TreeKey& x);
bool TreeDelete(Fileblock& fb, int key, const TreeKey& x);

// A new page for the key (free chain first, else appended, growing the file by a frame when
// needed); 0 on failure.
std::int32_t AllocatePage(Fileblock& fb, int key);
// Puts a page on the key's free chain and drops its buffer.
bool FreePage(Fileblock& fb, int key, std::int32_t page);

// The binary search inside a page: true when x is item `index` (1-based); otherwise `index` is
// the last item below x (0: x lies before item 1).
bool SearchPage(const KeyDesc& d, const Page& page, const TreeKey& x, int* index);
// Three-way comparison of x with an item, as the key orders its entries.
int CompareItem(const KeyDesc& d, const TreeKey& x, const PageItem& item);
void CopyItemText(const PageItem& item, KeyStr& text);

}  // namespace storage
