// TdbBase: the base behaviour of its operations, cursors that share one file, re-finding a
// cursor's own record, the write mode, and a cursor without a file.
#include "common/key_text.h"
#include "storage/db_error.h"
#include "table_fixture.h"

namespace storage_test {
namespace {

// A cursor class that overrides nothing: GetTreiber gives nullptr.
class TdbNothing final : public storage::TdbBase {
 public:
  TdbNothing() : TdbBase(0) {}
};

TEST(TdbBaseWithoutTreiber, AnswersFalseAndZeroEverywhereAndChangesNothing) {
  TdbNothing t;
  std::string text = "keep";
  EXPECT_FALSE(t.Find("A", 2, true));
  EXPECT_EQ(t.Reserved(), 0);
  EXPECT_EQ(t.GetTreiber(), nullptr);
  EXPECT_FALSE(t.First(0));
  EXPECT_FALSE(t.Last(2));
  EXPECT_FALSE(t.Delete(true));
  EXPECT_FALSE(t.Next(true, true));
  EXPECT_EQ(t.RecordCount(), 0);
  t.GetAutoKeyText(text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(t.AutoKeyNo(), 1);
  t.LockFile();
  EXPECT_FALSE(t.FileLocked());
  t.UnlockFile();
  t.EraseFiles();
  EXPECT_FALSE(t.Search("A", 1));
  EXPECT_FALSE(t.FindAutoKey("A"));
  EXPECT_FALSE(t.Reposition(true));
  EXPECT_FALSE(t.SeekRef(-1));
  EXPECT_FALSE(t.GotoRef(1));
  EXPECT_FALSE(t.FirstByKey(1));
  EXPECT_FALSE(t.MoveNext(1));
  EXPECT_FALSE(t.MovePrev(1));
  EXPECT_EQ(t.BuildKey(1), "");
  EXPECT_EQ(t.CurrentRef(), 0);
  EXPECT_EQ(t.UsedRecs(), 0);
  EXPECT_EQ(t.RecordBuffer(), nullptr);
  t.ClearDriverBuffer();
  EXPECT_FALSE(t.Update(0));
  EXPECT_FALSE(t.Insert(0));
  EXPECT_FALSE(t.IsBuffered(nullptr));
  EXPECT_FALSE(t.SetWriteMode(nullptr, 1));
  EXPECT_EQ(t.CurrentKey(), 0);
  EXPECT_EQ(t.InitKeyText(), "");
}

class CursorTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    ASSERT_EQ(Club().OpenFiles(ToDatClub::kStationsBit, false), storage::TdbTreiber::kOpened);
    // Numbers 1 to 4; by call (key 2) the order is 4, 2, 1, 3.
    AddStation("DL1ABC", "Anna");
    AddStation("DK2XY", "Bernd");
    AddStation("DO3ZZ", "Carla");
    AddStation("DA0XX", "Dora");
  }
  void TearDown() override {
    Club().CloseFiles(ToDatClub::kStationsBit, false);
    EXPECT_EQ(Fkt().DoneDatabase(), "");
    EXPECT_EQ(Check(ToDatClub::kStations), "");
  }
};

TEST_F(CursorTest, FirstWithKeyZeroUsesKeyOneAndLastKeepsZero) {
  TdbStation s;
  ASSERT_TRUE(s.First(2));
  EXPECT_EQ(s.Record().call.str(), "DA0XX");
  ASSERT_TRUE(s.First(0));
  EXPECT_EQ(s.CurrentKey(), 1);
  EXPECT_EQ(s.Record().number, 1);
  ASSERT_TRUE(s.Last(0));  // record order
  EXPECT_EQ(s.CurrentKey(), 0);
  EXPECT_EQ(s.Record().number, 4);
}

TEST_F(CursorTest, NextWithRepositionReFindsTheRecordAfterAnotherCursorMovedTheDriver) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.First(2));  // DA0XX
  ASSERT_TRUE(other.Last(2));  // the shared driver now stands on DO3ZZ

  ASSERT_TRUE(mine.Next(true, true));
  EXPECT_EQ(mine.Record().call.str(), "DK2XY");
  EXPECT_EQ(mine.CurrentKey(), 2);

  ASSERT_TRUE(other.Last(2));
  EXPECT_FALSE(mine.Next(false, true));  // without re-finding: on from the other's record
}

TEST_F(CursorTest, DeleteRemovesTheCursorsOwnRecordNotTheDriversCurrentOne) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.Find(common::LongIntToKey(2), 1, true));
  ASSERT_TRUE(other.First(1));
  ASSERT_TRUE(mine.Delete(false));
  EXPECT_FALSE(mine.FindAutoKey(common::LongIntToKey(2)));
  EXPECT_TRUE(other.FindAutoKey(common::LongIntToKey(1)));
  EXPECT_EQ(mine.RecordCount(), 3);
}

TEST_F(CursorTest, DeleteOfARecordThatIsGoneDeletesNothing) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.Find(common::LongIntToKey(3), 1, true));
  ASSERT_TRUE(other.Find(common::LongIntToKey(3), 1, true));
  ASSERT_TRUE(other.Delete(false));
  EXPECT_FALSE(mine.Delete(false));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_EQ(mine.RecordCount(), 3);

  TdbStation fresh;  // has read nothing: its empty auto-key text must not find any record
  EXPECT_FALSE(fresh.Delete(false));
  EXPECT_EQ(fresh.RecordCount(), 3);
}

TEST_F(CursorTest, UpdateAfterAnotherCursorMovedTheDriverWritesTheCursorsOwnRecord) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.Find(common::LongIntToKey(2), 1, true));
  ASSERT_TRUE(other.Last(1));
  mine.Record().name = "Berndt";
  ASSERT_TRUE(mine.Update());
  ASSERT_TRUE(other.Find(common::LongIntToKey(4), 1, true));
  EXPECT_EQ(other.Record().name.str(), "Dora");
  ASSERT_TRUE(other.Find(common::LongIntToKey(2), 1, true));
  EXPECT_EQ(other.Record().name.str(), "Berndt");
}

TEST_F(CursorTest, FindKeepsItsErrorClassThroughAFetchThatCallsTheDriver) {
  // A fetch that asks the driver something clears the operation stack; the find's class stays.
  class TdbAsking final : public TdbStation {
   public:
    void FetchRecord(bool to_working, bool to_read, int number) override {
      TdbStation::FetchRecord(to_working, to_read, number);
      asked_ref = CurrentRef();
    }
    std::int32_t asked_ref = 0;
  };
  TdbAsking s;
  EXPECT_FALSE(s.Find("NOSUCHCALL", 2, true));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_FALSE(s.Search("\xFF", 2));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  ASSERT_TRUE(s.First(2));
  EXPECT_EQ(s.asked_ref, 4);
}

TEST_F(CursorTest, SeekRefAndGotoRef) {
  TdbStation s;
  ASSERT_TRUE(s.GotoRef(3));
  EXPECT_EQ(s.Record().call.str(), "DO3ZZ");
  EXPECT_TRUE(s.SeekRef(3));
  EXPECT_TRUE(s.SeekRef(-1));
  ASSERT_TRUE(s.SeekRef(1));
  EXPECT_EQ(s.Record().call.str(), "DL1ABC");
  EXPECT_THROW(s.GotoRef(99), storage::EDBError);  // a reference beyond the file is serious
}

TEST_F(CursorTest, WriteModeChangesOnlyWhenItDiffers) {
  TdbStation s;
  EXPECT_FALSE(s.IsBuffered(nullptr));       // the data object flushes after every write
  EXPECT_FALSE(s.SetWriteMode(nullptr, 0));  // already so
  EXPECT_TRUE(s.SetWriteMode(nullptr, 1));
  EXPECT_TRUE(s.IsBuffered(nullptr));
  EXPECT_FALSE(s.SetWriteMode(nullptr, 1));
  EXPECT_FALSE(s.SetWriteMode(nullptr, 2));
  EXPECT_TRUE(s.SetWriteMode(Club().Treiber(ToDatClub::kStations), 0));
  EXPECT_FALSE(s.IsBuffered(nullptr));
}

}  // namespace
}  // namespace storage_test
