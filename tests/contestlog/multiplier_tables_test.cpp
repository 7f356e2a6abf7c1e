// The worked-multiplier table of one kind: sorted insertion with marks, duplicates, a full table
// and the removal of the QSO in hand's value.
#include "contestlog/multiplier_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/number_mask.h"

namespace contestlog {
namespace {

using contest::WorkedMultiTable;

struct Entry {
  std::string text;
  int mark;
  friend bool operator==(const Entry&, const Entry&) = default;
};

std::vector<Entry> Used(const WorkedMultiTable& table) {
  std::vector<Entry> used;
  for (const auto& e : table) {
    if (!e.text.empty()) used.push_back({e.text.str(), e.mark});
  }
  return used;
}

void PrintTo(const Entry& e, std::ostream* os) { *os << '"' << e.text << "\" " << e.mark; }

TEST(WorkedMultiTable, KeepsItsValuesInByteOrderWithTheirMarks) {
  WorkedMultiTable table{};
  EXPECT_TRUE(InsertMultiplier(table, "DA      "));
  EXPECT_TRUE(InsertMultiplier(table, "DK      "));
  table[0].mark = 2;  // DA worked before, DK new: marks of earlier QSOs stay with their values
  table[1].mark = 0;
  EXPECT_TRUE(InsertMultiplier(table, "DL      "));
  EXPECT_TRUE(InsertMultiplier(table, "DF      "));
  EXPECT_EQ(Used(table), (std::vector<Entry>{
                             {"DA      ", 2}, {"DF      ", 1}, {"DK      ", 0}, {"DL      ", 1}}));
  // A value already there, also in another padding, is only marked.
  table[3].mark = 0;
  EXPECT_FALSE(InsertMultiplier(table, "DL"));
  EXPECT_EQ(Used(table).size(), 4u);
  EXPECT_EQ(table[3].mark, 1);
  // Worked before: the first equal entry, however it is padded.
  EXPECT_TRUE(MarkWorkedMulti(table, "DK"));
  EXPECT_EQ(table[2].mark, 2);
  EXPECT_FALSE(MarkWorkedMulti(table, "OE"));
  ClearMarks(table);
  for (const auto& e : Used(table)) EXPECT_EQ(e.mark, 0) << e.text;
}

TEST(WorkedMultiTable, AFullTableDropsItsLastEntryOrStoresNothing) {
  WorkedMultiTable table{};
  // "V001" .. "V500": 500 values in order.
  for (int i = 1; i <= contest::kWorkedMultiEntries; ++i) {
    ASSERT_TRUE(InsertMultiplier(table, "V" + common::IntToStrAt(i, 3)));
  }
  EXPECT_EQ(UsedEntries(table), 500);
  // Smaller than the last: stored in its place, "V500" falls out.
  EXPECT_TRUE(InsertMultiplier(table, "V250A"));
  EXPECT_EQ(table[250].text.view(), "V250A");
  EXPECT_EQ(table[499].text.view(), "V499");
  EXPECT_EQ(UsedEntries(table), 500);
  EXPECT_FALSE(MarkWorkedMulti(table, "V500"));
  // Larger than all: nothing stored, nothing lost.
  const WorkedMultiTable before = table;
  EXPECT_FALSE(InsertMultiplier(table, "ZZ"));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].text.view(), before[i].text.view()) << i;
  }
  // Smaller than the last entry only: it replaces it.
  EXPECT_TRUE(InsertMultiplier(table, "V498A"));
  EXPECT_EQ(table[498].text.view(), "V498");
  EXPECT_EQ(table[499].text.view(), "V498A");
}

TEST(WorkedMultiTable, RemovalTakesTheExactValueAndClosesTheGap) {
  WorkedMultiTable table{};
  for (const char* v : {"B36     ", "C01     ", "P40     "}) InsertMultiplier(table, v);
  EXPECT_FALSE(RemoveMultiValue(table, "C01"));  // only the stored form matches
  EXPECT_EQ(UsedEntries(table), 3);
  EXPECT_TRUE(RemoveMultiValue(table, "C01     "));
  EXPECT_EQ(Used(table), (std::vector<Entry>{{"B36     ", 1}, {"P40     ", 1}}));
  EXPECT_TRUE(table[2].text.empty());
  EXPECT_FALSE(RemoveMultiValue(table, "C01     "));
  // The last entry of a full table can go too.
  WorkedMultiTable full{};
  for (int i = 1; i <= contest::kWorkedMultiEntries; ++i) {
    InsertMultiplier(full, "V" + common::IntToStrAt(i, 3));
  }
  EXPECT_TRUE(RemoveMultiValue(full, "V500"));
  EXPECT_EQ(UsedEntries(full), 499);
  EXPECT_TRUE(InsertMultiplier(full, "ZZ"));
  EXPECT_EQ(full[499].text.view(), "ZZ");
}

}  // namespace
}  // namespace contestlog
