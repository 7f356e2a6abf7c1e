// The sections of a variable-length record (layout in var_record.h) and the one reader of their
// chains, shared by the variable-record operations and the rebuild's record walk. Internal to
// storage/isam/.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "storage/isam/engine.h"
#include "storage/isam/var_record.h"

namespace storage {

// Record bytes a head section and a continuation section hold at most.
constexpr std::int32_t HeadCapacity(std::int32_t record_length) {
  return record_length - kSectionTrailer;
}
constexpr std::int32_t ContinuationCapacity(std::int32_t record_length) {
  return record_length - kSectionTrailer - 1;
}

// A slot whose first four bytes are zero is a record's head; a free slot (its free-chain link)
// and a continuation section (its marker) are not.
bool IsRecordHead(const std::uint8_t* slot);
// The trailer of a section: the record bytes it holds and the reference of the next section.
std::int32_t SectionBytes(const std::uint8_t* section, std::int32_t record_length);
RecRef SectionNext(const std::uint8_t* section, std::int32_t record_length);

// Lays out a whole section of `record_length` bytes: `count` record bytes (at most the section's
// capacity), a continuation behind its marker, the trailer with `next`, zeros elsewhere.
void LayHeadSection(std::uint8_t* section, std::int32_t record_length, const std::uint8_t* bytes,
                    std::int32_t count, RecRef next);
void LayContinuationSection(std::uint8_t* section, std::int32_t record_length,
                            const std::uint8_t* bytes, std::int32_t count, RecRef next);

enum class ChainEnd {
  kWhole,      // the chain was read to its end
  kStopped,    // the taker asked to stop
  kDamaged,    // a check failed (see ReadChain)
  kReadError,  // a section could not be read; the engine's error word tells why
};

// Reads the chain of the record head `head` (slot `head_ref` of a file of `slots` slots): hands
// the record bytes of each section to `take(ref, bytes, count)` in chain order, the head's first,
// and follows the links. It checks every step: the byte count fits its section, a link lies in
// 1..slots and names a section with the continuation marker, and the chain has at most
// VarRecMaxSections sections, so a damaged chain never makes it loop. With `guard_cycles` a
// section met twice ends the read at once: a taker that stops early needs that, as it might
// otherwise stop inside a cycle as if the record ended there.
//
// `read_slot(ref)` delivers the bytes of slot `ref`, valid until its next call (it may reuse the
// buffer that holds `head`: the head is taken before anything is read), or nullptr after a read
// error. `take` answers false to stop; an exception it throws passes through.
template <typename ReadSlot, typename Take>
ChainEnd ReadChain(RecRef head_ref, const std::uint8_t* head, std::int32_t record_length,
                   std::int32_t slots, ReadSlot&& read_slot, Take&& take, bool guard_cycles) {
  const std::int32_t head_count = SectionBytes(head, record_length);
  if (head_count > HeadCapacity(record_length)) return ChainEnd::kDamaged;
  RecRef next = SectionNext(head, record_length);
  if (!take(head_ref, head, head_count)) return ChainEnd::kStopped;
  const std::int32_t limit = VarRecMaxSections(record_length);
  std::unordered_set<RecRef> seen;
  for (std::int32_t sections = 1; next != 0; ++sections) {
    if (sections >= limit || (guard_cycles && !seen.insert(next).second)) {
      return ChainEnd::kDamaged;
    }
    if (next < 1 || next > slots) return ChainEnd::kDamaged;
    const RecRef ref = next;
    const std::uint8_t* section = read_slot(ref);
    if (section == nullptr) return ChainEnd::kReadError;
    const std::int32_t count = SectionBytes(section, record_length);
    if (section[0] != kSectionMarker || count > ContinuationCapacity(record_length)) {
      return ChainEnd::kDamaged;
    }
    next = SectionNext(section, record_length);
    if (!take(ref, section + 1, count)) return ChainEnd::kStopped;
  }
  return ChainEnd::kWhole;
}

}  // namespace storage
