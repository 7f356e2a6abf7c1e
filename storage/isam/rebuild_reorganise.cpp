// The reorganisation: every used record of the data file, renamed to "SAV", is copied into a
// fresh data file; on any failure the new files go and "SAV" becomes the data file again.

#include <limits>
#include <new>
#include <string>
#include <vector>

#include "common/le_int.h"
#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/rebuild.h"
#include "storage/isam/rebuild_io.h"
#include "storage/isam/var_record.h"

namespace storage {
namespace {

// The stages of the reorganisation, each cleaning up what it took on failure.
enum Stage {
  kRenamed = 1,     // "DAT" is "SAV" now
  kNewOpen = 2,     // the new files are created and open
  kBuffers = 3,     // the buffers are set up
  kSourceOpen = 4,  // "SAV" is open for reading
};

class Reorganisation {
 public:
  Reorganisation(std::string_view name, std::int32_t record_length, std::span<const KeySpec> keys,
                 bool variable, const RebuildRecordCallback& callback,
                 const RebuildProgress& progress)
      : name_(name),
        names_(MakeFileblockNames(name)),
        save_(ReplaceExtension(DataPart(name), kExtSave)),
        record_length_(record_length),
        keys_(keys),
        variable_(variable),
        callback_(callback),
        progress_(progress),
        messages_(ReplaceExtension(DataPart(name), kExtMessage)) {}

  void Run() {
    if (!MakeSource()) return;
    stage_ = kRenamed;
    if (!Copy()) Undo();
  }

 private:
  // Step 3 and 4: "DAT" becomes "SAV", or a "SAV" left by an earlier run is taken.
  bool MakeSource() {
    if (EngineFileExists(save_) && EngineFileExists(names_.data)) {
      return Fail(kIsamRebuildFilesLeft);
    }
    if (EngineRenameFile(names_.data, save_)) return true;
    if (Isam().IsamError == kIsamOsFailure) {
      // Refused while another process has the file open; a refused access says so itself.
      if (FailureIsLockConflict()) RecastFailure(kIsamRebuildRenameRefused);
      return false;
    }
    IsamReset();
    if (EngineFileExists(save_)) {
      taken_over_ = true;
      return true;
    }
    if (names_.index == ReplaceExtension(DataPart(name_), kExtIndex)) {
      return Fail(kIsamNoSaveCopy);
    }
    // Data and index file named apart: the index goes (it is rebuilt), the data is copied.
    const platform::WinError e = platform::DeleteFile(names_.index);
    if (e != platform::kErrorSuccess && e != platform::kErrorFileNotFound) {
      RecordOsFailure(kPrimDelete, e);
      return false;
    }
    if (!EngineCopyFile(names_.data, save_)) return false;
    if (!EngineDeleteFile(names_.data)) {
      const IsamState failure = Isam();
      EngineDeleteFile(save_);
      Isam() = failure;
      return false;
    }
    return true;
  }

  bool Copy() {
    if (variable_ && !VarRecBufferEnsure(static_cast<std::size_t>(record_length_))) {
      return Fail(kIsamRebuildNoMemory);
    }
    // The new data file is marked as not closed properly from its first byte until the index
    // rebuild has added every key (or, without keys, until the copy is complete): a stop in
    // between makes the next open ask for a rebuild instead of trusting an empty file or index.
    if (!CreateFileblockFiles(name_, record_length_, keys_, true)) return false;
    fb_ = OpenFileblock(name_, OpenOptions{}, true);
    if (fb_ == nullptr) return false;
    stage_ = kNewOpen;

    if (!writer_.Init(ResolveHandle(fb_))) return false;
    stage_ = kBuffers;
    if (!source_.Open(save_, EngineOpenMode{.read_write = false})) return false;
    stage_ = kSourceOpen;
    std::int32_t slots = 0;
    if (!SourceSlots(&slots) || !reader_.Init(&source_, record_length_, slots)) return false;
    const bool walked = Walk();
    messages_.Close();
    if (!walked) return false;

    // The new file reaches the disk before the old one is deleted.
    if (!writer_.Finish()) return false;
    if (keys_.empty()) ResolveHandle(fb_)->index_state = IndexState::kSound;
    FileblockFlush(fb_);
    if (!Isam().IsamOK) return false;
    FileblockClose(fb_);
    fb_ = nullptr;
    if (!Isam().IsamOK) return false;
    source_.Close();
    return EngineDeleteFile(save_);
  }

  // The slots of "SAV", from its size: the walk reads to the end of the file, so records added
  // after the header was last written (before a crash) are found too.
  bool SourceSlots(std::int32_t* slots) {
    std::int64_t size = 0;
    if (!source_.Size(&size)) return false;
    if (size >= kDataHeaderSize) {
      std::uint8_t header[kDataHeaderSize];
      if (!source_.Read(0, header, kDataHeaderSize)) return false;
      // A stored record length other than the one asked for would copy garbage; a length
      // outside the engine's range is a damaged header and is not trusted.
      const std::int32_t stored = common::ReadLeInt32(header + 12);
      if (stored >= kMinRecordLength && stored <= kMaxRecordLength && stored != record_length_) {
        return Fail(kIsamDataHeaderBad);
      }
    }
    const std::int64_t count = size / record_length_ - 1;
    *slots = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(count, 0, std::numeric_limits<std::int32_t>::max() - 1));
    return true;
  }

  bool Walk() {
    RecordWalker walker(reader_, record_length_, variable_);
    std::vector<std::uint8_t> out;
    return WalkRecords(walker, progress_, &messages_, [&](bool* kept) {
      try {
        out.resize(static_cast<std::size_t>(walker.length()));
      } catch (const std::bad_alloc&) {
        return Fail(kIsamRebuildNoMemory);
      }
      if (!RunCallback([&] { *kept = callback_(walker.record(), walker.length(), out.data()); })) {
        return Fail(kIsamRebuildRecordRefused);
      }
      if (!*kept) return true;
      const RecRef ref = variable_ ? writer_.AppendVariable(out.data(), walker.length())
                                   : writer_.AppendSlot(out.data());
      return ref != 0;
    });
  }

  // Puts everything back as it was before the reorganisation; the error stands.
  void Undo() {
    const IsamState failure = Isam();
    if (stage_ >= kSourceOpen) source_.Close();
    if (fb_ != nullptr) FileblockClose(fb_);
    fb_ = nullptr;
    FileblockDelete(name_);
    if (!taken_over_ && !EngineRenameFile(save_, names_.data) &&
        EngineCopyFile(save_, names_.data)) {
      EngineDeleteFile(save_);
    }
    Isam() = failure;
    Fail(kIsamOsFailure);  // an undo always ends failed; the failure that made it stands
  }

  std::string name_;
  FileblockNames names_;
  std::string save_;
  std::int32_t record_length_;
  std::span<const KeySpec> keys_;
  bool variable_;
  const RebuildRecordCallback& callback_;
  const RebuildProgress& progress_;
  RebuildMessageFile messages_;  // records left out

  int stage_ = 0;
  bool taken_over_ = false;
  FileblockHandle fb_ = nullptr;
  EngineFile source_;
  SlotReader reader_;
  SlotWriter writer_;
};

}  // namespace

void Reorganise(std::string_view name, std::int32_t min_length, std::int32_t max_length,
                std::span<const KeySpec> keys, bool variable, const RebuildRecordCallback& callback,
                const RebuildProgress& progress) {
  IsamReset();
  if (!EngineStarted()) {
    Fail(kIsamNotStarted);
    return;
  }
  if (!CheckRebuildLengths(min_length, max_length, variable)) return;
  Reorganisation(name, min_length, keys, variable, callback, progress).Run();
}

}  // namespace storage
