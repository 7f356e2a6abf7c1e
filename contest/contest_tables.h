// ToDatContest: the data object of the contest tables, one per process
// (common::Service<ToDatContest>), created at start-up; nothing is opened then.
//
// Table numbers, mask bits, files and records:
// NO. MASK FILE                  RECORD                      LENGTH KEYS AUTO NUMBER
//   0    1 "PXKK"                TContestKKRec, catalogue       379    5 key 3
//   1    2 "PXKZ"                TContestKZRec, contest data 11,608    1 none (the log's number)
//   2    4 "PXLK" + log number   TContestLKRec, QSOs of a log   216   28 key 4
//   3    8 "QVMK" + log number   TContestMKRec                  215   18 key 4
//   4   16 "PXLK" + log number   second opening of a log        216   28 key 4
//   5   32 "PXLKTEMP"            scratch log for renumbering    216    1 key 1
//   6   64 "PXLN" + log number   a log's renumbered set         216   28 key 4
// The log number is written with four digits and leading zeros (PXLK0007), or with as many as it
// needs above 9999 (PXLK12345), so every log keeps a file of its own. Tables 3 and 4 keep their
// definitions, but the system opens neither.
//
// Files lie in folders of the settings' folder list (ToSetups::GetDirs): entry 7 (the data
// folder) for tables 0, 1, 2, 4 and 6, entry 11 for PXLKTEMP, entry 14 for QVMK. The path is the
// folder text followed by the name, no separator added; a relative one (an empty entry) lies in
// the driver system's start folder. Files are opened for shared use and flushed after every
// write; a missing file is created. A renumbered set (table 6) is built by one process alone: it
// is opened unshared, and replaces the log's QSO files when complete (contest/log_file_set.h).
// The first opening of a log's QSO table completes or discards a replacement that a stopped
// process left unfinished, and fails when a complete one cannot be put in place.
//
// Handles. There is one handle (TdbTreiber) per table and log number (tables 0, 1 and 5 name
// no log: one handle each). Every open of a table takes one use of its handle: the first opens
// the file, later ones share it without any file access and register nothing again (the file
// keeps the AUTOKEY field and write mode of its first opening). Every close gives one use back;
// the last one closes the file and drops the handle. So a log's objects share one driver, one
// record buffer and one current record, while another log's objects work on their own.
//
// Failure: an open that fails answers false and shows nothing (lock conflicts and drive errors
// are asked about by the driver's retry question); serious driver errors raise EDBError.
// Requires the DriverSystem, ToSetups, ToPrefix and ToModi services (the last two build keys).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "storage/tables/table_dat_base.h"
#include "storage/tables/table_treiber.h"

namespace contest {

enum ContestTable : int {
  kTableKK = 0,      // catalogue
  kTableKZ = 1,      // contest data
  kTableLK = 2,      // QSOs of a log
  kTableMK = 3,      // QVMK
  kTableLK2 = 4,     // second opening of a log
  kTableLKTemp = 5,  // scratch log
  kTableLKNew = 6,   // a log's renumbered set
};
inline constexpr int kContestTableCount = 7;

constexpr unsigned TableMask(int table) { return 1u << table; }

// The record length of a table; 0 for a number that is no table.
int TableRecordLength(int table);
// The number of keys of a table; 0 for a number that is no table.
int TableKeyCount(int table);
// The file name of a table for a log ("PXLK0007"); the log number names tables 2, 3 and 4 only.
// Empty for a number that is no table, or a negative log number.
std::string TableFileName(int table, std::int32_t log_number);

// The program's start folder (the driver system's), with its trailing separator.
std::string StartDir();

class ToDatContest final : public storage::ToDatBase {
 public:
  // Drops every handle; a file still open closes with its last handle.
  ToDatContest() = default;

  // Opens the tables whose mask bits are set, in the order 1, 2, 4, 16, 32, 8, and stops at the
  // first that is not opened (nor shared); the result of the last table tried, true for an empty
  // mask. The log number counts for tables 2, 3 and 4. A set `flag` (the key-form flag of the
  // caller) opens nothing.
  bool OpenTables(unsigned mask, std::int32_t log_number, std::uint8_t flag = 0);
  // Gives one use of each selected table back, in the same order; the last use closes the file.
  // With force the file is closed for every user. Nothing for a table that is not open or while
  // `flag` is set (without force).
  void CloseTables(unsigned mask, std::int32_t log_number, bool force = false,
                   std::uint8_t flag = 0);
  // Closes the file of a table for every user but keeps its handle, so that what its users hold
  // of it stays valid while its files are replaced; the next OpenTables opens the file into the
  // same handle (a fresh opening, with one use). Nothing for a table that is not open.
  void CloseKeepingHandle(int table, std::int32_t log_number);
  // The open handle of a table for a log; nullptr when there is none. The table number is taken
  // modulo 128; numbers above 6 give nullptr.
  storage::TdbTreiber* GetTreiber(int table, std::int32_t log_number, std::uint8_t flag = 0);

  // The file path of a table for a log: folder text + file name.
  std::string TablePath(int table, std::int32_t log_number) const;

  // One table each.
  bool OpenKK() { return OpenTables(TableMask(kTableKK), 0); }
  bool OpenKZ() { return OpenTables(TableMask(kTableKZ), 0); }
  bool OpenLK(std::int32_t log) { return OpenTables(TableMask(kTableLK), log); }
  bool OpenLK2(std::int32_t log) { return OpenTables(TableMask(kTableLK2), log); }
  bool OpenLKTemp() { return OpenTables(TableMask(kTableLKTemp), 0); }
  bool OpenMK(std::int32_t log) { return OpenTables(TableMask(kTableMK), log); }
  void CloseKK() { CloseTables(TableMask(kTableKK), 0); }
  void CloseKZ() { CloseTables(TableMask(kTableKZ), 0); }
  void CloseLK(std::int32_t log) { CloseTables(TableMask(kTableLK), log); }
  void CloseLK2(std::int32_t log) { CloseTables(TableMask(kTableLK2), log); }
  void CloseLKTemp() { CloseTables(TableMask(kTableLKTemp), 0); }
  void CloseMK(std::int32_t log) { CloseTables(TableMask(kTableMK), log); }

 private:
  using HandleKey = std::pair<int, std::int32_t>;  // table, log number (0 for unnumbered)
  static HandleKey KeyOf(int table, std::int32_t log_number);
  // An OpenResult of TdbTreiber.
  int OpenOne(int table, std::int32_t log_number, std::uint8_t flag);
  void CloseOne(int table, std::int32_t log_number, bool force, std::uint8_t flag);
  // After an open that failed: closes a file it left open (`close`) and drops an unopened handle
  // unless it was `kept` from before.
  void DropFailedOpen(const HandleKey& key, bool close, bool kept);

  std::map<HandleKey, std::unique_ptr<storage::TdbTreiber>> handles_;
};

}  // namespace contest
