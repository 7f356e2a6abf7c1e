#include "common/file_ops.h"

#include <filesystem>
#include <system_error>

#include "common/current_folder.h"

namespace common {
namespace fs = std::filesystem;

bool FileExists(std::string_view name) {
  std::error_code ec;
  const fs::file_status status = fs::status(OsPath(name), ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(std::string_view path) {
  std::error_code ec;
  return fs::is_directory(OsPath(path), ec) && !ec;
}

bool CreateFolder(std::string_view path) {
  std::error_code ec;
  const std::string os_path = OsPath(path);
  fs::create_directories(os_path, ec);
  return fs::is_directory(os_path, ec) && !ec;
}

bool DeleteFile(std::string_view name) {
  if (!FileExists(name)) return false;
  std::error_code ec;
  return fs::remove(OsPath(name), ec) && !ec;
}

bool RenameFile(std::string_view old_name, std::string_view new_name) {
  if (!FileExists(old_name)) return false;
  const fs::path from = OsPath(old_name);
  const fs::path to = OsPath(new_name);
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return true;
  if (ec != std::errc::cross_device_link) return false;
  // Another file system: copy beside the target first, so the target is only replaced by a
  // complete copy, then drop the original.
  fs::path temporary = to;
  temporary += ".~ren";
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  fs::rename(temporary, to, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  fs::remove(from, ec);
  return true;
}

}  // namespace common
