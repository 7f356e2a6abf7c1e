// prefiximport CTY.CSV FOLDER [CTY.DAT]: writes the prefix tables PXPREFIX (one record per
// prefix) and PXPREFES (one record per exact call) of the country file CTY.CSV into FOLDER,
// through the prefix database's own data object and cursors, with the exact calls that CTY.DAT
// holds beyond CTY.CSV. The user's learnt entries (PXPREFEE) are never touched.
//
// The files are read whole first; a malformed line, an unknown ADIF number, an over-long prefix
// or a file without any prefix stops the import with "FILE:LINE: reason". The tables are written
// under a temporary folder in FOLDER, which is removed whatever happens, and switched in all or
// nothing (table_switch.h), so that a failed import leaves the old tables as they were. Exit code
// 0 done, 1 bad input or failed write, 2 wrong usage.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "common/service.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"
#include "platform/text_codec.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "tools/prefiximport/cty_csv.h"
#include "tools/prefiximport/table_switch.h"

namespace {

namespace fs = std::filesystem;
using logbook::ToDatPrefix;

constexpr int kKinds[] = {logbook::kPrefixMain, logbook::kPrefixExact};
constexpr const char* kExtensions[] = {".DAT", ".IX"};

bool Insert(int kind, const std::vector<logbook::TPrefixRec>& records) {
  logbook::TdbPrefix cursor(kind);
  cursor.SetWriteMode(nullptr, 1);  // one flush at the close instead of one per record
  for (const logbook::TPrefixRec& record : records) {
    cursor.SetRecord(record);
    if (!cursor.Insert()) {
      std::fprintf(stderr, "%s: record %s not written (error %d)\n",
                   ToDatPrefix::FileName(kind).c_str(), cursor.GetPrefix().c_str(),
                   common::Service<storage::DriverSystem>::Get().Stack().GetEntry(1).error_number);
      return false;
    }
  }
  return true;
}

// Writes both tables into `folder` (which must not hold them yet).
bool WriteTables(const fs::path& folder, const prefiximport::CtyTables& tables) {
  common::Service<storage::DriverSystem>::Create();
  common::Service<ToDatPrefix>::Create();
  bool written = false;
  try {
    if (storage::StartDriverSystem(0, 160, 32)) {
      // The tables are made new; nobody else uses the folder, so no lock waits.
      storage::SetDefaultRetryProc(
          [](std::string_view, int reason) { return reason == storage::kReasonCreate; });
      common::Service<storage::DriverSystem>::Get().SetStartFolder(
          platform::Utf8ToCp1252(folder.string()) + "/");
      if (common::Service<ToDatPrefix>::Get().OpenFiles(
              ToDatPrefix::kBitMain | ToDatPrefix::kBitExact, false)) {
        written = Insert(logbook::kPrefixMain, tables.prefixes) &&
                  Insert(logbook::kPrefixExact, tables.exact_calls);
      }
      common::Service<ToDatPrefix>::Get().CloseFiles(ToDatPrefix::kStartupBits, false);
      storage::StopDriverSystem();
    }
  } catch (const storage::EDBError& e) {
    std::fprintf(stderr, "%s\n", platform::Cp1252ToUtf8(e.what()).c_str());
    written = false;
  }
  common::Service<ToDatPrefix>::Destroy();
  common::Service<storage::DriverSystem>::Destroy();
  return written;
}

// Removes the temporary folder on every way out of main.
class RemovedAtExit {
 public:
  explicit RemovedAtExit(fs::path folder) : folder_(std::move(folder)) {}
  ~RemovedAtExit() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  RemovedAtExit(const RemovedAtExit&) = delete;
  RemovedAtExit& operator=(const RemovedAtExit&) = delete;

 private:
  fs::path folder_;
};

bool Read(const std::string& csv, const std::string& dat, prefiximport::CtyTables& tables) {
  prefiximport::CtyError error;
  const bool csv_read = prefiximport::ReadCtyCsv(csv, tables, error);
  if (csv_read && (dat.empty() || prefiximport::AddCtyDatCalls(dat, tables, error))) return true;
  std::fprintf(stderr, "%s:%d: %s\n", (csv_read ? dat : csv).c_str(), error.line,
               platform::Cp1252ToUtf8(error.reason).c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: prefiximport CTY.CSV FOLDER [CTY.DAT]\n");
    return 2;
  }
  const fs::path folder = argv[2];
  prefiximport::CtyTables tables;
  if (!Read(argv[1], argc == 4 ? argv[3] : "", tables)) return 1;

  std::error_code ec;
  const fs::path work = folder / "prefiximport.tmp";
  fs::remove_all(work, ec);
  const RemovedAtExit removed(work);
  if (!fs::create_directories(work, ec) || !WriteTables(work, tables)) {
    std::fprintf(stderr, "%s: the prefix tables could not be written\n", folder.c_str());
    return 1;
  }
  std::vector<std::string> names;
  for (const int kind : kKinds) {
    for (const char* extension : kExtensions) names.push_back(ToDatPrefix::FileName(kind) + extension);
  }
  std::string error;
  if (!prefiximport::SwitchTables(work, folder, names, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("%zu prefixes, %zu exact calls\n", tables.prefixes.size(), tables.exact_calls.size());
  return 0;
}
