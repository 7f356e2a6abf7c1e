// What the ADI reader's result must hold for any input, however damaged: the mutation test and
// the fuzz target check it on every file they make.
#pragma once

#include <string>

#include "common/adif_reader.h"
#include "common/cp1252.h"
#include "platform/text_codec.h"

namespace common::testing {

inline std::string BrokenField(const std::string& bytes, bool utf8, const AdifRecord& record) {
  for (const AdifValue& field : record.fields) {
    if (field.name.empty() || field.name.size() > kMaxNameLength) return "a bad name";
    if (field.value_offset == 0 || field.value_offset > bytes.size() ||
        field.value_size > bytes.size() - field.value_offset)
      return "a value outside the file";
    if (bytes[field.value_offset - 1] != '>') return "a value not after its tag";
    const std::string raw = bytes.substr(field.value_offset, field.value_size);
    const std::string taken = utf8 ? platform::Utf8ToCp1252(raw) : raw;
    if (cp1252::UpperCase(taken) != field.value) return "a value not from its bytes";
    const AdifValue* found = record.Find(field.name);
    if (found == nullptr || found > &field || found->name != field.name)
      return "the lookup missed the first field of a name";
  }
  return {};
}

// The first rule the result breaks, empty when it holds them all.
inline std::string BrokenAdifRule(const std::string& bytes, const AdifFile& file) {
  const std::string upper = cp1252::UpperCase(bytes);
  std::size_t ends = 0;
  for (std::size_t at = upper.find("<EOR>"); at != std::string::npos; at = upper.find("<EOR>", at + 1))
    ++ends;
  if (file.records.size() > ends) return "more records than <EOR> tags";
  for (const AdifRecord& record : file.records) {
    if (record.fields.empty()) return "a record without fields";
    if (const std::string broken = BrokenField(bytes, file.utf8, record); !broken.empty())
      return broken;
  }
  return BrokenField(bytes, file.utf8, file.unended);
}

}  // namespace common::testing
