// Driver file names: kept and compared cut to 40 characters and upper-cased.
#pragma once

#include <string>
#include <string_view>

namespace storage {

inline constexpr std::size_t kDriverNameLength = 40;

// The first 40 characters with ASCII letters upper-cased and the DOS code-page umlauts
// 0x84 (a-umlaut) and 0x94 (o-umlaut) turned into their capitals 0x8E and 0x99, as the driver
// has always stored its names.
std::string NormaliseDriverName(std::string_view name);

}  // namespace storage
