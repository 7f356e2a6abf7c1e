// Where column widths are kept: the catalogue record's 20 widths at offset 301, rows of ten
// widths per sort key in the settings' column tables 3, 5 and 6, and nothing past table 10.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "contestlog/column_places.h"

namespace contestlog {
namespace {

using contest::TContestKKRec;
using logbook::ToSetupLayout;

std::uint16_t Word(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

TEST(ColumnPlacesTest, TheLogGridsWidthsLieInTheCatalogueFrom301ForEveryKey) {
  TContestKKRec log{};
  ToSetupLayout layout{};
  const ToSetupLayout untouched = layout;
  for (int column = 0; column < contest::kGridColumnWidths; ++column) {
    ASSERT_TRUE(KeepColumnWidth(log, layout, kLayoutCatalogue, 4, column,
                                static_cast<std::uint16_t>(300 + column)));
  }
  // A 21st column would reach the tallies of band 6 at 341.
  EXPECT_FALSE(KeepColumnWidth(log, layout, kLayoutCatalogue, 4, 20, 999));
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&log);
  for (int column = 0; column < contest::kGridColumnWidths; ++column) {
    EXPECT_EQ(Word(bytes + 301 + 2 * column), 300 + column) << column;
    EXPECT_EQ(KeptColumnWidth(log, layout, kLayoutCatalogue, 9, column), 300 + column);
  }
  EXPECT_EQ(Word(bytes + 341), 0);
  EXPECT_EQ(KeptColumnWidth(log, layout, kLayoutCatalogue, 4, 20), 0);
  EXPECT_EQ(layout, untouched);
}

TEST(ColumnPlacesTest, TheOtherLayoutsKeepARowOfTenWidthsPerKeyInTheirColumnTable) {
  struct Row {
    std::uint8_t layout_number;
    std::array<std::uint8_t, 400> ToSetupLayout::*table;  // where offset 20 k starts
  };
  for (const auto& [layout_number, table] : {Row{kLayoutCorrection, &ToSetupLayout::column_table3},
                                             Row{7, &ToSetupLayout::column_table6}}) {
    TContestKKRec log{};
    const TContestKKRec no_log = log;
    ToSetupLayout layout{};
    for (const int key : {0, 4, 19}) {
      for (const int column : {0, 1, 9}) {
        const auto width = static_cast<std::uint16_t>(1000 + 16 * key + column);
        ASSERT_TRUE(KeepColumnWidth(log, layout, layout_number, key, column, width));
        EXPECT_EQ(Word(&(layout.*table)[20 * key + 2 * column]), width) << key << " " << column;
        EXPECT_EQ(KeptColumnWidth(log, layout, layout_number, key, column), width);
      }
    }
    EXPECT_EQ(std::memcmp(&log, &no_log, sizeof log), 0);
  }
  ToSetupLayout layout{};
  TContestKKRec log{};
  ASSERT_TRUE(KeepColumnWidth(log, layout, kLayoutCluster, 3, 2, 0xBEEF));
  EXPECT_EQ(Word(&layout.column_table5[20 * 3 + 2 * 2]), 0xBEEF);
}

TEST(ColumnPlacesTest, RowsRunOnIntoTheNextTablesButNotPastTheTenth) {
  TContestKKRec log{};
  ToSetupLayout layout{};
  // 'W' key 20 lies right behind table 3: at the start of table 4.
  ASSERT_TRUE(KeepColumnWidth(log, layout, kLayoutCorrection, 20, 0, 0x1234));
  EXPECT_EQ(Word(&layout.column_table4[0]), 0x1234);
  // Layout 255, key 28, column 10 (the grid's eleventh): 1895 + 560 + 20 in table 6.
  ASSERT_TRUE(KeepColumnWidth(log, layout, kLayoutCluster, 28, 10, 0x0102));
  EXPECT_EQ(Word(&layout.column_table6[1895 + 580 - 2095]), 0x0102);
  // Table 10 ends at 2806: its last word is the last place; past it nothing is written.
  const int last_key = (2805 - 2095) / 20;
  const int last_column = (2805 - 2095 - 20 * last_key) / 2;
  ASSERT_TRUE(KeepColumnWidth(log, layout, 7, last_key, last_column, 0x4321));
  EXPECT_EQ(Word(&layout.column_table10[50]), 0x4321);
  const ToSetupLayout before = layout;
  EXPECT_FALSE(KeepColumnWidth(log, layout, 7, last_key, last_column + 1, 1));
  EXPECT_FALSE(KeepColumnWidth(log, layout, 7, 60, 0, 1));
  EXPECT_FALSE(KeepColumnWidth(log, layout, 7, -1, 0, 1));
  EXPECT_EQ(layout, before);
  EXPECT_EQ(KeptColumnWidth(log, layout, 7, 60, 0), 0);
}

}  // namespace
}  // namespace contestlog
