#include "output/print_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "platform/qt/scripted_print_dialogs.h"
#include "tests/common/rows.h"

namespace output {
namespace {

using common::testing::RowName;
using platform::qt::ScopedPrinting;
using platform::qt::TPrinterOrientation;
using platform::qt::TRecordedPaper;

int Dots(double mm) { return static_cast<int>(std::lround(mm * 600 / 25.4)); }

TEST(TPrintSS, AFreshObjectHasTheDefaultsAndNeedsNoPrinter) {
  const TPrintSS settings;  // no printer installed: the constructor does not measure
  EXPECT_EQ(settings.LeftMargin, 20);
  EXPECT_EQ(settings.RightMargin, 20);
  EXPECT_EQ(settings.TopMargin, 25);
  EXPECT_EQ(settings.BottomMargin, 20);
  EXPECT_EQ(settings.FontName, "Arial");
  EXPECT_EQ(settings.FontSize, 10);
  EXPECT_EQ(settings.PaperWidth(), 21.0);
  EXPECT_EQ(settings.PaperHeight(), 29.7);
  EXPECT_EQ(settings.LineHeight, 0);
}

TEST(TPrintSS, AResetThatMeasuresTakesThePrintersHeightOfX) {
  ScopedPrinting printing;
  TPrintSS settings;
  settings.LeftMargin = 5;
  settings.Further1 = 9;
  settings.Reset(false);
  EXPECT_EQ(settings.LeftMargin, 20);
  EXPECT_EQ(settings.Further1, 0);
  EXPECT_EQ(settings.LineHeight, printing.printer().Canvas().TextHeight("X"));
  EXPECT_GT(settings.LineHeight, 0);
}

TEST(TPrintSS, SetFontKeepsTheStoredFontForAnEmptyNameAndSizeZero) {
  ScopedPrinting printing;
  TPrintSS settings;
  settings.FontName = "Courier New";
  settings.FontSize = 12;
  const int width = settings.SetFont("", 0, 0x0000FF, platform::qt::fsItalic);
  const platform::qt::TFont& font = printing.printer().Canvas().Font;
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Color(), 0x0000FFu);
  EXPECT_EQ(font.Style(), platform::qt::fsItalic);
  EXPECT_EQ(width, 60);  // 12 pt at 600 dpi is 100 dots; the mono advance is 0.6 em
  EXPECT_EQ(settings.CharWidth, width);
  settings.SetFont("Arial", 8, 0, 0);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(settings.FontName, "Courier New");  // the stored font stays
}

struct DotsRow {
  const char* name;
  TRecordedPaper printer;
  std::uint8_t alignment;
  double paper_width_cm;
  bool landscape;
  bool horizontal;
  bool relative;
  double mm;
  int dots;
};
void PrintTo(const DotsRow& row, std::ostream* os) { *os << row.name; }

class MmToDotsTest : public ::testing::TestWithParam<DotsRow> {};

TEST_P(MmToDotsTest, PlacesThePositionOnThePrinter) {
  const DotsRow& row = GetParam();
  ScopedPrinting printing(row.printer);
  TPrintSS settings;
  settings.Alignment = row.alignment;
  settings.PaperWidthCm = row.paper_width_cm;
  settings.Landscape = row.landscape;
  if (row.landscape) printing.printer().SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(settings.MmToDots(row.horizontal, row.relative, row.mm), row.dots);
}

constexpr TRecordedPaper kA4{};
constexpr TRecordedPaper kA4WithEdges{600, 600, 210.0, 297.0, 100, 100};

// A5 paper (14.8 cm) centred on an A4 printer moves by (210 - 148) / 2 = 31 mm; the paper is
// measured in millimetres like the page, so a full A4 sheet does not move at all.
INSTANTIATE_TEST_SUITE_P(
    Rows, MmToDotsTest,
    ::testing::Values(
        DotsRow{"LeftMarginOnly", kA4, 0, 0, false, true, false, 0, 472},
        DotsRow{"TopMarginOnly", kA4, 0, 0, false, false, false, 0, Dots(25)},
        DotsRow{"RelativeIgnoresMarginsAndAlignment", kA4, 1 | 16, 14.8, false, true, true, 10,
                Dots(10)},
        DotsRow{"CentredA4StaysPut", kA4, 1, 0, false, true, false, 0, 472},
        DotsRow{"CentredA5MovesHalfTheDifference", kA4, 1, 14.8, false, true, false, 0,
                Dots(20 + 31)},
        DotsRow{"CentredCountsTheUnprintableEdges", kA4WithEdges, 1, 14.8, false, true, false, 0,
                Dots(20 + 31)},
        DotsRow{"RightWithoutTheEdges", kA4WithEdges, 2, 14.8, false, true, false, 5,
                Dots(5 + 20 + 54)},
        DotsRow{"VerticalCentreActsDown", kA4, 16, 0, false, false, false, 0, Dots(25)},
        DotsRow{"LandscapeCentresDownTheSheet", kA4, 1, 0, true, false, false, 0,
                Dots(25 - 43)}),  // (210 - 297) / 2, the paper height against the sheet
    RowName);

}  // namespace
}  // namespace output
