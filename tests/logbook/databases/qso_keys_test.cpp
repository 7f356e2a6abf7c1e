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
const string kNoMark("\0", 1);

// Key `key` of a record handed over in a buffer of the driver's size.
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

// A layout-9 QSO on 40 m in SSB, 24.12.2023, with a QSL mark and a start time.
TQSORec Contact(const string& qsl, const string& time = "1234") {
  TQSORec r = TaggedQso({{2, "DL1ABC/P"}, {1, "24.12.2023"}, {44, time}, {16, "SSB"},
                         {18, "7.050"}, {3, "DL"}, {7, "B01"}, {12, qsl}, {6, "JO62QM"},
                         {10, "EU-057"}});
  r.number = 7;
  return r;
}

using QsoKeysTest = QsoTest;

TEST_F(QsoKeysTest, Layout9AndAwardKeys) {
  TdbProject p;
  p.Record() = ProjectOf(9);
  const LogbookKeys b = ProjectLogbookKeys(p, kLogbookLB5, false);
  const LogbookKeys a = ProjectLogbookKeys(p, kLogbookQSO, false);
  const LogbookKeys award = AwardLogbookKeys(p);
  const string d = DateKey(24, 12, 2023), dt = d + TimeKey(12, 34);
  const struct {
    const char* name;
    const LogbookKeys& keys;
    TQSORec record;
    int key;
    string expected;
  } rows[] = {
      {"number", b, Contact("J"), 1, common::LongIntToKey(7)},
      {"dxcc_qsl_band_mode_date", b, Contact("J"), 2, "DL    J41" + d},
      {"dxcc_qsl_mode_band_date", b, Contact("J"), 3, "DL    J14" + d},
      {"dok_qsl_band_mode_date", b, Contact("J"), 4, "B01     J41" + d},
      {"list_b_asks_for_the_mark_J", b, Contact("Y"), 2, "DL    " + kNoMark + "41" + d},
      {"list_a_any_received_mark", a, Contact("Y"), 2, "DL    J41" + d},
      {"list_a_no_received_mark", a, Contact("N"), 3, "DL    " + kNoMark + "14" + d},
      {"base_call", b, Contact("J"), 5, "DL1ABC        " + dt},
      {"date_time", b, Contact("J"), 6, dt},
      {"time_with_colon", b, Contact("J", "12:34"), 6, dt},
      {"midnight_is_no_time", b, Contact("J", "00:00"), 6, d + kNoTime},
      {"locator", b, Contact("J"), 7, "JO62QM" + dt},
      {"iota", b, Contact("J"), 10, "EU-057" + dt},
      {"zone_not_stored", b, Contact("J"), 11, "  " + dt},
      {"county", b, Contact("J"), 15, Blanks(10) + dt},
      {"date_esc", b, Contact("J"), 36, dt},
      {"beyond_the_list", b, Contact("J"), 37, "untouched"},
      {"award_number", award, Contact("y"), 1, common::LongIntToKey(7)},
      {"award_received_mark", award, Contact("y"), 2, "DL    J41" + d},
      {"award_no_mark", award, Contact("N"), 3, "DL    " + kNoMark + "14" + d},
  };
  for (const auto& row : rows) EXPECT_EQ(KeyOf(row.keys, row.record, row.key), row.expected) << row.name;

  // Every text has its key's length, and no key passes the engine's 50.
  for (int k = 1; k <= kLayout9KeyCount; ++k) {
    storage::KeyDefinition def;
    ASSERT_TRUE(b.list.Get(k, def));
    EXPECT_LE(def.length, 50) << k;
    EXPECT_EQ(static_cast<int>(KeyOf(b, Contact("J"), k).size()), def.length) << k;
  }
}

TEST_F(QsoKeysTest, Layout9FewerStoredFieldsAndDataBeyond8000) {
  TProjectRec r = ProjectOf(9);
  r.descriptors_1_to_50[25].fixed_length = 0;  // "Nummer" not stored
  TdbProject p;
  p.Record() = r;
  const LogbookKeys keys = ProjectLogbookKeys(p, kLogbookLB5, false);
  storage::KeyDefinition last;
  ASSERT_TRUE(keys.list.Get(kLayout9KeyCount, last));
  EXPECT_EQ(last.length, 1);
  EXPECT_EQ(KeyOf(keys, Contact("J"), kLayout9KeyCount), " ");
  EXPECT_EQ(KeyOf(keys, Contact("J"), kLayout9KeyCount - 1), DateKey(24, 12, 2023) + TimeKey(12, 34));

  // Remarks fill the data area up to a call entry that ends at position 8000.
  std::vector<std::pair<int, string>> entries(31, {29, string(253, 'x')});
  entries.push_back({29, string(kQsoDataSize - 31 * 255 - 12, 'x')});
  entries.push_back({2, "DL1ABCDE"});
  TQSORec full = TaggedQso(entries);
  ASSERT_EQ(full.used, 8000u);
  const string expected = "DL1ABCDE      " + kNoDate + kNoTime;
  EXPECT_EQ(KeyOf(keys, full, 5), expected);
  full.used = 9000;
  EXPECT_EQ(KeyOf(keys, full, 5), expected);
}

// Fields CALL 14, QSO_DATE 8, TIME_ON 4, COMMENT 40, X 5; list B keys fields 1, 4, 3, 2, 5,
// list A field 2.
TProjectRec FieldListProject(int layout) {
  TProjectRec r = ProjectOf(layout);
  const std::pair<const char*, int> fields[] = {
      {"CALL", 14}, {"QSO_DATE", 8}, {"TIME_ON", 4}, {"COMMENT", 40}, {"X", 5}};
  for (int f = 1; f <= 5; ++f) Field(r, f, fields[f - 1].first, fields[f - 1].second);
  const std::uint8_t list_b[] = {1, 4, 3, 2, 5};
  std::memcpy(r.block.key_fields_lb5, list_b, sizeof list_b);
  r.block.key_count_lb5 = 6;
  r.block.key_fields_qso[0] = 2;
  r.block.key_count_qso = 2;
  r.block.separator = ';';
  return r;
}

// A record holding `text` from record offset `offset`, with the used length `used`.
TQSORec DataRecord(int offset, const string& text, int used) {
  TQSORec r{};
  std::memcpy(reinterpret_cast<char*>(&r) + offset, text.data(), text.size());
  r.used = static_cast<std::uint32_t>(used);
  return r;
}
TQSORec ShortString(const string& text) {
  return DataRecord(23, string(1, char(text.size())) + text, int(text.size()) + 1);
}

TEST_F(QsoKeysTest, FieldListLayouts) {
  const string comment = "Contest QSO, guter Rapport, Antenne Dipol 40 m";
  // The fields from offset 24; X lies behind the used length, where a buffer holds old bytes.
  const TQSORec fixed = DataRecord(
      24, string("DL1ABC\0\0\0\0\0\0\0\0", 14) + "20231224" + "1234" + comment.substr(0, 40) + "ZZZZZ",
      1 + 66);
  const struct {
    const char* name;
    int layout;
    TQSORec record;
    int table;
    int key;
    string expected;
  } rows[] = {
      {"fixed_nul_as_blank", 1, fixed, kLogbookLB5, 2, "DL1ABC        "},
      {"fixed_width_cut_to_36", 1, fixed, kLogbookLB5, 3, comment.substr(0, 36)},
      {"fixed_after_the_widths_before", 1, fixed, kLogbookLB5, 4, "1234"},
      {"fixed_behind_the_used_length", 1, fixed, kLogbookLB5, 6, Blanks(5)},
      {"fixed_list_a", 1, fixed, kLogbookQSO, 2, "20231224"},
      {"separated_piece", 2, ShortString("DL1ABC;20231224;1234"), kLogbookLB5, 5, "20231224"},
      {"separated_missing_piece", 2, ShortString("DL1ABC;20231224;1234"), kLogbookLB5, 6,
       Blanks(5)},
      {"no_separator_is_whole", 2, ShortString("DL1ABC"), kLogbookLB5, 4, "DL1A"},
      {"empty_last_piece", 2, ShortString("A;B;C;"), kLogbookLB5, 3, Blanks(36)},
      {"long_text_piece", 7, DataRecord(23, "DL1ABC;20231224;0815", 20), kLogbookLB5, 4, "0815"},
      {"string_slice_cut_at_its_end", 3, ShortString("DL1ABC        2023"), kLogbookLB5, 5,
       "2023    "},
      {"string_ends_before_field", 3, ShortString("DL1ABC        2023"), kLogbookLB5, 4,
       Blanks(4)},
      {"no_field_texts", 0, ShortString("DL1ABC"), kLogbookLB5, 2, Blanks(14)},
      {"chained_fields_20_blanks", 6, ShortString("DL1ABC"), kLogbookLB5, 3, Blanks(20)},
  };
  for (const auto& row : rows) {
    TdbProject p;
    p.Record() = FieldListProject(row.layout);
    const LogbookKeys keys = ProjectLogbookKeys(p, row.table, false);
    EXPECT_EQ(KeyOf(keys, row.record, row.key), row.expected) << row.name;
    storage::KeyDefinition def;
    ASSERT_TRUE(keys.list.Get(row.key, def)) << row.name;
    EXPECT_EQ(def.length, int(row.expected.size())) << row.name;
    EXPECT_EQ(def.expression, row.layout == 6                     ? ""
                              : row.layout == 1 && row.key == 3 ? "COMMENT"
                                                                : def.expression);
  }
}

TEST_F(QsoKeysTest, FixedRecordFiles) {
  TQSO293Rec q{};
  q.call = "DL1ABC/P";
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
  const string dt = DateKey(24, 12, 2023) + TimeKey(12, 34), d = DateKey(24, 12, 2023);
  const string kb = "ac";  // class and band code of CW on 40 m
  const string expected[] = {
      dt,          "DL1ABC        " + dt, "B01     " + kb + dt, "DL    " + kb + dt,
      "*",         "DL    " + kb + dt,    "NY" + kb,            "JO62QM" + kb,
      "KINGS " + kb, "14" + kb,            "EU" + kb,
      "DL    Jc2" + d,  // 'Y' read as 'J'
      "DL    J2c" + d, "DL1ABC/P      " + d, "B01     Jc2" + d, "EU-057" + kb,
  };
  const LogbookKeys k293 = Qso293Keys();
  ASSERT_EQ(k293.list.Count(), kQso293KeyCount);
  for (int k = 1; k <= kQso293KeyCount; ++k) {
    EXPECT_EQ(KeyOf(k293, &q, sizeof q, k), expected[k - 1]) << "key " << k;
    storage::KeyDefinition def;
    ASSERT_TRUE(k293.list.Get(k, def));
    EXPECT_EQ(int(expected[k - 1].size()), def.length) << "key " << k;
  }

  TQSLViaRec via{};
  via.call = "DL1ABC/P";
  via.date = q.date;
  via.time = q.time_on;
  EXPECT_EQ(KeyOf(QslViaKeys(), &via, sizeof via, 1), "DL1ABC/P      " + dt);
  TLogNoteRec note{};
  note.number = 12;
  note.call = "DL1ABC/P";
  note.date = q.date;
  note.time = q.time_on;
  EXPECT_EQ(KeyOf(LogNoteKeys(), &note, sizeof note, 1),
            common::LongIntToKey(12) + "DL1ABC/P      " + dt);
  EXPECT_EQ(KeyOf(LogNoteKeys(), &note, sizeof note, 2), "DL1ABC/P      " + dt);
}

}  // namespace
}  // namespace logbook::testing
