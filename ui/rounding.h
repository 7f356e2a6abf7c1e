// Rounding of the framework: to the nearest integer, halves to the even neighbour.
#pragma once

#include <cmath>

namespace ui {

inline int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace ui
