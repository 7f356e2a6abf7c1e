// The records the network tests and isam_peer share: key k is the text rotated by k - 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/isam/engine.h"
#include "storage/isam/isam_check.h"

namespace storage::testing {

inline constexpr int kPeerRecordLength = 40;
inline const std::vector<KeySpec> kPeerKeys = {{12, 0}, {4, 1}, {6, 1}};

inline std::vector<std::uint8_t> PeerRecord(std::string_view text) {
  std::vector<std::uint8_t> record(kPeerRecordLength, 0);
  text = text.substr(0, kPeerRecordLength - 5);
  record[4] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), record.begin() + 5);
  return record;
}

inline std::string PeerText(const std::uint8_t* record) {
  return std::string(reinterpret_cast<const char*>(record) + 5,
                     std::min<std::size_t>(record[4], kPeerRecordLength - 5));
}

inline std::string PeerKeyText(std::string_view text, int key) {
  const std::size_t by = text.empty() ? 0 : static_cast<std::size_t>(key - 1) % text.size();
  const std::string rotated = std::string(text.substr(by)) + std::string(text.substr(0, by));
  return rotated.substr(0, kPeerKeys[static_cast<std::size_t>(key - 1)].length);
}

// Open options from words: "shared", "journal", "readonly", "rosharing".
inline OpenOptions ParseOpenOptions(std::string_view words) {
  auto has = [words](std::string_view w) { return words.find(w) != std::string_view::npos; };
  return {.read_only = has("readonly"),
          .read_only_sharing = has("rosharing"),
          .journal = has("journal"),
          .shared = has("shared")};
}

// The rebuild's key builder for the scheme.
inline void PeerKeys(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  text = PeerKeyText(PeerText(record), key);
}

// The checker's key builder for the scheme.
inline CheckOptions PeerCheckOptions() {
  return {.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    return PeerKeyText(PeerText(record), key);
  }};
}

}  // namespace storage::testing
