// Five writer processes add 2,000 records each under the write lock, keys on three indexes, while
// a sixth (sharing read-only) checks under read locks that every key holds every record; then
// exactly 10,000 records are there and the checker passes. Usage: storage_stress SEED (the seed
// varies the writers' batch sizes and pauses).

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/storage/network_fixture.h"

namespace storage::testing {
namespace {

unsigned g_seed = 1;

constexpr int kWriters = 5;
constexpr int kPerWriter = 2000;

class Stress : public NetworkTest {};

TEST_F(Stress, FiveWritersAndAReaderKeepTheFileSound) {
  CreateFile("S");
  std::vector<std::unique_ptr<PeerProcess>> writers;
  for (int i = 0; i < kWriters; ++i) {
    writers.push_back(StartPeer("shared", "S"));
    // Lock waits of 64 ms become 2 ms of real time: the processes hand the lock on quickly.
    EXPECT_EQ(writers.back()->Do("sleeper scaled 32"), "ok");
  }
  // Five writers take every user slot: the reader shares read-only, without a slot.
  auto reader = StartPeer("rosharing", "S");
  EXPECT_EQ(reader->Do("sleeper scaled 32"), "ok");
  reader->Send("reader");
  for (int i = 0; i < kWriters; ++i) {
    writers[static_cast<std::size_t>(i)]->Send("writer " + std::to_string(i) + " " +
                                               std::to_string(kPerWriter) + " " +
                                               std::to_string(g_seed));
  }
  for (auto& w : writers) EXPECT_EQ(w->ReadLine(), "ok");
  reader->Send("stop");
  const std::vector<std::string> checked = Words(reader->ReadLine());
  ASSERT_EQ(checked.size(), 2u) << (checked.empty() ? "" : checked[0]);
  EXPECT_EQ(checked[0], "ok");
  EXPECT_GT(std::stoi(checked[1]), 0);
  for (auto& w : writers) EXPECT_EQ(w->Do("close"), "ok");
  EXPECT_EQ(reader->Do("close"), "ok");

  FileblockHandle h = Open("", "S");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(FileblockUsedRecs(h), kWriters * kPerWriter);
  std::set<std::string> expected;
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kPerWriter; ++i) {
      char text[32];
      std::snprintf(text, sizeof text, "W%d-%05d", w, i);
      expected.insert(text);
    }
  }
  std::set<std::string> found;
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
