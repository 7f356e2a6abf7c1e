// isamdump NAME: prints the data header, the key headers and the entries of each key in order
// of the fileblock NAME ("X" or "X;Y", without extension). Exit code 1 when it cannot be read.

#include <cstdio>
#include <sstream>

#include "platform/text_codec.h"
#include "storage/isam/isam_dump.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: isamdump NAME\n");
    return 2;
  }
  std::ostringstream dump;
  const bool ok = storage::IsamDump(platform::Utf8ToCp1252(argv[1]), dump);
  std::fputs(platform::Cp1252ToUtf8(dump.str()).c_str(), stdout);
  return ok ? 0 : 1;
}
