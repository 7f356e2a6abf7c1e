// Scaffolding of the network tests: an engine in network mode, the peer scheme's fileblock, and
// peers in their own processes. Two handles of one fileblock in this process are two users as
// well (byte-range locks belong to the handle), which the cheap protocol tests use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/storage/engine_fixture.h"
#include "tests/storage/peer_process.h"
#include "tests/storage/peer_scheme.h"

namespace storage::testing {

using Bytes = std::vector<std::uint8_t>;

class NetworkTest : public EngineTest {
 protected:
  NetworkTest() : EngineTest(160, kNetworkShared) {}

  void CreateFile(const std::string& base = "N", const std::vector<KeySpec>& keys = kPeerKeys) {
    ASSERT_ISAM(FileblockCreate(Name(base), kPeerRecordLength, keys), 0);
  }

  // Opens with the options of ParseOpenOptions.
  FileblockHandle Open(const std::string& options = "shared", const std::string& base = "N") {
    FileblockHandle h = FileblockOpen(Name(base), ParseOpenOptions(options));
    EXPECT_NE(h, nullptr) << Err();
    return h;
  }

  // Adds the scheme's record of `text` with all its keys (the caller holds the write lock).
  RecRef Add(FileblockHandle h, const std::string& text, int keys = 3) {
    const RecRef ref = FileblockAddRecord(h, PeerRecord(text).data());
    EXPECT_EQ(Err(), 0) << text;
    for (int k = 1; k <= keys; ++k) {
      FileblockAddKey(h, k, ref, KeyStr(PeerKeyText(text, k)));
      EXPECT_EQ(Err(), 0) << text << " key " << k;
    }
    return ref;
  }

  Bytes Dialog(const std::string& base = "N") {
    const std::string bytes = ReadFile(Name(base) + ".DIA");
    return Bytes(bytes.begin(), bytes.end());
  }

  // A peer process with the engine started in network mode and the fileblock opened with
  // `options` ("shared", "shared journal", ...); "" leaves it closed.
  std::unique_ptr<PeerProcess> StartPeer(const std::string& options = "shared",
                                         const std::string& base = "N") {
    auto peer = std::make_unique<PeerProcess>();
    EXPECT_TRUE(peer->started());
    EXPECT_EQ(peer->Do("init 2 160"), "ok");
    if (!options.empty()) {
      EXPECT_EQ(peer->Do("open " + Name(base) + " " + options), "ok");
    }
    return peer;
  }
};

}  // namespace storage::testing
