// QSO points: the points rule of each of the 61 contest codes and the tests they share.
//
// QsoPoints scores the QSO in the working copy of the log object (the record the log window has
// filled, distance, prefix evaluation and the received exchange included) by the rule of the
// contest code. It only reads: the definition, the catalogue object's working copy (own call, own
// DOK, ClassIndex, the 1-based class byte of the catalogue) and the log. A QSO with its NoPoints
// byte set, or with a call of fewer than 3 characters, scores 0 under every code, as does a code
// without a rule.
//
// Three rules look at the other QSOs of the log ('N' new locator square, 'O' new DXCC and DOK on
// the band, 'U' and 'K' own DOK already worked); they search through objects of their own on the
// log's file, so the caller's position and copies stay as they are.
//
// The club and special-event station calls that rules name come from the definition set
// (TContestFkt::Definitions: the contest's ListedCalls in rule order, the program's
// SpecialStationCall); a list not supplied there never matches, so its rule gives the lower
// value.
//
// Requires the services ToPrefix and ToModi (the keys of the lookups), ToDatContest, ToSetups (the
// station locator of 'e' and 'g') and TContestFkt (the definition set).
#pragma once

#include <cstdint>
#include <string_view>

#include "contest/catalogue_record.h"
#include "contest/cont_log_alle.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/log_record.h"

namespace contest {

// The points of the log object's current QSO under contest `code`. `rules` is the log window's
// rule object (the area check of 'H').
std::uint32_t QsoPoints(char code, const TContestRec& definition, const TdbContestBase& catalogue,
                        const TdbContestBase& log, const TContLogAlle& rules);

// --- the tests the rules share ---
// A club or special-event station by its call: the listed special-event call; 'D' with 'A', 'C',
// 'F', 'K', 'L', 'N' or 'O' and '0' (DL0ABC); "DQ..." and "DR..."; four characters 'D' and
// 'A'-'R' (DA1A).
bool IsSpecialStationCall(std::string_view call);
// The square ring of two locators of at least 4 characters: 1 for the same square, 2 for the
// eight around it, and so on. Both are upper-cased first ("jo62" is JO62).
std::uint32_t LocatorSquareRing(std::string_view own, std::string_view qso);
// The QSO's DOK (DOK1 + DOK2) is the log's own DOK, which is not empty.
bool IsOwnDok(const TContestKKRec& catalogue, const TContestLKRec& qso);
// The QSO's DOK is one of the definition's AreaDoks.
bool IsSpecialDok(const TContestRec& definition, const TContestLKRec& qso);
// The QSO's DOK is an ordinary DOK (letter and two digits) of one of the AreaDistricts.
bool IsDistrictDok(const TContestRec& definition, const TContestLKRec& qso);
// The own station counts as German: the own call begins with 'D' and 'A'-'H' or 'J'-'R', or the
// own DOK is a letter and two digits.
bool IsOwnCallGerman(const TContestKKRec& catalogue);
// Another QSO of the log carries the QSO's DOK.
bool DokWorkedByOtherQso(const TdbContestBase& log);
// 1 when the QSO's locator square is new on its band: no QSO of the band has it, or the QSO
// itself is the one that took the square as its multiplier (CMulti); else 0, and 0 for a QSO not
// yet stored (Nummer 0).
std::uint32_t LocatorSquareWorkedOnBand(const TdbContestBase& log);

// The bonus contest `code` adds to a QSO's points for a locator square new on its band ('N':
// 500); 0 for a contest without one.
std::uint32_t NewSquareBonus(char code);
// The stored QSO is the one that took its locator square as its multiplier (CMulti), which is
// the QSO a square bonus goes to.
bool TookNewSquare(const TContestLKRec& qso);

}  // namespace contest
