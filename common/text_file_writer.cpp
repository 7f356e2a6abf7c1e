#include "common/text_file_writer.h"

#include <limits>
#include <string>

#include "common/current_folder.h"

namespace common {

TextFileWriter::~TextFileWriter() { Close(); }

bool TextFileWriter::Create(std::string_view name) {
  Close();
  name_ = std::string(name);
  end_ = 0;
  error_ = file_.Open(ResolvePath(name), platform::FileAccess::kReadWrite,
                      platform::FileShare::kReadWrite, platform::FileCreate::kCreateAlways);
  return !Failed();
}

bool TextFileWriter::WriteLine(std::string_view text) {
  std::string line;
  line.reserve(text.size() + kLineEnd.size());
  line.append(text).append(kLineEnd);
  return Write(line);
}

bool TextFileWriter::Write(std::string_view bytes) {
  if (Failed()) return false;
  if (!IsOpen()) return false;
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
    error_ = platform::kErrorInvalidParameter;
    return false;
  }
  const auto count = static_cast<std::uint32_t>(bytes.size());
  std::uint32_t done = 0;
  error_ = file_.WriteAt(end_, bytes.data(), count, &done);
  end_ += done;
  if (!Failed() && done != count) error_ = platform::kErrorDiskFull;
  return !Failed();
}

bool TextFileWriter::Close() {
  if (!IsOpen()) return false;
  file_.Close();
  return !Failed();
}

}  // namespace common
