// Files the program keeps in its data folder from its own resources (the installation help
// page), copied there on start when they are missing.
#pragma once

#include <string>

namespace app {

// program_path: the program as it was started (argv[0]); the resources lie in "resources/"
// beside it. A missing resource is skipped: the program runs without it.
void InstallResourceFiles(const std::string& program_path, const std::string& data_folder);

}  // namespace app
