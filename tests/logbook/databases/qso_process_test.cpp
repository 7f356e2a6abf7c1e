// Two users in their own processes add QSOs to one shared layout-9 logbook at once. Afterwards
// every QSO is there with its own number, the numbers run from 1 without a gap, and the files
// pass the checker. Two programs open one logbook and renew its DXCC prefixes at once, and a
// record another program holds locked ends the renewal.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include "logbook/databases/qso_keys.h"
#include "logbook/databases/qso_table.h"
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
  pid_t SpawnMode(std::vector<std::string> args, const std::string& out) {
    args.insert(args.begin() + 1, folder_.path());
    return common::testing::SpawnPeer(QSO_PEER_PATH, args, folder_ / out);
  }
  std::string Output(const std::string& out) { return common::testing::ReadFile(folder_ / out); }

  // A layout-9 logbook of `old` QSOs of "PJ2" before 10.10.2010 and one of 2011.
  std::unique_ptr<TdbProject> PjLogbook(int old) {
    auto project = std::make_unique<TdbProject>();
    EXPECT_TRUE(project->FindNumber(AddProject(ProjectOf(9))));
    TdbQSO log(project.get(), 0, 0);
    log.SetWriteMode(nullptr, 1);
    for (int i = 0; i <= old; ++i) {
      const std::string day = i == old ? "01.01.2011" : RandomQsos::Two(1 + i % 28) + ".05.2009";
      log.SetRecord(TaggedQso({{2, "PJ2A" + std::to_string(i)}, {1, day}, {3, "PJ2"}}));
      EXPECT_TRUE(log.Insert());
    }
    return project;
  }
  // QSOs of the DXCC in the logbook.
  static int CountOf(TdbProject& project, const std::string& dxcc) {
    TdbQSO log(&project, 0, 0);
    int n = 0;
    for (bool ok = log.First(1); ok; ok = log.Next(false, true)) n += log.GetFieldText(3) == dxcc;
    return n;
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
  EXPECT_EQ(CheckLogbook(project), "");
}

TEST_F(QsoProcessTest, TwoProgramsRenewEachQsoOnce) {
  constexpr int kOld = 300;
  auto project = PjLogbook(kOld);
  const std::string number = std::to_string(project->GetGroupValue());
  const std::vector<pid_t> peers = {SpawnMode({"pass", number}, "a.out"),
                                    SpawnMode({"pass", number}, "b.out")};
  int changed = 0;
  for (std::size_t i = 0; i < peers.size(); ++i) {
    const std::string out = i == 0 ? "a.out" : "b.out";
    ASSERT_EQ(common::testing::WaitPeer(peers[i]), 0) << Output(out);
    const std::string text = Output(out);
    ASSERT_EQ(text.rfind("changed ", 0), 0u) << text;
    changed += std::stoi(text.substr(8));
  }
  // A write refused because the other program changed the record first ends that program's
  // pass; what both changed together is every QSO at most once.
  EXPECT_GT(changed, 0);
  EXPECT_EQ(CountOf(*project, "PJ2-"), changed);
  EXPECT_EQ(CountOf(*project, "PJ2") + changed, kOld + 1);
  EXPECT_EQ(CheckLogbook(*project), "");
}

TEST_F(QsoProcessTest, ARecordLockedByAnotherProgramEndsThePass) {
  auto project = PjLogbook(3);
  std::int32_t first = 0;
  {
    TdbQSO log(project.get(), 0, 0);
    ASSERT_TRUE(log.SeekDxcc("PJ2"));
    first = log.CurrentRef();
  }
  const pid_t locker = SpawnMode(
      {"lock", "LB5" + common::IntToStrAt(project->GetGroupValue(), 5), std::to_string(first)},
      "lock.out");
  for (int i = 0; i < 200 && Output("lock.out").find("locked") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_NE(Output("lock.out").find("locked"), std::string::npos) << Output("lock.out");
  presenter_->answers = {false, false, false};
  Files().SetDxccPass([](TdbProject& p) { EXPECT_EQ(ReassignDxccOf(p), 0); });
  { TdbQSO log(project.get(), 0, 0); }
  std::ofstream(folder_ / "release") << "go";
  EXPECT_EQ(common::testing::WaitPeer(locker), 0);
  for (const auto& call : presenter_->calls) EXPECT_NE(call.kind, common::MessageKind::kHinweis);
  EXPECT_EQ(CountOf(*project, "PJ2"), 4);
  EXPECT_EQ(CheckLogbook(*project), "");
}

}  // namespace
}  // namespace logbook::testing
