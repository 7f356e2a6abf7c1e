// The font families the system's font names are drawn with.
//
// The program names Windows fonts ("Courier New", "Arial", "MS Sans Serif"); this machine has
// their metric-compatible twins of fonts-liberation2. One table maps them, so a text measures and
// prints the same wherever it is drawn, and the window system never picks a fallback of its own.
#pragma once

#include <string>
#include <string_view>

namespace platform::qt {

// The family a font name is drawn with: the table's twin for a Windows font (letter case
// ignored); an installed family as it is; anything else the table's sans-serif twin.
std::string HostFontFamily(std::string_view name);
// The system's name of a family a font dialog answers: the first Windows font of the table whose
// twin it is ("Liberation Mono" -> "Courier New"), any other family as it is.
std::string SystemFontName(std::string_view family);
// The family the window system really draws a font name with, as it reports it: the check that
// the table's twins are installed.
std::string DrawnFontFamily(std::string_view name);

}  // namespace platform::qt
