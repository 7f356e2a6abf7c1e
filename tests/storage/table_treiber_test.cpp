// TdbTreiber: sharing one file by name, the use count, closing and forced freeing, the life of the
// shared record buffer, and the answers of a TdbTreiber that is not open.
#include <cstring>

#include "storage/db_error.h"
#include "storage/table_keys.h"
#include "table_fixture.h"

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

}  // namespace
}  // namespace storage_test
