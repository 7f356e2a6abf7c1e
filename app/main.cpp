// Program entry. Until the main window exists, it prepares the data folder and reports what it
// has opened, so an installation can be checked from the command line.
#include <cstdio>
#include <string>

#include "platform/data_folder.h"
#include "platform/text_codec.h"

int main() {
  const std::string folder = platform::DataFolderPath();
  if (!platform::EnsureFolder(folder)) {
    std::fprintf(stderr, "%s\n",
                 platform::Cp1252ToUtf8("Datenordner konnte nicht angelegt werden: " + folder).c_str());
    return 1;
  }
  std::printf("PEL Domivox\n");
  std::printf("Datenordner: %s\n", platform::Cp1252ToUtf8(folder).c_str());
  std::printf("%s\n", platform::Cp1252ToUtf8("Geöffnete Dateien: keine").c_str());
  return 0;
}
