// One field of an ADIF file.
#pragma once

#include <string>
#include <string_view>

namespace common {

// "<" + name + ":" + length of the trimmed value (+ ":" + type when a type is given) + ">" +
// the trimmed value + " ". Example: AdifField("CALL", " DL1ABC ") is "<CALL:6>DL1ABC ".
std::string AdifField(std::string_view name, std::string_view value, std::string_view type = {});

}  // namespace common
