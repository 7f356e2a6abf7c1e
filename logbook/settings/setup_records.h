// The records of the settings object ToSetups.
//
// Readers copy a whole record out of ToSetups and work on their copy; copy-in replaces the whole
// record. Texts of fixed capacity are length-prefixed short strings, long texts are owned strings,
// and the blocks that the setup records store as they stand (column tables, areas, byte groups,
// QSL letter groups, the further station texts) have exactly the stored widths.
//
// Truth values are bytes: 0 is false, any other value true. Colours are 32-bit colour values.
// Array members hold numbered items from 0: item k of a group is element k - 1 of its array.
// A default-constructed record is all zero; ToSetups gives the defaults (setup_defaults.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/grafik.h"
#include "common/short_string.h"

namespace logbook {

using common::ShortString;
using common::TColor;

// Screen layout: colours, font, switches and the stored grid column layouts.
struct ToSetupLayout {
  std::uint8_t popup_menu_switch = 0;  // set: forms leave popup menus to the platform's drawing
  std::array<std::uint8_t, 258> area = {};  // not used by the settings load and save
  TColor tag99_label_font_colour = 0;
  TColor panel_colour = 0;  // also the grid browser's panel (header) colour after each load
  TColor label_font_colour = 0;
  TColor form_colour = 0;
  TColor side_bar_colour = 0;
  // 1: highlight, 2: panel, 3: panel text, 4: button colour of the list windows; 4 is not stored.
  std::array<TColor, 4> list_colours = {};
  std::uint8_t layout_byte1 = 0;
  std::uint8_t layout_variant_switch = 0;  // the new look while non-zero (ToLayout)
  std::uint8_t layout_switch1 = 0;
  std::uint8_t layout_switch2 = 0;
  std::array<std::int32_t, 5> layout_numbers = {};  // stored as 16 bits, the second signed
  ShortString<255> layout_text;
  std::uint8_t unstored_byte = 0;
  std::uint8_t day_byte = 0;  // 255 unless the last save was today
  std::array<TColor, 2> unstored_colours = {};
  std::string unstored_text;
  TColor unstored_colour = 0;
  ShortString<255> font_name;  // stored with capacity 100
  std::int32_t font_size = 0;  // points; stored as one byte
  std::uint8_t layout_byte2 = 0;
  std::uint8_t layout_switch3 = 0;
  // Stored grid column layouts; the contest log window keeps rows of ten 16-bit column widths
  // (20 bytes a row) in tables 3, 5 and 6.
  std::array<std::uint8_t, 200> column_table1 = {};
  std::array<std::uint8_t, 200> column_table2 = {};
  std::array<std::uint8_t, 400> column_table3 = {};
  std::array<std::uint8_t, 260> column_table4 = {};
  std::array<std::uint8_t, 200> column_table5 = {};
  std::array<std::uint8_t, 400> column_table6 = {};
  std::array<std::uint8_t, 104> column_table7 = {};
  std::array<std::uint8_t, 104> column_table8 = {};
  std::array<std::uint8_t, 52> column_table9 = {};
  std::array<std::uint8_t, 52> column_table10 = {};
  std::int32_t layout_number6 = 0;
  std::int32_t layout_number7 = 0;
  std::uint8_t layout_switch4 = 0;  // stored inverted as 0 or 255

  friend bool operator==(const ToSetupLayout&, const ToSetupLayout&) = default;
};

// Call-book access.
struct ToSetupExternCallBook {
  std::array<std::string, 4> long_texts_1_to_4;  // not stored
  std::array<std::string, 4> long_texts_5_to_8;  // stored with capacity 10
  std::array<std::uint8_t, 8> switches_1_to_8 = {};
  std::array<std::string, 2> long_texts_9_10;  // stored with capacity 20
  std::uint8_t byte = 0;
  ShortString<255> short_text;  // stored with capacity 5
  std::uint8_t switch9 = 0;
  std::string long_text11;    // not stored
  std::uint8_t switch10 = 0;  // stored inverted

  friend bool operator==(const ToSetupExternCallBook&, const ToSetupExternCallBook&) = default;
};

// External programs.
struct ToSetupExternProgramme {
  // Not stored in the setup records; the sixth is the folder of the error log.
  std::array<std::string, 6> long_texts_1_to_6;
  std::array<std::uint8_t, 2> switches_1_2 = {};  // written by the save, not loaded
  std::uint8_t unstored_byte = 0;
  std::string long_text7;  // not stored

  friend bool operator==(const ToSetupExternProgramme&, const ToSetupExternProgramme&) = default;
};

struct ToSetupExtern {
  ToSetupExternCallBook call_book;
  ToSetupExternProgramme programme;

  friend bool operator==(const ToSetupExtern&, const ToSetupExtern&) = default;
};

// Folders: 20 texts. Entry 7 (index 6) is the data folder of the contest tables; an empty entry
// means the current folder.
struct ToSetupDirs {
  std::array<std::string, 20> dirs;

  friend bool operator==(const ToSetupDirs&, const ToSetupDirs&) = default;
};

// Further options, the region captions and three large areas.
struct ToSetupWeitere {
  // Option byte 1 goes to the name-text hook; 2 is the number of frequency decimals; 8 the
  // slashed-zero display of call signs; 9 the end-time switch of the logbook's column texts.
  std::array<std::uint8_t, 11> option_bytes_1_to_11 = {};
  std::string long_text1;  // stored with capacity 8
  std::array<std::uint8_t, 3> option_bytes_12_to_14 = {};
  std::int32_t number1 = 0;
  ShortString<255> text1;
  std::uint8_t option_byte15 = 0;
  ShortString<255> text2;
  // Set by the settings load from the own country; not stored.
  ShortString<255> first_region_short;
  ShortString<255> first_region_long;
  ShortString<255> second_region_short;
  ShortString<255> second_region_long;
  std::string long_text2;  // stored with capacity 255
  std::array<std::uint8_t, 2> option_bytes_16_17 = {};
  std::string long_text3;  // stored with capacity 255
  std::array<std::uint8_t, 2> option_bytes_18_19 = {};
  std::array<std::uint8_t, 4> switches_1_to_4 = {};
  std::array<std::uint8_t, 30> area1 = {};
  std::array<std::uint8_t, 20400> area2 = {};
  std::int32_t number2 = 0;
  std::uint8_t option_byte20 = 0;
  std::array<std::uint8_t, 7> byte_group_a = {};
  std::array<std::uint8_t, 7> byte_group_b = {};
  std::array<std::uint8_t, 7> byte_group_c = {};
  std::array<std::int32_t, 4> numbers_3_to_6 = {};
  std::uint8_t option_byte21 = 0;
  std::array<std::uint8_t, 8> byte_group_d = {};
  std::array<ShortString<20>, 4> short_texts_1_to_4;
  std::array<std::uint8_t, 8> byte_group_e = {};
  std::array<ShortString<20>, 4> short_texts_5_to_8;
  ShortString<255> text3;
  std::array<std::uint8_t, 2> option_bytes_22_23 = {};
  std::array<std::uint8_t, 6250> area3 = {};

  friend bool operator==(const ToSetupWeitere&, const ToSetupWeitere&) = default;
};

// One extra field.
struct ToSetupZusatzfelderRec {
  std::string name;         // stored with capacity 10
  std::string second_text;  // not stored
  std::array<std::uint8_t, 5> switches = {};

  friend bool operator==(const ToSetupZusatzfelderRec&, const ToSetupZusatzfelderRec&) = default;
};

// Extra fields: the M entries "M1" to "M10", then the L entries "L1" to "L10".
struct ToSetupZusatzfelder {
  std::array<ToSetupZusatzfelderRec, 10> m;
  std::array<ToSetupZusatzfelderRec, 10> l;

  friend bool operator==(const ToSetupZusatzfelder&, const ToSetupZusatzfelder&) = default;
};

// QSL options.
struct ToSetupQSL {
  std::array<ShortString<20>, 5> route_names;
  // Group 1: its first letter is the mark character of the logbook keys; group 2: the sent marks;
  // group 4 is not stored. Groups 1 to 3 are stored one after another as they stand.
  std::array<std::array<char, 5>, 4> letter_groups = {};
  std::array<TColor, 5> colours = {};
  ShortString<255> status_letters;  // the received marks; rebuilt by the load, not stored
  std::array<std::uint8_t, 53> qsl_bytes = {};
  std::array<char, 3> qsl_letters = {};
  std::string long_text;  // stored with capacity 20

  friend bool operator==(const ToSetupQSL&, const ToSetupQSL&) = default;
};

// Further station texts 1 to 25, each of its own capacity, laid out as the setup record stores
// texts 1 to 24 (one after another, 653 bytes), followed by text 25.
#pragma pack(push, 1)
struct FurtherStationTexts {
  ShortString<14> text1;
  ShortString<50> text2;  // also the name printed with the address
  ShortString<50> text3;
  ShortString<50> text4;
  ShortString<50> text5;
  ShortString<10> text6;
  ShortString<6> text7;
  ShortString<2> text8;
  ShortString<2> text9;
  ShortString<50> text10;
  ShortString<100> text11;
  ShortString<14> text12;
  ShortString<14> text13;
  ShortString<14> text14;
  ShortString<14> text15;
  ShortString<14> text16;
  ShortString<20> text17;
  ShortString<20> text18;
  ShortString<20> text19;
  ShortString<20> text20;
  ShortString<20> text21;
  ShortString<25> text22;
  ShortString<25> text23;
  ShortString<25> text24;
  ShortString<3> text25;

  static constexpr int kCount = 25;
  static constexpr std::array<std::uint8_t, kCount> kCapacities = {
      14, 50, 50, 50, 50, 10, 6,  2,  2,  50, 100, 14, 14,
      14, 14, 14, 20, 20, 20, 20, 20, 25, 25, 25,  3};

  // Where text k (1..25) starts within the block: its length byte.
  static constexpr std::size_t OffsetOf(int k) {
    std::size_t offset = 0;
    for (int i = 1; i < k && i <= kCount; ++i) offset += kCapacities[i - 1] + 1u;
    return offset;
  }
  // Text k (1..25); empty for any other k.
  std::string_view Get(int k) const;
  // Sets text k (1..25), cut to its capacity; other k are ignored.
  void Set(int k, std::string_view text);

  friend bool operator==(const FurtherStationTexts&, const FurtherStationTexts&) = default;
};
#pragma pack(pop)
static_assert(sizeof(FurtherStationTexts) == 657);
static_assert(offsetof(FurtherStationTexts, text25) == 653);
static_assert(FurtherStationTexts::OffsetOf(25) == 653);

// The own station.
struct ToSetupOwnStation {
  ShortString<255> own_locator;
  double latitude = 0;             // degrees
  double longitude = 0;            // degrees east
  ShortString<255> station_text1;  // not loaded from the setup records
  ShortString<255> station_text2;  // the name printed with the address
  ShortString<255> station_text3;
  // Station text 2 and further texts 3, 4 and 5 are the address lines of the summary sheet.
  FurtherStationTexts further;

  friend bool operator==(const ToSetupOwnStation&, const ToSetupOwnStation&) = default;
};

// The sixteen option switches, numbered 0 to 15.
using ToSetupFlags16 = std::array<std::uint8_t, 16>;

}  // namespace logbook
