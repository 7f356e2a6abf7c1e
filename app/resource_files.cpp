#include "app/resource_files.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/help_page.h"
#include "common/le_int.h"
#include "logbook/reference/prefix_files.h"
#include "storage/driver/error_report.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Whether the data file of a table holds a record: its header (storage/isam/fileblock.h) counts the
// record slots at offset 8 and the free ones at offset 4.
bool HoldsRecords(const fs::path& data_file) {
  std::array<char, 12> header{};
  std::ifstream in(data_file, std::ios::binary);
  if (!in.read(header.data(), header.size())) return false;
  return common::ReadLeInt32(header.data() + 8) - common::ReadLeInt32(header.data() + 4) > 0;
}

// Copies a table (data and index file) over the data folder's when that one holds no record.
void InstallTable(const fs::path& from, const fs::path& to, const std::string& table) {
  std::error_code ec;
  const fs::path data = from / (table + ".DAT");
  const fs::path index = from / (table + ".IX");
  if (!fs::exists(data, ec) || !fs::exists(index, ec) || HoldsRecords(to / (table + ".DAT"))) {
    return;
  }
  // The index first: a data file without its index would be rebuilt, not replaced, next time.
  fs::copy_file(index, to / (table + ".IX"), fs::copy_options::overwrite_existing, ec);
  if (!ec) fs::copy_file(data, to / (table + ".DAT"), fs::copy_options::overwrite_existing, ec);
}

}  // namespace

std::string ResourceFolder(const std::string& program_path) {
  std::error_code ec;
  const fs::path program = fs::canonical("/proc/self/exe", ec);
  const fs::path beside = ec ? fs::path(program_path).parent_path() : program.parent_path();
  return (beside / "resources").string();
}

void InstallResourceFiles(const std::string& resource_folder, const std::string& data_folder) {
  std::error_code ec;
  const fs::path from = resource_folder;
  const fs::path to = data_folder;
  for (const char* name : {storage::kInstallHelpPage, kHelpPage}) {
    if (fs::exists(to / name, ec)) continue;
    fs::copy_file(from / name, to / name, ec);  // best effort, see the header
  }
  for (const int kind : {logbook::kPrefixMain, logbook::kPrefixExact}) {
    InstallTable(from, to, logbook::ToDatPrefix::FileName(kind));
  }
}

}  // namespace app
