// The settings load: a first run, the rules that decide what is taken, damaged records.
#include <filesystem>

#include "common/grafik.h"
#include "logbook/settings/setup_defaults.h"
#include "logbook/setupfiles/settings_store.h"
#include "tests/common/rows.h"
#include "tests/logbook/setupfiles/settings_fixture.h"

namespace logbook::testing {
namespace {

using SettingsLoadTest = SettingsTest;
const common::GridColours& Grid() { return common::Service<common::GridColours>::Get(); }

// What a load of two zero records leaves of settings `s`: every field the load always takes gets
// the value of zero bytes under its rule; the others keep what they were.
SettingsImage AfterZeroRecords(SettingsImage s) {
  ToSetupLayout& l = s.layout;
  l.popup_menu_switch = l.layout_byte1 = l.layout_byte2 = l.layout_switch1 = l.layout_switch3 = 0;
  l.layout_variant_switch = l.layout_switch2 = 1;
  l.layout_switch4 = l.day_byte = 255;
  l.layout_text = "";
  l.form_colour = 0x02CF9F7F;
  l.layout_numbers = {};
  l.layout_number6 = l.layout_number7 = 0;
  l.column_table1 = l.column_table2 = l.column_table5 = {};
  l.column_table3 = l.column_table6 = {};
  l.column_table4 = {};
  l.column_table7 = l.column_table8 = {};
  l.column_table9 = l.column_table10 = {};
  s.weitere = ToSetupWeitere{};
  s.weitere.option_bytes_1_to_11 = {0, 4, 0, 1, 0, 0, 1, 1, 0, 0, 1};
  s.weitere.option_bytes_12_to_14 = {0, 1, 0};
  SetRegionCaptions("DL", s.weitere);
  ToSetupExternCallBook& cb = s.extern_.call_book;
  cb.long_texts_5_to_8[2] = cb.long_texts_5_to_8[3] = "";
  cb.long_texts_9_10 = {};
  cb.switches_1_to_8 = {};
  cb.byte = cb.switch9 = 0;
  cb.switch10 = 1;
  cb.short_text = "";
  for (int i = 0; i < 10; ++i) {
    for (ToSetupZusatzfelderRec* e : {&s.zusatzfelder.m[i], &s.zusatzfelder.l[i]}) {
      e->switches[1] = i < 6 ? 1 : 0;
      e->switches[2] = e->switches[3] = e->switches[4] = 0;
    }
    s.zusatzfelder.l[i].switches[0] = 0;  // switch 1 of the M entries is not stored
  }
  s.qsl.qsl_bytes = {};
  s.qsl.qsl_letters = {'S', 'A', 'S'};
  s.qsl.long_text = "";
  ToSetupOwnStation& o = s.own_station;
  o.own_locator = o.station_text2 = o.station_text3 = "";
  o.further = FurtherStationTexts{};
  const ToSetupFlags16 f = s.flags;  // switches 3 and 10 are not stored
  s.flags = {1, 1, 0, f[3], 0, 0, 1, 0, 1, 0, f[10], 1, 1, 1, 0, 1};
  s.own_call = "";
  std::fill(s.suffixes.begin() + 9, s.suffixes.end(), TSuffixEntry{});
  s.utc_hour_offset = s.kept_number = s.use_system_offset = s.screen_switch = 0;
  s.grid.GridHeaderColor = l.panel_colour;
  s.grid.GridHighlightColor = common::ToGrafik::FarbeAbstufen(l.panel_colour, 30);
  s.form_scaling = 1;
  s.alias_lists = {};
  s.mode_list.clear();
  return s;
}

// The first start in an empty folder: both tables are made with one zero record, and the load
// gives every field it always takes the value of zero bytes (from settings that all differ from
// it), while the fields taken only when set keep what they were.
TEST_F(SettingsLoadTest, AFirstRunMakesOneZeroRecordPerTableAndLoadsZeroValues) {
  SetupRecords(0x5A).Load();  // every setting away from its zero-record value
  const SettingsImage before = CaptureSettings();
  ASSERT_EQ(before.weitere.option_bytes_1_to_11[1], 0x5A);
  ASSERT_TRUE(LoadSettings());
  ExpectSameSettings(CaptureSettings(), AfterZeroRecords(before));
  for (const int kind : {kSetupMain, kSetupMore}) EXPECT_EQ(TdbSetup(kind).RecordCount(), 1);
  const PxSetupRecord main = StoredMain();
  TdbSetup cursor(kSetupMore);
  ASSERT_TRUE(cursor.First(kSetupAutoreKey));
  auto more = std::make_unique<PxSetup2Record>();
  cursor.GetRecord1(*more);
  EXPECT_EQ(common::ReadLeInt32(&main[kSetupAutoreOffset]), 1);
  EXPECT_TRUE(std::all_of(main.begin() + 8, main.end(), [](auto b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(more->begin() + 8, more->end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(CheckSetup(kSetupMain) + CheckSetup(kSetupMore), "");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "PELPSETP.DAT"));
}

TEST_F(SettingsLoadTest, QslRoutesGroupsAndColoursNeedAFirstRouteName) {
  SetupRecords r;
  std::copy_n("XLJQX", 5, r.more->begin() + 34288);  // letter group 1
  Put32(*r.more, 34303, 0x00123456);
  r.Load();
  EXPECT_EQ(Settings().GetQSL(), DefaultSetupQSL());
  PutText(*r.more, 34183, "Büro");
  r.Load();  // a zero colour keeps its value
  const ToSetupQSL q = Settings().GetQSL();
  EXPECT_EQ(q.route_names[0], "Büro");
  EXPECT_EQ(q.route_names[1], "");
  EXPECT_EQ(std::string(q.letter_groups[0].data(), 5), "XLJQX");
  EXPECT_EQ(q.colours[0], 0x00123456u);
  EXPECT_EQ(q.colours[1], DefaultSetupQSL().colours[1]);
  EXPECT_EQ(q.status_letters, "JjYyVXLQ");
}

TEST_F(SettingsLoadTest, TheSystemOffsetReplacesTheStoredOneInWholeHours) {
  SetupRecords r;
  Put32(*r.main, 1795, static_cast<std::uint32_t>(-5));
  clock_.utc_bias_minutes = -90;
  r.Load();
  EXPECT_EQ(common::Service<common::ToDates>::Get().UtcHourOffset(), -5);
  (*r.main)[3514] = 1;
  r.Load();
  EXPECT_EQ(common::Service<common::ToDates>::Get().UtcHourOffset(), -1);
}

TEST_F(SettingsLoadTest, TheDayByteHoldsOnlyOnTheDayOfTheSave) {
  ToSetupLayout l = Settings().GetLayout();
  l.day_byte = 7;
  Settings().SetLayout(l);
  SetupRecords r;
  r.Save();
  r.Load();
  EXPECT_EQ(Settings().GetLayout().day_byte, 7);
  clock_.now.day += 1;
  r.Load();
  EXPECT_EQ(Settings().GetLayout().day_byte, 255);
}

TEST_F(SettingsLoadTest, TheFormColourComesFromTheSourceOfTheVariantSwitch) {
  struct Case {
    std::uint8_t variant_byte;  // PXSETUP 3523
    std::uint32_t at_2741, at_3519, form_colour;
  };
  for (const Case& c : {Case{1, 0x00111111, 0x00222222, 0x00111111},  // switch 0: second source
                        Case{0, 0x00111111, 0x00222222, 0x00222222},  // switch 1: first source
                        Case{0, 0, 0x02CD9E87, 0x02CF9F7F},  // an earlier default reads as today's
                        Case{1, 0, 0x00222222, 0x02CF9F7F}}) {
    SetupRecords r;
    Put32(*r.main, 707, 0x00FFFFFF);  // the colour condition
    (*r.main)[3523] = c.variant_byte;
    Put32(*r.main, 2741, c.at_2741);
    Put32(*r.main, 3519, c.at_3519);
    Put32(*r.main, 2745, 0x00102030);
    r.Load();
    EXPECT_EQ(Settings().GetLayout().form_colour, c.form_colour) << c.at_2741 << " " << c.at_3519;
    EXPECT_EQ(Settings().GetLayout().side_bar_colour, 0x00102030u);
  }
}

TEST_F(SettingsLoadTest, FiveZeroColoursTakeNoColourButResetTheFormColour) {
  ToSetupLayout l = Settings().GetLayout();
  l.form_colour = 0x00ABCDEF;
  l.panel_colour = 0x00445566;
  Settings().SetLayout(l);
  SetupRecords r;
  Put32(*r.main, 2741, 0x00111111);
  Put32(*r.main, 3505, 0x00777777);
  r.Load();
  EXPECT_EQ(Settings().GetLayout().form_colour, 0x02CF9F7Fu);
  EXPECT_EQ(Settings().GetLayout().panel_colour, 0x00445566u);
  EXPECT_EQ(Grid().GridAltRowColor, 0x00FFFFFFu);
  EXPECT_EQ(Grid().GridHeaderColor, 0x00445566u);
  EXPECT_EQ(Grid().GridHighlightColor, common::ToGrafik::FarbeAbstufen(0x00445566, 30));
  Put32(*r.main, 715, 0x00010203);  // with the condition, a zero second grid colour takes it
  Put32(*r.main, 3505, 0);
  r.Load();
  EXPECT_EQ(Grid().GridAltRowColor, 0x00010203u);
}

TEST_F(SettingsLoadTest, ThePopupMenuSwitchTurnsOptionSwitch6Off) {
  SetupRecords r;  // 1775 zero: switch 6 on
  r.Load();
  EXPECT_EQ(Settings().GetFlags16()[6], 1);
  (*r.more)[34510] = 255;
  r.Load();
  EXPECT_EQ(Settings().GetFlags16()[6], 0);
  (*r.main)[1775] = 0x42;
  r.Save();  // the switch keeps the byte as the file holds it
  EXPECT_EQ((*r.main)[1775], 0x42);
}

using OwnCallCase = common::testing::Row2<std::string, std::string, std::string>;
class OwnCountry : public SettingsTest, public ::testing::WithParamInterface<OwnCallCase> {};

TEST_P(OwnCountry, FollowsTheOwnCallAndSetsTheRegionCaptions) {
  Add({{.prefix = "OE", .dxcc = "OE"},
       {.prefix = "HB", .dxcc = "HB"},
       {.prefix = "HB9Z", .dxcc = "HB9"},
       {.prefix = "F", .dxcc = "F"}});
  SetupRecords r;
  PutText(*r.main, 3400, GetParam().a);
  r.Load();
  EXPECT_EQ(Settings().GetOwnCountry(), GetParam().b);
  const ToSetupWeitere& w = Settings().WeiterePtr();
  EXPECT_EQ(w.first_region_short.str() + "|" + w.first_region_long.str() + "|" +
                w.second_region_short.str() + "|" + w.second_region_long.str(),
            GetParam().out);
  EXPECT_EQ(Analysis().Interactive(), 1);  // off during the lookup only
  EXPECT_TRUE(port_->requests.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OwnCountry,
    ::testing::Values(
        OwnCallCase{"Austria", "OE3XYZ", "OE", "ADL|ADL/Gebiet1|Gebiet2|Gebiet2"},
        OwnCallCase{"Switzerland", "HB9ABC", "HB", "Kanton|Kanton/Gebiet1|Gebiet2|Gebiet2"},
        OwnCallCase{"SwitzerlandAsHB9", "HB9ZZ", "HB9", "Kanton|Kanton/Gebiet1|Gebiet2|Gebiet2"},
        OwnCallCase{"Elsewhere", "F5ABC", "F", "Gebiet1|Gebiet1|Gebiet2|Gebiet2"},
        OwnCallCase{"Unresolvable", "QQ1ABC", "DL", "DOK|DOK/Gebiet1|LDK|LDK/Gebiet2"}),
    common::testing::RowName);

// Every text place holds a length byte of 255 and characters that tell the fields apart: each
// text loads as exactly its own field's characters, and saves within its field again.
TEST_F(SettingsLoadTest, LengthBytesAboveTheCapacityReadOnlyTheField) {
  SetupRecords r;
  const auto damage = [](auto& record, std::span<const Place> places) {
    for (std::size_t at = 0; at < record.size(); ++at) record[at] = 'a' + at % 26;
    for (const Place& p : places) {
      for (int i = 0; p.rule == Rule::kText && i < p.count; ++i) record[p.EntryOffset(i)] = 0xFF;
    }
  };
  damage(*r.main, PxSetupPlaces());
  damage(*r.more, PxSetup2Places());
  r.Load();
  const auto chars = [](int at, int capacity) {
    std::string s;
    for (int k = 1; k <= capacity; ++k) s += static_cast<char>('a' + (at + k) % 26);
    return s;
  };
  const ToSetupOwnStation o = Settings().GetOwnStation();
  EXPECT_EQ(Settings().GetOwnCallAsSet(), chars(3400, 14));
  EXPECT_EQ(o.own_locator.str() + o.station_text2.str(), chars(1776, 6) + chars(2103, 50));
  EXPECT_EQ(std::string(o.further.Get(1)) + std::string(o.further.Get(25)),
            chars(2088, 14) + chars(3515, 3));
  EXPECT_EQ(Settings().GetWeitere().long_text1, chars(35378, 8));
  EXPECT_EQ(Settings().GetQSL().long_text, chars(35399, 20));
  EXPECT_EQ(Settings().GetZusatzfelder().m[0].name, chars(1668, 10));
  const ToModi& modes = common::Service<ToModi>::Get();
  EXPECT_EQ(modes.GetAliasList(12), chars(4530 + 101 * 12, 100));
  EXPECT_EQ(modes.ModeListItem(0) + modes.GetGroup1(), chars(6894, 12) + chars(34429, 10));

  SetupRecords saved;
  saved.Save();
  const auto fits = [](const auto& record, std::span<const Place> places) {
    for (const Place& p : places) {
      for (int i = 0; p.rule == Rule::kText && p.way != Way::kLoadOnly && i < p.count; ++i) {
        EXPECT_LT(record[p.EntryOffset(i)], p.size) << "text at " << p.EntryOffset(i);
      }
    }
  };
  fits(*saved.main, PxSetupPlaces());
  fits(*saved.more, PxSetup2Places());
}

}  // namespace
}  // namespace logbook::testing
