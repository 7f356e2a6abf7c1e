// TdbPrefix: the lookups of the prefix database and the resolution of a call sign at a date.
//
// Every lookup positions the cursor and fetches the record found into the working record; the
// Boolean answers whether something was found. A few lookups remember their last question and
// answer ("FDM" FindByPrefixAndKey, "FDP" FindByDXCC, "FD" FindDXCCAllTables, "FP" ResolveCall)
// in one shared slot, so each forgets the others'; anything that replaces the working record
// otherwise (another positioning, a whole-record copy) forgets them too, so a remembered answer
// always describes the record the cursor holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "logbook/reference/dxcc_selection.h"
#include "logbook/reference/prefix_table.h"

namespace logbook {

// The answer of ResolveCall.
enum class ResolveResult : std::uint8_t {
  kResolved = 0,  // the cursor holds the entry, its Prefix rewritten to the call's own prefix
  kNotFound = 1,  // nothing found (the cursor holds whatever the last lookup left)
  kNotValid = 2,  // the entry found is not valid at the date
};

class TdbPrefix : public TdbPrefixBase {
 public:
  explicit TdbPrefix(int kind = kPrefixMain, std::uint8_t key_form_flag = 0);

  // --- lookups (key texts padded with blanks to their parts' widths) ---
  // The entry whose prefix is exactly the text (main table); the whole call (others).
  bool FindExact(std::string_view prefix);
  // The first entry whose prefix key is not below the text.
  bool NearestPrefix(std::string_view text);
  // The entry of a prefix and menu code ("Prefix,Menue"); remembered.
  bool FindByPrefixAndKey(std::string_view prefix, std::string_view menue);
  // The entry of a DXCC prefix and prefix ("DXCC,Prefix"); remembered.
  bool FindByDXCC(std::string_view dxcc, std::string_view prefix);
  // On "Prefix,Menue" without memory: the exact entry, or with `nearest` the first not below.
  bool FindPrefixMenue(std::string_view prefix, std::string_view menue, bool nearest);

  // True when EndDate is set and lies before today, or StartDate lies after today.
  bool IsOutsideValidity() const;

  // An entry of the DXCC prefix: in this cursor's table, else one whose DXCC and prefix are both
  // the text in "PXPREFEE" then "PXPREFES", else any of that DXCC there (copied into this
  // cursor). 0 when found, 1 when not; remembered.
  int FindDXCCAllTables(std::string_view dxcc);
  // The ADIF number of a DXCC prefix as 3 digits ("230"); empty when the entity is unknown.
  std::string DXCCForPrefix(std::string_view dxcc);

  // The DXCC prefix of the current entry at a QSO date: its own, or that of the entry its
  // references name for the date (OldRef up to OldUntil from StartDate on, else DXCC2 up to
  // DXCC2Until, else wiePref). A reference containing "RA" is resolved as a call, any other
  // through FindDXCCAllTables; a reference that finds nothing answers empty. The cursor may be
  // left on the referenced entry.
  std::string DXCCAtDate(std::int32_t date);
  // Moves to the entry that applies at the date through the same references (staying on the
  // entry when a reference finds nothing); before the entry's StartDate the country becomes
  // "not current".
  void NextValidAtDate(std::int32_t date);

  // Resolves a call at a QSO date (0 or below: today) to the entry of its entity. A call with
  // "/" that no supplementary table holds is resolved by the part that carries its prefix
  // (ToPrefix::GetPrefixPlain: "EA8" of "DK1RI/EA8", "UA2" of "UA3TT/2"); a maritime or
  // aeronautical mobile ("/MM", "/AM") has no entity (kNotFound).
  //   look_supplementary: first look the call up in "PXPREFEE" and "PXPREFES" (through
  //     `learnt` and `exact` when given, else through cursors made for it);
  //   chosen: the DXCC selection's answer when the resolution ran it, else 0 (1: the entry was
  //     settled by the QSO's DXCC, a lone valid candidate or the user's choice);
  //   qso: the QSO's texts for the selection; nullptr: none.
  // A repeated question (same call, date as passed and interactive flag) is answered from
  // memory while the cursor still holds the answer.
  ResolveResult ResolveCall(std::string_view call, std::int32_t date, bool look_supplementary,
                            TdbPrefix* learnt, TdbPrefix* exact, std::uint8_t& chosen,
                            const QsoFieldTexts* qso);
  ResolveResult ResolveCall(std::string_view call, std::int32_t date,
                            bool look_supplementary = false);
  // The first step of ResolveCall with look_supplementary: the entry of the learnt or else the
  // exact-call table that holds the call (as its own entry, or under an entry marked 'J' that
  // covers the call's beginning) taken over, with the ADIF number of its DXCC prefix. Looked up
  // through `learnt` and `exact` when given, else through cursors made for it. False (the
  // working record as it was) when neither holds the call.
  bool TakeHeldCall(std::string_view call, TdbPrefix* learnt = nullptr, TdbPrefix* exact = nullptr);

  // Forgets every remembered answer.
  void ResetCache() { memory_ = Memory{}; }

  // Replaces outdated DXCC prefixes in a learnt or exact-call table ("ZK1N" and later "E5"
  // become "E5/N", ...), pair by pair in a fixed order, and answers how many records it rewrote.
  // A write that fails (another user changed or holds the record) ends the run. The main table
  // is left alone.
  int RenameOutdatedPrefixes();

 protected:
  void WorkingRecordReplaced() override { ResetCache(); }

 private:
  struct Memory {
    std::string mark;  // "FP", "FDM", "FDP", "FD" or empty
    std::string text1;
    std::string text2;
    std::int32_t date = 0;
    std::uint8_t mode = 0;
    int answer = 0;  // the lookup's or resolution's result
    std::uint8_t chosen = 0;
  };

  bool Remembered(std::string_view mark, std::string_view text1, std::string_view text2) const;
  void Remember(std::string mark, std::string_view text1, std::string_view text2, int answer);
  // The reference of the entry that applies at the date; empty when the entry itself applies.
  std::string ReferenceAtDate(std::int32_t date) const;
  // Moves to the entry of a reference; false when it finds nothing.
  bool MoveToReference(const std::string& reference, std::int32_t date);

  Memory memory_;
};

}  // namespace logbook
