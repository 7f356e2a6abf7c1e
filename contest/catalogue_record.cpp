#include "contest/catalogue_record.h"

#include <cstring>

#include "common/key_text.h"

namespace contest {

void KKKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  TContestKKRec r;
  std::memcpy(&r, record, sizeof r);
  const std::string typ(1, r.Typ);
  switch (key) {
    case 1:
      text = typ + PaddedKeyPart(r.Name.view(), 25);
      break;
    case 2:
      text = typ + common::DateToKey(r.DatumVon, true);
      break;
    case 3:
      text = NumberKey(r.Nummer);
      break;
    case 4:
      text = std::string(1, static_cast<char>(r.InArbeit));
      break;
    case 5:
      text = PaddedKeyPart(r.Name.view(), 25);
      break;
    default:
      break;
  }
}

}  // namespace contest
