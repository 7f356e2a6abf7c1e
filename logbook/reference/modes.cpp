#include "logbook/reference/modes.h"

#include <algorithm>

#include "common/string_helpers.h"

namespace logbook {
namespace {

constexpr std::array<ModeClassRecord, kModeClassCount> kClasses = {{
    {'a', "CW", 0, "CW", {"A1A", "A1"}, 1},
    {'b', "SSB", 2, "PH", {"USB", "J3E", "LSB"}, 2},
    {'c', "AM", 2, "PH", {"A3E", "A3"}, 2},
    {'d', "FM", 1, "FM", {"F3E", "F3"}, 3},
    {'e', "RTTY", 3, "RY", {"MFSK", "FSK", "WSJT", "FSK441", "MT63", "RY", "OLIVIA", "JT65"}, 4},
    {'f', "AMTOR", 3, "", {}, 4},
    {'g', "PACTOR", 3, "", {"TOR"}, 0},
    {'h', "FAX", 3, "", {"HELL"}, 0},
    {'i', "ATV", 3, "", {}, 0},
    {'j', "SSTV", 2, "", {}, 0},
    {'k', "sonstige", 4, "", {}, 5},
    {'l', "PSK", 3, "RY", {"PSK31", "PSK-31"}, 0},
    {'m', "PKT", 3, "RY", {"PACKET", "PR"}, 0},
}};

constexpr std::string_view kDefaultGroup1 = "RTTY, HELL, MFSK, FSK, WSJT, FSK441, MT63, RY";

struct FixedName {
  std::string_view name;
  ModeClassLetter letter;
};

// The names programs and files use for a mode, first match wins. The whole default text of group
// string 1 counts as an RTTY name as well.
constexpr FixedName kFixedNames[] = {
    {"CW", 'a'},      {"A1A", 'a'},    {"A1", 'a'},     {"SSB", 'b'},    {"USB", 'b'},
    {"J3E", 'b'},     {"LSB", 'b'},    {"AM", 'c'},     {"A3E", 'c'},    {"A3", 'c'},
    {"FM", 'd'},      {"F3E", 'd'},    {"F3", 'd'},     {"RTTY", 'e'},   {kDefaultGroup1, 'e'},
    {"RY", 'e'},      {"CLOVER", 'e'}, {"G-TOR", 'e'},  {"WINMOR", 'e'}, {"ROS", 'e'},
    {"WSPR", 'e'},    {"TOR", 'g'},    {"SAT", 'k'},    {"PSK", 'l'},    {"PSK31", 'l'},
    {"PSK-31", 'l'},  {"PSK63", 'l'},  {"PSK125", 'l'}, {"BPSK31", 'l'}, {"BPSK63", 'l'},
    {"BPSK125", 'l'}, {"DSTAR", 'l'},  {"DMR", 'l'},    {"JT6M", 'l'},   {"QPSK", 'l'},
    {"AGSM", 'l'},    {"AMTOR", 'l'},  {"APCO25", 'l'}, {"C4FM", 'l'},   {"D4C", 'l'},
    {"FSK31", 'l'},   {"JT4", 'l'},    {"JT65", 'l'},   {"JT9", 'l'},    {"MSK", 'l'},
    {"THROB", 'l'},   {"PACKET", 'm'}, {"PKT", 'm'},    {"PR", 'm'},
};

// Digital mode names that ModeKind sets apart when asked to, whatever their class.
constexpr std::string_view kDigitalNames[] = {"HELL",   "MFSK",      "FSK",   "WSJT",
                                              "FSK441", "MT63",      "THROB", "RTTYM",
                                              "OLIVIA", "CONTESTIA", "ISCAT"};
constexpr std::string_view kDigitalStarts[] = {"FT4",  "FT8",  "PSK",  "FSK",
                                               "BPSK", "QPSK", "MFSK", "JT"};

}  // namespace

ToModi::ToModi() : classes_(kClasses) {
  groups_[0] = kDefaultGroup1;
  groups_[1] = "AMTOR";
  groups_[2] = "PACTOR";
  groups_[3] = "SSTV";
  groups_[4] = "ATV";
  groups_[5] = "FAX";
}

bool ToModi::InAliasList(int index, std::string_view mode) const {
  const std::string list = common::UpperCase(alias_lists_[static_cast<std::size_t>(index)].view());
  // A mode matches a whole entry only: "CW" is not found in "XCW;".
  std::string_view rest = list;
  while (true) {
    const auto sep = rest.find_first_of(";,");
    if (common::Trim(rest.substr(0, sep)) == mode) return true;
    if (sep == std::string_view::npos) return false;
    rest.remove_prefix(sep + 1);
  }
}

ModeClassLetter ToModi::ModeClass(std::string_view mode) const {
  if (mode.starts_with("2x") || mode.starts_with("2X")) mode.remove_prefix(2);
  const std::string t = common::Trim(mode);
  // An empty text names no mode (it would otherwise equal the empty entry of any list).
  if (t.empty()) return kNoModeClass;

  // The user's own names come first and settle the class. The text itself is not upper-cased,
  // so, as with the fixed names, a lower-case text does not match.
  for (int i = 0; i < kModeClassCount; ++i) {
    if (!alias_lists_[static_cast<std::size_t>(i)].empty() && InAliasList(i, t)) {
      return static_cast<ModeClassLetter>('a' + i);
    }
  }

  ModeClassLetter result = kNoModeClass;
  for (const FixedName& f : kFixedNames) {
    if (f.name == t) {
      result = f.letter;
      break;
    }
  }
  // The group strings name the modes the user counts to a class; each match overrides.
  if (t == groups_[1].view()) result = 'f';
  if (t == groups_[2].view()) result = 'g';
  if (t == groups_[5].view()) result = 'h';
  if (t == groups_[4].view()) result = 'i';
  if (t == groups_[3].view()) result = 'j';
  return result;
}

std::uint8_t ToModi::ModeGroup(ModeClassLetter letter) const {
  if (letter < 'a' || letter > 'm') return kNoModeGroup;
  return classes_[static_cast<std::size_t>(letter - 'a')].group;
}

std::string ToModi::ClassName(ModeClassLetter letter) const {
  if (letter < 'a' || letter > 'm') return {};
  return std::string(classes_[static_cast<std::size_t>(letter - 'a')].report_name);
}

int ToModi::ModeKind(std::string_view mode, bool digital_apart) const {
  int kind;
  switch (ModeGroup(ModeClass(mode))) {
    case 0:
      kind = 0;
      break;
    case 1:
      kind = digital_apart ? 1 : 3;
      break;
    case 2:
      kind = 1;
      break;
    case 3:
      kind = 5;
      break;
    default:
      kind = 3;
      break;
  }
  if (digital_apart) {
    const std::string t = common::Trim(mode);
    const bool named =
        std::find(std::begin(kDigitalNames), std::end(kDigitalNames), t) != std::end(kDigitalNames);
    const bool starts = std::any_of(std::begin(kDigitalStarts), std::end(kDigitalStarts),
                                    [&t](std::string_view s) { return t.starts_with(s); });
    if (named || starts) kind = 5;
  }
  return kind;
}

char ToModi::ModeKindDigit(int kind) {
  switch (kind) {
    case 0:
      return '2';
    case 1:
      return '1';
    case 3:
      return '9';
    case 4:
      return '0';
    case 5:
      return '3';
    default:
      return ' ';
  }
}

std::string ToModi::GetAliasList(int index) const {
  if (index < 0 || index >= kModeClassCount) return {};
  return alias_lists_[static_cast<std::size_t>(index)].str();
}

void ToModi::SetAliasList(std::string_view text, int index) {
  if (index < 0 || index >= kModeClassCount) return;
  Assign(alias_lists_[static_cast<std::size_t>(index)], text);
}

void ToModi::ClearAliasLists() {
  for (Text& list : alias_lists_) list = "";
}

std::string ToModi::ModeListItem(int index) const {
  if (index < 0 || index >= ModeListCount()) return {};
  return mode_list_[static_cast<std::size_t>(index)];
}

void ToModi::AddMode(std::string_view text) {
  if (std::find(mode_list_.begin(), mode_list_.end(), text) == mode_list_.end()) {
    mode_list_.emplace_back(text);
  }
}

}  // namespace logbook
