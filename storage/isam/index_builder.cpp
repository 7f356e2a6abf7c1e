#include "storage/isam/index_builder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <numeric>

#include "storage/isam/btree_page.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

// One level of a tree under construction: its items (entry numbers in key order) and the child
// left of each item and right of the last (all 0 at the leaves).
struct Level {
  std::vector<std::uint32_t> items;
  std::vector<std::int32_t> children;
};

}  // namespace

std::size_t& IndexPassMemory() {
  static std::size_t bytes = std::size_t{128} << 20;
  return bytes;
}

IndexBuilder::IndexBuilder(Fileblock& fb, const std::vector<int>& keys) : fb_(fb) {
  for (int key : keys) {
    Entries e;
    e.key = key;
    e.length = fb.keys[key].key_length;
    keys_.push_back(std::move(e));
  }
}

std::size_t IndexBuilder::BytesPerRecord(int key_length) {
  // The text with its length byte, the reference and the entry's place in the sorted order.
  return static_cast<std::size_t>(key_length) + 1 + sizeof(RecRef) + sizeof(std::uint32_t);
}

IndexBuilder::Entries* IndexBuilder::Find(int key) {
  for (Entries& e : keys_) {
    if (e.key == key) return &e;
  }
  return nullptr;
}

const IndexBuilder::Entries* IndexBuilder::Find(int key) const {
  for (const Entries& e : keys_) {
    if (e.key == key) return &e;
  }
  return nullptr;
}

bool IndexBuilder::Add(int key, const KeyStr& text, RecRef ref) {
  Entries* e = Find(key);
  if (e == nullptr || static_cast<int>(text.size()) > e->length) return Fail(kIsamKeyTooLong);
  try {
    const std::size_t at = e->texts.size();
    e->texts.resize(at + static_cast<std::size_t>(e->length) + 1, 0);
    e->texts[at] = static_cast<std::uint8_t>(text.size());
    std::memcpy(&e->texts[at + 1], text.view().data(), text.size());
    e->refs.push_back(ref);
  } catch (const std::bad_alloc&) {
    return Fail(kIsamRebuildNoMemory);
  }
  return true;
}

bool IndexBuilder::Write() {
  for (Entries& e : keys_) {
    if (!WriteKey(e)) return false;
    e = Entries{};  // its memory goes before the next key's sort
  }
  // The file grows by whole frames, as when pages are allocated one by one.
  std::int64_t size = 0;
  if (!fb_.index.Size(&size)) return false;
  const std::int64_t needed = (static_cast<std::int64_t>(fb_.frames) + 1) * fb_.frame_size;
  return size >= needed || fb_.index.Truncate(needed);
}

bool IndexBuilder::WriteKey(Entries& e) {
  const std::size_t stride = static_cast<std::size_t>(e.length) + 1;
  const auto text = [&](std::uint32_t i) { return &e.texts[i * stride]; };
  Level level;
  std::vector<std::uint8_t> bytes(kWidestPageSize);
  std::unique_ptr<Page> page(new (std::nothrow) Page);
  try {
    level.items.resize(e.refs.size());
    level.children.assign(e.refs.size() + 1, 0);
  } catch (const std::bad_alloc&) {
    return Fail(kIsamRebuildNoMemory);
  }
  if (page == nullptr) return Fail(kIsamRebuildNoMemory);
  std::iota(level.items.begin(), level.items.end(), 0u);
  // Text first; among equal texts (a key with duplicates) the reference.
  std::sort(level.items.begin(), level.items.end(), [&](std::uint32_t a, std::uint32_t b) {
    const int c = CompareText(text(a) + 1, text(a)[0], text(b) + 1, text(b)[0]);
    return c != 0 ? c < 0 : e.refs[a] < e.refs[b];
  });

  std::int32_t next_page = 1;
  // Lays items [first, first + count) of the level out as page `number`.
  const auto write_page = [&](std::int32_t number, const Level& from, std::size_t first,
                              std::size_t count) {
    page->count = static_cast<std::int32_t>(count);
    page->left = from.children[first];
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t entry = from.items[first + i];
      PageItem& item = page->items[i];
      item.ref = e.refs[entry];
      item.child = from.children[first + i + 1];
      item.len = text(entry)[0];
      std::memcpy(item.text, text(entry) + 1, item.len);
    }
    const std::int32_t size = PackPage(*page, e.length, bytes.data());
    return fb_.index.Write(fb_.PageOffset(e.key, number), bytes.data(),
                           static_cast<std::uint32_t>(size));
  };
  // Each level too wide for one page is cut into pages of 31..62 items, the item between two
  // pages going up a level: with g pages of a level of n items, g = ceil((n + 1) / 63).
  while (level.items.size() > static_cast<std::size_t>(kItemsPerPage)) {
    const std::size_t count = level.items.size();
    const std::size_t pages = (count + kItemsPerPage + 1) / (kItemsPerPage + 1);
    const std::size_t in_pages = count - (pages - 1);
    Level up;
    std::size_t at = 0;
    for (std::size_t p = 0; p < pages; ++p) {
      const std::size_t size = in_pages / pages + (p < in_pages % pages ? 1 : 0);
      const std::int32_t number = next_page++;
      if (!write_page(number, level, at, size)) return false;
      up.children.push_back(number);
      at += size;
      if (p + 1 < pages) up.items.push_back(level.items[at++]);
    }
    level = std::move(up);
  }
  std::int32_t root = 0;
  if (!level.items.empty()) {
    root = next_page++;
    if (!write_page(root, level, 0, level.items.size())) return false;
  }
  KeyDesc& d = fb_.keys[e.key];
  d.first_free = -1;
  d.free_count = 0;
  d.allocated = next_page - 1;
  d.root = root;
  d.entries = static_cast<std::int32_t>(e.refs.size());
  d.header_modified = true;
  d.pos_valid = false;
  d.depth = 0;
  fb_.frames = std::max(fb_.frames, d.allocated);
  return true;
}

}  // namespace storage
