// FileReplacement: a new version of a file, written in full before it stands under the file's
// name, the stand-in for ReplaceFile, which puts a file in another's place and keeps what the
// replaced file was.
//
// Begin looks at the file the name stands for; a symbolic link is followed to the file at its
// end, which is the file replaced (the link stays a link).
// - A file the user may not write is refused (5) and stays as it was; nothing is made.
// - Otherwise the new version is written beside the file, under a name of its own in the same
//   folder (the file's name, cut to fit when it is long, ".~" and six random letters, made only
//   where no file of that name is, as mkstemp makes one), so that several writers of one name
//   never share it. It carries the replaced file's owner, group and mode. Commit flushes it to
//   the disk, renames it over the file and flushes the folder: after a crash the name shows
//   the old file or the new one, whole.
// - Where a rename cannot keep what the file is (it has other hard links; the folder is closed
//   to the user, or no file can be made beside it; the user cannot give a new file the owner or
//   group; it is no plain file, as a device), the bytes are held until Commit and then written
//   over the file itself, as a plain save writes. Commit first reserves their room on the disk.
//   A file that cannot seek (a FIFO, a terminal) takes them in sequence from its start; a FIFO
//   that no one reads refuses them at once. While it is full the write waits in short slices of
//   the process's sleeper (environment.h); a reader that takes none of the bytes for 10 seconds
//   of its clock fails it (29) instead of holding the program, and one that takes them slowly
//   but steadily gets them all.
// - A missing file is made beside and renamed like a replacement; its mode follows the umask.
//   A missing folder gives 3, one the user may not write 5.
//
// Discard, or the object's end without Commit, leaves the file as it was and nothing beside it.
// Failures are Windows codes (win_errors.h); the rename and the flushes can fail on demand
// (file_faults.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "platform/win_errors.h"

namespace platform {

class FileReplacement {
 public:
  FileReplacement() = default;
  ~FileReplacement();  // discards
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Discards a version begun before and begins a new one of the named file (a system name).
  WinError Begin(std::string_view name);
  // The same for a path of the host (UTF-8, "/"), as the window system names a file.
  WinError BeginHostPath(const std::string& host);
  // Appends the bytes to the new version. 6 when none is begun.
  WinError Write(std::string_view bytes);
  // Puts the new version in the file's place and ends it; on failure it is discarded. 6 when
  // none is begun. A failed flush of the folder is reported with the file already in place.
  WinError Commit();
  // Ends the new version without touching the file.
  void Discard();

  bool Active() const { return active_; }
  // Whether the bytes are held for a write over the file itself.
  bool InPlace() const { return active_ && beside_.empty(); }

 private:
  // Makes the file beside `target_`; 80 never comes back, another name is tried instead.
  WinError MakeBeside();
  // Closes and removes the file beside, if any.
  void DropBeside();
  WinError CommitBeside();
  WinError CommitInPlace();

  bool active_ = false;
  bool plain_ = true;   // a plain file (or missing): written at offsets, its size set at Commit
  std::string target_;  // host path of the file replaced
  std::string beside_;  // host path of the file beside it; empty when in place
  File file_;           // the file beside, open
  std::int64_t end_ = 0;
  std::string held_;  // the bytes written in place at Commit
};

}  // namespace platform
