#include "logbook/reference/dxcc_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "logbook/reference/prefix.h"

namespace logbook {
namespace {

struct SourceEntry {
  std::string prefix;
  bool deleted = false;
};

// The source file's entities by number: main prefix and deleted flag.
std::map<int, SourceEntry> ReadSource() {
  std::map<int, SourceEntry> source;
  std::ifstream in(DXCC_SOURCE_FILE);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::istringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
    if (cells.size() < 4) continue;
    source[std::stoi(cells[0])] = {cells[1], cells[3] == "1"};
  }
  return source;
}

TEST(DxccTable, EveryNumberAsInItsSourceFile) {
  const auto source = ReadSource();
  ASSERT_EQ(source.size(), 402u);
  for (int n = 1; n <= kDxccTableSize; ++n) {
    const auto it = source.find(n);
    std::string padded = it != source.end() ? it->second.prefix : "";
    if (!padded.empty()) padded.resize(5, ' ');
    EXPECT_EQ(BuiltinDxccPrefix(n), padded) << n;
    EXPECT_EQ(BuiltinDxccDeleted(n), it != source.end() && it->second.deleted) << n;
  }
}

// A prefix shared by a deleted and a current entity ("EA9": 113 Ifni, deleted, and 32 Ceuta &
// Melilla) names the current one, whichever number is higher.
TEST(DxccTable, ASharedPrefixNamesTheCurrentEntity) {
  std::map<std::string, std::vector<int>> by_prefix;
  for (const auto& [number, entry] : ReadSource()) by_prefix[entry.prefix].push_back(number);
  const ToPrefix prefix;
  for (const char* shared : {"DL", "C9", "PJ2", "PJ7", "EA9", "FH", "KH5", "OK"}) {
    int current = 0;
    for (const int n : by_prefix[shared]) {
      if (!BuiltinDxccDeleted(n)) current = n;
    }
    ASSERT_GT(by_prefix[shared].size(), 1u) << shared;
    ASSERT_NE(current, 0) << shared;
    EXPECT_EQ(prefix.DXCCNumberOfPrefix(shared), current) << shared;
  }
  // Only deleted entities share "VK9" (198, 267): the last one answers, as before.
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("VK9"), 267);
}

TEST(DxccTable, NumberToPrefixAndBack) {
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("1"), "VE   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("522"), "Z6   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(" 024"), "3Y/B ");
  for (const char* none : {"73", "0", "523", "-1", "", "1x", "99999999999"}) {
    EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(none), "") << none;
  }
  const ToPrefix prefix;  // searches 1 to 521
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("VE"), 1);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(" 3Y/B "), 24);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z8"), 521);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z6"), 0);    // 522 lies beyond the search
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("EA9"), 32);  // 113 too, deleted
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("81"), "DL   ");
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("XX"), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(""), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("  "), 0);
}

}  // namespace
}  // namespace logbook
