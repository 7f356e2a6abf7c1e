// The system's current folder.
//
// The process never changes the operating system's working folder. Where the system reads or
// writes a file "in the current folder" it resolves the name against this path instead; it is the
// data folder at start, and `TFileBaseSS::ForceFolder` moves it.
//
// Paths are the system's own Windows-1252 texts. A "\" in a path is read as "/"; a name that does
// not start with "/" lies in the current folder.
#pragma once

#include <string>
#include <string_view>

namespace common {

// The current folder, absolute, without a trailing "/" (except for the root itself).
std::string CurrentFolder();
// Makes the path (resolved against the current folder) the current folder; it is not checked.
void SetCurrentFolder(std::string_view path);

// The name with "\" read as "/", "." and ".." parts taken out, and relative names placed in the
// current folder.
std::string ResolvePath(std::string_view name);
// The resolved name in the encoding of the operating system's file names (UTF-8).
std::string OsPath(std::string_view name);

// Sets the current folder for a scope (a test) and puts the previous one back afterwards.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(std::string_view path);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::string previous_;
};

}  // namespace common
