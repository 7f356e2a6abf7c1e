#include "storage/isam/journal.h"

#include <cstring>

#include "common/le_int.h"
#include "storage/isam/dialog_file.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/fileblock.h"

namespace storage {
namespace {

using common::ReadLeInt32;
using common::ReadLeUInt16;
using common::WriteLeInt32;
using common::WriteLeUInt16;

// A journal larger than this cannot come from one operation: the file is damaged.
constexpr std::int64_t kMaxJournalBytes = std::int64_t{64} << 20;

struct JournalRecord {
  bool header = false;
  int key = 0;
  std::int32_t page = 0;            // page image
  std::int32_t link = 0;            // header image
  std::vector<std::uint8_t> bytes;  // header: the 28-byte image; page: head, left, items as stored
};

std::uint64_t PageId(int key, std::int32_t page) {
  return (static_cast<std::uint64_t>(key) << 32) | static_cast<std::uint32_t>(page);
}

bool Active(const Fileblock& fb) { return fb.jour != nullptr && fb.jour->active; }

void EncodeHeaderImage(const Fileblock& fb, int key, std::uint8_t out[kHeaderImageSize]) {
  std::memset(out, 0, kHeaderImageSize);
  if (key == 0) {
    EncodeDataHeader(fb, false, out);
  } else {
    EncodeKeyHeader(fb.keys[key], out);
  }
}

bool Append(Fileblock& fb, const std::uint8_t* bytes, std::size_t count) {
  JournalState& j = *fb.jour;
  if (!fb.dialog.Write(j.end, bytes, static_cast<std::uint32_t>(count))) return false;
  j.end += static_cast<std::int64_t>(count);
  j.unflushed = true;
  return true;
}

// Ends a record with its check word.
void Seal(std::uint8_t* record, std::size_t size) {
  const std::size_t body = size - kJournalCheckSize;
  common::WriteLe<std::uint32_t>(record + body, JournalCheck(record, body));
}

bool AppendHeaderRecord(Fileblock& fb, int key, const std::uint8_t* image, std::int32_t link) {
  std::uint8_t record[kHeaderRecordSize];
  WriteLeUInt16(record, kJournalHeaderWord);
  WriteLeUInt16(record + 2, static_cast<std::uint16_t>(key));
  std::memcpy(record + 4, image, kHeaderImageSize);
  WriteLeInt32(record + 4 + kHeaderImageSize, link);
  Seal(record, sizeof record);
  return Append(fb, record, sizeof record);
}

// The header as it was when the unit began goes into the journal once.
bool SaveStartHeader(Fileblock& fb, int key) {
  JournalState& j = *fb.jour;
  if (j.saved_headers[key] != 0) return true;
  if (!AppendHeaderRecord(fb, key,
                          &j.start_images[static_cast<std::size_t>(key) * kHeaderImageSize],
                          kNoLinkToRestore)) {
    return false;
  }
  j.saved_headers[key] = 1;
  return true;
}

// The page as it is on disk, which is its state when the unit began until the unit first
// overwrites it, goes into the journal once.
bool SavePage(Fileblock& fb, int key, std::int32_t page) {
  JournalState& j = *fb.jour;
  if (!j.saved_pages.insert(PageId(key, page)).second) return true;
  // A page beyond the key's pages when the unit began holds nothing the unit must give back.
  if (page < 1 || page > j.start_allocated[key]) return true;
  const KeyDesc& d = fb.keys[key];
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(d.size));
  if (!fb.index.Read(fb.PageOffset(key, page), bytes.data(), static_cast<std::uint32_t>(d.size))) {
    return false;
  }
  const int count = ReadLeUInt16(bytes.data());
  // A page on the free chain has no item count: the header images restore its link.
  if (count < 1 || count > kItemsPerPage) return true;
  const std::size_t items = static_cast<std::size_t>(count) * (d.key_length + 9);
  std::vector<std::uint8_t> record(kPageRecordHead + items + kPageRecordTail, 0);
  WriteLeUInt16(record.data(), static_cast<std::uint16_t>(count));
  WriteLeUInt16(record.data() + 2, static_cast<std::uint16_t>(key));
  std::memcpy(record.data() + kPageRecordHead, bytes.data() + kPageHeadSize, items);
  WriteLeInt32(record.data() + kPageRecordHead + items, page);
  std::memcpy(record.data() + kPageRecordHead + items + 4, bytes.data() + 2, 4);
  Seal(record.data(), record.size());
  return Append(fb, record.data(), record.size());
}

// Write-ahead: the images reach the disk before the places they restore are overwritten.
bool FlushAhead(Fileblock& fb) {
  JournalState& j = *fb.jour;
  if (!j.unflushed) return true;
  if (!fb.dialog.Flush()) return false;
  j.unflushed = false;
  return true;
}

enum class Parsed { kWhole, kDamaged, kError };

// Whether the record at `pos` ends in the check word of its `size` bytes.
bool Sealed(const std::vector<std::uint8_t>& bytes, std::size_t pos, std::size_t size) {
  const std::size_t body = size - kJournalCheckSize;
  return common::ReadLe<std::uint32_t>(&bytes[pos + body]) == JournalCheck(&bytes[pos], body);
}

// Reads the journal and checks every record before anything is written back: its length, its
// check word, and that it names a header or page of this fileblock. A journal is replayed whole
// or not at all: anything else, a record cut short by the end of the file included, is damage
// (kDamaged); kError when the file cannot be read.
Parsed ParseJournal(Fileblock& fb, std::vector<JournalRecord>* records) {
  std::int64_t size = 0;
  if (!fb.dialog.Size(&size)) return Parsed::kError;
  if (size > kMaxJournalBytes) return Parsed::kDamaged;
  std::int64_t index_size = 0;
  if (fb.index.IsOpen() && !fb.index.Size(&index_size)) return Parsed::kError;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && !fb.dialog.Read(0, bytes.data(), static_cast<std::uint32_t>(size))) {
    return Parsed::kError;
  }
  const auto n = static_cast<std::size_t>(size);
  std::size_t pos = 1;
  while (pos < n) {
    if (pos + 4 > n) return Parsed::kDamaged;
    const int word = ReadLeUInt16(&bytes[pos]);
    // The word 2000 ends the journal where nothing was journalled; behind records there is only
    // the end of the file, for every unit cuts the file back when it begins.
    if (EndsJournal(word)) {
      if (!records->empty()) return Parsed::kDamaged;
      break;
    }
    const int key = ReadLeUInt16(&bytes[pos + 2]);
    JournalRecord r;
    r.key = key;
    if (word == kJournalHeaderWord) {
      if (key > fb.key_count || pos + kHeaderRecordSize > n ||
          !Sealed(bytes, pos, kHeaderRecordSize)) {
        return Parsed::kDamaged;
      }
      r.header = true;
      r.bytes.assign(&bytes[pos + 4], &bytes[pos + 4] + kHeaderImageSize);
      r.link = ReadLeInt32(&bytes[pos + 4 + kHeaderImageSize]);
      // The image must be a header of this fileblock: record length and key count, or page size.
      const std::int32_t size_field = ReadLeInt32(&r.bytes[12]);
      const bool fits =
          key == 0 ? size_field == fb.keys[0].size && ReadLeInt32(&r.bytes[16]) == fb.key_count
                   : size_field == fb.keys[key].size;
      if (!fits) return Parsed::kDamaged;
      pos += kHeaderRecordSize;
    } else {
      if (word < 1 || word > kItemsPerPage || key < 1 || key > fb.key_count) {
        return Parsed::kDamaged;
      }
      const std::size_t items = static_cast<std::size_t>(word) * (fb.keys[key].key_length + 9);
      const std::size_t length = kPageRecordHead + items + kPageRecordTail;
      if (pos + length > n || !Sealed(bytes, pos, length)) return Parsed::kDamaged;
      r.page = ReadLeInt32(&bytes[pos + kPageRecordHead + items]);
      // Only pages that existed when the unit began are journalled: inside the index file.
      if (r.page < 1 || fb.PageOffset(key, r.page) + fb.keys[key].size > index_size) {
        return Parsed::kDamaged;
      }
      r.bytes.resize(kPageHeadSize + items);
      WriteLeUInt16(r.bytes.data(), static_cast<std::uint16_t>(word));
      std::memcpy(r.bytes.data() + 2, &bytes[pos + kPageRecordHead + items + 4], 4);
      std::memcpy(r.bytes.data() + kPageHeadSize, &bytes[pos + kPageRecordHead], items);
      pos += length;
    }
    records->push_back(std::move(r));
  }
  return Parsed::kWhole;
}

// A journal that is not what its writer wrote is not replayed: the data file is marked as not
// closed properly, so that the next open rebuilds the index from the records (10010), and this
// fileblock uses nothing of its index until then. The journal stays for the rebuild to clear.
bool RefuseJournal(Fileblock& fb) {
  const std::uint8_t marker = 1;
  if (!fb.data.Write(20, &marker, 1)) return false;
  fb.index_state = IndexState::kDamaged;
  return Fail(kIsamIndexUnusable);
}

// Writes the link of a header image back into the chain head the image names. A head beyond
// the end of its file was never on a chain there.
bool RestoreLink(Fileblock& fb, const JournalRecord& r, std::int64_t data_size,
                 std::int64_t index_size) {
  if (r.link == kNoLinkToRestore) return true;
  const std::int32_t head = ReadLeInt32(&r.bytes[0]);
  const std::int32_t limit = ReadLeInt32(&r.bytes[8]);
  if (head < 1 || head > limit) return true;
  std::uint8_t link[4];
  WriteLeInt32(link, r.link);
  if (r.key == 0) {
    const std::int64_t offset = fb.RecordOffset(head);
    return offset + 4 > data_size || fb.data.Write(offset, link, 4);
  }
  const std::int64_t offset = fb.PageOffset(r.key, head);
  return offset + 4 > index_size || fb.index.Write(offset, link, 4);
}

// Writes the images back from the last to the first, so the oldest image of each place wins.
bool ApplyJournal(Fileblock& fb, const std::vector<JournalRecord>& records) {
  std::int64_t data_size = 0;
  std::int64_t index_size = 0;
  if (!fb.data.Size(&data_size)) return false;
  if (fb.index.IsOpen() && !fb.index.Size(&index_size)) return false;
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    const JournalRecord& r = *it;
    bool ok = true;
    if (!r.header) {
      ok = fb.index.Write(fb.PageOffset(r.key, r.page), r.bytes.data(),
                          static_cast<std::uint32_t>(r.bytes.size()));
    } else if (r.key == 0) {
      ok = fb.data.Write(0, r.bytes.data(), kDataHeaderSize) &&
           RestoreLink(fb, r, data_size, index_size);
    } else {
      ok = fb.index.Write(fb.keys[r.key].slice_offset, r.bytes.data(), kKeyHeaderSize) &&
           RestoreLink(fb, r, data_size, index_size);
    }
    if (!ok) return false;
  }
  return true;
}

bool AnyHeaderModified(const Fileblock& fb) {
  for (const KeyDesc& d : fb.keys) {
    if (d.header_modified) return true;
  }
  return false;
}

// Writes everything the unit changed, images first, and empties the journal.
bool Commit(Fileblock& fb) {
  PagePool& pool = Engine().pool;
  for (const auto& [key, page] : pool.DirtyPages(fb)) {
    if (!SavePage(fb, key, page)) return false;
  }
  for (int k = 0; k <= fb.key_count; ++k) {
    if ((fb.keys[k].header_modified || (k == 0 && fb.modified)) && !SaveStartHeader(fb, k)) {
      return false;
    }
  }
  if (!FlushAhead(fb)) return false;
  if (!pool.WriteFileblock(fb, false) || !WriteModifiedKeyHeaders(fb)) return false;
  if ((fb.keys[0].header_modified || fb.modified) && !WriteDataHeader(fb, false)) return false;
  if (!SharedInNetwork(fb)) {
    if (fb.index.IsOpen() && !fb.index.Flush()) return false;
    if (!fb.data.Flush()) return false;
  }
  fb.modified = false;
  return EmptyJournal(fb);
}

}  // namespace

bool JournalBeforePageWrite(Fileblock& fb, int key, std::int32_t page) {
  if (!Active(fb)) return true;
  return SavePage(fb, key, page) && FlushAhead(fb);
}

bool JournalBeforeHeaderWrite(Fileblock& fb, int key) {
  if (!Active(fb)) return true;
  return SaveStartHeader(fb, key) && FlushAhead(fb);
}

bool JournalBeforeFreeTake(Fileblock& fb, int key, std::int32_t link) {
  if (!Active(fb)) return true;
  std::uint8_t image[kHeaderImageSize];
  EncodeHeaderImage(fb, key, image);
  return SaveStartHeader(fb, key) && AppendHeaderRecord(fb, key, image, link) && FlushAhead(fb);
}

bool JournalBeforeRecordFree(Fileblock& fb, RecRef ref) {
  if (!Active(fb)) return true;
  std::uint8_t head[4];
  if (!fb.data.Read(fb.RecordOffset(ref), head, 4)) return false;
  // An image that names the record as chain head gives its first 4 bytes back on replay.
  std::uint8_t image[kHeaderImageSize];
  EncodeHeaderImage(fb, 0, image);
  WriteLeInt32(image, ref);
  return SaveStartHeader(fb, 0) && AppendHeaderRecord(fb, 0, image, ReadLeInt32(head)) &&
         FlushAhead(fb);
}

bool JournalUnit::Begin() {
  if (fb_.jour == nullptr) return true;
  JournalState& j = *fb_.jour;
  if (j.pending && !ReplayJournal(fb_)) return false;
  std::int64_t size = 0;
  if (!fb_.dialog.Size(&size)) return false;
  if (size != 1 && !fb_.dialog.Truncate(1)) return false;
  const auto headers = static_cast<std::size_t>(fb_.key_count) + 1;
  j.end = 1;
  j.unflushed = false;
  j.saved_pages.clear();
  j.saved_headers.assign(headers, 0);
  j.start_allocated.resize(headers);
  j.start_images.resize(headers * kHeaderImageSize);
  for (std::size_t k = 0; k < headers; ++k) {
    j.start_allocated[k] = fb_.keys[k].allocated;
    EncodeHeaderImage(fb_, static_cast<int>(k), &j.start_images[k * kHeaderImageSize]);
  }
  j.active = true;
  return true;
}

bool JournalUnit::End(bool ok) {
  if (fb_.jour == nullptr || !fb_.jour->active) return ok;
  JournalState& j = *fb_.jour;
  PagePool& pool = Engine().pool;
  if (ok && Commit(fb_)) {
    j.active = false;
    return true;
  }
  j.active = false;
  const bool touched = j.end > 1 || pool.CountPages(fb_, true) > 0 || AnyHeaderModified(fb_);
  fb_.modified = false;
  if (!touched) return false;  // failed before it changed anything: its error stands
  const IsamState failure = Isam();
  ClearFailure();
  const bool replayed = ReplayJournal(fb_);
  if (!replayed) {
    // The journal stays on disk; the next unit, lock or open replays it. Meanwhile nothing of
    // the failed change may be used.
    j.pending = true;
    pool.DropFileblock(fb_);
    for (int k = 0; k <= fb_.key_count; ++k) ReReadHeader(fb_, k);
  }
  Isam() = failure;
  if (replayed && rollback_error_ != 0) RecastFailure(rollback_error_);
  return false;
}

bool ReplayJournal(Fileblock& fb) {
  if (fb.read_only) return Fail(kIsamJournalReadOnly);
  std::vector<JournalRecord> records;
  const Parsed parsed = ParseJournal(fb, &records);
  if (parsed == Parsed::kDamaged) return RefuseJournal(fb);
  if (parsed == Parsed::kError || !ApplyJournal(fb, records) || !ReReadAllHeaders(fb)) {
    return false;
  }
  if (!SharedInNetwork(fb)) {
    bool ok = WriteDataHeader(fb, false);
    ok = ok && (!fb.index.IsOpen() || fb.index.Flush());
    ok = ok && fb.data.Flush();
    if (!ok) {
      RecastFailure(kIsamJournalUnreadable);
      return false;
    }
  }
  fb.modified = false;
  if (!EmptyJournal(fb)) return false;
  if (fb.jour != nullptr) fb.jour->pending = false;
  return true;
}

bool EmptyJournal(Fileblock& fb) {
  if (!fb.dialog.Truncate(1)) return false;
  if (!SharedInNetwork(fb) && !fb.dialog.Flush()) return false;
  if (fb.jour != nullptr) {
    fb.jour->end = 1;
    fb.jour->unflushed = false;
  }
  return true;
}

}  // namespace storage
