// Table-driven tests: an array of rows, each with a `name` that names its test case.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace logbook::test {

struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace logbook::test

// Rows print as their name in failures and listings. Put once in each file's namespace.
#define LOGBOOK_ROWS_PRINT_AS_NAME                                                     \
  template <typename Row>                                                              \
  requires requires(const Row& row) { row.name; }                                      \
  [[maybe_unused]] void PrintTo(const Row& row, std::ostream* os) { *os << row.name; } \
  static_assert(true)

// The parameterised suite `Suite` with one test case per element of the array `rows`.
#define LOGBOOK_TABLE(Suite, rows)                                                   \
  class Suite : public ::testing::TestWithParam<std::decay_t<decltype(rows[0])>> {}; \
  INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(rows), ::logbook::test::RowName())
