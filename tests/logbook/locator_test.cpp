#include "logbook/locator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/service.h"

#include "tests/logbook/table_rows.h"

namespace logbook {
namespace {

LOGBOOK_ROWS_PRINT_AS_NAME;

struct ValidRow {
  const char* name;
  const char* text;
  bool valid;
};

class Validity : public ::testing::TestWithParam<ValidRow> {};

TEST_P(Validity, IsValidLocator) {
  EXPECT_EQ(ToLocator::IsValidLocator(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Locator, Validity,
                         ::testing::Values(ValidRow{"six", "JO62MM", true},
                                           ValidRow{"four", "JO62", true},
                                           ValidRow{"empty", "", true},
                                           ValidRow{"corner_low", "AA00AA", true},
                                           ValidRow{"corner_high", "RR99XX", true},
                                           ValidRow{"lower_case", "jo62mm", false},
                                           ValidRow{"field_beyond_r", "JS62", false},
                                           ValidRow{"subsquare_beyond_x", "JO62MY", false},
                                           ValidRow{"letter_as_square", "JOA2", false},
                                           ValidRow{"seventh_unchecked", "JO62MM!", true}),
                         RowName());

// A short locator is the centre of its area, padded as given.
struct PaddingRow {
  const char* name;
  const char* short_form;
  const char* long_form;
};

class Padding : public ::testing::TestWithParam<PaddingRow> {};

TEST_P(Padding, SameAsLongForm) {
  LocatorCoordinates a;
  LocatorCoordinates b;
  ASSERT_TRUE(ToLocator::LocatorToCoordinates(GetParam().short_form, false, a));
  ASSERT_TRUE(ToLocator::LocatorToCoordinates(GetParam().long_form, false, b));
  EXPECT_EQ(a.latitude, b.latitude);
  EXPECT_EQ(a.longitude, b.longitude);
}

INSTANTIATE_TEST_SUITE_P(Locator, Padding,
                         ::testing::Values(PaddingRow{"field", "JO", "JO44XX"},
                                           PaddingRow{"field_and_digit", "JO6", "JO64MX"},
                                           PaddingRow{"square", "JO62", "JO62MM"},
                                           PaddingRow{"five", "JO62M", "JO62MM"},
                                           PaddingRow{"lower_case", "jo62mm", "JO62MM"},
                                           PaddingRow{"slashed_zero", "JO6\xD8", "JO60MM"}),
                         RowName());

TEST(Locator, UnconvertibleLocatorsClearTheOutputs) {
  for (const char* bad : {"J", "JO62MMX", "", "JS62", "JO62MY"}) {
    LocatorCoordinates c;
    c.latitude = 99;
    c.east_west = 'X';
    EXPECT_FALSE(ToLocator::LocatorToCoordinates(bad, false, c)) << bad;
    EXPECT_EQ(c.latitude, 0) << bad;
    EXPECT_EQ(c.east_west, ' ') << bad;
  }
}

struct CoordRow {
  const char* name;
  const char* locator;
  bool keep_east;
  double latitude;
  double longitude;
  const char* letters;  // north/south, east/west
  std::array<int, 3> lat_dms;
  std::array<int, 3> lon_dms;
};

class Coordinates : public ::testing::TestWithParam<CoordRow> {};

TEST_P(Coordinates, Centre) {
  const CoordRow& row = GetParam();
  LocatorCoordinates c;
  ASSERT_TRUE(ToLocator::LocatorToCoordinates(row.locator, row.keep_east, c));
  EXPECT_NEAR(c.latitude, row.latitude, 1e-4);
  EXPECT_NEAR(c.longitude, row.longitude, 1e-4);
  EXPECT_EQ(std::string({c.north_south, c.east_west}), row.letters);
  EXPECT_EQ((std::array<int, 3>{c.lat_degrees, c.lat_minutes, c.lat_seconds}), row.lat_dms);
  EXPECT_EQ((std::array<int, 3>{c.lon_degrees, c.lon_minutes, c.lon_seconds}), row.lon_dms);
  EXPECT_NEAR(c.lat_minutes_real, row.lat_dms[1] + row.lat_dms[2] / 60.0, 1e-9);
  EXPECT_NEAR(c.lon_minutes_real, row.lon_dms[1] + row.lon_dms[2] / 60.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Locator, Coordinates,
    ::testing::Values(
        CoordRow{"berlin", "JO62MM", false, 52.5208, 13.0417, "NE", {52, 31, 15}, {13, 2, 30}},
        CoordRow{"west_positive", "IO91", false, 51.5208, 0.9583, "NW", {51, 31, 15}, {0, 57, 30}},
        CoordRow{
            "west_kept_east", "IO91", true, 51.5208, 359.0417, "NW", {51, 31, 15}, {0, 57, 30}},
        CoordRow{"south", "QF22LE", false, -37.8125, 144.9583, "SE", {-37, 48, 45}, {144, 57, 30}}),
    RowName());

// ---- Distance and bearing.

TEST(Locator, SameLocatorTwice) {
  for (const char* loc : {"JO62MM", "AA00AA", "RR99XX", "IO91WM", "QF22LE", "JJ00AA"}) {
    double lon;
    double bearing = -1;
    double distance = -1;
    EXPECT_TRUE(ToLocator::DistanceBearing(loc, loc, lon, bearing, distance)) << loc;
    EXPECT_EQ(distance, 0) << loc;
    EXPECT_EQ(bearing, 0) << loc;
  }
}

// The antipode of a locator's centre: longitude + 180, latitude mirrored.
std::string Antipode(const std::string& loc) {
  std::string out = loc;
  out[0] = static_cast<char>('A' + (loc[0] - 'A' + 9) % 18);
  out[1] = static_cast<char>('A' + 17 - (loc[1] - 'A'));
  out[2] = loc[2];
  out[3] = static_cast<char>('0' + 9 - (loc[3] - '0'));
  out[4] = loc[4];
  out[5] = static_cast<char>('A' + 23 - (loc[5] - 'A'));
  return out;
}

TEST(Locator, AntipodesHaveNoBearing) {
  for (const char* loc : {"JO62MM", "AA00AA", "IO91WM", "FN31PR"}) {
    const std::string other = Antipode(loc);
    double lon;
    double bearing = -1;
    double distance = 0;
    EXPECT_TRUE(ToLocator::DistanceBearing(loc, other, lon, bearing, distance)) << other;
    EXPECT_GE(distance, 20000) << other;
    EXPECT_EQ(bearing, 0) << other;
  }
}

TEST(Locator, DistanceNeedsTwoConvertibleLocators) {
  double lon = 1;
  double bearing = 1;
  double distance = 1;
  EXPECT_FALSE(ToLocator::DistanceBearing("JO62MM", "J", lon, bearing, distance));
  EXPECT_FALSE(ToLocator::DistanceBearing("JO62MMA", "JO62MM", lon, bearing, distance));
  EXPECT_EQ(distance, 0);
  EXPECT_EQ(bearing, 0);
  EXPECT_EQ(lon, 0);
}

struct Point {
  double lat;
  double lon;
};

// The centre of a 6-character locator, independently of the code under test.
Point Centre(const std::string& loc) {
  return {-90 + (loc[1] - 'A') * 10 + (loc[3] - '0') + ((loc[5] - 'A') + 0.5) / 24.0,
          -180 + (loc[0] - 'A') * 20 + (loc[2] - '0') * 2 + ((loc[4] - 'A') + 0.5) / 12.0};
}

constexpr double kRad = M_PI / 180;
constexpr double kEarthKm = 111.12 * 180 / M_PI;  // the program's sphere: 111.12 km per degree

// Haversine: well conditioned for short distances.
double Haversine(Point a, Point b) {
  const double dlat = (b.lat - a.lat) * kRad;
  const double dlon = (b.lon - a.lon) * kRad;
  const double h = std::pow(std::sin(dlat / 2), 2) + std::cos(a.lat * kRad) *
                                                         std::cos(b.lat * kRad) *
                                                         std::pow(std::sin(dlon / 2), 2);
  return 2 * kEarthKm * std::asin(std::min(1.0, std::sqrt(h)));
}

double InitialBearing(Point a, Point b) {
  const double dlon = (b.lon - a.lon) * kRad;
  const double y = std::sin(dlon) * std::cos(b.lat * kRad);
  const double x = std::cos(a.lat * kRad) * std::sin(b.lat * kRad) -
                   std::sin(a.lat * kRad) * std::cos(b.lat * kRad) * std::cos(dlon);
  const double deg = std::atan2(y, x) / kRad;
  return deg < 0 ? deg + 360 : deg;
}

std::string RandomLocator(std::mt19937& rng) {
  std::uniform_int_distribution<int> field(0, 17), digit(0, 9), sub(0, 23);
  std::string s(6, ' ');
  s[0] = static_cast<char>('A' + field(rng));
  s[1] = static_cast<char>('A' + field(rng));
  s[2] = static_cast<char>('0' + digit(rng));
  s[3] = static_cast<char>('0' + digit(rng));
  s[4] = static_cast<char>('A' + sub(rng));
  s[5] = static_cast<char>('A' + sub(rng));
  return s;
}

TEST(Locator, AgreesWithHaversineForRandomPairs) {
  std::mt19937 rng(20240611);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (int i = 0; i < 1000; ++i) pairs.emplace_back(RandomLocator(rng), RandomLocator(rng));
  // Close pairs too, where the arccos form is at its weakest.
  for (int i = 0; i < 50; ++i) {
    std::string a = RandomLocator(rng);
    std::string b = a;
    b[5] = static_cast<char>(b[5] == 'A' ? 'B' : b[5] - 1);
    pairs.emplace_back(a, b);
  }
  for (const auto& [a, b] : pairs) {
    double lon;
    double bearing;
    double distance;
    ASSERT_TRUE(ToLocator::DistanceBearing(a, b, lon, bearing, distance)) << a << " " << b;
    const Point pa = Centre(a);
    const Point pb = Centre(b);
    const double expected = Haversine(pa, pb);
    EXPECT_NEAR(distance, expected, 0.01) << a << " " << b;
    const double east = pb.lon < 0 ? pb.lon + 360 : pb.lon;
    EXPECT_NEAR(lon, east * kRad, 1e-9) << a << " " << b;
    if (expected > 1 && expected < 19990) {
      double diff = std::fabs(bearing - InitialBearing(pa, pb));
      diff = std::min(diff, 360 - diff);
      EXPECT_LT(diff, 0.01) << a << " " << b;
    }
  }
}

// ---- QRB and its trace line.

class CountingSink : public TProtSS {
 public:
  void Notify() override { ++notes; }
  int notes = 0;
};

TEST(Locator, QrbNotifiesTheSinkExceptForTheListRows) {
  auto sink = std::make_unique<CountingSink>();
  CountingSink* seen = sink.get();
  common::Service<TProtSS>::Install(std::move(sink));
  double bearing;
  double distance;
  EXPECT_TRUE(ToLocator::QRB("JO62MM", "JO31NF", "ContStd2", bearing, distance));
  double lon;
  double b2;
  double d2;
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
