#include "storage/isam/key_header.h"

#include "common/le_int.h"
#include "storage/isam/btree_page.h"
#include "storage/isam/engine.h"

namespace storage {

StoredKeyHeader DecodeKeyHeader(const std::uint8_t* h) {
  StoredKeyHeader k;
  k.first_free = common::ReadLeInt32(h + 0);
  k.free_count = common::ReadLeInt32(h + 4);
  k.allocated = common::ReadLeInt32(h + 8);
  k.page_size = common::ReadLeInt32(h + 12);
  k.root = common::ReadLeInt32(h + 16);
  k.duplicates = h[20];
  k.reserved = h[21];
  k.entries = common::ReadLeInt32(h + 22);
  k.items_per_page = common::ReadLeUInt16(h + 26);
  return k;
}

KeyHeaderVerdict JudgeKeyHeader(const StoredKeyHeader& h) {
  KeyHeaderVerdict v;
  const auto fault = [&v](int error, std::string problem) {
    v.error = error;
    v.problem = std::move(problem);
    return v;
  };
  const int items = h.items_per_page == 0 ? kItemsPerPage : h.items_per_page;
  if (items != kItemsPerPage) {
    return fault(kIsamKeyHeaderItems,
                 std::to_string(items) + " items per page (pages hold 62 items)");
  }
  if (h.page_size <= kPageHeadSize || (h.page_size - kPageHeadSize) % items != 0) {
    return fault(kIsamKeyHeaderBad,
                 "page size " + std::to_string(h.page_size) + " is not a whole page of 62 items");
  }
  const int length = (h.page_size - kPageHeadSize) / items - 9;
  if (length < 1 || length > kMaxKeyLength) {
    return fault(kIsamKeyHeaderLength, "page size " + std::to_string(h.page_size) +
                                           " gives key length " + std::to_string(length) +
                                           " (1..50 allowed)");
  }
  v.key_length = length;
  const bool chain_fits =
      h.first_free == -1 ? h.free_count == 0
                         : h.first_free >= 1 && h.first_free <= h.allocated && h.free_count >= 1;
  if (h.allocated < 0 || h.free_count < 0 || h.free_count > h.allocated || h.entries < 0 ||
      h.root < 0 || h.root > h.allocated || !chain_fits || (h.root == 0 && h.entries != 0)) {
    return fault(kIsamKeyHeaderBad,
                 "header counts inconsistent (allocated " + std::to_string(h.allocated) +
                     ", free " + std::to_string(h.free_count) + " from page " +
                     std::to_string(h.first_free) + ", root " + std::to_string(h.root) +
                     ", entries " + std::to_string(h.entries) + ")");
  }
  return v;
}

}  // namespace storage
