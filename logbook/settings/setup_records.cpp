#include "logbook/settings/setup_records.h"

#include <algorithm>
#include <cstring>

namespace logbook {

std::string_view FurtherStationTexts::Get(int k) const {
  if (k < 1 || k > kCount) return {};
  const auto* bytes = reinterpret_cast<const char*>(this) + OffsetOf(k);
  const std::size_t length =
      std::min<std::size_t>(static_cast<std::uint8_t>(bytes[0]), kCapacities[k - 1]);
  return {bytes + 1, length};
}

void FurtherStationTexts::Set(int k, std::string_view text) {
  if (k < 1 || k > kCount) return;
  auto* bytes = reinterpret_cast<char*>(this) + OffsetOf(k);
  const std::size_t capacity = kCapacities[k - 1];
  const std::size_t length = std::min(text.size(), capacity);
  bytes[0] = static_cast<char>(length);
  std::memcpy(bytes + 1, text.data(), length);
  std::memset(bytes + 1 + length, 0, capacity - length);
}

}  // namespace logbook
