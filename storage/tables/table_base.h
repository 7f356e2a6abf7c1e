// TdbBase: the base of every table-access cursor.
//
// A cursor finds its file through GetTreiber (nullptr in the base) and keeps its own copies of
// the record, which its FetchRecord fills from the file's record buffer after every positioning,
// also after a failed one. Several cursors of one file share its driver, record buffer and
// current record (storage/tables/table_treiber.h): a cursor that positions moves every other one,
// so Delete and Next (with its reposition flag) first re-find the cursor's own record by its auto
// key (Reposition). Descendants therefore answer GetAutoKeyText and AutoKeyNo with the auto-key
// text of their current record and the number of their AUTOKEY key.
//
// The fourteen virtual operations stand in the order every database class inherits them.
// Descendants with records of their own add their own virtual Update and Insert after them, over
// the plain Update and Insert of this class.
//
// Nothing here raises for a record not found or a lock conflict: the operations answer false (or
// 0, nullptr, an empty text) and leave DriverErrorClass and the error number to the caller, and
// every operation answers so and changes nothing while GetTreiber gives nullptr. Serious driver
// errors raise EDBError and pass through unchanged.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "storage/tables/table_treiber.h"

namespace storage {

class TdbBase {
 public:
  // key_form_flag: 0 for key-form texts. Set, it is the skip flag that descendants hand to their
  // data object's OpenFiles, so that no file is opened, and key texts are built as plain texts
  // joined by "||".
  explicit TdbBase(std::uint8_t key_form_flag);
  virtual ~TdbBase();
  TdbBase(const TdbBase&) = delete;
  TdbBase& operator=(const TdbBase&) = delete;

  // --- the virtual operations, in slot order ---
  // The record whose key `key` equals the text; then FetchRecord(fetch_working, true, 0),
  // keeping the find's DriverErrorClass.
  virtual bool Find(std::string_view key_text, int key, bool fetch_working);
  // Reserved; answers 0.
  virtual int Reserved();
  virtual TdbTreiber* GetTreiber();
  // Copies the file's record buffer into the cursor's working copy (to_working) and into its
  // read copy (to_read), the copy that tells what an update changed and whose auto key re-finds
  // the record. Empty in the base; the number is not used by the base's calls (0).
  virtual void FetchRecord(bool to_working, bool to_read, int number);
  // The first record of key `key` (key 1 for 0), fetched.
  virtual bool First(int key);
  // The last record of key `key` (0: the last in record order), fetched.
  virtual bool Last(int key);
  // Re-finds the cursor's record (into both copies) and deletes it (keep_position: the next
  // record becomes current), then fetches.
  virtual bool Delete(bool keep_position);
  // The next record by the current key; with reposition, from the cursor's own record re-found
  // first; fetched into both copies when `fetch` is set.
  virtual bool Next(bool reposition, bool fetch);
  // Counts the records of key AutoKeyNo() by reading them all; 0 without a file.
  virtual std::int32_t RecordCount();
  // The auto-key text of the current record; empty in the base.
  virtual void GetAutoKeyText(std::string& text);
  // The number of the AUTOKEY key; 1 in the base.
  virtual int AutoKeyNo();
  virtual void LockFile();
  virtual void UnlockFile();
  // Closes the file and deletes its data, index and dialog files.
  virtual void EraseFiles();

  // --- plain operations ---
  std::uint8_t IsFlagSet() const { return key_form_flag_; }
  // Where a key text starts: empty, or "||" when the key-form flag is set.
  std::string InitKeyText() const;
  // The first record whose key `key` is >= the text, fetched (the class of the search is kept).
  bool Search(std::string_view key_text, int key);
  bool FindAutoKey(std::string_view text);
  // Re-finds the current record by its auto key, keeping the current key number. False without
  // a TdbTreiber, true while the file is not open; false for an empty auto-key text, which
  // would find whichever record comes first.
  bool Reposition(bool fetch_working);
  // Fetches; true when `ref` is the current record or negative, else goes to it.
  bool SeekRef(std::int32_t ref);
  // Reads the record `ref` and fetches it.
  bool GotoRef(std::int32_t ref);
  // Moves without fetching.
  bool FirstByKey(int key);
  bool MoveNext(int key);
  bool MovePrev(int key);
  std::string BuildKey(int key);
  std::int32_t CurrentRef();
  std::int32_t UsedRecs();
  // The driver of the cursor's file; nullptr without one.
  IFDriver* Driver();
  // A stamp of the other users' changes to the file (IFbiDriver::ForeignChangeStamp), taken after
  // a read, so that a change another user made by now is counted; it stays the same as long as
  // nobody else changed the file, also while the open-file budget kept it closed. This station's
  // own rebuild of the files is another stamp.
  std::uint64_t ForeignChangeStamp();
  // Whether the user declined the repair another station's stop left to do, and the next
  // operation that finds the files unfinished asks again (IFDriverLow::RepairDeclined).
  bool RepairDeclined();
  void AskAboutRepairAgain();
  std::uint8_t* RecordBuffer();
  void ClearDriverBuffer();
  // Rewrite the current record, or add the record buffer as a new one; with length > 0 the
  // (variable) record length is set first.
  bool Update(int length);
  bool Insert(int length);
  // Whether `treiber` (nullptr: the table's own) does not flush after every write.
  bool IsBuffered(TdbTreiber* treiber);
  // Mode 0 flushes after every write, mode 1 does not; true only when the mode changed.
  bool SetWriteMode(TdbTreiber* treiber, int mode);

  int CurrentKey() const { return current_key_; }
  bool FileLocked() const { return file_locked_; }

 protected:
  void SetCurrentKey(int key) { current_key_ = key; }
  // Fetches with the positioning's DriverErrorClass and error number kept.
  void FetchKeepingError(bool to_working, bool to_read);
  // Positions through the TdbTreiber with `move`, then fetches into the read copy (and the
  // working copy with fetch_working), keeping the class; false without a TdbTreiber.
  bool MoveAndFetch(bool fetch_working, const std::function<bool(TdbTreiber&)>& move);

  // The TdbTreiber of a file the cursor opened itself; freed with the cursor.
  std::unique_ptr<TdbTreiber> owned_treiber_;

 private:
  int current_key_ = 0;
  std::uint8_t key_form_flag_;
  bool file_locked_ = false;
};

}  // namespace storage
