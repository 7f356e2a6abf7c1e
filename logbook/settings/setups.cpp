#include "logbook/settings/setups.h"

#include "common/protocol.h"
#include "common/service.h"
#include "common/string_helpers.h"
#include "logbook/settings/setup_defaults.h"

namespace logbook {
namespace {

using common::ToGrafik;

}  // namespace

ToSetups::ToSetups() {
  // The order of the defaults: layout; extern and folders zeroed (their members start at zero);
  // QSL, further options, extra fields, own station, option switches.
  layout_ = DefaultSetupLayout();
  qsl_ = DefaultSetupQSL();
  weitere_ = DefaultSetupWeitere();
  zusatzfelder_ = DefaultSetupZusatzfelder();
  own_station_ = DefaultSetupOwnStation();
  flags16_ = DefaultSetupFlags16();
  colour1_ = ToGrafik::MapFarbe(kDefaultColour1);
  colour2_ = ToGrafik::MapFarbe(kDefaultColour2);
  own_country_ = kDefaultOwnCountry;
  colour3_ = ToGrafik::MapFarbe(kDefaultColour3);
  common::Protocol::NoteSettingsObject(true);
}

ToSetups::~ToSetups() { common::Protocol::NoteSettingsObject(false); }

std::string ToSetups::GetOwnCall(bool file_name_form) const {
  const std::string call = common::Trim(own_call_.view());
  return file_name_form ? common::FileNameSafe(call) : call;
}

bool ToLayout::GetLayoutOption() {
  return common::Service<ToSetups>::Get().GetLayout().layout_variant_switch != 0;
}

}  // namespace logbook
