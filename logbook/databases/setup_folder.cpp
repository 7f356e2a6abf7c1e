#include "logbook/databases/setup_folder.h"

#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/settings/setups.h"

namespace logbook {

std::string SetupFolder(int entry) {
  if (!common::Service<ToSetups>::Exists()) return {};
  const auto& dirs = common::Service<ToSetups>::Get().GetDirs().dirs;
  if (entry < 0 || entry >= static_cast<int>(dirs.size())) return {};
  return common::ReplaceChar(dirs[static_cast<std::size_t>(entry)], '\\', '/');
}

}  // namespace logbook
