// Files the program keeps in its data folder from its own resources, copied there on start: the
// installation help page and the program's help page when they are missing, and the prefix
// tables the build made from the country file (PXPREFIX, PXPREFES) when a table is missing or
// holds no record. The user's learnt prefix entries (PXPREFEE) are never copied over.
#pragma once

#include <string>

namespace app {

// The program's resources: "resources/" beside the program (program_path: argv[0], used when
// the running program cannot be found otherwise).
std::string ResourceFolder(const std::string& program_path);

// Copies from `resource_folder` into `data_folder` (UTF-8 paths). A missing resource is skipped:
// the program runs without it.
void InstallResourceFiles(const std::string& resource_folder, const std::string& data_folder);

}  // namespace app
