// The call database: what the operator learnt about stations (name, QTH, locator, DOK, member
// numbers, user fields), per call sign.
//
// ToDatCall (common::Service<ToDatCall>) owns the call files; TdbCallBase is a cursor on one of
// them with a working copy (what the accessors read and write, and what Insert and Update store)
// and a read copy (the record as last fetched or stored); TdbCall adds the write mode and the
// lookup by call. Cursors open their file when nobody has and close it again when they are freed.
// Every file opens for shared use.
//
// Files, by cursor table number (folder: entry of the settings' folder list, ToSetupDirs):
//   0 "PX5CALL"  mask 1    call data, TCallRec 23..2023 bytes, 19 keys, folder entry 0
//   1 "PX5CBUCH" mask 2    call book, TCallRec 23..2023 bytes, 18 keys, folder entry 2
//   4 "PXCNOTE"  mask 16   call notes, 298 bytes, 1 key, folder entry 2
//   7 "PXCCL"    mask 128  call list, 46 bytes, 1 key, folder entry 6 (opened with a contest log;
//                          no cursor reads it)
// Records and keys: logbook/databases/call_record.h and call_keys.h.
//
// Several records may carry one call (key 1 allows duplicates). A cursor therefore re-finds its
// own record by key 1 and the record reference it read, never by the call alone, before it
// updates, deletes or moves on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/string_helpers.h"
#include "logbook/databases/call_record.h"
#include "storage/tables/table_base.h"
#include "storage/tables/table_dat_base.h"

namespace logbook {

enum CallTable : std::uint8_t { kCallData = 0, kCallBook = 1, kCallNote = 4, kCallList = 7 };

// The fields with accessors; their tags differ between call data and call book.
enum class CallField {
  kDIG,
  kAGCW,
  kExCall,
  kName,
  kMF,
  kDOK,
  kLocator,
  kM1,
  kM2,
  kM3,
  kM4,
  kM5,
  kM6,
  kM7,
  kM8,
  kM9,
  kM10,
  kLDK,
  kQTH,
  kQSLVia,
  kCallComment,
};

// The tag of a field in a table's numbering; 0 when the table has no such field.
std::uint8_t CallFieldTag(CallTable table, CallField field);

class ToDatCall final : public storage::ToDatBase {
 public:
  static constexpr unsigned kCallDataBit = 1;
  static constexpr unsigned kCallBookBit = 2;
  static constexpr unsigned kCallNoteBit = 16;
  static constexpr unsigned kCallListBit = 128;

  // Opens each file whose bit is set, in the order PX5CALL, PX5CBUCH, PXCCL, PXCNOTE, and stops
  // at the first that fails. True when every requested file was opened or shared.
  bool OpenFiles(unsigned mask, bool skip);
  // Opens one file; a TdbTreiber::OpenResult. A fresh open of PX5CALL runs the start-up fix.
  int OpenFile(CallTable table, bool skip);
  // Closes one use of each selected file (every use with force), same order.
  void CloseFiles(unsigned mask, bool skip, bool force = false);
  // The driver of an open file; nullptr while it is not open.
  storage::TdbTreiber* Treiber(CallTable table) const;

  static std::string FileName(CallTable table);
  // The folder + name under which the file opens (the settings' folder list when it exists).
  static std::string FilePath(CallTable table);

  // The calls whose name "BLACKLIST" the start-up fix clears; empty unless set.
  void SetBlacklistCalls(std::vector<std::string> calls) { blacklist_ = std::move(calls); }

 private:
  std::unique_ptr<storage::TdbTreiber> slots_[8];  // by table number
  std::vector<std::string> blacklist_;
  bool fixing_ = false;  // the start-up fix runs; it does not run again inside itself
};

class TdbCallBase : public storage::TdbBase {
 public:
  // Opens the table's file when it is not open (and closes it again when freed). flag: the
  // TdbBase key-form flag; with it set nothing is opened.
  explicit TdbCallBase(CallTable table, std::uint8_t flag = 0);
  ~TdbCallBase() override;

  storage::TdbTreiber* GetTreiber() override;
  void FetchRecord(bool to_working, bool to_read, int number) override;
  // The call of the read copy to 10 characters (as it stands when the flag is set).
  void GetAutoKeyText(std::string& text) override;
  int AutoKeyNo() override { return 1; }
  // Re-find the cursor's own record (key 1 and its record reference) first.
  bool Delete(bool keep_position) override;
  bool Next(bool reposition, bool fetch) override;

  // Rewrites the cursor's record with the working copy, or adds the working copy as a new
  // record; on success the working copy becomes the read copy. False without a driver, when the
  // record cannot be re-found, or when the driver fails.
  virtual bool Update();
  virtual bool Insert();

  // Clears the driver buffer and both copies.
  void ClearRecord();
  CallTable Table() const { return table_; }
  bool OpenedHere() const { return opened_here_; }

  // Field accessors on the working copy: empty, and no change, for a table without the field.
  std::string GetField(CallField field) const;
  void SetField(CallField field, std::string_view value);
  std::string GetDIG() const { return GetField(CallField::kDIG); }
  void SetDIG(std::string_view v) { SetField(CallField::kDIG, v); }
  std::string GetAGCW() const { return GetField(CallField::kAGCW); }
  void SetAGCW(std::string_view v) { SetField(CallField::kAGCW, v); }
  std::string GetExCall() const { return GetField(CallField::kExCall); }
  void SetExCall(std::string_view v) { SetField(CallField::kExCall, v); }
  std::string GetName() const { return GetField(CallField::kName); }
  void SetName(std::string_view v) { SetField(CallField::kName, v); }
  std::string GetMF() const { return GetField(CallField::kMF); }
  void SetMF(std::string_view v) { SetField(CallField::kMF, v); }
  std::string GetDOK() const { return GetField(CallField::kDOK); }
  void SetDOK(std::string_view v) { SetField(CallField::kDOK, v); }
  std::string GetLDK() const { return GetField(CallField::kLDK); }
  void SetLDK(std::string_view v) { SetField(CallField::kLDK, v); }
  std::string GetQTH() const { return GetField(CallField::kQTH); }
  void SetQTH(std::string_view v) { SetField(CallField::kQTH, v); }
  std::string GetCallComment() const { return GetField(CallField::kCallComment); }
  void SetCallComment(std::string_view v) { SetField(CallField::kCallComment, v); }
  std::string GetLocator() const { return GetField(CallField::kLocator); }
  std::string GetQSLVia() const { return GetField(CallField::kQSLVia); }
  // User fields M1 to M10 (n = 1..10).
  std::string GetM(int n) const;
  void SetM(int n, std::string_view v);
  std::string GetM1() const { return GetM(1); }
  void SetM1(std::string_view v) { SetM(1, v); }
  std::string GetM2() const { return GetM(2); }
  void SetM2(std::string_view v) { SetM(2, v); }
  std::string GetM3() const { return GetM(3); }
  void SetM3(std::string_view v) { SetM(3, v); }
  std::string GetM4() const { return GetM(4); }
  void SetM4(std::string_view v) { SetM(4, v); }
  std::string GetM5() const { return GetM(5); }
  void SetM5(std::string_view v) { SetM(5, v); }
  std::string GetM6() const { return GetM(6); }
  void SetM6(std::string_view v) { SetM(6, v); }
  std::string GetM7() const { return GetM(7); }
  void SetM7(std::string_view v) { SetM(7, v); }
  std::string GetM8() const { return GetM(8); }
  void SetM8(std::string_view v) { SetM(8, v); }
  std::string GetM9() const { return GetM(9); }
  void SetM9(std::string_view v) { SetM(9, v); }
  std::string GetM10() const { return GetM(10); }
  void SetM10(std::string_view v) { SetM(10, v); }

  // The call sign: up to 14 characters in the call tables and the call list, 10 in the notes.
  // SetCall upper-cases and cuts to the capacity.
  std::string GetCall() const;
  void SetCall(std::string_view call);
  // The note text of "PXCNOTE": its characters up to the first 0 or 26, at most `most` (the
  // record holds 283).
  std::string GetNote(int most = common::kMaxShortLength) const;

  // The working and read copies of the call-data and call-book records.
  TCallRec& Record() { return working_; }
  const TCallRec& ReadCopy() const { return read_; }

 protected:
  // Re-finds the record of the read copy by key 1 and the reference it was read from; true while
  // the file is not open, as TdbBase::Reposition.
  bool Refind(bool fetch_working);
  // Trims the working copy's call sign in place and answers it.
  std::string TrimWorkingCall();

 private:
  bool Variable() const { return table_ == kCallData || table_ == kCallBook; }
  int RecordSize() const;
  void CopyFromBuffer(const std::uint8_t* buffer, bool to_working, bool to_read);
  void CopyWorkingToBuffer();
  void WorkingToRead();

  CallTable table_;
  bool opened_here_ = false;
  TCallRec working_{};
  TCallRec read_{};
  TCallNoteRec note_working_{};
  TCallNoteRec note_read_{};
  TCallListRec list_working_{};
  TCallListRec list_read_{};
  std::int32_t read_ref_ = -1;  // the record reference of the read copy
};

class TdbCall : public TdbCallBase {
 public:
  // write_mode: 0 flush after every write, 1 buffered, while this cursor stores.
  explicit TdbCall(CallTable table, std::uint8_t write_mode = 1, std::uint8_t flag = 0);

  // Trim the working copy's call; an empty call stores nothing and answers false. The file's
  // write mode is the cursor's while it stores, and restored afterwards.
  bool Update() override;
  bool Insert() override;

  // The first record of the call (padded or cut to 10 unless the flag is set), fetched.
  bool FindCall(std::string_view call);
  // On the call data only: for each call whose record's name is "BLACKLIST", empties the name
  // and stores the record.
  void ClearBlacklistNames(const std::vector<std::string>& calls);

  std::uint8_t WriteMode() const { return write_mode_; }

 private:
  template <typename Op>
  bool Store(Op op);

  std::uint8_t write_mode_;
};

}  // namespace logbook
