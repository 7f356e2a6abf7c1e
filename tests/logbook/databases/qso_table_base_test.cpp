// The QSO table base: stored lengths, the two copies, auto-key texts by table kind, re-finding a
// record after another cursor moved the shared driver, and the attached driver.
#include <memory>
#include <string>

#include "qso_fixture.h"

namespace logbook::testing {
namespace {

class QsoTableBaseTest : public QsoTest {
 protected:
  void SetUp() override {
    QsoTest::SetUp();
    project_ = std::make_unique<TdbProject>();
    ASSERT_TRUE(project_->FindNumber(AddProject(ProjectOf(9))));
  }
  void TearDown() override { project_.reset(); }
  static TQSORec Contact(const std::string& call, int used_length = -1) {
    TQSORec r = TaggedQso({{2, call}, {1, "01.05.2024"}, {44, "10:00"}, {3, "DL"}});
    if (used_length >= 0) r.used = static_cast<std::uint32_t>(used_length);
    return r;
  }
  std::unique_ptr<TdbProject> project_;
};

TEST_F(QsoTableBaseTest, InsertStoresTheUsedLengthAndNumbersBothCopies) {
  TdbQSOBase log(project_.get(), false, 0, "", kLogbookLB5);
  ASSERT_TRUE(log.OpenedHere());
  log.SetRecord(Contact("DL1ABC", 100));
  ASSERT_TRUE(log.Insert());
  log.SetRecord(Contact("DL2XYZ", 40));
  ASSERT_TRUE(log.Insert());
  EXPECT_EQ(log.Working().number, 2u);
  EXPECT_EQ(log.Stored().number, 2u);
  EXPECT_EQ(log.RecordNumber(), 2u);

  ASSERT_TRUE(log.First(1));
  EXPECT_EQ(log.GetTreiber()->Driver()->CurrentLength(), 123);
  EXPECT_EQ(log.Stored().used, 100u);
  // A shorter record read after it holds zero behind its data, not the longer one's tail.
  ASSERT_TRUE(log.Next(false, true));
  EXPECT_EQ(log.GetTreiber()->Driver()->CurrentLength(), 63);
  EXPECT_EQ(log.Working().data[60], 0);
}

TEST_F(QsoTableBaseTest, FetchWithoutFlagsAndClearOfKind9ChangeNothing) {
  TdbQSOBase log(project_.get(), false, 0, "", kLogbookLB5);
  log.SetRecord(Contact("DL1ABC"));
  ASSERT_TRUE(log.Insert());
  log.SetRecord(Contact("DL2XYZ"));
  ASSERT_TRUE(log.Insert());
  ASSERT_TRUE(log.First(1));
  log.Working() = Contact("DK9ZZ");
  const TQSORec working = log.Working(), stored = log.Stored();
  ASSERT_TRUE(log.MoveNext(1));
  log.FetchRecord(false, false, 0);
  EXPECT_EQ(std::memcmp(&log.Working(), &working, sizeof working), 0);
  EXPECT_EQ(std::memcmp(&log.Stored(), &stored, sizeof stored), 0);

  TdbQSOBase none(project_.get(), false, 0, "", TdbQSOBase::kNoTable);
  none.Working() = working;
  none.Clear();
  EXPECT_EQ(std::memcmp(&none.Working(), &working, sizeof working), 0);
  EXPECT_FALSE(none.Insert());
  EXPECT_EQ(none.GetTreiber(), nullptr);
}

TEST_F(QsoTableBaseTest, AutoKeyTextsByTableKind) {
  const std::int32_t date = common::DMYToDate(1, 5, 2024), time = common::HMSToTime(10, 0, 0);
  TQSO293Rec q{};
  q.call = "DL1ABC/P";
  q.date = date;
  q.time_on = time;
  TLogNoteRec note{};
  note.number = 12;
  note.call = "DL1ABC";
  note.date = date;
  note.time = time;
  struct Row {
    const char* name;
    std::uint8_t kind;
    std::uint8_t flag;
    std::string expected;
  };
  const std::string dt = common::DateToKey(date, true) + common::TimeToKey(time, true);
  const Row rows[] = {
      {"qso_number", kLogbookLB5, 0, common::LongIntToKey(7)},
      {"qso_number_plain", kLogbookQSO, 1, "7"},
      {"record_only", TdbQSOBase::kRecordOnly, 0, common::LongIntToKey(7)},
      {"293_base_call_date_time", kLogbook293, 0, "DL1ABC        " + dt},
      {"293_plain", kLogbookHistory, 1, "DL1ABC||" + std::to_string(date) + "||36000"},
      {"log_note", kLogbookNote, 0, common::LongIntToKey(12) + "DL1ABC        " + dt},
      {"none", TdbQSOBase::kNoTable, 0, ""},
  };
  for (const Row& row : rows) {
    TdbQSOBase t(project_.get(), false, row.flag, "", row.kind);
    TQSORec r{};
    r.number = 7;
    t.SetRecord(r);
    t.SetRecord293(q);
    t.Working314() = note;
    // The stored copies follow an insert; without a file they are set directly here.
    if (row.kind == kLogbookNote) {
      ASSERT_TRUE(t.Insert());
    }
    std::string text;
    t.GetAutoKeyText(text);
    EXPECT_EQ(text, row.expected) << row.name;
    EXPECT_EQ(t.AutoKeyNo(), row.kind == kLogbook293 || row.kind == kLogbookHistory ? 2 : 1);
  }
}

TEST_F(QsoTableBaseTest, UpdateRefindsItsRecordAfterAnotherCursorMovedTheDriver) {
  TdbQSOBase mine(project_.get(), false, 0, "", kLogbookLB5);
  for (const char* call : {"DL1ABC", "DL2XYZ", "DL3QQQ"}) {
    mine.SetRecord(Contact(call));
    ASSERT_TRUE(mine.Insert());
  }
  ASSERT_TRUE(mine.First(1));  // stands on number 1
  TdbQSOBase other(project_.get(), false, 0, "", kLogbookLB5);
  EXPECT_FALSE(other.OpenedHere());
  ASSERT_TRUE(other.Last(1));  // moves the shared driver to number 3
  mine.Working() = Contact("DL1NEW");
  mine.Working().number = 1;
  ASSERT_TRUE(mine.Update());
  EXPECT_EQ(QsoSpanText(mine.Stored(), *LocateQsoField(mine.Stored(), project_->Record().block, 2)),
            "DL1NEW");
  ASSERT_TRUE(other.First(1));
  EXPECT_EQ(other.Stored().number, 1u);
  EXPECT_EQ(std::memcmp(other.Stored().data, mine.Working().data, mine.Working().used), 0);
  EXPECT_TRUE(other.Last(1));
  EXPECT_EQ(other.Stored().number, 3u);

  // Once another cursor deleted it, the record is not found: nothing changes.
  ASSERT_TRUE(other.First(1));
  ASSERT_TRUE(other.Delete(false));
  const TQSORec stored = mine.Stored();
  mine.Working() = Contact("DL1LOST");
  EXPECT_FALSE(mine.Update());
  EXPECT_EQ(std::memcmp(&mine.Stored(), &stored, sizeof stored), 0);
}

TEST_F(QsoTableBaseTest, FixedRecordTablesStoreAndRefindByTheirAutoKeys) {
  TdbQSOBase history(project_.get(), false, 0, "", kLogbookHistory);
  TdbQSOBase notes(nullptr, false, 0, "", kLogbookNote);
  for (int i = 0; i < 3; ++i) {
    TQSO293Rec q{};
    q.call = "DL" + std::to_string(i) + "ABC";
    q.date = common::DMYToDate(1, 5, 2024);
    q.time_on = i;
    history.SetRecord293(q);
    ASSERT_TRUE(history.Insert());
    notes.Working314().number = 1;
    notes.Working314().call = q.call;
    notes.Working314().time = i;
    ASSERT_TRUE(notes.Insert());
  }
  ASSERT_TRUE(history.First(2));
  ASSERT_TRUE(notes.First(1));
  TdbQSOBase mover(project_.get(), false, 0, "", kLogbookHistory);
  ASSERT_TRUE(mover.Last(2));
  history.Working293().name = "Anna";
  ASSERT_TRUE(history.Update());
  ASSERT_TRUE(mover.First(2));
  EXPECT_EQ(mover.Working293().name.str(), "Anna");
  notes.Working314().note[0] = 'x';
  ASSERT_TRUE(notes.Update());
  EXPECT_EQ(notes.RecordCount(), 3);
}

TEST_F(QsoTableBaseTest, AnAttachedDriverTakesTheRecordsOfKind0) {
  TdbQSOBase owner(project_.get(), false, 0, "", kLogbookLB5);
  TQSORec attached = Contact("DL1ATT");
  TdbQSOBase log(project_.get(), false, 0, "", TdbQSOBase::kRecordOnly);
  TdbQSOBase kind0(project_.get(), false, 0, "", kLogbookLB5);
  kind0.Attach(owner.GetTreiber(), &attached);
  EXPECT_EQ(kind0.RecordPtr(), &attached);
  ASSERT_TRUE(kind0.Insert());
  ASSERT_TRUE(owner.First(1));
  EXPECT_EQ(owner.Stored().used, attached.used);
  kind0.Clear();
  EXPECT_EQ(owner.GetTreiber()->RecordBuffer()[8], 0);
  EXPECT_EQ(log.GetTreiber(), nullptr);
}

}  // namespace
}  // namespace logbook::testing
