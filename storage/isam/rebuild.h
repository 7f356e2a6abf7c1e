// Rebuild and repair of a database: the reorganisation of the data file and the rebuild of its
// index, both on closed files.
//
// Files, named from the database's name with the extension replaced (file_names.h):
//   "DAT" the data file, "IX" the index file, "DIA" the dialog file (deleted with the others),
//   "SAV" the old data file during the reorganisation (the source of the copy),
//   "MSG" the text file that lists keys not added and records deleted by the index rebuild.
//
// The reorganisation renames "DAT" to "SAV", copies every used record into a fresh data file
// (dropping free records and sections that no head refers to; references change) and deletes
// "SAV". The index rebuild makes a new index file and adds the keys of every record through the
// key builder. A record whose key collides in a unique key is listed in "MSG" and, with deleting
// on, deleted and dumped there. A variable-length record whose chain cannot be read whole is left
// out (of the new data file, or of the index) and dumped there with what could be read of it; the
// progress procedure counts it as read and not written. "MSG" is appended to, never overwritten,
// so every record a rebuild ever removed stays recoverable from it. Its lines (1252 bytes, CR LF
// line ends):
//   Key:<text> KeyNr: <key number> Ref: <record reference> not added
//   Data record deleted - Dump follows      (or: Data record left out - Dump follows)
//   <the record's bytes as they stand>
//   (an empty line)
//
// From the new data file's creation until the index rebuild has added the last key, the data file
// is marked as not closed properly, so a stop anywhere in between makes the next open ask for
// another rebuild (10010) rather than trust an empty or partial index.
//
// Everything reports through Isam().IsamOK / IsamError:
//   10075 copy failed          10215 data file header inconsistent   10399 rename refused
//   10410 no save copy         10411 not enough memory               10412 record length
//   10460 stopped by the progress procedure                          10465 "SAV" and "DAT" both
//   10470 the key builder failed   10475 the record callback failed  9500 + Windows error: "MSG"
//   and the engine's own errors. A failed reorganisation deletes the new files and puts "SAV" back
//   as "DAT" unless "SAV" was left by an earlier run, so the data file stays as it was.
//
// The engine must be started. The files must not be open.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "storage/isam/engine.h"

namespace storage {

// Builds the text of key `key` (1..number of keys) of a record. The record buffer holds the
// record; for variable-length records it is zero-filled behind the record to at least 65,536
// bytes, so a builder may read any field of its largest record. Clearing Isam().IsamOK fails the
// rebuild with 10470.
using RebuildKeyBuilder =
    std::function<void(const std::uint8_t* record, std::uint16_t key, std::string& text)>;

// Called after each record with the records read and written so far; answering false (or
// clearing Isam().IsamOK) stops the rebuild with 10460. May be empty.
using RebuildProgress = std::function<bool(std::int32_t read, std::int32_t written)>;

// The record callback of the reorganisation: copies the record `in` of `length` bytes into `out`
// (room for `length` bytes) and answers whether it goes into the new file. Clearing
// Isam().IsamOK fails the reorganisation with 10475.
using RebuildRecordCallback =
    std::function<bool(const std::uint8_t* in, std::int32_t length, std::uint8_t* out)>;

// The pass-through record callback: keeps a record whose first four bytes are zero (of a record
// shorter than four bytes, the bytes it has) and drops any other.
bool PassThroughRecord(const std::uint8_t* in, std::int32_t length, std::uint8_t* out);

// The two entries: reorganisation with the pass-through callback, then (when it succeeded and
// there are keys) the index rebuild with deleting on. `name` is the database's name ("X" or
// "X;Y"), `keys` the key table (its size is the number of keys).
void RebuildFixed(std::string_view name, std::int32_t record_length, std::span<const KeySpec> keys,
                  const RebuildKeyBuilder& builder, const RebuildProgress& progress = {});
void RebuildVariable(std::string_view name, std::int32_t record_length,
                     std::span<const KeySpec> keys, const RebuildKeyBuilder& builder,
                     const RebuildProgress& progress = {});

// The first step: the reorganisation through "SAV". `variable` reads and writes the records as
// section chains (var_record.h); a chain longer than VarRecMaxSections or running past the end
// of the file is left out and dumped to "MSG". When the database has keys, the new data file is
// left marked as not closed properly until the index rebuild completes.
void Reorganise(std::string_view name, std::int32_t min_length, std::int32_t max_length,
                std::span<const KeySpec> keys, bool variable, const RebuildRecordCallback& callback,
                const RebuildProgress& progress = {});

// Repairs the open fileblock `handle` in place while other processes may keep it open: when a
// writer stopped in the middle of a change (the data file's marker set) or this process's index
// is damaged, then under the write lock (waited for as FileblockLockFile waits, 10330) the slot
// count is taken from the data file's size, the free chain is laid anew through every slot no
// record occupies, and every key is rebuilt through the key builder as by RebuildIndex with
// deleting on ("MSG" lists what it had to leave out or delete). No record moves and no file is
// replaced; the release makes every other process re-read every header. When another process
// has repaired the files meanwhile, it is the ordinary write lock and its release. A repair that
// fails leaves the marker set, so the next lock or open asks again. Refused on a journalled
// fileblock (10010: its journal puts it right).
void FileblockRepairInPlace(FileblockHandle handle, bool variable, const RebuildKeyBuilder& builder,
                            const RebuildProgress& progress = {});

// Puts a reorganisation that stopped halfway back to where it began, from the "SAV" file it left
// (the old data file, which the reorganisation only reads): without a "DAT" file, or beside the
// new "DAT" file of the stopped run (still marked as not closed properly), "SAV" becomes "DAT"
// again, marked, so that the next open rebuilds its index. Beside a "DAT" file that is not marked
// nobody can tell which of the two holds the log: 10465, and both stay. Without "SAV" nothing
// happens. Needs exclusive use of the fileblock (engine.h) while other processes may use it.
void RestoreInterruptedRebuild(std::string_view name);

// Which files of the fileblock `name` are there: the data file, the index file and the "SAV" file
// of a rebuild. A query; it changes nothing and leaves the error word alone.
struct FilesPresent {
  bool data = false;
  bool index = false;
  bool save = false;
};
FilesPresent FileblockFilesPresent(std::string_view name);

// The second step: a new index for the records of the data file.
void RebuildIndex(std::string_view name, std::int32_t min_length, std::int32_t max_length,
                  std::span<const KeySpec> keys, bool variable, const RebuildKeyBuilder& builder,
                  bool delete_collisions, const RebuildProgress& progress = {});

}  // namespace storage
