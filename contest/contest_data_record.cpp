#include "contest/contest_data_record.h"

#include "common/le_int.h"

namespace contest {

void KZKeyBuilder(const std::uint8_t* record, std::uint16_t key, std::string& text) {
  // Only Nummer is read: no copy of the whole 11,608 bytes for a five-character key.
  if (key == 1) text = NumberKey(common::ReadLeInt32(record + 4));
}

}  // namespace contest
