// Keys pressed on the X server's keyboard, under a window manager: they take the window system's
// whole way into the active window (first the window, then its focused control; a held key's
// repeats made by the server), and the layer's question tells a key typed ahead from a key
// pressed on purpose among them as among the key events the test kit hands to a control.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/fake_environment.h"
#include "platform/qt/application.h"
#include "platform/qt/edit.h"
#include "platform/qt/form.h"
#include "platform/qt/keys.h"
#include "platform/qt/message_box.h"
#include "platform/qt/testkit/modal_driver.h"
#include "platform/qt/testkit/real_keyboard.h"
#include "platform/qt/testkit/ticks.h"
#include "platform/qt/testkit/window_frame.h"
#include "platform/qt/typed_ahead_guard.h"

namespace platform::qt {
namespace {

using testkit::RealKeyboard;

// The real keyboard needs the X display the window manager's suite runs on.
class RealKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testkit::UnderWindowManager()) GTEST_SKIP() << "needs an X display";
    ASSERT_TRUE(keyboard.Available()) << "no X keyboard with the test extension";
  }
  RealKeyboard keyboard;
};

TEST_F(RealKeyTest, TheKeyboardTypesIntoTheActiveWindowAndRepeatsAHeldKey) {
  TForm form(nullptr);
  auto* call = new TEdit(&form);
  call->SetParent(&form);
  auto* report = new TEdit(&form);
  report->SetParent(&form);
  report->SetTop(30);
  form.Show();
  form.SetFocus();
  ASSERT_TRUE(testkit::WaitUntilActive(form));
  ASSERT_TRUE(keyboard.Type("W1aw\t59"));
  ASSERT_TRUE(keyboard.Hold('X'));
  ASSERT_TRUE(keyboard.WaitForRepeats(3));
  ASSERT_TRUE(keyboard.Release('X'));
  EXPECT_EQ(call->Text(), "W1aw");
  EXPECT_EQ(report->Text().substr(0, 6), "59xxxx") << report->Text();  // 1 + its repeats
}

// A key on its way as the question shows, or one of a run of typing, leaves it open; a key
// pressed on purpose after them answers (a letter once no key followed it within the typing
// gap). Times in ms from the showing; letters without Shift, as an answer is pressed.
TEST_F(RealKeyTest, KeysTypedAheadLeaveTheQuestionOpenAndAKeyPressedOnPurposeAnswers) {
  struct Typing {
    std::uint64_t at;
    std::string_view text;
    std::uint64_t step = 0;  // ms from one key to the next
  };
  struct Row {
    const char* name;
    unsigned flags;
    std::vector<Typing> typed_ahead;
    Typing on_purpose;
    int answer;
  };
  const Row rows[] = {
      {"EnterAt100", MB_YESNO, {{100, "\r"}}, {400, "\r"}, IDYES},
      {"EnterAt300", MB_YESNO, {}, {300, "\r"}, IDYES},
      {"EscAt100", MB_OKCANCEL, {{100, "\x1b"}}, {400, "\x1b"}, IDCANCEL},
      {"EscAt300", MB_OKCANCEL, {}, {300, "\x1b"}, IDCANCEL},
      // A QSO typed, eyes on the radio, into a question that has stood for a while.
      {"CallTyped150MsAKey", MB_YESNO, {{3000, "W1AW\t81\r", 150}}, {5500, "\r"}, IDYES},
      {"CallTyped12MsAKey", MB_YESNO, {{3000, "W1AW\t81\r", 12}}, {4500, "\r"}, IDYES},
      {"CallBeginningWithJ",
       MB_YESNO | MB_DEFBUTTON2,
       {{3000, "JA1XYZ\t59\r", 150}},
       {5500, "\r"},
       IDNO},
      // Typed slower than the typing gap: a second after its last letter a lone n answers.
      {"CallTyped300MsAKey", MB_YESNO, {{3000, "dl1na", 300}}, {5400, "n"}, IDNO},
      {"JAt300", MB_YESNO, {}, {300, "j"}, IDYES},
      {"NAt300", MB_YESNO, {}, {300, "n"}, IDNO},
      // A letter on its way as it showed was typed at it: a second later J answers.
      {"NAt100ThenJ", MB_YESNO, {{100, "n"}}, {1200, "j"}, IDYES},
  };
  ScopedFakeClock fake(10'000);
  FakeClock& clock = fake.clock;
  testkit::ModalDriver driver;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::uint64_t shown = clock.monotonic_ms;
    // Then the typing gap after the last key, when a letter that waited has its turn.
    const auto type = [&](const Typing& typing) {
      std::uint64_t at = shown + typing.at;
      EXPECT_TRUE(keyboard.Type(typing.text, [&] {
        clock.monotonic_ms = at;
        at += typing.step;
      }));
      clock.monotonic_ms += kTypingGapMs;
      testkit::TickKeyboard();
    };
    bool left_open = false;
    driver.ThenTypedAhead([&](TForm& form) {
      const bool active = testkit::WaitUntilActive(form);
      EXPECT_TRUE(active) << "keys reach only the active window";
      if (active) {
        for (const Typing& typing : row.typed_ahead) type(typing);
        left_open = form.ModalResult() == mrNone;
      }
      if (left_open) {
        testkit::SaveScreenScreenshot(std::string("real_keys_") + row.name);
        type(row.on_purpose);
      }
      if (form.ModalResult() == mrNone) form.SetModalResult(mrAbort);
    });
    const int answer = Application().MessageBox("Speichern?", "", row.flags | MB_ICONQUESTION);
    EXPECT_TRUE(left_open);
    EXPECT_EQ(answer, row.answer);
    clock.monotonic_ms += 10'000;
  }
  EXPECT_EQ(driver.Unanswered(), 0);
}

// Enter held down in a form whose Enter opens a question: the server's repeats reach the
// question once it is active, long after it showed, and answer nothing; Esc pressed on purpose
// after the Enter was let go answers.
TEST_F(RealKeyTest, EnterHeldAcrossTheShowingOfAQuestionAnswersNothing) {
  ScopedFakeClock fake(10'000);
  FakeClock& clock = fake.clock;
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  int answer = 0;
  edit->OnKeyDown = [&](TComponent*, std::uint16_t& key, TShiftState) {
    if (key == VK_RETURN && answer == 0) {
      answer = Application().MessageBox("Speichern?", "", MB_OKCANCEL | MB_ICONQUESTION);
    }
  };
  const std::uint64_t pressed = clock.monotonic_ms;
  bool left_open = false;
  testkit::ModalDriver driver;
  driver.ThenTypedAhead([&](TForm& question) {
    const bool active = testkit::WaitUntilActive(question);
    EXPECT_TRUE(active) << "keys reach only the active window";
    if (active) {
      // The server's repeats as a keyboard times them: the first after the repeat delay.
      clock.monotonic_ms = pressed + RealKeyboard::kRepeatDelayMs;
      EXPECT_TRUE(keyboard.WaitForRepeats(1));
      for (int i = 0; i < 5; ++i) {
        clock.monotonic_ms += RealKeyboard::kRepeatIntervalMs;
        EXPECT_TRUE(keyboard.WaitForRepeats(1));
      }
      clock.monotonic_ms += 10;
      EXPECT_TRUE(keyboard.Release(VK_RETURN));
      left_open = question.ModalResult() == mrNone;
    }
    if (left_open) {
      testkit::SaveScreenScreenshot("real_keys_enter_held");
      clock.monotonic_ms += 300;
      EXPECT_TRUE(keyboard.Press(VK_ESCAPE));
    }
    if (question.ModalResult() == mrNone) question.SetModalResult(mrAbort);
  });
  form.Show();
  form.SetFocus();
  ASSERT_TRUE(testkit::WaitUntilActive(form));
  EXPECT_TRUE(keyboard.Hold(VK_RETURN));
  EXPECT_TRUE(left_open);
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(driver.Unanswered(), 0);
}

}  // namespace
}  // namespace platform::qt
