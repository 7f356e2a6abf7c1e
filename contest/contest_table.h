// TdbContestBase: the table-access object of the contest tables (contest/contest_tables.h).
//
// An object is bound to one table number and one log number for its life. Its constructor takes
// one use of that table's handle for that log (opening the file when nobody has it open, else
// sharing it without file access); its destructor gives the use back, and the file closes with
// its last user. An object whose table could not be opened has no handle: lookups, moves and
// writes answer false and its buffers keep their content. An object never works on another log's
// file, whatever else is open.
//
// It keeps two copies of its table's record: the read image, the record as last read from or
// written to the file, whose Nummer re-finds the record before an update (the objects of one file
// share its driver and current record, so another object may have moved it); and the working
// copy, which callers get and set. Catalogue and contest-data objects pass log number 0.
//
// Record transfer for another table than the object's leaves the caller's record and the
// object's copies untouched. Serious driver errors raise EDBError; nothing else raises.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contest/catalogue_record.h"
#include "contest/contest_data_record.h"
#include "contest/contest_tables.h"
#include "contest/log_record.h"
#include "storage/tables/table_base.h"

namespace contest {

class TdbContestBase : public storage::TdbBase {
 public:
  // table: a ContestTable; log_number: the log of tables 2-5 (it names the file of tables 2, 3
  // and 4), 0 for the catalogue and the contest data. flag: the key-form flag, 0 for every
  // contest object (set, nothing is opened).
  TdbContestBase(int table, std::int32_t log_number, std::uint8_t flag = 0);
  ~TdbContestBase() override;

  int TableNo() const { return table_; }
  std::int32_t FileSetNo() const { return log_number_; }
  // Whether the object holds a use of its table's file (its open succeeded).
  bool OpenedHere() const { return opened_here_; }

  // --- the overridden slots ---
  // The open handle of the object's own table and log; nullptr without one.
  storage::TdbTreiber* GetTreiber() override;
  // Copies the record buffer into the read image (to_read) and into the working copy
  // (to_working).
  void FetchRecord(bool to_working, bool to_read, int number) override;
  // The number key of the read image's Nummer (decimal after "||" with the key-form flag set);
  // empty while it is 0, so that no record is re-found by it.
  void GetAutoKeyText(std::string& text) override;
  // The key holding the auto number: table 0 -> 3, 2, 3 and 4 -> 4, any other -> 1.
  int AutoKeyNo() override;

  // --- record transfer: Get copies the working copy out; Set copies into both copies ---
  bool GetKKRec(TContestKKRec& record) const;
  bool GetKZRec(TContestKZRec& record) const;
  bool GetLKRec(TContestLKRec& record) const;  // tables 2, 4, 5 and 6
  void SetKKRec(const TContestKKRec& record);
  void SetKZRec(const TContestKZRec& record);
  void SetLKRec(const TContestLKRec& record);
  // Copies the record into the working copy only (tables 2, 4, 5, 6): what a rule fills into the
  // QSO being entered, leaving the read image (and the record it re-finds) as it was.
  void SetLKWorkingCopy(const TContestLKRec& record);

  // Fields of the QSO working copy (tables 2, 4, 5 and 6; others: 0 or empty).
  char GetBandcode() const;
  std::uint8_t GetLogByte165() const;  // the skip mark
  std::string GetMode() const;
  std::string GetCall() const;

  // --- writing ---
  // Re-finds the read image's record by its auto number and rewrites it with the working copy;
  // the read image then equals the working copy. False, and nothing written, when the record
  // is gone (another user deleted it) or the rewrite fails; the read image is then kept, so a
  // retry cannot re-find some other record.
  bool UpdateRec();
  // Both copies from the record as another station may have stored it since: re-found by the
  // read image's auto number. False, both copies kept, when the record is gone.
  bool ReRead();
  // Adds the working copy as a new record; the engine assigns the auto number, which then stands
  // in both copies. False without a handle or when the insert fails.
  bool InsertRec();
  // Clears the shared record buffer and both copies.
  void ClearRec();

 protected:
  bool IsQsoTable() const;
  // Whether the object's table has key `key`.
  bool HasKey(int key) const { return key >= 1 && key <= TableKeyCount(table_); }

 private:
  static ToDatContest& Dat();
  template <typename Rec>
  bool CopyOut(bool own, Rec& record) const;
  template <typename Rec>
  void CopyIn(bool own, const Rec& record, bool to_read);
  TContestLKRec WorkingLK() const;

  int table_;
  std::int32_t log_number_;
  bool opened_here_ = false;
  // Both copies have the object's record length.
  std::vector<std::uint8_t> read_;
  std::vector<std::uint8_t> working_;
};

}  // namespace contest
