// The file viewer driven as a person would: edits, "Drucken", "Speichern und Beenden" and the
// close box, with the question before edits are dropped.
#include "output/wagdatei.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "output/alle_rout.h"
#include "output/output_texts.h"
#include "platform/file_faults.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/common/rows.h"
#include "tests/common/temp_folder.h"
#include "tests/output/output_fixture.h"

namespace output {
namespace {

using common::MessageKind;
using common::testing::ReadFile;
using common::testing::WriteFile;
using output_test::OutputFixture;
using platform::qt::TForm;
using platform::qt::testkit::ModalDriver;

const std::string kFile = "M\xDCLLER DL1ABC\r\nZeile \xE4zwei\r\n";
const std::string kEdited = "M\xDCLLER DL1ABC\r\nZeile \xE4nderung\r\n";  // after Edit

// Opens the viewer on a file holding kFile; `answer` runs inside its modal loop.
bool View(OutputFixture& f, const std::function<void(Twagdatei&)>& answer) {
  WriteFile(f.Path("log.CBR"), kFile);
  ModalDriver driver;
  driver.Then([&](TForm& form) { answer(dynamic_cast<Twagdatei&>(form)); });
  const bool result = Twagdatei::ShowFile(f.Path("log.CBR"));
  EXPECT_EQ(driver.Unanswered(), 0);
  return result;
}

void Edit(Twagdatei& viewer) { viewer.redit().Lines().Put(1, "Zeile \xE4nderung"); }

void Press(platform::qt::TButton& button) { platform::qt::testkit::Click(button, 5, 5); }

TEST(Twagdatei, ShowsTheFileInCourierNewUnderItsName) {
  OutputFixture f;
  View(f, [&](Twagdatei& viewer) {
    EXPECT_EQ(viewer.Caption(), f.Path("log.CBR"));
    EXPECT_EQ(viewer.redit().Lines().Lines(),
              (std::vector<std::string>{"M\xDCLLER DL1ABC", "Zeile \xE4zwei"}));
    EXPECT_EQ(viewer.redit().Font().Name(), "Courier New");
    Edit(viewer);
    platform::qt::testkit::SaveScreenshot(viewer, "file_viewer");
    viewer.SetModalResult(platform::qt::mrCancel);
  });
}

TEST(Twagdatei, SaveAndCloseWritesTheEditsAndAnswersTrue) {
  OutputFixture f;
  EXPECT_TRUE(View(f, [&](Twagdatei& viewer) {
    Edit(viewer);
    Press(viewer.btnspeichern());
  }));
  EXPECT_EQ(ReadFile(f.Path("log.CBR")), kEdited);
  EXPECT_TRUE(f.Messages().calls.empty());
}

struct CloseRow {
  const char* name;
  bool edit;
  bool save;  // the answer to the question
  std::string file;
};
void PrintTo(const CloseRow& row, std::ostream* os) { *os << row.name; }

class TwagdateiCloseTest : public ::testing::TestWithParam<CloseRow> {};

TEST_P(TwagdateiCloseTest, TheCloseBoxAsksBeforeEditsAreDropped) {
  OutputFixture f;
  f.Messages().answers.push_back(GetParam().save);
  EXPECT_FALSE(View(f, [&](Twagdatei& viewer) {
    if (GetParam().edit) Edit(viewer);
    viewer.WindowCloseRequested();
  }));
  EXPECT_EQ(ReadFile(f.Path("log.CBR")), GetParam().file);
  ASSERT_EQ(f.Messages().calls.size(), GetParam().edit ? 1u : 0u);
  if (!GetParam().edit) return;
  EXPECT_EQ(f.Messages().calls[0].kind, MessageKind::kJaNeinFrage);
  EXPECT_TRUE(f.Messages().calls[0].default_yes);
}

INSTANTIATE_TEST_SUITE_P(Answers, TwagdateiCloseTest,
                         ::testing::Values(CloseRow{"UneditedAsksNothing", false, true, kFile},
                                           CloseRow{"YesSaves", true, true, kEdited},
                                           CloseRow{"NoKeepsTheFile", true, false, kFile}),
                         common::testing::RowName);

// A file that ends in an empty line (two line breaks) keeps it: nothing asked, nothing lost.
TEST(Twagdatei, AnEmptyLastLineIsPartOfTheFile) {
  OutputFixture f;
  const std::string text = "QSO 1\r\n\r\n";
  WriteFile(f.Path("log.STF"), text);
  ModalDriver driver;
  driver.Then([&](TForm& form) {
    auto& viewer = dynamic_cast<Twagdatei&>(form);
    EXPECT_EQ(viewer.redit().Lines().Lines(), (std::vector<std::string>{"QSO 1", ""}));
    Press(viewer.Button1());  // saved before printing
    viewer.WindowCloseRequested();
  });
  EXPECT_FALSE(Twagdatei::ShowFile(f.Path("log.STF")));
  EXPECT_EQ(ReadFile(f.Path("log.STF")), text);
  EXPECT_TRUE(f.Messages().calls.empty());
}

TEST(Twagdatei, PrintSavesFirstAndPrintsTheEditedLinesUnderTheFileName) {
  OutputFixture f;
  EXPECT_FALSE(View(f, [&](Twagdatei& viewer) {
    Edit(viewer);
    Press(viewer.Button1());
    EXPECT_TRUE(viewer.Showing());  // the viewer stays open
    viewer.WindowCloseRequested();  // saved: nothing to ask
  }));
  EXPECT_EQ(ReadFile(f.Path("log.CBR")), kEdited);
  ASSERT_EQ(f.Printer().Jobs().size(), 1u);
  EXPECT_EQ(f.Printer().Jobs()[0].title, f.Path("log.CBR"));
  std::vector<std::string> printed;
  for (const auto& text : f.Printer().Texts()) printed.push_back(text.text);
  EXPECT_EQ(printed, (std::vector<std::string>{"M\xDCLLER DL1ABC", "Zeile \xE4nderung"}));
  EXPECT_EQ(f.Printer().Texts()[0].font, "Courier New");
  EXPECT_TRUE(f.Messages().calls.empty());
  EXPECT_TRUE(f.PrintDialog().shown.empty()) << "a printer that prints needs no dialog";
}

// "Drucken" where the printer cannot begin the job: the window system's printer on a machine
// without a printer (its PDF entry, no file named yet, or one it cannot write), or a printer
// that refuses.
struct NoPrinterRow {
  const char* name;
  bool pdf_entry;  // else the fixture's printer, refusing jobs
  bool dialog_ok;
  bool printed;  // into the PDF file the dialog named
  bool refused;  // "Der Drucker ... konnte den Druckauftrag nicht beginnen."
  bool unwritable_pdf = false;  // the PDF entry names a file in a missing folder, told first
};
void PrintTo(const NoPrinterRow& row, std::ostream* os) { *os << row.name; }

class TwagdateiNoPrinterTest : public ::testing::TestWithParam<NoPrinterRow> {};

TEST_P(TwagdateiNoPrinterTest, ThePrintDialogOffersAPrinterOrAPdfFile) {
  const NoPrinterRow& row = GetParam();
  OutputFixture f;
  const std::string pdf = f.Path("log.pdf");
  std::unique_ptr<platform::qt::TPrinter> recording;
  if (row.pdf_entry) {
    auto qt_printer = std::make_unique<platform::qt::TQtPrinter>();
    qt_printer->SetPrinterIndex(static_cast<int>(qt_printer->Printers().size()) - 1);
    if (row.unwritable_pdf) qt_printer->SetOutputFileName(f.Path("fehlt/log.pdf"));
    recording = platform::qt::SetPrinter(std::move(qt_printer));
  } else {
    f.Printer().refuse_jobs = true;
  }
  platform::qt::PrintDialogAnswer answer;
  answer.ok = row.dialog_ok;
  f.PrintDialog().answers.push_back(answer);
  f.PrintDialog().pdf_file = pdf;
  View(f, [&](Twagdatei& viewer) {
    Press(viewer.Button1());
    viewer.WindowCloseRequested();
  });
  const std::string shown_printer =
      row.pdf_entry ? platform::qt::kPdfPrinterName : f.Printer().PrinterName();
  EXPECT_EQ(f.PrintDialog().shown, std::vector<std::string>{shown_printer});
  EXPECT_EQ(ReadFile(pdf).starts_with("%PDF"), row.printed);
  std::vector<std::string> told;
  if (row.unwritable_pdf) told.push_back(NotWrittenText(f.Path("fehlt/log.pdf")));
  if (row.refused) told.push_back(JobRefusedText(shown_printer));
  std::vector<std::string> said;
  for (const common::MessageCall& call : f.Messages().calls) said.push_back(call.text);
  EXPECT_EQ(said, told);
  if (recording) platform::qt::SetPrinter(std::move(recording));
}

INSTANTIATE_TEST_SUITE_P(
    Printers, TwagdateiNoPrinterTest,
    ::testing::Values(NoPrinterRow{"PdfFileChosen", true, true, true, false},
                      NoPrinterRow{"DialogCancelled", true, false, false, false},
                      NoPrinterRow{"RefusedAgain", false, true, false, true},
                      NoPrinterRow{"RefusedThenCancelled", false, false, false, false},
                      NoPrinterRow{"UnwritablePdfToldThenAnotherChosen", true, true, true, false,
                                   true}),
    common::testing::RowName);

TEST(Twagdatei, AFailedSaveKeepsTheViewerOpenWithTheEdits) {
  OutputFixture f;
  platform::FileFaultPlan plan;
  plan.write.fail_at = 2;
  f.Messages().answers.push_back(false);  // then closed, dropping the edits
  EXPECT_FALSE(View(f, [&](Twagdatei& viewer) {
    Edit(viewer);
    {
      platform::ScopedFileFaults faults(&plan);
      Press(viewer.btnspeichern());
    }
    EXPECT_EQ(viewer.ModalResult(), platform::qt::mrNone);
    EXPECT_EQ(viewer.redit().Lines().Get(1), "Zeile \xE4nderung");
    viewer.WindowCloseRequested();
  }));
  EXPECT_EQ(ReadFile(f.Path("log.CBR")), kFile);  // the second line failed: the older text
  ASSERT_EQ(f.Messages().calls.size(), 2u);
  EXPECT_EQ(f.Messages().calls[0].text,
            "Die Datei " + f.Path("log.CBR") + " konnte nicht geschrieben werden.");
  EXPECT_EQ(f.Messages().calls[1].kind, MessageKind::kJaNeinFrage);
}

// The channel's own viewer, not the fixture's recorder: a written Cabrillo file opens in it.
TEST(Twagdatei, TheChannelShowsAWrittenFileInTheViewer) {
  OutputFixture f;
  TAlleRout channel;
  ASSERT_TRUE(channel.Open(10));
  f.Chooser().answers.push_back(f.Path("shown.CBR"));
  ASSERT_TRUE(channel.OpenFileKind(10, contest::TContestKKRec{}, contest::TContestRec{}));
  channel.WriteLine("start-of-log: 3.0", true, true);
  ModalDriver driver;
  std::vector<std::string> seen;
  driver.Then([&](TForm& form) {
    seen = dynamic_cast<Twagdatei&>(form).redit().Lines().Lines();
    form.SetModalResult(platform::qt::mrCancel);
  });
  channel.Close();
  channel.CloseAndShow();
  EXPECT_EQ(seen, std::vector<std::string>{"START-OF-LOG: 3.0"});
}

}  // namespace
}  // namespace output
