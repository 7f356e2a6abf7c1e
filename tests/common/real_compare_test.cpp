#include "common/real_compare.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace common {
namespace {

struct CompareCase {
  std::string name;
  double a;
  double b;
  int integer_digits;
  int decimals;
  char op;
  bool expected;
};

class RealCompareTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(RealCompareTest, ComparesAtThePrecision) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(RealCompare(c.a, c.b, c.integer_digits, c.decimals, c.op), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealCompareTest,
    ::testing::Values(CompareCase{"EqualAtTwoDecimals", 1.004, 1.0, 1, 2, '=', true},
                      CompareCase{"UnequalAtThreeDecimals", 1.004, 1.0, 1, 3, '!', true},
                      CompareCase{"RoundsHalfUp", 0.125, 0.13, 1, 2, '=', true},
                      CompareCase{"Less", 2.5, 10.25, 2, 2, '<', true},
                      CompareCase{"Greater", 10.25, 2.5, 2, 2, '>', true},
                      CompareCase{"NotGreaterWhenEqual", 3.0, 3.0, 1, 0, '>', false},
                      CompareCase{"UnknownOperator", 1.0, 1.0, 1, 0, 'x', false},
                      // The sign decides between values of different sign.
                      CompareCase{"OppositeSignsUnequal", -1.5, 1.5, 1, 1, '=', false},
                      CompareCase{"NegativeBelowPositive", -1.5, 1.5, 1, 1, '<', true},
                      CompareCase{"NegativeBelowZero", -0.5, 0.0, 1, 1, '<', true},
                      CompareCase{"TwoNegativesByMagnitudeReversed", -2.0, -1.0, 1, 0, '<', true},
                      CompareCase{"TwoNegativesEqual", -2.001, -2.0, 1, 2, '=', true},
                      CompareCase{"RoundedToZeroHasNoSign", -0.001, 0.001, 1, 2, '=', true},
                      // Values too wide for the integer places.
                      CompareCase{"BothOverflowEqual", 123.0, 456.0, 2, 0, '=', true},
                      CompareCase{"OverflowAboveAnyFittingValue", 100.0, 99.0, 2, 0, '>', true},
                      CompareCase{"NegativeOverflowBelowNegativeFit", -100.0, -99.0, 2, 0, '<',
                                  true},
                      CompareCase{"NotANumberDoesNotEqualANumber",
                                  std::numeric_limits<double>::quiet_NaN(), 1.0, 2, 0, '=', false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace common
