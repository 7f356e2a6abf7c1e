// The program's help: one HTML page, "hilfe.htm" in the data folder (installed there from the
// program's resources like the installation notice), with one anchor per help context
// ("#kontext1" for the main window, "#kontext0" for the contest log window). The desktop opens it
// in its browser; there is no help viewer of its own.
#pragma once

#include <cstdint>
#include <string>

namespace app {

inline constexpr const char* kHelpPage = "hilfe.htm";
inline constexpr const char* kHelpNotOpened = "Die Hilfe konnte nicht geöffnet werden.";

// "file://" + the page's path (UTF-8, percent-encoded) + "#kontext" + the context.
std::string HelpPageLink(const std::string& folder, std::intptr_t context);

// Opens the help page of the current folder (the data folder) at the context through the
// desktop. False when the page is missing or no program could be started to show it.
bool ShowHelpPage(std::intptr_t context);

}  // namespace app
