// Golden key texts of the logbook files, table-driven on fixture projects: every layout of the
// project logbooks, the award logbooks, the 293-byte files, QSL via and log notes.
#include <string>
#include <vector>

#include "logbook/databases/qso_keys.h"
#include "qso_fixture.h"

namespace logbook::testing {
namespace {

using std::string;

string Blanks(int n) { return string(static_cast<std::size_t>(n), ' '); }

// Key `key` of the record handed over in a buffer of the driver's size.
string KeyOf(const LogbookKeys& keys, const void* record, std::size_t size, int key) {
  std::vector<std::uint8_t> buffer(sizeof(TQSORec), 0);
  std::memcpy(buffer.data(), record, size);
  string text = "untouched";
  keys.builder(buffer.data(), static_cast<std::uint16_t>(key), text);
  return text;
}
string KeyOf(const LogbookKeys& keys, const TQSORec& r, int key) {
  return KeyOf(keys, &r, sizeof r, key);
}

class QsoKeysTest : public QsoTest {
 protected:
  // A layout-9 QSO on 40 m in SSB, 24.12.2023 12:34, with the QSL mark `qsl`.
  static TQSORec Contact(const string& qsl, const string& time = "1234") {
    TQSORec r = TaggedQso({{2, "DL1ABC/P"}, {1, "24.12.2023"}, {44, time}, {16, "SSB"},
                           {18, "7.050"}, {3, "DL"}, {7, "B01"}, {12, qsl}, {6, "JO62QM"},
                           {10, "EU-057"}});
    r.number = 7;
    return r;
  }
};

TEST_F(QsoKeysTest, Layout9KeysOfEveryListedField) {
  TdbProject p;
  p.Record() = ProjectOf(9);
  const LogbookKeys b = ProjectLogbookKeys(p, kLogbookLB5, false);
  const LogbookKeys a = ProjectLogbookKeys(p, kLogbookQSO, false);
  const string d = DateKey(24, 12, 2023), dt = d + TimeKey(12, 34);
  const TQSORec r = Contact("J");
  struct Row {
    const char* name;
    const LogbookKeys& keys;
    int key;
    string expected;
  };
  const Row rows[] = {
      {"number", b, 1, common::LongIntToKey(7)},
      {"dxcc_qsl_band_mode_date", b, 2, "DL    J41" + d},
      {"dxcc_qsl_mode_band_date", b, 3, "DL    J14" + d},
      {"dok_qsl_band_mode_date", b, 4, "B01     J41" + d},
      {"base_call", b, 5, "DL1ABC        " + dt},
      {"date_time", b, 6, dt},
      {"locator", b, 7, "JO62QM" + dt},
      {"dxcc", b, 8, "DL    " + dt},
      {"dok", b, 9, "B01     " + dt},
      {"iota", b, 10, "EU-057" + dt},
      {"zone_not_stored", b, 11, "  " + dt},
      {"county", b, 15, Blanks(10) + dt},
      {"date_esc", b, 36, dt},
      {"beyond_the_list", b, 37, "untouched"},
      {"list_a_number", a, 1, common::LongIntToKey(7)},
  };
  for (const Row& row : rows) EXPECT_EQ(KeyOf(row.keys, r, row.key), row.expected) << row.name;

  // Every text has its key's length, and no key passes the engine's 50.
  ASSERT_EQ(b.list.Count(), kLayout9KeyCount);
  for (int k = 1; k <= kLayout9KeyCount; ++k) {
    storage::KeyDefinition def;
    ASSERT_TRUE(b.list.Get(k, def));
    EXPECT_LE(def.length, 50) << k;
    EXPECT_EQ(static_cast<int>(KeyOf(b, r, k).size()), def.length) << k;
  }
}

TEST_F(QsoKeysTest, Layout9QslMarkAndTimeForms) {
  TdbProject p;
  p.Record() = ProjectOf(9);
  const LogbookKeys b = ProjectLogbookKeys(p, kLogbookLB5, false);
  const LogbookKeys a = ProjectLogbookKeys(p, kLogbookQSO, false);
  const string d = DateKey(24, 12, 2023);
  // List B asks for the settings' mark 'J', list A for any received mark ("JjYyV").
  EXPECT_EQ(KeyOf(b, Contact("Y"), 2), string("DL    \0", 7) + "41" + d);
  EXPECT_EQ(KeyOf(a, Contact("Y"), 2), "DL    J41" + d);
  EXPECT_EQ(KeyOf(a, Contact("N"), 3), string("DL    \0", 7) + "14" + d);
  // Start times typed with a colon, without one, and midnight (no time).
  EXPECT_EQ(KeyOf(b, Contact("J", "12:34"), 6), d + TimeKey(12, 34));
  EXPECT_EQ(KeyOf(b, Contact("J", "0705"), 6), d + TimeKey(7, 5));
  EXPECT_EQ(KeyOf(b, Contact("J", "00:00"), 6), d + kNoTime);
}

TEST_F(QsoKeysTest, Layout9ProjectStoringFewerFieldsEndsWithOneBlankKeys) {
  TProjectRec r = ProjectOf(9);
  TQSOFieldDescriptor number = CatalogueDescriptor(26);  // "Nummer", stored with 8
  number.fixed_length = 0;
  r.descriptors_1_to_50[25] = number;
  TdbProject p;
  p.Record() = r;
  const LogbookKeys keys = ProjectLogbookKeys(p, kLogbookLB5, false);
  storage::KeyDefinition last;
  ASSERT_TRUE(keys.list.Get(kLayout9KeyCount, last));
  EXPECT_EQ(last.length, 1);
  EXPECT_EQ(KeyOf(keys, Contact("J"), kLayout9KeyCount), " ");
  EXPECT_EQ(KeyOf(keys, Contact("J"), kLayout9KeyCount - 1),
            DateKey(24, 12, 2023) + TimeKey(12, 34));  // "Datum ESC" moved up
}

TEST_F(QsoKeysTest, DataBeyond8000BytesIsNotRead) {
  TdbProject p;
  p.Record() = ProjectOf(9);
  const LogbookKeys keys = ProjectLogbookKeys(p, kLogbookLB5, false);
  // Remarks fill the data area up to a call entry that ends at position 8000.
  std::vector<std::pair<int, string>> entries;
  int used = 0;
  while (kQsoDataSize - used - 10 > 255) {
    entries.push_back({29, string(253, 'x')});
    used += 255;
  }
  entries.push_back({29, string(static_cast<std::size_t>(kQsoDataSize - used - 12), 'x')});
  entries.push_back({2, "DL1ABCDE"});
  TQSORec r = TaggedQso(entries);
  ASSERT_EQ(r.used, 8000u);
  const string at_8000 = KeyOf(keys, r, 5);
  EXPECT_EQ(at_8000, "DL1ABCDE      " + kNoDate + kNoTime);
  r.used = 9000;
  EXPECT_EQ(KeyOf(keys, r, 5), at_8000);
}

// Projects of the field-list layouts: CALL 14, QSO_DATE 8, TIME_ON 4, COMMENT 40, X 5.
TProjectRec FieldListProject(int layout) {
  TProjectRec r = ProjectOf(layout);
  Field(r, 1, "CALL", 14);
  Field(r, 2, "QSO_DATE", 8);
  Field(r, 3, "TIME_ON", 4);
  Field(r, 4, "COMMENT", 40);
  Field(r, 5, "X", 5);
  const std::uint8_t list_b[] = {1, 4, 3, 2, 5};
  std::memcpy(r.block.key_fields_lb5, list_b, sizeof list_b);
  r.block.key_count_lb5 = 6;
  r.block.key_fields_qso[0] = 2;
  r.block.key_count_qso = 2;
  r.block.separator = ';';
  return r;
}

// A record whose data area holds `text` from offset `offset` with used length `used`.
TQSORec DataRecord(int offset, const string& text, int used) {
  TQSORec r{};
  std::memcpy(reinterpret_cast<char*>(&r) + offset, text.data(), text.size());
  r.used = static_cast<std::uint32_t>(used);
  return r;
}

TQSORec ShortStringRecord(const string& text) {
  return DataRecord(23, string(1, static_cast<char>(text.size())) + text,
                    static_cast<int>(text.size()) + 1);
}

TEST_F(QsoKeysTest, FieldListLayouts) {
  const string comment = "Contest QSO, guter Rapport, Antenne Dipol 40 m";
  const string fixed = string("DL1ABC\0\0\0\0\0\0\0\0", 14) + "20231224" + "1234" +
                       comment.substr(0, 40) + "ZZZZZ";  // X lies behind the used length
  struct Row {
    const char* name;
    int layout;
    TQSORec record;
    int table;
    int key;
    string expected;
  };
  const Row rows[] = {
      {"fixed_call_nul_as_blank", 1, DataRecord(24, fixed, 1 + 66), kLogbookLB5, 2,
       "DL1ABC        "},
      {"fixed_comment_cut_to_36", 1, DataRecord(24, fixed, 1 + 66), kLogbookLB5, 3,
       comment.substr(0, 36)},
      {"fixed_time", 1, DataRecord(24, fixed, 1 + 66), kLogbookLB5, 4, "1234"},
      {"fixed_beyond_used_length", 1, DataRecord(24, fixed, 1 + 66), kLogbookLB5, 6, Blanks(5)},
      {"fixed_list_a", 1, DataRecord(24, fixed, 1 + 66), kLogbookQSO, 2, "20231224"},
      {"separated_piece", 2, ShortStringRecord("DL1ABC;20231224;1234"), kLogbookLB5, 5,
       "20231224"},
      {"separated_missing_piece", 2, ShortStringRecord("DL1ABC;20231224;1234"), kLogbookLB5, 6,
       Blanks(5)},
      {"separated_text_without_separator_is_whole", 2, ShortStringRecord("DL1ABC"), kLogbookLB5,
       4, "DL1A"},
      {"separated_empty_last_piece", 2, ShortStringRecord("A;B;C;"), kLogbookLB5, 3,
       Blanks(36)},
      {"long_text_piece", 7, DataRecord(23, "DL1ABC;20231224;0815", 20), kLogbookLB5, 4, "0815"},
      {"string_slice", 3, ShortStringRecord("DL1ABC        2023"), kLogbookLB5, 5, "2023    "},
      {"string_ends_before_field", 3, ShortStringRecord("DL1ABC        2023"), kLogbookLB5, 4,
       Blanks(4)},
      {"no_field_texts", 0, ShortStringRecord("DL1ABC"), kLogbookLB5, 2, Blanks(14)},
      {"chained_fields_key_20", 6, ShortStringRecord("DL1ABC"), kLogbookLB5, 3, Blanks(20)},
  };
  for (const Row& row : rows) {
    TdbProject p;
    p.Record() = FieldListProject(row.layout);
    const LogbookKeys keys = ProjectLogbookKeys(p, row.table, false);
    EXPECT_EQ(KeyOf(keys, row.record, row.key), row.expected) << row.name;
  }
}

TEST_F(QsoKeysTest, KeyListsAndCounts) {
  struct Row {
    const char* name;
    int layout;
    int table;
    int count;  // the project's count of the file
    int keys;   // opened with
  };
  const Row rows[] = {
      {"layout9_whatever_count", 9, kLogbookLB5, 0, 36},
      {"layout9_qso_file", 9, kLogbookQSO, 200, 36},
      {"count_0_is_1", 1, kLogbookLB5, 0, 1},
      {"negative_count_is_1", 1, kLogbookLB5, -3, 1},
      {"qso_file_above_100_is_1", 1, kLogbookQSO, 101, 1},
      {"qso_file_100", 1, kLogbookQSO, 100, 53},
      {"list_b_above_53", 1, kLogbookLB5, 80, 53},
      {"as_asked", 1, kLogbookLB5, 6, 6},
  };
  for (const Row& row : rows) {
    TdbProject p;
    p.Record() = FieldListProject(row.layout);
    p.Record().block.key_count_lb5 = row.count;
    p.Record().block.key_count_qso = row.count;
    EXPECT_EQ(ProjectLogbookKeys(p, row.table, false).list.Count(), row.keys) << row.name;
  }
  TdbProject p;
  p.Record() = FieldListProject(1);
  const LogbookKeys keys = ProjectLogbookKeys(p, kLogbookLB5, false);
  storage::KeyDefinition def;
  ASSERT_TRUE(keys.list.Get(1, def));
  EXPECT_EQ(def.expression, "autore AUTOKEY");
  ASSERT_TRUE(keys.list.Get(3, def));  // field 4, 40 wide: limited to 36
  EXPECT_EQ(def.expression, "COMMENT");
  EXPECT_EQ(def.length, 36);
  p.Record().block.layout_kind = 6;
  ASSERT_TRUE(ProjectLogbookKeys(p, kLogbookLB5, false).list.Get(2, def));
  EXPECT_EQ(def.expression, "");
  EXPECT_EQ(def.length, 20);
}

TEST_F(QsoKeysTest, AwardKeysReadTheCurrentProjectsLayout) {
  TdbProject p;
  p.Record() = ProjectOf(9);
  const LogbookKeys keys = AwardLogbookKeys(p);
  const string d = DateKey(24, 12, 2023);
  EXPECT_EQ(keys.list.Count(), 3);
  EXPECT_EQ(KeyOf(keys, Contact("y"), 1), common::LongIntToKey(7));
  EXPECT_EQ(KeyOf(keys, Contact("y"), 2), "DL    J41" + d);
  EXPECT_EQ(KeyOf(keys, Contact("N"), 3), string("DL    \0", 7) + "14" + d);
}

TEST_F(QsoKeysTest, FixedRecordFiles) {
  TQSO293Rec q{};
  q.call = "DL1ABC/P";
  q.log_check = "ABCDEF";
  q.locator = "JO62QM";
  q.date = common::DMYToDate(24, 12, 2023);
  q.time_on = common::HMSToTime(12, 34, 0);
  q.freq.set(7.05);
  q.iota = "EU-057";
  q.mode = "CW";
  q.qsl_rcvd = 'Y';
  q.dxcc = "DL";
  q.cqz = "14";
  q.cont = "EU";
  q.state = "NY";
  q.county = "KINGS";
  q.wae = "DL";
  q.selected = '*';
  q.dok = "B01";
  const LogbookKeys k293 = Qso293Keys();
  const string dt = DateKey(24, 12, 2023) + TimeKey(12, 34), d = DateKey(24, 12, 2023);
  const string kb = "ac";  // CW, 40 m
  const string rows[] = {
      dt,
      "DL1ABC        " + dt,
      "B01     " + kb + dt,
      "DL    " + kb + dt,
      "*",
      "DL    " + kb + dt,
      "NY" + kb,
      "JO62QM" + kb,
      "KINGS " + kb,
      "14" + kb,
      "EU" + kb,
      "DL    Jc2" + d,  // 'Y' read as 'J'
      "DL    J2c" + d,
      "DL1ABC/P      " + d,
      "B01     Jc2" + d,
      "EU-057" + kb,
  };
  ASSERT_EQ(k293.list.Count(), kQso293KeyCount);
  for (int k = 1; k <= kQso293KeyCount; ++k) {
    EXPECT_EQ(KeyOf(k293, &q, sizeof q, k), rows[k - 1]) << "key " << k;
    storage::KeyDefinition def;
    ASSERT_TRUE(k293.list.Get(k, def));
    EXPECT_EQ(static_cast<int>(rows[k - 1].size()), def.length) << "key " << k;
  }

  TQSLViaRec via{};
  via.call = "DL1ABC/P";
  via.date = common::DMYToDate(24, 12, 2023);
  via.time = common::HMSToTime(12, 34, 0);
  EXPECT_EQ(KeyOf(QslViaKeys(), &via, sizeof via, 1), "DL1ABC/P      " + dt);

  TLogNoteRec note{};
  note.number = 12;
  note.call = "DL1ABC/P";
  note.date = via.date;
  note.time = via.time;
  EXPECT_EQ(KeyOf(LogNoteKeys(), &note, sizeof note, 1),
            common::LongIntToKey(12) + "DL1ABC/P      " + dt);
  EXPECT_EQ(KeyOf(LogNoteKeys(), &note, sizeof note, 2), "DL1ABC/P      " + dt);
}

}  // namespace
}  // namespace logbook::testing
