#include "logbook/reference/locator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "common/service.h"
#include "tests/logbook/reference/table_rows.h"

namespace logbook {
namespace {

// Validity of a text, and the six-character locator whose centre it converts to (none: it does
// not convert).
const std::tuple<const char*, const char*, bool, const char*> kLocators[] = {
    {"six", "JO62MM", true, "JO62MM"},
    {"four", "JO62", true, "JO62MM"},
    {"five", "JO62M", true, "JO62MM"},
    {"field", "JO", true, "JO44XX"},
    {"field_and_digit", "JO6", true, "JO64MX"},
    {"corner_low", "AA00AA", true, "AA00AA"},
    {"corner_high", "RR99XX", true, "RR99XX"},
    {"lower_case_converts", "jo62mm", false, "JO62MM"},
    {"slashed_zero", "JO6\xD8", false, "JO60MM"},
    {"empty", "", true, nullptr},
    {"one_letter", "J", true, nullptr},
    {"seventh_unchecked_too_long", "JO62MM!", true, nullptr},
    {"field_beyond_r", "JS62", false, nullptr},
    {"subsquare_beyond_x", "JO62MY", false, nullptr},
    {"letter_as_square", "JOA2", false, nullptr},
};
LOGBOOK_TABLE(Locators, kLocators);

TEST_P(Locators, ValidityAndCentre) {
  const auto [name, text, valid, centre_text] = GetParam();
  EXPECT_EQ(ToLocator::IsValidLocator(text), valid);
  LocatorCoordinates c{.east_west = 'X', .latitude = 99};
  ASSERT_EQ(ToLocator::LocatorToCoordinates(text, false, c), centre_text != nullptr);
  LocatorCoordinates centre;
  ASSERT_TRUE(centre_text == nullptr ||
              ToLocator::LocatorToCoordinates(centre_text, false, centre));
  EXPECT_EQ(c.latitude, centre.latitude);  // a text that does not convert clears the outputs
  EXPECT_EQ(c.longitude, centre.longitude);
  EXPECT_EQ(c.east_west, centre.east_west);
}

// The centre: degrees, north/south and east/west letters, degrees, minutes and seconds.
const std::tuple<const char*, const char*, bool, double, double, const char*, std::array<int, 6>>
    kCoordinates[] = {
        {"berlin", "JO62MM", false, 52.5208, 13.0417, "NE", {52, 31, 15, 13, 2, 30}},
        {"west_positive", "IO91", false, 51.5208, 0.9583, "NW", {51, 31, 15, 0, 57, 30}},
        {"west_kept_east", "IO91", true, 51.5208, 359.0417, "NW", {51, 31, 15, 0, 57, 30}},
        {"south", "QF22LE", false, -37.8125, 144.9583, "SE", {-37, 48, 45, 144, 57, 30}},
};
LOGBOOK_TABLE(Coordinates, kCoordinates);

TEST_P(Coordinates, Centre) {
  const auto [name, locator, keep_east, latitude, longitude, letters, dms] = GetParam();
  LocatorCoordinates c;
  ASSERT_TRUE(ToLocator::LocatorToCoordinates(locator, keep_east, c));
  EXPECT_NEAR(c.latitude, latitude, 1e-4);
  EXPECT_NEAR(c.longitude, longitude, 1e-4);
  EXPECT_EQ(std::string({c.north_south, c.east_west}), letters);
  EXPECT_EQ((std::array{c.lat_degrees, c.lat_minutes, c.lat_seconds, c.lon_degrees, c.lon_minutes,
                        c.lon_seconds}),
            dms);
  EXPECT_NEAR(c.lat_minutes_real, dms[1] + dms[2] / 60.0, 1e-9);
  EXPECT_NEAR(c.lon_minutes_real, dms[4] + dms[5] / 60.0, 1e-9);
}

// Pairs without a bearing: the same centre twice (0 km), antipodes, and pairs that do not convert.
const std::tuple<const char*, const char*, const char*, bool, bool> kPairs[] = {
    {"same_berlin", "JO62MM", "JO62MM", true, false},
    {"same_corner_low", "AA00AA", "AA00AA", true, false},
    {"same_south", "QF22LE", "QF22LE", true, false},
    {"antipode_berlin", "JO62MM", "AD67ML", true, true},
    {"antipode_corner", "AA00AA", "JR09AX", true, true},
    {"antipode_america", "FN31PR", "OE38PG", true, true},
    {"second_unconvertible", "JO62MM", "J", false, false},
    {"first_unconvertible", "JO62MMA", "JO62MM", false, false},
};
LOGBOOK_TABLE(NoBearing, kPairs);

TEST_P(NoBearing, DistanceBearing) {
  const auto [name, first, second, converts, antipodal] = GetParam();
  double lon = -1, bearing = -1, distance = -1;
  EXPECT_EQ(ToLocator::DistanceBearing(first, second, lon, bearing, distance), converts);
  EXPECT_EQ(bearing, 0);
  EXPECT_TRUE(antipodal ? distance >= 20000 : distance == 0) << distance;
  EXPECT_EQ(lon != 0, converts);  // no centre lies on the zero meridian
}

// Independent of the code under test: distance (haversine, well conditioned for short distances),
// initial bearing and the second's longitude east between the centres of two locators.
std::array<double, 3> GreatCircle(const std::string& a, const std::string& b) {
  constexpr double kRad = M_PI / 180;
  const auto lat = [](const std::string& l) {
    return (-90 + (l[1] - 'A') * 10 + (l[3] - '0') + (l[5] - 'A' + 0.5) / 24) * kRad;
  };
  const auto lon = [](const std::string& l) {
    return (-180 + (l[0] - 'A') * 20 + (l[2] - '0') * 2 + (l[4] - 'A' + 0.5) / 12) * kRad;
  };
  const double p1 = lat(a), p2 = lat(b), dl = lon(b) - lon(a);
  const double h = std::pow(std::sin((p2 - p1) / 2), 2) +
                   std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
  const double bearing =
      std::atan2(std::sin(dl) * std::cos(p2),
                 std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
  return {2 * 111.12 / kRad * std::asin(std::min(1.0, std::sqrt(h))),
          std::fmod(bearing / kRad + 360, 360), std::fmod(lon(b) + 2 * M_PI, 2 * M_PI)};
}

TEST(Locator, AgreesWithGreatCircleForRandomPairs) {
  std::mt19937 rng(20240611);
  const auto random_locator = [&rng] {
    std::string s = "AA00AA";
    for (const int i : {0, 1}) s[i] += std::uniform_int_distribution<int>(0, 17)(rng);
    for (const int i : {2, 3}) s[i] += std::uniform_int_distribution<int>(0, 9)(rng);
    for (const int i : {4, 5}) s[i] += std::uniform_int_distribution<int>(0, 23)(rng);
    return s;
  };
  for (int i = 0; i < 1050; ++i) {
    const std::string a = random_locator();
    std::string b = random_locator();
    if (i >= 1000) {  // neighbours too, where the arccos form is at its weakest
      b = a;
      b[5] = static_cast<char>(b[5] == 'A' ? 'B' : b[5] - 1);
    }
    double lon, bearing, distance;
    ASSERT_TRUE(ToLocator::DistanceBearing(a, b, lon, bearing, distance)) << a << " " << b;
    const auto [expected, expected_bearing, expected_lon] = GreatCircle(a, b);
    EXPECT_NEAR(distance, expected, 0.01) << a << " " << b;
    EXPECT_NEAR(lon, expected_lon, 1e-9) << a << " " << b;
    const double diff = std::fabs(bearing - expected_bearing);
    if (expected > 1 && expected < 19990) {  // a bearing exists
      EXPECT_LT(std::min(diff, 360 - diff), 0.01) << a << " " << b;
    }
  }
}

class CountingSink : public TProtSS {
 public:
  void Notify() override { ++notes; }
  int notes = 0;
};

TEST(Locator, QrbNotifiesTheSinkExceptForTheListRows) {
  auto sink = std::make_unique<CountingSink>();
  const CountingSink* seen = sink.get();
  common::Service<TProtSS>::Install(std::move(sink));
  double bearing, distance, lon, b2, d2;
  EXPECT_TRUE(ToLocator::QRB("JO62MM", "JO31NF", "ContStd2", bearing, distance));
  ToLocator::DistanceBearing("JO62MM", "JO31NF", lon, b2, d2);
  EXPECT_EQ(bearing, b2);
  EXPECT_EQ(distance, d2);
  EXPECT_TRUE(ToLocator::QRB("JO62MM", "JO31NF", "Glanzpunkt", bearing, distance));
  EXPECT_FALSE(ToLocator::QRB("JO62MM", "", "lbset", bearing, distance));
  EXPECT_EQ(seen->notes, 2);
  common::Service<TProtSS>::Destroy();
  EXPECT_TRUE(ToLocator::QRB("JO62MM", "JO31NF", "ContStd2", bearing, distance));  // no sink
}

}  // namespace
}  // namespace logbook
