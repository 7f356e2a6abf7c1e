// The ISAM record engine: one database is a fileblock of a data file of fixed-length records and
// an index file of up to 110 B-tree keys over those records (plus, for shared use, a dialog file).
//
// The engine is procedural. Every operation takes a fileblock handle and, where needed, a key
// number (1..number of keys), a record reference (record number from 1), a key text and a record
// buffer; it starts by resetting the process-wide state Isam() to IsamOK = true, IsamError = 0
// and, on failure, leaves IsamOK false and an error number of isam_errors.h in IsamError: the
// number of its first failure (see "The error word" below).
// Operations with a result return it (0 or -1 on failure, as stated); the rest return nothing.
//
// Lifetime: EngineInit starts the engine with its page buffer pool; FileblockOpen hands out a
// handle that stays valid until FileblockClose or EngineExit. A stale or foreign handle is
// refused with 10445 and never dereferenced, also when a later open reuses the closed
// fileblock's memory: the handle carries the generation of its opening. Single-threaded by
// contract; several users are several processes.
//
// Record buffers are exactly the record length of the fileblock. Key texts are short strings of
// capacity 50 (a longer text is cut to 50 characters); a key text longer than the key length of
// its key is refused with 10125.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/short_string.h"
#include "storage/isam/isam_errors.h"

namespace storage {

// ---- Process-wide state ------------------------------------------------------------------------

// The engine's success flag and error number, and the last-failure words of the operating-system
// file layer: the primitive code (engine_file.h) and operating-system error of the last failing
// call, and of the first failure since the last reset; and the operating-system error behind the
// failure that stands (0 when it is none of the operating system's), which tells another user's
// lock (32, 33) from a full disk or a refused access under the same engine number.
struct IsamState {
  bool IsamOK = true;
  int IsamError = 0;
  std::uint16_t LastPrimitive = 0;
  std::uint32_t LastOsError = 0;
  std::uint16_t FirstPrimitive = 0;
  std::uint32_t FirstOsError = 0;
  std::uint32_t FailureOsError = 0;
};

// The one state object of the process.
IsamState& Isam();

// The error word keeps one rule: the first failure of an operation stands. An operation begins
// with IsamReset, and every failing step reports through Fail, which records its number only while
// no failure stands; so the caller reads the failure that came first, however many clean-up steps
// fail after it. Two helpers keep the rule where a step knows more than the number it met:
//   RecastFailure gives the failure that stands a more exact number: the same failure, named by
//                 the step that knows what it meant (an operating-system refusal on a shared file
//                 is a lock conflict; a rename the rebuild cannot do is 10399);
//   ClearFailure  takes back an outcome the operation deals with itself (another user's record
//                 lock while reading, a not-found that ends a search, what a callback of the
//                 caller left behind); the operating-system words stay.
// A clean-up that runs after a failure saves Isam() and puts it back. Nothing else writes IsamOK
// or IsamError.

// Engine entry reset: IsamOK true, IsamError 0, first-failure pair cleared.
void IsamReset();
// Records `error` (IsamOK false) unless a failure stands already. Returns false, so that a step
// can `return Fail(...)`.
bool Fail(int error);
// When a failure stands, its number becomes `error`; nothing happens otherwise.
void RecastFailure(int error);
// IsamOK true and IsamError 0; the operating-system words and the first-failure pair stay.
void ClearFailure();

// ---- Types ------------------------------------------------------------------------------------

// A record reference: record number n >= 1 lies at byte n x record length of the data file.
using RecRef = std::int32_t;

// A key text: length byte and up to 50 characters, compared byte by byte (unsigned), the shorter
// text first when one is a prefix of the other.
using KeyStr = common::ShortString<50>;

inline constexpr int kMaxKeys = 110;
inline constexpr int kMaxKeyLength = 50;
inline constexpr int kMinRecordLength = 21;
inline constexpr int kMaxRecordLength = 65535;
inline constexpr int kMinPageBuffers = 8;

// Engine network modes.
inline constexpr int kNetworkSingleUser = 0;
inline constexpr int kNetworkShared = 2;

// One key of a fileblock at creation: key length 1..50 and whether equal texts are allowed.
struct KeySpec {
  std::uint8_t length = 0;
  std::uint8_t duplicates = 0;
};

// The options of FileblockOpen (the driver opens read-write, shared or not, nothing else).
struct OpenOptions {
  bool read_only = false;
  bool read_only_sharing = false;  // implies read_only: shared reading without a user slot
  bool journal = false;            // ignored when read-only
  bool shared = false;             // shared use by several processes
  bool memory_mode = false;        // data and index file worked on as a memory copy
};

// The engine's handle of an open database: the fileblock and the generation of its opening, which
// no other opening in the process shares. A default or nullptr handle names no fileblock.
struct Fileblock;
struct FileblockHandle {
  constexpr FileblockHandle() = default;
  constexpr FileblockHandle(std::nullptr_t) {}  // NOLINT: "no fileblock", as a pointer would be
  constexpr FileblockHandle(Fileblock* b, std::uint32_t g) : block(b), generation(g) {}
  friend constexpr bool operator==(const FileblockHandle&, const FileblockHandle&) = default;
  friend constexpr bool operator==(const FileblockHandle& h, std::nullptr_t) {
    return h.block == nullptr;
  }

  Fileblock* block = nullptr;
  std::uint32_t generation = 0;
};

// ---- Engine ------------------------------------------------------------------------------------

// Starts the engine: network mode 0 (single user) or 2 (network), at least 8 page buffers.
// Errors: 10450 already started, 10451 fewer than 8 asked, 10310 other mode, 10000 fewer than 8
// could be allocated.
void EngineInit(int network_mode, int page_buffers);
// Closes every open fileblock (keeping the first error); only when all closed, stops the engine
// and frees the page buffer pool.
void EngineExit();
bool EngineStarted();
// The engine's version text, "05.53".
const char* EngineVersion();
// Waits through the process's sleeper (platform/environment.h).
void EngineSleep(std::uint32_t ms);
// Whether newly opened fileblocks may re-find a lost key position from the text and reference
// the caller passes back to Next/Prev (on by default).
void EngineSetReFind(bool allowed);

// ---- Fileblocks --------------------------------------------------------------------------------

// Creates fresh files (any existing files of the name are deleted first) and closes them again.
// `keys` holds one entry per key (its size is the number of keys). Errors: 10020 record length
// outside 21..65535, 10050 more than 110 keys, 10055 key length 0 or above 50, 9900 an empty
// name, file errors.
void FileblockCreate(std::string_view name, int record_length, std::span<const KeySpec> keys);
// Opens a fileblock; nullptr on failure (10010 index unusable, data file not closed properly or a
// data header whose free-chain counts cannot be right, 10060, 10120-10122 damaged key header,
// 9900 an empty name, file errors). Key headers are checked by the rules the
// checker applies too (key_header.h); a key with a root page and no entries (an empty root) is
// sound. Items per page other than 62 (a stored 0 reads as 62) are refused with 10122, although
// the file format allows fewer: every page of this engine is laid out, filled and split for 62
// items (31 at least outside the root), so a key of fewer items per page would let a full page
// overflow its slice into the next key's pages. With shared use or the journal the dialog
// file is opened (created when missing) and a journal a stopped process left in it is replayed.
// A shared open in network mode goes ahead over a data file not closed properly while its dialog
// file holds a slot area (other processes may have it open): its first lock reports 10010, and
// FileblockRepairInPlace (rebuild.h) mends the files in place.
// Shared use in network mode takes a user slot: 10306 when five processes have the fileblock
// open already, 10355 when the open waited 3072 ms for another process's write lock (or the
// operating system refused a file), 10360 when the dialog file must be set up while other
// processes have the fileblock open, 10440 when a read-only open finds no usable dialog file.
FileblockHandle FileblockOpen(std::string_view name, const OpenOptions& options = {});
// Writes everything back and closes. 10080 for a handle that is not open.
void FileblockClose(FileblockHandle handle);
// Deletes the ".IX", ".DIA" and ".DAT" files of the name, in that order (missing ones are fine).
void FileblockDelete(std::string_view name);
// Marks the data file as not closed properly, so that the next open asks for the rebuild (10010):
// for an index found damaged while working. The fileblock uses nothing of its index any more. A
// shared fileblock needs the write lock (10398), whose release tells the other processes.
void FileblockMarkForRebuild(FileblockHandle handle);
// Writes dirty pages and modified headers, flushes the files and clears the modified marker.
// Does nothing on a read-only or journalled fileblock, or on a shared one without the write lock.
// A shared file whose flush fails with "too many open files" gives 10150 when
// `report_flush_failure` is set; otherwise the file is reopened, which puts its data on disk.
void FileblockFlush(FileblockHandle handle, bool report_flush_failure = false);

// ---- Exclusive use: the rebuild lock (rebuild_lock.h) ------------------------------------------

// Takes exclusive use of the fileblock `name` for a rebuild, the repair of an interrupted rebuild
// or the creation of its files: waits up to 3072 ms while another process has the fileblock open
// or is opening, rebuilding, repairing or creating it, and then fails with 10355 (a lock
// conflict). While it is held, this process's own opens, creations and rebuilds of the name go
// ahead; its own fileblocks of the name must be closed before. Takes nest. Does nothing in
// single-user mode.
void FileblockTakeExclusive(std::string_view name);
// The same without waiting: fails at once while another process has the fileblock.
void FileblockTryExclusive(std::string_view name);
void FileblockReleaseExclusive(std::string_view name);

// ---- Records ------------------------------------------------------------------------------------

// Adds the buffer as a new record (free chain first, else appended); the new reference, 0 on
// failure (10170 free chain damaged, 10075 file limit reached).
RecRef FileblockAddRecord(FileblockHandle handle, const void* record);
// Reads record `ref`. 10130 for 0, 10135 outside 1..slots. `waive_read_lock` spares a shared
// fileblock the temporary read lock of the entry guard.
void FileblockGetRecord(FileblockHandle handle, RecRef ref, void* record,
                        bool waive_read_lock = false);
// As FileblockGetRecord, but a record whose first 4 bytes another user holds locked is read from
// byte 4 on and reported with 10205 (the buffer is delivered all the same).
void FileblockGetLockedRecord(FileblockHandle handle, RecRef ref, void* record);
// Rewrites record `ref`. 10130 for 0, 10135 outside 1..slots.
void FileblockPutRecord(FileblockHandle handle, RecRef ref, const void* record,
                        bool waive_lock = false);
// Puts record `ref` on the free chain. 10135 outside 1..slots, and for a record that is on the
// free chain already (a second delete would close the chain into a cycle).
void FileblockDeleteRecord(FileblockHandle handle, RecRef ref);
// The first 4 bytes of record `ref` (a free record's chain link; 0 in a used record).
void FileblockRecordHead(FileblockHandle handle, RecRef ref, std::uint8_t head[4]);
// Number of used records (slots minus free records); -1 on failure.
std::int32_t FileblockUsedRecs(FileblockHandle handle);
// Number of record slots + 1; -1 on failure.
std::int32_t FileblockRecordSlots(FileblockHandle handle);
// The record length; -1 on failure.
std::int32_t FileblockRecordLength(FileblockHandle handle);

// ---- Keys ---------------------------------------------------------------------------------------

// Number of entries of key n; -1 on failure.
std::int32_t FileblockUsedKeys(FileblockHandle handle, int key);
// Inserts (key text, ref). 10230 when the text (with duplicates: text and reference) is present;
// 10130 for reference 0 and 10135 for one outside 1..slots, which names no record.
//
// A key change that fails after it has begun to change pages (a split or merge half done) is
// undone by the journal (10003/10004). Without the journal it leaves the index damaged: the
// change reports 10010, every later key operation of the fileblock gives 10010, and the data
// header's marker stays set through every write-back, release and close, so the next open asks
// for the rebuild. A change that fails before it touched anything keeps its own error.
void FileblockAddKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text);
// Removes exactly (key text, ref). 10220 when absent. Failures as FileblockAddKey.
void FileblockDeleteKey(FileblockHandle handle, int key, RecRef ref, const KeyStr& text);
// Exact match on the text; `ref` receives the (first) reference. 10200 when absent.
void FileblockFindKey(FileblockHandle handle, int key, const KeyStr& text, RecRef& ref);
// First entry >= text; `text` and `ref` receive it. 10210 when there is none.
void FileblockSearchKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref);
// The entry (text, ref); when absent, direction >= 1 delivers the next entry, direction 0 fails
// with 10270, direction < 0 delivers the entry before. `text` and `ref` receive the entry.
void FileblockFindKeyAndRef(FileblockHandle handle, int key, KeyStr& text, RecRef& ref,
                            int direction);
// As FileblockFindKeyAndRef with direction 1, but delivers the last entry when no later one
// exists.
void FileblockSearchOrLast(FileblockHandle handle, int key, KeyStr& text, RecRef& ref);
// True when an entry with the text exists; with duplicates and ref != 0 the reference must match.
bool FileblockKeyExists(FileblockHandle handle, int key, const KeyStr& text, RecRef ref);
// Move the key's current position and deliver the entry there. The caller passes back the text
// and reference last delivered; they are used only when the position has to be re-found. Every
// operation that delivers an entry refuses one naming no record slot (outside 1..slots): 10120.
// 10250 / 10260 at the end / start, 10255 / 10265 when there is no position to move from.
void FileblockNextKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref);
void FileblockPrevKey(FileblockHandle handle, int key, KeyStr& text, RecRef& ref);
// Positions before the first entry: the next Next delivers the first, the next Prev the last.
void FileblockClearKey(FileblockHandle handle, int key);
// Approximate relative position of (text, ref) on the scale 0..scale (for scroll bars); -1 on
// failure (10425 scale 0, 10285 empty index).
std::int32_t FileblockApproxRelPos(FileblockHandle handle, int key, const KeyStr& text, RecRef ref,
                                   std::int32_t scale);
// The entry near position `position` of 0..scale; an empty text and reference 0 stand for
// "before the first entry". 10420 bad arguments, 10280 empty index.
void FileblockApproxKeyAndRef(FileblockHandle handle, int key, std::int32_t position,
                              std::int32_t scale, KeyStr& text, RecRef& ref);

// ---- Locks (effective on shared fileblocks; elsewhere they succeed and do nothing) -------------
//
// On a shared fileblock every change of records or keys needs the write lock (10398 without it;
// a record put may waive it). Reading operations without a lock take the read lock for their
// own duration (10399 when it is not granted).

// Locks the first 4 bytes of the record (another process then reads it only from byte 4 on,
// 10205, and cannot write it); nothing happens when this process holds it already. 10335 when
// not granted within 768 ms, 10130/10135 for a reference below 1.
void FileblockLockRecord(FileblockHandle handle, RecRef ref);
// 10337 when the record is not locked by this process, 10345 when the unlock fails.
void FileblockUnlockRecord(FileblockHandle handle, RecRef ref);
void FileblockUnlockAllRecords(FileblockHandle handle);
// Lock state queries keep an error the caller has still to read (IsamOK/IsamError are restored
// when the query itself succeeds).
bool FileblockRecordLocked(FileblockHandle handle, RecRef ref);
// The write lock: exclusive use for changes. Waits until no other process holds a read or write
// lock (10330 after 3072 ms) and re-reads what other processes changed. A held read lock is
// released first.
void FileblockLockFile(FileblockHandle handle);
// The read lock: shared use for reading; other readers go on, writers wait. 10332 when not
// granted within 768 ms. A held write lock is released first (writing everything back).
void FileblockReadLock(FileblockHandle handle);
// Releases the write lock (writing every change back and telling the other processes which
// headers changed) or the read lock. 10340 when the release fails.
void FileblockUnlockFile(FileblockHandle handle);
bool FileblockWriteLocked(FileblockHandle handle);
bool FileblockReadLocked(FileblockHandle handle);
bool FileblockAnyRecordLocked(FileblockHandle handle);
// How many of this process's locks of the shared fileblock found it changed by another process
// since it opened; a change is seen at the next lock (a reading operation takes one). 0 for a
// fileblock that is not shared in network mode.
std::uint64_t FileblockForeignChanges(FileblockHandle handle);
// Whether another process changed the shared fileblock since this process's last lock of it, so
// that its next lock would count a change, or whether that cannot be told now (a writer is at
// work). False while this process holds a lock, and for a fileblock that is not shared.
bool FileblockChangedSinceLock(FileblockHandle handle);
// The repair mark of the fileblock's files as it stands now (dialog_file.h): it moves on with
// every repair of the files, in place or by a rebuild, by this process or another, and with
// nothing else, so a user that read it before tells whether anybody repaired the files since. 0
// without a dialog file, -1 when it cannot be read. Takes no lock and leaves the error word as it
// was.
int FileblockRepairMark(FileblockHandle handle);

}  // namespace storage
