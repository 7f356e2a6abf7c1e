// The station data of the own-station block by meaning: which of its texts holds the name, the
// address, the listener (SWL) number, the e-mail address, the DOK and the LDK. The contest setup
// form edits them, the summary sheet and the file formats print them.
//
// The name is kept twice: station text 2, which the outputs read, and further text 2, which the
// settings save writes back to the setup record.
#pragma once

#include <string>

#include "logbook/settings/setup_records.h"

namespace logbook {

// Further station texts (1-based) of the block.
inline constexpr int kOwnSwlNumberText = 1;
inline constexpr int kOwnNameText = 2;
inline constexpr int kOwnStreetText = 3;
inline constexpr int kOwnCityText = 4;  // postcode, a blank and the place
inline constexpr int kOwnCountryText = 5;
inline constexpr int kOwnDokText = 6;
inline constexpr int kOwnEmailText = 10;
inline constexpr int kOwnLdkText = 25;

struct OwnStationTexts {
  std::string name{};
  std::string swl_number{};
  std::string street{};
  std::string city{};
  std::string country{};
  std::string email{};
  std::string dok{};
  std::string ldk{};
};

OwnStationTexts OwnStationTextsOf(const ToSetupOwnStation& own);
// Stores the texts, each cut to its place's capacity.
void SetOwnStationTexts(const OwnStationTexts& texts, ToSetupOwnStation& own);

}  // namespace logbook
