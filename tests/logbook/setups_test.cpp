#include "logbook/setups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <concepts>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include "common/protocol.h"
#include "common/service.h"
#include "platform/fake_environment.h"
#include "tests/common/temp_folder.h"

namespace logbook {
namespace {

// Values as text: colours as 8 hex digits, numbers in decimal, letters as letters ('.' for 0);
// lists and several values joined by ",".
std::string Text(TColor c) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", c);
  return buffer;
}
std::string Text(std::integral auto n) { return std::to_string(n); }
std::string Text(const std::string& s) { return s; }
std::string Text(double d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6f", d);
  return buffer;
}
template <std::size_t N>
std::string Text(const std::array<char, N>& letters) {
  std::string out;
  for (const char c : letters) out += c == 0 ? '.' : c;
  return out;
}
template <typename T, std::size_t N>
std::string Text(const std::array<T, N>& items) {
  std::string out;
  for (const auto& item : items) out += Text(item) + ",";
  out.pop_back();
  return out;
}
template <typename... A>
requires(sizeof...(A) > 1) std::string Text(const A&... values) {
  std::string out;
  ((out += Text(values) + ","), ...);
  out.pop_back();
  return out;
}

// The number of non-zero bytes in all the byte lists together.
template <typename... Bytes>
int NonZero(const Bytes&... bytes) {
  return (0 + ... + static_cast<int>(std::count_if(bytes.begin(), bytes.end(), [](auto b) {
            return b != 0;
          })));
}

// Name, second text (none by default) and switches of each extra field.
std::string Zusatz(const std::array<ToSetupZusatzfelderRec, 10>& entries) {
  std::string out;
  for (const auto& e : entries) {
    out += e.name + e.second_text + "=";
    for (const auto s : e.switches) out += static_cast<char>('0' + s);
    out += " ";
  }
  return out;
}

// Every default of a new settings object, one named row each.
TEST(ToSetups, StartsWithTheDefaults) {
  const ToSetups s;
  const ToSetupLayout l = s.GetLayout();
  const ToSetupQSL q = s.GetQSL();
  const ToSetupOwnStation o = s.GetOwnStation();
  const ToSetupWeitere w = s.GetWeitere();
  ToSetupWeitere w_rest = w;  // zero but for the defaults of the rows before
  w_rest.option_bytes_1_to_11 = {};
  w_rest.option_bytes_12_to_14 = {};
  w_rest.option_byte15 = 0;
  w_rest.first_region_short = w_rest.first_region_long = "";
  w_rest.second_region_short = w_rest.second_region_long = "";
  const struct {
    const char* name;
    std::string actual;
    const char* expected;
  } rows[] = {
      {"PopupMenuSwitch", Text(l.popup_menu_switch), "0"},
      {"LayoutArea", Text(NonZero(std::span(l.area).first(256)), l.area[256], l.area[257]),
       "0,255,255"},
      {"Tag99LabelFontColour", Text(l.tag99_label_font_colour), "0000FFFF"},
      {"PanelColour", Text(l.panel_colour), "02F7D2C0"},
      {"LabelFontColour", Text(l.label_font_colour), "00FFFFFF"},
      {"FormColour", Text(l.form_colour), "02CF9F7F"},
      {"SideBarColour", Text(l.side_bar_colour), "02A66C50"},
      {"ListColours", Text(l.list_colours), "0055BFFF,00FFFFFF,00000000,00AADFFF"},
      {"LayoutBytesAndSwitches",
       Text(l.layout_byte1, l.layout_variant_switch, l.layout_switch1, l.layout_switch2,
            l.unstored_byte, l.day_byte, l.layout_byte2, l.layout_switch3, l.layout_switch4),
       "0,1,0,1,0,255,0,0,0"},
      {"LayoutNumbers", Text(l.layout_numbers, l.layout_number6, l.layout_number7),
       "0,0,0,0,0,0,0"},
      {"LayoutTexts", Text(l.layout_text, l.unstored_text), ","},
      {"UnstoredLayoutColours", Text(l.unstored_colours, l.unstored_colour),
       "00EFFFFF,00FFFFFF,00000000"},
      {"Font", Text(l.font_name, l.font_size), "Arial,9"},
      {"ColumnTables",
       Text(NonZero(l.column_table1, l.column_table2, l.column_table3, l.column_table4,
                    l.column_table5, l.column_table6, l.column_table7, l.column_table8,
                    l.column_table9, l.column_table10)),
       "0"},
      {"ExternAndDirsZero", Text(s.GetExtern() == ToSetupExtern{}, s.GetDirs() == ToSetupDirs{}),
       "1,1"},
      {"OptionBytes1To11", Text(w.option_bytes_1_to_11), "4,4,0,1,0,0,1,0,0,0,0"},
      {"OptionBytes12To14", Text(w.option_bytes_12_to_14), "0,1,0"},
      {"OptionByte15", Text(w.option_byte15), "3"},
      {"RegionCaptions",
       Text(w.first_region_short, w.first_region_long, w.second_region_short, w.second_region_long),
       "DOK,DOK/Gebiet1,LDK,LDK/Gebiet2"},
      {"WeitereRestZero", Text(w_rest == ToSetupWeitere{}), "1"},
      {"ExtraFieldsM", Zusatz(s.GetZusatzfelder().m),
       "M1=01000 M2=01000 M3=01000 M4=01000 M5=01000 M6=01000 M7=00000 M8=00000 M9=00000 "
       "M10=00000 "},
      {"ExtraFieldsL", Zusatz(s.ZusatzfelderPtr().l),
       "L1=01000 L2=01000 L3=01000 L4=01000 L5=01000 L6=01000 L7=00000 L8=00000 L9=00000 "
       "L10=00000 "},
      {"QslRouteNames", Text(q.route_names), "Papier,LotW,EQSL,,"},
      {"QslLetterGroups", Text(q.letter_groups), "JLE..,J....,SLE..,YY..."},
      {"QslColours", Text(q.colours), "0220BCFF,0220BCFF,0220BCFF,00000000,00000000"},
      {"QslStatusLetters", Text(q.status_letters), "JjYyV"},
      {"QslBytes", Text(NonZero(q.qsl_bytes)), "0"},
      {"QslLetters", Text(q.qsl_letters), "SAS"},
      {"QslLongText", Text(q.long_text), ""},
      {"OwnLocator", Text(o.own_locator), "JO62MM"},
      {"OwnPosition", Text(o.latitude, o.longitude), "52.520833,13.041700"},
      {"OwnStationTexts",
       Text(o.station_text1, o.station_text2, o.station_text3, o.further == FurtherStationTexts{}),
       ",,,1"},
      {"OptionSwitches", Text(s.GetFlags16()), "1,1,0,1,1,0,1,0,1,0,1,1,1,0,0,1"},
      {"Colours", Text(s.GetColour1(), s.GetColour2(), s.GetColour3()),
       "0220BCFF,021DCD1D,00E9E9E9"},
      {"OwnCall", s.GetOwnCall(false), ""},
      {"OwnCountry", s.GetOwnCountry(), "DL"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.actual, row.expected) << row.name;
}

TEST(ToSetups, RecordsComeBackAsTheyWereCopiedIn) {
  ToSetups setups;
  ToSetupLayout layout = setups.GetLayout();
  layout.column_table3[399] = 0xAB;
  layout.unstored_text = "lang";
  setups.SetLayout(layout);
  EXPECT_EQ(setups.GetLayout(), layout);

  ToSetupWeitere weitere = setups.GetWeitere();
  weitere.area2[20399] = 7;
  weitere.short_texts_5_to_8[3] = "dreiundzwanzig Zeichen";  // cut to 20
  weitere.long_text3 = std::string(300, 'x');                // long texts keep their length
  setups.SetWeitere(weitere);
  EXPECT_EQ(setups.GetWeitere(), weitere);
  EXPECT_EQ(setups.WeiterePtr().short_texts_5_to_8[3], "dreiundzwanzig Zeich");

  ToSetupOwnStation own = setups.GetOwnStation();
  own.further.Set(2, "Erika Mustermann");
  own.latitude = -33.5;
  setups.SetOwnStation(own);
  const ToSetupOwnStation back = setups.GetOwnStation();
  EXPECT_EQ(std::memcmp(&back.further, &own.further, sizeof own.further), 0);
  EXPECT_EQ(back, own);
}

TEST(ToSetups, OwnCallTrimmedAndInFileNameForm) {
  ToSetups setups;
  setups.SetOwnCall("  DL1ABC/P ");
  EXPECT_EQ(setups.GetOwnCall(false), "DL1ABC/P");
  EXPECT_EQ(setups.GetOwnCall(true), "DL1ABC_P");
  setups.SetOwnCall("OE\\DL1:ABC/MM/QRP-LANG");  // cut to 17 characters
  EXPECT_EQ(setups.GetOwnCall(false), "OE\\DL1:ABC/MM/QRP");
  EXPECT_EQ(setups.GetOwnCall(true), "OE_DL1_ABC_MM_QRP");
}

TEST(FurtherStationTexts, EachTextHasItsCapacityAndPlace) {
  FurtherStationTexts texts;
  const std::string long_text(120, 'z');
  std::size_t offset = 0;
  for (int k = 1; k <= FurtherStationTexts::kCount; ++k) {
    texts.Set(k, long_text);
    const std::size_t capacity = FurtherStationTexts::kCapacities[k - 1];
    EXPECT_EQ(texts.Get(k), long_text.substr(0, capacity)) << k;
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&texts)[offset], capacity) << k;
    offset += capacity + 1;
  }
  EXPECT_EQ(offset, sizeof texts);
  texts.Set(11, "kurz");
  EXPECT_EQ(texts.text11, "kurz");
  EXPECT_EQ(texts.Get(0), "");
  EXPECT_EQ(texts.Get(26), "");
}

TEST(ToLayout, GetLayoutOptionFollowsTheVariantSwitch) {
  common::ScopedService<ToSetups> setups;
  ToSetupLayout layout = setups->GetLayout();
  for (const std::uint8_t variant : {1, 0, 2}) {
    layout.layout_variant_switch = variant;
    setups->SetLayout(layout);
    EXPECT_EQ(ToLayout::GetLayoutOption(), variant != 0) << int{variant};
  }
}

TEST(ToSetups, TheProtocolWritesOnlyWhileTheSettingsExist) {
  common::testing::TempFolder dir;
  platform::FakeClock clock;
  clock.now = {2025, 1, 2, 3, 4, 5, 0};
  platform::ScopedEnvironment environment(&clock, nullptr, nullptr);
  common::Protocol::ResetRun();
  common::testing::WriteFile(dir / "protokoll.dat", "alt");

  common::Protocol::AppendLine("vorher");
  EXPECT_EQ(common::Protocol::GetState(), common::Protocol::kUndecided);
  {
    common::ScopedService<ToSetups> setups;
    common::Protocol::AppendLine("mit Einstellungen");
  }
  common::Protocol::AppendLine("nachher");
  EXPECT_EQ(common::testing::ReadFile(dir / "protokoll.dat"),
            " 02.01 03:04:05 mit Einstellungen\r\n");
  common::Protocol::ResetRun();
}

}  // namespace
}  // namespace logbook
