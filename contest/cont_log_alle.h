// TContLogAlle: the rule object of a contest log window.
//
// The log window makes one when it is created and frees it when it is destroyed. It carries no
// contest state: every rule receives the contest definition, the table objects of the log and
// what was entered as arguments. Its only state is the two member lists, loaded on first use.
//
// Duplicate checks. The contest definition's DupeKind (0 to 13) chooses which conditions make
// the same call a dupe; each of the seven rules below handles its own kinds (or contest codes)
// and answers "no dupe" for the others. A rule searches the log for an earlier QSO with the same
// call through an object of its own on the log's file (the caller's position and copies stay
// as they are). Calls are compared as reduced by ToPrefix::PrefixOfCall option 1, the form the
// QSO keys hold, so "DL1ABC/P" is the same station as "DL1ABC". On a dupe the rule rings the
// bell (ContestPort::Beep) and, unless its reaction is silent, or conditional and the new QSO is
// already marked (its NoPoints byte set), warns with ToMessages::Achtung (no title): line 1
// "Call " + the reduced call + the rule's text (the English text alone when the language is not
// German), CR LF, line 2 the earlier QSO's call, "dd.mm.yyyy", "hh:mm", band name and mode.
//
// The byte results: 0 no dupe (or not the rule's kind), 1 dupe to be refused, 2 dupe accepted
// silently without points, 3 dupe accepted without points after the conditional warning. The
// Boolean results: true no dupe (or not the rule's kind), false dupe to be refused.
//
// The log window calls them on leaving the call field in the order DupeBandMode, DupeBand,
// DupeSameDay, DupeMode, DupeBandPeriod and DupeBandDay (kind 4 only), DupeAnywhere, stopping at
// the first refusal; before saving the same without DupeSameDay.
//
// Requires the services ToPrefix, ToModi (the keys), ToBaender (band names), ToMessages,
// ToDatContest and TContestFkt (its port). Serious driver errors raise EDBError.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"
#include "contest/contest_table.h"

namespace contest {

class TContLogAlle {
 public:
  TContLogAlle() = default;
  TContLogAlle(const TContLogAlle&) = delete;
  TContLogAlle& operator=(const TContLogAlle&) = delete;

  // --- duplicate checks; `log` is the log window's object on the log (its working copy is the
  // new QSO) ---
  // Kinds 1 (refuse), 7 (silent), 8 (conditional): the same band and mode.
  std::uint8_t DupeBandMode(std::string_view call, char band, const TdbContestBase& log,
                            const TContestRec& definition, std::string_view mode) const;
  // Kinds 2 (refuse), 9 (conditional): the same band. Under contest code '9' the calls must
  // also be equal as reduced by option 0 (the part that carries the prefix).
  std::uint8_t DupeBand(std::string_view call, char band, char code, const TdbContestBase& log,
                        const TContestRec& definition) const;
  // Kinds 11 (refuse), 12 (silent), 13 (conditional): the same day, under code 'h' the same day
  // on the new QSO's band.
  std::uint8_t DupeSameDay(std::string_view call, std::int32_t date, char code,
                           const TdbContestBase& log, const TContestRec& definition) const;
  // Kind 3: the same mode group ("CW"; "SSB", "USB", "LSB", "FM"; every other mode text).
  bool DupeMode(std::string_view call, std::string_view mode, const TdbContestBase& log,
                const TContestRec& definition) const;
  // Contest code '6' (kind 4): the same band in the same half of the day (before 15:00, or from
  // 15:00 on; the date is not compared). `time` in seconds of the day.
  bool DupeBandPeriod(std::string_view call, char band, char code, const TdbContestBase& log,
                      const TContestRec& definition, std::int32_t time) const;
  // Contest code 'o' (kind 4): the same band on the same day.
  bool DupeBandDay(std::string_view call, char band, char code, const TdbContestBase& log,
                   const TContestRec& definition, std::int32_t date) const;
  // Kinds 5 (refuse), 10 (conditional): anywhere in the log.
  std::uint8_t DupeAnywhere(std::string_view call, const TContestRec& definition,
                            const TdbContestBase& log) const;

  // The member list 1 or 2: its lines, nullptr until it was loaded.
  const std::vector<std::string>* MemberList(int list) const {
    return (list == 1 ? MemberList1 : MemberList2).get();
  }

 private:
  std::unique_ptr<std::vector<std::string>> MemberList1;
  std::unique_ptr<std::vector<std::string>> MemberList2;
};

}  // namespace contest
