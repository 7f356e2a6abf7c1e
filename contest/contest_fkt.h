// TContestFkt: the contest catalogue service, one object per process
// (common::Service<TContestFkt>), created at start-up after the contest tables' data object.
//
// Its operation here is the contest definition loader, the only writer of TContestRec: it turns
// a contest code and the current catalogue record of a log into a filled definition. The contest
// rules never test contest names; they read what the loader writes, or the contest code.
//
// The definition set is read at the first load: the built-in resources/contests.toml, then the
// operator's "contests.toml" in the data folder (the driver system's start folder) when present.
// Each problem of either file is written to the protocol as "file:line: reason", and the user is
// warned once through ToMessages; the values concerned keep their built-in state.
//
// Requires the services ToSetups (own locator and name), ToBaender (band names), ToMessages and
// the driver system (its start folder); reading a catalogue object also ToDatContest.
#pragma once

#include <optional>
#include <string>

#include "contest/catalogue_record.h"
#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/definition_set.h"

namespace contest {

class TContestFkt {
 public:
  TContestFkt() = default;
  TContestFkt(const TContestFkt&) = delete;
  TContestFkt& operator=(const TContestFkt&) = delete;

  // Fills `definition` for contest `code` from the catalogue object's current record (its working
  // copy): cleared first, so nothing of an earlier contest remains; an unknown code leaves only
  // the common defaults. The loader's copy of the record, with the catalogue switch at offset 369
  // set for the contests that set it, is written back into the object; with `update_file` also
  // into the catalogue file (UpdateRec; its failure is the table layer's to report).
  void LoadContestDefinition(TContestRec& definition, TdbContestBase& catalogue, char code,
                             bool update_file);
  // The same on a catalogue record held by the caller (tests, tools): reads and writes `catalogue`.
  void LoadContestDefinition(TContestRec& definition, TContestKKRec& catalogue, char code);

  // The year of the log's start date ("yyyy"); the current year when it has none (below 1).
  static std::string LogYearText(const TContestKKRec& catalogue);
  // The number field (offset 158) through five '@' digit places ("00042").
  static std::string LogNumberText(const TContestKKRec& catalogue);
  // Today's date "dd.mm.yyyy".
  static std::string TodayText();

  // The definition set, read at the first call (see above).
  const DefinitionSet& Definitions();

 private:
  std::optional<DefinitionSet> set_;
};

}  // namespace contest
