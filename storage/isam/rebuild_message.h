// The rebuild's "MSG" text file: the keys an index rebuild could not add, the records it deleted
// and the records a walk had to leave out, with their bytes. Internal to storage/isam/.
//
// The file is opened at its first line and appended to (an existing file of an earlier rebuild is
// kept), so every record a rebuild ever removed stays recoverable from it. A failed open or write
// sets IsamError to 9500 plus the operating-system error.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace storage {

class RebuildMessageFile {
 public:
  explicit RebuildMessageFile(std::string name) : name_(std::move(name)) {}
  ~RebuildMessageFile() { Close(); }
  RebuildMessageFile(const RebuildMessageFile&) = delete;
  RebuildMessageFile& operator=(const RebuildMessageFile&) = delete;

  // "Key:<" + text + "> KeyNr: " + key + " Ref: " + ref + " not added" and a line end.
  bool KeyNotAdded(std::string_view text, int key, std::int32_t ref);
  // "Data record deleted - Dump follows", a line end, the record's bytes, CR LF and a line end.
  bool RecordDeleted(const std::uint8_t* record, std::int32_t length);
  // As RecordDeleted, opened by "Data record left out - Dump follows": a record whose section
  // chain could not be read whole, with the bytes that could.
  bool RecordLeftOut(const std::uint8_t* record, std::int32_t length);
  void Close();

 private:
  bool Append(std::string_view bytes);
  bool Dump(std::string_view title, const std::uint8_t* record, std::int32_t length);

  std::string name_;
  platform::File file_;
  std::int64_t end_ = 0;
};

}  // namespace storage
