#include "output/own_station.h"

#include "common/service.h"
#include "logbook/settings/setups.h"

namespace output {
namespace {

// The places of the texts among the further station texts.
constexpr int kSwlNumber = 1;
constexpr int kName = 2;
constexpr int kStreet = 3;
constexpr int kCity = 4;
constexpr int kCountry = 5;
constexpr int kDistrict = 6;
constexpr int kEmail = 10;

}  // namespace

OwnStationTexts OwnStationFromSettings() {
  const logbook::ToSetupOwnStation own =
      common::Service<logbook::ToSetups>::Get().GetOwnStation();
  return {.locator = own.own_locator.str(),
          .name = own.station_text2.str(),
          .swl_number = std::string(own.further.Get(kSwlNumber)),
          .street = std::string(own.further.Get(kStreet)),
          .city = std::string(own.further.Get(kCity)),
          .country = std::string(own.further.Get(kCountry)),
          .email = std::string(own.further.Get(kEmail)),
          .district = std::string(own.further.Get(kDistrict))};
}

void StoreOwnAddress(const std::string& name, const std::string& street, const std::string& city,
                     const std::string& email) {
  logbook::ToSetups& settings = common::Service<logbook::ToSetups>::Get();
  logbook::ToSetupOwnStation own = settings.GetOwnStation();
  own.further.Set(kName, name);
  own.station_text2 = own.further.Get(kName);
  own.further.Set(kStreet, street);
  own.further.Set(kCity, city);
  own.further.Set(kEmail, email);
  settings.SetOwnStation(own);
  settings.Keep();
}

}  // namespace output
