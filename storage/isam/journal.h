// The before-image journal of a fileblock opened with the journal option (record layout in
// dialog_file.h).
//
// Each change operation (add or delete of a record or a key) is one journal unit. Before a page
// or header that existed when the unit began is overwritten on disk, its old image is appended
// to the dialog file, and the dialog file is flushed before the overwrite (write-ahead). When the
// operation succeeds, everything it changed is written (and flushed) and the journal is emptied
// by cutting the dialog file back to its first byte, so the files on disk always hold either the
// state before the unit or the state after it. When the operation fails, or when a later open or
// lock finds a journal that a stopped process left behind, the journal is replayed: the images
// are written back from the last to the first (so the oldest image of a place wins), and an
// element taken from a free chain is linked into it again.
//
// Taking several elements from a free chain in one unit, or pushing a record onto the chain,
// appends further header images whose links restore each element; replayed last to first they
// leave the header as it was when the unit began.
//
// Internal to storage/isam/. Functions return true on success and otherwise leave IsamError set.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "storage/isam/engine.h"

namespace storage {

struct Fileblock;

struct JournalState {
  bool active = false;   // a unit is in progress
  bool pending = false;  // a failed roll-back left a journal that must be replayed first
  bool unflushed = false;
  std::int64_t end = 1;  // where the next record goes
  std::unordered_set<std::uint64_t> saved_pages;
  std::vector<std::uint8_t> saved_headers;
  std::vector<std::int32_t> start_allocated;  // per header: allocated count when the unit began
  std::vector<std::uint8_t> start_images;     // per header: 28-byte image when the unit began
};

// Hooks of the engine's writes; they do nothing outside a journal unit. They journal the old
// image (first time only) and make sure it is on disk before the caller overwrites the place.
bool JournalBeforePageWrite(Fileblock& fb, int key, std::int32_t page);
bool JournalBeforeHeaderWrite(Fileblock& fb, int key);
// Before the head of header `key`'s free chain is taken; `link` is the link stored in it.
bool JournalBeforeFreeTake(Fileblock& fb, int key, std::int32_t link);
// Before the first 4 bytes of record `ref` are overwritten by a free-chain link.
bool JournalBeforeRecordFree(Fileblock& fb, RecRef ref);

// One journal unit around a change operation. Begin() replays a journal a failed roll-back left
// behind. End(true) commits; End(false) rolls back and, when the roll-back succeeds, replaces the
// error with `rollback_error` (10001..10004; 0 keeps the error). Without the journal option both
// do nothing. End answers whether the unit succeeded.
class JournalUnit {
 public:
  JournalUnit(Fileblock& fb, int rollback_error) : fb_(fb), rollback_error_(rollback_error) {}
  JournalUnit(const JournalUnit&) = delete;
  JournalUnit& operator=(const JournalUnit&) = delete;
  bool Begin();
  bool End(bool ok);

 private:
  Fileblock& fb_;
  int rollback_error_;
};

// Replays the journal in the dialog file (10430 on a read-only fileblock), re-reads every header,
// drops the fileblock's pages, and empties the journal. A fileblock not shared in network mode
// gets its data header written and its files flushed (10180 when that fails). A journal with a
// record that is cut short, fails its check word or names nothing of this fileblock is not
// replayed at all: the data file is marked for the rebuild and the error is 10010.
bool ReplayJournal(Fileblock& fb);
// Empties the journal: cuts the dialog file back to its first byte (flushed unless the
// fileblock is shared in network mode).
bool EmptyJournal(Fileblock& fb);

}  // namespace storage
