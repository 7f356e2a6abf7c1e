// The log window's key table: every function key, Esc and Alt key with and without the keyer,
// pressed in the call field as the operator presses it, checked against what it did and whether
// the field still saw it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/qt/keys.h"
#include "platform/qt/testkit/input.h"
#include "platform/qt/testkit/window_frame.h"
#include "tests/contestlog/keys_window.h"

namespace contestlog {
namespace {

using contestlog_test::KeysWindow;
using contestlog_test::LogBuilder;
namespace qt = platform::qt;

class LogKeysTest : public contestlog_test::KeysWindowTest {};

struct KeyRow {
  const char* name;
  std::uint16_t key;
  qt::TShiftState shift;
  bool keyer;
  const char* action;  // "" nothing
  bool reaches_field;
  bool name_button_hidden = false;
};

// clang-format off
const KeyRow kKeyRows[] = {
    {"F1 keyer off", qt::VK_F1, 0, false, "", true},
    {"F2 keyer off", qt::VK_F2, 0, false, "", true},
    {"F3 keyer off", qt::VK_F3, 0, false, "", true},
    {"F4 keyer off", qt::VK_F4, 0, false, "call search", false},
    {"F5 keyer off", qt::VK_F5, 0, false, "list", false},
    {"F6 keyer off", qt::VK_F6, 0, false, "note", false},
    {"F7 keyer off", qt::VK_F7, 0, false, "mode list", false},
    {"F8 keyer off", qt::VK_F8, 0, false, "band list", false},
    {"F9 keyer off", qt::VK_F9, 0, false, "name qth", false},
    {"F9 without the name button", qt::VK_F9, 0, false, "", false, true},
    {"F10 keyer off", qt::VK_F10, 0, false, "save", false},
    {"F12 keyer off", qt::VK_F12, 0, false, "correction", false},
    {"Esc keyer off", qt::VK_ESCAPE, 0, false, "clear", false},
    {"F1 keyer on", qt::VK_F1, 0, true, "memory 1", false},
    {"F2 keyer on", qt::VK_F2, 0, true, "memory 2", false},
    {"F3 keyer on", qt::VK_F3, 0, true, "", true},
    {"F4 keyer on", qt::VK_F4, 0, true, "memory 4", false},
    {"F5 keyer on", qt::VK_F5, 0, true, "memory 5", false},
    {"F6 keyer on", qt::VK_F6, 0, true, "memory 6", false},
    {"F7 keyer on", qt::VK_F7, 0, true, "memory 7", false},
    {"F8 keyer on", qt::VK_F8, 0, true, "memory 8", false},
    {"F9 keyer on", qt::VK_F9, 0, true, "name qth", false},
    {"F10 keyer on", qt::VK_F10, 0, true, "memory 10", false},
    {"F11 keyer on", qt::VK_F11, 0, true, "memory 11", false},
    {"F12 keyer on", qt::VK_F12, 0, true, "save", false},
    {"Esc keyer on", qt::VK_ESCAPE, 0, true, "clear", false},
    {"Alt+F4 keyer off", qt::VK_F4, qt::ssAlt, false, "call search", false},
    {"Alt+F5 keyer off", qt::VK_F5, qt::ssAlt, false, "list", false},
    {"Alt+F6 keyer off", qt::VK_F6, qt::ssAlt, false, "note", false},
    {"Alt+F7 keyer off", qt::VK_F7, qt::ssAlt, false, "mode list", false},
    {"Alt+F8 keyer off", qt::VK_F8, qt::ssAlt, false, "band list", false},
    {"Alt+F4 keyer on", qt::VK_F4, qt::ssAlt, true, "call search", false},
    {"Alt+F5 keyer on", qt::VK_F5, qt::ssAlt, true, "list", false},
    {"Alt+F6 keyer on", qt::VK_F6, qt::ssAlt, true, "note", false},
    {"Alt+F7 keyer on", qt::VK_F7, qt::ssAlt, true, "mode list", false},
    {"Alt+F8 keyer on", qt::VK_F8, qt::ssAlt, true, "band list", false},
    {"Alt+W", 'W', qt::ssAlt, false, "correction", false},
    {"Alt+W keyer on", 'W', qt::ssAlt, true, "correction", false},
    {"Alt+F12", qt::VK_F12, qt::ssAlt, false, "correction", false},
    {"Alt+F12 keyer on", qt::VK_F12, qt::ssAlt, true, "correction", false},
    {"Alt+F10", qt::VK_F10, qt::ssAlt, false, "save", false},
    {"Ctrl+F4", qt::VK_F4, qt::ssCtrl, false, "", true},
    {"Ctrl+F12 keyer on", qt::VK_F12, qt::ssCtrl, true, "", true},
    {"Shift+F5", qt::VK_F5, qt::ssShift, false, "", true},
    {"Ctrl+Alt+F8", qt::VK_F8, qt::ssCtrl | qt::ssAlt, false, "", true},
    {"Shift+Esc", qt::VK_ESCAPE, qt::ssShift, false, "", true},
};
// clang-format on

TEST_F(LogKeysTest, EachKeyActsByModifierAndKeyerAndWhatItActsOnNeverReachesTheField) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    w.RecordClicks();
    std::vector<std::uint16_t> reached;
    const qt::TKeyEvent entry_keys = w.eCall->OnKeyDown;
    w.eCall->OnKeyDown = [&](qt::TComponent* sender, std::uint16_t& key, qt::TShiftState shift) {
      reached.push_back(key);
      entry_keys(sender, key, shift);
    };
    for (const KeyRow& row : kKeyRows) {
      SCOPED_TRACE(row.name);
      w.KeyerOn = row.keyer;
      w.btnNameqtha->SetVisible(!row.name_button_hidden);
      w.actions.clear();
      reached.clear();
      w.eCall->SetFocus();
      Press(w, row.key, row.shift);
      EXPECT_EQ(w.actions, std::string(row.action).empty()
                               ? std::vector<std::string>{}
                               : std::vector<std::string>{row.action});
      EXPECT_EQ(!reached.empty(), row.reaches_field);
      EXPECT_TRUE(w.Visible());
      EXPECT_EQ(w.ModalResult(), qt::mrNone);
    }
  });
}

TEST_F(LogKeysTest, AltQTogglesTheQslMarkOnceForAllTheCaptionsAmpersand) {
  LogBuilder b('.', 4);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    w.QslSent = ' ';
    w.eCall->SetFocus();
    for (const auto& [mark, caption] : {std::pair{'Y', "&QSL senden: ja"},
                                        std::pair{'N', "&QSL senden: nein"},
                                        std::pair{'Y', "&QSL senden: ja"}}) {
      Press(w, 'Q', qt::ssAlt);
      EXPECT_EQ(w.QslSent, mark);
      EXPECT_EQ(w.lQSLs->Caption(), caption);
      EXPECT_EQ(w.rqsls->Checked(), mark == 'Y') << "the box ticks with the caption";
      EXPECT_EQ(w.eCall->Text(), "");
    }
    // A click on the caption toggles as well.
    w.lQSLs->Click();
    EXPECT_EQ(w.QslSent, 'N');
    EXPECT_FALSE(w.rqsls->Checked());
    // So does a click on the box or on the caption, which give the focus back to the field the
    // operator was in, its text and caret as they were: the next key goes on typing.
    EXPECT_TRUE(qt::testkit::WaitUntilActive(w));
    w.eCall->SetFocus();
    qt::testkit::TypeOnKeyboard("DL5AB");
    w.eCall->SetSelStart(2);
    for (const char mark : {'Y', 'N'}) {
      qt::testkit::Click(*w.rqsls, 8, 8);
      EXPECT_EQ(w.QslSent, mark);
      EXPECT_EQ(w.lQSLs->Caption(), mark == 'Y' ? "&QSL senden: ja" : "&QSL senden: nein");
      EXPECT_EQ(w.rqsls->Checked(), mark == 'Y');
      EXPECT_EQ(w.ActiveControl(), w.eCall);
    }
    qt::testkit::TypeOnKeyboard("X");
    EXPECT_EQ(w.eCall->Text(), "DLX5AB");
    qt::testkit::Click(*w.lQSLs, 4, 4);
    EXPECT_EQ(w.QslSent, 'Y');
    EXPECT_TRUE(w.eCall->Focused());
    qt::testkit::TypeOnKeyboard("C");
    EXPECT_EQ(w.eCall->Text(), "DLXC5AB");
    // Nor a right click on the box, a press on it let go off it, a click beside the fields.
    qt::testkit::MouseDown(*w.rqsls, 4, 4, qt::TMouseButton::mbRight);
    qt::testkit::MouseUp(*w.rqsls, 4, 4, qt::TMouseButton::mbRight);
    qt::testkit::MouseDown(*w.rqsls, 8, 8);
    qt::testkit::MouseUp(*w.rqsls, 40, 8);
    for (qt::TControl* beside : std::initializer_list<qt::TControl*>{
             w.leMode, w.panelEingabe, w.panelOben, w.panelauswertung}) {
      qt::testkit::Click(*beside, 2, beside->Height() - 2);
    }
    EXPECT_EQ(w.QslSent, 'Y');
    qt::testkit::TypeOnKeyboard("D");
    EXPECT_EQ(w.eCall->Text(), "DLXCD5AB");
  });
}

TEST_F(LogKeysTest, AltWithTheKeypadDigitsFocusesTheShownExchangeFields) {
  // 'O' shows three received exchange fields: name, DOK, locator.
  LogBuilder b('O', 1);
  b.Create();
  RunKeys(b, b.Definition(), [&](KeysWindow& w) {
    const std::pair<int, TkvEdit*> jumps[] = {{1, w.eRSTr2}, {2, w.eRSTr3}, {3, w.eRSTr4}};
    for (const auto& [digit, field] : jumps) {
      SCOPED_TRACE(digit);
      ASSERT_TRUE(field->Visible());
      w.eCall->SetFocus();
      Press(w, qt::VK_NUMPAD0 + digit, qt::ssAlt);
      EXPECT_EQ(w.ActiveControl(), field);
      EXPECT_EQ(field->Text(), "");  // the digit is not typed
      // Without Alt the digit is typed where the focus is.
      w.eCall->SetFocus();
      Press(w, qt::VK_NUMPAD0 + digit);
      EXPECT_EQ(w.ActiveControl(), w.eCall);
    }
    w.eRSTr4->SetVisible(false);
    w.eCall->SetFocus();
    Press(w, qt::VK_NUMPAD0 + 3, qt::ssAlt);
    EXPECT_EQ(w.ActiveControl(), w.eCall);
  });
}

}  // namespace
}  // namespace contestlog
