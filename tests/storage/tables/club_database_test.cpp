// The club database through its whole life: add, find, update, delete, reopen, and the checker
// over the closed files.
#include "common/key_text.h"
#include "tests/storage/tables/table_fixture.h"

namespace storage_test {
namespace {

constexpr std::int32_t kDay = 154000;  // a day number in the 2020s

std::string CallKey(const std::string& call) { return call + std::string(10 - call.size(), ' '); }

TEST_F(TableTest, ClubDatabaseLivesThroughAddFindUpdateDeleteAndReopen) {
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kAllFiles, false), storage::TdbTreiber::kOpened);
  // The auto numbers count up per file.
  EXPECT_EQ(AddStation("DL1ABC", "Anna"), 1);
  EXPECT_EQ(AddStation("DK2XY", "Bernd"), 2);
  EXPECT_EQ(AddStation("DO3ZZ", "Anna"), 3);
  EXPECT_EQ(AddContact("DK2XY", "20", kDay, 3600), 1);
  EXPECT_EQ(AddContact("DL1ABC", "20", kDay + 1, 60), 2);
  EXPECT_EQ(AddContact("DL1ABC", "40", kDay, 7200), 3);
  {  // find by call; then the stations of one name in call order
    TdbStation s;
    ASSERT_TRUE(s.Find(CallKey("DK2XY"), 2, true));
    EXPECT_EQ(s.Record().name.str(), "Bernd");
    EXPECT_FALSE(s.Find(CallKey("DL9NON"), 2, true));
    EXPECT_EQ(storage::DriverErrorClass(), 1);
    ASSERT_TRUE(s.Search("Anna", 3));
    EXPECT_EQ(s.Record().call.str(), "DL1ABC");
    ASSERT_TRUE(s.Next(false, true));
    EXPECT_EQ(s.Record().call.str(), "DO3ZZ");
    ASSERT_TRUE(s.Next(false, true));
    EXPECT_EQ(s.Record().name.str(), "Bernd");
    EXPECT_FALSE(s.Next(false, true));
    EXPECT_EQ(s.CurrentKey(), 3);
  }
  {  // update: the name key follows the new name
    TdbStation s;
    ASSERT_TRUE(s.Find(CallKey("DO3ZZ"), 2, true));
    s.Record().name = "Carla";
    ASSERT_TRUE(s.Update());
    EXPECT_EQ(s.ReadCopy().name.str(), "Carla");
    ASSERT_TRUE(s.Search("Carla", 3));
    EXPECT_EQ(s.Record().call.str(), "DO3ZZ");
  }
  {  // the band key runs newest first; delete re-finds by auto key, then stands on the next
    TdbContact c;
    ASSERT_TRUE(c.First(3));
    EXPECT_EQ(c.Record().number, 2);  // band 20, the later day
    ASSERT_TRUE(c.Next(false, true));
    EXPECT_EQ(c.Record().number, 1);  // band 20, the earlier day
    ASSERT_TRUE(c.First(3));
    ASSERT_TRUE(c.Delete(true));
    EXPECT_EQ(c.Record().number, 3);
    EXPECT_EQ(c.RecordCount(), 2);
  }
  Club().CloseFiles(ToDatClub::kAllFiles, false);
  EXPECT_FALSE(Club().Treiber(ToDatClub::kStations)->IsOpen(false));
  EXPECT_EQ(Fkt().DoneDatabase(), "");
  EXPECT_EQ(Check(ToDatClub::kStations), "");
  EXPECT_EQ(Check(ToDatClub::kContacts), "");
  // Reopen in a new run of the file manager: everything is still there, and numbering goes on.
  common::Service<storage::DriverSystem>::Get().SetQuietStop(false);
  ASSERT_TRUE(storage::StartDriverSystem(2, 160, 32));
  ASSERT_EQ(Club().OpenFiles(ToDatClub::kAllFiles, false), storage::TdbTreiber::kOpened);
  {
    TdbStation s;
    EXPECT_EQ(s.RecordCount(), 3);
    ASSERT_TRUE(s.FindAutoKey(common::LongIntToKey(3)));
    EXPECT_EQ(s.Record().name.str(), "Carla");
    TdbContact c;
    EXPECT_EQ(c.RecordCount(), 2);
    ASSERT_TRUE(c.Find(CallKey("DL1ABC"), 2, true));
    EXPECT_EQ(c.Record().band.str(), "40");
  }
  EXPECT_EQ(AddContact("DO3ZZ", "80", kDay + 2, 0), 4);
  Club().CloseFiles(ToDatClub::kAllFiles, false);
  EXPECT_EQ(Fkt().DoneDatabase(), "");
  EXPECT_EQ(Check(ToDatClub::kContacts), "");
}

TEST_F(TableTest, CursorOpensItsFileItselfAndClosesItAgainUnlessForKeyForms) {
  auto c = std::make_unique<TdbContact>();
  EXPECT_TRUE(c->OpenedHere());
  EXPECT_FALSE(TdbContact().OpenedHere());  // finds the file open and leaves it so
  EXPECT_TRUE(Club().Treiber(ToDatClub::kContacts)->IsOpen(false));
  c.reset();
  EXPECT_FALSE(Club().Treiber(ToDatClub::kContacts)->IsOpen(false));
  TdbStation s(1);  // the key form flag opens nothing
  EXPECT_FALSE(s.OpenedHere());
  EXPECT_EQ(s.InitKeyText(), "||");
  EXPECT_FALSE(s.First(0));
  EXPECT_FALSE(s.Insert());
  EXPECT_EQ(s.RecordCount(), 0);
  EXPECT_EQ(Fkt().DoneDatabase(), "");
}

}  // namespace
}  // namespace storage_test
