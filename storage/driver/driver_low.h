// IFDriverLow: the working layer of a database driver: the key table and record buffers, opening
// and creating the files (on demand, within the open-file budget), and the record and key
// maintenance (add, update, delete, navigation).
//
// Every routine here runs inside the operation frame of IFDriver, on a driver whose files the
// frame has opened; each records its failures on the operation stack and leaves its outcome in
// DriverErrorClass.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "storage/driver/driver_bi.h"

namespace storage {

// A position saved by SavePosition.
struct DriverPosition {
  std::uint16_t key = 0;
  std::int32_t ref = -1;
  std::string key_text;
  const IFbiDriver* driver = nullptr;
};

class IFDriverLow : public IFbiDriver {
 public:
  IFDriverLow();
  ~IFDriverLow() override;

  // Whether the file is opened for shared use (granted only in network mode).
  bool IsNetShared() const { return shared_; }
  // Whether the file holds variable-length records.
  bool IsVariable() const { return variable_; }
  // Whether the user declined the repair another station's stop left to do: the files are then
  // neither read nor written (lock conflicts, 10010) and nobody is asked again until
  // AskAboutRepairAgain (at the start of a save, a change, a delete or an opening). No longer
  // once the files were read again (another station repaired them).
  bool RepairDeclined() const {
    return repair_declined_ && ForeignChangeStamp() == declined_stamp_;
  }
  void AskAboutRepairAgain() { repair_declined_ = false; }

 protected:
  // --- opening ---
  bool OpenOnDemand();
  bool OpenFiles();
  bool CheckDefinition();  // open fileblock against the key table; closes it on a difference
  // After an open found the index unusable or the data file missing: rebuilds or creates the
  // files alone (exclusive use, storage/isam/rebuild_lock.h), puts back a rebuild that stopped
  // halfway, or finds the files repaired by another station meanwhile. False when recorded as
  // failed; true when the open may be tried again.
  bool RepairAlone();
  // Its part under exclusive use; with `create` (the user agreed) missing files are created.
  bool RepairUnderLock(bool create = false);
  // Opens and closes the files under exclusive use: whether they are sound now.
  bool TrialOpen();
  // Asks the lock-conflict callback (reasons 5, 6, 9, 10), keeping the error word.
  bool Ask(int reason);

  // --- another station's crash (crash_repair.cpp) ---
  // After an operation on open files found the index unusable (another station stopped in the
  // middle of a change, 10010) or damaged (10120) while this driver held no lock: tells the user
  // once (reason 9; reason 5, the open's question, when the operation has just opened the files)
  // or marks the data file for the rebuild, repairs a shared file in place (the
  // other stations keep it open) and closes, repairs and reopens any other (whose open asks for
  // the rebuild), and finds the current record again: `current` (the one the operation began
  // with, or the damaged record it delivered) and the walk's entry. True when the files are
  // repaired on a clean stack; false with the outcome recorded otherwise.
  // Declined (reason 11 told once), later operations find the files unusable without a question
  // until AskAboutRepairAgain or an operation that opens the files. A decline ends with a repair
  // or once the files were read again (another station repaired them): the next stop is asked
  // about and its decline told anew.
  bool RepairAfterCrash(std::int32_t current);
  // Makes the before image's record current again in the repaired files (none for `current` -1);
  // when the repair renumbered the records, the walk's entry takes its record's new reference.
  void RefindCurrent(std::int32_t current, bool renumbered);
  // The reference of the record `image` (`length` bytes) in the open files, -1 when it is not
  // there.
  std::int32_t FindByImage(const std::uint8_t* image, int length);

  // --- locks taken by add, update and delete, each only when not held already ---
  struct TakenLocks {
    bool file = false;
    std::int32_t record = -1;
  };
  bool TakeFileLock(TakenLocks& taken);
  bool TakeRecordLock(TakenLocks& taken, std::int32_t ref);
  // Releases what was taken; a failed release is recorded as class 4.
  void ReleaseLocks(TakenLocks& taken);
  void FlushIfWanted();

  // --- maintenance ---
  void DoAddRecord();
  void DoUpdateRecord();
  void DoDeleteRecord(int mode);
  bool AssignAutoKeys();
  // Adds keys 1..key_count_ for `ref`; on failure removes the keys added and the record.
  bool AddAllKeys(std::int32_t ref);
  // Changes keys from `old_image` to the record buffer; on failure changes back.
  // `changed` collects the keys changed, in key order.
  bool ChangeKeys(const std::uint8_t* old_image, std::int32_t ref, std::vector<int>& changed);
  void ChangeKeysBack(const std::uint8_t* old_image, std::int32_t ref,
                      const std::vector<int>& changed);
  bool AddRecordAndKeys(bool assign_autokeys);
  // True when the record just re-read differs from the before image (another user changed it):
  // records 12309 and, when re-reads are taken over, makes the re-read record the buffer's.
  bool ChangedByAnother(std::uint32_t argument, std::int32_t ref);
  // Makes the record last read the record buffer and the before image, read by the time of the
  // foreign-change stamp `stamp` (ForeignChangeStamp).
  void TakeReadRecord(std::uint64_t stamp);
  // Makes `record` (`length` bytes) the before image, read or written by the time of `stamp`.
  void SetImage(const std::uint8_t* record, int length, std::uint64_t stamp);

  // --- navigation ---
  // What reading the record of an entry found.
  enum class EntryRead {
    kDelivered,  // the record carries the entry's text and is current
    kGone,       // another station changed the file meanwhile and the entry is not found again
    kDamaged,    // the entry names a free slot or a record of another text: 10120 recorded
    kUnlisted,   // the same, and the record's own entry is missing too: 10120 recorded
    kFailed,     // recorded
  };
  // Reads `ref` (get-record wrapper) and makes it the current record; false recorded.
  bool ReadAsCurrent(std::int32_t ref, std::uint32_t argument);
  bool KeyInRange(int key, bool allow_zero);
  void DoKeyStep(int key, int how);  // how: 0 first, 1 last, 2 next, 3 prev
  // Whether the entry (text, ref) of `key` lies beyond `from` in the step's direction, as every
  // step of a sound index does: a walk over a damaged index must not come round.
  bool Beyond(int key, const KeyEntry& from, const std::string& text, std::int32_t ref,
              bool forward) const;
  // Steps `key` from the entry `from` (on which the engine's position stands when `positioned`)
  // into (text, ref). A step that does not go beyond `from` is taken again under the write lock;
  // when it still does not, or when nobody else changed the file since `from` was read, the index
  // is damaged (10120), and when only the retake goes on, the walk has strayed and may have passed
  // entries it cannot come back to (KeyWalk::Pass). So it is damage when a descent does not find `from`
  // again (or finds another record's entry of its text) though nobody else changed the file since
  // it was read; after another station's change its neighbour is the step. At the end of the key,
  // a walk from the other end is counted (EndsOffCount). False with the outcome recorded.
  bool StepOn(int key, const KeyEntry& from, bool positioned, bool forward, std::string& text,
              std::int32_t& ref);
  // A step of `key` in the direction `forward` found no entry (class `cls`, recorded): at the end
  // of the key a walk from the other end is counted (EndsOffCount), and the key stands beyond its
  // ends unless that count tells of damage.
  void FoundNothing(int key, bool forward, int cls);
  // --- the walk from one end (walk_count.cpp) ---
  // After a step of `key`: counts the entry the walk from the end delivered, or ends that walk.
  void CountStep(int key);
  // At the end of `key` in the direction `forward` (the engine's error word says so): whether the
  // walk from the other end delivered another number of entries than the key's header counts
  // though nobody else changed the file since it began, which is damage (10120 recorded, and the
  // walk passed entries unless it delivered none and so runs again from the end after the repair).
  // True as well when the count cannot be read (recorded); false leaves the error word as it was.
  bool EndsOffCount(int key, bool forward);
  // For a step of `key`, whose walk met damage that may have taken it past entries: whether it
  // passed none, as when the repaired key holds as many entries as the walk from the end
  // delivered; otherwise the walk ends with 10120 recorded (false, as on a failure to read the
  // count). Before the files are repaired, 10120 is recorded and the walk stays as it is. An ended
  // walk's step records 10120 again.
  bool PassedNothing(int key);
  // The entries the header of `key` counts; -1 when they cannot be read (recorded).
  std::int32_t HeaderEntries(int key, std::uint32_t argument);
  // Reads the record of the entry (text, ref) of `key` and makes it current; past entries other
  // stations take away meanwhile the walk goes on in its direction. `from` is the walk's entry
  // (nullptr for the first or last record): a damaged record that the repair would list where the
  // walk has passed is delivered here instead of being lost to the walk.
  void ReadEntryAsCurrent(int key, std::string text, std::int32_t ref, bool forward,
                          const KeyEntry* from);
  // Reads the record the entry (text, ref) of `key`, just read, names; delivered only while it
  // carries the entry's text (looked at in a walk, and in a search when another station changed
  // the file meanwhile). Otherwise it is damage, unless another station changed the file since the
  // entry was read (its stamp): then the entry counts as gone unless a descent of the tree finds it
  // again under the write lock, which no change of another station spans (for a key without
  // duplicates the text may name another record now, which is read and delivered, the entry's
  // `ref` becoming its).
  EntryRead ReadThroughKey(int key, KeyEntry& entry, std::uint32_t argument, bool walking);
  // The record in the read buffer, at `ref`, is named by an entry of `key` with another text,
  // which is damage: kUnlisted when its own entry is missing as well, else kDamaged.
  EntryRead MisnamedRecord(int key, std::int32_t ref);
  // Whether another station may have changed the file since the stamp `stamp` was taken: it
  // changed the shared file, or the files were written while they were closed (this station's own
  // rebuild among).
  bool ChangedSince(std::uint64_t stamp) const { return ForeignChangeStamp() != stamp; }
  // Whether the record in the read buffer carries `text` as its key `key`.
  bool Carries(int key, const std::string& text);
  // Makes the record in the read buffer current, delivered through `entry`.
  void Deliver(int key, const KeyEntry& entry);
  void DoPhysicalStep(int how, std::int32_t from);
  void DoSearch(int key, const std::string& text, bool exact);
  void DoGetRecord(std::int32_t ref);
  DriverPosition DoSavePosition(int key);
  void DoRestorePosition(const DriverPosition& pos);
  void ClearCurrent();
  int RecordLengthToWrite() const;
  // Whether `record` (`length` bytes) is byte for byte the record `image` (`image_length` bytes).
  static bool SameRecord(const std::uint8_t* record, int length, const std::uint8_t* image,
                         int image_length) {
    return length == image_length &&
           std::memcmp(record, image, static_cast<std::size_t>(length)) == 0;
  }
  bool SameAsImage(const std::uint8_t* record, int length) const {
    return SameRecord(record, length, before_image_.data(), image_length_);
  }

  // Lock notes of the running operation (who held what when it began).
  bool note_record_lock_ = false;
  bool note_file_lock_ = false;
  bool locks_at_start_ = false;  // any lock of this driver's fileblock
  bool opened_now_ = false;      // the running operation opened the files
  bool create_when_missing_ = true;
  bool repair_declined_ = false;
  bool repair_decline_told_ = false;  // reason 11 told since the last repair
  std::uint64_t declined_stamp_ = 0;  // ForeignChangeStamp at the last decline
  // ForeignChangeStamp when the before image was read or written: its entries stood then.
  std::uint64_t image_stamp_ = 0;
};

}  // namespace storage
