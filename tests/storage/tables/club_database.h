// A small club database on the table layer, the pattern every database of the system follows:
// byte-exact records, one data object (a ToDatBase service) owning a TdbTreiber per file and the
// key builders, and a cursor class (a TdbBase) with a working copy and a read copy whose auto key
// re-finds the record.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "common/key_text.h"
#include "common/le_int.h"
#include "common/service.h"
#include "common/short_string.h"
#include "storage/tables/table_base.h"
#include "storage/tables/table_dat_base.h"

namespace storage_test {

// Station record, file "CLSTAT"
// OFFSET SIZE MEANING
//  0      4   free-chain link, 0 in a used record
//  4      4   number (AUTOKEY of key 1)
//  8     11   call (short string of 10)
// 19     21   name (short string of 20)
// 40     24   spare
struct StationRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<10> call;
  common::ShortString<20> name;
  char spare[24] = {};
};
static_assert(sizeof(StationRec) == 64);

// Contact record, file "CLQSO"
// OFFSET SIZE MEANING
//  0      4   free-chain link, 0 in a used record
//  4      4   number (AUTOKEY of key 1)
//  8     11   call (short string of 10)
// 19      4   band (short string of 3)
// 23      4   date (day number)
// 27      4   time (seconds since midnight)
// 31     17   spare
struct ContactRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<10> call;
  common::ShortString<3> band;
  common::LeInt32 date;
  common::LeInt32 time;
  char spare[17] = {};
};
static_assert(sizeof(ContactRec) == 48);

// The club database's data object (common::Service<ToDatClub>).
class ToDatClub final : public storage::ToDatBase {
 public:
  enum Table : int { kStations = 0, kContacts = 1 };
  static constexpr unsigned kStationsBit = 1u << kStations;
  static constexpr unsigned kAllFiles = kStationsBit | 1u << kContacts;

  // Opens the selected files (for shared use unless `shared` is cleared), stations first; halts
  // at the first file not opened. Answers the last open's result (TdbTreiber::OpenResult).
  int OpenFiles(unsigned mask, bool skip);
  // Closes one use of each selected file (for every user with force).
  void CloseFiles(unsigned mask, bool skip, bool force = false);
  // The TdbTreiber of a file, nullptr before its first open.
  storage::TdbTreiber* Treiber(Table table) const { return slots_[table].get(); }

  bool shared = true;

  static std::string FileName(Table table) { return table == kStations ? "CLSTAT" : "CLQSO"; }
  // The key builders, also the oracle of the checker.
  static void StationKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
  static void ContactKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);

 private:
  std::unique_ptr<storage::TdbTreiber> slots_[2];  // by Table
};

// A cursor on one file, which it opens itself when the file is not open (and closes again).
template <typename Rec, ToDatClub::Table kTable>
class TdbClubTable : public storage::TdbBase {
 public:
  explicit TdbClubTable(std::uint8_t key_form_flag = 0) : TdbBase(key_form_flag) {
    if (GetTreiber() == nullptr || !GetTreiber()->IsOpen(false)) {
      opened_here_ = Club().OpenFiles(1u << kTable, IsFlagSet()) == storage::TdbTreiber::kOpened;
    }
  }
  ~TdbClubTable() override {
    if (opened_here_) Club().CloseFiles(1u << kTable, IsFlagSet());
  }

  storage::TdbTreiber* GetTreiber() override { return Club().Treiber(kTable); }
  void FetchRecord(bool to_working, bool to_read, int /*number*/) override {
    if (RecordBuffer() == nullptr) return;
    if (to_working) std::memcpy(&working_, RecordBuffer(), sizeof(Rec));
    if (to_read) std::memcpy(&read_, RecordBuffer(), sizeof(Rec));
  }
  void GetAutoKeyText(std::string& text) override {
    text = read_.number == 0 ? "" : InitKeyText() + common::KeyIntToStr(read_.number, !IsFlagSet());
  }
  int AutoKeyNo() override { return 1; }

  // Rewrites the cursor's record with the working copy; false when it cannot be re-found.
  virtual bool Update() {
    // Another cursor may have moved the shared driver; the re-find refreshes only the read copy.
    if (!Reposition(false) || RecordBuffer() == nullptr) return false;
    std::memcpy(RecordBuffer(), &working_, sizeof(Rec));
    if (!TdbBase::Update(0)) return false;
    read_ = working_;
    return true;
  }
  // Adds the working copy as a new record; it gets the next auto number.
  virtual bool Insert() {
    ClearDriverBuffer();
    if (RecordBuffer() == nullptr) return false;
    working_.link = working_.number = 0;
    std::memcpy(RecordBuffer(), &working_, sizeof(Rec));
    if (!TdbBase::Insert(0)) return false;
    working_.number = reinterpret_cast<const Rec*>(RecordBuffer())->number;
    read_ = working_;
    return true;
  }

  Rec& Record() { return working_; }
  const Rec& ReadCopy() const { return read_; }
  bool OpenedHere() const { return opened_here_; }

 private:
  static ToDatClub& Club() { return common::Service<ToDatClub>::Get(); }

  Rec working_{};
  Rec read_{};
  bool opened_here_ = false;
};

using TdbStation = TdbClubTable<StationRec, ToDatClub::kStations>;
using TdbContact = TdbClubTable<ContactRec, ToDatClub::kContacts>;

}  // namespace storage_test
