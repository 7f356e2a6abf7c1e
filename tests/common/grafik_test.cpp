#include "common/grafik.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "common/grid_colours.h"
#include "common/screen_services.h"

namespace common {
namespace {

struct ShadeCase {
  std::string name;
  TColor colour;
  float percent;
  TColor expected;
};

class FarbeAbstufenTest : public ::testing::TestWithParam<ShadeCase> {};

TEST_P(FarbeAbstufenTest, ShadesPerChannel) {
  const ShadeCase& c = GetParam();
  EXPECT_EQ(ToGrafik::FarbeAbstufen(c.colour, c.percent), c.expected) << std::hex << c.colour;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FarbeAbstufenTest,
    ::testing::Values(
        ShadeCase{"NavyTowardWhite90", 0x00800000, 90, RGB(229, 229, 242)},
        ShadeCase{"BlackTowardWhite10", clBlack, 10, RGB(25, 25, 25)},
        ShadeCase{"Plus100GivesWhite", RGB(12, 200, 77), 100, clWhite},
        ShadeCase{"Minus100GivesBlack", RGB(12, 200, 77), -100, clBlack},
        ShadeCase{"Plus50MovesHalfway", RGB(0, 100, 255), 50, RGB(127, 177, 255)},
        // The side-bar colour shaded for the drawn side bar: k = 76, toward black.
        ShadeCase{"SideBarMinus30", 0x02A66C50, -30, RGB(56, 76, 117)},
        ShadeCase{"TinyPercentUnchangedAsRgb", 0x02F7D2C0, -0.1f, 0x00F7D2C0},
        // Beyond 100 percent every channel stops at the target.
        ShadeCase{"Plus250ClampsAtWhite", RGB(1, 2, 3), 250, clWhite},
        // A system colour is resolved before it is shaded: button face is RGB 240, 240, 240.
        ShadeCase{"SystemButtonFaceLightened", clBtnFace, 30, RGB(244, 244, 244)},
        ShadeCase{"UnknownSystemIndexIsBlack", 0x800000FE, 10, RGB(25, 25, 25)}),
    [](const auto& info) { return info.param.name; });

TEST(FarbeAbstufen, NoNumberLeavesTheColour) {
  EXPECT_EQ(ToGrafik::FarbeAbstufen(RGB(9, 8, 7), std::numeric_limits<float>::quiet_NaN()),
            RGB(9, 8, 7));
}

struct ContrastCase {
  std::string name;
  TColor colour;
  TColor expected;
};

class KontrastFarbeTest : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(KontrastFarbeTest, WhiteOnDarkBlackOnLight) {
  EXPECT_EQ(ToGrafik::KontrastFarbe(GetParam().colour), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, KontrastFarbeTest,
                         ::testing::Values(ContrastCase{"ButtonFace", clBtnFace, clBlack},
                                           ContrastCase{"Navy", 0x00800000, clWhite},
                                           ContrastCase{"Sum382", RGB(127, 127, 128), clWhite},
                                           ContrastCase{"Sum383", RGB(128, 127, 128), clBlack}),
                         [](const auto& info) { return info.param.name; });

TEST(ProgramWideColours, StartWithTheGridBrowsersValues) {
  const GridColours grid;
  EXPECT_EQ(grid.GridHeaderColor, 0x8000000Fu);
  EXPECT_EQ(grid.GridHighlightColor, 0x00800000u);
  EXPECT_EQ(grid.GridColor, 0x00EFFFFFu);
  EXPECT_EQ(grid.GridAltRowColor, 0x00FFFFFFu);
  EXPECT_EQ(grid.GridFontColor, 0x00000000u);
  EXPECT_EQ(TScreenSS().FontName, "Segoe UI Semilight");
  EXPECT_EQ(ToWinskal().FormScaledSetting, 1);
}

}  // namespace
}  // namespace common
