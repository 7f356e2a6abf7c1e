#include "logbook/reference/prefix.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "common/char_convert.h"
#include "common/cp1252.h"
#include "common/number_text.h"
#include "common/string_helpers.h"
#include "logbook/reference/dxcc_table.h"

namespace logbook {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsSeparator(char c) { return !(c == '#' || c == '-' || IsDigit(c) || IsLetter(c)); }
bool HasDigit(std::string_view s) { return std::any_of(s.begin(), s.end(), IsDigit); }

// Trimmed entries 1 to 522 of the built-in table, sorted, for the weighing of parts.
const std::vector<std::string>& SortedDxccPrefixes() {
  static const std::vector<std::string> sorted = [] {
    std::vector<std::string> v;
    for (int n = 1; n <= kDxccTableSize; ++n) {
      std::string p = common::Trim(BuiltinDxccPrefix(n));
      if (!p.empty()) v.push_back(std::move(p));
    }
    std::sort(v.begin(), v.end());
    return v;
  }();
  return sorted;
}

bool IsDxccPrefix(std::string_view text) {
  const auto& v = SortedDxccPrefixes();
  return std::binary_search(v.begin(), v.end(), text);
}

// A part that ends in three or more letters, or else three or more digits, is a whole call (or
// its suffix), not a prefix.
bool EndsInRunOfThree(std::string_view s) {
  std::size_t letters = 0;
  while (letters < s.size() && IsLetter(s[s.size() - 1 - letters])) ++letters;
  if (letters >= 3) return true;
  std::size_t digits = 0;
  while (digits < s.size() && IsDigit(s[s.size() - 1 - digits])) ++digits;
  return digits >= 3;
}

struct Weighed {
  std::string base;
  std::string prefix;
};

// Decides which of two parts (a first) is the base call and which carries the prefix.
Weighed Weigh(std::string_view a, std::string_view b, int mode) {
  const std::string a_trim = common::Trim(a);
  std::string b_trim = common::Trim(b);
  if (a_trim.empty()) return {std::move(b_trim), {}};
  if (b_trim.empty()) return {std::string(a), {}};
  if (b_trim.size() < a_trim.size()) {
    std::string prefix = EndsInRunOfThree(b_trim) ? std::string() : std::move(b_trim);
    // "DL1ABC/3" is operated from call area 3: the digit takes the first part's letters ("DL3").
    if (mode == ToPrefix::kPrefixPart && prefix.size() == 1 && IsDigit(prefix[0])) {
      const auto digit = a_trim.find_first_of("0123456789", 1);
      if (digit != std::string::npos) prefix = a_trim.substr(0, digit) + prefix;
    }
    // A first part that is itself a main prefix ("VP2E/K1") carries the prefix.
    if (IsDxccPrefix(a)) return {std::move(prefix), std::string(a)};
    return {std::string(a), std::move(prefix)};
  }
  std::string prefix = EndsInRunOfThree(a_trim) ? std::string() : a_trim;
  if (IsDxccPrefix(b_trim)) return {std::move(prefix), std::move(b_trim)};
  return {std::move(b_trim), std::move(prefix)};
}

std::string Pick(const Weighed& w, int mode) {
  return mode == ToPrefix::kPrefixPart ? w.prefix : w.base;
}

std::string Joined(std::string_view head, std::string_view next) {
  std::string out(head);
  out += '/';
  out += next;
  return out;
}

}  // namespace

ToPrefix::ToPrefix() {
  const std::pair<std::string_view, std::uint8_t> defaults[] = {
      {"A", 255}, {"AM", 0}, {"M", 255}, {"MM", 0}, {"P", 255}, {"LH", 255}, {"LGT", 255}};
  for (std::size_t i = 0; i < suffixes_.size(); ++i) {
    TSuffixEntry& e = suffixes_[i];
    e = TSuffixEntry{};
    if (i < std::size(defaults)) {
      e.suffix = defaults[i].first;
      e.code = defaults[i].second;
    } else {
      e.code = 255;
    }
  }
  for (int n = 1; n <= kDxccSearchEnd; ++n) {
    dxcc_[static_cast<std::size_t>(n)] = common::Trim(BuiltinDxccPrefix(n));
    dxcc_deleted_[static_cast<std::size_t>(n)] = BuiltinDxccDeleted(n);
  }
}

bool ToPrefix::IsSuffix(std::string_view part) const {
  const std::string trimmed = common::Trim(part);
  if (trimmed.empty()) return false;
  for (const TSuffixEntry& e : suffixes_) {
    if (common::Trim(e.suffix.view()) == trimmed) return true;
  }
  return false;
}

bool ToPrefix::IsSpecialEntity(std::string_view head, std::string_view next, int& head_length) {
  head_length = 0;
  const std::string_view two = head.substr(0, std::min<std::size_t>(2, head.size()));
  const std::string_view three = head.substr(0, std::min<std::size_t>(3, head.size()));
  auto one_of = [](std::string_view s, std::string_view set) {
    return s.size() == 1 && set.find(s[0]) != std::string_view::npos;
  };
  if (next.size() == 1) {
    if ((two == "JW" && one_of(next, "BS")) || (two == "3Y" && one_of(next, "BP")) ||
        (two == "FR" && one_of(next, "BEGJT")) || (two == "FO" && one_of(next, "ACFM"))) {
      head_length = 2;
      return true;
    }
    if ((three == "3D2" && one_of(next, "CR")) || (three == "VQ9" && one_of(next, "ADF")) ||
        (three == "ZK1" && one_of(next, "NS"))) {
      head_length = 3;
      return true;
    }
    return false;
  }
  if (next.size() == 2 && two == "GM" && (next == "SH" || next == "SC")) {
    head_length = 2;
    return true;
  }
  return false;
}

std::string ToPrefix::ExtractPrefix(std::string_view call, int mode) const {
  // One separator between parts: repeated, leading and trailing separators are typing slips (a
  // leading one would leave an empty first part and so no prefix for " DL1ABC").
  std::string text;
  text.reserve(call.size());
  for (char c : call) {
    c = c == common::kSlashedZero ? '0' : common::cp1252::ToUpper(c);
    if (IsSeparator(c) && (text.empty() || IsSeparator(text.back()))) continue;
    text.push_back(c);
  }
  while (!text.empty() && IsSeparator(text.back())) text.pop_back();

  // The first four parts and the number of parts (beyond four only the first two count).
  std::array<std::string_view, 4> p;
  std::size_t count = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || IsSeparator(text[i])) {
      if (count < p.size()) p[count] = std::string_view(text).substr(start, i - start);
      ++count;
      start = i + 1;
    }
  }
  auto not_a_prefix = [this](std::string_view part) { return IsSuffix(part) || !HasDigit(part); };

  int head_length;
  switch (count) {
    case 1:
      return text;
    case 2:
      if (IsSpecialEntity(p[0], p[1], head_length)) return Joined(p[0], p[1]);
      if (not_a_prefix(p[1])) return std::string(p[0]);
      return Pick(Weigh(p[0], p[1], mode), mode);
    case 3:
      if (IsSpecialEntity(p[0], p[1], head_length)) {
        const std::string x = Joined(p[0], p[1]);
        if (not_a_prefix(p[2])) return x;
        return Pick(Weigh(x, p[2], mode), mode);
      }
      return Pick(Weigh(p[0], p[1], mode), mode);
    case 4:
      if (IsSpecialEntity(p[0], p[1], head_length)) {
        const std::string x = Joined(p[0], p[1]);
        if (not_a_prefix(p[3])) return Pick(Weigh(x, p[2], mode), mode);
        if (not_a_prefix(p[2])) return Pick(Weigh(x, p[3], mode), mode);
        return Pick(Weigh(x, p[2], mode), mode);
      }
      return Pick(Weigh(p[0], p[1], mode), mode);
    default:
      return Pick(Weigh(p[0], p[1], mode), mode);
  }
}

bool ToPrefix::HasPortablePart(std::string_view call) const {
  return GetPrefix(call) != GetPrefixPlain(call);
}

int ToPrefix::DXCCNumberOfPrefix(std::string_view prefix) const {
  const std::string trimmed = common::Trim(prefix);
  // An empty prefix would equal every number without an entity.
  if (trimmed.empty()) return 0;
  int last_deleted = 0;
  for (int n = kDxccSearchEnd; n >= 1; --n) {
    const auto i = static_cast<std::size_t>(n);
    if (dxcc_[i] != trimmed) continue;
    if (!dxcc_deleted_[i]) return n;
    if (last_deleted == 0) last_deleted = n;
  }
  return last_deleted;
}

std::string ToPrefix::DXCCPrefixOfNumber(std::string_view number_text) {
  // Not a whole number (or beyond 32 bits) reads as 0, which has no entry.
  const int number = common::StrToIntNoComma(number_text);
  return std::string(BuiltinDxccPrefix(number));
}

TSuffixEntry ToPrefix::GetSuffixEntry(int index) const {
  if (index < 1 || index > kSuffixCount) index = kSuffixCount;
  return suffixes_[static_cast<std::size_t>(index - 1)];
}

void ToPrefix::SetSuffixEntry(int index, const TSuffixEntry& entry) {
  if (index < 1 || index > kSuffixCount) return;
  suffixes_[static_cast<std::size_t>(index - 1)] = entry;
}

std::string ToPrefix::CallPrefixPart(std::string_view call, bool whole) {
  if (call.empty()) return {};
  std::string out(1, call[0]);
  bool digit_seen = false;
  for (std::size_t i = 1; i < call.size(); ++i) {
    const char c = call[i];
    if (digit_seen && !IsDigit(c)) break;
    out.push_back(c);
    if (IsDigit(c)) {
      digit_seen = true;
      if (!whole && out.size() >= 3) break;
    }
  }
  return out;
}

}  // namespace logbook
