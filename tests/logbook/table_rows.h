// Table rows of the reference tests: every row struct has a `name`, which names its test case.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace logbook::test {

struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace logbook::test

// Rows print as their name in failures and test listings, not as raw bytes. Expands to a
// function template that argument-dependent lookup finds for the rows of the enclosing namespace.
#define LOGBOOK_ROWS_PRINT_AS_NAME                                                     \
  template <typename Row>                                                              \
  requires requires(const Row& row) { row.name; }                                      \
  [[maybe_unused]] void PrintTo(const Row& row, std::ostream* os) { *os << row.name; } \
  using ::logbook::test::RowName
