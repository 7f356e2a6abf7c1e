// The records and keys that the network tests and the peer program agree on: a record holds a
// text, and every key's text is built from it, so the checker can verify each entry.
//
//   OFFSET  SIZE  MEANING
//   0       4     0 (the engine's free-chain link)
//   4       1     text length n
//   5       n     the text (at most kPeerRecordLength - 5 bytes)
//   5 + n   ...   zero bytes
//
// Key k (1-based) is the text rotated left by k - 1 places, cut to the key's length: key 1 of
// the network fileblock is unique, keys 2 and 3 allow duplicates.
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
  const std::size_t n = std::min<std::size_t>(text.size(), kPeerRecordLength - 5);
  record[4] = static_cast<std::uint8_t>(n);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), record.begin() + 5);
  return record;
}

inline std::string PeerText(const std::uint8_t* record) {
  const std::size_t n = std::min<std::size_t>(record[4], kPeerRecordLength - 5);
  return std::string(reinterpret_cast<const char*>(record) + 5, n);
}

inline std::string PeerKeyText(std::string_view text, int key) {
  std::string rotated(text);
  if (!rotated.empty()) {
    const std::size_t by = static_cast<std::size_t>(key - 1) % rotated.size();
    rotated = rotated.substr(by) + rotated.substr(0, by);
  }
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
  CheckOptions options;
  options.key_builder = [](const std::uint8_t* record, std::size_t, int key) {
    return PeerKeyText(PeerText(record), key);
  };
  return options;
}

}  // namespace storage::testing
