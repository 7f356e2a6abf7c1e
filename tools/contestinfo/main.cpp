// contestinfo CODE [CLASS] [OWNCALL] [OWNDOK]: loads the definition of contest CODE as the
// program does, for a log of class index CLASS (default 1) with the given own call and DOK and
// no start date, and prints every field of the definition, one a line. The definition set is the
// built-in one with the "contests.toml" of the data folder applied, as in the program; its
// problems are shown. Exit code 2 for bad arguments.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/messages.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contest/definition_dump.h"
#include "logbook/reference/bands.h"
#include "logbook/settings/setups.h"
#include "platform/data_folder.h"
#include "platform/text_codec.h"
#include "storage/driver/driver_system.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: contestinfo CODE [CLASS] [OWNCALL] [OWNDOK]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 5) return Usage();
  const std::string code = platform::Utf8ToCp1252(argv[1]);
  char* end = nullptr;
  const long class_index = argc > 2 ? std::strtol(argv[2], &end, 10) : 1;
  if (code.size() != 1 || (argc > 2 && (*end != '\0' || class_index < 0 || class_index > 255))) {
    return Usage();
  }

  using common::ScopedService;
  ScopedService<logbook::ToSetups> setups;
  ScopedService<common::ToMessages> messages;
  ScopedService<logbook::ToBaender> bands;
  ScopedService<storage::DriverSystem> driver_system;
  driver_system->SetStartFolder(platform::Utf8ToCp1252(platform::DataFolderPath()));
  ScopedService<contest::TContestFkt> fkt;

  contest::TContestKKRec log{};
  log.Typ = code[0];
  log.ClassIndex = static_cast<std::uint8_t>(class_index);
  if (argc > 3) log.OwnCall = platform::Utf8ToCp1252(argv[3]);
  if (argc > 4) log.OwnDOK = platform::Utf8ToCp1252(argv[4]);
  contest::TContestRec definition;
  fkt->LoadContestDefinition(definition, log, code[0]);
  std::fputs(platform::Cp1252ToUtf8(contest::DumpContestDefinition(definition)).c_str(), stdout);
  return 0;
}
