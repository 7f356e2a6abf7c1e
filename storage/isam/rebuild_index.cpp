// The index rebuild: a new, empty index file, then the keys of every record through the key
// builder, gathered in a walk over the records and laid out as trees (index_builder.h).

#include <algorithm>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/le_int.h"
#include "storage/isam/btree_page.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/index_builder.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/rebuild_io.h"
#include "storage/isam/rebuild_message.h"
#include "storage/isam/var_record.h"

namespace storage {
namespace {

// Room a key builder may read of a variable-length record: the driver's records reach 65,535.
constexpr std::size_t kBuilderRoom = 65536;

// Step 1: the data header must describe the file: its record length, a size of whole records
// matching the slot count, and a free chain of exactly the stated length.
bool CheckDataHeader(EngineFile& data, std::int32_t record_length) {
  std::uint8_t h[kDataHeaderSize];
  std::int64_t size = 0;
  if (!data.Size(&size) || !data.Read(0, h, kDataHeaderSize)) return false;
  const std::int32_t first_free = common::ReadLeInt32(h + 0);
  const std::int32_t free_count = common::ReadLeInt32(h + 4);
  const std::int32_t slots = common::ReadLeInt32(h + 8);
  const std::int32_t stored_length = common::ReadLeInt32(h + 12);
  if (stored_length != record_length || size % record_length != 0 ||
      size / record_length - 1 != slots || slots < 0 || free_count < 0 || free_count > slots) {
    return Fail(kIsamDataHeaderBad);
  }
  std::int32_t link = first_free;
  std::int32_t count = 0;
  while (link != -1) {
    if (link < 1 || link > slots || count >= free_count) return Fail(kIsamDataHeaderBad);
    std::uint8_t next[4];
    if (!data.Read(static_cast<std::int64_t>(link) * record_length, next, 4)) return false;
    link = common::ReadLeInt32(next);
    ++count;
  }
  if (count != free_count) return Fail(kIsamDataHeaderBad);
  return true;
}

// Step 2: an index file of empty keys. It is written directly, so no dummy data file is made and
// the "MSG" file of an earlier rebuild is left alone.
bool CreateEmptyIndex(const std::string& index_file, std::span<const KeySpec> keys) {
  if (keys.size() > static_cast<std::size_t>(kMaxKeys)) return Fail(kIsamTooManyKeys);
  std::vector<std::uint8_t> frame;
  std::int64_t offset = 0;
  for (const KeySpec& k : keys) {
    if (k.length == 0 || k.length > kMaxKeyLength) return Fail(kIsamKeyLengthRange);
    offset += PageSizeFor(k.length);
  }
  frame.assign(static_cast<std::size_t>(offset), 0);
  offset = 0;
  for (const KeySpec& k : keys) {
    KeyDesc d;
    d.key_length = k.length;
    d.duplicates = k.duplicates != 0 ? 1 : 0;
    d.size = PageSizeFor(k.length);
    EncodeKeyHeader(d, frame.data() + offset);
    offset += d.size;
  }
  EngineFile file;
  EngineOpenMode mode;
  mode.create_always = true;
  const bool ok = file.Open(index_file, mode) &&
                  file.Write(0, frame.data(), static_cast<std::uint32_t>(frame.size()));
  return file.Close() && ok;
}

// Steps 1 to 3 on the closed data file. The file is marked as not closed properly before its
// index is replaced and stays marked until the last key is added, so that a failure or a stop
// in between leads to another rebuild, never to an open over an empty or partial index;
// `checked` tells whether the header passed (and the file may have been changed).
bool PrepareFiles(const FileblockNames& names, std::int32_t record_length,
                  std::span<const KeySpec> keys, bool* checked) {
  EngineFile data;
  if (!data.Open(names.data, EngineOpenMode{})) return false;
  *checked = CheckDataHeader(data, record_length);
  bool ok = *checked;
  if (ok) {
    std::uint8_t tail[5];
    common::WriteLeInt32(tail, static_cast<std::int32_t>(keys.size()));
    tail[4] = 1;
    ok = data.Write(16, tail, sizeof tail) && CreateEmptyIndex(names.index, keys);
  }
  return data.Close() && ok;
}

// The keys of every record of an open fileblock whose indexes are empty.
class IndexFill {
 public:
  IndexFill(FileblockHandle handle, bool variable, const RebuildKeyBuilder& builder,
            bool delete_collisions, const RebuildProgress& progress, RebuildMessageFile& messages)
      : fb_(handle),
        variable_(variable),
        builder_(builder),
        delete_collisions_(delete_collisions),
        progress_(progress),
        messages_(messages) {}

  bool Run() {
    Fileblock* fb = ResolveHandle(fb_);
    if (fb == nullptr) return Fail(kIsamBadHandle);
    try {
      unique_texts_.resize(static_cast<std::size_t>(fb->key_count) + 1);
    } catch (const std::bad_alloc&) {
      return Fail(kIsamRebuildNoMemory);
    }
    bool ok = true;
    const std::vector<std::vector<int>> passes = PlanPasses(*fb);
    for (std::size_t p = 0; p < passes.size() && ok; ++p) ok = Pass(*fb, passes[p], p == 0);
    return ok;
  }

 private:
  bool Unique(const Fileblock& fb, int key) const {
    return fb.keys[static_cast<std::size_t>(key)].duplicates == 0;
  }

  // The keys of each walk: as many as the memory of one pass holds, at least one.
  std::vector<std::vector<int>> PlanPasses(const Fileblock& fb) const {
    std::vector<std::vector<int>> passes(1);
    std::size_t used = 0;
    const auto records = static_cast<std::size_t>(std::max(fb.keys[0].allocated, 1));
    for (int k = 1; k <= fb.key_count; ++k) {
      const std::size_t need =
          records * IndexBuilder::BytesPerRecord(fb.keys[static_cast<std::size_t>(k)].key_length);
      if (!passes.back().empty() && used + need > IndexPassMemory()) {
        passes.emplace_back();
        used = 0;
      }
      passes.back().push_back(k);
      used += need;
    }
    return passes;
  }

  // One walk over the records, building the trees of `keys`. The first also settles which
  // records collide in a unique key: they are listed in "MSG" and, with deleting on, deleted.
  bool Pass(Fileblock& fb, const std::vector<int>& keys, bool first) {
    IndexBuilder trees(fb, keys);
    const std::int32_t record_length = fb.RecordLength();
    if (!reader_.Init(&fb.data, record_length, fb.Data().allocated)) return false;
    RecordWalker walker(reader_, record_length, variable_);
    std::vector<std::uint8_t> padded;
    std::size_t dirty = 0;  // bytes of `padded` that may be non-zero
    const bool walked = WalkRecords(walker, first ? progress_ : RebuildProgress{},
                                    first ? &messages_ : nullptr, [&](bool* kept) {
                                      const std::uint8_t* record = walker.record();
                                      if (variable_) {
                                        const std::size_t length =
                                            static_cast<std::size_t>(walker.length());
                                        try {
                                          if (padded.size() < std::max(kBuilderRoom, length)) {
                                            padded.resize(std::max(kBuilderRoom, length), 0);
                                          }
                                        } catch (const std::bad_alloc&) {
                                          return Fail(kIsamRebuildNoMemory);
                                        }
                                        std::memcpy(padded.data(), record, length);
                                        if (dirty > length)
                                          std::memset(padded.data() + length, 0, dirty - length);
                                        dirty = length;
                                        record = padded.data();
                                      }
                                      bool deleted = false;
                                      if (!GatherKeys(fb, walker, record, trees, first, &deleted))
                                        return false;
                                      if (deleted) reader_.Invalidate();
                                      *kept = !deleted;
                                      return true;
                                    });
    return walked && trees.Write();
  }

  // The entries of one record for the keys the pass builds. A text that a unique key holds for
  // an earlier record is not added: listed in "MSG", and with deleting on the record is deleted
  // with a dump and gets no entry in any key.
  bool GatherKeys(const Fileblock& fb, const RecordWalker& walker, const std::uint8_t* record,
                  IndexBuilder& trees, bool first, bool* deleted) {
    const RecRef ref = walker.ref();
    std::vector<std::pair<int, KeyStr>> entries;
    for (int k = 1; k <= fb.key_count; ++k) {
      const bool settle = first && Unique(fb, k);
      if (!settle && !trees.Has(k)) continue;
      if (!first && skipped_.count({ref, k}) != 0) continue;
      std::string text;
      if (!RunCallback([&] { builder_(record, static_cast<std::uint16_t>(k), text); })) {
        return Fail(kIsamRebuildKeyBuilder);
      }
      const KeyStr key_text(std::string_view(text).substr(0, kMaxKeyLength));
      if (settle && unique_texts_[static_cast<std::size_t>(k)].count(key_text.str()) != 0) {
        if (!messages_.KeyNotAdded(key_text.str(), k, ref)) return false;
        if (!delete_collisions_) {
          skipped_.insert({ref, k});
          continue;
        }
        // The dump reaches the file before the record is deleted, so a failing write loses
        // nothing.
        if (!messages_.RecordDeleted(walker.record(), walker.length())) return false;
        if (variable_) {
          VarRecDelete(fb_, ref);
        } else {
          FileblockDeleteRecord(fb_, ref);
        }
        *deleted = true;
        return Isam().IsamOK;
      }
      entries.emplace_back(k, key_text);
    }
    try {
      for (const auto& [k, text] : entries) {
        if (first && Unique(fb, k)) unique_texts_[static_cast<std::size_t>(k)].insert(text.str());
        if (trees.Has(k) && !trees.Add(k, text, ref)) return false;
      }
    } catch (const std::bad_alloc&) {
      return Fail(kIsamRebuildNoMemory);
    }
    return true;
  }

  FileblockHandle fb_;
  bool variable_;
  const RebuildKeyBuilder& builder_;
  bool delete_collisions_;
  const RebuildProgress& progress_;
  RebuildMessageFile& messages_;
  SlotReader reader_;
  // Per unique key, the texts of the records that keep their entries; the entries a collision
  // left out while the record stayed (deleting off).
  std::vector<std::unordered_set<std::string>> unique_texts_;
  std::set<std::pair<RecRef, int>> skipped_;
};

class IndexRebuild {
 public:
  IndexRebuild(std::string_view name, std::int32_t record_length, std::span<const KeySpec> keys,
               bool variable, const RebuildKeyBuilder& builder, bool delete_collisions,
               const RebuildProgress& progress)
      : name_(name),
        names_(MakeFileblockNames(name)),
        record_length_(record_length),
        keys_(keys),
        variable_(variable),
        builder_(builder),
        delete_collisions_(delete_collisions),
        progress_(progress),
        messages_(ReplaceExtension(DataPart(name), kExtMessage)) {}

  void Run() {
    if (variable_ && !VarRecBufferEnsure(static_cast<std::size_t>(record_length_))) {
      Fail(kIsamRebuildNoMemory);
      return;
    }
    bool checked = false;
    if (!PrepareFiles(names_, record_length_, keys_, &checked)) {
      if (checked) KeepMarked();
      return;
    }
    fb_ = OpenFileblock(name_, OpenOptions{}, true);
    if (fb_ == nullptr) {
      KeepMarked();
      return;
    }
    Fileblock& fb = *ResolveHandle(fb_);
    bool ok = IndexFill(fb_, variable_, builder_, delete_collisions_, progress_, messages_).Run();
    messages_.Close();
    if (ok) {
      // Every key is in: the flush writes the key headers and then clears the marker.
      fb.index_state = IndexState::kSound;
      FileblockFlush(fb_);
      ok = Isam().IsamOK;
    }
    if (ok) {
      FileblockClose(fb_);
      return;
    }
    const IsamState failure = Isam();
    FileblockClose(fb_);
    Isam() = failure;
    KeepMarked();
  }

 private:
  // After a failure: the data file stays marked, so its next open asks for a rebuild.
  void KeepMarked() {
    const IsamState failure = Isam();
    SetDataMarker(names_.data, true);
    Isam() = failure;
  }

  std::string name_;
  FileblockNames names_;
  std::int32_t record_length_;
  std::span<const KeySpec> keys_;
  bool variable_;
  const RebuildKeyBuilder& builder_;
  bool delete_collisions_;
  const RebuildProgress& progress_;
  RebuildMessageFile messages_;
  FileblockHandle fb_ = nullptr;
};

}  // namespace

bool FillIndex(FileblockHandle handle, bool variable, const RebuildKeyBuilder& builder,
               bool delete_collisions, const RebuildProgress& progress,
               RebuildMessageFile& messages) {
  return IndexFill(handle, variable, builder, delete_collisions, progress, messages).Run();
}

void RebuildIndex(std::string_view name, std::int32_t min_length, std::int32_t max_length,
                  std::span<const KeySpec> keys, bool variable, const RebuildKeyBuilder& builder,
                  bool delete_collisions, const RebuildProgress& progress) {
  IsamReset();
  if (!EngineStarted()) {
    Fail(kIsamNotStarted);
    return;
  }
  if (!CheckRebuildLengths(min_length, max_length, variable)) return;
  IndexRebuild(name, min_length, keys, variable, builder, delete_collisions, progress).Run();
}

}  // namespace storage
