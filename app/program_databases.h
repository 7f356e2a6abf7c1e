// ProgramDatabases: the databases the program keeps open from its main window's creation to its
// end, opened in the start-up order and closed in the shutdown order, with the contest definition
// of the program's contest code.
//
// Opening, in this order: the setup table PXSETUP with its first record (a cleared one is added to
// an empty table), the project table PX5PRO and the project the setup record names (else the
// first one), which becomes the current project and is written back into the setup record; the
// settings; the prefix tables (an empty or missing main table is reported, and the start goes
// on); the catalogue and contest-data tables; the definition of the contest code; a second
// catalogue object that reads grid rows.
//
// A start that cannot go on (setup or project tables that cannot be opened, settings that cannot
// be read) tells the user with ToMessages::Fehler, closes what it opened, stops the file manager
// and throws ProgramHalt: the program then ends with exit code 1. Keeping defaults in place of
// unreadable settings would write them over the user's at shutdown.
//
// Closing, in this order: the three catalogue objects, the prefix tables (outdated prefixes
// renewed), the settings saved, the setup and project tables, the file manager stopped.
//
// Needs the program's services (app/program_services.h) with a running file manager.
#pragma once

#include <cstdint>
#include <memory>

#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"

namespace app {

// Thrown when the start has to stop; the user has been told why.
struct ProgramHalt {
  int exit_code = 1;
};

// The setup record (PXSETUP, kind 0) keeps the current project's number here (32-bit).
inline constexpr int kSetupProjectOffset = 786;

// Texts of the start's stops.
inline constexpr const char* kSetupFilesFailed =
    "Die Einstellungsdateien konnten nicht geöffnet werden.";
inline constexpr const char* kProjectFilesFailed =
    "Die Projektdateien konnten nicht geöffnet werden.";
inline constexpr const char* kSettingsNotLoaded = "Die Einstellungen konnten nicht gelesen werden.";
inline constexpr const char* kSettingsNotSaved =
    "Die Einstellungen konnten nicht gespeichert werden.";

class ProgramDatabases {
 public:
  // Opens everything for contest `code` (see above); throws ProgramHalt.
  explicit ProgramDatabases(char code);
  ~ProgramDatabases();
  ProgramDatabases(const ProgramDatabases&) = delete;
  ProgramDatabases& operator=(const ProgramDatabases&) = delete;

  // Runs the shutdown order once (later calls do nothing and answer true). False when the
  // settings could not be written back; the user has been told.
  bool CloseDatabases();

  char ContestCode() const { return code_; }
  // The browsing catalogue object, the contest-data object and the row reader (table 0 again).
  contest::TdbContest& Catalogue() { return *catalogue_; }
  contest::TdbContest& ContestData() { return *contest_data_; }
  contest::TdbContest& RowTable() { return *row_table_; }
  // The live contest definition; the other windows read it and work on copies.
  contest::TContestRec& Definition() { return *definition_; }
  const contest::TContestRec& Definition() const { return *definition_; }

 private:
  void OpenSetupAndProject();
  void CheckPrefixTables();
  // Tells the user, closes what was opened and throws.
  [[noreturn]] void Halt(const char* text);

  char code_;
  bool setup_open_ = false;
  bool project_open_ = false;
  bool prefix_open_ = false;
  bool closed_ = false;
  std::unique_ptr<contest::TdbContest> catalogue_;
  std::unique_ptr<contest::TdbContest> contest_data_;
  std::unique_ptr<contest::TdbContest> row_table_;
  std::unique_ptr<contest::TContestRec> definition_;
};

}  // namespace app
