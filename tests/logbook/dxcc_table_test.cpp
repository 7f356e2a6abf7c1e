#include "logbook/dxcc_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace logbook {
namespace {

// number -> main prefix, read from the table's source file.
std::map<int, std::string> ReadSource() {
  std::map<int, std::string> out;
  std::ifstream in(DXCC_SOURCE_FILE);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int number = 0;
    std::string prefix;
    fields >> number >> prefix;
    out[number] = prefix;
  }
  return out;
}

TEST(DxccTable, EveryNumberAsInItsSourceFile) {
  const auto source = ReadSource();
  ASSERT_EQ(source.size(), 402u);
  for (int n = 1; n <= kDxccTableSize; ++n) {
    const auto it = source.find(n);
    if (it == source.end()) {
      EXPECT_EQ(BuiltinDxccPrefix(n), "") << n;
      continue;
    }
    std::string padded = it->second;
    padded.resize(5, ' ');
    EXPECT_EQ(BuiltinDxccPrefix(n), padded) << n;
  }
}

TEST(DxccTable, NumbersOutsideTheTableAreEmpty) {
  EXPECT_EQ(BuiltinDxccPrefix(0), "");
  EXPECT_EQ(BuiltinDxccPrefix(-1), "");
  EXPECT_EQ(BuiltinDxccPrefix(523), "");
  EXPECT_EQ(BuiltinDxccPrefix(522), "Z6   ");
}

}  // namespace
}  // namespace logbook
