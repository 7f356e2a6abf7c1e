// The tag-length-value area of the call records: what a put leaves, and what a damaged area reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logbook/databases/call_record.h"
#include "tests/common/rows.h"

namespace logbook {
namespace {

// An area written entry by entry as raw bytes "tag=value" (no codec), so damage can be laid out.
TCallRec Area(const std::vector<std::pair<int, std::string>>& entries) {
  TCallRec r;
  int p = 0;
  for (const auto& [tag, value] : entries) {
    r.area[p] = static_cast<std::uint8_t>(value.size() + 2);
    r.area[p + 1] = static_cast<std::uint8_t>(tag);
    value.copy(reinterpret_cast<char*>(r.area + p + 2), value.size());
    p += static_cast<int>(value.size()) + 2;
  }
  r.used = p;
  return r;
}

// The entries as stored, "tag=value;..." followed by "|used", read from the bytes themselves.
std::string Entries(const TCallRec& r) {
  std::string out;
  for (int p = 0; p < r.used && r.area[p] != 0; p += r.area[p]) {
    out += std::to_string(r.area[p + 1]) + "=" +
           std::string(reinterpret_cast<const char*>(r.area + p + 2), r.area[p] - 2u) + ";";
  }
  return out + "|" + std::to_string(r.used);
}

struct PutCase {
  std::vector<std::pair<int, std::string>> before;
  int tag;
  std::string value;
};
struct PutResult {
  bool stored;
  std::string entries;
};

const common::testing::Row<PutCase, PutResult> kPuts[] = {
    {"EmptyOnAbsentTagChangesNothing", {{{1, "A"}}, 5, ""}, {false, "1=A;|3"}},
    {"EmptyOnPresentTagClosesTheGap", {{{1, "A"}, {5, "Bob"}, {7, "B01"}}, 5, ""},
     {true, "1=A;7=B01;|8"}},
    {"SemicolonStoredAsComma", {{}, 5, "a;b"}, {true, "5=a,b;|5"}},
    {"ValueTrimmed", {{}, 7, "  B01 "}, {true, "7=B01;|5"}},
    {"ReplacementKeepsItsPlace", {{{1, "A"}, {5, "Bob"}, {7, "B01"}}, 5, "Robert"},
     {true, "1=A;5=Robert;7=B01;|16"}},
    {"AppendGoesLast", {{{7, "B01"}}, 1, "123"}, {true, "7=B01;1=123;|10"}},
};

class CallPut : public ::testing::TestWithParam<common::testing::Row<PutCase, PutResult>> {};
INSTANTIATE_TEST_SUITE_P(Rows, CallPut, ::testing::ValuesIn(kPuts), common::testing::RowName);

TEST_P(CallPut, LeavesTheEntries) {
  TCallRec r = Area(GetParam().in.before);
  EXPECT_EQ(CallFieldPut(r, static_cast<std::uint8_t>(GetParam().in.tag), GetParam().in.value),
            GetParam().out.stored);
  EXPECT_EQ(Entries(r), GetParam().out.entries);
  // Every byte after the last entry is zero.
  for (int p = r.used; p < kCallAreaSize; ++p) ASSERT_EQ(r.area[p], 0) << p;
}

TEST(CallPut, LongValuesAreCutAndAFullAreaTakesNothingMore) {
  TCallRec r;
  EXPECT_TRUE(CallFieldPut(r, 26, std::string(300, 'x')));
  EXPECT_EQ(CallFieldGet(r, 26), std::string(253, 'x'));
  EXPECT_EQ(r.used, 255);
  // Entries up to 1998 used bytes: seven of 255 and one of 213.
  for (int tag = 1; tag <= 6; ++tag) ASSERT_TRUE(CallFieldPut(r, tag, std::string(253, 'y')));
  ASSERT_TRUE(CallFieldPut(r, 7, std::string(211, 'z')));
  ASSERT_EQ(r.used, 1998);
  const TCallRec full = r;
  EXPECT_FALSE(CallFieldPut(r, 10, "J"));  // 1998 + 1 + 2 > 2000
  EXPECT_FALSE(CallFieldPut(r, 7, std::string(214, 'z')));  // a replacement that would not fit
  EXPECT_EQ(std::memcmp(&r, &full, sizeof r), 0);
  EXPECT_TRUE(CallFieldPut(r, 7, std::string(213, 'w')));  // exactly 2000
  EXPECT_EQ(r.used, 2000);
  EXPECT_EQ(CallFieldGet(r, 7), std::string(213, 'w'));
}

// Damaged areas: how a record is broken, and what tag 7 then reads.
struct Damage {
  int used;
  int poke_at;  // -1: none
  int poke_value;
};

const common::testing::Row<Damage, std::string> kDamaged[] = {
    {"Sound", {11, -1, 0}, "B01"},
    {"UsedBeyondTheArea", {2001, -1, 0}, ""},
    {"UsedNegative", {-5, -1, 0}, ""},
    {"UsedEndsInsideTheEntry", {9, -1, 0}, ""},
    {"EntryOfLengthOne", {11, 0, 1}, ""},
    {"EntryRunsPastUsed", {11, 0, 200}, ""},
    {"EntryLengthZeroEndsTheList", {11, 0, 0}, ""},
};

class CallDamage : public ::testing::TestWithParam<common::testing::Row<Damage, std::string>> {};
INSTANTIATE_TEST_SUITE_P(Rows, CallDamage, ::testing::ValuesIn(kDamaged), common::testing::RowName);

TEST_P(CallDamage, ReadsNoFieldAndAPutRepairsTheArea) {
  TCallRec r = Area({{1, "123"}, {7, "B01"}});
  r.used = GetParam().in.used;
  if (GetParam().in.poke_at >= 0) {
    r.area[GetParam().in.poke_at] = static_cast<std::uint8_t>(GetParam().in.poke_value);
  }
  EXPECT_EQ(CallFieldGet(r, 7), GetParam().out);
  // A put on the damaged area writes a field that can be read back, within the area.
  ASSERT_TRUE(CallFieldPut(r, 5, "Bob"));
  EXPECT_EQ(CallFieldGet(r, 5), "Bob");
  EXPECT_GE(r.used, 5);
  EXPECT_LE(r.used, kCallAreaSize);
}

}  // namespace
}  // namespace logbook
