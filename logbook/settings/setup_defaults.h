// The defaults of the settings records, as the settings object starts with them. Colours pass
// through the colour hook `ToGrafik::MapFarbe`.
#pragma once

#include "logbook/settings/setup_records.h"

namespace logbook {

ToSetupLayout DefaultSetupLayout();
ToSetupWeitere DefaultSetupWeitere();
ToSetupZusatzfelder DefaultSetupZusatzfelder();
ToSetupQSL DefaultSetupQSL();
ToSetupOwnStation DefaultSetupOwnStation();
ToSetupFlags16 DefaultSetupFlags16();

// The colours of ToSetups itself.
constexpr TColor kDefaultColour1 = 0x0220BCFF;
constexpr TColor kDefaultColour2 = 0x021DCD1D;
constexpr TColor kDefaultColour3 = 0x00E9E9E9;
constexpr std::string_view kDefaultOwnCountry = "DL";

}  // namespace logbook
