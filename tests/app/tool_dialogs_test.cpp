// The line input and the print dialog driven as a person would, and the facade's answer when a
// tool throws.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/tools_druck_dialog.h"
#include "app/tools_fkt.h"
#include "app/tools_memo_form.h"
#include "app/tools_zeile_eing.h"
#include "platform/qt/testkit/screenshot.h"
#include "tests/app/tools_fixture.h"
#include "tests/common/rows.h"

namespace app {
namespace {

using app_test::ToolsTest;
using platform::qt::mrCancel;
using platform::qt::mrOk;

TEST_F(ToolsTest, LineInputDefaultsAndCancelKeepsTheLine) {
  std::string line = "alt";
  Then<TToolsZeileEingForm>([](TToolsZeileEingForm& f) {
    EXPECT_EQ(f.Caption(), "Pelorin");
    EXPECT_EQ(f.lcaption->Caption(), "Eingabe Text:");
    EXPECT_EQ(f.eZeile->Text(), "alt");
    EXPECT_FALSE(f.btnemail->Visible());
    EXPECT_EQ(f.lUntereingabe->Caption(), "");
    EXPECT_EQ(f.btnOK->Caption(), "&OK");
    EXPECT_EQ(f.btnOK->ModalResult(), mrOk);
    f.eZeile->SetText("neu");
    f.SetModalResult(mrCancel);
  });
  EXPECT_FALSE(TToolsFkt::InputLine("", "", line, 255, "", false, 0, 0));
  EXPECT_EQ(line, "alt");
}

TEST_F(ToolsTest, LineInputLinkButtonOpensTheLinkAndTheHintShows) {
  std::string line;
  Then<TToolsZeileEingForm>([this](TToolsZeileEingForm& f) {
    EXPECT_EQ(f.Caption(), "Rufzeichen");
    EXPECT_EQ(f.lUntereingabe->Caption(), "Betriebszeichen: - = Bindestrich | + = Ende");
    ASSERT_TRUE(f.btnemail->Visible());
    Press(*f.btnemail);
    EXPECT_EQ(shell_.calls.size(), 1u);
    f.eZeile->SetText("DL2XYZ");
    platform::qt::testkit::SaveScreenshot(f, "line_input_with_link");
    // Alt+O is the OK button's accelerator.
    platform::qt::testkit::PressKey(*f.eZeile, 'O', platform::qt::ssAlt);
    EXPECT_EQ(f.ModalResult(), mrOk);
  });
  EXPECT_TRUE(
      TToolsFkt::InputLine("Rufzeichen", "Call:", line, 255, "info@example.org", true, 0, 0));
  EXPECT_EQ(line, "DL2XYZ");
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(shell_.calls[0].arguments[0], "mailto:info@example.org");
}

struct LengthRow {
  const char* name;
  int max_length;
  std::size_t capacity;
  std::size_t kept;
};
void PrintTo(const LengthRow& row, std::ostream* os) { *os << row.name; }
class LineLengthTest : public ToolsTest, public ::testing::WithParamInterface<LengthRow> {};

TEST_P(LineLengthTest, TheLineEndsAtTheLimitTheRecordOrTheCallersCapacity) {
  std::string line;
  Then<TToolsZeileEingForm>([](TToolsZeileEingForm& f) {
    f.eZeile->SetText(std::string(300, 'A'));
    f.SetModalResult(mrOk);
  });
  EXPECT_TRUE(
      TToolsFkt::InputLine("", "", line, GetParam().capacity, "", false, 0, GetParam().max_length));
  EXPECT_EQ(line, std::string(GetParam().kept, 'A'));
}

INSTANTIATE_TEST_SUITE_P(Rows, LineLengthTest,
                         ::testing::Values(LengthRow{"NoLimitTakes255", 0, 1000, 255},
                                           LengthRow{"LimitFive", 5, 255, 5},
                                           LengthRow{"CallersCapacity", 0, 10, 10}),
                         common::testing::RowName);

TEST_F(ToolsTest, PrintDialogWithoutMarginsOrFontShowsTheSettingsAndOkRoundsThem) {
  PrintSettings().LeftMargin = 12.6;
  PrintSettings().RightMargin = 20.4;
  PrintSettings().TopMargin = 25.5;
  PrintSettings().BottomMargin = 19.5;
  Then<TToolsDruckDialogForm>([](TToolsDruckDialogForm& f) {
    for (const auto* edit : {f.elinks, f.erechts, f.eoben, f.eunten}) EXPECT_FALSE(edit->Enabled());
    EXPECT_EQ(f.elinks->Text() + f.erechts->Text() + f.eoben->Text() + f.eunten->Text(),
              "13202620");
    EXPECT_FALSE(f.btnschrift->Enabled());
    EXPECT_FALSE(f.lschrift->Enabled());
    EXPECT_EQ(f.ldrucker->Caption(), "Aufzeichnung");
    Press(*f.btnEndepx4);
  });
  EXPECT_TRUE(TToolsDruckDialogCtrl(nullptr, {}).Execute());
  EXPECT_EQ(PrintSettings().LeftMargin, 13);
  EXPECT_EQ(PrintSettings().RightMargin, 20);
  EXPECT_EQ(PrintSettings().TopMargin, 26);
  EXPECT_EQ(PrintSettings().BottomMargin, 20);
}

TEST_F(ToolsTest, PrintDialogCancelKeepsPrinterAndFontButNotTheMargins) {
  printing_.font_dialog().answers.push_back(
      platform::qt::FontChoice{"Arial", 12, platform::qt::fsBold | platform::qt::fsItalic});
  printing_.print_dialog().answers.push_back(
      {true, -1, platform::qt::TPrinterOrientation::poLandscape});
  Then<TToolsDruckDialogForm>([](TToolsDruckDialogForm& f) {
    EXPECT_TRUE(f.elinks->Enabled());
    EXPECT_FALSE(f.erechts->Enabled());
    EXPECT_EQ(f.lschrift->Caption(), "Courier New  10pt");
    f.elinks->SetText("33");
    Press(*f.btnschrift);
    EXPECT_EQ(f.lschrift->Caption(), "Arial  12pt fett kursiv");
    Press(*f.SAPBtn1);
    EXPECT_EQ(f.elinks->Text(), "33");  // the buttons keep what was typed
    platform::qt::testkit::SaveScreenshot(f, "print_dialog");
    Press(*f.btnabbruchpx4);
  });
  TPrintDialogValues values;
  values.left = 15;
  values.font_name = "Courier New";
  values.font_size = 10;
  EXPECT_FALSE(TToolsFkt::PrintDialog(values));
  EXPECT_EQ(PrintSettings().FontName, "Arial");
  EXPECT_EQ(PrintSettings().FontSize, 12);
  EXPECT_EQ(PrintSettings().FontStyle, platform::qt::fsBold | platform::qt::fsItalic);
  EXPECT_TRUE(PrintSettings().Landscape);
  EXPECT_EQ(PrintSettings().LeftMargin, 15);
  EXPECT_EQ(printing_.font_dialog().shown[0].name, "Courier New");
}

// --- a tool that throws ---

class ThrowingShell final : public platform::Shell {
 public:
  platform::WinError Open(const std::string&) override { throw std::runtime_error("shell"); }
  platform::WinError Start(const std::string&, const std::vector<std::string>&) override {
    throw std::runtime_error("shell");
  }
};

class ThrowingChooser final : public common::FileChooser {
 public:
  std::optional<std::string> Choose(const common::FileChooserRequest&) override {
    throw std::runtime_error("chooser");
  }
};

class ThrowingFontDialog final : public platform::qt::FontDialogPort {
 public:
  bool Execute(platform::qt::TFont&) override { throw std::runtime_error("font dialog"); }
};

TEST_F(ToolsTest, AToolThatThrowsAnswersFalseAndLeavesTheCallersVariables) {
  ThrowingShell shell;
  platform::ScopedDesktop throwing(&shell, nullptr);
  std::string line = "alt";
  Then<TToolsZeileEingForm>([](TToolsZeileEingForm& f) {
    f.eZeile->SetText("neu");
    Press(*f.btnemail);
  });
  EXPECT_FALSE(TToolsFkt::InputLine("", "", line, 255, "x@y.de", false, 0, 0));
  EXPECT_EQ(line, "alt");

  common::Service<common::TFileBaseSS>::Get().SetFileChooser(std::make_unique<ThrowingChooser>());
  std::vector<std::string> lines = {"eins"};
  std::string text = "kurz";
  contest::WindowRect rect{10, 20, 409, 319};
  Then<TToolsMemoForm>([](TToolsMemoForm& f) {
    f.Memo1->SetText("anders");
    f.SetBounds(1, 2, 300, 200);
    Press(*f.btnSpeichernHo4);
  });
  EXPECT_FALSE(TToolsFkt::ShowText("", &lines, text, 255, "", true, false, false, "", &rect));
  EXPECT_EQ(lines, std::vector<std::string>{"eins"});
  EXPECT_EQ(text, "kurz");
  EXPECT_EQ(rect, (contest::WindowRect{10, 20, 409, 319}));

  platform::qt::SetFontDialog(std::make_unique<ThrowingFontDialog>());
  TPrintDialogValues values;
  values.font_size = 10;
  Then<TToolsDruckDialogForm>([](TToolsDruckDialogForm& f) { Press(*f.btnschrift); });
  EXPECT_FALSE(TToolsFkt::PrintDialog(values));
  EXPECT_EQ(driver_.Unanswered(), 0);
}

}  // namespace
}  // namespace app
