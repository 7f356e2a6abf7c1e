#include "platform/qt/strings.h"

#include <fstream>
#include <iterator>

#include "common/cp1252.h"
#include "common/current_folder.h"
#include "common/text_file_writer.h"

namespace platform::qt {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

int TStrings::Add(const std::string& line) {
  const int index = Count();
  Insert(index, line);
  return index;
}

int TStrings::IndexOf(std::string_view line) const {
  for (int i = 0; i < Count(); ++i) {
    if (common::cp1252::SameText(Get(i), line)) return i;
  }
  return -1;
}

std::vector<std::string> TStrings::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) lines.push_back(Get(i));
  return lines;
}

void TStrings::Assign(const std::vector<std::string>& lines) {
  Clear();
  for (const std::string& line : lines) Add(line);
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetText(std::string_view text) { Assign(SplitLines(text)); }

bool TStrings::LoadFromFile(const std::string& name) {
  std::ifstream in(common::OsPath(name), std::ios::binary);
  if (!in) return false;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  SetText(text);
  return true;
}

bool TStrings::SaveToFile(const std::string& name) const {
  return common::WriteTextFile(name, Lines());
}

std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, const std::string& line) {
  if (index >= 0 && index < Count()) lines_[static_cast<std::size_t>(index)] = line;
}

void TStringList::Insert(int index, const std::string& line) {
  if (index < 0) return;
  if (index > Count()) index = Count();
  lines_.insert(lines_.begin() + index, line);
}

void TStringList::Delete(int index) {
  if (index >= 0 && index < Count()) lines_.erase(lines_.begin() + index);
}

}  // namespace platform::qt
