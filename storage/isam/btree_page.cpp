#include "storage/isam/btree_page.h"

#include "common/le_int.h"

namespace storage {

bool UnpackPage(const std::uint8_t* bytes, int key_length, std::int32_t allocated,
                std::int32_t page_number, Page* page) {
  const int count = common::ReadLeUInt16(bytes);
  const std::int32_t left = common::ReadLeInt32(bytes + 2);
  if (count > kItemsPerPage || left < 0 || left > allocated || left == page_number) return false;
  page->count = count;
  page->left = left;
  const int width = key_length + 9;
  const std::uint8_t* p = bytes + kPageHeadSize;
  for (int i = 0; i < count; ++i, p += width) {
    PageItem& item = page->items[i];
    item.ref = common::ReadLeInt32(p);
    item.child = common::ReadLeInt32(p + 4);
    item.len = p[8];
    if (item.len > key_length) return false;
    if ((left == 0) != (item.child == 0)) return false;
    if (item.child < 0 || item.child > allocated || item.child == page_number) return false;
    std::memcpy(item.text, p + 9, item.len);
  }
  return true;
}

std::int32_t PackPage(const Page& page, int key_length, std::uint8_t* bytes) {
  common::WriteLeUInt16(bytes, static_cast<std::uint16_t>(page.count));
  common::WriteLeInt32(bytes + 2, page.left);
  const int width = key_length + 9;
  std::uint8_t* p = bytes + kPageHeadSize;
  for (int i = 0; i < page.count; ++i, p += width) {
    const PageItem& item = page.items[i];
    common::WriteLeInt32(p, item.ref);
    common::WriteLeInt32(p + 4, item.child);
    p[8] = item.len;
    std::memcpy(p + 9, item.text, item.len);
    // Bytes beyond the text length are written as zero so equal pages give equal bytes.
    std::memset(p + 9 + item.len, 0, static_cast<std::size_t>(key_length - item.len));
  }
  return kPageHeadSize + page.count * width;
}

}  // namespace storage
