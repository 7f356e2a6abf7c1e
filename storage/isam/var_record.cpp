// Variable-length records as chains of record slots, built from the steps of the record
// operations under one engine guard per operation.

#include "storage/isam/var_record.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "storage/isam/engine_state.h"
#include "storage/isam/record_steps.h"
#include "storage/isam/section_chain.h"

namespace storage {
namespace {

std::vector<std::uint8_t>& WorkBuffer() {
  static std::vector<std::uint8_t> buffer;
  return buffer;
}

// The work buffer with room for one section of `fb`, or nullptr (10040).
std::uint8_t* SectionBuffer(const Fileblock& fb) {
  if (!VarRecBufferEnsure(static_cast<std::size_t>(fb.RecordLength()))) {
    Fail(kIsamVarRecBuffer);
    return nullptr;
  }
  return WorkBuffer().data();
}

// Reads the chain of the head `head` (already read into `section`, which the chain's sections are
// read into in turn) through the one chain reader; `take` as in ReadChain. False with 10175 for a
// damaged chain, or with the read's error.
template <typename Take>
bool ReadSections(Fileblock& fb, RecRef head, std::uint8_t* section, Take&& take,
                  bool guard_cycles) {
  const auto read_slot = [&](RecRef ref) -> const std::uint8_t* {
    return GetRecordStep(fb, ref, section) ? section : nullptr;
  };
  switch (ReadChain(head, section, fb.RecordLength(), fb.keys[0].allocated, read_slot, take,
                    guard_cycles)) {
    case ChainEnd::kWhole:
    case ChainEnd::kStopped:
      return true;
    case ChainEnd::kDamaged:
      return Fail(kIsamSectionChainBad);
    case ChainEnd::kReadError:
      break;
  }
  return false;
}

// Reads the head `ref` into `section` and collects the references of its continuation sections,
// checking the whole chain (bounded, so a cycle ends with 10175).
bool CollectChain(Fileblock& fb, RecRef ref, std::uint8_t* section, std::vector<RecRef>* chain) {
  if (!GetRecordStep(fb, ref, section)) return false;
  if (!IsRecordHead(section)) return Fail(kIsamSectionChainBad);
  bool head = true;
  const auto take = [&](RecRef r, const std::uint8_t*, std::int32_t) {
    if (!head) chain->push_back(r);
    head = false;
    return true;
  };
  return ReadSections(fb, ref, section, take, false);
}

// Frees the given sections; the error that made the caller give them up stands.
void FreeSectionsAfterFailure(Fileblock& fb, const std::vector<RecRef>& refs) {
  const IsamState saved = Isam();
  for (RecRef r : refs) {
    ClearFailure();
    FreeSlotStep(fb, r);
  }
  Isam() = saved;
}

// Writes the bytes `rest` of `count` as a chain of new continuation sections, from the last to
// the first, so each knows the reference of the one after it. `first` receives the first
// section's reference (0 for no bytes); `written` the sections written, also on failure.
bool WriteChain(Fileblock& fb, const std::uint8_t* rest, std::int32_t count, RecRef* first,
                std::vector<RecRef>* written) {
  const std::int32_t length = fb.RecordLength();
  const std::int32_t per = ContinuationCapacity(length);
  *first = 0;
  if (count <= 0) return true;
  std::uint8_t* section = SectionBuffer(fb);
  if (section == nullptr) return false;
  const std::int32_t sections = (count + per - 1) / per;
  RecRef next = 0;
  for (std::int32_t i = sections - 1; i >= 0; --i) {
    const std::int32_t n = i == sections - 1 ? count - (sections - 1) * per : per;
    LayContinuationSection(section, length, rest + static_cast<std::int64_t>(i) * per, n, next);
    next = AddRecordStep(fb, section);
    if (next == 0) return false;
    written->push_back(next);
  }
  *first = next;
  return true;
}

// Writes the continuation chain of a record and lays out its head in the work buffer, which it
// returns; writing the head is the caller's. nullptr on failure, with the sections written freed;
// `written` receives the chain's sections.
std::uint8_t* WriteSections(Fileblock& fb, const void* data, std::int32_t length,
                            std::vector<RecRef>* written) {
  const std::int32_t record_length = fb.RecordLength();
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const std::int32_t head = HeadCapacity(record_length);
  RecRef chain = 0;
  if (length > head && !WriteChain(fb, bytes + head, length - head, &chain, written)) {
    FreeSectionsAfterFailure(fb, *written);
    return nullptr;
  }
  std::uint8_t* section = SectionBuffer(fb);
  if (section != nullptr) {
    LayHeadSection(section, record_length, bytes, std::min(length, head), chain);
  }
  return section;
}

bool CheckLength(const Fileblock& fb, const void* data, std::int32_t length) {
  if (length < 0 || length > VarRecMaxLength(fb.RecordLength()) ||
      (data == nullptr && length > 0)) {
    return Fail(kIsamSectionChainBad);
  }
  return true;
}

void Get(FileblockHandle handle, RecRef ref, void* target, std::int32_t& length, bool locked) {
  const std::int32_t capacity = std::max<std::int32_t>(length, 0);
  length = 0;
  EngineCall call(handle, kTempReadLock);
  if (!call.ok()) return;
  Fileblock& fb = call.fb();
  const std::int32_t record_length = fb.RecordLength();
  std::uint8_t* section = SectionBuffer(fb);
  if (section == nullptr) return;
  auto* out = static_cast<std::uint8_t*>(target);

  bool lock_reported = false;
  if (locked) {
    if (!GetLockedRecordStep(fb, ref, section)) {
      if (Isam().IsamError != kIsamRecordLockedRead) return;
      // Bytes 0..3 lie under the other user's lock; in a used record they are zero.
      std::memset(section, 0, 4);
      lock_reported = true;
      ClearFailure();
    }
  } else if (!GetRecordStep(fb, ref, section)) {
    return;
  }

  if (!IsRecordHead(section)) {
    // A free slot or a continuation section: its own bytes show the caller it is no record.
    length = std::min(capacity, HeadCapacity(record_length));
    if (length > 0) std::memcpy(out, section, static_cast<std::size_t>(length));
    if (lock_reported) Fail(kIsamRecordLockedRead);
    return;
  }
  // The read stops once the target is full; cycles are guarded, as a cycle would otherwise fill
  // the target with its bytes over and over before the bound is reached.
  const auto take = [&](RecRef, const std::uint8_t* bytes, std::int32_t count) {
    const std::int32_t n = std::min(capacity - length, count);
    if (n > 0) std::memcpy(out + length, bytes, static_cast<std::size_t>(n));
    length += n;
    return length < capacity;
  };
  if (!ReadSections(fb, ref, section, take, true)) return;
  if (lock_reported) Fail(kIsamRecordLockedRead);
}

void Add(Fileblock& fb, RecRef& ref, const void* data, std::int32_t length) {
  if (!CheckLength(fb, data, length)) return;
  std::vector<RecRef> written;
  const std::uint8_t* section = WriteSections(fb, data, length, &written);
  if (section == nullptr) return;
  ref = AddRecordStep(fb, section);
  if (ref == 0) FreeSectionsAfterFailure(fb, written);
}

void Put(Fileblock& fb, RecRef ref, const void* data, std::int32_t length) {
  if (!CheckLength(fb, data, length)) return;
  std::uint8_t* section = SectionBuffer(fb);
  if (section == nullptr) return;
  std::vector<RecRef> old_chain;
  if (!CollectChain(fb, ref, section, &old_chain)) return;
  std::vector<RecRef> written;
  section = WriteSections(fb, data, length, &written);
  if (section == nullptr) return;
  // The head goes to its new chain before the old chain is freed: a crash in between leaves the
  // new record whole and the old sections without a head, never a head over freed sections.
  if (!PutRecordStep(fb, ref, section)) {
    FreeSectionsAfterFailure(fb, written);
    return;
  }
  for (RecRef r : old_chain) {
    if (!FreeSlotStep(fb, r)) return;
  }
}

void Delete(Fileblock& fb, RecRef ref) {
  std::uint8_t* section = SectionBuffer(fb);
  if (section == nullptr) return;
  std::vector<RecRef> chain;
  if (!CollectChain(fb, ref, section, &chain)) return;
  // The head first: a crash part way leaves sections without a head, which a rebuild drops.
  if (!FreeSlotStep(fb, ref)) return;
  for (RecRef r : chain) {
    if (!FreeSlotStep(fb, r)) return;
  }
}

}  // namespace

std::int32_t VarRecMaxSections(std::int32_t record_length) {
  if (record_length <= kSectionTrailer + 1) return 1;
  const std::int32_t room = std::max<std::int32_t>(65525 - record_length, 0);
  return room / (record_length - kSectionTrailer) + 2;
}

std::int32_t VarRecMaxLength(std::int32_t record_length) {
  if (record_length <= kSectionTrailer + 1) return 0;
  const std::int64_t max = HeadCapacity(record_length) +
                           static_cast<std::int64_t>(VarRecMaxSections(record_length) - 1) *
                               ContinuationCapacity(record_length);
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(max, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t VarRecSectionCount(std::int32_t record_length, std::int32_t length) {
  const std::int32_t head = HeadCapacity(record_length);
  if (length <= head) return 1;
  const std::int32_t per = ContinuationCapacity(record_length);
  return 1 + (length - head + per - 1) / per;
}

// On a journalled fileblock each of these is one journal unit: a failure part way gives every
// section back.
void VarRecAdd(FileblockHandle file, RecRef& ref, const void* data, std::int32_t length) {
  ref = 0;
  EngineCall call(file, kNeedWrite | kNeedLock);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), kIsamAddRecordRolledBack);
  if (!unit.Begin()) return;
  Add(call.fb(), ref, data, length);
  if (!unit.End(Isam().IsamOK)) ref = 0;
}

void VarRecPut(FileblockHandle file, RecRef ref, const void* data, std::int32_t length) {
  EngineCall call(file, kNeedWrite | kNeedLock);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), 0);
  if (!unit.Begin()) return;
  Put(call.fb(), ref, data, length);
  unit.End(Isam().IsamOK);
}

void VarRecDelete(FileblockHandle file, RecRef ref) {
  EngineCall call(file, kNeedWrite | kNeedLock);
  if (!call.ok()) return;
  JournalUnit unit(call.fb(), kIsamDeleteRecordRolledBack);
  if (!unit.Begin()) return;
  Delete(call.fb(), ref);
  unit.End(Isam().IsamOK);
}

void VarRecGet(FileblockHandle file, RecRef ref, void* target, std::int32_t& length) {
  Get(file, ref, target, length, false);
}

void VarRecGetLocked(FileblockHandle file, RecRef ref, void* target, std::int32_t& length) {
  Get(file, ref, target, length, true);
}

bool VarRecBufferEnsure(std::size_t bytes) {
  std::vector<std::uint8_t>& buffer = WorkBuffer();
  if (buffer.size() >= bytes) return true;
  try {
    std::vector<std::uint8_t> larger(bytes);
    buffer.swap(larger);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void VarRecBufferRelease() { std::vector<std::uint8_t>().swap(WorkBuffer()); }

std::size_t VarRecBufferSize() { return WorkBuffer().size(); }

}  // namespace storage
