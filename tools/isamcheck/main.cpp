// isamcheck [--var] NAME: checks the fileblock NAME ("X" or "X;Y", without extension) and lists
// every broken invariant. With --var the data file holds variable-length records (section
// chains): the chains are followed and sections that no record head refers to are reported.
// Exit code 0 when sound, 1 when anything is wrong, 2 on wrong usage.

#include <cstdio>
#include <cstring>

#include "platform/text_codec.h"
#include "storage/isam/isam_check.h"

int main(int argc, char** argv) {
  storage::CheckOptions options;
  int arg = 1;
  if (arg < argc && std::strcmp(argv[arg], "--var") == 0) {
    options.section_records = true;
    ++arg;
  }
  if (argc - arg != 1) {
    std::fprintf(stderr, "usage: isamcheck [--var] NAME\n");
    return 2;
  }
  const std::string name = platform::Utf8ToCp1252(argv[arg]);
  const storage::CheckReport report = storage::IsamCheck(name, options);
  if (report.ok()) {
    if (options.section_records) {
      std::printf("%s: sound, %d records in %d slots", argv[arg], report.record_heads,
                  report.used_records);
    } else {
      std::printf("%s: sound, %d records", argv[arg], report.used_records);
    }
    for (std::size_t k = 1; k < report.entries.size(); ++k) {
      std::printf(", key %zu: %d entries", k, report.entries[k]);
    }
    std::printf("\n");
    return 0;
  }
  std::fputs(platform::Cp1252ToUtf8(report.Text()).c_str(), stdout);
  return 1;
}
