// Small text pieces of the summary sheet and the lists.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_mask.h"
#include "common/string_helpers.h"

namespace output {

// A label or a text padded with blanks or cut to exactly n characters.
inline std::string Fit(std::string_view text, int n) { return common::SetLen(text, n, true); }
inline std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
// A number right-aligned in n places ("   42"; all '*' when it does not fit).
inline std::string Places(std::int64_t value, int n) { return common::Int64ToStrMask(value, n); }
inline std::string Number(std::int64_t value) { return std::to_string(value); }
// Points or a score in the unit the contest counts: whole points, or for 'R', which counts in
// tenths, the points with one decimal after `decimal` ("18,0").
inline std::string PointsNumber(std::int64_t value, char contest_code, char decimal = ',') {
  if (contest_code != 'R') return Number(value);
  return common::FloatToStrMask(static_cast<double>(value) / 10.0, 0, 1, decimal);
}
// The same right-aligned in n places.
inline std::string PointsPlaces(std::int64_t value, char contest_code, int n) {
  if (contest_code != 'R') return Places(value, n);
  return common::PadLeftBlank(PointsNumber(value, contest_code), n);
}

}  // namespace output
