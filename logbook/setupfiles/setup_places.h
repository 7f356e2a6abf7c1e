// The places of the settings in the PXSETUP record (3530 bytes) and the PXSETUP2 record (50408
// bytes): for every byte range the settings own, its offset, size, rule and the setting it
// holds. The tables themselves (setup_places.cpp) are the file format, one row per place in
// offset order, written as OFFSET | SIZE | RULE | SETTING; a byte that no row names is never
// changed by the save.
//
// The settings travel through a SettingsImage: a copy of everything the load and save move,
// taken from the services (settings object, mode classes, prefix analysis, date routines, grid
// colours, screen services, language) and given back to them whole (settings_image.cpp).
//
// Rules (load / save):
//   kText       text of capacity SIZE - 1 (length byte, then the characters): the load reads
//               at most the capacity, whatever the length byte says (a damaged or foreign length
//               byte never reads into the next field); the save writes the text cut to the
//               capacity and zero bytes after it
//   kTruth      load 1 for a non-zero byte, else 0; save 255 for a set value, else 0
//   kInverted   load 1 for a zero byte, else 0; save 255 for 0, else 0 (a zero record switches
//               the setting on)
//   kInverted255  load 255 for a zero byte, else 0; save 255 for 0, else 0
//   kVariant    load 0 for a byte of 1, else 1; save 1 for 0, else 0
//   kByte       as stored (a byte or character)
//   kByteOr     as stored, but the load gives `fallback` for 0
//   kLetterOr   as stored, but the load gives `fallback` for 0 or a blank
//   kByteNumber one byte to a 32-bit number: load zero-extended, save the low byte
//   kNumber     32-bit as stored (a number or a colour that bypasses the hooks)
//   kColour     32-bit colour: load through the colour hook, save through the second hook
//   kUInt16, kInt16  16 bits to a 32-bit number: load zero- or sign-extended, save the low bits
//   kBlock      bytes as stored
//   kConstant   save only: every byte becomes `fallback`
//   kSpecial    moved by a step of its own in the codec (settings_codec.cpp)
//   kRecordNumber  the record number; the table layer keeps it
//
// Conditions (`when`): load conditions are decided on the stored bytes, save conditions on the
// settings; a row whose condition fails is left alone in that direction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "common/grafik.h"
#include "common/grid_colours.h"
#include "common/short_string.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setup_records.h"

namespace logbook {

// Everything the settings load and save move, as one value.
struct SettingsImage {
  ToSetupLayout layout;
  ToSetupExtern extern_;
  ToSetupWeitere weitere;
  ToSetupZusatzfelder zusatzfelder;
  ToSetupQSL qsl;
  ToSetupOwnStation own_station;
  ToSetupFlags16 flags = {};
  TColor colour1 = 0;
  TColor colour2 = 0;
  ShortString<17> own_call;
  ShortString<255> own_country;
  std::array<TSuffixEntry, ToPrefix::kSuffixCount> suffixes = {};  // entries 1 to 18
  std::int32_t utc_hour_offset = 0;
  std::uint8_t use_system_offset = 0;
  std::int32_t kept_number = 0;  // the number the date routines keep beside the offset
  common::GridColours grid;
  std::uint8_t screen_switch = 0;           // TScreenSS
  std::uint8_t form_scaling = 0;            // ToWinskal
  std::array<std::string, 6> mode_groups;   // ToModi groups 1 to 6
  std::array<std::string, 13> alias_lists;  // ToModi user alias lists of 'a' to 'm'
  std::vector<std::string> mode_list;       // the user's mode list
  std::uint8_t language = 0;
};

// A length-prefixed text in memory: its length byte, then `capacity` characters.
struct TextRef {
  std::uint8_t* bytes;
  std::size_t capacity;
};
template <std::size_t N>
TextRef Text(ShortString<N>& text) {
  return {&text.len, N};
}

// Where a row's setting lies in the image.
using SettingRef = std::variant<std::monostate, std::uint8_t*, std::int32_t*, std::uint32_t*,
                                std::string*, TextRef, std::span<std::uint8_t>>;

enum class Rule : std::uint8_t {
  kText,
  kTruth,
  kInverted,
  kInverted255,
  kVariant,
  kByte,
  kByteOr,
  kLetterOr,
  kByteNumber,
  kNumber,
  kColour,
  kUInt16,
  kInt16,
  kBlock,
  kConstant,
  kSpecial,
  kRecordNumber,
};

enum class When : std::uint8_t {
  kAlways,
  // load conditions
  kColours,      // one of the colours at PXSETUP 703, 707, 711, 715, 719 is non-zero
  kListColours,  // one of the list colours at PXSETUP2 2666, 2670, 2674 is non-zero
  kQsl,          // the byte at PXSETUP2 34183 (first route name) is non-zero
  kQslNonZero,   // kQsl, and the stored value is non-zero
  kFirstByte,    // the row's first stored byte is non-zero
  kNonEmpty,     // the stored text is not empty
  kPositive,     // the stored 32-bit number is above 0
  // both ways: load when the stored value, save when the setting is non-empty / non-zero
  kWhenSet,
  // save conditions
  kPopupClear,  // the popup-menu switch of the layout is clear
  kFlagClear,   // the save's flag is clear
};

enum class Way : std::uint8_t { kBoth, kLoadOnly, kSaveOnly };

// One place, or `count` places of one kind: entry i (from 0) lies at offset + i * stride, each
// `size` bytes.
struct Place {
  int offset;
  int size;
  Rule rule;
  When when = When::kAlways;
  Way way = Way::kBoth;
  int count = 1;
  int stride = 0;
  std::uint8_t fallback = 0;
  SettingRef (*setting)(SettingsImage&, int entry) = nullptr;

  constexpr int EntryOffset(int i) const { return offset + i * stride; }
  // The first byte after the row's last entry.
  constexpr int End() const { return EntryOffset(count - 1) + size; }
};

std::span<const Place> PxSetupPlaces();
std::span<const Place> PxSetup2Places();

}  // namespace logbook
