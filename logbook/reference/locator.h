// Maidenhead locators: validity, coordinates, great-circle distance and bearing (QRB).
//
// A locator has up to 6 characters: field letters 'A'-'R', square digits '0'-'9', subsquare
// letters 'A'-'X'. A shorter locator stands for the centre of the area it names. Distances are
// in km (111.12 km per degree of arc), bearings in degrees from north. `ToLocator` has no state;
// one object per process (common::Service<ToLocator>).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/tssobject.h"

namespace logbook {

// The protocol sink of the reference services: notified of each traced distance computation, it
// does nothing (the notification is the inherited one). One object per process
// (common::Service<TProtSS>); QRB notifies it when it exists.
class TProtSS : public common::Tssobject {};

// The coordinates of a locator's centre, as LocatorToCoordinates gives them.
struct LocatorCoordinates {
  std::int32_t lon_degrees = 0;
  char north_south = ' ';  // 'N' or 'S'
  char east_west = ' ';    // 'E' or 'W'
  double lat_minutes_real = 0;
  double lon_minutes_real = 0;  // minutes + seconds / 60
  double latitude = 0;          // degrees, north positive
  // Degrees: east from 0 to below 360 when asked to keep it so; otherwise a western longitude
  // is given as positive degrees west (with 'W').
  double longitude = 0;
  std::int32_t lat_seconds = 0;
  std::int32_t lat_minutes = 0;
  std::int32_t lat_degrees = 0;
  std::int32_t lon_seconds = 0;
  std::int32_t lon_minutes = 0;
};

class ToLocator {
 public:
  // True when each character present among the first six lies in its range (upper case only);
  // an empty text is valid, characters after the sixth are not looked at.
  static bool IsValidLocator(std::string_view text);

  // The centre of the locator's area (slashed zeros read as '0', upper-cased, 2 to 6 characters,
  // a short one padded to 6 with the centre's characters). False, with all outputs zero and the
  // letters blank, for any other length or an invalid locator.
  static bool LocatorToCoordinates(std::string_view locator, bool keep_east,
                                   LocatorCoordinates& out);

  // Great-circle distance (km) and bearing (degrees) from the first locator to the second, and
  // the second locator's longitude in radians (east, 0 to 2 pi). False when a locator does not
  // convert; the bearing is 0 for a distance of 0 and for antipodal points (20000 km or more).
  static bool DistanceBearing(std::string_view first, std::string_view second,
                              double& second_longitude_rad, double& bearing, double& distance);

  // DistanceBearing from the own locator to another; also notifies the protocol sink, except
  // for the caller tag "Glanzpunkt" (the reference list, which computes a row at a time).
  static bool QRB(std::string_view own, std::string_view other, std::string_view caller_tag,
                  double& bearing, double& distance);
};

}  // namespace logbook
