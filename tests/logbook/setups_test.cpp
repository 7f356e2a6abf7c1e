#include "logbook/setups.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <span>
#include <string>

#include "common/protocol.h"
#include "common/service.h"
#include "platform/fake_environment.h"
#include "tests/common/temp_folder.h"

namespace logbook {
namespace {

std::string Hex(common::TColor c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08X", c);
  return buffer;
}

template <typename Array>
std::string Join(const Array& items) {
  std::string out;
  for (const auto& item : items) {
    if (!out.empty()) out += ",";
    if constexpr (std::is_same_v<std::decay_t<decltype(item)>, common::TColor>) {
      out += Hex(item);
    } else if constexpr (std::is_integral_v<std::decay_t<decltype(item)>>) {
      out += std::to_string(item);
    } else {
      out += std::string(item);
    }
  }
  return out;
}

template <typename Array>
int NonZero(const Array& bytes) {
  int n = 0;
  for (const auto b : bytes) n += b != 0;
  return n;
}

struct DefaultCase {
  std::string name;
  std::function<std::string(const ToSetups&)> value;
  std::string expected;
};

class SetupDefaultsTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(SetupDefaultsTest, StartsWithTheDefault) {
  const ToSetups setups;
  EXPECT_EQ(GetParam().value(setups), GetParam().expected);
}

// Each record's remaining fields: the record with the named defaults put back to zero must equal
// a zero record.
std::string WeitereRestIsZero(const ToSetups& s) {
  ToSetupWeitere w = s.GetWeitere();
  w.option_bytes_1_to_11 = {};
  w.option_bytes_12_to_14 = {};
  w.option_byte15 = 0;
  w.first_region_short = w.first_region_long = w.second_region_short = w.second_region_long = "";
  return w == ToSetupWeitere{} ? "zero" : "not zero";
}

std::string LayoutColumnTables(const ToSetups& s) {
  const ToSetupLayout l = s.GetLayout();
  return std::to_string(l.column_table1.size() + l.column_table2.size() + l.column_table3.size() +
                        l.column_table4.size() + l.column_table5.size() + l.column_table6.size() +
                        l.column_table7.size() + l.column_table8.size() + l.column_table9.size() +
                        l.column_table10.size()) +
         " bytes, " +
         std::to_string(NonZero(l.column_table1) + NonZero(l.column_table2) +
                        NonZero(l.column_table3) + NonZero(l.column_table4) +
                        NonZero(l.column_table5) + NonZero(l.column_table6) +
                        NonZero(l.column_table7) + NonZero(l.column_table8) +
                        NonZero(l.column_table9) + NonZero(l.column_table10)) +
         " set";
}

std::string ZusatzNames(const std::array<ToSetupZusatzfelderRec, 10>& entries) {
  std::string out;
  for (const auto& e : entries) out += e.name + (e.second_text.empty() ? " " : "?");
  return out;
}

std::string ZusatzSwitches(const std::array<ToSetupZusatzfelderRec, 10>& entries) {
  std::string out;
  for (const auto& e : entries) out += Join(e.switches) + ";";
  return out;
}

std::string LetterGroups(const ToSetupQSL& q) {
  std::string out;
  for (const auto& group : q.letter_groups) {
    for (const char c : group) out += c == 0 ? '.' : c;
    out += '|';
  }
  return out;
}

std::string OwnStationTexts(const ToSetupOwnStation& o) {
  int set = o.station_text1.size() + o.station_text2.size() + o.station_text3.size();
  for (int k = 1; k <= FurtherStationTexts::kCount; ++k) set += o.further.Get(k).size();
  return std::to_string(set);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupDefaultsTest,
    ::testing::Values(
        // ToSetupLayout
        DefaultCase{"PopupMenuSwitch",
                    [](const ToSetups& s) -> std::string {
                      return Join(std::array{s.GetLayout().popup_menu_switch});
                    },
                    "0"},
        DefaultCase{"LayoutArea",
                    [](const ToSetups& s) -> std::string {
                      const auto a = s.GetLayout().area;
                      return std::to_string(a.size()) + ":" +
                             std::to_string(NonZero(std::span(a).first(256))) + "," +
                             std::to_string(a[256]) + "," + std::to_string(a[257]);
                    },
                    "258:0,255,255"},
        DefaultCase{"Tag99LabelFontColour",
                    [](const ToSetups& s) -> std::string {
                      return Hex(s.GetLayout().tag99_label_font_colour);
                    },
                    "0000FFFF"},
        DefaultCase{
            "PanelColour",
            [](const ToSetups& s) -> std::string { return Hex(s.GetLayout().panel_colour); },
            "02F7D2C0"},
        DefaultCase{
            "LabelFontColour",
            [](const ToSetups& s) -> std::string { return Hex(s.GetLayout().label_font_colour); },
            "00FFFFFF"},
        DefaultCase{"FormColour",
                    [](const ToSetups& s) -> std::string { return Hex(s.GetLayout().form_colour); },
                    "02CF9F7F"},
        DefaultCase{
            "SideBarColour",
            [](const ToSetups& s) -> std::string { return Hex(s.GetLayout().side_bar_colour); },
            "02A66C50"},
        DefaultCase{
            "ListColours",
            [](const ToSetups& s) -> std::string { return Join(s.GetLayout().list_colours); },
            "0055BFFF,00FFFFFF,00000000,00AADFFF"},
        DefaultCase{"LayoutBytesAndSwitches",
                    [](const ToSetups& s) -> std::string {
                      const auto l = s.GetLayout();
                      return Join(std::array{l.layout_byte1, l.layout_variant_switch,
                                             l.layout_switch1, l.layout_switch2, l.unstored_byte,
                                             l.day_byte, l.layout_byte2, l.layout_switch3,
                                             l.layout_switch4});
                    },
                    "0,1,0,1,0,255,0,0,0"},
        DefaultCase{"LayoutNumbers",
                    [](const ToSetups& s) -> std::string {
                      const auto l = s.GetLayout();
                      return Join(l.layout_numbers) + ";" +
                             Join(std::array{l.layout_number6, l.layout_number7});
                    },
                    "0,0,0,0,0;0,0"},
        DefaultCase{"LayoutTexts",
                    [](const ToSetups& s) -> std::string {
                      const auto l = s.GetLayout();
                      return "[" + l.layout_text.str() + "][" + l.unstored_text + "]";
                    },
                    "[][]"},
        DefaultCase{"UnstoredLayoutColours",
                    [](const ToSetups& s) -> std::string {
                      const auto l = s.GetLayout();
                      return Join(l.unstored_colours) + ";" + Hex(l.unstored_colour);
                    },
                    "00EFFFFF,00FFFFFF;00000000"},
        DefaultCase{"Font",
                    [](const ToSetups& s) -> std::string {
                      return s.GetLayout().font_name.str() + " " +
                             std::to_string(s.GetLayout().font_size);
                    },
                    "Arial 9"},
        DefaultCase{"ColumnTables", LayoutColumnTables, "1972 bytes, 0 set"},
        // ToSetupExtern and ToSetupDirs
        DefaultCase{"ExternAllEmpty",
                    [](const ToSetups& s) -> std::string {
                      return s.GetExtern() == ToSetupExtern{} ? "zero" : "not zero";
                    },
                    "zero"},
        DefaultCase{"DirsAllEmpty",
                    [](const ToSetups& s) -> std::string {
                      return s.GetDirs() == ToSetupDirs{} ? "zero" : "not zero";
                    },
                    "zero"},
        // ToSetupWeitere
        DefaultCase{"OptionBytes1To11",
                    [](const ToSetups& s) -> std::string {
                      return Join(s.GetWeitere().option_bytes_1_to_11);
                    },
                    "4,4,0,1,0,0,1,0,0,0,0"},
        DefaultCase{"OptionBytes12To14",
                    [](const ToSetups& s) -> std::string {
                      return Join(s.GetWeitere().option_bytes_12_to_14);
                    },
                    "0,1,0"},
        DefaultCase{"OptionByte15",
                    [](const ToSetups& s) -> std::string {
                      return std::to_string(s.GetWeitere().option_byte15);
                    },
                    "3"},
        DefaultCase{"RegionCaptions",
                    [](const ToSetups& s) -> std::string {
                      const auto& w = s.WeiterePtr();
                      return Join(std::array{w.first_region_short.str(), w.first_region_long.str(),
                                             w.second_region_short.str(),
                                             w.second_region_long.str()});
                    },
                    "DOK,DOK/Gebiet1,LDK,LDK/Gebiet2"},
        DefaultCase{"WeitereRest", WeitereRestIsZero, "zero"},
        // ToSetupZusatzfelder
        DefaultCase{
            "MNames",
            [](const ToSetups& s) -> std::string { return ZusatzNames(s.GetZusatzfelder().m); },
            "M1 M2 M3 M4 M5 M6 M7 M8 M9 M10 "},
        DefaultCase{
            "LNames",
            [](const ToSetups& s) -> std::string { return ZusatzNames(s.ZusatzfelderPtr().l); },
            "L1 L2 L3 L4 L5 L6 L7 L8 L9 L10 "},
        DefaultCase{
            "MSwitches",
            [](const ToSetups& s) -> std::string { return ZusatzSwitches(s.GetZusatzfelder().m); },
            "0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,0,0,0,0;0,0,0,0,"
            "0;0,0,0,0,0;0,0,0,0,0;"},
        DefaultCase{
            "LSwitches",
            [](const ToSetups& s) -> std::string { return ZusatzSwitches(s.GetZusatzfelder().l); },
            "0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,0,0,0,0;0,0,0,0,"
            "0;0,0,0,0,0;0,0,0,0,0;"},
        // ToSetupQSL
        DefaultCase{"QslRouteNames",
                    [](const ToSetups& s) -> std::string { return Join(s.GetQSL().route_names); },
                    "Papier,LotW,EQSL,,"},
        DefaultCase{"QslLetterGroups",
                    [](const ToSetups& s) -> std::string { return LetterGroups(s.GetQSL()); },
                    "JLE..|J....|SLE..|YY...|"},
        DefaultCase{"QslColours",
                    [](const ToSetups& s) -> std::string { return Join(s.GetQSL().colours); },
                    "0220BCFF,0220BCFF,0220BCFF,00000000,00000000"},
        DefaultCase{
            "QslStatusLetters",
            [](const ToSetups& s) -> std::string { return s.GetQSL().status_letters.str(); },
            "JjYyV"},
        DefaultCase{"QslBytes",
                    [](const ToSetups& s) -> std::string {
                      return std::to_string(s.GetQSL().qsl_bytes.size()) + ":" +
                             std::to_string(NonZero(s.GetQSL().qsl_bytes));
                    },
                    "53:0"},
        DefaultCase{"QslLetters",
                    [](const ToSetups& s) -> std::string {
                      const auto l = s.GetQSL().qsl_letters;
                      return std::string(l.begin(), l.end());
                    },
                    "SAS"},
        DefaultCase{
            "QslLongText",
            [](const ToSetups& s) -> std::string { return "[" + s.GetQSL().long_text + "]"; },
            "[]"},
        // Own station
        DefaultCase{
            "OwnLocator",
            [](const ToSetups& s) -> std::string { return s.GetOwnStation().own_locator.str(); },
            "JO62MM"},
        DefaultCase{"OwnPosition",
                    [](const ToSetups& s) -> std::string {
                      char buffer[64];
                      std::snprintf(buffer, sizeof buffer, "%.6f %.4f", s.GetOwnStation().latitude,
                                    s.GetOwnStation().longitude);
                      return std::string(buffer);
                    },
                    "52.520833 13.0417"},
        DefaultCase{
            "OwnStationTextsEmpty",
            [](const ToSetups& s) -> std::string { return OwnStationTexts(s.GetOwnStation()); },
            "0"},
        // The rest of ToSetups
        DefaultCase{"OptionSwitches",
                    [](const ToSetups& s) -> std::string { return Join(s.GetFlags16()); },
                    "1,1,0,1,1,0,1,0,1,0,1,1,1,0,0,1"},
        DefaultCase{"Colours",
                    [](const ToSetups& s) -> std::string {
                      return Join(std::array{s.GetColour1(), s.GetColour2(), s.GetColour3()});
                    },
                    "0220BCFF,021DCD1D,00E9E9E9"},
        DefaultCase{
            "OwnCall",
            [](const ToSetups& s) -> std::string { return "[" + s.GetOwnCall(false) + "]"; }, "[]"},
        DefaultCase{"OwnCountry",
                    [](const ToSetups& s) -> std::string { return s.GetOwnCountry(); }, "DL"}),
    [](const auto& info) { return info.param.name; });

TEST(ToSetups, RecordsComeBackAsTheyWereCopiedIn) {
  ToSetups setups;

  ToSetupLayout layout = setups.GetLayout();
  layout.font_name = "Segoe UI";
  layout.column_table3[399] = 0xAB;
  layout.unstored_text = "lang";
  setups.SetLayout(layout);
  EXPECT_EQ(setups.GetLayout(), layout);
  EXPECT_EQ(setups.GetLayout().column_table3, layout.column_table3);

  ToSetupWeitere weitere = setups.GetWeitere();
  weitere.area2[20399] = 7;
  weitere.area3[0] = 9;
  weitere.short_texts_5_to_8[3] = "dreiundzwanzig Zeichen";  // cut to 20
  weitere.long_text3 = std::string(300, 'x');                // long texts keep their length
  setups.SetWeitere(weitere);
  EXPECT_EQ(setups.GetWeitere(), weitere);
  EXPECT_EQ(setups.WeiterePtr().short_texts_5_to_8[3], "dreiundzwanzig Zeich");
  EXPECT_EQ(setups.WeiterePtr().long_text3.size(), 300u);

  ToSetupOwnStation own = setups.GetOwnStation();
  own.further.Set(2, "Erika Mustermann");
  own.further.Set(25, "K01");
  own.latitude = -33.5;
  setups.SetOwnStation(own);
  const ToSetupOwnStation back = setups.GetOwnStation();
  EXPECT_EQ(std::memcmp(&back.further, &own.further, sizeof own.further), 0);
  EXPECT_EQ(back, own);

  ToSetupExtern ext = setups.GetExtern();
  ext.call_book.long_texts_9_10[1] = "qrz";
  ext.programme.long_texts_1_to_6[5] = "/var/log/domivox";
  setups.SetExtern(ext);
  EXPECT_EQ(setups.GetExtern(), ext);

  ToSetupZusatzfelder extra = setups.GetZusatzfelder();
  extra.l[9].name = "Mitglied";
  extra.m[0].switches[4] = 255;
  setups.SetZusatzfelder(extra);
  EXPECT_EQ(setups.GetZusatzfelder(), extra);

  ToSetupQSL qsl = setups.GetQSL();
  qsl.letter_groups[1] = {'B', 'D', 0, 0, 0};
  qsl.long_text = "via Buero";
  setups.SetQSL(qsl);
  EXPECT_EQ(setups.GetQSL(), qsl);

  ToSetupDirs dirs;
  dirs.dirs[6] = "/data";
  setups.SetDirs(dirs);
  EXPECT_EQ(setups.GetDirs(), dirs);

  ToSetupFlags16 flags = setups.GetFlags16();
  flags[15] = 0;
  setups.SetFlags16(flags);
  EXPECT_EQ(setups.GetFlags16(), flags);
}

TEST(ToSetups, ACopyIsIndependentOfTheSettings) {
  ToSetups setups;
  ToSetupQSL qsl = setups.GetQSL();
  qsl.long_text = "eins";
  setups.SetQSL(qsl);
  qsl.long_text = "zwei";  // changing the caller's copy after copy-in
  qsl.route_names[0] = "Post";
  EXPECT_EQ(setups.GetQSL().long_text, "eins");
  EXPECT_EQ(setups.GetQSL().route_names[0], "Papier");
}

TEST(ToSetups, OwnCallTrimmedAndInFileNameForm) {
  ToSetups setups;
  setups.SetOwnCall("  DL1ABC/P ");
  EXPECT_EQ(setups.GetOwnCall(false), "DL1ABC/P");
  EXPECT_EQ(setups.GetOwnCall(true), "DL1ABC_P");
  setups.SetOwnCall("OE\\DL1:ABC/MM/QRP-LANG");  // cut to 17 characters
  EXPECT_EQ(setups.GetOwnCall(false), "OE\\DL1:ABC/MM/QRP");
  EXPECT_EQ(setups.GetOwnCall(true), "OE_DL1_ABC_MM_QRP");
  EXPECT_EQ(setups.AdjustNameText(" Hans "), " Hans ");
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
  EXPECT_TRUE(ToLayout::GetLayoutOption());
  ToSetupLayout layout = setups->GetLayout();
  layout.layout_variant_switch = 0;
  setups->SetLayout(layout);
  EXPECT_FALSE(ToLayout::GetLayoutOption());
  layout.layout_variant_switch = 2;
  setups->SetLayout(layout);
  EXPECT_TRUE(ToLayout::GetLayoutOption());
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
