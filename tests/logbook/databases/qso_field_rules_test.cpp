// The QSO record services' rules at their edges: values a chain cannot hold, the start and end
// times of projects that keep hour and minute apart, call notes, the QSL-manager form and the DOS
// characters of old projects.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "logbook/databases/call_database.h"
#include "logbook/databases/call_record.h"
#include "logbook/databases/field_catalogue.h"
#include "logbook/databases/qso_field_text.h"
#include "logbook/databases/qso_table.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

class QsoFieldRulesTest : public QsoTest {
 protected:
  std::unique_ptr<TdbProject> Open(const TProjectRec& record) {
    auto p = std::make_unique<TdbProject>();
    EXPECT_TRUE(p->FindNumber(AddProject(record)));
    return p;
  }
  // A project of `layout` whose field-list slots 1.. hold plain text fields of `width`, slot n
  // for content kind kinds[n - 1].
  static TProjectRec SlotProject(int layout, const std::vector<int>& kinds, int width) {
    TProjectRec r = ProjectOf(layout);
    int slot = 1;
    for (const int kind : kinds) {
      Field(r, slot, "F" + std::to_string(kind), width);
      r.block.fields[slot - 1].type = 'C';
      EXPECT_TRUE(SetSlotCell(r.block, kind, slot)) << kind;
      ++slot;
    }
    return r;
  }
  // `count` text kinds of the catalogue that a field-list slot can hold, the name (19) first.
  static std::vector<int> TextKinds(std::size_t count) {
    std::vector<int> kinds = {19};
    TProjectBlock probe{};
    for (const TQSOFieldDescriptor& d : StandardCatalogue()) {
      const int k = d.kind;
      const bool special = k == 1 || k == 12 || k == 13 || k == 18 || k == 19 || k == 22 ||
                           k == 28 || k == 37 || k == 41 || k == 44;
      if (k != 0 && !special && kinds.size() < count && SetSlotCell(probe, k, 1)) kinds.push_back(k);
    }
    return kinds;
  }
};

// Layout 6 chains length-prefixed fields: a value longer than a length byte can say, or one that
// would carry the record past its 8000 data bytes, is refused and the record stays as it was.
TEST_F(QsoFieldRulesTest, AChainedFieldRefusesWhatItCannotHold) {
  const std::vector<int> kinds = TextKinds(32);
  ASSERT_EQ(kinds.size(), 32u);
  auto project = Open(SlotProject(6, kinds, 255));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  EXPECT_FALSE(log.SetFieldText(19, std::string(256, 'N')));
  EXPECT_EQ(QsoUsedLength(*log.RecordPtr()), 0);
  EXPECT_TRUE(log.SetFieldText(19, std::string(255, 'N')));
  EXPECT_EQ(log.GetFieldText(19), std::string(255, 'N'));

  // Thirty-one full fields make 31 * 256 = 7936 bytes: the last field may take 63 characters
  // (64 bytes), not 64.
  for (std::size_t i = 1; i < 31; ++i) {
    ASSERT_TRUE(log.SetFieldText(kinds[i], std::string(255, 'x'))) << kinds[i];
  }
  ASSERT_EQ(QsoUsedLength(*log.RecordPtr()), 31 * 256);
  const TQSORec before = *log.RecordPtr();
  EXPECT_FALSE(log.SetFieldText(kinds[31], std::string(64, 'y')));
  EXPECT_EQ(std::memcmp(log.RecordPtr(), &before, sizeof before), 0);
  EXPECT_TRUE(log.SetFieldText(kinds[31], std::string(63, 'y')));
  EXPECT_EQ(QsoUsedLength(*log.RecordPtr()), 8000);
  // Replacing a field by a longer value is measured the same way.
  EXPECT_FALSE(log.SetFieldText(19, std::string(255, 'N') + "N"));
  EXPECT_EQ(log.GetFieldText(19), std::string(255, 'N'));
}

// Layout 9 keeps a value in one tagged entry: 253 characters and a two-byte head.
TEST_F(QsoFieldRulesTest, ATaggedEntryKeeps253Characters) {
  auto project = Open(ProjectOf(9));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  log.SetRecord(TaggedQso({{2, "DL1ABC"}}));
  EXPECT_TRUE(log.SetFieldText(19, std::string(300, 'N')));
  EXPECT_EQ(log.GetFieldText(19), std::string(253, 'N'));
  EXPECT_EQ(log.GetFieldText(2), "DL1ABC");
}

// Projects imported from other loggers keep the start and end times in an hour and a minute field
// of their own; one-digit parts get their zero.
TEST_F(QsoFieldRulesTest, StartAndEndTimesFromHourAndMinuteFields) {
  TProjectRec r = SlotProject(1, {2}, 10);
  const char* names[] = {"TIME_ON_H", "TIME_ON_M", "TIME_OFF_H", "TIME_OFF_M"};
  for (int slot = 2; slot <= 5; ++slot) {
    Field(r, slot, names[slot - 2], 2);
    r.block.fields[slot - 1].type = 'C';
  }
  auto project = Open(r);
  TQSORec q{};
  // Fixed-width fields begin at record offset 24.
  std::memcpy(q.data + 1, "DL1ABC    7 5 2315", 18);
  q.used = 19;
  EXPECT_EQ(QSOFieldText(*project, nullptr, 28, false, &q), "07:05");
  EXPECT_EQ(QSOFieldText(*project, nullptr, 44, false, &q), "07:05:00");
  EXPECT_EQ(QSOFieldText(*project, nullptr, 37, false, &q), "23:15");
  // Without such fields there is no time.
  auto plain = Open(SlotProject(1, {2}, 10));
  EXPECT_EQ(QSOFieldText(*plain, nullptr, 28, false, &q), "");
}

// Kinds 57 and 58 are the call note of the QSO's call: its text, and "C" when it has one. They
// are read, never written.
TEST_F(QsoFieldRulesTest, CallNotesReadAsTextAndMark) {
  {
    TdbCall note(kCallNote);
    TCallNoteRec r;
    r.call = "DL1ABC";
    const std::string text = "QSL via Buero\x1A" "alter Text";
    text.copy(r.note, text.size());
    std::memcpy(note.GetTreiber()->RecordBuffer(), &r, sizeof r);
    ASSERT_TRUE(note.storage::TdbBase::Insert(0));
  }
  auto project = Open(ProjectOf(9));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  log.SetRecord(TaggedQso({{2, "DL1ABC/P"}}));
  EXPECT_EQ(log.GetFieldText(57), "QSL via Buero");
  EXPECT_EQ(log.GetFieldText(58), "C");
  EXPECT_FALSE(log.SetFieldText(57, "neu"));
  EXPECT_EQ(log.GetFieldText(57), "QSL via Buero");
  log.SetRecord(TaggedQso({{2, "OE3XYZ"}}));
  EXPECT_EQ(log.GetFieldText(57), "");
  EXPECT_EQ(log.GetFieldText(58), "");
}

TEST_F(QsoFieldRulesTest, TheQslManagerFormReadsNothing) {
  auto project = Open(ProjectOf(9));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  log.SetRecord(TaggedQso({{2, "DL1ABC"}, {19, "Hans"}}));
  EXPECT_EQ(QSOFieldValue(*project, &log, 19, {}), "Hans");
  EXPECT_EQ(QSOFieldValue(*project, &log, 19, {.format = "__QSLManager__"}), "");
}

// Fixed, chained and separated texts of old DOS projects hold DOS umlauts, shown as Windows
// ones; the separated layout 7 holds Windows text already.
TEST_F(QsoFieldRulesTest, DosUmlautsBecomeWindowsOnesExceptInLayout7) {
  const std::string dos = "K\x94ln \x84\x8E\x99\x9A\xE1";  // "Köln äÄÖÜß" in the DOS code page
  const std::string windows = "K\xF6ln \xE4\xC4\xD6\xDC\xDF";
  for (const int layout : {1, 2, 6, 7}) {
    SCOPED_TRACE(layout);
    TProjectRec r = SlotProject(layout, {19}, 20);
    r.block.separator = ';';
    auto project = Open(r);
    TQSORec q{};
    if (layout == 1) {
      std::memcpy(q.data + 1, dos.data(), dos.size());
      q.used = 21;
    } else if (layout == 6) {
      q.data[0] = static_cast<std::uint8_t>(dos.size());
      std::memcpy(q.data + 1, dos.data(), dos.size());
      q.used = static_cast<std::uint32_t>(dos.size() + 1);
    } else {
      const int at = layout == 2 ? 1 : 0;
      q.data[0] = static_cast<std::uint8_t>(dos.size());
      std::memcpy(q.data + at, dos.data(), dos.size());
      q.used = static_cast<std::uint32_t>(dos.size() + at);
    }
    EXPECT_EQ(QSOFieldText(*project, nullptr, 19, false, &q), layout == 7 ? dos : windows);
  }
}

}  // namespace
}  // namespace logbook::testing
