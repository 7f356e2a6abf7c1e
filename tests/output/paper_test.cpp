// The outputs on paper: the recording printer shows where each line lands, and one real PDF of
// the cover sheet and the QSO list is rendered into the screenshots folder for a person to look
// at.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "output/output_drivers.h"
#include "output/output_texts.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/output/fixture_logs.h"

namespace output_test {
namespace {

using platform::qt::TPrintedText;

void List(OutputRun& r) {
  output::ExportContestLog(r.channel, r.definition, r.periods, r.tables.catalogue,
                           r.tables.contest_data, {}, false);
}

// A '.' log of `count` QSOs on 80 and 40 m, a minute apart.
LogBuilder LongLog(int count) {
  LogBuilder b('.', 1);
  b.Catalogue().LoaderSwitch = 0;
  b.Create();
  for (int i = 0; i < count; ++i) {
    const std::string call = "DL" + std::to_string(i) + "XX";
    b.Add(QsoOf({call.c_str(), i % 2 == 0 ? 'b' : 'c', At(10, 0) + 60 * i, "CW", "599001",
                 "599123", 1}));
  }
  return b;
}

class PaperTest : public OutputLogTest {};

TEST_F(PaperTest, TheListStartsANewPageWithItsHeaderBeforeTheBottom) {
  const LogBuilder b = LongLog(120);
  Print(b, 4, List);
  const int line_height = channel_.LineHeight();
  const int page_height = Printer().PageHeight();
  ASSERT_EQ(Printer().Jobs().size(), 1u);
  ASSERT_EQ(Printer().Jobs()[0].pages, 2);
  const std::string station =
      "Domivox Contest (Tessaly-Treffen)  -  QSO-Liste     CALL: DL1ABC" + std::string(13, ' ');
  for (int page = 1; page <= 2; ++page) {
    const std::vector<TPrintedText> texts = Printer().PageTexts(page);
    ASSERT_GT(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, station + "Page : " + std::to_string(page));
    EXPECT_TRUE(texts[0].Bold());
    EXPECT_FALSE(texts[2].Bold());
    EXPECT_EQ(texts[0].y, channel_.TopPosition());
    EXPECT_EQ(texts[2].text.substr(0, 6), "Nr    ");
    EXPECT_EQ(texts[0].size, 8);
  }
  // Every QSO line leaves room for another below it; the first page is used to its end.
  const std::vector<TPrintedText> first = Printer().PageTexts(1);
  for (const TPrintedText& t : first) EXPECT_LE(t.y + 2 * line_height, page_height) << t.text;
  EXPECT_GT(first.back().y + 3 * line_height, page_height);
  const std::vector<TPrintedText> second = Printer().PageTexts(2);
  // The numbering goes on after the header of the second page.
  const int on_first_page = static_cast<int>(first.size()) - 3;
  EXPECT_EQ(common::Trim(second[3].text.substr(0, 5)), std::to_string(on_first_page + 1));
}

TEST_F(PaperTest, TheBandListPrintsEachBandOnAPageOfItsOwn) {
  const LogBuilder b = LongLog(4);
  Print(b, 3, [](OutputRun& r) {
    output::ExportContestLogByBand(r.channel, r.definition, r.periods, r.tables.catalogue,
                                   r.tables.contest_data);
  });
  // 80, 40, 20, 15 and 10 m: one page each.
  ASSERT_EQ(Printer().Jobs().at(0).pages, 5);
  for (int page = 1; page <= 5; ++page) {
    const std::vector<TPrintedText> texts = Printer().PageTexts(page);
    ASSERT_GE(texts.size(), 3u) << page;
    EXPECT_NE(texts[0].text.find("Band-Log"), std::string::npos);
    EXPECT_NE(texts[0].text.find("Page : " + std::to_string(page)), std::string::npos);
    EXPECT_EQ(texts.size(), page <= 2 ? 5u : 3u) << page;  // two QSOs each on 80 and 40 m
  }
}

// --- one real PDF ---

// The gray levels of a page rendered by poppler; empty when it cannot.
std::vector<unsigned char> RenderedGray(const std::string& pdf, int page) {
  const std::string stem = pdf + "-gray-" + std::to_string(page);
  const std::string command = "pdftoppm -gray -r 40 -f " + std::to_string(page) + " -l " +
                              std::to_string(page) + " -singlefile '" + pdf + "' '" + stem + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(stem + ".pgm", std::ios::binary);
  std::string magic;
  int width = 0;
  int height = 0;
  int maximum = 0;
  in >> magic >> width >> height >> maximum;
  in.get();
  std::vector<unsigned char> pixels((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
  std::remove((stem + ".pgm").c_str());
  return magic == "P5" && pixels.size() == static_cast<std::size_t>(width * height)
             ? pixels
             : std::vector<unsigned char>{};
}

TEST_F(PaperTest, TheCoverSheetAndTheListPrintIntoARealPdf) {
  const LogBuilder b = DotClass5Log();
  const std::string pdf = platform::qt::testkit::ScreenshotFolder() + "/output_cover_and_list.pdf";
  std::remove(pdf.c_str());
  auto qt_printer = std::make_unique<platform::qt::TQtPrinter>();
  qt_printer->SetOutputFileName(pdf);
  auto recording = platform::qt::SetPrinter(std::move(qt_printer));
  Print(b, 5, [](OutputRun& r) {
    output::WriteSummarySheet(r.channel, r.definition, r.periods, r.tables.catalogue,
                              r.tables.contest_data);
    platform::qt::Printer().NewPage();
    List(r);
  });
  platform::qt::SetPrinter(std::move(recording));
  for (int page = 1; page <= 2; ++page) {
    const std::vector<unsigned char> gray = RenderedGray(pdf, page);
    ASSERT_FALSE(gray.empty()) << "page " << page;
    const auto dark = std::count_if(gray.begin(), gray.end(), [](unsigned char g) { return g < 128; });
    EXPECT_GT(dark, 200) << "page " << page << " is blank";
  }
  EXPECT_TRUE(RenderedGray(pdf, 3).empty());  // two pages, no third
  const std::string png = platform::qt::testkit::ScreenshotFolder() + "/output_cover_and_list";
  EXPECT_EQ(std::system(("pdftoppm -png -r 80 '" + pdf + "' '" + png + "'").c_str()), 0);
}

// A PDF that cannot be written whole (a file size limit stands in for a full disk) leaves the
// older file byte for byte and is told; the next job prints as usual.
TEST_F(PaperTest, APdfOnAFullDiskKeepsTheOlderFileAndIsTold) {
  const LogBuilder b = LongLog(4);
  const std::string pdf = folder_ / "list.pdf";
  common::testing::WriteFile(pdf, "older PDF");
  auto qt_printer = std::make_unique<platform::qt::TQtPrinter>();
  qt_printer->SetOutputFileName(pdf);
  auto recording = platform::qt::SetPrinter(std::move(qt_printer));
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  rlimit unlimited{};
  getrlimit(RLIMIT_FSIZE, &unlimited);
  const rlimit full{4096, unlimited.rlim_max};
  const std::size_t told_before = presenter_->calls.size();
  Print(b, 4, [&](OutputRun& r) {
    List(r);
    setrlimit(RLIMIT_FSIZE, &full);  // the job's end finds the disk full
  });
  setrlimit(RLIMIT_FSIZE, &unlimited);
  signal(SIGXFSZ, handler);
  EXPECT_EQ(common::testing::ReadFile(pdf), "older PDF");
  ASSERT_EQ(presenter_->calls.size(), told_before + 1);  // told once
  EXPECT_EQ(presenter_->calls.back().text, output::NotWrittenText(pdf));
  Print(b, 4, List);
  EXPECT_EQ(presenter_->calls.size(), told_before + 1);
  platform::qt::SetPrinter(std::move(recording));
  EXPECT_FALSE(RenderedGray(pdf, 1).empty());
}

}  // namespace
}  // namespace output_test
