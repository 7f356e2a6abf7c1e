#include "output/station_file.h"

#include "common/number_mask.h"
#include "contest/contest_tables.h"

namespace output {

std::string_view StationFilePrefix(char contest_code) {
  switch (contest_code) {
    case 'b':
      return "OQRP";
    case 'j':
      return "mssprint";
    case 'v':
      return "mrr";
    default:
      return {};
  }
}

std::string StationFileName(char contest_code, std::uint32_t log_number) {
  const std::string_view prefix = StationFilePrefix(contest_code);
  if (prefix.empty()) return {};
  // The number is the catalogue's unsigned 32-bit Nummer; the mask takes the signed value, as
  // the file names of the program always had it.
  const auto number = static_cast<std::int32_t>(log_number);
  return contest::StartDir() + std::string(prefix) + common::IntToStrMask(number, 6) + ".STN";
}

}  // namespace output
