// File and folder operations on disk. Names are the system's texts, resolved against the current
// folder (common/current_folder.h). Every operation reports failure by its result only.
#pragma once

#include <string_view>

namespace common {

// Whether the name is an existing file (not a folder).
bool FileExists(std::string_view name);
// Whether the path is an existing folder.
bool DirectoryExists(std::string_view path);
// Makes the folder and any missing parent; true when it exists afterwards.
bool CreateFolder(std::string_view path);
// Deletes the file when it exists; true when it was deleted.
bool DeleteFile(std::string_view name);
// Renames the file, replacing a file of the new name. The replacement is atomic: when the rename
// fails, both files are left as they were (also across file systems, where it copies). True on
// success.
bool RenameFile(std::string_view old_name, std::string_view new_name);

}  // namespace common
