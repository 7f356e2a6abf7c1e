// The text window driven as a person would: lines, short text and place in and out, a rich-text
// file, a log's note through the contest service, saving, e-mailing and printing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "app/text_window_port.h"
#include "app/tools_druck_dialog.h"
#include "app/tools_fkt.h"
#include "app/tools_memo_ctrl.h"
#include "app/tools_memo_form.h"
#include "app/tools_zeile_eing.h"
#include "platform/file_faults.h"
#include "platform/qt/application.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/screenshot.h"
#include "platform/text_codec.h"
#include "tests/app/tools_fixture.h"
#include "tests/common/rows.h"
#include "tests/contest/service_fixture.h"

namespace app {
namespace {

using app_test::ToolsTest;
using common::testing::ReadFile;
using common::testing::WriteFile;
using Lines = std::vector<std::string>;

bool Show(const std::string& caption, Lines* lines, std::string& text, const std::string& file,
          contest::WindowRect* rect, bool mail = false) {
  return TToolsFkt::ShowText(caption, lines, text, 255, file, true, true, mail, "", rect);
}

TEST_F(ToolsTest, AShortTextReplacesTheLinesComesBackCutAndTheCentredPlaceIsWrittenBack) {
  Lines lines = {"eins", "zwei"};
  std::string text = "kurz";
  contest::WindowRect rect;  // bottom 0: the window's own place
  contest::WindowRect shown;
  Then<TToolsMemoForm>([&](TToolsMemoForm& f) {
    EXPECT_EQ(f.Caption(), "Notizen");
    EXPECT_EQ(f.Memo1->Lines().Lines(), Lines{"kurz"});
    EXPECT_EQ(f.Memo1->Font().Name(), "Courier New");
    EXPECT_FALSE(f.bkEMailHo4->Visible());
    EXPECT_LE(std::abs(2 * f.Left() + f.Width() - 1024), 4);  // centred, give or take the frame
    shown = {f.Left(), f.Top(), f.Left() + f.Width() - 1, f.Top() + f.Height() - 1};
    // Typing goes into the text, Enter included (it would print on the print button).
    ASSERT_EQ(f.ActiveControl(), f.Memo1);
    platform::qt::TWinControl& focused = *f.ActiveControl();
    platform::qt::testkit::PressKey(focused, platform::qt::VK_END, platform::qt::ssCtrl);
    platform::qt::testkit::PressKey(focused, platform::qt::VK_RETURN);
    platform::qt::testkit::TypeText(focused, "a");
    EXPECT_EQ(f.Memo1->Lines().Lines(), (Lines{"kurz", "a"}));
    f.Memo1->SetText(std::string(300, 'x'));
    Press(*f.btnEndeho4);
  });
  EXPECT_TRUE(Show("", &lines, text, "", &rect));
  EXPECT_EQ(lines, Lines{std::string(300, 'x')});
  EXPECT_EQ(text, std::string(255, 'x'));
  EXPECT_EQ(rect, shown);
}

TEST_F(ToolsTest, AGivenPlaceIsTakenAndTheLastOneWrittenBackAlsoAfterCancel) {
  Lines lines = {"eins"};
  std::string text;
  contest::WindowRect rect{100, 50, 699, 449};
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    EXPECT_EQ(f.BoundsRect(), (platform::qt::TRect{100, 50, 700, 450}));
    f.Memo1->SetText("anders");
    platform::qt::testkit::SaveScreenshot(f, "text_window_memo");
    f.SetBounds(120, 60, 500, 300);
    f.SetModalResult(platform::qt::mrCancel);
  });
  EXPECT_FALSE(Show("Kommentar", &lines, text, "", &rect));
  EXPECT_EQ(rect, (contest::WindowRect{120, 60, 619, 359}));
  EXPECT_EQ(lines, Lines{"eins"});
}

TEST_F(ToolsTest, ARichTextFileShowsItsWordsAndIsNotWrittenBack) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Contest im M\\'e4rz\\par Ausschreibung\\par}";
  WriteFile(Path("regeln.rtf"), rtf);
  std::string text;
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    EXPECT_EQ(f.Caption(), "Contestregeln");
    EXPECT_FALSE(f.Memo1->Visible());
    ASSERT_TRUE(f.richedit1->Visible());
    EXPECT_EQ(f.richedit1->Lines().Lines(), (Lines{"Contest im M\xE4rz", "Ausschreibung"}));
    EXPECT_EQ(f.ActiveControl(), f.richedit1);
    platform::qt::testkit::SaveScreenshot(f, "text_window_rtf");
    f.richedit1->Lines().Add("neu");
    Press(*f.btnEndeho4);
  });
  EXPECT_TRUE(Show("Contestregeln", nullptr, text, Path("regeln.rtf"), nullptr));
  EXPECT_EQ(text, "Contest im M\xE4rz\r\nAusschreibung\r\nneu");
  EXPECT_EQ(ReadFile(Path("regeln.rtf")), rtf);
}

TEST_F(ToolsTest, AFileThatCannotBeReadIsReportedAndShowsNoWindow) {
  std::string text;
  EXPECT_FALSE(Show("Contestregeln", nullptr, text, Path("fehlt.txt"), nullptr));
  ASSERT_EQ(Messages().calls.size(), 1u);
  EXPECT_EQ(Messages().calls[0].text,
            "Die Datei " + Path("fehlt.txt") + " konnte nicht gelesen werden.");
  EXPECT_TRUE(driver_.Seen().empty());
}

TEST_F(ToolsTest, AnEditedTextFileThatCannotBeWrittenBackKeepsTheWindowOpen) {
  WriteFile(Path("notiz.TXT"), "alt\r\n");
  std::string text;
  platform::FileFaultPlan plan;
  plan.write.fail_at = 1;
  platform::ScopedFileFaults faults(&plan);
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    f.richedit1->Lines().Put(0, "neu");
    Press(*f.btnEndeho4);
    // After the refused close: still open, with the edits.
    platform::qt::Application().Queue([&f] {
      EXPECT_EQ(f.richedit1->Lines().Get(0), "neu");
      f.SetModalResult(platform::qt::mrCancel);
    });
  });
  EXPECT_FALSE(Show("Notiz", nullptr, text, Path("notiz.TXT"), nullptr));
  ASSERT_EQ(Messages().calls.size(), 1u);
  EXPECT_EQ(Messages().calls[0].text,
            "Die Datei " + Path("notiz.TXT") + " konnte nicht geschrieben werden.");
}

// A log's note through the contest service with the text window installed: the note opens under
// "Notiz", the edits reach the note file on OK, and the window's last place is stored.
class NoteTest : public contest_test::ServiceTest {
 protected:
  ui::testing::ScreenScope screen_{768, 96};
  platform::qt::testkit::ModalDriver driver_;
};

TEST_F(NoteTest, ALogsNoteOpensAsNotizKeepsTheEditsAndItsPlaceIsStored) {
  InstallTextWindow();
  const std::int32_t ref = AddLog("Fieldday", 'V');
  contest::TdbContest catalogue(contest::kTableKK, 0);
  ASSERT_TRUE(catalogue.SeekRef(ref));
  contest::TdbContest qsos(contest::kTableLK, 1);
  const std::string note = folder_ / "Fieldday.TXT";
  WriteFile(note, "alt\r\n");
  driver_.Then([](platform::qt::TForm& form) {
    auto& f = dynamic_cast<TToolsMemoForm&>(form);
    EXPECT_EQ(f.Caption(), "Notiz");
    ASSERT_EQ(f.richedit1->Lines().Count(), 2);
    EXPECT_EQ(f.richedit1->Lines().Get(1), "alt");
    f.richedit1->Lines().Put(1, "Antenne defekt");
    f.SetBounds(30, 40, 400, 300);
    f.SetModalResult(platform::qt::mrOk);
  });
  Fkt().EditNote(note, catalogue, qsos);
  EXPECT_TRUE(ReadFile(note).ends_with(" > \r\nAntenne defekt\r\n"));
  contest::TdbContest check(contest::kTableKK, 0);
  ASSERT_TRUE(check.SeekRef(ref));
  contest::TContestKKRec log{};
  check.GetKKRec(log);
  EXPECT_EQ(log.NoteLeft, 30);
  EXPECT_EQ(log.NoteTop, 40);
  EXPECT_EQ(log.NoteWidth, 400);
  EXPECT_EQ(log.NoteHeight, 300);
  EXPECT_EQ(driver_.Unanswered(), 0);
}

TEST_F(ToolsTest, SaveUnderCfdDateiProposesTheOwnCallsFileAndWritesTheLines) {
  Lines lines = {"Zeile \xE4", "zwei"};
  std::string text;
  chooser_->answers.push_back(Path("gespeichert.CFD"));
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    Press(*f.btnSpeichernHo4);
    f.SetModalResult(platform::qt::mrCancel);
  });
  Show(kCfdCaption, &lines, text, "", nullptr);
  ASSERT_EQ(chooser_->requests.size(), 1u);
  EXPECT_EQ(chooser_->requests[0].file_name, "DL1ABC_P.CFD");
  EXPECT_EQ(chooser_->requests[0].default_ext, "CFD");
  EXPECT_TRUE(chooser_->requests[0].save);
  EXPECT_EQ(ReadFile(Path("gespeichert.CFD")), "Zeile \xE4\r\nzwei\r\n");
}

// Percent-decoding, back to the system's 1252 text.
std::string Decoded(const std::string& url) {
  std::string utf8;
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size()) {
      utf8 += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      utf8 += url[i];
    }
  }
  return platform::Utf8ToCp1252(utf8);
}

struct MailRow {
  const char* name;
  bool cfd;           // caption "CFD-Datei": the own call's file, no dialog
  bool mapi;          // the answer to the second question
  bool address_ok;    // OK in the address dialog
  int mailer_answer;  // the mail program's exit code
  platform::WinError shell_answer;
  std::size_t mails;
  std::size_t links;
  const char* notice;  // the last notice, "" for none, "path" for the one naming the file
};
void PrintTo(const MailRow& row, std::ostream* os) { *os << row.name; }
class TextWindowMailTest : public ToolsTest, public ::testing::WithParamInterface<MailRow> {};

TEST_P(TextWindowMailTest, TheFileIsWrittenAndSentAsTheAnswersSay) {
  const MailRow& row = GetParam();
  const std::string chosen = Path("100% Pl\xE4ne & Co?.txt");
  const std::string file = row.cfd ? Path("DL1ABC_P.CFD") : chosen;
  if (!row.cfd) chooser_->answers.push_back(chosen);
  Messages().answers = {true, row.mapi};
  mailer_.answer = row.mailer_answer;
  shell_.answer = row.shell_answer;
  Lines lines = {"QSO"};
  std::string text;
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    Press(*f.bkEMailHo4);
    f.SetModalResult(platform::qt::mrCancel);
  });
  Then<TToolsZeileEingForm>([&](TToolsZeileEingForm& f) {
    EXPECT_EQ(f.Caption(), "Datei mit EMail versenden");
    EXPECT_EQ(f.eZeile->Text(), "dl2xyz@example.org");
    f.SetModalResult(row.address_ok ? platform::qt::mrOk : platform::qt::mrCancel);
  });
  TToolsFkt::ShowText(row.cfd ? kCfdCaption : "Notiz", &lines, text, 255, "", false, false, true,
                      "dl2xyz@example.org", nullptr);
  EXPECT_EQ(driver_.Unanswered(), 0);
  EXPECT_EQ(ReadFile(common::OsPath(file)), "QSO\r\n");
  ASSERT_EQ(mailer_.mails.size(), row.mails);
  ASSERT_EQ(shell_.calls.size(), row.links);
  if (row.mails == 1) {
    EXPECT_EQ(
        mailer_.mails[0],
        (platform::MailRequest{"Datei DL1ABC_P",
                               "In der Anlage dieser EMail befindet sich die Datei von DL1ABC/P.",
                               "dl2xyz@example.org",
                               {file}}));
  }
  if (row.links == 1) {
    const std::string url = shell_.calls[0].arguments[0];
    EXPECT_EQ(url.find_first_of(" ?&"), url.find("?subject="));  // the separators alone
    EXPECT_EQ(url.rfind('&'), url.find("&body="));
    EXPECT_EQ(Decoded(url),
              "mailto:dl2xyz@example.org?subject=Datei von DL1ABC/P&body=Fuegen Sie "
              "jetzt als EMail-Anlage die folgende Datei ein: " +
                  file);
  }
  std::string notice;  // the last notice shown
  for (const common::MessageCall& call : Messages().calls) {
    if (call.kind == common::MessageKind::kHinweis) notice = call.text;
  }
  EXPECT_EQ(notice, row.notice == std::string("path") ? "Das EMail-Programm konnte nicht gestartet "
                                                        "werden. Bitte senden Sie die Datei " +
                                                            file + " selbst."
                                                      : std::string(row.notice));
}

constexpr platform::WinError kOk = platform::kErrorSuccess;
constexpr platform::WinError kNoOpener = platform::kErrorFileNotFound;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, TextWindowMailTest, ::testing::Values(
    MailRow{"YesAttachesTheOwnCallsFileFromTheCurrentFolder", true, true, true,
            platform::kMailHandedOver, kOk, 1, 0, ""},
    MailRow{"NoOpensOneEncodedMailtoLinkWithTheWholePath", false, false, true,
            platform::kMailHandedOver, kOk, 0, 1, ""},
    MailRow{"CancelAtTheAddressSendsNothing", false, true, false,
            platform::kMailHandedOver, kOk, 0, 0, ""},
    MailRow{"NoMailProgram", true, true, true, platform::kMailNotStarted, kOk, 1, 0,
            "Benutzer hat Senden abgebrochen oder MAPI nicht installiert."},
    MailRow{"NoLinkOpener", false, false, true, platform::kMailHandedOver, kNoOpener, 0, 1,
            "path"}),
    common::testing::RowName);
// clang-format on

TEST_F(ToolsTest, PrintingTheMemoUsesTheConfirmedMarginsAndTheTempFileAsTitle) {
  Lines lines = {"Erste Zeile", "Zweite Zeile"};
  std::string text;
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    Press(*f.btndruckho4);
    f.SetModalResult(platform::qt::mrCancel);
  });
  Then<TToolsDruckDialogForm>([](TToolsDruckDialogForm& f) {
    EXPECT_EQ(f.elinks->Text() + "/" + f.eoben->Text(), "15/20");
    f.elinks->SetText("30");
    Press(*f.btnEndepx4);
  });
  Show("", &lines, text, "", nullptr);
  const std::string temp = MemoTempFile();
  EXPECT_EQ(temp, Path("MEMO.TMP"));
  EXPECT_EQ(ReadFile(temp), "Erste Zeile\r\nZweite Zeile\r\n");
  platform::qt::TRecordingPrinter& printer = printing_.printer();
  ASSERT_EQ(printer.Jobs().size(), 1u);
  EXPECT_EQ(printer.Jobs()[0].title, temp);
  ASSERT_EQ(printer.Texts().size(), 2u);
  const platform::qt::TPrintedText& first = printer.Texts()[0];
  EXPECT_EQ(first.text, "Erste Zeile");
  EXPECT_EQ(first.font, "Courier New");
  EXPECT_EQ(first.size, 10);
  EXPECT_EQ(first.x, 709);  // 30 mm at 600 dpi
  EXPECT_EQ(first.y, 472);  // 20 mm
  EXPECT_GT(printer.Texts()[1].y, first.y);
}

}  // namespace
}  // namespace app
