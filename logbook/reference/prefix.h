// Call-sign prefix analysis without the prefix database.
//
// `ToPrefix` takes calls written with "/" (portable, mobile, guest operation) apart and decides
// which part carries the prefix and which is the base call; it knows the prefixes whose entity
// depends on what follows after "/", keeps the DXCC number table (entity number to main prefix
// and back) and the call-suffix table of the settings, and translates English country names of
// the prefix files into German. One object per process (common::Service<ToPrefix>); the settings
// load and save read and write its suffix table and interactive flag.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/short_string.h"

namespace logbook {

// One entry of the call-suffix table, stored whole by the settings.
//
// OFFSET SIZE MEANING
//      0    4 suffix text (length byte, 3 characters)
//      4    1 code byte
//      5    2 kept with the entry; the analysis does not read them
struct TSuffixEntry {
  common::ShortString<3> suffix;
  std::uint8_t code = 0;
  std::uint8_t reserved[2] = {0, 0};
};
static_assert(sizeof(TSuffixEntry) == 7);

class ToPrefix {
 public:
  static constexpr int kSuffixCount = 18;
  // Modes of ExtractPrefix.
  static constexpr int kPrefixPart = 0;  // the part that carries the prefix
  static constexpr int kBaseCall = 1;    // the base call

  ToPrefix();

  // The part of a call that a mode asks for ("OE/DL1ABC/P": "OE" in kPrefixPart, "DL1ABC" in
  // kBaseCall). The call is upper-cased with slashed zeros read as '0'; every character other
  // than '#', '-', digits and capital letters separates parts, and repeated, leading or
  // trailing separators are ignored. A prefix whose entity depends on what follows stays joined to
  // it
  // ("FO/A"); a suffix of the suffix table or a part without digits is not a prefix. May be
  // empty when the weighing finds no prefix part (two whole calls, "DL1ABCD/K1ABC").
  std::string ExtractPrefix(std::string_view call, int mode) const;
  std::string PrefixOfCall(std::string_view call, int mode) const {
    return ExtractPrefix(call, mode);
  }
  // The base call, used to normalise calls before call-database and logbook lookups.
  std::string GetPrefix(std::string_view call) const { return ExtractPrefix(call, kBaseCall); }
  // The part that carries the prefix.
  std::string GetPrefixPlain(std::string_view call) const {
    return ExtractPrefix(call, kPrefixPart);
  }
  // True when the base call and the part that carries the prefix differ.
  bool HasPortablePart(std::string_view call) const;

  // True when the entity of the prefix `head` depends on `next`, the part after "/" ("JW" with
  // "B", "3D2" with "C", "GM" with "SH"); `head_length` receives the length of the prefix that
  // counts (2 or 3), 0 when false.
  static bool IsSpecialEntity(std::string_view head, std::string_view next, int& head_length);

  // The number (1 to 521) of the DXCC table entry equal to the trimmed prefix; 0 when none or
  // when the prefix is empty. Entry 522 is not searched. Where a deleted and a current entity
  // share the prefix ("EA9": 32 Ceuta & Melilla, 113 Ifni), the current one answers; among
  // deleted ones only, the last.
  int DXCCNumberOfPrefix(std::string_view prefix) const;
  // The DXCC table's text for a number 1 to 522 given as decimal text ("522" gives "Z6   "); an
  // empty text for anything else.
  static std::string DXCCPrefixOfNumber(std::string_view number_text);

  // Suffix table entries 1 to 18. The getter answers an index outside with entry 18; the
  // setter ignores it.
  TSuffixEntry GetSuffixEntry(int index) const;
  void SetSuffixEntry(int index, const TSuffixEntry& entry);

  // When set (1 after construction), the DXCC selection may show its window.
  std::uint8_t Interactive() const { return interactive_; }
  void SetInteractive(std::uint8_t flag) { interactive_ = flag; }

  // The German form of an English country name of the prefix files: each known English word
  // (or phrase) standing as a whole word is replaced once, in a fixed order.
  static std::string TranslateCountryName(std::string_view name);

  // The leading part of a call up to the end of its first digit run ("DL10ABC": "DL10"); without
  // `whole` it also ends where it reaches 3 characters at a digit ("DL1").
  static std::string CallPrefixPart(std::string_view call, bool whole);

 private:
  static constexpr int kDxccSearchEnd = 521;

  bool IsSuffix(std::string_view part) const;

  std::array<TSuffixEntry, kSuffixCount> suffixes_;
  // Entries 1 to 521 of the DXCC table, trimmed, and their deleted flags (index 0 unused): the
  // prefix-to-number direction.
  std::array<std::string, kDxccSearchEnd + 1> dxcc_;
  std::array<bool, kDxccSearchEnd + 1> dxcc_deleted_{};
  std::uint8_t interactive_ = 1;
};

}  // namespace logbook
