// The settings image from and to the services that hold the settings.
#include "common/lang_text.h"
#include "common/screen_services.h"
#include "common/service.h"
#include "common/to_dates.h"
#include "logbook/reference/modes.h"
#include "logbook/reference/prefix.h"
#include "logbook/settings/setups.h"
#include "logbook/setupfiles/settings_codec.h"

namespace logbook {
namespace {

using common::Service;

// ToModi's group strings 1 to 6 by number from 0.
std::string GetGroup(const ToModi& m, int g) {
  switch (g) {
    case 0:
      return m.GetGroup1();
    case 1:
      return m.GetGroup2();
    case 2:
      return m.GetGroup3();
    case 3:
      return m.GetGroup4();
    case 4:
      return m.GetGroup5();
    default:
      return m.GetGroup6();
  }
}

void SetGroup(ToModi& m, int g, std::string_view text) {
  switch (g) {
    case 0:
      return m.SetGroup1(text);
    case 1:
      return m.SetGroup2(text);
    case 2:
      return m.SetGroup3(text);
    case 3:
      return m.SetGroup4(text);
    case 4:
      return m.SetGroup5(text);
    default:
      return m.SetGroup6(text);
  }
}

}  // namespace

SettingsImage CaptureSettings() {
  SettingsImage s;
  const ToSetups& setups = Service<ToSetups>::Get();
  s.layout = setups.GetLayout();
  s.extern_ = setups.GetExtern();
  s.weitere = setups.GetWeitere();
  s.zusatzfelder = setups.GetZusatzfelder();
  s.qsl = setups.GetQSL();
  s.own_station = setups.GetOwnStation();
  s.flags = setups.GetFlags16();
  s.colour1 = setups.GetColour1();
  s.colour2 = setups.GetColour2();
  s.own_call = setups.GetOwnCallAsSet();
  s.own_country = setups.GetOwnCountry();

  const ToPrefix& analysis = Service<ToPrefix>::Get();
  for (int i = 0; i < ToPrefix::kSuffixCount; ++i) s.suffixes[i] = analysis.GetSuffixEntry(i + 1);

  const common::ToDates& dates = Service<common::ToDates>::Get();
  s.utc_hour_offset = dates.UtcHourOffset();
  s.use_system_offset = dates.UseSystemOffset() ? 1 : 0;
  s.kept_number = dates.KeptNumber();

  s.grid = Service<common::GridColours>::Get();
  s.screen_switch = Service<common::TScreenSS>::Get().Switch;
  s.form_scaling = Service<common::ToWinskal>::Get().FormScaledSetting;

  const ToModi& modes = Service<ToModi>::Get();
  for (int g = 0; g < 6; ++g) s.mode_groups[g] = GetGroup(modes, g);
  for (int i = 0; i < kModeClassCount; ++i) s.alias_lists[i] = modes.GetAliasList(i);
  for (int i = 0; i < modes.ModeListCount(); ++i) s.mode_list.push_back(modes.ModeListItem(i));

  s.language = common::LanguageByte();
  return s;
}

void ApplySettings(const SettingsImage& s) {
  ToSetups& setups = Service<ToSetups>::Get();
  setups.SetWeitere(s.weitere);
  setups.SetLayout(s.layout);
  setups.SetOwnStation(s.own_station);
  setups.SetFlags16(s.flags);
  setups.SetQSL(s.qsl);
  setups.SetExtern(s.extern_);
  setups.SetZusatzfelder(s.zusatzfelder);
  setups.SetColour1(s.colour1);
  setups.SetColour2(s.colour2);
  setups.SetOwnCall(s.own_call.view());
  setups.SetOwnCountry(s.own_country.view());

  ToPrefix& analysis = Service<ToPrefix>::Get();
  for (int i = 0; i < ToPrefix::kSuffixCount; ++i) analysis.SetSuffixEntry(i + 1, s.suffixes[i]);

  common::ToDates& dates = Service<common::ToDates>::Get();
  dates.SetUtcHourOffset(s.utc_hour_offset);
  dates.SetUseSystemOffset(s.use_system_offset != 0);
  dates.SetKeptNumber(s.kept_number);

  Service<common::GridColours>::Get() = s.grid;
  Service<common::TScreenSS>::Get().Switch = s.screen_switch;
  Service<common::ToWinskal>::Get().FormScaledSetting = s.form_scaling;

  ToModi& modes = Service<ToModi>::Get();
  for (int g = 0; g < 6; ++g) SetGroup(modes, g, s.mode_groups[g]);
  modes.ClearAliasLists();
  for (int i = 0; i < kModeClassCount; ++i) modes.SetAliasList(s.alias_lists[i], i);
  modes.ClearModeList();
  for (const std::string& mode : s.mode_list) modes.AddMode(mode);

  common::SetLanguageByte(s.language);
}

}  // namespace logbook
