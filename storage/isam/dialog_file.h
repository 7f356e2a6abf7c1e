// The dialog file (".DIA") of a fileblock: through it the processes that share the fileblock tell
// each other which headers changed, and it holds the before-image journal of a journalled change.
//
//   OFFSET          SIZE  MEANING
//   0               1     repair mark: 0 when the file is created (a byte that used to be
//                         reserved, so older files hold 0); every repair of the files, in place
//                         or by a rebuild, moves it on by one, modulo 256, so that a user tells
//                         another's repair from any other change
//   1               2     2000: end of the journal; also marks the slot area as valid.
//                         2001: as 2000, and a process without journal holds the write lock
//                         and has begun to change the files; its release writes 2000 again.
//                         Found by anyone else, the writer stopped before its release, and
//                         the data header's marker tells whether it had written everything
//                         back (0) or left the index unfinished (1: 10010 until repaired in
//                         place, rebuild.h). A process whose index is damaged releases with 2001
//                         as well, and so does a shared open that finds the data file marked.
//   3 + n x S       S     user slot n (n = 0..user slots): bit k (0 the data header, 1..keys the
//                         key headers) set = header k changed by another process since the
//                         slot's owner last read it; bit keys + 1, the news bit, is set whenever
//                         any bit is; a slot without it counts as unchanged
//   0x7FFF0000      1     the rebuild lock (rebuild_lock.h): held shared by every open of the
//                         fileblock, exclusively by a rebuild, repair or creation of its files;
//                         a lock only, never written
//   0x7FFFFFFF - n  1     owner mark of user slot n: locked while its process has the fileblock
//                         open; a lock only, never written
//
// S = (keys + 1) div 8 + 1 bytes; bit k is 1 shl (k mod 8) of byte k div 8.
//
// While a journalled change is in progress the file holds from offset 1 the journal: records
// read back in the order written, ended by the word 2000 or the end of the file. Each record ends
// in a check word over its bytes before it (JournalCheck), so that a record that is not what its
// writer wrote is never replayed.
//
//   page image   OFFSET  SIZE         MEANING
//                0       2            item count m (1..62)
//                2       2            key number (1..keys)
//                4       2            reserved, 0
//                6       m x (L + 9)  the packed items as on the page (L = key length)
//                +0      4            page number
//                +4      4            leftmost child of the page
//                +8      4            check word
//
//   header image OFFSET  SIZE         MEANING
//                0       2            1000
//                2       2            key number (0 = the data header)
//                4       28           the header (the data header's 21 bytes padded with zeros)
//                32      4            link stored in the free-chain head the image names, or -2
//                                     when there is none to restore
//                36      4            check word
#pragma once

#include <cstdint>
#include <vector>

#include "storage/isam/engine_file.h"

namespace storage {

inline constexpr std::int64_t kSlotAreaStart = 3;
inline constexpr std::uint16_t kDialogEndWord = 2000;
inline constexpr std::uint16_t kDialogChangingWord = 2001;
inline constexpr std::uint16_t kJournalHeaderWord = 1000;
inline constexpr std::int64_t kRebuildLockOffset = 0x7FFF0000;
inline constexpr std::int64_t kOwnerMarkTop = 0x7FFFFFFF;  // owner mark of slot n: top - n
inline constexpr std::int64_t kOwnerMarksStart = 0x7FFF0001;
inline constexpr std::int64_t kOwnerMarksLength = kOwnerMarkTop - kOwnerMarksStart + 1;
inline constexpr int kHeaderImageSize = 28;
inline constexpr int kJournalCheckSize = 4;
inline constexpr int kHeaderRecordSize = 4 + kHeaderImageSize + 4 + kJournalCheckSize;
inline constexpr int kPageRecordHead = 6;
inline constexpr int kPageRecordTail = 8 + kJournalCheckSize;
inline constexpr std::int32_t kNoLinkToRestore = -2;

constexpr int DialogSlotSize(int key_count) { return (key_count + 1) / 8 + 1; }

// The check word of a journal record: FNV-1a over its `count` bytes before the check word. Any
// single changed byte changes it.
inline std::uint32_t JournalCheck(const std::uint8_t* bytes, std::size_t count) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 16777619u;
  return hash;
}
inline bool SlotBit(const std::uint8_t* slot, int bit) {
  return (slot[bit / 8] & (1u << (bit % 8))) != 0;
}
inline void SetSlotBit(std::uint8_t* slot, int bit) {
  slot[bit / 8] = static_cast<std::uint8_t>(slot[bit / 8] | (1u << (bit % 8)));
}

// What an existing dialog file holds.
enum class DialogCondition : std::uint8_t {
  kFresh,        // one byte: just created, or the journal was emptied
  kClean,        // the word 2000 and a slot area of the expected size
  kOtherLayout,  // the word 2000, but a slot area of another size (another way of opening)
  kJournal,      // anything else: a journal is present and must be replayed
};

// The word at offset 1.
enum class DialogWord : std::uint8_t {
  kSlotArea,  // 2000
  kChanging,  // 2001
  kJournal,   // anything else, or a file shorter than 3 bytes
};
inline bool EndsJournal(std::uint16_t word) {
  return word == kDialogEndWord || word == kDialogChangingWord;
}

// Examines the dialog file against a slot area of `slots` slots of `slot_size` bytes (either
// word before the slot area counts).
bool ExamineDialog(EngineFile& dialog, int slot_size, int slots, DialogCondition* condition);
// Reads the first 3 bytes.
bool ReadDialogWord(EngineFile& dialog, DialogWord* word);
// Writes the word 2000 (2001 with `changing`) at offset 1 followed by the slot area `area`, and
// cuts the file behind it when `cut` is set.
bool WriteSlotArea(EngineFile& dialog, const std::vector<std::uint8_t>& area, bool cut,
                   bool changing = false);
// Writes the word 2001 alone.
bool WriteChangingWord(EngineFile& dialog);
// The repair mark (offset 0): 0..255; 0 for a file shorter than one byte, -1 when it cannot be
// read (the failure stands).
int ReadRepairMark(EngineFile& dialog);
// Moves the repair mark on by one, modulo 256.
bool MoveRepairMarkOn(EngineFile& dialog);
// Opens the dialog file; with `mode.open_always` a missing one is created fresh (one zero byte).
bool OpenDialogFile(EngineFile& dialog, const std::string& name, const EngineOpenMode& mode);
// Makes an open dialog file fresh again (one byte, the repair mark): after its fileblock's files
// were created or rebuilt, nothing else in it belongs to them. A rebuild (`repaired`) moves the
// mark on.
bool ResetDialogFile(EngineFile& dialog, bool repaired);

}  // namespace storage
