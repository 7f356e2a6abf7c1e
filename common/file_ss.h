// TFileSS: one file object in one of four modes.
//
//   mode 0  text file: Open appends (creating the file when it is missing); Write adds a line
//   mode 1  handle file: Open opens the file for reading and writing (creating it when missing);
//           Write puts the text at a byte position, or at the end
//   mode 2  text list: Open reads the file's lines (none when it is missing); Write inserts a
//           line; Close saves the list as a new version of the file (common/text_file_writer.h)
//   mode 3  memory stream: Open starts an empty stream; Write puts the text at a byte position,
//           or at the end; Close frees it
//
// Texts are written as they stand (Windows-1252 bytes); a line ends with CR LF, the line end of the
// system's text files. The name is resolved against the current folder when the file is opened.
// Failures are reported by the results only; nothing is shown and nothing is thrown.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/tssobject.h"

namespace common {

// The file's lines as a text list (mode 2) reads them: LF ends a line, a CR before it is dropped,
// a last line without an end counts; none when the file is missing or cannot be read. It only
// reads: a reader that opened a list instead would save it again at its close, and so make a
// missing file or rewrite an existing one.
std::vector<std::string> ReadTextLines(std::string_view name);

class TFileSS : public Tssobject {
 public:
  enum Mode : std::uint8_t { kText = 0, kHandle = 1, kList = 2, kStream = 3 };
  static constexpr std::string_view kLineEnd = "\r\n";

  TFileSS(std::string file_name, std::int32_t record_size, bool handle_flag,
          std::uint8_t option_byte, Mode mode);
  ~TFileSS() override;  // closes
  TFileSS(const TFileSS&) = delete;
  TFileSS& operator=(const TFileSS&) = delete;

  // Opens the file in its mode; true when open. An open file answers true at once.
  bool Open();
  // Text mode: writes the text, with a line end unless `no_line_end`. List mode: inserts the text
  // as the line at `position` (from 0), or appends it for -1 or a position past the end. Handle
  // and stream modes: write the text (with a line end unless `no_line_end`) at byte `position`,
  // or at the end for -1. False when the file is not open or the write fails.
  bool Write(std::string_view text, std::int64_t position = -1, bool no_line_end = false);
  // Closes by mode (the list is saved first); false when saving the list failed. A closed file
  // answers true.
  bool Close();
  // Closes, then deletes the file when it exists; true when it was deleted.
  bool Erase();
  // Closes, then renames the file to the new name, replacing a file of that name; on success the
  // object names the new file.
  bool Rename(const std::string& new_name);

  const std::string& FileName() const { return file_name_; }
  std::int32_t RecordSize() const { return record_size_; }
  Mode GetMode() const { return mode_; }
  bool HandleFlag() const { return handle_flag_ != 0; }
  std::uint8_t OptionByte() const { return option_byte_; }
  bool IsOpen() const { return open_ != 0; }
  // The lines of an open list, and the bytes of an open stream.
  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& StreamData() const { return stream_; }

 private:
  bool OpenFile(const char* mode, const char* create_mode);
  bool WriteAt(std::string_view bytes, std::int64_t position);
  bool SaveList() const;

  std::string file_name_;
  std::int32_t record_size_;
  Mode mode_;
  std::uint8_t handle_flag_;
  std::uint8_t option_byte_;
  std::uint8_t open_ = 0;
  std::FILE* file_ = nullptr;       // modes 0 and 1
  std::vector<std::string> lines_;  // mode 2
  std::string stream_;              // mode 3
};

}  // namespace common
