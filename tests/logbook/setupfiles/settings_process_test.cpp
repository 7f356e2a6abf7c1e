// Four programs loading and saving their settings at once, each a real process (settings_peer)
// in network mode, on setup tables that start empty.
#include <algorithm>

#include "tests/common/peer_process.h"
#include "tests/logbook/setupfiles/settings_fixture.h"

namespace logbook::testing {
namespace {

using common::testing::ReadFile;

constexpr int kRuns = 10;

class SettingsProcessTest : public SettingsTest {
 protected:
  pid_t Spawn(const std::string& tag) {
    return common::testing::SpawnPeer(SETTINGS_PEER_PATH,
                                      {folder_.path(), tag, std::to_string(kRuns), Go()},
                                      folder_ / (tag + ".out"));
  }
  std::string Go() const { return folder_ / "go"; }
};

TEST_F(SettingsProcessTest, ProgramsShareTheFirstRecordOfEachTable) {
  {  // both tables exist, without a record
    TdbSetup main(kSetupMain);
    TdbSetup more(kSetupMore);
    ASSERT_FALSE(main.First(kSetupAutoreKey));
    ASSERT_FALSE(more.First(kSetupAutoreKey));
  }
  const std::vector<std::string> tags = {"A", "BB", "CCC", "DDDD"};
  std::vector<pid_t> peers;
  for (const std::string& tag : tags) peers.push_back(Spawn(tag));
  common::testing::WriteFile(Go(), "");
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(common::testing::WaitPeer(peers[i]), 0) << ReadFile(folder_ / (tags[i] + ".out"));
  }
  for (const int kind : {kSetupMain, kSetupMore}) {
    TdbSetup c(kind);
    EXPECT_EQ(c.RecordCount(), 1);
  }
  // The last save of all was one program's last.
  const std::string last = TextAt(StoredMain(), 3171, 20);
  EXPECT_TRUE(std::any_of(tags.begin(), tags.end(), [&](const std::string& tag) {
    return last == tag + "-" + std::to_string(kRuns - 1);
  })) << last;
  EXPECT_EQ(CheckSetup(kSetupMain), "");
  EXPECT_EQ(CheckSetup(kSetupMore), "");
}

}  // namespace
}  // namespace logbook::testing
