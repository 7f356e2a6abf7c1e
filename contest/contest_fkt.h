// TContestFkt: the contest catalogue service, one object per process
// (common::Service<TContestFkt>), created at start-up after the contest tables' data object.
//
// The main window, the contest log window, the reports and the rules call it for what concerns a
// whole contest log or a contest code rather than one table: the exchange texts of a QSO record,
// a contest's title and picture, this edition's identity, the entry form, the contest-data
// record of a log, deleting and running a log, the log's note, the rules and the maker's pages.
// Windows, links and the bell are reached through the ContestPort it holds
// (contest/contest_port.h); questions and warnings through ToMessages.
//
// Its other operation is the contest definition loader, the only writer of TContestRec: it turns
// a contest code and the current catalogue record of a log into a filled definition. The contest
// rules never test contest names; they read what the loader writes, or the contest code.
//
// The definition set is read at the first load: the built-in resources/contests.toml, then the
// operator's "contests.toml" in the data folder (the driver system's start folder) when present.
// Each problem of either file is written to the protocol as "file:line: reason", and the user is
// warned once through ToMessages; the values concerned keep their built-in state.
//
// Requires the services ToSetups (own locator and name, folders), ToBaender (band names),
// ToMessages and the driver system (its start folder); the table operations also ToDatContest,
// the note also ToDates.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_lookups.h"
#include "contest/contest_port.h"
#include "contest/contest_table.h"
#include "contest/contest_titles.h"
#include "contest/definition_set.h"
#include "contest/log_record.h"

namespace contest {

// This edition's contest code: the main window lists the logs of this contest. The build chooses
// it (DOMIVOX_EDITION_CODE, '.' unless another edition is built).
static_assert(sizeof(DOMIVOX_EDITION_CODE) == 2, "the edition code is one character");
inline constexpr char kEditionCode = DOMIVOX_EDITION_CODE[0];
// The maker's own event contest, whatever the edition: its title and event stations are in the
// contest data.
inline constexpr char kEventCode = '.';

class TContestFkt {
 public:
  TContestFkt();
  ~TContestFkt();
  TContestFkt(const TContestFkt&) = delete;
  TContestFkt& operator=(const TContestFkt&) = delete;

  // --- the windows above ---
  // The installed port; the do-nothing one until a real one is installed.
  ContestPort& Port() { return *port_; }
  // Installs a port (nullptr: the do-nothing one again); answers the previous one.
  std::unique_ptr<ContestPort> SetPort(std::unique_ptr<ContestPort> port);

  // --- exchange texts of a QSO record ---
  // The sent text (at most 20 characters) and the received text (at most 24) lie in slices of
  // the record: characters 1-9, 10-11, 12-13, 14-20 and (received only) 21-24. Set stores the
  // text's characters in the slices (shorter or empty ones when the text is shorter; characters
  // beyond the last slice are lost); the texts join the slices back.
  static std::string SentExchangeText(const TContestLKRec& record);
  static std::string RcvdExchangeText(const TContestLKRec& record);
  static void SetSentExchange(std::string_view text, TContestLKRec& record);
  static void SetRcvdExchange(std::string_view text, TContestLKRec& record);

  // --- the contest code and this edition ---
  // The contest's title between double-quote characters and the path of its picture (the data
  // folder followed by the file name; 'j' the bare file name, 'i' none). Both are empty for a
  // code without title ('X', 't', any unknown one). The title of '.' is its definition's.
  void ContestTitleAndPicture(char code, std::string& title, std::string& picture);
  // This edition: its contest code kEditionCode; the window caption (maker, program, version and
  // the edition's contest title); the maker's one-line notice; the name of the title picture.
  void EditionInfo(char& code, std::string& caption, std::string& notice,
                   std::string& picture_name);

  // --- a log of the catalogue ---
  // With `show` not 0, runs the contest entry form (ContestPort::RunEntryForm with change, mode
  // and `show` as the contest code) and answers its result: the record number when it was closed
  // with "Contest starten", else 0. With `show` 0 nothing is shown and the answer is 0. The main
  // window passes its contest code; change 0 mode 0 new log, 1 0 change, 1 1 review.
  std::int32_t OpenEntryForm(char show, int change, int mode, TdbContest& catalogue,
                             TdbContest& contest_data);
  // Makes sure the log of catalogue record `record` (a record reference; 0 or less: the
  // catalogue object's current record) has its contest-data record, inserting an empty one with
  // the log's Nummer when it has none. False when the catalogue record cannot be reached or the
  // insert fails; the main window starts the log anyway.
  bool EnsureContestData(std::int32_t record, TdbContest& catalogue, TdbContest& contest_data);
  // Deletes the log of catalogue record `record` after two questions (default no): its QSO
  // files, its contest-data record and its catalogue record. A "no", or a QSO file that cannot
  // be opened, deletes nothing. When the QSO files cannot be erased (another program instance
  // still has the log open) both records stay and the user is told (ToMessages::Fehler).
  void DeleteLog(TdbContest& catalogue, TdbContest& contest_data, std::int32_t record);
  // Runs the contest log window (ContestPort::RunContestLog) for the catalogue object's current
  // record (its working copy) and returns when the window has closed; nothing for a record
  // without a contest code (Typ 0).
  void RunLog(platform::qt::TForm* owner, const TContestRec& definition, TdbContest& catalogue,
              TdbContest& contest_data);
  // The log's note: puts the stamp line ("dd.mm.yyyy hh:mm " in UTC, the log object's current
  // call cut or padded to 10, " > ") first into the note file (a missing one is started), shows
  // the file in the text window at the place stored in the catalogue record, and stores the
  // window's last place there (working copy and file). A note that cannot be written is
  // reported with ToMessages::Fehler and not shown; so is a place that cannot be stored (the
  // log's record deleted or locked by another station).
  void EditNote(const std::string& note_file, TdbContest& catalogue, const TdbContestBase& log);

  // --- the maker and the rules ---
  void ShowMorePrograms();
  // Opens the maker's web page from the definition set; nothing while it has none.
  void OpenMakerPage();
  // The data folder: the seventh entry of the settings' folder list (may be empty: then the
  // start folder, where the contest tables lie).
  static std::string DataDir();
  // Shows the rules of a contest: its web page (a notice when the definition set has no address
  // for it), the document of 'Z' and 'm', or the local rules text in the text window.
  void ShowRules(char code);

  // Fills `definition` for contest `code` from the catalogue object's current record (its working
  // copy): cleared first, so nothing of an earlier contest remains; an unknown code leaves only
  // the common defaults. The loader's copy of the record, with the catalogue switch at offset 369
  // set for the contests that set it, is written back into the object; with `update_file` also
  // into the catalogue file (UpdateRec; its failure is the table layer's to report).
  void LoadContestDefinition(TContestRec& definition, TdbContestBase& catalogue, char code,
                             bool update_file);
  // The same on a catalogue record held by the caller (tests, tools): reads and writes `catalogue`.
  void LoadContestDefinition(TContestRec& definition, TContestKKRec& catalogue, char code);

  // The year of the log's start date ("yyyy"); the current year when it has none (below 1).
  static std::string LogYearText(const TContestKKRec& catalogue);
  // The number field (offset 158) through five '@' digit places ("00042").
  static std::string LogNumberText(const TContestKKRec& catalogue);
  // Today's date "dd.mm.yyyy".
  static std::string TodayText();

  // The definition set, read at the first call (see above).
  const DefinitionSet& Definitions();

 private:
  // The title of a row of the title table (contest/contest_titles.h).
  std::string TitleOf(const ContestTitleRow& row);

  std::unique_ptr<ContestPort> port_;
  std::optional<DefinitionSet> set_;
};

}  // namespace contest
