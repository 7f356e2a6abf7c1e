#include "common/grafik.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/common/rows.h"

namespace common {
namespace {

using ShadeRow = testing::Row2<TColor, float, TColor>;  // colour, percent: shaded colour

class FarbeAbstufen : public ::testing::TestWithParam<ShadeRow> {};
TEST_P(FarbeAbstufen, ShadesPerChannel) {
  EXPECT_EQ(ToGrafik::FarbeAbstufen(GetParam().a, GetParam().b), GetParam().out);
}
// System colours (high bit set) are resolved first: button face is RGB 240, 240, 240.
const ShadeRow kShadeRows[] = {
    {"navy_toward_white_90", 0x00800000, 90, RGB(229, 229, 242)},
    {"black_toward_white_10", clBlack, 10, RGB(25, 25, 25)},
    {"plus_100_gives_white", RGB(12, 200, 77), 100, clWhite},
    {"minus_100_gives_black", RGB(12, 200, 77), -100, clBlack},
    {"plus_50_moves_halfway", RGB(0, 100, 255), 50, RGB(127, 177, 255)},
    {"side_bar_minus_30", 0x02A66C50, -30, RGB(56, 76, 117)},
    {"tiny_percent_unchanged_as_rgb", 0x02F7D2C0, -0.1f, 0x00F7D2C0},
    {"plus_250_clamps_at_white", RGB(1, 2, 3), 250, clWhite},
    {"system_button_face_lightened", clBtnFace, 30, RGB(244, 244, 244)},
    {"unknown_system_index_is_black", 0x800000FE, 10, RGB(25, 25, 25)},
    {"no_number_leaves_the_colour", RGB(9, 8, 7), std::numeric_limits<float>::quiet_NaN(),
     RGB(9, 8, 7)},
};
INSTANTIATE_TEST_SUITE_P(Rows, FarbeAbstufen, ::testing::ValuesIn(kShadeRows), testing::RowName);

using ContrastRow = testing::Row<TColor>;

class KontrastFarbe : public ::testing::TestWithParam<ContrastRow> {};
TEST_P(KontrastFarbe, WhiteOnDarkBlackOnLight) {
  EXPECT_EQ(ToGrafik::KontrastFarbe(GetParam().in), GetParam().out);
}
const ContrastRow kContrastRows[] = {{"button_face", clBtnFace, clBlack},
                                     {"navy", 0x00800000, clWhite},
                                     {"sum_382", RGB(127, 127, 128), clWhite},
                                     {"sum_383", RGB(128, 127, 128), clBlack}};
INSTANTIATE_TEST_SUITE_P(Rows, KontrastFarbe, ::testing::ValuesIn(kContrastRows), testing::RowName);

}  // namespace
}  // namespace common
