// Pages of a key: taken from the key's free chain or appended (the index file grows by whole
// zero-filled frames), and given back to the chain.

#include <limits>
#include <vector>

#include "common/le_int.h"
#include "storage/isam/btree.h"
#include "storage/isam/engine_state.h"

namespace storage {

std::int32_t AllocatePage(Fileblock& fb, int key) {
  KeyDesc& d = fb.keys[key];
  std::int32_t page = 0;
  if (d.first_free != -1) {
    if (d.first_free < 1 || d.first_free > d.allocated || d.free_count <= 0 ||
        Engine().pool.Pinned(fb, key, d.first_free)) {
      Fail(kIsamFreeChainBad);
      return 0;
    }
    std::uint8_t link_bytes[4];
    if (!fb.index.Read(fb.PageOffset(key, d.first_free), link_bytes, 4)) return 0;
    const std::int32_t link = common::ReadLeInt32(link_bytes);
    if (link == d.first_free || !(link == -1 || (link >= 1 && link <= d.allocated))) {
      Fail(kIsamFreeChainBad);
      return 0;
    }
    if (!JournalBeforeFreeTake(fb, key, link)) return 0;
    page = d.first_free;
    d.first_free = link;
    --d.free_count;
    d.taken_from_free = true;
  } else {
    if (d.free_count != 0) {
      Fail(kIsamFreeChainBad);
      return 0;
    }
    if (d.allocated == std::numeric_limits<std::int32_t>::max()) {
      Fail(kIsamShortWrite);
      return 0;
    }
    page = d.allocated + 1;
    if (page > fb.frames) {
      const std::vector<std::uint8_t> frame(static_cast<std::size_t>(fb.frame_size), 0);
      if (!fb.index.Write(static_cast<std::int64_t>(page) * fb.frame_size, frame.data(),
                          static_cast<std::uint32_t>(frame.size()))) {
        return 0;
      }
      fb.frames = page;
    }
    d.allocated = page;
    d.taken_from_free = false;
  }
  d.header_modified = true;
  return page;
}

bool FreePage(Fileblock& fb, int key, std::int32_t page) {
  KeyDesc& d = fb.keys[key];
  Engine().pool.Discard(fb, key, page);
  if (!JournalBeforePageWrite(fb, key, page)) return false;
  NoteHeaderChanged(fb, key);
  std::uint8_t link[4];
  common::WriteLeInt32(link, d.first_free);
  if (!fb.index.Write(fb.PageOffset(key, page), link, 4)) return false;
  d.first_free = page;
  ++d.free_count;
  d.header_modified = true;
  return true;
}

}  // namespace storage
