#include "logbook/reference_text.h"

#include <gtest/gtest.h>

namespace logbook::detail {
namespace {

TEST(ReferenceText, RealEqualComparesRoundedMagnitudes) {
  EXPECT_TRUE(RealEqual(1.004, 1.0, 1, 2));
  EXPECT_FALSE(RealEqual(1.006, 1.0, 1, 2));
  EXPECT_TRUE(RealEqual(1.005, 1.0, 1, 2));  // 1.00499999999999989... to 18 digits
  EXPECT_TRUE(RealEqual(0.125, 0.13, 1, 2));
  EXPECT_TRUE(RealEqual(-1.5, 1.5, 1, 1));  // no sign place
  EXPECT_TRUE(RealEqual(12, 345, 1, 1));    // both too wide
  EXPECT_FALSE(RealEqual(9.96, 9.9, 1, 1));
  EXPECT_TRUE(RealEqual(24.8, 24.800004, 5, 5));
  EXPECT_FALSE(RealEqual(24.8, 24.80001, 5, 5));
  EXPECT_TRUE(RealEqual(99999.999996, 123456, 5, 5));  // rounds up past the integer places
}

TEST(ReferenceText, StrToReal) {
  EXPECT_DOUBLE_EQ(StrToReal("3,6"), 3.6);
  EXPECT_DOUBLE_EQ(StrToReal(" 14.25 "), 14.25);
  EXPECT_DOUBLE_EQ(StrToReal("-7"), -7);
  EXPECT_DOUBLE_EQ(StrToReal(".5"), 0.5);
  EXPECT_EQ(StrToReal(""), 0);
  EXPECT_EQ(StrToReal("14 MHz"), 0);
  EXPECT_EQ(StrToReal(","), 0);
}

TEST(ReferenceText, FloatToStrAndTrim) {
  EXPECT_EQ(FloatToStr(144), "144");
  EXPECT_EQ(FloatToStr(70.01), "70.01");
  EXPECT_EQ(FloatToStr(0.137), "0.137");
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(SlashedZeroToZero("DL\xD8"
                              "AB"),
            "DL0AB");
}

}  // namespace
}  // namespace logbook::detail
