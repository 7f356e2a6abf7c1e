// B-tree index pages: the on-disk layout and the one in-memory form shared by all keys.
//
// Page on disk (page size (L + 9) x 62 + 6 bytes, L = key length), little-endian:
//
//   OFFSET               SIZE   MEANING
//   0                    2      number of items m (1..62; 0 only in an empty root)
//   2                    4      page number of the leftmost child, 0 in a leaf
//   6 + (i-1) x (L + 9)  4      item i: record reference
//     + 4                4      item i: page number of the child to its right, 0 in a leaf
//     + 8                L + 1  item i: key text, length byte and L characters
//
// A free page holds the link of its key's free-page chain in its first 4 bytes. Only the used
// part of a page (6 + m x (L + 9) bytes) is written.
//
// In memory every item is widened to the widest form (key of capacity 50) so that all keys share
// one buffer format; pages are narrowed when written and widened when read, and checked on the
// way in: a page that could mislead a search is refused as damaged.
#pragma once

#include <cstdint>
#include <cstring>

#include "storage/isam/engine.h"

namespace storage {

inline constexpr int kItemsPerPage = 62;
inline constexpr int kMinFill = kItemsPerPage / 2;  // 31 items outside the root
inline constexpr int kMaxDepth = 8;                 // levels of a key's position path
inline constexpr int kPageHeadSize = 6;

// Page size of a key of length L.
constexpr std::int32_t PageSizeFor(int key_length) {
  return (key_length + 9) * kItemsPerPage + kPageHeadSize;
}
inline constexpr std::int32_t kWidestPageSize = PageSizeFor(kMaxKeyLength);  // 62 x 59 + 6

struct PageItem {
  RecRef ref;
  std::int32_t child;  // page right of this item, 0 in a leaf
  std::uint8_t len;
  std::uint8_t text[kMaxKeyLength];
};

struct Page {
  std::int32_t count;             // items in use
  std::int32_t left;              // leftmost child, 0 in a leaf
  PageItem items[kItemsPerPage];  // items[0] is item 1

  bool IsLeaf() const { return left == 0; }
  // Child left of item i+1: i = 0 the leftmost, else the child right of item i (1-based).
  std::int32_t Child(int i) const { return i == 0 ? left : items[i - 1].child; }
};

// Byte order of key texts: over the shorter length, then the shorter text first.
inline int CompareText(const std::uint8_t* a, int a_len, const std::uint8_t* b, int b_len) {
  const int n = a_len < b_len ? a_len : b_len;
  if (n > 0) {
    if (const int c = std::memcmp(a, b, static_cast<std::size_t>(n))) return c;
  }
  return a_len == b_len ? 0 : (a_len < b_len ? -1 : 1);
}

// Widens a page read from disk (`size` bytes, the key's page size). False when the bytes cannot
// be a page of this key: item count above 62, a length byte above L, a child beyond `allocated`
// or equal to the page itself, a leaf with children or an inner page without.
bool UnpackPage(const std::uint8_t* bytes, int key_length, std::int32_t allocated,
                std::int32_t page_number, Page* page);
// Narrows a page; returns the number of bytes to write (6 + m x (L + 9)).
std::int32_t PackPage(const Page& page, int key_length, std::uint8_t* bytes);

}  // namespace storage
