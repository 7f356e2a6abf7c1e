// The log window's buttons and field events: entry mode and list mode with the question about a
// typed call, the typed name into the name fields, the blank in the exchange, the frequency's
// colour, the cluster line's Esc, the frequency scan, the keyer buttons, help, and how the button
// bars look in both modes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/date_mask.h"
#include "platform/qt/application.h"
#include "platform/qt/colors.h"
#include "platform/qt/keys.h"
#include "platform/qt/testkit/window_frame.h"
#include "tests/contestlog/keys_window.h"
#include "ui/mouse_grid.h"

namespace contestlog {
namespace {

using contestlog_test::KeysWindow;
using contestlog_test::LogBuilder;
namespace qt = platform::qt;

class LogControlsTest : public contestlog_test::KeysWindowTest {
 protected:
  static bool InEntryMode(const KeysWindow& w) {
    return w.btnCleara->Enabled() && w.PanelDXOben->Color() == qt::clNavy;
  }
  static bool InListMode(const KeysWindow& w) {
    return !w.btnCleara->Enabled() && w.PanelDXOben->Color() == qt::clRed;
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const common::MessageCall& call : presenter_->calls) titles.push_back(call.title);
    return titles;
  }
};

TEST_F(LogControlsTest, TheListAsksAboutATypedCallYesDropsItNoKeepsItAnEmptyEntryIsNotAsked) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    ASSERT_TRUE(InEntryMode(w));
    Type(*w.eCall, "DL1ABC");
    presenter_->answers = {false};
    w.Brow->GetGrid().SetFocus();
    EXPECT_EQ(Titles(), std::vector<std::string>{"Eingabe beenden?"});
    EXPECT_EQ(presenter_->calls.at(0).text, "Eingabe verwerfen und in die QSO-Liste wechseln?");
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(w.eCall->Text(), "DL1ABC");
    EXPECT_TRUE(InEntryMode(w));

    presenter_->answers = {true};
    Press(w, qt::VK_F5);
    EXPECT_EQ(presenter_->calls.size(), 2u);
    EXPECT_EQ(w.eCall->Text(), "");
    EXPECT_TRUE(InListMode(w));
    EXPECT_EQ(w.ActiveControl(), &w.Brow->GetGrid());
    Shot(w, "log_buttons_list_mode");

    // A click on the entry panel: entry mode, a new entry in the call field.
    w.panelEingabe->Click();
    EXPECT_TRUE(InEntryMode(w));
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    Shot(w, "log_buttons_entry_mode");

    // Without a call the list comes without a question; Esc returns to the entry.
    Press(w, qt::VK_F5);
    EXPECT_EQ(presenter_->calls.size(), 2u);
    EXPECT_TRUE(InListMode(w));
    Press(w, qt::VK_ESCAPE);
    EXPECT_TRUE(InEntryMode(w));
    EXPECT_EQ(w.ActiveControl(), w.eCall);
  });
}

// A click on a row of the list while a call is typed: the press that gives the list the focus
// asks once; "Nein" leaves the call as it was, its caret included, and the list's row too.
TEST_F(LogControlsTest, AClickOnTheListAsksOnceAndNoKeepsTheCallAndItsCaret) {
  LogBuilder b('.', 4);
  b.Create();
  for (const char* call : {"DL2AA", "DL3BB", "DL4CC"}) {
    b.Add(contestlog_test::Qso(call, 'c', contestlog_test::kContestDay, 3600));
  }
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    ASSERT_TRUE(qt::testkit::WaitUntilActive(w));
    w.eCall->SetFocus();
    qt::testkit::TypeOnKeyboard("DL1ABC");
    w.eCall->SetSelStart(3);
    ui::TkvMouseGrid& grid = w.Brow->GetGrid();
    const int row = grid.Row();
    ASSERT_GT(grid.RowCount(), grid.FixedRows() + 2);
    const qt::TRect cell = grid.CellRect(1, grid.FixedRows() + 1);
    presenter_->answers = {false, false};
    qt::testkit::Click(grid, cell.Left + 4, cell.Top + 4);
    EXPECT_EQ(Titles(), std::vector<std::string>{"Eingabe beenden?"});
    EXPECT_EQ(w.ActiveControl(), w.eCall);
    EXPECT_EQ(grid.Row(), row);
    Shot(w, "log_click_on_list_answered_no");
    qt::testkit::TypeOnKeyboard("X");
    EXPECT_EQ(w.eCall->Text(), "DL1XABC");
    EXPECT_TRUE(InEntryMode(w));
  });
}

// The clock's ticks wait while the list's question is open; the one they owe follows at once
// when it is answered, so that a QSO saved right then has the time of its save.
TEST_F(LogControlsTest, AQuestionHeldOverAMinuteLeavesTheQsoSavedAfterItTheTimeOfItsSave) {
  LogBuilder b('.', 4);
  b.Catalogue().DatumAuto = 255;
  b.Catalogue().ZeitAuto = 255;
  b.Create();
  b.Add(contestlog_test::Qso("DL2AA", 'c', contestlog_test::kContestDay, 3600));
  std::int32_t typed_at = 0;
  RunLog(b.Number(), b.Definition(), [&](TContestLogStd& w) {
    ASSERT_TRUE(qt::testkit::WaitUntilActive(w));
    w.eCall->SetFocus();
    qt::testkit::TypeOnKeyboard("DL1ABC");
    typed_at = common::TimeStringToTime(w.ezeit->GetStr(), "hh:mm:ss");
    presenter_->answers = {false};
    presenter_->while_shown = [&](const common::MessageCall&) {
      SetUtcNow(contestlog_test::kContestDay, 12 * 3600 + 65);
      w.timerzeit->Elapsed();
    };
    ui::TkvMouseGrid& grid = w.Brow->GetGrid();
    const qt::TRect cell = grid.CellRect(1, grid.FixedRows());
    qt::testkit::Click(grid, cell.Left + 4, cell.Top + 4);
    presenter_->while_shown = nullptr;
    EXPECT_EQ(Titles(), std::vector<std::string>{"Eingabe beenden?"});
    Press(w, qt::VK_F10);
  });
  const auto records = Records(b.Number());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records.back().Call.str(), "DL1ABC");
  EXPECT_GT(typed_at, 0);
  EXPECT_EQ(records.back().Zeit, typed_at + 65);
}

TEST_F(LogControlsTest, TheSecondButtonBarSavesWithItsOwnButton) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    w.panelButtonsa->SetVisible(false);
    w.panelButtonsb->SetVisible(true);
    w.FormResize();
    Shot(w, "log_button_bar_b");
    w.btnSpeichernb->Click();
    EXPECT_EQ(w.actions, std::vector<std::string>{"save"});
  });
}

TEST_F(LogControlsTest, TheNameGoesIntoTheNameFieldsAndTheExchangeTakesNoBlank) {
  LogBuilder b('O', 1);  // name, DOK, locator
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    Press(w, qt::VK_F9);  // name and QTH shown
    ASSERT_TRUE(w.eName->Visible());
    Type(*w.eName, "Hans");
    EXPECT_EQ(w.eRSTr2->Text(), "Hans");
    EXPECT_EQ(w.eRSTr3->Text(), "");
    // An emptied name leaves the field as it is.
    w.eName->SetStr("");
    EXPECT_EQ(w.eRSTr2->Text(), "Hans");
    w.eRSTr3->SetStr("");
    Type(*w.eRSTr3, "B 36");
    EXPECT_EQ(w.eRSTr3->Text(), "B36");
  });
  LogBuilder i('i', 1);
  i.Create();
  RunKeys(i, i.Definition(), [&](KeysWindow& w) {
    TkvEdit* field = w.eRSTr2->Visible() ? w.eRSTr2 : w.eRSTr1;
    field->SetStr("");
    Type(*field, "A B");
    EXPECT_EQ(field->Text(), "A B");
  });
}

TEST_F(LogControlsTest, TheFrequencyIsNavyInTheBandPlanRedOutside) {
  LogBuilder b('W', 1);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    w.CurrentMode = "CW";
    for (const auto& [frequency, colour] :
         {std::pair{"7.03", qt::clNavy}, std::pair{"7.1", qt::clRed}, std::pair{"7.03", qt::clNavy}}) {
      w.eFreq->SetStr(frequency);
      EXPECT_EQ(w.eFreq->Font().Color(), colour) << frequency;
    }
  });
}

TEST_F(LogControlsTest, EscInTheClusterLineStartsACommandAndStaysInTheList) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    w.panelclustertext->SetVisible(true);
    w.eclustertext->SetText("SH/DX");
    w.eclustertext->SetFocus();  // the grid area: list mode
    ASSERT_EQ(w.ActiveControl(), w.eclustertext);
    Press(w, qt::VK_ESCAPE);
    EXPECT_EQ(w.eclustertext->Text(), "GRC ");
    EXPECT_EQ(w.eclustertext->SelStart(), 4);
    EXPECT_TRUE(InListMode(w));
  });
}

TEST_F(LogControlsTest, TheNoteIsEditedThenANewEntryTheFurtherProgramsShowNameAndQthToggle) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    Type(*w.eCall, "DL1ABC");
    port_->calls.clear();
    Press(w, qt::VK_F6);
    ASSERT_EQ(port_->calls.size(), 1u);
    EXPECT_TRUE(port_->calls[0].starts_with("ShowText ")) << port_->calls[0];
    EXPECT_NE(port_->calls[0].find("Log .TXT"), std::string::npos) << port_->calls[0];
    EXPECT_EQ(w.eCall->Text(), "");
    w.btnweitere->Click();
    EXPECT_EQ(port_->calls.back(), "ShowMorePrograms");

    // F9 shows name, QTH and frequency, and hides them again.
    const bool shown = w.eQTH->Visible();
    for (const bool now : {!shown, shown}) {
      Press(w, qt::VK_F9);
      EXPECT_EQ(w.eQTH->Visible(), now);
      EXPECT_EQ(w.eName->Visible(), now);
      EXPECT_EQ(w.lcallname->Visible(), !now);
    }
  });
}

TEST_F(LogControlsTest, TheMakersLineAtTheSideBarsFootOpensTheMakersPageUnderlinedUnderTheMouse) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    qt::TLabel& maker = *w.lhersteller;
    EXPECT_TRUE(maker.Visible());
    EXPECT_EQ(maker.Caption(), "Contest-Logbuch der PEL");
    // Between the import button and the version, inside the side bar.
    EXPECT_GE(maker.Top(), w.btnadifimport->Top() + w.btnadifimport->Height());
    EXPECT_LE(maker.Top() + maker.Height(), w.lversion->Top());
    EXPECT_LE(maker.Left() + maker.Width(), w.Image2->Width());
    qt::testkit::MouseMove(maker, 2, 2);
    EXPECT_EQ(maker.Font().Style(), qt::fsUnderline);
    Shot(w, "log_side_bar_maker_line");
    qt::testkit::MouseMove(*w.Image2, 20, 20);
    EXPECT_EQ(maker.Font().Style(), 0);
    port_->calls.clear();
    qt::testkit::Click(maker, 2, 2);
    EXPECT_EQ(port_->calls, std::vector<std::string>{"OpenLink https://www.domivox.example/"});
  });
}

TEST_F(LogControlsTest, TheScanTogglesWithItsNoticesTheKeyerButtonsSendTheirMemoriesHelpAsks) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    Press(w, qt::VK_F9);  // the frequency shown
    for (const bool on : {true, false}) {
      SCOPED_TRACE(on);
      const std::size_t before = presenter_->calls.size();
      w.eCall->SetFocus();
      w.imgfreqscan->Click();
      EXPECT_EQ(w.FrequencyScanOn, on);
      ASSERT_EQ(presenter_->calls.size(), before + 1);
      const common::MessageCall& notice = presenter_->calls.back();
      EXPECT_EQ(notice.kind, common::MessageKind::kHinweisMitCheck);
      EXPECT_EQ(notice.caption, "Frequenz-Scan");
      EXPECT_EQ(notice.title, "TRX-Frequenz ändern");
      EXPECT_EQ(notice.text,
                on ? "Die Frequenz-Scan-Funktion wurde eingeschaltet.\r"
                     "Pfeiltasten: Frequenz ±100 Hz\rStrg+Pfeiltasten: ±1 kHz, Esc: Ende"
                   : "Die Frequenz-Scan-Funktion wurde ausgeschaltet.");
      EXPECT_EQ(w.ActiveControl(), w.eFreq);
    }

    w.actions.clear();
    std::vector<std::string> memories;
    for (int n = 1; n <= kKeyerButtons; ++n) {
      w.btnkeyerf[static_cast<std::size_t>(n - 1)]->Click();
      memories.push_back("memory " + std::to_string(n));
    }
    EXPECT_EQ(w.actions, memories);

    std::vector<std::intptr_t> help;
    qt::Application().OnHelp = [&help](int command, std::intptr_t context) {
      help.push_back(command);
      help.push_back(context);
      return true;
    };
    w.btnHilfea->Click();
    w.btnHilfeb->Click();
    qt::Application().OnHelp = nullptr;
    EXPECT_EQ(help, (std::vector<std::intptr_t>{qt::HELP_CONTEXT, 0, qt::HELP_CONTEXT, 0}));
  });
}

}  // namespace
}  // namespace contestlog
