#include "storage/tables/db_functions.h"

#include <cstdlib>
#include <exception>

#include "common/current_folder.h"
#include "common/file_paths.h"
#include "common/lang_text.h"
#include "common/messages.h"
#include "common/service.h"
#include "platform/file.h"
#include "storage/driver/debug_stack.h"
#include "storage/driver/driver_codes.h"
#include "storage/driver/driver_system.h"
#include "storage/driver/retry_prompt.h"
#include "storage/isam/isam_errors.h"

namespace storage {
namespace {

constexpr const char* kProbeFile = "IFDPROBE.TMP";

// Whether the folder that every database lies in takes new files: the driver system's start
// would succeed without it, and then every database would fail.
bool DataFolderUsable(const std::string& folder) {
  const std::string probe = common::AddBackslash(folder) + kProbeFile;
  platform::File file;
  if (file.Open(probe, platform::FileAccess::kReadWrite, platform::FileShare::kReadWrite,
                platform::FileCreate::kCreateAlways) != platform::kErrorSuccess) {
    return false;
  }
  file.Close();
  platform::DeleteFile(probe);
  return true;
}

}  // namespace

ToDBFkt::ToDBFkt() = default;
ToDBFkt::~ToDBFkt() = default;

bool ToDBFkt::InitDatabase() { return InitFileManager(); }

bool ToDBFkt::InitFileManager() {
  if (!common::Service<DriverSystem>::Exists()) return false;
  DriverSystem& system = common::Service<DriverSystem>::Get();
  try {
    system.SetStack(std::make_unique<SpecialDebugStack>());
  } catch (const std::exception&) {
    return false;
  }
  PassFoldersToReporter();
  system.Stack().SetDumpFileName(kDumpFileStart);
  // Also a start that fails here ends the program, and its log is written on the way out.
  static const bool exit_procedure_installed = std::atexit(DriverExitProcedure) == 0;
  (void)exit_procedure_installed;

  std::string folder = system.StartFolder();
  if (folder.empty()) folder = common::CurrentFolder();
  if (!DataFolderUsable(folder)) {
    // Recorded as the start's failure, so that the exit procedure logs and reports it.
    DebugStack& stack = system.Stack();
    stack.Clear();
    stack.SetOperationCode(static_cast<std::uint16_t>(DriverOp::kStartDriverSystem));
    system.Engine().SetError(kIsamOsFailure);
    ErrorEntry e;
    e.error_class = -1;
    e.error_number = kIsamOsFailure;
    stack.AddError(e);
  } else {
    StartDriverSystem(kFileManagerNetworkMode, kFileManagerPageBuffers, kFileManagerMaxFiles);
  }

  if (DriverErrorClass() != 0) {
    if (common::Service<common::ToMessages>::Exists()) {
      common::Service<common::ToMessages>::Get().Fehler(
          common::LangText("Dateiverwaltung konnte nicht initialisiert werden",
                           "Error initializising file manager"));
    }
    return false;
  }
  system.Stack().SetDumpFileName(kDumpFileRunning);
  SetDefaultRetryProc(DriverRetryPrompt);
  return true;
}

std::string ToDBFkt::DoneDatabase() {
  if (!common::Service<DriverSystem>::Exists()) return {};
  common::Service<DriverSystem>::Get().SetQuietStop(true);
  return StopDriverSystem();
}

void ToDBFkt::SetReportFolders(std::string log_folder, std::string help_folder) {
  log_folder_ = std::move(log_folder);
  help_folder_ = std::move(help_folder);
  PassFoldersToReporter();
}

void ToDBFkt::PassFoldersToReporter() {
  if (!common::Service<DriverSystem>::Exists()) return;
  auto* reporter = dynamic_cast<SpecialDebugStack*>(&common::Service<DriverSystem>::Get().Stack());
  if (reporter == nullptr) return;
  reporter->SetLogFolder(log_folder_);
  reporter->SetHelpFolder(help_folder_);
}

}  // namespace storage
