#include "storage/driver/driver_names.h"

namespace storage {

std::string NormaliseDriverName(std::string_view name) {
  std::string out(name.substr(0, kDriverNameLength));
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') {
      c = static_cast<char>(b - 'a' + 'A');
    } else if (b == 0x84) {
      c = static_cast<char>(0x8E);
    } else if (b == 0x94) {
      c = static_cast<char>(0x99);
    }
  }
  return out;
}

}  // namespace storage
