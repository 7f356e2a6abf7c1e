// LoadSettings and SaveSettings: the settings between the program and the setup tables.
//
// The settings live in the first record (in record-number order) of PXSETUP and of PXSETUP2
// (settings_codec.h says what moves where). Both routines open a table that is not open through
// their cursors and close it again afterwards; the program opens PXSETUP at start-up and closes
// both tables at shutdown. They need the ToDatSetup service, the driver system and the services
// the codec fills. Serious database errors raise EDBError.
#pragma once

namespace logbook {

// How often the save reads, packs and writes again when a write is refused (another user wrote
// the record in between).
inline constexpr int kSaveAttempts = 10;

// Reads both records, adding one cleared record to a table that has none, and unpacks them into
// the settings (SettingsFromSetup). False, with the settings left as they were, when a table
// cannot be opened or has no record that could be read or added.
bool LoadSettings();

// Reads both records again, packs the settings into them (SettingsToSetup, with the flag
// `keep_variant_byte`, clear at shutdown) and writes them back, so that what the settings do not
// own keeps what the file holds. A refused write is tried again on the records as they are then,
// at most kSaveAttempts times. False when a table cannot be opened or a write fails for good.
bool SaveSettings(bool keep_variant_byte = false);

}  // namespace logbook
