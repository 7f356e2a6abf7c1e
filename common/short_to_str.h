// A record's length-prefixed text as an unbounded text.
#pragma once

#include <cstddef>
#include <string>

#include "common/short_string.h"

namespace common {

template <std::size_t N>
std::string ShortToStr(const ShortString<N>& text) {
  return text.str();
}

}  // namespace common
