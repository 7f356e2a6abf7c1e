#include "common/file_chooser.h"

#include "common/cp1252.h"

namespace common {

std::string NameWithDefaultExt(std::string_view name, std::string_view ext) {
  std::string completed(name);
  const std::string dotted = "." + std::string(ext);
  if (!ext.empty() &&
      cp1252::UpperCase(name).find(cp1252::UpperCase(dotted)) == std::string::npos) {
    completed += dotted;
  }
  return completed;
}

}  // namespace common
