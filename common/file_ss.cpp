#include "common/file_ss.h"

#include <utility>

#include "common/current_folder.h"
#include "common/file_ops.h"
#include "common/text_file_writer.h"

namespace common {

std::vector<std::string> ReadTextLines(std::string_view name) {
  std::vector<std::string> lines;
  std::FILE* f = std::fopen(OsPath(name).c_str(), "rb");
  if (f == nullptr) return lines;
  std::string content;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
  std::fclose(f);
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

TFileSS::TFileSS(std::string file_name, std::int32_t record_size, bool handle_flag,
                 std::uint8_t option_byte, Mode mode)
    : file_name_(std::move(file_name)),
      record_size_(record_size),
      mode_(mode),
      handle_flag_(handle_flag ? 1 : 0),
      option_byte_(option_byte) {}

TFileSS::~TFileSS() { Close(); }

bool TFileSS::OpenFile(const char* mode, const char* create_mode) {
  const std::string path = OsPath(file_name_);
  // The creating mode truncates, so it is only taken for a file that is not there: an existing
  // file that cannot be opened keeps its content.
  file_ = std::fopen(path.c_str(), FileExists(file_name_) ? mode : create_mode);
  return file_ != nullptr;
}

bool TFileSS::Open() {
  if (open_ != 0) return true;
  bool ok = true;
  switch (mode_) {
    case kText:
      ok = OpenFile("ab", "ab");
      break;
    case kHandle:
      ok = OpenFile("r+b", "w+b");
      break;
    case kList:
      lines_ = ReadTextLines(file_name_);
      break;
    case kStream:
      stream_.clear();
      break;
    default:
      ok = false;
  }
  open_ = ok ? 1 : 0;
  return ok;
}

bool TFileSS::WriteAt(std::string_view bytes, std::int64_t position) {
  if (mode_ == kStream) {
    const std::size_t at = position < 0 || static_cast<std::uint64_t>(position) > stream_.size()
                               ? stream_.size()
                               : static_cast<std::size_t>(position);
    if (at + bytes.size() > stream_.size()) stream_.resize(at + bytes.size());
    stream_.replace(at, bytes.size(), bytes);
    return true;
  }
  const int seek = position < 0 ? std::fseek(file_, 0, SEEK_END)
                                : fseeko(file_, static_cast<off_t>(position), SEEK_SET);
  if (seek != 0) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
         std::fflush(file_) == 0;
}

bool TFileSS::Write(std::string_view text, std::int64_t position, bool no_line_end) {
  if (open_ == 0) return false;
  if (mode_ == kList) {
    const auto at = position < 0 || static_cast<std::uint64_t>(position) > lines_.size()
                        ? lines_.end()
                        : lines_.begin() + static_cast<std::ptrdiff_t>(position);
    lines_.insert(at, std::string(text));
    return true;
  }
  std::string bytes(text);
  if (!no_line_end) bytes += kLineEnd;
  if (mode_ == kText) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
           std::fflush(file_) == 0;
  }
  return WriteAt(bytes, position);
}

bool TFileSS::SaveList() const {
  // A new version that takes the file's place whole, so a failing save leaves the old file whole.
  return WriteTextFile(file_name_, lines_);
}

bool TFileSS::Close() {
  if (open_ == 0) return true;
  bool ok = true;
  switch (mode_) {
    case kText:
    case kHandle:
      ok = std::fclose(file_) == 0;
      file_ = nullptr;
      break;
    case kList:
      ok = SaveList();
      lines_.clear();
      break;
    case kStream:
      stream_.clear();
      break;
  }
  open_ = 0;
  return ok;
}

bool TFileSS::Erase() {
  Close();
  return DeleteFile(file_name_);
}

bool TFileSS::Rename(const std::string& new_name) {
  Close();
  if (!RenameFile(file_name_, new_name)) return false;
  file_name_ = new_name;
  return true;
}

}  // namespace common
