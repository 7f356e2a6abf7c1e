// The folders of the settings' folder list (ToSetupDirs), as the logbook databases open their
// files in them.
#pragma once

#include <string>

namespace logbook {

// Entry `entry` (counted from 0) of the settings' folder list with "\" read as "/"; the text
// carries its own trailing separator, so a file name is simply appended. Empty (the data folder,
// where the driver places a bare name) when the settings do not exist or the entry is outside
// the list.
std::string SetupFolder(int entry);

}  // namespace logbook
