// Variable-length records: a record of any length stored as a chain of the data file's fixed
// record slots ("sections").
//
// Section layout, L = the data file's record length; every section is one record slot:
//
//   OFFSET  SIZE   HEAD SECTION                         CONTINUATION SECTION
//   0       L-6    the record's first up to L-6 bytes   byte 0 = 1 (marker), bytes 1..L-7: the
//                                                       record's next up to L-7 bytes
//   L-6     2      record bytes held in this section (16-bit, little-endian), both kinds
//   L-4     4      reference of the first continuation  reference of the next section,
//                  section, 0 when there is none        0 at the end of the chain
//
// A record of n bytes takes one head section when n <= L-6; otherwise the head holds L-6 bytes and
// the rest goes to ceil((n - (L-6)) / (L-7)) continuation sections, every one full but the last.
// The head carries the record's reference and begins with the record's own first bytes, whose
// first four are zero in a used record (they are the free-chain link of a free slot); a
// continuation section begins with the marker 1, so a scan of the file never takes it for a
// record. Unused bytes of a section are written as zero.
//
// Every operation runs under one entry and exit guard of the engine and reports through
// Isam().IsamOK / IsamError. Errors besides the engine's read and write errors:
//   10040 the work buffer cannot be had;
//   10175 the reference is not the head of a record, a chain is damaged (a cycle, a link to a
//         slot that is no continuation section, a byte count beyond its section) or longer than
//         a chain may be, or the record is longer than a chain can carry (VarRecMaxLength).
// Chain walks are bounded by VarRecMaxSections, so a damaged file never makes them loop.
//
// Crash safety: an add writes its continuation sections before the head; a put writes the new
// chain and rewrites the head before the old chain is freed; a delete frees the head before its
// sections. A crash at any point therefore leaves every record either old or new and at worst
// sections that no head refers to, which the rebuild (rebuild.h) drops.
#pragma once

#include <cstddef>
#include <cstdint>

#include "storage/isam/engine.h"

namespace storage {

// Section overhead: the byte count and the next reference at the end of every section.
inline constexpr int kSectionTrailer = 6;
// The continuation marker of byte 0.
inline constexpr std::uint8_t kSectionMarker = 1;

// Most sections (head included) one record's chain may have in a file of record length L:
// (65525 - L) div (L - 6) + 2. The rebuild leaves out a longer chain, so nothing longer is
// written.
std::int32_t VarRecMaxSections(std::int32_t record_length);
// Longest record a chain of VarRecMaxSections sections carries.
std::int32_t VarRecMaxLength(std::int32_t record_length);
// Sections a record of `length` bytes takes (head included).
std::int32_t VarRecSectionCount(std::int32_t record_length, std::int32_t length);

// Writes a new record of `length` bytes (0..VarRecMaxLength); `ref` receives its head's
// reference (0 on failure). A failure while writing the chain frees the sections already
// written again (as far as it can; what remains is dropped by the next rebuild) and writes no
// head.
void VarRecAdd(FileblockHandle file, RecRef& ref, const void* data, std::int32_t length);

// Rewrites the record `ref` in place with `length` bytes: the new chain is written, then the
// head, then the old chain is freed. The old chain is checked before anything is written, so a
// damaged one ends with 10175 and changes nothing.
void VarRecPut(FileblockHandle file, RecRef ref, const void* data, std::int32_t length);

// Frees the head `ref` and every section of its chain. The chain is checked first; a damaged one
// ends with 10175 and frees nothing.
void VarRecDelete(FileblockHandle file, RecRef ref);

// Reads record `ref` into `target`: on entry `length` is the target's capacity, on return the
// number of bytes delivered (at most the capacity; the rest of a longer record is ignored).
// A slot that is not a record head (a free slot, a continuation section) delivers its first
// section's bytes only, so the caller sees its non-zero first four bytes.
void VarRecGet(FileblockHandle file, RecRef ref, void* target, std::int32_t& length);

// As VarRecGet, but the head is read with the read that tolerates another user's record lock:
// when that lock covers the head, the record is read from byte 4 of the head on (the first four
// bytes are delivered as zero, as in every used record), delivered, and the call ends with 10205.
void VarRecGetLocked(FileblockHandle file, RecRef ref, void* target, std::int32_t& length);

// The process-wide work buffer that assembles and receives sections. It grows to the largest
// size asked for and remains until released. VarRecBufferEnsure makes sure it holds at least
// `bytes` (keeps it when large enough, else replaces it); false when the memory cannot be had.
bool VarRecBufferEnsure(std::size_t bytes);
void VarRecBufferRelease();
std::size_t VarRecBufferSize();

}  // namespace storage
