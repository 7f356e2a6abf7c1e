// The settings save: what it writes, where and how, what it leaves, and the way back.
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "logbook/setupfiles/settings_store.h"
#include "tests/common/rows.h"
#include "tests/logbook/setupfiles/settings_fixture.h"

namespace logbook::testing {
namespace {

using SettingsSaveTest = SettingsTest;
using Ranges = std::vector<std::pair<int, int>>;  // first and last byte

// The bytes of each record that no setting owns.
const Ranges kMainUnused = {{0, 3},       {8, 444},     {701, 702},   {791, 1774},
                            {1784, 1794}, {1799, 2087}, {2753, 3155}, {3157, 3170},
                            {3196, 3398}, {3420, 3450}, {3476, 3483}, {3485, 3485},
                            {3500, 3500}, {3504, 3504}, {3509, 3513}, {3524, 3529}};
const Ranges kMoreUnused = {
    {0, 3},         {2046, 2100},   {2179, 2659},   {2662, 2664},   {2678, 2933},   {4222, 4236},
    {4241, 4291},   {4528, 4528},   {5843, 6031},   {6033, 6033},   {6035, 6150},   {6152, 6893},
    {34019, 34019}, {34347, 34425}, {34427, 34428}, {34440, 34440}, {34504, 34509}, {34511, 34526},
    {34532, 34552}, {34599, 34603}, {34605, 34811}, {34813, 35115}, {35291, 35325}, {35336, 35339},
    {35362, 35366}, {35375, 35375}, {35388, 35398}, {35420, 50407}};
// Places the load reads and the save leaves (besides the record number).
const Ranges kMainLoadOnly = {{2741, 2744}, {3519, 3522}};
const Ranges kMoreLoadOnly = {{35361, 35361}};

// Who covers each byte: 0 nobody, 1 a row or an unused range, more when they overlap.
std::vector<int> Coverage(std::size_t size, std::span<const Place> places, const Ranges& unused,
                          bool saved_rows_only) {
  std::vector<int> cover(size, 0);
  for (const auto& [first, last] : unused) {
    for (int at = first; at <= last; ++at) ++cover[at];
  }
  for (const Place& p : places) {
    if (saved_rows_only && p.way == Way::kLoadOnly) continue;
    for (int i = 0; i < p.count; ++i) {
      for (int at = p.EntryOffset(i); at < p.EntryOffset(i) + p.size; ++at) ++cover[at];
    }
  }
  return cover;
}

// The places the save writes, the places only the load reads and the unused ranges together
// cover each record once; only the load-only name at PXSETUP 2103 lies over the further station
// text it shares.
TEST(SetupPlaces, TheRowsAndTheUnusedBytesCoverEachRecordOnce) {
  const auto once = [](const std::vector<int>& cover) {
    for (std::size_t at = 0; at < cover.size(); ++at) {
      if (cover[at] != 1) return "byte " + std::to_string(at) + " " + std::to_string(cover[at]);
    }
    return std::string();
  };
  const auto with = [](Ranges a, const Ranges& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  EXPECT_EQ(once(Coverage(3530, PxSetupPlaces(), with(kMainUnused, kMainLoadOnly), true)), "");
  EXPECT_EQ(once(Coverage(50408, PxSetup2Places(), with(kMoreUnused, kMoreLoadOnly), true)), "");
  // What only the load reads lies on named bytes too.
  const std::vector<int> all = Coverage(3530, PxSetupPlaces(), kMainUnused, false);
  for (int at = 0; at < 3530; ++at) EXPECT_EQ(all[at], at >= 2103 && at < 2154 ? 2 : 1) << at;
  EXPECT_EQ(once(Coverage(50408, PxSetup2Places(), kMoreUnused, false)), "");
}

TEST_F(SettingsSaveTest, BytesNoSettingOwnsSurviveASave) {
  SetupRecords r(0xA5);
  r.Save(true);
  const auto untouched = [](const auto& record, const Ranges& ranges) {
    for (const auto& [first, last] : ranges) {
      for (int at = first; at <= last; ++at) {
        if (record[at] != 0xA5) return "byte " + std::to_string(at);
      }
    }
    return std::string();
  };
  EXPECT_EQ(untouched(*r.main, kMainUnused), "");
  EXPECT_EQ(untouched(*r.main, kMainLoadOnly), "");
  EXPECT_EQ(untouched(*r.main, {{3523, 3523}}), "");  // the variant byte, with the flag set
  EXPECT_EQ(untouched(*r.more, kMoreUnused), "");
  EXPECT_EQ(untouched(*r.more, kMoreLoadOnly), "");
  r.Save(false);
  EXPECT_EQ((*r.main)[3523], 0);  // variant switch 1 by default
}

// --- encodings: a setting, and the bytes it gives ---

struct Encoding {
  const char* name;
  std::function<void(SettingsImage&)> set;
  bool more;  // PXSETUP2, else PXSETUP
  int at;
  std::vector<std::uint8_t> bytes;
};
constexpr bool kMain = false;
constexpr bool kMore = true;

std::vector<std::uint8_t> Text(std::string_view t) {
  std::vector<std::uint8_t> b{static_cast<std::uint8_t>(t.size())};
  b.insert(b.end(), t.begin(), t.end());
  return b;
}

class SettingsEncoding : public SettingsTest, public ::testing::WithParamInterface<Encoding> {};

TEST_P(SettingsEncoding, WritesTheSettingAsTheFileHoldsIt) {
  const Encoding& e = GetParam();
  SettingsImage image = CaptureSettings();
  e.set(image);
  ApplySettings(image);
  SetupRecords r(0xA5);
  r.Save();
  const std::uint8_t* at = e.more ? &(*r.more)[e.at] : &(*r.main)[e.at];
  EXPECT_EQ(std::vector<std::uint8_t>(at, at + e.bytes.size()), e.bytes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, SettingsEncoding, ::testing::Values(
    Encoding{"TextCutToItsCapacity", [](auto& s) { s.own_station.own_locator = "JO62MMXX"; },
             kMain, 1776, Text("JO62MM")},
    Encoding{"OwnCallCutTo14", [](auto& s) { s.own_call = "DL0ABCDEFGHIJKLM"; },
             kMain, 3400, Text("DL0ABCDEFGHIJK")},
    Encoding{"LongText1CutTo8", [](auto& s) { s.weitere.long_text1 = "123456789"; },
             kMore, 35378, Text("12345678")},
    Encoding{"ModeGroupCutTo10", [](auto& s) { s.mode_groups[1] = "ABCDEFGHIJKL"; },
             kMore, 34020, Text("ABCDEFGHIJ")},
    Encoding{"FurtherText2IsTheName", [](auto& s) { s.own_station.further.Set(2, "Name"); },
             kMain, 2103, Text("Name")},
    Encoding{"TruthSet", [](auto& s) { s.flags[2] = 1; },
             kMain, 2751, {255}},
    Encoding{"InvertedOfZero", [](auto& s) { s.flags[0] = 0; },
             kMain, 2750, {255}},
    Encoding{"LayoutSwitch4", [](auto& s) { s.layout.layout_switch4 = 0; },
             kMore, 35290, {255}},
    Encoding{"VariantSwitchOff", [](auto& s) { s.layout.layout_variant_switch = 0; },
             kMain, 3523, {1}},
    Encoding{"Unsigned16", [](auto& s) { s.layout.layout_numbers[0] = 0x12345; },
             kMain, 3487, {0x45, 0x23}},
    Encoding{"Signed16", [](auto& s) { s.layout.layout_numbers[1] = -2; },
             kMain, 3489, {0xFE, 0xFF}},
    Encoding{"FontSizeByte", [](auto& s) { s.layout.font_size = 0x10C; },
             kMore, 34182, {0x0C}},
    Encoding{"NoFontNameKeepsTheBytes", [](auto& s) { s.layout.font_name = ""; },
             kMore, 34081, {0xA5, 0xA5}},
    Encoding{"Colour", [](auto& s) { s.layout.panel_colour = 0x02A1B2C3; },
             kMain, 703, {0xC3, 0xB2, 0xA1, 0x02}},
    Encoding{"SideBarColour", [](auto& s) { s.layout.side_bar_colour = 0x00010203; },
             kMain, 2745, {3, 2, 1, 0}},
    Encoding{"ByteAsStored", [](auto& s) { s.weitere.option_byte21 = 7; },
             kMain, 3467, {7}},
    Encoding{"Block", [](auto& s) { s.layout.column_table1[199] = 9; },
             kMore, 207, {9, 0}},
    Encoding{"SuffixEntry10", [](auto& s) { s.suffixes[9].code = 3; s.suffixes[9].suffix = "QRP"; },
             kMore, 34441, {3, 'Q', 'R', 'P', 3}},
    Encoding{"TodaysDate", [](auto&) {},
             kMain, 3416, {0x78, 0x5D, 0x02, 0x00}},
    Encoding{"AlwaysFF", [](auto&) {},
             kMore, 6151, {255}},
    Encoding{"NineZeroNumbers", [](auto&) {},
             kMore, 34562, std::vector<std::uint8_t>(36, 0)},
    Encoding{"Switch2OfM7NotInverted", [](auto& s) { s.zusatzfelder.m[6].switches[1] = 1; },
             kMore, 35259, {255}}),
    common::testing::RowName);
// clang-format on

TEST_F(SettingsSaveTest, AtMostThirtyModesAreStoredEachCutTo12) {
  for (int i = 1; i <= 35; ++i)
    common::Service<ToModi>::Get().AddMode("MODE" + std::to_string(i) + "-LONG-NAME");
  SetupRecords r(0xA5);
  r.Save();
  EXPECT_EQ(TextAt(*r.more, 6894, 12), "MODE1-LONG-N");
  EXPECT_EQ(TextAt(*r.more, 6894 + 13 * 29, 12), "MODE30-LONG-");
  ResetSettings();
  r.Load();
  EXPECT_EQ(common::Service<ToModi>::Get().ModeListCount(), 30);

  common::Service<ToModi>::Get().ClearModeList();  // fewer modes leave the other slots empty
  common::Service<ToModi>::Get().AddMode("FT8");
  r.Save();
  EXPECT_EQ(TextAt(*r.more, 6894, 12), "FT8");
  EXPECT_EQ((*r.more)[6894 + 13], 0);
}

// --- the way back ---

// Records of noise that still meet every condition of the load, so that every place is taken.
SetupRecords Noise(unsigned seed) {
  SetupRecords r;
  std::mt19937 random(seed);
  for (auto& b : *r.main) b = static_cast<std::uint8_t>(random());
  for (auto& b : *r.more) b = static_cast<std::uint8_t>(random());
  Put32(*r.main, 3416, 0);  // saved on another day
  for (int at : {34183, 34081, 34182}) (*r.more)[at] |= 1;
  (*r.main)[723] |= 1;
  for (int at = 34303; at < 34323; at += 4) (*r.more)[at] |= 1;
  return r;
}

TEST_F(SettingsSaveTest, LoadAfterSaveGivesBackWhatBothWaysCarry) {
  for (unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    Noise(seed).Load();
    const SettingsImage loaded = CaptureSettings();
    SetupRecords saved;
    saved.Save();
    ResetSettings();
    saved.Load();
    SettingsImage again = CaptureSettings();
    // What only the save writes or only the load reads does not come back.
    again.extern_.programme = loaded.extern_.programme;
    again.layout.form_colour = loaded.layout.form_colour;
    again.screen_switch = loaded.screen_switch;
    ExpectSameSettings(again, loaded);
  }
}

TEST_F(SettingsSaveTest, SaveAfterLoadReproducesTheSavedRecords) {
  Noise(7).Load();
  SetupRecords first(0x3C);
  first.Save();
  ResetSettings();
  first.Load();
  SetupRecords second(0x3C);
  second.Save();
  EXPECT_EQ(*first.main, *second.main);
  EXPECT_TRUE(*first.more == *second.more);
}

}  // namespace
}  // namespace logbook::testing
