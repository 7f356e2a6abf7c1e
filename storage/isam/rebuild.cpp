// The two entries of the rebuild and the pass-through record callback.

#include "storage/isam/rebuild.h"

#include <algorithm>
#include <cstring>

namespace storage {
namespace {

void Rebuild(std::string_view name, std::int32_t record_length, std::span<const KeySpec> keys,
             bool variable, const RebuildKeyBuilder& builder, const RebuildProgress& progress) {
  Reorganise(name, record_length, record_length, keys, variable, PassThroughRecord, progress);
  if (!Isam().IsamOK || keys.empty()) return;
  RebuildIndex(name, record_length, record_length, keys, variable, builder, true, progress);
}

}  // namespace

bool PassThroughRecord(const std::uint8_t* in, std::int32_t length, std::uint8_t* out) {
  if (length > 0) std::memcpy(out, in, static_cast<std::size_t>(length));
  const std::int32_t head = std::min<std::int32_t>(length, 4);
  for (std::int32_t i = 0; i < head; ++i) {
    if (in[i] != 0) return false;
  }
  return true;
}

void RebuildFixed(std::string_view name, std::int32_t record_length, std::span<const KeySpec> keys,
                  const RebuildKeyBuilder& builder, const RebuildProgress& progress) {
  Rebuild(name, record_length, keys, false, builder, progress);
}

void RebuildVariable(std::string_view name, std::int32_t record_length,
                     std::span<const KeySpec> keys, const RebuildKeyBuilder& builder,
                     const RebuildProgress& progress) {
  Rebuild(name, record_length, keys, true, builder, progress);
}

}  // namespace storage
