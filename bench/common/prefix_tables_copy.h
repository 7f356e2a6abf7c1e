// The prefix tables the build made from cty.csv (PREFIX_TABLES_DIR), copied into a benchmark's
// data folder, or once into a fresh temporary folder, so that a benchmark may open them for
// writing and share them as the program does without touching the build's own.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace bench {

// Copies the build's prefix tables into `folder` (a data folder of the benchmark's own).
inline void CopyPrefixTables(const char* tables_dir, const std::string& folder) {
  namespace fs = std::filesystem;
  for (const char* name : {"PXPREFIX.DAT", "PXPREFIX.IX", "PXPREFES.DAT", "PXPREFES.IX"}) {
    fs::copy_file(fs::path(tables_dir) / name, fs::path(folder) / name);
  }
}

// The copy's folder, without a trailing "/".
inline const std::string& PrefixTablesCopy(const char* tables_dir) {
  static const std::string folder = [tables_dir] {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "prefixtables_XXXXXX").string();
    const std::string made = mkdtemp(pattern.data());
    CopyPrefixTables(tables_dir, made);
    return made;
  }();
  return folder;
}

}  // namespace bench
