#include "logbook/dxcc_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "logbook/prefix.h"

namespace logbook {
namespace {

TEST(DxccTable, EveryNumberAsInItsSourceFile) {
  std::map<int, std::string> source;  // number -> main prefix
  std::ifstream in(DXCC_SOURCE_FILE);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    int number = 0;
    std::istringstream(line) >> number >> source[number];
  }
  ASSERT_EQ(source.size(), 402u);
  for (int n = 1; n <= kDxccTableSize; ++n) {
    std::string padded = source.contains(n) ? source[n] : "";
    if (!padded.empty()) padded.resize(5, ' ');
    EXPECT_EQ(BuiltinDxccPrefix(n), padded) << n;
  }
}

TEST(DxccTable, NumberToPrefixAndBack) {
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("1"), "VE   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("522"), "Z6   ");
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(" 024"), "3Y/B ");
  for (const char* none : {"73", "0", "523", "-1", "", "1x", "99999999999"}) {
    EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber(none), "") << none;
  }
  const ToPrefix prefix;  // searches 1 to 521 and answers the last equal entry
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("VE"), 1);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(" 3Y/B "), 24);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z8"), 521);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("Z6"), 0);    // 522 lies beyond the search
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("DL"), 230);  // 81 too (deleted); the last one answers
  EXPECT_EQ(ToPrefix::DXCCPrefixOfNumber("81"), "DL   ");
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("XX"), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix(""), 0);
  EXPECT_EQ(prefix.DXCCNumberOfPrefix("  "), 0);
}

}  // namespace
}  // namespace logbook
