#include "logbook/reference/bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/logbook/reference/table_rows.h"

namespace logbook {
namespace {

const std::tuple<const char*, BandCode, double, double> kEdges[] = {
    {"b0_6cm", 't', 47087.9999, 47200}, {"b1_2cm", 's', 23999.9999, 24250},
    {"b3cm", 'q', 9999.9999, 10500},    {"b6cm", 'p', 5649.9999, 5850},
    {"b9cm", 'o', 3399.9999, 3475},     {"b13cm", 'n', 2319.9999, 2450},
    {"b23cm", 'm', 1239.9999, 1300},    {"b70cm", 'l', 429.9999, 440},
    {"b2m", 'k', 143.9999, 146},        {"b4m", 'u', 69.7999, 71},
    {"b6m", 'j', 49.9999, 54},          {"b10m", 'i', 27.9999, 29.7},
    {"b12m", 'h', 24.889, 25},          {"b15m", 'g', 20.9999, 21.45},
    {"b17m", 'f', 18.0679, 18.1681},    {"b20m", 'e', 13.9999, 14.35},
    {"b30m", 'd', 10.099, 10.2},        {"b40m", 'c', 6.9999, 7.2},
    {"b60m", 'v', 5.35149, 5.3665},     {"b80m", 'b', 3.4999, 3.9},
    {"b160m", 'a', 1.809, 2},           {"b630m", 'w', 0.472, 0.479},
    {"b2190m", 'r', 0.1356999, 0.1378},
};
LOGBOOK_TABLE(BandEdges, kEdges);

TEST_P(BandEdges, LowerExcludedUpperIncluded) {
  const ToBaender bands;
  const auto [name, code, lower, upper] = GetParam();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(bands.Freq2Band(lower), kNoBand);
  EXPECT_EQ(bands.Freq2Band(std::nextafter(lower, kInf)), code);
  EXPECT_EQ(bands.Freq2Band((lower + upper) / 2), code);
  EXPECT_EQ(bands.Freq2Band(upper), code);
  EXPECT_EQ(bands.Freq2Band(std::nextafter(upper, kInf)), kNoBand);
}

const std::tuple<const char*, const char*, BandCode, double, const char*> kAliases[] = {
    {"trimmed_and_upper_cased", " 2m ", 'k', 144, "144"},
    {"seventy_m_is_4m", "70M", 'u', 70.01, "70,01"},
    {"mhz_spelling", "435mhz", 'l', 430, "430"},
    {"comma_decimal", "1,25 cm", 's', 24000, "24000"},
    {"point_decimal_short", "1.2c", 's', 24000, "24000"},
    {"six_cm", "6 cm", 'p', 5650, "5650"},
    {"six_is_6m", "6", 'j', 50, "50"},
    {"six_thirty", "630M", 'w', 0.472, "0,472"},
    {"frequency_is_no_alias", "144", kNoBand, 0, ""},
    {"inner_blanks_count", "2  M", kNoBand, 0, ""},
    {"empty", "", kNoBand, 0, ""},
};
LOGBOOK_TABLE(Aliases, kAliases);

TEST_P(Aliases, CodeAndNominalFrequency) {
  const ToBaender bands;
  const auto [name, typed, code, mhz, mhz_text] = GetParam();
  EXPECT_EQ(bands.Text2Band(typed), code);
  EXPECT_EQ(bands.Text2Freq(typed), mhz);
  EXPECT_EQ(bands.Text2FreqText(typed), mhz_text);
}

// No alias is taken by an earlier band of the search order.
TEST(Bands, EveryAliasFindsItsOwnBand) {
  const ToBaender bands;
  std::string codes;
  for (int i = ToBaender::FirstIndex(); i <= ToBaender::LastIndex(); ++i) {
    const BandRecord& r = bands.Record(i);
    codes += r.code;
    for (std::string_view alias : r.aliases) {
      if (!alias.empty()) {
        EXPECT_EQ(bands.Text2Band(alias), r.code) << alias;
      }
    }
  }
  EXPECT_EQ(codes, "tsqponmlkujihgfedcvbawr");
}

TEST(Bands, NamesTextsAndFrequenciesOfCodes) {
  const ToBaender bands;
  EXPECT_EQ(bands.Band2Name('s', false), "1.2cm");
  EXPECT_EQ(bands.Band2Name('s', true), "1.25cm");
  EXPECT_EQ(bands.Band2Text('a', false), "160M");
  EXPECT_EQ(bands.Band2Text('a', true), "1800");
  EXPECT_EQ(bands.Band2Name(kAllBands, false), "all");
  EXPECT_EQ(bands.Band2Text(kAllBands, true), "ALL");
  EXPECT_EQ(bands.Band2Name('z', true), "???");
  EXPECT_EQ(bands.Band2Text(kNoBand, false), "-");
  EXPECT_EQ(bands.Key2Name("144MHz"), "2m");
  EXPECT_EQ(bands.Key2Name("5,7GHz"), "6cm");
  EXPECT_EQ(bands.Key2Name("144MHZ"), "");
  EXPECT_EQ(bands.Key2Name(""), "");  // four bands have an empty key text
  EXPECT_EQ(bands.BandMode2Freq('b', 'a'), 3.52);
  EXPECT_EQ(bands.BandMode2Freq('b', 'b'), 3.61);
  EXPECT_EQ(bands.BandMode2Freq('e', 'b'), 14.126);
  EXPECT_EQ(bands.BandMode2Freq('e', 'a'), 14);
  EXPECT_EQ(bands.BandMode2Freq('u', 'd'), 70.01);
  EXPECT_EQ(bands.BandMode2Freq('z', 'a'), 0);
}

const std::tuple<const char*, const char*, int, const char*> kKinds[] = {
    {"k0_second_name", "3,6", 0, "80m"},   {"k1_padded_to_5", "3.6", 1, " 80 m"},
    {"k1_full_width", "1.85", 1, "160 m"}, {"k2_first_blank_out", "3,6", 2, " 80m"},
    {"k2_cut_to_4", "47100", 2, "0.6c"},   {"k2_long_name", "0.137", 2, "2190"},
    {"k3_no_blanks", "3.6", 3, "80m"},     {"k4_name", "432.1", 4, "70 cm"},
    {"k5_name", "432,1", 5, "70 cm"},      {"k0_outside", "100", 0, ""},
    {"k1_outside", "100", 1, "     "},     {"k2_outside", "100", 2, "    "},
    {"k4_outside", "100", 4, "???"},       {"k5_outside", "100", 5, ""},
    {"not_a_number", "abc", 4, "???"},
};
LOGBOOK_TABLE(TextKinds, kKinds);

TEST_P(TextKinds, Freq2Name) {
  const auto [name, typed, kind, text] = GetParam();
  EXPECT_EQ(ToBaender().Freq2Name(typed, kind), text);
}

const std::tuple<const char*, double, bool, double> kTyped[] = {
    {"zero", 0, false, 0},
    {"ten_with_flag_is_30m", 10, true, 10.1},
    {"ten_is_10m_wavelength", 10, false, 28},
    {"wavelength_2m", 2, false, 144},
    {"wavelength_13cm_third", 13, false, 2400},
    {"wavelength_0_12_second", 0.12, false, 2400},
    {"wavelength_2189", 2189, false, 0.137},
    {"negative_no_wavelength", -2, false, -2},
    {"wavelength_to_5_decimals", 1.200001, false, 24000},
    {"no_wavelength_at_5_decimals", 1.20001, false, 1.20001},
    {"shorthand_18", 18, false, 18.1},
    {"shorthand_1_8", 1.8, false, 1.815},
    {"shorthand_24_8", 24.8, false, 24.89},
    {"shorthand_24", 24, false, 24.89},
    {"khz_20m", 14250, false, 14.25},
    {"khz_15m_not_longwave", 21289, false, 21.289},
    {"khz_range_lower_excluded", 1808.9, false, 1808.9},
    {"khz_range_upper_included", 1999, false, 1.999},
    {"khz_above_320000", 432000, false, 432},
    {"khz_limit_320000_is_mhz", 320000, false, 320000},
    {"mhz_unchanged", 14.074, false, 14.074},
};
LOGBOOK_TABLE(CheckFreq, kTyped);

TEST_P(CheckFreq, ToMhz) {
  const auto [name, typed, ten_is_30m, mhz] = GetParam();
  EXPECT_DOUBLE_EQ(ToBaender().CheckFreq(typed, ten_is_30m), mhz);
}

}  // namespace
}  // namespace logbook
