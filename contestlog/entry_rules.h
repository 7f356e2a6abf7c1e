// What the QSO entry makes of the texts the operator types, decided without a widget: the call
// in the form the log stores, the report by mode, the room a name has beside a DOK and a
// locator, the default report of a new QSO, the band plan of the entered frequency and the
// beam heading's text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/string_helpers.h"
#include "contest/contest_definition.h"

namespace contestlog {

// The exchange kinds of the contest definition that the entry reads in its own way.
enum ExchangeKind : std::int32_t {
  kKindDok = 4,
  kKindLocator = 5,
  kKindSquare = 6,
  kKindDistrictCode = 8,
  kKindUsState = 12,
  kKindPostalCode = 15,
  kKindClubNumber = 16,
  kKindForeignDistrict = 17,
  kKindMemberNumber = 19,
  kKindName = 20,
};

// The warning of a save whose free mode field (a digital mode typed) is empty: a QSO is never
// stored without its mode.
inline constexpr const char* kModeMissing =
    "Fehler bei Mode-Angabe: Bitte den digitalen Mode eintragen (z.B. RTTY, PSK31).";
// The warning of a save without a call: a QSO is never stored without its partner.
inline constexpr const char* kCallMissing =
    "Fehler bei Call-Angabe: Bitte das Call der Gegenstation eintragen.";

// A field of kind 5 or 6 carries a locator.
inline bool IsLocatorKind(std::int32_t kind) { return kind == kKindLocator || kind == kKindSquare; }

// The value of a received exchange field as its kind reads it: DOKs and locators are capitals,
// and an operator who types them in small letters means the same.
inline std::string ExchangeFieldValue(std::int32_t kind, const std::string& typed) {
  return kind == kKindDok || IsLocatorKind(kind) ? common::UpperCase(typed) : typed;
}

// The received exchange row (the report, then fields 2 to 4) as the contest's received kinds
// read it: so the exchange text a QSO keeps says what was counted.
std::array<std::string, 4> ExchangeRowValues(const contest::TContestRec& definition,
                                             std::array<std::string, 4> row);

// Off the VHF and UHF bands ('k' and 'l') the 'J' contest takes no locator.
inline bool LocatorOffBand(char code, char band) {
  return code == 'J' && band != 'k' && band != 'l';
}

// The call as the log stores it: upper case by the 1252 table, trimmed, at most 12 characters;
// every "-" becomes "/"; a blank becomes "/" while the call holds no "/" yet and is dropped once
// it does ("DL1ABC P" is "DL1ABC/P", "OE/DL1ABC P" is "OE/DL1ABCP"); a "#" at the end becomes
// "/p" (the portable mark typed with one key).
std::string NormaliseCall(std::string_view typed);

// The report as the mode has it, blank-padded or cut to 3 characters: in "CW" a third character
// "9" where the second is given and the third is not ("57" is "579"); in "SSB", "PR" and "FM"
// never a third character ("599" is "59 ").
std::string ReportForMode(std::string_view report, std::string_view mode);

// The most characters a name in exchange field 2 may have so that the received exchange keeps
// room for a DOK in field 3 (and a locator in field 4): 16 less the DOK's length, less the
// locator's length and the "/" when field 4 carries a locator. -1 when the contest's received
// exchange is not name and DOK. Never below 0.
int NameRoom(const contest::TContestRec& definition, std::string_view field3,
             std::string_view field4);

// The report a new QSO starts with: "599" in CW (or when the mode is typed in the mode field),
// "59 " in any other mode, none at all under contest code 'j'.
std::string DefaultReport(char code, std::string_view mode, bool mode_typed);

// Whether `frequency` (MHz) lies where the contest's band plan recommends to work `mode` on
// `band`; limits are inclusive. 'W' keeps CW and SSB out of the other mode's segments on 80,
// 40 and 20 m (SSB also on 15 and 10 m); 'z' and 'H' allow everything; every other contest keeps
// CW in the CW segments of 160, 80 and 20 m and SSB in the phone segments of 80 and 20 m.
bool CheckBandPlan(char code, std::string_view mode, char band, double frequency);

// The beam heading as lbeam shows it: a blank and the degrees with one decimal (" 123.4").
std::string BearingText(double bearing);

}  // namespace contestlog
