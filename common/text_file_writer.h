// TextFileWriter: a new version of a text file, written line by line, the way the system writes
// its files: the export files, the file viewer's save, the notes and the kept answers.
//
// Replace begins the new version, which takes the file's place whole at Commit and keeps what the
// file was (its links, other names, owner and mode; a FIFO or a terminal gets the lines in
// sequence; platform/file_replacement.h). Until then the file is untouched. A version ends in one
// of three ways:
// - Commit puts it in the file's place; when a write or the replacement failed, it is dropped,
//   the file stays as it was and Commit answers false, for the caller to tell.
// - Discard drops it on purpose; the file stays as it was, and the caller tells why, if at all.
// - Ended without either (the writer's end, or the next Replace), it is dropped and told as a
//   file not written (NotWrittenText) through the messages (common/messages.h), or on the error
//   stream when there are none: a writer that forgets to decide never loses its file unnoticed.
//   An exception passing through the writer's end counts as a Discard: whoever catches it tells.
// WriteTextFile writes a whole file of lines in one call.
//
// A line goes out as it stands (Windows-1252 bytes, nothing converted, no BOM) followed by
// CR LF, in one write of the platform file layer (platform/file.h), so a test can fail the N-th
// line (platform/file_faults.h); a new version written in place holds its lines until Commit.
//
// The first failure stands: after it nothing more is written, every later call answers false,
// and Error() names it (a short write counts as a full disk, 112). Names are the system's texts,
// resolved against the current folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_replacement.h"
#include "platform/win_errors.h"

namespace common {

// "Die Datei <name> konnte nicht geschrieben werden."
std::string NotWrittenText(std::string_view file_name);

class TextFileWriter {
 public:
  static constexpr std::string_view kLineEnd = "\r\n";

  TextFileWriter() = default;
  ~TextFileWriter();  // a version still begun is dropped and told
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Ends a version still begun as the writer's end does, forgets its failure and begins a new
  // version of the named file. False, with the failure kept, when the user may not write the
  // file or cannot create it.
  bool Replace(std::string_view name);
  // The text and CR LF. False when no version is begun or a write has failed.
  bool WriteLine(std::string_view text);
  // The bytes as they stand, without a line end.
  bool Write(std::string_view bytes);
  // Ends the version: it takes the file's place. True when every write and the replacement
  // succeeded; false, the file as it was, otherwise and when no version was begun.
  [[nodiscard]] bool Commit();
  // Ends the version without touching the file.
  void Discard();

  bool IsOpen() const { return replacement_.Active(); }
  bool Failed() const { return error_ != platform::kErrorSuccess; }
  // The first failure; it stays after the end until the next Replace.
  platform::WinError Error() const { return error_; }
  // The name given to Replace.
  const std::string& Name() const { return name_; }

 private:
  // Drops a version still begun and tells it, unless an exception is passing through.
  void EndUndecided();

  platform::FileReplacement replacement_;
  std::string name_;
  platform::WinError error_ = platform::kErrorSuccess;
  int exceptions_ = 0;  // exceptions in flight at Replace
};

// Writes the lines, each followed by CR LF, as a new version of the named file and commits it.
// False, the file as it was, when it could not be written whole.
[[nodiscard]] bool WriteTextFile(std::string_view name, const std::vector<std::string>& lines);

}  // namespace common
