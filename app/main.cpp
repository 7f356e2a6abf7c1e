// Program entry. Until the main window exists, it starts the program's services and its file
// manager in the data folder, loads the settings, writes them back, and ends.
#include <cstdio>
#include <string>

#include "app/program_services.h"
#include "app/resource_files.h"
#include "platform/data_folder.h"
#include "platform/text_codec.h"

namespace {

void Say(const std::string& text) { std::printf("%s\n", platform::Cp1252ToUtf8(text).c_str()); }

}  // namespace

int main(int /*argc*/, char* argv[]) {
  const std::string folder = platform::Utf8ToCp1252(platform::DataFolderPath());
  if (!platform::EnsureFolder(platform::Cp1252ToUtf8(folder))) {
    std::fprintf(
        stderr, "%s\n",
        platform::Cp1252ToUtf8("Datenordner konnte nicht angelegt werden: " + folder).c_str());
    return 1;
  }
  app::InstallResourceFiles(app::ResourceFolder(argv[0]), platform::Cp1252ToUtf8(folder));

  app::ProgramServices services(folder);
  Say("PEL Domivox");
  Say("Datenordner: " + folder);
  if (!services.StartFileManager()) return 1;
  Say("Dateiverwaltung gestartet");
  Say(services.LoadSettings() ? "Einstellungen geladen"
                              : "Einstellungen konnten nicht geladen werden");
  if (!services.SaveSettings()) Say("Einstellungen konnten nicht gespeichert werden");
  const std::string still_open = services.StopFileManager();
  if (!still_open.empty()) Say("Noch geöffnet: " + still_open);
  return 0;
}
