// TContestRec: the definition of one contest, as the contest definition loader fills it for a
// contest code (contest/contest_fkt.h) from the definition set (contest/definition_set.h).
//
// A plain value: every reader works on its own whole copy, and a copy owns all its texts. Only the
// loader writes it, always starting from a cleared record, so a field a contest does not use is
// empty (empty text, 0, empty set), never left over from another contest. It is never stored and
// has no byte layout.
//
// Lists have a fixed number of slots; slot n of the contest's description is index n - 1 here. A
// slot whose text is empty (or whose character is 0) is not in use; a list is in use when its
// first slot is, and readers look at every slot and skip the empty ones: a gap does not end a
// list ('V' leaves the second slot of AreaDoks empty and has "MVP" in the third).
//
// Short texts keep the capacity of 255 characters (assignment cuts); sets hold the numbers 0 to
// 255. Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "common/short_string.h"

namespace contest {

using ContestText = common::ShortString<255>;
using ContestSet = std::bitset<256>;

inline constexpr int kModeSlots = 100;
inline constexpr int kBandCodeSlots = 100;
inline constexpr int kPeriodSlots = 10;
inline constexpr int kPeriodBandSlots = 10;
inline constexpr int kClassSlots = 20;
inline constexpr int kListSlots = 100;     // district codes and bonus calls
inline constexpr int kDistrictSlots = 26;  // district letters
inline constexpr int kExchangeSlots = 3;   // exchange fields, multipliers

// One operating period; not in use while PeriodDate is empty.
struct TContestPeriod {
  ContestText PeriodDate;      // "dd.mm.yyyy"
  ContestText PeriodSpare;     // never set by the loader
  ContestText PeriodTimeFrom;  // "hh:mm:ss"
  ContestText PeriodTimeTo;
  std::array<char, kPeriodBandSlots> PeriodBands{};  // band codes allowed in the period

  friend bool operator==(const TContestPeriod&, const TContestPeriod&) = default;
};

// One entry class; not in use while ClassText is empty. The catalogue's class index n selects
// entry n (index n - 1 here).
struct TContestClass {
  ContestText ClassText;          // "A:KW,QRO Stn aus MVP,CW"
  std::uint8_t ClassSection = 0;  // the contest's section number of the class, 0 for none
  ContestText ClassName;          // "Klasse A", empty for some contests

  friend bool operator==(const TContestClass&, const TContestClass&) = default;
};

struct TContestRec {
  std::uint8_t SWL = 0;                       // 1 when the selected class is a listener entry
  std::array<ContestText, kModeSlots> Modes;  // "CW", "SSB", "DIGITAL", "FM", "PR", "FSK441"
  std::array<char, kBandCodeSlots> Bands{};   // band code letters ('a' 160 m ... 'w' 630 m)
  ContestSet MultiplierKinds;                 // multiplier kinds 1 to 22 the contest counts
  std::array<TContestPeriod, kPeriodSlots> Periods;
  std::uint32_t HelpContext = 0;
  std::array<ContestText, kExchangeSlots> MultiplierNames;       // "DOK", "DXCC", ...; empty = none
  ContestText VersionNotice;                                     // VersionText + the maker's notice
  std::array<std::int32_t, kExchangeSlots> ExchangeKindsRcvd{};  // exchange kinds, 0 = unused
  std::array<std::int32_t, kExchangeSlots> ExchangeKindsSent{};
  std::array<ContestText, kExchangeSlots> SentDefaults;  // default texts of the sent fields
  std::uint8_t DupeKind = 0;                             // duplicate rule 0 to 13
  std::array<ContestText, kListSlots> ExtraDoks;         // not filled by the loader
  std::array<char, kDistrictSlots> ExtraDistricts{};     // not filled by the loader
  std::array<ContestText, kListSlots> BonusCalls;        // calls of the bonus stations
  std::array<ContestText, kListSlots> ValidDoks;         // special DOKs the DOK check accepts
  std::array<char, kDistrictSlots> ValidDistricts{};     // letters of accepted ordinary DOKs
  std::array<ContestText, kListSlots> AreaDoks;          // special DOKs of the organising area
  std::array<char, kDistrictSlots> AreaDistricts{};      // district letters of that area
  ContestText Title;
  ContestText VersionText;  // "PEL MVP Version 2020-1.0"
  std::string EditionName;  // "PEL MVP"
  std::array<TContestClass, kClassSlots> Classes;
  ContestText DateFrom;  // "dd.mm.yyyy"
  ContestText DateTo;
  ContestText TimeFrom;  // "hh:mm:ss" or "hh:mm"
  ContestText TimeTo;
  std::int32_t UtcOffsetHours = 0;  // whole hours to add to local time to get UTC at load time
  ContestText SentText2;            // a DOK the received-DOK check refuses (the own one for 'B')
  std::uint8_t Flag30 = 0;
  std::uint8_t Flag31 = 0;  // multiplier counting: 0 or 2 per band, 1 or 3 over all bands
  ContestSet OutputMenu;    // enabled items of the setup form's output menu
  ContestSet OutputMenu2;
  std::uint8_t Flag34 = 0;
  std::uint8_t Flag35 = 0;
  std::uint8_t Flag36 = 0;
  ContestText FilterText;   // QSO filter of the multiplier walks ("IPA", "Naval")
  ContestText FilterText2;  // raises the points of a QSO whose exchange holds it ("IPA")
  std::uint8_t LabelFlag = 0;
  std::array<ContestText, kExchangeSlots> ExchangeLabels;  // column captions of the exchange
  std::string CabrilloBand;  // Cabrillo categories; empty = the writer's default
  std::string CabrilloMode;
  std::string CabrilloSpare;  // not set by the loader
  std::string CabrilloContest;
  std::string CabrilloPower;
  std::string CabrilloAssisted;
  std::string CabrilloOperator;
  std::uint8_t ScoreFlag = 0;  // not set by the loader

  friend bool operator==(const TContestRec&, const TContestRec&) = default;
};

// Whether the contest counts its multipliers per band (Flag31 0 or 2), not over all bands.
inline bool CountsPerBand(const TContestRec& definition) {
  return definition.Flag31 == 0 || definition.Flag31 == 2;
}

}  // namespace contest
