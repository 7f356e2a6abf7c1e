// The building blocks of the contest tables' key texts, shared by the key builders of the files
// and by the lookups that search them, so that a searched text lines up with the stored keys.
//
// Every part has a fixed width and parts are joined without separators. Dates, times and numbers
// are in key form (common/key_text.h), so they sort by value.
//
// NormalizedCall and ModeClassKey use the process's ToPrefix and ToModi service objects, which
// must exist whenever a QSO key is built (the engine builds keys on every insert, update and
// index rebuild).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace contest {

// One key of a contest file, in key-number order: length, duplicates flag and the expression
// naming the record fields it is built from (" DESC" descending, " AUTOKEY" the auto number).
struct ContestKeyDef {
  int length;
  bool duplicates;
  const char* expression;
};

// Widths of the key parts.
inline constexpr int kCallKeyWidth = 14;
inline constexpr int kDokKeyWidth = 8;

// The text cut or blank-padded on the right to `width`.
std::string PaddedKeyPart(std::string_view text, int width);
// The 5-character form of a number that sorts by value.
std::string NumberKey(std::int32_t number);
// A descending part: the number form of 99999999 minus the number, so the highest sorts first.
std::string DescendingNumberKey(std::int32_t number);
// The base call (ToPrefix::GetPrefix: portable parts dropped, upper case), padded to 14, so
// "DL1ABC/P" and "DL1ABC" share their keys.
std::string NormalizedCall(std::string_view call);
// The mode-class letter of a mode text (ToModi::ModeClass; a blank for an unknown mode).
std::string ModeClassKey(std::string_view mode);
// The DOK text: the first part followed by the second, cut and padded to 8.
std::string DokKeyText(std::string_view dok1, std::string_view dok2);
// The district character: `district`, or `sdok` when `district` is 0 and `sdok` is neither 0
// nor a blank.
char SdCharacter(char district, char sdok);

}  // namespace contest
