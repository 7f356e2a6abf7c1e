// The own station as the summary sheet, the lists and the file heads print it, from the
// settings' own-station block: its locator, the name printed with the address (station text 2),
// the listener (SWL) number (further station text 1), street, city line and country (further
// texts 3, 4 and 5), the own district code (further text 6) and the e-mail address (further
// text 10).
#pragma once

#include <string>

namespace output {

struct OwnStationTexts {
  std::string locator;
  std::string name;
  std::string swl_number;
  std::string street;
  std::string city;
  std::string country;
  std::string email;
  std::string district;
};

// Read from the settings (common::Service<logbook::ToSetups>).
OwnStationTexts OwnStationFromSettings();

// The responsible operator of an EDI file kept as the own station's address: the name, street,
// city line and e-mail address, each cut to its place in the settings. The name goes to both
// places that hold it (station text 2, which is read, and further text 2, which is stored). The
// settings are written at once (ToSetups::Keep).
void StoreOwnAddress(const std::string& name, const std::string& street, const std::string& city,
                     const std::string& email);

}  // namespace output
