// ToDatSetup: the data object of the setup tables, one per process
// (common::Service<ToDatSetup>, made at start-up; no table is opened then).
//
// Four setup tables are defined, each a fixed-length file with one key:
//
//   KIND  BIT  TABLE       RECORD  FOLDER (ToSetupDirs entry, index from 0)
//   0     1    "PXSETUP"   3530    1
//   1     2    "PXSETUP2"  50408   1
//   2     4    "PELPSETP"  2296    0
//   3     8    "HCSETUP"   5265    0
//
// Every setup record starts alike:
//
//   OFFSET  SIZE  MEANING
//   0       4     the engine's free-chain link (0 in a used record)
//   4       4     autore: the automatic record number, signed 32-bit little-endian
//   8       ...   PXSETUP and PXSETUP2: the packed settings (logbook/setupfiles/setup_places.h);
//                 PELPSETP and HCSETUP: zero bytes
//
// Key 1 ("autore AUTOKEY", 5 characters, no duplicates) is the record number in its
// long-integer key form. The settings live in the first record (in key order) of PXSETUP and
// PXSETUP2; PELPSETP and HCSETUP are defined but nothing opens them.
//
// The folder entry is put in front of the table name ("\" read as "/"); while the entries are
// empty, as nothing fills them, the tables lie in the data folder. Tables open for shared use.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "storage/tables/table_dat_base.h"
#include "storage/tables/table_treiber.h"

namespace logbook {

enum SetupKind : int { kSetupMain = 0, kSetupMore = 1, kSetupPelp = 2, kSetupHc = 3 };
inline constexpr int kSetupKinds = 4;

inline constexpr std::array<int, kSetupKinds> kSetupRecordLength = {3530, 50408, 2296, 5265};
inline constexpr int kSetupAutoreOffset = 4;
inline constexpr int kSetupAutoreKey = 1;

// The PXSETUP and PXSETUP2 records as the settings load and save see them: their bytes.
using PxSetupRecord = std::array<std::uint8_t, 3530>;
using PxSetup2Record = std::array<std::uint8_t, 50408>;
static_assert(sizeof(PxSetupRecord) == kSetupRecordLength[kSetupMain]);
static_assert(sizeof(PxSetup2Record) == kSetupRecordLength[kSetupMore]);

class ToDatSetup final : public storage::ToDatBase {
 public:
  static constexpr unsigned kBitMain = 1;  // PXSETUP
  static constexpr unsigned kBitMore = 2;  // PXSETUP2
  static constexpr unsigned kBitPelp = 4;  // PELPSETP
  static constexpr unsigned kBitHc = 8;    // HCSETUP

  ToDatSetup();
  ~ToDatSetup() override;

  // Opens the tables of `bits` in the order PXSETUP, HCSETUP, PELPSETP, PXSETUP2 and stops at
  // the first that is not opened; true when every table asked for is open (opened or shared).
  // `skip` is the table layer's flag: with it nothing is opened.
  bool OpenFiles(unsigned bits, bool skip);
  // Closes one use of each table of `bits` (every use with `force`), in the order PXSETUP,
  // PXSETUP2, PELPSETP, HCSETUP.
  void CloseFiles(unsigned bits, bool skip = false, bool force = false);

  // The TdbTreiber of a kind while its table is open and the driver system is ready, else
  // nullptr.
  storage::TdbTreiber* Treiber(int kind) const;
  // The same, but with `mode` 2 the caller's `given` driver is checked instead: it is answered
  // while it is open and the driver system is ready.
  storage::TdbTreiber* Treiber(int kind, int mode, storage::TdbTreiber* given) const;
  bool IsOpen(int kind) const;

  static std::string FileName(int kind);  // "PXSETUP", ...; empty for another kind
  // The folder entry + name under which the table opens.
  static std::string FilePath(int kind);
  static unsigned BitOf(int kind);  // 1, 2, 4, 8; 0 for another kind
  // The key builder of every setup table (key 1 only); also the checker's oracle.
  static void Keys(const std::uint8_t* record, std::uint16_t key, std::string& text);

 private:
  int OpenKind(int kind, bool skip);

  std::unique_ptr<storage::TdbTreiber> slots_[kSetupKinds];  // by kind
};

}  // namespace logbook
