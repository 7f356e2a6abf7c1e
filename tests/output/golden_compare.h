// Comparing a written file with one written by hand in tests/output/golden.
#pragma once

#include <string>

#include "tests/output/golden_file.h"

namespace output_test {

inline void ExpectGolden(const std::string& written, const std::string& golden) {
  ExpectGoldenFile(written, std::string(OUTPUT_GOLDEN_DIR) + "/" + golden);
}

}  // namespace output_test
