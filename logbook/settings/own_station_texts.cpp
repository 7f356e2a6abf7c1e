#include "logbook/settings/own_station_texts.h"

namespace logbook {

OwnStationTexts OwnStationTextsOf(const ToSetupOwnStation& own) {
  const auto text = [&](int k) { return std::string(own.further.Get(k)); };
  return {.name = own.station_text2.str(),
          .swl_number = text(kOwnSwlNumberText),
          .street = text(kOwnStreetText),
          .city = text(kOwnCityText),
          .country = text(kOwnCountryText),
          .email = text(kOwnEmailText),
          .dok = text(kOwnDokText),
          .ldk = text(kOwnLdkText)};
}

void SetOwnStationTexts(const OwnStationTexts& texts, ToSetupOwnStation& own) {
  own.station_text2 = texts.name;
  own.further.Set(kOwnNameText, texts.name);
  own.further.Set(kOwnSwlNumberText, texts.swl_number);
  own.further.Set(kOwnStreetText, texts.street);
  own.further.Set(kOwnCityText, texts.city);
  own.further.Set(kOwnCountryText, texts.country);
  own.further.Set(kOwnEmailText, texts.email);
  own.further.Set(kOwnDokText, texts.dok);
  own.further.Set(kOwnLdkText, texts.ldk);
}

}  // namespace logbook
