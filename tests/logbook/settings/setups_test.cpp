#include "logbook/settings/setups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

#include "common/protocol.h"
#include "common/service.h"
#include "platform/fake_environment.h"
#include "tests/common/temp_folder.h"

namespace logbook {
namespace {

template <typename... Bytes>
bool AllZero(const Bytes&... bytes) {
  return (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }) && ...);
}

template <typename T, typename... V>
std::array<T, sizeof...(V)> Array(V... values) {
  return {static_cast<T>(values)...};
}

// Every default of a new settings object once, one line each.
TEST(ToSetups, StartsWithTheDefaults) {
  const ToSetups s;
  const ToSetupLayout l = s.GetLayout();
  EXPECT_EQ(l.popup_menu_switch, 0);
  EXPECT_TRUE(AllZero(std::span(l.area).first(256)));
  EXPECT_EQ(l.area[256], 255);
  EXPECT_EQ(l.area[257], 255);
  EXPECT_EQ(Array<TColor>(l.tag99_label_font_colour, l.panel_colour, l.label_font_colour,
                          l.form_colour, l.side_bar_colour),
            Array<TColor>(0x0000FFFF, 0x02F7D2C0, 0x00FFFFFF, 0x02CF9F7F, 0x02A66C50));
  EXPECT_EQ(l.list_colours, Array<TColor>(0x0055BFFF, 0x00FFFFFF, 0, 0x00AADFFF));
  EXPECT_EQ(
      Array<int>(l.layout_byte1, l.layout_variant_switch, l.layout_switch1, l.layout_switch2,
                 l.unstored_byte, l.day_byte, l.layout_byte2, l.layout_switch3, l.layout_switch4),
      Array<int>(0, 1, 0, 1, 0, 255, 0, 0, 0));
  EXPECT_EQ(l.layout_numbers, Array<std::int32_t>(0, 0, 0, 0, 0));
  EXPECT_EQ(l.layout_number6 | l.layout_number7, 0);
  EXPECT_EQ(l.layout_text.str() + l.unstored_text, "");
  EXPECT_EQ(Array<TColor>(l.unstored_colours[0], l.unstored_colours[1], l.unstored_colour),
            Array<TColor>(0x00EFFFFF, 0x00FFFFFF, 0));
  EXPECT_EQ(l.font_name.str() + " " + std::to_string(l.font_size), "Arial 9");
  EXPECT_TRUE(AllZero(l.column_table1, l.column_table2, l.column_table3, l.column_table4,
                      l.column_table5, l.column_table6, l.column_table7, l.column_table8,
                      l.column_table9, l.column_table10));
  EXPECT_EQ(s.GetExtern(), ToSetupExtern{});
  EXPECT_EQ(s.GetDirs(), ToSetupDirs{});

  ToSetupWeitere w = s.GetWeitere();
  EXPECT_EQ(w.option_bytes_1_to_11, Array<std::uint8_t>(4, 4, 0, 1, 0, 0, 1, 0, 0, 0, 0));
  EXPECT_EQ(w.option_bytes_12_to_14, Array<std::uint8_t>(0, 1, 0));
  EXPECT_EQ(w.option_byte15, 3);
  EXPECT_EQ(Array<std::string>(w.first_region_short, w.first_region_long, w.second_region_short,
                               w.second_region_long),
            Array<std::string>("DOK", "DOK/Gebiet1", "LDK", "LDK/Gebiet2"));
  w.option_bytes_1_to_11 = {};  // the rest of the record is zero
  w.option_bytes_12_to_14 = {};
  w.option_byte15 = 0;
  w.first_region_short = w.first_region_long = w.second_region_short = w.second_region_long = "";
  EXPECT_EQ(w, ToSetupWeitere{});

  const ToSetupZusatzfelder z = s.GetZusatzfelder();
  for (std::size_t i = 0; i < 10; ++i) {
    const std::uint8_t second = i < 6 ? 1 : 0;
    EXPECT_EQ(z.m[i], (ToSetupZusatzfelderRec{"M" + std::to_string(i + 1), "", {0, second}}));
    EXPECT_EQ(z.l[i], (ToSetupZusatzfelderRec{"L" + std::to_string(i + 1), "", {0, second}}));
  }

  const ToSetupQSL q = s.GetQSL();
  EXPECT_EQ(q.route_names, Array<ShortString<20>>("Papier", "LotW", "EQSL", "", ""));
  EXPECT_EQ(q.letter_groups,
            (decltype(q.letter_groups){{{'J', 'L', 'E'}, {'J'}, {'S', 'L', 'E'}, {'Y', 'Y'}}}));
  EXPECT_EQ(q.colours, Array<TColor>(0x0220BCFF, 0x0220BCFF, 0x0220BCFF, 0, 0));
  EXPECT_EQ(q.status_letters, "JjYyV");
  EXPECT_TRUE(AllZero(q.qsl_bytes));
  EXPECT_EQ(q.qsl_letters, Array<char>('S', 'A', 'S'));
  EXPECT_EQ(q.long_text, "");

  const ToSetupOwnStation o = s.GetOwnStation();
  EXPECT_EQ(o.own_locator, "JO62MM");
  EXPECT_EQ(Array<double>(o.latitude, o.longitude), Array<double>(52.520833, 13.0417));
  EXPECT_EQ(o.station_text1.str() + o.station_text2.str() + o.station_text3.str(), "");
  EXPECT_EQ(o.further, FurtherStationTexts{});

  EXPECT_EQ(s.GetFlags16(), Array<std::uint8_t>(1, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 0, 1));
  EXPECT_EQ(Array<TColor>(s.GetColour1(), s.GetColour2(), s.GetColour3()),
            Array<TColor>(0x0220BCFF, 0x021DCD1D, 0x00E9E9E9));
  EXPECT_EQ(s.GetOwnCall(false), "");
  EXPECT_EQ(s.GetOwnCountry(), "DL");
}

TEST(ToSetups, RecordsComeBackAsTheyWereCopiedIn) {
  common::ScopedService<ToSetups> service;
  ToSetups& setups = *service;
  EXPECT_TRUE(ToLayout::GetLayoutOption());
  ToSetupLayout layout = setups.GetLayout();
  layout.column_table3[399] = 0xAB;
  layout.unstored_text = "lang";
  layout.layout_variant_switch = 2;
  setups.SetLayout(layout);
  EXPECT_EQ(setups.GetLayout(), layout);
  EXPECT_TRUE(ToLayout::GetLayoutOption());
  layout.layout_variant_switch = 0;
  setups.SetLayout(layout);
  EXPECT_FALSE(ToLayout::GetLayoutOption());  // the old look

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
  texts.Set(11, "kurz");  // the rest of its place is cleared, as the record stores it
  EXPECT_EQ(texts.text11, "kurz");
  const char* place = reinterpret_cast<const char*>(&texts.text11);
  EXPECT_EQ(std::string(place + 5, 96), std::string(96, '\0'));
  EXPECT_EQ(texts.Get(0), "");
  EXPECT_EQ(texts.Get(26), "");
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
