// TdbQSO: the cursor through which the program reads and writes one logbook table of a project.
// It picks the file of the project's format, turns logical keys into the keys of that file,
// reads and writes field texts (qso_field_text.h), searches by call, date, time and DXCC, keeps
// the project's QSO counters in step, and renews old DXCC assignments.
//
// The file of a requested table kind (TdbQSO(project, flag, request)):
//   0, 2, 4, 5, 6  table 2 (the 293-byte file) for a project tagged "PELORIN", else 0 ("LB5")
//   14, 15         tables 4 and 5 (award logbooks)
//   others         table 6 ("HQSO2000" + "0001") for "PELORIN", else 1 ("QSO")
// FileTable{t} takes table t itself (request kind 0).
//
// Logical keys 0..27 (KeyNumber), by the project's version tag; 0 means the file has no such key:
//   "PELORIN"          0, 1 -> 1; 2..10 -> 2, 3, 4, 6, 7, 8, 9, 10, 11; 11 -> 16; 12 -> 12;
//                      13 -> 13
//   "PELORIN3".."6"    0 -> 1, 12 -> 2, 13 -> 3; the others name a content kind (1 date, 2 call,
//                      3 DOK, 4 DXCC, 5 WAE, 6 state, 7 locator, 8 county, 9 CQ zone,
//                      10 continent, 11 IOTA, 14 special, 15 LDK, 16 ITU zone, 17..22 L1..L6,
//                      23..26 L7..L10, 27 date ESC) whose key is, in layout 9, 4 + the stored
//                      catalogue fields up to it (qso_keys.h); in other layouts 4
//   other tags         0 -> 1; 1..11 the fields "QSO_DATE", "CALL", "DOK", "DXCC", "WAE",
//                      "STATE", "GRIDSQUARE", "CNTY", "CQZ", "CONT", "IOTA": the key of the key
//                      field list entry of that field. A field without a key gets one: the
//                      project's list and count grow, the project is stored and the file reopened
//                      (the storage layer builds the key). That needs the cursor to be the only
//                      user of the file it opened; otherwise nothing is added and the answer is 0.
// A key number beyond the open file's keys is 0 as well.
//
// QSO counters (the project's two): kept by a cursor on table 0, 1, 3, 4, 5; requests 0, 2, 4,
// 5, 6 book on the second, 14 and 15 on none, the others on the first. Delete lowers it (never
// below 0), RecordCount sets it to the count, EraseFiles to 0; each then stores the project
// (in the cursor's write mode). A failed delete leaves it.
//
// Write mode: 0 the file flushes after every write, 1 buffered; it holds for this cursor's
// Delete and Update and is restored afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/databases/qso_columns.h"
#include "logbook/databases/qso_table_base.h"
#include "logbook/reference/dxcc_selection.h"

namespace logbook {

class TdbCall;

class TdbQSO : public TdbQSOBase {
 public:
  struct FileTable {
    int table;
  };

  TdbQSO(TdbProject* project, std::uint8_t flag, int request_kind, std::uint8_t write_mode = 1,
         std::string_view name_text = {}, bool exclusive = false);
  TdbQSO(TdbProject* project, std::uint8_t flag, FileTable table, std::uint8_t write_mode = 1,
         std::string_view name_text = {}, bool exclusive = false);

  // The table a request kind means for the project (see above).
  static int ChosenTable(const TdbProject& project, int request_kind);

  int RequestKind() const { return request_kind_; }
  std::uint8_t WriteMode() const { return write_mode_; }

  int KeyNumber(int logical_key);
  // The first record whose key is at least `lower`; with a non-empty `upper`, mode 1 and
  // `exact`, the record whose key equals `lower`. False when the logical key has no key.
  bool SearchKey(int logical_key, std::string_view lower, std::string_view upper = {},
                 int mode = 0, bool exact = false);
  // The first QSO of the call's base call (ToPrefix::GetPrefix) on logical key 2, padded or cut
  // to 14 characters (layout 9), 20 (layout 6), else the call's length (1..36); with the
  // key-form flag set, as it stands. True only when the record found is one of that call.
  bool FindCall(std::string_view call);
  // The QSO of the call at a date ("dd.mm.yyyy") and time ("hh:mm", else the program's time
  // mask), found exactly on key 5 of tables 0, 1, 3, 4, 5. With the key-form flag set the key
  // text is "call||yyyymmdd||hhmm", tried once more with an empty time part when the time is
  // "0000" and nothing was found.
  bool FindQSO(std::string_view call, std::string_view date, std::string_view time);
  bool FindQSO(std::string_view call, std::int32_t day, std::int32_t seconds);
  // The first record of the DXCC key (logical 4) at or after the prefix, padded or cut to 6
  // (layout 9), 20 (layout 6), else 4 characters.
  bool SeekDxcc(std::string_view prefix);

  // The text of a field of the current record (QSOFieldText).
  std::string GetFieldText(int kind);
  // Writes a field of the current record; true when it changed or already held the text.
  //   - a start time (44) of 5 characters is written as 28, a 28 of 8 characters as 44; layout 9
  //     writes 28 as 44 and gives a 5-character time ":00";
  //   - a band (17, and 40 in layout 5) without a field of its own is written as the nominal
  //     frequency of the band into 18 (41); layout 9 writes frequencies with ',' for '.';
  //   - layout 9 keeps the distance (68) in step with the locators (6, 49, 42): "JO51" or empty
  //     empties it, so does a locator the distance cannot be computed from; the partner's
  //     locator prefix (49) counts only while the locator (6) is empty, and neither 49 nor 42
  //     computes a distance for a QSO of DXCC "DL";
  //   - layout 5 keeps the start time's seconds of a typed "hh:mm:ss".
  bool SetFieldText(int kind, std::string_view text);
  // Column `column` of the working 293-byte record (qso_columns.h).
  std::string ColumnText(int column, std::string_view format, ColumnDate& date);

  // Renews the DXCC prefixes of old QSOs (logbook table 0 only), in this order:
  //   1. "4O3" -> "4O", "T9" -> "E7", "ZK1N", "ZK1/N", "E5" -> "E5/N", "ZK1S", "ZK1/S",
  //      "E50" -> "E5/S", "PJ5" -> "PJ6", "ZK2" -> "E6", "TX0" -> "FK/C";
  //   2. QSOs before a day: "FJ" -> "FS" before 14.12.2007; "PJ2" -> "PJ2-", "PJ7" -> "PJ7-",
  //      "PJ5" -> "PJ6" before 10.10.2010 (later QSOs are passed over);
  //   3. before 10.10.2010 by call: "PJ2" with "PJ4" in the call -> "PJ4", "PJ7" with "PJ6" ->
  //      "PJ6" (step 2 has already renamed those QSOs, so this changes nothing);
  // each a pass over the DXCC key. A record is written only as it was found: when another user
  // changed it in between, or the write fails otherwise, that pass ends. After each pass of
  // steps 2 and 3 that changed something, a notice (ToMessages::Hinweis "Pelorin", "Logbuch " +
  // project name) tells to rebuild the statistics. Answers the number of QSOs changed.
  int ReassignDxcc();

  bool Delete(bool keep_position) override;
  std::int32_t RecordCount() override;
  void EraseFiles() override;
  bool Update() override;

 private:
  enum class Counter { kNone, kFirst, kSecond };
  struct Rename;

  TdbQSO(TdbProject* project, std::uint8_t flag, int table, int request_kind,
         std::uint8_t write_mode, std::string_view name_text, bool exclusive);
  template <typename Op>
  bool WithWriteMode(Op op);
  bool KeepsCounter() const;
  Counter CounterOf() const;
  void StoreCounter(std::int32_t value, bool set);
  int ForeignKeyNumber(int logical_key);
  int ValidKey(int key);
  bool FindOnKey5(const std::string& text);
  void KeepDistance(int kind, const std::string& text);
  int RenamePass(const Rename& rename);
  // StoreCurrent in the cursor's write mode.
  bool StoreAsFound();

  int request_kind_;
  std::uint8_t write_mode_;
};

// The texts the DXCC selection compares and shows (call, DXCC, name, QTH) of a cursor's current
// QSO; the cursor must outlive it.
class QsoTextsOf final : public QsoFieldTexts {
 public:
  explicit QsoTextsOf(TdbQSO& qso) : qso_(qso) {}
  std::string QsoFieldText(int content_kind) const override {
    return qso_.GetFieldText(content_kind);
  }

 private:
  TdbQSO& qso_;
};

// The once-per-run pass of the logbook files (ToDatQSO::SetDxccPass): ReassignDxcc on the
// project's logbook (table 0); answers the QSOs changed.
int ReassignDxccOf(TdbProject& project);

}  // namespace logbook
