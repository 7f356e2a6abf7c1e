#include "logbook/bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/logbook/table_rows.h"

namespace logbook {
namespace {

LOGBOOK_ROWS_PRINT_AS_NAME;

// ---- Band edges: the lower edge belongs to no band, the upper edge to the band.

struct EdgeRow {
  const char* name;
  BandCode code;
  double lower;
  double upper;
};

class BandEdges : public ::testing::TestWithParam<EdgeRow> {
 protected:
  ToBaender bands_;
};

TEST_P(BandEdges, LowerExcludedUpperIncluded) {
  const EdgeRow& row = GetParam();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(bands_.Freq2Band(row.lower), kNoBand);
  EXPECT_EQ(bands_.Freq2Band(std::nextafter(row.lower, kInf)), row.code);
  EXPECT_EQ(bands_.Freq2Band((row.lower + row.upper) / 2), row.code);
  EXPECT_EQ(bands_.Freq2Band(row.upper), row.code);
  EXPECT_EQ(bands_.Freq2Band(std::nextafter(row.upper, kInf)), kNoBand);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, BandEdges,
    ::testing::Values(EdgeRow{"b0_6cm", 't', 47087.9999, 47200},
                      EdgeRow{"b1_2cm", 's', 23999.9999, 24250},
                      EdgeRow{"b3cm", 'q', 9999.9999, 10500}, EdgeRow{"b6cm", 'p', 5649.9999, 5850},
                      EdgeRow{"b9cm", 'o', 3399.9999, 3475}, EdgeRow{"b13cm", 'n', 2319.9999, 2450},
                      EdgeRow{"b23cm", 'm', 1239.9999, 1300}, EdgeRow{"b70cm", 'l', 429.9999, 440},
                      EdgeRow{"b2m", 'k', 143.9999, 146}, EdgeRow{"b4m", 'u', 69.7999, 71},
                      EdgeRow{"b6m", 'j', 49.9999, 54}, EdgeRow{"b10m", 'i', 27.9999, 29.7},
                      EdgeRow{"b12m", 'h', 24.889, 25}, EdgeRow{"b15m", 'g', 20.9999, 21.45},
                      EdgeRow{"b17m", 'f', 18.0679, 18.1681}, EdgeRow{"b20m", 'e', 13.9999, 14.35},
                      EdgeRow{"b30m", 'd', 10.099, 10.2}, EdgeRow{"b40m", 'c', 6.9999, 7.2},
                      EdgeRow{"b60m", 'v', 5.35149, 5.3665}, EdgeRow{"b80m", 'b', 3.4999, 3.9},
                      EdgeRow{"b160m", 'a', 1.809, 2}, EdgeRow{"b630m", 'w', 0.472, 0.479},
                      EdgeRow{"b2190m", 'r', 0.1356999, 0.1378}),
    RowName());

TEST(Bands, EveryBandOnceInSearchOrder) {
  ToBaender bands;
  std::string codes;
  for (int i = ToBaender::FirstIndex(); i <= ToBaender::LastIndex(); ++i) {
    codes += bands.Record(i).code;
  }
  EXPECT_EQ(codes, "tsqponmlkujihgfedcvbawr");
}

// ---- Typed band texts.

struct AliasRow {
  const char* name;
  const char* typed;
  BandCode code;
};

class Aliases : public ::testing::TestWithParam<AliasRow> {};

TEST_P(Aliases, Text2Band) {
  ToBaender bands;
  EXPECT_EQ(bands.Text2Band(GetParam().typed), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, Aliases,
    ::testing::Values(
        AliasRow{"trimmed_and_upper_cased", " 2m ", 'k'}, AliasRow{"two_is_2m", "2", 'k'},
        AliasRow{"three_is_3cm", "3", 'q'}, AliasRow{"six_is_6m", "6", 'j'},
        AliasRow{"six_cm", "6 cm", 'p'}, AliasRow{"six_mm", "6mm", 't'},
        AliasRow{"comma_decimal", "1,25 cm", 's'}, AliasRow{"point_decimal_short", "1.2c", 's'},
        AliasRow{"mhz_spelling", "435mhz", 'l'}, AliasRow{"seventy_m_is_4m", "70M", 'u'},
        AliasRow{"seventy_cm", "70 CM", 'l'}, AliasRow{"longwave_2189", "2189", 'r'},
        AliasRow{"longwave_2190m", "2190 m", 'r'}, AliasRow{"sixty", "60", 'v'},
        AliasRow{"six_thirty", "630M", 'w'}, AliasRow{"frequency_is_no_alias", "144", kNoBand},
        AliasRow{"unlisted_spelling", "144MHZ", kNoBand},
        AliasRow{"inner_blanks_count", "2  M", kNoBand}, AliasRow{"empty", "", kNoBand},
        AliasRow{"blanks", "   ", kNoBand}),
    RowName());

TEST(Bands, EveryAliasFindsItsOwnBand) {
  ToBaender bands;
  for (int i = ToBaender::FirstIndex(); i <= ToBaender::LastIndex(); ++i) {
    const BandRecord& r = bands.Record(i);
    for (std::string_view alias : r.aliases) {
      if (!alias.empty()) {
        EXPECT_EQ(bands.Text2Band(alias), r.code) << alias;
      }
    }
  }
}

TEST(Bands, Text2FreqAndItsText) {
  ToBaender bands;
  EXPECT_EQ(bands.Text2Freq("2"), 144);
  EXPECT_EQ(bands.Text2Freq("4m"), 70.01);
  EXPECT_EQ(bands.Text2Freq("nothing"), 0);
  EXPECT_EQ(bands.Text2Freq(""), 0);
  EXPECT_EQ(bands.Text2FreqText("2"), "144");
  EXPECT_EQ(bands.Text2FreqText("4"), "70,01");
  EXPECT_EQ(bands.Text2FreqText("630"), "0,472");
  EXPECT_EQ(bands.Text2FreqText("13cm"), "2400");
  EXPECT_EQ(bands.Text2FreqText("nothing"), "");
}

TEST(Bands, NamesAndTextsOfCodes) {
  ToBaender bands;
  EXPECT_EQ(bands.Band2Name('k', false), "2 m");
  EXPECT_EQ(bands.Band2Name('k', true), "2m");
  EXPECT_EQ(bands.Band2Name('s', true), "1.25cm");
  EXPECT_EQ(bands.Band2Name('t', false), "0.6cm");
  EXPECT_EQ(bands.Band2Name(kAllBands, false), "all");
  EXPECT_EQ(bands.Band2Name('z', false), "???");
  EXPECT_EQ(bands.Band2Name(kNoBand, true), "???");
  EXPECT_EQ(bands.Band2Text('a', true), "1800");
  EXPECT_EQ(bands.Band2Text('a', false), "160M");
  EXPECT_EQ(bands.Band2Text('m', true), "1.2G");
  EXPECT_EQ(bands.Band2Text(kAllBands, true), "ALL");
  EXPECT_EQ(bands.Band2Text('z', false), "-");
  EXPECT_EQ(bands.Key2Name("144MHz"), "2m");
  EXPECT_EQ(bands.Key2Name("5,7GHz"), "6cm");
  EXPECT_EQ(bands.Key2Name("144MHZ"), "");
  EXPECT_EQ(bands.Key2Name(""), "");  // four bands have an empty key text
}

// ---- Band texts of a frequency.

struct TextKindRow {
  const char* name;
  double frequency;
  int kind;
  const char* text;
};

class TextKinds : public ::testing::TestWithParam<TextKindRow> {};

TEST_P(TextKinds, Freq2Text) {
  ToBaender bands;
  EXPECT_EQ(bands.Freq2Text(GetParam().frequency, GetParam().kind), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, TextKinds,
    ::testing::Values(
        TextKindRow{"k0_second_name", 3.6, 0, "80m"},
        TextKindRow{"k1_padded_to_5", 3.6, 1, " 80 m"},
        TextKindRow{"k1_full_width", 1.85, 1, "160 m"},
        TextKindRow{"k2_first_blank_out_padded_to_4", 3.6, 2, " 80m"},
        TextKindRow{"k2_cut_to_4", 47100, 2, "0.6c"}, TextKindRow{"k2_long_name", 0.137, 2, "2190"},
        TextKindRow{"k3_no_blanks", 3.6, 3, "80m"}, TextKindRow{"k4_name", 432.1, 4, "70 cm"},
        TextKindRow{"k5_name", 432.1, 5, "70 cm"}, TextKindRow{"k0_outside", 100, 0, ""},
        TextKindRow{"k1_outside", 100, 1, "     "}, TextKindRow{"k2_outside", 100, 2, "    "},
        TextKindRow{"k3_outside", 100, 3, ""}, TextKindRow{"k4_outside", 100, 4, "???"},
        TextKindRow{"k5_outside", 100, 5, ""}),
    RowName());

TEST(Bands, Freq2NameReadsTypedNumbers) {
  ToBaender bands;
  EXPECT_EQ(bands.Freq2Name("3,6", 2), " 80m");
  EXPECT_EQ(bands.Freq2Name(" 14.2 ", 0), "20m");
  EXPECT_EQ(bands.Freq2Name("", 4), "???");
  EXPECT_EQ(bands.Freq2Name("abc", 0), "");
}

TEST(Bands, BandMode2Freq) {
  ToBaender bands;
  EXPECT_EQ(bands.BandMode2Freq('b', 'a'), 3.52);
  EXPECT_EQ(bands.BandMode2Freq('b', 'b'), 3.61);
  EXPECT_EQ(bands.BandMode2Freq('e', 'b'), 14.126);
  EXPECT_EQ(bands.BandMode2Freq('e', 'a'), 14);
  EXPECT_EQ(bands.BandMode2Freq('u', 'd'), 70.01);
  EXPECT_EQ(bands.BandMode2Freq('z', 'a'), 0);
}

// ---- Frequencies as typed.

struct TypedRow {
  const char* name;
  double typed;
  bool ten_is_30m;
  double mhz;
};

class CheckFreq : public ::testing::TestWithParam<TypedRow> {};

TEST_P(CheckFreq, ToMhz) {
  ToBaender bands;
  EXPECT_DOUBLE_EQ(bands.CheckFreq(GetParam().typed, GetParam().ten_is_30m), GetParam().mhz);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, CheckFreq,
    ::testing::Values(
        TypedRow{"zero", 0, false, 0}, TypedRow{"ten_with_flag_is_30m", 10, true, 10.1},
        TypedRow{"ten_is_10m_wavelength", 10, false, 28}, TypedRow{"wavelength_2m", 2, false, 144},
        TypedRow{"wavelength_80m", 80, false, 3.5},
        TypedRow{"wavelength_13cm_third", 13, false, 2400},
        TypedRow{"wavelength_0_12_second", 0.12, false, 2400},
        TypedRow{"wavelength_2189", 2189, false, 0.137},
        TypedRow{"negative_no_wavelength", -2, false, -2},
        TypedRow{"wavelength_to_5_decimals", 1.200001, false, 24000},
        TypedRow{"no_wavelength_at_5_decimals", 1.20001, false, 1.20001},
        TypedRow{"shorthand_18", 18, false, 18.1}, TypedRow{"shorthand_1_8", 1.8, false, 1.815},
        TypedRow{"shorthand_24_8", 24.8, false, 24.89}, TypedRow{"shorthand_24", 24, false, 24.89},
        TypedRow{"khz_20m", 14250, false, 14.25},
        TypedRow{"khz_15m_not_longwave", 21289, false, 21.289},
        TypedRow{"khz_range_lower_excluded", 1808.9, false, 1808.9},
        TypedRow{"khz_range_upper_included", 1999, false, 1.999},
        TypedRow{"khz_2m", 144300, false, 144.3}, TypedRow{"khz_above_320000", 432000, false, 432},
        TypedRow{"khz_limit_320000_is_mhz", 320000, false, 320000},
        TypedRow{"mhz_unchanged", 7, false, 7},
        TypedRow{"mhz_fraction_unchanged", 14.074, false, 14.074}),
    RowName());

}  // namespace
}  // namespace logbook
