#include "logbook/databases/call_record.h"

#include <algorithm>
#include <cstring>

#include "common/string_helpers.h"

namespace logbook {
namespace {

// The sound entries of an area: positions (0-based) of each entry, and where the list ends.
struct AreaWalk {
  int end = 0;            // bytes of sound entries from the start of the area
  int tag_at = -1;        // position of the entry with the wanted tag, -1 when absent
  bool damaged = false;   // an entry shorter than 2 or past the used length stopped the walk
};

AreaWalk Walk(const std::uint8_t* area, int used, std::uint8_t tag) {
  AreaWalk w;
  while (w.end < used) {
    const int length = area[w.end];
    if (length == 0) break;  // the end of the list
    if (length < 2 || w.end + length > used) {
      w.damaged = true;
      break;
    }
    if (area[w.end + 1] == tag && w.tag_at < 0) w.tag_at = w.end;
    w.end += length;
  }
  return w;
}

}  // namespace

int CallUsedLength(const TCallRec& record) {
  const std::int32_t used = record.used;
  return used >= 0 && used <= kCallAreaSize ? used : -1;
}

int CallStoredLength(const TCallRec& record) {
  return kCallHeadSize + std::max(CallUsedLength(record), 0);
}

std::string CallFieldGet(const TCallRec& record, std::uint8_t tag) {
  const int used = CallUsedLength(record);
  if (used <= 0) return {};
  const AreaWalk w = Walk(record.area, used, tag);
  if (w.tag_at < 0) return {};
  const auto* data = reinterpret_cast<const char*>(record.area + w.tag_at + 2);
  return common::Trim(std::string_view(data, record.area[w.tag_at] - 2u));
}

bool CallFieldPut(TCallRec& record, std::uint8_t tag, std::string_view value) {
  std::string v = common::ReplaceChar(common::Trim(value), ';', ',');
  if (v.size() > kCallValueMax) v.resize(kCallValueMax);
  // A used length beyond the area counts as the whole area, a negative one as an empty area.
  const int used = std::clamp<std::int32_t>(record.used, 0, kCallAreaSize);
  const AreaWalk w = Walk(record.area, used, tag);
  if (w.tag_at < 0 && v.empty()) return false;
  const int old_length = w.tag_at >= 0 ? record.area[w.tag_at] : 0;
  const int new_length = v.empty() ? 0 : static_cast<int>(v.size()) + 2;
  const int new_used = w.end - old_length + new_length;
  if (new_used > kCallAreaSize) return false;

  // The entries before the tag's place, the new entry, then those after the old entry.
  const int place = w.tag_at >= 0 ? w.tag_at : w.end;
  std::uint8_t scratch[kCallAreaSize] = {};
  std::memcpy(scratch, record.area, static_cast<std::size_t>(place));
  int p = place;
  if (new_length > 0) {
    scratch[p] = static_cast<std::uint8_t>(new_length);
    scratch[p + 1] = tag;
    std::memcpy(scratch + p + 2, v.data(), v.size());
    p += new_length;
  }
  const int after = place + old_length;
  std::memcpy(scratch + p, record.area + after, static_cast<std::size_t>(w.end - after));
  std::memcpy(record.area, scratch, sizeof scratch);
  record.used = new_used;
  return true;
}

}  // namespace logbook
