// Another station on a log's files, in the test's own process through a file handle of its own:
// it keeps the files open, and it can leave them as a station stopped inside a change leaves
// them.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "storage/isam/engine.h"

namespace contestlog_test {

// The files at `path` (without extension) opened shared: another station to the locks.
inline storage::FileblockHandle OpenAsAnotherStation(const std::string& path) {
  storage::OpenOptions shared;
  shared.shared = true;
  return storage::FileblockOpen(path, shared);
}

// Another station stopped inside a change of the files while `other` keeps them open: the marker
// of the data file and the word of the dialog file are left as its writer left them.
inline void LeaveUnfinished(storage::FileblockHandle other, const std::string& path) {
  storage::FileblockLockFile(other);
  ASSERT_TRUE(storage::Isam().IsamOK);
  const auto patch = [](const std::string& file, std::streamoff at, std::string_view bytes) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(at);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  patch(path + ".DAT", 20, "\x01");
  patch(path + ".DIA", 1, "\xD1\x07");  // 2001: a writer was changing the files
  storage::FileblockUnlockFile(other);
}

}  // namespace contestlog_test
