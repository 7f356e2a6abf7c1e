// Mode classes: the mode texts users type or files bring (USB, 2xSSB, PSK31) as one of 13 classes.
//
// `ToModi` answers for a mode text its class letter ('a' CW, 'b' SSB, 'c' AM, 'd' FM, 'e' RTTY,
// 'f' AMTOR, 'g' PACTOR, 'h' FAX, 'i' ATV, 'j' SSTV, 'k' other, 'l' PSK, 'm' PKT) and for a class
// its report name and mode group. Besides the constant class table it holds user settings that
// the settings load fills: six mode-group strings, 13 user alias lists and the user's mode list.
// One object per process (common::Service<ToModi>).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/short_string.h"

namespace logbook {

// 'a' to 'm'; kNoModeClass (blank) for an unknown mode.
using ModeClassLetter = char;
inline constexpr ModeClassLetter kNoModeClass = ' ';
inline constexpr int kModeClassCount = 13;

// Mode groups: 0 CW, 1 FM, 2 phone, 3 data, 4 other; kNoModeGroup for a letter that is no class.
inline constexpr std::uint8_t kNoModeGroup = 5;

struct ModeClassRecord {
  ModeClassLetter letter;
  std::string_view class_name;  // shown for the class
  std::uint8_t group;
  std::string_view report_name;  // mode word of the report formats; empty for some classes
  std::array<std::string_view, 30> aliases;
  std::uint8_t class_number;  // 1 CW, 2 SSB and AM, 3 FM, 4 RTTY and AMTOR, 5 other, 0 the rest
};

class ToModi {
 public:
  using Text = common::ShortString<255>;

  ToModi();

  // The class of a mode text; kNoModeClass when unknown. A leading "2x" or "2X" is dropped, the
  // user alias lists are tried first (whole entries), then the fixed names (exact, case
  // sensitive), and the mode-group strings 2 to 6 override what those gave.
  ModeClassLetter ModeClass(std::string_view mode) const;
  // The mode group of a class; kNoModeGroup for a letter that is not a class.
  std::uint8_t ModeGroup(ModeClassLetter letter) const;
  // The report name of a class; empty for an unknown letter.
  std::string ClassName(ModeClassLetter letter) const;
  // Mode kind 0 (CW), 1 (phone; FM too with `digital_apart`), 3 or 5 (data). With
  // `digital_apart` set, the usual digital mode names give 5 whatever their class.
  int ModeKind(std::string_view mode, bool digital_apart) const;
  // The key digit of a mode kind: 0 '2', 1 '1', 3 '9', 4 '0', 5 '3'; a blank for any other kind
  // (ModeKind never gives one).
  static char ModeKindDigit(int kind);

  // Mode-group strings 1 to 6 (cut at 255 characters).
  void SetGroup1(std::string_view text) { Assign(groups_[0], text); }
  void SetGroup2(std::string_view text) { Assign(groups_[1], text); }
  void SetGroup3(std::string_view text) { Assign(groups_[2], text); }
  void SetGroup4(std::string_view text) { Assign(groups_[3], text); }
  void SetGroup5(std::string_view text) { Assign(groups_[4], text); }
  void SetGroup6(std::string_view text) { Assign(groups_[5], text); }
  std::string GetGroup1() const { return groups_[0].str(); }
  std::string GetGroup2() const { return groups_[1].str(); }
  std::string GetGroup3() const { return groups_[2].str(); }
  std::string GetGroup4() const { return groups_[3].str(); }
  std::string GetGroup5() const { return groups_[4].str(); }
  std::string GetGroup6() const { return groups_[5].str(); }

  // User alias list of class 'a' + index: mode names separated by ";" or ",". An index outside
  // 0..12 reads as empty and is ignored when set.
  std::string GetAliasList(int index) const;
  void SetAliasList(std::string_view text, int index);
  void ClearAliasLists();

  // The user's mode list.
  int ModeListCount() const { return static_cast<int>(mode_list_.size()); }
  // The text at an index from 0; empty when the index is not below the count.
  std::string ModeListItem(int index) const;
  void ClearModeList() { mode_list_.clear(); }
  // Appends the text unless an equal text (exact, case sensitive) is already in the list.
  void AddMode(std::string_view text);

 private:
  // An empty view may carry no data pointer; the record field is cleared instead of copied.
  static void Assign(Text& field, std::string_view text) { field = text.empty() ? "" : text; }
  bool InAliasList(int index, std::string_view mode) const;

  std::array<ModeClassRecord, kModeClassCount> classes_;
  std::array<Text, 6> groups_;
  std::vector<std::string> mode_list_;
  std::array<Text, kModeClassCount> alias_lists_;
};

}  // namespace logbook
