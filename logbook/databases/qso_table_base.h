// TdbQSOBase: the cursor on one logbook table of one project (qso_files.h), chosen by its table
// kind, with two copies of the record of that kind: the working copy that callers fill and read
// and that Update and Insert store, and the stored copy as last read or written, whose auto-key
// text re-finds the record.
//
// Table kinds and their records:
//   0, 1, 3, 4, 5  TQSORec, stored with used length + 23 bytes; auto key: the record number
//                  (key 1)
//   2, 6           TQSO293Rec (293); auto key: the base call (ToPrefix::GetPrefix), date and time
//                  (key 2)
//   7              TQSLViaRec (63); auto key: call, date and time (key 1)
//   8              TLogNoteRec (314); auto key: number, call, date and time (key 1)
//   9              none: every operation answers false or nothing
//   10             TQSORec, for clearing and the auto-key text only; no file
// Auto-key texts in key form (key-form flag clear) are the logbook keys' own parts (numbers in
// the 5-character form, dates and times in 4, calls padded or cut to 14); with the flag set they
// are the plain parts (numbers, dates and times as decimal text, the call as it stands) joined by
// "||".
//
// A cursor whose table is not open opens it through the logbook data object (ToDatQSO, which must
// exist while the cursor lives) and closes it again when it is freed; a cursor that found it open
// leaves it as it is. The project (not owned) must outlive the cursor.
//
// A cursor of table kind 0 may be attached to another driver and record (Attach): it then reads,
// writes and clears through them instead of its own copies' file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "logbook/databases/qso_record.h"
#include "storage/tables/table_base.h"

namespace logbook {

class TdbProject;

class TdbQSOBase : public storage::TdbBase {
 public:
  static constexpr std::uint8_t kNoTable = 9;
  static constexpr std::uint8_t kRecordOnly = 10;

  // exclusive: the files are opened for this process alone (else shared); flag: the TdbBase
  // key-form flag, also the skip flag of the open; name_text: kept with the cursor (at most 255
  // characters).
  TdbQSOBase(TdbProject* project, bool exclusive, std::uint8_t flag, std::string_view name_text,
             std::uint8_t table_kind);
  ~TdbQSOBase() override;

  storage::TdbTreiber* GetTreiber() override;
  // Copies the driver's record buffer, at the length of the kind's record, into the working copy
  // (to_working) and the stored copy (to_stored); nothing when both are clear, without a driver,
  // and for kinds 9 and 10. Bytes of a TQSORec beyond its used length read as zero.
  void FetchRecord(bool to_working, bool to_stored, int number) override;
  void GetAutoKeyText(std::string& text) override;
  int AutoKeyNo() override;

  // Rewrites the record re-found by its auto key with the working copy (false when it is not
  // found); adds the working copy as a new record, a TQSORec taking the number the file gave it.
  // On success the working copy becomes the stored copy; on failure both stay as they were.
  // Attached: the attached record is written through the attached driver. False for kinds 9
  // and 10 and without a driver.
  virtual bool Update();
  virtual bool Insert();
  // Clears the driver buffer and zero-fills both copies of the kind; attached: clears the
  // attached driver's record.
  virtual void Clear();

  std::uint8_t TableKind() const { return table_kind_; }
  TdbProject* Project() const { return project_; }
  const std::string& NameText() const { return name_text_; }
  bool OpenedHere() const { return opened_here_; }

  // Sets (or, with nullptrs, clears) the driver and record of kind 0; neither is owned.
  void Attach(storage::TdbTreiber* driver, TQSORec* record);
  // The working QSO record when the key-form flag is 2, else the attached record (or nullptr).
  TQSORec* AttachedRecord();
  // The attached record when there is one, else the working QSO record.
  TQSORec* RecordPtr();
  TQSORec* GetRecord(TQSORec& out);
  // Copies `in` into the record at RecordPtr and into both QSO copies.
  TQSORec* SetRecord(const TQSORec& in);
  std::uint32_t RecordNumber();
  void GetRecord293(TQSO293Rec& out) const { out = working293_; }
  void SetRecord293(const TQSO293Rec& in);
  void GetRecord63(TQSLViaRec& out) const { out = working63_; }

  // The copies, for the record services and the QSO table.
  TQSORec& Working() { return working_; }
  const TQSORec& Stored() const { return stored_; }
  TQSO293Rec& Working293() { return working293_; }
  TQSLViaRec& Working63() { return working63_; }
  TLogNoteRec& Working314() { return working314_; }

 protected:
  // Closes the files this cursor opened and opens them again, so that a changed key list of the
  // project takes effect; false when they do not open again.
  bool ReopenFiles();
  // Writes the working copy over the current record as it was fetched, without re-finding it:
  // the driver refuses (12309) when another user changed the record since.
  bool StoreCurrent();

 private:
  bool QsoKind() const;
  int RecordSize() const;
  // The stored length of the working copy (0: the whole fixed record).
  int StoreLength() const;
  void CopyWorkingToBuffer(std::uint8_t* buffer);
  void WorkingToStored();
  bool StoreAttached(bool insert);
  struct StoredCopies {
    std::unique_ptr<TQSORec> qso;
    TQSO293Rec q293;
    TQSLViaRec q63;
    TLogNoteRec q314;
  };
  StoredCopies SaveStored() const;
  bool RestoreStored(const StoredCopies& copies);  // answers false

  std::uint8_t table_kind_;
  bool shared_;
  bool opened_here_ = false;
  TdbProject* project_;
  std::string name_text_;
  storage::TdbTreiber* attached_driver_ = nullptr;
  TQSORec* attached_record_ = nullptr;
  TQSORec stored_{};
  TQSO293Rec stored293_{};
  TQSLViaRec stored63_{};
  TLogNoteRec stored314_{};
  TQSORec working_{};
  TQSO293Rec working293_{};
  TQSLViaRec working63_{};
  TLogNoteRec working314_{};
};

}  // namespace logbook
