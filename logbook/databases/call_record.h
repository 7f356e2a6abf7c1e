// The records of the call tables and the tag-length-value codec of their field area.
//
// Call-data record ("PX5CALL") and call-book record ("PX5CBUCH"), TCallRec, variable length:
//   OFFSET SIZE  MEANING
//   0      4     number field; the engine's free-chain link, 0 in a used record
//   4      15    call sign: length byte and up to 14 characters. Readers of the old form see a
//                string of capacity 10 and 4 reserved bytes; keys take the first 10 characters,
//                so a portable call of 11 to 14 characters loses nothing.
//   19     4     used length of the field area, signed 32-bit, 0..2000
//   23     2000  field area: entries of (length byte L = data + 2, tag byte, L - 2 characters),
//                without gaps from offset 23; every byte after the last entry is zero, so a zero
//                length byte ends the list. A tag stands at most once; L is at most 255.
// The stored record length is 23 + used length.
//
// Call-note record ("PXCNOTE"), 298 bytes fixed:
//   0 4 link; 4 11 call sign (short string of 10); 15 283 note text, raw characters ended early
//   by the first character 0 or 26.
// Call-list record ("PXCCL"), 46 bytes fixed:
//   0 4 link; 4 15 call sign (short string of 14); 19 7 locator (short string of 6); 26 20 spare.
//
// Disk data is untrusted: a used length outside 0..2000 and an entry shorter than 2 bytes or
// running past the used length read as "no field", never as bytes outside the area.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/le_int.h"
#include "common/short_string.h"

namespace logbook {

inline constexpr int kCallHeadSize = 23;
inline constexpr int kCallAreaSize = 2000;
inline constexpr int kCallValueMax = 253;  // characters of one entry's data

struct TCallRec {
  common::LeInt32 link;
  common::ShortString<14> call;
  common::LeInt32 used;
  std::uint8_t area[kCallAreaSize] = {};
};
static_assert(sizeof(TCallRec) == kCallHeadSize + kCallAreaSize);

inline constexpr int kCallNoteChars = 283;
struct TCallNoteRec {
  common::LeInt32 link;
  common::ShortString<10> call;
  char note[kCallNoteChars] = {};
};
static_assert(sizeof(TCallNoteRec) == 298);

struct TCallListRec {
  common::LeInt32 link;
  common::ShortString<14> call;
  common::ShortString<6> locator;
  std::uint8_t spare[20] = {};
};
static_assert(sizeof(TCallListRec) == 46);

// The used length as stored, or -1 when it lies outside 0..2000 (a damaged record).
int CallUsedLength(const TCallRec& record);
// The stored length of the record: 23 + used length (23 for a damaged used length).
int CallStoredLength(const TCallRec& record);

// The data of the entry with `tag`, trimmed of blanks; empty when there is none or the area is
// damaged before it.
std::string CallFieldGet(const TCallRec& record, std::uint8_t tag);

// Sets the entry of `tag` to the value: trimmed, every ";" turned into ",", cut to 253
// characters. An empty value removes the entry and closes the gap; a replaced entry keeps its
// place. A put whose result would pass 2000 bytes is left undone and answers false (so is an
// empty put for an absent tag, which changes nothing). A damaged area is cut back to its sound
// entries before anything is written, so the new entry can be read back.
bool CallFieldPut(TCallRec& record, std::uint8_t tag, std::string_view value);

}  // namespace logbook
