// Comparing a written file with a file written by hand: line by line first, so that a
// difference names its line, then byte for byte (line ends, the last line).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/temp_folder.h"

namespace output_test {

// The lines of a text without their line ends.
inline std::vector<std::string> FileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Expects `written` to equal the file at `golden_path`.
inline void ExpectGoldenFile(const std::string& written, const std::string& golden_path) {
  const std::string expected = common::testing::ReadFile(golden_path);
  ASSERT_FALSE(expected.empty()) << golden_path;
  const std::vector<std::string> got = FileLines(written);
  const std::vector<std::string> want = FileLines(expected);
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
    EXPECT_EQ("[" + got[i] + "]", "[" + want[i] + "]") << "line " << i + 1;
  }
  EXPECT_EQ(got.size(), want.size());
  EXPECT_TRUE(written == expected) << golden_path << ": the bytes differ (line ends, last line)";
}

}  // namespace output_test
