// Comparison of two real numbers at a given precision.
#pragma once

namespace common {

// True when `a op b` holds for the two values rounded to `integer_digits` integer places and
// `decimals` decimal places (formatted through a number mask of '@' places); operators '<', '=',
// '>' and '!' (unequal), any other operator gives false. The rounded texts decide, so 1.004 and
// 1.0 are equal at two decimals. The sign counts: values of different sign are ordered by their
// sign (a value that rounds to zero has none), two negative values by their magnitudes reversed.
// A value too wide for the integer places is larger in magnitude than any that fits; two such
// values of the same sign are equal.
bool RealCompare(double a, double b, int integer_digits, int decimals, char op);

}  // namespace common
