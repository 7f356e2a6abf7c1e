#include "contest/contest_lookups.h"

#include "common/key_text.h"
#include "logbook/reference/bands.h"

namespace contest {

bool TdbContest::SearchKey(int key, const std::string& text) {
  return HasKey(key) && Search(text, key);
}

bool TdbContest::FindKey(int key, const std::string& text) {
  return HasKey(key) && Find(text, key, true);
}

bool TdbContest::SearchBand(int key, char band, std::string_view value, int width) {
  const std::string text(1, band);
  return SearchKey(key, value.empty() ? text : text + PaddedKeyPart(value, width));
}

bool TdbContest::FindByNummer(std::int32_t number) {
  if (TableNo() != kTableKK && TableNo() != kTableKZ) return false;
  return Find(NumberKey(number), AutoKeyNo(), true);
}

bool TdbContest::FindCall(std::string_view call) { return FindKey(6, NormalizedCall(call)); }

bool TdbContest::FindCallDateTime(std::string_view call) {
  return SearchKey(2, NormalizedCall(call));
}

bool TdbContest::FindBandCallMode(char band, std::string_view call) {
  const std::string text(1, band);
  return SearchKey(9, call.empty() ? text : text + NormalizedCall(call));
}

bool TdbContest::SeekBandCallMode(char band, std::string_view call, std::string_view mode) {
  return FindKey(9, std::string(1, band) + NormalizedCall(call) + PaddedKeyPart(mode, 6));
}

bool TdbContest::FindCallBandDate(std::string_view call, std::int32_t date, char band) {
  const std::string wanted = NormalizedCall(call);
  const bool any_band = band == 0 || band == logbook::kAllBands;
  // The key orders a call's QSOs by date and time: walk that day's run until one is on the band.
  for (bool found = SearchKey(2, wanted + common::DateToKey(date, true)); found;
       found = Next(true, true)) {
    TContestLKRec r;
    GetLKRec(r);
    if (r.Datum != date || NormalizedCall(r.Call.view()) != wanted) return false;
    if (any_band || r.Bandcode == band) return true;
  }
  return false;
}

bool TdbContest::FindDateTime(std::int32_t date, std::int32_t time) {
  return FindKey(1, common::DateToKey(date, true) + common::TimeToKey(time, true));
}

bool TdbContest::SeekBandWagNrIntern(char band, std::int32_t number) {
  return FindKey(8, std::string(1, band) + NumberKey(number));
}

bool TdbContest::FindBandWagNr(char band, std::int32_t number) {
  return SearchKey(11, std::string(1, band) + NumberKey(number));
}

bool TdbContest::FindBandWagNrIntern(char band, std::int32_t number) {
  return SearchKey(12, std::string(1, band) + NumberKey(number));
}

bool TdbContest::FindModeNr(std::string_view mode, std::int32_t number) {
  return SearchKey(24, ModeClassKey(mode) + NumberKey(number));
}

bool TdbContest::FindBandDXCC(char band, std::string_view dxcc) {
  return SearchBand(10, band, dxcc, 6);
}
bool TdbContest::FindDXCC(std::string_view dxcc) { return SearchKey(5, PaddedKeyPart(dxcc, 6)); }
bool TdbContest::FindBandWAZ(char band, std::string_view zone) {
  return SearchBand(25, band, zone, 2);
}
bool TdbContest::FindWAZ(std::string_view zone) { return SearchKey(26, PaddedKeyPart(zone, 2)); }
bool TdbContest::FindBandCall2(char band, std::string_view value) {
  return SearchBand(27, band, value, 6);
}
bool TdbContest::FindCall2(std::string_view value) {
  return SearchKey(20, PaddedKeyPart(value, 6));
}
bool TdbContest::FindBandPrefix(char band, std::string_view prefix, bool /*german*/) {
  return SearchBand(22, band, prefix, 6);
}
bool TdbContest::FindPrefix(std::string_view prefix, bool /*german*/) {
  return SearchKey(28, PaddedKeyPart(prefix, 6));
}
bool TdbContest::FindBandDOK(char band, std::string_view dok) {
  return SearchBand(21, band, dok, kDokKeyWidth);
}
bool TdbContest::SeekDok(std::string_view dok) {
  return FindKey(18, PaddedKeyPart(dok, kDokKeyWidth));
}
bool TdbContest::FindDOK(std::string_view dok) {
  return SearchKey(18, PaddedKeyPart(dok, kDokKeyWidth));
}
bool TdbContest::FindBandLoc(char band, std::string_view locator) {
  return SearchBand(23, band, locator, 6);
}
bool TdbContest::FindLoc(std::string_view locator) {
  return SearchKey(3, PaddedKeyPart(locator, 6));
}

bool TdbContest::CopyLogRecordFrom(TdbContestBase& source, int mode, bool force) {
  const auto log_or_scratch = [](int table) { return table == kTableLK || table == kTableLKTemp; };
  if (!log_or_scratch(TableNo()) || !log_or_scratch(source.TableNo())) return false;
  if (mode == 0) ClearRec();
  TContestLKRec qso;
  source.GetLKRec(qso);
  // Into the working copy only: an update must still re-find this object's own record.
  SetLKWorkingCopy(qso);
  if (qso.SkipMark != 0 && !force) return true;
  if (mode == 0) return InsertRec();
  if (mode == 2) return UpdateRec();
  return true;
}

}  // namespace contest
