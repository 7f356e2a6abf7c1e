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

}  // namespace output
