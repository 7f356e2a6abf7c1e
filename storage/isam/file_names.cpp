#include "storage/isam/file_names.h"

namespace storage {

std::string ReplaceExtension(std::string_view name, std::string_view extension) {
  std::string result(name);
  const std::size_t dot = result.find_last_of('.');
  if (dot != std::string::npos && result.find_first_of("\\/", dot) == std::string::npos) {
    result.erase(dot);
  }
  result += '.';
  result += extension;
  return result;
}

std::string_view DataPart(std::string_view name) { return name.substr(0, name.find(';')); }

std::string_view IndexPart(std::string_view name) {
  const std::size_t first = name.find(';');
  if (first == std::string_view::npos) return DataPart(name);
  std::string_view rest = name.substr(first + 1);
  rest = rest.substr(0, rest.find(';'));
  return rest.empty() ? DataPart(name) : rest;
}

FileblockNames MakeFileblockNames(std::string_view name) {
  FileblockNames names;
  names.data = ReplaceExtension(DataPart(name), kExtData);
  names.index = ReplaceExtension(IndexPart(name), kExtIndex);
  names.dialog = ReplaceExtension(DataPart(name), kExtDialog);
  return names;
}

}  // namespace storage
