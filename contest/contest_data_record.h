// The contest-data file "PXKZ": one evaluation record per contest log, keyed by the log's
// catalogue number. The contest catalogue service creates it empty before a log is run; the
// contest log window's recount writes the band-slot tables (band slot k = the k-th band of the
// contest definition, at index k - 1), the contest setup the two switches.
//
// TContestKZRec, 11,608 bytes, little-endian:
//
// OFFSET SIZE MEANING
//     0     4  free-chain link of the engine, 0 in a used record
//     4     4  Nummer: the log's catalogue number (key 1; no auto number)
//     8   400  SlotQsos: QSO count per band slot 1-100 (100 x u32)
//   408   400  SlotMults: multiplier count per band slot (100 x u32)
//   808   400  SlotPoints: QSO points per band slot (100 x u32)
//  1208   200  SlotMultTable1: first multiplier table per band slot (100 x u16)
//  1408   200  SlotMultTable2: second multiplier table per band slot (100 x u16)
//  1608   200  SlotMultTable3: third multiplier table per band slot (100 x u16)
//  1808     1  RstsNichtSperren: "RSTs nicht sperren" (boolean)
//  1809     1  DoppelQsoEintragen: "nicht gewertete Doppel-QSO in Log eintragen" (boolean)
//  1810  9798  not written by any operation; zero
//
// Key:
// KEY EXPRESSION LENGTH DUPLICATES BUILT AS
//   1 "Nummer"        5 no         number key of Nummer
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/le_int.h"
#include "contest/contest_keys.h"

namespace contest {

inline constexpr int kBandSlots = 100;

struct TContestKZRec {
  common::LeInt32 Link;
  common::LeInt32 Nummer;
  std::array<common::LeUInt32, kBandSlots> SlotQsos;
  std::array<common::LeUInt32, kBandSlots> SlotMults;
  std::array<common::LeUInt32, kBandSlots> SlotPoints;
  std::array<common::LeUInt16, kBandSlots> SlotMultTable1;
  std::array<common::LeUInt16, kBandSlots> SlotMultTable2;
  std::array<common::LeUInt16, kBandSlots> SlotMultTable3;
  std::uint8_t RstsNichtSperren = 0;
  std::uint8_t DoppelQsoEintragen = 0;
  std::uint8_t unused1810[9798] = {};
};
static_assert(sizeof(TContestKZRec) == 11608);

inline constexpr int kKZKeyCount = 1;
inline constexpr ContestKeyDef kKZKeys[kKZKeyCount] = {{5, false, "Nummer"}};

// Builds key 1 of the contest-data record in `record` into `text`; any other key number leaves
// the text as it was.
void KZKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text);

}  // namespace contest
