// Five writer processes and a reader keep one fileblock sound. Usage: storage_stress SEED.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

unsigned g_seed = 1;
constexpr int kWriters = 5;
constexpr int kPerWriter = 2000;

TEST_F(NetworkTest, FiveWritersAndAReaderKeepTheFileSound) {
  CreateFile("S");
  std::vector<std::unique_ptr<PeerProcess>> peers;
  // Five writers take every user slot: the reader (the last) shares read-only, without a slot.
  for (int i = 0; i <= kWriters; ++i) {
    peers.push_back(StartPeer(i < kWriters ? "shared" : "rosharing", "S"));
    // Lock waits of 64 ms become 2 ms of real time: the processes hand the lock on quickly.
    EXPECT_EQ(peers.back()->Do("sleeper 32"), "ok");
  }
  peers[kWriters]->Send("reader");
  for (int i = 0; i < kWriters; ++i) {
    peers[i]->Send("writer " + std::to_string(i) + " " + std::to_string(kPerWriter) + " " +
                   std::to_string(g_seed));
  }
  for (int i = 0; i < kWriters; ++i) EXPECT_EQ(peers[i]->ReadLine(), "ok");
  peers[kWriters]->Send("stop");
  const std::string checked = peers[kWriters]->ReadLine();
  ASSERT_EQ(checked.substr(0, 3), "ok ") << checked;
  EXPECT_GT(std::stoi(checked.substr(3)), 0);
  for (auto& peer : peers) EXPECT_EQ(peer->Do("close"), "ok");

  FileblockHandle h = Open("", "S");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(FileblockUsedRecs(h), kWriters * kPerWriter);
  std::set<std::string> expected, found;
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kPerWriter; ++i) expected.insert(Fmt("W%d-%05d", w, i));
  }
  RecRef last_of_first = 0;  // writer 0's highest reference, and the others' lowest
  RecRef first_of_others = kWriters * kPerWriter + 1;
  for (const std::string& e : Entries(h, 1)) {
    const std::size_t slash = e.find('/');
    found.insert(e.substr(0, slash));
    const RecRef ref = std::stoi(e.substr(slash + 1));
    if (e[1] == '0') last_of_first = std::max(last_of_first, ref);
    if (e[1] != '0') first_of_others = std::min(first_of_others, ref);
  }
  EXPECT_EQ(found, expected);
  EXPECT_LT(first_of_others, last_of_first);  // the writers took turns
  for (int k = 2; k <= 3; ++k) EXPECT_EQ(FileblockUsedKeys(h, k), kWriters * kPerWriter);
  FileblockClose(h);
  EXPECT_EQ(IsamCheck(Name("S"), PeerCheckOptions()).Text(), "");
}

}  // namespace
}  // namespace storage::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1)
    storage::testing::g_seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
  std::printf("seed %u\n", storage::testing::g_seed);
  return RUN_ALL_TESTS();
}
