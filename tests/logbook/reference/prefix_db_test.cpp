// The prefix tables: cursors and their tables, whole calls in the learnt and exact-call tables,
// the lookups' memory, and the replacement of outdated DXCC prefixes.
#include "prefix_fixture.h"
#include "tests/storage/driver/fault_engine.h"

namespace logbook::testing {
namespace {

using common::testing::ReadFile;

std::string Dxcc(int kind, const std::string& call) {
  TdbPrefix cursor(kind);
  return cursor.FindExact(call) ? cursor.GetDXCC() : "(none)";
}

TEST_F(PrefixDbTest, ACursorOpensItsTableOnlyWhenNoOneHasItOpen) {
  Files().CloseFiles(ToDatPrefix::kStartupBits, false);
  {
    TdbPrefix first(kPrefixLearnt);
    EXPECT_TRUE(first.OpenedHere());
    {
      TdbPrefix second(kPrefixLearnt);
      EXPECT_FALSE(second.OpenedHere());
    }
    EXPECT_TRUE(Files().IsOpen(kPrefixLearnt));
    EXPECT_FALSE(Files().IsOpen(kPrefixMain));
  }
  EXPECT_FALSE(Files().IsOpen(kPrefixLearnt));
  // With the skip flag nothing is opened and nothing is found.
  TdbPrefix skipping(kPrefixMain, 1);
  EXPECT_FALSE(Files().IsOpen(kPrefixMain));
  EXPECT_FALSE(skipping.NearestPrefix("DL"));
}

TEST_F(PrefixDbTest, LearntAndExactCallTablesHoldCallsOfFourteenCharactersWhole) {
  for (const int kind : {kPrefixLearnt, kPrefixExact}) {
    Add(kind, {{.prefix = "DL1ABCDEFGHIJK", .dxcc = "DL"}, {.prefix = "DL1ABC", .dxcc = "F"}});
    TdbPrefix cursor(kind);
    ASSERT_TRUE(cursor.FindExact("DL1ABCDEFGHIJK")) << kind;
    EXPECT_EQ(cursor.GetPrefix(), "DL1ABCDEFGHIJK");
    EXPECT_EQ(cursor.GetRecord().prefix.str(), "DL1ABC");
    EXPECT_EQ(cursor.GetQSLBureau(), "");
    EXPECT_EQ(Dxcc(kind, "DL1ABC"), "F");
    // The whole call is the table's unique key.
    cursor.SetPrefix("DL1ABC");
    EXPECT_FALSE(cursor.Insert());
    EXPECT_EQ(Check(kind), "");
  }
  TdbPrefix main;
  main.SetPrefix("DL1ABCDEF");
  EXPECT_EQ(main.GetPrefix(), "DL1ABC");
}

// A remembered answer describes the record the cursor holds; any other positioning forgets it.
TEST_F(PrefixDbTest, ARememberedAnswerIsForgottenWhenTheCursorMoves) {
  Add({{.prefix = "DL", .dxcc = "DL"},
       {.prefix = "F", .dxcc = "F"},
       {.prefix = "VP8", .dxcc = "VP8", .menue = "1"}});
  TdbPrefix cursor;
  ASSERT_EQ(cursor.ResolveCall("DL1ABC", kToday), ResolveResult::kResolved);
  ASSERT_TRUE(cursor.FindExact("F"));
  ASSERT_EQ(cursor.ResolveCall("DL1ABC", kToday), ResolveResult::kResolved);
  EXPECT_EQ(cursor.GetDXCC(), "DL");
  EXPECT_EQ(cursor.GetPrefix(), "DL1");

  ASSERT_TRUE(cursor.FindByPrefixAndKey("VP8", "1"));
  ASSERT_TRUE(cursor.FindExact("F"));
  ASSERT_TRUE(cursor.FindByPrefixAndKey("VP8", "1"));
  EXPECT_EQ(cursor.GetDXCC(), "VP8");
}

class OutdatedDxccTest : public PrefixDbTest {
 protected:
  using PrefixDbTest::PrefixDbTest;
  void SetUp() override {
    PrefixDbTest::SetUp();
    Add(kPrefixLearnt, {{.prefix = "ZK1ABC", .dxcc = "ZK1N"},
                        {.prefix = "E51AA", .dxcc = "E5"},
                        {.prefix = "ZK1XY", .dxcc = "ZK1/S"},
                        {.prefix = "E50AB", .dxcc = "E50"},
                        {.prefix = "T91A", .dxcc = "T9"},
                        {.prefix = "DL1ABC", .dxcc = "DL"}});
    Add(kPrefixMain, {{.prefix = "T9", .dxcc = "T9"}});
    Add(kPrefixExact, {{.prefix = "DL1ABC", .dxcc = "DL"}});
  }
  void ExpectRenamed(bool renamed) {
    struct Renamed {
      const char* call;
      const char* before;
      const char* after;
    };
    const Renamed rows[] = {{"ZK1ABC", "ZK1N", "E5/N"}, {"E51AA", "E5", "E5/N"},
                            {"ZK1XY", "ZK1/S", "E5/S"}, {"E50AB", "E50", "E5/S"},
                            {"T91A", "T9", "E7"},       {"DL1ABC", "DL", "DL"}};
    for (const Renamed& row : rows) {
      EXPECT_EQ(Dxcc(kPrefixLearnt, row.call), renamed ? row.after : row.before) << row.call;
    }
    EXPECT_EQ(Dxcc(kPrefixMain, "T9"), "T9");  // the main table is never touched
  }
};

TEST_F(OutdatedDxccTest, TheFirstOpeningReplacesThemPairByPairAndLeavesOtherTablesAsTheyWere) {
  Files().CloseFiles(ToDatPrefix::kStartupBits, false);
  const std::string exact = ReadFile(folder_ / "PXPREFES.DAT") + ReadFile(folder_ / "PXPREFES.IX");
  ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kStartupBits, false));
  ExpectRenamed(true);
  Files().CloseFiles(ToDatPrefix::kStartupBits, true);
  EXPECT_EQ(ReadFile(folder_ / "PXPREFES.DAT") + ReadFile(folder_ / "PXPREFES.IX"), exact);
  ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kBitLearnt, false));
  EXPECT_EQ(Check(kPrefixLearnt), "");
}

TEST_F(OutdatedDxccTest, ASharedOpeningReplacesNothingTheClosingWithUpdateDoes) {
  ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kBitLearnt, false));  // shared: a second use
  ExpectRenamed(false);
  Files().CloseFiles(ToDatPrefix::kBitLearnt, false);
  EXPECT_TRUE(Files().IsOpen(kPrefixLearnt));
  Files().CloseFiles(ToDatPrefix::kBitMain, true);
  ExpectRenamed(true);
}

// The fileblock lock of every write is refused while armed: another user holds the file.
class LockedWriteTest : public OutdatedDxccTest {
 protected:
  LockedWriteTest() : OutdatedDxccTest(MakeEngine(this)) {}
  // Refuses at most 40 locks, so that a replacement that went on would end too, with more
  // questions.
  static std::unique_ptr<storage::DriverEngine> MakeEngine(LockedWriteTest* test) {
    auto engine = std::make_unique<storage_test::FaultEngine>();
    engine->inject = [test](const std::string& op) {
      const bool refuse = op == "LockFile" && test->armed_ && ++test->refusals_ <= 40;
      return refuse ? storage::kIsamWriteLockRefused : 0;
    };
    return engine;
  }
  bool armed_ = false;
  int refusals_ = 0;
};

TEST_F(LockedWriteTest, AWriteThatFailsEndsTheReplacement) {
  Files().CloseFiles(ToDatPrefix::kStartupBits, false);
  armed_ = true;
  presenter_->answers = {false, false, false, false, false};  // "try again?": no
  ASSERT_TRUE(Files().OpenFiles(ToDatPrefix::kBitLearnt, false));
  EXPECT_EQ(presenter_->calls.size(), 1u);
  armed_ = false;
  ExpectRenamed(false);
}

}  // namespace
}  // namespace logbook::testing
