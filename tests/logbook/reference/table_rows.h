// Table-driven tests: an array of tuples, the first element of each naming its test case.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>

// The parameterised suite `Suite` with one test case per row of the array `rows`.
#define LOGBOOK_TABLE(Suite, rows)                                                   \
  class Suite : public ::testing::TestWithParam<std::decay_t<decltype(rows[0])>> {}; \
  INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(rows),                   \
                           [](const auto& info) { return std::string(std::get<0>(info.param)); })
