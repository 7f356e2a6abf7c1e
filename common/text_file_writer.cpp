#include "common/text_file_writer.h"

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

bool TextFileWriter::Replace(std::string_view name) {
  Close();
  name_ = std::string(name);
  end_ = 0;
  error_ = replacement_.Begin(ResolvePath(name));
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
  if (replacement_.Active()) {
    error_ = replacement_.Write(bytes);
    return !Failed();
  }
  error_ = file_.WriteAll(end_, bytes);
  end_ += static_cast<std::int64_t>(bytes.size());
  return !Failed();
}

bool TextFileWriter::Close() {
  if (!IsOpen()) return false;
  if (file_.IsOpen()) file_.Close();
  replacement_.Discard();
  return !Failed();
}

bool TextFileWriter::Commit() {
  if (!replacement_.Active()) return Close();
  if (Failed()) {
    replacement_.Discard();
  } else {
    error_ = replacement_.Commit();
  }
  return !Failed();
}

}  // namespace common
