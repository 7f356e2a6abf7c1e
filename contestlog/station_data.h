// What the log window learns about the station worked, outside the contest rules: the prefix
// data of a QSO from the prefix database, the distance to its locator, its name and QTH from the
// call database and whether a text is a US state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/multipliers.h"

namespace contestlog {

// The entity a lookup gave: the call's prefix as the prefix table resolved it ("KH5", "DL1"),
// its DXCC prefix, WAE code and continent.
struct PrefixEntity {
  std::string prefix;
  std::string dxcc;
  std::string wae;
  std::string continent;
};

// What one log window keeps between prefix lookups: the call looked up last, the byte the DXCC
// selection answered for it (1: it settled the entity) and the entity it settled.
struct PrefixLookupMemo {
  std::string last_call;
  std::uint8_t resolved = 0;
  PrefixEntity settled;
};

// Fills the prefix data of the QSO in the log object's working copy: Prefix, DXCC, Continent
// and the WAE flag, by the contest's multiplier kinds (kind 14: the WAE code stands for the
// DXCC; kinds 1 and 22: the call's leading letters and digits are the prefix, to 3 characters
// unless the contest code is '!'; kind 2 with them: the prefix is the DXCC too; kind 22: the
// prefix counts for DL stations only). A QSO whose PrefixLock is set keeps its data. When the
// lookup answers, `points` scores the QSO into its points field. The record goes back into the
// working copy only; nothing is written.
//
// A call the learnt table holds (a choice the selection kept for it) or the exact-call table
// (a call the country file lists by itself) takes its entity from there, without a question.
// The DXCC selection's window shows only while the prefix analysis's interactive flag is set:
// the catalogue's PrefixMenu sets it, but not while the call still begins with the call looked
// up last (the operator is typing on); the flag is back as it was afterwards. The window shows
// the QSO's call, date, name and QTH; a QSO whose DXCC prefix names one of the entries takes it
// without asking, and a choice made in the window is kept for the call. Once the selection has
// settled the entity, it holds for the calls typed on while their prefix stays the same; a call
// of another prefix is resolved afresh.
//
// False when a call of 3 characters or more has no prefix entry (and the contest counts neither
// kind 1 nor kind 22); its DXCC, continent and WAE flag are then empty and it is not scored.
// Needs ToPrefix and ToDatPrefix; serious driver errors raise EDBError.
bool PrefixData(contest::TdbContestBase& log, const contest::TdbContestBase& catalogue,
                const contest::PointsFunction& points, PrefixLookupMemo& memo,
                const contest::TContestRec& definition);

// The distance in kilometres, rounded, from the own station's locator (ToSetups) to `locator`;
// 0 when either locator is not valid.
int LocatorCalc(std::string_view locator);

// `text` when it is one of the 50 US states' postal codes or "DC", compared exactly (upper
// case, not trimmed); else empty.
std::string IsUsState(std::string_view text);

// The name and QTH the call database holds for the call (as reduced to its base call), cut to
// the lengths given; empty when it holds none. The call data come first; when they hold no
// name, the call book is asked for the name (only). Needs ToPrefix and ToDatCall.
void LookupNameQth(std::string_view call, std::string& name, int name_max, std::string& qth,
                   int qth_max);

}  // namespace contestlog
