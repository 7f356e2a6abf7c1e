// The QSO table and its record services on real logbook files: fields written and read back in
// every writable layout, the separated layouts, the call database's values, key numbers,
// searches, counters, the field rules, the columns of 293-byte records and the DXCC renewal.
#include <memory>
#include <string>
#include <vector>

#include "logbook/databases/qso_field_text.h"
#include "logbook/databases/qso_table.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

using Entries = std::vector<std::pair<int, std::string>>;

class QsoTableTest : public QsoTest {
 protected:
  std::unique_ptr<TdbProject> Open(const TProjectRec& record) {
    auto p = std::make_unique<TdbProject>();
    EXPECT_TRUE(p->FindNumber(AddProject(record)));
    return p;
  }
  static void Add(TdbQSO& log, const Entries& entries) {
    log.Clear();
    log.SetRecord(TaggedQso(entries));
    ASSERT_TRUE(log.Insert());
  }
  // A call-book record with one value.
  static void Book(const std::string& call, CallField field, const std::string& value) {
    TdbCall book(kCallBook);
    book.ClearRecord();
    book.SetCall(call);
    book.SetField(field, value);
    ASSERT_TRUE(book.Insert());
  }
  static std::string BookValue(const std::string& call, CallField field) {
    TdbCall book(kCallBook);
    return book.FindCall(call) ? book.GetField(field) : "<none>";
  }
  static void SetOptionByte(int index, std::uint8_t value) {
    ToSetups& s = common::Service<ToSetups>::Get();
    ToSetupWeitere w = s.GetWeitere();
    w.option_bytes_1_to_11[static_cast<std::size_t>(index)] = value;
    s.SetWeitere(w);
  }
};

// --- every catalogue kind written and read back ---

struct Written {
  std::string value;
  std::string read;
};

// The value written for a kind in a layout, and what reading gives back.
Written ValueOf(int layout, int kind) {
  switch (kind) {
    case 1:
    case 83:
      return {"05.03.2024", "05.03.2024"};
    case 28:
      return {"14:30", "14:30"};
    case 44:
      return {"14:30", layout == 1 || layout == 6 ? "14:30" : "14:30:00"};
    case 37:
      return {"14:35", "14:35"};
    case 18:
      return {"14.074", layout == 5 ? "14,0740" : layout == 9 ? "14,074" : "14.074"};
    case 41:
      return {"7.03", layout == 5 ? "7,0300" : "7.03"};
    case 12:
    case 13:
    case 22:
    case 47:
      return {"J", "J"};
    default: {
      // Two characters fit every text of the 293-byte record.
      const std::string text = (layout == 5 ? "" : "V") + std::to_string(kind);
      return {text, text};
    }
  }
}

// The kinds a layout's fixture project holds: the catalogue's (layouts 1 and 6: those with a
// slot cell; layout 5: those of the 293-byte record).
std::vector<int> KindsOf(int layout) {
  if (layout == 5) {
    return {1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 16, 18, 19, 20, 21, 22,
            28, 29, 30, 31, 32, 33, 34, 35, 37, 38, 41, 42, 46, 47, 48, 49, 50};
  }
  std::vector<int> kinds;
  TProjectBlock probe{};
  for (const TQSOFieldDescriptor& d : StandardCatalogue()) {
    if (d.kind != 0 && (layout == 9 || SetSlotCell(probe, d.kind, 1))) kinds.push_back(d.kind);
  }
  return kinds;
}

TProjectRec FixtureProject(int layout) {
  TProjectRec r = ProjectOf(layout, layout == 5 ? "PELORIN" : "PELORIN6");
  if (layout != 1 && layout != 6) return r;
  const std::vector<int> kinds = KindsOf(layout);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const int slot = static_cast<int>(i) + 1, kind = kinds[i];
    Field(r, slot, "F" + std::to_string(kind), kind == 1 ? 8 : 10);
    TFieldListEntry& f = r.block.fields[slot - 1];
    f.type = kind == 1 ? 'D' : (kind == 44 || kind == 37) ? 'T' : 'C';
    if (f.type == 'T') f.mask = "hhmm";
    SetSlotCell(r.block, kind, slot);
  }
  return r;
}

class RoundTrips : public QsoTableTest, public ::testing::WithParamInterface<int> {};

TEST_P(RoundTrips, EveryKindReadsBackWhatWasWritten) {
  const int layout = GetParam();
  auto project = Open(FixtureProject(layout));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  for (int kind : KindsOf(layout)) {
    EXPECT_TRUE(log.SetFieldText(kind, ValueOf(layout, kind).value)) << kind;
  }
  ASSERT_TRUE(log.Insert());
  log.Clear();
  ASSERT_TRUE(log.First(1));
  for (int kind : KindsOf(layout)) {
    EXPECT_EQ(log.GetFieldText(kind), ValueOf(layout, kind).read) << "kind " << kind;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RoundTrips, ::testing::Values(1, 5, 6, 9),
                         [](const auto& info) { return "layout" + std::to_string(info.param); });

TEST_F(QsoTableTest, SeparatedLayoutsReadTheirPiecesWithCallPartsAndEntityNumbers) {
  for (int layout : {2, 7}) {
    SCOPED_TRACE(layout);
    TProjectRec r = ProjectOf(layout, "ADIF");
    r.block.separator = ';';
    const char* names[] = {"CALL", "DXCC", "NAME", "QTH", "CALLPREFIX", "SUFFIX"};
    for (int slot = 1; slot <= 6; ++slot) Field(r, slot, names[slot - 1], 10);
    for (auto [kind, slot] : {std::pair{2, 1}, {3, 2}, {19, 3}, {20, 4}}) {
      SetSlotCell(r.block, kind, slot);
    }
    auto project = Open(r);
    const auto read = [&](const std::string& text, int kind) {
      TQSORec q{};
      const int at = layout == 2 ? 1 : 0;
      q.data[0] = static_cast<std::uint8_t>(text.size());
      std::memcpy(q.data + at, text.data(), text.size());
      q.used = static_cast<std::uint32_t>(text.size() + at);
      return QSOFieldText(*project, nullptr, kind, false, &q);
    };
    EXPECT_EQ(read("DL1ABC;230;c;", 19), "c");
    EXPECT_EQ(read("DL1ABC;230;c;", 20), "");  // not the name again
    EXPECT_EQ(read("DL1ABC;230;c;", 3), "DL");
    EXPECT_EQ(read("DL1ABC;F;c;;PA;P", 2), "PA/DL1ABC/P");
  }
}

// --- the call database ---

TEST_F(QsoTableTest, CallDatabaseKindsGoThroughTheQsosCall) {
  auto project = Open(ProjectOf(9));
  Book("DL1ABC", CallField::kAGCW, "1234");
  Book("F5AA", CallField::kMF, "7");
  TdbQSO log(project.get(), 0, 0);
  Add(log, {{2, "DL1ABC/P"}, {1, "05.03.2024"}});
  EXPECT_EQ(log.GetFieldText(25), "1234");
  // Without a caller's table the value is stored at once.
  EXPECT_TRUE(log.SetFieldText(24, "55;5"));
  EXPECT_EQ(BookValue("DL1ABC", CallField::kDIG), "55,5");
  {
    // A caller's table standing on another call is moved; a write changes only its working copy.
    TdbCall calls(kCallBook);
    ASSERT_TRUE(calls.FindCall("F5AA"));
    EXPECT_EQ(QSOFieldText(*project, &log, 25, false, nullptr, &calls), "1234");
    EXPECT_TRUE(QSOSetFieldText(*project, &log, 23, "DL9OLD", nullptr, &calls));
    EXPECT_EQ(calls.GetExCall(), "DL9OLD");
    EXPECT_EQ(BookValue("DL1ABC", CallField::kExCall), "");
  }
  // A call the database does not hold reads empty and makes no record.
  Add(log, {{2, "OE3XYZ"}});
  EXPECT_EQ(log.GetFieldText(25), "");
  EXPECT_FALSE(log.SetFieldText(25, "99"));
  EXPECT_EQ(BookValue("OE3XYZ", CallField::kAGCW), "<none>");
  // A chain without a call entry writes nowhere.
  Add(log, {{1, "05.03.2024"}});
  EXPECT_FALSE(log.SetFieldText(25, "99"));
  EXPECT_EQ(BookValue("DL1ABC", CallField::kAGCW), "1234");
}

// --- keys and searches ---

TEST_F(QsoTableTest, KeyNumbersOfTheThreeTagFamilies) {
  auto pelorin = Open(ProjectOf(5, "PELORIN"));
  TdbQSO history(pelorin.get(), 0, 0);
  EXPECT_EQ(history.TableKind(), kLogbook293);
  EXPECT_EQ(history.KeyNumber(5), 6);
  EXPECT_EQ(history.KeyNumber(11), 16);
  EXPECT_EQ(history.KeyNumber(14), 0);

  auto own = Open(ProjectOf(9));
  TdbQSO log(own.get(), 0, 0);
  EXPECT_EQ(log.KeyNumber(12), 2);
  EXPECT_EQ(log.KeyNumber(2), 5);   // the call: the first stored catalogue field
  EXPECT_EQ(log.KeyNumber(4), 8);   // DXCC: call, date, locator, DXCC
  EXPECT_EQ(log.KeyNumber(11), 10);  // IOTA after the DOK
  EXPECT_EQ(log.KeyNumber(27), 36);  // date ESC: the last of the 32 stored fields

  TProjectRec foreign = ProjectOf(1, "ADIF");
  Field(foreign, 1, "CALL", 10);
  Field(foreign, 2, "IOTA", 6);
  foreign.block.key_fields_lb5[0] = 1;
  foreign.block.key_count_lb5 = 2;
  auto adif = Open(foreign);
  {
    TdbQSO other(adif.get(), 0, 0);
    TdbQSO second(adif.get(), 0, 0);  // shares the file: no key is added
    EXPECT_EQ(second.KeyNumber(2), 2);
    EXPECT_EQ(second.KeyNumber(11), 0);
    EXPECT_FALSE(second.SearchKey(11, "EU-005"));
    EXPECT_LT(storage::DriverErrorClass(), 3);  // nothing serious
  }
  {
    TdbQSO alone(adif.get(), 0, 0);
    TQSORec q{};
    std::memcpy(q.data + 1, "DL1ABC    EU-005", 16);
    q.used = 17;
    alone.SetRecord(q);
    ASSERT_TRUE(alone.Insert());
    EXPECT_EQ(alone.KeyNumber(11), 3);
    EXPECT_TRUE(alone.SearchKey(11, "EU-005"));
  }
  EXPECT_EQ(adif->Record().block.key_count_lb5, 3);
  EXPECT_EQ(CheckLogbook(*adif), "");
}

// Counts the exact finds a cursor asks for.
class CountingQso : public TdbQSO {
 public:
  using TdbQSO::TdbQSO;
  bool Find(std::string_view text, int key, bool fetch) override {
    finds.emplace_back(text);
    return TdbQSO::Find(text, key, fetch);
  }
  std::vector<std::string> finds;
};

TEST_F(QsoTableTest, SearchesByCallDateTimeAndDxcc) {
  auto project = Open(ProjectOf(9));
  TdbQSO log(project.get(), 0, 0);
  Add(log, {{2, "DL1ABCD"}, {1, "05.03.2024"}, {44, "14:30"}, {3, "DL"}});
  EXPECT_FALSE(log.FindCall("DL1ABC"));  // the next call is another one
  Add(log, {{2, "DL1ABC"}, {1, "05.03.2024"}, {44, "00:00"}, {3, "VP2E"}});
  EXPECT_TRUE(log.FindCall("DL1ABC/P"));
  EXPECT_EQ(log.GetFieldText(2), "DL1ABC");
  EXPECT_TRUE(log.FindQSO("DL1ABCD", "05.03.2024", "14:30"));
  EXPECT_TRUE(log.FindQSO("DL1ABC", common::DMYToDate(5, 3, 2024), 0));
  EXPECT_FALSE(log.SeekDxcc("VP2EXX"));  // six characters in layout 9
  {
    CountingQso plain(project.get(), 1, 0);  // the "||" form, on the file opened above
    EXPECT_FALSE(plain.FindQSO("DL1ABC", "05.03.2024", "10:00"));
    EXPECT_EQ(plain.finds, std::vector<std::string>{"DL1ABC||20240305||1000"});
    plain.finds.clear();
    EXPECT_FALSE(plain.FindQSO("DL1ABC", "05.03.2024", "00:00"));
    EXPECT_EQ(plain.finds,
              (std::vector<std::string>{"DL1ABC||20240305||0000", "DL1ABC||20240305||"}));
  }
  TProjectRec fixed = ProjectOf(1);  // logical key 4 is key 4 in layouts other than 9
  Field(fixed, 1, "DXCC", 6);
  SetSlotCell(fixed.block, 3, 1);
  fixed.block.key_fields_lb5[0] = fixed.block.key_fields_lb5[1] = fixed.block.key_fields_lb5[2] = 1;
  fixed.block.key_count_lb5 = 4;
  auto other = Open(fixed);
  TdbQSO layout1(other.get(), 0, 0);
  TQSORec q{};
  std::memcpy(q.data + 1, "VP2E  ", 6);
  q.used = 7;
  layout1.SetRecord(q);
  ASSERT_TRUE(layout1.Insert());
  EXPECT_TRUE(layout1.SeekDxcc("VP2EXX"));  // four characters in other layouts
  EXPECT_EQ(layout1.GetFieldText(3), "VP2E");
}

// --- counters ---

TEST_F(QsoTableTest, CountersNeverGoBelowZeroAndFollowCountAndErase) {
  auto project = Open(ProjectOf(9));
  const auto stored = [&] {
    TdbProject p;
    EXPECT_TRUE(p.FindNumber(project->GetGroupValue()));
    return std::pair{p.GetQSOCounter1(), p.GetQSOCounter2()};
  };
  TdbQSO log(project.get(), 0, 0);
  Add(log, {{2, "DL1ABC"}});
  Add(log, {{2, "DL2ABC"}});
  EXPECT_TRUE(log.Delete(false));
  EXPECT_EQ(stored(), std::pair(0, 0));
  EXPECT_EQ(log.RecordCount(), 1);
  EXPECT_EQ(stored(), std::pair(0, 1));
  TdbQSO qso_file(project.get(), 0, 3);  // request 3: the "QSO" file, first counter
  Add(qso_file, {{2, "DL3ABC"}});
  EXPECT_EQ(qso_file.RecordCount(), 1);
  EXPECT_EQ(stored(), std::pair(1, 1));
  log.EraseFiles();
  EXPECT_EQ(stored(), std::pair(1, 0));
  EXPECT_EQ(log.RecordCount(), 0);
}

// --- field rules and columns ---

TEST_F(QsoTableTest, DistanceAndTimeRules) {
  auto project = Open(ProjectOf(9));
  TdbQSO log(project.get(), 0, 0);
  log.Clear();
  ASSERT_TRUE(log.SetFieldText(44, "14:30"));
  EXPECT_EQ(QSOFieldText(*project, &log, 44, true), "14:30:00");
  EXPECT_EQ(log.GetFieldText(28), "14:30");
  log.SetFieldText(42, "JO62QM");
  log.SetFieldText(6, "JO31AB");
  EXPECT_NE(log.GetFieldText(68), "");
  log.SetFieldText(6, "JO51");
  EXPECT_EQ(log.GetFieldText(68), "");
  log.SetFieldText(6, "");
  log.SetFieldText(3, "DL");
  log.SetFieldText(49, "JO40");  // a German station: no distance from the locator prefix
  EXPECT_EQ(log.GetFieldText(68), "");
  log.SetFieldText(3, "F");
  log.SetFieldText(49, "JN18");
  const std::string km = log.GetFieldText(68);
  ASSERT_FALSE(km.empty());
  EXPECT_EQ(km.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_TRUE(log.SetFieldText(17, "20m"));
  EXPECT_EQ(log.GetFieldText(18), "14");
}

TEST_F(QsoTableTest, ColumnsOfThe293ByteRecord) {
  Book("DL1ABC", CallField::kAGCW, "1234");
  auto project = Open(ProjectOf(5, "PELORIN"));
  TdbQSO log(project.get(), 0, 0);
  TQSO293Rec& r = log.Working293();
  r.call = "DL1ABC/P";
  r.date = common::DMYToDate(5, 3, 2024);
  r.time_off = 0;
  ColumnDate date{false, 77};
  EXPECT_EQ(log.ColumnText(2, "", date), "05.03.2024");
  EXPECT_TRUE(date.flag);
  EXPECT_EQ(date.day, r.date);
  EXPECT_EQ(log.ColumnText(11, "", date), "");
  EXPECT_FALSE(date.flag);
  SetOptionByte(8, 1);
  EXPECT_EQ(log.ColumnText(11, "", date), "00:00");
  SetOptionByte(1, 4);
  EXPECT_EQ(log.ColumnText(4, "", date), std::string(10, ' '));
  SetQso293Real(r, *Qso293FieldOf(4), 5000.0);
  EXPECT_EQ(log.ColumnText(47, "", date), "");
  EXPECT_EQ(log.ColumnText(4, "BAND", date), "");
  EXPECT_EQ(log.ColumnText(1, "BAND", date), "???");
  SetQso293Real(r, *Qso293FieldOf(4), 14.074);
  EXPECT_EQ(log.ColumnText(4, "", date), "   14,0740");
  SetOptionByte(1, 2);
  EXPECT_EQ(log.ColumnText(4, "#######.####", date), "14.07");
  EXPECT_EQ(log.ColumnText(33, "", date), "1234");
  EXPECT_EQ(log.ColumnText(35, "", date), "");
  EXPECT_EQ(date.day, r.date);
  // A changed call is written over the record found by the old one.
  ASSERT_TRUE(log.Insert());
  ASSERT_TRUE(log.SetFieldText(2, "DK9ZZ"));
  ASSERT_TRUE(log.Update());
  EXPECT_TRUE(log.FindCall("DK9ZZ"));
}

// --- the DXCC renewal ---

TEST_F(QsoTableTest, OldDxccPrefixesAreRenewedOnceARun) {
  auto project = Open(ProjectOf(9));
  Files().SetDxccPass([](TdbProject& p) { ReassignDxccOf(p); });
  const auto qso = [](const char* call, const char* dxcc, const char* date, const char* mhz) {
    return Entries{{2, call}, {3, dxcc}, {1, date}, {18, mhz}};
  };
  Files().ArmDxccPass(false);
  {
    TdbQSO setup(project.get(), 0, 0);
    Add(setup, qso("PJ2AA", "PJ2", "09.10.2010", "14.2"));
    Add(setup, qso("PJ2BB", "PJ2", "10.10.2010", "1.83"));
    Add(setup, qso("PJ4CC", "PJ2", "01.01.2009", "14.2"));
    Add(setup, qso("ZK1XX", "ZK1N", "01.01.1990", "7.0"));
    Add(setup, qso("FJ5AB", "FJ", "13.12.2007", "7.0"));
  }
  Files().ArmDxccPass(true);
  const auto dxcc_of = [&](const char* call) {
    TdbQSO log(project.get(), 0, 0);
    return log.FindCall(call) ? log.GetFieldText(3) : "<none>";
  };
  EXPECT_EQ(dxcc_of("PJ2AA"), "PJ2-");
  EXPECT_EQ(dxcc_of("PJ2BB"), "PJ2");
  EXPECT_EQ(dxcc_of("PJ4CC"), "PJ2-");  // step 2 comes first
  EXPECT_EQ(dxcc_of("ZK1XX"), "E5/N");
  EXPECT_EQ(dxcc_of("FJ5AB"), "FS");
  std::vector<std::string> notices;
  for (const auto& call : presenter_->calls) notices.push_back(call.text);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(presenter_->calls[1].caption, "Pelorin");
  EXPECT_EQ(presenter_->calls[1].title, "Logbuch Projekt");
  EXPECT_EQ(notices[1],
            "Die DXCC-Zuordnung für PJ2 wurde im aktuellen Log geändert. Bauen Sie über den "
            "Menüpunkt \"Statistik\" die Statistik neu auf.");
  {
    TdbQSO later(project.get(), 0, 0);
    Add(later, qso("PJ2DD", "PJ2", "01.01.2001", "14.2"));
  }
  EXPECT_EQ(dxcc_of("PJ2DD"), "PJ2");  // the pass ran already
  EXPECT_EQ(presenter_->calls.size(), 2u);
}

}  // namespace
}  // namespace logbook::testing
