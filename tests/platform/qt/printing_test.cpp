// The printing layer: page geometry, the canvas's fonts and metrics, jobs and pages, plain-text
// printing, the PDF output of the window system's printer and its dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "platform/qt/font_table.h"
#include "platform/qt/print_dialogs.h"
#include "platform/qt/print_text.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/recording_printer.h"
#include "platform/qt/scripted_print_dialogs.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/qt/testkit/system_dialogs.h"

namespace platform::qt {
namespace {

struct FamilyRow {
  const char* name;
  std::string font;
  std::string family;
};
void PrintTo(const FamilyRow& row, std::ostream* os) { *os << row.name; }

class FontTableTest : public ::testing::TestWithParam<FamilyRow> {};

// The family must also be the one the window system really draws with, not a look-alike.
TEST_P(FontTableTest, MapsToAnInstalledFamily) {
  EXPECT_EQ(HostFontFamily(GetParam().font), GetParam().family);
  EXPECT_EQ(DrawnFontFamily(GetParam().font), GetParam().family);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FontTableTest,
    ::testing::Values(FamilyRow{"CourierNew", "Courier New", "Liberation Mono"},
                      FamilyRow{"ArialAnyCase", "ARIAL", "Liberation Sans"},
                      FamilyRow{"MsSansSerif", "MS Sans Serif", "Liberation Sans"},
                      FamilyRow{"InstalledAsItIs", "DejaVu Serif", "DejaVu Serif"},
                      FamilyRow{"UnknownToSans", "Wingdings 9", "Liberation Sans"},
                      FamilyRow{"EmptyToSans", "", "Liberation Sans"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingPrinter, A4At600DotsTurnsWithItsOrientation) {
  TRecordingPrinter printer({600, 600, 210.0, 297.0, 50, 40});
  EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSX), 600);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALWIDTH), 4961);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALHEIGHT), 7016);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALOFFSETX), 50);
  EXPECT_EQ(printer.PageWidth(), 4961 - 100);
  EXPECT_EQ(printer.PageHeight(), 7016 - 80);
  printer.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(printer.PageWidth(), 7016 - 80);
  EXPECT_EQ(printer.GetDeviceCaps(PHYSICALOFFSETY), 50);
  EXPECT_EQ(printer.GetDeviceCaps(12345), 0);
}

TEST(RecordingPrinter, MeasuresWithTheRealFontAtItsResolution) {
  TRecordingPrinter printer;
  TPrinterCanvas& canvas = printer.Canvas();
  canvas.Font.SetName("Courier New");
  canvas.Font.SetSize(9);
  const int x = canvas.TextWidth("X");
  EXPECT_EQ(x, 45);  // 9 pt at 600 dpi is 75 dots; the mono advance is 0.6 em
  EXPECT_EQ(canvas.TextWidth("XygW XygW"), 9 * x);
  EXPECT_GT(canvas.TextHeight("XygW"), 75);
  EXPECT_LT(canvas.TextHeight("XygW"), 100);
  canvas.Font.SetName("Arial");
  EXPECT_NE(canvas.TextWidth("iiii"), canvas.TextWidth("WWWW"));
}

TEST(RecordingPrinter, RecordsPagesPlacesAndFontsOfAJob) {
  TRecordingPrinter printer;
  TPrinterCanvas& canvas = printer.Canvas();
  canvas.TextOut(1, 1, "outside a job");
  printer.Title = "Liste";
  ASSERT_TRUE(printer.BeginDoc());
  EXPECT_FALSE(printer.BeginDoc());  // one job at a time
  printer.SetPrinterIndex(5);        // ignored: no such printer, and a job runs
  EXPECT_EQ(printer.PrinterIndex(), 0);
  canvas.Font.SetStyle(fsBold);
  canvas.TextOut(331, 236, "M\xDCLLER");
  printer.NewPage();
  canvas.Font.SetStyle(0);
  canvas.TextOut(331, 236, "zwei");
  printer.EndDoc();
  ASSERT_EQ(printer.Texts().size(), 2u);
  const TPrintedText& first = printer.Texts()[0];
  EXPECT_EQ(first.page, 1);
  EXPECT_EQ(first.x, 331);
  EXPECT_EQ(first.text, "M\xDCLLER");
  EXPECT_TRUE(first.Bold());
  EXPECT_EQ(printer.PageTexts(2).at(0).text, "zwei");
  ASSERT_EQ(printer.Jobs().size(), 1u);
  EXPECT_EQ(printer.Jobs()[0].title, "Liste");
  EXPECT_EQ(printer.Jobs()[0].pages, 2);
  EXPECT_TRUE(printer.Jobs()[0].ended);
  EXPECT_EQ(printer.PageNumber(), 0);
  printer.refuse_jobs = true;
  EXPECT_FALSE(printer.BeginDoc());
  EXPECT_EQ(printer.Jobs().size(), 1u);
}

TEST(PrintLines, BreaksLongLinesAtBlanksAndFillsPages) {
  TRecordingPrinter printer;
  TFont font;
  font.SetName("Courier New");
  font.SetSize(10);
  printer.Canvas().Font = font;
  const int char_width = printer.Canvas().TextWidth("X");
  const int line_height = printer.Canvas().TextHeight("Xg");
  // Ten characters a line and three lines a page.
  const TRect area{100, 200, 100 + 10 * char_width, 200 + 3 * line_height + line_height / 2};
  ASSERT_TRUE(
      PrintLines(printer, {"eins zwei drei", "", "ABCDEFGHIJKLMN", "vier"}, "t.txt", font, area));
  std::vector<std::string> printed;
  for (const TPrintedText& t : printer.Texts()) {
    printed.push_back(std::to_string(t.page) + ":" + std::to_string((t.y - 200) / line_height) +
                      ":" + t.text);
    EXPECT_EQ(t.x, 100);
  }
  EXPECT_EQ(printed, (std::vector<std::string>{"1:0:eins zwei ", "1:1:drei",
                                               "1:2:", "2:0:ABCDEFGHIJ", "2:1:KLMN", "2:2:vier"}));
  EXPECT_EQ(printer.Jobs().at(0).title, "t.txt");
  printer.refuse_jobs = true;
  EXPECT_FALSE(PrintLines(printer, {"x"}, "t", font));
}

// Reads the page count of a PDF with poppler's pdfinfo; -1 when it cannot.
int PdfPages(const std::string& path) {
  const std::string command = "pdfinfo '" + path + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char line[512];
  int pages = -1;
  while (fgets(line, sizeof line, pipe) != nullptr) std::sscanf(line, "Pages: %d", &pages);
  pclose(pipe);
  return pages;
}

TEST(QtPrinter, WritesATwoPagePdfWhenNoPrinterIsChosen) {
  const std::string path = testkit::ScreenshotFolder() + "/printer_two_pages.pdf";
  std::remove(path.c_str());
  TQtPrinter printer;
  EXPECT_EQ(printer.Printers().back(), kPdfPrinterName);
  printer.Title = "Zwei Seiten";
  printer.SetPrinterIndex(static_cast<int>(printer.Printers().size()) - 1);
  EXPECT_FALSE(printer.BeginDoc());  // the PDF entry without a file
  printer.SetOutputFileName(path);
  EXPECT_EQ(printer.PrinterName(), kPdfPrinterName);
  EXPECT_GE(printer.GetDeviceCaps(LOGPIXELSX), 300);
  EXPECT_GT(printer.PageHeight(), printer.PageWidth());
  ASSERT_TRUE(printer.BeginDoc());
  printer.Canvas().Font.SetName("Courier New");
  printer.Canvas().Font.SetSize(12);
  printer.Canvas().TextOut(0, 0,
                           "Seite eins: Gr\xFC\xDF"
                           "e");
  printer.NewPage();
  printer.Canvas().TextOut(0, 0, "Seite zwei");
  printer.EndDoc();
  EXPECT_EQ(PdfPages(path), 2);
}

using testkit::AnswerNextSystemDialog;

TEST(QtDialogs, ThePrintDialogAnswersOkAndCancel) {
  TRecordingPrinter printer;
  QtPrintDialog dialog;
  AnswerNextSystemDialog(false);
  EXPECT_FALSE(dialog.Execute(printer));
  TQtPrinter qt_printer;
  AnswerNextSystemDialog(true);
  EXPECT_TRUE(dialog.Execute(qt_printer));
}

TEST(QtDialogs, TheFontDialogKeepsTheSystemsNameOnOk) {
  TFont font;
  font.SetName("Courier New");
  font.SetSize(11);
  font.SetStyle(fsBold);
  QtFontDialog dialog;
  AnswerNextSystemDialog(false);
  EXPECT_FALSE(dialog.Execute(font));
  AnswerNextSystemDialog(true);
  ASSERT_TRUE(dialog.Execute(font));
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Size(), 11);
  EXPECT_EQ(font.Style(), fsBold);
}

}  // namespace
}  // namespace platform::qt
