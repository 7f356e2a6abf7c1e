// The program's data folder: $XDG_DATA_HOME/domivox/ (default ~/.local/share/domivox/).
//
// Every database, dump, log and protocol file of the system lies there. Paths are handed out as
// the system's own texts, with a trailing "/", the way the system remembers its start folder.
#pragma once

#include <string>

namespace platform {

// The folder path with a trailing "/", from the environment; nothing is created.
std::string DataFolderPath();
// Creates the folder (and its parents) when missing; false when it cannot be made.
bool EnsureFolder(const std::string& path);

}  // namespace platform
