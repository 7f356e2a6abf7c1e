#include "storage/isam/isam_image.h"

#include <algorithm>

#include "common/le_int.h"
#include "platform/file.h"
#include "storage/isam/btree_page.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

using common::ReadLeInt32;
using common::ReadLeUInt16;

std::int64_t OpenSized(std::ifstream& file, const std::string& name) {
  file.open(platform::HostPath(name), std::ios::binary);
  if (!file) return -1;
  file.seekg(0, std::ios::end);
  const std::int64_t size = file.tellg();
  file.seekg(0);
  return size;
}

}  // namespace

bool IsamImage::ReadAt(std::ifstream& file, std::int64_t size, std::int64_t offset, void* buffer,
                       std::size_t count) {
  if (offset < 0 || offset > size || static_cast<std::int64_t>(count) > size - offset) {
    return false;
  }
  file.clear();
  file.seekg(offset);
  file.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
  return static_cast<std::size_t>(file.gcount()) == count;
}

bool IsamImage::Open(std::string_view name, std::string* error) {
  const FileblockNames names = MakeFileblockNames(name);
  data_size_ = OpenSized(data_file_, names.data);
  if (data_size_ < 0) {
    *error = "cannot open " + names.data;
    return false;
  }
  std::uint8_t h[kDataHeaderSize];
  if (!ReadAt(data_file_, data_size_, 0, h, sizeof h)) {
    *error = names.data + " is shorter than its 21-byte header";
    return false;
  }
  data_.first_free = ReadLeInt32(h + 0);
  data_.free_count = ReadLeInt32(h + 4);
  data_.slots = ReadLeInt32(h + 8);
  data_.record_length = ReadLeInt32(h + 12);
  data_.key_count = ReadLeInt32(h + 16);
  data_.marker = h[20];
  if (data_.key_count <= 0 || data_.key_count > kMaxKeys) return true;

  index_size_ = OpenSized(index_file_, names.index);
  if (index_size_ < 0) {
    index_problem_ = "cannot open " + names.index;
    return true;
  }
  keys_.resize(static_cast<std::size_t>(data_.key_count) + 1);
  std::int64_t offset = 0;
  for (int k = 1; k <= data_.key_count; ++k) {
    std::uint8_t kh[kKeyHeaderSize];
    if (!ReadAt(index_file_, index_size_, offset, kh, sizeof kh)) {
      index_problem_ = "key " + std::to_string(k) + ": header beyond the end of the index file";
      keys_.clear();
      return true;
    }
    ImageKeyHeader& key = keys_[k];
    static_cast<StoredKeyHeader&>(key) = DecodeKeyHeader(kh);
    key.slice_offset = offset;
    const int ipp = key.items_per_page == 0 ? kItemsPerPage : key.items_per_page;
    if (key.page_size <= kPageHeadSize || (key.page_size - kPageHeadSize) % ipp != 0) {
      index_problem_ = "key " + std::to_string(k) + ": page size " + std::to_string(key.page_size) +
                       " is not a whole page";
      keys_.clear();
      return true;
    }
    key.key_length = JudgeKeyHeader(key).key_length;
    offset += key.page_size;
  }
  frame_size_ = offset;
  buffer_.resize(static_cast<std::size_t>(kWidestPageSize));
  return true;
}

bool IsamImage::ReadRecord(std::int32_t ref, std::vector<std::uint8_t>* record) {
  record->resize(static_cast<std::size_t>(data_.record_length));
  return ref >= 1 &&
         ReadAt(data_file_, data_size_, static_cast<std::int64_t>(ref) * data_.record_length,
                record->data(), record->size());
}

bool IsamImage::ReadRecordLink(std::int32_t ref, std::int32_t* link) {
  std::uint8_t b[4];
  if (ref < 1 ||
      !ReadAt(data_file_, data_size_, static_cast<std::int64_t>(ref) * data_.record_length, b, 4)) {
    return false;
  }
  *link = ReadLeInt32(b);
  return true;
}

bool IsamImage::ReadPage(int key, std::int32_t page, ImagePage* out) {
  const ImageKeyHeader& k = keys_[key];
  if (k.key_length == 0 || page < 1) return false;
  const std::int64_t offset = static_cast<std::int64_t>(page) * frame_size_ + k.slice_offset;
  if (!ReadAt(index_file_, index_size_, offset, buffer_.data(),
              static_cast<std::size_t>(k.page_size))) {
    return false;
  }
  out->count = ReadLeUInt16(buffer_.data());
  out->left = ReadLeInt32(buffer_.data() + 2);
  const int n = std::min(out->count, kItemsPerPage);
  out->items.assign(static_cast<std::size_t>(n), ImageItem{});
  const int width = k.key_length + 9;
  for (int i = 0; i < n; ++i) {
    const std::uint8_t* p = buffer_.data() + kPageHeadSize + i * width;
    ImageItem& item = out->items[static_cast<std::size_t>(i)];
    item.ref = ReadLeInt32(p);
    item.child = ReadLeInt32(p + 4);
    item.stored_length = p[8];
    item.text.assign(reinterpret_cast<const char*>(p + 9),
                     static_cast<std::size_t>(std::min(item.stored_length, k.key_length)));
  }
  return true;
}

bool IsamImage::ReadPageLink(int key, std::int32_t page, std::int32_t* link) {
  const ImageKeyHeader& k = keys_[key];
  std::uint8_t b[4];
  if (page < 1 || !ReadAt(index_file_, index_size_,
                          static_cast<std::int64_t>(page) * frame_size_ + k.slice_offset, b, 4)) {
    return false;
  }
  *link = ReadLeInt32(b);
  return true;
}

}  // namespace storage
