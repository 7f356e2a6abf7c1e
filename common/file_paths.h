// Parts of file names, as texts only (nothing is looked up on disk).
//
// "/" and "\" both separate folders, and ":" ends a drive part, so names written by the system and
// names from old Windows data split the same way.
#pragma once

#include <string>
#include <string_view>

namespace common {

// The name after the last "/", "\" or ":".
std::string ExtractFileName(std::string_view name);
// The folder part without its trailing separator; a root ("/", "C:\") keeps it.
std::string ExtractFileDir(std::string_view name);
// The name without folder and without its extension (the part from its last ".").
std::string FileBaseName(std::string_view name);
// The path with a trailing "/" unless it ends in "/" or "\". An empty path stays empty: it means
// the current folder, and a lone "/" would be the root.
std::string AddBackslash(std::string_view path);
// Whether the text holds a drive or folder part (":", "\" or "/").
bool HasDriveOrFolder(std::string_view path);

}  // namespace common
