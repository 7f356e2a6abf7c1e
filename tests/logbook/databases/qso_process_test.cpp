// Two users in their own processes add QSOs to one shared layout-9 logbook at once. Afterwards
// every QSO is there with its own number, the numbers run from 1 without a gap, and the files
// pass the checker.
#include <set>
#include <string>
#include <vector>

#include "logbook/databases/qso_keys.h"
#include "qso_fixture.h"
#include "tests/common/peer_process.h"

namespace logbook::testing {
namespace {

constexpr int kQsos = 1000;

class QsoProcessTest : public QsoTest {
 protected:
  pid_t Spawn(std::int32_t project, int seed) {
    return common::testing::SpawnPeer(
        QSO_PEER_PATH,
        {folder_.path(), std::to_string(project), std::to_string(seed), std::to_string(kQsos)},
        folder_ / ("peer" + std::to_string(seed) + ".out"));
  }
};

TEST_F(QsoProcessTest, TwoWritersNumberEveryQsoOnce) {
  const std::int32_t number = AddProject(ProjectOf(9));
  TdbProject project;
  ASSERT_TRUE(project.FindNumber(number));
  {
    TdbQSOBase create(&project, false, 0, "", kLogbookLB5);  // the files exist before the peers
    ASSERT_TRUE(create.OpenedHere());
  }
  const std::vector<pid_t> peers = {Spawn(number, 1), Spawn(number, 2)};
  for (std::size_t i = 0; i < peers.size(); ++i) {
    EXPECT_EQ(common::testing::WaitPeer(peers[i]), 0) << common::testing::ReadFile(
        folder_ / ("peer" + std::to_string(i + 1) + ".out"));
  }
  std::set<std::uint32_t> numbers;
  {
    TdbQSOBase log(&project, false, 0, "", kLogbookLB5);
    for (bool ok = log.First(1); ok; ok = log.Next(false, true)) {
      EXPECT_TRUE(numbers.insert(log.Stored().number).second) << log.Stored().number;
    }
  }
  ASSERT_EQ(numbers.size(), 2u * kQsos);
  EXPECT_EQ(*numbers.begin(), 1u);
  EXPECT_EQ(*numbers.rbegin(), 2u * kQsos);
  EXPECT_EQ(Check("LB5" + common::IntToStrAt(number, 5),
                  ProjectLogbookKeys(project, kLogbookLB5, false).builder, sizeof(TQSORec), true),
            "");
}

}  // namespace
}  // namespace logbook::testing
