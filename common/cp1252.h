// Upper and lower case and byte-wise comparison of Windows-1252 texts.
//
// Our own tables, never the C locale: the result must not depend on the machine's settings, and
// it matches what the records were written with (ä <-> Ä, é <-> É, š <-> Š, ÿ <-> Ÿ; ß, µ and
// ƒ have no single-byte counterpart and stay).
#pragma once

#include <string>
#include <string_view>

namespace common::cp1252 {

char ToUpper(char c);
char ToLower(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// -1, 0 or 1 comparing bytes as unsigned values; a text that is a prefix of another sorts first.
int CompareBytes(std::string_view a, std::string_view b);
// Equal ignoring case (by the tables above).
bool SameText(std::string_view a, std::string_view b);

}  // namespace common::cp1252
