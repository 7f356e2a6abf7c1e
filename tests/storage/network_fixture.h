// Scaffolding of the network tests: an engine in network mode, the peer scheme's fileblock, and
// peers in their own processes. Two handles of one fileblock in this process are two users as
// well (byte-range locks belong to the handle), which the cheap protocol tests use.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "storage/engine.h"
#include "tests/storage/engine_fixture.h"
#include "tests/storage/peer_process.h"
#include "tests/storage/peer_scheme.h"

namespace storage::testing {

class NetworkTest : public EngineTest {
 protected:
  explicit NetworkTest(int mode = kNetworkShared) : EngineTest(160, mode) {}

  void CreateFile(const std::string& base = "N", const std::vector<KeySpec>& keys = kPeerKeys) {
    FileblockCreate(Name(base), kPeerRecordLength, keys);
    ASSERT_EQ(Err(), 0);
  }

  FileblockHandle Open(OpenOptions options, const std::string& base = "N") {
    FileblockHandle h = FileblockOpen(Name(base), options);
    EXPECT_NE(h, nullptr) << Err();
    return h;
  }
  FileblockHandle OpenShared(const std::string& base = "N") {
    OpenOptions o;
    o.shared = true;
    return Open(o, base);
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

  // Every entry of key `key` as "text/ref", in order.
  std::vector<std::string> Entries(FileblockHandle h, int key) {
    std::vector<std::string> out;
    FileblockClearKey(h, key);
    KeyStr text;
    RecRef ref = 0;
    for (;;) {
      FileblockNextKey(h, key, text, ref);
      if (Err() != 0) break;
      out.push_back(text.str() + "/" + std::to_string(ref));
    }
    EXPECT_EQ(Err(), kIsamNoNextKey);
    return out;
  }

  std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
  }
  void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::uint8_t> Dialog(const std::string& base = "N") {
    return ReadBytes(Name(base) + ".DIA");
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
