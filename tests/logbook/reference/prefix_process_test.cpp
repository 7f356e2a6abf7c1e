// Several programs on one prefix database, each a real process (prefix_peer) in network mode.
#include "prefix_fixture.h"
#include "tests/common/peer_process.h"

namespace logbook::testing {
namespace {

using common::testing::ReadFile;

class PrefixProcessTest : public PrefixDbTest {
 protected:
  void SetUp() override {
    PrefixDbTest::SetUp();
    Add({{.prefix = "VP8", .dxcc = "VP8", .menue = "1"},
         {.prefix = "VP8", .dxcc = "VP8/G", .menue = "2"},
         {.prefix = "VP8", .dxcc = "VP8/H", .menue = "3"}});
  }

  // Starts a peer in the test folder; its standard output goes to "<out>.out".
  pid_t Spawn(std::vector<std::string> args, const std::string& out) {
    args.insert(args.begin(), folder_.path());
    return common::testing::SpawnPeer(PREFIX_PEER_PATH, std::move(args), Out(out));
  }
  static int Wait(pid_t pid) { return common::testing::WaitPeer(pid); }
  std::string Out(const std::string& name) const { return folder_ / (name + ".out"); }
  std::string Go() const { return folder_ / "go"; }
  static int Entries(int kind) {
    TdbPrefix cursor(kind);
    return cursor.UsedRecs();
  }
};

TEST_F(PrefixProcessTest, ACallLearntByOneProgramIsFoundByTheOthersNextResolution) {
  ASSERT_EQ(Wait(Spawn({"resolve", "VP8ABC", "2"}, "learner")), 0) << ReadFile(Out("learner"));
  EXPECT_EQ(ReadFile(Out("learner")), "dxcc=VP8/G chosen=1 asked=1\n");
  // This program has the tables open all along.
  TdbPrefix cursor;
  ASSERT_EQ(cursor.ResolveCall("VP8ABC", 0, true), ResolveResult::kResolved);
  EXPECT_EQ(cursor.GetDXCC(), "VP8/G");
  EXPECT_TRUE(port_->requests.empty());
  ASSERT_EQ(Wait(Spawn({"resolve", "VP8ABC"}, "reader")), 0);
  EXPECT_EQ(ReadFile(Out("reader")), "dxcc=VP8/G chosen=0 asked=0\n");
}

TEST_F(PrefixProcessTest, TwoProgramsLearningOneCallLeaveOneEntry) {
  const pid_t first = Spawn({"resolve", "VP8XYZ", "3", Go()}, "first");
  const pid_t second = Spawn({"resolve", "VP8XYZ", "3", Go()}, "second");
  common::testing::WriteFile(Go(), "");
  EXPECT_EQ(Wait(first), 0) << ReadFile(Out("first"));
  EXPECT_EQ(Wait(second), 0) << ReadFile(Out("second"));
  // The later one may already find the call learnt, and then asks nothing.
  for (const char* peer : {"first", "second"}) {
    EXPECT_EQ(ReadFile(Out(peer)).substr(0, 11), "dxcc=VP8/H ") << peer;
  }
  EXPECT_EQ(Entries(kPrefixLearnt), 1);
  Files().CloseFiles(ToDatPrefix::kStartupBits, false);
  EXPECT_EQ(Check(kPrefixLearnt), "");
}

TEST_F(PrefixProcessTest, TwoProgramsOpeningAtOnceReplaceEachOutdatedPrefixOnce) {
  constexpr int kEach = 100;  // records per outdated prefix
  for (const char* old_dxcc : {"ZK1N", "E5", "T9"}) {
    TdbPrefix cursor(kPrefixLearnt);
    cursor.SetWriteMode(nullptr, 1);
    for (int i = 0; i < kEach; ++i) {
      cursor.ClearBuffer();
      cursor.SetPrefix(std::string(old_dxcc) + "CALL" + std::to_string(i));
      cursor.SetDXCC(old_dxcc);
      ASSERT_TRUE(cursor.Insert());
    }
  }
  Files().CloseFiles(ToDatPrefix::kStartupBits, false);
  const pid_t first = Spawn({"open", Go()}, "first");
  const pid_t second = Spawn({"open", Go()}, "second");
  common::testing::WriteFile(Go(), "");
  ASSERT_EQ(Wait(first), 0) << ReadFile(Out("first"));
  ASSERT_EQ(Wait(second), 0) << ReadFile(Out("second"));
  int renamed = 0;
  for (const char* peer : {"first", "second"}) {
    const std::string out = ReadFile(Out(peer));
    ASSERT_EQ(out.rfind("renamed=", 0), 0u) << out;
    renamed += std::stoi(out.substr(8));
  }
  EXPECT_EQ(renamed, 3 * kEach);
  EXPECT_EQ(Check(kPrefixLearnt), "");
  ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kBitLearnt, false));
  EXPECT_EQ(Files().RenamedRecords(), 0);
  TdbPrefix cursor(kPrefixLearnt);
  int e5n = 0;
  int e7 = 0;
  for (bool ok = cursor.First(0); ok; ok = cursor.Next(false, true)) {
    e5n += cursor.GetDXCC() == "E5/N";
    e7 += cursor.GetDXCC() == "E7";
  }
  EXPECT_EQ(e5n, 2 * kEach);
  EXPECT_EQ(e7, kEach);
}

}  // namespace
}  // namespace logbook::testing
