// Shared use of a fileblock by several processes: the network state, the open and close steps
// around the dialog file, the write lock, the read lock and the record locks.
//
// Protocol (all byte-range locks go through the process-wide lock table, so network mode 0 makes
// them succeed without touching the files):
// - Open: the first byte of the slot area is locked while the fileblock opens (so an open waits
//   for a writer); a fresh or damaged dialog file is set up only when no other process has the
//   fileblock open (all owner marks free); each writer takes a free owner mark, which is its
//   user slot. A data file marked as not closed properly is opened all the same while the slot
//   area is valid: its first lock reports it, as everybody else's does (JoinUnfinished).
// - Write lock: the whole slot area, so it waits until no process holds a read or write lock.
//   Taking it re-reads the headers the own slot marks (discarding the pages of those keys) and
//   refuses a data file marked as not closed properly (10010); the first change without journal
//   sets the dialog word to 2001; releasing it writes every change back, clears the marker and
//   marks the changed headers in every other slot with the word 2000.
// - Read lock: the own slot only, so readers run side by side; taking it re-reads as above. It
//   reads the marker only when the word is 2001: a writer stopped before its release (10010 when
//   it left the index unfinished, else every header is re-read), so an ordinary read lock costs
//   the lock, the word, the own slot and the unlock.
// - Record lock: the first 4 bytes of the record in the data file. Another process's read of
//   such a record fails (the lock is mandatory), its read from byte 4 on succeeds.
// - Repair in place (rebuild.h): under the write lock a process mends the unfinished files
//   without moving a record or replacing a file, so the others keep their handles; it moves the
//   dialog file's repair mark on, and its release marks every header in every other slot.
// - A journal found in the dialog file (a process stopped inside a journalled change) is replayed
//   by the next open or lock, and every process then re-reads every header.
//
// Internal to storage/isam/. Functions return true on success and otherwise leave IsamError set.
#pragma once

#include <cstdint>
#include <vector>

#include "storage/isam/engine.h"

namespace storage {

struct Fileblock;
struct FileblockNames;

struct NetworkState {
  bool write_locked = false;
  bool read_locked = false;
  bool temp_read_lock = false;      // taken by the entry guard for one operation
  bool read_only_sharing = false;   // no own slot, no owner mark
  bool reread_all = false;          // re-reading failed: the next lock re-reads every header
  bool force_full_refresh = false;  // the next release marks every header for the others
  bool owner_mark = false;          // the own owner mark is held
  bool change_announced = false;    // the dialog word says 2001 since this write lock's change
  bool open_lock = false;           // the open-time byte lock is held (during the open only)
  std::int32_t slot_area_length = 0;
  std::uint16_t slot_size = 0;
  std::uint16_t own_slot = 0;
  std::uint16_t user_slots = 0;
  std::vector<RecRef> locked_records;  // records this process holds locked
  std::vector<std::uint8_t> changed;   // headers changed under the write lock (slot bit order)
  // Locks that found the fileblock changed by another process (the own slot marked, a journal
  // left, a writer stopped): how this process tells that somebody else wrote.
  std::uint64_t foreign_changes = 0;

  std::int64_t SlotOffset(int slot) const;
};

// Whether the fileblock is shared and the engine runs in network mode.
bool SharedInNetwork(const Fileblock& fb);
// Notes that header `key` (0 the data header) changes under the write lock.
void NoteHeaderChanged(Fileblock& fb, int key);
// Before the first change under the write lock without journal: the dialog word becomes 2001
// (dialog_file.h) until the release. Does nothing without a dialog file or when done already.
bool AnnounceChange(Fileblock& fb);

// Open steps before the data and index files are opened: the dialog file is opened (created when
// wanted and missing) and, for shared use in network mode, the open-time lock taken.
bool DialogOpenBegin(Fileblock& fb, const FileblockNames& names, const OpenOptions& options);
// Right after the data file opened, before anything is read from it: an unshared open in network
// mode that found no dialog file takes the rebuild lock now (rebuild_lock.h).
bool DialogOpenDeferred(Fileblock& fb, const FileblockNames& names);
// Opens the dialog file (a missing one is created, unless read-only) and, in network mode, takes
// the rebuild lock shared.
bool OpenDialogWithLock(Fileblock& fb, const std::string& name);
// Open steps after them: dialog check, owner-mark check, network state, user slot, journal
// replay, slot area set-up, release of the open-time lock; an unwanted dialog file is closed and
// deleted.
bool DialogOpenFinish(Fileblock& fb, const OpenOptions& options);
// Undoes what the open steps took (a failed open).
void DialogOpenAbandon(Fileblock& fb);
// Close steps of a shared fileblock: record locks (10323), file or read lock (10322).
bool NetworkCloseLocks(Fileblock& fb);
// Releases the owner mark (10341).
bool NetworkReleaseOwnerMark(Fileblock& fb);

// The write lock: 10330 when not granted within 3072 ms.
bool NetWriteLock(Fileblock& fb);
// The write lock for the repair of files that a writer stopped in the middle of a change left
// unfinished (the data file's marker set, or this process's index damaged): `*unfinished` tells
// whether they are still so, or repaired meanwhile (then the lock is the ordinary one). With
// unfinished files nothing is re-read and the release marks every header for the others.
bool NetWriteLockToRepair(Fileblock& fb, bool* unfinished);
// Whether a fileblock opening for shared use in network mode may go ahead although its data file
// is marked as not closed properly: while its dialog file holds a slot area, the mark is a writer
// that stopped in the middle of a change (nobody holds the write lock during the open), and the
// other processes may have the fileblock open. The word 2001 is then made sure of, so that this
// process's first lock and every other process's next one report the unfinished files (10010)
// for their repair in place.
bool JoinUnfinished(Fileblock& fb);
// The read lock; a refusal or operating-system failure is reported as `refused_error`.
bool NetReadLock(Fileblock& fb, int refused_error);
// Releases the write lock (writing everything back) or the read lock (10340).
bool NetUnlock(Fileblock& fb);

// Record locks (10335 refused, 10337 unlock of a record not locked, 10345 unlock failed).
bool NetLockRecord(Fileblock& fb, RecRef ref);
bool NetUnlockRecord(Fileblock& fb, RecRef ref);
bool NetUnlockAllRecords(Fileblock& fb);

// Whether another process changed the fileblock since this process's last lock, which its next
// lock would count: its slot marks a change, the dialog word tells of a writer at work or stopped,
// or the slot cannot be read now (a writer holds the slot area). False while this process holds a
// lock, or for a fileblock not shared in network mode; the error word stays as it was.
bool NewsWaiting(Fileblock& fb);

// Re-reads every header and drops the pages of the fileblock (after a journal replay).
bool ReReadAllHeaders(Fileblock& fb);

}  // namespace storage
