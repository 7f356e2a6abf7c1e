#include "common/file_paths.h"

namespace common {
namespace {

bool IsDelimiter(char c) { return c == '/' || c == '\\' || c == ':'; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Index of the last delimiter, or npos.
std::size_t LastDelimiter(std::string_view name) {
  for (std::size_t i = name.size(); i > 0; --i) {
    if (IsDelimiter(name[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ExtractFileName(std::string_view name) {
  const std::size_t i = LastDelimiter(name);
  return std::string(i == std::string_view::npos ? name : name.substr(i + 1));
}

std::string ExtractFileDir(std::string_view name) {
  std::size_t i = LastDelimiter(name);
  if (i == std::string_view::npos) return {};
  // "a/b/c" gives "a/b", but "/c" and "C:\c" keep their root separator.
  if (i > 0 && IsSeparator(name[i]) && !IsDelimiter(name[i - 1]))
    return std::string(name.substr(0, i));
  return std::string(name.substr(0, i + 1));
}

std::string FileBaseName(std::string_view name) {
  std::string base = ExtractFileName(name);
  const std::size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.erase(dot);
  return base;
}

std::string AddBackslash(std::string_view path) {
  if (path.empty() || IsSeparator(path.back())) return std::string(path);
  return std::string(path) + "/";
}

bool HasDriveOrFolder(std::string_view path) {
  return path.find_first_of(":\\/") != std::string_view::npos;
}

}  // namespace common
