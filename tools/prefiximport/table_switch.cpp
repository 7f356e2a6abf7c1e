#include "tools/prefiximport/table_switch.h"

namespace prefiximport {

namespace fs = std::filesystem;

std::error_code SystemRename(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return ec;
}

bool SwitchTables(const fs::path& work, const fs::path& folder,
                  const std::vector<std::string>& names, std::string& error,
                  const RenameFile& rename) {
  const fs::path aside = folder / "prefiximport.old";
  std::error_code ec;
  fs::remove_all(aside, ec);
  if (!fs::create_directories(aside, ec)) {
    error = aside.string() + ": " + ec.message();
    return false;
  }
  std::vector<std::string> moved_aside;
  std::vector<std::string> moved_in;
  const auto fail = [&](const fs::path& path, const std::error_code& why) {
    error = path.string() + ": " + why.message();
    bool restored = true;
    for (const std::string& name : moved_in) {
      std::error_code ignored;
      fs::remove(folder / name, ignored);
    }
    for (const std::string& name : moved_aside) {
      if (rename(aside / name, folder / name)) restored = false;
    }
    if (restored) {
      fs::remove_all(aside, ec);
    } else {
      error += "; the old tables are kept in " + aside.string();
    }
    return false;
  };

  for (const std::string& name : names) {
    if (!fs::exists(folder / name)) continue;
    if (const std::error_code why = rename(folder / name, aside / name)) {
      return fail(folder / name, why);
    }
    moved_aside.push_back(name);
  }
  for (const std::string& name : names) {
    if (const std::error_code why = rename(work / name, folder / name)) {
      return fail(folder / name, why);
    }
    moved_in.push_back(name);
  }
  fs::remove_all(aside, ec);
  return true;
}

}  // namespace prefiximport
