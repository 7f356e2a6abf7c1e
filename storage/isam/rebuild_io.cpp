#include "storage/isam/rebuild_io.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "storage/isam/section_chain.h"

namespace storage {
namespace {

constexpr std::int32_t kBufferBytes = 32768;
constexpr std::int32_t kShrinkBytes = 1024;

bool NoMemory() { return Fail(kIsamRebuildNoMemory); }

}  // namespace

bool CheckRebuildLengths(std::int32_t min_length, std::int32_t max_length, bool variable) {
  const std::int32_t limit = variable ? 65520 : kMaxRecordLength;
  if (min_length < kMinRecordLength || max_length > limit || max_length < min_length) {
    return Fail(kIsamRebuildRecordLength);
  }
  return true;
}

bool SetDataMarker(const std::string& data_file, bool modified) {
  EngineFile file;
  if (!file.Open(data_file, EngineOpenMode{})) return false;
  const std::uint8_t marker = modified ? 1 : 0;
  const bool written = file.Write(20, &marker, 1);
  return file.Close() && written;
}

bool ReportProgress(const RebuildProgress& progress, std::int32_t read, std::int32_t written) {
  if (!progress) return true;
  bool go_on = false;
  if (RunCallback([&] { go_on = progress(read, written); }) && go_on) return true;
  return Fail(kIsamRebuildStopped);
}

std::int32_t RebuildBufferRecords(std::int32_t record_length) {
  if (record_length <= 0 || record_length > kBufferBytes / 2) return 0;
  return kBufferBytes / record_length;
}

bool AllocateRecordBuffer(std::vector<std::uint8_t>* buffer, std::int32_t records,
                          std::int32_t record_length) {
  buffer->clear();
  if (records <= 0) return true;
  const std::int32_t step = std::max<std::int32_t>(1, kShrinkBytes / record_length);
  while (records >= 2) {
    try {
      buffer->resize(static_cast<std::size_t>(records) * static_cast<std::size_t>(record_length));
      return true;
    } catch (const std::bad_alloc&) {
      records -= step;
    }
  }
  return NoMemory();
}

namespace {

// The buffer of a reader or writer (its capacity in records) and its spare of one record.
bool AllocateBuffers(std::int32_t record_length, std::vector<std::uint8_t>* buffer,
                     std::int32_t* capacity, std::vector<std::uint8_t>* spare) {
  if (!AllocateRecordBuffer(buffer, RebuildBufferRecords(record_length), record_length)) {
    return false;
  }
  *capacity = static_cast<std::int32_t>(buffer->size() / record_length);
  try {
    spare->resize(static_cast<std::size_t>(record_length));
  } catch (const std::bad_alloc&) {
    return NoMemory();
  }
  return true;
}

}  // namespace

// ---- SlotReader ----

bool SlotReader::Init(EngineFile* file, std::int32_t record_length, std::int32_t slots) {
  file_ = file;
  record_length_ = record_length;
  slots_ = std::max<std::int32_t>(slots, 0);
  window_count_ = 0;
  return AllocateBuffers(record_length, &window_, &window_capacity_, &single_);
}

const std::uint8_t* SlotReader::Slot(std::int32_t ref, bool walk) {
  if (ref < 1 || ref > slots_) {
    Fail(kIsamRefRange);
    return nullptr;
  }
  const std::int64_t length = record_length_;
  if (window_count_ > 0 && ref >= window_first_ && ref - window_first_ < window_count_) {
    return window_.data() + (ref - window_first_) * length;
  }
  if (walk && window_capacity_ >= 2) {
    const std::int32_t count = std::min(window_capacity_, slots_ - ref + 1);
    window_count_ = 0;
    if (!file_->Read(ref * length, window_.data(), static_cast<std::uint32_t>(count * length))) {
      return nullptr;
    }
    window_first_ = ref;
    window_count_ = count;
    return window_.data();
  }
  if (!file_->Read(ref * length, single_.data(), static_cast<std::uint32_t>(length))) {
    return nullptr;
  }
  return single_.data();
}

// ---- RecordWalker ----

RecordWalker::RecordWalker(SlotReader& reader, std::int32_t record_length, bool variable)
    : reader_(reader), record_length_(record_length), variable_(variable) {}

RecordWalker::Step RecordWalker::Next() {
  while (next_slot_ <= reader_.slots()) {
    const std::int32_t ref = next_slot_++;
    const std::uint8_t* slot = reader_.Slot(ref, true);
    if (slot == nullptr) return Step::kError;
    if (!IsRecordHead(slot)) continue;
    ref_ = ref;
    if (!variable_) {
      try {
        record_.assign(slot, slot + record_length_);
      } catch (const std::bad_alloc&) {
        NoMemory();
        return Step::kError;
      }
      length_ = record_length_;
      return Step::kRecord;
    }
    if (Assemble(slot)) return Step::kRecord;
    if (error_) return Step::kError;
    return Step::kLeftOut;
  }
  return Step::kEnd;
}

bool RecordWalker::Assemble(const std::uint8_t* head) {
  // The reader takes the head before it reads any section, which may land in the same buffer.
  const auto read_slot = [this](RecRef ref) { return reader_.Slot(ref, false); };
  const auto take = [this](RecRef ref, const std::uint8_t* bytes, std::int32_t count) {
    record_.insert(record_.end(), bytes, bytes + count);
    sections_.push_back(ref);
    return true;
  };
  ChainEnd end = ChainEnd::kDamaged;
  try {
    record_.clear();
    sections_.clear();
    end = ReadChain(ref_, head, record_length_, reader_.slots(), read_slot, take, false);
  } catch (const std::bad_alloc&) {
    NoMemory();
    error_ = true;
    return false;
  }
  if (end == ChainEnd::kReadError) error_ = true;
  if (end == ChainEnd::kDamaged && record_.empty()) {
    // The head's own byte count is damaged: its section is what can be read.
    record_.assign(head, head + HeadCapacity(record_length_));
  }
  length_ = static_cast<std::int32_t>(record_.size());
  return end == ChainEnd::kWhole;
}

// ---- SlotWriter ----

bool SlotWriter::Init(Fileblock* fb) {
  fb_ = fb;
  record_length_ = fb->RecordLength();
  next_ref_ = fb->keys[0].allocated + 1;
  buffered_ = 0;
  return AllocateBuffers(record_length_, &buffer_, &capacity_, &section_) && MarkModified(*fb);
}

bool SlotWriter::FlushBuffer() {
  if (buffered_ == 0) return true;
  const RecRef first = next_ref_ - buffered_;
  const std::uint32_t bytes = static_cast<std::uint32_t>(buffered_ * record_length_);
  buffered_ = 0;
  return fb_->data.Write(fb_->RecordOffset(first), buffer_.data(), bytes);
}

RecRef SlotWriter::AppendSlot(const std::uint8_t* slot) {
  if (next_ref_ == std::numeric_limits<RecRef>::max()) {
    Fail(kIsamShortWrite);
    return 0;
  }
  const RecRef ref = next_ref_;
  if (capacity_ < 2) {
    if (!fb_->data.Write(fb_->RecordOffset(ref), slot,
                         static_cast<std::uint32_t>(record_length_))) {
      return 0;
    }
    ++next_ref_;
    return ref;
  }
  std::memcpy(buffer_.data() + static_cast<std::size_t>(buffered_) * record_length_, slot,
              static_cast<std::size_t>(record_length_));
  ++buffered_;
  ++next_ref_;
  if (buffered_ == capacity_ && !FlushBuffer()) return 0;
  return ref;
}

RecRef SlotWriter::AppendVariable(const std::uint8_t* data, std::int32_t length) {
  const std::int32_t l = record_length_;
  const std::int32_t per = ContinuationCapacity(l);
  const std::int32_t sections = VarRecSectionCount(l, length);
  const RecRef head = next_ref_;
  if (static_cast<std::int64_t>(head) + sections >= std::numeric_limits<RecRef>::max()) {
    Fail(kIsamShortWrite);
    return 0;
  }
  std::uint8_t* s = section_.data();
  // Head first, then the sections in order, each pointing at the slot after it.
  std::int32_t n = std::min(length, HeadCapacity(l));
  LayHeadSection(s, l, data, n, sections > 1 ? head + 1 : 0);
  if (AppendSlot(s) == 0) return 0;
  std::int32_t done = n;
  for (std::int32_t i = 1; i < sections; ++i) {
    n = std::min(length - done, per);
    LayContinuationSection(s, l, data + done, n, i + 1 < sections ? head + i + 1 : 0);
    if (AppendSlot(s) == 0) return 0;
    done += n;
  }
  return head;
}

bool SlotWriter::Finish() {
  if (!FlushBuffer()) return false;
  fb_->keys[0].allocated = next_ref_ - 1;
  fb_->keys[0].header_modified = true;
  return true;
}

}  // namespace storage
