// The QSO table base: stored lengths, the two copies, auto-key texts by table kind, re-finding a
// record after another cursor moved the shared driver, and the attached driver.
#include <memory>
#include <string>

#include "logbook/databases/qso_keys.h"
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
  // Adds QSOs of these calls through the cursor.
  static void Add(TdbQSOBase& log, std::initializer_list<const char*> calls, int used = -1) {
    for (const char* call : calls) {
      TQSORec r = TaggedQso({{2, call}, {1, "01.05.2024"}, {44, "10:00"}});
      if (used >= 0) r.used = static_cast<std::uint32_t>(used);
      log.SetRecord(r);
      ASSERT_TRUE(log.Insert()) << call;
    }
  }
  static bool Same(const TQSORec& a, const TQSORec& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
  std::unique_ptr<TdbProject> project_;
};

TEST_F(QsoTableBaseTest, InsertStoresTheUsedLengthAndNumbersBothCopies) {
  TdbQSOBase log(project_.get(), false, 0, "", kLogbookLB5);
  ASSERT_TRUE(log.OpenedHere());
  Add(log, {"DL1ABC"}, 100);
  Add(log, {"DL2XYZ"}, 40);
  EXPECT_EQ(log.Working().number, 2u);
  EXPECT_EQ(log.Stored().number, 2u);
  ASSERT_TRUE(log.First(1));
  EXPECT_EQ(log.GetTreiber()->Driver()->CurrentLength(), 123);
  // A shorter record read after it holds zero behind its data, not the longer one's tail.
  ASSERT_TRUE(log.Next(false, true));
  EXPECT_EQ(log.GetTreiber()->Driver()->CurrentLength(), 63);
  EXPECT_EQ(log.Working().data[60], 0);
}

TEST_F(QsoTableBaseTest, FetchWithoutFlagsAndClearOfKind9ChangeNothing) {
  TdbQSOBase log(project_.get(), false, 0, "", kLogbookLB5);
  Add(log, {"DL1ABC", "DL2XYZ"});
  ASSERT_TRUE(log.First(1));
  log.Working().used = 3;
  const TQSORec working = log.Working(), stored = log.Stored();
  ASSERT_TRUE(log.MoveNext(1));
  log.FetchRecord(false, false, 0);
  EXPECT_TRUE(Same(log.Working(), working));
  EXPECT_TRUE(Same(log.Stored(), stored));
  TdbQSOBase none(project_.get(), false, 0, "", TdbQSOBase::kNoTable);
  none.Working() = working;
  none.Clear();
  EXPECT_TRUE(Same(none.Working(), working));
  EXPECT_FALSE(none.Insert());
}

// The auto-key text re-finds a record only when it is the text of the file's own AUTOKEY key.
TEST_F(QsoTableBaseTest, AutoKeyTextsAreTheKeyTextsOfTheFiles) {
  TQSO293Rec q{};
  q.call = "DL1ABC/P";
  q.date = common::DMYToDate(1, 5, 2024);
  q.time_on = 36000;
  const std::string plain = "DL1ABC||" + std::to_string(q.date) + "||36000";
  TdbQSOBase history(project_.get(), false, 0, "", kLogbookHistory);
  history.SetRecord293(q);
  std::string text;
  history.GetAutoKeyText(text);
  std::string key2;
  Qso293Keys().builder(reinterpret_cast<const std::uint8_t*>(&q), 2, key2);
  EXPECT_EQ(text.size(), 22u);
  EXPECT_EQ(text, key2);
  EXPECT_EQ(history.AutoKeyNo(), 2);
  TdbQSOBase joined(project_.get(), false, 1, "", kLogbookHistory);
  joined.SetRecord293(q);
  joined.GetAutoKeyText(text);
  EXPECT_EQ(text, plain);

  TdbQSOBase notes(nullptr, false, 0, "", kLogbookNote);
  notes.Working314().number = 12;
  notes.Working314().call = "DL1ABC";
  ASSERT_TRUE(notes.Insert());
  notes.GetAutoKeyText(text);
  std::string key1;
  LogNoteKeys().builder(notes.GetTreiber()->RecordBuffer(), 1, key1);
  EXPECT_EQ(text, key1);

  TdbQSOBase qso(project_.get(), false, 1, "", kLogbookQSO);
  TQSORec r{};
  r.number = 7;
  qso.SetRecord(r);
  qso.GetAutoKeyText(text);
  EXPECT_EQ(text, "7");
}

TEST_F(QsoTableBaseTest, UpdateRefindsItsRecordAfterAnotherCursorMovedTheDriver) {
  TdbQSOBase mine(project_.get(), false, 0, "", kLogbookLB5);
  Add(mine, {"DL1ABC", "DL2XYZ", "DL3QQQ"});
  ASSERT_TRUE(mine.First(1));
  TdbQSOBase other(project_.get(), false, 0, "", kLogbookLB5);
  EXPECT_FALSE(other.OpenedHere());
  ASSERT_TRUE(other.Last(1));
  mine.Working() = TaggedQso({{2, "DL1NEW"}});
  mine.Working().number = 1;
  ASSERT_TRUE(mine.Update());
  ASSERT_TRUE(other.First(1));
  EXPECT_TRUE(Same(other.Stored(), mine.Stored()));
  ASSERT_TRUE(other.Last(1));
  EXPECT_EQ(other.Stored().number, 3u);

  // Once another cursor deleted it, the record is not found: nothing changes.
  ASSERT_TRUE(other.First(1));
  ASSERT_TRUE(other.Delete(false));
  const TQSORec stored = mine.Stored();
  mine.Working() = TaggedQso({{2, "DL1LOST"}});
  EXPECT_FALSE(mine.Update());
  EXPECT_TRUE(Same(mine.Stored(), stored));
}

TEST_F(QsoTableBaseTest, AnAttachedDriverTakesTheRecordsOfKind0) {
  TdbQSOBase owner(project_.get(), false, 0, "", kLogbookLB5);
  TQSORec attached = TaggedQso({{2, "DL1ATT"}});
  TdbQSOBase kind0(project_.get(), false, 0, "", kLogbookLB5);
  kind0.Attach(owner.GetTreiber(), &attached);
  EXPECT_EQ(kind0.RecordPtr(), &attached);
  ASSERT_TRUE(kind0.Insert());
  ASSERT_TRUE(owner.First(1));
  EXPECT_EQ(owner.Stored().used, attached.used);
  kind0.Clear();
  EXPECT_EQ(owner.GetTreiber()->RecordBuffer()[8], 0);
}

}  // namespace
}  // namespace logbook::testing
