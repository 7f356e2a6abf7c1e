#include "platform/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

std::string DataFolderPath() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    base = "/tmp";
  }
  if (base.back() != '/') base += '/';
  return base + "domivox/";
}

bool EnsureFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

}  // namespace platform
