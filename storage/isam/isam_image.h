// A raw, read-only view of a fileblock's data and index files, for the checker and the dump.
//
// It reads the bytes directly (layouts in fileblock.h and btree_page.h), independent of the
// engine's own page code, and also while an engine holds the files open (after a flush). Every
// read is bounds-checked: nothing read from the files is trusted.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/isam/key_header.h"

namespace storage {

struct ImageDataHeader {
  std::int32_t first_free = 0;
  std::int32_t free_count = 0;
  std::int32_t slots = 0;
  std::int32_t record_length = 0;
  std::int32_t key_count = 0;
  std::uint8_t marker = 0;
};

struct ImageKeyHeader : StoredKeyHeader {
  int key_length = 0;  // derived (key_header.h); 0 when the header gives none
  std::int64_t slice_offset = 0;
};

struct ImageItem {
  std::int32_t ref = 0;
  std::int32_t child = 0;
  int stored_length = 0;  // the length byte as stored (may exceed the key length when damaged)
  std::string text;       // at most the key length
};

struct ImagePage {
  int count = 0;  // as stored (may exceed 62 when damaged; items holds at most 62)
  std::int32_t left = 0;
  std::vector<ImageItem> items;
};

class IsamImage {
 public:
  // Opens both files of the fileblock `name` (the engine's naming rules). False with a message
  // when a file or a header cannot be read at all.
  bool Open(std::string_view name, std::string* error);

  const ImageDataHeader& data() const { return data_; }
  // Key headers, index 1..key_count (index 0 unused). Empty when the index is unusable.
  const std::vector<ImageKeyHeader>& keys() const { return keys_; }
  std::int64_t data_size() const { return data_size_; }
  std::int64_t index_size() const { return index_size_; }
  std::int64_t frame_size() const { return frame_size_; }
  // Set when the key headers could not be laid out (a page size that is not a whole page).
  const std::string& index_problem() const { return index_problem_; }

  bool ReadRecord(std::int32_t ref, std::vector<std::uint8_t>* record);
  bool ReadRecordLink(std::int32_t ref, std::int32_t* link);
  bool ReadPage(int key, std::int32_t page, ImagePage* page_out);
  bool ReadPageLink(int key, std::int32_t page, std::int32_t* link);

 private:
  bool ReadAt(std::ifstream& file, std::int64_t size, std::int64_t offset, void* buffer,
              std::size_t count);

  std::ifstream data_file_;
  std::ifstream index_file_;
  std::int64_t data_size_ = 0;
  std::int64_t index_size_ = 0;
  std::int64_t frame_size_ = 0;
  ImageDataHeader data_;
  std::vector<ImageKeyHeader> keys_;
  std::string index_problem_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace storage
