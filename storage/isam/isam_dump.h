// The readable dump of a fileblock, the core of the `isamdump` tool: the data header, the key
// headers and the entries of each key in order. Texts are written as the system's 1252 bytes,
// in quotes, with control characters as \xNN. A damaged file is dumped as far as it can be read;
// what cannot be read is named in the dump.
#pragma once

#include <ostream>
#include <string_view>

namespace storage {

// False when the files cannot be opened at all.
bool IsamDump(std::string_view name, std::ostream& out);

}  // namespace storage
