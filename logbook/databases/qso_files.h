// The QSO logbook files and their data object ToDatQSO (common::Service<ToDatQSO>).
//
// Nine tables, each numbered 0..8; table t is bit 2^t of the open and close masks. Folders are
// entries of the settings' folder list (setup_folder.h); an empty folder is the data folder.
//   t  file name                               folder  records             keys (qso_keys.h)
//   0  "LB5" + project number ("LB500012")     2       TQSORec 23..8023    LogbookKeyCount, B
//   1  "QSO" + project number                  10 (*)  TQSORec 23..8023    LogbookKeyCount, A
//   2  the base name of the project's logbook  13      TQSO293Rec 293      16
//      file ("LB600000.DAT": "LB600000")
//   3  "LB5" + project number (own slots)      2       TQSORec 23..8023    LogbookKeyCount, B
//   4  "LBDXCCAW"                              10      TQSORec 23..8023    3 (award)
//   5  "LBUNDO"                                10      TQSORec 23..8023    3 (award)
//   6  "HQSO20000001"                          none    TQSO293Rec 293      16
//   7  "PXQSLVIA"                              13      TQSLViaRec 63       1
//   8  "PXLNOTE"                               2       TLogNoteRec 314     2
//   (*) created when missing (TFileBaseSS::ForceFolderMsg, which then needs ToMessages).
// The project number has five digits with leading zeros: the project's own number, for a project
// cursor on project table 3 the number of the project database's current project
// (ToProjecte::ProjectDb).
//
// Tables 0, 1 and 3 are per project: each has a table of 100 slots, a slot holding one
// project's file. A slot is found by the project's number, for projects of project table 3 by
// their name text (ProjectNameText) instead; a free slot has the key -1. The project cursor
// remembers its slots (TdbProject::GetFileSlot); a slot that now holds another project's file
// counts as none. When all 100 slots of a table are taken, a further project's file is refused
// and its project record left as it was. A slot is free again when its file's last user closes.
//
// Files open for shared use unless asked otherwise; tables opened before a failing one stay open.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "storage/tables/table_dat_base.h"
#include "storage/tables/table_treiber.h"

namespace logbook {

class TdbProject;

enum LogbookTable : int {
  kLogbookLB5 = 0,
  kLogbookQSO = 1,
  kLogbook293 = 2,
  kLogbookLB5Second = 3,
  kLogbookAward = 4,
  kLogbookUndo = 5,
  kLogbookHistory = 6,
  kLogbookQslVia = 7,
  kLogbookNote = 8,
};
inline constexpr int kLogbookTables = 9;
inline constexpr int kLogbookSlots = 100;
inline constexpr unsigned LogbookBit(int table) { return 1u << table; }

class ToDatQSO final : public storage::ToDatBase {
 public:
  // The once-per-run pass over a layout-9 project logbook; given the project that opened it.
  using DxccPass = std::function<void(TdbProject& project)>;

  // Every slot free; the DXCC pass armed.
  ToDatQSO();
  ~ToDatQSO() override;

  // Opens the tables whose bits are set, in the order 0, 3, 4, 5, 7, 8, 1, 2, 6, and stops at the
  // first that is not opened (false). Tables 0, 1, 2 and 3 need `project`; with the skip flag
  // nothing is opened (false). True when every requested table is open (opened or shared).
  bool OpenFiles(unsigned mask, TdbProject* project, bool skip, bool shared = true);
  // Closes one use of each selected table (every use with force), same order; tables 0, 1 and 3
  // only with the project whose slot they are. Nothing once the driver system has stopped.
  void CloseFiles(unsigned mask, TdbProject* project, bool skip, bool force = false);

  // The TdbTreiber of a table (possibly not open); nullptr above 8, and for tables 0, 1 and 3
  // without a project or a slot of the project.
  storage::TdbTreiber* GetTreiber(int table, TdbProject* project);
  // The same, only while it is open.
  storage::TdbTreiber* GetOpenTreiber(int table, TdbProject* project);

  // The slot (1..100) of the project in the slot table of table 0, 1 or 3; -1 when none.
  int FindSlot(TdbProject& project, int table) const;
  // The first free slot of that table; -1 when none.
  int NewSlot(TdbProject& project, int table) const;

  // The table a logbook request of kind `request` means for the project: kind 0 table 2 for a
  // "PELORIN" project else 0, kind 14 table 4, kind 15 table 5, any other kind 6 for "PELORIN"
  // else 1.
  static int FileVariant(const TdbProject& project, int request);

  // File name and folder + name of a table (project may be null for tables 4 to 8).
  static std::string FileName(int table, const TdbProject* project);
  static std::string FilePath(int table, const TdbProject* project);
  // The project number in a table's file name.
  static std::int32_t FileProjectNumber(const TdbProject& project);
  // The code (the base name of the project's logbook file) to 10 and the name to 20.
  static std::string ProjectNameText(const TdbProject& project);

  // The DXCC pass runs the first time in a run that a layout-9 project logbook (table 0) opens
  // without the skip flag, once, and never inside itself.
  void SetDxccPass(DxccPass pass) { dxcc_pass_ = std::move(pass); }
  void ArmDxccPass(bool armed) { dxcc_armed_ = armed; }
  bool DxccPassArmed() const { return dxcc_armed_; }

 private:
  struct Slot {
    std::int32_t key = -1;  // -1 free, -2 found by the name text
    std::string name_text;
    std::unique_ptr<storage::TdbTreiber> treiber;
  };
  using SlotTable = std::array<Slot, kLogbookSlots>;

  bool OpenOne(int table, TdbProject* project, bool skip, bool shared);
  bool OpenProjectLogbook(int table, TdbProject& project, bool skip, bool shared);
  void CloseOne(int table, TdbProject* project, bool skip, bool force);
  // The slot table of table 0, 1 or 3; nullptr for the others.
  SlotTable* SlotsOf(int table);
  const SlotTable* SlotsOf(int table) const;
  static bool SlotHolds(const Slot& slot, const TdbProject& project);
  // The slot the project remembers for the table, when it still holds the project's file.
  Slot* RememberedSlot(int table, TdbProject* project);
  void RunDxccPass(TdbProject& project);

  std::array<SlotTable, 3> slot_tables_;  // tables 0, 1, 3
  std::array<std::unique_ptr<storage::TdbTreiber>, kLogbookTables> fixed_;  // the other tables
  DxccPass dxcc_pass_;
  bool dxcc_armed_ = true;
  bool dxcc_running_ = false;
};

}  // namespace logbook
