// Conversion between the system's Windows-1252 texts and UTF-8, for the outside world only:
// file names built from texts, console output, and later the window system.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string Cp1252ToUtf8(std::string_view text);
// Characters without a 1252 code become '?'; malformed UTF-8 bytes are taken as 1252 bytes.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace platform
