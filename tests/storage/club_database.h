// A small club database on the table layer, the pattern every database of the system follows:
// byte-exact records (free-chain link first, the auto number a 32-bit field ending its key), one
// data object (a ToDatBase service object) owning a TdbTreiber per file, opened by bit mask in a
// fixed order, with the key builders that make every key text, and one cursor class per file (a
// TdbBase) with a working copy for callers and a read copy whose auto key re-finds the record.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/le_int.h"
#include "common/short_string.h"
#include "storage/table_base.h"
#include "storage/table_dat_base.h"

namespace storage_test {

// Station record, file "CLSTAT"
// OFFSET SIZE MEANING
//  0      4   free-chain link, 0 in a used record
//  4      4   number (AUTOKEY of key 1)
//  8     11   call (short string of 10)
// 19     21   name (short string of 20)
// 40      7   locator (short string of 6)
// 47     17   spare
struct StationRec {
  common::LeInt32 link;
  common::LeInt32 number;
  common::ShortString<10> call;
  common::ShortString<20> name;
  common::ShortString<6> locator;
  char spare[17] = {};
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
  static constexpr unsigned kContactsBit = 1u << kContacts;
  static constexpr unsigned kAllFiles = kStationsBit | kContactsBit;

  // Opens the selected files, stations first, with shared access unless `exclusive`; halts at
  // the first file not opened. Answers the last open's result (TdbTreiber::OpenResult), 0 for an
  // empty mask.
  int OpenFiles(unsigned mask, bool skip, bool exclusive = false);
  // Closes one use of each selected file (for every user with force).
  void CloseFiles(unsigned mask, bool skip, bool force = false);
  // The TdbTreiber of a file, nullptr before its first open.
  storage::TdbTreiber* Treiber(Table table) const;

  static std::string FileName(Table table);
  // The key builders, also the oracle of the checker.
  static void StationKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);
  static void ContactKeys(const std::uint8_t* record, std::uint16_t key, std::string& text);

 private:
  std::unique_ptr<storage::TdbTreiber> slots_[2];  // by Table
};

// What the two cursor classes share: the file they work on, opened by the cursor itself when it
// was not open, and the two record copies.
template <typename Rec, ToDatClub::Table kTable>
class TdbClubTable : public storage::TdbBase {
 public:
  explicit TdbClubTable(std::uint8_t key_form_flag = 0);
  ~TdbClubTable() override;

  storage::TdbTreiber* GetTreiber() override;
  void FetchRecord(bool to_working, bool to_read, int number) override;
  void GetAutoKeyText(std::string& text) override;
  int AutoKeyNo() override { return 1; }

  // Rewrites the cursor's record with the working copy; false when it cannot be re-found.
  virtual bool Update();
  // Adds the working copy as a new record; it gets the next auto number.
  virtual bool Insert();

  Rec& Record() { return working_; }
  const Rec& ReadCopy() const { return read_; }
  bool OpenedHere() const { return opened_here_; }

 private:
  Rec working_{};
  Rec read_{};
  bool opened_here_ = false;
};

using TdbStation = TdbClubTable<StationRec, ToDatClub::kStations>;
using TdbContact = TdbClubTable<ContactRec, ToDatClub::kContacts>;

extern template class TdbClubTable<StationRec, ToDatClub::kStations>;
extern template class TdbClubTable<ContactRec, ToDatClub::kContacts>;

}  // namespace storage_test
