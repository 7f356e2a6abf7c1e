// The station description file of a contest log: the text the operator enters in the setup form
// for the contests 'b' (OQRP), 'j' (mssprint) and 'v' (MRR), read into the summary sheet and the
// STF header. One name for all three: the start folder, the contest's prefix, the log number
// through six '#' places and ".STN" ("OQRP    42.STN").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace output {

// "OQRP", "mssprint" or "mrr"; empty for a contest without a station file.
std::string_view StationFilePrefix(char contest_code);
// The file's full name in the start folder (contest/contest_tables.h StartDir); empty for a
// contest without a station file.
std::string StationFileName(char contest_code, std::uint32_t log_number);

}  // namespace output
