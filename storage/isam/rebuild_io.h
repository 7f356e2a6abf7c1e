// The rebuild's buffered access to data files: a read-ahead reader and a record walk over it, and
// a write-behind writer that appends records to a fresh data file. Internal to storage/isam/.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "storage/isam/engine.h"
#include "storage/isam/engine_file.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/rebuild_message.h"

namespace storage {

// Checks the record length of a rebuild: at least 21, at most 65,520 bytes for variable-length
// and 65,535 for fixed-length records, and the maximum not below the minimum; else 10412.
bool CheckRebuildLengths(std::int32_t min_length, std::int32_t max_length, bool variable);

// Sets or clears the modified marker (byte 20) of the closed data file `name`: a data file whose
// index is not complete stays marked, so the next open asks for a rebuild (10010).
bool SetDataMarker(const std::string& data_file, bool modified);

// Runs a callback of the rebuild's caller (key builder, record callback, progress procedure): true
// when it returns without throwing a std::exception and without leaving a failure in the error
// word. What it left there is cleared, for it is no failure of the rebuild's own: the caller fails
// its step with its own number.
template <typename Call>
bool RunCallback(Call&& call) {
  bool threw = false;
  try {
    call();
  } catch (const std::exception&) {
    threw = true;
  }
  if (!threw && Isam().IsamOK) return true;
  ClearFailure();
  return false;
}

// Calls the progress procedure (if any) after a record; false with 10460 when it asks to stop,
// throws or leaves an engine error.
bool ReportProgress(const RebuildProgress& progress, std::int32_t read, std::int32_t written);

// Records per read-ahead or write-behind buffer: 32768 div record length, none (0) for record
// lengths above 16,384.
std::int32_t RebuildBufferRecords(std::int32_t record_length);

// Allocates a buffer of `records` x `record_length` bytes; when memory runs short it gives up
// about 1 KB per attempt and settles for fewer records, never fewer than 2. False (10411) when
// not even that can be had; with `records` 0 the buffer stays empty.
bool AllocateRecordBuffer(std::vector<std::uint8_t>* buffer, std::int32_t records,
                          std::int32_t record_length);

// Reads the slots 1..slots of a data file; the walk's slots through a read-ahead window, other
// slots (the sections of a chain) from the window when they lie in it, else one by one.
class SlotReader {
 public:
  // False with 10411 when no buffer can be had.
  bool Init(EngineFile* file, std::int32_t record_length, std::int32_t slots);
  // The bytes of slot `ref` (1..slots), valid until the next call; nullptr on a read error.
  // `walk` marks the record walk's own forward reads, which move the window.
  const std::uint8_t* Slot(std::int32_t ref, bool walk);
  // Forgets the window (the file was changed under it).
  void Invalidate() { window_count_ = 0; }
  std::int32_t slots() const { return slots_; }

 private:
  EngineFile* file_ = nullptr;
  std::int32_t record_length_ = 0;
  std::int32_t slots_ = 0;
  std::vector<std::uint8_t> window_;
  std::int32_t window_capacity_ = 0;
  std::int32_t window_first_ = 0;
  std::int32_t window_count_ = 0;
  std::vector<std::uint8_t> single_;
};

// Walks the records of a data file from slot 1 on: a slot whose first four bytes are zero is a
// record in use; free slots and continuation sections are passed over. For variable-length
// records the whole chain is read; a chain that is damaged, longer than VarRecMaxSections or
// running past the last slot makes the record one that is left out (kLeftOut, with what could
// be read of it: the bytes of its chain up to the damage, or its head section when the head
// itself is damaged), and the walk goes on.
class RecordWalker {
 public:
  enum class Step { kRecord, kLeftOut, kEnd, kError };

  RecordWalker(SlotReader& reader, std::int32_t record_length, bool variable);
  Step Next();
  std::int32_t ref() const { return ref_; }
  const std::uint8_t* record() const { return record_.data(); }
  std::int32_t length() const { return length_; }
  // The slots the chain of the last record delivered occupies, its head first (variable-length
  // records only).
  const std::vector<RecRef>& sections() const { return sections_; }

 private:
  // Assembles the chain of the head in `head`; false when it is to be left out (or on an error,
  // which `error_` tells).
  bool Assemble(const std::uint8_t* head);

  SlotReader& reader_;
  std::int32_t record_length_;
  bool variable_;
  std::int32_t next_slot_ = 1;
  std::int32_t ref_ = 0;
  std::vector<std::uint8_t> record_;
  std::vector<RecRef> sections_;
  std::int32_t length_ = 0;
  bool error_ = false;
};

// Walks every record the walker delivers: `each(&kept)` handles the record, answers false on an
// error and sets `kept` when the record reached the new file. A record left out is dumped to
// "MSG" (a failed write ends the walk), so nothing vanishes without a trace; without `messages`
// it is passed over (a later walk over a file whose first walk dumped it). After each record the
// progress procedure sees the records read and kept so far; a record left out counts as read and
// not kept. True at the end of the file.
template <typename Each>
bool WalkRecords(RecordWalker& walker, const RebuildProgress& progress,
                 RebuildMessageFile* messages, Each each) {
  std::int32_t read = 0;
  std::int32_t written = 0;
  for (;;) {
    const RecordWalker::Step step = walker.Next();
    if (step == RecordWalker::Step::kEnd) return true;
    if (step == RecordWalker::Step::kError) return false;
    bool kept = false;
    if (step == RecordWalker::Step::kLeftOut) {
      if (messages != nullptr && !messages->RecordLeftOut(walker.record(), walker.length())) {
        return false;
      }
    } else if (!each(&kept)) {
      return false;
    }
    ++read;
    if (kept) ++written;
    if (!ReportProgress(progress, read, written)) return false;
  }
}

// The second step of the index rebuild on the open fileblock `handle`, whose indexes are empty:
// the keys of every record through the key builder. A text that a unique key holds for an
// earlier record is listed in `messages` and, with `delete_collisions`, its record is deleted
// with a dump; a record whose chain cannot be read whole is dumped there and left out.
bool FillIndex(FileblockHandle handle, bool variable, const RebuildKeyBuilder& builder,
               bool delete_collisions, const RebuildProgress& progress,
               RebuildMessageFile& messages);

// Appends records to the data file of a freshly created, open fileblock through a write-behind
// buffer; the slot count reaches the fileblock on Finish.
class SlotWriter {
 public:
  // False with 10411 when no buffer can be had.
  bool Init(Fileblock* fb);
  // Appends one fixed-length record (record-length bytes); its reference, 0 on a write error.
  RecRef AppendSlot(const std::uint8_t* slot);
  // Appends a variable-length record as a head followed by its continuation sections.
  RecRef AppendVariable(const std::uint8_t* data, std::int32_t length);
  // Writes what is buffered and sets the fileblock's slot count.
  bool Finish();

 private:
  bool FlushBuffer();

  Fileblock* fb_ = nullptr;
  std::int32_t record_length_ = 0;
  RecRef next_ref_ = 1;  // reference of the next slot appended
  std::vector<std::uint8_t> buffer_;
  std::int32_t capacity_ = 0;
  RecRef buffer_first_ = 1;
  std::int32_t buffered_ = 0;
  std::vector<std::uint8_t> section_;
};

}  // namespace storage
