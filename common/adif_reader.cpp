#include "common/adif_reader.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "common/cp1252.h"
#include "platform/text_codec.h"

namespace common {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// True when the bytes hold at least one multi-byte UTF-8 character and no byte that cannot
// belong to one (a 1252 file with umlauts fails at its first umlaut).
bool LooksLikeUtf8(std::string_view bytes) {
  bool multi_byte = false;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const std::size_t extra = lead >= 0xC2 && lead <= 0xDF   ? 1
                              : lead >= 0xE0 && lead <= 0xEF ? 2
                              : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                             : 0;
    if (extra == 0) return false;
    // A character cut by the end of the file (a truncated file) still counts.
    for (std::size_t k = 1; k <= extra && i + k < bytes.size(); ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    multi_byte = true;
    i += extra + 1;
  }
  return multi_byte;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameByte(char c) {
  return static_cast<unsigned char>(c) > 0x20 && c != ':' && c != '<' && c != '>' && c != 0x7F;
}

struct Tag {
  std::string name;  // upper-case
  std::optional<std::size_t> length;
  std::size_t end = 0;  // the byte after ">"
};

// The tag at `at` (a "<"), or nothing when the bytes there are no tag.
std::optional<Tag> ReadTag(std::string_view bytes, std::size_t at) {
  const std::size_t limit = std::min(bytes.size(), at + kMaxTagBytes);
  std::size_t close = at + 1;
  while (close < limit && bytes[close] != '>' && bytes[close] != '<') ++close;
  if (close >= limit || bytes[close] != '>') return std::nullopt;
  const std::string_view inside = bytes.substr(at + 1, close - at - 1);

  const std::size_t first_colon = inside.find(':');
  const std::string_view name = inside.substr(0, first_colon);
  if (name.empty() || name.size() > kMaxNameLength || !std::all_of(name.begin(), name.end(), IsNameByte))
    return std::nullopt;
  Tag tag{cp1252::UpperCase(name), std::nullopt, close + 1};
  if (first_colon == std::string_view::npos) return tag;

  const std::string_view rest = inside.substr(first_colon + 1);
  const std::size_t second_colon = rest.find(':');
  const std::string_view digits = rest.substr(0, second_colon);
  if (digits.empty() || digits.size() > kMaxLengthDigits ||
      !std::all_of(digits.begin(), digits.end(), IsDigit))
    return std::nullopt;
  if (second_colon != std::string_view::npos) {
    const std::string_view type = rest.substr(second_colon + 1);
    if (type.size() > kMaxTypeLength || !std::all_of(type.begin(), type.end(), IsNameByte))
      return std::nullopt;
  }
  std::size_t length = 0;
  for (const char c : digits) length = length * 10 + static_cast<std::size_t>(c - '0');
  tag.length = length;
  return tag;
}

// See AdifFile::unended_records; `cut`: the last value's length ran past the end of the file.
std::size_t UnendedRecords(const AdifRecord& unended, bool cut) {
  if (unended.fields.empty()) return 0;
  std::size_t records = 1;
  std::unordered_set<std::string_view> names;
  for (const AdifValue& field : unended.fields) {
    if (names.insert(field.name).second) continue;
    ++records;
    names = {field.name};
  }
  if (!cut) return records;
  // The first <EOR> inside would have ended the record the value belongs to.
  constexpr std::string_view kEnd = "<EOR>";
  const std::string& value = unended.fields.back().value;
  std::size_t ends = 0;
  for (std::size_t at = value.find(kEnd); at != std::string::npos; at = value.find(kEnd, at + 1))
    ++ends;
  return records + (ends > 0 ? ends - 1 : 0);
}

}  // namespace

const AdifValue* AdifRecord::Find(std::string_view name) const {
  for (const AdifValue& field : fields) {
    if (cp1252::SameText(field.name, name)) return &field;
  }
  return nullptr;
}

AdifFile ReadAdif(std::string_view bytes) {
  AdifFile file;
  const bool marked = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
  file.utf8 = marked || LooksLikeUtf8(bytes);
  std::size_t at = marked ? kUtf8Mark.size() : 0;

  AdifRecord record;
  bool line_start = true;
  bool cut = false;  // a value's length ran past the end of the file
  while (at < bytes.size()) {
    const char c = bytes[at];
    if (line_start && c == '#') {
      const std::size_t line_end = bytes.find('\n', at);
      at = line_end == std::string_view::npos ? bytes.size() : line_end + 1;
      continue;  // still at a line's start
    }
    line_start = c == '\n';
    if (c != '<') {
      ++at;
      continue;
    }
    const std::optional<Tag> tag = ReadTag(bytes, at);
    if (!tag) {
      ++at;  // a "<" that opens no tag is text
      continue;
    }
    at = tag->end;
    if (tag->length) {
      cut = *tag->length > bytes.size() - at;
      const std::size_t size = std::min(*tag->length, bytes.size() - at);
      const std::string_view raw = bytes.substr(at, size);
      std::string value = file.utf8 ? platform::Utf8ToCp1252(raw) : std::string(raw);
      record.fields.push_back({tag->name, cp1252::UpperCase(value), at, size});
      at += size;
      // The value may end with a line end; the next byte then starts a line.
      line_start = size > 0 && raw.back() == '\n';
    } else if (tag->name == "EOR") {
      if (!record.fields.empty()) file.records.push_back(std::move(record));
      record = {};
    } else if (tag->name == "EOH") {
      record = {};
    }
  }
  file.unended = std::move(record);
  file.unended_records = UnendedRecords(file.unended, cut);
  return file;
}

std::vector<std::string> AdifFieldNames(const std::vector<AdifRecord>& records) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const AdifRecord& record : records) {
    for (const AdifValue& field : record.fields) {
      if (seen.insert(field.name).second) names.push_back(field.name);
    }
  }
  return names;
}

}  // namespace common
