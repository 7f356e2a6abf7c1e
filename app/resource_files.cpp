#include "app/resource_files.h"

#include <filesystem>
#include <system_error>

#include "platform/text_codec.h"
#include "storage/error_report.h"

namespace app {

void InstallResourceFiles(const std::string& program_path, const std::string& data_folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path program = fs::canonical("/proc/self/exe", ec);
  const fs::path beside = ec ? fs::path(program_path).parent_path() : program.parent_path();
  for (const char* name : {storage::kInstallHelpPage}) {
    const fs::path target = fs::path(platform::Cp1252ToUtf8(data_folder)) / name;
    if (fs::exists(target, ec)) continue;
    fs::copy_file(beside / "resources" / name, target, ec);  // best effort, see the header
  }
}

}  // namespace app
