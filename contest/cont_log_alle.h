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
// ToDatContest and TContestFkt (its port and definition set). Serious driver errors raise
// EDBError.
//
// The exchange prefill, the member lists and the value checks follow below, then the log walks
// and the multiplier rules; the QSO points are in contest/qso_points.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contest/contest_definition.h"
#include "contest/contest_table.h"
#include "contest/log_record.h"
#include "contest/multipliers.h"

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

  // --- exchange prefill (when the call field is left) ---
  // Fills the received exchange of the new QSO in the log object's working copy (nothing is
  // stored) from the call database (call book first, then call data; both found by the call's
  // base call) and the member lists, by the contest's received exchange kinds and code. DOKs only
  // for German calls; locators into kinds 6 and 5; names, DOKs, clubs and member numbers cut to
  // 8 characters. `locator` receives the partner's locator from the call database (empty when
  // none). Needs the service ToDatCall besides those above.
  void PrefillExchange(const TContestRec& definition, const TdbContestBase& catalogue,
                       std::string& locator, TdbContestBase& log);
  // Puts `value` into every received exchange part whose slot has exchange kind `kind` (and into
  // Call2, at most 12 characters, when `call2`); the working copy only. When the exchange text
  // would pass its 24 characters, the name parts (kind 20) are shortened first, so that a DOK or
  // locator part is not cut.
  void SetPrefillValue(const TContestRec& definition, TdbContestBase& log, std::string_view value,
                       std::int32_t kind, bool call2) const;

  // --- member lists: ';'-separated club files of the data folder, list 1 or 2 ---
  // Creates the list when it does not exist yet and reads the file into it (a file of that name
  // in another letter case when the exact name is missing); true only when it read the file now.
  // A list, once created, is never read again: a second file name for it still sees the first
  // file's lines. Lines end at LF (a CR before it is dropped); bytes are kept as they are.
  bool LoadMemberList(std::string_view file_name, int list);
  // The index of the first line whose first field (trimmed) is the call as reduced by
  // ToPrefix::PrefixOfCall option 1; -1 when none. Loads the list first.
  int FindMember(std::string_view file_name, std::string_view call, int list);
  // Field n (2 to 5, trimmed) of line `line`; a line with fewer fields gives its last one. Empty
  // for n 1 and a line that does not exist.
  std::string MemberField(int n, int line, int list) const;
  // Adds "reduced call" + column - 1 separators + value to the list in memory when the call is
  // not in it; the file is never written.
  void AddMember(std::string_view value, std::string_view file_name, int list, int column,
                 std::string_view call);
  // A line of "dsw.csv" (list 1) has the trimmed number as its third field.
  bool IsDswMember(std::string_view number);
  // The lines of member list 1 or 2, nullptr until it was loaded.
  const std::vector<std::string>* MemberList(int list) const {
    return (list == 1 ? MemberList1 : MemberList2).get();
  }

  // --- partner tests ---
  // 'D' and 'A'-'H' or 'J'-'R' (upper case only); any call under the codes 'K', 'B' and 'z'.
  static bool IsGermanCall(std::string_view call, char code);
  static bool IsGermanCall(std::string_view call, const TdbContestBase& catalogue);
  // A DOK the contest may count: at least 2 characters with a letter, not M26, M29 or M36; under
  // '!' only DOKs beginning 'Z'; under 'z' only the 26 Swiss canton codes; elsewhere two
  // characters only for the special two-letter DOKs ("NM" under '1' too).
  static bool IsValidDok(std::string_view text, char code);
  static bool IsValidDok(std::string_view text, const TdbContestBase& catalogue);

  // --- exchange texts: the report (3 characters), then up to three parts separated by '/' ---
  static void SplitCall(std::string_view text, std::string& rst, std::string& part1,
                        std::string& part2, std::string& part3);
  // The report padded or cut to 3, part 1, then "/" part 2 when part 2 or 3 is not empty, then
  // "/" part 3 when it is not empty ("5991//X").
  static std::string JoinCall(std::string_view rst, std::string_view part1, std::string_view part2,
                              std::string_view part3);

  // --- exchange and multiplier value checks; the contest code is the catalogue's ---
  // 'H': IsHolylandArea; every other code: IsValidDok.
  bool CheckExchange(std::string_view value, const TdbContestBase& catalogue) const;
  // Five characters: a letter, two digits and one of the 23 region codes ("A01TA").
  static bool IsHolylandArea(std::string_view value);
  // A DOK, area, LDK or canton as a multiplier value (kind 4), by the definition's lists.
  bool CheckDokExchange(std::string_view value, const TContestRec& definition,
                        const TdbContestBase& catalogue) const;
  // A district as a multiplier value (kind 18).
  bool CheckDistrictExchange(std::string_view value, const TContestRec& definition,
                             const TdbContestBase& catalogue) const;
  // A bonus station of a call multiplier (kind 10): a call of the definition's BonusCalls (the
  // part before a '/'); under '.' the event calls and the edition's name; every call when the
  // contest names no bonus stations, none when it names some that were not supplied.
  bool IsBonusStation(std::string_view call, const TContestRec& definition,
                      const TdbContestBase& catalogue) const;

  // --- the log as a whole ---
  // The counter slot of a QSO: the band code, but 1 (the all-bands slot) when `all_bands_slot`
  // is set and the contest counts over all bands (`flag31` neither 0 nor 2).
  static std::uint8_t BandSlot(char band, std::uint8_t flag31, bool all_bands_slot);
  // What was typed into the call field, trimmed and reduced to its base call: 1 shorter than 3
  // characters, 2 two digits or three capital letters first (an exchange, not a call), else 0;
  // 0 for a text holding "DOMIVOX". The log window saves no QSO whose call gives 1 or 2.
  static int ExchangeKind(std::string_view text);
  // The points walk: positions `log` on its first record by key 4 and walks the log. A QSY
  // marker (skip mark set) is not counted; it only becomes the last band. Every other record of
  // a band slot above 0 is scored by `points` (reading the log object's working copy) and
  // counted in its slot; its 16-bit points field gets the points, at most 65,535, and the record
  // is written back only when that changed. The slot's points add the full value. QSOs that
  // could not be written back (deleted or locked by another station) are counted in the totals
  // and reported in one warning after the walk.
  QsoWalkTotals ForEachQso(const TContestRec& definition, const PointsFunction& points,
                           TdbContestBase& log, bool all_bands_slot) const;
  // The definition's QSO filter on the received exchange text of the QSO (the log object's
  // working copy): the text holds FilterText; for "Naval" instead: a member number after the
  // report, which is not "NM" and does not begin with a digit.
  static bool MatchesQsoFilter(const TContestRec& definition, const TContestLKRec& qso);
  static bool MatchesQsoFilter(const TContestRec& definition, const TdbContestBase& log);
  // Without FilterText every QSO passes (and none fails).
  static bool PassesQsoFilter(const TContestRec& definition, const TContestLKRec& qso);
  static bool PassesQsoFilter(const TContestRec& definition, const TdbContestBase& log);
  static bool FailsQsoFilter(const TContestRec& definition, const TdbContestBase& log);
  // The running numbers of a new QSO on `band` in `mode`: the overall number (with
  // `with_overall`) after the highest wagNummer, the band numbers after the band's highest
  // wagBandNr and wagBandNrIntern, the mode number after the highest ModeNr of QSOs whose mode
  // text is `mode`. Searches through an object of its own on the log's file.
  QsoNumbers NextQsoNumbers(bool with_overall, char band, const TdbContestBase& log,
                            std::string_view mode) const;

  // --- multipliers ---
  // Multiplier slot 1-3 of the definition has a name that stands for the kind ("Prefix" for
  // kinds 1, 2 and 22; "DOK" for 4 and 18; "QCWA" for 16 and 19; ...).
  static bool MultiplierSlotIsKind(int kind, int slot, const TContestRec& definition);
  // The multiplier slot 1-3 whose tally a counted value of the kind adds to: the first slot that
  // names the kind; for a counted kind no slot names (the DXCC count that holds the WAE entities
  // under "WAE", a contest without names), the first slot that names none of the kinds the
  // recount walks for the contest, else slot 1. One slot for each kind, so that the claimed
  // multipliers of the slots add up to the count the score is made of.
  static int TallySlotOfKind(int kind, const TContestRec& definition);
  // The value a stored QSO gives for a kind, as the walks compare it: 1 Prefix, 2 DXCC, 4 the
  // DOK (DOK1 + DOK2), 5 the locator square (4 characters), 10 the base call (ToPrefix option
  // 1, the form the call keys hold), 12 and 15 WAZ_USStaat, 16 and 19 Call2, 18 the district
  // letter (the DOK's first character), 22 Prefix of a "DL" QSO; empty for any other kind.
  static std::string WalkValue(int kind, const TContestLKRec& qso);
  // Whether the QSO (the object's working copy) counts for the kind with `value` (what the log
  // window takes for the kind; the DOK for kind 18). A QSO that counts passes the QSO filter.
  // Kind 18 checks the QSO's DOK whatever the value's form; "NM" counts for neither kind 4 nor
  // kind 16.
  bool QsoCountsForKind(int kind, std::string_view value, const TdbContestBase& qso,
                        const TdbContestBase& catalogue, const TContestRec& definition);
  // The same test for a stored QSO with its WalkValue (its DOK for kind 18).
  bool WalkQsoCountsForKind(int kind, const TContestLKRec& qso, const TdbContestBase& catalogue,
                            const TContestRec& definition);
  // The extra weight of a counted value (0 normally; a value adds weight + 1, so -1 adds
  // nothing): locator squares of 'Y', '2' and 'J', DOKs of '1', '2' and 'U', club and DSW
  // members of 'p'.
  std::int32_t MultiplierWeight(int kind, const TContestLKRec& qso,
                                const TdbContestBase& catalogue);
  // Walks the kind's index of the log (an object of its own on `log`'s file) and answers:
  // Mode A (a value given, "worked before?"): 1 when a stored QSO with that value on the band
  // counts for the kind, else 0 (under code 'i', when the contest counts over all bands: on any
  // band). Passed over: QSY markers, QSOs that fail the filter or do not count for the kind, and
  // under Flag31 2 QSOs whose band letter is not `compare_text`. Values are compared as
  // WalkValue gives them: kind 10 reduces the given call, kind 18 takes its first character, 5
  // its first four. The log window asks per band, or band by band over the contest's bands.
  // Mode B (no value, the recount): the sum of weight + 1 over the distinct values that count,
  // per band when the contest counts per band (Flag31 0 or 2), else over the whole log, whatever
  // the order of the QSOs. Kind 4 counts a value again for every QSO under code 'L', and under
  // Flag31 2 for each mode class. The request's table gets the first 500 distinct values in key
  // order (padded to the kind's width, cut to 8), its tallies the weight + 1 of each counted
  // value in the kind's slot (TallySlotOfKind) and, for kind 2, every QSO walked.
  // A kind the contest does not count gives 0 (kind 4 counts also under elements 8 and 17;
  // kind 2 is always walked for tallies). Serious driver errors raise EDBError.
  std::int32_t RecountMultipliers(const RecountRequest& request, const TdbContestBase& log,
                                  const TdbContestBase& catalogue, const TContestRec& definition);

 private:
  bool CountsForKind(int kind, std::string_view value, const TContestLKRec& qso,
                     const TdbContestBase& catalogue, const TContestRec& definition);
  std::unique_ptr<std::vector<std::string>>& List(int list) {
    return list == 1 ? MemberList1 : MemberList2;
  }
  // The value of a member-list field for the call: field `field` of the call's line, cut to 8;
  // empty when the call is not in the list.
  std::string MemberValue(std::string_view file_name, std::string_view call, int list, int field);
  // "MF" + the member number of the "naval.csv" line that has the call as its second field.
  std::string NavalMember(std::string_view call);
  // The DSW member number into kind 19 and the member's name into the QSO's name.
  void PrefillDswMember(const TContestRec& definition, std::string_view call, TdbContestBase& log);

  std::unique_ptr<std::vector<std::string>> MemberList1;
  std::unique_ptr<std::vector<std::string>> MemberList2;
};

}  // namespace contest
