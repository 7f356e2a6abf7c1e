// The own station as the summary sheet and the lists print it, from the settings' own-station
// block: its locator, the name printed with the address (station text 2), the listener (SWL)
// number (further station text 1), street, city line and country (further texts 3, 4 and 5)
// and the e-mail address (further text 10).
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
};

// Read from the settings (common::Service<logbook::ToSetups>).
OwnStationTexts OwnStationFromSettings();

}  // namespace output
