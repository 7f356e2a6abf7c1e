// Two users in their own processes write into one shared PX5CALL at once: each updates the same
// 500 calls and adds 500 of its own. Afterwards every shared call holds one writer's values, whole,
// every added call is there once, and the files pass the checker.
#include <string>
#include <vector>

#include "database_fixture.h"
#include "logbook/databases/call_keys.h"
#include "tests/common/peer_process.h"
#include "tests/logbook/databases/call_peer_values.h"

namespace logbook::testing {
namespace {

constexpr int kCalls = 500;

class CallProcessTest : public DatabaseTest {
 protected:
  pid_t Spawn(const std::string& tag) {
    return common::testing::SpawnPeer(CALL_PEER_PATH, {folder_.path(), tag, std::to_string(kCalls)},
                                      folder_ / (tag + ".out"));
  }
  static int Wait(pid_t pid) { return common::testing::WaitPeer(pid); }
};

TEST_F(CallProcessTest, TwoWritersLeaveEveryCallWholeAndTheFileSound) {
  {
    TdbCall c(kCallData);
    for (int i = 0; i < kCalls; ++i) {
      c.ClearRecord();
      c.SetCall("S" + std::to_string(i));
      PeerValues("start").Put(c);
      ASSERT_TRUE(c.Insert());
    }
  }
  const std::vector<std::string> tags = {"A", "BBB"};
  std::vector<pid_t> peers;
  for (const std::string& tag : tags) peers.push_back(Spawn(tag));
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(Wait(peers[i]), 0) << common::testing::ReadFile(folder_ / (tags[i] + ".out"));
  }

  TdbCall c(kCallData);
  int records = 0;
  for (bool ok = c.First(1); ok; ok = c.Next(false, true)) {
    ++records;
    const std::string call = c.GetCall();
    if (call[0] == 'S') {
      ASSERT_TRUE(PeerValues(tags[0]).In(c) || PeerValues(tags[1]).In(c))
          << call << ": " << c.GetName();
    } else {
      ASSERT_TRUE(PeerValues(call[0] == 'A' ? tags[0] : tags[1]).In(c)) << call;
    }
  }
  EXPECT_EQ(records, 3 * kCalls);
  for (const std::string& tag : tags) {
    for (int i = 0; i < kCalls; i += 97) EXPECT_TRUE(c.FindCall(tag + std::to_string(i)));
  }
  Calls().CloseFiles(ToDatCall::kCallDataBit, false, true);
  EXPECT_EQ(Check("PX5CALL", CallDataKeys, sizeof(TCallRec), true), "");
}

}  // namespace
}  // namespace logbook::testing
