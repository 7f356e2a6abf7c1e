#include "logbook/reference/locator.h"

#include <algorithm>
#include <cmath>

#include "common/char_convert.h"
#include "common/cp1252.h"
#include "common/service.h"

namespace logbook {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kKmPerDegree = 111.12;

// arccos as pi/2 - arctan(x / sqrt(1 - x^2)), with the ends of the range exact.
double ArcCos(double x) {
  const double root = std::sqrt(1 - x * x);
  if (root == 0 || std::isnan(root)) return x <= 0 ? kPi : 0;
  return kPi / 2 - std::atan(x / root);
}

double Clamp1(double x) { return x > 1 ? 1 : (x < -1 ? -1 : x); }

// Truncation toward zero of a value that is whole in exact arithmetic more often than not: the
// centre of a locator lies on whole seconds, and 44.99999999999984 must give 45 seconds, not 44.
int Whole(double x) {
  constexpr double kSlack = 1e-7;
  return static_cast<int>(std::trunc(x >= 0 ? x + kSlack : x - kSlack));
}

}  // namespace

bool ToLocator::IsValidLocator(std::string_view text) {
  const std::size_t n = text.size() < 6 ? text.size() : 6;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    bool ok;
    if (i < 2) {
      ok = c >= 'A' && c <= 'R';
    } else if (i < 4) {
      ok = c >= '0' && c <= '9';
    } else {
      ok = c >= 'A' && c <= 'X';
    }
    if (!ok) return false;
  }
  return true;
}

bool ToLocator::LocatorToCoordinates(std::string_view locator, bool keep_east,
                                     LocatorCoordinates& out) {
  out = LocatorCoordinates{};
  // Missing characters are those of the centre of the named area.
  static constexpr std::string_view kPadding[] = {"", "", "44XX", "4MX", "MM", "M", ""};
  if (locator.size() < 2 || locator.size() > 6) return false;
  char buf[6];
  for (std::size_t i = 0; i < locator.size(); ++i) {
    const char c = locator[i];
    buf[i] = c == common::kSlashedZero ? '0' : common::cp1252::ToUpper(c);
  }
  const std::string_view padding = kPadding[locator.size()];
  std::copy(padding.begin(), padding.end(), buf + locator.size());
  const std::string_view loc(buf, 6);
  if (!IsValidLocator(loc)) return false;

  // Longitude east from 0 to below 360 (180 = the date line, field A).
  int lon_degrees = (loc[0] - 'A') * 20 + 180;
  if (lon_degrees >= 360) lon_degrees -= 360;
  lon_degrees += (loc[2] - '0') * 2;
  int lon_minutes = (loc[4] - 'A') * 5 + 2;
  int lon_seconds = 30;
  if (lon_minutes > 60) {
    lon_minutes -= 60;
    lon_degrees += 1;
  }

  double lat_minutes_real = (loc[5] - 'A') * 2.5 + 1.25;
  int lat_minutes = Whole(lat_minutes_real);
  int lat_seconds = Whole((lat_minutes_real - lat_minutes) * 60);
  int lat_degrees = (loc[1] - 'A') * 10 - 90 + (loc[3] - '0');

  double longitude = lon_degrees + lon_minutes / 60.0 + lon_seconds / 3600.0;
  const double latitude = lat_degrees + lat_minutes / 60.0 + lat_seconds / 3600.0;

  if (latitude < 0) {
    // Degrees, minutes and seconds south, from the magnitude.
    lat_degrees = Whole(latitude);
    const double f = std::fabs(latitude - lat_degrees);
    lat_minutes = Whole(f * 60);
    lat_seconds = Whole((f - lat_minutes / 60.0) * 3600);
    lat_minutes_real = f * 60;
  }

  char east_west = 'E';
  if (longitude > 180) {
    const double w = 360 - longitude;
    lon_degrees = Whole(w);
    const double f = w - lon_degrees;
    lon_minutes = std::abs(Whole(f * 60));
    lon_seconds = std::abs(Whole(f * 3600) - lon_minutes * 60);
    if (!keep_east) longitude = lon_degrees + lon_minutes / 60.0 + lon_seconds / 3600.0;
    east_west = 'W';
  }

  out.lon_degrees = lon_degrees;
  out.north_south = latitude >= 0 ? 'N' : 'S';
  out.east_west = east_west;
  out.lat_minutes_real = lat_minutes_real;
  out.lon_minutes_real = lon_minutes + lon_seconds / 60.0;
  out.latitude = latitude;
  out.longitude = longitude;
  out.lat_seconds = lat_seconds;
  out.lat_minutes = lat_minutes;
  out.lat_degrees = lat_degrees;
  out.lon_seconds = lon_seconds;
  out.lon_minutes = lon_minutes;
  return true;
}

bool ToLocator::DistanceBearing(std::string_view first, std::string_view second,
                                double& second_longitude_rad, double& bearing, double& distance) {
  second_longitude_rad = 0;
  bearing = 0;
  distance = 0;
  LocatorCoordinates a;
  LocatorCoordinates b;
  if (!LocatorToCoordinates(first, true, a) || !LocatorToCoordinates(second, true, b)) {
    return false;
  }
  const double phi1 = a.latitude * kDegToRad;
  const double phi2 = b.latitude * kDegToRad;
  const double lambda1 = a.longitude * kDegToRad;
  const double lambda2 = b.longitude * kDegToRad;
  second_longitude_rad = lambda2;

  // The same centre twice is distance 0 exactly; the cosine sum may miss 1 by a rounding step,
  // which would give a few centimetres and a meaningless bearing.
  const double c = (phi1 == phi2 && lambda1 == lambda2)
                       ? 1
                       : Clamp1(std::sin(phi1) * std::sin(phi2) +
                                std::cos(phi1) * std::cos(phi2) * std::cos(lambda2 - lambda1));
  const double delta = ArcCos(c);
  distance = kKmPerDegree * delta * 180 / kPi;

  if (distance > 0 && distance < 20000) {
    const double s = std::cos(phi1) * std::sin(delta);
    if (s == 0) return false;  // no direction: only for points on a pole
    const double x = Clamp1((std::sin(phi2) - std::cos(delta) * std::sin(phi1)) /
                            (std::sin(delta) * std::cos(phi1)));
    bearing = ArcCos(x) * 180 / kPi;
    if (std::sin(lambda2 - lambda1) < 0) bearing = 360 - bearing;
  }
  return true;
}

bool ToLocator::QRB(std::string_view own, std::string_view other, std::string_view caller_tag,
                    double& bearing, double& distance) {
  double longitude_rad;
  const bool ok = DistanceBearing(own, other, longitude_rad, bearing, distance);
  // The sink takes no text, so the trace line ("Loc " + tag + locators, distance, bearing) that
  // it would drop is not built.
  if (caller_tag != "Glanzpunkt" && common::Service<TProtSS>::Exists()) {
    common::Service<TProtSS>::Get().Notify();
  }
  return ok;
}

}  // namespace logbook
