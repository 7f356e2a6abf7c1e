// The table layer: TdbTreiber sharing one file by name with its use count, closing, forced freeing
// and the life of the shared buffer; TdbBase cursors sharing one file and re-finding their own
// record; and the answers of both without a file.
#include <cstring>
#include <functional>
#include <utility>

#include "common/key_text.h"
#include "storage/driver/db_error.h"
#include "storage/tables/table_keys.h"
#include "tests/storage/tables/table_fixture.h"

namespace storage_test {
namespace {

using storage::TdbTreiber;

class TreiberTest : public TableTest {
 protected:
  // The stations file, opened directly; `keys` key definitions of lengths 5, 10 and 30 (and 30).
  storage::TreiberOpenParams Params(int keys = 3) {
    storage::TreiberOpenParams p;
    p.max_length = p.min_length = sizeof(StationRec);
    p.file_name = p.path = "CLSTAT";
    p.key_count = 3;
    p.key_builder = ToDatClub::StationKeys;
    p.open_mode = 1;
    keys_ = storage::ToKeys();
    for (int i = 0; i < keys; ++i) keys_.Add(i == 0 ? 5 : i == 1 ? 10 : 30, i == 2, "");
    p.keys = &keys_;
    return p;
  }
  void TearDown() override { EXPECT_EQ(Fkt().DoneDatabase(), ""); }  // no file left open

  static StationRec& Rec(TdbTreiber& t) { return *reinterpret_cast<StationRec*>(t.RecordBuffer()); }

  static void Add(TdbTreiber& t, const std::string& call) {
    t.ClearRecord();
    Rec(t).call = call;
    ASSERT_TRUE(t.Insert(0)) << call;
  }
  storage::ToKeys keys_;
};

TEST_F(TreiberTest, LaterOpensShareDriverBufferAndFirstKeysAndCloseLowersTheUseCount) {
  TdbTreiber first;
  TdbTreiber second;
  TdbTreiber third;
  ASSERT_EQ(first.Open(Params()), TdbTreiber::kOpened);
  first.SetAutoKeyField(1, 4, false);
  // Four key definitions for a three-key driver would be refused, were they defined at all.
  ASSERT_EQ(second.Open(Params(4)), TdbTreiber::kShared);
  ASSERT_EQ(third.Open(Params()), TdbTreiber::kShared);
  EXPECT_EQ(storage::DriverErrorClass(), 0);
  EXPECT_EQ(second.Driver(), first.Driver());
  EXPECT_EQ(second.RecordBuffer(), first.RecordBuffer());
  EXPECT_EQ(first.UseCount(), 2);
  Add(first, "DL1ABC");
  Add(first, "DK2XY");
  ASSERT_TRUE(first.First(2));  // positions the shared driver
  EXPECT_EQ(Rec(second).call.str(), "DK2XY");
  EXPECT_EQ(second.CurrentRef(), first.CurrentRef());
  EXPECT_EQ(Rec(second).number, 2);  // the first opener's AUTOKEY numbers for every user
  first.Close();  // the first opener goes first: the file stays open for the others
  EXPECT_EQ(second.UseCount(), 1);
  EXPECT_TRUE(first.IsOpen(false));
  EXPECT_EQ(second.UsedRecs(), 2);
  second.Close();
  EXPECT_EQ(third.UseCount(), 0);
  EXPECT_NE(storage::FindOpenDriver("CLSTAT"), nullptr);
  third.Close();  // the last close: every user counts as closed
  for (TdbTreiber* t : {&first, &second, &third}) {
    EXPECT_FALSE(t->IsOpen(false));
    EXPECT_EQ(t->RecordBuffer(), nullptr);
  }
  EXPECT_EQ(storage::FindOpenDriver("CLSTAT"), nullptr);
  first.Close();  // a later close of a user of the destroyed driver does nothing
}

TEST_F(TreiberTest, ForcedFreeClosesForEveryUserAndEmptiesTheSlot) {
  auto slot = std::make_unique<TdbTreiber>();
  TdbTreiber sharer;
  ASSERT_EQ(slot->Open(Params()), TdbTreiber::kOpened);
  ASSERT_EQ(sharer.Open(Params()), TdbTreiber::kShared);
  TdbTreiber::Free(true, slot, false);  // skip without force: nothing
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->UseCount(), 1);
  TdbTreiber::Free(false, slot, false);  // one close; the object stays
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->UseCount(), 0);
  ASSERT_EQ(sharer.Open(Params()), TdbTreiber::kShared);
  TdbTreiber::Free(false, slot, true);
  EXPECT_EQ(slot, nullptr);
  EXPECT_FALSE(sharer.IsOpen(false));
  EXPECT_TRUE(System().OpenDrivers().empty());
  TdbTreiber::Free(false, slot, true);  // an empty slot: nothing
}

TEST_F(TreiberTest, SharedBufferLivesAsLongAsItsLastUser) {
  auto first = std::make_unique<TdbTreiber>();
  ASSERT_EQ(first->Open(Params()), TdbTreiber::kOpened);
  TdbTreiber sharer;
  ASSERT_EQ(sharer.Open(Params()), TdbTreiber::kShared);
  Add(*first, "DL1ABC");
  const std::uint8_t* taken = sharer.RecordBuffer();
  first->Close();  // and is freed; the sharer's close then destroys the driver
  first.reset();
  sharer.Close();
  EXPECT_FALSE(sharer.IsOpen(false));
  StationRec seen;  // the buffer its user still holds stays readable (the sanitizer build checks)
  std::memcpy(&seen, taken, sizeof seen);
  EXPECT_EQ(seen.call.str(), "DL1ABC");
}

// A refused open (skipped, or refused by the driver) leaves it closed, with no driver behind.
TEST_F(TreiberTest, NotOpenAnswersNothingAndLeavesTheErrorClass) {
  TdbTreiber closed;
  storage::TreiberOpenParams p = Params();
  p.skip = true;
  EXPECT_EQ(closed.Open(p), TdbTreiber::kNotOpened);
  p.skip = false;
  p.max_length = p.min_length = 20;  // below 21: serious
  EXPECT_THROW(closed.Open(p), storage::EDBError);
  EXPECT_TRUE(System().OpenDrivers().empty());
  TdbTreiber open;
  ASSERT_EQ(open.Open(Params()), TdbTreiber::kOpened);
  EXPECT_FALSE(open.Find(2, "NONE"));
  ASSERT_EQ(storage::DriverErrorClass(), 1);
  std::int32_t ref = 7;
  std::string text = "X";
  closed.ClearRecord();
  closed.SetAutoKeyField(1, 4, false);
  EXPECT_FALSE(closed.IsOpen(false) || closed.First(1) || closed.Last(1) || closed.Next(1) ||
               closed.Prev(1) || closed.Find(1, "A") || closed.Search(1, "A") || closed.Update(0) ||
               closed.Insert(0) || closed.Delete(true) || closed.GotoRef(1) || closed.LockFile() ||
               closed.EraseFiles() || closed.NextKey(1, ref, text) ||
               closed.PrevKey(1, ref, text) || closed.FindKeyAndRef(1, ref, text, 1) ||
               closed.GetFlushEachWrite());
  EXPECT_EQ((std::vector<std::int32_t>{closed.CurrentRef(), closed.UsedRecs(), closed.UsedKeys(1),
                                       closed.CountByKey(1), ref}),
            (std::vector<std::int32_t>{0, 0, 0, 0, 7}));
  EXPECT_EQ(closed.RecordBuffer(), nullptr);
  EXPECT_EQ(closed.BuildKey(1) + text, "X");
  EXPECT_EQ(storage::DriverErrorClass(), 1);
  EXPECT_FALSE(open.IsOpen(true));
  EXPECT_TRUE(TdbTreiber::DriverSystemReady(false));
  EXPECT_EQ(closed.Open(Params()),
            TdbTreiber::kShared);  // a refused open does not stand in the way
  closed.Close();
  open.Close();
  EXPECT_EQ(Fkt().DoneDatabase(), "");
  EXPECT_FALSE(TdbTreiber::DriverSystemReady(false));
  EXPECT_TRUE(TdbTreiber::DriverSystemReady(true));
}

// An open inside a running call of the driver system (here from the key builder, as from a
// question the driver asks) fails with the refusal recorded, and the file the opening handle
// holds stays open for its users; outside such a call the handle shares it as before.
TEST_F(TreiberTest, AnOpenInsideADriverCallFailsAndKeepsTheFileTheHandleHolds) {
  auto slot = std::make_unique<TdbTreiber>();
  std::function<void()> inside_call;
  storage::TreiberOpenParams p = Params();
  p.key_builder = [&](const std::uint8_t* record, std::uint16_t key, std::string& text) {
    if (inside_call) std::exchange(inside_call, nullptr)();
    ToDatClub::StationKeys(record, key, text);
  };
  ASSERT_EQ(slot->Open(p), TdbTreiber::kOpened);
  int nested = -1;
  int error_class = 0;
  inside_call = [&] {
    nested = slot->Open(p);
    error_class = storage::DriverErrorClass();
  };
  Add(*slot, "DL1ABC");
  EXPECT_EQ(nested, TdbTreiber::kNotOpened);
  EXPECT_NE(error_class, 0);
  ASSERT_TRUE(slot->IsOpen(false));
  EXPECT_EQ(slot->UsedRecs(), 1);
  EXPECT_EQ(slot->UseCount(), 0);
  EXPECT_EQ(slot->Open(p), TdbTreiber::kShared);
  TdbTreiber::Free(false, slot, true);
}

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
