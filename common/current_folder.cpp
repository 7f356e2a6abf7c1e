#include "common/current_folder.h"

#include <optional>
#include <vector>

#include "platform/data_folder.h"
#include "platform/text_codec.h"

namespace common {
namespace {

std::optional<std::string>& Slot() {
  static std::optional<std::string> folder;
  return folder;
}

// An absolute path with "\" as "/", without empty, "." and ".." parts; ".." never climbs above
// the root.
std::string NormalizeAbsolute(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  std::string unified(path);
  for (char& c : unified) {
    if (c == '\\') c = '/';
  }
  const std::string_view text(unified);
  while (start <= text.size()) {
    std::size_t end = text.find('/', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view part = text.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string_view part : parts) {
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

bool IsAbsolute(std::string_view name) {
  return !name.empty() && (name.front() == '/' || name.front() == '\\');
}

}  // namespace

std::string CurrentFolder() {
  if (!Slot()) Slot() = NormalizeAbsolute(platform::DataFolderPath());
  return *Slot();
}

void SetCurrentFolder(std::string_view path) { Slot() = ResolvePath(path); }

std::string ResolvePath(std::string_view name) {
  if (IsAbsolute(name)) return NormalizeAbsolute(name);
  return NormalizeAbsolute(CurrentFolder() + "/" + std::string(name));
}

std::string OsPath(std::string_view name) { return platform::Cp1252ToUtf8(ResolvePath(name)); }

ScopedCurrentFolder::ScopedCurrentFolder(std::string_view path) : previous_(CurrentFolder()) {
  SetCurrentFolder(path);
}

ScopedCurrentFolder::~ScopedCurrentFolder() { SetCurrentFolder(previous_); }

}  // namespace common
