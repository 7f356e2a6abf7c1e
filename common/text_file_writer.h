// TextFileWriter: a text file written line by line, the way the system writes its export files.
//
// Create makes the file, or empties it when it exists. Replace begins a new version of the file
// instead, which takes the file's place whole at Commit and keeps what the file was (its links,
// other names, owner and mode; platform/file_replacement.h); until then the file is untouched,
// and Discard or Close leave it so.
//
// A line goes out as it stands (Windows-1252 bytes, nothing converted, no BOM) followed by
// CR LF, in one write of the platform file layer (platform/file.h), so a test can fail the N-th
// line (platform/file_faults.h); a new version written in place holds its lines until Commit.
//
// The first failure stands: after it nothing more is written, every later call answers false,
// and Error() names it (a short write counts as a full disk, 112). The file keeps what was
// written before it. Names are the system's texts, resolved against the current folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "platform/file_replacement.h"
#include "platform/win_errors.h"

namespace common {

class TextFileWriter {
 public:
  static constexpr std::string_view kLineEnd = "\r\n";

  TextFileWriter() = default;
  ~TextFileWriter();  // closes
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Closes a file still open, forgets its failure and creates (or empties) the named file.
  // False, with the failure kept, when it cannot be created.
  bool Create(std::string_view name);
  // Closes a file still open, forgets its failure and begins a new version of the named file.
  // False, with the failure kept, when the user may not write the file or cannot create it.
  bool Replace(std::string_view name);
  // The text and CR LF. False when no file is open or a write has failed.
  bool WriteLine(std::string_view text);
  // The bytes as they stand, without a line end.
  bool Write(std::string_view bytes);
  // Closes the file; true when it was open and every write succeeded. A new version begun by
  // Replace is discarded. A closed writer keeps its failure until the next Create or Replace.
  bool Close();
  // Closes the file; a new version begun by Replace takes the file's place. True when every
  // write and the replacement succeeded; a version that failed is discarded.
  bool Commit();
  // Closes the file; a new version begun by Replace is discarded without touching the file.
  void Discard() { Close(); }

  bool IsOpen() const { return file_.IsOpen() || replacement_.Active(); }
  bool Failed() const { return error_ != platform::kErrorSuccess; }
  platform::WinError Error() const { return error_; }
  // The name given to Create or Replace.
  const std::string& Name() const { return name_; }

 private:
  platform::File file_;
  platform::FileReplacement replacement_;
  std::string name_;
  std::int64_t end_ = 0;
  platform::WinError error_ = platform::kErrorSuccess;
};

}  // namespace common
