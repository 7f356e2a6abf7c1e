#include "common/char_set.h"

namespace common {

CharSet MakeCharSet(std::string_view chars) {
  CharSet set;
  for (char c : chars) set.set(static_cast<unsigned char>(c));
  return set;
}

}  // namespace common
