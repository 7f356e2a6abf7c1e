// The repair of a reorganisation that stopped halfway: its "SAV" file becomes the data file again.

#include "storage/isam/engine_state.h"
#include "storage/isam/file_names.h"
#include "storage/isam/fileblock.h"
#include "storage/isam/rebuild.h"

namespace storage {
namespace {

// Whether the data file is marked as not closed properly, or too short to hold a header: either
// way no rebuild finished it.
bool Unfinished(const std::string& data_file, bool* unfinished) {
  EngineFile file;
  if (!file.Open(data_file, EngineOpenMode{.read_write = false})) return false;
  std::uint8_t header[kDataHeaderSize] = {};
  std::uint32_t got = 0;
  const bool read = file.ReadSome(0, header, kDataHeaderSize, &got);
  const bool closed = file.Close();
  *unfinished = got < kDataHeaderSize || header[20] != 0;
  return read && closed;
}

}  // namespace

void RestoreInterruptedRebuild(std::string_view name) {
  IsamReset();
  if (!EngineStarted()) {
    Fail(kIsamNotStarted);
    return;
  }
  const FileblockNames names = MakeFileblockNames(name);
  const std::string save = ReplaceExtension(DataPart(name), kExtSave);
  if (!EngineFileExists(save)) return;
  if (EngineFileExists(names.data)) {
    bool unfinished = false;
    if (!Unfinished(names.data, &unfinished)) return;
    if (!unfinished) {
      Fail(kIsamRebuildFilesLeft);
      return;
    }
    if (!EngineDeleteFile(names.data)) return;
  }
  if (!EngineRenameFile(save, names.data)) return;
  // Its index belongs to no state of the data file any more: the marker sends the next open to
  // the rebuild (a file too short for a header gets there anyway).
  EngineFile data;
  std::int64_t size = 0;
  const std::uint8_t marker = 1;
  bool ok = data.Open(names.data, EngineOpenMode{}) && data.Size(&size);
  if (ok && size >= kDataHeaderSize) ok = data.Write(20, &marker, 1);
  if (!data.Close()) ok = false;
  (void)ok;  // the first failure stands in IsamError
}

FilesPresent FileblockFilesPresent(std::string_view name) {
  const FileblockNames names = MakeFileblockNames(name);
  const auto present = [](const std::string& file) {
    return platform::FileExists(file) == platform::kErrorSuccess;
  };
  return {present(names.data), present(names.index),
          present(ReplaceExtension(DataPart(name), kExtSave))};
}

}  // namespace storage
