#include "app/program_start.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/contest_brow.h"
#include "app/program_ports.h"
#include "app/program_services.h"
#include "app/resource_files.h"
#include "platform/data_folder.h"
#include "platform/qt/application.h"
#include "platform/text_codec.h"
#include "ui/help_glue.h"

namespace app {
namespace {

constexpr const char* kApplicationTitle = "PEL Domivox";
constexpr const char* kHelpFile = "Rondexa.hlp";

std::string ProgramFile(const std::string& program_path) {
  std::error_code ec;
  const std::filesystem::path file = std::filesystem::canonical("/proc/self/exe", ec);
  return ec ? program_path : file.string();
}

}  // namespace

int RunProgram(int argc, char** argv, const StartHooks& hooks) {
  const std::string program = argc > 0 ? argv[0] : "";
  const std::string folder =
      hooks.data_folder.empty() ? platform::DataFolderPath() : hooks.data_folder;
  if (!platform::EnsureFolder(folder)) {
    std::fprintf(stderr, "Datenordner konnte nicht angelegt werden: %s\n", folder.c_str());
    return 1;
  }
  InstallResourceFiles(hooks.resource_folder.empty() ? ResourceFolder(program)
                                                     : hooks.resource_folder,
                       folder);

  // The application object outlives everything below (a test brings its own).
  std::unique_ptr<platform::qt::TApplication> own_application;
  ProgramServices services(platform::Utf8ToCp1252(folder));
  if (!platform::qt::ApplicationExists()) {
    own_application = std::make_unique<platform::qt::TApplication>(argc, argv);
  }
  platform::qt::TApplication& application = platform::qt::Application();
  application.Title = kApplicationTitle;
  application.HelpFile = kHelpFile;
  ui::THelpServices::Initialise(std::vector<std::string>(argv, argv + argc),
                                ProgramFile(program));
  ProgramPorts ports;
  if (hooks.wired) hooks.wired();

  RunOutcome outcome;
  {
    TContestBrow window(nullptr, outcome);
    if (!window.Halted()) {
      application.SetMainForm(&window);
      window.Show();
      if (hooks.running) application.Queue([&] { hooks.running(window); });
      application.Run();
    }
  }
  application.OnHelp = nullptr;
  return outcome.exit_code;
}

}  // namespace app
