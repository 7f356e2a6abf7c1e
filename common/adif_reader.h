// Reading the records of an ADI file written by another logbook.
//
// The file comes from outside, so the reader is bounded: one pass over the bytes without
// recursion, memory linear in the file, a tag looked at for at most kMaxTagBytes bytes. Nothing
// in the bytes can make it crash, hang or take a value from beyond the file.
//
// What it reads:
// - a tag is "<" name [":" length [":" type]] ">"; the value of a tag with a length is exactly
//   that many bytes ("<" and ">" inside are data), cut at the end of the file; leading zeros in
//   the length count for nothing;
// - a name longer than kMaxNameLength, a length of more than kMaxLengthDigits digits, a name
//   with a blank or a control byte, a tag that does not close before the next "<": that "<" is
//   text, and reading goes on after it;
// - <EOR> (any case) ends a record (one without fields is none); <EOH> (any case) drops the fields read since the last <EOR>,
//   the header's, but never a record already read, so two files joined keep both logs;
// - tags without a length other than these two (<APP_X_EOF>) and text between fields are
//   ignored; so is a line whose first byte is "#" outside a value (" #" is no such line);
// - fields after the last <EOR> form no record; the result keeps them apart and tells how many
//   records they seem to hold, so that a caller can say the file was not read whole;
// - lengths count bytes; when the file starts with a UTF-8 byte-order mark, or holds multi-byte
//   UTF-8 and no byte that is not UTF-8, the values are taken from UTF-8 into Windows-1252;
// - names and values are upper-cased by the 1252 table, never the locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace common {

inline constexpr std::size_t kMaxNameLength = 64;
inline constexpr std::size_t kMaxLengthDigits = 9;
inline constexpr std::size_t kMaxTypeLength = 16;
// "<" + name + ":" + length + ":" + type + ">"
inline constexpr std::size_t kMaxTagBytes = 1 + kMaxNameLength + 1 + kMaxLengthDigits + 1 +
                                            kMaxTypeLength + 1;

struct AdifValue {
  std::string name;   // upper-case
  std::string value;  // upper-case, in Windows-1252, not trimmed
  // Where the value's bytes stand in the file, before any conversion: value_size <= the
  // length the tag gave, cut at the end of the file.
  std::size_t value_offset = 0;
  std::size_t value_size = 0;
};

struct AdifRecord {
  std::vector<AdifValue> fields;  // in file order

  // The first field named `name` (whole name, case ignored), nullptr when there is none.
  const AdifValue* Find(std::string_view name) const;
};

struct AdifFile {
  std::vector<AdifRecord> records;
  bool utf8 = false;               // values were converted from UTF-8
  AdifRecord unended;              // fields after the last <EOR>, in no record
  // The records `unended` seems to hold: a field name that comes again starts the next (some
  // programs end a record with a line break), and a value whose length ran past the end of the
  // file holds the records that the <EOR>s inside it would have ended.
  std::size_t unended_records = 0;
};

AdifFile ReadAdif(std::string_view bytes);

// The names of the records' fields in the order of their first occurrence, each once.
std::vector<std::string> AdifFieldNames(const std::vector<AdifRecord>& records);

}  // namespace common
