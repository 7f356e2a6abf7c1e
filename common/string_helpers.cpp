#include "common/string_helpers.h"

#include <algorithm>
#include <cstdint>

#include "common/cp1252.h"

namespace common {
namespace {

std::size_t Limit(int n, int max) { return static_cast<std::size_t>(std::clamp(n, 0, max)); }

// Index (0-based) of a 1-based position, positions below 1 counting as 1.
std::size_t Index(int pos) { return pos < 1 ? 0 : static_cast<std::size_t>(pos) - 1; }

std::string SetLenTo(std::string_view text, std::size_t n, bool adjust) {
  if (!adjust) return std::string(text);
  std::string result(text.substr(0, std::min(text.size(), n)));
  result.resize(n, ' ');
  return result;
}

}  // namespace

std::string UpperCase(std::string_view text) { return cp1252::UpperCase(text); }
std::string LowerCase(std::string_view text) { return cp1252::LowerCase(text); }

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string SetLen(std::string_view text, int n, bool adjust) {
  return SetLenTo(text, Limit(n, kMaxShortLength), adjust);
}

std::string SetLenStr(std::string_view text, int n, bool adjust) {
  return SetLenTo(text, Limit(n, kMaxLongPadLength), adjust);
}

std::string PadRightChar(std::string_view text, int n, char fill) {
  const std::size_t width = Limit(n, kMaxShortLength);
  std::string result(text);
  if (result.size() < width) result.append(width - result.size(), fill);
  return result;
}

std::string PadLeftChar(std::string_view text, int n, char fill) {
  const std::size_t width = Limit(n, kMaxShortLength);
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), fill).append(text);
}

std::string PadLeftBlank(std::string_view text, int n) { return PadLeftChar(text, n, ' '); }

std::string CenterChar(std::string_view text, int n, char fill) {
  const std::size_t width = Limit(n, kMaxShortLength);
  if (text.size() >= width) return std::string(text);
  std::string result(width, fill);
  result.replace((width - text.size()) / 2, text.size(), text);
  return result;
}

std::string CenterBlank(std::string_view text, int n) { return CenterChar(text, n, ' '); }

std::string CharString(char c, int n) { return std::string(Limit(n, kMaxShortLength), c); }

std::string CharToStr(char c) { return c == '\0' ? std::string() : std::string(1, c); }

char FirstChar(std::string_view text) { return text.empty() ? '\0' : text.front(); }

std::string LeftStr(std::string_view text, int n) {
  return std::string(text.substr(0, std::min(text.size(), Limit(n, INT32_MAX))));
}

std::string Copy(std::string_view text, int pos, int count) {
  const std::size_t start = Index(pos);
  if (start >= text.size() || count <= 0) return {};
  return std::string(text.substr(start, static_cast<std::size_t>(count)));
}

std::string CopyFrom(std::string_view text, int pos) {
  const std::size_t start = Index(pos);
  if (start >= text.size()) return {};
  return std::string(text.substr(start));
}

std::string Delete(std::string_view text, int pos, int count) {
  std::string result(text);
  if (pos < 1 || count <= 0) return result;
  const std::size_t start = Index(pos);
  if (start >= result.size()) return result;
  result.erase(start, static_cast<std::size_t>(count));
  return result;
}

std::string Insert(std::string_view part, std::string_view text, int pos) {
  std::string result(text);
  result.insert(std::min(Index(pos), result.size()), part);
  return result;
}

int Length(std::string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), INT32_MAX));
}

int Pos(std::string_view part, std::string_view text) {
  if (part.empty()) return 0;
  const std::size_t at = text.find(part);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string StrBefore(std::string_view text, std::string_view separator, bool include) {
  if (separator.empty()) return {};
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return {};
  return std::string(text.substr(0, include ? at + separator.size() : at));
}

std::string StrAfter(std::string_view text, std::string_view separator, bool from) {
  if (separator.empty()) return std::string(text);
  const std::size_t at = text.find(separator);
  if (at == std::string_view::npos) return std::string(text);
  return std::string(text.substr(from ? at : at + separator.size()));
}

std::string StrBetween(std::string_view text, std::string_view start, std::string_view end) {
  return StrBefore(StrAfter(text, start), end);
}

std::string ReplaceChar(std::string_view text, char old_char, char new_char) {
  std::string result(text);
  std::replace(result.begin(), result.end(), old_char, new_char);
  return result;
}

std::string ReplaceText(std::string_view text, std::string_view old_text,
                        std::string_view new_text) {
  if (old_text.empty()) return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(old_text, from)) != std::string_view::npos;
       from = at + old_text.size()) {
    result.append(text.substr(from, at - from)).append(new_text);
  }
  return result.append(text.substr(from));
}

std::string FileNameSafe(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c == '/' || c == '\\' || c == ':') c = '_';
  return result;
}

int CompareStr(std::string_view a, std::string_view b) { return cp1252::CompareBytes(a, b); }

bool SameTextShort(std::string_view a, std::string_view b) {
  return a.size() == b.size() && cp1252::SameText(a, b);
}

}  // namespace common
