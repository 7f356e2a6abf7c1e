// TContestBrowCtrl: the data side of the main window. It opens the program's databases for their
// whole life (ProgramDatabases, app/program_databases.h), binds the main window's grid to the
// contest catalogue restricted to the program's contest code, builds the grid's rows, titles and
// sort orders, and runs the five log actions: new, change, start, review and delete.
//
// Rows show the logs of the contest code only: name, from-date and to-date (the from-date first
// when sorted by "Datum"). After creation the grid shows the newest log (the highest Nummer of
// the code) on top.
//
// The grid and the owner form are the main window's and outlive the controller; the window
// frees its grid before the controller (the grid must not outlive the catalogue it pages).
// Windows are reached through the catalogue service's port (contest/contest_port.h), questions
// through ToMessages.
#pragma once

#include <cstdint>

#include "app/program_databases.h"
#include "ui/daten_brow_ctrl.h"

namespace platform::qt {
class TForm;
}  // namespace platform::qt

namespace app {

// The browser list number the main window's grid registers under.
inline constexpr int kContestListNr = 48;

class TContestBrowCtrl : private ProgramDatabases, public ui::TDatenBrowCtrl {
 public:
  // Opens everything (throws ProgramHalt when the start cannot go on), binds `grid` and puts the
  // newest log of `code` on top. `owner` is the parent of the log window and the caption the
  // version notice quotes; `scale_form` the form whose scaling the grid follows; `list_number`
  // the browser controller's owner byte.
  TContestBrowCtrl(ui::TkvBrow* grid, char code, platform::qt::TForm* owner,
                   ui::TkvForm* scale_form, int list_number);
  ~TContestBrowCtrl() override;

  // --- the grid's content ---
  // " " + name;from;to (from;name;to under key 2): the name with a blank after it, at most 26
  // characters; a date "dd.mm.yyyy" and three blanks, or 13 blanks without one.
  void BuildRow(ui::RowRec& row) override;
  void SetHeaderFooter() override;
  // "Name" (key 1), "Datum" (key 2).
  void InitSortList() override;
  // The sort entry + 1, both bounds the contest code.
  int SortList2Key(int entry, common::TKeyStr& lkey, common::TKeyStr& hkey) override;

  // --- the log actions ---
  // Runs the log window of catalogue record `ref` (its contest data made sure first) and
  // returns when it has closed; the catalogue and contest-data objects then read the log's
  // records again.
  void StartLog(std::int32_t ref);
  // The version notice, then the setup form of a new log: the new record's number when the form
  // ended with "Contest starten", else 0.
  std::int32_t NewLog();
  // The setup form of log `ref` (its definition reloaded from its record): true when it ended
  // with "Contest starten".
  bool ChangeLog(std::int32_t ref);
  // The setup form of the current log in review mode.
  void ReviewLog();
  // Deletes log `ref` after two questions.
  void DeleteLog(std::int32_t ref);
  void ShowMorePrograms();

  using ProgramDatabases::Catalogue;
  using ProgramDatabases::CloseDatabases;
  using ProgramDatabases::ContestCode;
  using ProgramDatabases::ContestData;
  using ProgramDatabases::Definition;

 private:
  // Sort entry (0 "Name", 1 "Datum") of the grid's current key.
  bool DateFirst() const;
  // The newest log of the code on top of the grid.
  void ShowNewestLog();

  platform::qt::TForm* owner_;
};

}  // namespace app
