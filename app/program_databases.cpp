#include "app/program_databases.h"

#include <memory>
#include <string>

#include "common/le_int.h"
#include "common/messages.h"
#include "common/service.h"
#include "contest/contest_fkt.h"
#include "contest/contest_tables.h"
#include "logbook/databases/project_database.h"
#include "logbook/databases/projecte.h"
#include "logbook/reference/prefix_cursor.h"
#include "logbook/reference/prefix_files.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_store.h"
#include "logbook/setupfiles/setup_cursor.h"
#include "logbook/setupfiles/setup_files.h"
#include "storage/driver/db_error.h"
#include "storage/driver/driver_errors.h"
#include "storage/driver/driver_system.h"
#include "storage/tables/db_functions.h"
#include "storage/tables/table_treiber.h"

namespace app {
namespace {

using common::Service;

constexpr const char* kPrefixTableMissing =
    "Achtung: Die Präfixdatei konnte nicht gefunden werden bzw. ist leer. Ohne diese Datei kann "
    "das Programm nicht korrekt arbeiten!";
constexpr const char* kPrefixTableSource =
    "Die Präfixtabellen entstehen aus den installierten Länderdaten (cty.csv des Pakets "
    "hamradio-files); installieren Sie das Paket und bauen Sie das Programm neu.";

common::ToMessages& Messages() { return Service<common::ToMessages>::Get(); }

// A step of the start on the files: false also when it met a serious database error (the
// driver has written its dump and report), so that the start can stop in order.
template <typename Step>
bool Succeeds(Step step) {
  try {
    return step();
  } catch (const storage::EDBError&) {
    return false;
  }
}

// Opens tables and makes the first access to `table`: the driver opens a table's files at their
// first use, so files that cannot be opened (a folder in their place, no access) show only then,
// as a serious error or as a conflict the user gave up waiting for.
template <typename Open, typename Table>
bool OpenedAndUsable(Open open, Table table) {
  return Succeeds([&] {
    if (!open()) return false;
    storage::TdbTreiber* treiber = table();
    if (treiber == nullptr) return false;
    treiber->UsedRecs();
    return storage::DriverErrorClass() <= storage::kClassNotFound;
  });
}

std::int32_t SetupProject(const logbook::TdbSetupBase& setup) {
  const auto record = std::make_unique<logbook::PxSetupRecord>();
  setup.GetRecord0(*record);
  return common::ReadLeInt32(record->data() + kSetupProjectOffset);
}

// Writes the settings into their tables; a failure is told.
bool WriteSettings() {
  if (Succeeds([] { return logbook::SaveSettings(); })) return true;
  Messages().Fehler(kSettingsNotSaved);
  return false;
}

void SetSetupProject(logbook::TdbSetupBase& setup, std::int32_t project) {
  const auto record = std::make_unique<logbook::PxSetupRecord>();
  setup.GetRecord0(*record);
  common::WriteLeInt32(record->data() + kSetupProjectOffset, project);
  setup.PutRecord0(*record);
  setup.Update();
}

}  // namespace

ProgramDatabases::ProgramDatabases(char code)
    : code_(code), definition_(std::make_unique<contest::TContestRec>()) {
  OpenSetupAndProject();
  if (!Succeeds([] { return logbook::LoadSettings(); })) Halt(kSettingsNotLoaded);
  // From now on a change of the settings is written when it is made, not only at the end.
  Service<logbook::ToSetups>::Get().SetKeeper([] { return WriteSettings(); });
  CheckPrefixTables();
  catalogue_ = std::make_unique<contest::TdbContest>(contest::kTableKK, 0);
  contest_data_ = std::make_unique<contest::TdbContest>(contest::kTableKZ, 0);
  Service<contest::TContestFkt>::Get().LoadContestDefinition(*definition_, *catalogue_, code_,
                                                              false);
  row_table_ = std::make_unique<contest::TdbContest>(contest::kTableKK, 0);
}

ProgramDatabases::~ProgramDatabases() { CloseDatabases(); }

void ProgramDatabases::OpenSetupAndProject() {
  logbook::ToDatSetup& setup_files = Service<logbook::ToDatSetup>::Get();
  setup_open_ = true;  // closed on every way out, also after a failed open
  if (!OpenedAndUsable([&] { return setup_files.OpenFiles(logbook::ToDatSetup::kBitMain, false); },
                       [&] { return setup_files.Treiber(logbook::kSetupMain); })) {
    Halt(kSetupFilesFailed);
  }
  logbook::ToProjecte& projecte = Service<logbook::ToProjecte>::Get();
  std::int32_t project = projecte.CurrentProject();
  {
    logbook::TdbSetupBase setup(logbook::kSetupMain);
    if (!setup.First(0)) {
      setup.Clear();
      setup.Insert();
    }
    const std::int32_t stored = SetupProject(setup);
    if (stored > 0) project = stored;
  }

  logbook::ToDatProject& project_files = Service<logbook::ToDatProject>::Get();
  project_open_ = true;
  if (!OpenedAndUsable(
          [&] { return project_files.OpenFiles(logbook::ToDatProject::kProjectBit, false); },
          [&] { return project_files.Treiber(); })) {
    Halt(kProjectFilesFailed);
  }
  {
    logbook::TdbProject cursor;
    if (!cursor.FindNumber(project)) project = -1;
    if (project == -1 && !cursor.First(0)) cursor.Clear();
    projecte.SelectProject(cursor.GetGroupValue());
  }
  logbook::TdbSetupBase setup(logbook::kSetupMain);
  if (setup.First(0)) SetSetupProject(setup, projecte.CurrentProject());
}

void ProgramDatabases::CheckPrefixTables() {
  prefix_open_ = true;  // closed at the end whatever the open managed
  Service<logbook::ToDatPrefix>::Get().OpenFiles(logbook::ToDatPrefix::kStartupBits, false);
  logbook::TdbPrefix prefixes(logbook::kPrefixMain);
  if (prefixes.UsedRecs() == 0) {
    Messages().Fehler(std::string(kPrefixTableMissing) + "\r" + kPrefixTableSource);
  }
}

void ProgramDatabases::Halt(const char* text) {
  Messages().Fehler(text);
  CloseDatabases();
  throw ProgramHalt{1};
}

bool ProgramDatabases::CloseDatabases() {
  if (closed_) return true;
  closed_ = true;
  row_table_.reset();
  catalogue_.reset();
  contest_data_.reset();
  if (prefix_open_ && Service<logbook::ToDatPrefix>::Exists()) {
    Service<logbook::ToDatPrefix>::Get().CloseFiles(logbook::ToDatPrefix::kStartupBits, true);
  }
  // Settings are written back only when they were read: a start that stopped before would put
  // the defaults over the user's.
  bool saved = true;
  if (Service<logbook::ToSetups>::Exists()) Service<logbook::ToSetups>::Get().SetKeeper(nullptr);
  if (prefix_open_) saved = WriteSettings();
  if (setup_open_ && Service<logbook::ToDatSetup>::Exists()) {
    Service<logbook::ToDatSetup>::Get().CloseFiles(logbook::ToDatSetup::kBitMain |
                                                   logbook::ToDatSetup::kBitMore);
  }
  if (project_open_ && Service<logbook::ToDatProject>::Exists()) {
    Service<logbook::ToDatProject>::Get().CloseFiles(logbook::ToDatProject::kProjectBit, false);
  }
  // A file still open is not reported to the user: it is closed with the process.
  Service<storage::ToDBFkt>::Get().DoneDatabase();
  return saved;
}

}  // namespace app
