// Five writer processes and a reader keep one fileblock sound. Usage: storage_stress SEED.

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/storage/isam/network_fixture.h"

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
  // Key 1 in order: every writer's texts; writer 0's last record lies behind another's first.
  const std::vector<std::string> entries = Entries(h, 1);
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(kWriters * kPerWriter));
  RecRef last_of_first = 0, first_of_others = kWriters * kPerWriter + 1;
  for (int i = 0; i < kWriters * kPerWriter; ++i) {
    EXPECT_EQ(entries[i].substr(0, 9), Fmt("W%d-%05d/", i / kPerWriter, i % kPerWriter));
    const RecRef ref = std::stoi(entries[i].substr(9));
    if (i < kPerWriter) last_of_first = std::max(last_of_first, ref);
    if (i >= kPerWriter) first_of_others = std::min(first_of_others, ref);
  }
  EXPECT_LT(first_of_others, last_of_first);  // the writers took turns
  for (int k = 2; k <= 3; ++k) EXPECT_EQ(FileblockUsedKeys(h, k), kWriters * kPerWriter);
  FileblockClose(h);
  EXPECT_EQ(IsamCheck(Name("S"), PeerCheckOptions()).Text(), "");
}

}  // namespace
}  // namespace storage::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) storage::testing::g_seed = std::atoi(argv[1]);
  std::printf("seed %u\n", storage::testing::g_seed);
  return RUN_ALL_TESTS();
}
