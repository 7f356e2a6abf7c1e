// TdbContest: the contest table object with the keyed lookups of the contest rules, the log
// window, the reports and the setup, and the copying of a QSO between two log objects.
//
// Typical use: make a TdbContest on table 2 with the log number (no file access when the log is
// open), run a lookup, then while the found record still carries the searched values test it
// and go on with Next; let the object go.
//
// Every lookup positions the object and answers true when a record was found; its data are then
// in both copies, and the searched key is the current key, so Next walks on along it. An exact
// lookup (Seek..., FindCall, FindByNummer) finds a record whose key begins with the searched
// text; a from lookup finds the first record whose key is not below it, which the caller must
// compare. A lookup that finds nothing still fetches whatever the shared record buffer holds:
// use the copies only after true. Band lookups with an empty value search from the band's first
// QSO; single-value lookups search with the padded value even when it is empty. Key texts are
// built as the files build them (contest/contest_keys.h).
//
// The QSO lookups answer false without searching on an object whose table lacks the key (the
// catalogue, the contest data, the scratch log's single key).
#pragma once

#include <cstdint>
#include <string_view>

#include "contest/contest_table.h"

namespace contest {

class TdbContest : public TdbContestBase {
 public:
  using TdbContestBase::TdbContestBase;

  // Catalogue (key 3) or contest data (key 1), exact by number; false on other tables.
  bool FindByNummer(std::int32_t number);

  // By call: key 6, exact; key 2 from the call's first QSO; key 9 from band + call (the band's
  // first QSO for an empty call), or exact with the mode.
  bool FindCall(std::string_view call);
  bool FindCallDateTime(std::string_view call);
  bool FindBandCallMode(char band, std::string_view call);
  bool SeekBandCallMode(char band, std::string_view call, std::string_view mode);
  // A QSO with this call (as normalised for the keys, so "DL1ABC/P" matches "DL1ABC") on this
  // day, on `band` or, for band 0 or '0', on any band; it walks every QSO of that call and day.
  bool FindCallBandDate(std::string_view call, std::int32_t date, char band);
  // A QSO at exactly this date and time (key 1).
  bool FindDateTime(std::int32_t date, std::int32_t time);

  // Running numbers. The DESC keys hold 99999999 minus the number, so number 0 reaches the
  // band's (or mode class's) highest number first; the caller compares Bandcode (or the mode),
  // as the next band's QSOs follow.
  bool SeekBandWagNrIntern(char band, std::int32_t number);     // key 8, exact
  bool FindBandWagNr(char band, std::int32_t number);           // key 11
  bool FindBandWagNrIntern(char band, std::int32_t number);     // key 12
  bool FindModeNr(std::string_view mode, std::int32_t number);  // key 24, by mode class

  // Multiplier values, from the value on (padded to the key's width).
  bool FindBandDXCC(char band, std::string_view dxcc);    // key 10
  bool FindDXCC(std::string_view dxcc);                   // key 5
  bool FindBandWAZ(char band, std::string_view zone);     // key 25
  bool FindWAZ(std::string_view zone);                    // key 26
  bool FindBandCall2(char band, std::string_view value);  // key 27
  bool FindCall2(std::string_view value);                 // key 20
  // The German switch does not change the search.
  bool FindBandPrefix(char band, std::string_view prefix, bool german);  // key 22
  bool FindPrefix(std::string_view prefix, bool german);                 // key 28
  bool FindBandDOK(char band, std::string_view dok);                     // key 21
  bool SeekDok(std::string_view dok);                                    // key 18, exact
  bool FindDOK(std::string_view dok);                                    // key 18
  bool FindBandLoc(char band, std::string_view locator);                 // key 23
  bool FindLoc(std::string_view locator);                                // key 3

  // Copies the source's working QSO into this object's working copy (mode 0 clears this
  // object's copies first) and writes it: mode 0 inserts, mode 2 updates, other modes write
  // nothing. A QSO with the skip mark is not written unless forced. Both objects must be on
  // table 2 or 5, else false; true when nothing was to be written, else the write's result.
  bool CopyLogRecordFrom(TdbContestBase& source, int mode, bool force);

 private:
  // Searches `key` with band + the value padded to `width`, the band alone for an empty value.
  bool SearchBand(int key, char band, std::string_view value, int width);
  bool SearchKey(int key, const std::string& text);
  bool FindKey(int key, const std::string& text);
};

}  // namespace contest
