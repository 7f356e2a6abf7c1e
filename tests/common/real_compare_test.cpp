#include "common/real_compare.h"

#include <gtest/gtest.h>

#include <limits>

namespace common {
namespace {

struct CompareRow {
  const char* name;
  double a, b;
  int integer_digits, decimals;
  char op;
  bool expected;
};

class RealCompareTest : public ::testing::TestWithParam<CompareRow> {};
TEST_P(RealCompareTest, ComparesAtThePrecision) {
  const CompareRow& c = GetParam();
  EXPECT_EQ(RealCompare(c.a, c.b, c.integer_digits, c.decimals, c.op), c.expected);
}
// The sign rows check that the sign decides between values of different sign.
const CompareRow kCompareRows[] = {
    {"equal_at_two_decimals", 1.004, 1.0, 1, 2, '=', true},
    {"unequal_at_three_decimals", 1.004, 1.0, 1, 3, '!', true},
    {"rounds_half_up", 0.125, 0.13, 1, 2, '=', true},
    {"not_greater_when_equal", 3.0, 3.0, 1, 0, '>', false},
    {"unknown_operator", 1.0, 1.0, 1, 0, 'x', false},
    {"sign_opposite_unequal", -1.5, 1.5, 1, 1, '=', false},
    {"sign_negative_below_positive", -1.5, 1.5, 1, 1, '<', true},
    {"sign_negative_below_zero", -0.5, 0.0, 1, 1, '<', true},
    {"two_negatives_by_magnitude_reversed", -2.0, -1.0, 1, 0, '<', true},
    {"two_negatives_equal", -2.001, -2.0, 1, 2, '=', true},
    {"rounded_to_zero_has_no_sign", -0.001, 0.001, 1, 2, '=', true},
    {"both_overflow_equal", 123.0, 456.0, 2, 0, '=', true},
    {"overflow_above_any_fitting_value", 100.0, 99.0, 2, 0, '>', true},
    {"negative_overflow_below_negative_fit", -100.0, -99.0, 2, 0, '<', true},
    {"not_a_number_unequal", std::numeric_limits<double>::quiet_NaN(), 1.0, 2, 0, '=', false},
};
INSTANTIATE_TEST_SUITE_P(Rows, RealCompareTest, ::testing::ValuesIn(kCompareRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace common
