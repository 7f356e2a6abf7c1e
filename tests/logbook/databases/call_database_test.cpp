// The call database on the real engine, shared: accessors by table, storing, duplicate calls,
// the open order and the start-up fix.
#include <string>

#include "database_fixture.h"
#include "logbook/databases/call_keys.h"

namespace logbook::testing {
namespace {

class CallDatabaseTest : public DatabaseTest {
 protected:
  // Adds a record of `call` to a table with the given name and QTH.
  void Add(CallTable table, const std::string& call, const std::string& name,
           const std::string& qth = "") {
    TdbCall c(table);
    c.ClearRecord();
    c.SetCall(call);
    c.SetName(name);
    c.SetQTH(qth);
    ASSERT_TRUE(c.Insert()) << call;
  }
  // The names of every record of the call, in key order.
  std::string NamesOf(CallTable table, const std::string& call) {
    TdbCall c(table);
    std::string names;
    for (bool ok = c.FindCall(call); ok && c.GetCall() == call; ok = c.Next(false, true)) {
      names += c.GetName() + ";";
    }
    return names;
  }
  std::string CheckCallData() {
    return Check("PX5CALL", CallDataKeys, sizeof(TCallRec), true);
  }
};

TEST_F(CallDatabaseTest, OneFieldHasItsOwnTagInEachTable) {
  struct Field {
    CallField field;
    int data_tag;
    int book_tag;
  };
  const Field fields[] = {{CallField::kName, 5, 4},    {CallField::kMF, 6, 5},
                          {CallField::kDOK, 7, 6},     {CallField::kM1, 15, 8},
                          {CallField::kM7, 22, 32},    {CallField::kLDK, 21, 14},
                          {CallField::kQTH, 26, 15},   {CallField::kCallComment, 0, 17}};
  for (const Field& f : fields) {
    for (const CallTable table : {kCallData, kCallBook}) {
      TdbCallBase c(table);
      c.SetField(f.field, "value");
      const int tag = table == kCallData ? f.data_tag : f.book_tag;
      EXPECT_EQ(c.Record().used, tag == 0 ? 0 : 7) << static_cast<int>(f.field);
      if (tag != 0) {
        EXPECT_EQ(CallFieldGet(c.Record(), static_cast<std::uint8_t>(tag)), "value");
      }
      EXPECT_EQ(c.GetField(f.field), tag == 0 ? "" : "value");
    }
  }
  // The locator and the QSL route are read only.
  TdbCallBase book(kCallBook);
  book.SetField(CallField::kLocator, "JO31");
  EXPECT_EQ(book.Record().used, 0);
}

TEST_F(CallDatabaseTest, InsertFindAndUpdateKeepWhatWasStored) {
  {
    TdbCall c(kCallBook);
    c.SetCall(" dl/oe1abc/mm");  // upper-cased, then trimmed by the store
    c.SetName("Karl");
    c.SetDOK("X12");
    ASSERT_TRUE(c.Insert());
    EXPECT_EQ(c.GetCall(), "DL/OE1ABC/MM");
  }
  TdbCall c(kCallBook);
  ASSERT_TRUE(c.FindCall("DL/OE1ABC/MM"));  // found by its first 10 characters
  EXPECT_EQ(c.GetCall(), "DL/OE1ABC/MM");
  EXPECT_EQ(c.GetDOK(), "X12");
  c.SetDOK("");
  c.SetQTH("Wien");
  ASSERT_TRUE(c.Update());
  TdbCall again(kCallBook);
  ASSERT_TRUE(again.FindCall("DL/OE1ABC/P"));  // cut to 10: the same key
  EXPECT_EQ(again.GetName() + "|" + again.GetDOK() + "|" + again.GetQTH(), "Karl||Wien");
  EXPECT_EQ(CallStoredLength(again.ReadCopy()), 23 + 6 + 6);
  EXPECT_FALSE(again.FindCall("DL1XYZ"));
}

TEST_F(CallDatabaseTest, ABlankCallStoresNothing) {
  TdbCall c(kCallData);
  c.SetCall("   ");
  c.SetName("Nobody");
  EXPECT_FALSE(c.Insert());
  EXPECT_FALSE(c.First(1));
}

TEST_F(CallDatabaseTest, UpdateAndDeleteOfTheSecondOfTwoRecordsOfOneCallTouchOnlyIt) {
  Add(kCallData, "DL1AA", "first");
  Add(kCallData, "DL1AA", "second");
  Add(kCallData, "DL1AB", "other");
  {
    TdbCall c(kCallData);
    ASSERT_TRUE(c.FindCall("DL1AA"));
    ASSERT_TRUE(c.Next(false, true));
    ASSERT_EQ(c.GetName(), "second");
    TdbCall mover(kCallData);  // moves the shared driver away
    ASSERT_TRUE(mover.FindCall("DL1AB"));
    c.SetName("second, changed");
    ASSERT_TRUE(c.Update());
  }
  EXPECT_EQ(NamesOf(kCallData, "DL1AA"), "first;second, changed;");
  {
    TdbCall c(kCallData);
    ASSERT_TRUE(c.FindCall("DL1AA"));
    ASSERT_TRUE(c.Next(false, true));
    TdbCall mover(kCallData);
    ASSERT_TRUE(mover.FindCall("DL1AA"));  // stands on the first record of the call
    ASSERT_TRUE(c.Delete(false));
  }
  EXPECT_EQ(NamesOf(kCallData, "DL1AA"), "first;");
  EXPECT_EQ(NamesOf(kCallData, "DL1AB"), "other;");
  Calls().CloseFiles(ToDatCall::kCallDataBit, false, true);
  EXPECT_EQ(CheckCallData(), "");
}

TEST_F(CallDatabaseTest, OpeningStopsAtTheFirstFileThatFails) {
  // A driver of that name that the table layer did not open cannot be shared: PXCCL fails.
  storage::IFDriver foreign;
  storage::DriverOpenParams p;
  p.name = p.path = "PXCCL";
  p.record_length = p.buffer_length = sizeof(TCallListRec);
  ASSERT_TRUE(foreign.Open(p));
  EXPECT_FALSE(Calls().OpenFiles(ToDatCall::kCallDataBit | ToDatCall::kCallBookBit |
                                     ToDatCall::kCallListBit | ToDatCall::kCallNoteBit,
                                 false));
  EXPECT_NE(Calls().Treiber(kCallData), nullptr);
  EXPECT_NE(Calls().Treiber(kCallBook), nullptr);
  EXPECT_EQ(Calls().Treiber(kCallList), nullptr);
  EXPECT_EQ(Calls().Treiber(kCallNote), nullptr);  // after PXCCL in the order
  Calls().CloseFiles(ToDatCall::kCallDataBit | ToDatCall::kCallBookBit, false, true);
  foreign.Destroy();
  // Folders come from the settings' folder list, a "\" read as "/".
  logbook::ToSetupDirs dirs;
  dirs.dirs[6] = "lists\\";
  common::Service<ToSetups>::Get().SetDirs(dirs);
  EXPECT_EQ(ToDatCall::FilePath(kCallList), "lists/PXCCL");
  EXPECT_EQ(ToDatCall::FilePath(kCallData), "PX5CALL");
}

TEST_F(CallDatabaseTest, TheStartUpFixClearsBlacklistedNamesOnAFreshOpenOnly) {
  Add(kCallData, "DB0XX", "BLACKLIST");
  Add(kCallData, "DB0YY", "BLACKLIST");
  Calls().SetBlacklistCalls({"DB0XX", "DB0ZZ"});
  {
    TdbCall holder(kCallData);  // a fresh open
    EXPECT_TRUE(holder.OpenedHere());
    EXPECT_EQ(NamesOf(kCallData, "DB0XX"), ";");
    EXPECT_EQ(NamesOf(kCallData, "DB0YY"), "BLACKLIST;");
    Add(kCallData, "DB0XX", "BLACKLIST");
    EXPECT_TRUE(Calls().OpenFiles(ToDatCall::kCallDataBit, false));  // shared: no fix
    EXPECT_EQ(NamesOf(kCallData, "DB0XX"), ";BLACKLIST;");
    Calls().CloseFiles(ToDatCall::kCallDataBit, false);
  }
  EXPECT_EQ(Calls().Treiber(kCallData), nullptr);
}

TEST_F(CallDatabaseTest, NotesReadUpToTheirEndCharacter) {
  TdbCall note(kCallNote);
  note.SetCall("dl1abcdefghij");
  EXPECT_EQ(note.GetCall(), "DL1ABCDEFG");  // capacity 10
  const std::string text = "QSL only via bureau\x1A" "old text";
  note.Record();  // no field area in a note
  ASSERT_TRUE(note.Insert());
  EXPECT_EQ(note.GetNote(), "");
  EXPECT_EQ(note.GetName(), "");  // the note has no tagged fields
  storage::TdbTreiber* t = note.GetTreiber();
  ASSERT_NE(t, nullptr);
  TCallNoteRec r;
  r.call = "DL1ABCDEFG";
  text.copy(r.note, text.size());
  std::memcpy(t->RecordBuffer(), &r, sizeof r);
  note.FetchRecord(true, true, 0);
  EXPECT_EQ(note.GetNote(), "QSL only via bureau");
}

}  // namespace
}  // namespace logbook::testing
