// What tells whether the closed files of a fileblock were written meanwhile: the data file's and
// the index file's identity, size and time of their last modification, and whether that time can
// tell a later write from the last one. Nothing in the files counts their changes, so this is how
// a user that closed a fileblock learns at its next opening whether anybody wrote it meanwhile.
#pragma once

#include <cstdint>
#include <string_view>

namespace storage {

struct FileVersion {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = -1;  // -1: the file is missing
  std::int64_t modified_ns = 0;
  friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

struct FilesWritten {
  FileVersion data;
  FileVersion index;
  // Whether every later write shows another version: not while the last modification lies within
  // the file system's step of time before now, since a later write could be given that time too.
  bool settled = false;
  bool SameVersions(const FilesWritten& other) const {
    return data == other.data && index == other.index;
  }
};

// The files of the fileblock `name` (engine.h's naming) as they lie on the disk now. A query; it
// changes nothing and leaves the error word alone.
FilesWritten FileblockFilesWritten(std::string_view name);

}  // namespace storage
