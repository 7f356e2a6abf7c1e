#include "contest/log_record.h"

#include <cstring>

#include "common/key_text.h"

namespace contest {
namespace {

std::string Band(const TContestLKRec& r) { return std::string(1, r.Bandcode); }

std::string DateTime(const TContestLKRec& r) {
  return common::DateToKey(r.Datum, true) + common::TimeToKey(r.Zeit, true);
}

std::string Number(std::uint32_t number) { return NumberKey(static_cast<std::int32_t>(number)); }

std::string Descending(std::uint32_t number) {
  return DescendingNumberKey(static_cast<std::int32_t>(number));
}

}  // namespace

std::string LogKeyText(const TContestLKRec& r, int key) {
  switch (key) {
    case 1:
      return DateTime(r);
    case 2:
      return NormalizedCall(r.Call.view()) + DateTime(r);
    case 3:
      return PaddedKeyPart(r.Loc.view(), 6) + DateTime(r);
    case 4:
      return NumberKey(r.Nummer);
    case 5:
      return PaddedKeyPart(r.DXCC.view(), 6);
    case 6:
      return NormalizedCall(r.Call.view());
    case 7:
      return r.sel == 1 ? "1" : " ";
    case 8:
      return Band(r) + Number(r.wagBandNrIntern);
    case 9:
      return Band(r) + NormalizedCall(r.Call.view()) + PaddedKeyPart(r.Mode.view(), 6);
    case 10:
      return Band(r) + PaddedKeyPart(r.DXCC.view(), 6);
    case 11:
      return Band(r) + Descending(r.wagBandNr);
    case 12:
      return Band(r) + Descending(r.wagBandNrIntern);
    case 13:
      return Number(r.wagNummer);
    case 14:
      return Band(r) + r.District;
    case 15:
      return Band(r) + r.SDOK;
    case 16:
      return std::string(1, r.District) + r.SDOK;
    case 17:
      return Band(r) + SdCharacter(r.District, r.SDOK);
    case 18:
      return DokKeyText(r.DOK1.view(), r.DOK2.view());
    case 19:
      return PaddedKeyPart(r.CMulti.view(), 6);
    case 20:
      return PaddedKeyPart(r.Call2.view(), 6);
    case 21:
      return Band(r) + DokKeyText(r.DOK1.view(), r.DOK2.view());
    case 22:
      return Band(r) + PaddedKeyPart(r.Prefix.view(), 6);
    case 23:
      return Band(r) + PaddedKeyPart(r.Loc.view(), 6);
    case 24:
      return ModeClassKey(r.Mode.view()) + Descending(r.ModeNr);
    case 25:
      return Band(r) + PaddedKeyPart(r.WAZ_USStaat.view(), 2);
    case 26:
      return PaddedKeyPart(r.WAZ_USStaat.view(), 2);
    case 27:
      return Band(r) + PaddedKeyPart(r.Call2.view(), 6);
    case 28:
      return PaddedKeyPart(r.Prefix.view(), 6);
    default:
      return {};
  }
}

void LKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  if (key < 1 || key > kLKKeyCount) return;
  TContestLKRec r;
  std::memcpy(&r, record, sizeof r);
  text = LogKeyText(r, key);
}

void MKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  if (key < 1 || key > kMKKeyCount) return;
  TContestLKRec r{};  // the 216th byte, which a QVMK record lacks, stays 0
  TContestMKRec& head = r;
  std::memcpy(&head, record, sizeof head);
  text = LogKeyText(r, key);
}

void LKTempKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  if (key == 1) text = NumberKey(common::ReadLeInt32(record + 4));
}

}  // namespace contest
