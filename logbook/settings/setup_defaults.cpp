#include "logbook/settings/setup_defaults.h"

#include <string>

namespace logbook {
namespace {

TColor Map(TColor colour) { return common::ToGrafik::MapFarbe(colour); }

}  // namespace

ToSetupLayout DefaultSetupLayout() {
  ToSetupLayout r;
  r.area[256] = 255;
  r.area[257] = 255;
  r.tag99_label_font_colour = Map(0x0000FFFF);
  r.panel_colour = Map(0x02F7D2C0);
  r.label_font_colour = Map(0x00FFFFFF);
  r.form_colour = Map(0x02CF9F7F);
  r.side_bar_colour = Map(0x02A66C50);
  r.list_colours = {Map(0x0055BFFF), Map(0x00FFFFFF), Map(0x00000000), Map(0x00AADFFF)};
  r.layout_variant_switch = 1;
  r.layout_switch2 = 1;
  r.day_byte = 255;
  r.unstored_colours = {Map(0x00EFFFFF), Map(0x00FFFFFF)};
  r.unstored_colour = Map(0);
  r.font_name = "Arial";
  r.font_size = 9;
  return r;
}

ToSetupWeitere DefaultSetupWeitere() {
  ToSetupWeitere r;
  r.option_bytes_1_to_11 = {4, 4, 0, 1, 0, 0, 1, 0, 0, 0, 0};
  r.option_bytes_12_to_14 = {0, 1, 0};
  r.option_byte15 = 3;
  r.first_region_short = "DOK";
  r.first_region_long = "DOK/Gebiet1";
  r.second_region_short = "LDK";
  r.second_region_long = "LDK/Gebiet2";
  return r;
}

ToSetupZusatzfelder DefaultSetupZusatzfelder() {
  ToSetupZusatzfelder r;
  for (int i = 0; i < 10; ++i) {
    r.m[i].name = "M" + std::to_string(i + 1);
    r.l[i].name = "L" + std::to_string(i + 1);
    if (i < 6) {
      r.m[i].switches[1] = 1;
      r.l[i].switches[1] = 1;
    }
  }
  return r;
}

ToSetupQSL DefaultSetupQSL() {
  ToSetupQSL r;
  r.route_names = {ShortString<20>("Papier"), ShortString<20>("LotW"), ShortString<20>("EQSL"),
                   ShortString<20>(), ShortString<20>()};
  r.letter_groups = {
      {{'J', 'L', 'E', 0, 0}, {'J', 0, 0, 0, 0}, {'S', 'L', 'E', 0, 0}, {'Y', 'Y', 0, 0, 0}}};
  r.colours = {Map(0x0220BCFF), Map(0x0220BCFF), Map(0x0220BCFF), Map(0), Map(0)};
  r.status_letters = "JjYyV";
  r.qsl_letters = {'S', 'A', 'S'};
  return r;
}

ToSetupOwnStation DefaultSetupOwnStation() {
  ToSetupOwnStation r;
  r.own_locator = "JO62MM";
  r.latitude = 52.520833;
  r.longitude = 13.0417;
  return r;
}

ToSetupFlags16 DefaultSetupFlags16() { return {1, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 0, 1}; }

}  // namespace logbook
