#include "output/own_station.h"

#include "common/service.h"
#include "logbook/settings/setups.h"

namespace output {

OwnStationTexts OwnStationFromSettings() {
  const logbook::ToSetupOwnStation own =
      common::Service<logbook::ToSetups>::Get().GetOwnStation();
  return {.locator = own.own_locator.str(),
          .name = own.station_text2.str(),
          .swl_number = std::string(own.further.Get(1)),
          .street = std::string(own.further.Get(3)),
          .city = std::string(own.further.Get(4)),
          .country = std::string(own.further.Get(5)),
          .email = std::string(own.further.Get(10))};
}

}  // namespace output
