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
  t.GetAutoKeyText(text);
  t.LockFile();
  t.UnlockFile();
  t.EraseFiles();
  t.ClearDriverBuffer();
  EXPECT_FALSE(t.Find("A", 2, true) || t.First(0) || t.Last(2) || t.Delete(true) ||
               t.Next(true, true) || t.Search("A", 1) || t.FindAutoKey("A") || t.Reposition(true) ||
               t.SeekRef(-1) || t.GotoRef(1) || t.FirstByKey(1) || t.MoveNext(1) || t.MovePrev(1) ||
               t.Update(0) || t.Insert(0) || t.IsBuffered(nullptr) || t.SetWriteMode(nullptr, 1) ||
               t.FileLocked());
  EXPECT_EQ((std::vector<std::int64_t>{t.Reserved(), t.RecordCount(), t.CurrentRef(), t.UsedRecs(),
                                       t.CurrentKey(), t.AutoKeyNo()}),
            (std::vector<std::int64_t>{0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(t.GetTreiber(), nullptr);
  EXPECT_EQ(t.RecordBuffer(), nullptr);
  EXPECT_EQ(text + t.BuildKey(1) + t.InitKeyText(), "");
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

TEST_F(CursorTest, FirstWithKeyZeroUsesKeyOneAndNextRepositionsAfterAnotherCursorMoved) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.First(0));
  EXPECT_EQ(mine.CurrentKey(), 1);
  EXPECT_EQ(mine.Record().number, 1);
  ASSERT_TRUE(other.Last(0));  // record order
  EXPECT_EQ(other.CurrentKey(), 0);
  EXPECT_EQ(other.Record().number, 4);
  ASSERT_TRUE(mine.First(2));  // DA0XX
  ASSERT_TRUE(other.Last(2));  // the shared driver now stands on DO3ZZ
  ASSERT_TRUE(mine.Next(true, true));
  EXPECT_EQ(mine.Record().call.str(), "DK2XY");
  EXPECT_EQ(mine.CurrentKey(), 2);
  ASSERT_TRUE(other.Last(2));
  EXPECT_FALSE(mine.Next(false, true));  // without re-finding: on from the other's record
}

TEST_F(CursorTest, WritesHitTheCursorsOwnRecordAfterAnotherCursorMovedTheDriver) {
  TdbStation mine;
  TdbStation other;
  ASSERT_TRUE(mine.Find(common::LongIntToKey(2), 1, true));
  ASSERT_TRUE(other.Last(1));
  mine.Record().name = "Berndt";
  ASSERT_TRUE(mine.Update());
  ASSERT_TRUE(other.FindAutoKey(common::LongIntToKey(4)));
  EXPECT_EQ(other.Record().name.str(), "Dora");
  ASSERT_TRUE(other.FindAutoKey(common::LongIntToKey(2)));
  EXPECT_EQ(other.Record().name.str(), "Berndt");
  ASSERT_TRUE(other.First(1));
  ASSERT_TRUE(mine.Delete(false));
  EXPECT_FALSE(mine.FindAutoKey(common::LongIntToKey(2)));
  EXPECT_TRUE(other.FindAutoKey(common::LongIntToKey(1)));
  // A record that is gone, or no record read at all (an empty auto-key text), deletes nothing.
  ASSERT_TRUE(mine.Find(common::LongIntToKey(3), 1, true));
  ASSERT_TRUE(other.Find(common::LongIntToKey(3), 1, true) && other.Delete(false));
  EXPECT_FALSE(mine.Delete(false));
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_FALSE(TdbStation().Delete(false));
  EXPECT_EQ(mine.RecordCount(), 2);
}

// A fetch that asks the driver something clears the operation stack; the find's class stays.
TEST_F(CursorTest, FindKeepsItsErrorClassThroughAFetchThatCallsTheDriver) {
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

TEST_F(CursorTest, SeekRefGotoRefAndTheWriteMode) {
  TdbStation s;
  ASSERT_TRUE(s.GotoRef(3));
  EXPECT_EQ(s.Record().call.str(), "DO3ZZ");
  EXPECT_TRUE(s.SeekRef(3));
  EXPECT_TRUE(s.SeekRef(-1));
  ASSERT_TRUE(s.SeekRef(1));
  EXPECT_EQ(s.Record().call.str(), "DL1ABC");
  EXPECT_THROW(s.GotoRef(99), storage::EDBError);  // a reference beyond the file is serious
  EXPECT_FALSE(s.IsBuffered(nullptr));             // the data object flushes after every write
  EXPECT_FALSE(s.SetWriteMode(nullptr, 0));        // already so
  EXPECT_TRUE(s.SetWriteMode(nullptr, 1));
  EXPECT_TRUE(s.IsBuffered(nullptr));
  EXPECT_FALSE(s.SetWriteMode(nullptr, 1) || s.SetWriteMode(nullptr, 2));
  EXPECT_TRUE(s.SetWriteMode(Club().Treiber(ToDatClub::kStations), 0));
  EXPECT_FALSE(s.IsBuffered(nullptr));
}

}  // namespace
}  // namespace storage_test
