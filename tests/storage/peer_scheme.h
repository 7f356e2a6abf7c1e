// The records and keys that the network tests and the peer program agree on: a record holds a
// text (its length at byte 4, the text from byte 5); key k is the text rotated left by k - 1
// places, cut to the key's length, so the checker can verify each entry.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/engine.h"
#include "storage/isam_check.h"

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
inline OpenOptions ParseOpenOptions(const std::string& words) {
  OpenOptions o;
  std::istringstream in(words);
  for (std::string w; in >> w;) {
    o.shared |= w == "shared";
    o.journal |= w == "journal";
    o.read_only |= w == "readonly";
    o.read_only_sharing |= w == "rosharing";
  }
  return o;
}

// The checker's key builder for the scheme.
inline CheckOptions PeerCheckOptions() {
  return {.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    return PeerKeyText(PeerText(record), key);
  }};
}

}  // namespace storage::testing
