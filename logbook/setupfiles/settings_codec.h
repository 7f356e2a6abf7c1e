// The settings load and save between the two setup records and the program's settings.
//
// The places are those of setup_places.h. What the load takes goes to the settings object
// ToSetups, the mode classes ToModi (group strings, alias lists, the user's mode list), the suffix
// table of ToPrefix, the date routines ToDates (UTC offset, its system flag, the kept number), the
// grid colours, the screen services and the language byte; the save reads them back. The services
// named must exist.
#pragma once

#include "logbook/setupfiles/setup_files.h"
#include "logbook/setupfiles/setup_places.h"

namespace logbook {

// Unpacks the records into the settings. The own country follows from the own call through
// the prefix database (ResolveCall at today's date, the DXCC selection's window kept shut);
// without ToDatPrefix, or when the call resolves to nothing valid today, it keeps its value. The
// region captions follow the own country.
void SettingsFromSetup(const PxSetupRecord& pxsetup, const PxSetup2Record& pxsetup2);
// Packs the settings into the records, writing only the places the settings own: every other
// byte keeps what the records held. With `keep_variant_byte` the byte of the layout variant
// switch (PXSETUP 3523) is left as it was.
void SettingsToSetup(PxSetupRecord& pxsetup, PxSetup2Record& pxsetup2, bool keep_variant_byte);

// --- the steps, on an image of the settings ---

// A copy of everything the load and save move, from the services.
SettingsImage CaptureSettings();
// Gives the image back to the services.
void ApplySettings(const SettingsImage& image);
// The records into the image (every rule but the own country and the region captions).
void UnpackSettings(const PxSetupRecord& pxsetup, const PxSetup2Record& pxsetup2,
                    SettingsImage& image);
// The image into the records.
void PackSettings(const SettingsImage& image, PxSetupRecord& pxsetup, PxSetup2Record& pxsetup2,
                  bool keep_variant_byte);
// The own country of the image's own call (see SettingsFromSetup), then the region captions.
void ResolveOwnCountry(SettingsImage& image);
// The four region captions of the own country: "DL", "OE", Switzerland ("HB9", or "HB" as the
// system's DXCC table names it) and any other.
void SetRegionCaptions(std::string_view own_country, ToSetupWeitere& weitere);

}  // namespace logbook
