#include "logbook/setupfiles/setup_places.h"

#include <type_traits>

namespace logbook {
namespace {

using S = SettingsImage;
using Bind = SettingRef (*)(SettingsImage&, int);
using enum Rule;
using enum When;
using enum Way;

template <typename T>
std::span<std::uint8_t> Bytes(T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  return {reinterpret_cast<std::uint8_t*>(&value), sizeof value};
}
std::uint8_t* Byte(char& c) { return reinterpret_cast<std::uint8_t*>(&c); }
TextRef Further(S& s, int k) {
  return {
      reinterpret_cast<std::uint8_t*>(&s.own_station.further) + FurtherStationTexts::OffsetOf(k),
      FurtherStationTexts::kCapacities[static_cast<std::size_t>(k - 1)]};
}

constexpr Place Row(int offset, int size, Rule rule, Bind bind = nullptr, When when = kAlways,
                    Way way = kBoth, std::uint8_t fallback = 0) {
  return {offset, size, rule, when, way, 1, 0, fallback, bind};
}
constexpr Place Rows(int offset, int size, int count, int stride, Rule rule, Bind bind = nullptr,
                     When when = kAlways, Way way = kBoth, std::uint8_t fallback = 0) {
  return {offset, size, rule, when, way, count, stride, fallback, bind};
}

// The setting of a row; `i` is the entry number from 0.
#define AT(expr) [](SettingsImage& s, [[maybe_unused]] int i) -> SettingRef { return expr; }

// clang-format off
const Place kPxSetup[] = {
    // OFFSET SIZE RULE       SETTING
    Row(4,    4,   kRecordNumber),
    Row(445,  256, kText,     AT(Text(s.layout.layout_text))),
    Row(703,  4,   kColour,   AT(&s.layout.panel_colour), kColours),
    Row(707,  4,   kNumber,   AT(&s.layout.label_font_colour), kColours),
    Row(711,  4,   kNumber,   AT(&s.layout.tag99_label_font_colour), kColours),
    Row(715,  4,   kNumber,   AT(&s.grid.GridColor), kColours),
    Row(719,  4,   kColour,   AT(&s.grid.GridFontColor), kColours),
    // suffix entries 1 to 9, taken only when the first stored byte is non-zero
    Rows(723, 7, 9, 7, kBlock, AT(Bytes(s.suffixes[i])), kFirstByte),
    Row(786,  4,   kNumber,   AT(&s.weitere.number2)),
    Row(790,  1,   kByte,     AT(&s.weitere.option_bytes_1_to_11[0])),
    Row(1775, 1,   kInverted, AT(&s.flags[6]), kPopupClear),
    Row(1776, 7,   kText,     AT(Text(s.own_station.own_locator))),
    Row(1783, 1,   kInverted, AT(&s.flags[15])),
    Row(1795, 4,   kNumber,   AT(&s.utc_hour_offset)),
    // further station texts 1 to 24, one after another
    Row(2088, 15,  kText,     AT(Further(s, 1))),
    Row(2103, 51,  kText,     AT(Further(s, 2))),
    Row(2103, 51,  kText,     AT(Text(s.own_station.station_text2)), kAlways, kLoadOnly),
    Row(2154, 51,  kText,     AT(Further(s, 3))),
    Row(2205, 51,  kText,     AT(Further(s, 4))),
    Row(2256, 51,  kText,     AT(Further(s, 5))),
    Row(2307, 11,  kText,     AT(Further(s, 6))),
    Row(2318, 7,   kText,     AT(Further(s, 7))),
    Row(2325, 3,   kText,     AT(Further(s, 8))),
    Row(2328, 3,   kText,     AT(Further(s, 9))),
    Row(2331, 51,  kText,     AT(Further(s, 10))),
    Row(2382, 101, kText,     AT(Further(s, 11))),
    Row(2483, 15,  kText,     AT(Further(s, 12))),
    Row(2498, 15,  kText,     AT(Further(s, 13))),
    Row(2513, 15,  kText,     AT(Further(s, 14))),
    Row(2528, 15,  kText,     AT(Further(s, 15))),
    Row(2543, 15,  kText,     AT(Further(s, 16))),
    Row(2558, 21,  kText,     AT(Further(s, 17))),
    Row(2579, 21,  kText,     AT(Further(s, 18))),
    Row(2600, 21,  kText,     AT(Further(s, 19))),
    Row(2621, 21,  kText,     AT(Further(s, 20))),
    Row(2642, 21,  kText,     AT(Further(s, 21))),
    Row(2663, 26,  kText,     AT(Further(s, 22))),
    Row(2689, 26,  kText,     AT(Further(s, 23))),
    Row(2715, 26,  kText,     AT(Further(s, 24))),
    Row(2741, 4,   kSpecial,  nullptr, kAlways, kLoadOnly),  // form colour, second source
    Row(2745, 4,   kSpecial,  AT(&s.layout.side_bar_colour)),
    Row(2749, 1,   kInverted, AT(&s.flags[1])),
    Row(2750, 1,   kInverted, AT(&s.flags[0])),
    Row(2751, 1,   kTruth,    AT(&s.flags[2])),
    Row(2752, 1,   kByteOr,   AT(&s.weitere.option_bytes_1_to_11[1]), kAlways, kBoth, 4),
    Row(3156, 1,   kTruth,    AT(&s.extern_.programme.switches_1_2[0]), kAlways, kSaveOnly),
    Row(3171, 21,  kText,     AT(Text(s.own_station.station_text3))),
    Row(3192, 4,   kNumber,   AT(&s.kept_number)),
    Row(3399, 1,   kTruth,    AT(&s.extern_.programme.switches_1_2[1]), kAlways, kSaveOnly),
    Row(3400, 15,  kText,     AT(Text(s.own_call))),
    Row(3415, 1,   kSpecial,  AT(&s.layout.day_byte)),
    Row(3416, 4,   kSpecial,  nullptr, kAlways, kSaveOnly),  // the day of the last save
    Rows(3451, 4, 4, 4, kNumber, AT(&s.weitere.numbers_3_to_6[i])),
    Row(3467, 1,   kByte,     AT(&s.weitere.option_byte21)),
    Row(3468, 4,   kColour,   AT(&s.colour2), kPositive),
    Row(3472, 4,   kColour,   AT(&s.colour1), kPositive),
    Row(3484, 1,   kTruth,    AT(&s.layout.layout_switch1)),
    Row(3486, 1,   kInverted, AT(&s.layout.layout_switch2)),
    Row(3487, 2,   kUInt16,   AT(&s.layout.layout_numbers[0])),
    Row(3489, 2,   kInt16,    AT(&s.layout.layout_numbers[1])),
    Rows(3491, 2, 3, 2, kUInt16, AT(&s.layout.layout_numbers[i + 2])),
    Row(3497, 1,   kTruth,    AT(&s.flags[7])),
    Row(3498, 1,   kLetterOr, AT(Byte(s.qsl.qsl_letters[0])), kAlways, kBoth, 'S'),
    Row(3499, 1,   kTruth,    AT(&s.flags[14])),
    Row(3501, 1,   kLetterOr, AT(Byte(s.qsl.qsl_letters[2])), kAlways, kBoth, 'S'),
    Row(3502, 1,   kLetterOr, AT(Byte(s.qsl.qsl_letters[1])), kAlways, kBoth, 'A'),
    Row(3503, 1,   kTruth,    AT(&s.weitere.option_bytes_1_to_11[2])),
    Row(3505, 4,   kColour,   AT(&s.grid.GridAltRowColor), kColours),
    Row(3514, 1,   kTruth,    AT(&s.use_system_offset)),
    Row(3515, 4,   kText,     AT(Further(s, 25))),
    Row(3519, 4,   kSpecial,  nullptr, kAlways, kLoadOnly),  // form colour, first source
    Row(3523, 1,   kVariant,  AT(&s.layout.layout_variant_switch), kFlagClear),
};

const Place kPxSetup2[] = {
    // OFFSET  SIZE RULE        SETTING
    Row(4,     4,   kRecordNumber),
    Row(8,     200, kBlock,     AT(Bytes(s.layout.column_table1))),
    Row(208,   200, kBlock,     AT(Bytes(s.layout.column_table2))),
    Row(408,   400, kBlock,     AT(Bytes(s.layout.column_table3))),
    Row(808,   260, kBlock,     AT(Bytes(s.layout.column_table4))),
    Row(1068,  200, kBlock,     AT(Bytes(s.layout.column_table5))),
    Row(1268,  400, kBlock,     AT(Bytes(s.layout.column_table6))),
    Rows(1668, 11, 6, 11, kText, AT(&s.zusatzfelder.m[i].name), kNonEmpty),
    Row(1734,  104, kBlock,     AT(Bytes(s.layout.column_table7))),
    Row(1838,  104, kBlock,     AT(Bytes(s.layout.column_table8))),
    Row(1942,  52,  kBlock,     AT(Bytes(s.layout.column_table9))),
    Row(1994,  52,  kBlock,     AT(Bytes(s.layout.column_table10))),
    Rows(2101, 1, 6, 1, kInverted, AT(&s.zusatzfelder.m[i].switches[1])),
    Rows(2107, 11, 6, 11, kText, AT(&s.zusatzfelder.l[i].name), kNonEmpty),
    Rows(2173, 1, 6, 1, kInverted, AT(&s.zusatzfelder.l[i].switches[1])),
    Row(2660,  1,   kTruth,     AT(&s.flags[4])),
    Row(2661,  1,   kTruth,     AT(&s.flags[5])),
    Row(2665,  1,   kByte,      AT(&s.layout.layout_byte1)),
    Rows(2666, 4, 3, 4, kColour, AT(&s.layout.list_colours[i]), kListColours),
    Row(2934,  256, kText,      AT(Text(s.weitere.text1))),
    Row(3190,  1,   kByte,      AT(&s.weitere.option_byte15)),
    Row(3191,  256, kText,      AT(Text(s.weitere.text2))),
    Row(3447,  1,   kByte,      AT(&s.weitere.option_byte20)),
    Row(3448,  256, kText,      AT(Text(s.weitere.text3))),
    Rows(3704, 1, 2, 1, kByte,  AT(&s.weitere.option_bytes_22_23[i])),
    Row(3706,  256, kText,      AT(&s.weitere.long_text2)),
    Rows(3962, 1, 2, 1, kByte,  AT(&s.weitere.option_bytes_16_17[i])),
    Row(3964,  256, kText,      AT(&s.weitere.long_text3)),
    Rows(4220, 1, 2, 1, kByte,  AT(&s.weitere.option_bytes_18_19[i])),
    Row(4237,  1,   kTruth,     AT(&s.weitere.switches_1_to_4[1])),
    Row(4238,  1,   kTruth,     AT(&s.weitere.switches_1_to_4[2])),
    Row(4239,  1,   kTruth,     AT(&s.weitere.switches_1_to_4[0])),
    Row(4240,  1,   kTruth,     AT(&s.weitere.switches_1_to_4[3])),
    // QSL bytes 44, 45, 47 to 53, 1 to 25, 27 to 43 (numbered from 1)
    Rows(4292, 1, 2, 1, kByte,  AT(&s.qsl.qsl_bytes[43 + i])),
    Rows(4294, 1, 7, 1, kByte,  AT(&s.qsl.qsl_bytes[46 + i])),
    Rows(4301, 1, 25, 1, kByte, AT(&s.qsl.qsl_bytes[i])),
    Rows(4326, 1, 17, 1, kByte, AT(&s.qsl.qsl_bytes[26 + i])),
    Row(4343,  8,   kBlock,     AT(Bytes(s.weitere.byte_group_d))),
    Rows(4351, 21, 4, 21, kText, AT(Text(s.weitere.short_texts_1_to_4[i]))),
    Row(4435,  8,   kBlock,     AT(Bytes(s.weitere.byte_group_e))),
    Rows(4443, 21, 4, 21, kText, AT(Text(s.weitere.short_texts_5_to_8[i]))),
    Row(4527,  1,   kInverted,  AT(&s.weitere.option_bytes_1_to_11[6])),
    Row(4529,  1,   kInverted,  AT(&s.weitere.option_bytes_1_to_11[7])),
    // user alias lists of the mode classes 'a' to 'm'
    Rows(4530, 101, 13, 101, kText, AT(&s.alias_lists[i])),
    Row(6032,  1,   kTruth,     AT(&s.weitere.option_bytes_1_to_11[8])),
    Row(6034,  1,   kByte,      AT(&s.qsl.qsl_bytes[25])),
    Row(6151,  1,   kConstant,  nullptr, kAlways, kSaveOnly, 255),
    // the user's mode list, 30 slots of capacity 12
    Rows(6894, 13, 30, 13, kSpecial),
    Row(7284,  6250, kBlock,    AT(Bytes(s.weitere.area3))),
    Row(13534, 20400, kBlock,   AT(Bytes(s.weitere.area2))),
    Row(33934, 30,  kBlock,     AT(Bytes(s.weitere.area1))),
    Rows(33964, 11, 2, 11, kText, AT(&s.extern_.call_book.long_texts_5_to_8[i]), kNonEmpty),
    Rows(33986, 11, 2, 11, kText, AT(&s.extern_.call_book.long_texts_5_to_8[2 + i])),
    Rows(34008, 1, 4, 1, kTruth, AT(&s.extern_.call_book.switches_1_to_8[i])),
    Row(34012, 1,   kByte,      AT(&s.extern_.call_book.byte)),
    Row(34013, 6,   kText,      AT(Text(s.extern_.call_book.short_text))),
    // mode-group strings 2, 3, 6, 4 and 5
    Row(34020, 11,  kText,      AT(&s.mode_groups[1]), kNonEmpty),
    Row(34031, 11,  kText,      AT(&s.mode_groups[2]), kNonEmpty),
    Row(34042, 11,  kText,      AT(&s.mode_groups[5]), kNonEmpty),
    Row(34053, 11,  kText,      AT(&s.mode_groups[3]), kNonEmpty),
    Row(34064, 11,  kText,      AT(&s.mode_groups[4]), kNonEmpty),
    Row(34075, 1,   kTruth,     AT(&s.weitere.option_bytes_12_to_14[0])),
    Row(34076, 1,   kInverted,  AT(&s.weitere.option_bytes_12_to_14[1])),
    Rows(34077, 1, 4, 1, kTruth, AT(&s.extern_.call_book.switches_1_to_8[4 + i])),
    Row(34081, 101, kText,      AT(Text(s.layout.font_name)), kWhenSet),
    Row(34182, 1,   kByteNumber, AT(&s.layout.font_size), kWhenSet),
    Rows(34183, 21, 5, 21, kText, AT(Text(s.qsl.route_names[i])), kQsl),
    Rows(34288, 5, 3, 5, kBlock, AT(Bytes(s.qsl.letter_groups[i])), kQsl),
    Rows(34303, 4, 5, 4, kColour, AT(&s.qsl.colours[i]), kQslNonZero),
    // switches 4 and 5 of the extra fields 1 to 6
    Rows(34323, 1, 6, 1, kTruth, AT(&s.zusatzfelder.l[i].switches[3])),
    Rows(34329, 1, 6, 1, kTruth, AT(&s.zusatzfelder.m[i].switches[3])),
    Rows(34335, 1, 6, 1, kTruth, AT(&s.zusatzfelder.l[i].switches[4])),
    Rows(34341, 1, 6, 1, kTruth, AT(&s.zusatzfelder.m[i].switches[4])),
    Row(34426, 1,   kInverted,  AT(&s.weitere.option_bytes_1_to_11[3])),
    Row(34429, 11,  kText,      AT(&s.mode_groups[0]), kNonEmpty),
    // suffix entries 10 to 18
    Rows(34441, 7, 9, 7, kBlock, AT(Bytes(s.suffixes[9 + i]))),
    Row(34510, 1,   kTruth,     AT(&s.layout.popup_menu_switch)),
    Row(34527, 1,   kByte,      AT(&s.weitere.option_bytes_12_to_14[2])),
    Row(34528, 4,   kNumber,    AT(&s.weitere.number1)),
    Row(34553, 7,   kBlock,     AT(Bytes(s.weitere.byte_group_a))),
    Rows(34560, 1, 2, 1, kByte, AT(&s.weitere.option_bytes_1_to_11[4 + i])),
    Rows(34562, 4, 9, 4, kConstant, nullptr, kAlways, kSaveOnly, 0),
    Row(34598, 1,   kTruth,     AT(&s.extern_.call_book.switch9)),
    Row(34604, 1,   kByte,      AT(&s.qsl.qsl_bytes[45])),
    Row(34812, 1,   kTruth,     AT(&s.flags[9])),
    Row(35116, 7,   kBlock,     AT(Bytes(s.weitere.byte_group_b))),
    Rows(35123, 21, 2, 21, kText, AT(&s.extern_.call_book.long_texts_9_10[i])),
    Row(35165, 1,   kInverted,  AT(&s.flags[8])),
    Row(35166, 1,   kSpecial,   AT(&s.form_scaling)),
    // extra fields 7 to 10: names, then switches 2, 4 and 5 (not inverted)
    Rows(35167, 11, 4, 11, kText, AT(&s.zusatzfelder.l[6 + i].name), kNonEmpty),
    Rows(35211, 11, 4, 11, kText, AT(&s.zusatzfelder.m[6 + i].name), kNonEmpty),
    Rows(35255, 1, 4, 1, kTruth, AT(&s.zusatzfelder.l[6 + i].switches[1])),
    Rows(35259, 1, 4, 1, kTruth, AT(&s.zusatzfelder.m[6 + i].switches[1])),
    Rows(35263, 1, 4, 1, kTruth, AT(&s.zusatzfelder.l[6 + i].switches[3])),
    Rows(35267, 1, 4, 1, kTruth, AT(&s.zusatzfelder.m[6 + i].switches[3])),
    Rows(35271, 1, 4, 1, kTruth, AT(&s.zusatzfelder.l[6 + i].switches[4])),
    Rows(35275, 1, 4, 1, kTruth, AT(&s.zusatzfelder.m[6 + i].switches[4])),
    Rows(35279, 1, 10, 1, kTruth, AT(&s.zusatzfelder.l[i].switches[0])),
    Row(35289, 1,   kByte,      AT(&s.layout.layout_byte2)),
    Row(35290, 1,   kInverted255, AT(&s.layout.layout_switch4)),
    Row(35326, 1,   kTruth,     AT(&s.weitere.option_bytes_1_to_11[9])),
    Row(35327, 4,   kNumber,    AT(&s.layout.layout_number6)),
    Row(35331, 4,   kNumber,    AT(&s.layout.layout_number7)),
    Row(35335, 1,   kTruth,     AT(&s.layout.layout_switch3)),
    Row(35340, 1,   kInverted,  AT(&s.flags[11])),
    Rows(35341, 1, 10, 1, kByte, AT(&s.zusatzfelder.l[i].switches[2])),
    Rows(35351, 1, 10, 1, kByte, AT(&s.zusatzfelder.m[i].switches[2])),
    Row(35361, 1,   kTruth,     AT(&s.screen_switch), kAlways, kLoadOnly),
    Row(35367, 1,   kInverted,  AT(&s.flags[12])),
    Row(35368, 7,   kBlock,     AT(Bytes(s.weitere.byte_group_c))),
    Row(35376, 1,   kInverted,  AT(&s.flags[13])),
    Row(35377, 1,   kInverted,  AT(&s.weitere.option_bytes_1_to_11[10])),
    Row(35378, 9,   kText,      AT(&s.weitere.long_text1)),
    Row(35387, 1,   kInverted,  AT(&s.extern_.call_book.switch10)),
    Row(35399, 21,  kText,      AT(&s.qsl.long_text)),
};
// clang-format on

#undef AT

}  // namespace

std::span<const Place> PxSetupPlaces() { return kPxSetup; }
std::span<const Place> PxSetup2Places() { return kPxSetup2; }

}  // namespace logbook
