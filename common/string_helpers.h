// Text routines on Windows-1252 texts: case, trimming, padding, cutting, centring, parts,
// search, replacement and comparison.
//
// Records hold short strings (at most 255 characters) and the user interface long ones; both are
// std::string here, so the short and long forms of an operation are one function (TrimShort is
// Trim, SetLenStr is SetLen without the short-string limit). Positions are 1-based as everywhere
// in the system. No routine fails: positions and counts out of range give the sensible part
// (empty, whole text), never a read outside the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace common {

// The capacity of a short string; routines that build a text of a requested length limit the
// length to it (SetLenStr to kMaxLongPadLength).
inline constexpr int kMaxShortLength = 255;
inline constexpr int kMaxLongPadLength = 65535;

// Upper and lower case by the 1252 tables (umlauts included), never the C locale.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Blanks (0x20 only) removed at both ends.
std::string Trim(std::string_view text);
inline std::string TrimShort(std::string_view text) { return Trim(text); }

// With `adjust` set: padded with blanks on the right or cut to exactly n characters (n limited
// to 0..255); without it the text is returned unchanged.
std::string SetLen(std::string_view text, int n, bool adjust);
// The same for long texts (n limited to 0..65535).
std::string SetLenStr(std::string_view text, int n, bool adjust);

// Filled on the right or left with `fill` to n characters; a text of n or more characters is
// returned unchanged. n is limited to 255.
std::string PadRightChar(std::string_view text, int n, char fill);
std::string PadLeftChar(std::string_view text, int n, char fill);
std::string PadLeftBlank(std::string_view text, int n);

// The text placed at (n - length) div 2 inside n fill characters; a text of n or more
// characters is returned unchanged. n is limited to 255.
std::string CenterChar(std::string_view text, int n, char fill);
std::string CenterBlank(std::string_view text, int n);

// n copies of c (n limited to 0..255); the one-character text of c, empty for character 0.
std::string CharString(char c, int n);
std::string CharToStr(char c);

// Parts. FirstChar gives character 0 for an empty text. Copy takes `count` characters from
// position `pos` (a position below 1 counts as 1; empty beyond the end or for count <= 0);
// CopyFrom takes the rest from `pos`; LeftStr the first n characters. Delete removes `count`
// characters from `pos`; Insert puts `part` before position `pos` (appending beyond the end).
char FirstChar(std::string_view text);
std::string LeftStr(std::string_view text, int n);
std::string Copy(std::string_view text, int pos, int count);
std::string CopyFrom(std::string_view text, int pos);
std::string Delete(std::string_view text, int pos, int count);
std::string Insert(std::string_view part, std::string_view text, int pos);
int Length(std::string_view text);

// Position (1-based) of the first occurrence of `part` in `text`; 0 when absent or empty.
int Pos(std::string_view part, std::string_view text);
// The text before the first `separator` (with it when `include` is set); empty when absent.
std::string StrBefore(std::string_view text, std::string_view separator, bool include = false);
// The text after the first `separator` (from it, separator included, when `from` is set); the
// whole text when absent.
std::string StrAfter(std::string_view text, std::string_view separator, bool from = false);
// StrAfter of `start`, then StrBefore of `end` (empty when `end` does not follow).
std::string StrBetween(std::string_view text, std::string_view start, std::string_view end);

// Every occurrence replaced. ReplaceText with an empty `old_text` returns the text unchanged.
std::string ReplaceChar(std::string_view text, char old_char, char new_char);
std::string ReplaceText(std::string_view text, std::string_view old_text,
                        std::string_view new_text);
// '/', '\' and ':' replaced by '_', so the text can be part of a file name.
std::string FileNameSafe(std::string_view text);

// -1, 0 or 1 comparing unsigned bytes, a prefix sorting first.
int CompareStr(std::string_view a, std::string_view b);
// Equal length and equal ignoring case (1252 tables).
bool SameTextShort(std::string_view a, std::string_view b);

}  // namespace common
