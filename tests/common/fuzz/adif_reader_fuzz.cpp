// libFuzzer target of the ADI reader: any bytes, the reader's rules checked on the result and
// every name looked up. Built and run by scripts/fuzz-adif-reader, not by CMake.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "common/adif_reader.h"
#include "tests/common/adif_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const common::AdifFile file = common::ReadAdif(bytes);
  const std::string broken = common::testing::BrokenAdifRule(bytes, file);
  if (!broken.empty()) {
    std::fprintf(stderr, "ADI reader: %s\n", broken.c_str());
    std::abort();
  }
  (void)common::AdifFieldNames(file.records);
  return 0;
}
