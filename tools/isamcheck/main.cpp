// isamcheck NAME: checks the fileblock NAME ("X" or "X;Y", without extension) and lists every
// broken invariant. Exit code 0 when sound, 1 when anything is wrong, 2 on wrong usage.

#include <cstdio>

#include "platform/text_codec.h"
#include "storage/isam_check.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: isamcheck NAME\n");
    return 2;
  }
  const std::string name = platform::Utf8ToCp1252(argv[1]);
  const storage::CheckReport report = storage::IsamCheck(name);
  if (report.ok()) {
    std::printf("%s: sound, %d records", argv[1], report.used_records);
    for (std::size_t k = 1; k < report.entries.size(); ++k) {
      std::printf(", key %zu: %d entries", k, report.entries[k]);
    }
    std::printf("\n");
    return 0;
  }
  std::fputs(platform::Cp1252ToUtf8(report.Text()).c_str(), stdout);
  return 1;
}
