#include "logbook/setups.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

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

// Every default of a new settings object, by name, as text.
std::map<std::string, std::string> DescribeDefaults() {
  const ToSetups s;
  std::map<std::string, std::string> d;
  const ToSetupLayout l = s.GetLayout();
  d["PopupMenuSwitch"] = std::to_string(l.popup_menu_switch);
  d["LayoutArea"] = std::to_string(l.area.size()) + ":" +
                    std::to_string(NonZero(std::span(l.area).first(256))) + "," +
                    std::to_string(l.area[256]) + "," + std::to_string(l.area[257]);
  d["Tag99LabelFontColour"] = Hex(l.tag99_label_font_colour);
  d["PanelColour"] = Hex(l.panel_colour);
  d["LabelFontColour"] = Hex(l.label_font_colour);
  d["FormColour"] = Hex(l.form_colour);
  d["SideBarColour"] = Hex(l.side_bar_colour);
  d["ListColours"] = Join(l.list_colours);
  d["LayoutBytesAndSwitches"] = Join(
      std::array{l.layout_byte1, l.layout_variant_switch, l.layout_switch1, l.layout_switch2,
                 l.unstored_byte, l.day_byte, l.layout_byte2, l.layout_switch3, l.layout_switch4});
  d["LayoutNumbers"] =
      Join(l.layout_numbers) + ";" + Join(std::array{l.layout_number6, l.layout_number7});
  d["LayoutTexts"] = "[" + l.layout_text.str() + "][" + l.unstored_text + "]";
  d["UnstoredLayoutColours"] = Join(l.unstored_colours) + ";" + Hex(l.unstored_colour);
  d["Font"] = l.font_name.str() + " " + std::to_string(l.font_size);
  const std::array<std::span<const std::uint8_t>, 10> tables = {
      l.column_table1, l.column_table2, l.column_table3, l.column_table4, l.column_table5,
      l.column_table6, l.column_table7, l.column_table8, l.column_table9, l.column_table10};
  std::vector<std::size_t> sizes;
  int set = 0;
  for (const auto table : tables) {
    sizes.push_back(table.size());
    set += NonZero(table);
  }
  d["ColumnTables"] = Join(sizes) + ":" + std::to_string(set);

  d["ExternAllEmpty"] = s.GetExtern() == ToSetupExtern{} ? "zero" : "not zero";
  d["DirsAllEmpty"] = s.GetDirs() == ToSetupDirs{} ? "zero" : "not zero";

  ToSetupWeitere w = s.GetWeitere();
  d["OptionBytes1To11"] = Join(w.option_bytes_1_to_11);
  d["OptionBytes12To14"] = Join(w.option_bytes_12_to_14);
  d["OptionByte15"] = std::to_string(w.option_byte15);
  d["RegionCaptions"] = Join(std::array{w.first_region_short, w.first_region_long,
                                        w.second_region_short, w.second_region_long});
  // Everything else of the record is zero.
  w.option_bytes_1_to_11 = {};
  w.option_bytes_12_to_14 = {};
  w.option_byte15 = 0;
  w.first_region_short = w.first_region_long = w.second_region_short = w.second_region_long = "";
  d["WeitereRest"] = w == ToSetupWeitere{} ? "zero" : "not zero";

  const ToSetupZusatzfelder z = s.GetZusatzfelder();
  d["MNames"] = ZusatzNames(z.m);
  d["LNames"] = ZusatzNames(s.ZusatzfelderPtr().l);
  d["MSwitches"] = ZusatzSwitches(z.m);
  d["LSwitches"] = ZusatzSwitches(z.l);

  const ToSetupQSL q = s.GetQSL();
  d["QslRouteNames"] = Join(q.route_names);
  for (const auto& group : q.letter_groups) {
    for (const char c : group) d["QslLetterGroups"] += c == 0 ? '.' : c;
    d["QslLetterGroups"] += '|';
  }
  d["QslColours"] = Join(q.colours);
  d["QslStatusLetters"] = q.status_letters.str();
  d["QslBytes"] = std::to_string(q.qsl_bytes.size()) + ":" + std::to_string(NonZero(q.qsl_bytes));
  d["QslLetters"] = std::string(q.qsl_letters.begin(), q.qsl_letters.end());
  d["QslLongText"] = "[" + q.long_text + "]";

  const ToSetupOwnStation o = s.GetOwnStation();
  d["OwnLocator"] = o.own_locator.str();
  char position[64];
  std::snprintf(position, sizeof position, "%.6f %.4f", o.latitude, o.longitude);
  d["OwnPosition"] = position;
  std::size_t text_length =
      o.station_text1.size() + o.station_text2.size() + o.station_text3.size();
  for (int k = 1; k <= FurtherStationTexts::kCount; ++k) text_length += o.further.Get(k).size();
  d["OwnStationTexts"] = std::to_string(text_length);

  d["OptionSwitches"] = Join(s.GetFlags16());
  d["Colours"] = Join(std::array{s.GetColour1(), s.GetColour2(), s.GetColour3()});
  d["OwnCall"] = "[" + s.GetOwnCall(false) + "]";
  d["OwnCountry"] = s.GetOwnCountry();
  return d;
}

struct DefaultCase {
  std::string name;
  std::string expected;
  friend void PrintTo(const DefaultCase& c, std::ostream* os) { *os << c.name; }
};

class SetupDefaultsTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(SetupDefaultsTest, StartsWithTheDefault) {
  const auto defaults = DescribeDefaults();
  ASSERT_TRUE(defaults.contains(GetParam().name));
  EXPECT_EQ(defaults.at(GetParam().name), GetParam().expected);
}

const char kSwitch2InEntries1To6[] =
    "0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;0,1,0,0,0;"
    "0,0,0,0,0;0,0,0,0,0;0,0,0,0,0;0,0,0,0,0;";

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupDefaultsTest,
    ::testing::Values(
        DefaultCase{"PopupMenuSwitch", "0"}, DefaultCase{"LayoutArea", "258:0,255,255"},
        DefaultCase{"Tag99LabelFontColour", "0000FFFF"}, DefaultCase{"PanelColour", "02F7D2C0"},
        DefaultCase{"LabelFontColour", "00FFFFFF"}, DefaultCase{"FormColour", "02CF9F7F"},
        DefaultCase{"SideBarColour", "02A66C50"},
        DefaultCase{"ListColours", "0055BFFF,00FFFFFF,00000000,00AADFFF"},
        DefaultCase{"LayoutBytesAndSwitches", "0,1,0,1,0,255,0,0,0"},
        DefaultCase{"LayoutNumbers", "0,0,0,0,0;0,0"}, DefaultCase{"LayoutTexts", "[][]"},
        DefaultCase{"UnstoredLayoutColours", "00EFFFFF,00FFFFFF;00000000"},
        DefaultCase{"Font", "Arial 9"},
        DefaultCase{"ColumnTables", "200,200,400,260,200,400,104,104,52,52:0"},
        DefaultCase{"ExternAllEmpty", "zero"}, DefaultCase{"DirsAllEmpty", "zero"},
        DefaultCase{"OptionBytes1To11", "4,4,0,1,0,0,1,0,0,0,0"},
        DefaultCase{"OptionBytes12To14", "0,1,0"}, DefaultCase{"OptionByte15", "3"},
        DefaultCase{"RegionCaptions", "DOK,DOK/Gebiet1,LDK,LDK/Gebiet2"},
        DefaultCase{"WeitereRest", "zero"},
        DefaultCase{"MNames", "M1 M2 M3 M4 M5 M6 M7 M8 M9 M10 "},
        DefaultCase{"LNames", "L1 L2 L3 L4 L5 L6 L7 L8 L9 L10 "},
        DefaultCase{"MSwitches", kSwitch2InEntries1To6},
        DefaultCase{"LSwitches", kSwitch2InEntries1To6},
        DefaultCase{"QslRouteNames", "Papier,LotW,EQSL,,"},
        DefaultCase{"QslLetterGroups", "JLE..|J....|SLE..|YY...|"},
        DefaultCase{"QslColours", "0220BCFF,0220BCFF,0220BCFF,00000000,00000000"},
        DefaultCase{"QslStatusLetters", "JjYyV"}, DefaultCase{"QslBytes", "53:0"},
        DefaultCase{"QslLetters", "SAS"}, DefaultCase{"QslLongText", "[]"},
        DefaultCase{"OwnLocator", "JO62MM"}, DefaultCase{"OwnPosition", "52.520833 13.0417"},
        DefaultCase{"OwnStationTexts", "0"},
        DefaultCase{"OptionSwitches", "1,1,0,1,1,0,1,0,1,0,1,1,1,0,0,1"},
        DefaultCase{"Colours", "0220BCFF,021DCD1D,00E9E9E9"}, DefaultCase{"OwnCall", "[]"},
        DefaultCase{"OwnCountry", "DL"}),
    [](const auto& info) { return info.param.name; });

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

  ToSetupExtern ext = setups.GetExtern();
  ext.programme.long_texts_1_to_6[5] = "/var/log/domivox";
  setups.SetExtern(ext);
  EXPECT_EQ(setups.GetExtern(), ext);

  ToSetupZusatzfelder extra = setups.GetZusatzfelder();
  extra.l[9].name = "Mitglied";
  setups.SetZusatzfelder(extra);
  EXPECT_EQ(setups.GetZusatzfelder(), extra);

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
  qsl.letter_groups[1] = {'B', 'D', 0, 0, 0};
  setups.SetQSL(qsl);
  EXPECT_EQ(setups.GetQSL(), qsl);
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
