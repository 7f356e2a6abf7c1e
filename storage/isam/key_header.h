// The 28-byte key header of the index file (layout in fileblock.h) and the rules a stored key
// header must keep. The engine's open and the checker judge every key header by these rules, so
// a file the checker calls sound always opens, and a header the open refuses is reported.
#pragma once

#include <cstdint>
#include <string>

namespace storage {

struct StoredKeyHeader {
  std::int32_t first_free = 0;
  std::int32_t free_count = 0;
  std::int32_t allocated = 0;
  std::int32_t page_size = 0;
  std::int32_t root = 0;
  std::uint8_t duplicates = 0;
  std::uint8_t reserved = 0;
  std::int32_t entries = 0;
  std::uint16_t items_per_page = 0;  // as stored; 0 reads as 62
};

StoredKeyHeader DecodeKeyHeader(const std::uint8_t* bytes);

struct KeyHeaderVerdict {
  int error = 0;        // 0 sound, else 10120 (counts or layout), 10121 (key length), 10122
  int key_length = 0;   // derived from the page size at 62 items; 0 when there is none
  std::string problem;  // what is wrong, in the checker's words
};

// The rules: 62 items per page (10122; see FileblockOpen in engine.h for why no other number);
// a page size of whole items (10120) giving a key length of 1..50 (10121); counts that fit
// together (10120): allocated pages, free pages and entries not negative, the root and the head
// of the free-page chain among the allocated pages, a chain head exactly when there are free
// pages, and entries only with a root. A root without entries is sound: an empty root page.
KeyHeaderVerdict JudgeKeyHeader(const StoredKeyHeader& header);

}  // namespace storage
